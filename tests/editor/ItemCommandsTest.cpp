// The item property commands of the Item, Style, Action and Form menus.
#include "CommandTestSupport.h"
#include "FormatTestSupport.h"

#include "controls/ColorControl.h"
#include "dialogs/ClassDialogs.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/FontDialogs.h"
#include "dialogs/LinkItemDialogs.h"
#include "model/ItemAction.h"
#include "dialogs/OverColorDialogs.h"
#include "dialogs/PageNameDialog.h"
#include "dialogs/SizeDialogs.h"
#include "dialogs/SmallItemDialogs.h"
#include "editor/commands/ItemCommands.h"
#include "model/TextStyle.h"
#include "model/items/HeadingItem.h"
#include "model/items/InputFieldItem.h"
#include "model/items/ParagraphItem.h"
#include "model/items/ShapeItem.h"
#include "model/items/SubmitButtonItem.h"
#include "resources/CommandIds.h"
#include "tests/support/ExternalTools.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QListWidget>

using namespace edtest;

namespace {
CItem* Made(int type)
{
    static std::vector<std::unique_ptr<CItem>> kept;
    kept.emplace_back(CreateItem(type));
    return kept.back().get();
}
} // namespace

TEST(ItemCommands, ClassKindFollowsTheItemsType)
{
    const struct { int type; int sub; int kind; } cases[] = {
        {ITEM_PARAGRAPH, 0, 1}, {ITEM_TEXT, 0, 2}, {ITEM_HEADING, 0, 3}, {ITEM_HEADING, 1, 4}, {ITEM_HEADING, 5, 8},
        {ITEM_PREFORMATTED_TEXT, 0, 9}, {ITEM_FORM, 0, 10}, {ITEM_IMAGE, 0, 11}, {ITEM_IMAGE_BUTTON, 0, 11},
        {ITEM_IMAGE_CLONE, 0, 11}, {ITEM_SHAPE, 0, 11}, {ITEM_LINK, 0, 12}, {ITEM_CATEGORIES, 0, 12},
        {ITEM_GROUP, 0, 13}, {ITEM_INPUT_FIELD, 0, 14}, {ITEM_INPUT_FIELD, 1, 15}, {ITEM_INPUT_FIELD, 2, 21},
        {ITEM_INPUT_FIELD, 3, -1}, {ITEM_SUBMIT_BUTTON, 0, 16}, {ITEM_SUBMIT_BUTTON, 1, 17},
        {ITEM_SUBMIT_BUTTON, 2, 22}, {ITEM_SUBMIT_BUTTON, 3, 20}, {ITEM_SUBMIT_BUTTON, 4, -1},
        {ITEM_RADIO_CHOICE, 0, 18}, {ITEM_CHECK_BOX, 0, 19}, {ITEM_TEXT_AREA, 0, 23}, {ITEM_YOUTUBE, 0, -1},
        {ITEM_MARQUEE, 0, -1},
    };
    for (const auto& k : cases) {
        CItem* item = Made(k.type);
        if (k.type == ITEM_HEADING)
            static_cast<CHeadingItem*>(item)->m_nLevel = k.sub;
        if (k.type == ITEM_INPUT_FIELD)
            static_cast<CInputFieldItem*>(item)->m_nInputType = k.sub;
        if (k.type == ITEM_SUBMIT_BUTTON)
            static_cast<CSubmitButtonItem*>(item)->m_nButtonKind = k.sub;
        EXPECT_EQ(ClassKindOf(*item), k.kind) << k.type << "/" << k.sub;
    }
}

TEST(ItemCommands, ClassOnALevelTwoHeadingOffersKindFourAndOnYouTubeOpensNothing)
{
    FormatCanvas c;
    auto* heading = static_cast<CHeadingItem*>(c.Add(ITEM_HEADING, 10, 10));
    heading->m_nLevel = 1;
    c.Select({heading});
    int kind = -2;
    c.Answer<DSelectClass>([&kind](DSelectClass& d) { kind = d.m_nKind; }, false);
    c.Run(ID_ITEM_CLASS);
    EXPECT_EQ(kind, 4);

    CItem* video = c.Add(ITEM_YOUTUBE, 10, 200);
    c.Select({video});
    int opened = 0;
    CDialog::SetModalHook([&opened](CDialog&) { ++opened; return IDCANCEL; });
    const std::vector<BYTE> bytes = c.Bytes();
    c.Run(ID_ITEM_CLASS);
    EXPECT_EQ(opened, 0);
    c.ExpectUnchanged(bytes);
}

