// Dialog templates: each property dialog describes its controls as a constant table, row
// by row (id, kind, text, list entries, flags), and one builder lays them out with the
// dialog's Create* functions. Registration follows the table, so the table's order is the
// tab order and radio groups run as the table has them.
#pragma once
#include "framework/core/CString.h"
#include "framework/ui/Dialog.h"

#include <functional>
#include <span>
#include <vector>

class QGridLayout;

// Controls that carry no id of their own (labels, notes).
inline constexpr int IDC_STATIC = -1;

enum class DlgKind {
    Static,    // a label or note
    Group,     // a heading over the controls that follow
    Edit,      // one-line edit
    MultiEdit, // multi-line edit, both scroll bars
    Button,    // push button
    Check,     // check box
    Radio,     // radio button; a group runs up to the next control that is not a radio
    Combo,     // drop-down list
    EditCombo, // editable list
    List,      // list box
    Color,     // colour button ("schcolor") with its caption beside it
    Custom,    // made by the dialog (see BuildDialog)
};

enum DlgFlags : unsigned {
    kDlgBeside = 1u << 0,   // in the same row as the control before
    kDlgDefault = 1u << 1,  // the default push button
    kDlgNoColor = 1u << 2,  // colour button that offers "no colour"
    kDlgReadOnly = 1u << 3, // edit that shows text only
    kDlgGroup = 1u << 4,    // first radio of a group
    kDlgInGroup = 1u << 5,  // a control between radios that does not end their group
};

struct DlgControl {
    int id;
    DlgKind kind;
    const char* text;    // label, caption or note; may be null
    const char* entries; // list entries separated by '|' (an empty entry is allowed); may be null
    unsigned flags;
};

struct DlgTemplate {
    int resource;
    const char* caption;
    bool translate; // false for the dialogs whose texts stay as built
    std::span<const DlgControl> controls;
};

// Makes the widget of a Custom row; it is registered under the row's id.
using DlgCustomFactory = std::function<QWidget*(CDialog& dialog, const DlgControl& row)>;

// Builds the table into the dialog: caption, controls, translation flag. Lists built from
// a table are not translated, as they come from the dialog's own data. Returns the grid
// that holds the rows, for dialogs that add to it.
QGridLayout* BuildDialog(CDialog& dialog, const DlgTemplate& table, const DlgCustomFactory& custom = {});

// The entries of a row, in order.
std::vector<CString> DlgEntries(const DlgControl& row);
