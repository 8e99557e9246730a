// The background editor, its texture operations and the dialogs it opens (pattern
// texture, paste, crop), both ways, with the project compared byte for byte after Cancel.
#include "DialogTestSupport.h"
#include "document/DocTestSupport.h"
#include "document/GenerateTestSupport.h"
#include "support/ExternalTools.h"

#include "controls/ColorControl.h"
#include "controls/FileChooser.h"
#include "dialogs/Background.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/ImageCrop.h"
#include "dialogs/PageSetup.h"
#include "dialogs/PasteImage.h"
#include "dialogs/SizeDialogs.h"
#include "dialogs/SmallItemDialogs.h"
#include "dialogs/SmallPropertyDialogs.h"
#include "dialogs/Texture.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "framework/core/Colors.h"
#include "model/Clipboard.h"
#include "model/FillStyle.h"
#include "model/GroupItem.h"
#include "model/MasterItem.h"
#include "model/Page.h"
#include "model/Picture.h"

#include <gtest/gtest.h>
#include <QtCore/QMimeData>
#include <QtCore/QTemporaryDir>
#include <QtCore/QUrl>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

#include <array>
#include <functional>
#include <memory>

using namespace dialogtest;
using doctest::SaveToBytes;

namespace {

void Choose(CDialog& d, int id, int index)
{
    auto* combo = qobject_cast<QComboBox*>(d.GetDlgItem(id));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}
int Index(CDialog& d, int id) { return qobject_cast<QComboBox*>(d.GetDlgItem(id))->currentIndex(); }
void Click(CDialog& d, int id) { qobject_cast<QAbstractButton*>(d.GetDlgItem(id))->click(); }
bool Enabled(CDialog& d, int id) { return d.GetDlgItem(id)->isEnabled(); }
COLORREF ButtonColor(CDialog& d, int id) { return static_cast<CColorButton*>(d.GetDlgItem(id))->GetColor(); }

// A picture of w x h whose pixels come from colour(x, y) (0xTTRRGGBB).
std::unique_ptr<CPicture> MakeTexture(const char* name, int w, int h, const std::function<std::uint32_t(int, int)>& colour)
{
    auto p = std::make_unique<CPicture>();
    p->m_strName = name;
    p->m_picture.Create(w, h);
    p->m_picture.BeginPixels();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p->m_picture.SetPixel(x, y, colour(x, y));
    p->m_picture.EndPixels();
    p->m_rendering = p->m_picture;
    p->m_nWidth = w;
    p->m_nHeight = h;
    p->m_nFormat = CPicture::FormatPng;
    StorePictureBytes(*p);
    p->Render();
    return p;
}

std::uint32_t Checker(int x, int y) { return ((x / 4 + y / 4) % 2) ? 0x00FF0000u : 0x000000FFu; }

// A saved project with two textures; the first is shown by an item's fill and by the
// default page background, the item being the edited one's neighbour.
struct Project {
    CKJDoc doc;
    CPage* page = nullptr;
    CGroupItem* box = nullptr;
    CPicture* shared = nullptr;
    CPicture* lone = nullptr;
    CFillStyle fill; // the fill being edited (an item's, say)
    Project()
    {
        doc.OnNewDocument();
        page = doc.m_pages.front().get();
        doc.m_textures.push_back(MakeTexture("Shared", 16, 12, Checker));
        doc.m_textures.push_back(MakeTexture("Lone", 8, 8, [](int, int) { return 0x0000FF00u; }));
        shared = doc.m_textures[0].get();
        lone = doc.m_textures[1].get();
        box = new CGroupItem();
        box->m_nType = 2;
        box->m_pFill = std::make_unique<CFillStyle>();
        box->m_pFill->m_nKind = CFillStyle::KindPicture;
        box->m_pFill->m_pPicture = shared;
        box->m_pFill->m_nPictureId = shared->m_nPictureId;
        page->AddChild(box);
        fill.m_crColor = 0x00336699;
    }
    void Open(DBackground& d)
    {
        d.m_pFill = &fill;
        d.m_pDoc = &doc;
    }
};




// A picture file chosen in the file dialog.
struct ChosenFile {
    CFileChooser::DialogHook previous;
    explicit ChosenFile(const QString& path)
    {
        previous = CFileChooser::SetDialogHook([path](CFileChooser& c, bool) {
            c.SetSelection(CString(), {CString::FromQString(path)});
            return true;
        });
    }
    ~ChosenFile() { CFileChooser::SetDialogHook(previous); }
};

QString WritePng(const QTemporaryDir& dir, const char* name, int w, int h, const std::function<QRgb(int, int)>& colour)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, colour(x, y));
    const QString path = dir.filePath(QString::fromUtf8(name));
    image.save(path, "PNG");
    return path;
}

} // namespace

// ---------------------------------------------------------------- both ways per kind

TEST(Background, EachKindComesInAndGoesBackAtOk)
{
    const int radios[] = {1043, 1069, 1077, 1078};
    for (int kind = 0; kind < 4; ++kind) {
        SCOPED_TRACE(kind);
        Project p;
        p.fill.m_nKind = kind;
        p.fill.m_nDirection = 4;
        p.fill.m_nEndMode = 1;
        p.fill.m_nLength = 250;
        p.fill.m_nPosition = 9;
        p.fill.m_nRepeat = 2;
        p.fill.m_nX = 12;
        p.fill.m_nY = -7;
        p.fill.m_nTransparency = 3;
        p.fill.m_strAddress = "http://example.com/a.png";
        p.fill.m_pPicture = p.lone;
        p.fill.m_nPictureId = p.lone->m_nPictureId;
        DBackground dlg;
        p.Open(dlg);
        const int result = RunDialog(dlg, [&](CDialog& d) {
            for (int k = 0; k < 4; ++k)
                EXPECT_EQ(d.IsDlgButtonChecked(radios[k]), k == kind ? 1 : 0);
            EXPECT_EQ(Index(d, 1018), 4);
            EXPECT_EQ(Index(d, 1020), 1);
            EXPECT_EQ(d.GetDlgItemText(1000), CString("250"));
            EXPECT_EQ(Index(d, 1066), 9);
            EXPECT_EQ(Index(d, 1088), 2);
            EXPECT_EQ(d.GetDlgItemText(1002), CString("12"));
            EXPECT_EQ(d.GetDlgItemText(1004), CString("-7"));
            EXPECT_EQ(Index(d, 1040), 3);
            EXPECT_EQ(d.GetDlgItemText(1003), CString("http://example.com/a.png"));
            EXPECT_EQ(static_cast<DBackground&>(d).GetSelectedTexture(), p.lone);
            // the next kind, with new values where it has fields
            const int next = (kind + 1) % 4;
            qobject_cast<QAbstractButton*>(d.GetDlgItem(radios[next]))->click();
            if (next == 1)
                Type(d.GetDlgItem(1000), "40");
            if (next == 3)
                Type(d.GetDlgItem(1003), "http://example.com/b.png");
            Choose(d, 1088, 3);
            PressOk(d);
        });
        ASSERT_EQ(result, IDOK);
        const int next = (kind + 1) % 4;
        EXPECT_EQ(p.fill.m_nKind, next);
        EXPECT_EQ(p.fill.m_nLength, next == 1 ? 40 : 250);
        EXPECT_EQ(p.fill.m_strAddress, CString(next == 3 ? "http://example.com/b.png" : "http://example.com/a.png"));
        EXPECT_EQ(p.fill.m_nRepeat, 3);
        EXPECT_EQ(p.fill.m_pPicture, p.lone);
        EXPECT_EQ(p.fill.m_nPictureId, p.lone->m_nPictureId);
    }
}

