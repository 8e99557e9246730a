// The dialog steps of the Insert commands for text spans, preformatted text, e-mail links,
// shapes, video and YouTube items, galleries, sliders, tables and forms. Each step edits
// the new item (or fills the command's values) and says whether the user confirmed.
#include "editor/commands/Commands.h"
#include "editor/commands/InsertCommands.h"

#include "dialogs/FormDialogs.h"
#include "dialogs/GalleryDialogs.h"
#include "dialogs/SliderDialogs.h"
#include "dialogs/TableDialogs.h"
#include "dialogs/TextMediaDialogs.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "model/items/EmailItem.h"
#include "model/items/FormItem.h"
#include "model/items/ShapeItem.h"
#include "model/items/TextItem.h"
#include "model/items/VideoStreamItem.h"
#include "model/items/YouTubeItem.h"

namespace {

bool EditShape(CKJView& view, CItem& item)
{
    DShape dlg(&view);
    dlg.m_pItem = static_cast<CShapeItem*>(&item);
    return dlg.DoModal() == IDOK;
}

// A media item's size, or the dialog's default when the item has none yet.
void PresetSize(const CItem& item, int& width, int& height)
{
    if (item.m_nWidth > 0 && item.m_nHeight > 0) {
        width = item.m_nWidth;
        height = item.m_nHeight;
    }
}

} // namespace

void RegisterItemDialogs()
{
    SetInsertDialog(ID_INSERT_TEXT, [](CKJView& view, CItem& item) {
        DText dlg(&view);
        dlg.m_pItem = static_cast<CTextItem*>(&item);
        return dlg.DoModal() == IDOK;
    });
    SetInsertDialog(ID_INSERT_PREFORMATTED, [](CKJView& view, CItem& item) {
        DPreformattedText dlg(&view);
        dlg.m_strText = item.m_strText;
        dlg.m_bAllowTags = item.m_bRawText;
        if (dlg.DoModal() != IDOK)
            return false;
        item.m_strText = dlg.m_strText;
        item.m_bRawText = dlg.m_bAllowTags;
        return true;
    });
    SetInsertDialog(ID_INSERT_EMAIL, [](CKJView& view, CItem& item) {
        DEmail dlg(&view);
        dlg.m_pItem = static_cast<CEmailItem*>(&item);
        return dlg.DoModal() == IDOK;
    });
    SetInsertDialog(ID_INSERT_SHAPE, EditShape);
    SetInsertDialog(ID_INSERT_TAB, EditShape);
    SetInsertDialog(ID_INSERT_GRADIENT, EditShape);
    SetInsertDialog(ID_INSERT_YOUTUBE, [](CKJView& view, CItem& item) {
        auto& video = static_cast<CYouTubeItem&>(item);
        DYouTube dlg(&view);
        dlg.m_strLink = video.m_strVideoId;
        dlg.m_strArguments = video.m_strParameters;
        PresetSize(item, dlg.m_nWidth, dlg.m_nHeight);
        if (dlg.DoModal() != IDOK)
            return false;
        video.m_strVideoId = dlg.m_strLink;
        video.m_strParameters = dlg.m_strArguments;
        video.m_nWidth = dlg.m_nWidth;
        video.m_nHeight = dlg.m_nHeight;
        return true;
    });
    SetInsertDialog(ID_INSERT_VIDEO, [](CKJView& view, CItem& item) {
        auto& video = static_cast<CVideoStreamItem&>(item);
        DVideoStream dlg(&view);
        if (!video.m_strThirdName.IsEmpty())
            dlg.m_strPath = video.m_strThirdName;
        PresetSize(item, dlg.m_nWidth, dlg.m_nHeight);
        dlg.m_bAutostart = video.m_bAutoStart;
        dlg.m_bNavigation = video.m_bShowController;
        if (dlg.DoModal() != IDOK)
            return false;
        video.m_strThirdName = dlg.m_strPath;
        video.m_nWidth = dlg.m_nWidth;
        video.m_nHeight = dlg.m_nHeight;
        video.m_bAutoStart = dlg.m_bAutostart;
        video.m_bShowController = dlg.m_bNavigation;
        return true;
    });
    SetGalleryDialog([](CKJView& view, GalleryValues& values) {
        DInsertGallery dlg(&view);
        dlg.m_nWidth = values.width;
        dlg.m_nHeight = values.height;
        dlg.m_nThumbWidth = values.thumbWidth;
        dlg.m_nThumbHeight = values.thumbHeight;
        if (dlg.DoModal() != IDOK || dlg.m_files.empty())
            return false;
        values.width = dlg.m_nWidth;
        values.height = dlg.m_nHeight;
        values.thumbWidth = dlg.m_nThumbWidth;
        values.thumbHeight = dlg.m_nThumbHeight;
        values.paths = dlg.m_files;
        return true;
    });
    SetSliderDialog([](CKJView& view, SliderValues& values) {
        DNewSlider dlg(&view);
        dlg.m_nWidth = values.width;
        dlg.m_nHeight = values.height;
        dlg.m_nFrameTime = values.frameTime;
        dlg.m_nDirection = values.direction;
        dlg.m_bDescriptions = values.descriptions;
        if (dlg.DoModal() != IDOK || dlg.m_paths.empty())
            return false;
        values.width = dlg.m_nWidth;
        values.height = dlg.m_nHeight;
        values.frameTime = dlg.m_nFrameTime;
        values.direction = dlg.m_nDirection;
        values.descriptions = dlg.m_bDescriptions;
        values.paths = dlg.m_paths;
        return true;
    });
    SetTableDialog([](CKJView& view, TableValues& values) {
        DCreateTable dlg(&view);
        dlg.m_strName = values.name;
        dlg.m_nColumns = values.columnsChoice;
        dlg.m_nRows = values.rowsChoice;
        if (dlg.DoModal() != IDOK)
            return false;
        values.name = dlg.m_strName;
        values.columnsChoice = dlg.m_nColumns;
        values.rowsChoice = dlg.m_nRows;
        return true;
    });
    SetNewFormBuilder([](CKJView& view) -> CItem* {
        CKJDoc* doc = view.GetProject();
        DInsertForm dlg(&view);
        if (!doc || dlg.DoModal() != IDOK)
            return nullptr;
        std::array<std::int32_t, 16> options{};
        if (dlg.m_options[0] == 1)
            options = dlg.m_options; // a blank form takes none of the (still stored) boxes
        return doc->BuildContactForm(options);
    });
}
