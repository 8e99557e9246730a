#include "model/Escaping.h"
#include <cstring>
#include <random>
#include <string>

namespace {

const unsigned char* Bytes(const char* text)
{
    return reinterpret_cast<const unsigned char*>(text ? text : "");
}

bool IsAsciiAlnum(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsControl(unsigned char c)
{
    return c < 0x20 || c == 0x7F;
}

// A CSS hex escape; the blank ends it, so a following hex digit is not read into it.
void AppendCssEscape(CString& out, unsigned char c)
{
    out.AppendFormat("\\%x ", unsigned(c));
}

bool IsCssNameStart(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80;
}

bool IsCssNameChar(unsigned char c)
{
    return IsCssNameStart(c) || (c >= '0' && c <= '9') || c == '-';
}

// The characters of an address as typed that never need encoding (see UrlEscapeUnsafe).
constexpr char kAddressSigns[] = "!#$%&'()*+,-./:;=?@[]_~";

} // namespace

// ---------------------------------------------------------------- HTML

const char* HtmlTextReference(char c)
{
    switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    default: return nullptr;
    }
}

CString HtmlEscape(const char* text, bool quotes)
{
    std::string out;
    for (const char* p = text ? text : ""; *p; ++p) {
        if (const char* ref = HtmlTextReference(*p))
            out += ref;
        else if (quotes && *p == '"')
            out += "&quot;";
        else
            out += *p;
    }
    return CString(std::move(out));
}

CString HtmlIdOfName(const char* name)
{
    CString id;
    for (const unsigned char* p = Bytes(name); *p; ++p)
        id += *p <= 0x20 || *p == 0x7F ? '_' : char(*p);
    return id;
}

CString HtmlAttributeEscape(const char* text)
{
    std::string out;
    for (const char* p = text ? text : ""; *p; ++p) {
        switch (*p) {
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        // a PHP opener would run on the server in a page written as PHP
        case '<': out += p[1] == '?' ? "&lt;" : "<"; break;
        default: out += *p;
        }
    }
    return CString(std::move(out));
}

CString HtmlQuoteEscape(const char* text)
{
    std::string out;
    for (const char* p = text ? text : ""; *p; ++p) {
        if (*p == '"')
            out += "&quot;";
        else
            out += *p;
    }
    return CString(std::move(out));
}

CString EncodeCharRefs(const char* text)
{
    CString out;
    if (!text)
        return out;
    // The choice only varies the look of the text; it needs no strong source.
    thread_local std::minstd_rand rng{std::random_device{}()};
    const QString s = DecodeNarrow(text, int(std::strlen(text)));
    for (char32_t c : s.toUcs4()) {
        if (rng() & 1)
            out.AppendFormat("&#x%X;", unsigned(c));
        else
            out.AppendFormat("&#%u;", unsigned(c));
    }
    return out;
}

// ---------------------------------------------------------------- addresses

