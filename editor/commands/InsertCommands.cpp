// Insert and Form menu commands: one table of rows (kind, name pattern, style, defaults,
// dialog, undo text, placing) run through one skeleton, and the few commands that build
// more than one object (images from files, icons, galleries, sliders, tables, attached
// files).
#include "editor/commands/InsertCommands.h"
#include "document/NewItemDefaults.h"
#include "editor/commands/Commands.h"

#include "document/EditScope.h"
#include "document/ImageItemImport.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "editor/SiteTreeNodes.h"
#include "editor/ViewFrame.h"
#include "framework/core/MessageBox.h"
#include "framework/core/Profile.h"
#include "model/Translate.h"
#include "model/Clipboard.h"
#include "model/GroupItem.h"
#include "model/HeaderFooterItem.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "model/SiteObject.h"
#include "model/items/ArtisticTextItem.h"
#include "model/items/CategoriesItem.h"
#include "model/items/ImageButtonItem.h"
#include "model/items/EmailItem.h"
#include "model/items/GoogleMapItem.h"
#include "model/items/PayPalItem.h"
#include "model/items/SymbolItem.h"
#include "model/items/HeadingItem.h"
#include "model/items/ImageItem.h"
#include "model/items/ListControlItem.h"
#include "model/items/MenuItem.h"
#include "model/items/ParagraphItem.h"
#include "model/items/ShapeItem.h"
#include "model/items/SubmitButtonItem.h"

#include <QtCore/QFileInfo>
#include <QtWidgets/QTreeWidget>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

CItem* NewInsertItem(CKJDoc& doc, int type)
{
    // Paragraphs take the document's own defaults. Per-user defaults of a kind (profile
    // sections) are applied here, once for every command that makes that kind.
    if (type == ITEM_PARAGRAPH)
        return doc.NewParagraph();
    CItem* item = CreateItem(type);
    if (!item)
        return nullptr;
    if (type == ITEM_ARTISTIC_TEXT)
        ApplyNewItemDefaults(static_cast<CArtisticTextItem&>(*item));
    else if (type == ITEM_PAYPAL)
        ApplyNewItemDefaults(static_cast<CPayPalItem&>(*item));
    else if (type == ITEM_IMAGE_BUTTON)
        ApplyNewItemDefaults(static_cast<CImageButtonItem&>(*item));
    return item;
}

