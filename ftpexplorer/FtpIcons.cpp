#include "ftpexplorer/FtpIcons.h"
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>

QIcon FileListIcon(int index)
{
    static const QStyle::StandardPixmap kinds[] = {QStyle::SP_DirIcon, QStyle::SP_FileIcon,
                                                   QStyle::SP_FileDialogToParent};
    if (index < 0 || index > 2)
        return QIcon();
    return QApplication::style()->standardIcon(kinds[index]);
}

QIcon HistoryIcon(int index)
{
    static const QStyle::StandardPixmap kinds[] = {
        QStyle::SP_FileDialogNewFolder, QStyle::SP_ArrowUp,      QStyle::SP_ArrowDown,   QStyle::SP_MessageBoxCritical,
        QStyle::SP_DriveNetIcon,        QStyle::SP_BrowserStop, QStyle::SP_TrashIcon};
    if (index < 0 || index > 6)
        return QIcon();
    return QApplication::style()->standardIcon(kinds[index]);
}

QIcon ExplorerIcon()
{
    QIcon icon;
    for (int size : {16, 32, 64}) {
        QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 64.0, size / 64.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2F, 0x6D, 0xB5));
        p.drawRoundedRect(QRectF(2, 6, 60, 52), 8, 8);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(7, 13, 22, 40), 3, 3);  // local pane
        p.drawRoundedRect(QRectF(35, 13, 22, 40), 3, 3); // server pane
        p.setBrush(QColor(0xF2, 0xA5, 0x1A));
        QPainterPath arrow; // from one pane to the other
        arrow.moveTo(14, 27);
        arrow.lineTo(40, 27);
        arrow.lineTo(40, 19);
        arrow.lineTo(54, 33);
        arrow.lineTo(40, 47);
        arrow.lineTo(40, 39);
        arrow.lineTo(14, 39);
        arrow.closeSubpath();
        p.drawPath(arrow);
        p.end();
        icon.addPixmap(QPixmap::fromImage(img));
    }
    return icon;
}
