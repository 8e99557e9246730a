#include "ftpexplorer/FtpIcons.h"
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
