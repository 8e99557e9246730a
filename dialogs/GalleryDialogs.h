// Gallery dialogs: the pictures and box sizes of a new gallery (DInsertGallery) and the
// picture list of an existing one (DGallery: add, delete, reorder, crop). DGallery changes
// the gallery at once; the opener's edit scope puts it back on Cancel.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"

#include <vector>

class CGalleryItem;
class CKJDoc;
class CReportList;

extern const DlgTemplate kInsertGalleryTemplate;
extern const DlgTemplate kGalleryTemplate;

// The multi-selection picture chooser of the gallery and slider dialogs: the title "Hold
// CTRL and click to select images", the folder kept under "Current"/"ImageFolder"
// (saved after a choice). Empty when cancelled.
std::vector<CString> ChooseImageFiles(const char* filter);

// A picture of w x h that is wider or taller than the box W x H, scaled into it keeping
// its proportions (the sides compared by cross products, integer division); one that fits
// keeps its size. False (and nothing written) for a box or picture without area.
bool FitIntoBox(int w, int h, int W, int H, int& outW, int& outH);

class DInsertGallery : public CDialog {
public:
    explicit DInsertGallery(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;

    int m_nWidth = 600, m_nHeight = 400;
    int m_nThumbWidth = 100, m_nThumbHeight = 70;
    std::vector<CString> m_files; // full paths in the order chosen

private:
    void OnSize(bool thumbnail);
    void OnAddImages();
};

class DGallery : public CDialog {
public:
    explicit DGallery(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;

    CGalleryItem* m_pItem = nullptr;
    CKJDoc* m_pDoc = nullptr;

    // The actions of the buttons and the double click, for the opener's tests.
    void OnDelete();
    void OnMakeFirst();
    void OnMakeLast();
    void OnAdd();
    void OnCrop();
    CReportList* List() const;

private:
    void Fill();
    void UpdateButtons();
    std::vector<int> SelectedRows() const;
};
