// Commands of the Item, Style, Action and Form menus that change one property of the
// selection through a small dialog or the colour picker. Every change is one edit scope:
// one snapshot of the container before the first change, one modified mark, the upload
// state of what shows it reset, one repaint hint; Cancel leaves the project as it was.
#include "editor/commands/ItemCommands.h"
#include "editor/commands/Commands.h"
#include "editor/commands/FormatCommands.h"
#include "editor/commands/ItemProperties.h"

#include "controls/ColorControl.h"
#include "dialogs/ActionDialogs.h"
#include "dialogs/ClassDialogs.h"
#include "dialogs/CodeView.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/LinkItemDialogs.h"
#include "dialogs/OverColorDialogs.h"
#include "dialogs/PageNameDialog.h"
#include "dialogs/SizeDialogs.h"
#include "dialogs/SmallItemDialogs.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "framework/ui/Translation.h"
#include "model/FillStyle.h"
#include "model/GroupItem.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/TextStyle.h"
#include "model/items/HeadingItem.h"
#include "model/items/ImageItemBase.h"
#include "model/items/InputFieldItem.h"
#include "model/items/ParagraphItem.h"
#include "model/items/SubmitButtonItem.h"
#include "resources/CommandIds.h"

#include <algorithm>

int ClassKindOf(const CItem& item)
{
    switch (item.m_nType) {
    case ITEM_PARAGRAPH: return 1;
    case ITEM_TEXT: return 2;
    case ITEM_HEADING: return 3 + std::clamp(static_cast<const CHeadingItem&>(item).m_nLevel, 0, 5);
    case ITEM_PREFORMATTED_TEXT: return 9;
    case ITEM_FORM: return 10;
    case ITEM_IMAGE: case ITEM_GIF: case ITEM_IMAGE_BUTTON: case ITEM_IMAGE_CLONE: case ITEM_SHAPE: return 11;
    case ITEM_LINK: case ITEM_CATEGORIES: return 12;
    case ITEM_GROUP: return 13;
    case ITEM_INPUT_FIELD: {
        static constexpr int kByInput[] = {14, 15, 21};
        const int input = static_cast<const CInputFieldItem&>(item).m_nInputType;
        return input >= 0 && input < 3 ? kByInput[input] : -1;
    }
    case ITEM_SUBMIT_BUTTON: {
        static constexpr int kByButton[] = {16, 17, 22, 20};
        const int button = static_cast<const CSubmitButtonItem&>(item).m_nButtonKind;
        return button >= 0 && button < 4 ? kByButton[button] : -1;
    }
    case ITEM_RADIO_CHOICE: return 18;
    case ITEM_CHECK_BOX: return 19;
    case ITEM_TEXT_AREA: return 23;
    default: return -1;
    }
}

bool IsImageDrawnKind(int type) { return type == ITEM_ARTISTIC_TEXT || type == ITEM_IMAGE_BUTTON || type == ITEM_SHAPE; }

void ApplyLineWidth(CItem& item, int width)
{
    if (IsImageDrawnKind(item.m_nType)) {
        static_cast<CImageItemBase&>(item).m_nFrameWidth = width;
        return;
    }
    for (CBorderSide& side : item.m_borders)
        side.m_nWidth = width;
    // a width needs a drawn style, no width no style
    CBorderSide& all = item.m_borders[0];
    if (width > 0 && all.m_nStyle < 2)
        all.m_nStyle = 2;
    else if (width == 0 && all.m_nStyle >= 2)
        all.m_nStyle = 0;
}

bool IsTextAlignKind(int type)
{
    switch (type) {
    case ITEM_PREFORMATTED_TEXT: case ITEM_PARAGRAPH: case ITEM_INPUT_FIELD: case ITEM_TEXT_AREA:
    case ITEM_SUBMIT_BUTTON: case ITEM_TEXT: case ITEM_MARQUEE: case ITEM_HEADING: case ITEM_LINK:
        return true;
    default:
        return false;
    }
}

bool IsTabIndexKind(int type)
{
    switch (type) {
    case ITEM_LINK: case ITEM_SUBMIT_BUTTON: case ITEM_CHECK_BOX: case ITEM_FLASH: case ITEM_INPUT_FIELD:
    case ITEM_LIST_CONTROL: case ITEM_TEXT_AREA: case ITEM_RADIO_CHOICE: case ITEM_DATE_PICKER:
        return true;
    default:
        return false;
    }
}

