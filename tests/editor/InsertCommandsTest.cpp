// The Insert and Form commands through the command map: each new item's kind, name,
// size, style and undo step, its dialog's Cancel, the width caps, images from files, and
// the builders of galleries, sliders, tables and attached files.
#include "InsertTestSupport.h"
#include "dialogs/CodeTextDialogs.h"
#include "framework/core/Profile.h"
#include <QtWidgets/QComboBox>
#include <QtWidgets/QPlainTextEdit>

#include "../support/Artifacts.h"
#include "../support/ExternalTools.h"
#include "editor/SiteTreeNodes.h"
#include <QtGui/QImageReader>
#include <cstring>

#include "controls/FileChooser.h"
#include "dialogs/LinkItemDialogs.h"
#include "dialogs/SmallItemDialogs.h"
#include "document/EditScope.h"
#include "editor/commands/InsertCommands.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/Dialog.h"
#include "model/HeaderFooterItem.h"
#include "model/items/CategoriesItem.h"
#include "model/items/EmailItem.h"
#include "model/items/PayPalItem.h"
#include "model/items/SymbolItem.h"
#include "model/items/GalleryItem.h"
#include "model/items/HeadingItem.h"
#include "model/items/ImageCloneItem.h"
#include "model/items/ImageItem.h"
#include "model/items/ListControlItem.h"
#include "model/items/MenuItem.h"
#include "model/items/ParagraphItem.h"
#include "model/items/SliderItem.h"
#include "model/items/SubmitButtonItem.h"
#include "model/items/TableItem.h"
#include "model/items/TextItem.h"

#include <gtest/gtest.h>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>

using namespace edtest;
using namespace instest;

namespace {

struct InsertCanvas : EditCanvas {
    InsertCanvas(int w = 600, int h = 400) : EditCanvas(w, h)
    {
        LayOut();
        doc.m_nItemCounter = 5;
        doc.SetModifiedFlag(false);
        page->m_nUploadState = 2;
    }
    CItem* Last() { return page->GetChildCount() ? page->GetChild(page->GetChildCount() - 1) : nullptr; }
    void Run(UINT id) { ExecuteCommand(&view(), id); }
};

// ------------------------------------------------------------------ the rows without a dialog

TEST(InsertCommands, EveryCommandWithoutADialogMakesItsItem)
{
    struct Case {
        UINT id;
        int type;
        const char* name;
        int w, h; // -1: the constructor's
        int element; // element style, -1 the base style
        const char* undo;
        bool centred;
    };
    const Case cases[] = {
        {ID_FORM_INPUT, ITEM_INPUT_FIELD, "Input5", 145, -1, STYLE_INPUT_TEXT, "Insert Input", false},
        {ID_FORM_LIST, ITEM_LIST_CONTROL, "List5", 160, -1, STYLE_SELECT, "Insert Combo", false},
        {ID_FORM_DROPDOWN, ITEM_LIST_CONTROL, "List5", 200, -1, STYLE_SELECT, "Insert Combo", false},
        {ID_FORM_TEXTAREA, ITEM_TEXT_AREA, "TextArea5", -1, -1, STYLE_TEXTAREA, "Insert Text Area", false},
        {ID_FORM_CHECKBOX, ITEM_CHECK_BOX, "Check5", -1, -1, -1, "Insert Checkbox", false},
        {ID_FORM_RADIO, ITEM_RADIO_CHOICE, "Radio5", -1, -1, -1, "Insert Radio Button", false},
        {ID_FORM_SUBMIT, ITEM_SUBMIT_BUTTON, "Button5", 100, 30, STYLE_INPUT_SUBMIT, "Insert Button", true},
        {ID_FORM_DATE_PICKER, ITEM_DATE_PICKER, "Date5", 160, -1, STYLE_SELECT, "Insert Date Picker", false},
        {ID_FORM_FILE_CHOOSER, ITEM_SUBMIT_BUTTON, "FileChooser5", 160, 30, STYLE_INPUT_SUBMIT, "Insert File Chooser", true},
        {ID_FORM_COLOR_PICKER, ITEM_SUBMIT_BUTTON, "Color5", 60, 30, STYLE_INPUT_SUBMIT, "Insert Color Picker", true},
        {ID_INSERT_GROUP, ITEM_GROUP, "Div5", 200, 200, -1, "Insert Div", true},
        {ID_INSERT_SCROLLAREA, ITEM_GROUP, "Scroll5", 200, 200, -1, "Insert Scroll", true},
        {ID_INSERT_MENU, ITEM_MENU, "Menu5", 600, 35, -1, "Insert Menu", true},
        {ID_INSERT_CATEGORIES, ITEM_CATEGORIES, "Categories5", 300, -1, -1, "Insert Categories", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InsertCanvas canvas;
        CItem* before = canvas.Add(ITEM_GROUP, 10, 10, 20, 20);
        before->m_bSelected = 1;
        const std::string original = Bytes(*canvas.page);
        EXPECT_TRUE(Enabled(canvas.view(), c.id));
        canvas.Run(c.id);
        ASSERT_EQ(canvas.page->GetChildCount(), 2);
        CItem* item = canvas.Last();
        EXPECT_EQ(item->m_nType, c.type);
        EXPECT_EQ(item->m_strName, c.name);
        EXPECT_EQ(canvas.doc.m_nItemCounter, 6);
        if (c.w >= 0) {
            EXPECT_EQ(item->m_nWidth, c.w);
        }
        if (c.h >= 0) {
            EXPECT_EQ(item->m_nHeight, c.h);
        }
        const CTextStyle* style = c.element >= 0 ? &canvas.doc.m_styles.m_styles[c.element] : &canvas.doc.m_styles.m_base;
        EXPECT_EQ(item->m_pBaseStyle, style);
        if (c.centred) {
            EXPECT_EQ(item->m_nX, (600 - item->m_nWidth) / 2);
            EXPECT_EQ(item->m_nY, (400 - item->m_nHeight) / 2);
        }
        EXPECT_TRUE(item->m_bSelected);
        EXPECT_FALSE(before->m_bSelected) << "the new item alone is selected";
        EXPECT_EQ(canvas.view().m_drag.mode, 8) << "it follows the mouse";
        EXPECT_EQ(canvas.doc.m_undo.GetCount(), 1u);
        EXPECT_EQ(canvas.doc.m_undo.GetHead()->m_strDescription, c.undo);
        EXPECT_TRUE(canvas.doc.IsModified());
        EXPECT_EQ(canvas.page->m_nUploadState, 0);
        canvas.Undo();
        EXPECT_EQ(Bytes(*canvas.page), original) << "Undo gives the container back";
        EXPECT_EQ(canvas.page->GetChildCount(), 1);
    }
}

TEST(InsertCommands, KindDefaults)
{
    {
        InsertCanvas c;
        c.Run(ID_FORM_LIST);
        auto* list = dynamic_cast<CListControlItem*>(c.Last());
        ASSERT_TRUE(list);
        EXPECT_EQ(list->m_nRows, 4);
        EXPECT_EQ(list->m_strText, CWString(u"Item 1\r\nItem 2\r\nItem 3"));
        c.Run(ID_FORM_DROPDOWN);
        list = dynamic_cast<CListControlItem*>(c.Last());
        EXPECT_EQ(list->m_nRows, 0);
        EXPECT_EQ(list->m_strText, CWString(u"Item 1=1\r\nItem 2=2\r\nItem 3=3"));
        c.Run(ID_FORM_FILE_CHOOSER);
        EXPECT_EQ(dynamic_cast<CSubmitButtonItem*>(c.Last())->m_nButtonKind, 2);
        c.Run(ID_FORM_COLOR_PICKER);
        EXPECT_EQ(dynamic_cast<CSubmitButtonItem*>(c.Last())->m_nButtonKind, 3);
        c.Run(ID_INSERT_SCROLLAREA);
        EXPECT_EQ(dynamic_cast<CGroupItem*>(c.Last())->m_nOverflow, 2);
        c.Run(ID_FORM_SUBMIT);
        EXPECT_EQ(c.Last()->m_strText, CWString(u"OK"));
        EXPECT_EQ(c.doc.m_nItemCounter, 11);
    }
    {
        InsertCanvas c;
        c.Run(ID_INSERT_CATEGORIES);
        auto* cat = dynamic_cast<CCategoriesItem*>(c.Last());
        ASSERT_TRUE(cat);
        ASSERT_EQ(cat->m_entries.size(), 5u);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(cat->m_entries[size_t(i)]->m_nKind, kLinkPage);
            EXPECT_EQ(cat->m_entries[size_t(i)]->m_nTargetId, c.page->m_nSerial);
            EXPECT_EQ(cat->m_entries[size_t(i)]->m_wstrTitle, W(CString::Formatted("Item %d", i)));
        }
        EXPECT_EQ(cat->m_bPositioned, 0) << "categories start in the flow";
    }
}

TEST(InsertCommands, MenuEntriesAndABandMenuOverThePage)
{
    InsertCanvas c;
    CHeaderFooterItem* band = AddBand(c.doc, true, 600, 100, 0xFFFFFF);
    c.page->m_pHeaderBand = band;
    c.view().EnterContainer(band);
    c.Run(ID_INSERT_MENU);
    CGroupItem* group = band;
    ASSERT_EQ(group->GetChildCount(), 1);
    auto* menu = dynamic_cast<CMenuItem*>(group->GetChild(0));
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->m_topEntries.size(), 2u);
    EXPECT_EQ(menu->m_topEntries[0]->m_strCaption, CWString(u"Home"));
    EXPECT_EQ(menu->m_topEntries[1]->m_strCaption, CWString(u"Submenu 1"));
    const char16_t* drops[] = {u"More Items Here", u"Another Subitem", u"Double click to edit"};
    ASSERT_EQ(menu->m_dropEntries.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(menu->m_dropEntries[i]->m_strCaption, CWString(drops[i]));
        EXPECT_EQ(menu->m_dropEntries[i]->m_nNumber, 1);
        EXPECT_EQ(menu->m_dropEntries[i]->m_link.m_nTargetId, c.page->m_nSerial);
    }
    EXPECT_EQ(menu->m_pFill->m_crColor, 0xC0C0C0u);
    EXPECT_EQ(menu->m_borders[0].m_color, 0xCCCCCCu);
    EXPECT_EQ(menu->m_borders[0].m_nWidth, 2);
    EXPECT_EQ(c.page->m_nHeaderZIndex, 1);
    EXPECT_EQ(c.doc.m_undo.GetHead()->m_strDescription, "Insert Menu");
}

