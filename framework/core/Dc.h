// The device context: the system's drawing calls on a QPainter over a QImage (memory
// DC, bitmap selected into a compatible DC) or a widget's paint device.
//
// Rules kept from the platform the drawing code was written for:
//  - Rectangles hold the pixels from left/top up to, but not including, right/bottom;
//    shapes are not antialiased (renderers supersample and average themselves).
//  - Rectangle, Ellipse, RoundRect: the brush fills the shape, the pen outlines it; a
//    PS_INSIDEFRAME pen stays inside the bounding rectangle, other pens of width w are
//    centred on the one-pixel outline; LineTo leaves out its end point.
//  - Logical coordinates pass through the window and viewport origins and, in
//    MM_ISOTROPIC/MM_ANISOTROPIC, the extents; pens, fonts and character extra scale
//    with them. Clip regions are in device coordinates and unaffected by later origin
//    changes. SaveDC/RestoreDC keep every setting, the selected objects and the clip.
//  - Between BeginPath and EndPath the figures and text go into the path instead of
//    onto the device.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/Gdi.h"
#include "framework/core/PackedBitmap.h"
#include <deque>
#include <memory>
#include <optional>
#include <vector>
#include <QtGui/QPainterPath>

class QPainter;
class QPaintDevice;

class CDC {
public:
    // A context without a device: it measures text; drawing does nothing until a
    // bitmap is selected (CreateCompatibleDC) or a device attached.
    CDC();
    // Paints on the device (a QImage, or a widget inside its paint event).
    explicit CDC(QPaintDevice* device);
    // Paints with a painter that the caller keeps active.
    explicit CDC(QPainter* painter);
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // A memory context with a 1 x 1 bitmap until one is selected. The argument is not consulted.
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();
    void Attach(QPaintDevice* device);
    void Attach(QPainter* painter);
    void Detach();
    // The painter, null when nothing is attached. Its state is set by each drawing call.
    QPainter* Painter() const { return m_painter; }
    // The image painted into, null when the device is not an image.
    QImage* Image() const { return m_image; }

    // State.
    int SaveDC();
    // saved > 0: the state returned by that SaveDC call; negative: that many states back.
    BOOL RestoreDC(int saved);
    COLORREF SetTextColor(COLORREF c);
    COLORREF GetTextColor() const { return m_s.textColor; }
    COLORREF SetBkColor(COLORREF c);
    COLORREF GetBkColor() const { return m_s.bkColor; }
    int SetBkMode(int mode);
    int GetBkMode() const { return m_s.bkMode; }
    UINT SetTextAlign(UINT align);
    UINT GetTextAlign() const { return m_s.textAlign; }
    int SetROP2(int mode);
    int GetROP2() const { return m_s.rop2; }
    int SetTextCharacterExtra(int extra);
    int GetTextCharacterExtra() const { return m_s.charExtra; }
    int SetStretchBltMode(int mode);
    int GetStretchBltMode() const { return m_s.stretchMode; }

    // Coordinates.
    int SetMapMode(int mode);
    int GetMapMode() const { return m_s.mapMode; }
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(CPoint p) { return SetViewportOrg(p.x, p.y); }
    CPoint OffsetViewportOrg(int dx, int dy);
    CPoint GetViewportOrg() const { return m_s.vpOrg; }
    // Extents only change in MM_ISOTROPIC and MM_ANISOTROPIC.
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(CSize s) { return SetViewportExt(s.cx, s.cy); }
    CSize GetViewportExt() const { return m_s.vpExt; }
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(CSize s) { return SetWindowExt(s.cx, s.cy); }
    CSize GetWindowExt() const { return m_s.winExt; }
    void LPtoDP(POINT* points, int count = 1) const;
    void LPtoDP(RECT* rc) const;
    void LPtoDP(SIZE* size) const;
    void DPtoLP(POINT* points, int count = 1) const;
    void DPtoLP(RECT* rc) const;
    void DPtoLP(SIZE* size) const;

