// The Image menu and Edit/Paste Into through the view's command routing: the update
// handlers' selections, the live adjustments with their previews, the turns, Invert, the
// conversions, Merge, Clone, Change Image, Paste Into, Crop, Angle and Over Color; each as
// one edit: Cancel leaves the project's bytes and undo list as they were, OK is at most one
// undo record and one update hint.
#include "FormatTestSupport.h"

#include "controls/ColorControl.h"
#include "controls/FileChooser.h"
#include "dialogs/AdjustDialogs.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/ImageCrop.h"
#include "dialogs/OverColorDialogs.h"
#include "dialogs/SmallPropertyDialogs.h"
#include "editor/commands/ImageCommands.h"
#include "dialogs/LinkItemDialogs.h"
#include "framework/core/Png.h"
#include "model/Clipboard.h"
#include "model/FillStyle.h"
#include "model/items/ImageButtonItem.h"
#include "model/items/ImageCloneItem.h"
#include "model/items/ImageItem.h"
#include "model/items/ShapeItem.h"
#include "support/ExternalTools.h"

#include <QtCore/QFile>
#include <QtCore/QMimeData>
#include <QtCore/QTemporaryDir>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>
#include <QtWidgets/QSlider>

#include <gtest/gtest.h>
#include <memory>

using namespace edtest;

namespace {

using PixelList = std::vector<std::uint32_t>;

CDib MakeDib(int w, int h, const std::function<std::uint32_t(int x, int y)>& colour)
{
    CDib d;
    d.Create(w, h);
    d.BeginPixels();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            d.SetPixel(x, y, colour(x, y));
    d.EndPixels();
    return d;
}

// An Image item showing the picture at w x h (its own size when 0), stored as a file holds it.
CImageItem* AddPicture(FormatCanvas& c, int x, int y, const CDib& picture, int w = 0, int h = 0, bool jpeg = false)
{
    auto* image = static_cast<CImageItem*>(c.Add(ITEM_IMAGE, x, y, 10, 10));
    image->m_picture = picture;
    image->m_bJpegSource = jpeg ? 1 : 0;
    image->m_strExtension = jpeg ? ".jpg" : ".png";
    image->m_nRenderWidth = w > 0 ? w : picture.GetWidth();
    image->m_nRenderHeight = h > 0 ? h : picture.GetHeight();
    image->m_strName = CString::Formatted("pic%d", int(c.page->GetChildren().size()));
    EXPECT_TRUE(SaveItemPictureTemp(*image));
    image->Render(0);
    image->RecalcLayout();
    return image;
}

CDib Decoded(const CDataBlock& bytes, int format)
{
    CDib d;
    if (PackedBitmapPtr packed = DecodePictureData(bytes.Data(), bytes.Size(), format))
        d.CreateFromGlobal(*packed);
    return d;
}

std::vector<BYTE> BlobBytes(const CDataBlock& b) { return std::vector<BYTE>(b.Data(), b.Data() + b.Size()); }

// What Pillow reads from stored picture bytes: the format, then "R G B A" of each point.
QStringList PillowReads(const CDataBlock& bytes, const std::vector<std::pair<int, int>>& points)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("stored.png");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(reinterpret_cast<const char*>(bytes.Data()), qint64(bytes.Size()));
    f.close();
    QStringList args{path};
    for (const auto& p : points)
        args << QString::number(p.first) << QString::number(p.second);
    const testsupport::ProcessResult r = testsupport::RunPython(
        "import sys\nfrom PIL import Image\nim = Image.open(sys.argv[1])\nprint(im.format)\nrgba = im.convert('RGBA')\n"
        "a = sys.argv[2:]\nfor i in range(0, len(a), 2):\n"
        "    print(' '.join(str(v) for v in rgba.getpixel((int(a[i]), int(a[i + 1])))))\n",
        args);
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    return QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts);
}

CItem* Child(FormatCanvas& c, int i) { return c.page->GetChildren()[std::size_t(i)].get(); }
CImageItem* ImageAt(FormatCanvas& c, int i) { return dynamic_cast<CImageItem*>(Child(c, i)); }

// The adjustment dialog's slider moved, its preview timer run out.
void Slide(DAdjustBase& d, int id, int value)
{
    qobject_cast<QSlider*>(d.GetDlgItem(id))->setValue(value);
    d.Timers().Fire(d.PreviewTimerId());
}

// Six colours, one half transparent: R G B / C M Y.
constexpr std::uint32_t R = 0x00FF0000, G = 0x0000FF00, B = 0x800000FF, C = 0x0000FFFF, M = 0x00FF00FF, Y = 0x00FFFF00;
CDib Six() { return MakeDib(3, 2, [](int x, int y) { return std::vector<std::uint32_t>{R, G, B, C, M, Y}[std::size_t(y * 3 + x)]; }); }

// ---------------------------------------------------------------- update handlers

struct UpdateCase {
    const char* name;
    std::vector<int> selected; // item types, added in this order and selected
    std::vector<UINT> on;      // every other command of the list is off
};

TEST(ImageCommands, UpdateHandlersEnableExactlyTheirSelections)
{
    const std::vector<UINT> all = {ID_IMAGE_CROP, ID_IMAGE_ROTATE_CW, ID_IMAGE_CHANGE, ID_IMAGE_HUE, ID_IMAGE_SHADOW,
                                   ID_IMAGE_FADEOUT, ID_IMAGE_ANGLE, ID_IMAGE_OVER_COLOR, ID_IMAGE_CLONE, ID_IMAGE_INVERT,
                                   ID_IMAGE_CONVERT_TO_BITMAP, ID_IMAGE_MERGE};
    const std::vector<UINT> imageCommands = {ID_IMAGE_CROP, ID_IMAGE_ROTATE_CW, ID_IMAGE_CHANGE, ID_IMAGE_HUE};
    const UpdateCase cases[] = {
        {"nothing", {}, {}},
        {"image", {ITEM_IMAGE}, {ID_IMAGE_CROP, ID_IMAGE_ROTATE_CW, ID_IMAGE_CHANGE, ID_IMAGE_HUE, ID_IMAGE_SHADOW,
                                 ID_IMAGE_FADEOUT, ID_IMAGE_ANGLE, ID_IMAGE_OVER_COLOR, ID_IMAGE_CLONE, ID_IMAGE_INVERT}},
        {"gif", {ITEM_GIF}, {ID_IMAGE_CLONE}},
        {"two images", {ITEM_IMAGE, ITEM_IMAGE}, {ID_IMAGE_SHADOW, ID_IMAGE_FADEOUT, ID_IMAGE_ANGLE, ID_IMAGE_OVER_COLOR,
                                                   ID_IMAGE_CLONE, ID_IMAGE_INVERT, ID_IMAGE_MERGE}},
        {"shape and symbol", {ITEM_SHAPE, ITEM_SYMBOL}, {ID_IMAGE_SHADOW, ID_IMAGE_FADEOUT, ID_IMAGE_ANGLE,
                                                          ID_IMAGE_OVER_COLOR, ID_IMAGE_CLONE, ID_IMAGE_INVERT,
                                                          ID_IMAGE_CONVERT_TO_BITMAP}},
        {"button and shape", {ITEM_IMAGE_BUTTON, ITEM_SHAPE}, {ID_IMAGE_SHADOW, ID_IMAGE_FADEOUT, ID_IMAGE_ANGLE,
                                                                ID_IMAGE_OVER_COLOR, ID_IMAGE_CLONE, ID_IMAGE_INVERT,
                                                                ID_IMAGE_CONVERT_TO_BITMAP, ID_IMAGE_MERGE}},
        {"paragraph and image", {ITEM_PARAGRAPH, ITEM_IMAGE}, {}},
        {"link", {ITEM_LINK}, {ID_IMAGE_OVER_COLOR}}, // through its properties
    };
    for (const UpdateCase& u : cases) {
        FormatCanvas c;
        for (std::size_t i = 0; i < u.selected.size(); ++i)
        {
            CItem* item = c.Add(u.selected[i], 10 + 120 * int(i), 10);
            item->m_nType = u.selected[i]; // a GIF is an Image item bearing code 28
            item->m_bSelected = 1;
        }
        for (UINT id : all) {
            const bool expected = std::find(u.on.begin(), u.on.end(), id) != u.on.end();
            EXPECT_EQ(c.Enabled(id), expected) << u.name << " " << id;
        }
    }

    // A texture shown (no container): only the picture commands.
    FormatCanvas c;
    auto texture = std::make_unique<CPicture>();
    texture->m_picture = Six();
    c.doc.m_textures.push_back(std::move(texture));
    c.view().ShowPicture(c.doc.m_textures.back().get());
    for (UINT id : all) {
        const bool expected = std::find(imageCommands.begin(), imageCommands.end(), id) != imageCommands.end();
        EXPECT_EQ(c.Enabled(id), expected) << "texture " << id;
    }
    // Neither a container nor a texture: everything off.
    c.view().ShowPicture(nullptr);
    for (UINT id : all)
        EXPECT_FALSE(c.Enabled(id)) << "none " << id;
}

