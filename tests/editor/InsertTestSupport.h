// Shared pieces of the insert tests: answering message boxes, dialogs and file choosers,
// picture files, and a site holding one item of every kind the commands insert today.
#pragma once
#include "EditingFixture.h"

#include "controls/FileChooser.h"
#include "dialogs/CreateItemDialog.h"
#include "dialogs/SmallItemDialogs.h"
#include "dialogs/SmallPropertyDialogs.h"
#include "document/EditScope.h"
#include "document/Generate.h"
#include "editor/commands/InsertCommands.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/Dialog.h"
#include "model/PublishContext.h"
#include "model/items/GalleryItem.h"
#include "model/items/SliderItem.h"
#include "model/items/TableItem.h"

#include <gtest/gtest.h>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <iterator>
#include <memory>
#include <string>

namespace instest {
using namespace edtest;

inline CWString W(const CString& text)
{
    CWString w;
    w = text.GetString();
    return w;
}

inline std::string Bytes(CItem& object)
{
    CDataBlock block;
    CKJDoc::WriteSnapshot(object, block);
    return std::string(reinterpret_cast<const char*>(block.Data()), block.Size());
}

inline bool Enabled(CKJView& view, UINT id)
{
    CCmdUI ui(id);
    UpdateCommand(&view, ui);
    return ui.m_bEnabled;
}

// Records message boxes and answers them.
struct Messages {
    std::vector<CString> texts;
    int answer;
    MessageBoxHandler previous;
    explicit Messages(int a = IDOK) : answer(a)
    {
        previous = SetMessageBoxHandler([this](const CString& text, const CString&, unsigned) {
            texts.push_back(text);
            return answer;
        });
    }
    ~Messages() { SetMessageBoxHandler(previous); }
};

// Answers the next modal dialogs with a function of the dialog.
struct Modal {
    CDialog::ModalHook previous;
    explicit Modal(std::function<int(CDialog&)> f) { previous = CDialog::SetModalHook(std::move(f)); }
    ~Modal() { CDialog::SetModalHook(previous); }
};
inline int Cancel(CDialog& dlg)
{
    dlg.OnCancel();
    return dlg.GetResult();
}

// Chooses files in the next file dialogs.
struct Files {
    CFileChooser::DialogHook previous;
    // What each chooser showed, read while it was open (it is gone once the command ends).
    struct Seen {
        CString initialFolder;
        bool pdfFilterTakesUpperCase = false; // the first filter matches "A.PDF"
    };
    std::vector<Seen> seen;
    std::vector<CString> filters;
    explicit Files(std::vector<CString> paths)
    {
        previous = CFileChooser::SetDialogHook([this, paths](CFileChooser& chooser, bool) {
            seen.push_back({chooser.GetInitialFolder(), chooser.FilterMatches(0, "A.PDF")});
            if (paths.empty())
                return false;
            if (paths.size() == 1)
                chooser.SetSelection(CString(), paths);
            else {
                std::vector<CString> names;
                for (const CString& p : paths)
                    names.push_back(CString::FromQString(QFileInfo(p.ToQString()).fileName()));
                chooser.SetSelection(CString::FromQString(QFileInfo(paths[0].ToQString()).absolutePath()), names);
            }
            return true;
        });
    }
    ~Files() { CFileChooser::SetDialogHook(previous); }
};

inline CString WritePicture(const QTemporaryDir& dir, const char* name, int w, int h, QColor colour = Qt::blue)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir.filePath(QString::fromLatin1(name));
    EXPECT_TRUE(image.save(path, "PNG"));
    return CString::FromQString(path);
}

inline CString WriteBytes(const QTemporaryDir& dir, const char* name, const QByteArray& bytes)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return CString::FromQString(path);
}

// A 1 x 1 GIF picture.
inline const QByteArray kGif = QByteArray::fromHex("474946383961010001008000000000ffffff21f90401000000002c00000000010001000002024401003b");

// A new site whose home page holds one item of every kind the commands insert today, with
// hostile texts in what they show, generated into the folder "site".
struct EveryKindSite {
    QTemporaryDir dir;
    CKJDoc doc;
    CPage* page = nullptr;
    std::unique_ptr<ViewFixture> fixture;
    CString error;
    const CString hostile = "Q\"'<script>window.pwned=1</script><img src=x onerror=\"window.pwned=2\">&amp";
    static constexpr char kFileBytes[] = "PK\x03\x04 archive bytes \x00\x01\x02";
    const QByteArray fileBytes = QByteArray(kFileBytes, sizeof kFileBytes - 1); // with its zero byte, without the terminator

