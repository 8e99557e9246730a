// Drawing objects of the framework: pens, brushes, fonts, regions and bitmaps, with the
// constants the system's drawing code passes to them. They are plain values; a device
// context (Dc.h) copies what is selected into it.
#pragma once
#include "framework/core/Geometry.h"
#include "framework/core/Types.h"
#include <QtGui/QFont>
#include <QtGui/QImage>
#include <QtGui/QRegion>

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6; // a shape's outline lies wholly inside its bounding rectangle

// Font weights, character sets, precisions and qualities (LOGFONT fields).
constexpr int FW_DONTCARE = 0;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE SYMBOL_CHARSET = 2;
constexpr BYTE OUT_DEFAULT_PRECIS = 0;
constexpr BYTE OUT_TT_PRECIS = 4;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE DRAFT_QUALITY = 1;
constexpr BYTE PROOF_QUALITY = 2;
constexpr BYTE NONANTIALIASED_QUALITY = 3;
constexpr BYTE ANTIALIASED_QUALITY = 4;
constexpr BYTE DEFAULT_PITCH = 0;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Text alignment of TextOut.
constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;

// DrawText formats.
constexpr UINT DT_TOP = 0x0;
constexpr UINT DT_LEFT = 0x0;
constexpr UINT DT_CENTER = 0x1;
constexpr UINT DT_RIGHT = 0x2;
constexpr UINT DT_VCENTER = 0x4;       // single line only
constexpr UINT DT_BOTTOM = 0x8;        // single line only
constexpr UINT DT_WORDBREAK = 0x10;
constexpr UINT DT_SINGLELINE = 0x20;
constexpr UINT DT_EXPANDTABS = 0x40;
// Bits 8..15 then give the characters per tab stop (not flags); prefixes are not
// processed and the text is not clipped.
constexpr UINT DT_TABSTOP = 0x80;
constexpr UINT DT_NOCLIP = 0x100;
constexpr UINT DT_EXTERNALLEADING = 0x200;
constexpr UINT DT_CALCRECT = 0x400;
constexpr UINT DT_NOPREFIX = 0x800;
constexpr UINT DT_END_ELLIPSIS = 0x8000;

// Drawing modes (SetROP2).
constexpr int R2_BLACK = 1;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_COPYPEN = 13;
constexpr int R2_WHITE = 16;

// Region combination modes and results.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// Polygon fill modes.
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

// Mapping modes.
constexpr int MM_TEXT = 1;
constexpr int MM_ISOTROPIC = 7;
constexpr int MM_ANISOTROPIC = 8;

// Blits.
constexpr int BLACKONWHITE = 1;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;
constexpr UINT DIB_RGB_COLORS = 0;
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;

// Stock objects (CDC::SelectStockObject, GetStockObject).
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int ANSI_FIXED_FONT = 11;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEFAULT_GUI_FONT = 17;

// a * b / c rounded half away from zero, in 64 bits; -1 when c is 0.
int MulDiv(int a, int b, int c);

// The 60-byte font description stored in project records as it lies in memory
// (naturally aligned: no padding).
struct LOGFONT {
    LONG lfHeight = 0; // < 0: character height in pixels; > 0: cell height; 0: default
    LONG lfWidth = 0;  // average character width; 0: the face's own proportions
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[32] = {};
    bool operator==(const LOGFONT&) const = default;
};
static_assert(sizeof(LOGFONT) == 60 && alignof(LOGFONT) == 4);
using LOGFONTA = LOGFONT;

// Copies face into the record's face field, cut to 31 bytes and terminated.
void SetLogFontFace(LOGFONT& lf, const char* face);

// Text metrics of a font in the units of the device context that measured them.
struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = 0;
};

