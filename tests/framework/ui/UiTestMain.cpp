// A QApplication for every test of this program (offscreen platform).
#include <gtest/gtest.h>
#include <QtWidgets/QApplication>

namespace {
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_framework_ui";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            m_app = new QApplication(argc, argv);
    }
    void TearDown() override
    {
        delete m_app;
        m_app = nullptr;
    }

private:
    QApplication* m_app = nullptr;
};
const auto* g_env = ::testing::AddGlobalTestEnvironment(new QtEnvironment);
} // namespace