TEST(ItemCommands, ClassNamesTheSelectionAndBindsTheLastClassOfThatName)
{
    FormatCanvas c;
    CItem* a = c.Add(ITEM_PARAGRAPH, 10, 10);
    CItem* b = c.Add(ITEM_PARAGRAPH, 10, 100);
    c.doc.m_styleClasses.push_back(std::make_unique<CStyleClass>(1, 1));
    c.doc.m_styleClasses.push_back(std::make_unique<CStyleClass>(1, 2));
    c.doc.m_styleClasses[0]->m_strName = "Lead";
    c.doc.m_styleClasses[1]->m_strName = "Lead";
    c.Select({a, b});
    const FormatCanvas::Counts before = c.Count();
    c.Answer<DSelectClass>([](DSelectClass& d) { d.SetDlgItemText(1018, "Lead"); }, true);
    c.Run(ID_ITEM_CLASS);
    c.ExpectOneUndoStep(before, "Class");
    for (int i = 0; i < 2; ++i) {
        CItem* item = c.page->GetChildren()[std::size_t(i)].get();
        EXPECT_EQ(item->m_strClass, CString("Lead"));
        EXPECT_EQ(item->m_pStyleClass, c.doc.m_styleClasses[1].get()) << "the last of the name wins";
    }
    // a name no class has: kept, with no class behind it
    c.Select({c.page->GetChildren()[0].get()});
    c.Answer<DSelectClass>([](DSelectClass& d) { d.SetDlgItemText(1018, "Nowhere"); }, true);
    c.Run(ID_ITEM_CLASS);
    EXPECT_EQ(c.page->GetChildren()[0]->m_strClass, CString("Nowhere"));
    EXPECT_EQ(c.page->GetChildren()[0]->m_pStyleClass, nullptr);
}

TEST(ItemCommands, NewClassFromTheSelectDialogIsAddedAndTaken)
{
    FormatCanvas c;
    CItem* para = c.Add(ITEM_PARAGRAPH, 10, 10);
    c.Select({para});
    const int counter = c.doc.m_nClassCounter;
    CDialog::SetModalHook([](CDialog& d) {
        if (dynamic_cast<DSelectClass*>(&d)) {
            d.SendNotify(1025, BN_CLICKED);
            return d.GetResult();
        }
        EXPECT_NE(dynamic_cast<DClass*>(&d), nullptr) << d.windowTitle().toStdString();
        d.OnOK();
        return d.IsEnded() ? d.GetResult() : IDCANCEL;
    });
    c.Run(ID_ITEM_CLASS);
    ASSERT_EQ(c.doc.m_styleClasses.size(), 1u);
    CStyleClass* made = c.doc.m_styleClasses[0].get();
    EXPECT_EQ(made->m_nKind, 1);
    EXPECT_GT(c.doc.m_nClassCounter, counter);
    CItem* now = c.page->GetChildren()[0].get();
    EXPECT_EQ(now->m_strClass, made->m_strName);
    EXPECT_EQ(now->m_pStyleClass, made);
    EXPECT_NE(c.PageHtmlNow().Find(CString::Formatted("class=\"%s\"", made->m_strName.GetString())), -1);
}

