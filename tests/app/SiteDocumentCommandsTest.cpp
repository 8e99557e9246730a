// The site-wide commands of the project document: Page/Width, Website/Strings and
// View/Raw CSS through the document's command routing, with their dialogs answered.
#include "AppTestSupport.h"

#include "app/ProjectDocument.h"
#include "dialogs/CodeView.h"
#include "dialogs/SiteInfoDialogs.h"
#include "dialogs/SizeDialogs.h"
#include "dialogs/StringsDialogs.h"
#include "document/KJDoc.h"
#include "document/SiteCss.h"
#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "framework/core/Profile.h"
#include "framework/ui/CmdTarget.h"
#include "model/HeaderFooterItem.h"
#include "model/Page.h"
#include "resources/CommandIds.h"

#include <gtest/gtest.h>

namespace {
std::vector<BYTE> Bytes(CKJDoc& doc)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        doc.Serialize(ar);
        ar.Close();
    }
    return file.Bytes();
}

struct Answer {
    explicit Answer(CDialog::ModalHook hook) { previous = CDialog::SetModalHook(std::move(hook)); }
    ~Answer() { CDialog::SetModalHook(previous); }
    CDialog::ModalHook previous;
};

int Ok(CDialog& d)
{
    d.OnOK();
    return d.IsEnded() ? d.GetResult() : int(IDCANCEL);
}
} // namespace

TEST(SiteDocumentCommands, PageWidthCancelChangesNothingOkReachesEveryPageAndBand)
{
    CProjectDocument document;
    document.OnNewDocument();
    CKJDoc& doc = document.Project();
    doc.SetModifiedFlag(false);
    for (auto& p : doc.m_pages)
        p->m_nUploadState = 2;
    doc.m_nCssUploadState = 2;
    const std::vector<BYTE> before = Bytes(doc);
    {
        Answer a([](CDialog& d) {
            d.SetDlgItemText(1000, "1200");
            return int(IDCANCEL);
        });
        ExecuteCommand(&document, ID_PAGE_WIDTH);
    }
    EXPECT_EQ(Bytes(doc), before);
    EXPECT_FALSE(doc.IsModified());
    {
        Answer a([](CDialog& d) {
            EXPECT_EQ(d.GetDlgItemText(1000), "900");
            d.SetDlgItemText(1000, "1200");
            return Ok(d);
        });
        ExecuteCommand(&document, ID_PAGE_WIDTH);
    }
    EXPECT_EQ(doc.m_nPageWidth, 1200);
    for (auto& p : doc.m_pages) {
        EXPECT_EQ(p->m_nWidth, 1200);
        EXPECT_EQ(p->m_nUploadState, 0);
    }
    for (auto& b : doc.m_headerBands)
        EXPECT_EQ(b->m_nWidth, 1200);
    EXPECT_EQ(doc.m_nCssUploadState, 0);
    EXPECT_TRUE(doc.IsModified());
}

TEST(SiteDocumentCommands, StringsMarkThePagesOnlyWhenChangedAndRawCssShowsTheStylesheet)
{
    CProjectDocument document;
    document.OnNewDocument();
    CKJDoc& doc = document.Project();
    doc.SetModifiedFlag(false);
    {
        Answer a([](CDialog&) { return int(IDCANCEL); });
        ExecuteCommand(&document, ID_WEBSITE_STRINGS);
    }
    EXPECT_FALSE(doc.IsModified()) << "closing without a change";
    for (auto& p : doc.m_pages)
        p->m_nUploadState = 2;
    {
        Answer a([](CDialog& d) {
            if (auto* s = dynamic_cast<DStrings*>(&d)) {
                s->SendNotify(3, BN_CLICKED);
                return Ok(d);
            }
            d.SetDlgItemText(1000, "phone");
            d.SetDlgItemText(1003, "555");
            return Ok(d);
        });
        ExecuteCommand(&document, ID_WEBSITE_STRINGS);
    }
    ASSERT_EQ(doc.m_namedStrings.size(), 1u);
    EXPECT_TRUE(doc.IsModified());
    for (auto& p : doc.m_pages)
        EXPECT_EQ(p->m_nUploadState, 0) << "any page may hold the placeholder";

    // Cancel after the dialog edited the list: the project as it was, byte for byte.
    doc.SetModifiedFlag(false);
    const std::vector<BYTE> kept = Bytes(doc);
    {
        Answer a([](CDialog& d) {
            if (auto* s = dynamic_cast<DStrings*>(&d)) {
                s->SendNotify(3, BN_CLICKED);
                EXPECT_EQ(s->m_pDoc->m_namedStrings.size(), 2u) << "the dialog edits the live list";
                return int(IDCANCEL);
            }
            d.SetDlgItemText(1000, "fax");
            d.SetDlgItemText(1003, "556");
            return Ok(d);
        });
        ExecuteCommand(&document, ID_WEBSITE_STRINGS);
    }
    EXPECT_EQ(Bytes(doc), kept);
    EXPECT_FALSE(doc.IsModified());
    ASSERT_EQ(doc.m_namedStrings.size(), 1u);

    CString shown, caption;
    {
        Answer a([&](CDialog& d) {
            auto& css = dynamic_cast<DCss&>(d);
            shown = css.m_strCss;
            caption = CString::FromQString(css.windowTitle());
            return int(IDOK);
        });
        ExecuteCommand(&document, ID_VIEW_RAW_CSS);
    }
    CString expected;
    BuildSiteCss(doc, expected);
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(caption, "styles.css");
}

