// Item/Properties: the dialog of the selected item's kind, run inside one edit scope.
// The kinds are a table by type code (undo text and what follows OK); the dialogs are
// registered per type by whoever provides them, so a kind whose dialog is not there yet
// leaves the command disabled for it.
#pragma once
#include "framework/core/CString.h"

#include <functional>

class CItem;
class CKJView;

// What follows OK for a kind.
enum PropertySteps : unsigned {
    kStepEmptyDeletes = 1u << 0, // an emptied text deletes the item (Edit/Delete)
    kStepPicture = 1u << 1,      // the rendered picture is drawn again, upload state 0
    kStepFlow = 1u << 2,         // an item in the flow lays its container out again
    kStepNameCleaned = 1u << 3,  // form controls: the HTML name keeps letters, digits, "_"
    kStepLateSnapshot = 1u << 4, // the snapshot is taken by the dialog step after its OK
    kStepCopyLook = 1u << 5,     // the look goes to the other selected items of the kind
};

struct PropertiesRow {
    int type;
    const char* undo; // stored untranslated
    unsigned steps;
};

// The row of a type code, or null (pages, bands, site files, masters, pictures).
const PropertiesRow* FindPropertiesRow(int type);

// One run of a kind's dialog. The step fills the dialog from the item (or lends it the
// item), runs it and, on OK, copies the values back; it returns the dialog's result.
// Kinds with kStepLateSnapshot call BeginEdit after OK and before the first change.
struct PropertiesRun {
    CKJView& view;
    CItem& item;
    std::function<void()> BeginEdit;
    bool severalSelected = false;    // more than one selected item in the container
    bool defaultLinkStyleChanged = false; // the Link dialog changed the site's link style
    bool exportJpeg = false;          // the Image dialog's "Export as JPEG"
};
using PropertiesDialog = std::function<int(PropertiesRun& run)>;

// Registers the dialog step of a type code (an empty function removes it); returns the
// previous one.
PropertiesDialog SetPropertiesDialog(int type, PropertiesDialog dialog);
bool HasPropertiesDialog(int type);

// Results of the Image dialog that hand over to a command once it has closed.
inline constexpr int kImageResultChange = 3001;   // Image/Change Image
inline constexpr int kImageResultPasteInto = 3002; // Edit/Paste Into

// The command itself (also what double-click, Enter and Space post).
void RunItemProperties(CKJView& view);

// The dialog steps of the kinds whose dialogs the designer has (run once).
void RegisterItemPropertiesDialogs();
