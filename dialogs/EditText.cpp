#include "dialogs/EditText.h"

#include "controls/ColorControl.h"
#include "controls/DialogToolBar.h"
#include "dialogs/DialogTables.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/FontDialogs.h"
#include "dialogs/InsertCharacter.h"
#include "dialogs/LinkDialog.h"
#include "dialogs/SizeDialogs.h"
#include "document/EditScope.h"
#include "framework/core/Colors.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"
#include "model/FillStyle.h"
#include "model/items/ParagraphItem.h"

#include <QtGui/QClipboard>
#include <QtGui/QTextBlock>
#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLayout>
#include <QtWidgets/QTextEdit>

namespace {
const DlgControl kEditTextControls[] = {
    {1162, DlgKind::Custom, nullptr, nullptr, 0},
    {1025, DlgKind::Button, "Font", nullptr, 0},
    {1037, DlgKind::Button, "Background", nullptr, kDlgBeside},
    {1047, DlgKind::Button, "Borders", nullptr, kDlgBeside},
    {1064, DlgKind::Button, "Padding", nullptr, kDlgBeside},
    {1073, DlgKind::Button, "Margins", nullptr, kDlgBeside},
    {1001, DlgKind::Check, "Allow Tags < >", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Line Height:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr,
     "<default>|110%|120%|130%|140%|150%|160%|170%|180%|190%|200%|210%|220%|230%|240%|250%|260%|270%|280%|290%|300%",
     kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

const DlgToolButton kEditTextButtons[] = {
    {ID_EDIT_CUT_TEXT, "Cut", "\xE2\x9C\x82"},
    {ID_EDIT_COPY_TEXT, "Copy", "Cp"},
    {ID_EDIT_PASTE_PLAIN, "Paste Unformatted", "P"},
    {ID_EDIT_PASTE_RICH, "Paste Formatted", "P+"},
    {ID_EDIT_UNDO_TEXT, "Undo", "\xE2\x86\xB6"},
    {0, nullptr, nullptr},
    {ID_TEXT_ALIGN_LEFT, "Align Left", "\xE2\x87\xA4"},
    {ID_TEXT_ALIGN_CENTER, "Align Center", "\xE2\x86\x94"},
    {ID_TEXT_ALIGN_RIGHT, "Align Right", "\xE2\x87\xA5"},
    {ID_TEXT_ALIGN_JUSTIFY, "Align Justify", "\xE2\x98\xB0"},
    {0, nullptr, nullptr},
    {ID_TEXT_BOLD, "Bold", "B"},
    {ID_TEXT_ITALIC, "Italic", "I"},
    {ID_TEXT_UNDERLINE, "Underline", "U"},
    {ID_TEXT_STRIKEOUT, "Strikeout", "S"},
    {ID_TEXT_TELETYPE, "Teletype", "TT"},
    {ID_TEXT_COLOR, "Text Color", "\xE2\x96\x89"},
    {0, nullptr, nullptr},
    {ID_TEXT_PLAIN, "Remove All Formatting", "\xE2\x8C\xAB"},
    {0, nullptr, nullptr},
    {ID_TEXT_SMALLER, "Smaller Font", "A-"},
    {ID_TEXT_LARGER, "Larger Font", "A+"},
    {0, nullptr, nullptr},
    {ID_TEXT_SIZE_7, "Font Size", "7.5"},
    {ID_TEXT_SIZE_9, "Font Size", "9"},
    {ID_TEXT_SIZE_12, "Font Size", "12"},
    {ID_TEXT_SIZE_13, "Font Size", "13.5"},
    {ID_TEXT_SIZE_18, "Font Size", "18"},
    {ID_TEXT_SIZE_24, "Font Size", "24"},
    {ID_TEXT_SIZE_36, "Font Size", "36"},
    {0, nullptr, nullptr},
    {ID_TEXT_LINK, "Link", "@"},
    {ID_TEXT_SPECIAL_CHAR, "Special Character", "\xCE\xA9"},
    {ID_TEXT_BULLET, "Bullet", "\xE2\x97\x8F"},
};

struct FixedSize {
    UINT id;
    int twips;
    const char* text;
};
constexpr FixedSize kFixedSizes[] = {
    {ID_TEXT_SIZE_7, 150, " 7.5pt"}, {ID_TEXT_SIZE_9, 180, " 9pt"},   {ID_TEXT_SIZE_12, 240, " 12pt"},
    {ID_TEXT_SIZE_13, 270, " 13.5pt"}, {ID_TEXT_SIZE_18, 360, " 18pt"}, {ID_TEXT_SIZE_24, 480, " 24pt"},
    {ID_TEXT_SIZE_36, 720, " 36pt"},
};

// Twips to the pixel size the text bridge keeps (15 twips a pixel).
int PixelsOfTwips(int twips) { return std::max(1, (twips + 7) / 15); }

int MulDiv(int a, int b, int c)
{
    const long long p = (long long)a * b;
    return int(p >= 0 ? (p + c / 2) / c : (p - c / 2) / c);
}

// Tenths of a point of a selection (twips / 2), or of the item's font when mixed.
int Tenths(int twips, int fontHeight) { return twips != 0 ? twips / 2 : MulDiv(-fontHeight, 30, 4); }

CString FaceOf(const QTextCharFormat& f)
{
    const QStringList families = f.fontFamilies().toStringList();
    return families.isEmpty() ? CString() : CString::FromQString(families.front());
}
} // namespace

const DlgTemplate kEditTextTemplate{132, "Edit Text", true, kEditTextControls};

int LargerFontTwips(int twips, int fontHeight)
{
    const int c = Tenths(twips, fontHeight);
    for (int step : {90, 120, 135, 180, 240, 360})
        if (step > c)
            return 2 * step;
    return 2 * 90;
}

int SmallerFontTwips(int twips, int fontHeight)
{
    const int c = Tenths(twips, fontHeight);
    for (int step : {240, 180, 135, 120, 90, 75})
        if (step < c)
            return 2 * step;
    return 2 * 90;
}

DEditText::DEditText(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kEditTextTemplate, [this](CDialog&, const DlgControl&) {
        m_pEdit = new QTextEdit(this);
        m_pEdit->setAcceptRichText(true);
        m_pEdit->setMinimumSize(800, 260); // room for the whole toolbar
        return m_pEdit;
    });
    m_pToolBar = new CDialogToolBar(this, kEditTextButtons);
    for (const FixedSize& s : kFixedSizes)
        m_pToolBar->SetToolTip(s.id, UiTranslate("Font Size") + s.text);
    layout()->setMenuBar(m_pToolBar);
    SetUpCommands();
    // Button states follow the editor as it changes, not a timer.
    auto update = [this] { m_pToolBar->UpdateStates(); };
    connect(m_pEdit, &QTextEdit::cursorPositionChanged, this, update);
    connect(m_pEdit, &QTextEdit::selectionChanged, this, update);
    connect(m_pEdit, &QTextEdit::currentCharFormatChanged, this, update);
    connect(m_pEdit, &QTextEdit::undoAvailable, this, update);
    connect(m_pEdit->document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) { LimitText(position, added); });
    OnNotify(1018, CBN_SELCHANGE, [this] { OnLineHeight(); });
    OnNotify(1025, BN_CLICKED, [this] { OnFont(); });
    OnNotify(1037, BN_CLICKED, [this] {
        if (m_pItem && m_pItem->m_pFill)
            ChooseColorDlg(m_pItem->m_pFill->m_crColor, "Background Color", TRUE);
    });
    OnNotify(1047, BN_CLICKED, [this] { EditItemBorders(m_pItem); });
    OnNotify(1064, BN_CLICKED, [this] { OnPadding(); });
    OnNotify(1073, BN_CLICKED, [] {}); // "Margins" has no action
}