TEST(Background, CancelLeavesTheFillAsItWas)
{
    Project p;
    p.fill.m_nKind = 1;
    p.fill.m_nLength = 77;
    DBackground dlg;
    p.Open(dlg);
    const int result = RunDialog(dlg, [](CDialog& d) {
        Click(d, 1078);
        Type(d.GetDlgItem(1003), "http://example.com/x.png");
        PressCancel(d);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(p.fill.m_nKind, 1);
    EXPECT_EQ(p.fill.m_nLength, 77);
    EXPECT_TRUE(p.fill.m_strAddress.IsEmpty());
}

TEST(Background, EnabledControlsFollowTheKind)
{
    struct Case {
        int kind;
        bool gradient, opacity, external, list, position, textureButtons;
    };
    const Case cases[] = {
        {0, false, true, false, false, false, false},
        {1, true, true, false, false, false, false},
        {2, false, false, false, true, true, true},
        {3, false, false, true, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        Project p;
        p.fill.m_nKind = c.kind;
        p.fill.m_pPicture = p.lone;
        DBackground dlg;
        p.Open(dlg);
        RunDialog(dlg, [&](CDialog& d) {
            for (int id : {1018, 1020, 1000})
                EXPECT_EQ(Enabled(d, id), c.gradient) << id;
            EXPECT_EQ(d.GetDlgItem(1026)->isVisibleTo(&d), c.gradient);
            EXPECT_EQ(Enabled(d, 1040), c.opacity);
            EXPECT_EQ(Enabled(d, 1003), c.external);
            EXPECT_EQ(Enabled(d, 1037), c.external);
            EXPECT_EQ(Enabled(d, 1036), c.list);
            EXPECT_EQ(Enabled(d, 1066), c.position);
            EXPECT_EQ(Enabled(d, 1088), c.position);
            for (int id : {1025, 1030, 1035, 1039, 1041, 1031})
                EXPECT_EQ(Enabled(d, id), c.textureButtons) << id;
            // align is not "Custom": no offsets
            EXPECT_FALSE(Enabled(d, 1002));
            EXPECT_FALSE(Enabled(d, 1004));
            EXPECT_FALSE(d.GetDlgItem(1001)->isVisibleTo(&d));
        });
    }
}

TEST(Background, ToTransparencyClearsTheColourAndTakesTheOpacityAway)
{
    Project p;
    p.fill.m_nKind = 1;
    DBackground dlg;
    p.Open(dlg);
    RunDialog(dlg, [](CDialog& d) {
        EXPECT_TRUE(Enabled(d, 1040));
        EXPECT_FALSE(d.GetDlgItem(1045)->isVisibleTo(&d));
        Choose(d, 1020, 1);
        EXPECT_TRUE(d.GetDlgItem(1045)->isVisibleTo(&d));
        Choose(d, 1020, 2);
        EXPECT_EQ(ButtonColor(d, 1019), 0xFFFFFFFFu);
        EXPECT_FALSE(Enabled(d, 1040));
        EXPECT_FALSE(d.GetDlgItem(1045)->isVisibleTo(&d));
    });
}

TEST(Background, OffsetsOnlyForCustomAlignment)
{
    struct Case {
        int kind;
        bool texture;
        int align;
        bool offsets;
    };
    const Case cases[] = {{2, true, 8, false}, {2, true, 9, true}, {2, false, 9, false},
                          {3, false, 9, true},  {3, false, 0, false}, {1, true, 9, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " " << c.align);
        Project p;
        p.fill.m_nKind = c.kind;
        p.fill.m_pPicture = c.texture ? p.lone : nullptr;
        DBackground dlg;
        p.Open(dlg);
        RunDialog(dlg, [&](CDialog& d) {
            Choose(d, 1066, c.align);
            EXPECT_EQ(Enabled(d, 1002), c.offsets);
            EXPECT_EQ(Enabled(d, 1004), c.offsets);
        });
    }
}

TEST(Background, RangesAreCheckedOnlyOnEnabledFields)
{
    // a colour fill with out-of-range gradient and offset values that were never shown
    Project p;
    p.fill.m_nKind = 0;
    p.fill.m_nLength = 0;
    p.fill.m_nX = 5000;
    {
        MessageLog log;
        DBackground dlg;
        p.Open(dlg);
        EXPECT_EQ(RunDialog(dlg, PressOk), IDOK);
        EXPECT_TRUE(log.texts.empty());
        EXPECT_EQ(p.fill.m_nLength, 0);
        EXPECT_EQ(p.fill.m_nX, 5000);
    }
    struct Case {
        int kind, align, id;
        const char* text;
    };
    const Case refused[] = {{1, 0, 1000, "0"}, {1, 0, 1000, "3001"}, {3, 9, 1002, "-3001"}, {3, 9, 1004, "3001"}};
    for (const Case& c : refused) {
        SCOPED_TRACE(c.text);
        Project q;
        q.fill.m_nKind = c.kind;
        q.fill.m_nPosition = c.align;
        MessageLog log;
        DBackground dlg;
        q.Open(dlg);
        const int result = RunDialog(dlg, [&](CDialog& d) {
            Type(d.GetDlgItem(c.id), c.text);
            PressOk(d);
        });
        EXPECT_EQ(result, IDCANCEL); // still open
        ASSERT_EQ(log.texts.size(), 1u);
        EXPECT_EQ(q.fill.m_nKind, c.kind);
    }
}

TEST(Background, StartColourLabelFollowsTheDirection)
{
    const char* labels[] = {"Top Color",      "Left Color",        "Bottom Color",
                            "Right Color",    "Top Left Color",    "Top Right Color",
                            "Bottom Left Color", "Bottom Right Color", "Center Color"};
    Project p;
    p.fill.m_nKind = 1;
    p.fill.m_nDirection = 6;
    DBackground dlg;
    p.Open(dlg);
    RunDialog(dlg, [&](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(1096), CString("Bottom Left Color"));
        for (int i = 8; i >= 0; --i) {
            Choose(d, 1018, i);
            EXPECT_EQ(d.GetDlgItemText(1096), CString(labels[i])) << i;
        }
    });
}

// ---------------------------------------------------------------- Load

TEST(Background, LoadGuessesTheRepeatAndTakesTheCornerColour)
{
    struct Case {
        const char* name;
        std::function<QRgb(int, int)> colour;
        int repeat;
    };
    // 6 x 5 pictures; the bottom-left pixel is opaque 0x123456
    const auto corner = [](int x, int y, QRgb other) { return (x == 0 && y == 4) ? qRgb(0x12, 0x34, 0x56) : other; };
    const Case cases[] = {
        {"rows.png", [&](int x, int y) { return corner(x, y, (y == 0 || y == 4) ? qRgb(0x12, 0x34, 0x56) : qRgb(x * 40, y * 40, 0)); }, 1},
        {"columns.png", [&](int x, int y) { return corner(x, y, (x == 0 || x == 5) ? qRgb(0x12, 0x34, 0x56) : qRgb(x * 40, y * 40, 0)); }, 2},
        {"both.png", [&](int x, int y) { return corner(x, y, (x == 0 || x == 5 || y == 0 || y == 4) ? qRgb(0x12, 0x34, 0x56) : qRgb(9, 9, 9)); }, 3},
        {"neither.png", [&](int x, int y) { return corner(x, y, qRgb(x * 40, y * 40, 7)); }, 0},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Project p;
        const QString path = WritePng(dir, c.name, 6, 5, c.colour);
        ChosenFile chosen(path);
        DBackground dlg;
        p.Open(dlg);
        const int result = RunDialog(dlg, [&](CDialog& d) {
            Click(d, 1169);
            EXPECT_EQ(d.IsDlgButtonChecked(1077), 1);
            EXPECT_EQ(Index(d, 1088), c.repeat);
            EXPECT_EQ(ButtonColor(d, 1019), 0x563412u);
            EXPECT_TRUE(Enabled(d, 1030));
            PressOk(d);
        });
        ASSERT_EQ(result, IDOK);
        ASSERT_EQ(p.doc.m_textures.size(), 3u);
        CPicture* loaded = p.doc.m_textures[2].get();
        EXPECT_EQ(loaded->m_nWidth, 6);
        EXPECT_EQ(p.fill.m_nKind, 2);
        EXPECT_EQ(p.fill.m_pPicture, loaded);
        EXPECT_EQ(p.fill.m_nPictureId, loaded->m_nPictureId);
        EXPECT_EQ(p.fill.m_nRepeat, c.repeat);
        EXPECT_EQ(p.fill.m_crColor, 0x563412u);
    }
}

TEST(Background, LoadTakesNoColourFromATransparentCorner)
{
    QTemporaryDir dir;
    const QString path = WritePng(dir, "clear.png", 4, 4, [](int x, int y) {
        return (x == 0 && y == 3) ? qRgba(0, 0, 0, 0) : qRgb(200, 10, 10);
    });
    Project p;
    ChosenFile chosen(path);
    DBackground dlg;
    p.Open(dlg);
    RunDialog(dlg, [](CDialog& d) {
        Click(d, 1169);
        EXPECT_EQ(ButtonColor(d, 1019), 0x00336699u);
    });
}

TEST(Background, LoadFailureSaysSoUntranslatedAndChangesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.png"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture at all");
    f.close();
    Project p;
    ChosenFile chosen(path);
    MessageLog log;
    DBackground dlg;
    p.Open(dlg);
    RunDialog(dlg, [](CDialog& d) {
        Click(d, 1169);
        EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1036))->count(), 2);
    });
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_EQ(log.texts[0], CString("Error loading image ") + CString::FromQString(path) + ".");
    EXPECT_EQ(p.doc.m_textures.size(), 2u);
}

