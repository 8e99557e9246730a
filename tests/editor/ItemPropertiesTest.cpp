// Item/Properties through the command, its dialogs answered by the modal hook.
#include "FormatTestSupport.h"

#include "dialogs/CodeTextDialogs.h"
#include "dialogs/EditText.h"
#include "dialogs/ImageDialogs.h"
#include "dialogs/ImageButtonDialog.h"
#include "dialogs/CodeView.h"
#include "dialogs/ArtisticTextDialogs.h"
#include "framework/core/Profile.h"
#include "model/items/ArtisticTextItem.h"
#include "model/items/ImageButtonItem.h"
#include "dialogs/LinkItemDialogs.h"
#include "dialogs/PhpDialogs.h"
#include "dialogs/SmallItemDialogs.h"
#include "editor/commands/ItemProperties.h"
#include "model/Dib.h"
#include "model/items/HeadingItem.h"
#include "model/items/ImageItem.h"
#include "model/items/InputFieldItem.h"
#include "model/items/LinkItem.h"
#include "model/items/PayPalItem.h"
#include "controls/ColorControl.h"
#include <QtWidgets/QComboBox>
#include "resources/CommandIds.h"
#include "tests/support/ExternalTools.h"

#include <QtCore/QSettings>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QTextEdit>

using namespace edtest;

namespace {

// Every dialog is confirmed as it opened; one that refuses its OK is a failure.
struct ConfirmAll {
    CDialog::ModalHook previous;
    std::vector<CString> titles;
    std::function<void(CDialog&)> act;
    explicit ConfirmAll(std::function<void(CDialog&)> a = {}) : act(std::move(a))
    {
        previous = CDialog::SetModalHook([this](CDialog& d) {
            titles.push_back(CString::FromQString(d.windowTitle()));
            if (act)
                act(d);
            d.OnOK();
            EXPECT_TRUE(d.IsEnded()) << "OK refused by " << d.windowTitle().toStdString();
            return d.IsEnded() ? d.GetResult() : IDCANCEL;
        });
    }
    ~ConfirmAll() { CDialog::SetModalHook(previous); }
};

CDib SolidPicture(int w, int h, std::uint32_t pixel)
{
    CDib dib;
    dib.Create(w, h);
    dib.BeginPixels();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            dib.SetPixel(x, y, pixel);
    dib.EndPixels();
    return dib;
}

// The defaults some kinds save for new items are put back when the test ends, so that no
// other test meets them.
struct ProfileGuard {
    QMap<QString, QVariant> saved;
    QStringList keys;
    static QSettings Open()
    {
        return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Varnelo"),
                         QStringLiteral("Tessel Web Designer"));
    }
    ProfileGuard()
    {
        QSettings s = Open();
        for (const QString& key : s.allKeys())
            saved.insert(key, s.value(key));
    }
    ~ProfileGuard()
    {
        QSettings s = Open();
        s.clear();
        for (auto it = saved.begin(); it != saved.end(); ++it)
            s.setValue(it.key(), it.value());
    }
};

// An item of the kind as the user meets it: a text, a file name for pictures.
CItem* AddKind(FormatCanvas& c, int type)
{
    CItem* item = c.Add(type, 20, 20, 120, 60);
    item->m_strText.FromUtf8("Words");
    item->m_strName = CString::Formatted("item%d", type);
    if (type == ITEM_IMAGE || type == ITEM_GIF) {
        auto* image = static_cast<CImageItem*>(item);
        image->m_nType = type;
        image->m_picture = SolidPicture(8, 8, 0x00FF0000);
        image->m_strBaseName = CString::Formatted("picture%d", type);
        image->m_strExtension = ".png";
    }
    if (type == ITEM_PAYPAL)
        static_cast<CPayPalItem*>(item)->m_strBusiness = "shop@example.com";
    return item;
}

} // namespace

