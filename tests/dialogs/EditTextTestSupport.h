// Helpers of the rich-text editor tests: a laid-out paragraph, selections, commands, the
// editor run with answers for the dialogs it opens, and one pass of every format.
#pragma once
#include "DialogTestSupport.h"

#include "dialogs/EditText.h"
#include "dialogs/LinkDialog.h"
#include "framework/ui/CmdTarget.h"
#include "model/items/ParagraphItem.h"

#include <QtGui/QTextCursor>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTextEdit>

#include <functional>
#include <memory>
#include <vector>

namespace edittexttest {

inline std::vector<CTextRun> Runs(const CItem& item)
{
    std::vector<CTextRun> runs;
    for (int i = 0; i < GetTextRunCount(item.m_blob); ++i)
        runs.push_back(GetTextRun(item.m_blob, i));
    return runs;
}

inline void Select(DEditText& d, int from, int to)
{
    QTextCursor c = d.Editor()->textCursor();
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    d.Editor()->setTextCursor(c);
}

inline void Command(DEditText& d, UINT id) { ExecuteCommand(&d, id); }

// A paragraph laid out with a 16-pixel (12 pt) font.
inline std::unique_ptr<CParagraphItem> MakeParagraph(const char16_t* text)
{
    auto item = std::make_unique<CParagraphItem>();
    item->m_strFontFace = "Arial";
    item->m_nFontSize = 12;
    item->m_strText.SetText(text);
    item->RecalcLayout();
    return item;
}

// Runs the editor: act on it, and answer the dialogs it opens with their own handlers.
inline int RunEditor(DEditText& dlg, const std::function<void(DEditText&)>& act,
              const std::function<int(CDialog&)>& nested = {})
{
    bool outer = true;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) {
        if (!outer || &d != &dlg)
            return nested ? nested(d) : IDCANCEL;
        outer = false;
        act(dlg);
        return dlg.IsEnded() ? dlg.GetResult() : IDCANCEL;
    });
    const int result = dlg.DoModal();
    CDialog::SetModalHook(previous);
    return result;
}

// The Link dialog answered with an address.
inline int AnswerLink(CDialog& d)
{
    auto* link = dynamic_cast<DLink*>(&d);
    if (!link)
        return IDCANCEL;
    qobject_cast<QRadioButton*>(link->GetDlgItem(1045))->click();
    link->SetDlgItemText(1011, "https://example.com/");
    link->OnOK();
    return link->GetResult();
}

// Every format on a part of "bold link italic under strike mono big small " with a link
// (answered by AnswerLink) inside the bold run and a bullet at the end.
inline void FormatEverything(DEditText& d)
{
    const struct {
        int from, to;
        UINT command;
    } steps[] = {
        {0, 16, ID_TEXT_BOLD},       {5, 9, ID_TEXT_LINK},      {10, 16, ID_TEXT_ITALIC},  {17, 22, ID_TEXT_UNDERLINE},
        {23, 29, ID_TEXT_STRIKEOUT}, {30, 34, ID_TEXT_TELETYPE}, {35, 38, ID_TEXT_SIZE_36}, {39, 44, ID_TEXT_SIZE_7},
        {45, 45, ID_TEXT_BULLET},
    };
    for (const auto& s : steps) {
        Select(d, s.from, s.to);
        Command(d, s.command);
    }
}

// A paragraph with every format made in the editor, its link addresses resolved as
// generation resolves them.
inline std::unique_ptr<CParagraphItem> MakeFormattedParagraph()
{
    auto item = MakeParagraph(u"bold link italic under strike mono big small ");
    DEditText dlg;
    dlg.m_pItem = item.get();
    RunEditor(
        dlg,
        [](DEditText& d) {
            FormatEverything(d);
            d.OnOK();
        },
        AnswerLink);
    for (auto& [number, link] : item->m_links)
        link->m_strHref = link->m_strUrl;
    return item;
}

} // namespace edittexttest
