// Slider dialogs: the frame list of a slider (DSlider: delete, reorder, insert blank
// frames or pictures), the number of frames to insert (DInsertFrames) and a new slider's
// settings and pictures (DNewSlider). DSlider changes the frame list at once; the opener's
// edit scope puts it back on Cancel.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"

#include <vector>

class CKJDoc;
class CSliderItem;

extern const DlgTemplate kSliderTemplate;
extern const DlgTemplate kInsertFramesTemplate;
extern const DlgTemplate kNewSliderTemplate;

// DInsertFrames' "Import Image" result.
inline constexpr int IDR_IMPORT_IMAGE = 3000;

// Appends count blank frames to the slider: grey 175 and 192 by turns, each with a
// "Frame %d" text (the frame count after adding it, plus 1) at 20, 240, 145 wide.
void InsertBlankFrames(CKJDoc& doc, CSliderItem& slider, int count);

class DSlider : public CDialog {
public:
    explicit DSlider(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CSliderItem* m_pItem = nullptr;
    CKJDoc* m_pDoc = nullptr;

    void OnInsert();
    void OnDelete();
    void OnMakeFirst();
    void OnMakeLast();

private:
    void Fill(int select = -1);
    void UpdateButtons();
    int Selected() const;
};

class DInsertFrames : public CDialog {
public:
    explicit DInsertFrames(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    int m_nFrames = 1; // 1 to 100
};

class DNewSlider : public CDialog {
public:
    explicit DNewSlider(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    int m_nWidth = 900, m_nHeight = 300;
    int m_nFrameTime = 5; // seconds, 1 to 10
    int m_nDirection = 1;
    int m_bDescriptions = 1;
    std::vector<CString> m_paths;

private:
    void OnAdd();
};
