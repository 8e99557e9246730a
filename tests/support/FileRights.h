// A case that needs the file system to refuse it (a read-only folder, a file it may not
// read) must see the refusal as root too, and CI runs as root. While a WithoutFileOverride
// lives, the calling thread has none of the capabilities that bypass file permissions, so
// root is bound by the mode bits like any user; they come back at the end. For an
// ordinary user nothing changes: it has no such capabilities.
#pragma once
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstring>
#include <string>

namespace testsupport {

class WithoutFileOverride {
public:
    WithoutFileOverride()
    {
        std::memset(&m_header, 0, sizeof m_header);
        m_header.version = _LINUX_CAPABILITY_VERSION_3;
        m_header.pid = 0; // the calling thread
        if (syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct lowered[2];
        std::memcpy(lowered, m_saved, sizeof lowered);
        for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
            lowered[cap / 32].effective &= ~(1u << (cap % 32));
        m_dropped = syscall(SYS_capset, &m_header, lowered) == 0;
    }
    ~WithoutFileOverride()
    {
        if (m_dropped)
            syscall(SYS_capset, &m_header, m_saved);
    }
    WithoutFileOverride(const WithoutFileOverride&) = delete;
    WithoutFileOverride& operator=(const WithoutFileOverride&) = delete;

    // Whether a new file can be created in folder right now (tried, not guessed: access()
    // answers for the real user and ignores what was dropped here).
    static bool CanCreateIn(const std::string& folder)
    {
        const std::string probe = folder + "/.probe-" + std::to_string(getpid());
        const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0)
            return false;
        close(fd);
        unlink(probe.c_str());
        return true;
    }

private:
    __user_cap_header_struct m_header {};
    __user_cap_data_struct m_saved[2] {};
    bool m_dropped = false;
};

} // namespace testsupport
