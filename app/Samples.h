// The example and template projects installed beside the program. They are made by the
// project code itself, so they always have the current file layout.
#pragma once
#include "framework/core/CString.h"

// Writes folder + "examples/Tutorial.kjproj" and folder + "templates/Business.kjproj"
// (folder ends with '/'); false when a file could not be written.
bool WriteSampleProjects(const CString& folder);
