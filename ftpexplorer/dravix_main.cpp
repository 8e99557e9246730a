// dravix: the FTP explorer.
#include "framework/core/Fonts.h"
#include "framework/ui/MessageBoxUi.h"
#include "ftpexplorer/FtpShell.h"

#include <QtWidgets/QApplication>

int main(int argc, char** argv)
{
    QApplication::setOrganizationName(QStringLiteral("Varnelo"));
    QApplication::setApplicationName(QStringLiteral("Varnelo FTP"));
    QApplication qapp(argc, argv);
    tessel::InstallFontSubstitutes();
    InstallGuiMessageBox();
    int result = 1;
    {
        CFtpApp app;
        app.m_arguments = QApplication::arguments().mid(1);
        if (app.InitInstance())
            result = QApplication::exec();
        app.ExitInstance();
    }
    return result;
}
