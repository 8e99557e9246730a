#include "model/HtmlWriting.h"

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
