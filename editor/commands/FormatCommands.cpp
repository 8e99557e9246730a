// Style and Item menu commands that change how the selected items look without their full
// property dialog: text colour, font, size steps, bold, italic, underline, alignment,
// padding, background and borders; and the site's text styles.
//
// Every dialog here works on copies (or is plugged in and may edit in place, then the
// scope is taken first): a change opens one edit scope whose container snapshot comes
// before the first change, so Cancel leaves the project as it was and OK is one undo step.
#include "editor/commands/FormatCommands.h"
#include "dialogs/ActionDialogs.h"
#include "dialogs/Background.h"
#include "dialogs/LinkItemDialogs.h"

#include "controls/ColorControl.h"
#include "controls/FontChooser.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/FormDialogs.h"
#include "dialogs/FontDialogs.h"
#include "dialogs/SizeDialogs.h"
#include "dialogs/SmallPropertyDialogs.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "editor/commands/Commands.h"
#include "framework/ui/Translation.h"
#include "model/GroupItem.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "model/Picture.h"
#include "model/TextStyle.h"
#include "model/items/ImageItemBase.h"

#include <algorithm>

CommandDialogs& GetCommandDialogs()
{
    // The designer's own dialogs; tests put stand-ins in their place.
    static CommandDialogs dialogs = [] {
        CommandDialogs d;
        // forms: Send Form Data To edits the form's link record
        d.sendForm = [](CItemLink& link, CKJDoc& doc, QWidget* parent) {
            DSendForm dlg(parent);
            dlg.m_pDoc = &doc;
            dlg.m_pLink = &link;
            return int(dlg.DoModal());
        };
        d.background = [](CFillStyle& fill, CKJDoc& doc, const CString& caption, QWidget* parent) {
            DBackground dlg(parent);
            dlg.m_pFill = &fill;
            dlg.m_pDoc = &doc;
            dlg.m_strCaption = UiTranslate("Background") + caption; // caption is " : " and the target
            return int(dlg.DoModal());
        };
        d.action = [](CItemAction& action, CPage* page, const CString& title, QWidget* parent) {
            DAction dlg(parent);
            dlg.m_pAction = &action;
            dlg.m_pContainer = page;
            // the view's project: a new target id is checked against every page
            if (auto* view = dynamic_cast<CKJView*>(parent))
                dlg.m_pDoc = view->GetProject();
            dlg.m_strCaption = title;
            return int(dlg.DoModal());
        };
        d.defaultLinkStyle = [](CLinkStyle& style, QWidget* parent) {
            DDefaultLinkStyle dlg(parent);
            dlg.m_pStyle = &style;
            return int(dlg.DoModal());
        };
        return d;
    }();
    return dialogs;
}

bool IsTextStyleKind(int type)
{
    switch (type) {
    case ITEM_PARAGRAPH: case ITEM_INPUT_FIELD: case ITEM_LIST_CONTROL: case ITEM_SUBMIT_BUTTON:
    case ITEM_TEXT_AREA: case ITEM_CHECK_BOX: case ITEM_RADIO_CHOICE: case ITEM_LINK: case ITEM_ARTISTIC_TEXT:
    case ITEM_PREFORMATTED_TEXT: case ITEM_TEXT: case ITEM_HEADING: case ITEM_IMAGE_BUTTON: case ITEM_SHAPE:
    case ITEM_MARQUEE: case ITEM_PHP: case ITEM_EMAIL: case ITEM_LIST: case ITEM_TABLE: case ITEM_CATEGORIES:
        return true;
    default:
        return false;
    }
}

bool IsFontRenderedKind(int type)
{
    return type == ITEM_ARTISTIC_TEXT || type == ITEM_IMAGE_BUTTON || type == ITEM_SHAPE;
}

bool IsColorRenderedKind(int type) { return IsFontRenderedKind(type) || type == ITEM_SYMBOL; }

