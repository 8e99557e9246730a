// Nodes of the site tree: each carries the project object it shows, and the tree is
// filled from the document in one pass.
#pragma once
#include "framework/core/CString.h"
#include <vector>

class CKJDoc;
class CPage;
class CSiteObject;
class QTreeWidget;
class QTreeWidgetItem;

// Node image indices of the tree's image list.
enum SiteTreeImage {
    IMAGE_PAGE = 0, IMAGE_FOLDER = 1, IMAGE_HOME = 2, IMAGE_TEXTURE = 3,
    IMAGE_FOLDER_HOME = 6, IMAGE_FILE = 7, IMAGE_MASTER = 10, IMAGE_COUNT = 11,
};

// The object a node shows; null for a node without one (or the one for the whole site).
CSiteObject* NodeObject(const QTreeWidgetItem* node);
void SetNodeObject(QTreeWidgetItem* node, CSiteObject* object);
// A node that stands for the site as a whole (no object, no menu, no drag).
void SetNodeSiteMarker(QTreeWidgetItem* node);
int NodeImage(const QTreeWidgetItem* node);
// Sets the image index and the icon from the tree's image list (SetSiteTreeImages).
void SetNodeImage(QTreeWidgetItem* node, int image);
void SetSiteTreeImages(QTreeWidget* tree, const std::vector<class QIcon>& images);

// The node showing object, null when it has none.
QTreeWidgetItem* FindNode(const QTreeWidget* tree, const CSiteObject* object);

// Title, " [", file name, "]".
CString GetPageTreeLabel(const CPage* page);
// 2 for "index" at the site root, 6 for "index" in a folder, else 0.
int GetPageFileKind(const CPage* page);

// Empties the tree and fills it from the document: masters, folders, pages, attached
// files, textures, each level in the order of the node texts.
void FillSiteTree(QTreeWidget& tree, CKJDoc& doc);
// A root node for each texture that has none yet; nothing is re-sorted.
void AddTextureNodes(QTreeWidget& tree, CKJDoc& doc);
// Sorts the direct children of a node (or the top level for null) by their texts.
void SortNodeChildren(QTreeWidget& tree, QTreeWidgetItem* parent);
