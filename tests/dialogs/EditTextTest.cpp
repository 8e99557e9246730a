// The rich-text editor: formats through the toolbar into the item's runs, the size steps,
// the buttons the item's own settings grey, link numbers, alignment, the text limit, and
// Cancel after side dialogs taking everything back.
#include "EditTextTestSupport.h"

#include "controls/DialogToolBar.h"
#include "dialogs/EditText.h"
#include "dialogs/FontDialogs.h"
#include "dialogs/LinkDialog.h"
#include "dialogs/SizeDialogs.h"
#include "document/DocTestSupport.h"
#include "document/KJDoc.h"
#include "framework/ui/CmdTarget.h"
#include "model/Page.h"
#include "model/TextStyle.h"
#include "model/items/ParagraphItem.h"

#include <gtest/gtest.h>
#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTextEdit>

using namespace dialogtest;
using namespace edittexttest;


TEST(EditText, SizeSteps)
{
    const struct {
        int twips;
        bool larger;
        int expected;
    } cases[] = {
        {360, true, 480}, {720, true, 180}, {180, false, 150}, {150, false, 180}, {0, true, 270}, {0, false, 180},
        {240, true, 270}, {270, true, 360}, {480, false, 360},
    };
    for (const auto& c : cases) {
        const int got = c.larger ? LargerFontTwips(c.twips, -16) : SmallerFontTwips(c.twips, -16);
        EXPECT_EQ(got, c.expected) << c.twips << (c.larger ? " larger" : " smaller");
    }
}

