// Opening files, folders and web addresses with the user's default programs.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/Types.h"
#include <functional>

// Opens a local path (file or folder) or an address ("http...", "mailto:...").
// FALSE when the desktop refused; callers that ignore the result lose nothing.
BOOL ShellOpen(const CString& target);
// ShellOpen, and when the desktop refuses, a message naming the command that failed
// and what it was to open.
BOOL ShellOpenOrReport(const CString& target);
void ReportShellOpenFailure(const CString& target);
// The command the desktop opens addresses with: $BROWSER when set, else "xdg-open".
CString ShellOpenCommand();
// Starts a program detached, with no arguments.
BOOL ShellStartProgram(const CString& program);

namespace tessel {
// Tests see every shell request instead of the desktop acting on it; null restores.
using ShellHook = std::function<bool(const CString& target, bool isProgram)>;
ShellHook SetShellHook(ShellHook hook);
}