TEST(ItemCommands, LineWidthFixesTheBorderStyleAndShapesTakeTheirOwnWidth)
{
    const struct { int type; int style; int width; int wantStyle; } cases[] = {
        {ITEM_PARAGRAPH, 0, 3, 2}, {ITEM_PARAGRAPH, 1, 3, 2}, {ITEM_PARAGRAPH, 4, 3, 4},
        {ITEM_PARAGRAPH, 3, 0, 0}, {ITEM_PARAGRAPH, 1, 0, 1}, {ITEM_PARAGRAPH, 2, 10, 2},
    };
    for (const auto& k : cases) {
        FormatCanvas c;
        CItem* item = c.Add(k.type, 10, 10);
        item->m_borders[0].m_nStyle = k.style;
        c.Select({item});
        const FormatCanvas::Counts before = c.Count();
        c.Run(ID_ITEM_LINE_WIDTH_NONE + UINT(k.width));
        c.ExpectOneUndoStep(before, "Line Width");
        CItem* now = c.page->GetChildren()[0].get();
        for (int side = 0; side < BORDER_COUNT; ++side)
            EXPECT_EQ(now->m_borders[side].m_nWidth, k.width) << side;
        EXPECT_EQ(now->m_borders[0].m_nStyle, k.wantStyle) << k.style << " width " << k.width;
    }
    FormatCanvas c;
    auto* shape = static_cast<CImageItemBase*>(c.Add(ITEM_SHAPE, 10, 10, 120, 80));
    c.Settle();
    c.Select({shape});
    c.SetUploaded();
    const std::vector<std::uint32_t> looks = Pixels(shape->StateBitmap(0));
    c.Run(ID_ITEM_LINE_WIDTH_NONE + 3);
    auto* now = static_cast<CImageItemBase*>(c.page->GetChildren()[0].get());
    EXPECT_EQ(now->m_nFrameWidth, 3);
    EXPECT_EQ(now->m_borders[0].m_nWidth, 0) << "a shape's borders stay";
    EXPECT_EQ(now->m_nUploadState, 0);
    EXPECT_NE(Pixels(now->StateBitmap(0)), looks) << "drawn with the wider line";
}

TEST(ItemCommands, FillColorWithoutAFillRecordOnTheSelectedItemDoesNothing)
{
    FormatCanvas c;
    CItem* bare = c.Add(ITEM_PARAGRAPH, 10, 10);
    bare->m_pFill.reset();
    CItem* filled = c.Add(ITEM_PARAGRAPH, 10, 100);
    if (!filled->m_pFill)
        filled->m_pFill = std::make_unique<CFillStyle>();
    filled->m_pFill->m_crColor = RGB(255, 255, 255);
    c.LayOut();
    c.Select({bare, filled});
    int opened = 0;
    CDialog::SetModalHook([&opened](CDialog&) { ++opened; return IDCANCEL; });
    const std::vector<BYTE> bytes = c.Bytes();
    c.Run(ID_ITEM_FILL_COLOR);
    EXPECT_EQ(opened, 0);
    c.ExpectUnchanged(bytes);

    // with a record on the selected item, every item with one takes the colour
    CItem* later = c.Add(ITEM_PARAGRAPH, 10, 200);
    later->m_pFill.reset();
    c.Select({c.page->GetChildren()[1].get(), later});
    c.Answer<DChooseColor>([](DChooseColor& d) { d.SetColor(RGB(0, 90, 200)); }, true);
    c.Run(ID_ITEM_FILL_COLOR);
    EXPECT_EQ(c.page->GetChildren()[1]->m_pFill->m_crColor, RGB(0, 90, 200));
    EXPECT_EQ(c.page->GetChildren()[2]->m_pFill, nullptr);
    ASSERT_EQ(c.doc.m_undo.GetCount(), 1u);
    EXPECT_EQ(c.doc.m_undo.GetHead()->m_strDescription, CString("Fill Color"));
}

TEST(ItemCommands, TabIndexNeedsExactlyOneFieldAndIsOneStep)
{
    FormatCanvas c;
    CItem* a = c.Add(ITEM_INPUT_FIELD, 10, 10);
    CItem* b = c.Add(ITEM_TEXT_AREA, 10, 100);
    CItem* para = c.Add(ITEM_PARAGRAPH, 10, 200);
    c.Select({a, b});
    EXPECT_FALSE(c.Enabled(ID_FORM_TAB_INDEX)) << "two fields";
    c.Select({para});
    EXPECT_FALSE(c.Enabled(ID_FORM_TAB_INDEX)) << "no field";
    c.Select({b});
    EXPECT_TRUE(c.Enabled(ID_FORM_TAB_INDEX));
    const FormatCanvas::Counts before = c.Count();
    c.Answer<DTabIndex>([](DTabIndex& d) { d.SetDlgItemText(1000, "7"); }, true);
    c.Run(ID_FORM_TAB_INDEX);
    c.ExpectOneUndoStep(before, "Tab Index");
    EXPECT_EQ(c.page->GetChildren()[1]->m_nTabIndex, 7);
    EXPECT_NE(c.PageHtmlNow().Find("tabindex=\"7\""), -1);
}