// The table by type code: undo texts as stored, and the kinds that have no dialog.
TEST(ItemProperties, TableHoldsEveryKindWithItsUndoText)
{
    const struct { int type; const char* undo; unsigned steps; } cases[] = {
        {2, "Group Properties", 0},
        {3, "Paragraph Properties", kStepEmptyDeletes | kStepFlow},
        {4, "Input Properties", kStepFlow | kStepNameCleaned},
        {5, "Combo Properties", kStepFlow | kStepNameCleaned},
        {6, "Button Properties", kStepFlow | kStepNameCleaned},
        {7, "Text Area Properties", kStepFlow | kStepNameCleaned},
        {8, "Checkbox Properties", kStepFlow | kStepNameCleaned},
        {9, "Radio Button Properties", kStepFlow | kStepNameCleaned},
        {10, "Link Properties", kStepEmptyDeletes | kStepFlow | kStepCopyLook},
        {11, "Artistic Text Properties", kStepEmptyDeletes | kStepPicture | kStepFlow | kStepCopyLook},
        {12, "Preformatted Text Properties", kStepEmptyDeletes | kStepFlow},
        {13, "Image Properties", kStepPicture},
        {14, "Text Properties", kStepEmptyDeletes | kStepFlow},
        {15, "Header Properties", kStepEmptyDeletes | kStepFlow | kStepLateSnapshot},
        {16, "Image Button Properties", kStepPicture | kStepFlow | kStepCopyLook},
        {17, "Form Properties", kStepFlow},
        {18, "YouTube Properties", kStepFlow},
        {19, "Google Map Properties", kStepFlow},
        {20, "Video Properties", kStepFlow},
        {21, "Shape Properties", kStepPicture | kStepFlow},
        {22, "Flash Properties", kStepFlow},
        {23, "Marquee Properties", kStepFlow},
        {24, "PHP Properties", kStepFlow},
        {25, "Gallery Properties", 0},
        {26, "Clone Properties", 0},
        {27, "Audio Properties", 0},
        {28, "Image Properties", kStepPicture},
        {29, "Menu Properties", kStepFlow},
        {30, "Email Properties", kStepFlow},
        {31, "PayPal Properties", kStepPicture | kStepFlow},
        {32, "Date Picker Properties", kStepFlow | kStepNameCleaned},
        {33, "List Properties", kStepFlow},
        {34, "Table Properties", kStepFlow},
        {35, "HTML Properties", kStepFlow},
        {36, "External Website Properties", kStepFlow},
        {37, "Symbol Properties", kStepPicture | kStepFlow | kStepCopyLook},
        {40, "JavaScript Properties", kStepFlow},
        {41, "Slider Properties", 0},
        {43, "Like Properties", 0},
        {44, "Facebook Properties", 0},
        {45, "External Image Properties", 0},
        {46, "Categories Properties", 0},
    };
    for (const auto& k : cases) {
        const PropertiesRow* row = FindPropertiesRow(k.type);
        ASSERT_NE(row, nullptr) << k.type;
        EXPECT_STREQ(row->undo, k.undo) << k.type;
        EXPECT_EQ(row->steps, k.steps) << k.type;
    }
    for (int type : {0, 1, 38, 39, 42, 47, 48})
        EXPECT_EQ(FindPropertiesRow(type), nullptr) << type;
}

// Each registered kind: Cancel leaves the project's bytes and the undo list as they were;
// OK is one undo step with the kind's text, the project marked and the page to be sent.
TEST(ItemProperties, EveryRegisteredKindCancelsToTheSameBytesAndConfirmsInOneStep)
{
    Answers yes(IDYES);
    ProfileGuard profile;
    int tried = 0;
    for (int type = 2; type <= 46; ++type) {
        const PropertiesRow* row = FindPropertiesRow(type);
        if (!row)
            continue;
        {
            FormatCanvas c;
            CItem* item = AddKind(c, type);
            c.Settle();
            c.Select({item});
            ExecuteCommand(&c.view(), ID_ITEM_PROPERTIES); // registers the dialogs with the commands
            if (!HasPropertiesDialog(type)) {
                EXPECT_FALSE(c.Enabled(ID_ITEM_PROPERTIES)) << type << ": no dialog, no command";
                continue;
            }
            ++tried;
            EXPECT_TRUE(c.Enabled(ID_ITEM_PROPERTIES)) << type;
            c.SetUploaded();
            const std::vector<BYTE> bytes = c.Bytes();
            c.hints.clear();
            c.Run(ID_ITEM_PROPERTIES); // the fixture's hook cancels
            c.ExpectUnchanged(bytes);
        }
        {
            FormatCanvas c;
            CItem* item = AddKind(c, type);
            c.Settle();
            c.Select({item});
            c.SetUploaded();
            c.hints.clear();
            const FormatCanvas::Counts before = c.Count();
            ConfirmAll ok;
            c.Run(ID_ITEM_PROPERTIES);
            EXPECT_EQ(ok.titles.size(), 1u) << type;
            c.ExpectOneUndoStep(before, row->undo);
            CItem* now = c.page->GetChildren()[0].get();
            EXPECT_EQ(now->m_nType, type);
            EXPECT_EQ(c.page->m_nUploadState, 0) << type;
            if (row->steps & kStepPicture) {
                EXPECT_EQ(now->m_nUploadState, 0) << type << ": its picture is sent again";
            }
        }
    }
    EXPECT_GE(tried, 24) << "the dialogs the designer has";
}

