// Insert/Background for the page and for all pages, and the page's own code (JavaScript,
// Raw HTML, Raw HEAD, Raw PHP): OK is one change of the page, Cancel leaves the project as
// it was.
#include "CommandTestSupport.h"
#include "EditingFixture.h"
#include "InsertTestSupport.h"

#include "dialogs/Background.h"
#include "dialogs/CodeTextDialogs.h"
#include "dialogs/PhpDialogs.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "framework/ui/Frames.h"
#include "model/FillStyle.h"
#include "model/Page.h"

#include <QtWidgets/QPlainTextEdit>
#include <gtest/gtest.h>

using namespace edtest;
using instest::Enabled;

namespace {

// Answers the first dialog of the given kind: the code box gets text, then OK or Cancel.
struct Answer {
    CDialog::ModalHook previous;
    std::vector<std::string> shown; // dialog classes, in order
    QString captions;
    Answer(bool ok, const QString& code = QString())
    {
        previous = CDialog::SetModalHook([this, ok, code](CDialog& d) -> int {
            shown.push_back(typeid(d).name());
            captions += d.windowTitle() + QLatin1Char('|');
            if (auto* box = dynamic_cast<DCodeTextBase*>(&d); box && box->Editor())
                box->Editor()->setPlainText(code);
            if (!ok)
                return IDCANCEL;
            d.OnOK();
            return d.GetResult();
        });
    }
    ~Answer() { CDialog::SetModalHook(previous); }
};

CString Utf8(const CWString& text)
{
    CString out;
    text.ToUtf8(out);
    return out;
}

} // namespace

TEST(PageCodeCommands, EachCodeDialogEditsItsPageTextAsOneChange)
{
    struct Case {
        UINT id;
        CWString CPage::*text;
        const char* dialog;
        const char* caption; // before " : " and the page title
        bool undo;           // Raw PHP is kept out of undo
    };
    const Case cases[] = {
        {ID_PAGE_JAVASCRIPT, &CPage::m_script, "DJavaScript", "JavaScript", true},
        {ID_PAGE_RAW_HTML, &CPage::m_bodyText, "DHtml", "Raw HTML", true},
        {ID_PAGE_RAW_HEAD, &CPage::m_pageExtra, "DHeadCode", "Raw HEAD", true},
        {ID_PAGE_RAW_PHP, &CPage::m_phpCode, "DRawPhp", "Raw PHP", false},
    };
    for (const Case& k : cases) {
        for (bool ok : {false, true}) {
            SCOPED_TRACE(testing::Message() << k.dialog << (ok ? " OK" : " Cancel"));
            EditCanvas c;
            c.page->m_title.FromUtf8("Home");
            (c.page->*k.text).FromUtf8("old");
            c.doc.SetModifiedFlag(false);
            c.page->m_nUploadState = 2;
            const std::vector<BYTE> before = ProjectBytes(c.doc);
            EXPECT_TRUE(Enabled(c.view(), k.id));
            {
                Answer answer(ok, QStringLiteral("new </script> text"));
                ExecuteCommand(&c.view(), k.id);
                ASSERT_EQ(answer.shown.size(), 1u);
                EXPECT_NE(answer.shown[0].find(k.dialog), std::string::npos) << answer.shown[0];
                EXPECT_TRUE(answer.captions.startsWith(QString::fromUtf8(k.caption) + QStringLiteral(" : Home")))
                    << answer.captions.toStdString();
            }
            if (!ok) {
                EXPECT_EQ(ProjectBytes(c.doc), before);
                EXPECT_FALSE(c.doc.IsModified());
                EXPECT_TRUE(c.doc.m_undo.IsEmpty());
                continue;
            }
            EXPECT_EQ(Utf8(c.page->*k.text), CString("new </script> text"));
            EXPECT_TRUE(c.doc.IsModified());
            EXPECT_EQ(c.page->m_nUploadState, 0);
            EXPECT_EQ(c.doc.m_undo.GetCount(), k.undo ? 1u : 0u);
        }
    }
}

TEST(PageCodeCommands, OnlyForThePageItself)
{
    EditCanvas c;
    CItem* group = c.Add(ITEM_GROUP, 10, 10, 200, 200);
    c.view().EnterContainer(group);
    for (UINT id : {ID_PAGE_JAVASCRIPT, ID_PAGE_RAW_HTML, ID_PAGE_RAW_HEAD, ID_PAGE_RAW_PHP, ID_BACKGROUND_MASTER})
        EXPECT_FALSE(Enabled(c.view(), id)) << id;
    EXPECT_TRUE(Enabled(c.view(), ID_BACKGROUND_PAGE)) << "the entered box has a background of its own";
}

TEST(PageBackgroundCommands, PageBackgroundOkIsOneStepAndCancelChangesNothing)
{
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        EditCanvas c;
        c.page->m_title.FromUtf8("Home");
        ASSERT_TRUE(c.page->m_pFill);
        c.doc.SetModifiedFlag(false);
        c.page->m_nUploadState = 2;
        const std::vector<BYTE> before = ProjectBytes(c.doc);
        {
            Answer answer(ok);
            ExecuteCommand(&c.view(), ID_BACKGROUND_PAGE);
            ASSERT_EQ(answer.shown.size(), 1u);
            EXPECT_NE(answer.shown[0].find("DBackground"), std::string::npos);
            EXPECT_TRUE(answer.captions.startsWith(QStringLiteral("Background : Home"))) << answer.captions.toStdString();
        }
        if (!ok) {
            EXPECT_EQ(ProjectBytes(c.doc), before);
            EXPECT_FALSE(c.doc.IsModified());
            EXPECT_TRUE(c.doc.m_undo.IsEmpty());
            continue;
        }
        EXPECT_TRUE(c.doc.IsModified());
        EXPECT_EQ(c.page->m_nUploadState, 0);
        ASSERT_EQ(c.doc.m_undo.GetCount(), 1u);
        EXPECT_STREQ(c.doc.m_undo.GetHead()->m_strDescription.GetString(), "Background");
    }
}

TEST(PageBackgroundCommands, AllPagesBackgroundClearsEveryPagesOwnFill)
{
    EditCanvas c;
    CPage* second = AddPage(c.doc, 600, 400, 0x00FF00);
    ASSERT_TRUE(c.page->m_pFill && second->m_pFill);
    c.page->m_pFill->m_crColor = 0x0000FF;
    {
        Answer cancel(false);
        ExecuteCommand(&c.view(), ID_BACKGROUND_MASTER);
        ASSERT_EQ(cancel.shown.size(), 1u);
    }
    EXPECT_EQ(c.page->m_pFill->m_crColor, 0x0000FFu) << "Cancel keeps the pages' fills";
    {
        Answer ok(true);
        ExecuteCommand(&c.view(), ID_BACKGROUND_MASTER);
        ASSERT_EQ(ok.shown.size(), 1u);
        EXPECT_TRUE(ok.captions.startsWith(QStringLiteral("All Pages Background"))) << ok.captions.toStdString();
    }
    for (CPage* page : {c.page, second}) {
        EXPECT_EQ(page->m_pFill->m_nKind, int(CFillStyle::KindColor));
        EXPECT_EQ(page->m_pFill->m_crColor, 0xFFFFFFFFu) << "no colour of its own: the shared background shows";
        EXPECT_EQ(page->m_nUploadState, 0);
    }
    EXPECT_TRUE(c.doc.IsModified());
}
