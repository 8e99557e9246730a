// The cases that may skip in a run where every case must run (TESSEL_FAIL_ON_SKIP, set by
// tools/test.sh). Any other skip there is a failure. Each entry names the case
// ("Suite.Name", or "Suite.*" for a whole suite) and says why nothing can give it what it
// needs. Keep this list short: a case that skips in CI tests nothing.
#pragma once
#include <cstring>
#include <string>

namespace testsupport {

struct AllowedSkip {
    const char* name;
    const char* reason;
};

// Nearly empty on purpose: every dependency a case needs is installed by tools/install-deps.sh
// (jQuery, the German locale's sources, the FTP server, the checkers), the permission
// case drops its rights instead of skipping as root, and the samples cases get a folder.
inline constexpr AllowedSkip kAllowedSkips[] = {
    // Mounting a small filesystem needs a privilege a container may withhold even from
    // root; SafeSave.WriteRefusedByTheSystemKeepsTheOldFileAndNamesIt covers the same path.
    {"SafeSave.FullSmallFilesystemKeepsTheOldFileAndNamesIt", "mount refused"},
    {nullptr, nullptr},
};

inline bool IsAllowedSkip(const std::string& name)
{
    for (const AllowedSkip& a : kAllowedSkips) {
        if (!a.name)
            continue;
        const std::size_t n = std::strlen(a.name);
        if (name == a.name || (n > 1 && a.name[n - 1] == '*' && name.compare(0, n - 1, a.name, n - 1) == 0))
            return true;
    }
    return false;
}

} // namespace testsupport
