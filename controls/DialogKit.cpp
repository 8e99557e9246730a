#include "controls/DialogKit.h"

#include "framework/ui/Translation.h"

#include <QtGui/QGuiApplication>
#include <QtWidgets/QBoxLayout>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTreeWidgetItemIterator>

QHBoxLayout* DialogButtonRow(std::initializer_list<QWidget*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QWidget* b : buttons)
        row->addWidget(b);
    return row;
}

CWaitCursor::CWaitCursor() { Resume(); }
CWaitCursor::~CWaitCursor() { Restore(); }

void CWaitCursor::Resume()
{
    if (m_on)
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_on = true;
}

void CWaitCursor::Restore()
{
    if (!m_on)
        return;
    QGuiApplication::restoreOverrideCursor();
    m_on = false;
}

// ---- CImageList

bool CImageList::CreateFromStrip(const QImage& strip, int cellWidth, unsigned key)
{
    m_images.clear();
    if (strip.isNull() || cellWidth <= 0)
        return false;
    const QImage argb = strip.convertToFormat(QImage::Format_ARGB32);
    const QRgb keyRgb = qRgb(int((key >> 16) & 0xFF), int((key >> 8) & 0xFF), int(key & 0xFF));
    for (int x = 0; x + cellWidth <= argb.width(); x += cellWidth) {
        QImage cell = argb.copy(x, 0, cellWidth, argb.height());
        for (int y = 0; y < cell.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(cell.scanLine(y));
            for (int i = 0; i < cell.width(); ++i)
                if ((line[i] | 0xFF000000u) == keyRgb)
                    line[i] = 0;
        }
        m_images.push_back(std::move(cell));
    }
    return !m_images.empty();
}

bool CImageList::CreateFromFile(const QString& path, int cellWidth, unsigned key)
{
    return CreateFromStrip(QImage(path), cellWidth, key);
}

QImage CImageList::GetImage(int index) const
{
    if (index < 0 || index >= GetImageCount())
        return QImage();
    return m_images[size_t(index)];
}

// ---- CReportList

namespace {
constexpr int kDataRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;
} // namespace

CReportList::CReportList(CDialog* dialog, int id) : QTreeWidget(dialog)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setColumnCount(0);
    header()->setStretchLastSection(true);
    dialog->AddControl(id, this);
    connect(this, &QTreeWidget::itemSelectionChanged, dialog, [dialog, id] { dialog->SendNotify(id, LVN_ITEMCHANGED); });
    connect(this, &QTreeWidget::itemClicked, dialog, [dialog, id] { dialog->SendNotify(id, LVN_CLICK); });
    connect(this, &QTreeWidget::itemDoubleClicked, dialog, [dialog, id] { dialog->SendNotify(id, LVN_DBLCLK); });
}

void CReportList::InsertColumn(int index, const char* heading, int width)
{
    QTreeWidgetItem* head = headerItem();
    const int count = columnCount();
    setColumnCount(std::max(count, index + 1));
    head->setText(index, UiTranslate(heading).ToQString());
    setColumnWidth(index, width);
}

int CReportList::InsertItem(const CString& text, int image, std::intptr_t data)
{
    auto* item = new QTreeWidgetItem(this);
    item->setText(0, text.ToQString());
    item->setData(0, kDataRole, QVariant::fromValue<qlonglong>(data));
    const int row = indexOfTopLevelItem(item);
    SetItemImage(row, image);
    return row;
}

void CReportList::SetItemText(int row, int column, const CString& text)
{
    if (QTreeWidgetItem* item = topLevelItem(row))
        item->setText(column, text.ToQString());
}

CString CReportList::GetItemText(int row, int column) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? CString::FromQString(item->text(column)) : CString();
}

void CReportList::SetItemData(int row, std::intptr_t data)
{
    if (QTreeWidgetItem* item = topLevelItem(row))
        item->setData(0, kDataRole, QVariant::fromValue<qlonglong>(data));
}

std::intptr_t CReportList::GetItemData(int row) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? std::intptr_t(item->data(0, kDataRole).toLongLong()) : 0;
}