CString PercentEncode(const char* text, PercentKeep keep)
{
    static const char kHex[] = "0123456789ABCDEF";
    const char* listed = keep.listed ? keep.listed : "";
    std::string out;
    for (const unsigned char* p = Bytes(text); *p; ++p) {
        const unsigned char c = *p;
        const bool kept = IsAsciiAlnum(c) || (c < 0x80 && std::strchr(listed, c)) || (c >= 0x80 && keep.nonAscii);
        if (kept) {
            out += char(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    return CString(std::move(out));
}

CString UrlEncodePath(const char* text)
{
    return PercentEncode(text, "/-._~");
}

CString UrlEncodeComponent(const char* text)
{
    return PercentEncode(text, "-._~");
}

CString UrlEncodeFormValue(const char* text)
{
    CString out = PercentEncode(text, "-._~ ");
    out.Replace(" ", "+"); // a '+' of the text is "%2B" by now
    return out;
}

namespace {
// '[' and ']' belong only to a host written as an IPv6 literal ("http://[::1]/"); in a
// path, query or fragment a checker refuses them, so they are encoded there.
CString EncodeBracketsOutsideHost(const CString& address)
{
    const std::string a = address.GetString();
    std::size_t hostBegin = std::string::npos, hostEnd = std::string::npos;
    if (const std::size_t scheme = a.find("://"); scheme != std::string::npos) {
        hostBegin = scheme + 3;
        hostEnd = a.find_first_of("/?#", hostBegin);
        if (hostEnd == std::string::npos)
            hostEnd = a.size();
    } else if (a.rfind("//", 0) == 0) {
        hostBegin = 2;
        hostEnd = a.find_first_of("/?#", hostBegin);
        if (hostEnd == std::string::npos)
            hostEnd = a.size();
    }
    std::string out;
    out.reserve(a.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        const bool inHost = hostBegin != std::string::npos && i >= hostBegin && i < hostEnd;
        if (!inHost && a[i] == '[')
            out += "%5B";
        else if (!inHost && a[i] == ']')
            out += "%5D";
        else
            out += a[i];
    }
    return CString(out.c_str());
}
} // namespace

CString UrlEscapeUnsafe(const char* text)
{
    return EncodeBracketsOutsideHost(PercentEncode(text, {kAddressSigns, true}));
}

CString UrlEscapeUnsafeQuoted(const char* text)
{
    return EncodeBracketsOutsideHost(PercentEncode(text, {"!#$%&*+,-./:;=?@[]_~", true}));
}

CString EncodeMailAddress(const char* text)
{
    return PercentEncode(text, "@.-_+~!$*=/'");
}

CString EncodeMailField(const char* text)
{
    return PercentEncode(text, "!(),-./;=@[]^_`{|}~");
}

void PercentEncodeText(CString& text)
{
    text = EncodeMailField(text.GetString());
}

// ---------------------------------------------------------------- CSS

CString CssEscapeIdent(const char* name)
{
    CString out;
    const std::string s = name ? name : "";
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = (unsigned char)s[i];
        const bool digit = c >= '0' && c <= '9';
        // A digit may not start an identifier, nor follow a leading "-".
        const bool leadingDigit = digit && (i == 0 || (i == 1 && s[0] == '-'));
        if (IsControl(c) || leadingDigit)
            AppendCssEscape(out, c);
        else if (IsCssNameChar(c) && !(i == 0 && c == '-' && s.size() == 1))
            out += char(c);
        else
            out += '\\', out += char(c);
    }
    return out;
}

CString CssQuoted(const char* text)
{
    CString out = "'";
    for (const unsigned char* p = Bytes(text); *p; ++p) {
        const unsigned char c = *p;
        if (c == '\'' || c == '\\')
            out += '\\', out += char(c);
        else if (IsControl(c) || c == '<') // '<' could end a style block or open PHP
            AppendCssEscape(out, c);
        else
            out += char(c);
    }
    return out + "'";
}

CString CssFontFamily(const char* name)
{
    // A family of plain words may stand unquoted; anything else is quoted.
    bool plain = name && *name;
    bool wordStart = true;
    for (const unsigned char* p = Bytes(name); plain && *p; ++p) {
        const unsigned char c = *p;
        if (c == ' ') {
            wordStart = true;
            continue;
        }
        plain = wordStart ? IsCssNameStart(c) : IsCssNameChar(c);
        wordStart = false;
    }
    return plain ? CString(name) : CssQuoted(name);
}

CString CssUrl(const char* value)
{
    CString out("url('");
    for (const unsigned char* p = Bytes(value); *p; ++p) {
        const unsigned char c = *p;
        if (IsControl(c) || std::strchr("'\"\\<>&", c))
            AppendCssEscape(out, c);
        else
            out += char(c);
    }
    out += "')";
    return out;
}

CString CssBlockText(const char* text)
{
    CString out;
    for (const unsigned char* p = Bytes(text); *p; ++p) {
        const unsigned char c = *p;
        if (c < 0x80 && !IsAsciiAlnum(c) && c != ' ')
            AppendCssEscape(out, c);
        else
            out += char(c);
    }
    return out;
}

CString CssStyleElementText(const char* css)
{
    CString out;
    for (const unsigned char* p = Bytes(css); *p; ++p) {
        const unsigned char c = *p;
        if (c == '<' || (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F)
            AppendCssEscape(out, c);
        else
            out += char(c);
    }
    return out;
}

// ---------------------------------------------------------------- scripts and mail

CString EscapeJsString(const char* text)
{
    CString out;
    for (const unsigned char* p = Bytes(text); *p; ++p) {
        const unsigned char c = *p;
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\'': out += "\\'"; break;
        // '"' and '&' as escapes: step texts then read the same inside an HTML attribute
        // whether or not the writer escapes it.
        case '"': out += "\\x22"; break;
        case '&': out += "\\x26"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '<': out += "\\x3C"; break; // never "</script>" inside a script block
        default:
            if (IsControl(c)) {
                out.AppendFormat("\\x%02X", unsigned(c));
            } else if (c == 0xE2 && p[1] == 0x80 && (p[2] == 0xA8 || p[2] == 0xA9)) {
                // U+2028 and U+2029 end a line inside an older engine's string literal.
                out.AppendFormat("\\u%04X", p[2] == 0xA8 ? 0x2028u : 0x2029u);
                p += 2;
            } else {
                out += char(c);
            }
        }
    }
    return out;
}

CString PhpQuoted(const char* text)
{
    CString out = "'";
    for (const char* p = text ? text : ""; *p; ++p) {
        if (*p == '\'' || *p == '\\')
            out += '\\';
        out += *p;
    }
    return out + "'";
}

CString MailHeaderText(const char* text)
{
    std::string out;
    for (const unsigned char* p = Bytes(text); *p; ++p)
        out += IsControl(*p) ? ' ' : char(*p);
    return CString(std::move(out));
}
