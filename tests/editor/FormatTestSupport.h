// A page on a view for the formatting and action commands: the project's bytes, its undo
// list and the update hints it sends, and the commands' dialogs answered by the modal hook.
#pragma once
#include "EditingFixture.h"

#include "document/Generate.h"
#include "editor/commands/FormatCommands.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/Dialog.h"
#include "model/Dib.h"
#include "model/items/ImageItemBase.h"
#include "model/PageOutput.h"
#include "model/Picture.h"
#include "model/PublishContext.h"

#include <gtest/gtest.h>
#include <functional>
#include <initializer_list>

namespace edtest {

// Puts the plugged dialogs back as they were when it ends.
struct PluggedDialogs {
    PluggedDialogs() : saved(GetCommandDialogs()) {}
    ~PluggedDialogs() { GetCommandDialogs() = saved; }
    CommandDialogs saved;
};

// Answers every message box with the answer given, recording the texts.
struct Answers {
    explicit Answers(int answer)
    {
        previous = SetMessageBoxHandler([this, answer](const CString& text, const CString&, unsigned) {
            texts.push_back(text);
            return answer;
        });
    }
    ~Answers() { SetMessageBoxHandler(previous); }
    std::vector<CString> texts;
    MessageBoxHandler previous;
};

inline std::vector<std::uint32_t> Pixels(const CDib& dib)
{
    std::vector<std::uint32_t> out;
    for (int y = 0; y < dib.GetHeight(); ++y)
        for (int x = 0; x < dib.GetWidth(); ++x)
            out.push_back(dib.GetPixelChecked(x, y));
    return out;
}

struct FormatCanvas : EditCanvas {
    std::vector<long> hints;
    CDialog::ModalHook previousHook;

    FormatCanvas() : EditCanvas(800, 600)
    {
        doc.m_onEdited = [this](long hint) { hints.push_back(hint); };
        doc.SetModifiedFlag(false);
        // a dialog nobody answers is cancelled
        previousHook = CDialog::SetModalHook([](CDialog&) { return IDCANCEL; });
    }
    ~FormatCanvas() { CDialog::SetModalHook(previousHook); }

    // The next dialog of type T gets act, then OK or Cancel as the user presses them; any
    // other dialog is cancelled and counted as unexpected.
    template <class T>
    void Answer(std::function<void(T&)> act, bool ok)
    {
        CDialog::SetModalHook([act, ok](CDialog& d) -> int {
            T* dialog = dynamic_cast<T*>(&d);
            if (!dialog) {
                ADD_FAILURE() << "unexpected dialog " << d.windowTitle().toStdString();
                return IDCANCEL;
            }
            act(*dialog);
            if (ok)
                d.OnOK();
            else
                d.OnCancel();
            return d.IsEnded() ? d.GetResult() : IDCANCEL;
        });
    }

    // Laid out with every rendered look drawn, as a project is once it has been shown.
    void Settle()
    {
        LayOut();
        for (const auto& child : page->GetChildren())
            if (auto* rendered = dynamic_cast<CImageItemBase*>(child.get()))
                rendered->Render(0);
        LayOut();
    }
    void Run(UINT id) { ExecuteCommand(&view(), id); }
    bool Enabled(UINT id)
    {
        CCmdUI ui(id);
        UpdateCommand(&view(), ui);
        return ui.m_bEnabled;
    }
    void Select(const std::vector<CItem*>& items)
    {
        view().DeselectAll();
        for (CItem* item : items)
            item->m_bSelected = 1;
    }
    // The current page as the site generator writes it.
    CString PageHtmlNow()
    {
        CPublishContext context;
        context.m_nMode = kPublishExport;
        doc.ResolveLinks(context);
        CPageOutput out(kPublishExport, doc.m_nPageWidth);
        BuildPageHtml(doc, page, out);
        return out.m_strFinalPage;
    }
    std::vector<CItem*> SelectedNow() { return view().GetSelectedItems(); }

    std::vector<BYTE> Bytes()
    {
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            doc.Serialize(ar);
            ar.Close();
        }
        return file.Bytes();
    }

    // Everything published counts as uploaded.
    void SetUploaded()
    {
        doc.m_nCssUploadState = 2;
        for (auto& p : doc.m_pages)
            p->m_nUploadState = 2;
        CItemList all;
        doc.CollectAllItems(all);
        for (CItem* item : all)
            item->m_nUploadState = 2;
        doc.SetModifiedFlag(false);
    }
    void ExpectAllUploadStatesReset()
    {
        EXPECT_EQ(page->m_nUploadState, 0);
        for (CItem* item : SelectedNow())
            EXPECT_EQ(item->m_nUploadState, 0) << item->m_nType;
    }

    struct Counts {
        std::size_t undo, hints;
    };
    Counts Count() const { return {doc.m_undo.GetCount(), hints.size()}; }
    void ExpectOneUndoStep(const Counts& before, const char* description)
    {
        ASSERT_EQ(doc.m_undo.GetCount(), before.undo + 1) << description;
        EXPECT_EQ(doc.m_undo.GetHead()->m_strDescription, CString(description));
        EXPECT_EQ(hints.size(), before.hints + 1) << description;
        EXPECT_TRUE(doc.IsModified()) << description;
    }
    static std::string Around(const std::vector<BYTE>& b, long at)
    {
        std::string out;
        for (long i = std::max(0L, at - 24); i < std::min(long(b.size()), at + 24); ++i)
            out += CString::Formatted("%02X%s", b[size_t(i)], i == at ? "* " : " ").GetString();
        return out;
    }
    void ExpectUnchanged(const std::vector<BYTE>& bytes)
    {
        const std::vector<BYTE> now = Bytes();
        const long at = FirstDifference(now, bytes);
        EXPECT_EQ(at, -1) << Around(now, at) << " was " << Around(bytes, at);
        EXPECT_EQ(doc.m_undo.GetCount(), 0u);
        EXPECT_TRUE(hints.empty());
        EXPECT_FALSE(doc.IsModified());
    }
};

} // namespace edtest
