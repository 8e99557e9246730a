// The Website Wizard's builders without a window: the sample site, the page changes the
// wizard makes live, the finish step with its mail script, and the contact form.
#include "DocTestSupport.h"
#include "document/ContactForm.h"
#include "document/EditScope.h"
#include "document/Generate.h"
#include "document/KJDoc.h"
#include "document/WizardState.h"
#include "model/HeaderFooterItem.h"
#include "model/MasterItem.h"
#include "model/Page.h"
#include "model/SiteObject.h"
#include "model/Picture.h"
#include "model/items/ArtisticTextItem.h"
#include "model/items/FormFieldItem.h"
#include "model/items/FormItem.h"
#include "model/items/GoogleMapItem.h"
#include "model/items/ImageButtonItem.h"
#include "model/items/ImageItem.h"
#include "model/items/InputFieldItem.h"
#include "model/items/LinkItem.h"
#include "model/items/ListControlItem.h"
#include "model/items/MenuItem.h"
#include "model/items/PhpItem.h"
#include "model/items/SubmitButtonItem.h"
#include "model/items/TextItem.h"
#include "support/ExternalTools.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>

namespace {
// The wizard's pictures in the source tree.
CString WizardFolder()
{
    // CTest names the source folder; __FILE__ may be relative to the build folder.
    const QByteArray root = qgetenv("TESSEL_SOURCE_DIR");
    const QString base = root.isEmpty() ? QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../..") : QString::fromLocal8Bit(root);
    return CString::FromQString(QDir::cleanPath(base + QStringLiteral("/data/wizard"))) + "/";
}

struct BuiltSite {
    CKJDoc doc;
    CWizardState state;
    explicit BuiltSite(bool allSubpages = true, bool menu = true)
    {
        state.wizardFolder = WizardFolder();
        state.wantDiscounts = state.wantVideos = state.wantGallery = state.wantPrices = state.wantDirections =
            allSubpages ? 1 : 0;
        state.dropDownMenu = menu ? 1 : 0;
        doc.ResetToNewSite();
        doc.FreeDocumentContent();
        doc.BuildThemeWebsite(state);
    }
};

template <class T> std::vector<T*> ChildrenOf(const CGroupItem& group)
{
    std::vector<T*> out;
    for (const auto& child : group.GetChildren())
        if (auto* t = dynamic_cast<T*>(child.get()))
            out.push_back(t);
    return out;
}

QString Text(const CWString& s) { return s.ToQString(); }
} // namespace

TEST(WizardState, ScaleBySizeModeTruncatesTowardZero)
{
    CWizardState s;
    struct Case {
        int mode, v, expected;
    } cases[] = {{0, 900, 600}, {2, 900, 1350}, {0, -16, -10}, {2, -16, -24}, {0, -20, -13}, {2, 25, 37}, {1, 77, 77}, {5, 77, 77}};
    for (const Case& c : cases) {
        s.sizeMode = c.mode;
        EXPECT_EQ(s.ScaleBySizeMode(c.v), c.expected) << c.mode << " " << c.v;
    }
}

TEST(WizardState, FontNamesByIndex)
{
    CWizardState s;
    const std::pair<int, const char*> cases[] = {{0, "Verdana"}, {1, "Arial"}, {2, "Times"}, {3, "Courier"},
                                                 {6, "Lucida Sans Unicode"}, {10, "Trebuchet MS"}, {11, "Verdana"},
                                                 {-1, "Verdana"}};
    for (auto [index, face] : cases) {
        s.defaultFont = index;
        EXPECT_EQ(s.GetFontName(), CString(face)) << index;
    }
}

