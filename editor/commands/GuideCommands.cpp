// Guide commands of the page view: Insert/Rulers, Insert/Margins, and the "Ruler" popup's
// Move, Duplicate and Delete. Guides belong to the project, not to a page: they mark the
// project modified but no page goes back to "not uploaded", and they take no undo step.
#include "editor/commands/Commands.h"

#include "dialogs/RulerDialog.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "model/Page.h"

#include <algorithm>

namespace {
void AddGuide(CKJDoc& doc, int position, int vertical, int horizontal)
{
    auto guide = std::make_unique<CGuide>();
    guide->m_nPosition = position;
    guide->m_bVertical = vertical;
    guide->m_bHorizontal = horizontal;
    doc.m_guides.push_back(std::move(guide));
}

// The container guides are placed in: the current one, else the first page.
CItem* EnsureContainer(CKJView& view)
{
    CKJDoc* doc = view.GetProject();
    if (!view.m_pContainer && doc && !doc->m_pages.empty())
        view.SetCurrentPage(doc->m_pages.front().get());
    return view.m_pContainer;
}

bool HoverGuideAlive(const CKJView& view)
{
    const CKJDoc* doc = view.GetProject();
    return doc && view.m_pHoverGuide &&
           std::any_of(doc->m_guides.begin(), doc->m_guides.end(), [&](const auto& g) { return g.get() == view.m_pHoverGuide; });
}
} // namespace

void RegisterGuideCommands(CKJView& view)
{
    view.OnCommand(ID_INSERT_RULERS, [&view] { view.OnInsertRulers(); });
    view.OnCommand(ID_INSERT_MARGINS, [&view] { view.OnInsertMargins(); });
    view.OnCommand(ID_GUIDE_MOVE, [&view] { view.OnRulerMove(false); });
    view.OnCommand(ID_GUIDE_DUPLICATE, [&view] { view.OnRulerMove(true); });
    view.OnCommand(ID_GUIDE_DELETE, [&view] { view.OnRulerDelete(); });
    auto projectWithPage = [&view](CCmdUI* ui) {
        CKJDoc* doc = view.GetProject();
        ui->Enable(doc && (view.m_pContainer || !doc->m_pages.empty()));
    };
    view.OnUpdateCommand(ID_INSERT_RULERS, projectWithPage);
    view.OnUpdateCommand(ID_INSERT_MARGINS, projectWithPage);
    auto onGuide = [&view](CCmdUI* ui) { ui->Enable(HoverGuideAlive(view)); };
    view.OnUpdateCommand(ID_GUIDE_MOVE, onGuide);
    view.OnUpdateCommand(ID_GUIDE_DUPLICATE, onGuide);
    view.OnUpdateCommand(ID_GUIDE_DELETE, onGuide);
}

void CKJView::OnInsertRulers()
{
    CKJDoc* doc = GetProject();
    CItem* container = EnsureContainer(*this);
    if (!doc || !container)
        return;
    CEditScope scope(*doc);
    AddGuide(*doc, container->m_nHeight / 2, 0, 1);
    AddGuide(*doc, container->m_nWidth / 2, 1, 0);
    doc->m_bShowGuides = 1;
    update();
}

void CKJView::OnInsertMargins()
{
    CKJDoc* doc = GetProject();
    CItem* container = EnsureContainer(*this);
    if (!doc || !container)
        return;
    CEditScope scope(*doc);
    const int pad = container->m_nPadding;
    AddGuide(*doc, pad, 0, 1);
    AddGuide(*doc, pad, 1, 0);
    AddGuide(*doc, container->m_nHeight - pad, 0, 1);
    AddGuide(*doc, container->m_nWidth - pad, 1, 0);
    doc->m_bShowGuides = 1;
    update();
}

void CKJView::OnRulerMove(bool duplicate)
{
    CKJDoc* doc = GetProject();
    if (!doc || !HoverGuideAlive(*this))
        return;
    CGuide* guide = m_pHoverGuide;
    DRuler dlg(this);
    dlg.m_nPosition = guide->m_nPosition + (duplicate ? 10 : 0);
    dlg.m_bDuplicate = duplicate ? 1 : 0;
    if (dlg.DoModal() != IDOK)
        return;
    // the dialog ran its own loop: the guide may have gone meanwhile
    if (!HoverGuideAlive(*this) || m_pHoverGuide != guide)
        return;
    CEditScope scope(*doc);
    if (dlg.m_bDuplicate)
        AddGuide(*doc, dlg.m_nPosition, guide->m_bVertical, guide->m_bHorizontal);
    else
        guide->m_nPosition = dlg.m_nPosition;
    update();
}

void CKJView::OnRulerDelete()
{
    CKJDoc* doc = GetProject();
    if (!doc || !HoverGuideAlive(*this))
        return;
    CGuide* guide = m_pHoverGuide;
    CEditScope scope(*doc);
    // nothing else may point at the guide once it is freed
    m_pHoverGuide = nullptr;
    if (m_drag.guide == guide)
        ClearInteraction();
    std::erase_if(doc->m_guides, [guide](const auto& g) { return g.get() == guide; });
    update();
}