TEST(ItemProperties, KindsWithoutADialogRowAreDisabled)
{
    FormatCanvas c;
    ExecuteCommand(&c.view(), ID_ITEM_PROPERTIES);
    EXPECT_FALSE(c.Enabled(ID_ITEM_PROPERTIES)) << "nothing selected";
    CItem* item = AddKind(c, ITEM_PARAGRAPH);
    c.Select({item});
    EXPECT_TRUE(c.Enabled(ID_ITEM_PROPERTIES));
    // a kind whose dialog is taken away again is off
    PropertiesDialog saved = SetPropertiesDialog(ITEM_PARAGRAPH, {});
    EXPECT_FALSE(c.Enabled(ID_ITEM_PROPERTIES));
    const std::vector<BYTE> bytes = c.Bytes();
    c.hints.clear();
    c.doc.SetModifiedFlag(false);
    c.Run(ID_ITEM_PROPERTIES);
    c.ExpectUnchanged(bytes);
    SetPropertiesDialog(ITEM_PARAGRAPH, saved);
}

TEST(ItemProperties, HeadingRecordsOnlyAfterOkAndTakesTheStyleOfItsLevel)
{
    FormatCanvas c;
    CItem* heading = AddKind(c, ITEM_HEADING);
    c.Settle();
    c.Select({heading});
    const std::vector<BYTE> bytes = c.Bytes();
    c.hints.clear();
    c.doc.SetModifiedFlag(false);
    c.Answer<DHeading>([](DHeading& d) { d.CheckDlgButton(1043, 0); d.CheckDlgButton(1044, 1); }, false);
    c.Run(ID_ITEM_PROPERTIES);
    c.ExpectUnchanged(bytes);

    const FormatCanvas::Counts before = c.Count();
    c.Answer<DHeading>([](DHeading& d) {
        EXPECT_EQ(d.GetDlgItemText(1000), CString("Words"));
        d.SetDlgItemText(1000, "Chapter");
        d.CheckDlgButton(1043, 0);
        d.CheckDlgButton(1044, 1); // H2
    }, true);
    c.Run(ID_ITEM_PROPERTIES);
    c.ExpectOneUndoStep(before, "Header Properties");
    auto* now = static_cast<CHeadingItem*>(c.page->GetChildren()[0].get());
    EXPECT_EQ(now->m_nLevel, 1);
    EXPECT_EQ(now->m_strText.GetUtf8(), CString("Chapter"));
    EXPECT_EQ(now->m_pBaseStyle, &c.doc.m_styles.m_styles[1]);
}

TEST(ItemProperties, EmptiedParagraphIsDeletedAboveItsRecordAndAnEmptiedPhpItemStays)
{
    {
        FormatCanvas c;
        CItem* para = AddKind(c, ITEM_PARAGRAPH);
        c.Settle();
        c.Select({para});
        c.Answer<DEditText>([](DEditText& d) { d.Editor()->clear(); }, true);
        c.Run(ID_ITEM_PROPERTIES);
        EXPECT_TRUE(c.page->GetChildren().empty());
        ASSERT_EQ(c.doc.m_undo.GetCount(), 2u);
        EXPECT_EQ(c.doc.m_undo.GetAt(0)->m_strDescription, CString("Delete"));
        EXPECT_EQ(c.doc.m_undo.GetAt(1)->m_strDescription, CString("Paragraph Properties"));
    }
    {
        FormatCanvas c;
        CItem* php = AddKind(c, ITEM_PHP);
        c.Settle();
        c.Select({php});
        c.Answer<DPhpCode>([](DPhpCode& d) { d.Editor()->clear(); }, true);
        c.Run(ID_ITEM_PROPERTIES);
        ASSERT_EQ(c.page->GetChildren().size(), 1u);
        EXPECT_TRUE(c.page->GetChildren()[0]->m_strText.IsEmpty());
        ASSERT_EQ(c.doc.m_undo.GetCount(), 1u);
        EXPECT_EQ(c.doc.m_undo.GetHead()->m_strDescription, CString("PHP Properties"));
    }
}

