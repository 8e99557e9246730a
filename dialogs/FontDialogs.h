// The font dialogs: DFont edits a font given as plain values, DFontStyle one of the site's
// text styles in place. Both offer the faces, sizes and web fonts of the font lists.
#pragma once
#include "framework/core/Types.h"
#include "framework/ui/Dialog.h"
#include "model/TextStyle.h"

#include <vector>

// The lists the font dialogs offer, read once from the dialogs' data.
struct FontLists {
    std::vector<CString> faces;
    std::vector<CString> sizes;
    std::vector<CString> webFonts;
};
const FontLists& GetFontLists();

// The web font catalogue's page, opened by "...".
extern const char* const kWebFontCatalogue;

class DFont : public CDialog {
public:
    explicit DFont(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CString m_strFace;
    CString m_strWebFont;
    int m_nSize = 0;      // points; 0 = not set
    int m_nBold = 0;      // 0 normal, 1 bold, 2 the empty entry
    int m_nItalic = 0;    // 0 normal, 1 italic, 2 the empty entry
    int m_nUnderline = 0; // 0 none, 1 underlined, 2 strike-through
    COLORREF m_crColor = 0;
    CString m_strCaption; // shown after "Font : " when not empty
};

class DFontStyle : public CDialog {
public:
    explicit DFontStyle(CTextStyle* style, QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CTextStyle* m_pStyle;
    CString m_strCaption;

private:
    CTextStyle m_edit; // the values being edited, written to the style at OK
};