TEST(ImageCommands, OverColorOnALinkOpensItsProperties)
{
    FormatCanvas c;
    c.Add(ITEM_LINK, 10, 10)->m_bSelected = 1;
    c.Settle();
    c.SetUploaded();
    const std::vector<BYTE> bytes = c.Bytes();
    EXPECT_TRUE(c.Enabled(ID_IMAGE_OVER_COLOR));
    QString shown;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) {
        shown = d.metaObject()->className();
        if (dynamic_cast<DLinkItem*>(&d))
            shown = QStringLiteral("DLinkItem");
        return int(IDCANCEL);
    });
    c.Run(ID_IMAGE_OVER_COLOR);
    CDialog::SetModalHook(previous);
    EXPECT_EQ(shown, QStringLiteral("DLinkItem"));
    c.ExpectUnchanged(bytes);
}

TEST(ImageCommands, PasteIntoNeedsAClipboardPictureAndOneImage)
{
    FormatCanvas c;
    CImageItem* a = AddPicture(c, 10, 10, Six());
    CImageItem* b = AddPicture(c, 100, 10, Six());
    QGuiApplication::clipboard()->setImage(QImage(4, 4, QImage::Format_ARGB32));
    a->m_bSelected = 1;
    EXPECT_TRUE(c.Enabled(ID_EDIT_PASTE_INTO));
    b->m_bSelected = 1;
    EXPECT_FALSE(c.Enabled(ID_EDIT_PASTE_INTO));
    b->m_bSelected = 0;
    QGuiApplication::clipboard()->setText(QStringLiteral("words"));
    EXPECT_FALSE(c.Enabled(ID_EDIT_PASTE_INTO));
}

// ---------------------------------------------------------------- adjustments

struct AdjustCase {
    const char* name;
    UINT command;
    const char* undo;
    std::function<void(DAdjustBase&)> act;
    std::uint32_t in, out;
};

TEST(ImageCommands, AdjustmentsKeepTheLastPreviewOnOk)
{
    const AdjustCase cases[] = {
        {"contrast 100", ID_IMAGE_CONTRAST, "Contrast/Brightness", [](DAdjustBase& d) { Slide(d, 3, 100); },
         0x00C04064, 0x00FF0048},
        {"midtones 100", ID_IMAGE_CONTRAST, "Contrast/Brightness", [](DAdjustBase& d) { Slide(d, 1057, 100); },
         0x00404040, 0x007F7F7F},
        {"midtones -100", ID_IMAGE_CONTRAST, "Contrast/Brightness", [](DAdjustBase& d) { Slide(d, 1057, -100); },
         0x00FF40FE, 0x00FF0000},
        {"saturation -100", ID_IMAGE_SATURATION, "Saturation", [](DAdjustBase& d) { Slide(d, 1046, -100); },
         0x00C8640A, 0x00676767},
        {"hue 0", ID_IMAGE_HUE, "Hue", [](DAdjustBase& d) { Slide(d, 1046, 1); Slide(d, 1046, 0); },
         0x003264C8, 0x003163C6},
        {"hue of grey", ID_IMAGE_HUE, "Hue", [](DAdjustBase& d) { Slide(d, 1046, 77); }, 0x00808080, 0x007F7F7F},
        {"threshold 0", ID_IMAGE_REMOVE_BACKGROUND, "Remove Background", [](DAdjustBase&) {}, 0x00FFFFFF, 0xFFFFFFFF},
    };
    for (const AdjustCase& a : cases) {
        FormatCanvas c;
        // the case's pixel beside an opaque pure white one
        CImageItem* image = AddPicture(c, 20, 20, MakeDib(2, 1, [&](int x, int) { return x == 0 ? a.in : 0x00FFFFFF; }));
        image->m_bSelected = 1;
        c.SetUploaded();
        const auto before = c.Count();
        c.Answer<DAdjustBase>(a.act, true);
        c.Run(a.command);
        c.ExpectOneUndoStep(before, a.undo);
        image = ImageAt(c, 0);
        EXPECT_EQ(image->m_picture.GetPixelChecked(0, 0), a.out) << a.name;
        EXPECT_EQ(Decoded(image->m_blob, CPicture::FormatPng).GetPixelChecked(0, 0), a.out) << a.name << " stored";
        EXPECT_EQ(image->m_nUploadState, 0) << a.name;
        EXPECT_EQ(c.page->m_nUploadState, 0) << a.name;
    }
}

TEST(ImageCommands, PreviewsStartFromTheCopyAndCancelGivesTheBytesBack)
{
    FormatCanvas c;
    CImageItem* image = AddPicture(c, 20, 20, MakeDib(1, 1, [](int, int) { return 0x00646464u; }));
    image->m_bSelected = 1;
    const std::vector<BYTE> bytes = c.Bytes();
    std::vector<std::uint32_t> shown;
    c.Answer<DAdjustBase>(
        [&](DAdjustBase& d) {
            Slide(d, 1046, 50);
            shown.push_back(ImageAt(c, 0)->m_picture.GetPixelChecked(0, 0));
            shown.push_back(ImageAt(c, 0)->StateBitmap(0).GetPixelChecked(0, 0));
            Slide(d, 1046, 20);
            shown.push_back(ImageAt(c, 0)->m_picture.GetPixelChecked(0, 0));
            // a kind the view does not know shows the copy
            c.view().OnImageAdjustPreview(99, nullptr);
            shown.push_back(ImageAt(c, 0)->m_picture.GetPixelChecked(0, 0));
            Slide(d, 1046, -30);
        },
        false);
    c.Run(ID_IMAGE_CONTRAST);
    EXPECT_EQ(shown, (PixelList{0x00969696, 0x00969696, 0x00787878, 0x00646464}));
    c.ExpectUnchanged(bytes);
    EXPECT_EQ(ImageAt(c, 0)->m_picture.GetPixelChecked(0, 0), 0x00646464u);
    EXPECT_EQ(ImageAt(c, 0)->StateBitmap(0).GetPixelChecked(0, 0), 0x00646464u);
}