TEST(ThemeBuilder, EverySubpageGivesFourteenPagesAndTheLinkColumn)
{
    BuiltSite site(true);
    CKJDoc& doc = site.doc;
    ASSERT_EQ(doc.m_pages.size(), 14u);
    const char* titles[] = {"Home Page", "Start", "Company", "Products", "Services", "Delivery", "Resources", "Contact",
                            "Special Discounts", "Videos", "Photo Gallery", "Price Lists", "Driving Directions",
                            "More Resources"};
    for (size_t i = 0; i < 14; ++i)
        EXPECT_EQ(Text(doc.m_pages[i]->m_title), QString::fromUtf8(titles[i])) << i;
    EXPECT_EQ(doc.m_pages[0]->m_strBaseName, CString("index"));
    ASSERT_EQ(doc.m_masters.size(), 1u);
    const auto links = ChildrenOf<CLinkItem>(*doc.m_masters[0]);
    ASSERT_EQ(links.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(links[i]->m_nY, 455 + 25 * int(i));
        EXPECT_EQ(links[i]->m_nX, 680);
        EXPECT_EQ(links[i]->m_link.m_nTargetId, doc.m_pages[8 + i]->m_nSerial);
    }
    // The first eight pages carry the master.
    for (size_t i = 0; i < 8; ++i)
        EXPECT_EQ(doc.m_pages[i]->m_pMaster1, doc.m_masters[0].get()) << i;
    CPage* directions = doc.m_pages[12].get();
    const auto maps = ChildrenOf<CGoogleMapItem>(*directions);
    ASSERT_EQ(maps.size(), 1u);
    EXPECT_EQ(maps[0]->m_strName, CString("contactmap"));
    EXPECT_EQ(maps[0]->m_nY, 90);
    const auto lookups = ChildrenOf<CLinkItem>(*directions);
    ASSERT_EQ(lookups.size(), 1u);
    EXPECT_EQ(lookups[0]->m_link.m_nKind, int(kLinkAddress));
    EXPECT_EQ(lookups[0]->m_link.m_bNewWindow, 1);
    EXPECT_TRUE(lookups[0]->m_link.m_strUrl.Left(8) == "https://");
}

TEST(ThemeBuilder, NoSubpageGivesNinePages)
{
    BuiltSite site(false);
    ASSERT_EQ(site.doc.m_pages.size(), 9u);
    EXPECT_EQ(Text(site.doc.m_pages[8]->m_title), QStringLiteral("More Resources"));
    const auto links = ChildrenOf<CLinkItem>(*site.doc.m_masters[0]);
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0]->m_nY, 455);
}

TEST(ThemeBuilder, DropDownMenuOffMakesNoMenuAndKeepsTheCounter)
{
    CKJDoc doc;
    CWizardState state;
    state.wizardFolder = WizardFolder();
    state.dropDownMenu = 0;
    doc.m_nItemCounter = 7;
    doc.BuildThemeWebsite(state);
    ASSERT_EQ(doc.m_headerBands.size(), 1u);
    EXPECT_EQ(doc.m_headerBands[0]->m_nHeight, 100);
    EXPECT_TRUE(ChildrenOf<CMenuItem>(*doc.m_headerBands[0]).empty());
    EXPECT_EQ(doc.m_nItemCounter, 7);

    CKJDoc withMenu;
    CWizardState on;
    on.wizardFolder = WizardFolder();
    withMenu.m_nItemCounter = 7;
    withMenu.BuildThemeWebsite(on);
    const auto menus = ChildrenOf<CMenuItem>(*withMenu.m_headerBands[0]);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0]->m_strName, CString("Menu7"));
    EXPECT_EQ(withMenu.m_nItemCounter, 8);
    EXPECT_EQ(withMenu.m_headerBands[0]->m_nHeight, 135);
    EXPECT_EQ(menus[0]->m_topEntries.size(), 5u);
    EXPECT_EQ(menus[0]->m_dropEntries.size(), 12u);
    EXPECT_EQ(menus[0]->m_nY + menus[0]->m_nHeight, 135);
}

TEST(ThemeBuilder, MenuButtonsStandInARowEndingAt900)
{
    BuiltSite site;
    CWizardState& s = site.state;
    ASSERT_EQ(s.menuButtons.size(), 6u);
    struct Style {
        int style, firstX, step, y, height, shape;
    } styles[] = {{4, 310, 100, 35, 30, 3}, {1, 285, 105, 10, 80, 0}, {3, 285, 105, 10, 80, 1}, {6, 310, 100, 35, 30, 4}};
    for (const Style& st : styles) {
        s.menuStyle = st.style;
        s.ApplyWizardMenuStyle();
        for (size_t i = 0; i < 6; ++i) {
            const CImageButtonItem& b = *s.menuButtons[i];
            EXPECT_EQ(b.m_nX, st.firstX + st.step * int(i)) << st.style << " " << i;
            EXPECT_EQ(b.m_nY, st.y) << st.style;
            EXPECT_EQ(b.m_nRenderWidth, 90);
            EXPECT_EQ(b.m_nRenderHeight, st.height);
            EXPECT_EQ(b.m_nFrameShape, st.shape);
        }
        EXPECT_EQ(s.menuButtons[5]->m_nX + s.menuButtons[5]->m_nRenderWidth, 900);
    }
    // The buttons link to the six menu pages and carry their titles.
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(s.menuButtons[i]->m_link.m_nTargetId, site.doc.m_pages[2 + i]->m_nSerial);
        EXPECT_EQ(s.menuButtons[i]->m_strText, site.doc.m_pages[2 + i]->m_title);
    }
}

