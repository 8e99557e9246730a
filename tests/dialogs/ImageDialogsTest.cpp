// The Image, Image Clone and image map dialogs, driven as the user drives them.
#include "DialogTestSupport.h"

#include "dialogs/Background.h"
#include "dialogs/ImageDialogs.h"
#include "dialogs/ImageMap.h"
#include "dialogs/LinkDialog.h"
#include "document/KJDoc.h"
#include "model/FillStyle.h"
#include "model/Page.h"
#include "model/items/ImageCloneItem.h"
#include "model/items/ImageItem.h"

#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QListWidget>
#include <gtest/gtest.h>

using namespace dialogtest;

namespace {

struct ImageSite {
    CKJDoc doc;
    CPage* page = nullptr;
    CImageItem* image = nullptr;
    ImageSite(int w = 60, int h = 40, int type = ITEM_IMAGE)
    {
        auto p = std::make_unique<CPage>();
        p->m_strBaseName = "index";
        p->m_strExtension = ".html";
        page = p.get();
        doc.m_pages.push_back(std::move(p));
        image = Add(type, "photo", ".png", w, h);
    }
    CImageItem* Add(int type, const char* base, const char* ext, int w, int h)
    {
        auto* item = new CImageItem;
        item->m_nType = type;
        item->m_strBaseName = base;
        item->m_strExtension = ext;
        item->m_picture.Create(w, h);
        item->m_picture.BeginPixels();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                item->m_picture.SetPixel(x, y, 0x00000000u | std::uint32_t((x * 4) << 16 | (y * 5) << 8 | 160));
        item->m_picture.EndPixels();
        item->m_nWidth = w;
        item->m_nHeight = h;
        page->AddChild(item);
        return item;
    }
};

// Answers every message box with answer, recording the texts.
struct Answering {
    explicit Answering(int answer)
    {
        previous = SetMessageBoxHandler([this, answer](const CString& text, const CString&, unsigned) {
            texts.push_back(text);
            return answer;
        });
    }
    ~Answering() { SetMessageBoxHandler(previous); }
    std::vector<CString> texts;
    MessageBoxHandler previous;
};

} // namespace

TEST(ImageDialog, OkChecksTheFileNameInOrder)
{
    const struct { const char* name; int answer; const char* message; bool accepted; } cases[] = {
        {"", IDOK, "File name can not be empty.", false},
        {"PHOTO2", IDNO, "The name PHOTO2 already exists and items will conflict with each other. Do you want to use this name anyway?", false},
        {"Photo2", IDYES, "The name Photo2 already exists and items will conflict with each other. Do you want to use this name anyway?", true},
        {"a&b", IDOK, "The name can not contain the following characters / \\ : < > | ? * \" & % |", false},
        {"a#b", IDOK, "The name can not contain the following characters / \\ : < > | ? * \" & % |", false},
        {"a b", IDOK, "The name can not contain the following characters / \\ : < > | ? * \" & % |", false},
        {"caf\xC3\xA9", IDOK, "The name can not contain diacritics.", false},
        {"holiday_1", IDOK, nullptr, true},
    };
    for (const auto& k : cases) {
        ImageSite site;
        site.Add(ITEM_IMAGE, "photo2", ".png", 10, 10);
        DImage dlg;
        dlg.m_pItem = site.image;
        dlg.m_pDoc = &site.doc;
        Answering answers(k.answer);
        const CString name = k.name;
        const int result = RunDialog(dlg, [&name](CDialog& d) {
            d.SetDlgItemText(1024, name);
            PressOk(d);
        });
        EXPECT_EQ(result == IDOK, k.accepted) << k.name;
        if (k.message) {
            ASSERT_EQ(answers.texts.size(), 1u) << k.name;
            EXPECT_EQ(answers.texts[0], CString(k.message)) << k.name;
        } else {
            EXPECT_TRUE(answers.texts.empty()) << k.name;
        }
        EXPECT_EQ(site.image->m_strBaseName, k.accepted ? CString(k.name) : CString("photo")) << k.name;
    }
}

