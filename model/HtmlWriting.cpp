#include "model/HtmlWriting.h"

#include "model/Escaping.h"

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

CString LocalPathToFileUrl(const char* path)
{
    if (!path)
        return {};
    CString text(path);
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    const bool drive = text.GetLength() > 2 && isLetter(text[0]) && text[1] == ':' && (text[2] == '\\' || text[2] == '/');
    if (!drive && (text.IsEmpty() || text[0] != '/'))
        return {};
    text.Replace('\\', '/');
    if (drive)
        return CString("file:///") + text.Left(2) + UrlEncodePath(text.Mid(2));
    // "//host/share" and "/path" alike: the path part of a file address on this machine
    while (text.GetLength() > 1 && text[0] == '/' && text[1] == '/')
        text = text.Mid(1);
    return CString("file://") + UrlEncodePath(text);
}

CString LocalPathToFileAddress(const CString& source)
{
    if (source.GetLength() > 1 && source[0] == '/' && source[1] == '/')
        return source;
    const CString url = LocalPathToFileUrl(source.GetString());
    return url.IsEmpty() ? source : url;
}