namespace {

CGroupItem* AsGroup(CItem* item) { return dynamic_cast<CGroupItem*>(item); }

// The whole view drawn again at once (counted like the view's own redraws).
void RedrawWhole(CKJView& view)
{
    ++view.m_nRedrawCount;
    view.repaint();
}

// After a change of the selection: when one of the selected items flows, the container is
// laid out again (children moved) or only recalculated, and the whole view drawn at once;
// otherwise the invalidated rectangles are painted.
enum class Relayout { None, Recalc, Children };
void FlowRepaint(CKJView& view, Relayout relayout)
{
    if (!view.InvalidateSelection())
        return;
    if (relayout == Relayout::Children) {
        if (CGroupItem* group = AsGroup(view.m_pContainer))
            group->LayoutChildren();
    } else if (relayout == Relayout::Recalc && view.m_pContainer) {
        view.m_pContainer->RecalcLayout();
    }
    RedrawWhole(view);
}

// A rendered kind draws its text into its picture: a new look after a change.
void RenderAgain(CItem* item)
{
    if (auto* rendered = dynamic_cast<CImageItemBase*>(item))
        rendered->Render(0);
}

// Text alignment codes and the Text Align dialog's choices (Undefined, Left, Right,
// Center, Justified).
constexpr int kTextAlignOfChoice[5] = {0, 4, 1, 2, 3};
int TextAlignChoice(int code)
{
    for (int i = 0; i < 5; ++i)
        if (kTextAlignOfChoice[i] == code)
            return i;
    return 0;
}

// Box alignment codes and the Box Align dialog's choices (Undefined, To Left Edge, To
// Right Edge, Centered); "Undefined" is a code of its own that writes no automatic margin.
constexpr int kBlockUndefined = 3;
constexpr int kBoxAlignOfChoice[4] = {kBlockUndefined, kBlockLeft, kBlockRight, kBlockCentre};
int BoxAlignChoice(int code)
{
    for (int i = 0; i < 4; ++i)
        if (kBoxAlignOfChoice[i] == code)
            return i;
    return 1;
}

} // namespace

void RegisterFormatCommands(CKJView& view)
{
    CKJView* v = &view;
    view.OnCommand(ID_STYLE_DEFAULT_FONT, [v] { v->OnStyleDefaultFont(); });
    for (int level = 1; level <= 6; ++level)
        view.OnCommand(ID_STYLE_HEADING1 + level - 1, [v, level] { v->OnStyleHeading(level); });
    view.OnCommand(ID_STYLE_PREFORMATTED, [v] { v->OnStylePreformatted(); });
    view.OnCommand(ID_STYLE_NORMAL, [v] { v->OnNormalText(); });
    view.OnCommand(ID_STYLE_DEFAULT_LINK, [v] { v->OnStyleDefaultLink(); });
    view.OnUpdateCommand(ID_STYLE_DEFAULT_LINK,
                         [](CCmdUI* ui) { ui->Enable(GetCommandDialogs().defaultLinkStyle != nullptr); });

    view.OnCommand(ID_ITEM_PADDING, [v] { v->OnItemPadding(); });
    view.OnCommand(ID_ITEM_BACKGROUND, [v] { v->OnItemBackground(); });
    view.OnCommand(ID_ITEM_BORDERS, [v] { v->OnItemBorders(); });
    for (UINT id : {ID_ITEM_PADDING, ID_ITEM_BORDERS})
        view.OnUpdateCommand(id, [v](CCmdUI* ui) { v->OnUpdateItemCommand(ui); });
    view.OnUpdateCommand(ID_ITEM_BACKGROUND, [v](CCmdUI* ui) {
        v->OnUpdateItemCommand(ui);
        if (!GetCommandDialogs().background)
            ui->Enable(FALSE);
    });

    view.OnCommand(ID_ITEM_TEXT_COLOR, [v] { v->OnItemTextColor(); });
    view.OnCommand(ID_ITEM_FONT, [v] { v->OnItemFont(); });
    view.OnCommand(ID_LARGER_FONT, [v] { v->OnLargerFont(); });
    view.OnCommand(ID_SMALLER_FONT, [v] { v->OnSmallerFont(); });
    view.OnCommand(ID_BOLD, [v] { v->OnBold(); });
    view.OnCommand(ID_ITALIC, [v] { v->OnItalic(); });
    view.OnCommand(ID_UNDERLINE, [v] { v->OnUnderline(); });
    for (UINT id : {ID_ITEM_TEXT_COLOR, ID_ITEM_FONT, ID_LARGER_FONT, ID_SMALLER_FONT, ID_BOLD, ID_ITALIC, ID_UNDERLINE})
        view.OnUpdateCommand(id, [v](CCmdUI* ui) { v->OnUpdateTextStyleCommand(ui); });

    view.OnCommand(ID_ALIGN_LEFT, [v] { v->SetTextAlign(0); });
    view.OnCommand(ID_ALIGN_RIGHT, [v] { v->SetTextAlign(1); });
    view.OnCommand(ID_ALIGN_CENTER, [v] { v->SetTextAlign(2); });
    view.OnCommand(ID_TEXT_ALIGN_DIALOG, [v] { v->OnTextAlign(); });
    view.OnUpdateCommand(ID_TEXT_ALIGN_DIALOG, [v](CCmdUI* ui) { v->OnUpdateTextAlignDialog(ui); });
    view.OnCommand(ID_BOX_ALIGN_DIALOG, [v] { v->OnBoxAlign(); });
    view.OnUpdateCommand(ID_BOX_ALIGN_DIALOG, [v](CCmdUI* ui) { v->OnUpdateBoxAlign(ui); });
}