TEST(ImageCommands, RemoveBackgroundOnAJpegStoresAPng)
{
    FormatCanvas c;
    const CDib picture = MakeDib(4, 2, [](int x, int y) { return (x + y) % 2 ? 0x00FFFFFFu : 0x00204080u; });
    CImageItem* image = AddPicture(c, 20, 20, picture, 0, 0, true);
    image->m_bSelected = 1;
    c.Answer<DAdjustBase>([](DAdjustBase&) {}, true);
    c.Run(ID_IMAGE_REMOVE_BACKGROUND);
    image = ImageAt(c, 0);
    EXPECT_EQ(image->m_bJpegSource, 0);
    EXPECT_EQ(image->GetFileName().Right(4), CString(".png")) << image->GetFileName().GetString();

    std::vector<std::pair<int, int>> points;
    for (int i = 0; i < 8; ++i)
        points.push_back({i % 4, i / 4});
    const QStringList lines = PillowReads(image->m_blob, points);
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[0], QStringLiteral("PNG"));
    for (int i = 0; i < 8; ++i) {
        const int x = i % 4, y = i / 4;
        const bool white = (x + y) % 2 != 0;
        EXPECT_EQ(lines[i + 1], white ? QStringLiteral("255 255 255 0") : QStringLiteral("32 64 128 255")) << x << "," << y;
    }
}

TEST(ImageCommands, EveryAdjustmentCancelledLeavesTheProject)
{
    for (UINT id : {ID_IMAGE_CONTRAST, ID_IMAGE_HUE, ID_IMAGE_SATURATION, ID_IMAGE_REMOVE_BACKGROUND}) {
        FormatCanvas c;
        AddPicture(c, 20, 20, Six(), 0, 0, true)->m_bSelected = 1;
        const std::vector<BYTE> bytes = c.Bytes();
        const PixelList before = Pixels(ImageAt(c, 0)->m_picture);
        c.Answer<DAdjustBase>([](DAdjustBase& d) { Slide(d, d.ControlIds().front() == 1025 ? 1051 : 1046, 40); }, false);
        c.Run(id);
        c.ExpectUnchanged(bytes);
        EXPECT_EQ(Pixels(ImageAt(c, 0)->m_picture), before) << id;
    }
}

TEST(ImageCommands, AdjustingAShownTextureMarksItAndThePagesThatShowIt)
{
    FormatCanvas c;
    auto owned = std::make_unique<CPicture>();
    CPicture* texture = owned.get();
    texture->m_picture = MakeDib(2, 2, [](int x, int y) { return x + y == 0 ? 0x00FFFFFFu : 0x000A64C8u; });
    texture->m_nWidth = texture->m_nHeight = 2;
    texture->m_nFormat = CPicture::FormatPng;
    texture->m_nPictureId = 77;
    texture->m_strName = "wood";
    texture->Render();
    ASSERT_TRUE(StorePictureBytes(*texture));
    c.doc.m_textures.push_back(std::move(owned));
    c.page->m_pFill->m_nPictureId = 77;
    c.page->m_pFill->m_pPicture = texture;
    c.SetUploaded();
    texture->m_nUploadState = 2;
    c.view().ShowPicture(texture);

    const std::vector<BYTE> bytes = c.Bytes();
    c.Answer<DAdjustBase>([](DAdjustBase& d) { Slide(d, 1051, 3); }, false);
    c.Run(ID_IMAGE_REMOVE_BACKGROUND);
    c.ExpectUnchanged(bytes);
    EXPECT_EQ(texture->m_picture.GetPixelChecked(0, 0), 0x00FFFFFFu);

    c.Answer<DAdjustBase>([](DAdjustBase& d) { Slide(d, 1046, -100); }, true);
    c.Run(ID_IMAGE_SATURATION);
    EXPECT_EQ(c.doc.m_undo.GetCount(), 0u); // a texture has no container to snapshot
    EXPECT_TRUE(c.doc.IsModified());
    EXPECT_EQ(c.hints.size(), 1u);
    EXPECT_EQ(texture->m_picture.GetPixelChecked(1, 1), 0x00676767u);
    EXPECT_EQ(Decoded(texture->m_blob, CPicture::FormatPng).GetPixelChecked(1, 1), 0x00676767u);
    EXPECT_EQ(texture->m_nUploadState, 0);
    EXPECT_EQ(c.page->m_nUploadState, 0);

    // a JPEG texture made transparent is stored as PNG
    texture->m_nFormat = CPicture::FormatJpeg;
    c.Answer<DAdjustBase>([](DAdjustBase&) {}, true);
    c.Run(ID_IMAGE_REMOVE_BACKGROUND);
    EXPECT_EQ(texture->m_nFormat, int(CPicture::FormatPng));
    EXPECT_EQ(Decoded(texture->m_blob, CPicture::FormatPng).GetPixelChecked(0, 0) >> 24, 0xFFu);
    EXPECT_EQ(Decoded(texture->m_blob, CPicture::FormatPng).GetPixelChecked(1, 1) >> 24, 0u);
}

// ---------------------------------------------------------------- Shadow and Fadeout

TEST(ImageCommands, ShadowAndFadeoutRenderAgainAsOneStep)
{
    FormatCanvas c;
    CImageItem* image = AddPicture(c, 20, 20, MakeDib(40, 20, [](int, int) { return 0x00FF0000u; }));
    image->m_bSelected = 1;
    image->m_crOverShift = 0x00A08080; // with a mouse-over look
    c.SetUploaded();
    auto before = c.Count();
    c.Answer<DDropShadow>([](DDropShadow& d) { d.m_bEnable = 1; d.m_nDistance = 5; d.m_nRadius = 2; d.UpdateData(FALSE); }, true);
    c.Run(ID_IMAGE_SHADOW);
    c.ExpectOneUndoStep(before, "Shadow");
    image = ImageAt(c, 0);
    EXPECT_EQ(image->m_nShadowKind, 1);
    EXPECT_GT(image->StateBitmap(0).GetWidth(), 40); // the shadow widens the look
    EXPECT_EQ(image->m_state[1].GetWidth(), image->StateBitmap(0).GetWidth());
    EXPECT_EQ(image->m_nUploadState, 0);

    before = c.Count();
    c.Answer<DEdgeFadeout>([](DEdgeFadeout& d) { d.m_nKind = 1; d.m_bLeft = 1; d.m_nDistance = 50; d.UpdateData(FALSE); }, true);
    c.Run(ID_IMAGE_FADEOUT);
    c.ExpectOneUndoStep(before, "Fadeout");
    EXPECT_EQ(ImageAt(c, 0)->m_nEdgeKind, 1);
    EXPECT_EQ(ImageAt(c, 0)->m_nEdgeLeft, 1);

    for (UINT id : {ID_IMAGE_SHADOW, ID_IMAGE_FADEOUT}) {
        const std::vector<BYTE> bytes = c.Bytes();
        const auto counts = c.Count();
        c.Answer<CDialog>([](CDialog&) {}, false);
        c.Run(id);
        EXPECT_EQ(c.Bytes(), bytes) << id;
        EXPECT_EQ(c.Count().undo, counts.undo) << id;
    }
}

// ---------------------------------------------------------------- turns and mirrors

