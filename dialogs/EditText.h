// The rich-text editor of a Paragraph's text: a text editor under a formatting toolbar
// (bold, italic, underline, strikeout, teletype, colour, seven sizes, links, special
// characters) with the paragraph's alignment and line height. The text reaches the item
// at OK; what the side buttons and new links write goes into the item at once, so the
// opener's edit scope is what takes it back on Cancel.
#pragma once
#include "framework/ui/Dialog.h"

class CDialogToolBar;
class CItem;
class CKJDoc;
class CPage;
class CParagraphItem;
class QTextEdit;

enum : UINT {
    ID_EDIT_CUT_TEXT = 32831, ID_EDIT_COPY_TEXT = 32832, ID_EDIT_PASTE_PLAIN = 32833, ID_EDIT_PASTE_RICH = 32842,
    ID_EDIT_UNDO_TEXT = 32834, ID_TEXT_ALIGN_LEFT = 32988, ID_TEXT_ALIGN_CENTER = 32989, ID_TEXT_ALIGN_RIGHT = 32990,
    ID_TEXT_ALIGN_JUSTIFY = 33068, ID_TEXT_BOLD = 32835, ID_TEXT_ITALIC = 32836, ID_TEXT_UNDERLINE = 32837,
    ID_TEXT_STRIKEOUT = 32850, ID_TEXT_TELETYPE = 32961, ID_TEXT_COLOR = 32838, ID_TEXT_PLAIN = 32851,
    ID_TEXT_SMALLER = 32862, ID_TEXT_LARGER = 32863, ID_TEXT_SIZE_7 = 32843, ID_TEXT_SIZE_9 = 32845,
    ID_TEXT_SIZE_12 = 32846, ID_TEXT_SIZE_13 = 32847, ID_TEXT_SIZE_18 = 32848, ID_TEXT_SIZE_24 = 32849,
    ID_TEXT_SIZE_36 = 32844, ID_TEXT_LINK = 32852, ID_TEXT_SPECIAL_CHAR = 32860, ID_TEXT_BULLET = 32923,
};

// Longest text the editor takes.
constexpr int kEditTextLimit = 65500;

// The size steps of Larger and Smaller Font: from a height in twips (0 when the selection
// has several), with the item's font height (negative pixels) for that case.
int LargerFontTwips(int twips, int fontHeight);
int SmallerFontTwips(int twips, int fontHeight);

class DEditText : public CDialog {
public:
    explicit DEditText(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    QTextEdit* Editor() const { return m_pEdit; }
    CDialogToolBar* ToolBar() const { return m_pToolBar; }
    // The selection's height in twips; 0 when its characters differ.
    int SelectionTwips() const;

    CParagraphItem* m_pItem = nullptr;
    CKJDoc* m_pDoc = nullptr;

private:
    void SetUpCommands();
    void MergeFormat(const std::function<void(class QTextCharFormat&)>& change);
    void SetSizeTwips(int twips);
    void Align(int alignment);
    void OnLink();
    void EditLink(int number);
    void OnFont();
    void OnPadding();
    void OnLineHeight();
    void LimitText(int position, int added);

    QTextEdit* m_pEdit = nullptr;
    CDialogToolBar* m_pToolBar = nullptr;
    bool m_bLimiting = false;
};

// Item/Properties and Insert/Paragraph on a Paragraph: the editor inside one edit of the
// project; Cancel takes back everything the dialog and its side dialogs wrote.
int EditParagraphText(CKJDoc& doc, CItem* page, CItem* container, CParagraphItem* item, const char* description);