// ---------------------------------------------------------------- update handlers

void CKJView::OnUpdateItemCommand(CCmdUI* ui) { ui->Enable(m_pContainer && CountSelected() > 0); }

void CKJView::OnUpdateTextStyleCommand(CCmdUI* ui)
{
    const std::vector<CItem*> selected = m_pContainer ? GetSelectedItems() : std::vector<CItem*>{};
    ui->Enable(std::any_of(selected.begin(), selected.end(), [](CItem* i) { return IsTextStyleKind(i->m_nType); }));
}

void CKJView::OnUpdateTextAlignDialog(CCmdUI* ui) { ui->Enable(m_pContainer && CountSelected() > 0); }

void CKJView::OnUpdateBoxAlign(CCmdUI* ui) { ui->Enable(m_pContainer && CountSelected() > 0); }

// ---------------------------------------------------------------- Style menu

bool CKJView::EditTextStyle(CTextStyle* style, const char* caption)
{
    CKJDoc* doc = GetProject();
    if (!doc || !style)
        return false;
    // The dialog writes the style at OK; a style edit is no undo step, but it is one change
    // of the whole site: the stylesheet and every page are sent again.
    CEditScope scope(*doc);
    DFontStyle dlg(style, this);
    dlg.m_strCaption = caption;
    if (dlg.DoModal() != IDOK) {
        scope.Cancel();
        return false;
    }
    scope.TouchSite();
    scope.TouchStylesheet();
    if (m_pCurrentPage)
        m_pCurrentPage->LayoutChildren();
    if (InvalidateSelection())
        RedrawNow();
    for (auto& page : doc->m_pages)
        page->LayoutChildren();
    return true;
}

void CKJView::OnStyleDefaultFont()
{
    CKJDoc* doc = GetProject();
    if (!doc)
        return;
    CEditScope scope(*doc); // the style and the re-laid out bands and masters: one change
    if (EditTextStyle(&doc->m_styles.m_base, "Default Font")) {
        doc->ApplyPageWidth();
    } else {
        scope.Cancel();
        if (CGroupItem* group = AsGroup(m_pContainer))
            group->LayoutChildren(); // a cancelled dialog changed nothing stored
    }
    RedrawNow();
}