TEST(ItemProperties, FormControlNamesAreCleaned)
{
    const struct { const char* typed; const char* stored; } cases[] = {
        {"1a b,c", "id1abc"}, {"Name_2", "Name_2"}, {"%%", "id"}, {"", ""}, {"_x", "id_x"},
    };
    for (const auto& k : cases) {
        FormatCanvas c;
        CItem* field = AddKind(c, ITEM_INPUT_FIELD);
        c.Settle();
        c.Select({field});
        Answers yes(IDYES);
        const CString typed = k.typed;
        c.Answer<DInputField>([typed](DInputField& d) { d.SetDlgItemText(1017, typed); }, true);
        c.Run(ID_ITEM_PROPERTIES);
        EXPECT_EQ(c.page->GetChildren()[0]->m_strName, CString(k.stored)) << k.typed;
    }
}

// The first Link's look reaches the other two; texts and destinations stay; one Undo.
TEST(ItemProperties, LinkLookGoesToTheOtherSelectedLinksAndOneUndoRestoresAll)
{
    FormatCanvas c;
    std::vector<CItem*> links;
    const char* texts[] = {"Home", "About", "Contact"};
    for (int i = 0; i < 3; ++i) {
        CItem* link = c.Add(ITEM_LINK, 20 + 150 * i, 40, 120, 30);
        link->m_strText.FromUtf8(texts[i]);
        link->m_link.m_strUrl = CString::Formatted("https://example.com/%d", i);
        link->m_link.m_nKind = 2;
        links.push_back(link);
    }
    c.Settle();
    c.Select(links);
    c.SetUploaded();
    const std::vector<BYTE> bytes = c.Bytes();
    c.Answer<DLinkItem>([](DLinkItem& d) {
        EXPECT_EQ(d.m_bTextLocked, 1) << "several selected: the text box is off";
        dynamic_cast<CColorButton*>(d.GetDlgItem(1019))->SetColor(RGB(200, 0, 0));
        qobject_cast<QComboBox*>(d.GetDlgItem(1020))->setCurrentIndex(1);
        d.SetDlgItemText(1066, "18");
        d.m_pItem->m_borders[0].m_nWidth = 3;
        d.m_pItem->m_borders[0].m_nStyle = 2;
        d.m_pItem->m_borders[0].m_color = RGB(0, 0, 180);
        d.m_pItem->m_pFill->m_crColor = RGB(250, 250, 0);
        d.m_pItem->m_nIcon = 2;
        d.m_pItem->m_crIcon = RGB(0, 128, 0);
    }, true);
    c.Run(ID_ITEM_PROPERTIES);
    ASSERT_EQ(c.doc.m_undo.GetCount(), 1u);
    EXPECT_EQ(c.doc.m_undo.GetHead()->m_strDescription, CString("Link Properties"));
    for (int i = 0; i < 3; ++i) {
        auto* link = static_cast<CLinkItem*>(c.page->GetChildren()[std::size_t(i)].get());
        EXPECT_EQ(link->m_crText, RGB(200, 0, 0)) << i;
        EXPECT_EQ(link->m_nBold, 1) << i;
        EXPECT_EQ(link->m_nFontSize, 18) << i;
        EXPECT_EQ(link->m_borders[0].m_nWidth, 3) << i;
        EXPECT_EQ(link->m_borders[0].m_color, RGB(0, 0, 180)) << i;
        EXPECT_EQ(link->m_pFill->m_crColor, RGB(250, 250, 0)) << i;
        EXPECT_EQ(link->m_nIcon, 2) << i;
        EXPECT_EQ(link->m_crIcon, RGB(0, 128, 0)) << i;
        EXPECT_EQ(link->m_strText.GetUtf8(), CString(texts[i])) << i;
        EXPECT_EQ(link->m_link.m_strUrl, CString::Formatted("https://example.com/%d", i)) << i;
        EXPECT_EQ(link->m_nUploadState, 0) << i;
    }
    SaveScreenshot(c.view().RenderClient(), "three-links-look-copy");
    c.Run(ID_EDIT_UNDO);
    const std::vector<BYTE> after = c.Bytes();
    EXPECT_EQ(FirstDifference(after, bytes), -1) << "one Undo gives all three back";
}

