#include "app/Artwork.h"

#include "app/AppResources.h"

#include <QtGui/QLinearGradient>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtSvg/QSvgRenderer>

namespace {
const QColor kBlue(0x2f, 0x6f, 0xc8);
const QColor kTeal(0x1f, 0x9e, 0x9a);
const QColor kRed(0xd2, 0x3c, 0x3c);
const QColor kGreen(0x3c, 0xa0, 0x50);
const QColor kYellow(0xf2, 0xc1, 0x3d);

// The picture file of a command under resources/toolbar; "command" (a plain square) for
// ids without their own picture.
const char* CommandPictureName(UINT id)
{
    static const struct {
        UINT id;
        const char* name;
    } kPictures[] = {
        {ID_FILE_NEW, "file_new"}, {ID_FILE_OPEN_PROJECT, "file_open_project"}, {ID_FILE_SAVE, "file_save"},
        {ID_EDIT_CUT, "edit_cut"}, {ID_EDIT_COPY, "edit_copy"}, {ID_EDIT_PASTE, "edit_paste"}, {ID_EDIT_UNDO, "edit_undo"},
        {ID_ITEM_FONT, "item_font"}, {ID_ITEM_TEXT_COLOR, "item_text_color"}, {ID_LARGER_FONT, "larger_font"},
        {ID_SMALLER_FONT, "smaller_font"}, {ID_BOLD, "bold"}, {ID_ITALIC, "italic"}, {ID_UNDERLINE, "underline"},
        {ID_ALIGN_LEFT, "align_left"}, {ID_ALIGN_CENTER, "align_center"}, {ID_ALIGN_RIGHT, "align_right"},
        {ID_PAGE_PREVIEW, "page_preview"}, {ID_PAGE_PREVIEW_BROWSER, "page_preview_browser"},
        {ID_WEBSITE_UPLOAD, "website_upload"}, {ID_WEBSITE_UPLOAD_ALL, "website_upload"},
        {ID_PREVIEW_ONLINE, "preview_online"},
        {ID_HELP_CONTENTS, "help_contents"}, {ID_INSERT_PARAGRAPH, "insert_paragraph"}, {ID_INSERT_TEXT, "insert_text"},
        {ID_INSERT_HEADING, "insert_heading"}, {ID_INSERT_LINK, "insert_link"}, {ID_INSERT_ARTISTIC, "insert_artistic"},
        {ID_INSERT_IMAGE, "insert_image"}, {ID_INSERT_BUTTON, "insert_button"}, {ID_INSERT_MENU, "insert_menu"},
        {ID_INSERT_SHAPE, "insert_shape"}, {ID_INSERT_GROUP, "insert_group"}, {ID_INSERT_SCROLLAREA, "insert_scrollarea"},
        {ID_FORM_NEW, "form_new"}, {ID_FORM_INPUT, "form_input"}, {ID_FORM_LIST, "form_list"},
        {ID_FORM_DROPDOWN, "form_dropdown"}, {ID_FORM_TEXTAREA, "form_textarea"}, {ID_FORM_CHECKBOX, "form_checkbox"},
        {ID_FORM_RADIO, "form_radio"}, {ID_FORM_SUBMIT, "form_submit"}, {ID_ACTION_ONCLICK, "action_onclick"},
        {ID_ACTION_LINK, "action_link"}, {ID_INSERT_FLASH, "insert_flash"}, {ID_INSERT_YOUTUBE, "insert_youtube"},
        {ID_INSERT_VIDEO, "insert_video"}, {ID_INSERT_PHP, "insert_php"}, {ID_INSERT_MARQUEE, "insert_marquee"},
        {ID_INSERT_TAB, "insert_tab"}, {ID_INSERT_GRADIENT, "insert_gradient"},
    };
    for (const auto& picture : kPictures)
        if (picture.id == id)
            return picture.name;
    return "command";
}

QPixmap CommandPixmap(UINT id, int size)
{
    return ResourcePicture(QStringLiteral(":/toolbar/%1.svg").arg(QLatin1String(CommandPictureName(id))), size);
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

QPixmap ResourcePicture(const QString& path, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QSvgRenderer picture(path);
    QPainter p(&pm);
    picture.render(&p, QRectF(0, 0, size, size));
    return pm;
}

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