TEST(ThemeBuilder, HomePageHoldsPictureSloganButtonAndTexts)
{
    BuiltSite site;
    CWizardState& s = site.state;
    CPage* home = site.doc.m_pages[0].get();
    ASSERT_NE(s.mainImage, nullptr) << "the wizard's own picture was read";
    EXPECT_EQ(s.mainImage->m_picture.GetWidth(), 900);
    EXPECT_EQ(s.mainImage->m_picture.GetHeight(), 300);
    ASSERT_NE(s.sloganItem, nullptr);
    EXPECT_EQ(s.sloganItem->m_nX + s.sloganItem->m_nWidth, 870);
    EXPECT_EQ(s.sloganItem->m_nY + s.sloganItem->m_nHeight, 270);
    ASSERT_NE(s.mainButton, nullptr);
    EXPECT_EQ(s.mainButton->m_link.m_nTargetId, site.doc.m_pages[1]->m_nSerial);
    EXPECT_EQ(s.mainButton->m_nX, 690);
    ASSERT_NE(s.companyItem, nullptr);
    EXPECT_EQ(s.companyItem->m_crText, COLORREF(0x0000FF));
    EXPECT_EQ(site.doc.m_styles.m_styles[0].m_nSize, 28);
    EXPECT_EQ(site.doc.m_websiteBackground.m_nKind, int(CFillStyle::KindGradient));
    EXPECT_EQ(site.doc.m_websiteBackground.m_nLength, 700);
    // Ten texts, the picture, the button and the slogan.
    EXPECT_EQ(home->GetChildCount(), 13);
    EXPECT_EQ(home->m_pHeaderBand, site.doc.m_headerBands[0].get());
    EXPECT_EQ(home->m_pFooterBand, site.doc.m_footerBands[0].get());
}

TEST(WizardChanges, ColourPresetsAndHeadingTablesReachTheFields)
{
    BuiltSite site;
    CWizardState& s = site.state;
    s.ApplyColourPreset(site.doc, 4); // "Blue"
    EXPECT_EQ(site.doc.m_websiteBackground.m_crStart, COLORREF(0xA87464));
    EXPECT_EQ(site.doc.m_websiteBackground.m_crColor, COLORREF(0xFFCEAA));
    for (const auto& b : s.menuButtons) {
        EXPECT_EQ(b->m_crSecond, COLORREF(0xFFAA96));
        EXPECT_EQ(b->m_crFrame, COLORREF(0xFAFAFA));
        EXPECT_EQ(b->m_nFrameShading, 1);
        EXPECT_EQ(b->m_nInteriorShading, 2);
        EXPECT_EQ(b->m_bGlass, 1);
    }
    EXPECT_EQ(s.mainButton->m_crSecond, COLORREF(0xFFAA96));
    EXPECT_EQ(s.companyItem->m_crText, COLORREF(0xFFFFFF));
    for (const auto& page : site.doc.m_pages)
        EXPECT_EQ(page->m_pFill->m_crColor, COLORREF(0xFFFFFFFF));
    s.ApplyColourPreset(site.doc, 6); // "Sepia"
    EXPECT_EQ(site.doc.m_pages[3]->m_pFill->m_crColor, COLORREF(0xAFE3FF));
    EXPECT_EQ(s.menuButtons[0]->m_crText, COLORREF(0x235268));
    // Out of range: no field changes, the site gets the record again.
    s.ApplyColourPreset(site.doc, 99);
    EXPECT_EQ(s.generalStyle, 6);

    s.ApplyHeadingTables(site.doc, 2, 8); // "Palatino", "Pink"
    const CSiteStyles& st = site.doc.m_styles;
    EXPECT_EQ(st.m_styles[0].m_strFamily, CString("Palatino Linotype"));
    EXPECT_EQ(st.m_styles[1].m_nSize, 14);
    EXPECT_EQ(st.m_styles[3].m_strFamily, CString("Times"));
    EXPECT_EQ(st.m_styles[0].m_crText, COLORREF(0xAA00E6));
    EXPECT_EQ(st.m_styles[3].m_crText, COLORREF(0xBE00FF));
    s.ApplyHeadingTables(site.doc, 40, 10); // fonts stay, colours from "Emerald"
    EXPECT_EQ(st.m_styles[0].m_strFamily, CString("Palatino Linotype"));
    EXPECT_EQ(st.m_styles[2].m_crText, COLORREF(0x82BE3C));
    s.ApplyDefaultFont(site.doc, 9);
    EXPECT_EQ(st.m_base.m_strFamily, CString("Comic Sans MS"));
}