BOOL DEditText::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pItem) {
        QTextDocument* doc = m_pEdit->document();
        SetRichEditFont(*m_pItem, doc);
        LoadRichEdit(*m_pItem, doc, false);
        QPalette p = m_pEdit->palette();
        p.setColor(QPalette::Base, tessel::ColorRefToQColor(m_pItem->m_crEditorBack));
        m_pEdit->setPalette(p);
        m_pEdit->document()->clearUndoRedoStacks();
    }
    m_pToolBar->UpdateStates();
    return TRUE;
}

void DEditText::DoDataExchange(CDataExchange* pDX)
{
    if (!m_pItem)
        return;
    DDX_Check(pDX, 1001, m_pItem->m_bRawText);
    DDX_CBIndex(pDX, 1018, m_pItem->m_nLineHeight);
}

void DEditText::OnOK()
{
    if (m_pItem)
        ReadRichEdit(*m_pItem, m_pEdit->document());
    CDialog::OnOK();
}

void DEditText::SetUpCommands()
{
    OnCommand(ID_EDIT_CUT_TEXT, [this] { m_pEdit->cut(); });
    OnCommand(ID_EDIT_COPY_TEXT, [this] { m_pEdit->copy(); });
    OnCommand(ID_EDIT_PASTE_PLAIN, [this] { m_pEdit->insertPlainText(QApplication::clipboard()->text()); });
    OnCommand(ID_EDIT_PASTE_RICH, [this] { m_pEdit->paste(); });
    OnCommand(ID_EDIT_UNDO_TEXT, [this] { m_pEdit->undo(); });
    auto hasSelection = [this](CCmdUI* ui) { ui->Enable(m_pEdit->textCursor().hasSelection()); };
    OnUpdateCommand(ID_EDIT_CUT_TEXT, hasSelection);
    OnUpdateCommand(ID_EDIT_COPY_TEXT, hasSelection);
    auto canPaste = [this](CCmdUI* ui) { ui->Enable(m_pEdit->canPaste()); };
    OnUpdateCommand(ID_EDIT_PASTE_PLAIN, canPaste);
    OnUpdateCommand(ID_EDIT_PASTE_RICH, canPaste);
    OnUpdateCommand(ID_EDIT_UNDO_TEXT, [this](CCmdUI* ui) { ui->Enable(m_pEdit->document()->isUndoAvailable()); });

    const std::pair<UINT, int> aligns[] = {
        {ID_TEXT_ALIGN_LEFT, 0}, {ID_TEXT_ALIGN_CENTER, 2}, {ID_TEXT_ALIGN_RIGHT, 1}, {ID_TEXT_ALIGN_JUSTIFY, 3}};
    for (const auto& [id, value] : aligns) {
        const int alignment = value;
        OnUpdateCommand(id, [this, alignment](CCmdUI* ui) { ui->SetCheck(m_pItem && m_pItem->m_nTextAlign == alignment); });
        if (id != ID_TEXT_ALIGN_JUSTIFY)
            OnCommand(id, [this, alignment] { Align(alignment); });
    }
    OnCommand(ID_TEXT_ALIGN_JUSTIFY, [this] {
        ShowMessageBox("This options is visible in browser only.", "", MB_OK);
        Align(3);
    });

    OnCommand(ID_TEXT_BOLD, [this] {
        const bool bold = m_pEdit->textCursor().charFormat().fontWeight() >= QFont::Bold;
        MergeFormat([bold](QTextCharFormat& f) { f.setFontWeight(bold ? QFont::Normal : QFont::Bold); });
    });
    OnCommand(ID_TEXT_ITALIC, [this] {
        const bool italic = m_pEdit->textCursor().charFormat().fontItalic();
        MergeFormat([italic](QTextCharFormat& f) { f.setFontItalic(!italic); });
    });
    OnCommand(ID_TEXT_UNDERLINE, [this] {
        const bool on = m_pEdit->textCursor().charFormat().fontUnderline();
        MergeFormat([on](QTextCharFormat& f) {
            f.setFontUnderline(!on);
            f.setFontStrikeOut(false);
        });
    });
    OnCommand(ID_TEXT_STRIKEOUT, [this] {
        const bool on = m_pEdit->textCursor().charFormat().fontStrikeOut();
        MergeFormat([on](QTextCharFormat& f) {
            f.setFontStrikeOut(!on);
            f.setFontUnderline(false);
        });
    });
    // The item's own setting (bold, italic, decoration) leaves nothing to toggle.
    OnUpdateCommand(ID_TEXT_BOLD, [this](CCmdUI* ui) {
        ui->Enable(!m_pItem || m_pItem->m_nBold == 2);
        ui->SetCheck(m_pEdit->textCursor().charFormat().fontWeight() >= QFont::Bold);
    });
    OnUpdateCommand(ID_TEXT_ITALIC, [this](CCmdUI* ui) {
        ui->Enable(!m_pItem || m_pItem->m_nItalic == 2);
        ui->SetCheck(m_pEdit->textCursor().charFormat().fontItalic());
    });
    OnUpdateCommand(ID_TEXT_UNDERLINE, [this](CCmdUI* ui) {
        ui->Enable(!m_pItem || m_pItem->m_nDecoration == 0);
        ui->SetCheck(m_pEdit->textCursor().charFormat().fontUnderline());
    });
    OnUpdateCommand(ID_TEXT_STRIKEOUT, [this](CCmdUI* ui) {
        ui->Enable(!m_pItem || m_pItem->m_nDecoration == 0);
        ui->SetCheck(m_pEdit->textCursor().charFormat().fontStrikeOut());
    });
    OnCommand(ID_TEXT_TELETYPE, [this] {
        const bool mono = FaceOf(m_pEdit->textCursor().charFormat()).Left(7) == "Courier";
        const QString face = mono && m_pItem ? m_pItem->m_charFormat.face.ToQString() : QStringLiteral("Courier New");
        MergeFormat([face](QTextCharFormat& f) { f.setFontFamilies(QStringList{face}); });
    });
    OnUpdateCommand(ID_TEXT_TELETYPE, [this](CCmdUI* ui) {
        ui->SetCheck(FaceOf(m_pEdit->textCursor().charFormat()).Left(7) == "Courier");
    });
    OnCommand(ID_TEXT_COLOR, [this] {
        COLORREF color = tessel::QColorToColorRef(m_pEdit->textCursor().charFormat().foreground().color());
        if (ChooseColorDlg(color, "Text Color", FALSE))
            MergeFormat([color](QTextCharFormat& f) { f.setForeground(tessel::ColorRefToQColor(color)); });
    });
    OnCommand(ID_TEXT_PLAIN, [this] {
        if (!m_pItem)
            return;
        // The item's own format, which drops any link number too.
        const QTextCharFormat f = RichCharFormatToText(m_pItem->m_charFormat);
        QTextCursor c = m_pEdit->textCursor();
        c.setCharFormat(f);
        m_pEdit->setTextCursor(c);
    });
    OnCommand(ID_TEXT_LARGER, [this] {
        SetSizeTwips(LargerFontTwips(SelectionTwips(), m_pItem ? int(m_pItem->m_lfText->lfHeight) : -16));
    });
    OnCommand(ID_TEXT_SMALLER, [this] {
        SetSizeTwips(SmallerFontTwips(SelectionTwips(), m_pItem ? int(m_pItem->m_lfText->lfHeight) : -16));
    });
    for (const FixedSize& s : kFixedSizes) {
        const int twips = s.twips;
        OnCommand(s.id, [this, twips] { SetSizeTwips(twips); });
    }
    OnCommand(ID_TEXT_LINK, [this] { OnLink(); });
    OnCommand(ID_TEXT_SPECIAL_CHAR, [this] {
        DInsertCharacter dlg(this);
        if (dlg.DoModal() == IDOK && dlg.m_pGrid->m_nChar > 0)
            m_pEdit->textCursor().insertText(QString(QChar(char16_t(dlg.m_pGrid->m_nChar))));
    });
    OnCommand(ID_TEXT_BULLET, [this] { m_pEdit->textCursor().insertText(QString(QChar(u'\u25CF'))); });
}

