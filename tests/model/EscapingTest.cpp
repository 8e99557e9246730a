// Each escaping target with the same hostile texts, outputs written out in full.
#include "model/Escaping.h"

#include <gtest/gtest.h>

namespace {

// The hostile texts every table runs; a row's outputs follow this order.
const char* const kHostile[] = {
    "He said \"hi\" & 'bye'",
    "</style><b>",
    "</script>",
    "<?php echo 1; ?>",
    "a\r\nb",
    "x\xE2\x80\xA8y", // U+2028
    "caf\xC3\xA9",
    "a\0<b", // a text ends at its NUL
};
constexpr size_t kHostileCount = sizeof(kHostile) / sizeof(kHostile[0]);

using Escaper = CString (*)(const char*);

void ExpectTable(const char* target, Escaper escape, const char* const (&expected)[kHostileCount])
{
    for (size_t i = 0; i < kHostileCount; ++i)
        EXPECT_EQ(escape(kHostile[i]), CString(expected[i])) << target << " of text " << i << ": " << kHostile[i];
}

struct Extra {
    const char* in;
    const char* out;
};

template <size_t N>
void ExpectExtras(const char* target, Escaper escape, const Extra (&cases)[N])
{
    for (const Extra& c : cases)
        EXPECT_EQ(escape(c.in), CString(c.out)) << target << ": " << c.in;
}

CString HtmlEscapeQuotes(const char* text)
{
    return HtmlEscape(text, true);
}

} // namespace

TEST(Escaping, ElementText)
{
    ExpectTable("HtmlEscape", [](const char* t) { return HtmlEscape(t); },
        {R"(He said "hi" &amp; 'bye')", "&lt;/style&gt;&lt;b&gt;", "&lt;/script&gt;", "&lt;?php echo 1; ?&gt;", "a\r\nb",
         "x\xE2\x80\xA8y", "caf\xC3\xA9", "a"});
    ExpectTable("HtmlEscape quotes", HtmlEscapeQuotes,
        {R"(He said &quot;hi&quot; &amp; 'bye')", "&lt;/style&gt;&lt;b&gt;", "&lt;/script&gt;", "&lt;?php echo 1; ?&gt;",
         "a\r\nb", "x\xE2\x80\xA8y", "caf\xC3\xA9", "a"});
    EXPECT_EQ(HtmlEscape(nullptr), CString(""));

    const struct { char c; const char* ref; } refs[] = {
        {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', nullptr}, {'\'', nullptr}, {'a', nullptr}, {'\n', nullptr},
    };
    for (const auto& r : refs) {
        const char* got = HtmlTextReference(r.c);
        if (r.ref)
            EXPECT_STREQ(got, r.ref) << r.c;
        else
            EXPECT_EQ(got, nullptr) << r.c;
    }
}

TEST(Escaping, Attribute)
{
    ExpectTable("HtmlAttributeEscape", HtmlAttributeEscape,
        {R"(He said &quot;hi&quot; &amp; 'bye')", "</style><b>", "</script>", "&lt;?php echo 1; ?>", "a\r\nb",
         "x\xE2\x80\xA8y", "caf\xC3\xA9", "a"});
    // raw markup keeps the user's references; only the quote could end the attribute
    ExpectTable("HtmlQuoteEscape", HtmlQuoteEscape,
        {R"(He said &quot;hi&quot; & 'bye')", "</style><b>", "</script>", "<?php echo 1; ?>", "a\r\nb", "x\xE2\x80\xA8y",
         "caf\xC3\xA9", "a"});
    ExpectExtras("HtmlQuoteEscape", HtmlQuoteEscape, {{"&amp;\"", "&amp;&quot;"}});
}

TEST(Escaping, PercentEncodeKeepsOnlyWhatItIsTold)
{
    EXPECT_EQ(PercentEncode("a b/\xC3\xA9~", "/"), CString("a%20b/%C3%A9%7E"));
    EXPECT_EQ(PercentEncode("a b/\xC3\xA9~", {"/~", true}), CString("a%20b/\xC3\xA9~"));
    EXPECT_EQ(PercentEncode("Az09\x01\x7F\xFF", ""), CString("Az09%01%7F%FF"));
    EXPECT_EQ(PercentEncode("a%b", PercentKeep(nullptr)), CString("a%25b"));
    EXPECT_EQ(PercentEncode(nullptr, "/"), CString(""));
}

