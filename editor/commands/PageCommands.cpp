// Page and Website menu commands of the page view: pages, folders and masters are made,
// set up, renamed, moved and deleted; the page's source and the stylesheet are shown;
// the site is previewed from the server. Every change runs in one edit scope; a
// cancelled dialog leaves the project as it was.
#include "editor/commands/Commands.h"

#include "dialogs/CodeView.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/HeaderFooterDialogs.h"
#include "dialogs/PageNameDialog.h"
#include "dialogs/PageSetup.h"
#include "dialogs/SizeDialogs.h"
#include "dialogs/SmallItemDialogs.h"
#include "dialogs/SmallPropertyDialogs.h"
#include "dialogs/TitleDialog.h"
#include "dialogs/Upload.h"
#include "document/EditScope.h"
#include "document/Generate.h"
#include "document/KJDoc.h"
#include "document/SiteCss.h"
#include "document/SiteEdits.h"
#include "document/Upload.h"
#include "editor/KJView.h"
#include "editor/SiteTreeNodes.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/CmdTarget.h"
#include "framework/ui/Frames.h"
#include "framework/ui/Shell.h"
#include "framework/ui/Translation.h"
#include "framework/ui/WinApp.h"
#include "model/Clipboard.h"
#include "model/Folder.h"
#include "model/GroupItem.h"
#include "model/HeaderFooterItem.h"
#include "model/ItemTypes.h"
#include "model/MasterItem.h"
#include "model/Page.h"
#include "model/PageOutput.h"
#include "model/PublishContext.h"

#include <QtCore/QTemporaryDir>
#include <QtWidgets/QTreeWidget>
#include <algorithm>

namespace {
CString TitleUtf8(const CPage* page) { return page ? page->m_title.GetUtf8() : CString(); }

// Text of a translated pattern with one "%s" or "%d" filled in; the translation is
// never used as a format of its own.
CString FillPattern(const char* pattern, const CString& value)
{
    CString text = UiTranslate(pattern);
    for (const char* mark : {"%s", "%d"}) {
        const int at = text.Find(mark);
        if (at >= 0)
            return text.Left(at) + value + text.Mid(at + 2);
    }
    return text + " " + value;
}

QWidget* DialogParent(CKJView& view) { return &view; }
} // namespace

void RegisterPageCommands(CKJView& view)
{
    CKJView* v = &view;
    auto cmd = [v](UINT id, void (CKJView::*handler)()) { v->OnCommand(id, [v, handler] { (v->*handler)(); }); };
    auto upd = [v](UINT id, void (CKJView::*handler)(CCmdUI*)) {
        v->OnUpdateCommand(id, [v, handler](CCmdUI* ui) { (v->*handler)(ui); });
    };
    cmd(ID_PAGE_TITLE, &CKJView::OnPageSearchOptimization);
    cmd(ID_PAGE_GO_TO, &CKJView::OnGoToPage);
    cmd(ID_PAGE_INSERT, &CKJView::OnPageInsert);
    cmd(ID_PAGE_SETUP, &CKJView::OnPageSetup);
    cmd(ID_PAGE_BORDERS, &CKJView::OnPageBorders);
    cmd(ID_PAGE_PADDING, &CKJView::OnPagePadding);
    cmd(ID_PAGE_MARGIN, &CKJView::OnPageMargin);
    cmd(ID_PAGE_HEADER_FOOTER, &CKJView::OnPageHeaderFooter);
    cmd(ID_PAGE_HEIGHT, &CKJView::OnPageHeight);
    cmd(ID_PAGE_RENAME_MOVE, &CKJView::OnPageRenameMove);
    cmd(ID_PAGE_DELETE, &CKJView::OnPageDelete);
    cmd(ID_PAGE_INSERT_MASTER, &CKJView::OnPageInsertMaster);
    cmd(ID_FOLDER_INSERT, &CKJView::OnWebsiteNewFolder);
    cmd(ID_WEBSITE_LAYOUT, &CKJView::OnWebsiteLayout);
    cmd(ID_VIEW_SOURCE, &CKJView::OnViewSource);
    cmd(ID_VIEW_STYLES, &CKJView::OnViewStyles);
    cmd(ID_PREVIEW_ONLINE, &CKJView::OnPreviewOnline);

    for (UINT id : {ID_PAGE_HEADER_FOOTER, ID_PAGE_RENAME_MOVE, ID_WEBSITE_LAYOUT})
        upd(id, &CKJView::OnUpdatePageCommand);
    for (UINT id : {ID_PAGE_TITLE, ID_PAGE_HEIGHT, ID_PAGE_INSERT_MASTER, ID_PAGE_BORDERS, ID_PAGE_PADDING})
        upd(id, &CKJView::OnUpdatePageCommand2);
    // The slider and form dialogs are wired when they are built: until then Setup is
    // greyed for those containers rather than doing nothing.
    v->OnUpdateCommand(ID_PAGE_SETUP, [v](CCmdUI* ui) {
        const int type = v->m_pContainer ? v->m_pContainer->m_nType : 0;
        ui->Enable(v->m_pContainer && type != ITEM_SLIDER && type != ITEM_FORM);
    });
    upd(ID_PAGE_DELETE, &CKJView::OnUpdatePageDelete);
    upd(ID_PREVIEW_ONLINE, &CKJView::OnUpdatePageCommand);
    // Always available while a project is open.
    for (UINT id : {ID_PAGE_INSERT, ID_FOLDER_INSERT, ID_PAGE_GO_TO, ID_PAGE_MARGIN, ID_VIEW_SOURCE, ID_VIEW_STYLES})
        v->OnUpdateCommand(id, [v](CCmdUI* ui) { ui->Enable(v->GetProject() != nullptr); });
}

