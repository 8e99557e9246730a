// Acting on combo boxes and buttons of a dialog as the user does, for the item dialog tests.
#pragma once
#include "framework/ui/Dialog.h"

#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QComboBox>

namespace itemdialogtest {

inline void Choose(CDialog& d, int id, int index)
{
    auto* combo = qobject_cast<QComboBox*>(d.GetDlgItem(id));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

inline int Selected(CDialog& d, int id) { return qobject_cast<QComboBox*>(d.GetDlgItem(id))->currentIndex(); }

inline void Click(CDialog& d, int id) { qobject_cast<QAbstractButton*>(d.GetDlgItem(id))->click(); }

} // namespace itemdialogtest