TEST(ImageCommands, QuarterTurnMovesPixelsAndSwapsTheShownSize)
{
    FormatCanvas c;
    CImageItem* image = AddPicture(c, 30, 40, Six(), 200, 100);
    image->m_bSelected = 1;
    image->m_crOverShift = 0x00FF8080;
    const CDataBlock original = image->m_blob;
    c.SetUploaded();
    const auto before = c.Count();
    c.Run(ID_IMAGE_ROTATE_CW);
    image = ImageAt(c, 0);
    EXPECT_EQ(Pixels(image->m_picture), (PixelList{C, R, M, G, Y, B}));
    EXPECT_EQ(Pixels(Decoded(image->m_blob, CPicture::FormatPng)), (PixelList{C, R, M, G, Y, B}));
    EXPECT_EQ(image->m_nRenderWidth, 100);
    EXPECT_EQ(image->m_nRenderHeight, 200);
    EXPECT_EQ(image->m_nWidth, 100);
    EXPECT_EQ(image->m_nHeight, 200);
    EXPECT_EQ(image->m_state[1].GetWidth(), 100); // the mouse-over look turned too
    EXPECT_EQ(image->m_state[1].GetHeight(), 200);
    EXPECT_EQ(image->m_nUploadState, 0);
    EXPECT_EQ(c.doc.m_undo.GetCount(), before.undo); // undone by the inverse turn
    EXPECT_EQ(c.hints.size(), before.hints + 1);
    EXPECT_TRUE(c.doc.IsModified());

    for (int i = 0; i < 3; ++i)
        c.Run(ID_IMAGE_ROTATE_CW);
    EXPECT_EQ(Pixels(ImageAt(c, 0)->m_picture), Pixels(Six()));
    EXPECT_EQ(BlobBytes(ImageAt(c, 0)->m_blob), BlobBytes(original));

    c.Run(ID_IMAGE_FLIP_HORIZONTAL);
    EXPECT_EQ(Pixels(ImageAt(c, 0)->m_picture), (PixelList{B, G, R, Y, M, C}));
    EXPECT_EQ(ImageAt(c, 0)->m_nWidth, 200);
    c.Run(ID_IMAGE_FLIP_HORIZONTAL);
    c.Run(ID_IMAGE_ROTATE_180);
    EXPECT_EQ(Pixels(ImageAt(c, 0)->m_picture), (PixelList{Y, M, C, B, G, R}));
    c.Run(ID_IMAGE_FLIP_VERTICAL);
    EXPECT_EQ(Pixels(ImageAt(c, 0)->m_picture), (PixelList{B, G, R, Y, M, C}));
    c.Run(ID_IMAGE_ROTATE_CCW);
    EXPECT_EQ(Pixels(ImageAt(c, 0)->m_picture), (PixelList{R, C, G, M, B, Y}));
}

TEST(ImageCommands, TurnsActOnTheShownTexture)
{
    FormatCanvas c;
    auto owned = std::make_unique<CPicture>();
    CPicture* texture = owned.get();
    texture->m_picture = Six();
    texture->m_nFormat = CPicture::FormatPng;
    texture->Render();
    ASSERT_TRUE(StorePictureBytes(*texture));
    texture->m_nUploadState = 2;
    c.doc.m_textures.push_back(std::move(owned));
    c.view().ShowPicture(texture);
    c.Run(ID_IMAGE_ROTATE_CCW);
    EXPECT_EQ(Pixels(texture->m_picture), (PixelList{B, Y, G, M, R, C}));
    EXPECT_EQ(texture->m_rendering.GetWidth(), 2);
    EXPECT_EQ(Pixels(Decoded(texture->m_blob, CPicture::FormatPng)), (PixelList{B, Y, G, M, R, C}));
    EXPECT_EQ(texture->m_nUploadState, 0);
    EXPECT_TRUE(c.doc.IsModified());
}

// ---------------------------------------------------------------- Invert

TEST(ImageCommands, InvertChangesEverySelectedItemAndOneUndoRestoresThem)
{
    FormatCanvas c;
    CImageItem* image = AddPicture(c, 10, 10, MakeDib(1, 1, [](int, int) { return 0x80FF0000u; }));
    auto* shape = static_cast<CShapeItem*>(c.Add(ITEM_SHAPE, 200, 10, 80, 40));
    shape->m_nRenderWidth = 80;
    shape->m_nRenderHeight = 40;
    shape->m_crSecond = 0x0000FF;
    shape->m_crOverShift = 0xFF808080;
    c.Settle();
    image->m_bSelected = shape->m_bSelected = 1;
    const std::vector<BYTE> bytes = c.Bytes();
    const auto before = c.Count();
    c.Run(ID_IMAGE_INVERT);
    c.ExpectOneUndoStep(before, "Invert");
    EXPECT_EQ(ImageAt(c, 0)->m_picture.GetPixelChecked(0, 0), 0x8000FFFFu);
    EXPECT_EQ(Decoded(ImageAt(c, 0)->m_blob, CPicture::FormatPng).GetPixelChecked(0, 0), 0x8000FFFFu);
    auto* inverted = static_cast<CShapeItem*>(Child(c, 1));
    EXPECT_EQ(inverted->m_crSecond, 0xFFFF00u);
    EXPECT_EQ(inverted->m_crOverShift, 0xFF7F7F7Fu); // still unset
    c.view().OnEditUndo();
    EXPECT_EQ(c.Bytes(), bytes);
}

// ---------------------------------------------------------------- Convert to Bitmap and Merge

TEST(ImageCommands, ConvertToBitmapReplacesDrawnItemsInPlace)
{
    FormatCanvas c;
    CItem* flowing = c.Add(ITEM_SHAPE, 0, 0, 60, 30, false);
    c.Add(ITEM_PARAGRAPH, 0, 0, 100, 20, false);
    CItem* placed = c.Add(ITEM_IMAGE_BUTTON, 300, 200, 90, 30);
    CItem* other = c.Add(ITEM_SHAPE, 400, 300, 40, 40);
    for (CItem* i : {flowing, placed, other}) {
        static_cast<CImageItemBase*>(i)->m_nRenderWidth = i->m_nWidth;
        static_cast<CImageItemBase*>(i)->m_nRenderHeight = i->m_nHeight;
    }
    c.Settle();
    const CDib look = static_cast<CImageItemBase*>(placed)->StateBitmap(0);
    ASSERT_TRUE(look.IsValid());
    flowing->m_bSelected = placed->m_bSelected = 1;
    const auto before = c.Count();
    c.Run(ID_IMAGE_CONVERT_TO_BITMAP);
    c.ExpectOneUndoStep(before, "Convert to Bitmap");
    ASSERT_EQ(c.page->GetChildren().size(), 4u);
    // the flowing shape keeps its place in the flow; the placed button goes on top
    EXPECT_EQ(Child(c, 0)->m_nType, ITEM_IMAGE);
    EXPECT_EQ(Child(c, 0)->m_bPositioned, 0);
    EXPECT_EQ(Child(c, 1)->m_nType, ITEM_PARAGRAPH);
    EXPECT_EQ(Child(c, 2)->m_nType, ITEM_SHAPE);
    CImageItem* converted = ImageAt(c, 3);
    ASSERT_TRUE(converted);
    EXPECT_EQ(converted->m_nX, 300);
    EXPECT_EQ(converted->m_nY, 200);
    EXPECT_EQ(converted->m_bSelected, 1);
    EXPECT_EQ(Pixels(converted->m_picture), Pixels(look));
    EXPECT_EQ(Pixels(Decoded(converted->m_blob, CPicture::FormatPng)), Pixels(look));
    c.view().OnEditUndo();
    std::vector<int> types;
    for (const auto& child : c.page->GetChildren())
        types.push_back(child->m_nType);
    EXPECT_EQ(types, (std::vector<int>{ITEM_SHAPE, ITEM_PARAGRAPH, ITEM_IMAGE_BUTTON, ITEM_SHAPE}));
}