void DEditText::MergeFormat(const std::function<void(QTextCharFormat&)>& change)
{
    QTextCharFormat f;
    change(f);
    QTextCursor c = m_pEdit->textCursor();
    c.mergeCharFormat(f);
    m_pEdit->mergeCurrentCharFormat(f);
    m_pToolBar->UpdateStates();
}

void DEditText::SetSizeTwips(int twips)
{
    const int pixels = PixelsOfTwips(twips);
    MergeFormat([pixels](QTextCharFormat& f) { f.setProperty(QTextFormat::FontPixelSize, pixels); });
}

int DEditText::SelectionTwips() const
{
    const QTextCursor cursor = m_pEdit->textCursor();
    auto twipsOf = [](const QTextCharFormat& f) {
        return f.hasProperty(QTextFormat::FontPixelSize) ? f.intProperty(QTextFormat::FontPixelSize) * 15 : 0;
    };
    if (!cursor.hasSelection())
        return twipsOf(cursor.charFormat());
    const QTextDocument* doc = m_pEdit->document();
    int found = -1;
    for (int pos = cursor.selectionStart(); pos < cursor.selectionEnd(); ++pos) {
        if (doc->characterAt(pos) == QChar::ParagraphSeparator)
            continue;
        QTextCursor at(const_cast<QTextDocument*>(doc));
        at.setPosition(pos + 1);
        const int twips = twipsOf(at.charFormat());
        if (found >= 0 && twips != found)
            return 0;
        found = twips;
    }
    return std::max(found, 0);
}