TEST(Background, RepeatGuessOnFixtures)
{
    struct Case {
        const char* name;
        std::function<std::uint32_t(int, int)> colour;
        int repeat;
    };
    const Case cases[] = {
        {"rows equal", [](int x, int y) { return (y == 0 || y == 9) ? 0x00AA0000u : std::uint32_t(x * 7 + y * 300); }, 1},
        {"columns equal", [](int x, int y) { return (x == 0 || x == 9) ? 0x0000AA00u : std::uint32_t(x * 7 + y * 300); }, 2},
        {"both", [](int, int) { return 0x00ABCDEFu; }, 3},
        {"neither", [](int x, int y) { return std::uint32_t(x * 7 + y * 300); }, 0},
    };
    for (const Case& c : cases) {
        auto picture = MakeTexture("t", 10, 10, c.colour);
        EXPECT_EQ(DBackground::GuessRepeat(*picture), c.repeat) << c.name;
    }
}

// ---------------------------------------------------------------- Create, Paste

TEST(Background, TwoCreatesBothStartFromTheHundredSquare)
{
    Project p;
    std::vector<std::pair<int, int>> offered;
    DBackground dlg;
    p.Open(dlg);
    const int result = RunDialog(dlg, [&](CDialog& d) {
        if (auto* t = dynamic_cast<DTexture*>(&d)) {
            offered.emplace_back(t->m_nWidth, t->m_nHeight);
            EXPECT_EQ(d.GetDlgItemText(1000), CString("100"));
            Type(d.GetDlgItem(1000), "40");
            Type(d.GetDlgItem(1001), "30");
            Choose(d, 1018, 1);
            PressOk(d);
            return;
        }
        Click(d, 1033);
        Click(d, 1033);
        EXPECT_EQ(Index(d, 1088), 3);
        PressOk(d);
    });
    ASSERT_EQ(result, IDOK);
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[0], std::make_pair(100, 100));
    EXPECT_EQ(offered[1], std::make_pair(100, 100));
    ASSERT_EQ(p.doc.m_textures.size(), 4u);
    for (int i : {2, 3}) {
        EXPECT_EQ(p.doc.m_textures[i]->m_nWidth, 40);
        EXPECT_EQ(p.doc.m_textures[i]->m_nHeight, 30);
        EXPECT_EQ(p.doc.m_textures[i]->m_strName, CString("40x30-16777215"));
    }
    EXPECT_EQ(p.fill.m_pPicture, p.doc.m_textures[3].get());
}

TEST(Background, PasteMakesAPngTextureThatPillowDecodes)
{
    QImage image(30, 20, QImage::Format_ARGB32);
    image.fill(qRgb(10, 200, 30));
    QGuiApplication::clipboard()->setImage(image);
    Project p;
    bool locked = false;
    DBackground dlg;
    p.Open(dlg);
    const int result = RunDialog(dlg, [&](CDialog& d) {
        if (auto* paste = dynamic_cast<DPasteImage*>(&d)) {
            EXPECT_EQ(paste->m_nPlacement, 1);
            locked = !Enabled(d, 1010) && !Enabled(d, 1011) && !Enabled(d, 1012);
            EXPECT_TRUE(CString(paste->m_name.GetUtf8()).Find("Texture") == 0);
            Choose(d, 1018, 1); // JPEG picked: the texture is a PNG all the same
            PressOk(d);
            return;
        }
        ASSERT_TRUE(Enabled(d, 1034));
        Click(d, 1034);
        PressOk(d);
    });
    QGuiApplication::clipboard()->clear();
    ASSERT_EQ(result, IDOK);
    EXPECT_TRUE(locked);
    ASSERT_EQ(p.doc.m_textures.size(), 3u);
    CPicture* pasted = p.doc.m_textures[2].get();
    EXPECT_EQ(p.fill.m_pPicture, pasted);
    EXPECT_EQ(pasted->m_nFormat, int(CPicture::FormatPng));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pasted.bin"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(pasted->m_blob.Data()), qint64(pasted->m_blob.Size()));
    f.close();
    const auto r = testsupport::RunPython(
        "import sys\nfrom PIL import Image\nim = Image.open(sys.argv[1]).convert('RGB')\n"
        "print(im.format if hasattr(im,'format') else '', Image.open(sys.argv[1]).format, im.size[0], im.size[1], im.getpixel((5,5)))",
        {path});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.out.contains("PNG 30 20 (10, 200, 30)")) << r.out.constData();
}

