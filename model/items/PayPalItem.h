// A drawn button that sells one article through the payment service's web checkout:
// the Image Button's look, written as a form of hidden fields with the button as its
// image submit.
#pragma once
#include "model/items/ImageButtonItem.h"
#include "model/ItemTypes.h"

class CPayPalItem : public CImageButtonItem {
public:
    CPayPalItem();

    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;

    int m_nQuantity = 1;
    int m_nCurrency = 0; // 0 none, 1-14 the currency table
    int m_bFixedQuantity = 0;
    CString m_strArticleName = "Widget";
    CString m_strArticleNumber = "1";
    CString m_strLanguage;
    CString m_strBusiness;
    double m_dAmount = 10.0;
    double m_dDiscountAmount = 0.0, m_dDiscountRate = 0.0;
    double m_dDiscountAmount2 = 0.0, m_dDiscountRate2 = 0.0;
    double m_dShipping = 0.0, m_dShipping2 = 0.0;
    double m_dTax = 0.0, m_dTaxRate = 0.0;
    double m_dHandling = 0.0;
};

// The currency code of a currency number (1-14), null for any other.
const char* PayPalCurrencyCode(int currency);
// The checkout address the form posts to.
extern const char* const kPayPalCheckout;