TEST(ItemCommands, ColumnsGoToEverySelectedParagraph)
{
    FormatCanvas c;
    std::vector<CItem*> paras;
    for (int i = 0; i < 3; ++i)
        paras.push_back(c.Add(ITEM_PARAGRAPH, 10, 10 + 100 * i));
    CItem* text = c.Add(ITEM_TEXT, 300, 10);
    paras.push_back(text);
    c.Select(paras);
    EXPECT_TRUE(c.Enabled(ID_ITEM_COLUMNS));
    c.Answer<DColumns>([](DColumns& d) {
        qobject_cast<QComboBox*>(d.GetDlgItem(1018))->setCurrentIndex(2);
        d.SetDlgItemText(1000, "30");
    }, true);
    c.Run(ID_ITEM_COLUMNS);
    for (int i = 0; i < 3; ++i) {
        auto* p = static_cast<CParagraphItem*>(c.page->GetChildren()[std::size_t(i)].get());
        EXPECT_EQ(p->m_nExtraColumns, 2) << i;
        EXPECT_EQ(p->m_nColumnGap, 30) << i;
    }
    c.Select({text});
    EXPECT_FALSE(c.Enabled(ID_ITEM_COLUMNS));
}

TEST(ItemCommands, RenameCleansTheNameInOneStep)
{
    FormatCanvas c;
    CItem* item = c.Add(ITEM_PARAGRAPH, 10, 10);
    c.LayOut();
    c.Select({item});
    const FormatCanvas::Counts before = c.Count();
    c.Answer<DRename>([](DRename& d) { d.SetDlgItemText(1000, "1st item here"); }, true);
    c.Run(ID_ITEM_RENAME);
    c.ExpectOneUndoStep(before, "Rename");
    EXPECT_EQ(c.page->GetChildren()[0]->m_strName, CString("id1stitemhere"));
    // Cancel: the project as it was
    const std::vector<BYTE> bytes = c.Bytes();
    c.doc.m_undo.Clear();
    c.hints.clear();
    c.doc.SetModifiedFlag(false);
    c.Select({c.page->GetChildren()[0].get()});
    c.Answer<DRename>([](DRename& d) { d.SetDlgItemText(1000, "other"); }, false);
    c.Run(ID_ITEM_RENAME);
    c.ExpectUnchanged(bytes);

    // another item's name is asked about: No keeps the dialog open, Yes takes it
    CItem* other = c.Add(ITEM_PARAGRAPH, 10, 200);
    other->m_strName = "taken";
    c.Select({c.page->GetChildren()[0].get()});
    {
        Answers no(IDNO);
        CDialog::SetModalHook([](CDialog& d) {
            d.SetDlgItemText(1000, "taken");
            d.OnOK();
            EXPECT_FALSE(d.IsEnded()) << "No keeps the dialog open";
            return d.IsEnded() ? d.GetResult() : IDCANCEL;
        });
        c.Run(ID_ITEM_RENAME);
        ASSERT_EQ(no.texts.size(), 1u);
        EXPECT_EQ(c.page->GetChildren()[0]->m_strName, CString("id1stitemhere"));
    }
    {
        Answers yes(IDYES);
        c.Select({c.page->GetChildren()[0].get()});
        c.Answer<DRename>([](DRename& d) { d.SetDlgItemText(1000, "taken"); }, true);
        c.Run(ID_ITEM_RENAME);
        EXPECT_EQ(c.page->GetChildren()[0]->m_strName, CString("taken"));
    }
}