TEST(ItemProperties, ImageHandsChangeImageAndPasteIntoToTheirCommandsKeepingTheRecord)
{
    const struct { int button; UINT command; } cases[] = {{1062, ID_IMAGE_CHANGE}, {1065, ID_EDIT_PASTE_INTO}};
    for (const auto& k : cases) {
        FormatCanvas c;
        CItem* image = AddKind(c, ITEM_IMAGE);
        c.Settle();
        c.Select({image});
        int ran = 0;
        CItem* ranOn = nullptr;
        c.view().OnCommand(k.command, [&] {
            ++ran;
            ranOn = c.view().GetSelectedItem();
        });
        const int button = k.button;
        CDialog::SetModalHook([button](CDialog& d) {
            d.SendNotify(button, BN_CLICKED);
            return d.IsEnded() ? d.GetResult() : IDCANCEL;
        });
        c.Run(ID_ITEM_PROPERTIES);
        EXPECT_EQ(ran, 0) << "posted: runs once the dialog has closed";
        QCoreApplication::processEvents();
        EXPECT_EQ(ran, 1) << k.command;
        EXPECT_EQ(ranOn, c.page->GetChildren()[0].get());
        ASSERT_EQ(c.doc.m_undo.GetCount(), 1u);
        EXPECT_EQ(c.doc.m_undo.GetHead()->m_strDescription, CString("Image Properties"));
    }
}

TEST(ItemProperties, ExportAsJpegGivesABaselineJpegPillowReads)
{
    FormatCanvas c;
    auto* image = static_cast<CImageItem*>(AddKind(c, ITEM_IMAGE));
    image->m_picture = SolidPicture(40, 30, 0x0020A040);
    c.Settle();
    c.Select({image});
    c.Answer<DImage>([](DImage& d) {
        EXPECT_TRUE(d.GetDlgItem(1001)->isEnabled()) << "a PNG can be exported as JPEG";
        d.CheckDlgButton(1001, 1);
    }, true);
    c.Run(ID_ITEM_PROPERTIES);
    auto* now = static_cast<CImageItem*>(c.page->GetChildren()[0].get());
    EXPECT_EQ(now->m_bJpegSource, 1);
    EXPECT_EQ(now->m_strExtension, CString(".jpg"));
    ASSERT_GT(now->m_blob.Size(), 4u);
    QTemporaryDir dir;
    const QString path = dir.filePath("out.jpg");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(now->m_blob.Data()), qint64(now->m_blob.Size()));
    file.close();
    const auto r = testsupport::RunPython(
        "import sys\nfrom PIL import Image\nim = Image.open(sys.argv[1])\n"
        "print(im.format, im.size[0], im.size[1], im.mode, 'progressive' in im.info)\n",
        {path});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.trimmed().toStdString(), "JPEG 40 30 RGB False");

    // a JPEG shows the box ticked and fixed
    c.Select({now});
    c.Answer<DImage>([](DImage& d) {
        EXPECT_EQ(d.IsDlgButtonChecked(1001), 1);
        EXPECT_FALSE(d.GetDlgItem(1001)->isEnabled());
    }, false);
    c.Run(ID_ITEM_PROPERTIES);
}

TEST(ItemProperties, AFailedJpegConversionKeepsThePictureAndSaysSo)
{
    FormatCanvas c;
    auto* image = static_cast<CImageItem*>(AddKind(c, ITEM_IMAGE));
    image->m_picture = CDib(); // nothing to encode
    const char bytes[] = "\x89PNG....";
    image->m_blob.Allocate(8);
    std::memcpy(image->m_blob.Data(), bytes, 8);
    c.Settle();
    c.Select({image});
    Answers ok(IDOK);
    c.Answer<DImage>([](DImage& d) { d.CheckDlgButton(1001, 1); }, true);
    c.Run(ID_ITEM_PROPERTIES);
    ASSERT_EQ(ok.texts.size(), 1u);
    EXPECT_EQ(ok.texts[0], CString("Error writing JPEG file"));
    auto* now = static_cast<CImageItem*>(c.page->GetChildren()[0].get());
    EXPECT_EQ(now->m_bJpegSource, 0);
    EXPECT_EQ(now->m_strExtension, CString(".png"));
    ASSERT_EQ(now->m_blob.Size(), 8u);
    EXPECT_EQ(std::memcmp(now->m_blob.Data(), bytes, 8), 0);
}