TEST(Background, PasteIsDisabledWithoutAPictureOnTheClipboard)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("text only"));
    Project p;
    DBackground dlg;
    p.Open(dlg);
    RunDialog(dlg, [](CDialog& d) { EXPECT_FALSE(Enabled(d, 1034)); });
}

// ---------------------------------------------------------------- Delete, Remove

TEST(Background, RemoveBackgroundClearsThisFillAndKeepsTheTexture)
{
    Project p;
    p.fill.m_nKind = 2;
    p.fill.m_pPicture = p.shared;
    p.fill.m_nPictureId = p.shared->m_nPictureId;
    DBackground dlg;
    p.Open(dlg);
    EXPECT_EQ(RunDialog(dlg, [](CDialog& d) { Click(d, 3); }), IDOK);
    EXPECT_EQ(p.fill.m_nKind, 0);
    EXPECT_EQ(p.fill.m_pPicture, nullptr);
    EXPECT_EQ(p.fill.m_nPictureId, 0);
    EXPECT_EQ(p.fill.m_crColor, 0xFFFFFFFFu);
    ASSERT_EQ(p.doc.m_textures.size(), 2u);
    EXPECT_EQ(p.box->m_pFill->m_pPicture, p.shared);
}

TEST(Background, DeleteAsksWhenOtherFillsUseTheTexture)
{
    struct Case {
        bool sharedTexture;
        int answer;
        bool asked, deleted;
    };
    const Case cases[] = {{true, IDNO, true, false}, {true, IDYES, true, true}, {false, IDNO, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sharedTexture << " " << c.answer);
        Project p;
        p.fill.m_nKind = 2;
        CPicture* target = c.sharedTexture ? p.shared : p.lone;
        p.fill.m_pPicture = target;
        std::vector<CString> asked;
        const MessageBoxHandler previous = SetMessageBoxHandler([&](const CString& text, const CString&, unsigned) {
            asked.push_back(text);
            return c.answer;
        });
        DBackground dlg;
        p.Open(dlg);
        RunDialog(dlg, [](CDialog& d) {
            Click(d, 1035);
            PressOk(d);
        });
        SetMessageBoxHandler(previous);
        EXPECT_EQ(!asked.empty(), c.asked);
        const bool gone = std::none_of(p.doc.m_textures.begin(), p.doc.m_textures.end(),
                                       [&](const auto& t) { return t.get() == target; });
        EXPECT_EQ(gone, c.deleted);
        if (c.sharedTexture && c.deleted) {
            EXPECT_EQ(p.box->m_pFill->m_pPicture, nullptr);
            EXPECT_EQ(p.box->m_pFill->m_nKind, 0);
        }
        if (c.deleted) {
            EXPECT_EQ(p.fill.m_pPicture, nullptr);
        }
    }
}

// ---------------------------------------------------------------- Cancel is byte-exact

TEST(Background, CancelAfterATextureOperationLeavesTheProjectByteIdentical)
{
    QTemporaryDir dir;
    const QString png = WritePng(dir, "load.png", 8, 6, [](int x, int y) { return qRgb(x * 30, y * 40, 90); });
    QImage clip(12, 9, QImage::Format_ARGB32);
    clip.fill(qRgb(1, 2, 3));
    struct Op {
        const char* name;
        std::function<void(CDialog&)> act;
    };
    const Op ops[] = {
        {"Load", [](CDialog& d) { Click(d, 1169); }},
        {"Create", [](CDialog& d) { Click(d, 1033); }},
        {"Paste", [](CDialog& d) { Click(d, 1034); }},
        {"Delete", [](CDialog& d) { Click(d, 1035); }},
        {"Resize", [](CDialog& d) { Click(d, 1030); }},
        {"Shape", [](CDialog& d) { Click(d, 1025); }},
        {"Shadow", [](CDialog& d) { Click(d, 1039); }},
        {"Edge Fadeout", [](CDialog& d) { Click(d, 1041); }},
    };
    for (const Op& op : ops) {
        SCOPED_TRACE(op.name);
        QGuiApplication::clipboard()->setImage(clip);
        Project p;
        // the page's own fill, on the shared texture
        p.page->m_pFill = std::make_unique<CFillStyle>();
        p.page->m_pFill->m_nKind = 2;
        p.page->m_pFill->m_pPicture = p.shared;
        p.page->m_pFill->m_nPictureId = p.shared->m_nPictureId;
        const std::vector<BYTE> before = SaveToBytes(p.doc);
        ChosenFile chosen(png);
        const MessageBoxHandler previous = SetMessageBoxHandler([](const CString&, const CString&, unsigned) { return IDYES; });
        bool changed = false;
        const CDialog::ModalHook hook = CDialog::SetModalHook([&](CDialog& d) {
            if (auto* shape = dynamic_cast<DBackgroundShape*>(&d)) {
                Choose(d, 1018, 1);
                Choose(d, 1036, 3);
                shape->OnOK();
            } else if (auto* shadow = dynamic_cast<DDropShadow*>(&d)) {
                d.OnOK();
                shadow->m_bEnable = 1;
                shadow->m_nDistance = 5;
            } else if (auto* fade = dynamic_cast<DEdgeFadeout*>(&d)) {
                d.OnOK();
                fade->m_bLeft = 1;
                fade->m_nKind = 1;
                fade->m_nDistance = 20;
            } else if (dynamic_cast<DBackground*>(&d)) {
                op.act(d);
                changed = SaveToBytes(p.doc) != before;
                PressCancel(d);
            } else if (auto* resize = dynamic_cast<DResize*>(&d)) {
                d.OnOK();
                resize->m_nWidth = 4;
                resize->m_nHeight = 3;
            } else {
                d.OnOK();
            }
            return d.IsEnded() ? d.GetResult() : IDCANCEL;
        });
        const int result = EditFill(&p.doc, p.page->m_pFill.get(), "This Page Background", nullptr, FillTarget::Item(*p.page));
        CDialog::SetModalHook(hook);
        SetMessageBoxHandler(previous);
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_TRUE(changed); // the operation did change the project while the dialog was open
        const std::vector<BYTE> after = SaveToBytes(p.doc);
        EXPECT_TRUE(before == after);
        EXPECT_EQ(p.doc.m_textures.size(), 2u);
        EXPECT_FALSE(p.doc.IsModified());
        EXPECT_EQ(p.page->m_pFill->m_pPicture, p.doc.m_textures[0].get());
    }
    QGuiApplication::clipboard()->clear();
}

