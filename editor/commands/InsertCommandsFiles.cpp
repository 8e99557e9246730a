// Insert commands that start from files or build several objects: Image (clone or files),
// Button, Icon, Gallery, Slider, Table and PDF (a file attached to the site); and the
// dialog steps of the item dialogs the program has.
#include "editor/commands/InsertCommands.h"
#include "editor/commands/Commands.h"

#include "dialogs/ArtisticTextDialogs.h"
#include "dialogs/CodeTextDialogs.h"
#include "dialogs/EditText.h"
#include "dialogs/LinkItemDialogs.h"
#include "dialogs/PageNameDialog.h"
#include "dialogs/PhpDialogs.h"
#include "dialogs/SymbolPicker.h"
#include "dialogs/WidgetDialogs.h"
#include "dialogs/SmallItemDialogs.h"
#include "dialogs/SmallPropertyDialogs.h"
#include "controls/DialogKit.h"
#include "controls/FileChooser.h"
#include "document/EditScope.h"
#include "document/ImageItemImport.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "editor/SiteTreeNodes.h"
#include "framework/core/CFile.h"
#include "framework/core/MessageBox.h"
#include "model/Translate.h"
#include "model/Clipboard.h"
#include "model/Folder.h"
#include "model/GroupItem.h"
#include "model/HeaderFooterItem.h"
#include "model/MasterItem.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "model/WString.h"
#include "model/items/ArtisticTextItem.h"
#include "model/items/AudioStreamItem.h"
#include "model/items/ExternalImageItem.h"
#include "model/items/FacebookItem.h"
#include "model/items/FlashItem.h"
#include "model/items/GoogleMapItem.h"
#include "model/items/LikeButtonItem.h"
#include "model/items/LinkItem.h"
#include "model/items/PayPalItem.h"
#include "model/items/SymbolItem.h"
#include "model/items/GalleryItem.h"
#include "model/items/HeadingItem.h"
#include "model/items/ImageCloneItem.h"
#include "model/items/ImageItem.h"
#include "model/items/ListItem.h"
#include "model/items/MarqueeItem.h"
#include "model/items/ParagraphItem.h"
#include "model/items/SliderItem.h"
#include "model/items/TableItem.h"
#include "model/items/TextItem.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtWidgets/QTreeWidget>

#include <algorithm>
#include <cstring>
#include <memory>

void RegisterInsertItemRows(CKJView& view);
// Gallery, table, slider, form and small item dialogs (InsertDialogsItems.cpp).
void RegisterItemDialogs();

void FitPictureSize(int w, int h, int W, int H, int& outW, int& outH)
{
    outW = w;
    outH = h;
    if (w <= 0 || h <= 0 || W <= 0 || H <= 0 || (w <= W && h <= H))
        return;
    if (std::int64_t(w) * H > std::int64_t(h) * W) { // w / W > h / H without rounding
        outW = W;
        outH = int(std::int64_t(h) * W / w);
    } else {
        outW = int(std::int64_t(w) * H / h);
        outH = H;
    }
    outW = std::max(outW, 1);
    outH = std::max(outH, 1);
}

CGalleryItem* BuildGallery(CKJDoc& doc, int W, int H, int TW, int TH, const std::vector<CString>& paths)
{
    std::unique_ptr<CGalleryItem> gallery(static_cast<CGalleryItem*>(NewInsertItem(doc, ITEM_GALLERY)));
    gallery->m_strName = doc.TakeItemName("Gallery%d");
    gallery->m_nThumbHeight = TH;
    gallery->m_nThumbWidth = TW;
    gallery->m_nWidth = W + 16;
    gallery->m_nHeight = H + TH + 2 * (gallery->m_nCellPadding + gallery->m_nThumbPadding + gallery->m_nThumbBorder) + 41;
    gallery->m_nPadding = 8;
    gallery->SetSiteStyles(&doc.m_styles);
    for (const CString& path : paths) {
        std::unique_ptr<CImageItem> picture(CreateImageItemFromFile(doc, path));
        if (!picture)
            continue; // the reader has named the file
        picture->m_strText = CString::FromQString(QFileInfo(path.ToQString()).completeBaseName()).GetString();
        picture->m_strSourcePath = path;
        int w = 0, h = 0;
        FitPictureSize(picture->m_picture.GetWidth(), picture->m_picture.GetHeight(), W, H, w, h);
        if (w != picture->m_picture.GetWidth() || h != picture->m_picture.GetHeight())
            ResizeItemPicture(*picture, w, h);
        else
            picture->Render(0);
        MakeScaledCopy(*gallery, *picture);
        gallery->AddPicture(picture.release());
    }
    gallery->SetSiteStyles(&doc.m_styles);
    gallery->RecalcLayout();
    return gallery.release();
}