TEST(ItemProperties, InsertImageWithAPictureOnTheSiteAsksWhichToClone)
{
    FormatCanvas c;
    CItem* image = AddKind(c, ITEM_IMAGE);
    c.Settle();
    ExecuteCommand(&c.view(), ID_ITEM_PROPERTIES); // the designer's dialogs are registered with the view
    EXPECT_TRUE(c.Enabled(ID_INSERT_IMAGE));
    int pasted = 0;
    c.view().OnCommand(ID_EDIT_PASTE, [&pasted] { ++pasted; });
    CDialog::SetModalHook([](CDialog& d) {
        EXPECT_NE(dynamic_cast<DInsertImage*>(&d), nullptr);
        d.SendNotify(1026, BN_CLICKED);
        return d.IsEnded() ? d.GetResult() : IDCANCEL;
    });
    c.Run(ID_INSERT_IMAGE);
    QCoreApplication::processEvents();
    EXPECT_EQ(pasted, 1) << "the clipboard's picture is pasted instead";
    EXPECT_EQ(c.page->GetChildren().size(), 1u);
    (void)image;
}

TEST(ItemProperties, ImageButtonLookGoesToTheOtherSelectedButtonsButNotTheirCaptions)
{
    FormatCanvas c;
    ProfileGuard profile;
    CItem* first = c.Add(ITEM_IMAGE_BUTTON, 10, 10, 88, 35);
    CItem* second = c.Add(ITEM_IMAGE_BUTTON, 10, 100, 88, 35);
    first->m_strText.FromUtf8("Buy");
    second->m_strText.FromUtf8("Sell");
    c.Settle();
    c.Select({first, second});
    c.SetUploaded();
    c.Answer<DImageButton>([](DImageButton& d) {
        d.m_pItem->m_crFrame = RGB(10, 20, 30);
        d.m_pItem->m_nFrameShape = 3;
        d.m_pItem->m_bGlass = 1;
        d.SetDlgItemText(1000, "120");
        d.SetDlgItemText(1023, "40");
    }, true);
    c.Run(ID_ITEM_PROPERTIES);
    ASSERT_EQ(c.doc.m_undo.GetCount(), 1u);
    const char* captions[] = {"Buy", "Sell"};
    for (int i = 0; i < 2; ++i) {
        auto* b = static_cast<CImageButtonItem*>(c.page->GetChildren()[std::size_t(i)].get());
        EXPECT_EQ(b->m_crFrame, RGB(10, 20, 30)) << i;
        EXPECT_EQ(b->m_nFrameShape, 3) << i;
        EXPECT_EQ(b->m_bGlass, 1) << i;
        EXPECT_EQ(b->m_nRenderWidth, 120) << i;
        EXPECT_EQ(b->m_nRenderHeight, 40) << i;
        EXPECT_EQ(b->m_strText.GetUtf8(), CString(captions[i])) << i;
        EXPECT_EQ(b->m_nUploadState, 0) << i;
    }
    EXPECT_EQ(GetProfileInt("ImageButton", "Shape", -1), 3) << "the look is the next button's default";
    // one Undo gives both back
    c.Run(ID_EDIT_UNDO);
    for (int i = 0; i < 2; ++i)
        EXPECT_NE(static_cast<CImageButtonItem*>(c.page->GetChildren()[std::size_t(i)].get())->m_crFrame, RGB(10, 20, 30));
}

