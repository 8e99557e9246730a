#include "editor/SiteTreeNodes.h"

#include "document/KJDoc.h"
#include "model/Folder.h"
#include "model/MasterItem.h"
#include "model/Page.h"
#include "model/Picture.h"

#include <QtGui/QIcon>
#include <QtWidgets/QTreeWidget>
#include <algorithm>

namespace {
constexpr int kObjectRole = Qt::UserRole + 1;
constexpr int kImageRole = Qt::UserRole + 2;
constexpr int kSiteRole = Qt::UserRole + 3;
constexpr const char* kImagesProperty = "tesselSiteTreeImages";

QTreeWidgetItem* FindIn(QTreeWidgetItem* node, const CSiteObject* object)
{
    if (NodeObject(node) == object)
        return node;
    for (int i = 0; i < node->childCount(); ++i)
        if (QTreeWidgetItem* hit = FindIn(node->child(i), object))
            return hit;
    return nullptr;
}

QTreeWidgetItem* AddNode(QTreeWidget& tree, QTreeWidgetItem* parent, const CString& text, int image,
                         CSiteObject* object)
{
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(&tree);
    node->setText(0, text.ToQString());
    SetNodeImage(node, image);
    SetNodeObject(node, object);
    return node;
}

bool TextLess(const QTreeWidgetItem* a, const QTreeWidgetItem* b)
{
    return a->text(0).compare(b->text(0), Qt::CaseInsensitive) < 0;
}
} // namespace

CSiteObject* NodeObject(const QTreeWidgetItem* node)
{
    if (!node)
        return nullptr;
    return reinterpret_cast<CSiteObject*>(node->data(0, kObjectRole).value<quintptr>());
}

void SetNodeObject(QTreeWidgetItem* node, CSiteObject* object)
{
    node->setData(0, kObjectRole, QVariant::fromValue(reinterpret_cast<quintptr>(object)));
}

void SetNodeSiteMarker(QTreeWidgetItem* node)
{
    SetNodeObject(node, nullptr);
    node->setData(0, kSiteRole, true);
}

int NodeImage(const QTreeWidgetItem* node) { return node ? node->data(0, kImageRole).toInt() : -1; }

void SetSiteTreeImages(QTreeWidget* tree, const std::vector<QIcon>& images)
{
    QVariantList list;
    for (const QIcon& icon : images)
        list.push_back(QVariant::fromValue(icon));
    tree->setProperty(kImagesProperty, list);
}

void SetNodeImage(QTreeWidgetItem* node, int image)
{
    node->setData(0, kImageRole, image);
    if (QTreeWidget* tree = node->treeWidget()) {
        const QVariantList list = tree->property(kImagesProperty).toList();
        if (image >= 0 && image < list.size())
            node->setIcon(0, list[image].value<QIcon>());
    }
}

QTreeWidgetItem* FindNode(const QTreeWidget* tree, const CSiteObject* object)
{
    if (!tree || !object)
        return nullptr;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        if (QTreeWidgetItem* hit = FindIn(tree->topLevelItem(i), object))
            return hit;
    return nullptr;
}

CString GetPageTreeLabel(const CPage* page) { return page ? page->GetDisplayName() : CString(); }

int GetPageFileKind(const CPage* page)
{
    if (!page || page->m_strBaseName != "index")
        return IMAGE_PAGE;
    return page->GetFolder() ? IMAGE_FOLDER_HOME : IMAGE_HOME;
}

void SortNodeChildren(QTreeWidget& tree, QTreeWidgetItem* parent)
{
    QList<QTreeWidgetItem*> children = parent ? parent->takeChildren() : QList<QTreeWidgetItem*>();
    if (!parent)
        while (tree.topLevelItemCount() > 0)
            children.push_back(tree.takeTopLevelItem(0));
    std::stable_sort(children.begin(), children.end(), TextLess);
    if (parent)
        parent->addChildren(children);
    else
        tree.addTopLevelItems(children);
    // Icons are per node and survive; expansion state does not matter after a refill.
}

void FillSiteTree(QTreeWidget& tree, CKJDoc& doc)
{
    tree.clear();
    for (const auto& master : doc.m_masters)
        AddNode(tree, nullptr, master->m_strName, IMAGE_MASTER, master.get());
    // A folder goes in once its parent has its node, whatever the list's order (a move
    // can leave a folder before its parent); one that never finds its parent (a broken
    // chain) goes at the root, so that every folder shows.
    std::vector<CFolder*> waiting;
    for (const auto& folder : doc.m_folders)
        waiting.push_back(folder.get());
    while (!waiting.empty()) {
        std::vector<CFolder*> later;
        for (CFolder* folder : waiting) {
            CFolder* parent = folder->GetParentFolder();
            const bool parentWaits = parent && std::find(waiting.begin(), waiting.end(), parent) != waiting.end()
                                     && !FindNode(&tree, parent);
            if (parentWaits && parent != folder)
                later.push_back(folder);
            else
                AddNode(tree, FindNode(&tree, parent), folder->GetFileName(), IMAGE_FOLDER, folder);
        }
        if (later.size() == waiting.size()) { // a cycle: the rest go to the root
            for (CFolder* folder : later)
                AddNode(tree, nullptr, folder->GetFileName(), IMAGE_FOLDER, folder);
            break;
        }
        waiting = std::move(later);
    }
    bool first = true;
    for (const auto& page : doc.m_pages) {
        QTreeWidgetItem* parent = FindNode(&tree, page->GetFolder());
        QTreeWidgetItem* node = AddNode(tree, parent, GetPageTreeLabel(page.get()), GetPageFileKind(page.get()), page.get());
        if (first) { // the first page heads its level
            if (parent)
                parent->insertChild(0, parent->takeChild(parent->indexOfChild(node)));
            else
                tree.insertTopLevelItem(0, tree.takeTopLevelItem(tree.indexOfTopLevelItem(node)));
        }
        first = false;
    }
    for (const auto& file : doc.m_fileRecords) {
        QTreeWidgetItem* parent = FindNode(&tree, file->m_pParent);
        AddNode(tree, parent, file->GetFileName(), IMAGE_FILE, file.get());
        SortNodeChildren(tree, parent);
    }
    for (const auto& folder : doc.m_folders)
        if (QTreeWidgetItem* node = FindNode(&tree, folder.get()))
            SortNodeChildren(tree, node);
    for (const auto& texture : doc.m_textures)
        AddNode(tree, nullptr, texture->GetFileName(), IMAGE_TEXTURE, texture.get());
    SortNodeChildren(tree, nullptr);
}

void AddTextureNodes(QTreeWidget& tree, CKJDoc& doc)
{
    for (const auto& texture : doc.m_textures)
        if (!FindNode(&tree, texture.get()))
            AddNode(tree, nullptr, texture->GetFileName(), IMAGE_TEXTURE, texture.get());
}
