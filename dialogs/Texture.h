// The line-pattern texture of the background editor's "Create": size, pattern, line size,
// space and the two colours, as plain members the opener reads back.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/core/Types.h"
#include "framework/ui/Dialog.h"

class CPicture;

extern const DlgTemplate kTextureTemplate;

class DTexture : public CDialog {
public:
    explicit DTexture(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    int m_nWidth = 0, m_nHeight = 0;
    int m_nPattern = 0;   // 0 none, 1 horizontal, 2 vertical, 3 diagonal down, 4 diagonal up
    int m_nLineSize = 0;  // index: n + 1 pixels
    int m_nSpace = 2;     // index: n + 1 pixels
    COLORREF m_crFill = 0xFFFFFF;
    COLORREF m_crPattern = 0xDDDDDD;

    // The picture's size and pattern settings from the dialog's values.
    void ApplyTo(CPicture& picture) const;
};
