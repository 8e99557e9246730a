// Laying out a loaded picture item before its look is drawn: the size measured from the
// settings equals the size of the rendered look, and everything the item stores (hence
// a save) is what rendering stores; where only drawing tells, the look renders.
#include "PictureTestSupport.h"
#include "RenderedReference.h"

#include "framework/core/MessageBox.h"
#include "model/RenderBudget.h"
#include "model/items/ArtisticTextItem.h"
#include "model/items/ImageButtonItem.h"
#include "model/items/ImageCloneItem.h"
#include "model/items/ImageItem.h"
#include "model/items/PayPalItem.h"
#include "model/items/ShapeItem.h"
#include "model/items/SymbolItem.h"

#include <QtCore/QCoreApplication>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

namespace {

std::vector<BYTE> StoreRecord(CItem& item)
{
    return picturetest::StoreWithExtras(item);
}

template <typename Item> std::unique_ptr<Item> LoadRecord(const std::vector<BYTE>& bytes)
{
    auto item = std::make_unique<Item>();
    EXPECT_TRUE(picturetest::LoadWithExtras(*item, bytes));
    return item;
}

std::unique_ptr<CImageItem> Picture(int w, int h)
{
    auto i = std::make_unique<CImageItem>();
    const auto png = picturetest::PngBytes(picturetest::Gradient(w, h));
    i->m_blob.Assign(png.data(), png.size());
    DecodeStoredImage(*i);
    i->m_nRenderWidth = w;
    i->m_nRenderHeight = h;
    i->m_nWidth = w;
    i->m_nHeight = h;
    return i;
}

// The shared effects, set on any kind.
struct Effects {
    double rotation = 0.0;
    int shadowKind = 0, shadowOffset = 0, shadowBlur = 4;
    int edgeKind = 0, edgeSize = 30;
    int padding = 0;
};

void Apply(CImageItemBase& item, const Effects& e)
{
    item.m_dRotation = e.rotation;
    item.m_nShadowKind = e.shadowKind;
    item.m_nShadowOffset = e.shadowOffset;
    item.m_nShadowBlur = e.shadowBlur;
    item.m_nEdgeKind = e.edgeKind;
    item.m_nEdgeSize = e.edgeSize;
    item.m_nEdgeLeft = item.m_nEdgeTop = e.edgeKind != 0;
    item.m_nEdgeRight = e.edgeKind == 2;
    item.m_nPadding = e.padding;
}

struct Case {
    const char* name;
    std::function<std::unique_ptr<CImageItemBase>()> make;
    // false: only drawing tells the size, so laying out renders the look
    bool measured = true;
};

template <typename Item> std::unique_ptr<CImageItemBase> Make(const Effects& e, const std::function<void(Item&)>& set = {})
{
    auto item = std::make_unique<Item>();
    Apply(*item, e);
    if (set)
        set(*item);
    return item;
}

std::unique_ptr<CImageItemBase> Image(int w, int h, const Effects& e, const std::function<void(CImageItem&)>& set = {})
{
    auto item = Picture(w, h);
    Apply(*item, e);
    if (set)
        set(*item);
    return item;
}

std::vector<Case> Cases()
{
    Effects rot15, rot90, rot180, rotOdd, rotNeg, rotNear;
    rot15.rotation = 15.0;
    rot90.rotation = 90.0;
    rot180.rotation = 180.0;
    rotOdd.rotation = 33.3;
    rotNeg.rotation = -47.0;
    rotNear.rotation = 359.99;
    Effects shadowFlat, shadowSoft, shadowFar, shadowMost;
    shadowFlat.shadowKind = 1, shadowFlat.shadowOffset = 0, shadowFlat.shadowBlur = 0;
    shadowSoft.shadowKind = 1, shadowSoft.shadowOffset = 3, shadowSoft.shadowBlur = 6;
    shadowFar.shadowKind = 2, shadowFar.shadowOffset = 40, shadowFar.shadowBlur = 12;
    shadowMost.shadowKind = 1, shadowMost.shadowOffset = 1000, shadowMost.shadowBlur = 31;
    Effects linearFade, ellipticFade, padded;
    linearFade.edgeKind = 1, linearFade.edgeSize = 40;
    ellipticFade.edgeKind = 2, ellipticFade.edgeSize = 100;
    padded.padding = 5;
    Effects everything;
    everything.rotation = 21.5, everything.shadowKind = 1, everything.shadowOffset = 4, everything.shadowBlur = 9;
    everything.edgeKind = 2, everything.padding = 2;
    Effects costlyShadow; // a blur the ceiling on shadow work may reduce: its pixels decide
    costlyShadow.shadowKind = 1, costlyShadow.shadowBlur = 31;

    return {
        {"image at its own size", [] { return Image(40, 30, {}); }},
        {"image resampled", [] { return Image(40, 30, {}, [](CImageItem& i) { i.m_nRenderWidth = 55, i.m_nRenderHeight = 17; }); }},
        {"image rotated 15", [=] { return Image(40, 30, rot15); }},
        {"image rotated 90", [=] { return Image(40, 30, rot90); }},
        {"image rotated 180", [=] { return Image(41, 29, rot180); }},
        {"image rotated 33.3", [=] { return Image(40, 30, rotOdd); }},
        {"image rotated -47", [=] { return Image(40, 30, rotNeg); }},
        {"image rotated 359.99", [=] { return Image(40, 30, rotNear); }},
        {"image with a flat shadow", [=] { return Image(40, 30, shadowFlat); }},
        {"image with a soft shadow", [=] { return Image(40, 30, shadowSoft); }},
        {"image with a far shadow", [=] { return Image(40, 30, shadowFar); }},
        {"image with the farthest, softest shadow", [=] { return Image(40, 30, shadowMost); }},
        {"image with a linear edge fade", [=] { return Image(40, 30, linearFade); }},
        {"image with an elliptical edge fade", [=] { return Image(40, 30, ellipticFade); }},
        {"image with padding", [=] { return Image(40, 30, padded); }},
        {"image framed, supersampled", [] { return Image(40, 30, {}, [](CImageItem& i) { i.m_nFrameWidth = 3, i.m_nFrameShape = 1, i.m_nSupersampling = 1; }); }},
        {"image framed, not supersampled", [] { return Image(40, 30, {}, [](CImageItem& i) { i.m_nFrameWidth = 7, i.m_nFrameShape = 2, i.m_nSupersampling = 0; }); }},
        {"image resampled, framed, with every effect", [=] {
             return Image(40, 30, everything, [](CImageItem& i) { i.m_nRenderWidth = 63, i.m_nRenderHeight = 44, i.m_nFrameWidth = 2; });
         }},
        {"image with a costly shadow", [=] { return Image(250, 250, costlyShadow); }, false},
        {"image with a shadow the ceiling reduces", [=] {
             return Image(60, 60, costlyShadow, [](CImageItem& i) { i.m_nRenderWidth = i.m_nRenderHeight = 800; });
         }, false},
        {"image without a picture", [] { return std::unique_ptr<CImageItemBase>(std::make_unique<CImageItem>()); }, false},

        {"shape", [] { return Make<CShapeItem>({}); }},
        {"shape not supersampled, wide frame", [] { return Make<CShapeItem>({}, [](CShapeItem& s) { s.m_nSupersampling = 0, s.m_nFrameWidth = 9; }); }},
        {"shape without a frame", [] { return Make<CShapeItem>({}, [](CShapeItem& s) { s.m_nFrameWidth = 0, s.m_nFrameShape = 3; }); }},
        {"shape rotated 90 with a soft shadow", [=] {
             Effects e = rot90;
             e.shadowKind = 2, e.shadowOffset = 5, e.shadowBlur = 3;
             return Make<CShapeItem>(e, [](CShapeItem& s) { s.m_nRenderWidth = 71, s.m_nRenderHeight = 23; });
         }},
        {"shape with every effect", [=] { return Make<CShapeItem>(everything); }},
        {"shape with a caption", [] {
             return Make<CShapeItem>({}, [](CShapeItem& s) { s.m_caption.m_strText = "Go on"; });
         }},
        {"shape whose caption stores a stale size and font", [=] {
             return Make<CShapeItem>(shadowSoft, [](CShapeItem& s) {
                 s.m_caption.m_strText = "Next";
                 s.m_caption.m_nRenderWidth = 3;
                 s.m_caption.m_nRenderHeight = 2;
                 s.m_caption.m_lf.lfHeight = -70;
                 s.m_caption.m_crText = 0x123456;
             });
         }},
        {"shape of no size", [] { return Make<CShapeItem>({}, [](CShapeItem& s) { s.m_nRenderWidth = 0; }); }, false},

        {"artistic text", [] { return Make<CArtisticTextItem>({}, [](CArtisticTextItem& a) { a.m_strText = "Wave"; }); }},
        {"artistic text storing a stale render size", [] {
             return Make<CArtisticTextItem>({}, [](CArtisticTextItem& a) {
                 a.m_strText = "Stale";
                 a.m_nRenderWidth = 1, a.m_nRenderHeight = 900;
             });
         }},
        {"artistic text italic, stretched, spaced, two outlines", [] {
             return Make<CArtisticTextItem>({}, [](CArtisticTextItem& a) {
                 a.m_strText = "Spaced out";
                 a.m_lf.lfItalic = 1;
                 a.m_nStretch = 150;
                 a.m_nCharExtra = 5;
                 a.m_nFrameWidth = 3;
                 a.m_nLineWidth2 = 4;
             });
         }},
        {"artistic text rotated with a shadow", [=] {
             Effects e = rotOdd;
             e.shadowKind = 1, e.shadowOffset = 6, e.shadowBlur = 8;
             return Make<CArtisticTextItem>(e, [](CArtisticTextItem& a) { a.m_strText = "Tilt"; });
         }},
        {"artistic text without text", [] { return Make<CArtisticTextItem>({}); }, false},

        {"symbol", [] { return Make<CSymbolItem>({}, [](CSymbolItem& s) { s.m_nGlyph = 0x41; }); }},
        {"symbol of the Symbol face, rotated, faded", [=] {
             Effects e = rot15;
             e.edgeKind = 1;
             return Make<CSymbolItem>(e, [](CSymbolItem& s) {
                 std::strcpy(s.m_lf.lfFaceName, "Symbol");
                 s.m_nGlyph = 0x61;
                 s.m_nRenderWidth = 2;
             });
         }},

        {"image button", [] { return Make<CImageButtonItem>({}); }},
        {"image button supersampled 4, caption shadowed, with every effect", [=] {
             return Make<CImageButtonItem>(everything, [](CImageButtonItem& b) {
                 b.m_nSupersampling = 4;
                 b.m_nCaptionStyle = 1;
                 b.m_nFrameWidth = 3;
                 b.m_nRenderWidth = 120, b.m_nRenderHeight = 37;
             });
         }},
        {"PayPal button with a shadow", [=] { return Make<CPayPalItem>(shadowFar); }},
    };
}

std::unique_ptr<CImageItemBase> LoadLike(const CImageItemBase& like, const std::vector<BYTE>& record)
{
    if (dynamic_cast<const CPayPalItem*>(&like))
        return LoadRecord<CPayPalItem>(record);
    if (dynamic_cast<const CImageButtonItem*>(&like))
        return LoadRecord<CImageButtonItem>(record);
    if (dynamic_cast<const CSymbolItem*>(&like))
        return LoadRecord<CSymbolItem>(record);
    if (dynamic_cast<const CArtisticTextItem*>(&like))
        return LoadRecord<CArtisticTextItem>(record);
    if (dynamic_cast<const CShapeItem*>(&like))
        return LoadRecord<CShapeItem>(record);
    return LoadRecord<CImageItem>(record);
}

class MeasuredLook : public ::testing::Test {
protected:
    void SetUp() override
    {
        renderref::EnsureFonts();
        render_budget::Reset();
        m_previous = SetMessageBoxHandler([](const CString&, const CString&, unsigned) { return IDOK; });
    }
    void TearDown() override
    {
        // The notice of a reduced blur comes after the current event: deliver it here.
        QCoreApplication::sendPostedEvents();
        SetMessageBoxHandler(m_previous);
        render_budget::Reset();
    }
    MessageBoxHandler m_previous;
};

TEST_F(MeasuredLook, SizeMeasuredAtLoadingEqualsSizeOfTheRenderedLook)
{
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CImageItemBase> source = c.make();
        // A stale box in the file: laying out replaces it either way.
        source->m_nWidth = 7;
        source->m_nHeight = 5;
        const std::vector<BYTE> record = StoreRecord(*source);

        // As opening did: every look rendered, then laid out.
        std::unique_ptr<CImageItemBase> rendered = LoadLike(*source, record);
        rendered->EnsureRendered();
        rendered->RecalcLayout();

        // As opening does now: laid out while the look is pending.
        std::unique_ptr<CImageItemBase> measured = LoadLike(*source, record);
        ASSERT_TRUE(measured->IsRenderPending());
        measured->RecalcLayout();
        EXPECT_EQ(measured->IsRenderPending(), c.measured);
        EXPECT_EQ(measured->m_nWidth, rendered->m_nWidth);
        EXPECT_EQ(measured->m_nHeight, rendered->m_nHeight);
        if (c.measured) {
            EXPECT_FALSE(measured->m_state[0].IsValid()) << "laying out drew the look";
            // the stale box is gone: the measure is not the stored size
            EXPECT_NE(measured->m_nWidth, 7);
        }
        // What a save writes: sizes, and what a render stores besides (a text's render
        // size, a shape caption's font and size).
        const std::vector<BYTE> measuredRecord = StoreRecord(*measured);
        EXPECT_EQ(measuredRecord, StoreRecord(*rendered));

        // The look drawn later has the measured size, and laying out again keeps it.
        const CDib& look = measured->StateBitmap(0);
        EXPECT_FALSE(measured->IsRenderPending());
        EXPECT_EQ(look.IsValid(), rendered->m_state[0].IsValid());
        if (look.IsValid()) {
            EXPECT_EQ(look.GetWidth() + measured->m_nInset[SIDE_LEFT] + measured->m_nInset[SIDE_RIGHT], measured->m_nWidth);
            EXPECT_EQ(look.GetHeight() + measured->m_nInset[SIDE_TOP] + measured->m_nInset[SIDE_BOTTOM], measured->m_nHeight);
        }
        measured->RecalcLayout();
        EXPECT_EQ(StoreRecord(*measured), measuredRecord);
    }
}

