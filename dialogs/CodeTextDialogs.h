// Raw code dialogs: HTML (with a toolbar that wraps the selection in tags), HEAD code and
// JavaScript, and the two small dialogs of the HTML toolbar. Each edits a copy of the text
// that the caller takes back after OK; Tab and Enter are typed into the text.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"
#include "model/WString.h"

class CDialogToolBar;
class QPlainTextEdit;

// Toolbar commands of the HTML dialog.
enum : UINT {
    ID_HTML_CUT = 32831, ID_HTML_COPY = 32832, ID_HTML_PASTE = 32833, ID_HTML_UNDO = 32834,
    ID_HTML_BOLD = 32835, ID_HTML_ITALIC = 32836, ID_HTML_UNDERLINE = 32837, ID_HTML_STRIKE = 32850,
    ID_HTML_TELETYPE = 32961, ID_HTML_COLOR = 32838,
    ID_HTML_SIZE_1 = 32843, ID_HTML_SIZE_2 = 32845, ID_HTML_SIZE_3 = 32846, ID_HTML_SIZE_4 = 32847,
    ID_HTML_SIZE_5 = 32848, ID_HTML_SIZE_6 = 32849, ID_HTML_SIZE_7 = 32844,
    ID_HTML_LINK = 32852, ID_HTML_SPECIAL = 32860, ID_HTML_IMAGE = 33026, ID_HTML_BULLET = 32923,
    ID_HTML_H1 = 33020, ID_HTML_H6 = 33025,
};

extern const DlgTemplate kHtmlTemplate;
extern const DlgTemplate kHeadCodeTemplate;
extern const DlgTemplate kJavaScriptTemplate;
extern const DlgTemplate kHtmlLinkTemplate;
extern const DlgTemplate kHtmlImageTemplate;

// What the three code dialogs share: the code box, the caller's caption.
class DCodeTextBase : public CDialog {
public:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    QPlainTextEdit* Editor() const { return m_pEdit; }

    CWString m_strCode;
    CString m_strCaption; // replaces the dialog's caption when not empty

protected:
    DCodeTextBase(QWidget* parent, const DlgTemplate& table);
    QPlainTextEdit* m_pEdit = nullptr;
};

class DHtml : public DCodeTextBase {
public:
    explicit DHtml(QWidget* parent = nullptr);
    // Puts open before and close after the selection, then selects the text between them.
    void WrapSelection(const QString& open, const QString& close);
    CDialogToolBar* ToolBar() const { return m_pToolBar; }

    COLORREF m_crText = 0; // the colour command's last colour

private:
    void OnColor();
    void OnLink();
    void OnImage();
    CDialogToolBar* m_pToolBar = nullptr;
};

class DHeadCode : public DCodeTextBase {
public:
    explicit DHeadCode(QWidget* parent = nullptr);
};

class DJavaScript : public DCodeTextBase {
public:
    explicit DJavaScript(QWidget* parent = nullptr);
};

class DHtmlLink : public CDialog {
public:
    explicit DHtmlLink(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    int m_bNewWindow = 0;
    CString m_strAddress;
};

class DHtmlImage : public CDialog {
public:
    explicit DHtmlImage(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    int m_bNewWindow = 0;
    CString m_strAddress;
    CString m_strSource;
};

// The opening text of a link to address (its quotes and ampersands escaped).
QString HtmlLinkOpening(const CString& address, bool newWindow);
