#include "model/items/PayPalItem.h"
#include "model/Escaping.h"

#include "model/Folder.h"
#include "model/ItemHtml.h"
#include "model/PageOutput.h"
#include "model/SiteObject.h"

#include <algorithm>
#include <cmath>

namespace {

using archive_io::Io;

constexpr const char* kCurrencies[15] = {nullptr, "AUD", "CAD", "CZK", "CHF", "DKK", "EUR", "GBP", "HUF", "JPY", "NOK", "NZD",
    "PLN", "SGD", "SEK"};

// Currencies the checkout takes without cents.
bool WithoutCents(int currency)
{
    return currency == 8 || currency == 9;
}

bool Positive(double v)
{
    return std::isfinite(v) && v > 0;
}

// A price with the currency's decimals, in the C locale.
CString Price(double v, int currency)
{
    return CString::Formatted(WithoutCents(currency) ? "%.0f" : "%.2f", v);
}

// A rate in percent: up to three decimals, trailing zeros dropped.
CString Rate(double v)
{
    CString s = CString::Formatted("%.3f", v);
    while (s.Right(1) == "0")
        s = s.Left(s.GetLength() - 1);
    if (s.Right(1) == ".")
        s = s.Left(s.GetLength() - 1);
    return s;
}

void Hidden(CPageOutput& out, const char* name, const CString& escapedValue)
{
    out.Append(CString::Formatted("<input type=\"hidden\" name=\"%s\" value=\"%s\">", name, escapedValue.GetString()));
    out.AppendLine();
}

} // namespace

const char* const kPayPalCheckout = "https://www.paypal.com/cgi-bin/webscr?cmd=_xclick";

const char* PayPalCurrencyCode(int currency)
{
    return currency >= 1 && currency <= 14 ? kCurrencies[currency] : nullptr;
}

CPayPalItem::CPayPalItem()
{
    m_nType = ITEM_PAYPAL;
    m_nWidth = 100;
    m_nHeight = 30;
    m_strText = "Buy";
}

void CPayPalItem::Serialize(CArchive& ar, int version)
{
    CImageButtonItem::Serialize(ar, version);
    Io(ar, m_bFixedQuantity);
    Io(ar, m_nQuantity);
    Io(ar, m_nCurrency);
    Io(ar, m_strLanguage);
    Io(ar, m_strBusiness);
    Io(ar, m_strArticleName);
    Io(ar, m_strArticleNumber);
    Io(ar, m_dAmount);
    Io(ar, m_dDiscountAmount);
    Io(ar, m_dDiscountRate);
    Io(ar, m_dDiscountAmount2);
    Io(ar, m_dDiscountRate2);
    Io(ar, m_dShipping);
    Io(ar, m_dShipping2);
    Io(ar, m_dHandling);
    Io(ar, m_dTax);
    Io(ar, m_dTaxRate);
}

void CPayPalItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    WriteTextBoxStyle(out);
    out.Append("<form");
    WriteIdClassTitle(out);
    const CString style = GetStyle();
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    if (!m_strName.IsEmpty())
        out.AppendAttribute("name", m_strName);
    out.Append(" action=\"").Append(kPayPalCheckout).Append("\"");
    if (m_link.m_bNewWindow)
        out.Append(" target=\"_blank\"");
    out.Append(" method=\"post\">");

    // An address is hidden from collectors as character references.
    const int at = m_strBusiness.Find('@');
    Hidden(out, "business", at > 0 ? EncodeCharRefs(m_strBusiness.GetString()) : HtmlAttributeEscape(m_strBusiness.GetString()));
    if (!m_bFixedQuantity)
        Hidden(out, "undefined_quantity", "1");
    else
        Hidden(out, "quantity", CString::Formatted("%d", std::max(1, m_nQuantity)));
    const int currency = PayPalCurrencyCode(m_nCurrency) ? m_nCurrency : 0;
    if (Positive(m_dAmount))
        Hidden(out, "amount", Price(m_dAmount, currency));
    if (currency > 0)
        Hidden(out, "currency_code", PayPalCurrencyCode(currency));
    if (!m_strArticleName.IsEmpty())
        Hidden(out, "item_name", HtmlAttributeEscape(m_strArticleName.GetString()));
    if (!m_strArticleNumber.IsEmpty())
        Hidden(out, "item_number", HtmlAttributeEscape(m_strArticleNumber.GetString()));
    if (!m_strLanguage.IsEmpty())
        Hidden(out, "lc", HtmlAttributeEscape(m_strLanguage.GetString()));
    if (Positive(m_dShipping) || Positive(m_dShipping2))
        Hidden(out, "shipping", Price(Positive(m_dShipping) ? m_dShipping : 0.0, currency));
    if (Positive(m_dShipping2))
        Hidden(out, "shipping2", Price(m_dShipping2, currency));
    if (Positive(m_dHandling))
        Hidden(out, "handling", Price(m_dHandling, currency));
    if (Positive(m_dDiscountAmount) || Positive(m_dDiscountAmount2))
        Hidden(out, "discount_amount", Price(Positive(m_dDiscountAmount) ? m_dDiscountAmount : 0.0, currency));
    if (Positive(m_dDiscountRate) || Positive(m_dDiscountRate2))
        Hidden(out, "discount_rate", Rate(Positive(m_dDiscountRate) ? m_dDiscountRate : 0.0));
    if (Positive(m_dDiscountAmount2))
        Hidden(out, "discount_amount2", Price(m_dDiscountAmount2, currency));
    if (Positive(m_dDiscountRate2))
        Hidden(out, "discount_rate2", Rate(m_dDiscountRate2));
    if (Positive(m_dTaxRate))
        Hidden(out, "tax_rate", Rate(m_dTaxRate));
    if (Positive(m_dTax))
        Hidden(out, "tax", Price(m_dTax, currency));

    const CString file = GetPublishedName();
    CString alt = m_strText.GetUtf8();
    if (alt.IsEmpty())
        alt = m_strArticleName.IsEmpty() ? CString("Buy") : m_strArticleName;
    out.Append("<input type=\"image\"");
    out.AppendAttribute("alt", alt);
    out.AppendAttribute("src", ItemFileHref(*this, out, file));
    out.Append(">");
    out.AppendLine();
    out.Append("</form>");
    WriteParagraphEnd(out);
    out.AppendLine();
}