TEST(WizardChanges, BackgroundColoursFollowTheTheme)
{
    BuiltSite site;
    CWizardState& s = site.state;
    CFillStyle& bg = site.doc.m_websiteBackground;
    s.ApplyBackgroundTheme(site.doc, 0);
    s.ApplyBottomColour(site.doc, 0x123456);
    EXPECT_EQ(bg.m_nKind, int(CFillStyle::KindColor));
    EXPECT_EQ(bg.m_crColor, COLORREF(0x123456));
    s.ApplyBackgroundTheme(site.doc, 1);
    s.ApplyTopColour(site.doc, 0x00FF00);
    EXPECT_EQ(bg.m_nKind, int(CFillStyle::KindGradient));
    EXPECT_EQ(bg.m_crStart, COLORREF(0x00FF00));
    EXPECT_EQ(bg.m_crColor, COLORREF(0x123456));
    s.ApplyBackgroundTheme(site.doc, 3); // "Stars"
    EXPECT_EQ(bg.m_nKind, int(CFillStyle::KindPicture));
    ASSERT_EQ(site.doc.m_textures.size(), 1u);
    EXPECT_EQ(bg.m_pPicture, site.doc.m_textures[0].get());
    EXPECT_GT(bg.m_pPicture->m_picture.GetWidth(), 0);
    s.ApplyBackgroundTheme(site.doc, 2); // reuses the texture
    EXPECT_EQ(site.doc.m_textures.size(), 1u);
    s.ApplyStretchToBrowser(site.doc, false);
    EXPECT_EQ(site.doc.m_allPagesBackground.m_crColor >> 24, 0xFFu);
    s.ApplyStretchToBrowser(site.doc, true);
    EXPECT_EQ(site.doc.m_allPagesBackground.m_crColor >> 24, 0u);
    EXPECT_EQ(site.doc.m_bStretchToBrowser, 1);
}

// A picture background goes into a texture of the wizard's own, added as every texture
// is, and the views hear of the new texture; a texture of the user's is left alone.
TEST(WizardChanges, PictureBackgroundsUseTheirOwnTextureAndTellTheViews)
{
    BuiltSite site;
    CWizardState& s = site.state;
    CFillStyle& bg = site.doc.m_websiteBackground;
    auto mine = std::make_unique<CPicture>();
    mine->m_strName = "Mine";
    CPicture* user = mine.get();
    site.doc.m_textures.push_back(std::move(mine));
    std::vector<long> hints;
    site.doc.m_onEdited = [&](long hint) { hints.push_back(hint); };
    {
        CEditScope scope(site.doc); // as the wizard's page edits
        s.ApplyBackgroundTheme(site.doc, 3);
    }
    ASSERT_EQ(site.doc.m_textures.size(), 2u);
    EXPECT_EQ(site.doc.m_textures[0].get(), user);
    EXPECT_EQ(user->m_strName, CString("Mine"));
    EXPECT_FALSE(user->m_picture.IsValid()) << "nothing loaded over the user's texture";
    EXPECT_EQ(bg.m_pPicture, site.doc.m_textures[1].get());
    EXPECT_GT(bg.m_pPicture->m_picture.GetWidth(), 0);
    EXPECT_EQ(hints, std::vector<long>{HINT_TEXTURES});
    hints.clear();
    {
        CEditScope scope(site.doc);
        s.ApplyBackgroundTheme(site.doc, 2); // the wizard's texture again: no new entry
    }
    EXPECT_EQ(site.doc.m_textures.size(), 2u);
    EXPECT_EQ(bg.m_pPicture, site.doc.m_textures[1].get());
    EXPECT_EQ(hints, std::vector<long>{HINT_REPAINT});
}

