// The start dialog: seven ways to begin, returned as the index of the chosen button.
#pragma once
#include "framework/ui/Dialog.h"

class DWelcome : public CDialog {
public:
    explicit DWelcome(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // 0 blank website, 1 wizard, 2 templates, 3 open, 4 last project, 5 help, 6 tutorials.
    int choice;

    static constexpr int kFirstChoice = 1184;
};