TEST(ImageDialog, ShowsThePictureAndDisablesEffectsForGif)
{
    for (int type : {ITEM_IMAGE, ITEM_GIF}) {
        ImageSite site(60, 40, type);
        const char bytes[] = "0123456789";
        site.image->m_blob.Allocate(10);
        std::memcpy(site.image->m_blob.Data(), bytes, 10);
        site.image->m_strName = "pic";
        DImage dlg;
        dlg.m_pItem = site.image;
        dlg.m_pDoc = &site.doc;
        QGuiApplication::clipboard()->clear();
        RunDialog(dlg, [type](CDialog& d) {
            EXPECT_EQ(d.GetDlgItemText(1096), CString("[ 60 x 40 ] 10 bytes")) << type;
            EXPECT_EQ(d.GetDlgItemText(1160), CString(".png"));
            EXPECT_EQ(d.GetDlgItemText(1028), CString("pic"));
            for (int id : {1058, 1059, 1061})
                EXPECT_EQ(d.GetDlgItem(id)->isEnabled(), type == ITEM_IMAGE) << type << " " << id;
            EXPECT_FALSE(d.GetDlgItem(1065)->isEnabled()) << "no picture on the clipboard";
            if (type == ITEM_IMAGE)
                Screenshot(d, "image-dialog");
            PressCancel(d);
        });
    }
}

TEST(ImageDialog, BackgroundGivesAnImageFourPixelsOfPaddingButNotAClone)
{
    ImageSite site;
    auto* clone = new CImageCloneItem;
    clone->m_pSource = site.image;
    clone->m_nWidth = 30;
    clone->m_nHeight = 20;
    site.page->AddChild(clone);
    const CDialog::ModalHook previous = CDialog::SetModalHook([](CDialog& d) {
        if (dynamic_cast<DBackground*>(&d)) {
            PressOk(d);
            return d.GetResult();
        }
        d.SendNotify(1073, BN_CLICKED);
        PressOk(d);
        return d.IsEnded() ? d.GetResult() : IDCANCEL;
    });
    DImage image;
    image.m_pItem = site.image;
    image.m_pDoc = &site.doc;
    EXPECT_EQ(image.DoModal(), IDOK);
    EXPECT_EQ(site.image->m_nPadding, 4);
    DImageClone copy;
    copy.m_pItem = clone;
    copy.m_pDoc = &site.doc;
    EXPECT_EQ(copy.DoModal(), IDOK);
    EXPECT_EQ(clone->m_nPadding, 0);
    CDialog::SetModalHook(previous);
}

TEST(ImageCloneDialog, SizesRunFromOneTo3000)
{
    const struct { const char* w; const char* h; bool ok; } cases[] = {
        {"1", "1", true}, {"3000", "20", true}, {"0", "20", false}, {"20", "3001", false}, {"-5", "20", false},
    };
    for (const auto& k : cases) {
        ImageSite site;
        CImageCloneItem clone;
        clone.m_pSource = site.image;
        clone.m_nWidth = 30;
        clone.m_nHeight = 20;
        site.image->m_strName = "photo";
        MessageLog log;
        DImageClone dlg;
        dlg.m_pItem = &clone;
        dlg.m_pDoc = &site.doc;
        const int serial = clone.m_nSerial;
        const int result = RunDialog(dlg, [&k, serial](CDialog& d) {
            EXPECT_EQ(d.GetDlgItemText(1096), CString::Formatted("photo [60 x 40] #%d", serial));
            d.SetDlgItemText(1000, k.w);
            d.SetDlgItemText(1023, k.h);
            PressOk(d);
        });
        EXPECT_EQ(result == IDOK, k.ok) << k.w << "x" << k.h;
        if (k.ok) {
            EXPECT_EQ(clone.m_nWidth, std::atoi(k.w));
            EXPECT_EQ(clone.m_nHeight, std::atoi(k.h));
        }
    }
}

// ---- the image map editor, by synthetic mouse events on its canvas

