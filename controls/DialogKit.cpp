#include "controls/DialogKit.h"

#include "framework/ui/Translation.h"

#include <QtGui/QGuiApplication>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QHeaderView>

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
