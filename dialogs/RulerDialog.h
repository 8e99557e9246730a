// "Ruler": a guide's new position, and whether a copy goes there instead.
#pragma once
#include "framework/ui/Dialog.h"

class DRuler : public CDialog {
public:
    enum { IDD = 240, IDC_POSITION = 1001, IDC_DUPLICATE = 1002 };
    explicit DRuler(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    int m_nPosition = 0;
    int m_bDuplicate = 0;
};
