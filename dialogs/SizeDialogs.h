// Size, position and page value dialogs: sizes with kept proportions, page width and
// height, opacity, z-index, tab index, padding, and an item's position.
#pragma once
#include "framework/ui/Dialog.h"
#include "model/Border.h"

class CDataExchange;
class QLineEdit;

// One side of a spacing record: the edit shows the value only when the side's flag is
// set; saving, an empty edit clears the flag and a number (0 too) sets it.
void DDX_BoxSide(CDataExchange* pDX, int id, std::int32_t& flag, std::int32_t& value);

// Width and height edits that keep a proportion while the user types into one of them;
// what the program writes does not echo back. A side of 0 leaves the other alone.
class CProportionLink {
public:
    // widthOverHeight: the ratio is width / height (Resize) or height / width (Metafile Raster).
    void Attach(CDialog& dlg, int widthId, int heightId, bool widthOverHeight);
    void SetRatio(int width, int height);
    bool m_bActive = true;

private:
    void Follow(CDialog& dlg, int fromId, int toId, bool fromWidth);
    double m_dRatio = 0;
    bool m_bWidthOverHeight = true;
};

class DResize : public CDialog {
public:
    explicit DResize(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_bKeepProportions = 0;
    CString m_strCaption;

protected:
    DResize(QWidget* parent, int); // the table is the subclass's
    void SetUpProportions();
    CProportionLink m_link;
};

class DBoxResize : public DResize {
public:
    explicit DBoxResize(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    int m_nWidthMode = 0;  // fixed, automatic, minimum, maximum
    int m_nHeightMode = 0;
};

class DMetafileRaster : public CDialog {
public:
    explicit DMetafileRaster(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_bAntialiased = 1;

private:
    CProportionLink m_link;
};

class DPageWidth : public CDialog {
public:
    explicit DPageWidth(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    int m_nWidth = 0;
};

class DPageHeight : public CDialog {
public:
    explicit DPageHeight(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    int m_nHeight = 0;
    int m_nHeightMode = 0;
};

class DOpacity : public CDialog {
public:
    explicit DOpacity(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    int m_nOpacity = 0; // percent, 0..100
};

class DOverlapping : public CDialog {
public:
    explicit DOverlapping(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    int m_nZIndex = 0;
};

class DTabIndex : public CDialog {
public:
    explicit DTabIndex(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    int m_nTabIndex = 0;
};

class DPadding : public CDialog {
public:
    explicit DPadding(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    int m_nPadding = 0;      // overall padding
    CBoxSpacing m_padding;   // the four sides; an empty edit leaves its side unset
    CString m_strName;       // shown after "Padding : " when not empty
};

class DPosition : public CDialog {
public:
    explicit DPosition(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void UpdateControls();

    int m_nX = 0;
    int m_nY = 0;
    int m_nPlacement = 0; // 0 in the flow, 1 moveable
};
