// "Create new item": where a new item goes in a container that lays its items out in a
// flow. It only reports the choice; the view acts on it.
#pragma once
#include "framework/ui/Dialog.h"

class DCreateItem : public CDialog {
public:
    enum {
        IDD = 137,
        IDC_AT_BEGINNING = 1043,
        IDC_AT_END = 1060,
        IDC_BEFORE_SELECTED = 1069,
        IDC_AFTER_SELECTED = 1077,
        IDC_AT_XY = 1085,
        IDC_FLOW_GROUP = 1086,
    };
    explicit DCreateItem(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // 0 beginning, 1 end, 2 before the selected item, 3 after it, 4 at x,y.
    int m_nChoice = 1;
    int m_nFlowCount = 0;
    int m_bSelected = 0;
};