// ---------------------------------------------------------------- update handlers

void CKJView::OnUpdatePageCommand(CCmdUI* ui)
{
    ui->Enable(m_pCurrentPage && m_pContainer == m_pCurrentPage);
}

void CKJView::OnUpdatePageCommand2(CCmdUI* ui) { ui->Enable(m_pContainer != nullptr); }

void CKJView::OnUpdatePageDelete(CCmdUI* ui)
{
    CKJDoc* doc = GetProject();
    if (!m_pContainer || !doc) {
        ui->Enable(FALSE);
        return;
    }
    if (m_pContainer->m_nType == ITEM_MASTER)
        ui->Enable(TRUE);
    else
        ui->Enable(m_pContainer->m_nType == ITEM_PAGE && doc->m_pages.size() > 1);
}

bool CKJView::EnsureCurrentContainer()
{
    CKJDoc* doc = GetProject();
    if (!m_pContainer && doc && !doc->m_pages.empty())
        SetCurrentPage(doc->m_pages.front().get());
    return m_pContainer != nullptr;
}

// ---------------------------------------------------------------- pages

void CKJView::OnPageSearchOptimization()
{
    CKJDoc* doc = GetProject();
    CPage* page = m_pCurrentPage;
    if (!doc || !page)
        return;
    DTitle dlg(DialogParent(*this));
    dlg.m_title = page->m_title;
    dlg.m_description = page->m_description;
    dlg.m_keywords = page->m_keywords;
    if (dlg.DoModal() != IDOK)
        return;
    CEditScope scope(*doc, page, page, nullptr, "Search Optimization");
    page->m_title = dlg.m_title;
    page->m_description = dlg.m_description;
    page->m_keywords = dlg.m_keywords;
    scope.Touch(page);
    if (CViewFrame* frame = GetFrameWnd(); frame && frame->GetSiteTree())
        if (QTreeWidgetItem* node = FindNode(frame->GetSiteTree(), page))
            node->setText(0, GetPageTreeLabel(page).ToQString());
    RedrawNow();
}

void CKJView::OnGoToPage()
{
    CKJDoc* doc = GetProject();
    if (!doc)
        return;
    std::vector<CPage*> pages;
    for (const auto& p : doc->m_pages)
        pages.push_back(p.get());
    DGoToPage dlg(DialogParent(*this));
    dlg.m_pPages = &pages;
    if (dlg.DoModal() == IDOK && dlg.m_pPage) {
        SetCurrentPage(dlg.m_pPage);
        SelectTreeNode(dlg.m_pPage);
    }
}

