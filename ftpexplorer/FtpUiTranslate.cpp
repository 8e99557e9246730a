#include "ftpexplorer/FtpUiTranslate.h"
#include "framework/ui/Translation.h"
#include "ftpexplorer/FtpTranslate.h"

namespace {
// The framework's window and menu walkers look texts up through the explorer's map.
void Connect()
{
    if (GetTranslationLookup() != &FtpLookupTranslation)
        SetTranslationLookup(&FtpLookupTranslation);
}
} // namespace

void FtpTranslateWindow(QWidget* window)
{
    Connect();
    TranslateWindow(window);
}

void FtpTranslateMenu(CMenu& menu)
{
    Connect();
    TranslateMenu(menu);
}

void FtpTranslateMenu(QMenuBar* menuBar)
{
    Connect();
    TranslateMenu(menuBar);
}

void FtpTranslateMenu(QMenu* menu)
{
    Connect();
    TranslateMenu(menu);
}
