// Process-wide settings a case changes for a while: an environment variable (TZ, LOCPATH,
// ...) and the C locale. Each is put back when the object goes, however the case ends
// (a failed ASSERT returns early). The test harness fails a case that forgets.
#pragma once
#include <clocale>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace testsupport {

class ScopedEnvVar {
public:
    // value nullptr: the variable is removed for the while.
    ScopedEnvVar(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
        tzset(); // cheap, and TZ needs it
    }
    ~ScopedEnvVar()
    {
        if (m_old)
            setenv(m_name.c_str(), m_old->c_str(), 1);
        else
            unsetenv(m_name.c_str());
        tzset();
    }
    ScopedEnvVar(const ScopedEnvVar&) = delete;
    ScopedEnvVar& operator=(const ScopedEnvVar&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

class ScopedCLocale {
public:
    ScopedCLocale()
    {
        const char* old = std::setlocale(LC_ALL, nullptr);
        m_old = old ? old : "C";
    }
    // True when the locale is now in force.
    bool Set(const char* name) { return std::setlocale(LC_ALL, name) != nullptr; }
    ~ScopedCLocale() { std::setlocale(LC_ALL, m_old.c_str()); }
    ScopedCLocale(const ScopedCLocale&) = delete;
    ScopedCLocale& operator=(const ScopedCLocale&) = delete;

private:
    std::string m_old;
};

} // namespace testsupport