CSliderItem* BuildSlider(CKJDoc& doc, int width, int height, int frameTime, int direction, bool descriptions,
                         const std::vector<CString>& paths)
{
    std::unique_ptr<CSliderItem> slider(static_cast<CSliderItem*>(NewInsertItem(doc, ITEM_SLIDER)));
    slider->m_strName = doc.TakeItemName("Slider%d");
    slider->m_nWidth = width;
    slider->m_nHeight = height;
    slider->m_nTransition = direction;
    slider->m_nInterval = frameTime;
    slider->SetSiteStyles(&doc.m_styles);
    slider->RecalcLayout();
    int number = 0;
    for (const CString& path : paths) {
        CImageItem* picture = CreateImageItemFromFile(doc, path);
        if (!picture)
            continue;
        CGroupItem* frame = slider->AddPicture(picture);
        ++number;
        if (!descriptions)
            continue;
        auto* text = static_cast<CTextItem*>(NewInsertItem(doc, ITEM_TEXT));
        text->SetSiteStyles(&doc.m_styles);
        text->m_strText = CString::Formatted("Info %d", number).GetString();
        text->m_crText = 0xFFFFFF;
        text->m_nX = 20;
        text->m_nY = height - 40;
        text->RecalcLayout();
        text->m_nWidth = width - 40;
        text->m_nWidthMode = 0; // the width given stays
        frame->AddChild(text);
    }
    slider->SetSiteStyles(&doc.m_styles);
    return slider.release();
}

CTableItem* BuildTable(CKJDoc& doc, const CString& name, int columnsChoice, int rowsChoice)
{
    std::unique_ptr<CTableItem> table(static_cast<CTableItem*>(NewInsertItem(doc, ITEM_TABLE)));
    table->SetSiteStyles(&doc.m_styles);
    const int columns = std::clamp(columnsChoice + 1, 1, kTableMaxCells);
    const int rows = std::clamp(rowsChoice, 0, 1000);
    for (int c = 1; c <= columns; ++c)
        table->AddColumn().m_strHeader = CString::Formatted("Col %d", c).GetString();
    for (int r = 1; r <= rows; ++r) {
        CTableRow& row = table->AddRow();
        for (int c = 0; c < columns; ++c)
        {
            row.m_cells[c] = std::make_unique<CWString>();
            *row.m_cells[c] = CString::Formatted("%c%d", 'A' + c, r).GetString();
        }
    }
    table->m_strName = name;
    table->m_nWidth = table->m_nHeight = 300;
    table->RecalcLayout();
    return table.release();
}

CString ProposeAttachedName(const CString& path, CString& extension)
{
    const QString file = QFileInfo(path.ToQString()).fileName();
    const int dot = file.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? file.left(dot) : file;
    extension = dot > 0 ? CString::FromQString(file.mid(dot)) : CString();
    CString name;
    CWString wide;
    wide = CString::FromQString(base).GetString();
    wide.ToAsciiName(name);
    name.Replace(" ", "_");
    name.MakeLower();
    return name;
}

