// Pieces the property dialogs share: the closing button row, the wait cursor, image lists
// cut from picture strips, and the report list (columns, row data and images).
#pragma once
#include "framework/core/CString.h"
#include "framework/core/Types.h"
#include "framework/ui/Dialog.h"

#include <QtGui/QImage>
#include <QtGui/QPixmap>
#include <QtWidgets/QTreeWidget>
#include <initializer_list>
#include <vector>

class QHBoxLayout;
class QPushButton;

// The buttons of a dialog's last row, right-aligned.
QHBoxLayout* DialogButtonRow(std::initializer_list<QWidget*> buttons);

// The wait cursor while a blocking step runs.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore();
    void Resume();

private:
    bool m_on = false;
};

// Pictures of equal width cut from one strip; pixels of the key colour become transparent.
class CImageList {
public:
    // cellWidth pixels per picture; key as 0xRRGGBB (magenta 0xFF00FF by default).
    bool CreateFromStrip(const QImage& strip, int cellWidth, unsigned key = 0xFF00FF);
    // The strip from a file or a Qt resource path.
    bool CreateFromFile(const QString& path, int cellWidth, unsigned key = 0xFF00FF);
    int GetImageCount() const { return int(m_images.size()); }
    // The picture with the key colour turned transparent; a null image out of range.
    QImage GetImage(int index) const;
    QPixmap GetPixmap(int index) const { return QPixmap::fromImage(GetImage(index)); }

private:
    std::vector<QImage> m_images;
};

// Notifications of the report list, as CDialog::OnNotify codes.
enum : UINT { LVN_ITEMCHANGED = 0x2001, LVN_CLICK = 0x2002, LVN_DBLCLK = 0x2003 };

// A list of rows with columns (headings translated), each row with a 32-bit data value and
// an image of the list's image list. Clicks, double clicks and selection changes reach the
// dialog by the list's id.
class CReportList : public QTreeWidget {
public:
    CReportList(CDialog* dialog, int id);
    void InsertColumn(int index, const char* heading, int width);
    // Appends a row; the text of its first column, its image and its data. The row index.
    int InsertItem(const CString& text, int image = -1, std::intptr_t data = 0);
    void SetItemText(int row, int column, const CString& text);
    CString GetItemText(int row, int column) const;
    void SetItemData(int row, std::intptr_t data);
    std::intptr_t GetItemData(int row) const;
    void SetItemImage(int row, int image);
    int GetItemImage(int row) const;
    int GetItemCount() const { return topLevelItemCount(); }
    void DeleteAllItems() { clear(); }
    void SetImageList(const CImageList* images) { m_pImages = images; }
    void SetMultiSelect(bool on);
    // The selected rows in list order, and their data.
    std::vector<int> GetSelectedRows() const;
    std::vector<std::intptr_t> GetSelectedData() const;
    void SelectRow(int row, bool select = true);

private:
    const CImageList* m_pImages = nullptr;
};

// The View Code button of the item dialogs: pictures "ID_VIEW_CODEU" (up) and
// "ID_VIEW_CODED" (down), tooltip "View Code" (translated), registered under id.
QPushButton* CreateViewCodeButton(CDialog* dialog, int id = 1062);

// Notifications of the tree, as CDialog::OnNotify codes.
enum : UINT { TVN_SELCHANGED = 0x2101, TVN_DBLCLK = 0x2102 };

// A tree whose nodes carry a 32-bit data value and an image of the tree's image list;
// selection changes and double clicks reach the dialog by the tree's id.
class CTreeCtrl : public QTreeWidget {
public:
    CTreeCtrl(CDialog* dialog, int id);
    void SetImageList(const CImageList* images) { m_pImages = images; }
    // A node under parent (null: at the top), with its image and data.
    QTreeWidgetItem* InsertItem(const CString& text, int image, std::intptr_t data, QTreeWidgetItem* parent = nullptr);
    static std::intptr_t GetItemData(const QTreeWidgetItem* node);
    static int GetItemImage(const QTreeWidgetItem* node);
    QTreeWidgetItem* GetSelectedItem() const;
    void SelectItem(QTreeWidgetItem* node);
    // The first node, depth first, whose data is data; null when none.
    QTreeWidgetItem* FindData(std::intptr_t data) const;

private:
    const CImageList* m_pImages = nullptr;
};
