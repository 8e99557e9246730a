#include "controls/DialogToolBar.h"

#include "controls/DialogKit.h"
#include "framework/ui/CmdTarget.h"
#include "framework/ui/Translation.h"

#include <QtGui/QPainter>
#include <QtWidgets/QApplication>

namespace {
// A button without a picture in the strip shows its label, fitted into the button.
QPixmap LabelPicture(const QString& label)
{
    QPixmap pixmap(18, 15);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    QFont font = QApplication::font();
    int size = 13;
    font.setPixelSize(size);
    while (size > 6 && QFontMetrics(font).horizontalAdvance(label) > 18)
        font.setPixelSize(--size);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(pixmap.rect(), Qt::AlignCenter, label);
    return pixmap;
}
} // namespace

CDialogToolBar::CDialogToolBar(CDialog* dialog, std::span<const DlgToolButton> buttons, const CImageList* images)
    : QToolBar(dialog), m_pDialog(dialog)
{
    setIconSize(QSize(18, 15));
    setStyleSheet(QStringLiteral("QToolButton { padding: 1px; }"));
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
        action->setIcon(QIcon(picture.isNull() ? LabelPicture(QString::fromUtf8(b.label)) : QPixmap::fromImage(picture)));
        action->setToolTip(UiTranslate(b.tooltip).ToQString());
        const UINT id = b.id;
        connect(action, &QAction::triggered, dialog, [dialog, id] { ExecuteCommand(dialog, id); });
        m_actions.emplace_back(id, action);
    }
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
