// Edit menu commands of the page view.
#include "editor/commands/Commands.h"

#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/Translation.h"
#include "model/GroupItem.h"
#include "model/HeaderFooterItem.h"
#include "model/ItemTypes.h"
#include "model/MasterItem.h"
#include "model/Page.h"

#include <QtWidgets/QWidget>
#include <algorithm>

void RegisterEditCommands(CKJView& view)
{
    view.OnCommand(ID_EDIT_UNDO, [&view] { view.OnEditUndo(); });
    view.OnUpdateCommand(ID_EDIT_UNDO, [&view](CCmdUI* ui) { view.OnUpdateEditUndo(ui); });
}

void CKJView::OnUpdateEditUndo(CCmdUI* ui)
{
    CKJDoc* doc = GetProject();
    if (!doc || !m_pContainer) {
        ui->Enable(FALSE);
        return;
    }
    const CUndoRecord* head = doc->m_undo.GetHead();
    if (!head) {
        ui->Enable(FALSE);
        ui->SetText(UiTranslate("Undo\tCtrl+Z"));
        return;
    }
    ui->Enable(TRUE);
    CString text = UiTranslate("Undo");
    text += " ";
    text += head->m_strDescription;
    text += "\tCtrl+Z";
    ui->SetText(text);
}

void CKJView::OnEditUndo()
{
    CKJDoc* doc = GetProject();
    if (!doc || !m_pContainer || doc->m_undo.IsEmpty())
        return;
    // The restore recreates the recorded object and everything inside it, so entered
    // containers from that object down are gone even if a new one reuses the address:
    // the way back is cut where the chain meets the recorded object.
    const CUndoRecord* head = doc->m_undo.GetHead();
    const int recorded = head->m_nItemId ? head->m_nItemId : head->m_nContainerId;
    std::vector<CItem*> chain = m_navigation;
    chain.push_back(m_pContainer);
    auto cut = std::find_if(chain.begin(), chain.end(), [recorded](const CItem* c) { return c && c->m_nSerial == recorded; });
    const bool inChain = cut != chain.end();
    chain.erase(cut, chain.end());

    const CKJDoc::UndoOutcome outcome = doc->Undo();
    if (inChain && !chain.empty()) {
        m_pContainer = chain.back();
        chain.pop_back();
        m_navigation = std::move(chain);
    } else if (inChain) {
        m_navigation.clear();
        m_pContainer = nullptr;
    }
    ResetViewPointers();
    if (!outcome.error.IsEmpty())
        AfxMessageBox(outcome.error, MB_ICONEXCLAMATION);
    if (outcome.container && outcome.container->m_nType == ITEM_PAGE && outcome.container != m_pContainer)
        SetCurrentPage(outcome.container);
    else if (outcome.container && !m_pContainer) {
        m_pContainer = outcome.container; // a band or master shown on its own
        CenterPage();
    } else if (outcome.container)
        EnterContainer(outcome.container);
    else if (!m_pContainer)
        SetCurrentPage(m_pCurrentPage);
    if (outcome.page)
        FillSiteTree(); // the page's label and place in the tree come from its record
    RedrawNow();
}

void CKJView::ResetViewPointers()
{
    ClearInteraction();

    CKJDoc* doc = GetProject();
    if (!doc)
        return;
    auto isTop = [doc](const CItem* object) {
        auto in = [object](const auto& list) {
            return std::any_of(list.begin(), list.end(), [object](const auto& o) { return o.get() == object; });
        };
        return in(doc->m_pages) || in(doc->m_masters) || in(doc->m_headerBands) || in(doc->m_footerBands);
    };
    CItemList items;
    doc->CollectAllItems(items);
    auto alive = [&](const CItem* object) {
        return object && (isTop(object) || std::find(items.begin(), items.end(), object) != items.end());
    };
    if (m_pCurrentPage && !isTop(m_pCurrentPage))
        m_pCurrentPage = doc->m_pages.empty() ? nullptr : doc->m_pages.front().get();
    std::erase_if(m_navigation, [&](CItem* c) { return !alive(c); });
    if (m_pContainer && !alive(m_pContainer)) {
        m_pContainer = m_navigation.empty() ? static_cast<CItem*>(m_pCurrentPage) : m_navigation.back();
        if (!m_navigation.empty())
            m_navigation.pop_back();
    }
}
