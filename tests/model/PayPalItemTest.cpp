// The payment button: its record, and the checkout form it writes.
#include "model/PageOutput.h"
#include "model/items/PayPalItem.h"
#include "PictureTestSupport.h"
#include "RenderedReference.h"
#include "support/ExternalTools.h"

#include <gtest/gtest.h>
#include <cstring>

namespace {

// Loading a record renders the button, caption included.
class PayPalItem : public ::testing::Test {
protected:
    void SetUp() override { renderref::EnsureFonts(); }
};

CString FormOf(CPayPalItem& item)
{
    CPageOutput out;
    item.WriteHtml(out);
    return out.m_strBody;
}

bool Has(const CString& html, const char* text)
{
    return html.Find(text) >= 0;
}

CString Field(const char* name, const char* value)
{
    return CString::Formatted("<input type=\"hidden\" name=\"%s\" value=\"%s\">\r\n", name, value);
}

TEST_F(PayPalItem, NewButtonWritesTheArticleAndNoOptionalField)
{
    CPayPalItem item;
    const CString html = FormOf(item);
    EXPECT_TRUE(Has(html, Field("undefined_quantity", "1"))) << html.GetString();
    EXPECT_TRUE(Has(html, Field("amount", "10.00")));
    EXPECT_TRUE(Has(html, Field("item_name", "Widget")));
    EXPECT_TRUE(Has(html, Field("item_number", "1")));
    EXPECT_TRUE(Has(html, " action=\"https://www.paypal.com/cgi-bin/webscr?cmd=_xclick\" method=\"post\">"));
    EXPECT_TRUE(Has(html, "<input type=\"image\" alt=\"Buy\" src=\""));
    for (const char* name : {"currency_code", "lc", "shipping", "discount", "tax", "handling", "\"quantity\""})
        EXPECT_FALSE(Has(html, name)) << name;
    EXPECT_TRUE(html.Find("</form>") > html.Find("<input type=\"image\""));
}

struct MoneyCase {
    int currency;
    double amount;
    const char* expectedAmount;
    const char* expectedCode; // null: no currency field
};

TEST_F(PayPalItem, PricesUseTheCurrencysDecimalsAndOnlyKnownCodes)
{
    const MoneyCase cases[] = {
        {0, 10.0, "10.00", nullptr},
        {6, 19.5, "19.50", "EUR"},
        {7, 0.126, "0.13", "GBP"},
        {9, 1500.0, "1500", "JPY"},
        {8, 99.6, "100", "HUF"},
        {1, 1234567.0, "1234567.00", "AUD"},
        {14, 2.0, "2.00", "SEK"},
        {15, 3.0, "3.00", nullptr},
        {-2, 3.0, "3.00", nullptr},
    };
    for (const MoneyCase& c : cases) {
        CPayPalItem item;
        item.m_nCurrency = c.currency;
        item.m_dAmount = c.amount;
        const CString html = FormOf(item);
        EXPECT_TRUE(Has(html, Field("amount", c.expectedAmount))) << c.currency << " " << html.GetString();
        if (c.expectedCode)
            EXPECT_TRUE(Has(html, Field("currency_code", c.expectedCode))) << c.currency;
        else
            EXPECT_FALSE(Has(html, "currency_code")) << c.currency;
    }
}

TEST_F(PayPalItem, OptionalAmountsFollowTheirConditions)
{
    CPayPalItem item;
    item.m_dShipping2 = 5;
    item.m_dDiscountRate2 = 12.5;
    item.m_dTaxRate = 7.25;
    item.m_dTax = 1;
    item.m_dHandling = 0.5;
    item.m_dAmount = 0;
    item.m_bFixedQuantity = 1;
    item.m_nQuantity = 0;
    const CString html = FormOf(item);
    EXPECT_TRUE(Has(html, Field("shipping", "0.00"))) << html.GetString();
    EXPECT_TRUE(Has(html, Field("shipping2", "5.00")));
    EXPECT_TRUE(Has(html, Field("handling", "0.50")));
    EXPECT_TRUE(Has(html, Field("discount_rate", "0")));
    EXPECT_TRUE(Has(html, Field("discount_rate2", "12.5")));
    EXPECT_TRUE(Has(html, Field("tax_rate", "7.25") + Field("tax", "1.00")));
    EXPECT_TRUE(Has(html, Field("quantity", "1")));
    EXPECT_FALSE(Has(html, "discount_amount"));
    EXPECT_FALSE(Has(html, "name=\"amount\""));
    EXPECT_FALSE(Has(html, "undefined_quantity"));
}

TEST_F(PayPalItem, BusinessAddressIsHiddenAndTextsAreEscaped)
{
    struct Case {
        const char* business;
        bool references;
    } cases[] = {{"shop@example.com", true}, {"a@b", true}, {"@shop", false}, {"merchant-id", false}};
    for (const Case& c : cases) {
        CPayPalItem item;
        item.m_strBusiness = c.business;
        const CString html = FormOf(item);
        const bool plain = Has(html, Field("business", c.business));
        EXPECT_EQ(plain, !c.references) << c.business;
        if (c.references) {
            EXPECT_TRUE(Has(html, "name=\"business\" value=\"&#")) << html.GetString();
        }
    }
    CPayPalItem item;
    item.m_strArticleName = "Tea \"Earl\" & <Grey>";
    item.m_strLanguage = "de\"x";
    item.m_strText = "Pay & go";
    const CString html = FormOf(item);
    EXPECT_TRUE(Has(html, Field("item_name", "Tea &quot;Earl&quot; &amp; <Grey>"))) << html.GetString();
    EXPECT_TRUE(Has(html, Field("lc", "de&quot;x")));
    EXPECT_TRUE(Has(html, "alt=\"Pay &amp; go\""));
}

TEST_F(PayPalItem, FormIsValidHtml)
{
    CPayPalItem item;
    item.m_strName = "buy1";
    item.m_strBusiness = "shop@example.com";
    item.m_nCurrency = 6;
    item.m_dShipping = 4.9;
    item.m_dDiscountAmount = 1;
    item.m_strArticleName = "A & B";
    item.m_link.m_bNewWindow = 1;
    const CString body = FormOf(item);
    EXPECT_TRUE(Has(body, " target=\"_blank\""));
    const QByteArray page = QByteArray("<!DOCTYPE html>\r\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>t</title></head><body>\r\n")
        + QByteArray(body.GetString()) + "</body></html>\r\n";
    EXPECT_EQ(testsupport::TidyErrors(page), QByteArray()) << page.constData();
}

TEST_F(PayPalItem, RecordKeepsEveryFieldInItsPlace)
{
    CPayPalItem a;
    a.m_bFixedQuantity = 1;
    a.m_nQuantity = 3;
    a.m_nCurrency = 7;
    a.m_strLanguage = "GB";
    a.m_strBusiness = "b@c.d";
    a.m_strArticleName = "Name";
    a.m_strArticleNumber = "No";
    double* fields[] = {&a.m_dAmount, &a.m_dDiscountAmount, &a.m_dDiscountRate, &a.m_dDiscountAmount2, &a.m_dDiscountRate2,
        &a.m_dShipping, &a.m_dShipping2, &a.m_dHandling, &a.m_dTax, &a.m_dTaxRate};
    for (int i = 0; i < 10; ++i)
        *fields[i] = 1.5 + i;
    const std::vector<BYTE> bytes = picturetest::Store(a);
    // The doubles close the record in their order.
    for (int i = 0; i < 10; ++i) {
        double v;
        std::memcpy(&v, bytes.data() + bytes.size() - 8 * (10 - i), 8);
        EXPECT_EQ(v, 1.5 + i) << i;
    }
    CPayPalItem b;
    picturetest::Load(b, bytes);
    EXPECT_EQ(b.m_bFixedQuantity, 1);
    EXPECT_EQ(b.m_nQuantity, 3);
    EXPECT_EQ(b.m_nCurrency, 7);
    EXPECT_EQ(b.m_strLanguage, CString("GB"));
    EXPECT_EQ(b.m_strBusiness, CString("b@c.d"));
    EXPECT_EQ(b.m_strArticleName, CString("Name"));
    EXPECT_EQ(b.m_strArticleNumber, CString("No"));
    const double* loaded[] = {&b.m_dAmount, &b.m_dDiscountAmount, &b.m_dDiscountRate, &b.m_dDiscountAmount2, &b.m_dDiscountRate2,
        &b.m_dShipping, &b.m_dShipping2, &b.m_dHandling, &b.m_dTax, &b.m_dTaxRate};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(*loaded[i], 1.5 + i) << i;
    EXPECT_EQ(picturetest::Store(b), bytes);
}

} // namespace