void CKJView::OnStyleHeading(int level)
{
    CKJDoc* doc = GetProject();
    if (!doc || level < 1 || level > 6)
        return;
    if (!m_pContainer && !doc->m_pages.empty())
        SetCurrentPage(doc->m_pages.front().get());
    if (!m_pContainer)
        return;
    const CString caption = CString::Formatted("Heading %d <h%d>", level, level);
    EditTextStyle(&doc->m_styles.m_styles[level - 1], caption);
    // whatever the answer, the container is laid out and drawn again
    if (CGroupItem* group = AsGroup(m_pContainer))
        group->LayoutChildren();
    RedrawNow();
}

void CKJView::OnStylePreformatted()
{
    CKJDoc* doc = GetProject();
    if (doc && m_pContainer)
        EditTextStyle(&doc->m_styles.m_styles[6], "Preformatted <pre>");
}

void CKJView::OnNormalText()
{
    CKJDoc* doc = GetProject();
    if (doc && m_pContainer)
        EditTextStyle(&doc->m_styles.m_base, "Normal Text");
}

void CKJView::OnStyleDefaultLink()
{
    CKJDoc* doc = GetProject();
    const auto& edit = GetCommandDialogs().defaultLinkStyle;
    if (!doc || !edit)
        return;
    if (!m_pContainer && !doc->m_pages.empty())
        SetCurrentPage(doc->m_pages.front().get());
    if (!m_pContainer)
        return;
    // The dialog edits the link style in place: a copy puts it back on Cancel.
    const CLinkStyle before = doc->m_styles.m_link;
    CEditScope scope(*doc);
    if (edit(doc->m_styles.m_link, this) != IDOK) {
        doc->m_styles.m_link = before;
        scope.Cancel();
        return;
    }
    scope.TouchSite();
    scope.TouchStylesheet();
    doc->ApplyPageWidth();
    RedrawNow();
}

// ---------------------------------------------------------------- Item menu

void CKJView::OnItemPadding()
{
    CKJDoc* doc = GetProject();
    CItem* first = GetSelectedItem();
    if (!doc || !m_pContainer || !first)
        return;
    DPadding dlg(this);
    if (first->m_pPadding)
        dlg.m_padding = *first->m_pPadding;
    dlg.m_nPadding = first->m_nPadding;
    dlg.m_strName = first->m_strName;
    if (dlg.DoModal() != IDOK)
        return;
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Padding");
    InvalidateSelection();
    bool relayout = false;
    for (CItem* item : GetSelectedItems()) {
        item->m_nPadding = dlg.m_nPadding;
        // an item without a padding record keeps it absent
        if (item->m_pPadding) {
            *item->m_pPadding = dlg.m_padding;
            relayout = relayout || !item->m_bPositioned;
        }
        item->RecalcLayout();
        scope.Touch(item);
    }
    if (relayout) {
        // a flowing item of another size moves the ones after it
        if (CGroupItem* group = AsGroup(m_pContainer))
            group->LayoutChildren();
        RedrawNow();
    } else {
        InvalidateSelection();
    }
}

void CKJView::OnItemBackground()
{
    CKJDoc* doc = GetProject();
    const auto& edit = GetCommandDialogs().background;
    if (!doc || !m_pContainer || !edit)
        return;
    // nothing selected: the page's or the entered group's own background
    CItem* target = GetSelectedItem();
    if (!target)
        target = m_pContainer;
    if (!target->m_pFill) {
        InvalidateSelection();
        return;
    }
    const std::size_t textures = doc->m_textures.size();
    const CString caption = " : " + target->Describe();
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Background");
    if (edit(*target->m_pFill, *doc, caption, this) != IDOK) {
        // textures made or imported in the dialog belong to no snapshot; they go before
        // the scope gives back the serials drawn
        if (doc->m_textures.size() > textures)
            doc->m_textures.resize(textures);
        scope.Cancel();
        ResetViewPointers();
        return;
    }
    target->m_pFill->Render(true);
    scope.Touch(target);
    for (CItem* item : GetSelectedItems()) {
        if (item == target || !item->m_pFill)
            continue;
        item->m_pFill->CopySettings(*target->m_pFill);
        item->m_pFill->Render(true);
        scope.Touch(item);
    }
    if (doc->m_textures.size() != textures) {
        scope.SetHint(HINT_TEXTURES);
        RefreshTextureEntries();
    }
    if (target == m_pContainer)
        RedrawNow();
    else
        InvalidateSelection();
}

