#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/items/CheckBoxItem.h"
#include "model/items/DatePickerItem.h"
#include "model/items/InputFieldItem.h"
#include "model/items/ListControlItem.h"
#include "model/items/RadioChoiceItem.h"
#include "model/items/SubmitButtonItem.h"
#include "model/items/TextAreaItem.h"
#include "support/ExternalTools.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {

// A positioned field at (10, 20) without fill or padding, sized by its content.
template <typename T> std::unique_ptr<T> Field(const char* name)
{
    auto f = std::make_unique<T>();
    f->m_strName = name;
    f->m_nX = 10;
    f->m_nY = 20;
    f->m_nWidthMode = 1;
    f->m_nHeightMode = 1;
    f->m_pFill.reset();
    f->m_pPadding.reset();
    return f;
}

CString Body(CItem& item, int raw = 0)
{
    CPageOutput out;
    out.m_nMode = kPublishExport;
    out.m_bRawText = raw;
    item.WriteHtml(out);
    return out.m_strBody;
}

CString StyleAttr(CItem& item)
{
    const CString s = item.GetStyle();
    return s.IsEmpty() ? CString() : " style=\"" + s + "\"";
}

struct HtmlCase {
    const char* what;
    std::function<std::unique_ptr<CItem>()> make;
    // The expected body; "%S" stands for the item's style attribute.
    const char* expected;
};

TEST(FormFieldHtml, ExactMarkupPerType)
{
    const HtmlCase cases[] = {
        {"text input with value, placeholder, length, tab index and read-only",
            [] {
                auto f = Field<CInputFieldItem>("email");
                f->m_strText.SetText(u"a\"b&c");
                f->m_wstrPlaceholder.SetText(u"Your <address>");
                f->m_nMaxLength = 40;
                f->m_nTabIndex = 3;
                f->m_bReadOnly = 1;
                return f;
            },
            "<input type=\"text\" name=\"email\" id=\"email\" value=\"a&quot;b&amp;c\" placeholder=\"Your <address>\" maxlength=\"40\" tabindex=\"3\" readonly=\"readonly\"%S>\r\n"},
        {"text input: line breaks of a one-line value are left out",
            [] {
                auto f = Field<CInputFieldItem>("city");
                f->m_strText.SetText(u"New\r\nYork\nCity");
                return f;
            },
            "<input type=\"text\" name=\"city\" id=\"city\" value=\"NewYorkCity\"%S>\r\n"},
        {"password input, nothing optional",
            [] {
                auto f = Field<CInputFieldItem>("pw");
                f->m_nInputType = 1;
                return f;
            },
            "<input type=\"password\" name=\"pw\" id=\"pw\"%S>\r\n"},
        {"input of an unknown type writes no type",
            [] {
                auto f = Field<CInputFieldItem>("odd");
                f->m_nInputType = 7;
                return f;
            },
            "<input name=\"odd\" id=\"odd\"%S>\r\n"},
        {"text area escapes its content",
            [] {
                auto f = Field<CTextAreaItem>("msg");
                f->m_strText.SetText(u"<b>&");
                f->m_wstrPlaceholder.SetText(u"Say \"hi\"");
                return f;
            },
            "<textarea%S name=\"msg\" id=\"msg\" placeholder=\"Say &quot;hi&quot;\">\r\n&lt;b&gt;&amp;</textarea>\r\n"},
        {"list control: two options from CR LF lines, second selected, quote in a value",
            [] {
                auto f = Field<CListControlItem>("colour");
                f->m_strText.SetText(u"Red=r\r\nGreen=g\"x");
                f->m_nSelected = 1;
                f->m_nRows = 0;
                f->RecalcLayout();
                f->m_nX = 10;
                f->m_nY = 20;
                return f;
            },
            "<select id=\"colour\" name=\"colour\"%S>\r\n<option value=\"r\">Red</option>\r\n<option value=\"g&quot;x\" selected>Green</option>\r\n</select>\r\n"},
        {"list control: multiple, a line without '=' is label and value",
            [] {
                auto f = Field<CListControlItem>("pick");
                f->m_strText.SetText(u"A&B");
                f->m_nRows = 3;
                f->m_bMultiple = 1;
                f->m_nSelected = 5;
                f->RecalcLayout();
                return f;
            },
            "<select id=\"pick\" name=\"pick\" size=\"3\" multiple%S>\r\n<option value=\"A&amp;B\">A&amp;B</option>\r\n</select>\r\n"},
        {"check box, checked, caption escaped",
            [] {
                auto f = Field<CCheckBoxItem>("agree");
                f->m_strText.SetText(u"I agree & accept");
                f->m_bChecked = 1;
                return f;
            },
            "<span %S><input type=\"checkbox\" name=\"agree\" id=\"agree\" checked>&nbsp;I agree &amp; accept</span>\r\n"},
        {"radio choice: three options, default index 1 checked",
            [] {
                auto f = Field<CRadioChoiceItem>("size");
                f->m_strText.SetText(u"Small=s\nMedium=m\nLarge");
                f->m_nDefault = 1;
                f->RecalcLayout();
                f->m_nX = 10;
                f->m_nY = 20;
                f->m_nWidthMode = 1;
                f->m_nHeightMode = 1;
                return f;
            },
            "<table id=\"size\"%S>"
            "<tr valign=\"middle\" height=\"26\"><td><input type=\"radio\"  name=\"size\" id=\"size_0\" value=\"s\"></td><td>Small</td></tr>\r\n"
            "<tr valign=\"middle\" height=\"26\"><td><input type=\"radio\"  name=\"size\" id=\"size_1\" value=\"m\" checked></td><td>Medium</td></tr>\r\n"
            "<tr valign=\"middle\" height=\"26\"><td><input type=\"radio\"  name=\"size\" id=\"size_2\" value=\"Large\"></td><td>Large</td></tr>\r\n"
            "</table>"},
        {"radio choice without default check checks none",
            [] {
                auto f = Field<CRadioChoiceItem>("r");
                f->m_strText.SetText(u"A=1\nB=2");
                f->m_nDefault = 1;
                f->m_bDefaultChecked = 0;
                f->m_nRowSpacing = 10;
                f->RecalcLayout();
                f->m_nWidthMode = 1;
                f->m_nHeightMode = 1;
                return f;
            },
            "<table id=\"r\"%S>"
            "<tr valign=\"middle\" height=\"30\"><td><input type=\"radio\"  name=\"r\" id=\"r_0\" value=\"1\"></td><td>A</td></tr>\r\n"
            "<tr valign=\"middle\" height=\"30\"><td><input type=\"radio\"  name=\"r\" id=\"r_1\" value=\"2\"></td><td>B</td></tr>\r\n"
            "</table>"},
    };
    for (const HtmlCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<CItem> item = c.make();
        CString expected = c.expected;
        expected.Replace("%S", StyleAttr(*item));
        EXPECT_EQ(Body(*item), expected);
    }
}