namespace {
QString WritePicture(const QTemporaryDir& dir, const char* name, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 30));
    for (int y = 0; y < h; ++y)
        image.setPixel(w / 2, y, qRgb(0, 0, y % 256));
    const QString path = dir.filePath(QString::fromLatin1(name));
    image.save(path, "PNG");
    return path;
}
} // namespace

TEST(WizardChanges, MainImageIsKeptOrScaledAndCropped)
{
    QTemporaryDir dir;
    BuiltSite site;
    CWizardState& s = site.state;
    CImageItem* first = s.mainImage;
    ASSERT_TRUE(s.ChangeMainImage(site.doc, CString::FromQString(WritePicture(dir, "exact.png", 900, 300))));
    EXPECT_EQ(s.mainImage, first) << "the existing main image takes the picture";
    EXPECT_EQ(s.mainImage->m_picture.GetWidth(), 900);
    EXPECT_EQ(s.mainImage->m_picture.GetHeight(), 300);
    ASSERT_TRUE(s.ChangeMainImage(site.doc, CString::FromQString(WritePicture(dir, "wide.png", 1800, 300))));
    EXPECT_EQ(s.mainImage->m_picture.GetWidth(), 900);
    EXPECT_EQ(s.mainImage->m_picture.GetHeight(), 150);
    ASSERT_TRUE(s.ChangeMainImage(site.doc, CString::FromQString(WritePicture(dir, "tall.png", 900, 900))));
    EXPECT_EQ(s.mainImage->m_picture.GetWidth(), 900);
    EXPECT_EQ(s.mainImage->m_picture.GetHeight(), 300);
    EXPECT_EQ(s.mainImage->m_nUploadState, 0);
    // Only one main image on the home page.
    EXPECT_EQ(ChildrenOf<CImageItem>(*site.doc.m_pages[0]).size(), 1u);
}

TEST(WizardChanges, ChangedImageRemovesTheSlideshow)
{
    QTemporaryDir dir;
    BuiltSite site;
    CWizardState& s = site.state;
    CPage* home = site.doc.m_pages[0].get();
    // A slideshow where the wizard puts it, in place of the main image.
    delete home->DetachChild(s.mainImage);
    s.mainImage = nullptr;
    auto* show = new CGroupItem();
    home->InsertChild(0, show);
    s.slideshow = show;
    ASSERT_TRUE(s.ChangeMainImage(site.doc, CString::FromQString(WritePicture(dir, "p.png", 400, 200))));
    EXPECT_EQ(s.slideshow, nullptr);
    ASSERT_NE(s.mainImage, nullptr);
    EXPECT_EQ(home->GetChild(0), s.mainImage);
    for (const auto& child : home->GetChildren())
        EXPECT_EQ(dynamic_cast<CGroupItem*>(child.get()), nullptr) << "the slideshow is gone";
    EXPECT_EQ(s.mainImage->m_picture.GetWidth(), 400) << "a picture within the limits keeps its size";
}

// ---------------------------------------------------------------- finish step and mailer

TEST(WizardFinish, FormKindZeroMakesNothing)
{
    BuiltSite site;
    const size_t pages = site.doc.m_pages.size();
    EXPECT_TRUE(BuildWizardFinish(site.doc, 0, "me@example.com", DefaultContactFormOptions()));
    EXPECT_EQ(site.doc.m_pages.size(), pages);
}

