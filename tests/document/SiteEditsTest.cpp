// Changes to the site's structure without a window: pages, folders and masters made,
// moved and removed leave no pointer, id or stale upload state behind, and the next
// upload sends what the change touched.
#include "DocTestSupport.h"
#include "GenerateTestSupport.h"

#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "document/SiteEdits.h"
#include "document/Upload.h"
#include "document/Generate.h"
#include "model/ItemAction.h"
#include "model/items/ParagraphItem.h"
#include "model/PageOutput.h"
#include "../support/ExternalTools.h"
#include "model/Clipboard.h"
#include "model/Folder.h"
#include "model/GroupItem.h"
#include "model/MasterItem.h"
#include "model/Page.h"
#include "model/PublishContext.h"

#include <gtest/gtest.h>
#include <QtCore/QTemporaryDir>

namespace {
CPage* NewPage(CKJDoc& doc, const char* title, CFolder* folder, const char* name)
{
    CWString t;
    t = title;
    return InsertSitePage(doc, doc.m_pages.empty() ? nullptr : doc.m_pages.back().get(), t, folder, name);
}

// The remote names one upload generation lists, after the last one counted as sent.
QStringList Listed(CKJDoc& doc)
{
    QTemporaryDir folder;
    CPublishContext context;
    EXPECT_TRUE(GenerateForUpload(doc, context, false, folder));
    QStringList names;
    for (const auto& f : context.GetFiles()) {
        if (!f->m_bDirectory)
            names << f->m_strRemoteName.ToQString();
        if (f->m_pUploadState)
            *f->m_pUploadState = kUploadDone; // as a finished upload leaves it
        for (int* shared : f->m_sharedStates)
            *shared = kUploadDone;
    }
    names.sort();
    return names;
}
} // namespace

TEST(SiteEdits, PagesGoAfterTheirOriginAndKeepTheirFolder)
{
    CKJDoc doc;
    doc.ResetToNewSite();
    CPage* home = doc.m_pages.front().get();
    CPage* last = NewPage(doc, "Last", nullptr, "last");
    CWString t;
    t = "Middle";
    CPage* middle = InsertSitePage(doc, home, t, nullptr, "mid dle");
    ASSERT_EQ(doc.m_pages.size(), 3u);
    EXPECT_EQ(doc.m_pages[1].get(), middle);
    EXPECT_EQ(doc.m_pages[2].get(), last);
    EXPECT_EQ(middle->m_strBaseName, "middle") << "made safe: the blank goes";
    EXPECT_EQ(middle->m_title.GetUtf8(), "Middle");
}

TEST(SiteEdits, FolderNumbersStayUniqueAndMovesIntoThemselvesAreRefused)
{
    CKJDoc doc;
    doc.m_nPageCounter = 8;
    CFolder* a = InsertSiteFolder(doc, nullptr, "a");
    EXPECT_EQ(a->m_nSerial, 8);
    EXPECT_EQ(doc.m_nPageCounter, 10);
    doc.m_nPageCounter = 8; // as a project whose counter fell behind its folders
    CFolder* b = InsertSiteFolder(doc, a, "b");
    EXPECT_EQ(b->m_nSerial, 9);
    EXPECT_EQ(doc.FindFolderById(9), b);
    CFolder* c = InsertSiteFolder(doc, b, "c");

    EXPECT_FALSE(RenameSiteFolder(doc, *a, "x", c)) << "into a grandchild";
    EXPECT_FALSE(RenameSiteFolder(doc, *a, "x", a)) << "into itself";
    EXPECT_EQ(a->m_strBaseName, "a");
    EXPECT_EQ(a->GetParentFolder(), nullptr);
    EXPECT_TRUE(RenameSiteFolder(doc, *c, "c2", nullptr));
    EXPECT_EQ(c->GetParentFolder(), nullptr);
    EXPECT_EQ(c->m_nParentId, 0);
    EXPECT_EQ(c->m_strBaseName, "c2");
}

TEST(SiteEdits, DetachingAPageDropsClonesOfItsItemsAndTheUndoList)
{
    CKJDoc doc;
    doc.ResetToNewSite();
    CPage* home = doc.m_pages.front().get();
    CPage* other = NewPage(doc, "Other", nullptr, "other");
    CItem* heading = other->GetChild(0);
    PageAddClone(home, heading);
    doc.RecordUndo(other, other, nullptr, "x");
    std::unique_ptr<CItem> gone = DetachSitePage(doc, other);
    ASSERT_EQ(gone.get(), other);
    EXPECT_EQ(doc.m_pages.size(), 1u);
    EXPECT_TRUE(home->m_clones.empty());
    EXPECT_TRUE(doc.m_undo.IsEmpty());
    EXPECT_EQ(DetachSitePage(doc, home), nullptr) << "the last page stays";
    EXPECT_EQ(doc.m_pages.size(), 1u);
}

