#include "model/HtmlWriting.h"
#include "model/PageOutput.h"
#include <algorithm>
#include <cstring>
#include <random>

CString ColorToHtml(COLORREF color)
{
    char buf[8];
    const BYTE channels[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
    buf[0] = '#';
    for (int i = 0; i < 3; ++i) {
        buf[1 + 2 * i] = HexDigit(channels[i] >> 4);
        buf[2 + 2 * i] = HexDigit(channels[i] & 0x0F);
    }
    buf[7] = 0;
    return CString(buf);
}

char HexDigit(int n)
{
    if (n >= 0 && n <= 9)
        return char('0' + n);
    if (n >= 10 && n <= 15)
        return char('A' + n - 10);
    return ' ';
}

COLORREF HueToRgb(unsigned hue, unsigned saturation, unsigned brightness)
{
    // Out-of-range inputs would wrap the unsigned arithmetic into arbitrary colours.
    hue %= 360;
    saturation = std::min(saturation, 100u);
    unsigned r, g, b;
    auto f = [hue](unsigned start) { return (hue - start) * 255 / 60; };
    if (hue < 60) {
        r = 255; g = f(0); b = 0;
    } else if (hue < 120) {
        r = 255 - f(60); g = 255; b = 0;
    } else if (hue < 180) {
        r = 0; g = 255; b = f(120);
    } else if (hue < 240) {
        r = 0; g = 255 - f(180); b = 255;
    } else if (hue < 300) {
        r = f(240); g = 0; b = 255;
    } else {
        r = 255; g = 0; b = 255 - f(300);
    }
    auto shade = [&](unsigned c) {
        return (c + (255 - c) * (100 - saturation) / 100) * brightness / 100 & 0xFF;
    };
    return shade(r) | shade(g) << 8 | shade(b) << 16;
}

CString EncodeCharRefs(const char* text)
{
    CString out;
    if (!text)
        return out;
    // The choice only varies the look of the text; it needs no strong source.
    thread_local std::minstd_rand rng{std::random_device{}()};
    QString s = DecodeNarrow(text, int(std::strlen(text)));
    for (char32_t c : s.toUcs4()) {
        if (rng() & 1)
            out.AppendFormat("&#x%X;", unsigned(c));
        else
            out.AppendFormat("&#%u;", unsigned(c));
    }
    return out;
}

CString HtmlEscape(const char* text, bool quotes)
{
    std::string out;
    for (const char* p = text ? text : ""; *p; ++p) {
        switch (*p) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"':
            out += quotes ? "&quot;" : "\"";
            break;
        default: out += *p;
        }
    }
    return CString(std::move(out));
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

CString UrlEscapeUnsafe(const char* text)
{
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text ? text : ""); *p; ++p) {
        unsigned char c = *p;
        if (c <= 0x20 || c == 0x7F || std::strchr("\"<>\\^`{|}", c)) {
            out += '%';
            out += HexDigit(c >> 4);
            out += HexDigit(c & 0x0F);
        } else {
            out += char(c);
        }
    }
    return CString(std::move(out));
}

CString UrlEncodePath(const char* text)
{
    std::string out;
    if (!text)
        return CString();
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        unsigned char c = *p;
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || std::strchr("/-._~", c)) {
            out += char(c);
        } else {
            out += '%';
            out += HexDigit(c >> 4);
            out += HexDigit(c & 0x0F);
        }
    }
    return CString(std::move(out));
}

void EscapeHtmlChar(CPageOutput& out, char16_t ch)
{
    out.AppendHtmlChar(ch);
}
