// The explorer's small icons, from the desktop style so that they match the system.
#pragma once
#include <QtGui/QIcon>

// List icons: 0 folder, 1 file, 2 parent folder.
QIcon FileListIcon(int index);
// History icons: 0 folder created, 1 uploaded, 2 downloaded, 3 error, 4 connected,
// 5 disconnected, 6 deleted.
QIcon HistoryIcon(int index);
// The explorer's own icon (its windows and dialogs): two panes with a transfer arrow.
QIcon ExplorerIcon();
