// Saving that never leaves a half-written project in place of a good one, and the
// one-time backup copy of the previous file.
#pragma once
#include "framework/core/CFile.h"
#include "framework/core/CString.h"
#include <functional>

namespace project {

// The folder that receives backup copies: "TesselBackups" in the user's data folder,
// with a trailing '/'. Created on demand by MakeBackupCopy.
CString BackupFolder();

// Copies an existing file into BackupFolder() as "<title>-<seconds since 1970>.kjproj"
// without overwriting an existing copy. Returns the copy's path, or empty when no copy
// was made (missing file, folder or copy failure).
CString MakeBackupCopy(const CString& path);

// Writes a file through writer into a temporary file in the target's folder and renames
// it over the target only when writer returned normally and the data reached the disk.
// On any failure the temporary file is removed, the target is left as it was and the
// exception (a CException of ours, naming path, never the temporary file) propagates.
// Temporary files of an earlier save of path that was killed are removed first.
void SaveFileSafely(const CString& path, const std::function<void(CFile&)>& writer);

// Removes the temporary files that saves of path left beside it when they were killed
// (".<name>.XXXXXX"); returns how many.
int RemoveLeftoverTemporaries(const CString& path);

} // namespace project