void CKJView::OnPageInsert()
{
    CKJDoc* doc = GetProject();
    if (!doc)
        return;
    DTitle title(DialogParent(*this));
    title.m_strCaption = UiTranslate("Insert Page");
    title.m_title = CString::Formatted("%s %d", UiTranslate("New Page").GetString(), doc->m_nPageCounter).GetString();
    if (title.DoModal() != IDOK)
        return;
    DPageName name(DialogParent(*this));
    name.m_strCaption = UiTranslate("File Name");
    name.m_pDoc = doc;
    name.m_pFolder = m_pCurrentPage ? m_pCurrentPage->GetFolder() : nullptr;
    name.m_strExtension = ".html";
    name.m_bEnablePhp = 1;
    CString proposed;
    title.m_title.ToAsciiName(proposed);
    proposed.MakeLower();
    proposed.Replace(' ', '_');
    name.m_strName = proposed;
    if (name.DoModal() != IDOK)
        return;

    CPage* page = nullptr;
    {
        CEditScope scope(*doc);
        ++doc->m_nPageCounter;
        page = InsertSitePage(*doc, m_pCurrentPage, title.m_title, name.m_pChosenFolder, name.m_strName);
        page->m_description = title.m_description;
        page->m_keywords = title.m_keywords;
        page->m_strExtension = name.m_bEnablePhp > 0 ? ".php" : ".html";
        scope.Touch(page);
        scope.TouchSite(); // menus and links of other pages list the new page
    }
    FillSiteTree();
    SetCurrentPage(page);
    SelectTreeNode(page);
}

void CKJView::OnWebsiteNewFolder()
{
    CKJDoc* doc = GetProject();
    if (!doc)
        return;
    DPageName name(DialogParent(*this));
    name.m_strCaption = "New Folder";
    name.m_pDoc = doc;
    name.m_nKind = SiteNameKind::Folder;
    name.m_pFolder = m_pCurrentPage ? m_pCurrentPage->GetFolder() : nullptr;
    name.m_strName = CString::Formatted("folder%d", NextFolderNumber(*doc));
    name.m_bEnablePhp = -1;
    if (name.DoModal() != IDOK)
        return;
    CFolder* folder = nullptr;
    {
        CEditScope scope(*doc);
        folder = InsertSiteFolder(*doc, name.m_pChosenFolder, name.m_strName);
        scope.SetHint(HINT_REPAINT);
    }
    FillSiteTree();
    SelectTreeNode(folder);

    DTitle title(DialogParent(*this));
    title.m_strCaption = UiTranslate("Insert Page");
    title.m_title = FillPattern("Home Page for Folder %s", folder->GetFileName()).GetString();
    if (title.DoModal() != IDOK)
        return; // the folder stays, without a page
    CPage* page = nullptr;
    {
        CEditScope scope(*doc);
        page = InsertSitePage(*doc, m_pCurrentPage, title.m_title, folder, "index");
        page->m_description = title.m_description;
        page->m_keywords = title.m_keywords;
        scope.Touch(page);
        scope.TouchSite();
    }
    FillSiteTree();
    SetCurrentPage(page);
    SelectTreeNode(page);
}