TEST(ItemCommands, MarginsGoToTheSelectionAndCancelLeavesNothing)
{
    FormatCanvas c;
    CItem* a = c.Add(ITEM_PARAGRAPH, 10, 10, 100, 50, false);
    CItem* b = c.Add(ITEM_PARAGRAPH, 10, 100, 100, 50, false);
    c.LayOut();
    c.Select({a, b});
    EXPECT_TRUE(c.Enabled(ID_ITEM_MARGINS));
    const std::vector<BYTE> bytes = c.Bytes();
    c.hints.clear();
    c.doc.SetModifiedFlag(false);
    c.Answer<DMargins>([](DMargins& d) { d.SetDlgItemText(1011, "25"); }, false);
    c.Run(ID_ITEM_MARGINS);
    c.ExpectUnchanged(bytes);
    const FormatCanvas::Counts before = c.Count();
    c.Select({c.page->GetChildren()[0].get(), c.page->GetChildren()[1].get()});
    c.Answer<DMargins>([](DMargins& d) { d.SetDlgItemText(1011, "25"); }, true);
    c.Run(ID_ITEM_MARGINS);
    c.ExpectOneUndoStep(before, "Margins");
    for (const auto& child : c.page->GetChildren())
        EXPECT_EQ(child->m_margin.m_nTop, 25);
    c.Select({c.page->GetChildren()[0].get()});
    c.page->GetChildren()[0]->m_bPositioned = 1;
    c.Select({c.page->GetChildren()[0].get()});
    EXPECT_FALSE(c.Enabled(ID_ITEM_MARGINS)) << "positioned items have no margins";
}

// Radius, Opacity, Box Shadow and Text Shadow reach the page's CSS, which tidy accepts.
TEST(ItemCommands, SinglePropertiesReachThePageAndItPassesTidy)
{
    FormatCanvas c;
    CItem* para = c.Add(ITEM_PARAGRAPH, 10, 10, 200, 60);
    para->m_strText.FromUtf8("Shadowed words");
    para->m_strName = "shade";
    c.Settle();
    auto run = [&c](UINT id, std::function<void(CDialog&)> act, const char* undo) {
        c.Select({c.page->GetChildren()[0].get()});
        const FormatCanvas::Counts before = c.Count();
        CDialog::SetModalHook([act](CDialog& d) {
            act(d);
            d.OnOK();
            return d.IsEnded() ? d.GetResult() : IDCANCEL;
        });
        c.Run(id);
        c.ExpectOneUndoStep(before, undo);
    };
    run(ID_ITEM_RADIUS, [](CDialog& d) { d.SetDlgItemText(1000, "8"); }, "Radius");
    run(ID_ITEM_OPACITY, [](CDialog& d) { d.SetDlgItemText(1000, "50"); }, "Opacity");
    run(ID_ITEM_BOX_SHADOW, [](CDialog& d) {
        qobject_cast<QComboBox*>(d.GetDlgItem(1018))->setCurrentIndex(1);
        d.SetDlgItemText(1000, "3");
        d.SetDlgItemText(1001, "4");
        d.SetDlgItemText(1002, "5");
        d.SetDlgItemText(1003, "1");
    }, "Box Shadow");
    run(ID_ITEM_TEXT_SHADOW, [](CDialog& d) {
        qobject_cast<QComboBox*>(d.GetDlgItem(1038))->setCurrentIndex(SHADOW_CUSTOM);
        d.SetDlgItemText(1000, "2");
        d.SetDlgItemText(1001, "2");
        d.SetDlgItemText(1002, "3");
    }, "Text Shadow");
    const CString html = c.PageHtmlNow();
    for (const char* css : {"border-radius:8px;", "opacity:0.500000;", "box-shadow: 3px 4px 5px 1px ",
                            "text-shadow: 2px 2px 3px "})
        EXPECT_NE(html.Find(css), -1) << css << "\n" << html.GetString();
    EXPECT_EQ(testsupport::TidyErrors(QByteArray(html.GetString(), html.GetLength())), QByteArray());
}

