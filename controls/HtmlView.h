// The preview: a generated page (or any local file or address) in a modal browser
// window, or in the user's default browser.
#pragma once
#include "framework/ui/Dialog.h"

#ifdef TESSEL_HAS_WEB
#include "framework/web/HtmlView.h"
#endif

class CKJDoc;
class CPage;

#ifdef TESSEL_HAS_WEB
class CFHTMLView : public CHtmlView {
public:
    explicit CFHTMLView(QWidget* parent = nullptr) : CHtmlView(parent) {}
};
#else
class CFHTMLView;
#endif

class DPreview : public CDialog {
public:
    enum { IDC_BROWSER = 3000 };
    explicit DPreview(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;

    CFHTMLView* m_pBrowser = nullptr;
    int m_nContentWidth = 0;
    int m_nContentHeight = 0;
    CString m_strAddress;
    CString m_strCaption;
    // Tests make the browser creation fail.
    static bool s_bFailBrowserCreation;
};

// Writes the site into folder in the given mode (0 preview here, 1 preview in the
// default browser) and returns the path of the page's file; empty on failure, with the
// message in error.
CString GeneratePagePreview(CKJDoc& doc, CPage* page, int mode, const CString& folder, CString* error = nullptr);
// Opens a local file or an address in the default browser.
bool ShowInDefaultBrowser(const CString& target);