namespace {

CGroupItem* AsGroup(CItem* item) { return dynamic_cast<CGroupItem*>(item); }

void RedrawWhole(CKJView& view)
{
    ++view.m_nRedrawCount;
    view.repaint();
}

// The image-drawn kinds draw a new picture after a change of their own fields.
void RenderImageDrawn(CItem& item)
{
    auto& rendered = static_cast<CImageItemBase&>(item);
    rendered.Render(0);
    rendered.m_nUploadState = 0;
    rendered.RecalcLayout();
}

// What a command works on; false when there is no container or nothing selected.
struct Target {
    CKJDoc* doc = nullptr;
    CItem* first = nullptr;
};
bool Selected(CKJView& view, Target& t)
{
    t.doc = view.GetProject();
    t.first = view.m_pContainer ? view.GetSelectedItem() : nullptr;
    return t.doc && t.first;
}

// Box Shadow, Text Shadow and the Style menu make the first page current when nothing is.
bool EnsureContainer(CKJView& view)
{
    CKJDoc* doc = view.GetProject();
    if (!doc)
        return false;
    if (!view.m_pContainer && !doc->m_pages.empty())
        view.SetCurrentPage(doc->m_pages.front().get());
    return view.m_pContainer != nullptr;
}

// One change applied to every selected item in one scope recorded before it.
template <class Change>
void ForSelection(CKJView& view, CKJDoc& doc, const char* undo, Change change)
{
    CEditScope scope(doc, view.m_pCurrentPage, view.m_pContainer, nullptr, undo);
    view.InvalidateSelection();
    for (CItem* item : view.GetSelectedItems()) {
        change(*item);
        item->RecalcLayout();
        scope.Touch(item);
    }
    view.InvalidateSelection();
    view.update();
}

void OnItemMargins(CKJView& view)
{
    Target t;
    if (!Selected(view, t))
        return;
    CEditScope scope(*t.doc, view.m_pCurrentPage, view.m_pContainer, nullptr, "Margins");
    DMargins dlg(&view);
    CBoxSpacing margin = t.first->m_margin;
    dlg.m_pMargin = &margin;
    if (dlg.DoModal() != IDOK) {
        scope.Cancel();
        view.ResetViewPointers();
        return;
    }
    for (CItem* item : view.GetSelectedItems()) {
        item->m_margin = margin;
        item->RecalcLayout();
        scope.Touch(item);
    }
    if (CGroupItem* group = AsGroup(view.m_pContainer))
        group->LayoutChildren();
    RedrawWhole(view);
}

void OnItemRename(CKJView& view)
{
    Target t;
    if (!Selected(view, t))
        return;
    CItem* item = t.first;
    DRename dlg(&view);
    dlg.m_pDoc = t.doc;
    dlg.m_pItem = item;
    dlg.m_pPage = view.m_pCurrentPage;
    dlg.m_bHidden = item->m_bHidden;
    dlg.m_strName = item->m_strName;
    dlg.m_nCursor = item->m_nCursor;
    dlg.m_nDisplay = item->m_bDisplayNone;
    dlg.m_strAnchor = item->m_strAnchor;
    dlg.m_bDeclareVariable = item->m_bInclude;
    // the dialog writes the item's title itself: the snapshot comes first
    CEditScope scope(*t.doc, view.m_pCurrentPage, view.m_pContainer, item, "Rename");
    if (dlg.DoModal() != IDOK) {
        scope.Cancel();
        view.ResetViewPointers();
        return;
    }
    item->m_bHidden = dlg.m_bHidden;
    SetSafeItemName(*item, dlg.m_strName);
    item->m_nCursor = dlg.m_nCursor;
    item->m_bDisplayNone = dlg.m_nDisplay;
    item->m_strAnchor = dlg.m_strAnchor;
    item->m_bInclude = dlg.m_bDeclareVariable;
    scope.Touch(item);
    view.InvalidateSelection();
    view.update();
}

void OnItemClass(CKJView& view)
{
    Target t;
    if (!Selected(view, t))
        return;
    const int kind = ClassKindOf(*t.first);
    if (kind < 0)
        return;
    DSelectClass dlg(&view);
    dlg.m_nKind = kind;
    dlg.m_strName = t.first->m_strClass;
    dlg.m_pDoc = t.doc;
    const int result = int(dlg.DoModal());
    if (result != IDOK && result != kNewClassResult)
        return;
    CString name;
    CStyleClass* chosen = nullptr;
    if (result == kNewClassResult) {
        // the class is the site's: its own change, confirmed before the items take it
        chosen = CreateClassWithDialog(*t.doc, kind, &view);
        if (!chosen)
            return;
        name = chosen->m_strName;
    }
    CEditScope scope(*t.doc, view.m_pCurrentPage, view.m_pContainer, nullptr, "Class");
    if (result == kNewClassResult) {
        scope.TouchStylesheet();
    } else {
        name = dlg.m_strName;
        for (const auto& styleClass : t.doc->m_styleClasses)
            if (styleClass->m_strName == name)
                chosen = styleClass.get(); // the last of that name wins
    }
    bool flows = false;
    for (CItem* item : view.GetSelectedItems()) {
        item->m_strClass = name;
        item->m_pStyleClass = chosen;
        item->RecalcLayout();
        flows = flows || !item->m_bPositioned;
        scope.Touch(item);
    }
    if (flows)
        if (CGroupItem* group = AsGroup(view.m_pContainer))
            group->LayoutChildren();
    RedrawWhole(view);
}

void OnItemBullet(CKJView& view)
{
    Target t;
    if (!Selected(view, t))
        return;
    CItem* item = t.first;
    CEditScope scope(*t.doc, view.m_pCurrentPage, view.m_pContainer, nullptr, "Bullet");
    view.InvalidateItem(item);
    view.InvalidateHandles(item);
    DBullet dlg(&view);
    dlg.m_pItem = item;
    if (dlg.DoModal() != IDOK) {
        scope.Cancel();
        view.ResetViewPointers();
        return;
    }
    item->RecalcLayout();
    bool flows = !item->m_bPositioned;
    for (CItem* other : view.GetSelectedItems()) {
        if (other != item) {
            other->m_nIcon = item->m_nIcon;
            other->m_crIcon = item->m_crIcon;
            other->m_nIconShading = item->m_nIconShading;
            other->RecalcLayout();
            flows = flows || !other->m_bPositioned;
        }
        scope.Touch(other);
    }
    view.InvalidateItem(item);
    view.InvalidateHandles(item);
    if (flows) {
        if (CGroupItem* group = AsGroup(view.m_pContainer))
            group->LayoutChildren();
        RedrawWhole(view);
    } else {
        view.update();
    }
}

void OnItemFillColor(CKJView& view)
{
    Target t;
    if (!Selected(view, t) || !t.first->m_pFill)
        return;
    const bool drawn = IsImageDrawnKind(t.first->m_nType);
    COLORREF colour = drawn ? static_cast<CImageItemBase*>(t.first)->m_crSecond : t.first->m_pFill->m_crColor;
    if (!ChooseColorDlg(colour, UiTranslate("Fill Color"), TRUE))
        return;
    ForSelection(view, *t.doc, "Fill Color", [colour](CItem& item) {
        if (IsImageDrawnKind(item.m_nType)) {
            static_cast<CImageItemBase&>(item).m_crSecond = colour;
            RenderImageDrawn(item);
        } else if (item.m_pFill) {
            item.m_pFill->m_crColor = colour;
            item.m_pFill->Render(true);
        }
    });
}

void OnItemLineColor(CKJView& view)
{
    Target t;
    if (!Selected(view, t))
        return;
    COLORREF colour = IsImageDrawnKind(t.first->m_nType) ? static_cast<CImageItemBase*>(t.first)->m_crFrame
                                                         : t.first->m_borders[0].m_color;
    if (!ChooseColorDlg(colour, UiTranslate("Line Color"), FALSE))
        return;
    ForSelection(view, *t.doc, "Line Color", [colour](CItem& item) {
        if (IsImageDrawnKind(item.m_nType)) {
            static_cast<CImageItemBase&>(item).m_crFrame = colour;
            RenderImageDrawn(item);
        } else {
            for (CBorderSide& side : item.m_borders)
                side.m_color = colour;
        }
    });
}

void OnItemLineWidth(CKJView& view, int width)
{
    Target t;
    if (!Selected(view, t))
        return;
    ForSelection(view, *t.doc, "Line Width", [width](CItem& item) {
        ApplyLineWidth(item, width);
        if (IsImageDrawnKind(item.m_nType))
            RenderImageDrawn(item);
    });
}

void OnItemRadius(CKJView& view)
{
    Target t;
    if (!Selected(view, t))
        return;
    DBorderRadius dlg(&view);
    dlg.m_nRadius = t.first->m_nBorderRadius;
    if (dlg.DoModal() != IDOK)
        return;
    const int radius = dlg.m_nRadius;
    ForSelection(view, *t.doc, "Radius", [radius](CItem& item) {
        item.m_nBorderRadius = radius;
        if (IsImageDrawnKind(item.m_nType) || item.m_nType == ITEM_IMAGE) {
            static_cast<CImageItemBase&>(item).m_nCornerRadius = radius;
            RenderImageDrawn(item);
        }
    });
}

void OnItemOpacity(CKJView& view)
{
    Target t;
    if (!Selected(view, t))
        return;
    DOpacity dlg(&view);
    dlg.m_nOpacity = t.first->m_nOpacity;
    if (dlg.DoModal() != IDOK)
        return;
    const int opacity = std::clamp(dlg.m_nOpacity, 0, 100);
    ForSelection(view, *t.doc, "Opacity", [opacity](CItem& item) { item.m_nOpacity = opacity; });
}

void OnItemColumns(CKJView& view)
{
    Target t;
    if (!Selected(view, t))
        return;
    const std::vector<CItem*> selected = view.GetSelectedItems();
    auto paragraph = std::find_if(selected.begin(), selected.end(), [](CItem* i) { return i->m_nType == ITEM_PARAGRAPH; });
    if (paragraph == selected.end())
        return;
    auto* first = static_cast<CParagraphItem*>(*paragraph);
    DColumns dlg(&view);
    dlg.m_nColumns = first->m_nExtraColumns;
    dlg.m_nGap = first->m_nColumnGap;
    if (dlg.DoModal() != IDOK)
        return;
    const int columns = std::clamp(dlg.m_nColumns, 0, 99), gap = dlg.m_nGap;
    ForSelection(view, *t.doc, "Columns", [columns, gap](CItem& item) {
        if (item.m_nType != ITEM_PARAGRAPH)
            return;
        auto& p = static_cast<CParagraphItem&>(item);
        p.m_nExtraColumns = columns;
        p.m_nColumnGap = gap;
    });
}

void OnItemBoxShadow(CKJView& view)
{
    Target t;
    if (!EnsureContainer(view) || !Selected(view, t))
        return;
    CItem* item = t.first;
    DBoxShadow dlg(&view);
    dlg.m_nPreset = item->m_bBoxShadow ? 1 : 0;
    dlg.m_nDeltaX = item->m_nBoxShadowX;
    dlg.m_nDeltaY = item->m_nBoxShadowY;
    dlg.m_nBlur = item->m_nBoxShadowBlur;
    dlg.m_nIntensity = item->m_nBoxShadowSpread;
    dlg.m_crColor = item->m_crBoxShadow;
    if (dlg.DoModal() != IDOK)
        return;
    CEditScope scope(*t.doc, view.m_pCurrentPage, view.m_pContainer, item, "Box Shadow");
    // "Delete" ends with every value 0: no shadow
    const bool any = dlg.m_nDeltaX || dlg.m_nDeltaY || dlg.m_nBlur || dlg.m_nIntensity;
    item->m_bBoxShadow = dlg.m_nPreset != 0 && any ? 1 : 0;
    item->m_nBoxShadowX = dlg.m_nDeltaX;
    item->m_nBoxShadowY = dlg.m_nDeltaY;
    item->m_nBoxShadowBlur = dlg.m_nBlur;
    item->m_nBoxShadowSpread = dlg.m_nIntensity;
    item->m_crBoxShadow = dlg.m_crColor;
    scope.Touch(item);
}

void OnItemTextShadow(CKJView& view)
{
    Target t;
    if (!EnsureContainer(view) || !Selected(view, t))
        return;
    CItem* item = t.first;
    DTextShadow dlg(&view);
    dlg.m_nPreset = item->m_bTextShadow ? SHADOW_CUSTOM : SHADOW_NONE;
    dlg.m_nDeltaX = item->m_nTextShadowX;
    dlg.m_nDeltaY = item->m_nTextShadowY;
    dlg.m_nBlur = item->m_nTextShadowBlur;
    dlg.m_crColor = item->m_crTextShadow;
    if (dlg.DoModal() != IDOK)
        return;
    CEditScope scope(*t.doc, view.m_pCurrentPage, view.m_pContainer, item, "Text Shadow");
    const bool any = dlg.m_nDeltaX || dlg.m_nDeltaY || dlg.m_nBlur;
    item->m_bTextShadow = dlg.m_nPreset != SHADOW_NONE && any ? 1 : 0;
    item->m_nTextShadowX = dlg.m_nDeltaX;
    item->m_nTextShadowY = dlg.m_nDeltaY;
    item->m_nTextShadowBlur = std::clamp(dlg.m_nBlur, 0, 1000);
    item->m_crTextShadow = dlg.m_crColor;
    scope.Touch(item);
}

void OnFormTabIndex(CKJView& view)
{
    Target t;
    if (!Selected(view, t))
        return;
    DTabIndex dlg(&view);
    dlg.m_nTabIndex = t.first->m_nTabIndex;
    if (dlg.DoModal() != IDOK)
        return;
    CEditScope scope(*t.doc, view.m_pCurrentPage, view.m_pContainer, t.first, "Tab Index");
    t.first->m_nTabIndex = dlg.m_nTabIndex;
    scope.Touch(t.first);
}

void OnItemViewSource(CKJView& view)
{
    Target t;
    if (!Selected(view, t))
        return;
    CPublishContext context;
    context.m_nMode = kPublishUpload;
    t.doc->ResolveLinks(context);
    CPageOutput out(kPublishUpload, t.doc->m_nPageWidth);
    t.first->WriteHtml(out);
    DCodeView dlg(&view);
    dlg.m_strText = out.m_strBody;
    dlg.m_strCaption = t.first->m_strName;
    dlg.DoModal();
}

void OnActionOnLoad(CKJView& view)
{
    CKJDoc* doc = view.GetProject();
    CPage* page = view.m_pCurrentPage;
    const auto& edit = GetCommandDialogs().action;
    if (!doc || !page || !view.m_pContainer || !edit)
        return;
    // the dialog edits the action in place: the snapshot comes first, Cancel restores it
    CEditScope scope(*doc, page, page, nullptr, "On Load");
    const CString title = page->m_title.GetUtf8() + UiTranslate(" : On Load");
    if (edit(page->m_pageAction, page, title, &view) != IDOK) {
        scope.Cancel();
        view.ResetViewPointers();
        return;
    }
    scope.Touch(page);
}

void OnStyleSiteText(CKJView& view, int entry, const char* caption)
{
    CKJDoc* doc = view.GetProject();
    if (!EnsureContainer(view))
        return;
    // a site style: no container snapshot restores it, so EditTextStyle marks the whole
    // site and the stylesheet
    view.EditTextStyle(&doc->m_styles.m_styles[entry], caption);
    if (CGroupItem* group = AsGroup(view.m_pContainer))
        group->LayoutChildren();
    RedrawWhole(view);
}

} // namespace

