#include "app/Artwork.h"

#include "app/AppResources.h"

#include <QtGui/QLinearGradient>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QPixmap>

namespace {
const QColor kInk(0x30, 0x3a, 0x4a);
const QColor kBlue(0x2f, 0x6f, 0xc8);
const QColor kTeal(0x1f, 0x9e, 0x9a);
const QColor kRed(0xd2, 0x3c, 0x3c);
const QColor kGreen(0x3c, 0xa0, 0x50);
const QColor kYellow(0xf2, 0xc1, 0x3d);
const QColor kPaper(0xfd, 0xfd, 0xfb);

void Letter(QPainter& p, const QString& text, const QColor& color, bool bold = true, bool italic = false, int size = 12,
            QRectF box = QRectF(0, 0, 16, 16))
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(size);
    f.setBold(bold);
    f.setItalic(italic);
    p.setFont(f);
    p.setPen(color);
    p.drawText(box, Qt::AlignCenter, text);
}

void Page(QPainter& p, QRectF r)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 3, r.top());
    path.lineTo(r.right(), r.top() + 3);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawPath(path);
}

void Lines(QPainter& p, qreal x, qreal y, const std::vector<qreal>& widths, qreal step = 2.5)
{
    p.setPen(QPen(kInk, 1));
    for (size_t i = 0; i < widths.size(); ++i)
        p.drawLine(QPointF(x, y + i * step), QPointF(x + widths[i], y + i * step));
}

