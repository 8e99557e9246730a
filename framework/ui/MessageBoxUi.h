// Message boxes as real dialogs: installs the handler of AfxMessageBox that shows a
// QMessageBox with the buttons and icon of the type flags.
#pragma once

void InstallGuiMessageBox();