TEST(InsertCommands, NamesAnotherItemBearsAreSkipped)
{
    InsertCanvas c;
    c.Add(ITEM_GROUP, 0, 0)->m_strName = "Input5";
    c.Add(ITEM_GROUP, 0, 0)->m_strName = "Input6";
    c.Run(ID_FORM_INPUT);
    EXPECT_EQ(c.Last()->m_strName, "Input7");
    EXPECT_EQ(c.doc.m_nItemCounter, 8);
}

TEST(InsertCommands, WithoutACurrentContainerTheFirstPageIsUsed)
{
    InsertCanvas c;
    c.view().m_pContainer = nullptr;
    c.view().m_pCurrentPage = nullptr;
    c.Run(ID_INSERT_GROUP);
    EXPECT_EQ(c.view().m_pContainer, c.page);
    EXPECT_EQ(c.page->GetChildCount(), 1);

    CKJDoc empty;
    ViewFixture f(empty);
    EXPECT_FALSE(Enabled(f.view, ID_INSERT_GROUP));
    ExecuteCommand(&f.view, ID_INSERT_GROUP); // nothing to insert into: nothing happens
    EXPECT_TRUE(empty.m_undo.IsEmpty());
}

TEST(InsertCommands, AFlowInsertIsOneStepAndNotPlaced)
{
    FlowCanvas c;
    c.doc.SetModifiedFlag(false);
    Modal answer([](CDialog& dlg) {
        dlg.CheckDlgButton(1001, 0);
        dlg.OnOK(); // the dialog's own choice: at the end
        return dlg.GetResult();
    });
    ExecuteCommand(&c.view(), ID_FORM_CHECKBOX);
    ASSERT_EQ(c.page->GetChildCount(), 4);
    EXPECT_EQ(c.page->GetChild(3)->m_nType, ITEM_CHECK_BOX);
    EXPECT_EQ(c.page->GetChild(3)->m_bPositioned, 0);
    EXPECT_EQ(c.view().m_drag.mode, 0);
    EXPECT_EQ(c.doc.m_undo.GetCount(), 1u);
    EXPECT_TRUE(c.doc.IsModified());
}

// ------------------------------------------------------------------ dialogs

