#include "dialogs/SymbolPicker.h"

#include "framework/core/Gdi.h"
#include "model/items/SymbolItem.h"

#include <QtGui/QFontDatabase>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QVBoxLayout>

#include <cmath>

namespace {
constexpr int kLastCode = CSymbolGrid::kFirstCode + CSymbolGrid::kColumns * CSymbolGrid::kRows - 1; // 256, empty
}

CSymbolGrid::CSymbolGrid(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize CSymbolGrid::sizeHint() const { return {kColumns * 28, kRows * 28}; }

int CSymbolGrid::CodeAt(QPoint point) const
{
    if (width() <= 0 || height() <= 0 || point.x() < 0 || point.y() < 0 || point.x() >= width() || point.y() >= height())
        return -1;
    const double cw = double(width()) / kColumns, ch = double(height()) / kRows;
    const int column = std::min(kColumns - 1, int(point.x() / cw)), row = std::min(kRows - 1, int(point.y() / ch));
    return kFirstCode + column + row * kColumns;
}

void CSymbolGrid::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const double cw = double(width()) / kColumns, ch = double(height()) / kRows;
    LOGFONT lf;
    SetLogFontFace(lf, m_strFace.GetString());
    lf.lfCharSet = SYMBOL_CHARSET;
    QFont font = QFontFromLogFont(lf);
    // A point font of cell height x 6 tenths of a point, as the glyphs were always sized.
    font.setPointSizeF(std::max(1.0, std::floor(ch * 6.0) / 10.0));
    p.setFont(font);
    p.setPen(Qt::black);
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column) {
            const int code = kFirstCode + column + row * kColumns;
            if (code > 255)
                continue; // the last cell stays empty
            const QRectF cell(column * cw, row * ch, cw, ch);
            p.drawText(cell, Qt::AlignHCenter | Qt::AlignTop, SymbolGlyphText(lf, BYTE(code)));
        }
}

void CSymbolGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int code = CodeAt(event->position().toPoint());
    // The empty last cell chooses nothing.
    if (code < 0 || code >= kLastCode)
        return;
    m_nChar = code;
    if (auto* dlg = dynamic_cast<CDialog*>(window()))
        dlg->OnOK();
}

QStringList SymbolFontFaces()
{
    QStringList faces = QFontDatabase::families(QFontDatabase::Symbol);
    for (const char* mapped : {"Symbol", "Webdings", "Wingdings"})
        if (!faces.contains(QString::fromLatin1(mapped), Qt::CaseInsensitive))
            faces.append(QString::fromLatin1(mapped));
    return faces;
}

DSymbolPicker::DSymbolPicker(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(QStringLiteral("Symbol"));
    m_bTranslateOnInit = false; // the window stays as built
    auto* layout = new QVBoxLayout(this);
    m_pGrid = AddControl(1000, new CSymbolGrid(this));
    QComboBox* fonts = CreateCombo(1011);
    layout->addWidget(m_pGrid, 1);
    layout->addWidget(fonts);
    OnNotify(1011, CBN_SELCHANGE, [this] { OnFontChange(); });
}

BOOL DSymbolPicker::OnInitDialog()
{
    CDialog::OnInitDialog();
    auto* fonts = qobject_cast<QComboBox*>(GetDlgItem(1011));
    {
        const QSignalBlocker quiet(fonts);
        fonts->clear();
        fonts->addItems(m_faces);
        fonts->setCurrentIndex(-1);
    }
    for (int i = 0; i < m_faces.size(); ++i)
        if (m_faces[i].startsWith(QStringLiteral("Wingdings"), Qt::CaseInsensitive)) {
            fonts->setCurrentIndex(i);
            OnFontChange();
            break;
        }
    return TRUE;
}

void DSymbolPicker::OnFontChange()
{
    auto* fonts = qobject_cast<QComboBox*>(GetDlgItem(1011));
    if (fonts->currentIndex() < 0)
        return;
    m_pGrid->m_strFace = CString::FromQString(fonts->currentText());
    m_pGrid->repaint();
}
