// A picture pasted from the clipboard: its scale, file name, format and where it goes,
// with a browser preview. The dialog owns its copy of the picture; after OK the picture
// has the output size.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"
#include "model/Dib.h"
#include "model/WString.h"

#include <QtCore/QTemporaryDir>
#include <memory>

extern const DlgTemplate kPasteImageTemplate;

class DPasteImage : public CDialog {
public:
    explicit DPasteImage(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CWString m_name;
    CDib m_picture;
    int m_nZoom = 100;
    int m_nWidth = 0, m_nHeight = 0;
    int m_nPlacement = 0; // 0 movable image, 1 background, 2 browser background
    int m_nFormat = 1;    // 0 PNG, 1 JPEG
    int m_bLock = 0;      // the placement cannot be changed

    void OnPlus();
    void OnMinus();
    void OnSize();
    // Writes the preview picture and page into the dialog's private folder and shows the
    // page; returns the page's path (empty when nothing could be written).
    CString WritePreview();
    // The preview page's text for a picture file of the folder, the shown name and size.
    static CString PreviewPage(const CString& pictureFile, const CWString& name, int width, int height);
    // The page the preview dialog opens instead of showing it (tests).
    static bool s_bShowPreview;

private:
    void ShowSize();
    std::unique_ptr<QTemporaryDir> m_previewDir;
    int m_nPreviews = 0;
};
