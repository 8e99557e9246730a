// A slideshow: a clipped box showing one of its frames at a time; the page passes from
// frame to frame by sliding or fading. The slider's own children stay on top of the
// frames.
#pragma once
#include "model/GroupItem.h"
#include "model/ItemTypes.h"
#include <memory>
#include <vector>

class CImageItem;

class CSliderItem : public CGroupItem {
public:
    CSliderItem()
    {
        m_nType = ITEM_SLIDER;
    }

    void Serialize(CArchive& ar, int version) override;
    // The group's extras, then each frame's.
    void SerializeExtra(CArchive& ar, int version) override;
    // The own children, then each frame followed by its descendants.
    void CollectItems(CItemList& list) override;
    void SetSiteStyles(CSiteStyles* styles) override;
    void WriteHtml(CPageOutput& out) override;
    // Background, borders and the own children, clipped; frames are not painted.
    void Draw(CDC* dc) override;
    void SetRect(int left, int top, int right, int bottom) override;
    bool ExportFiles(CPublishContext& context) override;
    CString GetStyle() override;
    void LayoutChildren() override;

    // A new empty frame of the slider's size, appended; all frames are renamed.
    CGroupItem* AddFrame();
    // Names every frame "<slider id>Frame<n>", n from 1.
    void MakeFrameName();
    // Turns a picture into a new frame, scaled to the slider's width and cropped to its
    // height when it is larger; the frame owns the picture.
    CGroupItem* AddPicture(CImageItem* picture);
    // The script that passes between the frames; empty with fewer than two frames.
    CString GetScript();

    std::vector<std::unique_ptr<CGroupItem>> m_frames;
    int m_nTransition = 1; // 0-3 slide (0, 1 across, 2, 3 down), 4 and above fade
    int m_nInterval = 3;   // seconds
    int m_nSetting1 = 0, m_nSetting2 = 0, m_nSetting3 = 0;

private:
    void AttachFrame(CGroupItem& frame);
};
