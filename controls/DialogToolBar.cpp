#include "controls/DialogToolBar.h"

#include "controls/DialogKit.h"
#include "framework/ui/CmdTarget.h"
#include "framework/ui/Translation.h"

CDialogToolBar::CDialogToolBar(CDialog* dialog, std::span<const DlgToolButton> buttons, const CImageList* images)
    : QToolBar(dialog), m_pDialog(dialog)
{
    setIconSize(QSize(18, 15));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    int image = 0;
    for (const DlgToolButton& b : buttons) {
        if (b.id == 0) {
            addSeparator();
            continue;
        }
        QAction* action = addAction(QString::fromUtf8(b.label));
        const QImage picture = images ? images->GetImage(image) : QImage();
        ++image;
        if (!picture.isNull())
            action->setIcon(QIcon(QPixmap::fromImage(picture)));
        else
            action->setIconText(QString::fromUtf8(b.label));
        action->setToolTip(UiTranslate(b.tooltip).ToQString());
        const UINT id = b.id;
        connect(action, &QAction::triggered, dialog, [dialog, id] { ExecuteCommand(dialog, id); });
        m_actions.emplace_back(id, action);
    }
    if (!images)
        setToolButtonStyle(Qt::ToolButtonTextOnly);
}

QAction* CDialogToolBar::Action(UINT id) const
{
    for (const auto& [actionId, action] : m_actions)
        if (actionId == id)
            return action;
    return nullptr;
}

void CDialogToolBar::SetToolTip(UINT id, const CString& text)
{
    if (QAction* a = Action(id))
        a->setToolTip(text.ToQString());
}

void CDialogToolBar::UpdateStates()
{
    for (const auto& [id, action] : m_actions) {
        CCmdUI ui(id);
        UpdateCommand(m_pDialog, ui);
        action->setEnabled(ui.m_bEnabled);
        action->setCheckable(ui.m_nCheck >= 0);
        if (ui.m_nCheck >= 0)
            action->setChecked(ui.m_nCheck != 0);
    }
}
