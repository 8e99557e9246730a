// Answering the dialogs of view commands, recording message boxes, and the project's bytes
// before and after a command.
#pragma once
#include "EditingFixture.h"

#include "framework/core/MessageBox.h"
#include "framework/ui/Dialog.h"

#include <map>
#include <vector>

namespace edtest {

// Answers every dialog opened while it lives: the edits and check boxes given are set,
// then OK (or Cancel); what the dialog showed first is kept.
struct DialogAnswer {
    std::map<int, CString> texts;
    std::map<int, int> checks;
    bool ok = true;
    int opened = 0;
    CString title;
    std::map<int, CString> shown; // the initial text of each edit that was answered
    CDialog::ModalHook previous;

    DialogAnswer(std::map<int, CString> t, bool accept = true, std::map<int, int> c = {})
        : texts(std::move(t)), checks(std::move(c)), ok(accept)
    {
        previous = CDialog::SetModalHook([this](CDialog& dlg) {
            ++opened;
            title = CString::FromQString(dlg.windowTitle());
            // check boxes first: "Keep proportions" would rewrite the edits typed after it
            for (const auto& [id, on] : checks)
                dlg.CheckDlgButton(id, on);
            for (const auto& [id, text] : texts) {
                shown[id] = dlg.GetDlgItemText(id);
                dlg.SetDlgItemText(id, text);
            }
            if (ok)
                dlg.OnOK();
            else
                dlg.OnCancel();
            return dlg.GetResult();
        });
    }
    ~DialogAnswer() { CDialog::SetModalHook(previous); }
};

struct MessageLog {
    std::vector<CString> texts;
    MessageBoxHandler previous;
    MessageLog()
    {
        previous = SetMessageBoxHandler([this](const CString& text, const CString&, unsigned) {
            texts.push_back(text);
            return IDOK;
        });
    }
    ~MessageLog() { SetMessageBoxHandler(previous); }
};

// The whole project as its file holds it.
inline std::vector<BYTE> ProjectBytes(CKJDoc& doc)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        doc.Serialize(ar);
        ar.Close();
    }
    return file.Bytes();
}

inline std::vector<CItem*> Children(const CGroupItem& group)
{
    std::vector<CItem*> out;
    for (const auto& child : group.GetChildren())
        out.push_back(child.get());
    return out;
}

inline void SelectOnly(CGroupItem& group, std::initializer_list<CItem*> items)
{
    for (const auto& child : group.GetChildren())
        child->m_bSelected = 0;
    for (CItem* item : items)
        item->m_bSelected = 1;
}

} // namespace edtest