TEST_F(MeasuredLook, CloneOfAPendingLookMeasuresWithoutDrawing)
{
    const char* const names[] = {"image rotated 33.3", "shape with every effect", "artistic text rotated with a shadow",
        "image button supersampled 4, caption shadowed, with every effect"};
    for (const Case& c : Cases()) {
        if (std::find_if(std::begin(names), std::end(names), [&](const char* n) { return std::strcmp(n, c.name) == 0; }) == std::end(names))
            continue;
        SCOPED_TRACE(c.name);
        std::unique_ptr<CImageItemBase> source = c.make();
        const std::vector<BYTE> record = StoreRecord(*source);
        std::unique_ptr<CImageItemBase> pending = LoadLike(*source, record);
        std::unique_ptr<CImageItemBase> rendered = LoadLike(*source, record);
        rendered->EnsureRendered();

        CImageCloneItem lazy, eager;
        lazy.m_pSource = pending.get();
        eager.m_pSource = rendered.get();
        lazy.RecalcLayout();
        eager.RecalcLayout();
        EXPECT_TRUE(pending->IsRenderPending());
        EXPECT_GT(lazy.m_nWidth, 0);
        EXPECT_EQ(lazy.m_nWidth, eager.m_nWidth);
        EXPECT_EQ(lazy.m_nHeight, eager.m_nHeight);
    }
}

} // namespace
