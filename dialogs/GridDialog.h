// The Grid dialog: grid on, rulers shown, and the two grid steps (5..100).
#pragma once
#include "framework/ui/Dialog.h"

class DGrid : public CDialog {
public:
    explicit DGrid(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    int m_bGridOn = 0;
    int m_bShowGuides = 0;
    int m_nGridX = 20;
    int m_nGridY = 20;

private:
    void UpdateEnabled();
};
