#include "dialogs/CodeTextDialogs.h"

#include "controls/ColorControl.h"
#include "controls/DialogToolBar.h"
#include "framework/core/Colors.h"
#include "framework/ui/DataExchange.h"
#include "model/Escaping.h"
#include "model/HtmlWriting.h"

#include <QtGui/QTextCursor>
#include <QtWidgets/QLayout>
#include <QtWidgets/QPlainTextEdit>

#include <climits>

namespace {

const DlgControl kHtmlControls[] = {
    {1000, DlgKind::Custom, nullptr, nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kHeadCodeControls[] = {
    {IDC_STATIC, DlgKind::Static, "<head>", nullptr, 0},
    {1000, DlgKind::Custom, nullptr, nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "</head>", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kJavaScriptControls[] = {
    {IDC_STATIC, DlgKind::Static, "<script type=\"text/javascript\">", nullptr, 0},
    {1000, DlgKind::Custom, nullptr, nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "</script>", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kHtmlLinkControls[] = {
    {IDC_STATIC, DlgKind::Static, "URL:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1001, DlgKind::Check, "Open in new window", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kHtmlImageControls[] = {
    {IDC_STATIC, DlgKind::Static, "Src:", nullptr, 0},
    {1002, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "URL:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1001, DlgKind::Check, "Open in new window", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

const DlgToolButton kHtmlButtons[] = {
    {ID_HTML_CUT, "Cut", "\xE2\x9C\x82"},
    {ID_HTML_COPY, "Copy", "Cp"},
    {ID_HTML_PASTE, "Paste", "P"},
    {ID_HTML_UNDO, "Undo", "\xE2\x86\xB6"},
    {0, nullptr, nullptr},
    {ID_HTML_BOLD, "Bold", "B"},
    {ID_HTML_ITALIC, "Italic", "I"},
    {ID_HTML_UNDERLINE, "Underline", "U"},
    {ID_HTML_STRIKE, "Strike-through", "S"},
    {ID_HTML_TELETYPE, "Teletype", "tt"},
    {ID_HTML_COLOR, "Text Color", "A"},
    {0, nullptr, nullptr},
    {ID_HTML_SIZE_7, "Font Size 7", "7"},
    {ID_HTML_SIZE_6, "Font Size 6", "6"},
    {ID_HTML_SIZE_5, "Font Size 5", "5"},
    {ID_HTML_SIZE_4, "Font Size 4", "4"},
    {ID_HTML_SIZE_3, "Font Size 3", "3"},
    {ID_HTML_SIZE_2, "Font Size 2", "2"},
    {ID_HTML_SIZE_1, "Font Size 1", "1"},
    {0, nullptr, nullptr},
    {ID_HTML_LINK, "Link", "a"},
    {ID_HTML_SPECIAL, "Special Character", "\xCE\xA9"},
    {ID_HTML_IMAGE, "Image", "img"},
    {ID_HTML_BULLET, "Bullet", "\xE2\x80\xA2"},
    {0, nullptr, nullptr},
    {33020, "Heading 1", "H1"},
    {33021, "Heading 2", "H2"},
    {33022, "Heading 3", "H3"},
    {33023, "Heading 4", "H4"},
    {33024, "Heading 5", "H5"},
    {33025, "Heading 6", "H6"},
};

struct TagCommand {
    UINT id;
    const char* tag;
};
const TagCommand kTagCommands[] = {
    {ID_HTML_BOLD, "b"}, {ID_HTML_ITALIC, "i"}, {ID_HTML_UNDERLINE, "u"}, {ID_HTML_STRIKE, "s"}, {ID_HTML_TELETYPE, "tt"},
    {33020, "h1"},       {33021, "h2"},         {33022, "h3"},            {33023, "h4"},         {33024, "h5"},
    {33025, "h6"},
};
// The size each size command stands for, as in the rich-text editor.
const struct {
    UINT id;
    int size;
} kSizeCommands[] = {{ID_HTML_SIZE_1, 1}, {ID_HTML_SIZE_2, 2}, {ID_HTML_SIZE_3, 3}, {ID_HTML_SIZE_4, 4},
                     {ID_HTML_SIZE_5, 5}, {ID_HTML_SIZE_6, 6}, {ID_HTML_SIZE_7, 7}};

// A typed address as every other address writer stores it: what can never stand in an
// address percent-encoded, then escaped for the attribute.
QString AddressAttr(const CString& address)
{
    return HtmlAttributeEscape(UrlEscapeUnsafe(address.GetString()).GetString()).ToQString();
}

} // namespace

const DlgTemplate kHtmlTemplate = {331, "HTML", true, kHtmlControls};
const DlgTemplate kHeadCodeTemplate = {377, "HEAD", false, kHeadCodeControls};
const DlgTemplate kJavaScriptTemplate = {160, "JavaScript", false, kJavaScriptControls};
const DlgTemplate kHtmlLinkTemplate = {373, "Link", true, kHtmlLinkControls};
const DlgTemplate kHtmlImageTemplate = {374, "Img", true, kHtmlImageControls};

QString HtmlLinkOpening(const CString& address, bool newWindow)
{
    QString open = QStringLiteral("<a href=\"") + AddressAttr(address) + QLatin1Char('"');
    if (newWindow)
        open += QStringLiteral(" target=\"_blank\"");
    return open + QLatin1Char('>');
}

// ---- DCodeTextBase

DCodeTextBase::DCodeTextBase(QWidget* parent, const DlgTemplate& table) : CDialog(parent)
{
    BuildDialog(*this, table, [this](CDialog&, const DlgControl&) -> QWidget* {
        m_pEdit = new QPlainTextEdit(this);
        // Tab and Enter are text here, not focus moves or the default button.
        m_pEdit->setTabChangesFocus(false);
        m_pEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
        m_pEdit->setMinimumSize(560, 320);
        return m_pEdit;
    });
}

BOOL DCodeTextBase::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_strCaption.IsEmpty())
        setWindowTitle(m_strCaption.ToQString());
    return TRUE;
}

void DCodeTextBase::DoDataExchange(CDataExchange* pDX) { DDX_TextW(pDX, 1000, m_strCode); }

// ---- DHtml

DHtml::DHtml(QWidget* parent) : DCodeTextBase(parent, kHtmlTemplate)
{
    m_pToolBar = new CDialogToolBar(this, kHtmlButtons);
    layout()->setMenuBar(m_pToolBar);
    m_pEdit->setMinimumWidth(760); // room for the whole toolbar
    OnCommand(ID_HTML_CUT, [this] { m_pEdit->cut(); });
    OnCommand(ID_HTML_COPY, [this] { m_pEdit->copy(); });
    OnCommand(ID_HTML_PASTE, [this] { m_pEdit->paste(); });
    OnCommand(ID_HTML_UNDO, [this] { m_pEdit->undo(); });
    for (const TagCommand& c : kTagCommands) {
        const QString tag = QString::fromLatin1(c.tag);
        OnCommand(c.id, [this, tag] {
            WrapSelection(QLatin1Char('<') + tag + QLatin1Char('>'), QStringLiteral("</") + tag + QLatin1Char('>'));
        });
    }
    for (const auto& s : kSizeCommands) {
        const int size = s.size;
        OnCommand(s.id, [this, size] { WrapSelection(QStringLiteral("<font size=%1>").arg(size), QStringLiteral("</font>")); });
    }
    OnCommand(ID_HTML_COLOR, [this] { OnColor(); });
    OnCommand(ID_HTML_LINK, [this] { OnLink(); });
    OnCommand(ID_HTML_IMAGE, [this] { OnImage(); });
    // Special Character and Bullet have no command here: their buttons stay disabled.
    m_pToolBar->UpdateStates();
}

void DHtml::WrapSelection(const QString& open, const QString& close)
{
    QTextCursor cursor = m_pEdit->textCursor();
    const int start = cursor.selectionStart(), end = cursor.selectionEnd();
    if (start < 0 || end < 0)
        return;
    cursor.beginEditBlock();
    cursor.setPosition(end);
    cursor.insertText(close);
    cursor.setPosition(start);
    cursor.insertText(open);
    cursor.endEditBlock();
    cursor.setPosition(start + int(open.size()));
    cursor.setPosition(end + int(open.size()), QTextCursor::KeepAnchor);
    m_pEdit->setTextCursor(cursor);
}

void DHtml::OnColor()
{
    COLORREF color = m_crText;
    if (!ChooseColorDlg(color, "Text Color", TRUE))
        return;
    m_crText = color;
    // "No Color" has nothing to write.
    if (tessel::ColorIsUnset(color))
        return;
    WrapSelection(QStringLiteral("<font color=") + ColorToHtml(color).ToQString() + QLatin1Char('>'),
                  QStringLiteral("</font>"));
}

void DHtml::OnLink()
{
    DHtmlLink dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    WrapSelection(HtmlLinkOpening(dlg.m_strAddress, dlg.m_bNewWindow != 0), QStringLiteral("</a>"));
}

void DHtml::OnImage()
{
    DHtmlImage dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    const QString img = QStringLiteral("<img src=\"") + AddressAttr(dlg.m_strSource) + QStringLiteral("\">");
    if (dlg.m_strAddress.IsEmpty())
        WrapSelection(img, QString());
    else
        WrapSelection(HtmlLinkOpening(dlg.m_strAddress, dlg.m_bNewWindow != 0) + img, QStringLiteral("</a>"));
}

// ---- DHeadCode, DJavaScript

DHeadCode::DHeadCode(QWidget* parent) : DCodeTextBase(parent, kHeadCodeTemplate) {}

DJavaScript::DJavaScript(QWidget* parent) : DCodeTextBase(parent, kJavaScriptTemplate) {}

// ---- DHtmlLink, DHtmlImage

DHtmlLink::DHtmlLink(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kHtmlLinkTemplate); }

void DHtmlLink::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, 1001, m_bNewWindow);
    DDX_Text(pDX, 1000, m_strAddress);
}

DHtmlImage::DHtmlImage(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kHtmlImageTemplate); }

void DHtmlImage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, 1001, m_bNewWindow);
    DDX_Text(pDX, 1000, m_strAddress);
    DDX_Text(pDX, 1002, m_strSource);
}