TEST(EditText, EveryFormatReachesTheRunsAndComesBack)
{
    auto item = MakeParagraph(u"abcdefgh");
    ASSERT_EQ(item->m_lfText->lfHeight, -16);
    DEditText dlg;
    dlg.m_pItem = item.get();
    EXPECT_EQ(RunEditor(dlg, [](DEditText& d) {
                  Select(d, 0, 1);
                  Command(d, ID_TEXT_BOLD);
                  Select(d, 1, 2);
                  Command(d, ID_TEXT_ITALIC);
                  Select(d, 2, 3);
                  Command(d, ID_TEXT_UNDERLINE);
                  Select(d, 3, 4);
                  Command(d, ID_TEXT_UNDERLINE);
                  Command(d, ID_TEXT_STRIKEOUT); // excludes the underline
                  Select(d, 4, 5);
                  Command(d, ID_TEXT_TELETYPE);
                  Select(d, 5, 6);
                  Command(d, ID_TEXT_SIZE_36);
                  Select(d, 6, 7);
                  Command(d, ID_TEXT_SIZE_7);
                  Screenshot(d, "DEditText");
                  PressOk(d);
              }),
              IDOK);
    std::vector<CTextRun> runs = Runs(*item);
    ASSERT_EQ(runs.size(), 8u);
    EXPECT_EQ(runs[0].bold, 1);
    EXPECT_EQ(runs[1].italic, 1);
    EXPECT_EQ(runs[2].decoration, 1);
    EXPECT_EQ(runs[3].decoration, 2);
    EXPECT_EQ(runs[4].monospace, 1);
    EXPECT_EQ(runs[5].size, RunSizeStepOfTwips(720));
    EXPECT_EQ(runs[6].size, RunSizeStepOfTwips(150));
    EXPECT_EQ(runs[7], (CTextRun{kRunColorInherit, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(item->m_strText.ToQString(), QStringLiteral("abcdefgh"));

    // Opened again and closed with OK, the runs are the same; with Cancel, untouched.
    for (bool ok : {true, false}) {
        DEditText again;
        again.m_pItem = item.get();
        RunEditor(again, [ok](DEditText& d) {
            EXPECT_TRUE(d.Editor()->textCursor().charFormat().isValid());
            Select(d, 0, 8);
            if (ok)
                PressOk(d);
            else {
                Command(d, ID_TEXT_SIZE_24);
                PressCancel(d);
            }
        });
        EXPECT_EQ(Runs(*item), runs) << ok;
    }
}

TEST(EditText, LargerAndSmallerFromTheSelection)
{
    const struct {
        UINT start; // 0: half 9 pt, half 36 pt
        UINT command;
        int twips;
    } cases[] = {
        {ID_TEXT_SIZE_18, ID_TEXT_LARGER, 480}, {ID_TEXT_SIZE_36, ID_TEXT_LARGER, 180},
        {ID_TEXT_SIZE_9, ID_TEXT_SMALLER, 150}, {ID_TEXT_SIZE_7, ID_TEXT_SMALLER, 180},
        {0, ID_TEXT_LARGER, 270},               {0, ID_TEXT_SMALLER, 180},
    };
    for (const auto& c : cases) {
        auto item = MakeParagraph(u"abcd");
        DEditText dlg;
        dlg.m_pItem = item.get();
        RunEditor(dlg, [&](DEditText& d) {
            if (c.start) {
                Select(d, 0, 4);
                Command(d, c.start);
            } else {
                Select(d, 0, 2);
                Command(d, ID_TEXT_SIZE_9);
                Select(d, 2, 4);
                Command(d, ID_TEXT_SIZE_36);
                Select(d, 0, 4);
                EXPECT_EQ(d.SelectionTwips(), 0);
            }
            Command(d, c.command);
            EXPECT_EQ(d.SelectionTwips(), c.twips) << c.start << " " << c.command;
        });
    }
}

TEST(EditText, TheItemsOwnSettingsGreyTheirButtons)
{
    const struct {
        int bold, italic, decoration;
        bool b, i, u;
    } cases[] = {
        {2, 2, 0, true, true, true}, {1, 2, 0, false, true, true}, {0, 2, 0, false, true, true},
        {2, 1, 0, true, false, true}, {2, 2, 1, true, true, false}, {2, 2, 2, true, true, false},
        {2, 2, 3, true, true, false},
    };
    for (const auto& c : cases) {
        auto item = MakeParagraph(u"text");
        item->m_nBold = c.bold;
        item->m_nItalic = c.italic;
        item->m_nDecoration = c.decoration;
        DEditText dlg;
        dlg.m_pItem = item.get();
        RunEditor(dlg, [&](DEditText& d) {
            EXPECT_EQ(d.ToolBar()->Action(ID_TEXT_BOLD)->isEnabled(), c.b);
            EXPECT_EQ(d.ToolBar()->Action(ID_TEXT_ITALIC)->isEnabled(), c.i);
            EXPECT_EQ(d.ToolBar()->Action(ID_TEXT_UNDERLINE)->isEnabled(), c.u);
            EXPECT_EQ(d.ToolBar()->Action(ID_TEXT_STRIKEOUT)->isEnabled(), c.u);
        });
    }
}

TEST(EditText, NewLinksTakeTheSmallestFreeNumber)
{
    const struct {
        std::vector<int> present;
        int expected;
    } cases[] = {{{}, 1}, {{1, 3}, 2}, {{1, 2}, 3}, {{2}, 1}};
    for (const auto& c : cases) {
        auto item = MakeParagraph(u"a link here");
        for (int n : c.present)
            item->m_links[WORD(n)] = std::make_unique<CItemLink>();
        DEditText dlg;
        dlg.m_pItem = item.get();
        RunEditor(
            dlg,
            [](DEditText& d) {
                Select(d, 2, 6);
                Command(d, ID_TEXT_LINK);
                PressOk(d);
            },
            AnswerLink);
        ASSERT_NE(item->FindRunLink(c.expected), nullptr) << c.expected;
        EXPECT_EQ(item->FindRunLink(c.expected)->m_strUrl, CString("https://example.com/"));
        const std::vector<CTextRun> runs = Runs(*item);
        EXPECT_EQ(runs[2].link, c.expected);
        EXPECT_EQ(runs[5].link, c.expected);
        EXPECT_EQ(runs[6].link, 0);
    }
    // A cancelled Link dialog adds nothing.
    auto item = MakeParagraph(u"abc");
    DEditText dlg;
    dlg.m_pItem = item.get();
    RunEditor(dlg, [](DEditText& d) {
        Select(d, 0, 2);
        Command(d, ID_TEXT_LINK);
        PressOk(d);
    });
    EXPECT_TRUE(item->m_links.empty());
    EXPECT_EQ(Runs(*item)[0].link, 0);
}

TEST(EditText, RemoveAllFormattingDropsTheLinkNumberButKeepsTheRecord)
{
    auto item = MakeParagraph(u"abcdef");
    DEditText dlg;
    dlg.m_pItem = item.get();
    RunEditor(
        dlg,
        [](DEditText& d) {
            Select(d, 0, 4);
            Command(d, ID_TEXT_LINK);
            Command(d, ID_TEXT_BOLD);
            Select(d, 0, 6);
            Command(d, ID_TEXT_PLAIN);
            PressOk(d);
        },
        AnswerLink);
    ASSERT_NE(item->FindRunLink(1), nullptr);
    for (const CTextRun& run : Runs(*item)) {
        EXPECT_EQ(run.link, 0);
        EXPECT_EQ(run.bold, 0);
    }
}

TEST(EditText, AlignmentClosesAsOkWithTheText)
{
    const struct {
        UINT command;
        int alignment;
        size_t messages;
    } cases[] = {{ID_TEXT_ALIGN_LEFT, 0, 0}, {ID_TEXT_ALIGN_CENTER, 2, 0}, {ID_TEXT_ALIGN_RIGHT, 1, 0},
                 {ID_TEXT_ALIGN_JUSTIFY, 3, 1}};
    for (const auto& c : cases) {
        auto item = MakeParagraph(u"old");
        item->m_nTextAlign = 4;
        DEditText dlg;
        dlg.m_pItem = item.get();
        MessageLog log;
        EXPECT_EQ(RunEditor(dlg, [&](DEditText& d) {
                      d.Editor()->setPlainText(QStringLiteral("new text"));
                      Command(d, c.command);
                  }),
                  IDOK);
        EXPECT_EQ(item->m_nTextAlign, c.alignment);
        EXPECT_EQ(item->m_strText.ToQString(), QStringLiteral("new text"));
        ASSERT_EQ(log.texts.size(), c.messages);
        if (c.messages) {
            EXPECT_EQ(log.texts[0], CString("This options is visible in browser only."));
        }
    }
}

TEST(EditText, TextPastTheLimitIsRefused)
{
    auto item = MakeParagraph(u"");
    DEditText dlg;
    dlg.m_pItem = item.get();
    RunEditor(dlg, [](DEditText& d) {
        d.Editor()->insertPlainText(QString(kEditTextLimit - 2, QLatin1Char('a')));
        d.Editor()->insertPlainText(QStringLiteral("bcde"));
        EXPECT_EQ(d.Editor()->document()->characterCount() - 1, kEditTextLimit);
        EXPECT_TRUE(d.Editor()->toPlainText().endsWith(QStringLiteral("abc")));
        d.Editor()->insertPlainText(QStringLiteral("x"));
        EXPECT_EQ(d.Editor()->document()->characterCount() - 1, kEditTextLimit);
    });
}

TEST(EditText, TeletypeTogglesTheFace)
{
    auto item = MakeParagraph(u"code");
    DEditText dlg;
    dlg.m_pItem = item.get();
    RunEditor(dlg, [&](DEditText& d) {
        Select(d, 0, 4);
        Command(d, ID_TEXT_TELETYPE);
        EXPECT_EQ(d.Editor()->textCursor().charFormat().fontFamilies().toStringList(), QStringList{QStringLiteral("Courier New")});
        EXPECT_TRUE(d.ToolBar()->Action(ID_TEXT_TELETYPE)->isChecked());
        Command(d, ID_TEXT_TELETYPE);
        EXPECT_EQ(d.Editor()->textCursor().charFormat().fontFamilies().toStringList(),
                  QStringList{item->m_charFormat.face.ToQString()});
    });
}

TEST(EditText, CancelAfterSideDialogsLeavesTheProjectAsItWas)
{
    CKJDoc doc;
    auto page = std::make_unique<CPage>();
    page->m_strBaseName = "index";
    page->m_strExtension = ".html";
    CPage* p = page.get();
    doc.m_pages.push_back(std::move(page));
    auto item = MakeParagraph(u"some text");
    CParagraphItem* paragraph = item.get();
    p->AddChild(item.release());
    const std::vector<BYTE> before = doctest::SaveToBytes(doc);
    const size_t undo = doc.m_undo.GetCount();

    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
        if (auto* editor = dynamic_cast<DEditText*>(&d)) {
            Select(*editor, 0, 4);
            Command(*editor, ID_TEXT_LINK);
            editor->SendNotify(1025, BN_CLICKED);
            editor->SendNotify(1064, BN_CLICKED);
            Command(*editor, ID_TEXT_BOLD);
            EXPECT_FALSE(paragraph->m_links.empty()) << "the new link went into the item at once";
            editor->OnCancel();
            return IDCANCEL;
        }
        if (auto* font = dynamic_cast<DFont*>(&d)) {
            font->SetDlgItemText(1066, "30");
            font->OnOK();
            return font->GetResult();
        }
        if (auto* padding = dynamic_cast<DPadding*>(&d)) {
            padding->SetDlgItemText(1000, "17");
            padding->SetDlgItemText(1001, "3");
            padding->OnOK();
            return padding->GetResult();
        }
        return AnswerLink(d);
    });
    EXPECT_EQ(EditParagraphText(doc, p, p, paragraph, "Text Properties"), IDCANCEL);
    CDialog::SetModalHook(previous);
    EXPECT_EQ(doctest::SaveToBytes(doc), before);
    EXPECT_EQ(doc.m_undo.GetCount(), undo);
}

#include "document/GenerateTestSupport.h"
#include "model/PageOutput.h"
#include "support/ExternalTools.h"

// A paragraph formatted in the editor (every format, a link inside a bold run, a bullet)
// gives a page tidy accepts; a web font typed with quote, bracket and semicolon leaves a
// stylesheet without syntax errors.
TEST(EditText, FormattedParagraphMakesAValidPage)
{
    auto item = MakeFormattedParagraph();
    ASSERT_EQ(Runs(*item)[6].link, 1);
    EXPECT_EQ(Runs(*item)[6].bold, 1);
    EXPECT_TRUE(item->m_strText.ToQString().endsWith(QChar(u'\u25CF')));
    CPageOutput out;
    item->WriteHtml(out);
    out.AssemblePage();
    const QByteArray page(out.m_strFinalPage.GetString());
    EXPECT_EQ(testsupport::TidyErrors(page), QByteArray()) << page.constData();
    EXPECT_NE(page.indexOf("https://example.com/"), -1);
    EXPECT_NE(page.indexOf("\xE2\x97\x8F"), -1);
}

TEST(EditText, HostileWebFontLeavesAValidStylesheet)
{
    CSiteStyles styles;
    DFontStyle dlg(&styles.m_base);
    EXPECT_EQ(RunDialog(dlg, [](CDialog& d) {
                  d.SetDlgItemText(1022, "Open' Sans); color:red; }");
                  PressOk(d);
              }),
              IDOK);
    EXPECT_EQ(styles.m_base.m_strWebFont, CString("Open' Sans); color:red; }"));
    const CString css = styles.WriteCss();
    EXPECT_EQ(gentest::CssSyntaxErrors(QByteArray(css.GetString())), QStringList()) << css.GetString();
}
