// Small property dialogs: box and text alignment, the analytics tracking code, an image's
// angle, an audio item and the site layout.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"

class CAudioStreamItem;
class CFillStyle;
class CKJDoc;

extern const DlgTemplate kBoxAlignTemplate;
extern const DlgTemplate kTextAlignTemplate;
extern const DlgTemplate kAnalyticsTemplate;
extern const DlgTemplate kAngleTemplate;
extern const DlgTemplate kAudioStreamTemplate;
extern const DlgTemplate kLayoutTemplate;

// The analytics service's sign-in page, opened by "Login or Create Account".
inline constexpr const char* kAnalyticsSignIn = "https://analytics.google.com/";

class DBoxAlign : public CDialog {
public:
    explicit DBoxAlign(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    int m_nAlign = -1; // -1 no choice; 0 undefined, 1 left, 2 right, 3 centered
};

class DTextAlign : public CDialog {
public:
    explicit DTextAlign(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    int m_nAlign = -1; // -1 no choice; 0 undefined, 1 left, 2 right, 3 center, 4 justified
};

class DAnalytics : public CDialog {
public:
    explicit DAnalytics(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    CString m_strCode;
};

class DAngle : public CDialog {
public:
    explicit DAngle(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    double m_dAngle = 0;
};

class DAudioStream : public CDialog {
public:
    explicit DAudioStream(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    CAudioStreamItem* m_pItem = nullptr;

    // The item's HTML with the values typed so far; the item itself is left as it was.
    CString PreviewCode();

private:
    void OnViewCode();
};

class DLayout : public CDialog {
public:
    explicit DLayout(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    int m_nHeaderHeight = 0;
    int m_nPageHeight = 0;
    int m_nFooterHeight = 0;
    int m_nWidth = 0;
    int m_bStretch = 0;
    CFillStyle* m_pMasterFill = nullptr;
    CFillStyle* m_pPageFill = nullptr;
    CFillStyle* m_pBrowserFill = nullptr;
    CFillStyle* m_pFooterFill = nullptr;
    CFillStyle* m_pHeaderFill = nullptr;
    CKJDoc* m_pDoc = nullptr;
};