CFileRecord* AttachFileToProject(CKJDoc& doc, const CString& path, const CString& name, const CString& extension,
                                 CSiteObject* folder)
{
    const QFileInfo info(path.ToQString());
    if (info.exists() && info.size() > kMaxAttachedFileSize) {
        AfxMessageBox(Translate("The file is too large to be added to the project:") + "\n" + path, MB_ICONEXCLAMATION);
        return nullptr;
    }
    auto record = std::make_unique<CFileRecord>();
    if (!ReadFileBytes(*record, path)) {
        AfxMessageBox(Translate("The file could not be read:") + "\n" + path, MB_ICONEXCLAMATION);
        return nullptr;
    }
    CEditScope scope(doc);
    scope.SetHint(HINT_FILL_TREE);
    record->m_strExtension = extension;
    MakeSafeFileName(*record, name);
    record->m_pParent = folder;
    record->m_nParentId = folder ? folder->m_nSerial : 0;
    doc.m_fileRecords.push_back(std::move(record));
    return doc.m_fileRecords.back().get();
}

namespace {

// Whether an item is one an insert command offers to clone.
using CandidateTest = bool (*)(const CItem&);

std::vector<CItem*> Candidates(CKJDoc& doc, CandidateTest candidate)
{
    CItemList all;
    doc.CollectAllItems(all);
    std::vector<CItem*> out;
    for (CItem* item : all)
        if (candidate(*item))
            out.push_back(item);
    return out;
}

void InsertClone(CKJView& view, CItem& source)
{
    CKJDoc& doc = *view.GetProject();
    auto clone = std::make_unique<CImageCloneItem>();
    clone->SetSiteStyles(&doc.m_styles);
    clone->m_pSource = &source;
    clone->m_nSourceId = source.m_nSerial;
    clone->m_strText = source.m_strText;
    clone->m_nWidth = source.m_nWidth;
    clone->m_nHeight = source.m_nHeight;
    clone->m_nX = source.m_nX + 10;
    clone->m_nY = source.m_nY + 10;
    CEditScope scope(doc, view.m_pCurrentPage, view.m_pContainer, nullptr, "Clone Image");
    clone->RecalcLayout();
    view.AddItemToPage(clone.release(), true);
}

// The Insert Image chooser's answer; the dialog is registered by whoever provides it.
ImageChoiceDialog& ImageChoice()
{
    static ImageChoiceDialog dialog;
    return dialog;
}

// Asks which existing picture to clone; false when the command ends here.
bool ChooseCandidate(CKJView& view, CandidateTest candidate, const char* loadLabel, bool forwardExternal,
                     CItem*& chosen)
{
    chosen = nullptr;
    std::vector<CItem*> candidates = Candidates(*view.GetProject(), candidate);
    if (candidates.empty())
        return true;
    if (!ImageChoice())
        return false;
    const int result = ImageChoice()(view, candidates, Translate(loadLabel), chosen);
    if (result == ID_EDIT_PASTE) {
        view.PostViewCommand(ID_EDIT_PASTE);
        return false;
    }
    if (result == ID_INSERT_EXTERNAL_IMAGE) {
        if (forwardExternal)
            view.PostViewCommand(ID_INSERT_EXTERNAL_IMAGE);
        return false;
    }
    return result == IDOK;
}

// Whether the object or anything inside it (the items CollectItems lists) is accepted;
// stops at the first one, as the menu asks this on every idle tick.
bool AnyItemInside(const CItem& object, CandidateTest accepted)
{
    if (accepted(object))
        return true;
    if (const auto* slider = dynamic_cast<const CSliderItem*>(&object))
        for (const auto& frame : slider->m_frames)
            if (AnyItemInside(*frame, accepted))
                return true;
    if (const auto* group = dynamic_cast<const CGroupItem*>(&object))
        for (const auto& child : group->GetChildren())
            if (AnyItemInside(*child, accepted))
                return true;
    return false;
}

bool ProjectHasItem(const CKJDoc& doc, CandidateTest accepted)
{
    auto any = [&](const auto& list) {
        return std::any_of(list.begin(), list.end(), [&](const auto& c) { return AnyItemInside(*c, accepted); });
    };
    return any(doc.m_pages) || any(doc.m_masters) || any(doc.m_footerBands) || any(doc.m_headerBands);
}

bool CandidatesAnswerable(CKJView& view, CandidateTest candidate)
{
    CKJDoc* doc = view.GetProject();
    return doc && (ImageChoice() || !ProjectHasItem(*doc, candidate));
}

bool IsImageCandidate(const CItem& item) { return IsPictureItemType(item.m_nType); }
bool IsButtonCandidate(const CItem& item) { return item.m_nType == ITEM_IMAGE_BUTTON; }

void ImportImageFiles(CKJView& view)
{
    CFileChooser chooser;
    chooser.SetFilter("Images|*.jpg;*.jpe;*.jpeg;*.bmp;*.gif;*.png|Portable Network Graphics (*.png)|*.png|JPEG "
                      "(*.jpg)|*.jpg|Bitmap (*.bmp)|*.bmp|Compuserve (*.gif)|*.gif");
    chooser.AddFlags(OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY);
    chooser.SetTitle(Translate("Insert Image"));
    chooser.LoadFolder("Current", "ImageFolder");
    if (!chooser.DoOpen())
        return;
    const std::vector<CString> paths = chooser.GetPathNames();
    if (paths.empty())
        return;
    chooser.SaveFolder("Current", "ImageFolder");
    view.m_drag.mode = 0;
    CKJDoc& doc = *view.GetProject();
    CEditScope scope(doc, view.m_pCurrentPage, view.m_pContainer, nullptr, "Insert Image");
    const bool downsize = AfxMessageBox(Translate("Do you want to downsize large images?"), MB_YESNO) == IDYES;
    CWaitCursor wait;
    int inserted = 0;
    for (const CString& path : paths) {
        std::unique_ptr<CImageItem> item(CreateImageItemFromFile(doc, path));
        if (!item)
            continue; // named in the reader's message; the others still come
        item->Render(0);
        item->RecalcLayout();
        CItem* container = view.m_pContainer;
        const int inner = container->m_nWidth - container->m_nInset[0] - container->m_nInset[3];
        const int pw = item->m_picture.GetWidth(), ph = item->m_picture.GetHeight();
        if (downsize && inner >= 1 && pw > inner) {
            ResizeItemPicture(*item, inner, std::max(1, int(std::int64_t(ph) * inner / pw)));
            view.CenterInContainer(item.get());
            item->RecalcLayout();
        }
        view.AddItemToPage(item.release(), false);
        ++inserted;
    }
    if (!inserted)
        scope.Cancel();
}

void OnInsertImage(CKJView& view)
{
    if (!view.GetProject() || !view.EnsureCurrentContainer())
        return;
    CItem* chosen = nullptr;
    if (!ChooseCandidate(view, IsImageCandidate, "Load New Image from File", true, chosen))
        return;
    if (chosen) {
        InsertClone(view, *chosen);
        return;
    }
    ImportImageFiles(view);
}

void OnInsertButton(CKJView& view)
{
    if (!view.GetProject() || !view.EnsureCurrentContainer())
        return;
    CItem* chosen = nullptr;
    if (!ChooseCandidate(view, IsButtonCandidate, "Create New Button", false, chosen))
        return;
    if (chosen) {
        InsertClone(view, *chosen);
        return;
    }
    CKJDoc& doc = *view.GetProject();
    std::unique_ptr<CItem> button(NewInsertItem(doc, ITEM_IMAGE_BUTTON));
    button->SetSiteStyles(&doc.m_styles);
    button->m_strName = doc.TakeItemName("ImageButton%d");
    static_cast<CImageItemBase&>(*button).Render(0);
    button->RecalcLayout();
    CEditScope scope(doc, view.m_pCurrentPage, view.m_pContainer, nullptr, "Insert Image Button");
    view.AddItemToPage(button.release(), true);
}

void OnInsertIcon(CKJView& view)
{
    if (!view.GetProject() || !view.EnsureCurrentContainer())
        return;
    CFileChooser chooser;
    chooser.SetFilter("Icons (*.png)|*.png");
    chooser.AddFlags(OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    chooser.SetTitle(Translate("Import"));
    chooser.SetInitialFolder(CString::FromQString(QCoreApplication::applicationDirPath() + QStringLiteral("/icons")));
    if (!chooser.DoOpen())
        return;
    CKJDoc& doc = *view.GetProject();
    for (const CString& path : chooser.GetPathNames()) {
        view.InvalidateSelection();
        view.DeselectAll();
        CWaitCursor wait;
        std::unique_ptr<CImageItem> item(CreateImageItemFromFile(doc, path));
        if (!item)
            continue;
        CEditScope scope(doc, view.m_pCurrentPage, view.m_pContainer, nullptr, "Insert Icon");
        view.AddItemToPage(item.release(), true);
    }
}

GalleryDialog& GalleryChoice()
{
    static GalleryDialog dialog;
    return dialog;
}
SliderDialog& SliderChoice()
{
    static SliderDialog dialog;
    return dialog;
}
TableDialog& TableChoice()
{
    static TableDialog dialog;
    return dialog;
}
NewFormBuilder& FormBuilder()
{
    static NewFormBuilder builder;
    return builder;
}

void OnFormNewForm(CKJView& view)
{
    if (!view.GetProject() || !view.EnsureCurrentContainer() || !FormBuilder())
        return;
    std::unique_ptr<CItem> form(FormBuilder()(view));
    if (!form)
        return;
    CKJDoc& doc = *view.GetProject();
    CEditScope scope(doc, view.m_pCurrentPage, view.m_pContainer, nullptr, "Insert Form");
    if (view.m_pContainer->m_nHeight < form->m_nHeight) {
        // a low container grows to hold the form
        view.m_pContainer->m_nHeight = form->m_nHeight + 40;
        view.m_pContainer->RecalcLayout();
        view.update();
    }
    form->RecalcLayout();
    view.AddItemToPage(form.release(), true);
}

FileNameDialog& FileNameChoice()
{
    static FileNameDialog dialog;
    return dialog;
}

void OnInsertGallery(CKJView& view)
{
    if (!view.GetProject() || !view.EnsureCurrentContainer() || !GalleryChoice())
        return;
    GalleryValues values;
    if (!GalleryChoice()(view, values))
        return;
    CKJDoc& doc = *view.GetProject();
    CEditScope scope(doc, view.m_pCurrentPage, view.m_pContainer, nullptr, "Insert Gallery");
    CWaitCursor wait;
    CGalleryItem* gallery = BuildGallery(doc, values.width, values.height, values.thumbWidth, values.thumbHeight, values.paths);
    view.AddItemToPage(gallery, true);
}

void OnInsertSlider(CKJView& view)
{
    if (!view.GetProject() || !view.EnsureCurrentContainer() || !SliderChoice())
        return;
    CKJDoc& doc = *view.GetProject();
    SliderValues values;
    values.width = doc.m_nPageWidth;
    values.height = doc.m_nPageWidth / 3;
    if (!SliderChoice()(view, values))
        return;
    CWaitCursor wait;
    CEditScope scope(doc, view.m_pCurrentPage, view.m_pContainer, nullptr, "Insert Slider");
    CSliderItem* slider = BuildSlider(doc, values.width, values.height, values.frameTime, values.direction,
                                      values.descriptions != 0, values.paths);
    view.CenterInContainer(slider);
    view.AddItemToPage(slider, true);
}

void OnInsertTable(CKJView& view)
{
    if (!view.GetProject() || !view.EnsureCurrentContainer() || !TableChoice())
        return;
    CKJDoc& doc = *view.GetProject();
    TableValues values;
    values.name = doc.TakeItemName("Table%d"); // drawn before the dialog: a Cancel keeps it used
    if (!TableChoice()(view, values))
        return;
    CEditScope scope(doc, view.m_pCurrentPage, view.m_pContainer, nullptr, "Insert Table");
    CTableItem* table = BuildTable(doc, values.name, values.columnsChoice, values.rowsChoice);
    view.CenterInContainer(table);
    view.AddItemToPage(table, true);
}

void OnInsertPDF(CKJView& view)
{
    CKJDoc* doc = view.GetProject();
    if (!doc || !FileNameChoice())
        return;
    CFileChooser chooser;
    chooser.SetFilter("Adobe PDF (*.pdf)|*.pdf|Microsoft (*.xls,*.doc)|*.xls;*.doc|Archives (*.zip)|*.zip|Executables "
                      "(*.exe)|*.exe|All files (*.*)|*.*|");
    chooser.AddFlags(OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    chooser.SetTitle(Translate("Import File"));
    if (!chooser.DoOpen())
        return;
    const std::vector<CString> paths = chooser.GetPathNames();
    if (paths.empty())
        return;
    FileNameValues values;
    values.name = ProposeAttachedName(paths.front(), values.extension);
    values.folder = view.m_pCurrentPage ? view.m_pCurrentPage->m_pParent : nullptr;
    if (!FileNameChoice()(view, values))
        return;
    CFileRecord* record = AttachFileToProject(*doc, paths.front(), values.name, values.extension, values.folder);
    CViewFrame* frame = view.GetFrameWnd();
    QTreeWidget* tree = frame ? frame->GetSiteTree() : nullptr;
    if (!record || !tree)
        return;
    // the refilled tree shows the file in its sorted place; it becomes the selected node
    QTreeWidgetItem* node = FindNode(tree, record);
    if (!node) {
        view.FillSiteTree();
        node = FindNode(tree, record);
    }
    if (node)
        tree->setCurrentItem(node);
}

// The dialog steps of the item dialogs the program has.
// The artistic, widget and code items' dialogs.
void RegisterWidgetDialogs()
{
    SetInsertDialog(ID_INSERT_LINK, [](CKJView& view, CItem& item) {
        DLinkItem dlg(&view);
        dlg.m_pItem = static_cast<CLinkItem*>(&item);
        CKJDoc* doc = view.GetProject();
        dlg.m_pDoc = doc;
        // OK may change the site's link style; the insert's change puts it back (and the
        // pages laid out with it) when the insert is dropped after all (a link left
        // without text)
        auto laidOut = std::make_shared<bool>(false);
        if (doc)
            doc->OnEditCancel([doc, laidOut, saved = doc->m_styles.m_link] {
                doc->m_styles.m_link = saved;
                if (*laidOut)
                    doc->ApplyPageWidth();
            });
        if (dlg.DoModal() != IDOK)
            return false;
        if (dlg.m_bDefaultStyleChanged && doc) {
            // the site's link style changed with it: every page and the stylesheet show it
            *laidOut = true;
            CEditScope scope(*doc);
            scope.TouchSite();
            scope.TouchStylesheet();
            doc->ApplyPageWidth();
            view.update();
        }
        return true;
    });
    SetInsertDialog(ID_INSERT_ARTISTIC, [](CKJView& view, CItem& item) {
        DArtisticText dlg(&view);
        dlg.m_pItem = static_cast<CArtisticTextItem*>(&item);
        if (dlg.DoModal() != IDOK)
            return false;
        dlg.SaveDefaults();
        return true;
    });
    SetInsertDialog(ID_INSERT_FLASH, [](CKJView& view, CItem& item) {
        DFlash dlg(&view);
        dlg.m_pItem = static_cast<CFlashItem*>(&item);
        return dlg.DoModal() == IDOK;
    });
    SetInsertDialog(ID_INSERT_GOOGLE_MAP, [](CKJView& view, CItem& item) {
        DGoogleMap dlg(&view);
        dlg.m_pItem = static_cast<CGoogleMapItem*>(&item);
        return dlg.DoModal() == IDOK;
    });
    SetInsertDialog(ID_INSERT_PAYPAL, [](CKJView& view, CItem& item) {
        DPayPal dlg(&view);
        dlg.m_pItem = static_cast<CPayPalItem*>(&item);
        dlg.m_pDoc = view.GetProject();
        return dlg.DoModal() == IDOK;
    });
    SetInsertDialog(ID_INSERT_EXTERNAL_IMAGE, [](CKJView& view, CItem& item) {
        DExternalImage dlg(&view);
        dlg.m_pItem = static_cast<CExternalImageItem*>(&item);
        return dlg.DoModal() == IDOK;
    });
    SetInsertDialog(ID_INSERT_EXTERNAL_WEBSITE, [](CKJView& view, CItem& item) {
        DExternalWebsite dlg(&view);
        dlg.m_strSource = item.m_strText;
        if (dlg.DoModal() != IDOK)
            return false;
        item.m_strText = dlg.m_strSource;
        return true;
    });
    SetInsertDialog(ID_INSERT_LIKE_BUTTON, [](CKJView& view, CItem& item) {
        auto& like = static_cast<CLikeButtonItem&>(item);
        DLikeButton dlg(&view);
        dlg.m_strPage = like.m_strPage;
        dlg.m_nLayout = 1;
        dlg.m_nStyle = 0;
        if (dlg.DoModal() != IDOK)
            return false;
        like.m_strPage = dlg.m_strPage;
        like.m_nLayout = dlg.m_nLayout;
        like.m_nColorScheme = dlg.m_nStyle;
        return true;
    });
    SetInsertDialog(ID_INSERT_FACEBOOK, [](CKJView& view, CItem& item) {
        auto& box = static_cast<CFacebookItem&>(item);
        DFacebook dlg(&view);
        dlg.m_strChannel = "Varnelo";
        if (dlg.DoModal() != IDOK)
            return false;
        box.m_strPage = dlg.m_strChannel;
        box.m_nShowFaces = dlg.m_bFaces;
        box.m_nStream = dlg.m_bStream;
        box.m_nColorScheme = dlg.m_nStyle;
        box.m_crBorder = dlg.m_crBorder;
        return true;
    });
    SetInsertDialog(ID_INSERT_SYMBOL, [](CKJView& view, CItem& item) {
        DSymbolPicker dlg(&view);
        if (dlg.DoModal() != IDOK)
            return false;
        auto& symbol = static_cast<CSymbolItem&>(item);
        symbol.m_nGlyph = dlg.Grid()->m_nChar;
        std::memset(symbol.m_lf.lfFaceName, 0, sizeof symbol.m_lf.lfFaceName);
        std::memcpy(symbol.m_lf.lfFaceName, dlg.Grid()->m_strFace.GetString(),
                    std::min<std::size_t>(sizeof symbol.m_lf.lfFaceName - 1, std::size_t(dlg.Grid()->m_strFace.GetLength())));
        return true;
    });
    SetInsertDialog(ID_INSERT_HTML, [](CKJView& view, CItem& item) {
        CKJDoc* doc = view.GetProject();
        DHtml dlg(&view);
        dlg.m_strCaption = "Insert HTML";
        dlg.m_crText = doc->m_crLastHtmlText;
        if (dlg.DoModal() != IDOK)
            return false;
        doc->m_crLastHtmlText = dlg.m_crText;
        item.m_strText = dlg.m_strCode;
        return true;
    });
    SetInsertDialog(ID_INSERT_JAVASCRIPT, [](CKJView& view, CItem& item) {
        DJavaScript dlg(&view);
        dlg.m_strCaption = "Insert JavaScript";
        if (dlg.DoModal() != IDOK)
            return false;
        item.m_strText = dlg.m_strCode;
        return true;
    });
    SetInsertDialog(ID_INSERT_PHP, [](CKJView& view, CItem& item) {
        DInsertPhp choice(&view);
        if (choice.DoModal() != IDOK)
            return false;
        DPhpCode dlg(&view);
        dlg.m_strCode.FromUtf8(choice.m_strCode);
        if (dlg.DoModal() != IDOK)
            return false;
        item.m_strText = dlg.m_strCode;
        return true;
    });
}

void RegisterAvailableDialogs()
{
    SetInsertDialog(ID_INSERT_PARAGRAPH, [](CKJView& view, CItem& item) {
        DEditText dlg(&view);
        dlg.m_pItem = static_cast<CParagraphItem*>(&item);
        dlg.m_pDoc = view.GetProject();
        return dlg.DoModal() == IDOK;
    });
    SetInsertDialog(ID_INSERT_HEADING, [](CKJView& view, CItem& item) {
        DHeading dlg(&view);
        dlg.m_text = "New Title";
        dlg.m_nLevel = 0;
        dlg.m_bAllowTags = 0;
        if (dlg.DoModal() != IDOK)
            return false;
        auto& heading = static_cast<CHeadingItem&>(item);
        heading.m_nLevel = std::clamp(dlg.m_nLevel, 0, 5);
        heading.m_strText = dlg.m_text;
        heading.m_bRawText = dlg.m_bAllowTags;
        return true;
    });
    SetInsertDialog(ID_INSERT_LIST, [](CKJView& view, CItem& item) {
        DList dlg(&view);
        dlg.m_pItem = static_cast<CListItem*>(&item);
        return dlg.DoModal() == IDOK;
    });
    SetInsertDialog(ID_INSERT_MARQUEE, [](CKJView& view, CItem& item) {
        DMarquee dlg(&view);
        dlg.m_pItem = static_cast<CMarqueeItem*>(&item);
        dlg.m_pDoc = view.GetProject();
        return dlg.DoModal() == IDOK;
    });
    SetInsertDialog(ID_INSERT_AUDIO, [](CKJView& view, CItem& item) {
        DAudioStream dlg(&view);
        dlg.m_pItem = static_cast<CAudioStreamItem*>(&item);
        return dlg.DoModal() == IDOK;
    });
    RegisterWidgetDialogs();
    RegisterItemDialogs();
    // Insert/PDF: the attached file's name and folder
    SetFileNameDialog([](CKJView& view, FileNameValues& values) {
        DPageName dlg(&view);
        dlg.m_pDoc = view.GetProject();
        dlg.m_pFolder = dynamic_cast<CFolder*>(values.folder);
        dlg.m_strName = values.name;
        dlg.m_strExtension = values.extension;
        dlg.m_bEnablePhp = -1;
        dlg.m_strCaption = "New File";
        dlg.m_nKind = SiteNameKind::File;
        if (dlg.DoModal() != IDOK)
            return false;
        values.name = dlg.m_strName;
        values.folder = dlg.m_pChosenFolder;
        return true;
    });
}

} // namespace

ImageChoiceDialog SetImageChoiceDialog(ImageChoiceDialog dialog) { return std::exchange(ImageChoice(), std::move(dialog)); }
GalleryDialog SetGalleryDialog(GalleryDialog dialog) { return std::exchange(GalleryChoice(), std::move(dialog)); }
SliderDialog SetSliderDialog(SliderDialog dialog) { return std::exchange(SliderChoice(), std::move(dialog)); }
TableDialog SetTableDialog(TableDialog dialog) { return std::exchange(TableChoice(), std::move(dialog)); }
NewFormBuilder SetNewFormBuilder(NewFormBuilder builder) { return std::exchange(FormBuilder(), std::move(builder)); }
FileNameDialog SetFileNameDialog(FileNameDialog dialog) { return std::exchange(FileNameChoice(), std::move(dialog)); }

void RegisterInsertCommands(CKJView& view)
{
    static const bool registered = (RegisterAvailableDialogs(), true);
    (void)registered;
    RegisterInsertItemRows(view);

    auto hasPage = [&view] {
        CKJDoc* doc = view.GetProject();
        return doc && (view.m_pContainer || !doc->m_pages.empty());
    };
    auto add = [&view](UINT id, void (*run)(CKJView&), std::function<bool()> enabled) {
        view.OnCommand(id, [&view, run] { run(view); });
        view.OnUpdateCommand(id, [enabled](CCmdUI* ui) { ui->Enable(enabled()); });
    };
    add(ID_INSERT_IMAGE, OnInsertImage, [&view, hasPage] { return hasPage() && CandidatesAnswerable(view, IsImageCandidate); });
    add(ID_INSERT_BUTTON, OnInsertButton, [&view, hasPage] { return hasPage() && CandidatesAnswerable(view, IsButtonCandidate); });
    add(ID_INSERT_ICON, OnInsertIcon, hasPage);
    add(ID_INSERT_GALLERY, OnInsertGallery, [hasPage] { return hasPage() && bool(GalleryChoice()); });
    add(ID_INSERT_SLIDER, OnInsertSlider, [hasPage] { return hasPage() && bool(SliderChoice()); });
    add(ID_INSERT_TABLE, OnInsertTable, [hasPage] { return hasPage() && bool(TableChoice()); });
    add(ID_FORM_NEW, OnFormNewForm, [hasPage] { return hasPage() && bool(FormBuilder()); });
    add(ID_INSERT_PDF, OnInsertPDF, [&view] { return view.GetProject() && bool(FileNameChoice()); });
}
