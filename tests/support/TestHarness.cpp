// Linked into every test program (see tessel_test). Before anything else runs it gives
// the process a private HOME, XDG folders and TMPDIR, so no test reads or writes the
// user's files and no run sees another run's leftovers; it is removed when the process
// ends. During the run it
//  - fails a case that leaves the C locale, Qt's default locale, TZ or LOCPATH changed
//    (and puts them back, so later cases are not affected);
//  - fails a skipped case when TESSEL_FAIL_ON_SKIP is set (tools/test.sh sets it), unless
//    the case is on the list in AllowedSkips.h.
#include "support/AllowedSkips.h"

#include <QtCore/QByteArray>
#include <QtCore/QDir>
#include <QtCore/QLocale>

#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <langinfo.h>
#include <string>
#include <strings.h>
#include <sys/stat.h>

namespace {

// Function statics: the constructor below runs before the file's other initialisers.
std::string& Root() // the process's private folder, removed at exit
{
    static std::string root;
    return root;
}

std::string& ApplicationLocale() // what a Qt application object makes the C locale
{
    static std::string locale;
    return locale;
}

void RemoveRoot()
{
    if (Root().empty())
        return;
    std::error_code ignored;
    // Folders a test made read-only must not keep their contents.
    for (auto it = std::filesystem::recursive_directory_iterator(Root(), std::filesystem::directory_options::skip_permission_denied, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
        if (it->is_directory(ignored) && !it->is_symlink(ignored))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(Root(), ignored);
}

void MakeFolder(const std::string& path, mode_t mode = 0700)
{
    if (mkdir(path.c_str(), mode) != 0 && errno != EEXIST) {
        std::fprintf(stderr, "test harness: cannot create %s: %s\n", path.c_str(), std::strerror(errno));
        std::abort();
    }
}

// Runs before every other initialiser of the program (lowest priority number).
__attribute__((constructor(101))) void IsolateProcess()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/tessel-test-XXXXXX";
    MakeFolder(pattern.substr(0, pattern.rfind('/')));
    if (!mkdtemp(pattern.data())) {
        std::fprintf(stderr, "test harness: no private folder under %s: %s\n", pattern.c_str(), std::strerror(errno));
        std::abort();
    }
    Root() = pattern;
    const struct {
        const char* variable;
        const char* folder;
    } places[] = {{"HOME", "home"},         {"XDG_CONFIG_HOME", "config"}, {"XDG_DATA_HOME", "data"},
                  {"XDG_CACHE_HOME", "cache"}, {"XDG_STATE_HOME", "state"}, {"XDG_RUNTIME_DIR", "run"},
                  {"TMPDIR", "tmp"}};
    for (const auto& p : places) {
        const std::string path = Root() + "/" + p.folder;
        MakeFolder(path);
        setenv(p.variable, path.c_str(), 1);
    }
    unsetenv("XDG_CONFIG_DIRS"); // nothing from the machine's own configuration either
    // The locale Qt's application object sets (the environment's, its character type made
    // UTF-8 when it is not), found here as Qt does it, and undone.
    const std::string start = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "")) {
        const char* codeset = nl_langinfo(CODESET);
        if (!codeset || (strcasecmp(codeset, "UTF-8") != 0 && strcasecmp(codeset, "utf8") != 0)) {
            std::string ctype = std::setlocale(LC_CTYPE, nullptr);
            ctype = ctype.substr(0, ctype.find('.')) + ".UTF-8";
            if (!std::setlocale(LC_CTYPE, ctype.c_str()) && !std::setlocale(LC_CTYPE, "C.UTF-8"))
                std::setlocale(LC_CTYPE, "C.utf8");
        }
        ApplicationLocale() = std::setlocale(LC_ALL, nullptr);
    }
    std::setlocale(LC_ALL, start.c_str());
    // Test programs draw offscreen unless told otherwise, the listing of cases included.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::atexit(RemoveRoot);
}

struct Environment {
    std::string cLocale, qtLocale, tz, locpath, folder;
    bool hasTz = false, hasLocpath = false;

    static Environment Now()
    {
        Environment e;
        const char* c = std::setlocale(LC_ALL, nullptr);
        e.cLocale = c ? c : "";
        e.qtLocale = QLocale().name().toStdString();
        e.folder = QDir::currentPath().toStdString();
        if (const char* tz = std::getenv("TZ")) {
            e.hasTz = true;
            e.tz = tz;
        }
        if (const char* p = std::getenv("LOCPATH")) {
            e.hasLocpath = true;
            e.locpath = p;
        }
        return e;
    }

    static void SetVariable(const char* name, bool present, const std::string& value)
    {
        if (present)
            setenv(name, value.c_str(), 1);
        else
            unsetenv(name);
    }

    void Restore(bool cLocaleToo) const
    {
        SetVariable("LOCPATH", hasLocpath, locpath);
        SetVariable("TZ", hasTz, tz);
        tzset();
        if (cLocaleToo)
            std::setlocale(LC_ALL, cLocale.c_str());
        QLocale::setDefault(QLocale(QString::fromStdString(qtLocale)));
        QDir::setCurrent(QString::fromStdString(folder));
    }

    std::string Differences(const Environment& before) const
    {
        std::string d;
        // An application object sets the process locale from the environment, as it does
        // in the program: that change is expected.
        if (cLocale != before.cLocale && cLocale != ApplicationLocale())
            d += " C locale \"" + before.cLocale + "\" -> \"" + cLocale + "\";";
        if (qtLocale != before.qtLocale)
            d += " Qt default locale " + before.qtLocale + " -> " + qtLocale + ";";
        if (hasTz != before.hasTz || tz != before.tz)
            d += " TZ \"" + before.tz + "\" -> \"" + tz + "\";";
        if (hasLocpath != before.hasLocpath || locpath != before.locpath)
            d += " LOCPATH \"" + before.locpath + "\" -> \"" + locpath + "\";";

        return d;
    }
};

bool FailOnSkip()
{
    const char* v = std::getenv("TESSEL_FAIL_ON_SKIP");
    return v && *v && std::strcmp(v, "0") != 0;
}

class Guard : public ::testing::EmptyTestEventListener {
    Environment m_before;

    void OnTestStart(const ::testing::TestInfo&) override { m_before = Environment::Now(); }

    // Called while the case is still the current one: a failure added here is its own.
    void OnTestEnd(const ::testing::TestInfo& info) override
    {
        // The programs move to their documents folder as they start, so cases that start
        // one change the working folder by design. It is put back quietly: that folder
        // goes with the case's files, and every program started later (tools, the test
        // itself) would fail in a removed folder.
        QDir::setCurrent(QString::fromStdString(m_before.folder));
        const Environment after = Environment::Now();
        const std::string changed = after.Differences(m_before);
        if (!changed.empty()) {
            m_before.Restore(after.cLocale != ApplicationLocale());
            ADD_FAILURE() << "the case left the process changed:" << changed << " (restore it, e.g. with support/ScopedEnvironment.h)";
        }
        if (info.result()->Skipped() && FailOnSkip()) {
            const std::string name = std::string(info.test_suite_name()) + "." + info.name();
            if (!testsupport::IsAllowedSkip(name))
                ADD_FAILURE() << "skipped in a run where every case must run (TESSEL_FAIL_ON_SKIP); "
                                 "give the run what the case needs, or name the case in tests/support/AllowedSkips.h with the reason";
        }
    }
};

// Listeners are called in reverse order at the end of a case, so this one runs before
// the printer reports the result, and the printer shows the failure.
const bool g_installed = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new Guard);
    return true;
}();

} // namespace