    // Objects: the context keeps a copy; the returned pointer (the previous object) stays
    // valid as long as the context, so it can be selected back.
    CPen* SelectObject(const CPen* pen);
    CBrush* SelectObject(const CBrush* brush);
    CFont* SelectObject(const CFont* font);
    // Selects the bitmap into a memory context (painting goes into it); returns the previous one.
    CBitmap* SelectObject(CBitmap* bitmap);
    // The region becomes the clip region (SelectClipRgn); returns the region type.
    int SelectObject(const CRgn* region);
    CGdiObject* SelectObject(CGdiObject* object);
    CGdiObject* SelectStockObject(int index);
    const CPen& GetCurrentPen() const { return m_s.pen; }
    const CBrush& GetCurrentBrush() const { return m_s.brush; }
    const CFont& GetCurrentFont() const { return m_s.font; }
    CBitmap* GetCurrentBitmap() const { return m_bitmap; }

    // Lines and shapes (logical coordinates).
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(CPoint p) { return MoveTo(p.x, p.y); }
    CPoint GetCurrentPosition() const { return m_s.position; }
    BOOL LineTo(int x, int y);
    BOOL LineTo(CPoint p) { return LineTo(p.x, p.y); }
    BOOL Polygon(const POINT* points, int count);
    BOOL Rectangle(int l, int t, int r, int b);
    BOOL Rectangle(const RECT& rc) { return Rectangle(rc.left, rc.top, rc.right, rc.bottom); }
    BOOL Ellipse(int l, int t, int r, int b);
    BOOL Ellipse(const RECT& rc) { return Ellipse(rc.left, rc.top, rc.right, rc.bottom); }
    // ew, eh: width and height of the ellipse that rounds the corners.
    BOOL RoundRect(int l, int t, int r, int b, int ew, int eh);
    BOOL RoundRect(const RECT& rc, CPoint ellipse) { return RoundRect(rc.left, rc.top, rc.right, rc.bottom, ellipse.x, ellipse.y); }
    void FillRect(const RECT& rc, const CBrush* brush);
    void FillSolidRect(const RECT& rc, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color) { FillSolidRect(CRect(x, y, x + cx, y + cy), color); }
    // Inverts every other pixel of the rectangle's edge; a second call removes it.
    void DrawFocusRect(const RECT& rc);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    COLORREF SetPixel(int x, int y, COLORREF color);
    // CLR_INVALID outside the image or when the device is not an image.
    COLORREF GetPixel(int x, int y) const;

    // Paths.
    BOOL BeginPath();
    BOOL EndPath();
    BOOL CloseFigure();
    BOOL FillPath();
    BOOL StrokePath();
    BOOL StrokeAndFillPath();
    // Combines the clip region with the area of the path (mode RGN_AND, RGN_COPY, ...).
    BOOL SelectClipPath(int mode);
    // The path recorded so far, in device coordinates.
    const QPainterPath& CurrentPath() const { return m_path; }

    // Clipping (device coordinates for regions, logical for rectangles).
    int SelectClipRgn(const CRgn* region, int mode = RGN_COPY);
    int IntersectClipRect(int l, int t, int r, int b);
    int IntersectClipRect(const RECT& rc) { return IntersectClipRect(rc.left, rc.top, rc.right, rc.bottom); }
    int ExcludeClipRect(int l, int t, int r, int b);
    int ExcludeClipRect(const RECT& rc) { return ExcludeClipRect(rc.left, rc.top, rc.right, rc.bottom); }
    // The bounding box of the clip (logical); the whole device when there is no clip.
    int GetClipBox(RECT* rc) const;

    // Text. Wide texts are UTF-16 (length -1: up to the terminating 0), narrow ones UTF-8.
    // DrawText returns the height of the text; with DT_CALCRECT it only measures and
    // sets the rectangle's right and bottom to the text's extent.
    int DrawText(const QString& text, RECT* rc, UINT format);
    int DrawText(const CString& text, RECT* rc, UINT format) { return DrawText(text.ToQString(), rc, format); }
    int DrawText(const char* text, int length, RECT* rc, UINT format);
    int DrawText(const char16_t* text, int length, RECT* rc, UINT format);
    int DrawTextW(const char16_t* text, int length, RECT* rc, UINT format) { return DrawText(text, length, rc, format); }
    BOOL TextOut(int x, int y, const QString& text);
    BOOL TextOut(int x, int y, const CString& text) { return TextOut(x, y, text.ToQString()); }
    BOOL TextOut(int x, int y, const char16_t* text, int length);
    BOOL TextOutW(int x, int y, const char16_t* text, int length) { return TextOut(x, y, text, length); }
    // Width and cell height of one line, character extra included.
    CSize GetTextExtent(const QString& text) const;
    CSize GetTextExtent(const CString& text) const { return GetTextExtent(text.ToQString()); }
    CSize GetTextExtent(const char16_t* text, int length) const;
    BOOL GetTextExtentPoint32W(const char16_t* text, int length, SIZE* size) const;
    BOOL GetTextMetrics(TEXTMETRIC* tm) const;