TEST(ItemProperties, AFlowingItemLaysItsContainerOutAndAPositionedOneDoesNot)
{
    for (bool positioned : {true, false}) {
        FormatCanvas c;
        CItem* para = c.Add(ITEM_PARAGRAPH, 10, 10, 200, 40, positioned);
        CItem* after = c.Add(ITEM_PARAGRAPH, 10, 10, 200, 40, positioned);
        para->m_strText.FromUtf8("One line");
        after->m_strText.FromUtf8("After");
        c.LayOut();
        c.Select({para});
        const int afterY = after->m_nY;
        const int redraws = c.view().m_nRedrawCount;
        c.Answer<DEditText>([](DEditText& d) { d.Editor()->setPlainText("One line\nTwo lines\nThree lines\nFour"); }, true);
        c.Run(ID_ITEM_PROPERTIES);
        CItem* now = c.page->GetChildren()[1].get();
        if (positioned) {
            EXPECT_EQ(c.view().m_nRedrawCount, redraws) << "only the selection is repainted";
            EXPECT_EQ(now->m_nY, afterY);
        } else {
            EXPECT_GT(c.view().m_nRedrawCount, redraws) << "the whole view is drawn at once";
            EXPECT_GT(now->m_nY, afterY) << "the taller paragraph pushes the next one down";
        }
    }
}

TEST(ItemProperties, ViewSourceShowsTheItemsHtmlWithItsName)
{
    FormatCanvas c;
    CItem* para = AddKind(c, ITEM_PARAGRAPH);
    para->m_strName = "intro";
    c.Settle();
    c.Select({para});
    const std::vector<BYTE> bytes = c.Bytes();
    c.hints.clear();
    c.doc.SetModifiedFlag(false);
    CString shown, caption;
    c.Answer<DCodeView>([&shown, &caption](DCodeView& d) {
        shown = d.m_strText;
        caption = d.m_strCaption;
    }, true);
    c.Run(ID_ITEM_VIEW_SOURCE);
    EXPECT_EQ(caption, CString("intro"));
    EXPECT_NE(shown.Find("id=\"intro\""), -1) << shown.GetString();
    EXPECT_NE(shown.Find("Words"), -1) << shown.GetString();
    c.ExpectUnchanged(bytes);
}

TEST(ItemProperties, ArtisticTextFontGoesToTheOtherSelectedArtisticTexts)
{
    FormatCanvas c;
    ProfileGuard profile;
    CItem* first = c.Add(ITEM_ARTISTIC_TEXT, 10, 10, 200, 60);
    CItem* second = c.Add(ITEM_ARTISTIC_TEXT, 10, 100, 200, 60);
    CItem* para = c.Add(ITEM_PARAGRAPH, 10, 200, 200, 60);
    first->m_strText.FromUtf8("Title");
    second->m_strText.FromUtf8("Other");
    para->m_strText.FromUtf8("Plain");
    c.Settle();
    c.Select({first, second, para});
    c.SetUploaded();
    const std::vector<std::uint32_t> looks = Pixels(static_cast<CImageItemBase*>(second)->StateBitmap(0));
    c.Answer<DArtisticText>([](DArtisticText& d) {
        LOGFONT& lf = d.m_pItem->m_lf;
        std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
        std::strcpy(lf.lfFaceName, "Liberation Serif");
        lf.lfHeight = -48;
        lf.lfWeight = 700;
        lf.lfItalic = 1;
    }, true);
    c.Run(ID_ITEM_PROPERTIES);
    ASSERT_EQ(c.doc.m_undo.GetCount(), 1u);
    EXPECT_EQ(c.doc.m_undo.GetHead()->m_strDescription, CString("Artistic Text Properties"));
    const char* texts[] = {"Title", "Other"};
    for (int i = 0; i < 2; ++i) {
        auto* art = static_cast<CImageItemBase*>(c.page->GetChildren()[std::size_t(i)].get());
        EXPECT_STREQ(art->m_lf.lfFaceName, "Liberation Serif") << i;
        EXPECT_EQ(art->m_lf.lfHeight, -48) << i;
        EXPECT_EQ(art->m_lf.lfWeight, 700) << i;
        EXPECT_EQ(art->m_lf.lfItalic, 1) << i;
        EXPECT_EQ(art->m_strText.GetUtf8(), CString(texts[i])) << i;
        EXPECT_EQ(art->m_nUploadState, 0) << i;
    }
    EXPECT_NE(Pixels(static_cast<CImageItemBase*>(c.page->GetChildren()[1].get())->StateBitmap(0)), looks)
        << "drawn again in the new font";
    EXPECT_EQ(GetProfileString("ArtisticText", "Face", ""), CString("Liberation Serif")) << "the next one's default";
}