TEST(InsertCommands, CommandsWhoseDialogIsMissingAreDisabled)
{
    InsertCanvas c;
    // every dialog step taken away: its command is off and does nothing when run anyway
    const UINT itemRows[] = {ID_INSERT_TEXT, ID_INSERT_PREFORMATTED, ID_INSERT_SHAPE, ID_INSERT_TAB,
                             ID_INSERT_GRADIENT, ID_INSERT_YOUTUBE, ID_INSERT_VIDEO, ID_INSERT_EMAIL};
    std::vector<InsertDialog> saved;
    for (UINT id : itemRows)
        saved.push_back(SetInsertDialog(id, nullptr));
    const GalleryDialog gallery = SetGalleryDialog(nullptr);
    const SliderDialog slider = SetSliderDialog(nullptr);
    const TableDialog table = SetTableDialog(nullptr);
    const NewFormBuilder form = SetNewFormBuilder(nullptr);
    const UINT disabled[] = {ID_INSERT_TEXT, ID_INSERT_PREFORMATTED, ID_INSERT_SHAPE, ID_INSERT_TAB,
                             ID_INSERT_GRADIENT, ID_INSERT_YOUTUBE, ID_INSERT_VIDEO, ID_INSERT_EMAIL,
                             ID_INSERT_GALLERY, ID_INSERT_SLIDER, ID_INSERT_TABLE, ID_FORM_NEW};
    for (UINT id : disabled) {
        EXPECT_FALSE(Enabled(c.view(), id)) << id;
        c.Run(id);
    }
    EXPECT_EQ(c.page->GetChildCount(), 0);
    EXPECT_TRUE(c.doc.m_undo.IsEmpty());
    for (size_t i = 0; i < std::size(itemRows); ++i)
        SetInsertDialog(itemRows[i], saved[i]);
    SetGalleryDialog(gallery);
    SetSliderDialog(slider);
    SetTableDialog(table);
    SetNewFormBuilder(form);
    for (UINT id : disabled)
        EXPECT_TRUE(Enabled(c.view(), id)) << id << " with its dialog back";
    const UINT enabled[] = {ID_INSERT_PARAGRAPH, ID_INSERT_HEADING, ID_INSERT_LIST, ID_INSERT_MARQUEE,
                            ID_INSERT_AUDIO, ID_INSERT_ICON, ID_INSERT_IMAGE, ID_INSERT_BUTTON,
                            ID_INSERT_LINK, ID_INSERT_ARTISTIC, ID_INSERT_FLASH, ID_INSERT_GOOGLE_MAP,
                            ID_INSERT_PAYPAL, ID_INSERT_EXTERNAL_IMAGE, ID_INSERT_EXTERNAL_WEBSITE,
                            ID_INSERT_LIKE_BUTTON, ID_INSERT_FACEBOOK, ID_INSERT_SYMBOL, ID_INSERT_HTML,
                            ID_INSERT_JAVASCRIPT, ID_INSERT_PHP};
    for (UINT id : enabled)
        EXPECT_TRUE(Enabled(c.view(), id)) << id;
}

// The item dialogs themselves: OK in each gives one item of the kind, Cancel none.
TEST(InsertCommands, ItemDialogsMakeTheirItemOnOkAndNothingOnCancel)
{
    struct Case { UINT id; int type; };
    const Case cases[] = {
        {ID_INSERT_LINK, ITEM_LINK},           {ID_INSERT_ARTISTIC, ITEM_ARTISTIC_TEXT},
        {ID_INSERT_FLASH, ITEM_FLASH},         {ID_INSERT_GOOGLE_MAP, ITEM_GOOGLE_MAP},
        {ID_INSERT_PAYPAL, ITEM_PAYPAL},       {ID_INSERT_EXTERNAL_IMAGE, ITEM_EXTERNAL_IMAGE},
        {ID_INSERT_EXTERNAL_WEBSITE, ITEM_EXTERNAL_WEBSITE}, {ID_INSERT_LIKE_BUTTON, ITEM_LIKE_BUTTON},
        {ID_INSERT_FACEBOOK, ITEM_FACEBOOK},   {ID_INSERT_SYMBOL, ITEM_SYMBOL},
        {ID_INSERT_HTML, ITEM_HTML},           {ID_INSERT_JAVASCRIPT, ITEM_JAVASCRIPT},
        {ID_INSERT_PHP, ITEM_PHP},
    };
    // the payment button needs the seller's address, which the last insert remembers
    const CString savedSeller = GetProfileString("Current", "PayPalID", "");
    WriteProfileString("Current", "PayPalID", "shop@example.com");
    for (const Case& k : cases) {
        for (bool ok : {false, true}) {
            SCOPED_TRACE(testing::Message() << k.id << (ok ? " OK" : " Cancel"));
            InsertCanvas c;
            int dialogs = 0;
            const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
                ++dialogs;
                if (auto* code = dynamic_cast<DCodeTextBase*>(&d); code && code->Editor())
                    code->Editor()->setPlainText(QStringLiteral("<b>typed</b>"));
                if (!ok)
                    return IDCANCEL;
                d.OnOK();
                if (!d.IsEnded())
                    d.OnCancel(); // refused as it stands: the test fails below
                return d.GetResult();
            });
            c.Run(k.id);
            CDialog::SetModalHook(previous);
            EXPECT_GE(dialogs, 1) << "the command asks first";
            if (!ok) {
                EXPECT_EQ(c.page->GetChildCount(), 0);
                EXPECT_TRUE(c.doc.m_undo.IsEmpty());
                EXPECT_FALSE(c.doc.IsModified());
                continue;
            }
            ASSERT_EQ(c.page->GetChildCount(), 1);
            EXPECT_EQ(c.Last()->m_nType, k.type);
            EXPECT_EQ(c.doc.m_undo.GetCount(), 1u);
            EXPECT_TRUE(c.doc.IsModified());
            if (k.id == ID_INSERT_HTML || k.id == ID_INSERT_JAVASCRIPT || k.id == ID_INSERT_PHP) {
                EXPECT_EQ(c.Last()->m_strText.ToQString(), QStringLiteral("<b>typed</b>"));
            }
        }
    }
    WriteProfileString("Current", "PayPalID", savedSeller);
}

TEST(InsertCommands, CancelLeavesTheProjectAsItWas)
{
    struct Case {
        UINT id;
        bool consumesNumber;
    };
    const Case cases[] = {{ID_INSERT_PARAGRAPH, false}, {ID_INSERT_HEADING, false}, {ID_INSERT_LIST, false},
                          {ID_INSERT_MARQUEE, false},   {ID_INSERT_AUDIO, true}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.id);
        InsertCanvas c;
        c.Add(ITEM_GROUP, 10, 10);
        if (k.consumesNumber)
            ++c.doc.m_nItemCounter; // what the project holds after a drawn number
        const std::string project = Bytes(*c.page);
        CMemFile before;
        {
            CArchive ar(&before, CArchive::store);
            c.doc.Serialize(ar);
        }
        if (k.consumesNumber)
            --c.doc.m_nItemCounter;
        {
            Modal cancel(Cancel);
            c.Run(k.id);
        }
        EXPECT_EQ(Bytes(*c.page), project);
        EXPECT_TRUE(c.doc.m_undo.IsEmpty());
        EXPECT_FALSE(c.doc.IsModified());
        EXPECT_EQ(c.doc.m_nItemCounter, k.consumesNumber ? 6 : 5);
        CMemFile after;
        {
            CArchive ar(&after, CArchive::store);
            c.doc.Serialize(ar);
        }
        EXPECT_EQ(before.Bytes(), after.Bytes()) << "the project file is byte-identical";
    }
}

TEST(InsertCommands, HeadingFromItsDialogIsCappedAtHalfTheContainer)
{
    InsertCanvas c(500, 400);
    Modal answer([](CDialog& dlg) {
        auto& heading = dynamic_cast<DHeading&>(dlg);
        EXPECT_EQ(heading.m_text, CWString(u"New Title"));
        heading.SetDlgItemText(1000, "A heading far wider than half of this page can hold");
        heading.CheckDlgButton(1043, 0);
        heading.CheckDlgButton(1044, 1); // H2
        heading.OnOK();
        return heading.GetResult();
    });
    c.Run(ID_INSERT_HEADING);
    auto* heading = dynamic_cast<CHeadingItem*>(c.Last());
    ASSERT_TRUE(heading);
    EXPECT_EQ(heading->m_nLevel, 1);
    EXPECT_EQ(heading->m_pBaseStyle, &c.doc.m_styles.m_styles[STYLE_H2]);
    EXPECT_EQ(heading->m_strName, "") << "headings are not named";
    EXPECT_EQ(heading->m_nWidth, 250);
    EXPECT_EQ(heading->m_nWidthMode, 0);
    EXPECT_EQ(heading->m_nX, (500 - 250) / 2);
    EXPECT_EQ(c.doc.m_undo.GetHead()->m_strDescription, "Insert Heading");
    EXPECT_EQ(c.doc.m_nItemCounter, 5);
}