TEST(ImageCommands, MergeLaysLaterItemsOnTopAndLeavesTheRestClear)
{
    FormatCanvas c;
    CImageItem* red = AddPicture(c, 10, 20, MakeDib(100, 100, [](int, int) { return 0x00FF0000u; }));
    CImageItem* blue = AddPicture(c, 60, 70, MakeDib(100, 100, [](int, int) { return 0x000000FFu; }));
    red->m_bSelected = blue->m_bSelected = 1;
    const auto before = c.Count();
    c.Run(ID_IMAGE_MERGE);
    c.ExpectOneUndoStep(before, "Merge");
    ASSERT_EQ(c.page->GetChildren().size(), 1u);
    CImageItem* merged = ImageAt(c, 0);
    ASSERT_TRUE(merged);
    EXPECT_EQ(merged->m_nX, 10);
    EXPECT_EQ(merged->m_nY, 20);
    EXPECT_EQ(merged->m_bPositioned, 1);
    EXPECT_EQ(merged->m_picture.GetWidth(), 150);
    EXPECT_EQ(merged->m_picture.GetHeight(), 150);
    const CDib stored = Decoded(merged->m_blob, CPicture::FormatPng);
    EXPECT_EQ(stored.GetPixelChecked(20, 20), 0x00FF0000u);
    EXPECT_EQ(stored.GetPixelChecked(75, 75), 0x000000FFu); // the later one on top
    EXPECT_EQ(stored.GetPixelChecked(140, 5) >> 24, 0xFFu);  // nothing covers it
    EXPECT_EQ(stored.GetPixelChecked(5, 140) >> 24, 0xFFu);

    // as a browser gets it: the PNG's alpha is 0 where nothing covers
    QStringList lines = PillowReads(merged->m_blob, {{20, 20}, {75, 75}, {140, 5}});
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines.takeFirst(), QStringLiteral("PNG"));
    EXPECT_EQ(lines[0], QStringLiteral("255 0 0 255"));
    EXPECT_EQ(lines[1], QStringLiteral("0 0 255 255"));
    EXPECT_EQ(lines[2].split(' ').last(), QStringLiteral("0"));
}

TEST(ImageCommands, MergeRefusesBeforeDeletingWhenThePictureCannotBeMade)
{
    FormatCanvas c;
    AddPicture(c, 0, 0, Six())->m_bSelected = 1;
    AddPicture(c, 16000, 0, Six())->m_bSelected = 1;
    Answers answers(IDOK);
    const std::vector<BYTE> bytes = c.Bytes();
    c.Run(ID_IMAGE_MERGE);
    EXPECT_EQ(answers.texts.size(), 1u);
    c.ExpectUnchanged(bytes);
    EXPECT_EQ(c.page->GetChildren().size(), 2u);
}

// ---------------------------------------------------------------- Clone Image

TEST(ImageCommands, CloneLandsBesideTheSourceAndFollowsTheMouse)
{
    FormatCanvas c;
    CImageItem* source = AddPicture(c, 100, 50, Six(), 60, 40);
    source->m_bSelected = 1;
    const auto before = c.Count();
    c.Run(ID_IMAGE_CLONE);
    c.ExpectOneUndoStep(before, "Clone Image");
    ASSERT_EQ(c.page->GetChildren().size(), 2u);
    auto* clone = dynamic_cast<CImageCloneItem*>(Child(c, 1));
    ASSERT_TRUE(clone);
    EXPECT_EQ(clone->m_nX, 110);
    EXPECT_EQ(clone->m_nY, 60);
    EXPECT_EQ(clone->m_nSourceId, Child(c, 0)->m_nSerial);
    EXPECT_EQ(clone->m_bSelected, 1);
    EXPECT_EQ(c.view().m_drag.mode, 8); // placing: it follows the mouse
    c.Hover(300, 300);
    c.Press(300, 300);
    c.Release(300, 300);
    EXPECT_EQ(c.view().m_drag.mode, 0);
    EXPECT_NE(clone->m_nX, 110);
}

// ---------------------------------------------------------------- Change Image and Paste Into

// Four vertical bands, one colour each, across the width.
CDib Bands(int w, int h, bool across)
{
    static const std::uint32_t k[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFF00};
    return MakeDib(w, h, [=](int x, int y) { return k[across ? x * 4 / w : y * 4 / h]; });
}

struct PickFile {
    CFileChooser::DialogHook previous;
    explicit PickFile(const QString& path)
    {
        previous = CFileChooser::SetDialogHook([path](CFileChooser& chooser, bool) {
            if (path.isEmpty())
                return false;
            chooser.SetSelection(CString(), {CString::FromQString(path)});
            return true;
        });
    }
    ~PickFile() { CFileChooser::SetDialogHook(previous); }
};

QString WritePng(const QTemporaryDir& dir, const char* name, const CDib& picture)
{
    const QString path = dir.filePath(QString::fromUtf8(name));
    PackedBitmapPtr packed = picture.CopyToGlobal();
    EXPECT_TRUE(packed && SavePNG(path.toUtf8().constData(), *packed));
    return path;
}

TEST(ImageCommands, ChangeImageCoversTheOldBoxCentred)
{
    QTemporaryDir dir;
    const QString wide = WritePng(dir, "wide.png", Bands(400, 200, true));
    FormatCanvas c;
    CImageItem* image = AddPicture(c, 40, 30, Six(), 100, 100);
    image->m_bSelected = 1;
    const auto before = c.Count();
    {
        PickFile pick(wide);
        c.Run(ID_IMAGE_CHANGE);
    }
    c.ExpectOneUndoStep(before, "Replace Image");
    image = ImageAt(c, 0);
    EXPECT_EQ(image->m_picture.GetWidth(), 100);
    EXPECT_EQ(image->m_picture.GetHeight(), 100);
    // scaled to 200 x 100, columns 50 to 149 kept: the second and third bands
    EXPECT_EQ(image->m_picture.GetPixelChecked(10, 50), 0x0000FF00u);
    EXPECT_EQ(image->m_picture.GetPixelChecked(90, 50), 0x000000FFu);
    EXPECT_EQ(Decoded(image->m_blob, CPicture::FormatPng).GetPixelChecked(90, 50), 0x000000FFu);
    EXPECT_EQ(image->m_nX, 40);
    EXPECT_EQ(image->m_nY, 30);
    EXPECT_EQ(image->m_nWidth, 100);
    EXPECT_EQ(image->m_nHeight, 100);
}

TEST(ImageCommands, ChangeImageThatChangesNothing)
{
    QTemporaryDir dir;
    const QString broken = dir.filePath("broken.png");
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\x89PNG not really");
    f.close();
    for (const QString& path : {QString(), broken}) {
        FormatCanvas c;
        AddPicture(c, 40, 30, Six(), 100, 100)->m_bSelected = 1;
        const std::vector<BYTE> bytes = c.Bytes();
        Answers answers(IDOK);
        PickFile pick(path);
        c.Run(ID_IMAGE_CHANGE);
        c.ExpectUnchanged(bytes);
        EXPECT_EQ(answers.texts.size(), path.isEmpty() ? 0u : 1u) << path.toStdString();
    }
}

