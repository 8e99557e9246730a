// One QApplication for the explorer's window tests, with a private home so that the
// profile and special folders of the user are never touched.
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {
class ExplorerEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        m_home = new QTemporaryDir;
        const QByteArray home = m_home->path().toLocal8Bit();
        setenv("HOME", home.constData(), 1);
        setenv("XDG_CONFIG_HOME", (home + "/config").constData(), 1);
        setenv("XDG_DATA_HOME", (home + "/data").constData(), 1);
        static int argc = 1;
        static char name[] = "test_ftpexplorer_gui";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            m_app = new QApplication(argc, argv);
        QApplication::setOrganizationName(QStringLiteral("Varnelo"));
        QApplication::setApplicationName(QStringLiteral("Varnelo FTP"));
    }
    void TearDown() override
    {
        delete m_app;
        m_app = nullptr;
        delete m_home;
        m_home = nullptr;
    }

private:
    QApplication* m_app = nullptr;
    QTemporaryDir* m_home = nullptr;
};
const auto* g_env = ::testing::AddGlobalTestEnvironment(new ExplorerEnvironment);
} // namespace
