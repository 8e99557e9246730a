// The preview window: its size rules, the failure message, and a generated page loaded
// in the browser control without script errors.
#include "AppTestSupport.h"

#include "controls/HtmlView.h"
#include "document/KJDoc.h"
#include "model/Page.h"

#include <gtest/gtest.h>
#include <QtCore/QElapsedTimer>
#include <QtCore/QEventLoop>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <cstdlib>

namespace {
// The browser engine runs as root in a container without a GPU here.
const int g_flags = (setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu", 0), 0);

// Runs the dialog's initialisation only, then ends it; the hook sees the open dialog.
struct ModalHook {
    explicit ModalHook(std::function<void(CDialog&)> during = {})
    {
        previous = CDialog::SetModalHook([during](CDialog& dlg) {
            if (during)
                during(dlg);
            return IDCANCEL;
        });
    }
    ~ModalHook() { CDialog::SetModalHook(previous); }
    CDialog::ModalHook previous;
};

// Waits (with the event loop running) until done() holds or the time is up.
bool WaitFor(const std::function<bool()>& done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms) {
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}
} // namespace

TEST(Preview, WindowSizeFollowsTheContent)
{
    (void)g_flags;
    const struct { int w, h, ew, eh; } cases[] = {{200, 100, 300, 140}, {290, 0, 300, 40}, {291, 650, 301, 690}, {1014, 700, 1024, 740}};
    DPreview::s_bFailBrowserCreation = true; // sizes only; no engine needed
    for (const auto& c : cases) {
        MessageRecorder messages;
        DPreview dlg;
        dlg.m_nContentWidth = c.w;
        dlg.m_nContentHeight = c.h;
        dlg.m_strCaption = "Sizes";
        ModalHook hook;
        dlg.DoModal();
        EXPECT_EQ(dlg.size(), QSize(c.ew, c.eh)) << c.w << "x" << c.h;
        EXPECT_EQ(dlg.windowTitle(), "Sizes");
    }
    DPreview::s_bFailBrowserCreation = false;
}

TEST(Preview, BrowserCreationFailureIsReported)
{
    DPreview::s_bFailBrowserCreation = true;
    MessageRecorder messages;
    DPreview dlg;
    dlg.m_nContentWidth = 600;
    dlg.m_nContentHeight = 400;
    dlg.m_strAddress = "/nonexistent.html";
    ModalHook hook;
    dlg.DoModal();
    DPreview::s_bFailBrowserCreation = false;
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Can't create browser window.");
    EXPECT_EQ(messages.messages[0].type & 0xF0, unsigned(MB_ICONSTOP));
    EXPECT_EQ(dlg.m_pBrowser, nullptr);
}

#ifdef TESSEL_HAS_WEB
TEST(Preview, EmptyAddressShowsABlankBrowser)
{
    MessageRecorder messages;
    DPreview dlg;
    dlg.m_nContentWidth = 400;
    dlg.m_nContentHeight = 300;
    CString location = "unset";
    ModalHook hook([&](CDialog&) {
        ASSERT_NE(dlg.m_pBrowser, nullptr);
        location = dlg.m_pBrowser->GetLocationURL();
    });
    dlg.DoModal();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(location, "");
}

TEST(Preview, GeneratedPageLoadsWithoutScriptErrors)
{
    QTemporaryDir tmp;
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CPage* page = doc.m_pages.front().get();
    page->m_title = "Preview <Test> & more";
    CString error;
    const CString path = GeneratePagePreview(doc, page, 0, CString::FromQString(tmp.path()), &error);
    ASSERT_FALSE(path.IsEmpty()) << error.GetString();
    ASSERT_TRUE(QFileInfo::exists(path.ToQString())) << path.GetString();
    ASSERT_TRUE(path.ToQString().startsWith(tmp.path()));

    MessageRecorder messages;
    DPreview dlg;
    dlg.m_nContentWidth = 1024;
    dlg.m_nContentHeight = 700;
    dlg.m_strAddress = path;
    dlg.m_strCaption = "Home Page";
    bool loaded = false, ok = false;
    QString title, bodyText;
    std::vector<CHtmlView::ConsoleMessage> console;
    ModalHook hook([&](CDialog&) {
        ASSERT_NE(dlg.m_pBrowser, nullptr);
        dlg.m_pBrowser->m_onLoaded = [&](bool result) {
            loaded = true;
            ok = result;
        };
        ASSERT_TRUE(WaitFor([&] { return loaded; }, 60000)) << "the page did not load";
        bool done = false;
        dlg.m_pBrowser->RunScript("document.title", [&](const QString& text) {
            title = text;
            done = true;
        });
        ASSERT_TRUE(WaitFor([&] { return done; }, 10000));
        done = false;
        dlg.m_pBrowser->RunScript("document.body ? document.body.innerText : ''", [&](const QString& text) {
            bodyText = text;
            done = true;
        });
        ASSERT_TRUE(WaitFor([&] { return done; }, 10000));
        console = dlg.m_pBrowser->ConsoleMessages();
    });
    dlg.DoModal();
    EXPECT_TRUE(ok);
    EXPECT_EQ(title, "Preview <Test> & more");
    EXPECT_TRUE(bodyText.contains("Welcome to our website")) << bodyText.toStdString();
    for (const auto& m : console)
        EXPECT_LT(m.level, 2) << "line " << m.line << ": " << m.text.GetString();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(dlg.windowTitle(), "Home Page");
}
#endif
