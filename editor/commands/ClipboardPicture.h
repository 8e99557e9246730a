// Edit/Paste of a clipboard picture once its dialog (DPasteImage: name, format and
// placement) has answered: the picture becomes a movable image, the current container's
// background or the browser background.
#pragma once
#include "framework/core/CString.h"

class CDib;
class CKJView;
class CWString;
class QByteArray;

enum PastePicturePlacement { PastePictureImage = 0, PastePictureBackground = 1, PastePictureBrowserBackground = 2 };

// The file name the typed name gives: ASCII (accented letters plain), spaces as "_", lower
// case, and nothing that could lead out of a folder; "image" when nothing is left.
CString PastedPictureName(const CWString& typed);

// Encodes the picture in memory (JPEG of quality 90 or PNG) into a private temporary folder
// that is removed afterwards, and places it as asked. One undo step "Paste Image"; false
// (a message shown, the project unchanged) when the picture cannot be encoded or read back.
bool PastePicture(CKJView& view, const CDib& picture, const CWString& typedName, bool jpeg, int placement);

// The clipboard type of a drawing (in place of a Windows metafile).
inline constexpr const char* kDrawingMimeType = "image/svg+xml";

// Edit/Paste of a drawing: the Metafile Raster dialog offers its size and antialiasing,
// it is drawn on black and on white, every pixel that differs becomes transparent, and the
// PNG of it (made in a private folder removed afterwards) becomes an image item "img%d".
// One undo step "Paste Metafile"; false when cancelled or unreadable (project unchanged).
bool PasteMetafile(CKJView& view, const QByteArray& svg);