TEST(FormFieldHtml, RawTextOfAFieldDoesNotLeak)
{
    auto area = Field<CTextAreaItem>("a");
    area->m_bRawText = 1;
    area->m_strText.SetText(u"<i>x</i>");
    auto box = Field<CCheckBoxItem>("c");
    box->m_strText.SetText(u"<b>");
    CPageOutput out;
    area->WriteHtml(out);
    EXPECT_EQ(out.m_bRawText, 0);
    EXPECT_NE(out.m_strBody.Find("<i>x</i></textarea>"), -1);
    box->WriteHtml(out);
    EXPECT_NE(out.m_strBody.Find("&nbsp;&lt;b&gt;</span>"), -1);
}

TEST(FormFieldHtml, FlowingFieldsAreWrappedInTheirBlock)
{
    auto list = Field<CListControlItem>("l");
    list->m_bPositioned = 0;
    list->m_nTextAlign = 2;
    list->m_strText.SetText(u"x");
    list->RecalcLayout();
    const CString html = Body(*list);
    EXPECT_EQ(html.Left(38), CString("<p style=\"text-align:center;\"><select "));
    EXPECT_NE(html.Find("</select></p>\r\n"), -1);
}

TEST(FormFieldHtml, DatePickerScript)
{
    struct Case {
        const char* what;
        int startMode, offset, count, format;
        std::vector<int> excluded;
        std::vector<const char*> expectedParts;
        std::vector<const char*> absentParts;
    };
    const Case cases[] = {
        {"today, one week, weekend excluded", 0, 0, 7, 0, {0, 6},
            {"size=\"1\"", "var d = new Date(); d.setHours(12,0,0,0);for(var i=0;i<7;i++) { if(d.getDay()!=0 && d.getDay()!=6) { var o=",
                "o.value = o.text;", " } \r\n d.setDate(d.getDate() + 1); } })();\r\n</script>\r\n"},
            {"d.setDate(d.getDate() + 0)"}},
        {"fixed first of January 2010, seconds", 1, 0, 365, 1, {},
            {"var d = new Date(2010,0,1,12);for(var i=0;i<365;i++) { var o=", "o.value = d.getTime()/1000;"},
            {"if(d.getDay()", " } \r\n"}},
        {"today plus three days, milliseconds", 0, 3, 10, 2, {3},
            {"d.setDate(d.getDate() + 3);", "if(d.getDay()!=3) { ", "o.value = d.getTime();"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto f = Field<CDatePickerItem>("when");
        f->m_nStartMode = c.startMode;
        f->m_nDayOffset = c.offset;
        f->m_nDayCount = c.count;
        f->m_nValueFormat = c.format;
        for (int k : c.excluded)
            f->m_bWeekdays[k] = 0;
        const CString html = Body(*f);
        EXPECT_EQ(html.Left(int(strlen("<select id=\"when\" name=\"when\" size=\"1\""))), CString("<select id=\"when\" name=\"when\" size=\"1\""));
        EXPECT_NE(html.Find("'January','February','March','April','May','June','July','August','September','October','November','December');"), -1);
        EXPECT_NE(html.Find("try { document.getElementById(\"when\").add(o,null);} catch(ex) { document.getElementById(\"when\").add(o); }"), -1);
        for (const char* part : c.expectedParts)
            EXPECT_NE(html.Find(part), -1) << part;
        for (const char* part : c.absentParts)
            EXPECT_EQ(html.Find(part), -1) << part;
        const int start = html.Find("<script type=\"text/javascript\">\r\n") + 33;
        const int end = html.Find("</script>");
        ASSERT_GT(end, start);
        EXPECT_EQ(testsupport::JsSyntaxErrors(QByteArray(html.Mid(start, end - start).GetString())), QByteArray());
    }
}

// The picker's script run by node against a stub document: every date once, even
// across a daylight-saving change, and the weekday filter.
TEST(FormFieldHtml, DatePickerListsEveryDateOnceAcrossClockChanges)
{
    auto f = Field<CDatePickerItem>("when");
    f->m_nStartMode = 1;
    f->m_nYear = 2024;
    f->m_nMonth = 2; // March: clocks go forward in Europe on the 31st
    f->m_nDay = 24; // 0-based: the 25th
    f->m_nDayCount = 14;
    f->m_bWeekdays[0] = 0;
    const CString html = Body(*f);
    const int start = html.Find("<script type=\"text/javascript\">\r\n") + 33;
    const int end = html.Find("</script>");
    const QByteArray script = QByteArray("var opts=[];var document={getElementById:function(){return {add:function(o){opts.push(o.text);}};},"
                                         "createElement:function(){return {};}};\n")
        + QByteArray(html.Mid(start, end - start).GetString()) + "\nconsole.log(opts.join('|'));\n";
    QTemporaryDir dir;
    QFile file(dir.filePath("run.js"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(script);
    file.close();
    const testsupport::ScopedEnvVar berlin("TZ", "Europe/Berlin"); // node takes the dates in this zone
    const testsupport::ProcessResult r = testsupport::RunProcess("node", {dir.filePath("run.js")});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    // 14 days from 25 March 2024 without Sundays (31 March and 7 April).
    EXPECT_EQ(r.out.trimmed(), QByteArray("25 March 2024|26 March 2024|27 March 2024|28 March 2024|29 March 2024|30 March 2024|"
                                          "1 April 2024|2 April 2024|3 April 2024|4 April 2024|5 April 2024|6 April 2024"));
}

TEST(FormFieldHtml, SubmitButtonCss)
{
    struct Case {
        const char* what;
        std::function<void(CSubmitButtonItem&)> set;
        const char* type;
        std::vector<const char*> cssLines; // "%N" = the item's own style
    };
    const Case cases[] = {
        {"plain submit adds only its own rule", [](CSubmitButtonItem&) {}, "submit", {"#send { %N }"}},
        {"reset with transition", [](CSubmitButtonItem& b) { b.m_nButtonKind = 1; b.m_dHoverTransition = 0.5; }, "reset",
            {"#send { %Ntransition: border 0.500000s, color 0.500000s, background 0.500000s; }"}},
        {"hover look in order", [](CSubmitButtonItem& b) {
             b.m_nButtonKind = 3;
             b.m_nHoverItalic = 1;
             b.m_nHoverBold = 0;
             b.m_nHoverDecoration = 3;
             b.m_crHoverBorder = 0x0000FF;
             b.m_crHoverText = 0x00FF00;
         }, "color",
            {"#send { %N }", "#send:hover { font-style:italic;font-weight:normal;text-decoration:line-through;border-color:#FF0000;color:#00FF00; }"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto b = Field<CSubmitButtonItem>("send");
        b->m_strText.SetText(u"Send \"now\"");
        c.set(*b);
        CPageOutput out;
        b->WriteHtml(out);
        EXPECT_EQ(out.m_strBody, CString::Formatted("<input type=\"%s\" name=\"send\" id=\"send\" value=\"Send &quot;now&quot;\">\r\n", c.type));
        CString css;
        for (const char* line : c.cssLines) {
            CString l = line;
            l.Replace("%N", b->GetStyle());
            CPageOutput expected;
            expected.AppendCssLine(l.GetString());
            css += expected.m_strPageCss;
        }
        EXPECT_EQ(out.m_strPageCss, css);
    }
}

// ------------------------------------------------------------------ validation rules

struct RuleCase {
    const char* what;
    std::function<std::unique_ptr<CFormFieldItem>()> make;
    const char* expected;
};

TEST(FormFieldValidation, StatementsPerRule)
{
    const RuleCase cases[] = {
        {"check box default message",
            [] { auto f = Field<CCheckBoxItem>("ok"); f->m_bRequired = 1; return f; },
            "if(!form.ok.checked) { alert('The checkbox must be checked.'); form.ok.focus(); return false; }"},
        {"input required with an apostrophe in the message",
            [] {
                auto f = Field<CInputFieldItem>("nm");
                f->m_bRequired = 1;
                f->m_strRequiredMessage.SetText(u"Don't leave it \"empty\"");
                return f;
            },
            "if(form.nm.value.length==0) { alert('Don\\'t leave it \\x22empty\\x22'); form.nm.focus(); return false; }"},
        {"input minimum, forbidden and allowed sets with metacharacters",
            [] {
                auto f = Field<CInputFieldItem>("c");
                f->m_nMinLength = 3;
                f->m_strForbiddenChars.SetText(u"]\\");
                f->m_strAllowedChars.SetText(u"a-z^");
                return f;
            },
            "if(form.c.value.length<3) { alert('This field must have at least 3 characters.'); form.c.focus(); return false; }"
            "if(form.c.value.search('[\\\\]\\\\\\\\]')>=0) { alert('This field must not contain characters: ]\\\\'); form.c.focus(); return false; }"
            "if(form.c.value.search('[^a\\\\-z\\\\^]')>=0) { alert('This field must contain only characters: a-z^'); form.c.focus(); return false; }"},
        {"required characters: one statement each",
            [] {
                auto f = Field<CInputFieldItem>("p");
                f->m_strRequiredChars.SetText(u"ab");
                return f;
            },
            "if(form.p.value.search('[a]')<0) { alert('This field must contain characters: a'); form.p.focus(); return false; }"
            "if(form.p.value.search('[b]')<0) { alert('This field must contain characters: b'); form.p.focus(); return false; }"},
        {"text area all three",
            [] {
                auto f = Field<CTextAreaItem>("t");
                f->m_bRequired = 1;
                f->m_nMinLength = 2;
                f->m_nMaxLength = 9;
                f->m_strRuleMessage.SetText(u"Length!");
                return f;
            },
            "if(form.t.value.length==0) { alert('This field is required.'); form.t.focus(); return false; }"
            "if(form.t.value.length<2) { alert('Length!'); form.t.focus(); return false; }"
            "if(form.t.value.length>9) { alert('Length!'); form.t.focus(); return false; }"},
        {"list control two statements",
            [] { auto f = Field<CListControlItem>("l"); f->m_bRequired = 1; return f; },
            "if(form.l.selectedIndex<0) { alert('The option must be selected.'); form.l.focus(); return false; }"
            "if(form.l.selectedIndex>=0) if(form.l.options[form.l.selectedIndex].value.length==0){ alert('The option must be selected.'); form.l.focus(); return false; }"},
        {"radio without default check",
            [] {
                auto f = Field<CRadioChoiceItem>("r");
                f->m_strText.SetText(u"A\nB");
                f->m_bDefaultChecked = 0;
                f->m_strRequiredMessage.SetText(u"Pick one");
                f->RecalcLayout();
                return f;
            },
            "if(form.r_0.checked==0 && form.r_1.checked==0) { alert('Pick one'); form.r_0.focus(); return false; }"},
        {"radio with default check writes nothing",
            [] {
                auto f = Field<CRadioChoiceItem>("r");
                f->m_strText.SetText(u"A\nB");
                f->RecalcLayout();
                return f;
            },
            ""},
        {"radio without options writes nothing",
            [] { auto f = Field<CRadioChoiceItem>("r"); f->m_bDefaultChecked = 0; f->RecalcLayout(); return f; }, ""},
        {"a name that is no identifier is looked up by string",
            [] { auto f = Field<CCheckBoxItem>("my-box"); return f; },
            "if(!form['my-box'].checked) { alert('The checkbox must be checked.'); form['my-box'].focus(); return false; }"},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<CFormFieldItem> f = c.make();
        CString script;
        f->WriteValidationScript(script);
        EXPECT_EQ(script, CString(c.expected));
        EXPECT_EQ(testsupport::JsSyntaxErrors(QByteArray("function v(form) { ") + script.GetString() + " return true; }"), QByteArray());
    }
}

} // namespace