TEST(Escaping, UrlPathAndComponent)
{
    ExpectTable("UrlEncodePath", UrlEncodePath,
        {"He%20said%20%22hi%22%20%26%20%27bye%27", "%3C/style%3E%3Cb%3E", "%3C/script%3E", "%3C%3Fphp%20echo%201%3B%20%3F%3E",
         "a%0D%0Ab", "x%E2%80%A8y", "caf%C3%A9", "a"});
    ExpectTable("UrlEncodeComponent", UrlEncodeComponent,
        {"He%20said%20%22hi%22%20%26%20%27bye%27", "%3C%2Fstyle%3E%3Cb%3E", "%3C%2Fscript%3E",
         "%3C%3Fphp%20echo%201%3B%20%3F%3E", "a%0D%0Ab", "x%E2%80%A8y", "caf%C3%A9", "a"});
    ExpectTable("UrlEncodeFormValue", UrlEncodeFormValue,
        {"He+said+%22hi%22+%26+%27bye%27", "%3C%2Fstyle%3E%3Cb%3E", "%3C%2Fscript%3E", "%3C%3Fphp+echo+1%3B+%3F%3E",
         "a%0D%0Ab", "x%E2%80%A8y", "caf%C3%A9", "a"});
    ExpectExtras("UrlEncodeFormValue", UrlEncodeFormValue, {{"Open Sans", "Open+Sans"}, {"a+b c", "a%2Bb+c"}, {"%20", "%2520"}});
    ExpectExtras("UrlEncodeComponent", UrlEncodeComponent, {{"a-b_c.d~", "a-b_c.d~"}, {"x?y=1#z", "x%3Fy%3D1%23z"}});
}

TEST(Escaping, AddressAsTyped)
{
    ExpectTable("UrlEscapeUnsafe", UrlEscapeUnsafe,
        {"He%20said%20%22hi%22%20&%20'bye'", "%3C/style%3E%3Cb%3E", "%3C/script%3E", "%3C?php%20echo%201;%20?%3E", "a%0D%0Ab",
         "x\xE2\x80\xA8y", "caf\xC3\xA9", "a"});
    ExpectExtras("UrlEscapeUnsafe", UrlEscapeUnsafe,
        {{"http://h/p?q=1&r=%41#f", "http://h/p?q=1&r=%41#f"}, {"\\^`{|}\x7F", "%5C%5E%60%7B%7C%7D%7F"},
         {"page.php?a[]=1&b[x]=2", "page.php?a%5B%5D=1&b%5Bx%5D=2"},
         {"http://[::1]:8080/a[1]?q=[2]#[3]", "http://[::1]:8080/a%5B1%5D?q=%5B2%5D#%5B3%5D"},
         {"//[fe80::1]/x[", "//[fe80::1]/x%5B"}});
    ExpectTable("UrlEscapeUnsafeQuoted", UrlEscapeUnsafeQuoted,
        {"He%20said%20%22hi%22%20&%20%27bye%27", "%3C/style%3E%3Cb%3E", "%3C/script%3E", "%3C?php%20echo%201;%20?%3E",
         "a%0D%0Ab", "x\xE2\x80\xA8y", "caf\xC3\xA9", "a"});
    ExpectExtras("UrlEscapeUnsafeQuoted", UrlEscapeUnsafeQuoted, {{"a(b)'c", "a%28b%29%27c"}});
}

TEST(Escaping, MailtoParts)
{
    ExpectTable("EncodeMailAddress", EncodeMailAddress,
        {"He%20said%20%22hi%22%20%26%20'bye'", "%3C/style%3E%3Cb%3E", "%3C/script%3E", "%3C%3Fphp%20echo%201%3B%20%3F%3E",
         "a%0D%0Ab", "x%E2%80%A8y", "caf%C3%A9", "a"});
    ExpectExtras("EncodeMailAddress", EncodeMailAddress,
        {{"me+x@site.example", "me+x@site.example"}, {"a@b.c?bcc=d@e", "a@b.c%3Fbcc=d@e"}});
    ExpectTable("EncodeMailField", EncodeMailField,
        {"He%20said%20%22hi%22%20%26%20%27bye%27", "%3C/style%3E%3Cb%3E", "%3C/script%3E", "%3C%3Fphp%20echo%201;%20%3F%3E",
         "a%0D%0Ab", "x%E2%80%A8y", "caf%C3%A9", "a"});
    // "%" first, so the "%" of "%20" is not encoded twice
    CString text = "100% #1 *+$:\\";
    PercentEncodeText(text);
    EXPECT_EQ(text, CString("100%25%20%231%20%2A%2B%24%3A%5C"));
}

