// Action menu commands: the six event actions of the selected items, their link, and the
// destination of a form. Each dialog edits a copy of its record; one edit scope records
// the snapshot and then gives the items the result, so Cancel changes nothing (the event
// dialog's scope opens before it, as it may name the item it targets).
#include "editor/commands/FormatCommands.h"

#include "dialogs/LinkDialog.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "editor/commands/Commands.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/Translation.h"
#include "model/GroupItem.h"
#include "model/ItemTypes.h"
#include "model/Page.h"

#include <algorithm>

bool IsLinkableKind(int type)
{
    switch (type) {
    case ITEM_GROUP: case ITEM_PARAGRAPH: case ITEM_LINK: case ITEM_ARTISTIC_TEXT: case ITEM_IMAGE: case ITEM_TEXT:
    case ITEM_HEADING: case ITEM_IMAGE_BUTTON: case ITEM_FORM: case ITEM_SHAPE: case ITEM_IMAGE_CLONE: case ITEM_GIF:
    case ITEM_SYMBOL: case ITEM_EXTERNAL_IMAGE:
        return true;
    default:
        return false;
    }
}

namespace {

struct EventCommand {
    UINT id;
    int event;
    const char* undo;   // also the event's name in the dialog's title
};
constexpr EventCommand kEventCommands[] = {
    {ID_ACTION_ONCLICK, EVENT_CLICK, "On Click"},   {ID_ACTION_ON_OVER, EVENT_MOUSE_OVER, "On Over"},
    {ID_ACTION_ON_OUT, EVENT_MOUSE_OUT, "On Out"},  {ID_ACTION_ON_BLUR, EVENT_BLUR, "On Blur"},
    {ID_ACTION_ON_FOCUS, EVENT_FOCUS, "On Focus"}, {ID_ACTION_ON_CHANGE, EVENT_CHANGE, "On Change"},
};

// Embedded players take no mouse events of the page.
bool TakesMouseEvents(int type)
{
    return type != ITEM_YOUTUBE && type != ITEM_GOOGLE_MAP && type != ITEM_VIDEO_STREAM && type != ITEM_FLASH &&
           type != ITEM_AUDIO_STREAM;
}

bool TakesFocus(int type)
{
    return type == ITEM_INPUT_FIELD || type == ITEM_LIST_CONTROL || type == ITEM_TEXT_AREA || type == ITEM_CHECK_BOX ||
           type == ITEM_RADIO_CHOICE;
}

bool ReportsChange(int type)
{
    return type == ITEM_INPUT_FIELD || type == ITEM_LIST_CONTROL || type == ITEM_SUBMIT_BUTTON || type == ITEM_TEXT_AREA;
}

// The items inside the selected groups that carry a link of their own.
std::vector<CItem*> LinksInsideGroups(const std::vector<CItem*>& selected)
{
    std::vector<CItem*> linked;
    for (CItem* item : selected) {
        if (item->m_nType != ITEM_GROUP)
            continue;
        CItemList inside;
        item->CollectItems(inside);
        for (CItem* child : inside)
            if (child->m_link.m_nKind != kLinkNone)
                linked.push_back(child);
    }
    return linked;
}

} // namespace

void RegisterActionCommands(CKJView& view)
{
    CKJView* v = &view;
    for (const EventCommand& c : kEventCommands) {
        const int event = c.event;
        view.OnCommand(c.id, [v, event] { v->OnItemEvent(event); });
    }
    view.OnUpdateCommand(ID_ACTION_ONCLICK, [v](CCmdUI* ui) { v->OnUpdateActionClickOut(ui); });
    view.OnUpdateCommand(ID_ACTION_ON_OUT, [v](CCmdUI* ui) { v->OnUpdateActionClickOut(ui); });
    view.OnUpdateCommand(ID_ACTION_ON_OVER, [v](CCmdUI* ui) { v->OnUpdateActionOnOver(ui); });
    view.OnUpdateCommand(ID_ACTION_ON_FOCUS, [v](CCmdUI* ui) { v->OnUpdateActionFocusBlur(ui); });
    view.OnUpdateCommand(ID_ACTION_ON_BLUR, [v](CCmdUI* ui) { v->OnUpdateActionFocusBlur(ui); });
    view.OnUpdateCommand(ID_ACTION_ON_CHANGE, [v](CCmdUI* ui) { v->OnUpdateActionOnChange(ui); });
    view.OnCommand(ID_ACTION_LINK, [v] { v->OnActionLink(); });
    view.OnUpdateCommand(ID_ACTION_LINK, [v](CCmdUI* ui) { v->OnUpdateActionLink(ui); });
    view.OnCommand(ID_FORM_SEND_TO, [v] { v->OnFormSendFormDataTo(); });
    view.OnUpdateCommand(ID_FORM_SEND_TO, [v](CCmdUI* ui) {
        const CItem* first = v->m_pContainer ? v->GetSelectedItem() : nullptr;
        ui->Enable(GetCommandDialogs().sendForm && first && first->m_nType == ITEM_FORM);
    });
}