TEST(InsertCommands, TextIsCappedAt1000AndItsNumberStaysUsedOnCancel)
{
    InsertCanvas c(1400, 400);
    // a stand-in for the Text dialog
    InsertDialog previous = SetInsertDialog(ID_INSERT_TEXT, [](CKJView&, CItem& item) {
        if (item.m_strText == CWString(u"cancel"))
            return false;
        CString words;
        for (int i = 0; i < 60; ++i)
            words += "Wide words ";
        item.m_strText = words.GetString();
        item.m_nFontSize = 30;
        return true;
    });
    EXPECT_TRUE(Enabled(c.view(), ID_INSERT_TEXT));
    c.Run(ID_INSERT_TEXT);
    CItem* text = c.Last();
    ASSERT_TRUE(text);
    EXPECT_EQ(text->m_strName, "Text5");
    EXPECT_EQ(text->m_nWidth, 1000);
    EXPECT_EQ(text->m_nWidthMode, 0);
    EXPECT_EQ(text->m_nX, 200);
    EXPECT_EQ(c.doc.m_undo.GetHead()->m_strDescription, "Insert Span");
    SetInsertDialog(ID_INSERT_TEXT, [](CKJView&, CItem&) { return false; });
    c.Run(ID_INSERT_TEXT);
    EXPECT_EQ(c.doc.m_nItemCounter, 7) << "a cancelled Text keeps its number used";
    EXPECT_EQ(c.page->GetChildCount(), 1);
    SetInsertDialog(ID_INSERT_TEXT, previous);
    EXPECT_TRUE(Enabled(c.view(), ID_INSERT_TEXT)) << "the Text dialog is back";
    SetInsertDialog(ID_INSERT_TEXT, nullptr);
    EXPECT_FALSE(Enabled(c.view(), ID_INSERT_TEXT)) << "without its dialog the command is off";
    SetInsertDialog(ID_INSERT_TEXT, previous);
}

// ------------------------------------------------------------------ images from files

TEST(InsertCommands, ImagesFromFilesAreOneStepWithOneDownsizeQuestion)
{
    QTemporaryDir dir;
    const CString wide = WritePicture(dir, "wide.png", 3000, 300);
    const CString bad = WriteBytes(dir, "broken.png", QByteArray("not a picture at all"));
    const CString gif = WriteBytes(dir, "small.gif", kGif);
    for (const int answer : {IDYES, IDNO}) {
        InsertCanvas c(1000, 600);
        c.page->m_nPadding = 20;
        c.LayOut();
        ASSERT_EQ(c.page->m_nWidth - c.page->m_nInset[0] - c.page->m_nInset[3], 960);
        Messages messages(answer);
        Files files({wide, bad, gif});
        c.Run(ID_INSERT_IMAGE);
        ASSERT_EQ(files.seen.size(), 1u);
        ASSERT_EQ(c.page->GetChildCount(), 2) << "the broken file is left out";
        int questions = 0, named = 0;
        for (const CString& t : messages.texts) {
            questions += t == "Do you want to downsize large images?";
            named += t.Find("broken.png") >= 0;
        }
        EXPECT_EQ(questions, 1);
        EXPECT_EQ(named, 1) << "the unreadable file is named";
        auto* first = dynamic_cast<CImageItem*>(c.page->GetChild(0));
        ASSERT_TRUE(first);
        EXPECT_EQ(first->m_nType, ITEM_IMAGE);
        if (answer == IDYES) {
            EXPECT_EQ(first->m_picture.GetWidth(), 960);
            EXPECT_EQ(first->m_picture.GetHeight(), 300 * 960 / 3000);
        } else
            EXPECT_EQ(first->m_picture.GetWidth(), 3000);
        EXPECT_EQ(c.page->GetChild(1)->m_nType, ITEM_GIF);
        EXPECT_EQ(c.doc.m_undo.GetCount(), 1u);
        EXPECT_EQ(c.doc.m_undo.GetHead()->m_strDescription, "Insert Image");
        EXPECT_EQ(c.view().m_drag.mode, 0) << "files are not placed with the mouse";
        c.Undo();
        EXPECT_EQ(c.page->GetChildCount(), 0);
    }
}

TEST(InsertCommands, ImageEdgeCases)
{
    QTemporaryDir dir;
    const CString wide = WritePicture(dir, "wide.png", 300, 30);
    {
        // a container with no inner width: nothing is downsized
        InsertCanvas c;
        CItem* box = c.Add(ITEM_GROUP, 0, 0, 0, 0);
        c.LayOut();
        c.view().EnterContainer(box);
        Messages yes(IDYES);
        Files files({wide});
        c.Run(ID_INSERT_IMAGE);
        auto* group = dynamic_cast<CGroupItem*>(box);
        ASSERT_EQ(group->GetChildCount(), 1);
        EXPECT_EQ(dynamic_cast<CImageItem*>(group->GetChild(0))->m_picture.GetWidth(), 300);
    }
    {
        // an empty choice or only broken files leave no undo record
        InsertCanvas c;
        Messages ok;
        {
            Files none({});
            c.Run(ID_INSERT_IMAGE);
        }
        Files broken({WriteBytes(dir, "x.png", QByteArray("xx"))});
        c.Run(ID_INSERT_IMAGE);
        EXPECT_TRUE(c.doc.m_undo.IsEmpty());
        EXPECT_FALSE(c.doc.IsModified());
        EXPECT_EQ(c.page->GetChildCount(), 0);
    }
    {
        // with a picture on the site, the clone chooser decides; without it the command is off
        InsertCanvas c;
        Messages no(IDNO);
        {
            Files files({wide});
            c.Run(ID_INSERT_IMAGE);
        }
        CItem* source = c.Last();
        source->m_nX = 40;
        source->m_nY = 50;
        {
            const ImageChoiceDialog registered = SetImageChoiceDialog({});
            EXPECT_FALSE(Enabled(c.view(), ID_INSERT_IMAGE));
            SetImageChoiceDialog(registered);
        }
        ImageChoiceDialog previous = SetImageChoiceDialog(
            [](CKJView&, const std::vector<CItem*>& candidates, const CString& label, CItem*& chosen) {
                EXPECT_EQ(label, "Load New Image from File");
                EXPECT_EQ(candidates.size(), 1u);
                chosen = candidates.front();
                return IDOK;
            });
        EXPECT_TRUE(Enabled(c.view(), ID_INSERT_IMAGE));
        c.Run(ID_INSERT_IMAGE);
        auto* clone = dynamic_cast<CImageCloneItem*>(c.Last());
        ASSERT_TRUE(clone);
        EXPECT_EQ(clone->m_pSource, source);
        EXPECT_EQ(clone->m_nSourceId, source->m_nSerial);
        EXPECT_EQ(clone->m_nX, 50);
        EXPECT_EQ(clone->m_nY, 60);
        EXPECT_EQ(c.doc.m_undo.GetHead()->m_strDescription, "Clone Image");
        SetImageChoiceDialog(previous);
    }
}

