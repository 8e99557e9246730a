// The page setup dialog: a page's size, alignment, title, masters and the buttons that
// reach its padding and borders, or end it so that the opener renames the page or edits
// its header and footer.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"
#include "model/WString.h"

class CKJDoc;
class CPage;

extern const DlgTemplate kPageSetupTemplate;

// Ends the dialog for the opener to run Page/Header/Footer or Page/Rename/Move.
inline constexpr int kPageSetupHeaderFooter = 32886;
inline constexpr int kPageSetupRenameMove = 32892;

class DPageSetup : public CDialog {
public:
    explicit DPageSetup(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CPage* m_pPage = nullptr;
    CKJDoc* m_pDoc = nullptr;

    // Plain values the opener fills and copies back after OK.
    int m_nAlign = 0;   // 0 left, 1 center, 2 right
    int m_nWidth = 0;   // the site page width
    int m_nHeight = 0;  // the page height
    int m_bCenter = 0;  // document: center in browser
    int m_bStretch = 0; // document: stretch to browser
    int m_bPhp = 0;
    CWString m_title;
    int m_nOverlap = 0; // 0 page overlaps header, 1 header overlaps page

private:
    void FillMasters(int id, int selectedId);
    void StoreMaster(int id, bool first);
};
