// corvane: the designer.
#include "app/DesignerApp.h"
#include "app/ProjectDocument.h"
#include "framework/core/Fonts.h"
#include "framework/ui/MessageBoxUi.h"

#include <QtWidgets/QApplication>

int main(int argc, char** argv)
{
    QApplication::setOrganizationName(QStringLiteral("Varnelo"));
    QApplication::setApplicationName(QStringLiteral("Tessel Web Designer"));
    QApplication qapp(argc, argv);
    tessel::InstallFontSubstitutes();
    InstallGuiMessageBox();
    RegisterProjectDocumentType();
    CDesignerApp app;
    app.m_arguments = QApplication::arguments().mid(1);
    if (!app.InitInstance())
        return 1;
    const int result = QApplication::exec();
    app.ExitInstance();
    return result;
}