TEST(InsertCommands, IconsStartBesideTheProgramAndAreOneStepEach)
{
    QTemporaryDir dir;
    const CString a = WritePicture(dir, "a.png", 32, 32);
    const CString b = WritePicture(dir, "b.png", 16, 16);
    InsertCanvas c;
    Files files({a, b});
    c.Run(ID_INSERT_ICON);
    ASSERT_EQ(files.seen.size(), 1u);
    EXPECT_TRUE(files.seen[0].initialFolder.ToQString().endsWith(QStringLiteral("/icons")));
    EXPECT_EQ(c.page->GetChildCount(), 2);
    EXPECT_EQ(c.doc.m_undo.GetCount(), 2u);
    EXPECT_EQ(c.doc.m_undo.GetHead()->m_strDescription, "Insert Icon");
    EXPECT_EQ(c.view().m_drag.mode, 8);
}

TEST(InsertCommands, ChooserFiltersMatchNamesWithoutADotAndAnyCase)
{
    CFileChooser chooser;
    chooser.SetFilter("Adobe PDF (*.pdf)|*.pdf|Microsoft (*.xls,*.doc)|*.xls;*.doc|All files (*.*)|*.*|");
    EXPECT_TRUE(chooser.FilterMatches(0, "A.PDF"));
    EXPECT_TRUE(chooser.FilterMatches(0, "a.pdf"));
    EXPECT_FALSE(chooser.FilterMatches(0, "a.pdf.txt"));
    EXPECT_TRUE(chooser.FilterMatches(1, "Sheet.XLS"));
    EXPECT_FALSE(chooser.FilterMatches(1, "Sheet.xlsx"));
    EXPECT_TRUE(chooser.FilterMatches(2, "README"));
    EXPECT_TRUE(chooser.FilterMatches(2, "x.y"));
    EXPECT_FALSE(chooser.FilterMatches(3, "README"));
    EXPECT_TRUE(chooser.QtFilter().endsWith(QStringLiteral("All files (*)")));
}

// ------------------------------------------------------------------ galleries, sliders, tables, files

TEST(InsertBuilders, GalleryMeasuresAndFitsItsPictures)
{
    QTemporaryDir dir;
    CKJDoc doc;
    AddPage(doc, 900, 600, 0xFFFFFF);
    doc.m_nItemCounter = 3;
    Messages ok;
    const std::vector<CString> paths = {WritePicture(dir, "wide.png", 1200, 600), WritePicture(dir, "tall.png", 600, 1200),
                                        WritePicture(dir, "exact.png", 600, 400), WriteBytes(dir, "bad.png", "zz")};
    std::unique_ptr<CGalleryItem> g(BuildGallery(doc, 600, 400, 100, 70, paths));
    EXPECT_EQ(g->m_strName, "Gallery3");
    EXPECT_EQ(g->m_nWidth, 616);
    EXPECT_EQ(g->m_nHeight, 537);
    EXPECT_EQ(g->m_nPadding, 8);
    ASSERT_EQ(g->m_pictures.size(), 3u);
    const int expected[3][2] = {{600, 300}, {200, 400}, {600, 400}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(g->m_pictures[i]->m_picture.GetWidth(), expected[i][0]) << i;
        EXPECT_EQ(g->m_pictures[i]->m_picture.GetHeight(), expected[i][1]) << i;
    }
    EXPECT_EQ(g->m_pictures[0]->m_strText, CWString(u"wide"));
    EXPECT_EQ(ok.texts.size(), 1u) << "the unreadable file is named once";

    std::unique_ptr<CGalleryItem> empty(BuildGallery(doc, 600, 400, 100, 70, {}));
    EXPECT_TRUE(empty->m_pictures.empty());
    EXPECT_EQ(empty->m_strName, "Gallery4");
}

TEST(InsertBuilders, FitTable)
{
    const int cases[][6] = {{1200, 600, 600, 400, 600, 300}, {600, 1200, 600, 400, 200, 400},
                            {600, 400, 600, 400, 600, 400}, {100, 50, 600, 400, 100, 50}};
    for (const auto& c : cases) {
        int w = 0, h = 0;
        FitPictureSize(c[0], c[1], c[2], c[3], w, h);
        EXPECT_EQ(w, c[4]);
        EXPECT_EQ(h, c[5]);
    }
}

TEST(InsertBuilders, SliderFramesCarryTheirInfoTexts)
{
    QTemporaryDir dir;
    CKJDoc doc;
    AddPage(doc, 1000, 600, 0xFFFFFF);
    doc.m_nPageWidth = 1000;
    std::unique_ptr<CSliderItem> s(BuildSlider(doc, 1000, 1000 / 3, 5, 1, true,
                                               {WritePicture(dir, "a.png", 1000, 333), WritePicture(dir, "b.png", 500, 200)}));
    EXPECT_EQ(s->m_nWidth, 1000);
    EXPECT_EQ(s->m_nHeight, 333);
    EXPECT_EQ(s->m_nTransition, 1);
    ASSERT_EQ(s->m_frames.size(), 2u);
    for (size_t k = 0; k < 2; ++k) {
        CGroupItem& frame = *s->m_frames[k];
        ASSERT_EQ(frame.GetChildCount(), 2);
        auto* text = dynamic_cast<CTextItem*>(frame.GetChild(1));
        ASSERT_TRUE(text);
        EXPECT_EQ(text->m_strText, W(CString::Formatted("Info %d", int(k) + 1)));
        EXPECT_EQ(text->m_crText, 0xFFFFFFu);
        EXPECT_EQ(text->m_nWidth, 960);
        EXPECT_EQ(text->m_nX, 20);
        EXPECT_EQ(text->m_nY, 293);
    }
    std::unique_ptr<CSliderItem> plain(BuildSlider(doc, 900, 300, 5, 4, false, {WritePicture(dir, "c.png", 50, 50)}));
    ASSERT_EQ(plain->m_frames.size(), 1u);
    EXPECT_EQ(plain->m_frames[0]->GetChildCount(), 1);
}

TEST(InsertBuilders, TablePresets)
{
    CKJDoc doc;
    std::unique_ptr<CTableItem> t(BuildTable(doc, "Table7", 3, 4));
    EXPECT_EQ(t->m_strName, "Table7");
    ASSERT_EQ(t->m_columns.size(), 4u);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(t->m_columns[size_t(c)]->m_strHeader, W(CString::Formatted("Col %d", c + 1)));
    ASSERT_EQ(t->m_rows.size(), 4u);
    const char16_t* first[] = {u"A1", u"B1", u"C1", u"D1"};
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(*t->m_rows[0]->m_cells[c], CWString(first[c]));
    EXPECT_EQ(*t->m_rows[3]->m_cells[3], CWString(u"D4"));
    EXPECT_FALSE(t->m_rows[0]->m_cells[4]);
    std::unique_ptr<CTableItem> one(BuildTable(doc, "T", 0, 0));
    EXPECT_EQ(one->m_columns.size(), 1u);
    EXPECT_TRUE(one->m_rows.empty()) << "one row shown: the header alone";
}