TEST(SiteEdits, DetachingAMasterClearsThePagesReferences)
{
    CKJDoc doc;
    doc.ResetToNewSite();
    NewPage(doc, "Two", nullptr, "two");
    CMasterItem* first = InsertSiteMaster(doc);
    EXPECT_EQ(first->m_strName, "Master 1");
    EXPECT_EQ(first->m_nWidth, doc.m_nPageWidth);
    EXPECT_EQ(first->m_nHeight, 500);
    CMasterItem* second = InsertSiteMaster(doc);
    EXPECT_EQ(second->m_strName, "Master 2");
    for (auto& p : doc.m_pages) {
        EXPECT_EQ(p->m_pMaster2, first) << "a page with a second master keeps it";
        p->m_pMaster1 = second;
        p->m_nMaster1Id = second->m_nSerial;
    }
    std::unique_ptr<CItem> gone = DetachSiteMaster(doc, first);
    ASSERT_EQ(gone.get(), first);
    for (auto& p : doc.m_pages) {
        EXPECT_EQ(p->m_pMaster2, nullptr);
        EXPECT_EQ(p->m_nMaster2Id, 0);
        EXPECT_EQ(p->m_pMaster1, second);
    }
    // the project writes and reads back without the master
    CKJDoc again;
    doctest::LoadFromBytes(again, doctest::SaveToBytes(doc));
    EXPECT_EQ(again.m_masters.size(), 1u);
}

TEST(SiteEdits, AfterPageWidthOrADeletionTheUploadSendsTheChangedFiles)
{
    CKJDoc doc;
    gentest::BuildSampleSite(doc, false);
    doc.SetTitle("Sample");
    doctest::MessageRecorder messages;
    ASSERT_FALSE(Listed(doc).isEmpty());
    EXPECT_TRUE(Listed(doc).isEmpty()) << "nothing changed";

    {
        CEditScope scope(doc);
        ASSERT_TRUE(SetSitePageWidth(doc, doc.m_nPageWidth + 40));
        scope.TouchSite();
    }
    const QStringList afterWidth = Listed(doc);
    EXPECT_TRUE(afterWidth.contains("styles.css"));
    for (const auto& p : doc.m_pages)
        EXPECT_TRUE(afterWidth.contains((GetFolderPath(p.get()) + p->GetFileName()).ToQString()))
            << p->GetFileName().GetString();

    ASSERT_GE(doc.m_pages.size(), 2u);
    {
        CEditScope scope(doc);
        std::unique_ptr<CItem> gone = DetachSitePage(doc, doc.m_pages.back().get());
        ASSERT_TRUE(gone);
        scope.TouchSite();
    }
    const QStringList afterDelete = Listed(doc);
    for (const auto& p : doc.m_pages)
        EXPECT_TRUE(afterDelete.contains((GetFolderPath(p.get()) + p->GetFileName()).ToQString()))
            << "links to the deleted page changed on " << p->GetFileName().GetString();
}

TEST(SiteEdits, PreviewOnlineAddress)
{
    struct Case {
        const char* root;
        const char* path;
        bool ok;
        const char* address;
    } cases[] = {
        {"http://example.com", "about.html", true, "http://example.com/about.html"},
        {"http://example.com/", "about.html", true, "http://example.com/about.html"},
        {"https://example.com/site", "shop/index.html", true, "https://example.com/site/shop/index.html"},
        {" HTTPS://EXAMPLE.COM/ ", "/x.html", true, "HTTPS://EXAMPLE.COM/x.html"},
        {"example.com", "x.html", false, ""},
        {"ftp://example.com", "x.html", false, ""},
        {"file:///etc/passwd", "", false, ""},
        {"javascript:alert(1)//http://", "", false, ""},
        {"http://", "x.html", false, ""},
        {"", "x.html", false, ""},
    };
    for (const Case& c : cases) {
        CString address;
        EXPECT_EQ(MakePreviewOnlineAddress(c.root, c.path, address), c.ok) << c.root;
        if (c.ok) {
            EXPECT_EQ(address, c.address) << c.root;
        }
    }
}

TEST(SiteEdits, ActionStepsWithQuotesBackslashesAndScriptEndsStayValid)
{
    CKJDoc doc;
    doc.ResetToNewSite();
    CPage* page = doc.m_pages.front().get();
    CItem* target = doc.NewParagraph();
    target->m_strText = CWString(u"Click me");
    page->AddChild(target);
    target->m_strName = "p1";
    CItemAction& click = target->m_actions[0];
    const char16_t hostile[] = u"it's \"q\" \\ one\r\ntwo </script><b>";
    CActionStep& text = click.AddStep();
    text.m_nKind = kStepChangeText;
    text.m_strTarget = "p1";
    text.m_wstrText = CWString(hostile);
    CActionStep& font = click.AddStep();
    font.m_nKind = kStepFontName;
    font.m_strTarget = "p1";
    font.m_strName = "a'b\"c\\</script>";
    CActionStep& open = click.AddStep();
    open.m_nKind = kStepOpenAddress;
    open.m_strName = "http://example.com/?a='b\"</script>";
    click.m_wstrScript = CWString(u"var s = '</script>';");

    CString script;
    click.GetScript(script);
    EXPECT_EQ(testsupport::JsSyntaxErrors(QByteArray(script.GetString())), QByteArray()) << script.GetString();
    CPageOutput out(kPublishUpload, doc.m_nPageWidth);
    BuildPageHtml(doc, page, out);
    const QByteArray html(out.m_strFinalPage.GetString());
    EXPECT_EQ(testsupport::TidyErrors(html), QByteArray());
    EXPECT_FALSE(html.contains("</script><b>")) << "the text never closes a script";
}
