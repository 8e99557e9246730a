// The site tree's side of the page view: choosing and double-clicking nodes, and the
// tree's own commands (folder or file Rename, file Delete, texture Delete).
#include "editor/commands/Commands.h"

#include "controls/FileChooser.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/PageNameDialog.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "document/SiteEdits.h"
#include "editor/KJView.h"
#include "editor/SiteTreeNodes.h"
#include "framework/core/MessageBox.h"
#include "framework/core/NumberFormat.h"
#include "framework/ui/CmdTarget.h"
#include "framework/ui/Translation.h"
#include "model/Folder.h"
#include "model/ItemTypes.h"
#include "model/MasterItem.h"
#include "model/Page.h"
#include "model/Picture.h"
#include "model/items/ImageItem.h"

#include <QtWidgets/QTreeWidget>

namespace {
QTreeWidget* TreeOf(const CKJView& view)
{
    CViewFrame* frame = view.GetFrameWnd();
    return frame ? frame->GetSiteTree() : nullptr;
}

// The tree's caret object when it is of the type.
template <typename T> T* SelectedAs(const CKJView& view, int type)
{
    CSiteObject* object = view.SelectedTreeObject();
    return object && object->m_nType == type ? dynamic_cast<T*>(object) : nullptr;
}

CFolder* SelectedFolder(const CKJView& view)
{
    // folders are the objects of type 0 that are folders
    return dynamic_cast<CFolder*>(view.SelectedTreeObject());
}
} // namespace

void RegisterSiteCommands(CKJView& view)
{
    CKJView* v = &view;
    v->OnCommand(ID_FOLDER_RENAME, [v] { v->OnFolderRename(); });
    v->OnCommand(ID_FILE_DELETE_RECORD, [v] { v->OnFileDelete(); });
    v->OnCommand(ID_TEXTURE_DELETE, [v] { v->OnTextureDelete(); });
    // Each acts on the node under the mouse, which the tree's menu makes the caret node.
    v->OnUpdateCommand(ID_FOLDER_RENAME, [v](CCmdUI* ui) {
        ui->Enable(SelectedFolder(*v) || SelectedAs<CFileRecord>(*v, ITEM_FILE_RECORD));
    });
    v->OnUpdateCommand(ID_FILE_DELETE_RECORD,
                       [v](CCmdUI* ui) { ui->Enable(SelectedAs<CFileRecord>(*v, ITEM_FILE_RECORD) != nullptr); });
    v->OnUpdateCommand(ID_TEXTURE_DELETE, [v](CCmdUI* ui) { ui->Enable(SelectedAs<CPicture>(*v, ITEM_PICTURE) != nullptr); });
}

CSiteObject* CKJView::SelectedTreeObject() const
{
    QTreeWidget* tree = TreeOf(*this);
    return tree ? NodeObject(tree->currentItem()) : nullptr;
}

void CKJView::SelectTreeNode(const CSiteObject* object)
{
    QTreeWidget* tree = TreeOf(*this);
    if (!tree || !object)
        return;
    if (QTreeWidgetItem* node = FindNode(tree, object)) {
        for (QTreeWidgetItem* p = node->parent(); p; p = p->parent())
            p->setExpanded(true);
        const QSignalBlocker block(tree); // the view already shows what was chosen
        tree->setCurrentItem(node);
    }
}

void CKJView::OnSiteTreeSelChanged(CSiteObject* object)
{
    if (!object)
        return;
    switch (object->m_nType) {
    case ITEM_PAGE:
        if (object != m_pContainer)
            SetCurrentPage(static_cast<CItem*>(object));
        break;
    case ITEM_MASTER:
        if (object != m_pContainer) {
            // a master is edited on its own, from the first page's place
            CKJDoc* doc = GetProject();
            if (!m_pCurrentPage && doc && !doc->m_pages.empty())
                SetCurrentPage(doc->m_pages.front().get());
            EnterContainer(static_cast<CItem*>(object));
        }
        break;
    case ITEM_PICTURE:
        if (auto* picture = dynamic_cast<CPicture*>(object))
            ShowPicture(picture);
        break;
    default: break;
    }
}