TEST(Background, OkAfterDeleteKeepsTheDeletionAndMarksThePages)
{
    Project p;
    p.fill.m_nKind = 2;
    p.fill.m_pPicture = p.shared;
    p.page->m_nUploadState = 2;
    const MessageBoxHandler previous = SetMessageBoxHandler([](const CString&, const CString&, unsigned) { return IDYES; });
    const CDialog::ModalHook hook = CDialog::SetModalHook([&](CDialog& d) {
        Click(d, 1035);
        PressOk(d);
        return d.GetResult();
    });
    const int result = EditFill(&p.doc, &p.fill, "Background", nullptr, FillTarget::Opener());
    CDialog::SetModalHook(hook);
    SetMessageBoxHandler(previous);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(p.doc.m_textures.size(), 1u);
    EXPECT_EQ(p.box->m_pFill->m_pPicture, nullptr);
    EXPECT_EQ(p.page->m_nUploadState, 0);
    EXPECT_TRUE(p.doc.IsModified());
}

TEST(Background, OkMarksForUploadWhatTheTargetNames)
{
    enum Target { ItemOnHome, Site, Stylesheet, Opener };
    const struct {
        const char* name;
        Target target;
        bool resizeTexture; // a texture other fills may show changes in the dialog
        int home, second, css; // upload states after OK (2: left alone)
    } cases[] = {
        {"item", ItemOnHome, false, 0, 2, 2},
        {"site", Site, false, 0, 0, 0},
        {"class fill", Stylesheet, false, 2, 2, 0},
        {"item not placed yet", Opener, false, 2, 2, 2},
        {"class fill, texture resized", Stylesheet, true, 0, 0, 0},
        {"item, texture resized", ItemOnHome, true, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Project p;
        CWString title;
        title = "Second";
        CPage* second = p.doc.AddPage(p.page, &title);
        ASSERT_NE(second, nullptr);
        for (auto& page : p.doc.m_pages)
            page->m_nUploadState = 2;
        p.doc.m_nCssUploadState = 2;
        p.doc.SetModifiedFlag(false);
        CFillStyle& fill = c.target == ItemOnHome ? *p.box->m_pFill : p.fill;
        fill.m_nKind = CFillStyle::KindPicture;
        fill.m_pPicture = p.shared;
        fill.m_nPictureId = p.shared->m_nPictureId;
        const FillTarget target = c.target == ItemOnHome ? FillTarget::Item(*p.box)
                                  : c.target == Site     ? FillTarget::Site()
                                  : c.target == Stylesheet ? FillTarget::Stylesheet()
                                                           : FillTarget::Opener();
        const CDialog::ModalHook hook = CDialog::SetModalHook([&](CDialog& d) {
            if (auto* resize = dynamic_cast<DResize*>(&d)) {
                d.OnOK();
                resize->m_nWidth = 8;
                resize->m_nHeight = 6;
                return d.GetResult();
            }
            if (c.resizeTexture) {
                EXPECT_EQ(static_cast<DBackground&>(d).GetSelectedTexture(), p.shared);
                Click(d, 1030);
            }
            PressOk(d);
            return d.GetResult();
        });
        EXPECT_EQ(EditFill(&p.doc, &fill, "Background", nullptr, target), IDOK);
        CDialog::SetModalHook(hook);
        if (c.resizeTexture) {
            EXPECT_EQ(p.shared->m_nWidth, 8);
        }
        EXPECT_EQ(p.page->m_nUploadState, c.home);
        EXPECT_EQ(second->m_nUploadState, c.second);
        EXPECT_EQ(p.doc.m_nCssUploadState, c.css);
        EXPECT_TRUE(p.doc.IsModified());
    }
}

// ---------------------------------------------------------------- addresses

TEST(Background, ALocalAddressBecomesAFileAddressAtOk)
{
    struct Case {
        const char* typed;
        const char* stored;
    };
    const Case cases[] = {
        {"C:\\My Pictures\\sky #1.png", "file:///C:/My%20Pictures/sky%20%231.png"},
        {"d:/web/50%.jpg", "file:///d:/web/50%25.jpg"},
        {"/home/u/a.jpg", "file:///home/u/a.jpg"},
        {"/home/u/My Pictures/b #2.png", "file:///home/u/My%20Pictures/b%20%232.png"},
        {"http://example.com/a b.png", "http://example.com/a b.png"},
        {"images/a.png", "images/a.png"},
    };
    for (const Case& c : cases) {
        Project p;
        p.fill.m_nKind = 3;
        DBackground dlg;
        p.Open(dlg);
        RunDialog(dlg, [&](CDialog& d) {
            Type(d.GetDlgItem(1003), QString::fromUtf8(c.typed));
            PressOk(d);
        });
        EXPECT_EQ(p.fill.m_strAddress, CString(c.stored)) << c.typed;
    }
}

TEST(Background, ChosenLocalPictureIsAFileAddressAUrlParserReadsBack)
{
    QTemporaryDir dir;
    const char* names[] = {"a b.jpg", "n#1.png", "100%.jpg", "caf\xc3\xa9 \xe6\x97\xa5.png"};
    for (const char* name : names) {
        const QString path = dir.filePath(QString::fromUtf8(name));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.close();
        Project p;
        p.fill.m_nKind = 3;
        ChosenFile chosen(path);
        DBackground dlg;
        p.Open(dlg);
        RunDialog(dlg, [](CDialog& d) {
            Click(d, 1037);
            PressOk(d);
        });
        const QUrl url = QUrl::fromEncoded(QByteArray(p.fill.m_strAddress.GetString()), QUrl::StrictMode);
        ASSERT_TRUE(url.isValid()) << p.fill.m_strAddress.GetString();
        EXPECT_EQ(url.scheme(), QStringLiteral("file"));
        EXPECT_EQ(url.toLocalFile(), path) << name;
        EXPECT_FALSE(CString(p.fill.m_strAddress).Find(" ") >= 0);
    }
}

// ---------------------------------------------------------------- shape dialog

TEST(BackgroundShape, RoundingAndLineControlsFollowTheChoices)
{
    struct Case {
        int shape, width;
        bool rounding, line;
    };
    const Case cases[] = {{0, 0, false, false}, {2, 0, true, false}, {6, 3, true, true}, {7, 1, true, true}, {8, 2, false, true}};
    for (const Case& c : cases) {
        DBackgroundShape dlg;
        dlg.m_nShape = c.shape;
        dlg.m_nLineWidth = c.width;
        RunDialog(dlg, [&](CDialog& d) {
            EXPECT_EQ(Enabled(d, 1067), c.rounding) << c.shape;
            EXPECT_EQ(d.GetDlgItem(1040)->isVisibleTo(&d), c.line);
            EXPECT_EQ(d.GetDlgItem(1026)->isVisibleTo(&d), c.line);
        });
    }
}

TEST(BackgroundShape, BothWaysWithTheRoundingRange)
{
    CPicture picture;
    picture.m_nShape = 2;
    picture.m_nFrameWidth = 4;
    picture.m_nFrameShading = 5;
    picture.m_nCornerRadius = 12;
    picture.m_crFrame = 0x00112233;
    DBackgroundShape dlg;
    dlg.From(picture);
    MessageLog log;
    const int result = RunDialog(dlg, [](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(1067), CString("12"));
        EXPECT_EQ(Index(d, 1040), 5);
        Type(d.GetDlgItem(1067), "1001");
        d.OnOK();
        EXPECT_FALSE(d.IsEnded());
        Type(d.GetDlgItem(1067), "30");
        Choose(d, 1036, 7);
        d.OnOK();
    });
    ASSERT_EQ(result, IDOK);
    EXPECT_EQ(log.texts.size(), 1u);
    dlg.To(picture);
    EXPECT_EQ(picture.m_nCornerRadius, 30);
    EXPECT_EQ(picture.m_nFrameWidth, 7);
    EXPECT_EQ(picture.m_nShape, 2);
    EXPECT_EQ(picture.m_crFrame, 0x00112233u);
}