TEST(InsertBuilders, AttachedFiles)
{
    CString ext;
    EXPECT_EQ(ProposeAttachedName("/home/u/My Report.PDF", ext), "my_report");
    EXPECT_EQ(ext, ".PDF");
    EXPECT_EQ(ProposeAttachedName("/home/u/README", ext), "readme");
    EXPECT_EQ(ext, "");

    QTemporaryDir dir;
    QByteArray bytes;
    for (int i = 0; i < 5000; ++i)
        bytes.append(char(i * 7));
    const CString path = WriteBytes(dir, "My Report.PDF", bytes);
    CKJDoc doc;
    AddPage(doc, 600, 400, 0xFFFFFF);
    doc.SetModifiedFlag(false);
    CFileRecord* record = AttachFileToProject(doc, path, "my_report", ".PDF", nullptr);
    ASSERT_TRUE(record);
    ASSERT_EQ(doc.m_fileRecords.size(), 1u);
    EXPECT_EQ(record->GetFileName(), "my_report.PDF");
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(record->m_blob.Data()), int(record->m_blob.Size())), bytes);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.m_undo.IsEmpty());

    Messages messages;
    EXPECT_EQ(AttachFileToProject(doc, dir.filePath("missing.pdf").toUtf8().constData(), "x", ".pdf", nullptr), nullptr);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_GE(messages.texts[0].Find("missing.pdf"), 0);
    EXPECT_EQ(doc.m_fileRecords.size(), 1u) << "nothing half-attached";
}


// Pictures for a person to look at: a page holding what the commands make, and a new
// item following the mouse.
TEST(InsertCommands, Screenshots)
{
    QTemporaryDir dir;
    InsertCanvas c(900, 1100);
    Messages ok(IDNO);
    CKJView& view = c.view();
    c.Run(ID_INSERT_MENU);
    c.Press(450, 30);
    c.Release(450, 30);
    {
        CEditScope scope(c.doc, c.page, c.page, nullptr, "Insert Gallery");
        CGalleryItem* g = BuildGallery(c.doc, 400, 260, 80, 56,
                                       {WritePicture(dir, "g1.png", 800, 520, QColor(40, 120, 200)),
                                        WritePicture(dir, "g2.png", 400, 600, QColor(220, 120, 40)),
                                        WritePicture(dir, "g3.png", 300, 200, QColor(60, 170, 80))});
        g->m_nX = 20;
        g->m_nY = 80;
        view.AddItemToPage(g, false);
    }
    {
        CEditScope scope(c.doc, c.page, c.page, nullptr, "Insert Slider");
        CSliderItem* s = BuildSlider(c.doc, 420, 140, 5, 1, true, {WritePicture(dir, "s1.png", 840, 280, QColor(90, 60, 160))});
        s->m_nX = 460;
        s->m_nY = 80;
        view.AddItemToPage(s, false);
    }
    {
        CEditScope scope(c.doc, c.page, c.page, nullptr, "Insert Table");
        CTableItem* t = BuildTable(c.doc, "Table1", 3, 4);
        t->m_nX = 460;
        t->m_nY = 260;
        view.AddItemToPage(t, false);
    }
    c.Run(ID_INSERT_CATEGORIES);
    c.Press(120, 700);
    c.Release(120, 700);
    c.Run(ID_FORM_DATE_PICKER);
    c.Press(600, 650);
    c.Release(600, 650);
    c.Run(ID_FORM_COLOR_PICKER);
    c.Press(600, 720);
    c.Release(600, 720);
    // a symbol and a PayPal button, their dialogs stood in for
    InsertDialog previousSymbol = SetInsertDialog(ID_INSERT_SYMBOL, [](CKJView&, CItem& item) {
        auto& symbol = dynamic_cast<CSymbolItem&>(item);
        symbol.m_nGlyph = 0x4A;
        std::strcpy(symbol.m_lf.lfFaceName, "Wingdings");
        return true;
    });
    InsertDialog previousPayPal = SetInsertDialog(ID_INSERT_PAYPAL, [](CKJView&, CItem&) { return true; });
    c.Run(ID_INSERT_SYMBOL);
    CItem* symbol = c.Last();
    symbol->m_nX = 700;
    symbol->m_nY = 560;
    c.Run(ID_INSERT_PAYPAL);
    c.Press(800, 860);
    c.Release(800, 860);
    SetInsertDialog(ID_INSERT_SYMBOL, previousSymbol);
    SetInsertDialog(ID_INSERT_PAYPAL, previousPayPal);
    EXPECT_GE(c.page->GetChildCount(), 9);
    view.resize(1100, 1200);
    QImage page = view.RenderClient();
    EXPECT_TRUE(page.save(testsupport::ArtifactPath(QStringLiteral("insert/page-with-inserts.png"))));

    c.Run(ID_INSERT_GROUP);
    EXPECT_EQ(view.m_drag.mode, 8);
    c.Hover(300, 900);
    c.Hover(320, 940);
    QImage following = view.DragFeedbackImage();
    EXPECT_TRUE(following.save(testsupport::ArtifactPath(QStringLiteral("insert/new-item-following-mouse.png"))));
    c.Press(320, 940);
    c.Release(320, 940);
    EXPECT_EQ(view.m_drag.mode, 0);
}


TEST(InsertCommands, PdfIsAttachedInSortedPlaceAndSelected)
{
    QTemporaryDir dir;
    QByteArray bytes("%PDF-1.4 report body\n");
    const CString path = WriteBytes(dir, "My Report.PDF", bytes);
    InsertCanvas c;
    auto first = std::make_unique<CFileRecord>();
    first->m_strBaseName = "aaa";
    first->m_strExtension = ".zip";
    c.doc.m_fileRecords.push_back(std::move(first));
    auto last = std::make_unique<CFileRecord>();
    last->m_strBaseName = "zzz";
    last->m_strExtension = ".zip";
    c.doc.m_fileRecords.push_back(std::move(last));
    c.view().FillSiteTree();
    FileNameValues seen;
    FileNameDialog previous = SetFileNameDialog([&](CKJView&, FileNameValues& values) {
        seen = values;
        return true;
    });
    Files files({path});
    EXPECT_TRUE(Enabled(c.view(), ID_INSERT_PDF));
    c.Run(ID_INSERT_PDF);
    SetFileNameDialog(previous);
    EXPECT_EQ(seen.name, "my_report");
    EXPECT_EQ(seen.extension, ".PDF");
    ASSERT_EQ(files.seen.size(), 1u);
    EXPECT_TRUE(files.seen[0].pdfFilterTakesUpperCase);
    ASSERT_EQ(c.doc.m_fileRecords.size(), 3u);
    CFileRecord* record = c.doc.m_fileRecords.back().get();
    EXPECT_EQ(record->GetFileName(), "my_report.PDF");
    EXPECT_TRUE(c.doc.IsModified());
    EXPECT_TRUE(c.doc.m_undo.IsEmpty());
    QTreeWidget* tree = c.f->frame.tree.get();
    QTreeWidgetItem* node = tree->currentItem();
    ASSERT_TRUE(node);
    EXPECT_EQ(NodeObject(node), record);
    EXPECT_EQ(NodeImage(node), IMAGE_FILE);
    QTreeWidgetItem* before = tree->itemAbove(node);
    QTreeWidgetItem* after = tree->itemBelow(node);
    ASSERT_TRUE(before && after);
    EXPECT_EQ(before->text(0), QStringLiteral("aaa.zip"));
    EXPECT_EQ(after->text(0), QStringLiteral("page [page.html]"));
}