    // The path of the generated home page; empty (and error set) on failure.
    QString Generate()
    {
        doc.OnNewDocument();
        fixture = std::make_unique<ViewFixture>(doc);
        page = doc.m_pages.front().get();
        page->m_strExtension = ".html";
        ViewFixture& f = *fixture;
        f.view.SetCurrentPage(page);
        Messages no(IDNO);
        Modal dialogs([&](CDialog& dlg) {
            if (dynamic_cast<DCreateItem*>(&dlg)) {
                dlg.CheckDlgButton(DCreateItem::IDC_AT_END, 0);
                dlg.CheckDlgButton(DCreateItem::IDC_AT_XY, 1);
            } else if (dynamic_cast<DHeading*>(&dlg))
                dlg.SetDlgItemText(1000, hostile);
            else if (dynamic_cast<DAudioStream*>(&dlg))
                dlg.SetDlgItemText(1028, "https://example.org/a.mp3?x=1&y=\"2\"");
            else if (dynamic_cast<DList*>(&dlg))
                dlg.SetDlgItemText(1000, hostile + "\r\nsecond");
            dlg.OnOK();
            return dlg.IsEnded() ? dlg.GetResult() : IDCANCEL;
        });
        const UINT commands[] = {ID_FORM_INPUT, ID_FORM_LIST, ID_FORM_DROPDOWN, ID_FORM_TEXTAREA, ID_FORM_CHECKBOX,
                                 ID_FORM_RADIO, ID_FORM_SUBMIT, ID_FORM_DATE_PICKER, ID_FORM_FILE_CHOOSER,
                                 ID_FORM_COLOR_PICKER, ID_INSERT_GROUP, ID_INSERT_SCROLLAREA, ID_INSERT_MENU,
                                 ID_INSERT_CATEGORIES, ID_INSERT_PARAGRAPH, ID_INSERT_HEADING, ID_INSERT_LIST,
                                 ID_INSERT_MARQUEE, ID_INSERT_AUDIO};
        const int before = page->GetChildCount();
        for (size_t i = 0; i < std::size(commands); ++i) {
            ExecuteCommand(&f.view, commands[i]);
            if (page->GetChildCount() != before + int(i) + 1)
                error.AppendFormat("command %u inserted nothing; ", commands[i]);
            f.view.m_drag.mode = 0; // placed where it was put
        }
        {
            Files files({WritePicture(dir, "photo one.png", 300, 200)});
            ExecuteCommand(&f.view, ID_INSERT_ICON);
            f.view.m_drag.mode = 0;
        }
        {
            CEditScope scope(doc, page, page, nullptr, "Insert Gallery");
            f.view.AddItemToPage(BuildGallery(doc, 600, 400, 100, 70,
                                              {WritePicture(dir, "wide.png", 1200, 600), WritePicture(dir, "tall.png", 600, 1200),
                                               WritePicture(dir, "exact.png", 600, 400)}),
                                 false);
            f.view.AddItemToPage(BuildSlider(doc, 900, 300, 5, 1, true, {WritePicture(dir, "s.png", 900, 300)}), false);
            f.view.AddItemToPage(BuildTable(doc, "Table1", 3, 4), false);
        }
        if (!AttachFileToProject(doc, WriteBytes(dir, "Data File.zip", fileBytes), "data_file", ".zip", nullptr))
            return QString();
        // hostile values in what the remaining kinds show
        CItemList all;
        doc.CollectAllItems(all);
        for (CItem* item : all)
            if (item->m_nType == ITEM_MARQUEE || item->m_nType == ITEM_RADIO_CHOICE || item->m_nType == ITEM_TEXT_AREA)
                item->m_strText = hostile.GetString();

        CPublishContext context;
        context.m_strOutputFolder = CString::FromQString(dir.filePath(QStringLiteral("site")));
        context.m_nMode = kPublishExport;
        context.m_bUploadAll = 1;
        if (!error.IsEmpty() || GenerateWebsite(doc, context, &error) != 1)
            return QString();
        return dir.filePath(QStringLiteral("site/index.html"));
    }
};

} // namespace instest
