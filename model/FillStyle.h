// The background of an item, a page, a band or a style class: a colour with optional
// transparency, a gradient, a picture of the site or a picture by web address. The same
// record is painted in the editor, written as CSS, rendered into the small bitmap the
// CSS points to, and written out with the site.
#pragma once
#include "framework/core/CArchive.h"
#include "framework/core/CString.h"
#include "framework/core/Types.h"
#include "model/Dib.h"
#include <algorithm>
#include <memory>

class CDC;
class CFolder;
class CPicture;
class CPublishContext;

// The eight gradient stops the record stores (colour, transparency, position in percent).
// Nearly every fill holds the defaults, so the values are held only once one differs.
class CGradientStops {
public:
    static constexpr int kCount = 8;
    struct Stop {
        COLORREF color = 0xFFFFFF;
        int alpha = 0;
        int position = 0;
        bool operator==(const Stop&) const = default;
    };
    CGradientStops() = default;
    CGradientStops(const CGradientStops& other) { *this = other; }
    CGradientStops& operator=(const CGradientStops& other)
    {
        if (this != &other)
            m_p = other.m_p ? std::make_unique<Stop[]>(kCount) : nullptr;
        if (m_p)
            std::copy(other.m_p.get(), other.m_p.get() + kCount, m_p.get());
        return *this;
    }
    CGradientStops(CGradientStops&&) noexcept = default;
    CGradientStops& operator=(CGradientStops&&) noexcept = default;

    static Stop Default(int i) { return Stop{0xFFFFFF, 0, i * 100 / kCount}; }
    Stop Get(int i) const { return m_p ? m_p[i] : Default(i); }
    void Set(int i, const Stop& stop)
    {
        if (!m_p) {
            if (stop == Default(i))
                return;
            m_p = std::make_unique<Stop[]>(kCount);
            for (int k = 0; k < kCount; ++k)
                m_p[k] = Default(k);
        }
        m_p[i] = stop;
    }

private:
    std::unique_ptr<Stop[]> m_p;
};

class CFillStyle {
public:
    enum Kind { KindColor = 0, KindGradient = 1, KindPicture = 2, KindAddress = 3 };
    enum EndMode { EndFillColor = 0, EndSecondColor = 1, EndTransparent = 2 };
    enum { kStops = CGradientStops::kCount };

    CFillStyle();

    // A kind other than colour only, or a colour that is set.
    bool IsSet() const;
    // Whether every value the record and its extension store is a new fill's.
    bool IsDefaultRecord() const;
    // Copies kind, start colour, colour, direction, length, position, picture and repeat.
    void CopySettings(const CFillStyle& other);
    // The record; a load renders the bitmap without resetting the upload state.
    void Serialize(CArchive& ar, int version);
    // The values the record layout has no place for (the transparency), kept in the
    // project file's extension section, undo snapshots and clipboard streams. A load
    // renders again.
    void SerializeExtension(CArchive& ar);

    // Renders the colour tile or the gradient into m_bitmap; a true flag marks the
    // rendering as changed for upload.
    void Render(bool reset);
    // Paints into the rectangle (device units); radius > 0 rounds the corners.
    void Paint(CDC* dc, int left, int top, int right, int bottom, int radius = 0);
    // Appends the CSS declarations of the fill.
    void WriteCss(CString& css) const;
    // Names, saves and records the fill's picture file in the run's output folder.
    // 0 when the file could not be written (it is then not recorded).
    int MakeImageFileName(CPublishContext& context);

    // The name of the colour tile or gradient file (lower case).
    CString GetRenderedFileName() const;

    int m_nKind = KindColor;
    COptionalDib m_bitmap;
    COLORREF m_crStart = 0xC0C0C0;
    COLORREF m_crSecond = 0xC0C0C0;
    COLORREF m_crColor = 0xFFFFFFFFu;
    CFolder* m_pFolder = nullptr; // folder of the page being written (not stored)
    int m_nDirection = 0;
    int m_nLength = 100; // gradient length in pixels; rendered up to kMaxGradientLength
    // The longest gradient the background dialog offers; a longer one read from a file is
    // rendered at this length (the record keeps its value).
    static constexpr int kMaxGradientLength = 3000;
    int m_nEndMode = EndFillColor;
    CPicture* m_pPicture = nullptr; // resolved from m_nPictureId by the document (not stored)
    int m_nPosition = 0;
    int m_nRepeat = 0;
    int m_nX = 0;
    int m_nY = 0;
    int m_nPictureId = 0;
    CString m_strFileName;
    CString m_strOutputName; // the rendered picture the last generation wrote (not archived)
    int m_nUploadState = 0;
    int m_nTransparency = 0; // tenths of full transparency, 0..10
    CString m_strAddress;
    int m_bFixed = 0;
    CGradientStops m_stops;

private:
    const CDib* PictureDib() const;
};

// A fill that most of its holders leave as it is made (a link's background under the
// mouse): held only once written to; read access without it gives a new fill's values.
// Loading keeps nothing for a record that holds only defaults.
class COptionalFill {
public:
    COptionalFill() = default;
    COptionalFill(const COptionalFill& other) { *this = other; }
    COptionalFill& operator=(const COptionalFill& other)
    {
        if (this != &other)
            m_p = other.m_p ? std::make_unique<CFillStyle>(*other.m_p) : nullptr;
        return *this;
    }
    COptionalFill(COptionalFill&&) noexcept = default;
    COptionalFill& operator=(COptionalFill&&) noexcept = default;

    CFillStyle& Edit();
    const CFillStyle& Get() const;
    bool IsHeld() const { return m_p != nullptr; }
    CFillStyle* IfHeld() { return m_p.get(); }
    void Serialize(CArchive& ar, int version);
    void SerializeExtension(CArchive& ar);

private:
    std::unique_ptr<CFillStyle> m_p;
};
