// Translation of the explorer's windows and menus through its own map. Edit fields keep
// what the user typed; captions, labels, buttons and combo entries are translated.
#pragma once
#include "framework/ui/Resources.h"

class QWidget;
class QMenu;
class QMenuBar;

void FtpTranslateWindow(QWidget* window);
void FtpTranslateMenu(CMenu& menu);
void FtpTranslateMenu(QMenuBar* menuBar);
void FtpTranslateMenu(QMenu* menu);