void CKJView::OnPageRenameMove()
{
    CKJDoc* doc = GetProject();
    CPage* page = m_pCurrentPage;
    if (!doc || !page)
        return;
    DPageName dlg(DialogParent(*this));
    dlg.m_strCaption = UiTranslate("Rename/Move");
    dlg.m_pDoc = doc;
    dlg.m_pObject = page;
    dlg.m_pFolder = page->GetFolder();
    dlg.m_strName = page->m_strBaseName;
    dlg.m_strExtension = page->m_strExtension.IsEmpty() ? CString(".html") : page->m_strExtension;
    dlg.m_bEnablePhp = page->m_strExtension.CompareNoCase(".php") == 0 ? 1 : 0;
    if (dlg.DoModal() != IDOK)
        return;
    {
        CEditScope scope(*doc, page, page, nullptr, "Rename/Move");
        RenameSitePage(*doc, *page, dlg.m_strName, dlg.m_pChosenFolder, dlg.m_bEnablePhp > 0);
        scope.Touch(page);
        scope.TouchSite(); // every page that links here writes the new address
    }
    FillSiteTree();
    SelectTreeNode(page);
    if (CViewFrame* frame = GetFrameWnd(); frame && frame->GetSiteTree())
        if (QTreeWidgetItem* node = FindNode(frame->GetSiteTree(), page); node && node->parent())
            node->parent()->setExpanded(true);
}

void CKJView::OnPageSetup()
{
    CKJDoc* doc = GetProject();
    if (!doc || !EnsureCurrentContainer())
        return;
    CItem* container = m_pContainer;
    CPage* page = m_pCurrentPage;
    QWidget* parent = DialogParent(*this);

    if (container == page) {
        CEditScope scope(*doc, page, page, nullptr, "Page Setup");
        DPageSetup dlg(parent);
        dlg.m_pPage = page;
        dlg.m_pDoc = doc;
        dlg.m_nWidth = doc->m_nPageWidth;
        dlg.m_nHeight = page->m_nHeight;
        dlg.m_nAlign = page->m_nBlockAlign;
        dlg.m_bCenter = doc->m_bCenterInBrowser;
        dlg.m_bStretch = doc->m_bStretchToBrowser;
        dlg.m_bPhp = page->m_strExtension.CompareNoCase(".php") == 0 ? 1 : 0;
        dlg.m_title = page->m_title;
        dlg.m_nOverlap = page->m_nHeaderZIndex;
        const int result = dlg.DoModal();
        if (result == kPageSetupRenameMove || result == kPageSetupHeaderFooter) {
            // The snapshot stays: the follow-up belongs to the same change.
            scope.Touch(page);
            PostViewCommand(UINT(result));
            return;
        }
        if (result != IDOK) {
            scope.Cancel();
            return;
        }
        const CString extension = dlg.m_bPhp ? ".php" : ".html";
        if (page->m_strExtension != extension) {
            page->m_strExtension = extension;
            scope.TouchSite(); // every page that links here writes the new address
        }
        page->m_nHeight = dlg.m_nHeight;
        page->m_nBlockAlign = dlg.m_nAlign;
        page->m_title = dlg.m_title;
        page->m_nHeaderZIndex = dlg.m_nOverlap;
        if (doc->m_bCenterInBrowser != dlg.m_bCenter || doc->m_bStretchToBrowser != dlg.m_bStretch) {
            doc->m_bCenterInBrowser = dlg.m_bCenter;
            doc->m_bStretchToBrowser = dlg.m_bStretch;
            scope.TouchSite();
        }
        if (dlg.m_nWidth != doc->m_nPageWidth) {
            doc->m_nPageWidth = dlg.m_nWidth;
            doc->ApplyPageWidth();
            scope.TouchSite();
        }
        page->RecalcLayout();
        page->LayoutChildren();
        scope.Touch(page); // the title, height, alignment and overlap are the page's own
        if (CViewFrame* frame = GetFrameWnd(); frame && frame->GetSiteTree())
            if (QTreeWidgetItem* node = FindNode(frame->GetSiteTree(), page)) {
                node->setText(0, GetPageTreeLabel(page).ToQString());
                SetNodeImage(node, GetPageFileKind(page));
            }
        RedrawNow();
        SyncFrameRuler();
        return;
    }

    const int type = container->m_nType;
    const char* undo = type == ITEM_SLIDER ? "Slider Setup" : type == ITEM_FORM ? "Form Setup" : type == ITEM_MASTER ? "Master Setup"
                     : type == ITEM_HEADER_FOOTER ? "Header/Footer Setup" : "Div Setup";
    CEditScope scope(*doc, page, container, nullptr, undo);
    int result = IDCANCEL;
    if (type == ITEM_MASTER) {
        DMaster dlg(parent);
        dlg.m_pMaster = static_cast<CMasterItem*>(container);
        dlg.m_pDoc = doc;
        dlg.m_pFill = &doc->m_allPagesBackground;
        result = dlg.DoModal();
    } else if (type == ITEM_HEADER_FOOTER) {
        DHeaderFooter dlg(parent);
        dlg.m_pBand = static_cast<CHeaderFooterItem*>(container);
        dlg.m_pDoc = doc;
        result = dlg.DoModal();
    } else if (type == ITEM_SLIDER || type == ITEM_FORM) {
        // DSlider and DForm are wired here when they are built (Setup is greyed meanwhile).
        scope.Cancel();
        return;
    } else if (auto* group = dynamic_cast<CGroupItem*>(container)) {
        DDiv dlg(parent);
        dlg.m_pItem = group;
        dlg.m_pDoc = doc;
        result = dlg.DoModal();
    }
    if (result != IDOK) {
        // a cancelled dialog leaves the container as it was, sub-dialogs included
        scope.Cancel();
    } else {
        container->RecalcLayout();
        if (auto* group = dynamic_cast<CGroupItem*>(container))
            group->LayoutChildren();
        scope.Touch(container);
        if (type == ITEM_MASTER)
            if (CViewFrame* frame = GetFrameWnd(); frame && frame->GetSiteTree())
                if (QTreeWidgetItem* node = FindNode(frame->GetSiteTree(), container))
                    node->setText(0, container->m_strName.ToQString());
    }
    RedrawNow();
    SyncFrameRuler();
}

