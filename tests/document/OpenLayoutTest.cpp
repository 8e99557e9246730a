// Opening a project lays out every page without drawing a picture item's look: the
// looks stay pending until painted, and the layout (and so the save) is the one that
// rendering every look gives.
#include "DocTestSupport.h"

#include "document/KJDoc.h"
#include "framework/core/Dc.h"
#include "model/GroupItem.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "model/items/ArtisticTextItem.h"
#include "model/items/ImageButtonItem.h"
#include "model/items/ImageCloneItem.h"
#include "model/items/ImageItem.h"
#include "model/items/ShapeItem.h"
#include "model/items/SymbolItem.h"

#include "framework/core/Png.h"

#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

namespace {

using Box = std::tuple<int, int, int, int>;

// Where every item of the project sits, by serial.
std::map<int, Box> Layout(CKJDoc& doc)
{
    CItemList all;
    doc.CollectAllItems(all);
    std::map<int, Box> boxes;
    for (CItem* item : all)
        boxes[item->m_nSerial] = Box(item->m_nX, item->m_nY, item->m_nWidth, item->m_nHeight);
    return boxes;
}

std::vector<CImageItemBase*> PictureItems(CKJDoc& doc)
{
    CItemList all;
    doc.CollectAllItems(all);
    std::vector<CImageItemBase*> out;
    for (CItem* item : all)
        if (auto* image = dynamic_cast<CImageItemBase*>(item))
            out.push_back(image);
    return out;
}

std::vector<BYTE> Png(int w, int h)
{
    CDib dib;
    dib.Create(w, h);
    dib.BeginPixels();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            dib.SetPixel(x, y, std::uint32_t(x * 5 & 0xFF) << 16 | std::uint32_t(y * 7 & 0xFF) << 8 | 0x40u);
    dib.EndPixels();
    std::vector<BYTE> out;
    SavePNGData(*dib.CopyToGlobal(), out);
    return out;
}

// Pages of every picture-like kind with the settings that change a look's size, some
// inside a group, and a clone of one of them.
void BuildMixedStyles(CKJDoc& doc)
{
    doc.OnNewDocument();
    int n = 0;
    CImageItemBase* cloned = nullptr;
    for (int p = 0; p < 3; ++p) {
        CWString title;
        title = CString::Formatted("Styles %d", p).GetString();
        CPage* page = doc.AddPage(nullptr, &title);
        CGroupItem* group = dynamic_cast<CGroupItem*>(CreateItem(ITEM_GROUP));
        ASSERT_NE(group, nullptr);
        group->m_nY = 600;
        page->AddChild(group);
        const int kinds[] = {ITEM_SHAPE, ITEM_IMAGE, ITEM_ARTISTIC_TEXT, ITEM_SYMBOL, ITEM_IMAGE_BUTTON, ITEM_PAYPAL, ITEM_PARAGRAPH};
        for (int kind : kinds)
            for (int v = 0; v < 3; ++v, ++n) {
                CItem* made = CreateItem(kind);
                ASSERT_NE(made, nullptr);
                made->m_nX = 10 + 120 * v;
                made->m_nY = 10 + 80 * (n % 7);
                (v == 2 ? group : static_cast<CGroupItem*>(page))->AddChild(made);
                auto* item = dynamic_cast<CImageItemBase*>(made);
                if (!item)
                    continue;
                item->m_dRotation = n % 3 == 0 ? 12.5 * (n % 5) : 0.0;
                item->m_nShadowKind = n % 2;
                item->m_nShadowOffset = n % 6;
                item->m_nShadowBlur = n % 9;
                item->m_nEdgeKind = n % 3;
                item->m_nEdgeLeft = item->m_nEdgeBottom = 1;
                item->m_nPadding = n % 4;
                if (auto* shape = dynamic_cast<CShapeItem*>(item)) {
                    shape->m_nSupersampling = n % 2;
                    shape->m_nFrameWidth = n % 5;
                    shape->m_nRenderWidth = 60 + n;
                    if (v == 1)
                        shape->m_caption.m_strText = "Caption";
                } else if (auto* image = dynamic_cast<CImageItem*>(item)) {
                    const std::vector<BYTE> png = Png(30 + n, 20 + v);
                    image->m_blob.Assign(png.data(), png.size());
                    DecodeStoredImage(*image);
                    image->m_nRenderWidth = v == 1 ? 45 : 30 + n;
                    image->m_nRenderHeight = 20 + v;
                    image->m_nFrameWidth = v;
                } else if (auto* text = dynamic_cast<CArtisticTextItem*>(item)) {
                    text->m_strText = CWString(v == 0 ? u"Headline" : u"Wavy words");
                    text->m_nStretch = 90 + 10 * v;
                } else if (auto* button = dynamic_cast<CImageButtonItem*>(item)) {
                    button->m_nSupersampling = 1 + v;
                    button->m_nRenderWidth = 90 + n;
                } else if (auto* symbol = dynamic_cast<CSymbolItem*>(item)) {
                    symbol->m_nGlyph = 0x41 + v;
                }
                if (!cloned)
                    cloned = item;
            }
    }
    auto* clone = dynamic_cast<CImageCloneItem*>(CreateItem(ITEM_IMAGE_CLONE));
    ASSERT_NE(clone, nullptr);
    clone->m_nSourceId = cloned->m_nSerial;
    clone->m_pSource = cloned;
    clone->m_nY = 900;
    doc.m_pages.front()->AddChild(clone);
}

// Every look rendered and laid out, as once the editor has shown every page.
void RenderAndLayOut(CKJDoc& doc)
{
    for (CImageItemBase* item : PictureItems(doc))
        item->EnsureRendered();
    doc.ApplyPageWidth();
}

TEST(OpenLayout, MixedStylesOpenWithoutRenderingAndLayOutAsRendered)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("styles.kjproj");
    std::map<int, Box> settled;
    int counter = 0;
    {
        CKJDoc original;
        BuildMixedStyles(original);
        // Rendered and laid out as the editor does while it is used: a frame is drawn by
        // the laid-out size, so the second pass gives the look the item keeps.
        for (int pass = 0; pass < 2; ++pass) {
            for (CImageItemBase* item : PictureItems(original))
                item->Render(0);
            original.ApplyPageWidth();
        }
        settled = Layout(original);
        // A file whose boxes are stale (another program's, or an older layout): opening
        // measures every look anew instead of trusting them.
        for (CImageItemBase* item : PictureItems(original))
            item->m_nWidth = item->m_nHeight = 1;
        counter = GetObjectCounter();
        ASSERT_TRUE(original.OnSaveDocument(CString::FromQString(path)));
    }

