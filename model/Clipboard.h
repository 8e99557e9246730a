// Copying and pasting items through the private item stream, and the small helpers of
// the item model: safe file and item names, address encoding, stored-file export and
// picture round trips.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/Geometry.h"

#include <cstddef>

class CArchive;
class CDC;
class CGroupItem;
class CItem;
class CPicture;
class CPublishContext;
class CSiteObject;
class CWString;

// Items shown from a rendered picture (Image, GIF, Image Button, Shape, Artistic Text):
// the ones that can be cloned as Image Clones.
bool IsPictureItemType(int type);

// Writes the group's selected children as an item stream: count, then each child's type
// code and record (memory version), then the extras of each. With clonePictures, picture
// items (Image, GIF, Image Button, Shape, Artistic Text) go as Image Clones of themselves.
void WriteSelection(const CGroupItem& group, CArchive& ar, bool clonePictures);

// Reads an item stream into the group's children. Every pasted object, the children of
// pasted groups included, gets a fresh serial; clone references inside the paste follow
// their sources. With rename, upload states are reset and the pasted items are named by
// type with the counter ("Text%d", ...), which advances per renamed item. The stream is
// read whole before anything joins the group: a damaged one (short, a count beyond its
// bytes, a type code without a class) throws CArchiveException and pastes nothing.
// Returns the number of items pasted.
int PasteItems(CGroupItem& group, CArchive& ar, int& counter, bool rename);

// The clipboard type of the private item stream.
inline constexpr const char* kItemStreamMimeType = "application/x-varnelo-tessel-web-designer";

// Pastes an item stream held in untrusted bytes (the clipboard's): PasteItems over them.
// A damaged stream pastes nothing, leaves the group and the naming counter as they were,
// gives the serial numbers it drew back, and returns -1.
int PasteItemStream(CGroupItem& group, const void* data, std::size_t size, int& counter, bool rename);

// The naming pattern of a pasted item of the type; null for types that keep their names.
const char* GetPasteNamePattern(int type);

// Writes a stored file's bytes into the context's output folder and records it; 0 when
// the file cannot be created.
int ExportFileRecord(CSiteObject& record, CPublishContext& context);

// The names of the page's folder chain from the top down, each followed by "/".
CString GetFolderPath(const CSiteObject* page);

// Sets the object's base name from the text; an empty result gives the serial.
void MakeSafeFileName(CSiteObject& object, const char* text);

// Makes the item's name from a text: letters, digits and "_" kept; "id" in front when the
// result does not start with a letter. A null text changes nothing.
void SetNameFromText(CItem& item, const char* text);

// Measures (DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX) a text; an empty one as a blank.
int DrawTextWithFallback(CDC* dc, const CWString* text, RECT* rect);

// "%s [ %d x %d ]" with the picture's file name and size.
CString GetPictureCaption(const CPicture& picture);
// Replaces the picture's source bytes by an encoding of its rendering (PNG for format 1,
// JPEG of quality 80 for format 2), made in memory. False when nothing could be encoded
// (the old bytes then stay).
bool StorePictureBytes(CPicture& picture);
// Scales the rendering to width x height and stores it as PNG (format 1).
bool ResizePicture(CPicture& picture, int width, int height);
// Cuts the picture to the rectangle (clipped to the picture) and stores the result.
bool CropPictureHolder(CPicture& picture, CRect rect);
// Makes the picture a striped texture of its size from its pattern settings, named
// "%dx%d-%d" (width, height, background colour) and stored as PNG.
bool MakePatternTexture(CPicture& picture);

// Form-control preview glyphs: small arrows as closed outlines around (x, y) with the
// selected pen, and scroll bars along an item's right or bottom edge (length 0: the
// item's own height or width).
void DrawArrowGlyph(CDC* dc, int x, int y);
void DrawRightArrowGlyph(CDC* dc, int x, int y);
void DrawUpArrowGlyph(CDC* dc, int x, int y);
void DrawLeftArrowGlyph(CDC* dc, int x, int y);
void DrawVertScrollBar(const CItem& item, CDC* dc, int height);
void DrawHorzScrollBar(const CItem& item, CDC* dc, int width);