class CGdiObject {
public:
    virtual ~CGdiObject() = default;
    // True once the object was created (or it is a stock object).
    bool IsCreated() const { return m_created; }
    // Returns the object to its empty state.
    virtual BOOL DeleteObject();

protected:
    bool m_created = false;
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    BOOL CreatePen(int style, int width, COLORREF color);
    int Style() const { return m_style; }
    int Width() const { return m_width; } // 0 and 1 both draw one pixel
    COLORREF Color() const { return m_color; }
    BOOL DeleteObject() override;

private:
    int m_style = PS_SOLID;
    int m_width = 1;
    COLORREF m_color = 0;
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    BOOL CreateSolidBrush(COLORREF color);
    // A brush that paints nothing (the stock hollow brush).
    BOOL CreateHollowBrush();
    bool IsHollow() const { return m_hollow; }
    COLORREF Color() const { return m_color; }
    BOOL DeleteObject() override;

private:
    bool m_hollow = false;
    COLORREF m_color = 0xFFFFFF;
};

class CFont : public CGdiObject {
public:
    BOOL CreateFontIndirect(const LOGFONT* lf);
    // A font of pointSize tenths of a point in the given face, at 96 dots per inch:
    // height -MulDiv(pointSize, 96, 720). The device context is not consulted.
    BOOL CreatePointFont(int pointSize, const char* faceName, class CDC* dc = nullptr);
    int GetLogFont(LOGFONT* lf) const;
    const LOGFONT& LogFont() const { return m_lf; }
    BOOL DeleteObject() override;

private:
    LOGFONT m_lf;
};

// The Qt font for a font description, heights and widths multiplied by scale (the
// device pixels per logical unit).
QFont QFontFromLogFont(const LOGFONT& lf, double scale = 1.0);
// The reverse, for fonts chosen in a font dialog: face, character height in pixels
// (negative), weight, italic, underline, strike-out.
LOGFONT LogFontFromQFont(const QFont& font);

// A region in device coordinates. Rectangles exclude their right and bottom edges.
class CRgn : public CGdiObject {
public:
    BOOL CreateRectRgn(int l, int t, int r, int b);
    BOOL CreateRectRgnIndirect(const RECT* rc) { return CreateRectRgn(rc->left, rc->top, rc->right, rc->bottom); }
    BOOL CreateEllipticRgn(int l, int t, int r, int b);
    BOOL CreateEllipticRgnIndirect(const RECT* rc) { return CreateEllipticRgn(rc->left, rc->top, rc->right, rc->bottom); }
    BOOL CreateRoundRectRgn(int l, int t, int r, int b, int ellipseWidth, int ellipseHeight);
    BOOL CreatePolygonRgn(const POINT* points, int count, int fillMode);
    // this = a combined with b; returns NULLREGION, SIMPLEREGION, COMPLEXREGION or RGN_ERROR.
    int CombineRgn(const CRgn* a, const CRgn* b, int mode);
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT p) const { return PtInRegion(p.x, p.y); }
    int GetRgnBox(RECT* rc) const;
    int OffsetRgn(int dx, int dy);
    BOOL DeleteObject() override;
    const QRegion& Region() const { return m_region; }
    void SetRegion(const QRegion& r) { m_region = r; m_created = true; }

private:
    QRegion m_region;
};

// A bitmap that a memory device context paints into: 32-bit pixels without alpha.
class CBitmap : public CGdiObject {
public:
    CBitmap() = default;
    ~CBitmap() override;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;
    // A black bitmap of width x height; the device context is not consulted.
    BOOL CreateCompatibleBitmap(class CDC* dc, int width, int height);
    BOOL DeleteObject() override;
    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    CSize GetSize() const { return {Width(), Height()}; }
    // The pixels (QImage::Format_RGB32). Do not write to them while the bitmap is selected.
    const QImage& Image() const { return m_image; }
    QImage& Image() { return m_image; }

private:
    friend class CDC;
    QImage m_image;
    class CDC* m_selectedIn = nullptr;
};

// The shared stock objects (WHITE_BRUSH ... DEFAULT_GUI_FONT); null for an unknown index.
CGdiObject* GetStockObject(int index);