// Website/Settings: Cancel changes nothing; OK without a change marks nothing; a new root
// address marks the project (it is saved with it) and is remembered; a new global title
// or social-network tab reaches every page.
TEST(SiteDocumentCommands, SettingsMarkWhatTheyChange)
{
    struct Case {
        const char* name;
        int result;
        const char* root;
        const char* title;
        int facebook;
        bool modified, pagesMarked;
    } cases[] = {
        {"cancel", IDCANCEL, "https://changed.example/", "Changed", 1, false, false},
        {"ok unchanged", IDOK, nullptr, nullptr, -1, false, false},
        {"root address", IDOK, "https://www.example.org/", nullptr, -1, true, false},
        {"global title", IDOK, nullptr, " | Tessel & Co", -1, true, true},
        {"social tab", IDOK, nullptr, nullptr, 1, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteProfileString("Server", "Root", "");
        CProjectDocument document;
        document.OnNewDocument();
        CKJDoc& doc = document.Project();
        doc.m_strRootUrl = "http://www.example.com/";
        doc.SetModifiedFlag(false);
        for (auto& p : doc.m_pages)
            p->m_nUploadState = 2;
        const std::vector<BYTE> before = Bytes(doc);
        {
            Answer a([&](CDialog& d) {
                EXPECT_NE(dynamic_cast<DWebsite*>(&d), nullptr);
                EXPECT_EQ(d.GetDlgItemText(1000), "http://www.example.com/");
                if (c.root)
                    d.SetDlgItemText(1000, c.root);
                if (c.title)
                    d.SetDlgItemText(1001, c.title);
                if (c.facebook >= 0)
                    d.CheckDlgButton(1009, c.facebook);
                if (c.result != IDOK)
                    return c.result;
                return Ok(d);
            });
            ExecuteCommand(&document, ID_WEBSITE_SETTINGS);
        }
        EXPECT_EQ(doc.IsModified(), c.modified);
        if (!c.modified) {
            EXPECT_EQ(Bytes(doc), before);
        }
        if (c.root) {
            EXPECT_EQ(doc.m_strRootUrl, CString(c.result == IDOK ? c.root : "http://www.example.com/"));
        }
        if (c.title && c.result == IDOK) {
            EXPECT_EQ(doc.m_globalTitle.ToQString(), QString::fromUtf8(c.title));
        }
        if (c.facebook >= 0 && c.result == IDOK) {
            EXPECT_EQ(doc.m_bFacebookConnect, c.facebook);
        }
        for (auto& p : doc.m_pages)
            EXPECT_EQ(p->m_nUploadState, c.pagesMarked ? 0 : 2);
        EXPECT_EQ(GetProfileString("Server", "Root", ""),
                  CString(c.result == IDOK ? (c.root ? c.root : "http://www.example.com/") : ""));
    }
}

// View/Word Count shows the counts in its dialog; closing it changes nothing.
TEST(SiteDocumentCommands, WordCountShowsTheCountsAndChangesNothing)
{
    CProjectDocument document;
    document.OnNewDocument();
    CKJDoc& doc = document.Project();
    doc.SetModifiedFlag(false);
    const std::vector<BYTE> before = Bytes(doc);
    CString labels, values;
    {
        Answer a([&](CDialog& d) {
            auto& count = dynamic_cast<DWordCount&>(d);
            labels = count.m_strFirst;
            values = count.m_strSecond;
            return int(IDOK);
        });
        ExecuteCommand(&document, ID_VIEW_WORD_COUNT);
    }
    EXPECT_FALSE(labels.IsEmpty());
    EXPECT_FALSE(values.IsEmpty());
    EXPECT_EQ(Bytes(doc), before);
    EXPECT_FALSE(doc.IsModified());
}