TEST(ImageCommands, ChangeImageWithoutAShownSizeUsesTheOldPicture)
{
    QTemporaryDir dir;
    const QString tall = WritePng(dir, "tall.png", Bands(20, 40, false));
    FormatCanvas c;
    CImageItem* image = AddPicture(c, 0, 0, MakeDib(10, 10, [](int, int) { return 0u; }));
    image->m_nRenderWidth = image->m_nRenderHeight = 0; // as Convert to Bitmap leaves it
    image->m_bSelected = 1;
    PickFile pick(tall);
    c.Run(ID_IMAGE_CHANGE);
    EXPECT_EQ(ImageAt(c, 0)->m_picture.GetWidth(), 10);
    EXPECT_EQ(ImageAt(c, 0)->m_picture.GetHeight(), 10);
}

TEST(ImageCommands, PasteIntoCoversTheBoxCentred)
{
    FormatCanvas c;
    CImageItem* image = AddPicture(c, 40, 30, MakeDib(100, 100, [](int, int) { return 0u; }));
    image->m_bSelected = 1;
    QGuiApplication::clipboard()->setImage(DibToQImage(Bands(50, 100, false)));
    const auto before = c.Count();
    c.Run(ID_EDIT_PASTE_INTO);
    c.ExpectOneUndoStep(before, "Paste Into");
    image = ImageAt(c, 0);
    EXPECT_EQ(image->m_picture.GetWidth(), 100);
    EXPECT_EQ(image->m_picture.GetHeight(), 100);
    // scaled to 100 x 200 and placed at y -50: the middle two bands fill the box
    EXPECT_EQ(image->m_picture.GetPixelChecked(50, 10), 0x0000FF00u);
    EXPECT_EQ(image->m_picture.GetPixelChecked(50, 90), 0x000000FFu);
    EXPECT_EQ(Decoded(image->m_blob, CPicture::FormatPng).GetPixelChecked(50, 90), 0x000000FFu);
    EXPECT_EQ(image->m_nWidth, 100);
}

TEST(ImageCommands, PasteIntoWithoutAShownSizeUsesTheOldPicture)
{
    FormatCanvas c;
    CImageItem* image = AddPicture(c, 0, 0, MakeDib(40, 20, [](int, int) { return 0u; }));
    image->m_nRenderWidth = image->m_nRenderHeight = 0; // as Convert to Bitmap leaves it
    image->m_bSelected = 1;
    QGuiApplication::clipboard()->setImage(DibToQImage(Bands(20, 20, false)));
    c.Run(ID_EDIT_PASTE_INTO);
    image = ImageAt(c, 0);
    EXPECT_EQ(image->m_picture.GetWidth(), 40);
    EXPECT_EQ(image->m_picture.GetHeight(), 20);
    // scaled to 40 x 40 at y -10: the second and third bands
    EXPECT_EQ(image->m_picture.GetPixelChecked(20, 2), 0x0000FF00u);
    EXPECT_EQ(image->m_picture.GetPixelChecked(20, 17), 0x000000FFu);
}

TEST(ImageCommands, PasteIntoWithoutAPictureSaysSo)
{
    FormatCanvas c;
    AddPicture(c, 40, 30, Six())->m_bSelected = 1;
    QGuiApplication::clipboard()->setText(QStringLiteral("no picture"));
    const std::vector<BYTE> bytes = c.Bytes();
    Answers answers(IDOK);
    c.view().OnEditPasteInto();
    EXPECT_EQ(answers.texts.size(), 1u);
    c.ExpectUnchanged(bytes);
}

// ---------------------------------------------------------------- Crop

TEST(ImageCommands, CropAnchorTable)
{
    struct Case {
        int W, H, w, h, anchor;
        CRect expected;
    } cases[] = {
        {200, 100, 100, 50, 0, CRect(50, 25, 150, 75)},  {200, 100, 100, 50, 1, CRect(0, 25, 100, 75)},
        {200, 100, 100, 50, 2, CRect(100, 25, 200, 75)}, {200, 100, 100, 50, 3, CRect(50, 0, 150, 50)},
        {200, 100, 100, 50, 4, CRect(50, 50, 150, 100)}, {200, 100, 100, 50, 5, CRect(0, 0, 100, 50)},
        {200, 100, 100, 50, 6, CRect(100, 0, 200, 50)},  {200, 100, 100, 50, 7, CRect(0, 50, 100, 100)},
        {200, 100, 100, 50, 8, CRect(100, 50, 200, 100)}, {105, 100, 100, 100, 0, CRect(2, 0, 102, 100)},
        {105, 7, 100, 4, 4, CRect(2, 3, 102, 7)},
    };
    for (const Case& k : cases)
        EXPECT_EQ(CropRectForAnchor(k.W, k.H, k.w, k.h, k.anchor), k.expected) << k.anchor << " " << k.W;
}

TEST(ImageCommands, CropKeepsTheRemainingPartInPlace)
{
    struct Case {
        int anchor;
        int dx, dy;
        std::uint32_t topLeft;
    } cases[] = {{0, 50, 25, 0x0000FF00}, {7, 0, 50, 0x00FF0000}};
    for (const Case& k : cases) {
        FormatCanvas c;
        CImageItem* image = AddPicture(c, 10, 20, Bands(200, 100, true));
        image->m_bSelected = 1;
        const auto before = c.Count();
        c.Answer<DCrop>([&](DCrop& d) {
            EXPECT_EQ(d.m_nMaxWidth, 200);
            EXPECT_EQ(d.m_nMaxHeight, 100);
            d.m_nWidth = 100;
            d.m_nHeight = 50;
            d.m_nAnchor = k.anchor;
            d.UpdateData(FALSE);
        }, true);
        c.Run(ID_IMAGE_CROP);
        c.ExpectOneUndoStep(before, "Crop");
        image = ImageAt(c, 0);
        EXPECT_EQ(image->m_picture.GetWidth(), 100) << k.anchor;
        EXPECT_EQ(image->m_picture.GetHeight(), 50) << k.anchor;
        EXPECT_EQ(image->m_nX, 10 + k.dx) << k.anchor;
        EXPECT_EQ(image->m_nY, 20 + k.dy) << k.anchor;
        EXPECT_EQ(image->m_picture.GetPixelChecked(1, 1), k.topLeft) << k.anchor;
        EXPECT_EQ(Decoded(image->m_blob, CPicture::FormatPng).GetPixelChecked(1, 1), k.topLeft) << k.anchor;
    }
}

TEST(ImageCommands, CropCancelledLeavesALargerSourceAlone)
{
    FormatCanvas c;
    CImageItem* image = AddPicture(c, 10, 20, Bands(400, 200, true), 200, 100);
    image->m_bSelected = 1;
    const std::vector<BYTE> bytes = c.Bytes();
    c.Answer<DCrop>([](DCrop& d) { EXPECT_EQ(d.m_nWidth, 200); }, false);
    c.Run(ID_IMAGE_CROP);
    c.ExpectUnchanged(bytes);
    EXPECT_EQ(ImageAt(c, 0)->m_picture.GetWidth(), 400);

    // OK scales to the shown size first
    c.Answer<DCrop>([](DCrop& d) { d.m_nWidth = 100; d.m_nHeight = 100; d.m_nAnchor = 5; d.UpdateData(FALSE); }, true);
    c.Run(ID_IMAGE_CROP);
    EXPECT_EQ(ImageAt(c, 0)->m_picture.GetWidth(), 100);
    EXPECT_EQ(ImageAt(c, 0)->m_picture.GetPixelChecked(80, 50), 0x0000FF00u); // band 2 of 200 px wide
}