// Every kind the program can insert today on one page, with hostile texts; the page
// passes tidy, the texts come out escaped, the attached file and the gallery's pictures
// come out as they should.
TEST(InsertCommands, APageOfEveryInsertedKindIsValid)
{
    EveryKindSite site;
    const QString index = site.Generate();
    ASSERT_FALSE(index.isEmpty()) << site.error.GetString();
    QTemporaryDir& dir = site.dir;
    const QByteArray& fileBytes = site.fileBytes;
    CPage* page = site.page;
    QFile html(index);
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    const QByteArray text = html.readAll();
    EXPECT_EQ(testsupport::TidyErrors(text), QByteArray());
    EXPECT_FALSE(text.contains("<script>window.pwned=1")) << "no user text runs as a script";
    EXPECT_TRUE(text.contains("&lt;script&gt;window.pwned=1"));
    EXPECT_FALSE(text.contains("<img src=x"));
    EXPECT_FALSE(text.contains("y=\"2\"")) << "a quote in an address is escaped";

    QFile attached(dir.filePath(QStringLiteral("site/data_file.zip")));
    ASSERT_TRUE(attached.open(QIODevice::ReadOnly));
    EXPECT_EQ(attached.readAll(), fileBytes);

    // the gallery's pictures as written: read back by a picture reader
    auto* gallery = dynamic_cast<CGalleryItem*>(page->GetChild(page->GetChildCount() - 3));
    ASSERT_TRUE(gallery);
    const QSize expected[] = {{600, 300}, {200, 400}, {600, 400}};
    for (size_t i = 0; i < gallery->m_pictures.size(); ++i) {
        const QString name = gallery->m_pictures[i]->GetPublishedName().ToQString();
        QImageReader reader(dir.filePath(QStringLiteral("site/") + name));
        EXPECT_EQ(reader.size(), expected[i]) << name.toStdString();
    }
}

} // namespace

