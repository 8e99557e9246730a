// The Insert and Form menus: every new page item is made, given its defaults, edited in
// its dialog and handed to CKJView::AddItemToPage in one edit scope. The builders below
// are the parts that need no view (galleries, sliders, tables, attached files), so that
// the commands and their tests share them.
#pragma once
#include "framework/core/CString.h"

#include <functional>
#include <vector>

class CFileRecord;
class CGalleryItem;
class CItem;
class CKJDoc;
class CKJView;
class CSiteObject;
class CSliderItem;
class CTableItem;

// The one place a new item of an Insert or Form command is made: the type's constructor,
// then the per-user defaults of its kind.
CItem* NewInsertItem(CKJDoc& doc, int type);

// A dialog step of an insert command: edits the new item (or fills it from the dialog's
// values) and returns true on OK. Commands whose dialog is not registered are disabled.
using InsertDialog = std::function<bool(CKJView& view, CItem& item)>;
// Registers the dialog step of a command id (an empty function removes it); returns the
// previous one.
InsertDialog SetInsertDialog(unsigned id, InsertDialog dialog);
bool HasInsertDialog(unsigned id);

// Dialog steps of the commands that build from values rather than edit an item. Each is
// registered by the dialog's provider (an empty one leaves its command disabled) and
// returns true on OK; each Set function returns the previous one.

// Insert/Image and Insert/Button with pictures to clone: IDOK with the chosen candidate
// (or none: load new), IDCANCEL, ID_EDIT_PASTE or ID_INSERT_EXTERNAL_IMAGE.
using ImageChoiceDialog =
    std::function<int(CKJView& view, const std::vector<CItem*>& candidates, const CString& loadLabel, CItem*& chosen)>;
ImageChoiceDialog SetImageChoiceDialog(ImageChoiceDialog dialog);

struct GalleryValues {
    int width = 600, height = 400, thumbWidth = 100, thumbHeight = 70;
    std::vector<CString> paths;
};
using GalleryDialog = std::function<bool(CKJView& view, GalleryValues& values)>;
GalleryDialog SetGalleryDialog(GalleryDialog dialog);

// Preset by the command: width and height (the site's page width and a third of it).
struct SliderValues {
    int width = 900, height = 300, frameTime = 5, direction = 1, descriptions = 1;
    std::vector<CString> paths;
};
using SliderDialog = std::function<bool(CKJView& view, SliderValues& values)>;
SliderDialog SetSliderDialog(SliderDialog dialog);

// Preset by the command: the name ("Table%d"), columns choice 3, rows choice 4.
struct TableValues {
    CString name;
    int columnsChoice = 3, rowsChoice = 4;
};
using TableDialog = std::function<bool(CKJView& view, TableValues& values)>;
TableDialog SetTableDialog(TableDialog dialog);

// Insert/PDF's "New File" name step: proposed name, extension and folder, read back.
struct FileNameValues {
    CString name, extension;
    CSiteObject* folder = nullptr;
};
using FileNameDialog = std::function<bool(CKJView& view, FileNameValues& values)>;
FileNameDialog SetFileNameDialog(FileNameDialog dialog);

// Form/New Form: runs the Insert Form dialog and builds the form from its answers; null
// on Cancel. The caller owns the result.
using NewFormBuilder = std::function<CItem*(CKJView& view)>;
NewFormBuilder SetNewFormBuilder(NewFormBuilder builder);

// A picture of w x h fitted into W x H keeping its proportions (integer division); a
// picture that fits keeps its size.
void FitPictureSize(int w, int h, int W, int H, int& outW, int& outH);

// Insert/Gallery after its dialog: large view W x H, thumbnails TW x TH, one picture per
// readable file (a file that cannot be decoded has been named in a message and is left
// out). Named "Gallery%d". The caller owns the result.
CGalleryItem* BuildGallery(CKJDoc& doc, int W, int H, int TW, int TH, const std::vector<CString>& paths);

// Insert/Slider after its dialog: one frame per readable picture, with a white "Info k"
// text in each when descriptions are on. Named "Slider%d". The caller owns the result.
CSliderItem* BuildSlider(CKJDoc& doc, int width, int height, int frameTime, int direction, bool descriptions,
                         const std::vector<CString>& paths);

// Insert/Table after its dialog: columns choice + 1 columns headed "Col n", rows choice
// records "A1".. (one row shown gives none). The caller owns the result.
CTableItem* BuildTable(CKJDoc& doc, const CString& name, int columnsChoice, int rowsChoice);

// Insert/PDF: the name proposed for a file (plain ASCII, blanks as "_", lower case) and
// its extension with the dot, as split from the path.
CString ProposeAttachedName(const CString& path, CString& extension);
// Reads the file into a new record named name + extension in folder (null = the site
// root) and appends it to the project's files. Null with a message naming the file when
// it cannot be read or is larger than a project can hold; nothing is attached then.
CFileRecord* AttachFileToProject(CKJDoc& doc, const CString& path, const CString& name, const CString& extension,
                                 CSiteObject* folder);
// The largest file a project holds (its length is stored as a signed 32-bit count).
constexpr long long kMaxAttachedFileSize = 0x7FFFFFFF;
