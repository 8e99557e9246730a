// Folders of the platform: temporary, program, documents, per-user data.
#pragma once
#include "framework/core/CString.h"

namespace tessel {
// The temporary folder, with a trailing '/'.
CString TempFolder();
// The folder of the running program, with a trailing '/'.
CString ProgramFolder();
// The user's documents folder, with a trailing '/'.
CString DocumentsFolder();
// The per-user data folder of the program (created when missing), with a trailing '/'.
CString AppDataFolder();
// The last component of a path ('/' separated).
CString FileNameOf(const CString& path);
// The path without its last component, with a trailing '/' (empty when none).
CString FolderOf(const CString& path);
// a + '/' + b, with exactly one separator.
CString JoinPath(const CString& a, const CString& b);
}