// ---------------------------------------------------------------- Angle

TEST(ImageCommands, AngleTurnsEverySelectedItemAndOneUndoRestoresAll)
{
    FormatCanvas c;
    AddPicture(c, 10, 10, MakeDib(40, 20, [](int, int) { return 0x00FF0000u; }));
    c.Add(ITEM_SHAPE, 100, 10, 60, 30);
    c.Add(ITEM_IMAGE_BUTTON, 200, 10, 80, 30);
    for (int i = 1; i < 3; ++i) {
        auto* drawn = static_cast<CImageItemBase*>(Child(c, i));
        drawn->m_nRenderWidth = drawn->m_nWidth;
        drawn->m_nRenderHeight = drawn->m_nHeight;
    }
    c.Settle();
    for (int i = 0; i < 3; ++i)
        Child(c, i)->m_bSelected = 1;
    const std::vector<BYTE> bytes = c.Bytes();
    const int heightBefore = Child(c, 0)->m_nHeight;
    const auto before = c.Count();
    c.Answer<DAngle>([](DAngle& d) { d.m_dAngle = 30; d.UpdateData(FALSE); }, true);
    c.Run(ID_IMAGE_ANGLE);
    c.ExpectOneUndoStep(before, "Angle");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(static_cast<CImageItemBase*>(Child(c, i))->m_dRotation, 30.0) << i;
    EXPECT_GT(Child(c, 0)->m_nHeight, heightBefore); // the box grows to the turned picture
    c.view().OnEditUndo();
    EXPECT_EQ(c.Bytes(), bytes);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(static_cast<CImageItemBase*>(Child(c, i))->m_dRotation, 0.0) << i;
}

// ---------------------------------------------------------------- Over Color

TEST(ImageCommands, OverColorOnASymbolGivesItALinkAndAValidPage)
{
    FormatCanvas c;
    CItem* symbol = c.Add(ITEM_SYMBOL, 10, 10, 60, 60);
    CItem* linked = c.Add(ITEM_SYMBOL, 100, 10, 60, 60);
    linked->m_link.m_nKind = kLinkPage;
    c.Settle();
    symbol->m_bSelected = linked->m_bSelected = 1;
    const auto before = c.Count();
    c.Answer<DChooseColor>([](DChooseColor& d) { d.SetColor(0x00A0B0C0); }, true);
    c.Run(ID_IMAGE_OVER_COLOR);
    c.ExpectOneUndoStep(before, "Over Color");
    auto* first = static_cast<CImageItemBase*>(Child(c, 0));
    EXPECT_EQ(first->m_crOverShift, 0x00A0B0C0u);
    EXPECT_EQ(first->m_link.m_nKind, int(kLinkAddress));
    EXPECT_EQ(Child(c, 1)->m_link.m_nKind, int(kLinkPage)); // an existing link stays
    EXPECT_TRUE(first->HasRollover());
    const CString html = c.PageHtmlNow();
    EXPECT_TRUE(html.Find("_over.png") >= 0) << html.GetString();
    EXPECT_EQ(testsupport::TidyErrors(QByteArray(html.GetString())), QByteArray());
}

TEST(ImageCommands, OverColorOfImagesTakesTheDialogValues)
{
    FormatCanvas c;
    AddPicture(c, 10, 10, MakeDib(4, 4, [](int, int) { return 0x00808080u; }))->m_bSelected = 1;
    AddPicture(c, 100, 10, MakeDib(4, 4, [](int, int) { return 0x00808080u; }))->m_bSelected = 1;
    const std::vector<BYTE> bytes = c.Bytes();
    c.Answer<DImageOverColor>([](DImageOverColor&) {}, false);
    c.Run(ID_IMAGE_OVER_COLOR);
    c.ExpectUnchanged(bytes);

    c.Answer<DImageOverColor>([](DImageOverColor& d) { d.m_nBrightness = 50; d.m_nHue = 20; d.UpdateData(FALSE); }, true);
    c.Run(ID_IMAGE_OVER_COLOR);
    for (int i = 0; i < 2; ++i) {
        CImageItem* image = ImageAt(c, i);
        EXPECT_EQ(image->m_nBrightnessShift, 50) << i;
        EXPECT_EQ(image->m_nHueShift, 20) << i;
        EXPECT_NE(image->m_state[1].GetPixelChecked(1, 1), image->m_state[0].GetPixelChecked(1, 1)) << i;
        EXPECT_EQ(image->m_nUploadState, 0) << i;
    }
    EXPECT_EQ(c.doc.m_undo.GetCount(), 1u);
}

} // namespace

