// View menu: centring, page frames, page stepping, grid; the status bar's selection pane.
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "editor/commands/Commands.h"
#include "resources/CommandIds.h"

void RegisterViewCommands(CKJView& view)
{
    view.OnCommand(ID_VIEW_CENTER, [&view] { view.CenterPage(); });
    view.OnCommand(ID_VIEW_BROWSER_FRAME, [&view] { view.OnViewBrowserFrame(); });
    view.OnCommand(ID_VIEW_MOBILE_FRAME, [&view] { view.OnViewMobileDeviceFrame(); });
    view.OnCommand(ID_VIEW_NEXT_PAGE, [&view] { view.OnViewNextPage(); });
    view.OnCommand(ID_VIEW_PREVIOUS_PAGE, [&view] { view.OnViewPreviousPage(); });
    view.OnCommand(ID_VIEW_GRID, [&view] { view.OnViewGrid(); });
    view.OnUpdateCommand(ID_VIEW_BROWSER_FRAME, [&view](CCmdUI* ui) {
        CKJDoc* doc = view.GetProject();
        ui->Enable(TRUE);
        ui->SetCheck(doc && doc->m_nPreviewFrame == 1 ? 1 : 0);
    });
    view.OnUpdateCommand(ID_VIEW_MOBILE_FRAME, [&view](CCmdUI* ui) {
        CKJDoc* doc = view.GetProject();
        ui->Enable(TRUE);
        ui->SetCheck(doc && doc->m_nPreviewFrame == 2 ? 1 : 0);
    });
    view.OnUpdateCommand(ID_INDICATOR_SELECTION_PANE, [&view](CCmdUI* ui) { view.OnUpdateSelectionPane(ui); });
}
