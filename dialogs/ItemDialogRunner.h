// Item/Properties for the gallery, table, slider, menu, form, form field and small item
// kinds: the one place that knows which of these dialogs edits a kind and how it is
// driven. The caller holds the edit scope (snapshot before, Cancel puts back) and lays the
// item out after OK.
#pragma once

class CItem;
class CKJDoc;
class CPage;
class QWidget;

// What RunItemPropertiesDialog answers for a kind that has none of these dialogs.
inline constexpr int kNoItemDialog = -1;

// Whether the kind (type code) is edited by one of these dialogs.
bool HasItemPropertiesDialog(int type);

// Runs the kind's dialog on the item: IDOK or IDCANCEL, kNoItemDialog for other kinds.
// page is where field names must be unique (null: the whole project). Dialogs that work
// on plain members have them copied back after OK only.
int RunItemPropertiesDialog(CItem& item, CKJDoc* doc, CPage* page, QWidget* parent);