void CKJView::OnPageBorders()
{
    CKJDoc* doc = GetProject();
    CItem* container = m_pContainer;
    if (!doc || !container)
        return;
    CEditScope scope(*doc, m_pCurrentPage, container, nullptr, "Borders");
    if (!::EditItemBorders(container)) {
        scope.Cancel();
        return;
    }
    if (container == m_pCurrentPage
        && AfxMessageBox(UiTranslate("Apply new borders to all pages?"), MB_YESNO | MB_ICONQUESTION) == IDYES) {
        for (auto& p : doc->m_pages) {
            if (p.get() == container)
                continue;
            // each page's own snapshot is not taken: the change is site-wide
            for (int i = 0; i < BORDER_COUNT; ++i)
                p->m_borders[i] = container->m_borders[i];
            p->RecalcLayout();
            p->LayoutChildren();
        }
        scope.TouchSite();
    }
    if (auto* group = dynamic_cast<CGroupItem*>(container))
        group->LayoutChildren();
    scope.Touch(container);
    RedrawNow();
}

void CKJView::OnPagePadding()
{
    CKJDoc* doc = GetProject();
    CItem* container = m_pContainer;
    if (!doc || !container)
        return;
    CEditScope scope(*doc, m_pCurrentPage, container, nullptr, "Page Padding");
    DPadding dlg(DialogParent(*this));
    dlg.m_nPadding = container->m_nPadding;
    if (container->m_pPadding)
        dlg.m_padding = *container->m_pPadding;
    dlg.m_strName = container->m_strName;
    if (dlg.DoModal() != IDOK) {
        scope.Cancel();
        return;
    }
    auto apply = [&](CItem& target) {
        target.m_nPadding = dlg.m_nPadding;
        if (!target.m_pPadding)
            target.m_pPadding = std::make_unique<CBoxSpacing>();
        *target.m_pPadding = dlg.m_padding;
        target.RecalcLayout();
        if (auto* group = dynamic_cast<CGroupItem*>(&target))
            group->LayoutChildren();
    };
    if (container == m_pCurrentPage
        && AfxMessageBox(UiTranslate("Apply new padding to all pages?"), MB_YESNO | MB_ICONQUESTION) == IDYES) {
        for (auto& p : doc->m_pages)
            apply(*p);
        scope.TouchSite();
    }
    apply(*container);
    scope.Touch(container);
    RedrawNow();
}