void CKJView::OnItemBorders()
{
    CKJDoc* doc = GetProject();
    CItem* first = GetSelectedItem();
    if (!doc || !m_pContainer || !first)
        return;
    CBorderSide sides[BORDER_COUNT];
    std::copy(std::begin(first->m_borders), std::end(first->m_borders), sides);
    if (!::EditBorders(sides))
        return;
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Borders");
    for (CItem* item : GetSelectedItems()) {
        InvalidateItem(item, 50);
        std::copy(std::begin(sides), std::end(sides), item->m_borders);
        item->RecalcLayout();
        scope.Touch(item);
    }
    FlowRepaint(*this, Relayout::Children);
}

void CKJView::OnItemTextColor()
{
    CKJDoc* doc = GetProject();
    CItem* first = GetSelectedItem();
    if (!doc || !m_pContainer || !first)
        return;
    COLORREF colour = first->m_crText;
    if (!ChooseColorDlg(colour, UiTranslate("Text Color"), TRUE))
        return;
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Text Color");
    for (CItem* item : GetSelectedItems()) {
        item->m_crText = colour;
        if (IsColorRenderedKind(item->m_nType))
            RenderAgain(item);
        item->RecalcLayout();
        scope.Touch(item);
    }
    InvalidateSelection();
}

void CKJView::OnItemFont()
{
    CKJDoc* doc = GetProject();
    CItem* first = GetSelectedItem();
    if (!doc || !m_pContainer || !first)
        return;
    if (IsFontRenderedKind(first->m_nType)) {
        auto* edited = static_cast<CImageItemBase*>(first);
        LOGFONT lf = edited->m_lf;
        if (!ChooseFontDlg(lf, this))
            return;
        CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Font");
        InvalidateSelection();
        edited->m_lf = lf;
        for (CItem* item : GetSelectedItems()) {
            if (!IsFontRenderedKind(item->m_nType))
                continue;
            auto* rendered = static_cast<CImageItemBase*>(item);
            rendered->m_crText = edited->m_crText; // the fill colour goes with the font
            rendered->m_lf = lf;
            rendered->Render(0);
            rendered->RecalcLayout();
            scope.Touch(rendered);
        }
        InvalidateSelection();
        return;
    }
    DFont dlg(this);
    dlg.m_crColor = first->m_crText;
    dlg.m_nSize = first->m_nFontSize;
    dlg.m_strFace = first->m_strFontFace;
    dlg.m_strWebFont = first->m_strWebFont;
    dlg.m_nBold = first->m_nBold;
    dlg.m_nItalic = first->m_nItalic;
    // the list offers none, underlined and strike-through; an explicit "none" (3) shows as none
    const int decoration = first->m_nDecoration;
    dlg.m_nUnderline = decoration == 3 ? 0 : decoration;
    dlg.m_strCaption = first->Describe();
    if (dlg.DoModal() != IDOK)
        return;
    int chosenDecoration = dlg.m_nUnderline < 0 ? decoration : dlg.m_nUnderline;
    if (decoration == 3 && chosenDecoration == 0)
        chosenDecoration = 3;
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Font");
    InvalidateSelection();
    for (CItem* item : GetSelectedItems()) {
        item->m_crText = dlg.m_crColor;
        item->m_nFontSize = dlg.m_nSize;
        item->m_strFontFace = dlg.m_strFace;
        item->m_strWebFont = dlg.m_strWebFont;
        if (dlg.m_nBold >= 0)
            item->m_nBold = dlg.m_nBold;
        if (dlg.m_nItalic >= 0)
            item->m_nItalic = dlg.m_nItalic;
        item->m_nDecoration = chosenDecoration;
        if (IsColorRenderedKind(item->m_nType))
            RenderAgain(item);
        item->RecalcLayout();
        scope.Touch(item);
    }
    InvalidateSelection();
}

