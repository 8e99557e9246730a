// The site tree of a project window: folders, pages, masters, attached files and
// textures; a context menu by node kind, and pages dragged into folders or beside other
// pages.
#pragma once
#include "framework/ui/Resources.h"

#include <QtWidgets/QTreeWidget>

class QMenu;
class CCmdTarget;

class CKJDoc;
class CKJView;

class CSiteTreeCtrl : public QTreeWidget {
public:
    enum { IDC_SITE_TREE = 3000 };
    explicit CSiteTreeCtrl(QWidget* parent = nullptr);

    // Menu 224: popups 0 site, 1 page, 2 folder, 3 attached file, 4 master, 5 texture.
    const CMenu& ContextMenu() const { return m_contextMenu; }
    // Hit-tests a point of the tree's viewport and selects the node hit; the popup to
    // show, -1 for a node without an object.
    int PrepareContextMenu(QPoint point);
    // Fills menu with popup index of the context menu, each entry enabled by its update
    // handler (greyed when no handler exists yet).
    void FillContextMenu(QMenu& menu, int index);

    // Tree drag of a page: BeginDrag refuses nodes without an object.
    bool BeginDrag(QTreeWidgetItem* node);
    bool IsDragging() const { return m_pDragItem != nullptr; }
    // Makes the node at the viewport point the drop-highlighted one.
    void DragOver(QPoint point);
    QTreeWidgetItem* DropHighlight() const { return m_pDropHighlight; }
    // Ends the drag on the drop-highlighted node.
    void EndDrag();
    // Moves the dragged page into the target folder, or beside the target page (in its
    // folder). The move is one undo step and marks the page changed; a move that would
    // give two pages of one folder the same file name is refused with a message.
    // True when the page moved.
    bool DropOn(QTreeWidgetItem* dragged, QTreeWidgetItem* target);

    // Where the menu's commands go: the main window, else the project window.
    CCmdTarget* CommandTarget() const;
    // The part of a node's row its text takes (a double click elsewhere does nothing).
    QRect LabelRect(QTreeWidgetItem* node) const;

    // The view of the window the tree is in (null outside a project window).
    CKJView* GetView() const;
    void SetView(CKJView* view) { m_pView = view; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void SetDropHighlight(QTreeWidgetItem* node);

    CMenu m_contextMenu;
    QTreeWidgetItem* m_pDragItem = nullptr;
    QTreeWidgetItem* m_pDropHighlight = nullptr;
    QTreeWidgetItem* m_pPressItem = nullptr;
    QPoint m_pressPoint;
    CKJView* m_pView = nullptr;
    bool m_bMoving = false;
};

// The pictures of the tree's image list, by the node image indices.
std::vector<class QIcon> MakeSiteTreeImages();