namespace {

// ---------------------------------------------------------------- more crop, change and over colour

void CropMouse(QWidget* w, QEvent::Type type, QPoint p)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// The crop editor answered by dragging out the area from (l, t) to (r, b) and clicking in it.
int SelectArea(CDialog& d, int l, int t, int r, int b)
{
    auto* canvas = static_cast<DImageCrop&>(d).m_pCanvas;
    canvas->resize(500, 400);
    CropMouse(canvas, QEvent::MouseButtonPress, canvas->ToClient({l, t}));
    CropMouse(canvas, QEvent::MouseButtonRelease, canvas->ToClient({r, b}));
    CropMouse(canvas, QEvent::MouseButtonPress, canvas->ToClient({(l + r) / 2, (t + b) / 2}));
    return d.IsEnded() ? d.GetResult() : IDCANCEL;
}

TEST(ImageCommands, SelectAreaCropsToTheDraggedRectangle)
{
    FormatCanvas c;
    CImageItem* image = AddPicture(c, 10, 20, Bands(200, 100, true));
    image->m_bSelected = 1;
    std::vector<std::string> opened;
    CDialog::SetModalHook([&](CDialog& d) -> int {
        if (dynamic_cast<DCrop*>(&d)) {
            opened.push_back("crop");
            d.EndDialog(IDR_CROP_SELECT_AREA);
            return d.GetResult();
        }
        if (dynamic_cast<DImageCrop*>(&d)) {
            opened.push_back("area");
            EXPECT_EQ(static_cast<DImageCrop&>(d).m_pPicture->GetWidth(), 200);
            return SelectArea(d, 60, 10, 160, 60);
        }
        return IDCANCEL;
    });
    const auto before = c.Count();
    c.Run(ID_IMAGE_CROP);
    EXPECT_EQ(opened, (std::vector<std::string>{"crop", "area"}));
    c.ExpectOneUndoStep(before, "Crop");
    image = ImageAt(c, 0);
    EXPECT_EQ(image->m_picture.GetWidth(), 100);
    EXPECT_EQ(image->m_picture.GetHeight(), 50);
    EXPECT_EQ(image->m_nX, 70);
    EXPECT_EQ(image->m_nY, 30);
    EXPECT_EQ(image->m_picture.GetPixelChecked(5, 5), 0x0000FF00u);  // column 65: band 1
    EXPECT_EQ(image->m_picture.GetPixelChecked(95, 5), 0x00FFFF00u); // column 155: band 3
}

TEST(ImageCommands, CropAndChangeOfTheShownTexture)
{
    QTemporaryDir dir;
    const QString small = WritePng(dir, "small.png", Bands(8, 4, true));
    FormatCanvas c;
    auto owned = std::make_unique<CPicture>();
    CPicture* texture = owned.get();
    texture->m_picture = Bands(200, 100, true);
    texture->m_nWidth = 200;
    texture->m_nHeight = 100;
    texture->m_nFormat = CPicture::FormatPng;
    texture->Render();
    ASSERT_TRUE(StorePictureBytes(*texture));
    c.doc.m_textures.push_back(std::move(owned));
    c.view().ShowPicture(texture);
    c.SetUploaded();
    texture->m_nUploadState = 2;

    CDialog::SetModalHook([](CDialog& d) { return dynamic_cast<DImageCrop*>(&d) ? SelectArea(d, 0, 0, 100, 40) : IDCANCEL; });
    c.Run(ID_IMAGE_CROP);
    EXPECT_EQ(texture->m_picture.GetWidth(), 100);
    EXPECT_EQ(texture->m_picture.GetHeight(), 40);
    EXPECT_EQ(Decoded(texture->m_blob, CPicture::FormatPng).GetWidth(), 100);
    EXPECT_EQ(texture->m_nUploadState, 0);
    EXPECT_TRUE(c.doc.IsModified());
    EXPECT_EQ(c.doc.m_undo.GetCount(), 0u);

    c.SetUploaded();
    {
        PickFile pick(small);
        c.Run(ID_IMAGE_CHANGE);
    }
    EXPECT_EQ(texture->m_picture.GetWidth(), 8);
    EXPECT_EQ(texture->m_picture.GetPixelChecked(7, 0), 0x00FFFF00u);
    EXPECT_EQ(texture->m_nUploadState, 0);
    EXPECT_TRUE(c.doc.IsModified());
}

TEST(ImageCommands, OverColorOfImageButtonsTakesTheDialogValues)
{
    FormatCanvas c;
    for (int i = 0; i < 2; ++i) {
        auto* button = static_cast<CImageButtonItem*>(c.Add(ITEM_IMAGE_BUTTON, 10 + 120 * i, 10, 90, 30));
        button->m_nRenderWidth = 90;
        button->m_nRenderHeight = 30;
        button->m_strText.FromUtf8("Go");
    }
    c.Settle();
    Child(c, 0)->m_bSelected = Child(c, 1)->m_bSelected = 1;
    const auto before = c.Count();
    c.Answer<DShapeOverColor>([](DShapeOverColor& d) {
        d.m_crFill = 0x0000FF;
        d.m_nBorder = 3;
        d.UpdateData(FALSE);
    }, true);
    c.Run(ID_IMAGE_OVER_COLOR);
    c.ExpectOneUndoStep(before, "Over Color");
    for (int i = 0; i < 2; ++i) {
        auto* button = static_cast<CImageButtonItem*>(Child(c, i));
        EXPECT_EQ(button->m_crHoverFace, 0x0000FFu) << i;
        EXPECT_EQ(button->m_nHoverBorderWidthPlus1, 3) << i;
        EXPECT_EQ(button->m_nUploadState, 0) << i;
    }
}

// Every dialog of the menu cancelled: the project's bytes and its undo list stay.
TEST(ImageCommands, EveryDialogCancelledLeavesTheProject)
{
    struct Case {
        const char* name;
        int type;
        UINT command;
    } cases[] = {
        {"angle", ITEM_IMAGE, ID_IMAGE_ANGLE},         {"crop", ITEM_IMAGE, ID_IMAGE_CROP},
        {"over image", ITEM_IMAGE, ID_IMAGE_OVER_COLOR}, {"over shape", ITEM_SHAPE, ID_IMAGE_OVER_COLOR},
        {"over button", ITEM_IMAGE_BUTTON, ID_IMAGE_OVER_COLOR}, {"shadow shape", ITEM_SHAPE, ID_IMAGE_SHADOW},
        {"fadeout button", ITEM_IMAGE_BUTTON, ID_IMAGE_FADEOUT}, {"change", ITEM_IMAGE, ID_IMAGE_CHANGE},
        {"hue", ITEM_IMAGE, ID_IMAGE_HUE},
    };
    for (const Case& k : cases) {
        FormatCanvas c;
        CItem* item = k.type == ITEM_IMAGE ? AddPicture(c, 10, 10, Bands(40, 20, true)) : c.Add(k.type, 10, 10, 80, 30);
        if (auto* drawn = dynamic_cast<CImageItemBase*>(item); drawn && k.type != ITEM_IMAGE) {
            drawn->m_nRenderWidth = 80;
            drawn->m_nRenderHeight = 30;
        }
        c.Settle();
        item->m_bSelected = 1;
        const std::vector<BYTE> bytes = c.Bytes();
        int dialogs = 0;
        c.Answer<CDialog>([&](CDialog&) { ++dialogs; }, false);
        PickFile none{QString()};
        c.Run(k.command);
        EXPECT_EQ(dialogs, k.command == ID_IMAGE_CHANGE ? 0 : 1) << k.name;
        c.ExpectUnchanged(bytes);
    }
}

} // namespace

namespace {

// A soft picture of colours, so that an adjustment shows.
CDib Landscape(int w, int h)
{
    return MakeDib(w, h, [=](int x, int y) {
        const int r = 40 + 180 * x / w, g = 200 - 120 * y / h, b = 60 + 120 * (x + y) / (w + h);
        return std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b);
    });
}

void SaveShot(const QImage& image, const char* name)
{
    const QByteArray dir = qgetenv("TESSEL_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(QString::fromLocal8Bit(dir));
    image.save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QString::fromUtf8(name) + QStringLiteral(".png"));
}

TEST(ImageCommands, TheCanvasShowsEachPreviewWhileTheDialogIsOpen)
{
    FormatCanvas c;
    CImageItem* image = AddPicture(c, 60, 40, Landscape(240, 160));
    image->m_bSelected = 1;
    const QRgb before = ViewFixture::At(c.view().RenderClient(), c.view(), 100, 80);
    QRgb during = 0;
    c.Answer<DHue>([&](DHue& d) {
        Slide(d, 1046, 120);
        const QImage canvas = c.view().RenderClient();
        during = ViewFixture::At(canvas, c.view(), 100, 80);
        // the dialog over the live canvas, at its place in the window's bottom right
        QImage shot = canvas.copy();
        d.adjustSize();
        d.show();
        QApplication::processEvents();
        const QImage dialog = d.grab().toImage();
        d.hide();
        QPainter painter(&shot);
        painter.drawImage(shot.width() - dialog.width() - 30, shot.height() - dialog.height() - 60, dialog);
        painter.end();
        SaveShot(shot, "hue-dialog-over-canvas");
    }, true);
    c.Run(ID_IMAGE_HUE);
    const QRgb after = ViewFixture::At(c.view().RenderClient(), c.view(), 100, 80);
    // the hue turned by a third: the green-dominant spot becomes red-dominant
    EXPECT_GT(qGreen(before), qRed(before)) << std::hex << before;
    EXPECT_GT(qRed(during), qGreen(during)) << std::hex << during;
    EXPECT_EQ(after, during);

    // then turned and cropped to its middle
    ImageAt(c, 0)->m_bSelected = 1;
    c.Run(ID_IMAGE_ROTATE_CW);
    c.Answer<DCrop>([](DCrop& d) { d.m_nWidth = 120; d.m_nHeight = 160; d.m_nAnchor = 0; d.UpdateData(FALSE); }, true);
    c.Run(ID_IMAGE_CROP);
    image = ImageAt(c, 0);
    EXPECT_EQ(image->m_nWidth, 120);
    EXPECT_EQ(image->m_nHeight, 160);
    EXPECT_EQ(image->m_nX, 60 + 20);
    EXPECT_EQ(image->m_nY, 40 + 40);
    SaveShot(c.view().RenderClient(), "turned-and-cropped");
}

} // namespace