namespace {
// Larger/Smaller Font, Bold, Italic, Underline: one change on every selected item.
template <class Change>
void ChangeSelection(CKJView& view, const char* undo, Change change)
{
    CKJDoc* doc = view.GetProject();
    if (!doc || !view.m_pContainer || !view.GetSelectedItem())
        return;
    CEditScope scope(*doc, view.m_pCurrentPage, view.m_pContainer, nullptr, undo);
    view.InvalidateSelection();
    for (CItem* item : view.GetSelectedItems()) {
        change(*item);
        item->RecalcLayout();
        scope.Touch(item);
    }
    FlowRepaint(view, Relayout::Recalc);
}
} // namespace

void CKJView::OnLargerFont() { ChangeSelection(*this, "Font Larger", [](CItem& i) { i.TextSizeUp(); }); }
void CKJView::OnSmallerFont() { ChangeSelection(*this, "Font Smaller", [](CItem& i) { i.TextSizeDown(); }); }

void CKJView::OnBold()
{
    if (CItem* first = GetSelectedItem()) {
        const int bold = first->m_nBold == 1 ? 0 : 1;
        ChangeSelection(*this, "Bold", [bold](CItem& i) { i.m_nBold = bold; });
    }
}

void CKJView::OnItalic()
{
    if (CItem* first = GetSelectedItem()) {
        const int italic = first->m_nItalic == 1 ? 0 : 1;
        ChangeSelection(*this, "Italic", [italic](CItem& i) { i.m_nItalic = italic; });
    }
}

void CKJView::OnUnderline()
{
    if (CItem* first = GetSelectedItem()) {
        const int decoration = first->m_nDecoration == 0 ? 1 : 0;
        ChangeSelection(*this, "Underline", [decoration](CItem& i) { i.m_nDecoration = decoration; });
    }
}

void CKJView::SetTextAlign(int code)
{
    CKJDoc* doc = GetProject();
    if (!doc || !m_pContainer || !GetSelectedItem())
        return;
    InvalidateSelection();
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Text Align");
    bool redraw = false;
    for (CItem* item : GetSelectedItems()) {
        // the same number in both codings: 0 left, 1 right, 2 centre
        item->m_nTextAlign = code;
        item->m_nBlockAlign = code;
        item->RecalcLayout();
        redraw = redraw || !item->m_bPositioned;
        scope.Touch(item);
    }
    m_pContainer->RecalcLayout();
    if (redraw)
        RedrawNow();
}

void CKJView::OnTextAlign()
{
    CKJDoc* doc = GetProject();
    CItem* first = GetSelectedItem();
    if (!doc || !m_pContainer || !first)
        return;
    DTextAlign dlg(this);
    dlg.m_nAlign = TextAlignChoice(first->m_nTextAlign);
    if (dlg.DoModal() != IDOK || dlg.m_nAlign < 0 || dlg.m_nAlign > 4)
        return;
    const int code = kTextAlignOfChoice[dlg.m_nAlign];
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Text Align");
    for (CItem* item : GetSelectedItems()) {
        item->m_nTextAlign = code;
        item->RecalcLayout(); // the canvas draws the new alignment at once
        scope.Touch(item);
    }
    InvalidateSelection();
}

void CKJView::OnBoxAlign()
{
    CKJDoc* doc = GetProject();
    CItem* first = GetSelectedItem();
    if (!doc || !m_pContainer || !first)
        return;
    DBoxAlign dlg(this);
    dlg.m_nAlign = BoxAlignChoice(first->m_nBlockAlign);
    if (dlg.DoModal() != IDOK || dlg.m_nAlign < 0 || dlg.m_nAlign > 3)
        return;
    const int code = kBoxAlignOfChoice[dlg.m_nAlign];
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, "Box Align");
    for (CItem* item : GetSelectedItems()) {
        item->m_nBlockAlign = code;
        item->RecalcLayout();
        scope.Touch(item);
    }
    FlowRepaint(*this, Relayout::Children);
}
