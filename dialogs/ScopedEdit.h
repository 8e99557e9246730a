// Running an item's dialog inside one edit scope: Cancel (or any result but OK) gives the
// project back as it was, whatever the dialog and its sub-dialogs wrote into the item; OK
// runs the caller's finishing step, renders and lays the item out, and marks it changed.
#pragma once
#include "document/EditScope.h"
#include "framework/ui/Dialog.h"
#include "model/Item.h"

#include <functional>

class CKJDoc;

// The dialog's result.
inline int RunInEditScope(CKJDoc& doc, CItem* page, CItem* container, CItem* item, const char* description,
                          CDialog& dlg, const std::function<void()>& afterOk)
{
    CEditScope scope(doc, page, container, item, description);
    const int result = dlg.DoModal();
    if (result != IDOK) {
        scope.Cancel();
        return result;
    }
    if (afterOk)
        afterOk();
    item->RecalcLayout();
    scope.Touch(item);
    return result;
}
