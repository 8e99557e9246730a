// The live picture adjustments: Hue, Brightness/Contrast, Saturation and Make Transparent.
// None of them touches pixels: each keeps its setting, shows it beside its slider and asks
// the opener to show it through the preview callback, 500 ms after the last slider change
// (one shot, restarted by every change). OK first sends a preview still pending, so the
// picture kept is the one the sliders show; Cancel sends nothing. The opener decides what
// OK and Cancel mean for the picture.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"
#include "model/ImageAdjust.h"

#include <functional>

extern const DlgTemplate kHueTemplate;
extern const DlgTemplate kBrightnessContrastTemplate;
extern const DlgTemplate kSaturationTemplate;
extern const DlgTemplate kMakeTransparentTemplate;

// Kinds of preview: the values are the ToneAdjustment record (3 ints), the saturation,
// the hue shift, or the TransparencyKey record (colour, threshold).
enum AdjustKind : int { ADJUST_TONE = 0, ADJUST_SATURATION = 3, ADJUST_HUE = 13, ADJUST_TRANSPARENCY = 26 };
// Called synchronously; values are valid only during the call.
using AdjustPreview = std::function<void(int kind, const int* values)>;

class DAdjustBase : public CDialog {
public:
    static constexpr UINT kPreviewDelayMs = 500;

    explicit DAdjustBase(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void OnTimer(UINT id) override;
    void OnOK() override;
    void OnCancel() override;

    // Whether a change waits for its preview.
    bool IsPreviewPending();
    // The timer's id, unique to this dialog object.
    UINT PreviewTimerId() const;

    AdjustPreview m_preview; // the target view's preview handler

protected:
    // A slider whose value is member, with its value label (format "%d" plus suffix).
    struct SliderBinding {
        int sliderId;
        int labelId;
        int* member;
        int minimum, maximum;
        const char* suffix;
    };
    void Bind(const SliderBinding& binding);
    // The kind and the values this dialog sends.
    virtual void SendPreview() = 0;
    void Send(int kind, const int* values);
    void WriteLabels();

private:
    void OnSliderChanged(const SliderBinding& binding);

    std::vector<SliderBinding> m_bindings;
    bool m_bInitialising = false;
};

class DHue : public DAdjustBase {
public:
    explicit DHue(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    int m_nHue = 0; // degrees, -180..180

protected:
    void SendPreview() override { Send(ADJUST_HUE, &m_nHue); }
};

class DBrightnessContrast : public DAdjustBase {
public:
    explicit DBrightnessContrast(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    ToneAdjustment m_tone;

protected:
    void SendPreview() override;
};

class DSaturation : public DAdjustBase {
public:
    explicit DSaturation(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    int m_nSaturation = 0; // -100..100

protected:
    void SendPreview() override { Send(ADJUST_SATURATION, &m_nSaturation); }
};

class DMakeTransparent : public DAdjustBase {
public:
    explicit DMakeTransparent(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    TransparencyKey m_key; // white, threshold 0

protected:
    void SendPreview() override;

private:
    void OnBackgroundColor();
};
