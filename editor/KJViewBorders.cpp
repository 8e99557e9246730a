// The view's border editing: the Borders sheet on an item, as one edit.
#include "dialogs/EffectDialogs.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "model/Item.h"
#include "model/Page.h"

void CKJView::EditBorders(CItem* item)
{
    CKJDoc* doc = GetProject();
    if (!doc || !item)
        return;
    CEditScope scope(*doc, m_pCurrentPage, m_pContainer, item, "Borders");
    if (!::EditItemBorders(item)) {
        scope.Cancel();
        return;
    }
    scope.Touch(item);
    InvalidateItem(item, 0);
}

void CKJView::EditItemBorders() { EditBorders(GetSelectedItem()); }
