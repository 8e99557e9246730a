#include "document/NewItemDefaults.h"

#include "framework/core/Profile.h"
#include "model/items/ArtisticTextItem.h"
#include "model/items/ImageButtonItem.h"
#include "model/items/PayPalItem.h"
#include "model/items/SymbolItem.h"

#include <algorithm>
#include <span>
#include <string_view>
#include <vector>

namespace {

enum class KeyKind { Int, Face, Text };

// One profile key of a section: its default, and how the item's field is read and set.
// Rows are in writing order; rows not written are only read.
template <class Item> struct KeyRow {
    const char* key;
    KeyKind kind;
    int intDefault;
    const char* textDefault;
    int (*get)(const Item&);
    void (*set)(Item&, int);
    bool written = true;
};

// The largest button the dialogs accept; a bigger stored size would render a huge picture.
constexpr int kMaxButtonSide = 3000;
constexpr int kMaxFontHeight = 1000;

int ClampedHeight(int v) { return std::clamp(v, -kMaxFontHeight, kMaxFontHeight); }

template <class Item> void Apply(Item& item, const char* section, std::span<const KeyRow<Item>> rows)
{
    for (const KeyRow<Item>& row : rows) {
        switch (row.kind) {
        case KeyKind::Int: row.set(item, GetProfileInt(section, row.key, row.intDefault)); break;
        case KeyKind::Face:
            SetLogFontFace(item.m_lf, GetProfileString(section, row.key, row.textDefault).GetString());
            break;
        case KeyKind::Text:
            item.m_strText.FromUtf8(GetProfileString(section, row.key, row.textDefault).GetString());
            break;
        }
    }
}

template <class Item> void Save(const Item& item, const char* section, std::span<const KeyRow<Item>> rows)
{
    for (const KeyRow<Item>& row : rows) {
        if (!row.written)
            continue;
        switch (row.kind) {
        case KeyKind::Int: WriteProfileInt(section, row.key, row.get(item)); break;
        case KeyKind::Face: WriteProfileString(section, row.key, CString(item.m_lf.lfFaceName).GetString()); break;
        case KeyKind::Text: WriteProfileString(section, row.key, item.m_strText.GetUtf8().GetString()); break;
        }
    }
}

// A row of an integer field: read and written as int, stored in the field's own type.
#define FIELD_ROW(Item, key, def, expr)                                                                               \
    KeyRow<Item>                                                                                                       \
    {                                                                                                                  \
        key, KeyKind::Int, def, nullptr, [](const Item& i) { return int(i.expr); },                                   \
            [](Item& i, int v) { i.expr = decltype(i.expr)(v); }                                                       \
    }

// ---- Artistic Text and Symbol share their field layout.

const KeyRow<CArtisticTextItem> kArtisticRows[] = {
    FIELD_ROW(CArtisticTextItem, "Weight", 0, m_lf.lfWeight),
    FIELD_ROW(CArtisticTextItem, "Italic", 0, m_lf.lfItalic),
    FIELD_ROW(CArtisticTextItem, "Underline", 0, m_lf.lfUnderline),
    {"FontHeight", KeyKind::Int, -48, nullptr, [](const CArtisticTextItem& i) { return int(i.m_lf.lfHeight); },
     [](CArtisticTextItem& i, int v) { i.m_lf.lfHeight = ClampedHeight(v); }},
    {"Face", KeyKind::Face, 0, "Arial Black", nullptr, nullptr},
    FIELD_ROW(CArtisticTextItem, "CharExtra", 0, m_nCharExtra),
    FIELD_ROW(CArtisticTextItem, "FontColor", 0xCC, m_crText),
    FIELD_ROW(CArtisticTextItem, "FillColor2", 0xFFFF, m_crFill2),
    FIELD_ROW(CArtisticTextItem, "Gradient2Way", 0, m_bGradient2Way),
    FIELD_ROW(CArtisticTextItem, "LineColor", 0xE0E0E0, m_crFrame),
    FIELD_ROW(CArtisticTextItem, "LineColor2", 0x808080, m_crLine2),
    FIELD_ROW(CArtisticTextItem, "LineStyle3D", 0, m_nFrameShading),
    FIELD_ROW(CArtisticTextItem, "LineStyle3D2", 0, m_nLineStyle2),
    FIELD_ROW(CArtisticTextItem, "FillStyle3D", 0, m_nInteriorShading),
    FIELD_ROW(CArtisticTextItem, "Stretch", 100, m_nStretch),
    FIELD_ROW(CArtisticTextItem, "LineWidth", 0, m_nFrameWidth),
    FIELD_ROW(CArtisticTextItem, "LineWidth2", 0, m_nLineWidth2),
    {"GradientStyle", KeyKind::Int, 1, nullptr, [](const CArtisticTextItem& i) { return i.m_nGradient; },
     [](CArtisticTextItem& i, int v) { i.m_nGradient = v; }, false},
};

const KeyRow<CSymbolItem> kSymbolRows[] = {
    FIELD_ROW(CSymbolItem, "Weight", FW_NORMAL, m_lf.lfWeight),
    FIELD_ROW(CSymbolItem, "Italic", 0, m_lf.lfItalic),
    FIELD_ROW(CSymbolItem, "Underline", 0, m_lf.lfUnderline),
    FIELD_ROW(CSymbolItem, "FontColor", 0xCC, m_crText),
    FIELD_ROW(CSymbolItem, "FillColor2", 0x5080FF, m_crFill2),
    FIELD_ROW(CSymbolItem, "Gradient2Way", 0, m_bGradient2Way),
    FIELD_ROW(CSymbolItem, "LineColor", 0x80E0E0, m_crFrame),
    FIELD_ROW(CSymbolItem, "LineColor2", 0x808080, m_crLine2),
    FIELD_ROW(CSymbolItem, "LineStyle3D", 4, m_nFrameShading),
    FIELD_ROW(CSymbolItem, "LineStyle3D2", 0, m_nLineStyle2),
    FIELD_ROW(CSymbolItem, "FillStyle3D", 1, m_nInteriorShading),
    FIELD_ROW(CSymbolItem, "Stretch", 100, m_nStretch),
    FIELD_ROW(CSymbolItem, "LineWidth", 10, m_nFrameWidth),
    FIELD_ROW(CSymbolItem, "LineWidth2", 2, m_nLineWidth2),
    {"GradientStyle", KeyKind::Int, 1, nullptr, [](const CSymbolItem& i) { return i.m_nGradient; },
     [](CSymbolItem& i, int v) { i.m_nGradient = v; }, false},
};

// ---- Image Button and the payment button: one layout, two sections with their own
// defaults and order.

using ButtonRow = KeyRow<CImageButtonItem>;

#define BUTTON_ROW(key, def, expr) FIELD_ROW(CImageButtonItem, key, def, expr)

ButtonRow SizeRow(const char* key, int def, bool width)
{
    if (width)
        return {key, KeyKind::Int, def, nullptr, [](const CImageButtonItem& i) { return i.m_nRenderWidth; },
                [](CImageButtonItem& i, int v) { i.m_nWidth = i.m_nRenderWidth = std::clamp(v, 1, kMaxButtonSide); }};
    return {key, KeyKind::Int, def, nullptr, [](const CImageButtonItem& i) { return i.m_nRenderHeight; },
            [](CImageButtonItem& i, int v) { i.m_nHeight = i.m_nRenderHeight = std::clamp(v, 1, kMaxButtonSide); }};
}

const ButtonRow kFontHeightRow = {"FontHeight", KeyKind::Int, -12, nullptr,
                                  [](const CImageButtonItem& i) { return int(i.m_lf.lfHeight); },
                                  [](CImageButtonItem& i, int v) { i.m_lf.lfHeight = ClampedHeight(v); }};

std::vector<ButtonRow> ButtonRows(bool pay)
{
    std::vector<ButtonRow> rows = {
        BUTTON_ROW("Weight", FW_BOLD, m_lf.lfWeight),
        BUTTON_ROW("Italic", 0, m_lf.lfItalic),
        BUTTON_ROW("Underline", 0, m_lf.lfUnderline),
        BUTTON_ROW("Charset", DEFAULT_CHARSET, m_lf.lfCharSet),
        kFontHeightRow,
        {"Face", KeyKind::Face, 0, "Tahoma", nullptr, nullptr},
        BUTTON_ROW("Shape", 2, m_nFrameShape),
        SizeRow("Width", pay ? 60 : 88, true),
        SizeRow("Height", pay ? 30 : 0, false), // the image button's default follows the width
        {"Text", KeyKind::Text, 0, pay ? "Buy" : "OK", nullptr, nullptr, pay},
        BUTTON_ROW("LineWidth", pay ? 2 : 4, m_nFrameWidth),
        BUTTON_ROW("LineStyle", 0, m_nFrameShading),
        BUTTON_ROW("FontColor", 0xFFFFFF, m_crText),
        BUTTON_ROW("FillColor", 0xC0C0C0, m_crSecond),
        BUTTON_ROW("LineColor", pay ? 0x00FF00 : 0xFFFF, m_crFrame),
        BUTTON_ROW("ShapeStyle", 1, m_nInteriorShading),
        BUTTON_ROW("TextStyle", 0, m_nCaptionStyle),
        BUTTON_ROW("Hairline", 1, m_bHairline),
        BUTTON_ROW("Shadow", 0, m_bInnerShadow),
        BUTTON_ROW("Background", 0xFFFFFF, m_crBackground),
        BUTTON_ROW("HairlineColor", 0xC0C0C0, m_crHairline),
        BUTTON_ROW("GlassStyle", 0, m_bGlass),
    };
    // Both read the caption after the size; only the payment button writes it.
    return rows;
}

const std::vector<ButtonRow>& ImageButtonRows()
{
    static const std::vector<ButtonRow> rows = ButtonRows(false);
    return rows;
}

const std::vector<ButtonRow>& PayButtonRows()
{
    static const std::vector<ButtonRow> rows = ButtonRows(true);
    return rows;
}

void ApplyButton(CImageButtonItem& item, const char* section, const std::vector<ButtonRow>& rows, bool pay)
{
    // The image button's stored height defaults to two fifths of its stored width.
    std::vector<ButtonRow> withHeight = rows;
    if (!pay) {
        const int width = std::clamp(GetProfileInt(section, "Width", 88), 1, kMaxButtonSide);
        for (ButtonRow& row : withHeight)
            if (std::string_view(row.key) == "Height")
                row.intDefault = std::max(1, width * 2 / 5);
    }
    Apply<CImageButtonItem>(item, section, withHeight);
    item.m_lf.lfOutPrecision = OUT_TT_PRECIS;
    item.m_lf.lfClipPrecision = 0;
    item.m_lf.lfQuality = DRAFT_QUALITY;
    item.m_lf.lfPitchAndFamily = 0;
}

} // namespace