// ---------------------------------------------------------------- texture dialog

TEST(Texture, DefaultsAndValuesBothWays)
{
    DTexture dlg;
    dlg.m_nWidth = 64;
    dlg.m_nHeight = 32;
    const int result = RunDialog(dlg, [](CDialog& d) {
        EXPECT_EQ(Index(d, 1018), 0);
        EXPECT_EQ(Index(d, 1019), 0);
        EXPECT_EQ(Index(d, 1020), 2);
        EXPECT_EQ(ButtonColor(d, 1026), 0xFFFFFFu);
        EXPECT_EQ(ButtonColor(d, 1045), 0xDDDDDDu);
        Choose(d, 1018, 3);
        Choose(d, 1019, 1);
        Choose(d, 1020, 4);
        PressOk(d);
    });
    ASSERT_EQ(result, IDOK);
    CPicture picture;
    dlg.ApplyTo(picture);
    ASSERT_TRUE(MakePatternTexture(picture));
    EXPECT_EQ(picture.m_nWidth, 64);
    EXPECT_EQ(picture.m_nPatternOrientation, 3);
    // 2-pixel lines with 5 pixels between them along the first row of a diagonal pattern
    picture.m_rendering.BeginPixels();
    std::vector<int> lineColumns;
    for (int x = 0; x < 14; ++x)
        if ((picture.m_rendering.GetPixel(x, 0) & 0xFFFFFF) == 0xDDDDDD)
            lineColumns.push_back(x);
    picture.m_rendering.EndPixels();
    // lines start every 7 pixels from -32 (the height above the top-left corner)
    EXPECT_EQ(lineColumns, (std::vector<int>{3, 4, 10, 11}));
}

// ---------------------------------------------------------------- crop editor

namespace {
void Mouse(QWidget* w, QEvent::Type type, QPoint p)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
CDib CropPicture()
{
    CDib dib;
    dib.Create(100, 80);
    dib.FillRect(0x00808080u);
    return dib;
}
} // namespace

TEST(ImageCrop, DragsInEveryDirectionGiveANormalisedClampedSelection)
{
    struct Case {
        QPoint press, release;
        CRect expected;
        const char* caption; // while dragging to the release point
    };
    const Case cases[] = {
        {{10, 10}, {60, 40}, {10, 10, 60, 40}, "Selected Area        L:10 T:10 R:60 B:40 [ 50 x 30 ]"},
        {{60, 40}, {10, 10}, {10, 10, 60, 40}, "Selected Area        L:60 T:40 R:10 B:10 [ -50 x -30 ]"},
        {{60, 10}, {10, 40}, {10, 10, 60, 40}, "Selected Area        L:60 T:10 R:10 B:40 [ -50 x 30 ]"},
        {{10, 40}, {60, 10}, {10, 10, 60, 40}, "Selected Area        L:10 T:40 R:60 B:10 [ 50 x -30 ]"},
        {{50, 50}, {500, -90}, {50, 0, 100, 50}, "Selected Area        L:50 T:50 R:100 B:0 [ 50 x -50 ]"},
        {{-30, 200}, {20, 30}, {0, 30, 20, 80}, "Selected Area        L:0 T:80 R:20 B:30 [ 20 x -50 ]"},
    };
    for (const Case& c : cases) {
        const CDib picture = CropPicture();
        DImageCrop dlg;
        dlg.m_pPicture = &picture;
        const int result = RunDialog(dlg, [&](CDialog& d) {
            auto* canvas = static_cast<DImageCrop&>(d).m_pCanvas;
            ASSERT_EQ(canvas, d.GetDlgItem(3000));
            canvas->resize(300, 200); // the picture's origin is (100, 60)
            EXPECT_EQ(canvas->ToClient(QPoint(0, 0)), QPoint(100, 60));
            Mouse(canvas, QEvent::MouseButtonPress, canvas->ToClient(c.press));
            Mouse(canvas, QEvent::MouseMove, canvas->ToClient(c.release));
            EXPECT_EQ(CString::FromQString(d.windowTitle()), CString(c.caption));
            Mouse(canvas, QEvent::MouseButtonRelease, canvas->ToClient(c.release));
            ASSERT_NE(canvas->GetSelection(), nullptr);
            const CRect s = *canvas->GetSelection();
            EXPECT_EQ(s.left, c.expected.left);
            EXPECT_EQ(s.top, c.expected.top);
            EXPECT_EQ(s.right, c.expected.right);
            EXPECT_EQ(s.bottom, c.expected.bottom);
            EXPECT_FALSE(d.IsEnded());
        });
        EXPECT_EQ(result, IDCANCEL);
    }
}

