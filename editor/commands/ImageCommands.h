// Helpers the Image menu's two command files share, and the rules the tests check by table.
#pragma once
#include "framework/core/Geometry.h"

class CDib;
class CEditScope;
class CImageItem;
class CImageItemBase;
class CItem;
class CKJDoc;
class CKJView;
class CPicture;

// The picture an Image command works on: the selected Image item's source picture, else
// the texture the view shows; both null when there is none.
struct ImageTarget {
    CImageItem* item = nullptr;
    CPicture* texture = nullptr;
    CDib* picture = nullptr;
};
ImageTarget FindImageTarget(CKJView& view);

// Type sets of the update handlers.
bool IsRotatableKind(int type);    // Image, GIF, Image Button, Artistic Text, Symbol, Shape
bool IsEffectKind(int type);       // Image, Image Button, Artistic Text, Shape, Symbol
bool IsInvertibleKind(int type);   // the same five (a GIF is never inverted)
bool IsConvertibleKind(int type);  // Shape, Artistic Text, Symbol, Image Button
bool IsMergeableKind(int type);    // Shape, Artistic Text, Image, Image Button
bool IsCloneSourceKind(int type);  // Image, GIF, Image Button, Artistic Text, Shape, Symbol
bool IsOverColorKind(int type);    // the effect kinds and Link

// The part of a W x H picture that a crop to w x h keeps, by the Crop dialog's anchor
// (0 centre, 1 left, 2 right, 3 top, 4 bottom, 5..8 the corners top left, top right,
// bottom left, bottom right); divisions truncate.
CRect CropRectForAnchor(int W, int H, int w, int h, int anchor);

// A texture whose pixels changed: its upload state and that of every page that shows it
// (through the scope), and the fills that show it drawn again.
void TextureChanged(CKJDoc& doc, CEditScope& scope, CPicture& texture);

// The mouse-over look brought up to date when the item has one.
void RefreshOverLook(CImageItemBase& item);

// The message shown when a changed picture could not be stored; the caller cancels.
void ReportPictureNotStored();
// A picture that could not be stored: the message, the scope cancelled, the view redrawn.
void AbandonPictureEdit(CKJView& view, CEditScope& scope);
// An item whose look settings changed: its looks drawn again, its layout, its upload state,
// and the change counted in the scope.
void RenderChanged(CImageItemBase& item, CEditScope& scope);

// The whole view drawn again at once.
void RedrawImageView(CKJView& view);

// The second file's commands: Convert to Bitmap, Merge, Clone Image, Change Image, Paste
// Into, Crop, Angle and Over Color.
void RegisterImageEditCommands(CKJView& view);