void CReportList::SetItemImage(int row, int image)
{
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item)
        return;
    item->setData(0, kImageRole, image);
    const QImage picture = m_pImages ? m_pImages->GetImage(image) : QImage();
    item->setIcon(0, picture.isNull() ? QIcon() : QIcon(QPixmap::fromImage(picture)));
}

int CReportList::GetItemImage(int row) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(0, kImageRole).toInt() : -1;
}

void CReportList::SetMultiSelect(bool on)
{
    setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

std::vector<int> CReportList::GetSelectedRows() const
{
    std::vector<int> rows;
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (topLevelItem(i)->isSelected())
            rows.push_back(i);
    return rows;
}

std::vector<std::intptr_t> CReportList::GetSelectedData() const
{
    std::vector<std::intptr_t> data;
    for (int row : GetSelectedRows())
        data.push_back(GetItemData(row));
    return data;
}

void CReportList::SelectRow(int row, bool select)
{
    if (QTreeWidgetItem* item = topLevelItem(row))
        item->setSelected(select);
}

// ---- View Code button

namespace {
// The button's two pictures: "</>" drawn raised (up) and sunken (down).
QPixmap CodePicture(bool down)
{
    QPixmap pixmap(24, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    QFont font = QApplication::font();
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(down ? QColor(0, 0, 128) : QColor(0, 0, 0));
    p.drawText(pixmap.rect().translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter, QStringLiteral("</>"));
    return pixmap;
}
} // namespace

QPushButton* CreateViewCodeButton(CDialog* dialog, int id)
{
    auto* button = new QPushButton(dialog);
    button->setObjectName(QStringLiteral("ID_VIEW_CODEU"));
    QIcon icon;
    icon.addPixmap(CodePicture(false), QIcon::Normal, QIcon::Off);
    icon.addPixmap(CodePicture(true), QIcon::Active, QIcon::On); // "ID_VIEW_CODED"
    button->setIcon(icon);
    button->setIconSize(QSize(24, 16));
    button->setAutoDefault(false);
    button->setToolTip(QStringLiteral("View Code")); // translated with the window
    return dialog->AddControl(id, button);
}

// ---- CTreeCtrl

CTreeCtrl::CTreeCtrl(CDialog* dialog, int id) : QTreeWidget(dialog)
{
    setHeaderHidden(true);
    setColumnCount(1);
    dialog->AddControl(id, this);
    connect(this, &QTreeWidget::itemSelectionChanged, dialog, [dialog, id] { dialog->SendNotify(id, TVN_SELCHANGED); });
    connect(this, &QTreeWidget::itemDoubleClicked, dialog, [dialog, id] { dialog->SendNotify(id, TVN_DBLCLK); });
}

QTreeWidgetItem* CTreeCtrl::InsertItem(const CString& text, int image, std::intptr_t data, QTreeWidgetItem* parent)
{
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    node->setText(0, text.ToQString());
    node->setData(0, kDataRole, QVariant::fromValue<qlonglong>(data));
    node->setData(0, kImageRole, image);
    const QImage picture = m_pImages ? m_pImages->GetImage(image) : QImage();
    if (!picture.isNull())
        node->setIcon(0, QIcon(QPixmap::fromImage(picture)));
    return node;
}

std::intptr_t CTreeCtrl::GetItemData(const QTreeWidgetItem* node)
{
    return node ? std::intptr_t(node->data(0, kDataRole).toLongLong()) : 0;
}

int CTreeCtrl::GetItemImage(const QTreeWidgetItem* node) { return node ? node->data(0, kImageRole).toInt() : -1; }

QTreeWidgetItem* CTreeCtrl::GetSelectedItem() const
{
    const auto selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

void CTreeCtrl::SelectItem(QTreeWidgetItem* node)
{
    // One selection change, not a cleared selection first.
    if (node)
        setCurrentItem(node, 0, QItemSelectionModel::ClearAndSelect);
    else
        clearSelection();
}

QTreeWidgetItem* CTreeCtrl::FindData(std::intptr_t data) const
{
    for (QTreeWidgetItemIterator it(const_cast<CTreeCtrl*>(this)); *it; ++it)
        if (GetItemData(*it) == data)
            return *it;
    return nullptr;
}
