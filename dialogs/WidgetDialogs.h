// Dialogs of the embedded widgets: the payment button, the Facebook page box and Like
// button, the map, the external picture and the external website. Item-bound dialogs
// write straight into the item (the opener's edit scope is the way back); the Facebook,
// Like and External Website dialogs hold plain members the opener copies.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"
#include "model/WString.h"

class CExternalImageItem;
class CFlashItem;
class CGoogleMapItem;
class CKJDoc;
class CPayPalItem;

extern const DlgTemplate kPayPalTemplate;
extern const DlgTemplate kFacebookTemplate;
extern const DlgTemplate kLikeButtonTemplate;
extern const DlgTemplate kGoogleMapTemplate;
extern const DlgTemplate kExternalImageTemplate;
extern const DlgTemplate kExternalWebsiteTemplate;
extern const DlgTemplate kFlashTemplate;

// The largest movie Import File takes into a project (the project keeps the bytes).
inline constexpr long long kMaxFlashImportBytes = 64LL * 1024 * 1024;

// The web pages the dialogs' buttons open: a per-user setting (section "Web") with the
// program's own address as its default.
CString WebAddressSetting(const char* key, const char* fallback);

class DPayPal : public CDialog {
public:
    explicit DPayPal(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CPayPalItem* m_pItem = nullptr;
    CKJDoc* m_pDoc = nullptr;

private:
    void OnButtonStyle();
    void UpdateQuantity();
};

class DFacebook : public CDialog {
public:
    explicit DFacebook(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    CString m_strChannel;
    int m_bFaces = 1;
    int m_bStream = 1;
    int m_nStyle = 0;
    COLORREF m_crBorder = 0xA0A0A0;
};

class DLikeButton : public CDialog {
public:
    explicit DLikeButton(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    CString m_strPage;
    int m_nStyle = 0;
    int m_nLayout = 0;
};

class DGoogleMap : public CDialog {
public:
    explicit DGoogleMap(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    CGoogleMapItem* m_pItem = nullptr;
};

class DExternalImage : public CDialog {
public:
    explicit DExternalImage(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CExternalImageItem* m_pItem = nullptr;

private:
    void UpdateSizeEdits();
    void OnBrowse();
};

class DExternalWebsite : public CDialog {
public:
    explicit DExternalWebsite(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    CWString m_strSource;
};

class DFlash : public CDialog {
public:
    explicit DFlash(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    // Reads a movie file into the item; false (and a message) when it is refused.
    bool ImportFile(const CString& path);

    CFlashItem* m_pItem = nullptr;

private:
    void OnImport();
    void OnViewCode();
};