TEST(ItemCommands, HeadingStyleRunsTheStyleOfItsLevel)
{
    FormatCanvas c;
    auto* heading = static_cast<CHeadingItem*>(c.Add(ITEM_HEADING, 10, 10));
    heading->m_nLevel = 2;
    c.Select({heading});
    CString caption;
    CDialog::SetModalHook([&caption](CDialog& d) {
        caption = CString::FromQString(d.windowTitle());
        return IDCANCEL;
    });
    c.Run(ID_HEADING_STYLE);
    EXPECT_NE(caption.Find("Heading 3"), -1) << caption.GetString();
    CItem* para = c.Add(ITEM_PARAGRAPH, 10, 200);
    c.Select({para});
    EXPECT_FALSE(c.Enabled(ID_HEADING_STYLE));
}

TEST(ItemCommands, OnLoadSnapshotsBeforeItsDialogAndCancelLeavesTheAction)
{
    FormatCanvas c;
    PluggedDialogs plugged;
    c.LayOut();
    EXPECT_TRUE(c.Enabled(ID_ACTION_ON_LOAD));
    bool ok = false;
    CString title;
    GetCommandDialogs().action = [&ok, &title](CItemAction& action, CPage*, const CString& t, QWidget*) {
        title = t;
        action.AddStep(); // edited in place, as the dialog does
        return ok ? IDOK : IDCANCEL;
    };
    const std::vector<BYTE> bytes = c.Bytes();
    c.hints.clear();
    c.doc.SetModifiedFlag(false);
    c.Run(ID_ACTION_ON_LOAD);
    c.ExpectUnchanged(bytes);
    EXPECT_EQ(c.page->m_pageAction.GetStepCount(), 0) << "Cancel leaves the action as it was";
    EXPECT_NE(title.Find(" : On Load"), -1) << title.GetString();

    ok = true;
    c.SetUploaded();
    const FormatCanvas::Counts before = c.Count();
    c.Run(ID_ACTION_ON_LOAD);
    c.ExpectOneUndoStep(before, "On Load");
    EXPECT_EQ(c.page->m_pageAction.GetStepCount(), 1);
    EXPECT_EQ(c.page->m_nUploadState, 0);
    c.Run(ID_EDIT_UNDO);
    EXPECT_EQ(c.doc.m_pages.front()->m_pageAction.GetStepCount(), 0) << "one Undo takes it back";

    // inside a group the page's action is not offered
    CItem* box = c.Add(ITEM_GROUP, 10, 10, 200, 200);
    c.view().EnterContainer(box);
    EXPECT_FALSE(c.Enabled(ID_ACTION_ON_LOAD));
}

TEST(ItemCommands, ButtonAndComboStylesMarkTheWholeSiteWithoutASnapshot)
{
    const struct { UINT id; int entry; } cases[] = {{ID_STYLE_BUTTON, 9}, {ID_STYLE_COMBO, 10}};
    for (const auto& k : cases) {
        FormatCanvas c;
        CPage* second = AddPage(c.doc, 600, 400, 0xFFFFFF, "second");
        c.LayOut();
        c.SetUploaded();
        c.hints.clear();
        c.Answer<DFontStyle>([](DFontStyle& d) { d.SetDlgItemText(1000, "17"); }, true);
        c.Run(k.id);
        EXPECT_EQ(c.doc.m_styles.m_styles[k.entry].m_nSize, 17) << k.id;
        EXPECT_EQ(c.doc.m_undo.GetCount(), 0u) << "no container snapshot can restore a style";
        EXPECT_TRUE(c.doc.IsModified());
        EXPECT_EQ(c.doc.m_nCssUploadState, 0);
        EXPECT_EQ(c.page->m_nUploadState, 0);
        EXPECT_EQ(second->m_nUploadState, 0) << "every page shows the site's styles";
    }
}