void CKJView::OnPageMargin()
{
    CKJDoc* doc = GetProject();
    if (!doc)
        return;
    DBodyMargin dlg(DialogParent(*this));
    dlg.m_nMargin = doc->m_nPageMargin;
    if (dlg.DoModal() != IDOK || dlg.m_nMargin == doc->m_nPageMargin)
        return;
    CEditScope scope(*doc);
    doc->m_nPageMargin = dlg.m_nMargin;
    scope.TouchSite();
    RedrawNow();
}

void CKJView::OnPageHeaderFooter()
{
    CKJDoc* doc = GetProject();
    CPage* page = m_pCurrentPage;
    if (!doc || !page)
        return;
    DHeadersFooters dlg(DialogParent(*this));
    dlg.m_pDoc = doc;
    dlg.m_pHeader = page->m_pHeaderBand;
    dlg.m_pFooter = page->m_pFooterBand;
    dlg.m_strCaption = TitleUtf8(page);
    {
        // Bands made or deleted in the dialog reach the document only at its OK.
        CEditScope scope(*doc, page, page, nullptr, "Header/Footer");
        if (dlg.DoModal() != IDOK) {
            scope.Cancel();
            return;
        }
        if (dlg.m_nDeleted) {
            // The snapshot went with the undo list: the band deletion can not be undone.
            scope.TouchSite();
        }
        page->m_pHeaderBand = dlg.m_pHeader;
        page->m_nHeaderBandId = dlg.m_pHeader ? dlg.m_pHeader->m_nSerial : 0;
        page->m_pFooterBand = dlg.m_pFooter;
        page->m_nFooterBandId = dlg.m_pFooter ? dlg.m_pFooter->m_nSerial : 0;
        page->RecalcLayout();
        page->LayoutChildren();
        scope.Touch(page);
    }
    // a deleted band may have been the container or on the way back to the page
    ResetViewPointers();
    if (!m_pContainer)
        SetCurrentPage(page);
    RedrawNow();
}

void CKJView::OnPageHeight()
{
    CKJDoc* doc = GetProject();
    CItem* container = m_pContainer;
    if (!doc || !container)
        return;
    DPageHeight dlg(DialogParent(*this));
    dlg.m_nHeight = container->m_nHeight;
    dlg.m_nHeightMode = container->m_nHeightMode;
    if (dlg.DoModal() != IDOK)
        return;
    CEditScope scope(*doc, m_pCurrentPage, container, nullptr, "Height");
    container->m_nHeight = dlg.m_nHeight;
    container->m_nHeightMode = dlg.m_nHeightMode;
    if (auto* group = dynamic_cast<CGroupItem*>(container))
        group->LayoutChildren();
    scope.Touch(container);
    RedrawNow();
}

