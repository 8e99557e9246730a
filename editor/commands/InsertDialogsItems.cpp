// The dialog steps of the Insert commands for text spans, preformatted text, e-mail links,
// shapes, video and YouTube items, galleries, sliders, tables and forms. Each step edits
// the new item (or fills the command's values) and says whether the user confirmed.
#include "editor/commands/Commands.h"
#include "editor/commands/InsertCommands.h"

#include "dialogs/FormDialogs.h"
#include "dialogs/GalleryDialogs.h"
#include "dialogs/ItemDialogRunner.h"
#include "dialogs/SliderDialogs.h"
#include "dialogs/TableDialogs.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "model/items/FormItem.h"

namespace {

// The new item edited in its kind's properties dialog, as Item/Properties edits it.
bool EditNewItem(CKJView& view, CItem& item)
{
    return RunItemPropertiesDialog(item, view.GetProject(), view.m_pCurrentPage, &view) == IDOK;
}

} // namespace

void RegisterItemDialogs()
{
    for (unsigned id : {ID_INSERT_TEXT, ID_INSERT_PREFORMATTED, ID_INSERT_EMAIL, ID_INSERT_SHAPE, ID_INSERT_TAB,
                        ID_INSERT_GRADIENT, ID_INSERT_YOUTUBE, ID_INSERT_VIDEO})
        SetInsertDialog(id, EditNewItem);
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
