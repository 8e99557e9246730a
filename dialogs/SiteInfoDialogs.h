// Website settings and word count: plain dialogs whose callers fill the members and copy
// them back after OK.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"
#include "model/WString.h"

extern const DlgTemplate kWebsiteTemplate;
extern const DlgTemplate kWordCountTemplate;

class DWebsite : public CDialog {
public:
    explicit DWebsite(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    CString m_strRootUrl;
    CWString m_strGlobalTitle;
    int m_bFacebook = 0;
    // The Facebook connection, edited only through "Settings".
    CString m_strFacebookChannel;
    int m_nFacebookStream = 1, m_nFacebookFaces = 1, m_nFacebookStyle = 0;

private:
    void OnSettings();
};

// Result codes of the word count's buttons; the caller exports or imports.
inline constexpr int kWordCountExport = 3001;
inline constexpr int kWordCountImport = 3002;

class DWordCount : public CDialog {
public:
    explicit DWordCount(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    CString m_strFirst;
    CString m_strSecond;
};
