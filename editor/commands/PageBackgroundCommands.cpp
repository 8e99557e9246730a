// Insert/Background (page and all-pages backgrounds) and the page's own code: Page/JavaScript,
// Raw HTML, Raw PHP and Raw HEAD.
#include "editor/commands/Commands.h"

#include "dialogs/Background.h"
#include "dialogs/CodeTextDialogs.h"
#include "dialogs/PhpDialogs.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "model/FillStyle.h"
#include "model/Page.h"
#include "model/Translate.h"

namespace {

CString PageTitle(const CPage& page)
{
    CString title;
    page.m_title.ToUtf8(title);
    return title;
}

// The current page when it is also the container being edited, else none.
CPage* PageBeingEdited(CKJView& view)
{
    return view.m_pCurrentPage && view.m_pContainer == view.m_pCurrentPage ? view.m_pCurrentPage : nullptr;
}

void OnPageBackground(CKJView& view)
{
    CKJDoc* doc = view.GetProject();
    CItem* container = view.m_pContainer;
    if (!doc || !container)
        return;
    if (container->m_pFill) {
        CEditScope scope(*doc, view.m_pCurrentPage, container, nullptr, "Background");
        const bool isPage = container == view.m_pCurrentPage;
        const CString caption = Translate("Background : ") + (isPage ? PageTitle(*view.m_pCurrentPage) : container->GetHtmlId());
        int applyToAll = 0;
        CFillStyle& fill = *container->m_pFill;
        if (EditFill(doc, &fill, caption.GetString(), &view, FillTarget::Item(*container), container->m_nWidth, container->m_nHeight,
                     isPage ? &applyToAll : nullptr) != IDOK) {
            scope.Cancel();
            return;
        }
        if (applyToAll)
            for (const auto& page : doc->m_pages)
                if (page.get() != container && page->m_pFill) {
                    page->m_pFill->CopySettings(fill);
                    page->m_pFill->Render(true);
                    scope.Touch(page.get());
                }
        view.RefreshTextureEntries();
    }
    view.InvalidateSelection();
    view.update();
}

void OnMasterBackground(CKJView& view)
{
    CKJDoc* doc = view.GetProject();
    CPage* page = PageBeingEdited(view);
    if (!doc || !page)
        return;
    CEditScope scope(*doc);
    if (EditFill(doc, &doc->m_allPagesBackground, Translate("All Pages Background").GetString(), &view, FillTarget::Site(),
                 page->m_nWidth, page->m_nHeight) != IDOK) {
        scope.Cancel();
        return;
    }
    // every page's own fill steps aside, so the background shared by all pages shows
    for (const auto& each : doc->m_pages)
        if (each->m_pFill) {
            each->m_pFill->m_nKind = CFillStyle::KindColor; // kind 0 with no colour: nothing drawn
            each->m_pFill->m_crColor = 0xFFFFFFFFu;
            each->m_pFill->Render(true);
        }
    scope.TouchSite();
    view.RefreshTextureEntries();
    view.update();
}

// Runs a code dialog on a copy of one of the page's texts; OK stores it as one change.
template <class Dialog>
void EditPageCode(CKJView& view, CWString CPage::*text, const char* title, const char* undo)
{
    CKJDoc* doc = view.GetProject();
    CPage* page = view.m_pCurrentPage;
    if (!doc || !page)
        return;
    Dialog dlg(&view);
    dlg.m_strCode = page->*text;
    dlg.m_strCaption = Translate(title) + " : " + PageTitle(*page);
    if (dlg.DoModal() != IDOK)
        return;
    CEditScope scope(*doc, page, view.m_pContainer, nullptr, undo);
    page->*text = dlg.m_strCode;
    scope.Touch(page);
    view.update();
}

void OnPageRawPhp(CKJView& view)
{
    CKJDoc* doc = view.GetProject();
    CPage* page = view.m_pCurrentPage;
    if (!doc || !page)
        return;
    DRawPhp dlg(&view);
    dlg.m_strCode = page->m_phpCode;
    dlg.m_strCaption = Translate("Raw PHP") + " : " + PageTitle(*page);
    if (dlg.DoModal() != IDOK)
        return;
    CEditScope scope(*doc);
    page->m_phpCode = dlg.m_strCode;
    scope.Touch(page);
}

} // namespace

void RegisterPageBackgroundCommands(CKJView& view)
{
    CKJView* v = &view;
    view.OnCommand(ID_BACKGROUND_PAGE, [v] { OnPageBackground(*v); });
    view.OnUpdateCommand(ID_BACKGROUND_PAGE, [v](CCmdUI* ui) { ui->Enable(v->GetProject() && v->m_pContainer); });
    view.OnCommand(ID_BACKGROUND_MASTER, [v] { OnMasterBackground(*v); });
    view.OnUpdateCommand(ID_BACKGROUND_MASTER, [v](CCmdUI* ui) { ui->Enable(v->GetProject() && PageBeingEdited(*v)); });

    view.OnCommand(ID_PAGE_JAVASCRIPT, [v] { EditPageCode<DJavaScript>(*v, &CPage::m_script, "JavaScript", "JavaScript"); });
    view.OnCommand(ID_PAGE_RAW_HTML, [v] { EditPageCode<DHtml>(*v, &CPage::m_bodyText, "Raw HTML", "Page HTML"); });
    view.OnCommand(ID_PAGE_RAW_HEAD, [v] { EditPageCode<DHeadCode>(*v, &CPage::m_pageExtra, "Raw HEAD", "HEAD"); });
    view.OnCommand(ID_PAGE_RAW_PHP, [v] { OnPageRawPhp(*v); });
    for (UINT id : {ID_PAGE_JAVASCRIPT, ID_PAGE_RAW_HTML, ID_PAGE_RAW_HEAD, ID_PAGE_RAW_PHP})
        view.OnUpdateCommand(id, [v](CCmdUI* ui) { ui->Enable(v->GetProject() && PageBeingEdited(*v)); });
}
