// The Image Button dialog edits a drawn button live: every change goes into the item at
// once, the item renders again and the preview at the top shows it. There is no Cancel:
// the opener's edit scope is the way back.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"

#include <QtWidgets/QWidget>

class CImageButtonItem;
class CItem;
class CKJDoc;

extern const DlgTemplate kImageButtonTemplate;

// The rendered picture of an item, centred on white (white alone without an item).
class CButtonPreviewWnd : public QWidget {
public:
    explicit CButtonPreviewWnd(QWidget* parent = nullptr);
    CImageButtonItem* m_pItem = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The size presets of the dialog (index 1 to 7; 0 changes nothing): width, height and the
// caption's character height.
struct ButtonSizePreset {
    int width, height, fontHeight;
};
const ButtonSizePreset* ButtonSizePresetAt(int index);

// The caption of the Font button: face and size in points.
CString ButtonFontText(const CImageButtonItem& item);

class DImageButton : public CDialog {
public:
    explicit DImageButton(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // Fills the controls from the item and enables them by whether there is one.
    void RefreshControls();
    CButtonPreviewWnd* Preview() const { return m_pPreview; }

    CImageButtonItem* m_pItem = nullptr;
    CKJDoc* m_pDoc = nullptr;

private:
    void Rerender(bool layout = false);
    void OnCombo(int id);
    void OnCheck(int id);
    void OnColor(int id);
    void OnFont();
    void OnApply();
    void OnQuickStyle();
    void OnSizePreset();
    void OnLabel();
    void OnLink();
    void OnShadow();

    CButtonPreviewWnd* m_pPreview = nullptr;
};

// Item/Properties of an Image Button: the live edits run inside one edit scope, so a
// dialog closed without OK gives the project back; after OK the item is laid out and its
// look kept as the defaults for new Image Buttons. The dialog's result.
int EditImageButtonProperties(CKJDoc& doc, CItem* page, CItem* container, CImageButtonItem* item);