void Field(QPainter& p, QRectF r)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& c)
{
    p.setPen(QPen(c, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    QLineF l(to, from);
    QLineF a = l;
    a.setLength(4);
    a.setAngle(l.angle() + 35);
    QLineF b = l;
    b.setLength(4);
    b.setAngle(l.angle() - 35);
    p.drawLine(a);
    p.drawLine(b);
}

void Chain(QPainter& p, const QColor& c)
{
    p.setPen(QPen(c, 1.6));
    p.setBrush(Qt::NoBrush);
    p.save();
    p.translate(8, 8);
    p.rotate(-45);
    p.drawRoundedRect(QRectF(-7, -2.5, 8, 5), 2.5, 2.5);
    p.drawRoundedRect(QRectF(-1, -2.5, 8, 5), 2.5, 2.5);
    p.restore();
}

// Draws the picture of a command into a 16 x 16 coordinate box.
void DrawCommand(QPainter& p, UINT id)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    switch (id) {
    case ID_FILE_NEW:
        Page(p, QRectF(3.5, 1.5, 10, 13));
        p.setPen(Qt::NoPen);
        p.setBrush(kYellow);
        p.drawEllipse(QPointF(12.5, 3.5), 2.5, 2.5);
        break;
    case ID_FILE_OPEN_PROJECT: {
        p.setPen(QPen(QColor(0xa0, 0x78, 0x20), 1));
        p.setBrush(kYellow.darker(110));
        p.drawRect(QRectF(1.5, 4.5, 12, 9));
        p.setBrush(kYellow);
        QPolygonF front{{3.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {1.5, 13.5}};
        p.drawPolygon(front);
        break;
    }
    case ID_FILE_SAVE:
        p.setPen(QPen(kBlue.darker(140), 1));
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 2, 8, 5));
        p.setBrush(QColor(0xcc, 0xd6, 0xe4));
        p.drawRect(QRectF(4.5, 9.5, 7, 5));
        break;
    case ID_EDIT_CUT:
        p.setPen(QPen(kInk, 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(4, 1.5), QPointF(10.5, 11));
        p.drawLine(QPointF(12, 1.5), QPointF(5.5, 11));
        p.setPen(QPen(kRed, 1.5));
        p.drawEllipse(QPointF(4.5, 12.5), 2.2, 2.2);
        p.drawEllipse(QPointF(11.5, 12.5), 2.2, 2.2);
        break;
    case ID_EDIT_COPY:
        Page(p, QRectF(1.5, 1.5, 9, 10));
        Page(p, QRectF(5.5, 4.5, 9, 10));
        Lines(p, 7.5, 8, {5, 5, 3});
        break;
    case ID_EDIT_PASTE:
        p.setPen(QPen(QColor(0x80, 0x5a, 0x30), 1));
        p.setBrush(QColor(0xc8, 0x96, 0x5a));
        p.drawRoundedRect(QRectF(1.5, 2.5, 11, 12.5), 1, 1);
        p.setBrush(QColor(0x90, 0x90, 0x90));
        p.drawRect(QRectF(4.5, 1.5, 5, 2.5));
        Page(p, QRectF(6.5, 6.5, 8, 8.5));
        break;
    case ID_EDIT_UNDO: {
        p.setPen(QPen(kBlue, 2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath path;
        path.moveTo(4, 6);
        path.cubicTo(9, 2, 15, 6, 13, 12);
        p.drawPath(path);
        p.setBrush(kBlue);
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF{{1, 6}, {7, 2}, {7, 10}});
        break;
    }
    case ID_ITEM_FONT: Letter(p, "F", kInk, true, false, 13); break;
    case ID_ITEM_TEXT_COLOR:
        Letter(p, "A", kInk, true, false, 12, QRectF(0, -2, 16, 16));
        p.fillRect(QRectF(2, 12.5, 12, 3), kRed);
        break;
    case ID_LARGER_FONT:
        Letter(p, "A", kInk, true, false, 13, QRectF(-2, 0, 14, 16));
        Letter(p, "+", kGreen, true, false, 10, QRectF(9, -3, 8, 10));
        break;
    case ID_SMALLER_FONT:
        Letter(p, "A", kInk, true, false, 9, QRectF(-1, 3, 12, 13));
        Letter(p, "\u2212", kRed, true, false, 10, QRectF(9, -3, 8, 10));
        break;
    case ID_BOLD: Letter(p, "B", kInk, true); break;
    case ID_ITALIC: Letter(p, "I", kInk, false, true, 13); break;
    case ID_UNDERLINE:
        Letter(p, "U", kInk, false, false, 12, QRectF(0, -2, 16, 16));
        p.fillRect(QRectF(3, 13.5, 10, 1.2), kInk);
        break;
    case ID_ALIGN_LEFT: Lines(p, 2, 3, {12, 8, 12, 6}, 3.2); break;
    case ID_ALIGN_CENTER:
        for (int i = 0; i < 4; ++i) {
            qreal w = (i % 2) ? 8 : 12;
            p.setPen(QPen(kInk, 1));
            p.drawLine(QPointF(8 - w / 2, 3 + i * 3.2), QPointF(8 + w / 2, 3 + i * 3.2));
        }
        break;
    case ID_ALIGN_RIGHT:
        for (int i = 0; i < 4; ++i) {
            qreal w = (i % 2) ? 8 : 12;
            p.setPen(QPen(kInk, 1));
            p.drawLine(QPointF(14 - w, 3 + i * 3.2), QPointF(14, 3 + i * 3.2));
        }
        break;
    case ID_PAGE_PREVIEW:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(1, 4, 14, 8));
        p.setBrush(kBlue);
        p.drawEllipse(QPointF(8, 8), 2.6, 2.6);
        break;
    case ID_PAGE_PREVIEW_BROWSER:
        p.setPen(QPen(kBlue.darker(120), 1));
        p.setBrush(QColor(0xbf, 0xdc, 0xf5));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(5, 1.5, 6, 13));
        p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
        break;
    case ID_WEBSITE_UPLOAD:
    case ID_WEBSITE_UPLOAD_ALL:
        p.fillRect(QRectF(2, 13, 12, 1.5), kInk);
        Arrow(p, QPointF(8, 11.5), QPointF(8, 2), kGreen);
        break;
    case ID_HELP_CONTENTS:
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawEllipse(QRectF(1, 1, 14, 14));
        Letter(p, "?", Qt::white, true, false, 11);
        break;
    case ID_INSERT_PARAGRAPH: Letter(p, "\u00b6", kInk, true, false, 13); break;
    case ID_INSERT_TEXT: Letter(p, "T", kInk, true, false, 13); break;
    case ID_INSERT_HEADING: Letter(p, "H", kBlue, true, false, 13); break;
    case ID_INSERT_LINK: Chain(p, kBlue); break;
    case ID_INSERT_ARTISTIC: {
        QFont f(QStringLiteral("DejaVu Serif"));
        f.setPixelSize(15);
        f.setBold(true);
        f.setItalic(true);
        QPainterPath path;
        path.addText(2, 13.5, f, QStringLiteral("A"));
        QLinearGradient g(0, 0, 16, 16);
        g.setColorAt(0, kRed);
        g.setColorAt(1, kYellow);
        p.setPen(QPen(kInk, 0.6));
        p.setBrush(g);
        p.drawPath(path);
        break;
    }
    case ID_INSERT_IMAGE:
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0xbf, 0xdc, 0xf5));
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawPolygon(QPolygonF{{2, 13}, {6.5, 7}, {10, 11}, {12, 9}, {14, 13}});
        p.setBrush(kYellow);
        p.drawEllipse(QPointF(11, 5.5), 1.6, 1.6);
        break;
    case ID_INSERT_BUTTON: {
        QLinearGradient g(0, 4, 0, 12);
        g.setColorAt(0, kBlue.lighter(150));
        g.setColorAt(1, kBlue);
        p.setPen(QPen(kBlue.darker(150), 1));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(1.5, 4.5, 13, 7), 3, 3);
        break;
    }
    case ID_INSERT_MENU:
        p.setPen(QPen(kInk, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.fillRect(QRectF(3, 4.5, 10, 2), kTeal);
        p.fillRect(QRectF(3, 7.5, 10, 2), kTeal.lighter(130));
        p.fillRect(QRectF(3, 10.5, 10, 2), kTeal.lighter(130));
        break;
    case ID_INSERT_SHAPE:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kYellow);
        p.drawRect(QRectF(1.5, 1.5, 8, 8));
        p.setBrush(kRed);
        p.drawEllipse(QRectF(6.5, 6.5, 8, 8));
        break;
    case ID_INSERT_GROUP:
        p.setPen(QPen(kInk, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.fillRect(QRectF(4, 4, 4, 3), kBlue);
        p.fillRect(QRectF(7, 9, 5, 3), kTeal);
        break;
    case ID_INSERT_SCROLLAREA:
        p.setPen(QPen(kInk, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.fillRect(QRectF(11, 2, 3, 12), QColor(0xd0, 0xd4, 0xdc));
        p.fillRect(QRectF(11, 4, 3, 4), kInk);
        Lines(p, 3, 4.5, {6, 6, 6, 4}, 2.5);
        break;
    case ID_FORM_NEW:
        Page(p, QRectF(1.5, 1.5, 13, 13));
        Field(p, QRectF(3.5, 4.5, 9, 2.5));
        Field(p, QRectF(3.5, 8.5, 9, 2.5));
        p.fillRect(QRectF(8, 12, 5, 1.5), kBlue);
        break;
    case ID_FORM_INPUT:
        Field(p, QRectF(1.5, 4.5, 13, 7));
        p.setPen(QPen(kInk, 1));
        p.drawLine(QPointF(4, 6), QPointF(4, 10));
        break;
    case ID_FORM_LIST:
        Field(p, QRectF(1.5, 1.5, 13, 13));
        p.fillRect(QRectF(3, 5, 8, 2), kBlue);
        Lines(p, 3, 3.5, {8, 0, 8, 8, 8}, 2.5);
        break;
    case ID_FORM_DROPDOWN:
        Field(p, QRectF(1.5, 4.5, 13, 7));
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawPolygon(QPolygonF{{9.5, 7}, {13, 7}, {11.25, 9.5}});
        break;
    case ID_FORM_TEXTAREA:
        Field(p, QRectF(1.5, 1.5, 13, 13));
        Lines(p, 3.5, 4.5, {9, 9, 9, 5}, 2.5);
        break;
    case ID_FORM_CHECKBOX:
        Field(p, QRectF(2.5, 2.5, 11, 11));
        p.setPen(QPen(kGreen, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF{{4.5, 8}, {7, 10.5}, {11.5, 5}});
        break;
    case ID_FORM_RADIO:
        p.setPen(QPen(kInk, 1));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawEllipse(QPointF(8, 8), 2.8, 2.8);
        break;
    case ID_FORM_SUBMIT:
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0xe4, 0xe6, 0xea));
        p.drawRoundedRect(QRectF(0.5, 3.5, 15, 9), 2, 2);
        Letter(p, "OK", kInk, true, false, 7);
        break;
    case ID_ACTION_ONCLICK:
        p.setPen(QPen(kInk, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF{{4, 1.5}, {4, 13}, {6.8, 10.4}, {8.8, 14.5}, {10.6, 13.6}, {8.6, 9.6}, {12.2, 9.4}});
        p.setPen(QPen(kRed, 1));
        p.drawArc(QRectF(0.5, 0.5, 7, 7), 30 * 16, 120 * 16);
        break;
    case ID_ACTION_LINK: Chain(p, kGreen); break;
    case ID_INSERT_FLASH:
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawRoundedRect(QRectF(1, 1, 14, 14), 3, 3);
        Letter(p, "f", Qt::white, true, true, 12);
        break;
    case ID_INSERT_YOUTUBE:
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawRoundedRect(QRectF(0.5, 3, 15, 10), 3, 3);
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF{{6.5, 5.5}, {11, 8}, {6.5, 10.5}});
        break;
    case ID_INSERT_VIDEO:
        p.fillRect(QRectF(1, 2, 14, 12), kInk);
        for (int i = 0; i < 4; ++i) {
            p.fillRect(QRectF(2, 3 + i * 3, 1.5, 1.5), Qt::white);
            p.fillRect(QRectF(12.5, 3 + i * 3, 1.5, 1.5), Qt::white);
        }
        p.fillRect(QRectF(4.5, 4, 7, 8), kTeal);
        break;
    case ID_INSERT_PHP:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x77, 0x7b, 0xb3));
        p.drawEllipse(QRectF(0.5, 3, 15, 10));
        Letter(p, "php", Qt::white, true, false, 6);
        break;
    case ID_INSERT_MARQUEE:
        Letter(p, "abc", kInk, false, false, 7, QRectF(0, 0, 16, 9));
        Arrow(p, QPointF(14, 12), QPointF(2, 12), kBlue);
        break;
    case ID_INSERT_TAB:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kTeal);
        p.drawPolygon(QPolygonF{{1.5, 13.5}, {3.5, 4.5}, {12.5, 4.5}, {14.5, 13.5}});
        break;
    case ID_INSERT_GRADIENT: {
        QLinearGradient g(0, 0, 16, 0);
        g.setColorAt(0, kBlue);
        g.setColorAt(1, kYellow);
        p.setPen(QPen(kInk, 1));
        p.setBrush(g);
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        break;
    }
    default:
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0xe4, 0xe6, 0xea));
        p.drawRect(QRectF(2.5, 2.5, 11, 11));
        break;
    }
}