namespace {

std::map<unsigned, InsertDialog>& Dialogs()
{
    static std::map<unsigned, InsertDialog> dialogs;
    return dialogs;
}

CItem* FirstPage(CKJDoc& doc) { return doc.m_pages.empty() ? nullptr : doc.m_pages.front().get(); }

// The text style a new item takes: the site's base and link styles (as a project read
// back binds every item), or one of the element styles.
void BindStyles(CKJDoc& doc, CItem& item, int element)
{
    item.SetSiteStyles(&doc.m_styles);
    if (element >= 0 && element < STYLE_COUNT)
        item.m_pBaseStyle = &doc.m_styles.m_styles[element];
}

enum NameAt { kNoName, kNameBefore, kNameAfter };

struct InsertRow {
    unsigned id;
    int type;
    const char* pattern; // "Input%d"; null when the item keeps an empty name
    NameAt nameAt;
    int element; // element style index, -1 for the base style
    const char* undo;
    bool place;
    bool dialog; // a dialog step must be registered before the command is enabled
    void (*before)(CKJView&, CItem&);
    void (*after)(CKJView&, CItem&);
    bool (*accept)(CKJView&, CItem&); // after the dialog: false drops the item
};

void Centre(CKJView& view, CItem& item) { view.CenterInContainer(&item); }

template <typename T> T& As(CItem& item) { return static_cast<T&>(item); }

void Size(CItem& item, int w, int h)
{
    item.m_nWidth = w;
    item.m_nHeight = h;
}

// A code box of its own size: the width is written as the page's too, as a resize by
// hand writes it (an automatic width would shrink a placed box to its code in the browser).
void CodeBox(CItem& item)
{
    Size(item, 300, 300);
    item.m_nWidthMode = 0;
}

// Text wider than the cap becomes the cap, fixed, and is laid out again.
void CapWidth(CItem& item, int cap)
{
    if (item.m_nWidth > cap) {
        item.m_nWidth = cap;
        item.m_nWidthMode = 0;
        item.RecalcLayout();
    }
}

void SetPageLinks(CKJDoc& doc, CItemLink& link)
{
    if (CItem* page = FirstPage(doc))
        link.SetPageLink(page->m_nSerial);
}

void MenuDefaults(CKJView& view, CItem& item)
{
    auto& menu = As<CMenuItem>(item);
    if (menu.m_pFill)
        menu.m_pFill->m_crColor = 0xC0C0C0;
    menu.m_borders[0].m_color = 0xCCCCCC;
    menu.m_borders[0].m_nWidth = 2;
    CKJDoc& doc = *view.GetProject();
    auto add = [&](auto& list, const char* caption, int number) {
        auto entry = std::make_unique<CMenuEntry>();
        entry->m_strCaption = Translate(caption).GetString();
        entry->m_nNumber = number;
        SetPageLinks(doc, entry->m_link);
        list.push_back(std::move(entry));
    };
    add(menu.m_topEntries, "Home", 0);
    add(menu.m_topEntries, "Submenu 1", 1);
    for (const char* caption : {"More Items Here", "Another Subitem", "Double click to edit"})
        add(menu.m_dropEntries, caption, 1);
}

void CategoriesDefaults(CKJView& view, CItem& item)
{
    auto& categories = As<CCategoriesItem>(item);
    for (int i = 0; i < 5; ++i) {
        CItemLink* link = categories.AddEntry();
        SetPageLinks(*view.GetProject(), *link);
        link->m_nKind = kLinkPage;
        link->m_wstrTitle = CString::Formatted("Item %d", i).GetString();
    }
}

void ShapeTab(CKJView&, CItem& item)
{
    auto& shape = As<CShapeItem>(item);
    shape.m_nFrameShape = 6;
    shape.m_nRenderWidth = shape.m_nWidth = 300;
    shape.m_nRenderHeight = shape.m_nHeight = 80;
    shape.m_crFrame = 0xDEDEDE;
    shape.m_nFrameWidth = 4;
    shape.m_crSecond = 0xC0C0C0;
    shape.m_nFill = 1;
    shape.m_caption.m_strText = "Text";
}

void ShapeGradient(CKJView&, CItem& item)
{
    auto& shape = As<CShapeItem>(item);
    shape.m_crGradient = 0;
    shape.m_nFill = 3;
}

// The address and account id the user typed last are the next insert's presets.
constexpr const char* kDefaultEmail = "name@example.org";

void EmailBefore(CKJView&, CItem& item)
{
    item.m_strText = Translate("Contact me by email").GetString();
    As<CEmailItem>(item).m_strAddress = GetProfileString("Current", "Email", kDefaultEmail);
}

void EmailAfter(CKJView& view, CItem& item)
{
    Centre(view, item);
    WriteProfileString("Current", "Email", As<CEmailItem>(item).m_strAddress);
}

void PayPalBefore(CKJView&, CItem& item) { As<CPayPalItem>(item).m_strBusiness = GetProfileString("Current", "PayPalID", ""); }

void PayPalAfter(CKJView& view, CItem& item)
{
    WriteProfileString("Current", "PayPalID", As<CPayPalItem>(item).m_strBusiness);
    Centre(view, item);
}

// The symbol's font and look: the face the picker chose, then the user's defaults for new
// symbols.
void SymbolFont(CKJView&, CItem& item)
{
    auto& symbol = As<CSymbolItem>(item);
    ApplyNewItemDefaults(symbol);
    symbol.Render(0);
    symbol.RecalcLayout();
}

const InsertRow kRows[] = {
    // Form menu
    {ID_FORM_INPUT, ITEM_INPUT_FIELD, "Input%d", kNameBefore, STYLE_INPUT_TEXT, "Insert Input", true, false,
     [](CKJView&, CItem& i) { i.m_nWidth = 145; }, nullptr, nullptr},
    {ID_FORM_LIST, ITEM_LIST_CONTROL, "List%d", kNameBefore, STYLE_SELECT, "Insert Combo", true, false,
     [](CKJView&, CItem& i) {
         i.m_nWidth = 160;
         As<CListControlItem>(i).m_nRows = 4;
         i.m_strText = "Item 1\r\nItem 2\r\nItem 3";
     },
     nullptr, nullptr},
    {ID_FORM_DROPDOWN, ITEM_LIST_CONTROL, "List%d", kNameBefore, STYLE_SELECT, "Insert Combo", true, false,
     [](CKJView&, CItem& i) {
         i.m_nWidth = 200;
         i.m_strText = "Item 1=1\r\nItem 2=2\r\nItem 3=3";
     },
     nullptr, nullptr},
    {ID_FORM_TEXTAREA, ITEM_TEXT_AREA, "TextArea%d", kNameBefore, STYLE_TEXTAREA, "Insert Text Area", true, false,
     nullptr, nullptr, nullptr},
    {ID_FORM_CHECKBOX, ITEM_CHECK_BOX, "Check%d", kNameBefore, -1, "Insert Checkbox", true, false, nullptr, nullptr,
     nullptr},
    {ID_FORM_RADIO, ITEM_RADIO_CHOICE, "Radio%d", kNameBefore, -1, "Insert Radio Button", true, false,
     [](CKJView&, CItem& i) { i.m_strText = "Item1=val1\r\nItem2=val2\r\nItem3=val3"; }, nullptr, nullptr},
    {ID_FORM_SUBMIT, ITEM_SUBMIT_BUTTON, "Button%d", kNameBefore, STYLE_INPUT_SUBMIT, "Insert Button", true, false,
     [](CKJView&, CItem& i) {
         Size(i, 100, 30);
         i.m_strText = "OK";
     },
     Centre, nullptr},
    {ID_FORM_DATE_PICKER, ITEM_DATE_PICKER, "Date%d", kNameBefore, STYLE_SELECT, "Insert Date Picker", true, false,
     [](CKJView&, CItem& i) {
         i.m_nWidth = 160;
         As<CListControlItem>(i).m_nRows = 0;
     },
     nullptr, nullptr},
    {ID_FORM_FILE_CHOOSER, ITEM_SUBMIT_BUTTON, "FileChooser%d", kNameBefore, STYLE_INPUT_SUBMIT, "Insert File Chooser",
     true, false,
     [](CKJView&, CItem& i) {
         As<CSubmitButtonItem>(i).m_nButtonKind = 2;
         Size(i, 160, 30);
     },
     Centre, nullptr},
    {ID_FORM_COLOR_PICKER, ITEM_SUBMIT_BUTTON, "Color%d", kNameBefore, STYLE_INPUT_SUBMIT, "Insert Color Picker", true,
     false,
     [](CKJView&, CItem& i) {
         As<CSubmitButtonItem>(i).m_nButtonKind = 3;
         Size(i, 60, 30);
     },
     Centre, nullptr},

    // Insert menu: boxes and generated items
    {ID_INSERT_GROUP, ITEM_GROUP, "Div%d", kNameBefore, -1, "Insert Div", true, false,
     [](CKJView&, CItem& i) { Size(i, 200, 200); }, nullptr, nullptr},
    {ID_INSERT_SCROLLAREA, ITEM_GROUP, "Scroll%d", kNameBefore, -1, "Insert Scroll", true, false,
     [](CKJView&, CItem& i) {
         Size(i, 200, 200);
         As<CGroupItem>(i).m_nOverflow = 2;
     },
     nullptr, nullptr},
    {ID_INSERT_MENU, ITEM_MENU, "Menu%d", kNameBefore, -1, "Insert Menu", true, false, MenuDefaults, Centre, nullptr},
    {ID_INSERT_CATEGORIES, ITEM_CATEGORIES, "Categories%d", kNameBefore, -1, "Insert Categories", true, false,
     CategoriesDefaults, nullptr, nullptr},

    // Insert menu: text
    {ID_INSERT_PARAGRAPH, ITEM_PARAGRAPH, nullptr, kNoName, -1, "Insert Text Paragraph", true, true,
     [](CKJView&, CItem& i) { i.RecalcLayout(); },
     [](CKJView& v, CItem&) {
         v.InvalidateSelection();
         v.DeselectAll();
     },
     nullptr},
    {ID_INSERT_TEXT, ITEM_TEXT, "Text%d", kNameBefore, -1, "Insert Span", true, true,
     [](CKJView&, CItem& i) { i.m_strText = "Text"; },
     [](CKJView& v, CItem& i) {
         CapWidth(i, 1000);
         Centre(v, i);
     },
     nullptr},
    {ID_INSERT_HEADING, ITEM_HEADING, nullptr, kNoName, -1, "Insert Heading", true, true, nullptr,
     [](CKJView& v, CItem& i) {
         auto& heading = As<CHeadingItem>(i);
         heading.m_pBaseStyle = &v.GetProject()->m_styles.m_styles[STYLE_H1 + heading.GetHtmlLevel()];
         heading.RecalcLayout();
         CapWidth(i, v.m_pContainer->m_nWidth / 2);
         Centre(v, i);
     },
     nullptr},
    {ID_INSERT_PREFORMATTED, ITEM_PREFORMATTED_TEXT, nullptr, kNoName, STYLE_PRE, "Insert Preformatted Text", true,
     true, nullptr, nullptr, nullptr},
    {ID_INSERT_LINK, ITEM_LINK, nullptr, kNoName, -1, "Insert Text Link", true, true,
     [](CKJView&, CItem& i) { i.m_strText = Translate("Put your link here").GetString(); }, nullptr,
     [](CKJView&, CItem& i) { return !i.m_strText.IsEmpty(); }},
    {ID_INSERT_ARTISTIC, ITEM_ARTISTIC_TEXT, "Artistic%d", kNameAfter, -1, "Insert Artistic Text", true, true,
     [](CKJView&, CItem& i) { i.m_strText = "Artistic Text"; }, nullptr, nullptr},
    {ID_INSERT_MARQUEE, ITEM_MARQUEE, nullptr, kNoName, -1, "Insert Marquee", true, true,
     [](CKJView&, CItem& i) { i.m_strText = "Insert Marquee Text Here"; }, Centre, nullptr},
    {ID_INSERT_LIST, ITEM_LIST, nullptr, kNoName, -1, "Insert List", true, true,
     [](CKJView&, CItem& i) {
         i.m_strText = "Item 1\r\nItem 2\r\nItem 3\r\nItem 4\r\nItem 5";
         i.m_nWidth = 500;
         i.m_nX = i.m_nY = 100;
         i.m_bPositioned = 1;
         i.RecalcLayout();
     },
     Centre, nullptr},
    {ID_INSERT_EMAIL, ITEM_EMAIL, nullptr, kNoName, -1, "Insert Email", true, true, EmailBefore, EmailAfter, nullptr},

    // Insert menu: shapes
    {ID_INSERT_SHAPE, ITEM_SHAPE, nullptr, kNoName, -1, "Insert Shape", true, true, nullptr, nullptr, nullptr},
    {ID_INSERT_TAB, ITEM_SHAPE, nullptr, kNoName, -1, "Insert Shape", true, true, ShapeTab, nullptr, nullptr},
    {ID_INSERT_GRADIENT, ITEM_SHAPE, nullptr, kNoName, -1, "Insert Shape", true, true, ShapeGradient, nullptr,
     nullptr},

    // Insert menu: media and widgets
    {ID_INSERT_FLASH, ITEM_FLASH, "Flash%d", kNameAfter, -1, "Insert Flash", true, true,
     [](CKJView&, CItem& i) {
         Size(i, 500, 300);
         i.m_strThirdName = "https://media.example.org/samples/movie.swf";
     },
     nullptr, nullptr},
    {ID_INSERT_YOUTUBE, ITEM_YOUTUBE, "YouTube%d", kNameAfter, -1, "Insert YouTube", true, true, nullptr, nullptr,
     nullptr},
    {ID_INSERT_VIDEO, ITEM_VIDEO_STREAM, "Video%d", kNameAfter, -1, "Insert Video", true, true, nullptr, nullptr,
     nullptr},
    {ID_INSERT_AUDIO, ITEM_AUDIO_STREAM, "Audio%d", kNameBefore, -1, "Insert Audio", true, true,
     [](CKJView&, CItem& i) { i.m_strThirdName = "https://media.example.org/samples/sound.mp3"; }, nullptr, nullptr},
    {ID_INSERT_GOOGLE_MAP, ITEM_GOOGLE_MAP, "Map%d", kNameBefore, -1, "Insert Map", true, true,
     [](CKJView&, CItem& i) { As<CGoogleMapItem>(i).SetDefaultCentre(); }, nullptr, nullptr},
    {ID_INSERT_PAYPAL, ITEM_PAYPAL, nullptr, kNoName, -1, "Insert PayPal", true, true, PayPalBefore, PayPalAfter,
     nullptr},
    {ID_INSERT_SYMBOL, ITEM_SYMBOL, nullptr, kNoName, -1, "Insert Symbol", false, true, nullptr, SymbolFont, nullptr},
    {ID_INSERT_LIKE_BUTTON, ITEM_LIKE_BUTTON, "Like%d", kNameAfter, -1, "Insert Like Button", true, true, nullptr,
     nullptr, nullptr},
    {ID_INSERT_FACEBOOK, ITEM_FACEBOOK, "Facebook%d", kNameAfter, -1, "Insert Facebook", true, true, nullptr,
     nullptr, nullptr},
    {ID_INSERT_EXTERNAL_IMAGE, ITEM_EXTERNAL_IMAGE, "Img%d", kNameAfter, -1, "Insert External Image", true, true,
     nullptr, nullptr, nullptr},

    // Insert menu: code
    {ID_INSERT_HTML, ITEM_HTML, nullptr, kNoName, -1, "Insert HTML", true, true,
     [](CKJView&, CItem& i) { CodeBox(i); }, Centre, nullptr},
    {ID_INSERT_JAVASCRIPT, ITEM_JAVASCRIPT, nullptr, kNoName, -1, "Insert JavaScript", true, true,
     [](CKJView&, CItem& i) { CodeBox(i); }, Centre, nullptr},
    {ID_INSERT_EXTERNAL_WEBSITE, ITEM_EXTERNAL_WEBSITE, nullptr, kNoName, -1, "Insert External Website", true, true,
     [](CKJView&, CItem& i) {
         Size(i, 800, 500);
         i.m_strText = "https://www.example.org/";
     },
     Centre, nullptr},
    {ID_INSERT_PHP, ITEM_PHP, nullptr, kNoName, -1, "Insert PHP", true, true,
     [](CKJView&, CItem& i) { CodeBox(i); },
     [](CKJView& v, CItem& i) {
         Centre(v, i);
         // the page now runs PHP: its file becomes ".php", and every link to it changes
         CPage* page = v.m_pCurrentPage;
         if (!page || page->m_strExtension == ".php")
             return;
         page->m_strExtension = ".php";
         CEditScope scope(*v.GetProject()); // joins the insert's change
         scope.Touch(page);
         scope.TouchSite();
         if (CViewFrame* frame = v.GetFrameWnd(); frame && frame->GetSiteTree())
             if (QTreeWidgetItem* node = FindNode(frame->GetSiteTree(), page))
                 node->setText(0, GetPageTreeLabel(page).ToQString());
     },
     nullptr},
};

// The skeleton every row runs: make, default, name, dialog, snapshot, lay out, add.
void RunInsert(CKJView& view, const InsertRow& row)
{
    if (!view.GetProject() || !view.EnsureCurrentContainer())
        return;
    CKJDoc& doc = *view.GetProject();
    InsertDialog dialog;
    if (row.dialog) {
        auto found = Dialogs().find(row.id);
        if (found == Dialogs().end() || !found->second)
            return; // not wired: the command is disabled
        dialog = found->second;
    }
    const int serials = GetObjectCounter();
    std::unique_ptr<CItem> item(NewInsertItem(doc, row.type));
    if (!item)
        return;
    BindStyles(doc, *item, row.element);
    if (row.before)
        row.before(view, *item);
    if (row.pattern && row.nameAt == kNameBefore)
        item->m_strName = doc.TakeItemName(row.pattern);

    // The change begins before the dialog: a dialog that changes the project itself (a
    // site style, a texture made from its Background button) joins this one step, and
    // Cancel puts all of it back. A name drawn above stays used; the serials the dropped
    // item drew are given back, so the project is as it was.
    CEditScope scope(doc, view.m_pCurrentPage, view.m_pContainer, nullptr, row.undo);
    if ((dialog && !dialog(view, *item)) || (row.accept && !row.accept(view, *item))) {
        scope.Cancel();
        item.reset();
        SetObjectCounter(std::max(serials, doc.HighestSerial()));
        return;
    }
    if (row.pattern && row.nameAt == kNameAfter)
        item->m_strName = doc.TakeItemName(row.pattern);
    scope.Touch(view.m_pContainer);
    if (auto* picture = dynamic_cast<CImageItemBase*>(item.get()))
        picture->Render(0);
    item->RecalcLayout();
    if (row.after)
        row.after(view, *item);
    const bool menu = row.type == ITEM_MENU;
    view.AddItemToPage(item.release(), row.place);
    if (menu) {
        // a drop-down in a band must open over the page
        for (const auto& page : doc.m_pages)
            if (page->m_pHeaderBand == view.m_pContainer || page->m_pFooterBand == view.m_pContainer)
                page->m_nHeaderZIndex = 1;
    }
}

void EnableWhenWired(CKJView& view, const InsertRow& row, CCmdUI* ui)
{
    const bool wired = !row.dialog || HasInsertDialog(row.id);
    CKJDoc* doc = view.GetProject();
    ui->Enable(wired && doc && (view.m_pContainer || !doc->m_pages.empty()));
}

} // namespace

InsertDialog SetInsertDialog(unsigned id, InsertDialog dialog)
{
    InsertDialog previous;
    auto found = Dialogs().find(id);
    if (found != Dialogs().end())
        previous = found->second;
    if (dialog)
        Dialogs()[id] = std::move(dialog);
    else if (found != Dialogs().end())
        Dialogs().erase(found);
    return previous;
}

bool HasInsertDialog(unsigned id)
{
    auto found = Dialogs().find(id);
    return found != Dialogs().end() && found->second;
}

void RegisterInsertItemRows(CKJView& view)
{
    for (const InsertRow& row : kRows) {
        view.OnCommand(row.id, [&view, &row] { RunInsert(view, row); });
        view.OnUpdateCommand(row.id, [&view, &row](CCmdUI* ui) { EnableWhenWired(view, row, ui); });
    }
}