void DEditText::Align(int alignment)
{
    if (m_pItem)
        m_pItem->m_nTextAlign = alignment;
    OnOK();
}

void DEditText::OnLink()
{
    if (!m_pItem)
        return;
    const int number = m_pEdit->textCursor().charFormat().intProperty(kLinkProperty);
    if (number >= 1) {
        EditLink(number);
        return;
    }
    auto link = std::make_unique<CItemLink>();
    DLink dlg(this);
    dlg.m_pDoc = m_pDoc;
    dlg.m_pLink = link.get();
    if (dlg.DoModal() != IDOK)
        return; // the new record goes again
    int free = 1;
    while (free <= 0xFFFF && m_pItem->FindRunLink(free))
        ++free;
    if (free > 0xFFFF)
        return;
    m_pItem->m_links[WORD(free)] = std::move(link);
    MergeFormat([free](QTextCharFormat& f) { f.setProperty(kLinkProperty, free); });
}

void DEditText::EditLink(int number)
{
    CItemLink* record = m_pItem->FindRunLink(number);
    if (!record)
        return; // a number without a record is ignored
    DLink dlg(this);
    dlg.m_pDoc = m_pDoc;
    dlg.m_pLink = record;
    if (dlg.DoModal() == IDOK && record->m_nTargetId == 0)
        MergeFormat([](QTextCharFormat& f) { f.setProperty(kLinkProperty, 0); });
}

