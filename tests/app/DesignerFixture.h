// The designer running offscreen with a new project window, for tests that reach commands
// as the user does (menus, popups, toolbar); the dialogs the commands open are recorded
// by class and cancelled.
#pragma once
#include "AppTestSupport.h"

#include "app/DesignerApp.h"
#include "app/MainFrame.h"
#include "app/ProjectDocument.h"
#include "editor/KJView.h"
#include "framework/ui/Dialog.h"

#include <gtest/gtest.h>
#include <QtCore/QCoreApplication>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <string>
#include <typeinfo>
#include <vector>

namespace apptest {

// The entry of a command in a menu or its submenus, or null.
inline QAction* FindMenuCommand(QMenu* menu, UINT id)
{
    for (QAction* a : menu->actions()) {
        if (a->menu()) {
            if (QAction* inner = FindMenuCommand(a->menu(), id))
                return inner;
        } else if (!a->isSeparator() && (a->property("tesselCommandId").toUInt() == id || a->data().toUInt() == id)) {
            return a;
        }
    }
    return nullptr;
}

struct RunningDesigner {
    QTemporaryDir programFolder;
    CDesignerApp app;
    CDialog::ModalHook previous;
    CKJView* view = nullptr;
    std::vector<std::string> opened; // the dialogs the commands opened, in order
    RunningDesigner()
    {
        RegisterProjectDocumentType();
        previous = CDialog::SetModalHook([this](CDialog& d) {
            opened.push_back(typeid(d).name());
            return IDCANCEL;
        });
        app.m_strProgramFolder = CString::FromQString(programFolder.path()) + "/";
        app.m_arguments = QStringList{QStringLiteral("new")};
        EXPECT_TRUE(app.InitInstance());
        app.OnFileNew();
        QCoreApplication::processEvents();
        if (CMDIChildWnd* child = app.MainFrame()->MDIGetActive())
            view = dynamic_cast<CKJView*>(child->GetActiveView());
    }
    ~RunningDesigner()
    {
        app.CloseAllDocuments(TRUE);
        app.ExitInstance();
        CDialog::SetModalHook(previous);
        CDesignerApp::SetDocumentType(nullptr, nullptr, nullptr);
        QCoreApplication::processEvents();
    }
    RunningDesigner(const RunningDesigner&) = delete;
    RunningDesigner& operator=(const RunningDesigner&) = delete;
    // The entry of a command in the main menu bar, or null.
    QAction* MainMenuEntry(UINT id)
    {
        for (QAction* top : app.MainFrame()->menuBar()->actions())
            if (top->menu())
                if (QAction* a = FindMenuCommand(top->menu(), id))
                    return a;
        return nullptr;
    }
};

} // namespace apptest