namespace {
struct MapEditor {
    ImageSite site{200, 100};
    DImageMap dlg;
    CDialog::ModalHook previous;
    MapEditor()
    {
        // a dialog nobody expects is a failure, never a wait
        previous = CDialog::SetModalHook([](CDialog& d) {
            ADD_FAILURE() << "unexpected dialog " << d.windowTitle().toStdString();
            return IDCANCEL;
        });
        dlg.m_pItem = site.image;
        dlg.m_pDoc = &site.doc;
        dlg.OnInitDialog();
        dlg.resize(400, 300);
        dlg.show();
        QApplication::processEvents();
    }
    ~MapEditor()
    {
        dlg.hide();
        CDialog::SetModalHook(previous);
    }
    CImageMapWnd& canvas() { return *dlg.m_pCanvas; }
    QPointF At(int x, int y) { return QPointF(canvas().Origin() + QPoint(x, y)); }
    void Send(QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent e(type, At(x, y), canvas().mapToGlobal(At(x, y)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(&canvas(), &e);
    }
    void Move(int x, int y, bool held = true) { Send(QEvent::MouseMove, x, y, Qt::NoButton, held ? Qt::LeftButton : Qt::NoButton); }
    void Press(int x, int y)
    {
        Move(x, y, false);
        Send(QEvent::MouseButtonPress, x, y, Qt::LeftButton, Qt::LeftButton);
    }
    void Release(int x, int y) { Send(QEvent::MouseButtonRelease, x, y, Qt::LeftButton, Qt::NoButton); }
    void Drag(int x0, int y0, int x1, int y1)
    {
        Press(x0, y0);
        Move(x1, y1);
        Release(x1, y1);
    }
    void Click(int x, int y)
    {
        Press(x, y);
        Release(x, y);
    }
    void Mode(int id) { dlg.Action(id)->trigger(); }
    std::vector<std::unique_ptr<CImageMapArea>>& areas() { return site.image->m_areas; }
};
} // namespace

TEST(ImageMap, RectanglesAndCirclesAreKeptAsDraggedAndClamped)
{
    MapEditor m;
    m.Drag(150, 80, 20, 10);
    ASSERT_EQ(m.areas().size(), 1u);
    EXPECT_EQ(m.areas()[0]->m_nKind, CImageMapArea::Rect);
    EXPECT_EQ(m.areas()[0]->m_rect, CRect(150, 80, 20, 10)) << "stored as dragged";
    m.Mode(ID_MAP_CIRCLE);
    EXPECT_TRUE(m.dlg.Action(ID_MAP_CIRCLE)->isChecked());
    EXPECT_FALSE(m.dlg.Action(ID_MAP_RECTANGLE)->isChecked());
    m.Drag(160, 50, 260, 140); // beyond the picture: clamped to its last pixel on release
    ASSERT_EQ(m.areas().size(), 2u);
    EXPECT_EQ(m.areas()[1]->m_nKind, CImageMapArea::Circle);
    EXPECT_EQ(m.areas()[1]->m_rect, CRect(160, 50, 199, 99));
    // a plain click (no drag) makes no area
    m.Mode(ID_MAP_RECTANGLE);
    m.Click(5, 95);
    EXPECT_EQ(m.areas().size(), 2u);
    Screenshot(m.dlg, "image-map-areas");
}

TEST(ImageMap, PolygonClosesBySnappingOntoItsFirstPoint)
{
    MapEditor m;
    m.Mode(ID_MAP_POLYGON);
    m.Press(10, 10);
    m.Move(60, 10);
    m.Release(60, 10);
    m.Click(60, 10); // no movement: no point
    m.Move(60, 60);
    m.Release(60, 60);
    m.Press(60, 60);
    m.Move(12, 8); // within 3 pixels of the first point: snapped
    EXPECT_EQ(m.canvas().m_points.back(), CPoint(10, 10));
    m.Release(12, 8);
    ASSERT_EQ(m.areas().size(), 1u);
    const CImageMapArea& poly = *m.areas()[0];
    EXPECT_EQ(poly.m_nKind, CImageMapArea::Polygon);
    const std::vector<CPoint> want = {CPoint(10, 10), CPoint(60, 10), CPoint(60, 60), CPoint(10, 10)};
    EXPECT_EQ(poly.m_points, want);
    EXPECT_FALSE(m.canvas().m_bDrawing);
    Screenshot(m.dlg, "image-map-polygon");
}

TEST(ImageMap, PolygonRefusesPointsBeyondTheLimit)
{
    MapEditor m;
    m.Mode(ID_MAP_POLYGON);
    m.Press(1, 1);
    for (int i = 0; i < 1100; ++i) {
        const int x = 20 + (i % 2) * 100, y = 20 + (i % 3) * 20;
        m.Move(x, y);
        m.Release(x, y);
        m.Press(x, y);
    }
    EXPECT_EQ(m.canvas().m_points.size(), std::size_t(CImageMapWnd::kMaxPoints));
    EXPECT_TRUE(m.areas().empty());
}

TEST(ImageMap, ClickOnAnAreaOpensItsLinkAndTheLastAreaWins)
{
    MapEditor m;
    m.Drag(10, 10, 100, 80);
    m.Drag(150, 90, 50, 40); // started outside the first, overlapping it
    ASSERT_EQ(m.areas().size(), 2u);
    CImageMapArea* second = m.areas()[1].get();
    CItemLink* opened = nullptr;
    CDialog::SetModalHook([&opened](CDialog& d) {
        auto* link = dynamic_cast<DLink*>(&d);
        EXPECT_NE(link, nullptr);
        if (link)
            opened = link->m_pLink;
        d.OnCancel();
        return IDCANCEL;
    });
    m.Move(70, 60, false); // in both
    m.Press(70, 60);
    m.Release(70, 60);
    EXPECT_EQ(opened, &second->m_link) << "overlaps take the last";
    EXPECT_EQ(m.areas().size(), 2u) << "a cancelled link changes nothing";
    // the Link dialog's Delete removes the area
    CDialog::SetModalHook([](CDialog& d) {
        d.SendNotify(3, BN_CLICKED);
        return d.IsEnded() ? d.GetResult() : IDCANCEL;
    });
    m.Move(20, 20, false);
    m.Press(20, 20);
    m.Release(20, 20);
    ASSERT_EQ(m.areas().size(), 1u);
    EXPECT_EQ(m.areas()[0].get(), second);
}

TEST(ImageMap, CancelBringsBackTheAreasItOpenedWith)
{
    ImageSite site{200, 100};
    auto kept = std::make_unique<CImageMapArea>();
    kept->m_rect = CRect(1, 2, 30, 40);
    kept->m_link.m_strUrl = "https://example.com/";
    site.image->m_areas.push_back(std::move(kept));
    for (bool ok : {false, true}) {
        DImageMap dlg;
        dlg.m_pItem = site.image;
        dlg.m_pDoc = &site.doc;
        RunDialog(dlg, [ok](CDialog& d) {
            auto& map = static_cast<DImageMap&>(d);
            map.m_pItem->m_areas.clear();
            auto added = std::make_unique<CImageMapArea>();
            added->m_rect = CRect(5, 5, 50, 50);
            map.m_pItem->m_areas.push_back(std::move(added));
            map.Action(ok ? ID_MAP_OK : ID_MAP_CANCEL)->trigger();
        });
        ASSERT_EQ(site.image->m_areas.size(), 1u);
        if (!ok) {
            EXPECT_EQ(site.image->m_areas[0]->m_rect, CRect(1, 2, 30, 40));
            EXPECT_EQ(site.image->m_areas[0]->m_link.m_strUrl, CString("https://example.com/"));
        } else {
            EXPECT_EQ(site.image->m_areas[0]->m_rect, CRect(5, 5, 50, 50));
        }
    }
}

// ---- Insert Image

TEST(InsertImageDialog, ResultsByButton)
{
    ImageSite site;
    site.image->m_nWidth = 60;
    site.image->m_nHeight = 40;
    CImageItem* titled = site.Add(ITEM_IMAGE, "logo", ".png", 20, 10);
    titled->m_strText.FromUtf8("Our logo");
    const struct { int button; int result; bool chosen; } cases[] = {
        {IDOK, IDOK, true}, {1025, IDOK, false}, {1026, 57637, false}, {1027, 33015, false}, {IDCANCEL, IDCANCEL, false},
    };
    QImage clip(4, 4, QImage::Format_RGB32);
    clip.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(clip);
    for (const auto& k : cases) {
        DInsertImage dlg;
        dlg.m_candidates = {site.image, titled};
        dlg.m_strLoadCaption = "Load New Image from File";
        dlg.m_pChosen = titled; // preselected
        const int button = k.button;
        const int result = RunDialog(dlg, [button](CDialog& d) {
            auto* list = qobject_cast<QListWidget*>(d.GetDlgItem(1078));
            ASSERT_EQ(list->count(), 2);
            EXPECT_EQ(list->item(0)->text(), QStringLiteral("photo.png [ 60 x 40 ]"));
            EXPECT_EQ(list->item(1)->text(), QStringLiteral("Our logo [ 20 x 10 ]"));
            EXPECT_EQ(list->currentRow(), 1);
            EXPECT_EQ(d.GetDlgItemText(1025), CString("Load New Image from File"));
            EXPECT_TRUE(d.GetDlgItem(1026)->isEnabled()) << "a picture on the clipboard";
            list->setCurrentRow(0);
            PressButton(d, button);
        });
        EXPECT_EQ(result, k.result) << k.button;
        if (k.result == IDOK) {
            EXPECT_EQ(dlg.m_pChosen, k.chosen ? site.image : nullptr) << k.button;
        }
    }
    QGuiApplication::clipboard()->clear();
}

TEST(InsertImageDialog, NoCandidatesMeansLoadingANewFileAtOnce)
{
    DInsertImage dlg;
    int hooked = 0;
    const int result = RunDialog(dlg, [&hooked](CDialog& d) {
        ++hooked;
        EXPECT_TRUE(d.IsEnded()) << "ended by its own opening";
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_pChosen, nullptr);
}