    // Blits.
    // Copies a 32- or 24-bit BI_RGB bitmap (rows bottom-up for a positive biHeight, top-down
    // for a negative one; the fourth byte is ignored) onto the device, scaled to the
    // destination. The source rectangle starts at the lower-left for bottom-up bitmaps.
    // Returns the number of rows drawn, 0 when nothing was.
    int StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
        int srcHeight, const void* bits, const BITMAPINFOHEADER* header, UINT usage, DWORD rop);
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop);
    // Draws an image with its alpha over the device at (x, y), scaled to width x height
    // when those are positive (nearest pixel).
    void DrawImage(int x, int y, const QImage& image, int width = -1, int height = -1);
    // Copies the device pixels of a logical rectangle (empty when the device is no image).
    QImage GrabImage(const RECT& rc) const;

    // The Qt font of the selected font at the device's scale, character extra included.
    QFont DeviceFont() const;

private:
    struct State {
        CPen pen;
        CBrush brush;
        CFont font;
        COLORREF textColor = 0;
        COLORREF bkColor = 0xFFFFFF;
        int bkMode = OPAQUE;
        UINT textAlign = 0;
        int rop2 = R2_COPYPEN;
        int charExtra = 0;
        int stretchMode = BLACKONWHITE;
        int mapMode = MM_TEXT;
        CPoint vpOrg;
        CSize vpExt{1, 1}, winExt{1, 1};
        CPoint position;
        std::optional<QRegion> clip;
    };
    enum class Shape { Rect, Ellipse, RoundRect };

    void InitDefaults();
    void BeginPainter(QPaintDevice* device);
    void EndPainter();
    bool CanPaint() const { return m_painter != nullptr; }
    void PreparePainter(bool forText = false) const;
    QPointF ToDeviceF(double x, double y) const;
    QPoint ToDevice(int x, int y) const;
    QRect ToDeviceRect(int l, int t, int r, int b) const;
    double ScaleX() const;
    double ScaleY() const;
    int DevicePenWidth() const;
    // Ends the use of the finished path: fills it with the brush, outlines it with the
    // pen, or both; FALSE while a path is open or when there is none.
    BOOL DrawClosedPath(bool fill, bool stroke);
    void FillDevicePath(const QPainterPath& path, COLORREF color) const;
    void StrokeDevicePath(const QPainterPath& path, bool closedOutline) const;
    void DrawShape(Shape shape, int l, int t, int r, int b, int ew, int eh);
    void DeviceLine(QPoint a, QPoint b, int& dashPhase);
    BOOL TextOutDevice(QPointF p, const QString& text);
    int SetClip(const std::optional<QRegion>& region, int mode);
    void ClipTo(std::optional<QRegion> region);
    int ClipType() const;
    void BlitImage(const QRect& dest, const QImage& source, const QRect& srcRect, DWORD rop);
    // The selected bitmap is going away: paint into the context's own one, or nowhere.
    void ReleaseBitmap(CBitmap* bitmap);

    State m_s;
    std::vector<State> m_saved;
    QPainter* m_painter = nullptr;
    bool m_ownsPainter = false;
    QImage* m_image = nullptr;
    QPaintDevice* m_device = nullptr;
    CBitmap* m_bitmap = nullptr;
    std::unique_ptr<CBitmap> m_defaultBitmap;
    bool m_inPath = false;
    QPainterPath m_path;
    // Copies of the objects that SelectObject handed back, kept for the life of the context.
    std::deque<CPen> m_oldPens;
    std::deque<CBrush> m_oldBrushes;
    std::deque<CFont> m_oldFonts;
    friend class CBitmap;
};