void DEditText::OnFont()
{
    if (!m_pItem)
        return;
    CItem& item = *m_pItem;
    DFont dlg(this);
    dlg.m_strCaption = UiTranslate("Default Paragraph Font");
    dlg.m_strFace = item.m_strFontFace;
    dlg.m_strWebFont = item.m_strWebFont;
    dlg.m_nSize = item.m_nFontSize;
    dlg.m_nBold = item.m_nBold;
    dlg.m_nItalic = item.m_nItalic;
    dlg.m_nUnderline = item.m_nDecoration;
    dlg.m_crColor = item.m_crText;
    if (dlg.DoModal() != IDOK)
        return;
    item.m_strFontFace = dlg.m_strFace;
    item.m_strWebFont = dlg.m_strWebFont;
    item.m_nFontSize = dlg.m_nSize;
    item.m_nBold = dlg.m_nBold;
    item.m_nItalic = dlg.m_nItalic;
    item.m_nDecoration = dlg.m_nUnderline;
    item.m_crText = dlg.m_crColor;
    item.RecalcLayout();
    SetRichEditFont(*m_pItem, m_pEdit->document());
    m_pToolBar->UpdateStates();
}

void DEditText::OnPadding()
{
    if (!m_pItem || !m_pItem->m_pPadding)
        return;
    DPadding dlg(this);
    dlg.m_nPadding = m_pItem->m_nPadding;
    dlg.m_padding = *m_pItem->m_pPadding;
    if (dlg.DoModal() != IDOK)
        return;
    m_pItem->m_nPadding = dlg.m_nPadding;
    *m_pItem->m_pPadding = dlg.m_padding;
}

void DEditText::OnLineHeight()
{
    const int entry = qobject_cast<QComboBox*>(GetDlgItem(1018))->currentIndex();
    const int fontHeight = m_pItem ? int(m_pItem->m_lfText->lfHeight) : -16;
    QTextBlockFormat bf;
    if (entry <= 0)
        bf.setLineHeight(100, QTextBlockFormat::ProportionalHeight);
    else {
        const int twips = ((entry * 10 + 100) * (-fontHeight * 60)) / 400;
        bf.setLineHeight(twips / 15.0, QTextBlockFormat::FixedHeight);
    }
    bf.setBottomMargin(0);
    m_pEdit->textCursor().mergeBlockFormat(bf);
}

void DEditText::LimitText(int position, int added)
{
    if (m_bLimiting || added <= 0)
        return;
    const int length = m_pEdit->document()->characterCount() - 1;
    const int excess = length - kEditTextLimit;
    if (excess <= 0)
        return;
    // What went past the limit is refused: the end of what was just added goes again.
    m_bLimiting = true;
    QTextCursor c(m_pEdit->document());
    const int end = position + added;
    c.setPosition(std::max(position, end - excess));
    c.setPosition(end, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    m_bLimiting = false;
}

int EditParagraphText(CKJDoc& doc, CItem* page, CItem* container, CParagraphItem* item, const char* description)
{
    CEditScope scope(doc, page, container, item, description);
    DEditText dlg;
    dlg.m_pItem = item;
    dlg.m_pDoc = &doc;
    const int result = dlg.DoModal();
    if (result != IDOK) {
        scope.Cancel();
        return result;
    }
    item->RecalcLayout();
    scope.Touch(item);
    return result;
}
