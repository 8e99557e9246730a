// A toolbar inside a dialog: its buttons send their command ids to the dialog, and their
// enabled and checked states come from the dialog's update handlers.
#pragma once
#include "framework/ui/Dialog.h"

#include <QtWidgets/QToolBar>
#include <span>

class CImageList;

struct DlgToolButton {
    UINT id;             // 0: a separator
    const char* tooltip; // translated when shown
    const char* label;   // shown when the strip has no picture for the button
};

class CDialogToolBar : public QToolBar {
public:
    // Buttons in order; images (optional) holds one picture per button, separators skipped.
    CDialogToolBar(CDialog* dialog, std::span<const DlgToolButton> buttons, const CImageList* images = nullptr);
    QAction* Action(UINT id) const;
    // Asks the dialog's update handlers for every button's state.
    void UpdateStates();
    // Tooltip for a button built at run time (such as "Font Size" and the size).
    void SetToolTip(UINT id, const CString& text);

private:
    CDialog* m_pDialog;
    std::vector<std::pair<UINT, QAction*>> m_actions;
};