TEST(ImageCrop, AClickInsideTheSelectionIsOkAndOutsideStartsANewOne)
{
    const CDib picture = CropPicture();
    DImageCrop dlg;
    dlg.m_pPicture = &picture;
    CRect kept;
    const int result = RunDialog(dlg, [&](CDialog& d) {
        auto* canvas = static_cast<DImageCrop&>(d).m_pCanvas;
        canvas->resize(300, 200);
        Mouse(canvas, QEvent::MouseButtonPress, canvas->ToClient({20, 20}));
        Mouse(canvas, QEvent::MouseButtonRelease, canvas->ToClient({50, 50}));
        // outside: a selection of zero size at the click
        Mouse(canvas, QEvent::MouseButtonPress, canvas->ToClient({70, 70}));
        Mouse(canvas, QEvent::MouseButtonRelease, canvas->ToClient({70, 70}));
        ASSERT_NE(canvas->GetSelection(), nullptr);
        EXPECT_EQ(canvas->GetSelection()->Width(), 0);
        Mouse(canvas, QEvent::MouseButtonPress, canvas->ToClient({5, 5}));
        Mouse(canvas, QEvent::MouseButtonRelease, canvas->ToClient({40, 30}));
        Mouse(canvas, QEvent::MouseMove, canvas->ToClient({12, 12}));
        EXPECT_EQ(canvas->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(CString::FromQString(d.windowTitle()), CString("Crop Image        X:12 Y:12"));
        kept = *canvas->GetSelection();
        Screenshot(d, "image-crop");
        Mouse(canvas, QEvent::MouseButtonPress, canvas->ToClient({12, 12}));
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(kept.left, 5);
    EXPECT_EQ(kept.bottom, 30);
}

TEST(ImageCrop, EnterWithoutASelectionIsCancel)
{
    const CDib picture = CropPicture();
    DImageCrop dlg;
    dlg.m_pPicture = &picture;
    EXPECT_EQ(RunDialog(dlg, PressOk), IDCANCEL);
    DImageCrop withSelection;
    withSelection.m_pPicture = &picture;
    EXPECT_EQ(RunDialog(withSelection, [](CDialog& d) {
                  auto* canvas = static_cast<DImageCrop&>(d).m_pCanvas;
                  canvas->resize(300, 200);
                  Mouse(canvas, QEvent::MouseButtonPress, canvas->ToClient({1, 1}));
                  Mouse(canvas, QEvent::MouseButtonRelease, canvas->ToClient({9, 9}));
                  PressOk(d);
              }),
              IDOK);
}

TEST(Background, CropCutsTheTextureToTheSelection)
{
    Project p;
    p.fill.m_nKind = 2;
    p.fill.m_pPicture = p.shared;
    DBackground dlg;
    p.Open(dlg);
    RunDialog(dlg, [&](CDialog& d) {
        if (auto* crop = dynamic_cast<DImageCrop*>(&d)) {
            crop->m_pCanvas->resize(100, 100);
            auto* canvas = crop->m_pCanvas;
            Mouse(canvas, QEvent::MouseButtonPress, canvas->ToClient({2, 3}));
            Mouse(canvas, QEvent::MouseButtonRelease, canvas->ToClient({12, 9}));
            PressOk(d);
            return;
        }
        Click(d, 1031);
        EXPECT_TRUE(qobject_cast<QComboBox*>(d.GetDlgItem(1036))->itemText(0).endsWith(QStringLiteral(" [ 10 x 6 ]")));
    });
    EXPECT_EQ(p.shared->m_nWidth, 10);
    EXPECT_EQ(p.shared->m_nHeight, 6);
}

// ---------------------------------------------------------------- paste dialog

TEST(PasteImage, ZoomStepsAndTheOutputSize)
{
    DPasteImage dlg;
    dlg.m_picture.Create(200, 100);
    const int result = RunDialog(dlg, [](CDialog& d) {
        EXPECT_EQ(Index(d, 1018), 0);
        EXPECT_EQ(d.GetDlgItemText(1005), CString("Zoom: 100%"));
        EXPECT_EQ(d.GetDlgItemText(1006), CString("Image Size: 200 x 100"));
        Click(d, 1001); // "+" at 100 % does nothing
        EXPECT_EQ(d.GetDlgItemText(1005), CString("Zoom: 100%"));
        for (int i = 0; i < 3; ++i)
            Click(d, 1002);
        EXPECT_EQ(d.GetDlgItemText(1005), CString("Zoom: 85%"));
        EXPECT_EQ(d.GetDlgItemText(1006), CString("Image Size: 170 x 85"));
        PressOk(d);
    });
    ASSERT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_picture.GetWidth(), 170);
    EXPECT_EQ(dlg.m_picture.GetHeight(), 85);
}

TEST(PasteImage, ZoomStaysAtFivePercentOrMore)
{
    DPasteImage dlg;
    dlg.m_picture.Create(40, 20);
    RunDialog(dlg, [](CDialog& d) {
        for (int i = 0; i < 30; ++i)
            Click(d, 1002);
        EXPECT_EQ(d.GetDlgItemText(1005), CString("Zoom: 5%"));
        EXPECT_EQ(d.GetDlgItemText(1006), CString("Image Size: 2 x 1"));
    });
}

TEST(PasteImage, TheSizeDialogSetsTheZoom)
{
    DPasteImage dlg;
    dlg.m_picture.Create(300, 100);
    const int result = RunDialog(dlg, [](CDialog& d) {
        if (auto* resize = dynamic_cast<DResize*>(&d)) {
            EXPECT_EQ(resize->m_bKeepProportions, 1);
            EXPECT_EQ(resize->m_nWidth, 300);
            d.OnOK();
            resize->m_nWidth = 150;
            resize->m_nHeight = 50;
            return;
        }
        Click(d, 1003);
        EXPECT_EQ(d.GetDlgItemText(1005), CString("Zoom: 50%"));
        EXPECT_EQ(d.GetDlgItemText(1006), CString("Image Size: 150 x 50"));
        PressOk(d);
    });
    ASSERT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_picture.GetWidth(), 150);
}

TEST(PasteImage, PreviewPagePassesTidyWithAHostileName)
{
    DPasteImage::s_bShowPreview = false;
    DPasteImage dlg;
    dlg.m_picture.Create(40, 20);
    dlg.m_name = "my \"best\" #1 <pic>";
    CString page;
    RunDialog(dlg, [&](CDialog& d) {
        page = static_cast<DPasteImage&>(d).WritePreview();
        EXPECT_EQ(static_cast<DPasteImage&>(d).m_picture.GetWidth(), 40);
    });
    DPasteImage::s_bShowPreview = true;
    ASSERT_FALSE(page.IsEmpty());
    EXPECT_EQ(page.Find(".htm") > 0, true);
    EXPECT_LT(page.Find("#"), 0); // the user's name names no file
    QFile f(page.ToQString());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray html = f.readAll();
    EXPECT_TRUE(html.contains("my &quot;best&quot; #1 &lt;pic&gt; [ 40 x 20 ]") || html.contains("my \"best\" #1 &lt;pic&gt; [ 40 x 20 ]"))
        << html.constData();
    EXPECT_EQ(testsupport::TidyErrors(html), QByteArray());
    const QString picture = QFileInfo(page.ToQString()).dir().filePath(QStringLiteral("preview1.png"));
    EXPECT_TRUE(QFileInfo::exists(picture));
}

// ---------------------------------------------------------------- openers

TEST(BackgroundOpeners, PageSetupDefaultBackgroundIsKeptOnOkAndGoneOnCancel)
{
    for (bool ok : {true, false}) {
        SCOPED_TRACE(ok);
        Project p;
        const std::vector<BYTE> before = SaveToBytes(p.doc);
        CEditScope scope(p.doc, p.page, p.page, nullptr, "Page Setup");
        DPageSetup dlg;
        dlg.m_pPage = p.page;
        dlg.m_pDoc = &p.doc;
        dlg.m_nWidth = 900;
        dlg.m_nHeight = 700;
        const int result = RunDialog(dlg, [&](CDialog& d) {
            if (dynamic_cast<DBackground*>(&d)) {
                EXPECT_EQ(CString::FromQString(d.windowTitle()), CString("All Pages Background"));
                Click(d, 1033); // a new texture (which chooses the texture kind)
                Click(d, 1069);
                PressOk(d);
                return;
            }
            if (dynamic_cast<DTexture*>(&d)) {
                PressOk(d);
                return;
            }
            EXPECT_TRUE(Enabled(d, 1073));
            EXPECT_TRUE(Enabled(d, 1074));
            EXPECT_TRUE(Enabled(d, 1075));
            Click(d, 1074);
            if (ok)
                PressOk(d);
            else
                PressCancel(d);
        });
        if (result != IDOK)
            scope.Cancel();
        if (ok) {
            EXPECT_EQ(p.doc.m_allPagesBackground.m_nKind, 1);
            EXPECT_EQ(p.doc.m_textures.size(), 3u);
        } else {
            EXPECT_EQ(p.doc.m_allPagesBackground.m_nKind, 0);
            EXPECT_TRUE(SaveToBytes(p.doc) == before);
        }
    }
}

TEST(BackgroundOpeners, LayoutButtonsOnlyForTheFillsGiven)
{
    Project p;
    DLayout dlg;
    dlg.m_pDoc = &p.doc;
    dlg.m_pPageFill = &p.fill;
    dlg.m_pBrowserFill = &p.doc.m_websiteBackground;
    dlg.m_nPageHeight = 500;
    dlg.m_nWidth = 900;
    RunDialog(dlg, [&](CDialog& d) {
        if (auto* bg = dynamic_cast<DBackground*>(&d)) {
            EXPECT_EQ(bg->m_bBrowserBackground, 0);
            EXPECT_EQ(CString::FromQString(d.windowTitle()), CString("Page Background"));
            Click(d, 1078);
            PressOk(d);
            return;
        }
        EXPECT_FALSE(Enabled(d, 1026)); // no master
        EXPECT_FALSE(Enabled(d, 1025));
        EXPECT_FALSE(Enabled(d, 1027));
        EXPECT_TRUE(Enabled(d, 1029));
        Click(d, 1028);
        PressCancel(d);
    });
    EXPECT_EQ(p.fill.m_nKind, 3);
}

TEST(BackgroundOpeners, MasterWithoutAFillAndDivOnItsOwnFill)
{
    Project p;
    CMasterItem master;
    DMaster m;
    m.m_pMaster = &master;
    m.m_pDoc = &p.doc;
    RunDialog(m, [](CDialog& d) { EXPECT_FALSE(Enabled(d, 1073)); });

    DDiv div;
    div.m_pItem = p.box;
    div.m_pDoc = &p.doc;
    RunDialog(div, [&](CDialog& d) {
        if (dynamic_cast<DBackground*>(&d)) {
            EXPECT_EQ(static_cast<DBackground&>(d).GetSelectedTexture(), p.shared);
            Click(d, 1043);
            PressOk(d);
            return;
        }
        ASSERT_TRUE(Enabled(d, 1073));
        Click(d, 1073);
        PressOk(d);
    });
    EXPECT_EQ(p.box->m_pFill->m_nKind, 0);
    // OK keeps the list's choice; the kind decides that it is not shown
    EXPECT_EQ(p.box->m_pFill->m_pPicture, p.shared);
}

// ---------------------------------------------------------------- pictures

TEST(Background, ScreenshotsOfEachKind)
{
    const char* names[] = {"background-none", "background-gradient", "background-texture", "background-external"};
    for (int kind = 0; kind < 4; ++kind) {
        Project p;
        p.fill.m_nKind = kind;
        p.fill.m_pPicture = p.shared;
        DBackground dlg;
        p.Open(dlg);
        RunDialog(dlg, [&](CDialog& d) {
            EXPECT_EQ(d.IsDlgButtonChecked(std::array<int, 4>{1043, 1069, 1077, 1078}[kind]), 1);
            Screenshot(d, names[kind]);
        });
    }
}

// ---------------------------------------------------------------- CSS of the fills made here

TEST(Background, CssOfTextureAndExternalImageFillsParses)
{
    QTemporaryDir dir;
    const QString local = dir.filePath(QStringLiteral("sky (1) 'a' #2 100%.png"));
    QFile f(local);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    struct Case {
        int kind;
        bool chooseFile;
        const char* typed;
    };
    const Case cases[] = {
        {2, false, nullptr},
        {3, true, nullptr},
        {3, false, "C:\\My Pictures\\a (b) 'c'.png"},
        {3, false, "http://example.com/x.png?a=\"b\");}<"},
    };
    for (const Case& c : cases) {
        Project p;
        p.fill.m_nKind = c.kind;
        p.fill.m_pPicture = p.shared;
        p.fill.m_nPosition = 9;
        p.fill.m_nRepeat = 3;
        ChosenFile chosen(local);
        DBackground dlg;
        p.Open(dlg);
        ASSERT_EQ(RunDialog(dlg, [&](CDialog& d) {
                      if (c.chooseFile)
                          Click(d, 1037);
                      if (c.typed)
                          Type(d.GetDlgItem(1003), QString::fromUtf8(c.typed));
                      Type(d.GetDlgItem(1002), "-12");
                      PressOk(d);
                  }),
                  IDOK);
        p.fill.Render(true);
        CString css = ".box {";
        p.fill.WriteCss(css);
        css += "}\r\n";
        SCOPED_TRACE(css.GetString());
        EXPECT_EQ(gentest::CssSyntaxErrors(QByteArray(css.GetString())), QStringList());
        EXPECT_GE(css.Find("background-image:url("), 0);
        if (c.chooseFile) {
            EXPECT_GE(css.Find("file:///"), 0);
        }
    }
}

TEST(Background, ApplyToAllPagesOnlyWhenAskedAndReturned)
{
    for (bool asked : {false, true}) {
        Project p;
        int applyToAll = 0;
        bool shown = false;
        const CDialog::ModalHook hook = CDialog::SetModalHook([&](CDialog& d) {
            shown = d.GetDlgItem(1001)->isVisibleTo(&d);
            if (shown)
                Click(d, 1001);
            PressOk(d);
            return d.GetResult();
        });
        EXPECT_EQ(EditFill(&p.doc, &p.fill, "Page Background", nullptr, FillTarget::Opener(), 100, 100,
                           asked ? &applyToAll : nullptr),
                  IDOK);
        CDialog::SetModalHook(hook);
        EXPECT_EQ(shown, asked);
        EXPECT_EQ(applyToAll, asked ? 1 : 0);
    }
}

TEST(Background, WithoutAProjectNoTextureCanBeMade)
{
    CFillStyle fill;
    fill.m_nKind = 2;
    DBackground dlg;
    dlg.m_pFill = &fill;
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(image);
    const int result = RunDialog(dlg, [](CDialog& d) {
        for (int id : {1169, 1033, 1034})
            EXPECT_FALSE(Enabled(d, id)) << id;
        static_cast<DBackground&>(d).OnCreate();
        static_cast<DBackground&>(d).OnPaste();
        EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1036))->count(), 0);
        PressOk(d);
    });
    QGuiApplication::clipboard()->clear();
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(fill.m_pPicture, nullptr);
}

TEST(Texture, SizesOutsideOneToThreeThousandAreRefused)
{
    struct Case {
        int id;
        const char* text;
        bool accepted;
    };
    const Case cases[] = {{1000, "0", false}, {1000, "3001", false}, {1001, "", false},
                          {1001, "abc", false}, {1000, "1", true},     {1001, "3000", true}};
    for (const Case& c : cases) {
        DTexture dlg;
        dlg.m_nWidth = 100;
        dlg.m_nHeight = 100;
        MessageLog log;
        const int result = RunDialog(dlg, [&](CDialog& d) {
            Type(d.GetDlgItem(c.id), c.text);
            PressOk(d);
        });
        EXPECT_EQ(result == IDOK, c.accepted) << c.id << " " << c.text;
        EXPECT_EQ(log.texts.size(), c.accepted ? 0u : 1u) << c.text;
    }
}
