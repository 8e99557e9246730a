// The Website, Title and Word Count dialogs both ways.
#include "DialogTestSupport.h"

#include "dialogs/SiteInfoDialogs.h"
#include "dialogs/TitleDialog.h"
#include "dialogs/WidgetDialogs.h"

#include <gtest/gtest.h>

using namespace dialogtest;

TEST(WebsiteDialog, ShowsAndReadsBackItsValuesAndSettingsEditACopy)
{
    for (bool settingsOk : {false, true}) {
        DWebsite dlg;
        dlg.m_strRootUrl = "https://example.com/";
        dlg.m_strGlobalTitle.FromUtf8("Caf\xC3\xA9 & Co");
        dlg.m_bFacebook = 0;
        dlg.m_strFacebookChannel = "Varnelo";
        dlg.m_nFacebookStyle = 0;
        const CDialog::ModalHook previous = CDialog::SetModalHook([settingsOk](CDialog& d) -> int {
            if (auto* facebook = dynamic_cast<DFacebook*>(&d)) {
                EXPECT_EQ(facebook->m_strChannel, CString("Varnelo"));
                facebook->m_strChannel = "Other";
                facebook->m_nStyle = 1;
                facebook->m_bFaces = 0;
                return settingsOk ? IDOK : IDCANCEL;
            }
            EXPECT_EQ(d.GetDlgItemText(1000), CString("https://example.com/"));
            EXPECT_EQ(d.GetDlgItemText(1001), CString("Caf\xC3\xA9 & Co"));
            d.SendNotify(1003, BN_CLICKED);
            d.SetDlgItemText(1000, "https://example.org/site/");
            d.SetDlgItemText(1001, "Shop");
            d.CheckDlgButton(1009, 1);
            PressOk(d);
            return d.GetResult();
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        CDialog::SetModalHook(previous);
        EXPECT_EQ(dlg.m_strRootUrl, CString("https://example.org/site/"));
        EXPECT_EQ(dlg.m_strGlobalTitle.GetUtf8(), CString("Shop"));
        EXPECT_EQ(dlg.m_bFacebook, 1);
        EXPECT_EQ(dlg.m_strFacebookChannel, CString(settingsOk ? "Other" : "Varnelo"));
        EXPECT_EQ(dlg.m_nFacebookStyle, settingsOk ? 1 : 0);
        EXPECT_EQ(dlg.m_nFacebookFaces, settingsOk ? 0 : 1);
    }
}

TEST(WebsiteDialog, CancelKeepsTheMembers)
{
    DWebsite dlg;
    dlg.m_strRootUrl = "https://example.com/";
    const int result = RunDialog(dlg, [](CDialog& d) {
        d.SetDlgItemText(1000, "changed");
        PressCancel(d);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg.m_strRootUrl, CString("https://example.com/"));
}

TEST(WordCountDialog, ShowsItsTextsAndEndsWithTheButtonsCodes)
{
    const struct { int button; int result; } cases[] = {{1002, 3001}, {1003, 3002}, {IDOK, IDOK}, {IDCANCEL, IDCANCEL}};
    for (const auto& k : cases) {
        DWordCount dlg;
        dlg.m_strFirst = "Words: 120";
        dlg.m_strSecond = "Pages: 3";
        const int button = k.button;
        const int result = RunDialog(dlg, [button](CDialog& d) {
            EXPECT_EQ(d.GetDlgItemText(1000), CString("Words: 120"));
            EXPECT_EQ(d.GetDlgItemText(1001), CString("Pages: 3"));
            PressButton(d, button);
        });
        EXPECT_EQ(result, k.result) << k.button;
    }
}

TEST(TitleDialog, CaptionOnlyWhenGivenAndValuesBothWays)
{
    for (const char* caption : {"", "New Page"}) {
        DTitle dlg;
        dlg.m_strCaption = caption;
        dlg.m_title.FromUtf8("Home");
        const int result = RunDialog(dlg, [](CDialog& d) {
            EXPECT_EQ(d.GetDlgItemText(1000), CString("Home"));
            d.SetDlgItemText(1001, "About us");
            d.SetDlgItemText(1002, "shop, tea");
            PressOk(d);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(CString::FromQString(dlg.windowTitle()), CString(*caption ? caption : "Title"));
        EXPECT_EQ(dlg.m_description.GetUtf8(), CString("About us"));
        EXPECT_EQ(dlg.m_keywords.GetUtf8(), CString("shop, tea"));
    }
}