namespace {

// Insert/PHP's own steps (its dialogs come from elsewhere; a stand-in gives the code):
// the page becomes a PHP page and the generated file passes php -l.
TEST(InsertCommands, PhpMakesThePageAPhpPage)
{
    InsertCanvas c;
    InsertDialog previous = SetInsertDialog(ID_INSERT_PHP, [](CKJView&, CItem& item) {
        item.m_strText = "echo htmlspecialchars(\"it's <b>\");";
        return true;
    });
    EXPECT_TRUE(Enabled(c.view(), ID_INSERT_PHP));
    c.Run(ID_INSERT_PHP);
    SetInsertDialog(ID_INSERT_PHP, previous);
    CItem* php = c.Last();
    ASSERT_TRUE(php);
    EXPECT_EQ(php->m_nType, ITEM_PHP);
    EXPECT_EQ(php->m_nWidth, 300);
    EXPECT_EQ(php->m_nX, 150);
    EXPECT_EQ(c.page->m_strExtension, ".php");
    EXPECT_EQ(c.doc.m_undo.GetHead()->m_strDescription, "Insert PHP");

    QTemporaryDir dir;
    CPublishContext context;
    context.m_strOutputFolder = CString::FromQString(dir.filePath(QStringLiteral("site")));
    context.m_nMode = kPublishExport;
    context.m_bUploadAll = 1;
    CString error;
    ASSERT_EQ(GenerateWebsite(c.doc, context, &error), 1) << error.GetString();
    QFile file(dir.filePath(QStringLiteral("site/page.php")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray code = file.readAll();
    EXPECT_TRUE(code.contains("echo htmlspecialchars"));
    EXPECT_EQ(testsupport::PhpLintErrors(code).toStdString(), std::string());
}

} // namespace

namespace {

// Rows whose dialogs come from elsewhere, run with stand-ins for those dialogs: what the
// command itself does before and after (presets from and back to the profile, the
// symbol's font, the map's number drawn before the dialog).
TEST(InsertCommands, EmailAndPayPalRememberTheLastValues)
{
    InsertCanvas c;
    std::vector<CString> presets;
    InsertDialog previousEmail = SetInsertDialog(ID_INSERT_EMAIL, [&](CKJView&, CItem& item) {
        auto& email = dynamic_cast<CEmailItem&>(item);
        presets.push_back(email.m_strAddress);
        email.m_strAddress = "me&you@example.org";
        return true;
    });
    InsertDialog previousPayPal = SetInsertDialog(ID_INSERT_PAYPAL, [&](CKJView&, CItem& item) {
        auto& pay = dynamic_cast<CPayPalItem&>(item);
        presets.push_back(pay.m_strBusiness);
        pay.m_strBusiness = "SHOP42";
        return true;
    });
    for (int round = 0; round < 2; ++round) {
        c.Run(ID_INSERT_EMAIL);
        EXPECT_EQ(c.Last()->m_nType, ITEM_EMAIL);
        EXPECT_EQ(c.Last()->m_nX, (600 - c.Last()->m_nWidth) / 2);
        c.Run(ID_INSERT_PAYPAL);
        EXPECT_EQ(c.Last()->m_nType, ITEM_PAYPAL);
        EXPECT_EQ(c.doc.m_undo.GetHead()->m_strDescription, "Insert PayPal");
    }
    SetInsertDialog(ID_INSERT_EMAIL, previousEmail);
    SetInsertDialog(ID_INSERT_PAYPAL, previousPayPal);
    ASSERT_EQ(presets.size(), 4u);
    EXPECT_EQ(presets[0], "name@example.org");
    EXPECT_EQ(presets[1], "");
    EXPECT_EQ(presets[2], "me&you@example.org");
    EXPECT_EQ(presets[3], "SHOP42");
}

TEST(InsertCommands, SymbolTakesTheChosenFaceAtAFixedSizeAndIsNotPlaced)
{
    InsertCanvas c;
    const std::string longFace(40, 'F');
    InsertDialog previous = SetInsertDialog(ID_INSERT_SYMBOL, [&](CKJView&, CItem& item) {
        auto& symbol = dynamic_cast<CSymbolItem&>(item);
        symbol.m_nGlyph = 0x4A;
        std::memcpy(symbol.m_lf.lfFaceName, longFace.data(), sizeof symbol.m_lf.lfFaceName); // no terminator
        symbol.m_lf.lfWeight = 900;
        return true;
    });
    c.Run(ID_INSERT_SYMBOL);
    SetInsertDialog(ID_INSERT_SYMBOL, previous);
    auto* symbol = dynamic_cast<CSymbolItem*>(c.Last());
    ASSERT_TRUE(symbol);
    EXPECT_EQ(symbol->m_lf.lfHeight, -100);
    EXPECT_EQ(symbol->m_lf.lfWeight, 400);
    EXPECT_EQ(symbol->m_lf.lfCharSet, 1);
    EXPECT_EQ(symbol->m_lf.lfOutPrecision, 4);
    EXPECT_EQ(symbol->m_lf.lfQuality, 1);
    EXPECT_EQ(std::string(symbol->m_lf.lfFaceName), std::string(31, 'F'));
    EXPECT_EQ(c.view().m_drag.mode, 0) << "a symbol is not placed with the mouse";
    EXPECT_EQ(symbol->m_nX, (600 - symbol->m_nWidth) / 2);
    EXPECT_EQ(c.doc.m_undo.GetHead()->m_strDescription, "Insert Symbol");
}

TEST(InsertCommands, ACancelledMapKeepsItsNumberUsed)
{
    InsertCanvas c;
    int answer = 0;
    InsertDialog previous = SetInsertDialog(ID_INSERT_GOOGLE_MAP, [&](CKJView&, CItem& item) {
        EXPECT_EQ(item.m_strName, answer ? "Map6" : "Map5");
        return answer++ > 0;
    });
    c.Run(ID_INSERT_GOOGLE_MAP);
    EXPECT_EQ(c.page->GetChildCount(), 0);
    EXPECT_TRUE(c.doc.m_undo.IsEmpty());
    c.Run(ID_INSERT_GOOGLE_MAP);
    SetInsertDialog(ID_INSERT_GOOGLE_MAP, previous);
    ASSERT_EQ(c.page->GetChildCount(), 1);
    EXPECT_EQ(c.Last()->m_strName, "Map6");
    EXPECT_EQ(c.doc.m_undo.GetHead()->m_strDescription, "Insert Map");
}

} // namespace

namespace {

// Insert/PHP changes the page's address only once: the first insert sends every page
// (links to this one) and the stylesheet back to "not uploaded" and relabels the page in
// the site tree; a second one touches its own page only.
TEST(InsertCommands, PhpTouchesTheSiteOnlyWhenTheAddressChanges)
{
    InsertCanvas c;
    c.page->m_strBaseName = "shop";
    CPage* other = AddPage(c.doc, 600, 400, 0xFFFFFF, "other");
    c.view().FillSiteTree();
    InsertDialog previous = SetInsertDialog(ID_INSERT_PHP, [](CKJView&, CItem& item) {
        item.m_strText = "echo 1;";
        return true;
    });
    struct Round {
        int otherState, css;
        const char* label;
    };
    const Round rounds[] = {{0, 0, "shop.php"}, {2, 2, "shop.php"}};
    for (const Round& r : rounds) {
        c.page->m_nUploadState = 2;
        other->m_nUploadState = 2;
        c.doc.m_nCssUploadState = 2;
        c.Run(ID_INSERT_PHP);
        EXPECT_EQ(c.page->m_strExtension, ".php");
        EXPECT_EQ(c.page->m_nUploadState, 0);
        EXPECT_EQ(other->m_nUploadState, r.otherState);
        EXPECT_EQ(c.doc.m_nCssUploadState, r.css);
        QTreeWidgetItem* node = FindNode(c.view().GetFrameWnd()->GetSiteTree(), c.page);
        ASSERT_TRUE(node);
        EXPECT_TRUE(node->text(0).contains(QLatin1String(r.label))) << node->text(0).toStdString();
    }
    SetInsertDialog(ID_INSERT_PHP, previous);
    EXPECT_EQ(c.doc.m_undo.GetCount(), 2u);
    // Undo gives the page its old address back
    c.Undo();
    c.Undo();
    EXPECT_EQ(c.page->m_strExtension, ".html");
}

// The link dialog may change the site's link style on OK. The insert's change holds that:
// a link then dropped (no text) leaves the project byte-identical; an inserted one sends
// every page and the stylesheet back to "not uploaded".
TEST(InsertCommands, TheLinkDialogsSiteStyleIsPartOfTheInsert)
{
    for (const bool keep : {false, true}) {
        SCOPED_TRACE(keep ? "inserted" : "dropped");
        InsertCanvas c;
        CPage* other = AddPage(c.doc, 600, 400, 0xFFFFFF, "other");
        // a paragraph in the flow of the other page: laid out again with the link style
        CItem* words = c.doc.NewParagraph();
        words->m_strText = CWString(u"Some words");
        other->AddChild(words);
        c.doc.m_nPageWidth = 600; // the pages' own width: laying out changes no width
        c.doc.ApplyPageWidth();
        other->m_nUploadState = 2;
        c.doc.m_nCssUploadState = 2;
        const int bold = c.doc.m_styles.m_link.m_nBold;
        const int serials = GetObjectCounter();
        CMemFile before;
        {
            CArchive ar(&before, CArchive::store);
            c.doc.Serialize(ar);
        }
        int styles = 0;
        Modal answer([&](CDialog& d) -> int {
            if (auto* style = dynamic_cast<DDefaultLinkStyle*>(&d)) {
                ++styles;
                auto* box = dynamic_cast<QComboBox*>(style->GetDlgItem(1020));
                EXPECT_TRUE(box);
                if (box)
                    box->setCurrentIndex(bold == 1 ? 0 : 1);
                style->OnOK();
                return style->GetResult();
            }
            d.SendNotify(1037, BN_CLICKED); // the site's link style
            d.SetDlgItemText(1028, keep ? "Go" : "");
            d.OnOK();
            return d.IsEnded() ? d.GetResult() : int(IDCANCEL);
        });
        c.Run(ID_INSERT_LINK);
        EXPECT_EQ(styles, 1);
        if (!keep) {
            EXPECT_EQ(c.page->GetChildCount(), 0);
            EXPECT_TRUE(c.doc.m_undo.IsEmpty());
            EXPECT_FALSE(c.doc.IsModified());
            EXPECT_EQ(c.doc.m_styles.m_link.m_nBold, bold);
            EXPECT_EQ(GetObjectCounter(), serials);
            CMemFile after;
            {
                CArchive ar(&after, CArchive::store);
                c.doc.Serialize(ar);
            }
            EXPECT_EQ(FirstDifference(before.Bytes(), after.Bytes()), -1) << "the project file is byte-identical";
            continue;
        }
        ASSERT_EQ(c.page->GetChildCount(), 1);
        EXPECT_NE(c.doc.m_styles.m_link.m_nBold, bold);
        EXPECT_EQ(c.doc.m_undo.GetCount(), 1u);
        EXPECT_EQ(other->m_nUploadState, 0) << "every page shows the link style";
        EXPECT_EQ(c.doc.m_nCssUploadState, 0) << "the stylesheet holds it";
    }
}

} // namespace