QPixmap CommandPixmap(UINT id, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.scale(size / 16.0, size / 16.0);
    DrawCommand(p, id);
    return pm;
}

// The program's motif: a mosaic of tiles in the program's colours.
void Mosaic(QPainter& p, QRectF area, qreal tile, unsigned seed)
{
    static const QColor colors[] = {kBlue, kTeal, kYellow, kRed, kGreen, QColor(0x6a, 0x5a, 0xcd)};
    for (qreal y = area.top(); y < area.bottom(); y += tile)
        for (qreal x = area.left(); x < area.right(); x += tile) {
            seed = seed * 1103515245u + 12345u;
            QColor c = colors[(seed >> 16) % 6];
            c.setAlpha(90 + int((seed >> 8) % 120));
            p.fillRect(QRectF(x + 1, y + 1, tile - 2, tile - 2), c);
        }
}

void Backdrop(QPainter& p, QRectF r)
{
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(0x16, 0x2a, 0x4a));
    g.setColorAt(1, QColor(0x12, 0x5e, 0x6e));
    p.fillRect(r, g);
}
} // namespace

QIcon CommandIcon(UINT id)
{
    QIcon icon;
    icon.addPixmap(CommandPixmap(id, 16));
    icon.addPixmap(CommandPixmap(id, 32));
    return icon;
}