TEST(WizardFinish, ThankYouPageScriptAndFormOnTheContactPage)
{
    BuiltSite site;
    CKJDoc& doc = site.doc;
    ASSERT_TRUE(BuildWizardFinish(doc, 1, "me@example.com", DefaultContactFormOptions()));
    CPage* thanks = doc.m_pages.back().get();
    EXPECT_EQ(Text(thanks->m_title), QStringLiteral("Thank you"));
    EXPECT_EQ(thanks->m_strBaseName, CString("send_form"));
    EXPECT_EQ(thanks->m_strExtension, CString(".php"));
    const auto scripts = ChildrenOf<CPhpItem>(*thanks);
    ASSERT_EQ(scripts.size(), 1u);
    EXPECT_EQ(scripts[0]->m_nX, 8);
    EXPECT_EQ(scripts[0]->m_nY, 100);
    CPage* contact = doc.m_pages[7].get();
    EXPECT_EQ(Text(contact->m_title), QStringLiteral("Contact"));
    const auto forms = ChildrenOf<CFormItem>(*contact);
    ASSERT_EQ(forms.size(), 1u);
    EXPECT_EQ(forms[0]->m_nX, 250);
    EXPECT_EQ(forms[0]->m_nY, 100);
    EXPECT_EQ(forms[0]->m_link.m_nTargetId, thanks->m_nSerial);
    EXPECT_GE(contact->m_nHeight - 100, forms[0]->m_nHeight);

    // Options without a form: the page and script, but no form.
    BuiltSite other;
    CContactFormOptions none = DefaultContactFormOptions();
    none[0] = 0;
    ASSERT_TRUE(BuildWizardFinish(other.doc, 2, "me@example.com", none));
    EXPECT_EQ(Text(other.doc.m_pages.back()->m_title), QStringLiteral("Thank you"));
    EXPECT_TRUE(ChildrenOf<CFormItem>(*other.doc.m_pages[7]).empty());
}

TEST(WizardFinish, AddressesThatCouldReachTheHeadersAreRefused)
{
    const char* refused[] = {"me@example.com\r\nBcc: x@y.z", "me@example.com\nX: y", "", "no-at-sign", "a@b@c",
                             "@example.com", "me@", "me @example.com", "me@example.com;rm", "me\"@x.org"};
    for (const char* address : refused) {
        EXPECT_FALSE(IsPlainMailAddress(address)) << address;
        EXPECT_TRUE(BuildWizardMailScript(address).IsEmpty()) << address;
        BuiltSite site;
        const size_t pages = site.doc.m_pages.size();
        EXPECT_FALSE(BuildWizardFinish(site.doc, 1, address, DefaultContactFormOptions()));
        EXPECT_EQ(site.doc.m_pages.size(), pages);
    }
    EXPECT_TRUE(IsPlainMailAddress("o'brien+site@mail.example.org"));
}

namespace {
struct MailRun {
    QByteArray output;
    QByteArray mails;
    int exitCode = -1;
};

// Runs the script with php-cli as a request with the given method and fields; mail()
// goes to a stub that appends each message to a file.
MailRun RunMailer(const CString& script, const char* method, const QByteArray& postFields)
{
    QTemporaryDir dir;
    MailRun run;
    const QString mailFile = dir.filePath(QStringLiteral("mails.txt"));
    const QString stub = dir.filePath(QStringLiteral("sendmail.sh"));
    {
        QFile f(stub);
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray("#!/bin/sh\necho '=====MESSAGE=====' >> '") + mailFile.toUtf8() + "'\ncat >> '" + mailFile.toUtf8()
                + "'\n");
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const QString page = dir.filePath(QStringLiteral("send_form.php"));
    {
        QFile f(page);
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray("<?php\n$_SERVER['REQUEST_METHOD'] = '") + method + "';\nparse_str('" + postFields
                + "', $_POST);\n?>\n<?php " + script.GetString() + " ?>\n");
    }
    const auto r = testsupport::RunProcess(QStringLiteral("php"),
                                           {QStringLiteral("-d"), QStringLiteral("sendmail_path=") + stub, page});
    run.exitCode = r.exitCode;
    run.output = r.out + r.err;
    QFile m(mailFile);
    if (m.open(QIODevice::ReadOnly))
        run.mails = m.readAll();
    return run;
}
} // namespace