void CKJView::OnPageDelete()
{
    CKJDoc* doc = GetProject();
    CItem* container = m_pContainer;
    if (!doc || !container)
        return;
    const bool isMaster = container->m_nType == ITEM_MASTER;
    if (!isMaster && (container->m_nType != ITEM_PAGE || doc->m_pages.size() < 2))
        return;
    const char* question = isMaster ? "Do you want to delete the current master?" : "Do you want to delete the current page?";
    if (AfxMessageBox(UiTranslate(question), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    // The object leaves the document first; the view moves to the first page before the
    // object is destroyed, so that nothing points at it any more.
    std::unique_ptr<CItem> doomed;
    {
        CEditScope scope(*doc);
        doomed = isMaster ? DetachSiteMaster(*doc, static_cast<CMasterItem*>(container))
                          : DetachSitePage(*doc, static_cast<CPage*>(container));
        scope.TouchSite();
        scope.SetHint(HINT_REPAINT);
    }
    m_navigation.clear();
    m_pContainer = nullptr;
    m_pCurrentPage = nullptr;
    SetCurrentPage(doc->m_pages.empty() ? nullptr : doc->m_pages.front().get());
    FillSiteTree();
    SelectTreeNode(m_pCurrentPage);
    doomed.reset();
    ResetViewPointers();
    RedrawNow();
}

void CKJView::OnPageInsertMaster()
{
    CKJDoc* doc = GetProject();
    if (!doc)
        return;
    CMasterItem* master = nullptr;
    {
        CEditScope scope(*doc);
        master = InsertSiteMaster(*doc);
        scope.TouchSite();
    }
    FillSiteTree();
    SelectTreeNode(master);
    EnterContainer(master);
    RedrawNow();
}

void CKJView::OnWebsiteLayout()
{
    CKJDoc* doc = GetProject();
    CPage* page = m_pCurrentPage;
    if (!doc || !page)
        return;
    CEditScope scope(*doc, page, page, nullptr, "Layout");
    DLayout dlg(DialogParent(*this));
    dlg.m_pDoc = doc;
    dlg.m_pBrowserFill = &doc->m_websiteBackground;
    dlg.m_pPageFill = page->m_pFill.get();
    dlg.m_pMasterFill = &doc->m_allPagesBackground;
    dlg.m_nPageHeight = page->m_nHeight;
    if (page->m_pFooterBand) {
        dlg.m_pFooterFill = page->m_pFooterBand->m_pFill.get();
        dlg.m_nFooterHeight = page->m_pFooterBand->m_nHeight;
    }
    if (page->m_pHeaderBand) {
        dlg.m_pHeaderFill = page->m_pHeaderBand->m_pFill.get();
        dlg.m_nHeaderHeight = page->m_pHeaderBand->m_nHeight;
    }
    dlg.m_nWidth = doc->m_nPageWidth;
    dlg.m_bStretch = doc->m_bStretchToBrowser;
    if (dlg.DoModal() != IDOK) {
        scope.Cancel();
        return;
    }
    page->m_nHeight = dlg.m_nPageHeight;
    if (page->m_pFooterBand)
        page->m_pFooterBand->m_nHeight = dlg.m_nFooterHeight;
    if (page->m_pHeaderBand)
        page->m_pHeaderBand->m_nHeight = dlg.m_nHeaderHeight;
    doc->m_bStretchToBrowser = dlg.m_bStretch;
    if (doc->m_nPageWidth != dlg.m_nWidth) {
        doc->m_nPageWidth = dlg.m_nWidth;
        doc->ApplyPageWidth();
    }
    page->RecalcLayout();
    page->LayoutChildren();
    scope.TouchSite(); // bands, width and the stretch setting are the site's
    RedrawNow();
}

// ---------------------------------------------------------------- source and preview

void CKJView::OnViewSource()
{
    CKJDoc* doc = GetProject();
    if (!doc || !EnsureCurrentContainer() || !m_pCurrentPage)
        return;
    DCodeView dlg(DialogParent(*this));
    dlg.m_strText = BuildPageSource(*doc, m_pCurrentPage);
    dlg.m_strCaption = m_pCurrentPage->GetFileName();
    dlg.DoModal();
}

void CKJView::OnViewStyles()
{
    CKJDoc* doc = GetProject();
    if (!doc)
        return;
    DCodeView dlg(DialogParent(*this));
    BuildSiteCss(*doc, dlg.m_strText);
    dlg.m_strCaption = doc->m_strCssFile;
    dlg.DoModal();
}

void CKJView::OnPreviewOnline()
{
    CKJDoc* doc = GetProject();
    CPage* page = m_pCurrentPage;
    if (!doc || !page)
        return;
    CString address;
    if (!MakePreviewOnlineAddress(doc->m_strRootUrl, CString(), address)) {
        AfxMessageBox(UiTranslate("Enter the address of the website (starting with http:// or https://) in Website/Settings."),
                      MB_ICONEXCLAMATION);
        return;
    }
    QTemporaryDir folder;
    CPublishContext context;
    if (!GenerateForUpload(*doc, context, false, folder))
        return;
    if (!UploadFiles(*doc, context, TRUE, DialogParent(*this)))
        return;
    if (!MakePreviewOnlineAddress(doc->m_strRootUrl, page->m_strExtra2, address))
        return;
    ShellOpenOrReport(address);
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd)
        static_cast<QWidget*>(app->m_pMainWnd)->showMinimized();
}