void RegisterItemCommands(CKJView& view)
{
    static const bool registered = (RegisterItemPropertiesDialogs(), true);
    (void)registered;
    CKJView* v = &view;
    auto item = [v](UINT id, void (*run)(CKJView&)) {
        v->OnCommand(id, [v, run] { run(*v); });
        v->OnUpdateCommand(id, [v](CCmdUI* ui) { v->OnUpdateItemCommand(ui); });
    };
    view.OnCommand(ID_ITEM_PROPERTIES, [v] { RunItemProperties(*v); });
    view.OnUpdateCommand(ID_ITEM_PROPERTIES, [v](CCmdUI* ui) {
        CItem* selected = v->m_pContainer ? v->GetSelectedItem() : nullptr;
        ui->Enable(selected && FindPropertiesRow(selected->m_nType) && HasPropertiesDialog(selected->m_nType));
    });
    item(ID_ITEM_RENAME, OnItemRename);
    item(ID_ITEM_CLASS, OnItemClass);
    item(ID_ITEM_FILL_COLOR, OnItemFillColor);
    item(ID_ITEM_LINE_COLOR, OnItemLineColor);
    item(ID_ITEM_RADIUS, OnItemRadius);
    item(ID_ITEM_OPACITY, OnItemOpacity);
    item(ID_ITEM_BOX_SHADOW, OnItemBoxShadow);
    item(ID_ITEM_TEXT_SHADOW, OnItemTextShadow);
    item(ID_ITEM_VIEW_SOURCE, OnItemViewSource);
    for (UINT id = ID_ITEM_LINE_WIDTH_NONE; id <= ID_ITEM_LINE_WIDTH_LAST; ++id) {
        const int width = int(id - ID_ITEM_LINE_WIDTH_NONE);
        view.OnCommand(id, [v, width] { OnItemLineWidth(*v, width); });
        view.OnUpdateCommand(id, [v](CCmdUI* ui) { v->OnUpdateItemCommand(ui); });
    }

    view.OnCommand(ID_ITEM_MARGINS, [v] { OnItemMargins(*v); });
    view.OnUpdateCommand(ID_ITEM_MARGINS, [v](CCmdUI* ui) {
        const auto selected = v->m_pContainer ? v->GetSelectedItems() : std::vector<CItem*>{};
        ui->Enable(std::any_of(selected.begin(), selected.end(), [](CItem* i) { return !i->m_bPositioned; }));
    });
    view.OnCommand(ID_ITEM_COLUMNS, [v] { OnItemColumns(*v); });
    view.OnUpdateCommand(ID_ITEM_COLUMNS, [v](CCmdUI* ui) {
        const auto selected = v->m_pContainer ? v->GetSelectedItems() : std::vector<CItem*>{};
        ui->Enable(std::any_of(selected.begin(), selected.end(), [](CItem* i) { return i->m_nType == ITEM_PARAGRAPH; }));
    });
    view.OnCommand(ID_ITEM_BULLET, [v] { OnItemBullet(*v); });
    view.OnUpdateCommand(ID_ITEM_BULLET, [v](CCmdUI* ui) {
        CItem* selected = v->m_pContainer ? v->GetSelectedItem() : nullptr;
        const int type = selected ? selected->m_nType : 0;
        ui->Enable(type == ITEM_TEXT || type == ITEM_LINK || type == ITEM_CATEGORIES || type == ITEM_LIST);
    });
    view.OnCommand(ID_FORM_TAB_INDEX, [v] { OnFormTabIndex(*v); });
    view.OnUpdateCommand(ID_FORM_TAB_INDEX, [v](CCmdUI* ui) {
        CItem* selected = v->m_pContainer ? v->GetSelectedItem() : nullptr;
        ui->Enable(selected && v->CountSelected() == 1 && IsTabIndexKind(selected->m_nType));
    });
    // the toolbar's text alignment: for what flows or holds text
    for (UINT id : {ID_ALIGN_LEFT, ID_ALIGN_CENTER, ID_ALIGN_RIGHT})
        view.OnUpdateCommand(id, [v](CCmdUI* ui) {
            const auto selected = v->m_pContainer ? v->GetSelectedItems() : std::vector<CItem*>{};
            ui->Enable(std::any_of(selected.begin(), selected.end(),
                                   [](CItem* i) { return !i->m_bPositioned || IsTextAlignKind(i->m_nType); }));
        });
    view.OnCommand(ID_ACTION_ON_LOAD, [v] { OnActionOnLoad(*v); });
    view.OnUpdateCommand(ID_ACTION_ON_LOAD, [v](CCmdUI* ui) {
        ui->Enable(v->m_pCurrentPage && v->m_pContainer == v->m_pCurrentPage && GetCommandDialogs().action);
    });
    view.OnCommand(ID_EDIT_ACTIONS, [v] {
        DActions dlg(v);
        dlg.DoModal(); // shown for reference; nothing is taken from it
    });
    view.OnCommand(ID_STYLE_BUTTON, [v] { OnStyleSiteText(*v, 9, "Button Style"); });
    view.OnCommand(ID_STYLE_COMBO, [v] { OnStyleSiteText(*v, 10, "Combo Style"); });
    view.OnCommand(ID_HEADING_STYLE, [v] {
        CItem* selected = v->m_pContainer ? v->GetSelectedItem() : nullptr;
        if (selected && selected->m_nType == ITEM_HEADING)
            v->OnStyleHeading(1 + std::clamp(static_cast<CHeadingItem*>(selected)->m_nLevel, 0, 5));
    });
    view.OnUpdateCommand(ID_HEADING_STYLE, [v](CCmdUI* ui) {
        CItem* selected = v->m_pContainer ? v->GetSelectedItem() : nullptr;
        ui->Enable(selected && selected->m_nType == ITEM_HEADING);
    });
}
