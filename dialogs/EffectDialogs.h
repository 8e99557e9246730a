// Small geometry and effect dialogs: body margin, border side (a property page), border
// radius, box shadow, columns, crop size, drop shadow, duplicate, edge fade-out and the
// site tree's file node. Plain members copied in by the opener and read back after OK.
#pragma once
#include "framework/ui/PropertySheet.h"
#include "model/Border.h"

class CItem;

// Results beyond OK and Cancel.
enum : int { IDR_CROP_SELECT_AREA = 3000, IDR_FILE_DELETE = 3, IDR_FILE_RELOAD = 4 };

class DBodyMargin : public CDialog {
public:
    explicit DBodyMargin(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    int m_nMargin = 0; // 0..1200
};

class DBorder : public CPropertyPage {
public:
    explicit DBorder(const char* caption = "Border");
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void UpdateControls();
    CBorderSide m_side;
};

class DBorderRadius : public CDialog {
public:
    explicit DBorderRadius(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    int m_nRadius = 0;
};

class DBoxShadow : public CDialog {
public:
    explicit DBoxShadow(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    void OnPreset();
    void OnDelete();
    int m_nPreset = -1;
    int m_nDeltaX = 0, m_nDeltaY = 0, m_nBlur = 0, m_nIntensity = 0;
    COLORREF m_crColor = 0;
};

class DColumns : public CDialog {
public:
    explicit DColumns(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    int m_nColumns = -1; // index: n + 1 columns
    int m_nGap = 0;
};

class DCrop : public CDialog {
public:
    explicit DCrop(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    int m_nAnchor = 0;
    int m_nWidth = 0, m_nHeight = 0;
    int m_nMaxWidth = 0, m_nMaxHeight = 0;
};

// The shadow of a picture: the model keeps no record of it, so the dialog edits plain values.
class DDropShadow : public CDialog {
public:
    explicit DDropShadow(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    int m_bEnable = 0;
    int m_nDistance = 0; // 0..20
    int m_nRadius = 0;   // 0..20
    COLORREF m_crColor = 0;
};

class DDuplicate : public CDialog {
public:
    explicit DDuplicate(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    int m_nStepX = 0, m_nStepY = 0; // -5000..5000
    int m_nCount = 0;                // 1..1000
    int m_bCloneImage = 0;
    int m_bCloneAllowed = 0;
};

class DEdgeFadeout : public CDialog {
public:
    explicit DEdgeFadeout(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void UpdateControls();
    int m_bLeft = 0, m_bRight = 0, m_bTop = 0, m_bBottom = 0;
    int m_nDistance = 0; // percent, 1..100 for the kinds that use it
    int m_nKind = -1;    // 0 none, 1 linear, 2 radial
};

class DFileNode : public CDialog {
public:
    explicit DFileNode(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    CString m_strName;
};

// The "Borders" sheet: one page per record (all sides, left, top, right, bottom), edited on
// copies and written back at OK. 1 after OK, else 0 with the records unchanged.
int EditBorders(CBorderSide* sides);
// EditBorders on the item's five records, then its layout again.
int EditItemBorders(CItem* item);