QImage SplashPicture()
{
    QImage img(400, 347, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Backdrop(p, img.rect());
    Mosaic(p, QRectF(0, 0, 400, 150), 25, 7);
    QLinearGradient fade(0, 60, 0, 150);
    fade.setColorAt(0, QColor(0x16, 0x2a, 0x4a, 0));
    fade.setColorAt(1, QColor(0x14, 0x40, 0x5a, 255));
    p.fillRect(QRectF(0, 60, 400, 90), fade);
    p.drawImage(QPointF(24, 168), ProgramIcon(72));
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(30);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(110, 168, 280, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tessel"));
    title.setPixelSize(22);
    title.setBold(false);
    p.setFont(title);
    p.drawText(QRectF(110, 206, 280, 32), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Web Designer"));
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(12);
    p.setFont(small);
    p.setPen(QColor(0xc8, 0xdc, 0xe8));
    p.drawText(QRectF(24, 270, 352, 20), Qt::AlignLeft, QStringLiteral("Build websites by placing items on pages."));
    p.drawText(QRectF(24, 316, 352, 20), Qt::AlignLeft, QStringLiteral("Varnelo"));
    return img;
}

QImage WelcomeBanner()
{
    QImage img(693, 114, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Backdrop(p, img.rect());
    Mosaic(p, QRectF(453, 0, 240, 114), 19, 3);
    QLinearGradient fade(380, 0, 560, 0);
    fade.setColorAt(0, QColor(0x16, 0x2e, 0x4e, 255));
    fade.setColorAt(1, QColor(0x16, 0x2e, 0x4e, 0));
    p.fillRect(QRectF(380, 0, 180, 114), fade);
    p.drawImage(QPointF(22, 25), ProgramIcon(64));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(26);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(104, 24, 420, 36), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tessel Web Designer"));
    f.setPixelSize(14);
    f.setBold(false);
    p.setFont(f);
    p.setPen(QColor(0xc8, 0xdc, 0xe8));
    p.drawText(QRectF(104, 62, 420, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("How would you like to begin?"));
    return img;
}

QImage WelcomeStrip()
{
    QImage img(36, 270, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    static const UINT pictures[] = {ID_FILE_NEW,     ID_INSERT_ARTISTIC, ID_INSERT_GROUP,        ID_FILE_OPEN_PROJECT,
                                    ID_EDIT_UNDO,    ID_HELP_CONTENTS,   ID_PAGE_PREVIEW_BROWSER};
    // One picture beside each of the seven choices.
    for (int i = 0; i < 7; ++i)
        p.drawPixmap(QPointF(6, 6 + i * 38.5), CommandPixmap(pictures[i], 24));
    return img;
}

QImage ProgramIcon(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    const QColor tiles[] = {kBlue, kTeal, kYellow, kRed, kGreen, kBlue.lighter(130), kTeal.darker(120), kYellow.darker(110),
                            kRed.lighter(120)};
    for (int i = 0; i < 9; ++i) {
        p.setBrush(tiles[i]);
        p.drawRoundedRect(QRectF(8 + (i % 3) * 16.5, 8 + (i / 3) * 16.5, 14, 14), 3, 3);
    }
    return img;
}