TEST(WizardFinish, MailScriptIsPhp8AndSendsOneSafeMessage)
{
    const CString script = BuildWizardMailScript("o'brien@example.com");
    ASSERT_FALSE(script.IsEmpty());
    EXPECT_TRUE(script.Find("each(") < 0);
    EXPECT_TRUE(script.Find("$youremail = 'o\\'brien@example.com';") == 0) << script.GetString();
    EXPECT_EQ(testsupport::PhpLintErrors(QByteArray("<?php ") + script.GetString() + " ?>"), QByteArray());

    // A POST: one message; a field that tries a header line stays in the body; the
    // echoed values are escaped.
    const MailRun post = RunMailer(script, "POST",
                                   "name=%3Cb%3EAnn%3C%2Fb%3E&email=x%40y.z%0D%0ABcc%3A+victim%40evil.test&x=1&y=2");
    EXPECT_EQ(post.exitCode, 0) << post.output.constData();
    EXPECT_EQ(post.mails.count("=====MESSAGE====="), 1) << post.mails.constData();
    const qsizetype bodyStart = post.mails.indexOf("\n\n") >= 0 ? post.mails.indexOf("\n\n") : post.mails.indexOf("\r\n\r\n");
    ASSERT_GT(bodyStart, 0) << post.mails.constData();
    const QByteArray headers = post.mails.left(bodyStart);
    EXPECT_FALSE(headers.contains("victim")) << headers.constData();
    EXPECT_TRUE(headers.contains("From: o'brien@example.com")) << headers.constData();
    EXPECT_TRUE(post.mails.contains("name : <b>Ann</b>")) << "the mail body is plain text";
    EXPECT_FALSE(post.mails.contains("x : 1"));
    EXPECT_TRUE(post.output.contains("name : &lt;b&gt;Ann&lt;/b&gt;<br>")) << post.output.constData();
    EXPECT_FALSE(post.output.contains("<b>Ann")) << post.output.constData();
    EXPECT_FALSE(post.output.contains("Warning")) << post.output.constData();

    // A GET sends nothing.
    const MailRun get = RunMailer(script, "GET", "");
    EXPECT_EQ(get.exitCode, 0) << get.output.constData();
    EXPECT_TRUE(get.mails.isEmpty()) << get.mails.constData();
}

// ---------------------------------------------------------------- contact form

namespace {
CContactFormOptions Options(std::initializer_list<int> on)
{
    CContactFormOptions o{};
    for (int i : on)
        o[size_t(i)] = 1;
    return o;
}
} // namespace

TEST(ContactForm, OnlyTheButtonWithoutRows)
{
    CKJDoc doc;
    std::unique_ptr<CFormItem> form(doc.BuildContactForm(Options({})));
    ASSERT_EQ(form->GetChildCount(), 1);
    EXPECT_EQ(form->m_nWidth, 400);
    EXPECT_EQ(form->m_nHeight, 400);
    auto* button = dynamic_cast<CSubmitButtonItem*>(form->GetChild(0));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->m_nX, 150);
    EXPECT_EQ(button->m_nY, 340);
    EXPECT_EQ(button->m_strText.ToQString(), QStringLiteral("OK"));
}

TEST(ContactForm, EveryRowMakesTheFormHeight850)
{
    CKJDoc doc;
    CContactFormOptions all{};
    all.fill(1);
    std::unique_ptr<CFormItem> form(doc.BuildContactForm(all));
    EXPECT_EQ(form->m_nHeight, 850);
    // Fourteen labels, fifteen fields, the button.
    EXPECT_EQ(form->GetChildCount(), 30);
    const CString name = form->m_strName;
    const char* order[] = {"First_Name", "Last_Name", "Company", "Email", "Address", "ZIP", "City", "Phone",
                           "Fax", "Country", "Date", "Time", "CustomOption", "RadioOption", "Comments", "Submit"};
    std::vector<CString> names;
    for (const auto& child : form->GetChildren())
        if (dynamic_cast<CFormFieldItem*>(child.get()))
            names.push_back(child->m_strName);
    ASSERT_EQ(names.size(), std::size(order));
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(names[i], name + order[i]) << i;
    // Rows 40 apart; the radio choice after the thirteenth row, Comments 100 further.
    std::vector<int> ys;
    for (const auto& child : form->GetChildren())
        if (dynamic_cast<CFormFieldItem*>(child.get()) && !dynamic_cast<CSubmitButtonItem*>(child.get()))
            ys.push_back(child->m_nY);
    ASSERT_EQ(ys.size(), 15u);
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(ys[size_t(i)], 20 + 40 * i) << i;
    EXPECT_EQ(ys[13], 540);
    EXPECT_EQ(ys[14], 640 + 25);
    const auto* email = dynamic_cast<CInputFieldItem*>(form->GetChild(7));
    ASSERT_NE(email, nullptr);
    EXPECT_EQ(email->m_strName, name + "Email");
    EXPECT_EQ(email->m_strRequiredChars.ToQString(), QStringLiteral("@."));
    EXPECT_EQ(email->m_strRuleMessage.ToQString(), QStringLiteral("Enter valid email."));
    EXPECT_EQ(email->m_strRequiredMessage.ToQString(), QStringLiteral("Enter your email."));
    EXPECT_EQ(email->m_bRequired, 0);
    const auto* label = dynamic_cast<CTextItem*>(form->GetChild(0));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->m_nWidth, 145);
    EXPECT_EQ(label->m_nTextAlign, 1);
    EXPECT_EQ(label->m_nY, 22);
    EXPECT_EQ(form->GetChild(29)->m_nY, 790);
}

