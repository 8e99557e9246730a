#include "framework/core/MessageBox.h"
#include "framework/ui/MessageBoxUi.h"

#include <gtest/gtest.h>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

namespace {
// Runs fn once the message box is up.
void WhenBoxIsUp(std::function<void(QMessageBox*)> fn)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, fn] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                poll->stop();
                poll->deleteLater();
                fn(box);
                return;
            }
    });
    poll->start(10);
}

struct Case {
    unsigned type;
    QMessageBox::StandardButton press;
    int expected;
};
} // namespace

TEST(GuiMessageBox, ButtonsMapToTheirAnswers)
{
    InstallGuiMessageBox();
    const Case cases[] = {{MB_YESNOCANCEL, QMessageBox::No, IDNO},
                          {MB_YESNOCANCEL | MB_ICONQUESTION, QMessageBox::Yes, IDYES},
                          {MB_OKCANCEL, QMessageBox::Cancel, IDCANCEL},
                          {MB_RETRYCANCEL, QMessageBox::Retry, IDRETRY},
                          {MB_OK | MB_ICONEXCLAMATION, QMessageBox::Ok, IDOK}};
    for (const auto& c : cases) {
        QString seenText;
        WhenBoxIsUp([&](QMessageBox* box) {
            seenText = box->text();
            box->button(c.press)->click();
        });
        EXPECT_EQ(ShowMessageBox("Save changes?", "Tessel", c.type), c.expected) << c.type;
        EXPECT_EQ(seenText, "Save changes?");
    }
    SetMessageBoxHandler(nullptr);
}

TEST(GuiMessageBox, OwnerClosingUnderTheBoxEndsItAsCancel)
{
    InstallGuiMessageBox();
    auto* owner = new QWidget;
    owner->show();
    QApplication::setActiveWindow(owner);
    WhenBoxIsUp([owner](QMessageBox*) { delete owner; });
    EXPECT_EQ(ShowMessageBox("Busy", "Tessel", MB_OKCANCEL), IDCANCEL);
    SetMessageBoxHandler(nullptr);
}