TEST(Escaping, CssIdentifierStringAndUrl)
{
    ExpectTable("CssEscapeIdent", CssEscapeIdent,
        {R"(He\ said\ \"hi\"\ \&\ \'bye\')", R"(\<\/style\>\<b\>)", R"(\<\/script\>)", R"(\<\?php\ echo\ 1\;\ \?\>)",
         "a\\d \\a b", "x\xE2\x80\xA8y", "caf\xC3\xA9", "a"});
    ExpectTable("CssQuoted", CssQuoted,
        {R"('He said "hi" & \'bye\'')", R"('\3c /style>\3c b>')", R"('\3c /script>')", R"('\3c ?php echo 1; ?>')",
         R"('a\d \a b')", "'x\xE2\x80\xA8y'", "'caf\xC3\xA9'", "'a'"});
    ExpectExtras("CssQuoted", CssQuoted, {{"a\\b", R"('a\\b')"}, {"", "''"}});
    ExpectExtras("CssFontFamily", CssFontFamily,
        {{"Times New Roman", "Times New Roman"}, {"Open Sans 3", "'Open Sans 3'"}, {"a'b", R"('a\'b')"}, {"", "''"},
         {"</style>", R"('\3c /style>')"}});
    ExpectTable("CssUrl", CssUrl,
        {R"(url('He said \22 hi\22  \26  \27 bye\27 '))", R"(url('\3c /style\3e \3c b\3e '))", R"(url('\3c /script\3e '))",
         R"(url('\3c ?php echo 1; ?\3e '))", R"(url('a\d \a b'))", "url('x\xE2\x80\xA8y')", "url('caf\xC3\xA9')", "url('a')"});
}

TEST(Escaping, CssBlockText)
{
    ExpectTable("CssBlockText", CssBlockText,
        {R"(He said \22 hi\22  \26  \27 bye\27 )", R"(\3c \2f style\3e \3c b\3e )", R"(\3c \2f script\3e )",
         R"(\3c \3f php echo 1\3b  \3f \3e )", R"(a\d \a b)", "x\xE2\x80\xA8y", "caf\xC3\xA9", "a"});
    ExpectExtras("CssBlockText", CssBlockText, {{"} body{color:red", R"(\7d  body\7b color\3a red)"}});
}

TEST(Escaping, CssStyleElementText)
{
    ExpectTable("CssStyleElementText", CssStyleElementText,
        {"He said \"hi\" & 'bye'", R"(\3c /style>\3c b>)", R"(\3c /script>)", R"(\3c ?php echo 1; ?>)", "a\r\nb", "x\xE2\x80\xA8y",
         "caf\xC3\xA9", "a"});
    ExpectExtras("CssStyleElementText", CssStyleElementText,
        {{"#a { color:red;</STYLE ><script>x</script> }", R"(#a { color:red;\3c /STYLE >\3c script>x\3c /script> })"},
         {"a\x01\tb\x7F<!--", "a\\1 \tb\\7f \\3c !--"}});
}

TEST(Escaping, JavaScriptString)
{
    ExpectTable("EscapeJsString", EscapeJsString,
        {R"(He said \x22hi\x22 \x26 \'bye\')", R"(\x3C/style>\x3Cb>)", R"(\x3C/script>)", R"(\x3C?php echo 1; ?>)", R"(a\r\nb)",
         R"(x\u2028y)", "caf\xC3\xA9", "a"});
    ExpectExtras("EscapeJsString", EscapeJsString,
        {{"\xE2\x80\xA9", R"(\u2029)"}, {"a\\b", R"(a\\b)"}, {"\t\x01\x7F", R"(\t\x01\x7F)"},
         {"\xE2\x80\xAA", "\xE2\x80\xAA"}}); // U+202A is no line end
}

TEST(Escaping, PhpLiteralAndMailHeader)
{
    ExpectTable("PhpQuoted", PhpQuoted,
        {R"('He said "hi" & \'bye\'')", "'</style><b>'", "'</script>'", "'<?php echo 1; ?>'", "'a\r\nb'", "'x\xE2\x80\xA8y'",
         "'caf\xC3\xA9'", "'a'"});
    ExpectExtras("PhpQuoted", PhpQuoted, {{"a\\b", R"('a\\b')"}, {"\\'", R"('\\\'')"}, {"$x {$y}", "'$x {$y}'"}});
    ExpectTable("MailHeaderText", MailHeaderText,
        {R"(He said "hi" & 'bye')", "</style><b>", "</script>", "<?php echo 1; ?>", "a  b", "x\xE2\x80\xA8y", "caf\xC3\xA9", "a"});
    ExpectExtras("MailHeaderText", MailHeaderText, {{"Hi\r\nBcc: x@y.example", "Hi  Bcc: x@y.example"}, {"\tx\x7F", " x "}});
}
