// Shared pieces of the page view tests: a project built in memory and a stand-in for the
// project window around the view.
#pragma once
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "editor/ViewFrame.h"
#include "model/GroupItem.h"

#include <QtGui/QImage>
#include <QtWidgets/QTreeWidget>
#include <memory>

class CFolder;
class CHeaderFooterItem;
class CMasterItem;

namespace edtest {

// Ruler strip and site tree as the view sees them.
class FakeFrame : public CViewFrame {
public:
    void SetRulerOffset(int offset) override { rulerOffset = offset; }
    BOOL SetRulerText(const CString& text) override { rulerText = text; return TRUE; }
    void RepaintRulerStrip(int, int, int, int) override { ++stripRepaints; }
    QTreeWidget* GetSiteTree() const override { return tree.get(); }
    int GetTreeWidth() const override { return 140; }

    std::unique_ptr<QTreeWidget> tree = std::make_unique<QTreeWidget>();
    int rulerOffset = 0;
    CString rulerText;
    int stripRepaints = 0;
};

// A group item of the given place and size with a solid fill.
CGroupItem* AddBox(CGroupItem& parent, int x, int y, int w, int h, COLORREF fill);
CPage* AddPage(CKJDoc& doc, int w, int h, COLORREF fill, const char* name = "page");
CHeaderFooterItem* AddBand(CKJDoc& doc, bool header, int w, int h, COLORREF fill);
CMasterItem* AddMaster(CKJDoc& doc, int w, int h);
CFolder* AddFolder(CKJDoc& doc, const char* name, CFolder* parent);

// A view of the given client size on the project, with the fake frame.
struct ViewFixture {
    ViewFixture(CKJDoc& doc, int clientWidth = 1000, int clientHeight = 700);
    // Pixel at a page point in the painted client image (invalid colour outside it).
    static QRgb At(const QImage& image, const CKJView& view, int x, int y);
    FakeFrame frame;
    CKJView view;
};

inline QRgb Rgb(COLORREF c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

} // namespace edtest