void CKJView::OnSiteTreeDblClk(CSiteObject* object)
{
    CKJDoc* doc = GetProject();
    if (!object || !doc)
        return;
    if (object->m_nType == ITEM_PAGE) {
        OnSiteTreeSelChanged(object);
        OnPageSetup();
        return;
    }
    auto* file = object->m_nType == ITEM_FILE_RECORD ? dynamic_cast<CFileRecord*>(object) : nullptr;
    if (!file)
        return;
    DFileNode dlg(this);
    dlg.m_strName = file->GetFileName() + " [ " + FormatFileSize(double(file->m_blob.Size())) + " ]";
    const int result = dlg.DoModal();
    if (result == IDR_FILE_RELOAD) {
        CFileChooser chooser;
        chooser.SetTitle(UiTranslate("Reload"));
        chooser.SetFilter("Adobe PDF (*.pdf)|*.pdf|Microsoft (*.xls,*.doc)|*.xls;*.doc|Archives (*.zip)|*.zip|"
                          "Executables (*.exe)|*.exe|All files (*.*)|*.*||");
        if (!chooser.DoOpen())
            return;
        const std::vector<CString> paths = chooser.GetPathNames();
        if (paths.empty())
            return;
        CEditScope scope(*doc);
        if (!ReadFileBytes(*file, paths.front().GetString())) {
            scope.Cancel();
            return;
        }
        file->m_nUploadState = 0; // the server's copy is old now
    } else if (result == IDR_FILE_DELETE) {
        if (QTreeWidget* tree = TreeOf(*this)) {
            const QSignalBlocker block(tree);
            tree->setCurrentItem(FindNode(tree, file));
        }
        OnFileDelete();
    }
}

void CKJView::OnFolderRename()
{
    CKJDoc* doc = GetProject();
    if (!doc)
        return;
    CSiteObject* object = SelectedTreeObject();
    CFolder* folder = SelectedFolder(*this);
    auto* file = SelectedAs<CFileRecord>(*this, ITEM_FILE_RECORD);
    if (!object || (!folder && !file))
        return;
    DPageName dlg(this);
    dlg.m_strCaption = UiTranslate("Rename/Move");
    dlg.m_pDoc = doc;
    dlg.m_pObject = object;
    dlg.m_nKind = folder ? SiteNameKind::Folder : SiteNameKind::File;
    dlg.m_pFolder = static_cast<CFolder*>(object->m_pParent);
    dlg.m_strName = object->m_strBaseName;
    dlg.m_strExtension = folder ? CString() : object->m_strExtension;
    dlg.m_bEnablePhp = -1;
    if (dlg.DoModal() != IDOK)
        return;
    CFolder* parent = dlg.m_pChosenFolder;
    const bool moved = parent != object->m_pParent;
    {
        CEditScope scope(*doc);
        if (folder && !RenameSiteFolder(*doc, *folder, dlg.m_strName, parent)) {
            scope.Cancel();
            AfxMessageBox(UiTranslate("A folder can not be moved into itself or into one of its folders."), MB_ICONSTOP);
            return;
        }
        if (file) {
            RenameSiteFile(*doc, *file, dlg.m_strName, parent);
            file->m_nUploadState = 0;
        }
        // every page in or below the folder, and every page linking there, has a new address
        scope.TouchSite();
    }
    QTreeWidget* tree = TreeOf(*this);
    if (!tree)
        return;
    QTreeWidgetItem* node = FindNode(tree, object);
    if (!moved && node && folder) {
        node->setText(0, folder->GetFileName().ToQString());
    } else {
        FillSiteTree();
        SelectTreeNode(object);
    }
}

void CKJView::OnFileDelete()
{
    CKJDoc* doc = GetProject();
    if (!doc)
        return;
    auto* file = SelectedAs<CFileRecord>(*this, ITEM_FILE_RECORD);
    if (!file) {
        MarkPageChanged();
        return;
    }
    {
        CEditScope scope(*doc);
        if (QTreeWidget* tree = TreeOf(*this)) {
            const QSignalBlocker block(tree);
            delete FindNode(tree, file);
        }
        DeleteSiteFile(*doc, file);
        scope.TouchSite(); // links to the file change on the pages that had them
    }
    ResetViewPointers();
    RedrawNow();
}

void CKJView::OnTextureDelete()
{
    CKJDoc* doc = GetProject();
    if (!doc)
        return;
    auto* texture = SelectedAs<CPicture>(*this, ITEM_PICTURE);
    if (!texture)
        return;
    if (QTreeWidget* tree = TreeOf(*this)) {
        const QSignalBlocker block(tree);
        delete FindNode(tree, texture);
    }
    // the view must not go on showing the picture it is about to lose
    if (m_pShownPicture == texture || !m_pContainer)
        SetCurrentPage(doc->m_pages.empty() ? nullptr : doc->m_pages.front().get());
    doc->DeleteTexture(texture);
    ResetViewPointers();
    RedrawNow();
}