TEST(ContactForm, NamesComeFromTheCounterAndSkipTakenNumbers)
{
    CKJDoc doc;
    doc.ResetToNewSite();
    doc.m_nItemCounter = 3;
    std::unique_ptr<CFormItem> third(doc.BuildContactForm(Options({1})));
    EXPECT_EQ(third->m_strName, CString("Form3"));
    EXPECT_EQ(third->GetChild(1)->m_strName, CString("Form3First_Name"));
    std::unique_ptr<CFormItem> fourth(doc.BuildContactForm(Options({})));
    EXPECT_EQ(fourth->m_strName, CString("Form4"));
    // A page item already named Form5 makes the next form Form6.
    auto* taken = new CTextItem();
    taken->m_strName = "Form5";
    doc.m_pages[0]->AddChild(taken);
    std::unique_ptr<CFormItem> next(doc.BuildContactForm(Options({})));
    EXPECT_EQ(next->m_strName, CString("Form6"));
}

TEST(ContactForm, CountryListHasTheEmptyEntryThenTwoHundredCountries)
{
    CKJDoc doc;
    std::unique_ptr<CFormItem> form(doc.BuildContactForm(Options({8})));
    auto* list = dynamic_cast<CListControlItem*>(form->GetChild(1));
    ASSERT_NE(list, nullptr);
    const QStringList lines = list->m_strText.ToQString().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 201);
    EXPECT_EQ(lines[0], QString());
    EXPECT_EQ(lines[1], QStringLiteral("Afghanistan"));
    EXPECT_EQ(lines[43], QStringLiteral("Cote d'Ivoire"));
    EXPECT_EQ(lines[200], QStringLiteral("Zimbabwe"));
    const std::vector<CString> countries = ContactFormCountries();
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(lines[i + 1], countries[size_t(i)].ToQString());
    EXPECT_EQ(list->m_strRequiredMessage.ToQString(), QStringLiteral("Choose your country."));
}

TEST(ThemeBuilder, EveryPageOfTheFullSiteIsValid)
{
    BuiltSite site(true, true);
    ASSERT_TRUE(BuildWizardFinish(site.doc, 1, "site@example.com", DefaultContactFormOptions()));
    site.doc.SetTitle("Full Wizard Site");
    QTemporaryDir out;
    CString written;
    ASSERT_TRUE(ExportWebsiteToFolder(site.doc, CString::FromQString(out.path()), &written));
    QDir folder(written.ToQString());
    const QStringList pages = folder.entryList({QStringLiteral("*.php"), QStringLiteral("*.html")}, QDir::Files);
    ASSERT_EQ(pages.size(), 15) << pages.join(QLatin1Char(' ')).toStdString();
    for (const QString& name : pages) {
        QFile f(folder.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        if (name == QStringLiteral("send_form.php"))
            EXPECT_EQ(testsupport::PhpLintErrors(bytes), QByteArray());
        else
            EXPECT_EQ(testsupport::TidyErrors(bytes), QByteArray()) << name.toStdString();
    }
    // No page's content runs below its end.
    for (const auto& page : site.doc.m_pages)
        for (const auto& child : page->GetChildren())
            EXPECT_LE(child->m_nY + child->m_nHeight, page->m_nHeight) << page->m_strBaseName.GetString();
}
