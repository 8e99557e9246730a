// The formatting and style commands driven through the command route, with their dialogs
// answered by the modal hook: what each sets on every selected item, one undo step and one
// update hint per change, and a project left byte for byte as it was after Cancel.
#include "FormatTestSupport.h"

#include "controls/ColorControl.h"
#include "controls/FontChooser.h"
#include "dialogs/FontDialogs.h"
#include "dialogs/SizeDialogs.h"
#include "dialogs/SmallPropertyDialogs.h"
#include "document/SiteCss.h"
#include "editor/commands/FormatCommands.h"
#include "framework/ui/PropertySheet.h"
#include "dialogs/EffectDialogs.h"
#include "model/items/ImageItemBase.h"

#include <gtest/gtest.h>
#include <QtWidgets/QLineEdit>

using namespace edtest;

namespace {

TEST(FormatCommands, BoldFromInheritGivesOnThenOffOnEverySelectedItem)
{
    FormatCanvas c;
    CItem* a = c.Add(ITEM_TEXT, 10, 10);
    CItem* b = c.Add(ITEM_PARAGRAPH, 10, 100);
    a->m_nBold = 2;
    b->m_nBold = 0;
    c.Select({a, b});
    const struct {
        int expected;
    } steps[] = {{1}, {0}};
    for (const auto& step : steps) {
        const FormatCanvas::Counts before = c.Count();
        c.Run(ID_BOLD);
        EXPECT_EQ(a->m_nBold, step.expected);
        EXPECT_EQ(b->m_nBold, step.expected);
        c.ExpectOneUndoStep(before, "Bold");
    }
}

TEST(FormatCommands, ItalicAndUnderlineToggleFromTheFirstItem)
{
    const struct {
        UINT id;
        int first, other, expected;
        int CItem::*field;
    } cases[] = {
        {ID_ITALIC, 1, 2, 0, &CItem::m_nItalic},      {ID_ITALIC, 2, 1, 1, &CItem::m_nItalic},
        {ID_UNDERLINE, 0, 3, 1, &CItem::m_nDecoration}, {ID_UNDERLINE, 2, 0, 0, &CItem::m_nDecoration},
        {ID_UNDERLINE, 3, 1, 0, &CItem::m_nDecoration}, {ID_UNDERLINE, 1, 0, 0, &CItem::m_nDecoration},
    };
    for (const auto& k : cases) {
        FormatCanvas c;
        CItem* a = c.Add(ITEM_TEXT, 10, 10);
        CItem* b = c.Add(ITEM_TEXT, 10, 100);
        a->*k.field = k.first;
        b->*k.field = k.other;
        c.Select({a, b});
        c.Run(k.id);
        EXPECT_EQ(a->*k.field, k.expected) << k.id << " from " << k.first;
        EXPECT_EQ(b->*k.field, k.expected) << k.id << " from " << k.first;
        EXPECT_EQ(c.doc.m_undo.GetCount(), 1u);
    }
}

TEST(FormatCommands, FontSizeSteps)
{
    const struct {
        int size, styleSize;
        UINT id;
        int expected;
    } cases[] = {
        {7, 12, ID_SMALLER_FONT, 6}, {6, 12, ID_SMALLER_FONT, 6}, {0, 12, ID_SMALLER_FONT, 11},
        {0, 12, ID_LARGER_FONT, 13}, {9, 12, ID_LARGER_FONT, 10},
    };
    for (const auto& k : cases) {
        FormatCanvas c;
        c.doc.m_styles.m_base.m_nSize = k.styleSize;
        CItem* text = c.Add(ITEM_TEXT, 10, 10);
        text->m_nFontSize = k.size;
        c.LayOut();
        c.Select({text});
        c.Run(k.id);
        EXPECT_EQ(text->m_nFontSize, k.expected) << k.size << " with " << k.id;
    }
    // the rendered kinds scale their font height, truncating toward zero
    const struct {
        UINT id;
        int expected;
    } rendered[] = {{ID_LARGER_FONT, -52}, {ID_SMALLER_FONT, -43}};
    for (const auto& k : rendered) {
        FormatCanvas c;
        auto* art = static_cast<CImageItemBase*>(c.Add(ITEM_ARTISTIC_TEXT, 10, 10));
        art->m_lf.lfHeight = -48;
        c.LayOut();
        c.Select({art});
        const FormatCanvas::Counts before = c.Count();
        c.Run(k.id);
        EXPECT_EQ(art->m_lf.lfHeight, k.expected);
        c.ExpectOneUndoStep(before, k.id == ID_LARGER_FONT ? "Font Larger" : "Font Smaller");
    }
}

TEST(FormatCommands, AlignCenterSetsBothAlignmentsAndRedrawsTheWholeViewOnlyForAFlowingItem)
{
    for (const bool flowing : {true, false}) {
        FormatCanvas c;
        CItem* para = c.Add(ITEM_PARAGRAPH, 10, 10, 200, 40, !flowing);
        c.LayOut();
        c.Select({para});
        const int redraws = c.view().m_nRedrawCount;
        const FormatCanvas::Counts before = c.Count();
        c.Run(ID_ALIGN_CENTER);
        EXPECT_EQ(para->m_nTextAlign, 2);
        EXPECT_EQ(para->m_nBlockAlign, 2);
        EXPECT_EQ(c.view().m_nRedrawCount - redraws, flowing ? 1 : 0) << "flowing " << flowing;
        c.ExpectOneUndoStep(before, "Text Align");
    }
    FormatCanvas c;
    CItem* text = c.Add(ITEM_TEXT, 10, 10);
    c.Select({text});
    c.Run(ID_ALIGN_RIGHT);
    EXPECT_EQ(text->m_nTextAlign, 1);
    EXPECT_EQ(text->m_nBlockAlign, 1);
    c.Run(ID_ALIGN_LEFT);
    EXPECT_EQ(text->m_nTextAlign, 0);
    EXPECT_EQ(text->m_nBlockAlign, 0);
}

TEST(FormatCommands, TextAlignDialogOpensOnTheItemsChoiceAndStoresItsCode)
{
    // item code -> the choice shown (Undefined, Left, Right, Center, Justified)
    const int opensOn[][2] = {{0, 0}, {4, 1}, {1, 2}, {2, 3}, {3, 4}};
    for (const auto& k : opensOn) {
        FormatCanvas c;
        CItem* text = c.Add(ITEM_TEXT, 10, 10);
        text->m_nTextAlign = k[0];
        c.Select({text});
        int shown = -2;
        c.Answer<DTextAlign>([&](DTextAlign& d) { shown = d.m_nAlign; }, false);
        c.Run(ID_TEXT_ALIGN_DIALOG);
        EXPECT_EQ(shown, k[1]) << "code " << k[0];
    }
    // the choice -> the code stored
    const int stores[][2] = {{0, 0}, {1, 4}, {2, 1}, {3, 2}, {4, 3}};
    for (const auto& k : stores) {
        FormatCanvas c;
        CItem* a = c.Add(ITEM_TEXT, 10, 10);
        CItem* b = c.Add(ITEM_TEXT, 10, 100);
        a->m_nTextAlign = 4;
        c.Select({a, b});
        const FormatCanvas::Counts before = c.Count();
        c.Answer<DTextAlign>([&](DTextAlign& d) { d.m_nAlign = k[0], d.UpdateData(FALSE); }, true);
        c.Run(ID_TEXT_ALIGN_DIALOG);
        EXPECT_EQ(a->m_nTextAlign, k[1]) << "choice " << k[0];
        EXPECT_EQ(b->m_nTextAlign, k[1]) << "choice " << k[0];
        c.ExpectOneUndoStep(before, "Text Align");
    }
}

TEST(FormatCommands, BoxAlignStoresItsFourChoicesAndTheirMargins)
{
    const struct {
        int choice, code;
        bool leftAuto, rightAuto;
    } cases[] = {
        {0, 3, false, false}, // Undefined: no automatic margin
        {1, 0, false, true},  // To Left Edge
        {2, 1, true, false},  // To Right Edge
        {3, 2, true, true},   // Centered
    };
    for (const auto& k : cases) {
        FormatCanvas c;
        CItem* text = c.Add(ITEM_TEXT, 10, 10, 200, 40, false);
        text->m_nBlockAlign = 1;
        c.LayOut();
        c.Select({text});
        int shown = -2;
        const FormatCanvas::Counts before = c.Count();
        c.Answer<DBoxAlign>([&](DBoxAlign& d) { shown = d.m_nAlign, d.m_nAlign = k.choice, d.UpdateData(FALSE); }, true);
        c.Run(ID_BOX_ALIGN_DIALOG);
        EXPECT_EQ(shown, 2) << "opens on the item's own value (To Right Edge)";
        EXPECT_EQ(text->m_nBlockAlign, k.code);
        c.ExpectOneUndoStep(before, "Box Align");
        // on the canvas too: only right and centred move the flowing item off the left
        const int left = c.page->m_nInset[SIDE_LEFT];
        EXPECT_EQ(text->m_nX == left, !k.leftAuto) << "choice " << k.choice << " x " << text->m_nX;
        const CString margins = WriteMarginStyle(text->m_margin, text->m_nBlockAlign);
        EXPECT_EQ(margins.Find("margin-left:auto;") >= 0, k.leftAuto) << margins.GetString();
        EXPECT_EQ(margins.Find("margin-right:auto;") >= 0, k.rightAuto) << margins.GetString();
    }
}

TEST(FormatCommands, HeadingStyleChangesTheStylesheetAndSendsEverythingAgain)
{
    FormatCanvas c;
    CPage* second = AddPage(c.doc, 600, 400, 0xFFFFFF, "second");
    CItem* heading = c.Add(ITEM_HEADING, 10, 10, 200, 40, false);
    heading->m_nFontSize = 0;
    c.LayOut();
    c.SetUploaded();
    second->m_nUploadState = 2;
    const FormatCanvas::Counts before = c.Count();
    CString css;
    BuildSiteCss(c.doc, css);
    EXPECT_EQ(css.Find("font-size:37pt;"), -1);
    c.Answer<DFontStyle>([](DFontStyle& d) { d.SetDlgItemText(1000, "37"); }, true);
    c.Run(ID_STYLE_HEADING3);
    EXPECT_EQ(c.doc.m_styles.m_styles[2].m_nSize, 37);
    BuildSiteCss(c.doc, css);
    const int h3 = css.Find("h3");
    ASSERT_GE(h3, 0) << css.GetString();
    EXPECT_GT(css.Find("font-size:37pt;", h3), h3) << css.GetString();
    EXPECT_EQ(c.doc.m_nCssUploadState, 0);
    EXPECT_EQ(c.page->m_nUploadState, 0);
    EXPECT_EQ(second->m_nUploadState, 0);
    EXPECT_TRUE(c.doc.IsModified());
    EXPECT_EQ(c.doc.m_undo.GetCount(), before.undo) << "style edits are no undo step";
    EXPECT_EQ(c.hints.size(), before.hints + 1);
}

TEST(FormatCommands, StyleCommandsAreOneChangeOfTheWholeSiteWithoutUndo)
{
    const struct {
        UINT id;
        CTextStyle* (*style)(CKJDoc&);
    } cases[] = {
        {ID_STYLE_DEFAULT_FONT, [](CKJDoc& d) { return &d.m_styles.m_base; }},
        {ID_STYLE_NORMAL, [](CKJDoc& d) { return &d.m_styles.m_base; }},
        {ID_STYLE_HEADING1, [](CKJDoc& d) { return &d.m_styles.m_styles[0]; }},
        {ID_STYLE_HEADING6, [](CKJDoc& d) { return &d.m_styles.m_styles[5]; }},
        {ID_STYLE_PREFORMATTED, [](CKJDoc& d) { return &d.m_styles.m_styles[6]; }},
        {ID_STYLE_DEFAULT_LINK, nullptr},
    };
    for (const auto& k : cases) {
        FormatCanvas c;
        CPage* second = AddPage(c.doc, 600, 400, 0xFFFFFF, "second");
        c.Add(ITEM_TEXT, 10, 10);
        c.LayOut();
        c.SetUploaded();
        second->m_nUploadState = 2;
        PluggedDialogs plug;
        GetCommandDialogs().defaultLinkStyle = [](CLinkStyle& style, QWidget*) {
            style.m_crColor = RGB(0, 99, 0);
            return IDOK;
        };
        c.Answer<DFontStyle>([](DFontStyle& d) { d.SetDlgItemText(1000, "23"); }, true);
        ASSERT_TRUE(c.Enabled(k.id)) << k.id;
        c.Run(k.id);
        if (k.style)
            EXPECT_EQ(k.style(c.doc)->m_nSize, 23) << k.id;
        else
            EXPECT_EQ(c.doc.m_styles.m_link.m_crColor, RGB(0, 99, 0));
        EXPECT_EQ(c.doc.m_undo.GetCount(), 0u) << k.id;
        EXPECT_EQ(c.hints.size(), 1u) << k.id;
        EXPECT_TRUE(c.doc.IsModified()) << k.id;
        EXPECT_EQ(c.doc.m_nCssUploadState, 0) << k.id;
        EXPECT_EQ(c.page->m_nUploadState, 0) << k.id;
        EXPECT_EQ(second->m_nUploadState, 0) << k.id;
    }
}

TEST(FormatCommands, CancelledHeadingStyleLaysOutAgainButMarksNothing)
{
    FormatCanvas c;
    c.Add(ITEM_HEADING, 10, 10, 200, 40, false);
    c.LayOut();
    c.SetUploaded();
    const std::vector<BYTE> bytes = c.Bytes();
    const int redraws = c.view().m_nRedrawCount;
    c.Answer<DFontStyle>([](DFontStyle& d) { d.SetDlgItemText(1000, "37"); }, false);
    c.Run(ID_STYLE_HEADING3);
    EXPECT_GT(c.view().m_nRedrawCount, redraws);
    c.ExpectUnchanged(bytes);
    EXPECT_EQ(c.doc.m_nCssUploadState, 2);
    EXPECT_EQ(c.page->m_nUploadState, 2);
}

TEST(FormatCommands, BordersGoToEverySelectedItemAndOneUndoRestoresThem)
{
    FormatCanvas c;
    CItem* items[] = {c.Add(ITEM_TEXT, 10, 10), c.Add(ITEM_GROUP, 10, 100), c.Add(ITEM_PARAGRAPH, 200, 10)};
    items[0]->m_strText.FromUtf8("Text");
    items[2]->m_strText.FromUtf8("Paragraph words");
    c.LayOut();
    c.Select({items[0], items[1], items[2]});
    c.SetUploaded();
    const std::vector<BYTE> bytes = c.Bytes();
    const FormatCanvas::Counts before = c.Count();
    CBorderSide wanted;
    wanted.m_color = RGB(200, 10, 10);
    wanted.m_nWidth = 4;
    wanted.m_nStyle = kBorderSolid;
    c.Answer<CPropertySheet>([&](CPropertySheet& sheet) {
        auto* all = dynamic_cast<DBorder*>(sheet.GetPage(0));
        ASSERT_NE(all, nullptr);
        all->m_side = wanted;
        all->UpdateData(FALSE);
    }, true);
    c.Run(ID_ITEM_BORDERS);
    for (CItem* item : c.SelectedNow())
        EXPECT_EQ(item->m_borders[BORDER_ALL], wanted);
    c.ExpectOneUndoStep(before, "Borders");
    c.ExpectAllUploadStatesReset();
    SaveScreenshot(c.view().RenderClient(), "format-borders");
    c.Undo();
    c.SetUploaded(); // an undo sends the page again, as any change does
    EXPECT_EQ(FirstDifference(c.Bytes(), bytes), -1) << "one Edit/Undo restores every item";
}

TEST(FormatCommands, FontOnArtisticTextCopiesItsDescriptionToTheShapes)
{
    FormatCanvas c;
    auto* art = static_cast<CImageItemBase*>(c.Add(ITEM_ARTISTIC_TEXT, 10, 10));
    auto* shape1 = static_cast<CImageItemBase*>(c.Add(ITEM_SHAPE, 10, 150, 120, 80));
    auto* shape2 = static_cast<CImageItemBase*>(c.Add(ITEM_SHAPE, 200, 150, 120, 80));
    art->m_crText = RGB(0, 128, 0);
    art->m_strText.FromUtf8("Artistic");
    shape1->m_strText.FromUtf8("One");
    shape2->m_strText.FromUtf8("Two");
    c.Settle();
    c.Select({art, shape1, shape2});
    c.SetUploaded();
    const FormatCanvas::Counts before = c.Count();
    const FontDialogHook previous = SetFontDialogHook([](LOGFONT& lf) {
        SetLogFontFace(lf, "Liberation Serif");
        lf.lfHeight = -40;
        lf.lfWeight = FW_BOLD;
        return true;
    });
    c.Run(ID_ITEM_FONT);
    SetFontDialogHook(previous);
    EXPECT_STREQ(art->m_lf.lfFaceName, "Liberation Serif");
    EXPECT_EQ(art->m_lf.lfHeight, -40);
    for (CImageItemBase* shape : {shape1, shape2}) {
        EXPECT_EQ(shape->m_lf, art->m_lf);
        EXPECT_EQ(shape->m_crText, RGB(0, 128, 0)) << "the fill colour goes with the font";
    }
    c.ExpectOneUndoStep(before, "Font");
    c.ExpectAllUploadStatesReset();
    SaveScreenshot(c.view().RenderClient(), "format-font-rendered");
}

TEST(FormatCommands, FontDialogGivesTheSevenValuesToEverySelectedItem)
{
    FormatCanvas c;
    CItem* para = c.Add(ITEM_PARAGRAPH, 10, 10, 200, 60);
    CItem* text = c.Add(ITEM_TEXT, 10, 100, 200, 40);
    para->m_strText.FromUtf8("Paragraph <b>&amp;</b> text");
    text->m_strText.FromUtf8("Text item");
    text->m_nDecoration = 3;
    c.LayOut();
    c.Select({para, text});
    const FormatCanvas::Counts before = c.Count();
    CString caption;
    c.Answer<DFont>([&](DFont& d) {
        caption = CString::FromQString(d.windowTitle());
        d.m_nSize = 18;
        d.m_strFace = "Arial";
        d.m_nBold = 1;
        d.m_nItalic = 0;
        d.m_nUnderline = 2;
        d.m_crColor = RGB(10, 20, 200);
        d.UpdateData(FALSE);
    }, true);
    c.Run(ID_ITEM_FONT);
    EXPECT_GE(caption.Find("Font : "), 0) << caption.GetString();
    for (CItem* item : {para, text}) {
        EXPECT_EQ(item->m_nFontSize, 18);
        EXPECT_EQ(item->m_strFontFace, CString("Arial"));
        EXPECT_EQ(item->m_nBold, 1);
        EXPECT_EQ(item->m_nItalic, 0);
        EXPECT_EQ(item->m_nDecoration, 2);
        EXPECT_EQ(item->m_crText, RGB(10, 20, 200));
    }
    c.ExpectOneUndoStep(before, "Font");
    SaveScreenshot(c.view().RenderClient(), "format-font-dialog");
}

TEST(FormatCommands, TextColorRendersAnImageButtonAgainAndOnlyRecalculatesAParagraph)
{
    FormatCanvas c;
    auto* button = static_cast<CImageItemBase*>(c.Add(ITEM_IMAGE_BUTTON, 10, 10, 160, 40));
    CItem* para = c.Add(ITEM_PARAGRAPH, 10, 100, 200, 60);
    button->m_strText.FromUtf8("Press");
    para->m_strText.FromUtf8("Some words");
    c.LayOut();
    c.Select({button, para});
    c.SetUploaded();
    const std::vector<std::uint32_t> looks = Pixels(button->StateBitmap(0));
    const FormatCanvas::Counts before = c.Count();
    c.Answer<DChooseColor>([](DChooseColor& d) { d.SetColor(RGB(255, 0, 0)); }, true);
    c.Run(ID_ITEM_TEXT_COLOR);
    EXPECT_EQ(button->m_crText, RGB(255, 0, 0));
    EXPECT_EQ(para->m_crText, RGB(255, 0, 0));
    EXPECT_NE(Pixels(button->StateBitmap(0)), looks) << "the button's caption is drawn in the new colour";
    c.ExpectOneUndoStep(before, "Text Color");
    c.ExpectAllUploadStatesReset();
    SaveScreenshot(c.view().RenderClient(), "format-text-color");
}

TEST(FormatCommands, PaddingGoesToEveryItemAndAbsentRecordsStayAbsent)
{
    FormatCanvas c;
    CItem* with = c.Add(ITEM_TEXT, 10, 10);
    CItem* without = c.Add(ITEM_TEXT, 10, 100);
    if (!with->m_pPadding)
        with->m_pPadding = std::make_unique<CBoxSpacing>();
    without->m_pPadding.reset();
    c.Select({with, without});
    const FormatCanvas::Counts before = c.Count();
    c.Answer<DPadding>([](DPadding& d) {
        d.m_nPadding = 9;
        d.m_padding.m_bLeft = 1;
        d.m_padding.m_nLeft = 5;
        d.UpdateData(FALSE);
    }, true);
    c.Run(ID_ITEM_PADDING);
    EXPECT_EQ(with->m_nPadding, 9);
    EXPECT_EQ(without->m_nPadding, 9);
    ASSERT_TRUE(with->m_pPadding);
    EXPECT_EQ(with->m_pPadding->m_nLeft, 5);
    EXPECT_FALSE(without->m_pPadding);
    c.ExpectOneUndoStep(before, "Padding");
}

TEST(FormatCommands, BackgroundWithNothingSelectedEditsTheContainerAndListsNewTextures)
{
    FormatCanvas c;
    c.Add(ITEM_TEXT, 10, 10);
    ASSERT_TRUE(c.page->m_pFill);
    PluggedDialogs plug;
    GetCommandDialogs().background = [&c](CFillStyle& fill, CKJDoc& doc, const CString& caption, QWidget*) {
        EXPECT_GE(caption.Find(" : "), 0);
        fill.m_nKind = 0;
        fill.m_crSecond = RGB(1, 2, 3);
        auto texture = std::make_unique<CPicture>();
        texture->m_strThirdName = "tex1.png";
        doc.m_textures.push_back(std::move(texture));
        return IDOK;
    };
    c.SetUploaded();
    const FormatCanvas::Counts before = c.Count();
    c.Run(ID_ITEM_BACKGROUND);
    EXPECT_EQ(c.page->m_pFill->m_crSecond, RGB(1, 2, 3));
    c.ExpectOneUndoStep(before, "Background");
    EXPECT_EQ(c.page->m_nUploadState, 0);
    bool listed = false;
    for (int i = 0; i < c.f->frame.tree->topLevelItemCount(); ++i)
        listed = listed || c.f->frame.tree->topLevelItem(i)->text(0).contains(QStringLiteral("tex1"));
    EXPECT_TRUE(listed) << "the new texture has its site-tree entry";
}

TEST(FormatCommands, CommandsWhoseDialogIsMissingAreDisabled)
{
    PluggedDialogs plugged;
    GetCommandDialogs().background = nullptr;
    GetCommandDialogs().defaultLinkStyle = nullptr;
    FormatCanvas c;
    CItem* text = c.Add(ITEM_TEXT, 10, 10);
    c.Select({text});
    for (UINT id : {ID_ITEM_BACKGROUND, ID_STYLE_DEFAULT_LINK}) {
        EXPECT_FALSE(c.Enabled(id)) << id;
        const std::vector<BYTE> bytes = c.Bytes();
        c.Run(id);
        c.ExpectUnchanged(bytes);
    }
}

TEST(FormatCommands, UpdateHandlersFollowTheSelection)
{
    const UINT textStyle[] = {ID_ITEM_TEXT_COLOR, ID_ITEM_FONT, ID_LARGER_FONT, ID_SMALLER_FONT, ID_BOLD, ID_ITALIC, ID_UNDERLINE};
    const struct {
        std::vector<int> types;
        bool text;
    } cases[] = {
        {{ITEM_PARAGRAPH}, true},      {{ITEM_ARTISTIC_TEXT}, true}, {{ITEM_TABLE}, true},
        {{ITEM_IMAGE}, false},         {{ITEM_GROUP}, false},        {{ITEM_GROUP, ITEM_SHAPE}, true},
        {{ITEM_YOUTUBE, ITEM_HTML}, false}, {{}, false},
    };
    for (const auto& k : cases) {
        FormatCanvas c;
        std::vector<CItem*> items;
        int y = 10;
        for (int type : k.types)
            items.push_back(c.Add(type, 10, (y += 60)));
        c.Select(items);
        for (UINT id : textStyle)
            EXPECT_EQ(c.Enabled(id), k.text) << id << " with " << k.types.size() << " items";
        for (UINT id : {ID_ITEM_PADDING, ID_ITEM_BORDERS, ID_TEXT_ALIGN_DIALOG, ID_BOX_ALIGN_DIALOG})
            EXPECT_EQ(c.Enabled(id), !items.empty()) << id;
    }
    // without a container everything is off
    FormatCanvas c;
    CItem* text = c.Add(ITEM_TEXT, 10, 10);
    c.Select({text});
    c.view().m_pContainer = nullptr;
    for (UINT id : {ID_ITEM_FONT, ID_BOLD, ID_ITEM_PADDING, ID_ITEM_BORDERS, ID_TEXT_ALIGN_DIALOG, ID_BOX_ALIGN_DIALOG})
        EXPECT_FALSE(c.Enabled(id)) << id;
}

// Every command of the dialogs here: Cancel leaves the project archive and the undo list
// as they were, and sends no hint.
TEST(FormatCommands, CancelLeavesTheProjectByteIdentical)
{
    const UINT ids[] = {ID_ITEM_PADDING, ID_ITEM_BORDERS, ID_ITEM_TEXT_COLOR, ID_ITEM_FONT, ID_TEXT_ALIGN_DIALOG,
                        ID_BOX_ALIGN_DIALOG, ID_STYLE_DEFAULT_FONT, ID_STYLE_HEADING1, ID_STYLE_HEADING6,
                        ID_STYLE_PREFORMATTED, ID_STYLE_NORMAL, ID_ITEM_BACKGROUND, ID_STYLE_DEFAULT_LINK};
    const int firstTypes[] = {ITEM_TEXT, ITEM_ARTISTIC_TEXT};
    for (int firstType : firstTypes)
        for (UINT id : ids) {
            FormatCanvas c;
            CItem* a = c.Add(firstType, 10, 10);
            CItem* b = c.Add(ITEM_PARAGRAPH, 10, 100, 200, 40, false);
            b->m_strText.FromUtf8("words");
            c.LayOut();
            c.Select({a, b});
            c.SetUploaded();
            PluggedDialogs plug;
            // plugged dialogs that edit in place and then cancel
            GetCommandDialogs().background = [](CFillStyle& fill, CKJDoc& doc, const CString&, QWidget*) {
                fill.m_crSecond = RGB(9, 9, 9);
                doc.m_textures.push_back(std::make_unique<CPicture>());
                return IDCANCEL;
            };
            GetCommandDialogs().defaultLinkStyle = [](CLinkStyle& style, QWidget*) {
                style.m_crColor = RGB(9, 9, 9);
                return IDCANCEL;
            };
            const std::vector<BYTE> bytes = c.Bytes();
            // every dialog gets something typed into it before Cancel
            c.Answer<CDialog>([](CDialog& d) {
                if (auto* font = dynamic_cast<DFontStyle*>(&d))
                    font->SetDlgItemText(1000, "41");
                if (auto* colour = dynamic_cast<DChooseColor*>(&d))
                    colour->SetColor(RGB(1, 1, 1));
            }, false);
            const FontDialogHook previous = SetFontDialogHook([](LOGFONT& lf) {
                lf.lfHeight = -70;
                return false;
            });
            c.Run(id);
            SetFontDialogHook(previous);
            c.ExpectUnchanged(bytes);
            EXPECT_EQ(c.doc.m_nCssUploadState, 2) << id;
            EXPECT_EQ(c.page->m_nUploadState, 2) << id;
        }
}

} // namespace
