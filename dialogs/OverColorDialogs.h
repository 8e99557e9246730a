// Mouse-over colours of pictures and shapes, and an item's text shadow with its presets.
// Each works on plain members that the opener fills and reads back after OK.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/core/Types.h"
#include "framework/ui/Dialog.h"

extern const DlgTemplate kImageOverColorTemplate;
extern const DlgTemplate kShapeOverColorTemplate;
extern const DlgTemplate kTextShadowTemplate;

class DImageOverColor : public CDialog {
public:
    explicit DImageOverColor(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    int m_nHue = 0;        // -180..180
    int m_nBrightness = 0; // -100..100
    int m_nSaturation = 0; // -100..100
    int m_nState = 0;      // 0 "Apply to over state", 1 "Apply to normal state"
    COLORREF m_crColorize = 0xFFFFFFFF;

private:
    void OnDelete();
};

class DShapeOverColor : public CDialog {
public:
    explicit DShapeOverColor(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    COLORREF m_crLine = 0xFFFFFFFF;
    COLORREF m_crFill = 0xFFFFFFFF;
    COLORREF m_crText = 0xFFFFFFFF;
    int m_nFill = 0;   // 0 unchanged, 1 flat, 2 3D, 3 inset
    int m_nBorder = 0; // 0 unchanged, 1 none, 2..11 for 1 to 10 px

private:
    void OnDelete();
};

// The presets of the text shadow list, in list order.
enum TextShadowPreset {
    SHADOW_NONE,
    SHADOW_CUSTOM,
    SHADOW_BLACK,
    SHADOW_DARK_GLOW,
    SHADOW_WHITE_GLOW,
    SHADOW_RED_GLOW,
    SHADOW_MARTIAN_GLOW,
    SHADOW_UV_GLOW,
    SHADOW_PRESET_COUNT
};

class DTextShadow : public CDialog {
public:
    explicit DTextShadow(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    int m_nPreset = SHADOW_NONE;
    int m_nDeltaX = 0;
    int m_nDeltaY = 0;
    int m_nBlur = 0; // 0..1000: a negative blur is no CSS
    COLORREF m_crColor = 0;

private:
    void OnPresetChanged();
    void OnDelete();
};