    CKJDoc opened;
    ASSERT_TRUE(opened.OnOpenDocument(CString::FromQString(path)));
    const std::vector<CImageItemBase*> items = PictureItems(opened);
    ASSERT_GE(items.size(), 40u);
    for (CImageItemBase* item : items) {
        SCOPED_TRACE(item->Describe().GetString());
        EXPECT_TRUE(item->IsRenderPending());
        EXPECT_FALSE(item->m_state[0].IsValid());
    }
    EXPECT_EQ(Layout(opened), settled);
    const std::vector<BYTE> unrendered = doctest::SaveAtCounter(opened, counter);

    // Painting renders; the layout and the save stay as they were.
    for (CImageItemBase* item : items) {
        QImage canvas(std::max(1, item->m_nWidth), std::max(1, item->m_nHeight), QImage::Format_RGB32);
        canvas.fill(Qt::white);
        CDC dc(&canvas);
        item->Draw(&dc);
        EXPECT_FALSE(item->IsRenderPending());
        EXPECT_TRUE(item->m_state[0].IsValid());
    }
    opened.ApplyPageWidth();
    EXPECT_EQ(Layout(opened), settled);
    EXPECT_EQ(doctest::SaveAtCounter(opened, counter), unrendered);

    // Opened again, every look rendered at once and every page laid out again, as opening
    // once did: the same bytes.
    CKJDoc eager;
    ASSERT_TRUE(eager.OnOpenDocument(CString::FromQString(path)));
    RenderAndLayOut(eager);
    EXPECT_EQ(doctest::SaveAtCounter(eager, counter), unrendered);
}

} // namespace
