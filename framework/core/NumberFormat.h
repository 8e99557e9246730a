// Numbers and sizes as the designer shows them to the user (never in exponent form).
#pragma once
#include "framework/core/CString.h"

// Three significant digits below 1000, whole numbers above; never in exponent form.
CString FormatNumber(double value);
// bytes with the largest unit it exceeds: " bytes", " kB", " MB" ... " EB".
CString FormatFileSize(double bytes);
