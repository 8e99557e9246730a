#include "dialogs/InsertCharacter.h"

#include "dialogs/DialogTables.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QLayout>

namespace {
const DlgControl kInsertCharacterControls[] = {
    {3000, DlgKind::Custom, nullptr, nullptr, 0},
};

// The grid's characters in cell order.
std::array<char16_t, 640> GridCharacters()
{
    std::array<char16_t, 640> chars{};
    chars.fill(u' ');
    size_t n = 0;
    auto add = [&](char16_t c) { chars[n++] = c; };
    auto range = [&](char16_t from, char16_t to, std::initializer_list<char16_t> skip = {}) {
        for (char16_t c = from; c <= to; ++c)
            if (std::find(skip.begin(), skip.end(), c) == skip.end())
                add(c);
    };
    for (char16_t c : {0x25CF, 0x25CB, 0x25A0, 0x25A1, 0x25AA, 0x25AB, 0x25B2, 0x25BA, 0x25BC, 0x25C4, 0x25E6, 0x263A,
                       0x263B, 0x007E})
        add(c);
    range(0x00A1, 0x00BF);
    for (char16_t c : {0x00D7, 0x00F7, 0x20AC, 0x2122, 0x2202, 0x220F, 0x2211, 0x2212, 0x221A, 0x221E, 0x222B, 0x2248,
                       0x2260, 0x2264, 0x2265, 0x2030})
        add(c);
    for (char16_t c : {0x2153, 0x2154, 0x215B, 0x215C, 0x215D, 0x215E})
        add(c);
    range(0x2190, 0x2194);
    range(0x0391, 0x03A9, {0x03A2});
    range(0x03B1, 0x03C9);
    for (char16_t c : {0x2660, 0x2663, 0x2665, 0x2666, 0x25CA})
        add(c);
    range(0x00C0, 0x017F, {0x00D7, 0x00F7});
    for (char16_t c : {0x263C, 0x2640, 0x2642, 0x266A, 0x266B})
        add(c);
    range(0x0410, 0x044E);
    return chars;
}
} // namespace

const DlgTemplate kInsertCharacterTemplate{194, "Insert Character", true, kInsertCharacterControls};

CCharGrid::CCharGrid(QWidget* parent) : QWidget(parent), m_chars(GridCharacters())
{
    constexpr int kCell = 24;
    setFixedSize(kColumns * kCell, kRows * kCell);
    setCursor(Qt::PointingHandCursor);
}

int CCharGrid::CellAt(const QPoint& p) const
{
    const int size = CellSize();
    if (size <= 0 || p.x() < 0 || p.y() < 0)
        return -1;
    const int column = p.x() / size, row = p.y() / size;
    if (column >= kColumns || row >= kRows)
        return -1;
    return row * kColumns + column;
}

void CCharGrid::Pick(const QPoint& point)
{
    const int cell = CellAt(point);
    if (cell < 0)
        return;
    m_nChar = m_chars[size_t(cell)];
    if (auto* dlg = dynamic_cast<CDialog*>(window()))
        dlg->EndDialog(IDOK);
}

void CCharGrid::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(16);
    p.setFont(font);
    p.setPen(Qt::black);
    const int size = CellSize();
    for (int i = 0; i < kColumns * kRows; ++i) {
        const int column = i % kColumns, row = i / kColumns;
        const QRect cell(column * size, row * size, size, size);
        p.drawText(cell, Qt::AlignHCenter | Qt::AlignTop, QString(QChar(m_chars[size_t(i)])));
    }
}

void CCharGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Pick(event->position().toPoint());
}

DInsertCharacter::DInsertCharacter(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kInsertCharacterTemplate, [this](CDialog&, const DlgControl&) {
        m_pGrid = new CCharGrid(this);
        return m_pGrid;
    });
    layout()->setContentsMargins(10, 10, 10, 10);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}