void ApplyNewItemDefaults(CArtisticTextItem& item) { Apply<CArtisticTextItem>(item, kArtisticTextSection, kArtisticRows); }

void ApplyNewItemDefaults(CSymbolItem& item)
{
    const LOGFONT chosen = item.m_lf;
    item.m_lf = LOGFONT{};
    item.m_lf.lfHeight = -100;
    item.m_lf.lfCharSet = DEFAULT_CHARSET;
    item.m_lf.lfOutPrecision = OUT_TT_PRECIS;
    item.m_lf.lfQuality = DRAFT_QUALITY;
    std::copy(std::begin(chosen.lfFaceName), std::end(chosen.lfFaceName), item.m_lf.lfFaceName);
    item.m_lf.lfFaceName[sizeof item.m_lf.lfFaceName - 1] = 0;
    Apply<CSymbolItem>(item, kSymbolSection, kSymbolRows);
}

void ApplyNewItemDefaults(CImageButtonItem& item) { ApplyButton(item, kImageButtonSection, ImageButtonRows(), false); }

void ApplyNewItemDefaults(CPayPalItem& item) { ApplyButton(item, kPayButtonSection, PayButtonRows(), true); }

void SaveNewItemDefaults(const CArtisticTextItem& item) { Save<CArtisticTextItem>(item, kArtisticTextSection, kArtisticRows); }

void SaveNewItemDefaults(const CSymbolItem& item) { Save<CSymbolItem>(item, kSymbolSection, kSymbolRows); }

void SaveNewItemDefaults(const CImageButtonItem& item)
{
    Save<CImageButtonItem>(item, kImageButtonSection, ImageButtonRows());
}

void SaveNewItemDefaults(const CPayPalItem& item) { Save<CImageButtonItem>(item, kPayButtonSection, PayButtonRows()); }
