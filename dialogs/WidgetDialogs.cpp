#include "dialogs/WidgetDialogs.h"
#include "model/HtmlWriting.h"

#include "controls/ColorControl.h"
#include "controls/FileChooser.h"
#include "controls/DialogKit.h"
#include "dialogs/CodeView.h"
#include "dialogs/ImageButtonDialog.h"
#include "document/NewItemDefaults.h"
#include "framework/core/MessageBox.h"
#include "framework/core/Profile.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Shell.h"
#include "framework/ui/Translation.h"
#include "model/SocialHosts.h"
#include "model/PageOutput.h"
#include "model/items/ExternalImageItem.h"
#include "model/items/FlashItem.h"
#include "model/items/GoogleMapItem.h"
#include "model/items/PayPalItem.h"

#include <QtCore/QFileInfo>
#include <QtCore/QUrl>
#include <QtWidgets/QPushButton>
#include <QtGui/QRegularExpressionValidator>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>

#include <algorithm>

namespace {

constexpr int kMaxPayPalText = 127;

const DlgControl kPayPalControls[] = {
    {IDC_STATIC, DlgKind::Static, "PayPal Email:", nullptr, 0},
    {1027, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1037, DlgKind::Button, "Create Account", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Product Name:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Product ID:", nullptr, 0},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1001, DlgKind::Check, "Qty:", nullptr, 0},
    {1030, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Price:", nullptr, 0},
    {1011, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1018, DlgKind::Combo, nullptr, "USD|AUD|CAD|CZK|CHF|DKK|EUR|GBP|HUF|JPY|NOK|NZD|PLN|SGD|SEK", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Tax:", nullptr, 0},
    {1033, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "or", nullptr, kDlgBeside},
    {1034, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "%", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Handling:", nullptr, 0},
    {1017, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Shipping:", nullptr, 0},
    {1014, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "+", nullptr, kDlgBeside},
    {1032, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "for each extra item", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Rebate:", nullptr, 0},
    {1029, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "+", nullptr, kDlgBeside},
    {1051, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "for each extra item", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Discount:", nullptr, 0},
    {1031, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "%", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "for first item", nullptr, kDlgBeside},
    {1068, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "%", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "for next items", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Login Language:", nullptr, 0},
    {1036, DlgKind::Combo, nullptr, "US|AU|BR|CA|CZ|DE|ES|FR|GB|GR|IL|NL|PL|RU|", kDlgBeside},
    {1025, DlgKind::Button, "Button Style", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

const DlgControl kFacebookControls[] = {
    {IDC_STATIC, DlgKind::Static, "Channel Name:", nullptr, 0},
    {1099, DlgKind::Static, "", nullptr, kDlgBeside},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1001, DlgKind::Check, "Faces", nullptr, 0},
    {1002, DlgKind::Check, "Stream", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Style:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, "light|dark", kDlgBeside},
    {1019, DlgKind::Color, "Border Color", nullptr, 0},
    {1025, DlgKind::Button, "Create", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

const DlgControl kLikeButtonControls[] = {
    {IDC_STATIC, DlgKind::Static, "Page ID to like:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Usually your home page or your facebook fan page.", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Style:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, "light|dark", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Layout:", nullptr, 0},
    {1019, DlgKind::Combo, nullptr, "long|short|box", kDlgBeside},
    {1025, DlgKind::Button, "Create Fan Page", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

const DlgControl kGoogleMapControls[] = {
    {IDC_STATIC, DlgKind::Static, "Zoom:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, "0|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Latitude:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Longitude:", nullptr, 0},
    {1002, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {3, DlgKind::Button, "Find", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Info:", nullptr, 0},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1009, DlgKind::Check, "Show Marker", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "API Key:", nullptr, 0},
    {1011, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {4, DlgKind::Button, "Get Key", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "API Version:", nullptr, 0},
    {1019, DlgKind::Combo, nullptr, "2|3 (API Key not Required)", kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

const DlgControl kExternalImageControls[] = {
    {IDC_STATIC, DlgKind::Static, "Source:", nullptr, 0},
    {1021, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1037, DlgKind::Button, "...", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Width:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, "Automatic Size|Maximum Size|Fixed Size", kDlgBeside},
    {1014, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Height:", nullptr, 0},
    {1019, DlgKind::Combo, nullptr, "Automatic Size|Maximum Size|Fixed Size", kDlgBeside},
    {1025, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

const DlgControl kExternalWebsiteControls[] = {
    {IDC_STATIC, DlgKind::Static, "Load and display HTML code from antoher website.", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Source:", nullptr, 0},
    {1000, DlgKind::MultiEdit, nullptr, nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

const DlgControl kFlashControls[] = {
    {IDC_STATIC, DlgKind::Static, "Item name:", nullptr, 0},
    {1017, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Source:", nullptr, 0},
    {1021, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {3, DlgKind::Button, "Import File", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Parameters:", nullptr, 0},
    {1024, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Size:", nullptr, 0},
    {1014, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "x", nullptr, kDlgBeside},
    {1025, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Window Mode:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, "undefined|opaque|transparent", kDlgBeside},
    {1019, DlgKind::Color, "Background Color", nullptr, kDlgNoColor},
    {1062, DlgKind::Custom, nullptr, nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

void OpenSetting(const char* key, const char* fallback) { ShellOpenOrReport(WebAddressSetting(key, fallback)); }

} // namespace

const DlgTemplate kPayPalTemplate = {324, "PayPal", true, kPayPalControls};
const DlgTemplate kFacebookTemplate = {362, "Facebook", true, kFacebookControls};
const DlgTemplate kLikeButtonTemplate = {361, "Like Button", true, kLikeButtonControls};
const DlgTemplate kGoogleMapTemplate = {227, "Google Map", true, kGoogleMapControls};
const DlgTemplate kExternalImageTemplate = {366, "External Image", true, kExternalImageControls};
const DlgTemplate kExternalWebsiteTemplate = {336, "External Website", true, kExternalWebsiteControls};
const DlgTemplate kFlashTemplate = {212, "Flash", true, kFlashControls};

CString WebAddressSetting(const char* key, const char* fallback) { return GetProfileString("Web", key, fallback); }

// ---- DPayPal

DPayPal::DPayPal(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kPayPalTemplate);
    OnNotify(1001, BN_CLICKED, [this] { UpdateQuantity(); });
    OnNotify(1025, BN_CLICKED, [this] { OnButtonStyle(); });
    OnNotify(1037, BN_CLICKED, [] { OpenSetting("PayPalSignUp", "https://www.paypal.com/signup"); });
}

BOOL DPayPal::OnInitDialog()
{
    for (int id : {1000, 1003})
        qobject_cast<QLineEdit*>(GetDlgItem(id))->setMaxLength(kMaxPayPalText);
    CDialog::OnInitDialog();
    UpdateQuantity();
    return TRUE;
}

void DPayPal::UpdateQuantity() { EnableDlgItem(1030, IsDlgButtonChecked(1001) != 0); }

void DPayPal::DoDataExchange(CDataExchange* pDX)
{
    if (!m_pItem)
        return;
    CPayPalItem& i = *m_pItem;
    CString business = i.m_strBusiness, name = i.m_strArticleName, number = i.m_strArticleNumber, language = i.m_strLanguage;
    int fixed = i.m_bFixedQuantity, quantity = i.m_nQuantity, currency = i.m_nCurrency;
    double amount = i.m_dAmount, tax = i.m_dTax, taxRate = i.m_dTaxRate, handling = i.m_dHandling;
    double shipping = i.m_dShipping, shipping2 = i.m_dShipping2, rebate = i.m_dDiscountAmount, rebate2 = i.m_dDiscountAmount2;
    double discount = i.m_dDiscountRate, discount2 = i.m_dDiscountRate2;
    DDX_Text(pDX, 1027, business);
    DDX_Text(pDX, 1000, name);
    DDV_MaxChars(pDX, name, kMaxPayPalText);
    DDX_Text(pDX, 1003, number);
    DDV_MaxChars(pDX, number, kMaxPayPalText);
    DDX_Check(pDX, 1001, fixed);
    DDX_Text(pDX, 1030, quantity);
    DDX_TextBlankZero(pDX, 1011, amount);
    DDX_CBIndex(pDX, 1018, currency);
    DDX_TextBlankZero(pDX, 1033, tax);
    DDX_TextBlankZero(pDX, 1034, taxRate);
    DDX_TextBlankZero(pDX, 1017, handling);
    DDX_TextBlankZero(pDX, 1014, shipping);
    DDX_TextBlankZero(pDX, 1032, shipping2);
    DDX_TextBlankZero(pDX, 1029, rebate);
    DDX_TextBlankZero(pDX, 1051, rebate2);
    DDX_TextBlankZero(pDX, 1031, discount);
    DDX_TextBlankZero(pDX, 1068, discount2);
    DDX_CBString(pDX, 1036, language);
    if (!pDX->m_bSaveAndValidate)
        return;
    i.m_strBusiness = business;
    i.m_strArticleName = name;
    i.m_strArticleNumber = number;
    i.m_bFixedQuantity = fixed;
    i.m_nQuantity = quantity;
    i.m_dAmount = amount;
    i.m_nCurrency = std::max(0, currency);
    i.m_dTax = tax;
    i.m_dTaxRate = taxRate;
    i.m_dHandling = handling;
    i.m_dShipping = shipping;
    i.m_dShipping2 = shipping2;
    i.m_dDiscountAmount = rebate;
    i.m_dDiscountAmount2 = rebate2;
    i.m_dDiscountRate = discount;
    i.m_dDiscountRate2 = discount2;
    i.m_strLanguage = language;
}

void DPayPal::OnOK()
{
    if (GetDlgItemText(1027).Find('@') < 0) {
        AfxMessageBox(UiTranslate("Enter your email addres registered with PayPal service."), MB_ICONSTOP);
        GotoDlgCtrl(GetDlgItem(1027));
        return;
    }
    CDialog::OnOK();
}

void DPayPal::OnButtonStyle()
{
    if (!m_pItem)
        return;
    DImageButton dlg(this);
    dlg.m_pItem = m_pItem;
    dlg.m_pDoc = m_pDoc;
    if (dlg.DoModal() == IDOK)
        SaveNewItemDefaults(*m_pItem);
}

// ---- DFacebook

DFacebook::DFacebook(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kFacebookTemplate);
    SetDlgItemText(1099, SocialNetworkAddress() + "/");
    OnNotify(1025, BN_CLICKED, [] { OpenSetting("FacebookCreatePage", "https://www.facebook.com/pages/create"); });
}

void DFacebook::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1000, m_strChannel);
    DDX_Check(pDX, 1001, m_bFaces);
    DDX_Check(pDX, 1002, m_bStream);
    DDX_CBIndex(pDX, 1018, m_nStyle);
    DdxUserData(pDX, 1019, m_crBorder);
}

// ---- DLikeButton

DLikeButton::DLikeButton(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kLikeButtonTemplate);
    OnNotify(1025, BN_CLICKED, [] { OpenSetting("FacebookCreatePage", "https://www.facebook.com/pages/create"); });
}

void DLikeButton::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1000, m_strPage);
    DDX_CBIndex(pDX, 1018, m_nStyle);
    DDX_CBIndex(pDX, 1019, m_nLayout);
}

// ---- DGoogleMap

DGoogleMap::DGoogleMap(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kGoogleMapTemplate);
    OnNotify(3, BN_CLICKED, [] { OpenSetting("MapFind", "https://www.latlong.net/"); });
    OnNotify(4, BN_CLICKED, [] { OpenSetting("MapApiKey", "https://developers.google.com/maps/documentation/javascript/get-api-key"); });
}

void DGoogleMap::DoDataExchange(CDataExchange* pDX)
{
    if (!m_pItem)
        return;
    // Through copies: a value refused halfway stores nothing.
    CGoogleMapItem& i = *m_pItem;
    int zoom = i.m_nZoom, version = i.m_nApiVersion, marker = i.m_bMarker;
    double latitude = i.m_dLatitude, longitude = i.m_dLongitude;
    CWString info = i.m_strText;
    CString key = i.m_strApiKey;
    DDX_CBIndex(pDX, 1018, zoom);
    DDX_CBIndex(pDX, 1019, version);
    DDX_Text(pDX, 1000, latitude);
    DDV_MinMaxDouble(pDX, latitude, -90.0, 90.0);
    DDX_TextW(pDX, 1003, info);
    DDX_Text(pDX, 1002, longitude);
    DDX_Check(pDX, 1009, marker);
    DDV_MinMaxDouble(pDX, longitude, -180.0, 180.0);
    DDX_Text(pDX, 1011, key);
    if (!pDX->m_bSaveAndValidate)
        return;
    i.m_nZoom = std::max(0, zoom);
    i.m_nApiVersion = std::max(0, version);
    i.m_dLatitude = latitude;
    i.m_strText = info;
    i.m_dLongitude = longitude;
    i.m_bMarker = marker;
    i.m_strApiKey = key;
}

// ---- DExternalImage

DExternalImage::DExternalImage(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kExternalImageTemplate);
    OnNotify(1018, CBN_SELCHANGE, [this] { UpdateSizeEdits(); });
    OnNotify(1019, CBN_SELCHANGE, [this] { UpdateSizeEdits(); });
    OnNotify(1037, BN_CLICKED, [this] { OnBrowse(); });
    for (int id : {1014, 1025})
        qobject_cast<QLineEdit*>(GetDlgItem(id))->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), GetDlgItem(id)));
}

BOOL DExternalImage::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateSizeEdits();
    return TRUE;
}

void DExternalImage::UpdateSizeEdits()
{
    auto mode = [this](int id) { return qobject_cast<QComboBox*>(GetDlgItem(id))->currentIndex(); };
    EnableDlgItem(1014, mode(1018) == 1 || mode(1018) == 2);
    EnableDlgItem(1025, mode(1019) == 1 || mode(1019) == 2);
}

void DExternalImage::OnBrowse()
{
    CFileChooser chooser;
    chooser.SetFilter("Images (*.jpg,*.png)|*.jpg;*.png");
    if (!chooser.DoOpen())
        return;
    const std::vector<CString> paths = chooser.GetPathNames();
    if (!paths.empty())
        SetDlgItemText(1021, paths.front());
}

void DExternalImage::DoDataExchange(CDataExchange* pDX)
{
    if (!m_pItem)
        return;
    CExternalImageItem& i = *m_pItem;
    CString source = i.m_strThirdName;
    int widthMode = i.m_nWidthStyle, heightMode = i.m_nHeightStyle, width = i.m_nInnerWidth, height = i.m_nInnerHeight;
    DDX_Text(pDX, 1021, source);
    DDX_CBIndex(pDX, 1018, widthMode);
    DDX_Text(pDX, 1014, width);
    DDX_CBIndex(pDX, 1019, heightMode);
    DDX_Text(pDX, 1025, height);
    if (!pDX->m_bSaveAndValidate)
        return;
    i.m_strThirdName = source;
    i.m_nWidthStyle = std::max(0, widthMode);
    i.m_nHeightStyle = std::max(0, heightMode);
    i.m_nInnerWidth = width;
    i.m_nInnerHeight = height;
}

void DExternalImage::OnOK()
{
    SetDlgItemText(1021, LocalPathToFileAddress(GetDlgItemText(1021)));
    CDialog::OnOK();
}

// ---- DExternalWebsite

DExternalWebsite::DExternalWebsite(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kExternalWebsiteTemplate); }

void DExternalWebsite::DoDataExchange(CDataExchange* pDX) { DDX_TextW(pDX, 1000, m_strSource); }

// ---- DFlash

DFlash::DFlash(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kFlashTemplate, [](CDialog& dlg, const DlgControl&) -> QWidget* {
        return CreateViewCodeButton(&dlg, 1062);
    });
    OnNotify(3, BN_CLICKED, [this] { OnImport(); });
    OnNotify(1062, BN_CLICKED, [this] { OnViewCode(); });
}

void DFlash::DoDataExchange(CDataExchange* pDX)
{
    if (!m_pItem)
        return;
    CFlashItem& i = *m_pItem;
    CString name = i.m_strName, source = i.m_strThirdName, parameters = i.m_strFlashVars;
    int width = i.m_nWidth, height = i.m_nHeight, mode = i.m_nWindowMode;
    COLORREF back = i.m_crBackground;
    DDX_Text(pDX, 1017, name);
    DdxUserData(pDX, 1019, back);
    DDX_CBIndex(pDX, 1018, mode);
    DDX_Text(pDX, 1021, source);
    DDX_Text(pDX, 1024, parameters);
    DDX_Text(pDX, 1014, width);
    DDX_Text(pDX, 1025, height);
    if (!pDX->m_bSaveAndValidate)
        return;
    i.m_strName = name;
    i.m_crBackground = back;
    i.m_nWindowMode = std::max(0, mode);
    i.m_strThirdName = source;
    i.m_strFlashVars = parameters;
    i.m_nWidth = width;
    i.m_nHeight = height;
}

bool DFlash::ImportFile(const CString& path)
{
    if (!m_pItem)
        return false;
    const QFileInfo info(path.ToQString());
    if (info.size() > kMaxFlashImportBytes) {
        AfxMessageBox(UiTranslate("The movie is too large to import (more than 64 MB)."), MB_ICONSTOP);
        return false;
    }
    CWaitCursor wait;
    if (!m_pItem->LoadBlobFromFile(path)) {
        wait.Restore();
        AfxMessageBox(UiTranslate("The file cannot be read."), MB_ICONSTOP);
        return false;
    }
    SetDlgItemText(1021, path);
    SetDlgItemInt(1014, m_pItem->m_nWidth);
    SetDlgItemInt(1025, m_pItem->m_nHeight);
    // The movie is part of the project now.
    EnableDlgItem(1021, FALSE);
    return true;
}

void DFlash::OnImport()
{
    CFileChooser chooser;
    chooser.SetFilter("Flash (*.swf)|*.swf||");
    chooser.SetTitle(UiTranslate("Import Flash"));
    chooser.LoadFolder("Current", "FlashFolder");
    if (!chooser.DoOpen())
        return;
    chooser.SaveFolder("Current", "FlashFolder");
    const std::vector<CString> paths = chooser.GetPathNames();
    if (!paths.empty())
        ImportFile(paths.front());
}

void DFlash::OnViewCode()
{
    if (!m_pItem || !UpdateData(TRUE))
        return;
    CPageOutput out;
    m_pItem->WriteHtml(out);
    DCodeView view(this);
    view.m_strText = out.m_strBody;
    view.DoModal();
}