TEST(ItemCommands, BulletGoesToTheOtherSelectedItemsAndCancelLeavesNothing)
{
    const struct { int type; bool enabled; } kinds[] = {
        {ITEM_TEXT, true}, {ITEM_LINK, true}, {ITEM_CATEGORIES, true}, {ITEM_LIST, true}, {ITEM_PARAGRAPH, false},
        {ITEM_IMAGE, false},
    };
    for (const auto& k : kinds) {
        FormatCanvas c;
        c.Select({c.Add(k.type, 10, 10)});
        EXPECT_EQ(c.Enabled(ID_ITEM_BULLET), k.enabled) << k.type;
    }
    FormatCanvas c;
    CItem* a = c.Add(ITEM_TEXT, 10, 10);
    CItem* b = c.Add(ITEM_TEXT, 10, 100);
    a->m_strText.FromUtf8("One");
    b->m_strText.FromUtf8("Two");
    c.LayOut();
    c.Select({a, b});
    const std::vector<BYTE> bytes = c.Bytes();
    c.hints.clear();
    c.doc.SetModifiedFlag(false);
    auto pick = [](DBullet& d) {
        qobject_cast<QListWidget*>(d.GetDlgItem(1078))->setCurrentRow(3);
        qobject_cast<QComboBox*>(d.GetDlgItem(1018))->setCurrentIndex(2);
    };
    c.Answer<DBullet>(pick, false);
    c.Run(ID_ITEM_BULLET);
    c.ExpectUnchanged(bytes);
    const FormatCanvas::Counts before = c.Count();
    c.Select({c.page->GetChildren()[0].get(), c.page->GetChildren()[1].get()});
    c.Answer<DBullet>(pick, true);
    c.Run(ID_ITEM_BULLET);
    c.ExpectOneUndoStep(before, "Bullet");
    for (int i = 0; i < 2; ++i) {
        CItem* item = c.page->GetChildren()[std::size_t(i)].get();
        EXPECT_EQ(item->m_nIcon, 3) << i;
        EXPECT_EQ(item->m_nIconShading, 2) << i;
    }
}

TEST(ItemCommands, LineColorGoesToEveryBorderOrToAShapesOwnLine)
{
    FormatCanvas c;
    CItem* para = c.Add(ITEM_PARAGRAPH, 10, 10);
    auto* shape = static_cast<CImageItemBase*>(c.Add(ITEM_SHAPE, 10, 100, 120, 80));
    c.Settle();
    c.Select({para, shape});
    c.SetUploaded();
    const FormatCanvas::Counts before = c.Count();
    c.Answer<DChooseColor>([](DChooseColor& d) { d.SetColor(RGB(0, 120, 0)); }, true);
    c.Run(ID_ITEM_LINE_COLOR);
    c.ExpectOneUndoStep(before, "Line Color");
    CItem* p = c.page->GetChildren()[0].get();
    for (int side = 0; side < BORDER_COUNT; ++side)
        EXPECT_EQ(p->m_borders[side].m_color, RGB(0, 120, 0)) << side;
    auto* s = static_cast<CImageItemBase*>(c.page->GetChildren()[1].get());
    EXPECT_EQ(s->m_crFrame, RGB(0, 120, 0));
    EXPECT_EQ(s->m_nUploadState, 0) << "drawn again, sent again";
}

TEST(ItemCommands, TextAlignButtonsAreOnForFlowingItemsAndTextKinds)
{
    const struct { int type; bool positioned; bool enabled; } cases[] = {
        {ITEM_PARAGRAPH, true, true}, {ITEM_HEADING, true, true}, {ITEM_LINK, true, true},
        {ITEM_PREFORMATTED_TEXT, true, true}, {ITEM_MARQUEE, true, true}, {ITEM_IMAGE, true, false},
        {ITEM_IMAGE, false, true}, {ITEM_GROUP, true, false}, {ITEM_YOUTUBE, false, true},
    };
    for (const auto& k : cases) {
        FormatCanvas c;
        c.Select({c.Add(k.type, 10, 10, 100, 50, k.positioned)});
        for (UINT id : {ID_ALIGN_LEFT, ID_ALIGN_CENTER, ID_ALIGN_RIGHT})
            EXPECT_EQ(c.Enabled(id), k.enabled) << k.type << (k.positioned ? " placed" : " flowing") << " " << id;
    }
    FormatCanvas c;
    EXPECT_FALSE(c.Enabled(ID_ALIGN_LEFT)) << "nothing selected";
}
