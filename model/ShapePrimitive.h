// Outlines of the frame shapes shared by the drawn pictures: the frames of Image items and
// of picture objects, and the outlines of Shape items. Each is painted with the pen and
// brush selected into the device context.
#pragma once
#include <functional>

class CAlphaCapture;
class CDC;
class CImageItemBase;
class CPicture;

// Number of outline kinds DrawShapePrimitive knows (0 .. kShapeKinds - 1).
constexpr int kShapeKinds = 24;

// The outline of the item's frame shape kind on a canvas of width x height. Nothing is
// drawn while the item itself has a side below 1. Kinds outside the table draw nothing.
void DrawShapePrimitive(const CImageItemBase& item, CDC* dc, int width, int height);

// The frame shape of a picture object on a canvas of width x height (shapes 0 to 11).
void DrawShapePath(const CPicture& picture, CDC* dc, int width, int height);

// The figure itself, for callers without an item: kind, canvas, inset m (every point of
// the path figures lies m inside the edges), corner radius r, and the picture object's
// variant of the table (plain corners r x r, tabs of radius 2r, ray stars starting at
// their first ray).
void DrawShapeFigure(CDC* dc, int kind, int width, int height, int m, int r, bool pictureVariant);

// Draws a shape twice into the capture (on black, then on white) with the key colours of
// the frame renderers: an inside-frame pen of penWidth in 0xC0C0C0 (none for 0) and a
// solid 0x808080 brush, so each captured pixel tells frame (192), inside (128) or outside.
void CaptureKeyedShape(CAlphaCapture& capture, int penWidth, const std::function<void(CDC&)>& draw);