// ---------------------------------------------------------------- update handlers

namespace {
// The first selected item when the action dialog is there to edit its events.
const CItem* EventTarget(const CKJView& view)
{
    if (!view.m_pContainer || !GetCommandDialogs().action)
        return nullptr;
    return view.GetSelectedItem();
}
} // namespace

void CKJView::OnUpdateActionClickOut(CCmdUI* ui)
{
    const CItem* first = EventTarget(*this);
    ui->Enable(first && TakesMouseEvents(first->m_nType));
}

void CKJView::OnUpdateActionOnOver(CCmdUI* ui) { OnUpdateActionClickOut(ui); }

void CKJView::OnUpdateActionFocusBlur(CCmdUI* ui)
{
    const CItem* first = EventTarget(*this);
    ui->Enable(first && TakesFocus(first->m_nType));
}

void CKJView::OnUpdateActionOnChange(CCmdUI* ui)
{
    const CItem* first = EventTarget(*this);
    ui->Enable(first && ReportsChange(first->m_nType));
}

void CKJView::OnUpdateActionLink(CCmdUI* ui)
{
    const std::vector<CItem*> selected = m_pContainer ? GetSelectedItems() : std::vector<CItem*>{};
    ui->Enable(!selected.empty() &&
               std::all_of(selected.begin(), selected.end(), [](CItem* i) { return IsLinkableKind(i->m_nType); }));
}

// ---------------------------------------------------------------- commands

void CKJView::OnItemEvent(int event)
{
    CKJDoc* doc = GetProject();
    CItem* first = GetSelectedItem();
    const auto& edit = GetCommandDialogs().action;
    if (!doc || !m_pContainer || !first || !edit || event < 0 || event >= EVENT_COUNT)
        return;
    const EventCommand* command = std::find_if(std::begin(kEventCommands), std::end(kEventCommands),
                                               [event](const EventCommand& c) { return c.event == event; });
    if (command == std::end(kEventCommands))
        return;
    // The dialog names an unnamed item it is told to target, so the change begins before
    // it opens: the container's snapshot holds the selected items and their neighbours,
    // and one Edit/Undo restores them all. Cancel gives the names back, also those of
    // items outside the container.
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, nullptr, command->undo);
    if (m_pCurrentPage) {
        CItemList inside;
        m_pCurrentPage->CollectItems(inside);
        std::vector<CItem*> unnamed;
        for (CItem* item : inside)
            if (item->m_strName.IsEmpty())
                unnamed.push_back(item);
        // run before the snapshot is read back, while these are still the live items
        doc->OnEditCancel([unnamed] {
            for (CItem* item : unnamed)
                item->m_strName.Empty();
        });
    }
    // The dialog edits the record it is given: a copy, so that Cancel leaves the item
    // untouched.
    CItemAction action = first->m_actions[event];
    const CString title = first->Describe() + UiTranslate(CString(" : ") + command->undo);
    if (edit(action, m_pCurrentPage, title, this) != IDOK) {
        scope.Cancel();
        return;
    }
    for (CItem* item : GetSelectedItems()) {
        item->m_actions[event] = action;
        scope.Touch(item);
    }
}

void CKJView::OnActionLink()
{
    CKJDoc* doc = GetProject();
    CItem* first = GetSelectedItem();
    if (!doc || !m_pContainer || !first)
        return;
    CItemLink link = first->m_link;
    DLink dlg(this);
    dlg.m_pDoc = doc;
    dlg.m_pLink = &link;
    if (dlg.DoModal() != IDOK)
        return;
    const std::vector<CItem*> selected = GetSelectedItems();
    // A linked group may hold no link of its own inside: a link in a link is no valid
    // page. The user decides before anything changes; No leaves the project as it was.
    const std::vector<CItem*> inner = link.m_nKind != kLinkNone ? LinksInsideGroups(selected) : std::vector<CItem*>{};
    if (!inner.empty() &&
        AfxMessageBox(UiTranslate("Group contains links inside. They must be removed. Do you want to remove links inside group?"),
                      MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    const bool several = selected.size() > 1 || !inner.empty();
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, several ? nullptr : first, "Link");
    first->m_link = link;
    for (CItem* item : selected) {
        if (item != first)
            item->m_link.CopyFrom(link);
        scope.Touch(item);
    }
    for (CItem* item : inner) {
        item->m_link.m_nKind = kLinkNone;
        scope.Touch(item);
    }
}

void CKJView::OnFormSendFormDataTo()
{
    CKJDoc* doc = GetProject();
    CItem* form = GetSelectedItem();
    const auto& edit = GetCommandDialogs().sendForm;
    if (!doc || !m_pContainer || !form || form->m_nType != ITEM_FORM || !edit)
        return;
    // the dialog edits the link record it is given: a copy, taken over after OK
    CItemLink link = form->m_link;
    if (edit(link, *doc, this) != IDOK)
        return;
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, form, "Send Form Data To");
    form->m_link = link;
    scope.Touch(form);
}
