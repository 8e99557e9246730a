// Gallery, table and slider dialogs on real items: list edits, fitting, thumbnails,
// positions and enabling; Cancel through the opener's edit scope leaves the item's
// archive as it was.
#include "DialogTestSupport.h"

#include "controls/DialogKit.h"
#include "controls/FileChooser.h"
#include "dialogs/FontDialogs.h"
#include "dialogs/GalleryDialogs.h"
#include "dialogs/ImageCrop.h"
#include "dialogs/SizeDialogs.h"
#include "dialogs/SliderDialogs.h"
#include "dialogs/TableDialogs.h"
#include "document/EditScope.h"
#include "document/ImageItemImport.h"
#include "document/KJDoc.h"
#include "model/FillStyle.h"
#include "model/Page.h"
#include "model/PageOutput.h"
#include "model/items/GalleryItem.h"
#include "model/items/ImageItem.h"
#include "model/items/SliderItem.h"
#include "model/items/TableItem.h"
#include "model/items/TextItem.h"
#include "tests/support/ExternalTools.h"

#include <gtest/gtest.h>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMenu>

using namespace dialogtest;

namespace {

void Click(CDialog& d, int id) { qobject_cast<QAbstractButton*>(d.GetDlgItem(id))->click(); }
bool IsOn(CDialog& d, int id) { return d.GetDlgItem(id)->isEnabled(); }

CString Picture(const QTemporaryDir& dir, const char* name, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(40, 90, 160));
    const QString path = dir.filePath(QString::fromLatin1(name));
    EXPECT_TRUE(image.save(path, "PNG"));
    return CString::FromQString(path);
}

// Answers the next file choosers with these files (none: cancelled).
struct ChooseFiles {
    CFileChooser::DialogHook previous;
    explicit ChooseFiles(std::vector<CString> paths)
    {
        previous = CFileChooser::SetDialogHook([paths](CFileChooser& chooser, bool) {
            if (paths.empty())
                return false;
            std::vector<CString> names;
            for (const CString& p : paths)
                names.push_back(CString::FromQString(QFileInfo(p.ToQString()).fileName()));
            chooser.SetSelection(CString::FromQString(QFileInfo(paths[0].ToQString()).absolutePath()), names);
            return true;
        });
    }
    ~ChooseFiles() { CFileChooser::SetDialogHook(previous); }
};

// A project with one page for the items under test.
struct Project {
    CKJDoc doc;
    CPage* page = nullptr;
    Project()
    {
        auto p = std::make_unique<CPage>();
        p->m_nWidth = 1000;
        p->m_nHeight = 800;
        p->m_strBaseName = "index";
        p->m_strExtension = ".html";
        doc.m_pages.push_back(std::move(p));
        page = doc.m_pages.front().get();
    }
    std::string Bytes(CItem& item)
    {
        CDataBlock block;
        CKJDoc::WriteSnapshot(item, block);
        return std::string(reinterpret_cast<const char*>(block.Data()), block.Size());
    }
};

// A gallery of pictures of the given sizes, placed on the page.
CGalleryItem* AddGallery(Project& p, const QTemporaryDir& dir, const std::vector<std::pair<int, int>>& sizes)
{
    auto* gallery = new CGalleryItem;
    gallery->m_strName = "Gallery1";
    gallery->SetSiteStyles(&p.doc.m_styles);
    int k = 0;
    for (const auto& [w, h] : sizes) {
        const CString path = Picture(dir, CString::Formatted("g%d.png", k++).GetString(), w, h);
        CImageItem* picture = CreateImageItemFromFile(p.doc, path);
        EXPECT_TRUE(picture);
        picture->m_nWidth = w;
        picture->m_nHeight = h;
        MakeScaledCopy(*gallery, *picture);
        gallery->AddPicture(picture);
    }
    gallery->m_nWidth = 616;
    gallery->m_nHeight = 540;
    gallery->RecalcLayout();
    p.page->AddChild(gallery);
    return gallery;
}

std::vector<CImageItem*> Pictures(const CGalleryItem& g)
{
    std::vector<CImageItem*> out;
    for (const auto& p : g.m_pictures)
        out.push_back(p.get());
    return out;
}

// A page of the project as the generator writes it.
CString PageHtml(Project& p)
{
    CPageOutput out;
    p.page->WriteHtml(out);
    return "<!DOCTYPE html>\r\n<html><head><meta charset=\"utf-8\"><title>t</title></head><body>\r\n" + out.m_strBody +
           "</body></html>\r\n";
}

void Mouse(QWidget* w, QEvent::Type type, QPoint p)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Crops the picture in the crop dialog to (10, 10, 60, 40) and confirms.
int CropTo50By30(CDialog& d)
{
    auto* canvas = static_cast<DImageCrop&>(d).m_pCanvas;
    canvas->resize(300, 200);
    Mouse(canvas, QEvent::MouseButtonPress, canvas->ToClient({10, 10}));
    Mouse(canvas, QEvent::MouseMove, canvas->ToClient({60, 40}));
    Mouse(canvas, QEvent::MouseButtonRelease, canvas->ToClient({60, 40}));
    Mouse(canvas, QEvent::MouseButtonPress, canvas->ToClient({30, 20})); // inside: OK
    return d.IsEnded() ? d.GetResult() : IDCANCEL;
}

} // namespace

// ------------------------------------------------------------------ gallery

TEST(GalleryDialogs, FittingComparesCrossProducts)
{
    const struct {
        int w, h, W, H;
        bool ok;
        int outW, outH;
    } cases[] = {
        {1200, 400, 600, 400, true, 600, 200}, {1100, 450, 600, 400, true, 600, 245}, {400, 1200, 600, 400, true, 133, 400},
        {600, 400, 600, 400, true, 600, 400},  {90, 60, 600, 400, true, 90, 60},      {601, 401, 600, 400, true, 599, 400},
        {300, 200, 0, 400, false, 0, 0},       {300, 200, 600, 0, false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " in " << c.W << "x" << c.H);
        int w = 0, h = 0;
        EXPECT_EQ(FitIntoBox(c.w, c.h, c.W, c.H, w, h), c.ok);
        if (!c.ok)
            continue;
        EXPECT_EQ(w, c.outW);
        EXPECT_EQ(h, c.outH);
        EXPECT_LE(w, c.W);
        EXPECT_LE(h, c.H);
    }
}

TEST(GalleryDialogs, InsertGalleryOkOnlyAfterAddImagesAndPresets)
{
    QTemporaryDir dir;
    const CString a = Picture(dir, "first.png", 10, 10), b = Picture(dir, "second.png", 10, 10);
    DInsertGallery dlg;
    ChooseFiles files({a, b});
    std::vector<CString> captions;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
        if (auto* size = dynamic_cast<DResize*>(&d)) {
            captions.push_back(size->m_strCaption);
            EXPECT_EQ(size->m_nWidth, 300); // the box chosen before
            size->m_nWidth = 320;
            size->m_nHeight = 240;
            return IDOK;
        }
        EXPECT_FALSE(IsOn(d, IDOK));
        auto* pictures = qobject_cast<QComboBox*>(d.GetDlgItem(1036));
        auto* thumbs = qobject_cast<QComboBox*>(d.GetDlgItem(1037));
        EXPECT_EQ(pictures->currentIndex(), 3);
        EXPECT_EQ(thumbs->currentIndex(), 3);
        pictures->setCurrentIndex(2);
        emit pictures->activated(2);
        pictures->setCurrentIndex(0);
        emit pictures->activated(0);
        thumbs->setCurrentIndex(5);
        emit thumbs->activated(5);
        Click(d, 1025);
        EXPECT_TRUE(IsOn(d, IDOK));
        Click(d, 1025); // repeated use appends
        auto* list = qobject_cast<QListWidget*>(d.GetDlgItem(1078));
        EXPECT_EQ(list->count(), 4);
        EXPECT_EQ(list->item(1)->text(), QStringLiteral("second"));
        d.OnOK();
        return d.GetResult();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    CDialog::SetModalHook(previous);
    ASSERT_EQ(captions.size(), 1u);
    EXPECT_EQ(captions[0], "Image Size");
    EXPECT_EQ(dlg.m_nWidth, 320);
    EXPECT_EQ(dlg.m_nHeight, 240);
    EXPECT_EQ(dlg.m_nThumbWidth, 300);
    EXPECT_EQ(dlg.m_nThumbHeight, 200);
    EXPECT_EQ(dlg.m_files, (std::vector<CString>{a, b, a, b}));
}

TEST(GalleryDialogs, AddFitsIntoTheCurrentPictureAndGivesEveryPictureItsThumbnail)
{
    QTemporaryDir dir;
    Project p;
    CGalleryItem* gallery = AddGallery(p, dir, {{600, 400}});
    const CString wide = Picture(dir, "wide.png", 1200, 400), inside = Picture(dir, "inside.png", 1100, 450),
                  small = Picture(dir, "small.png", 80, 50);
    QFile bad(dir.filePath(QStringLiteral("broken.png")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();
    const CString broken = CString::FromQString(bad.fileName());
    MessageLog said;
    ChooseFiles files({wide, broken, inside, small});
    DGallery dlg;
    dlg.m_pItem = gallery;
    dlg.m_pDoc = &p.doc;
    RunDialog(dlg, [](CDialog& d) { Click(d, 4); });
    ASSERT_EQ(gallery->m_pictures.size(), 4u) << "the undecodable file is skipped, the others added";
    EXPECT_EQ(said.texts.size(), 1u) << "the unreadable file is named";
    const int expected[3][2] = {{600, 200}, {600, 245}, {80, 50}};
    for (int i = 0; i < 3; ++i) {
        const CImageItem& picture = *gallery->m_pictures[std::size_t(i) + 1];
        EXPECT_EQ(picture.m_picture.GetWidth(), expected[i][0]) << i;
        EXPECT_EQ(picture.m_picture.GetHeight(), expected[i][1]) << i;
        EXPECT_TRUE(picture.m_pLinked) << "picture " << i << " has its thumbnail";
    }
    EXPECT_EQ(gallery->m_pictures[1]->m_strText, CWString(u"wide"));
    // the rows show what the gallery holds
    EXPECT_EQ(dlg.List()->GetItemCount(), 4);
    EXPECT_EQ(dlg.List()->GetItemText(1, 1), "600x200");
    EXPECT_FALSE(dlg.List()->GetItemText(3, 3).IsEmpty());
    const CString html = PageHtml(p);
    EXPECT_EQ(testsupport::TidyErrors(QByteArray(html.GetString())), QByteArray()) << html.GetString();
}

TEST(GalleryDialogs, MakeFirstAndLastMoveTheSelectedRowsAndTheButtonsFollowTheSelection)
{
    QTemporaryDir dir;
    Project p;
    CGalleryItem* gallery = AddGallery(p, dir, {{10, 10}, {20, 20}, {30, 30}, {40, 40}});
    const std::vector<CImageItem*> was = Pictures(*gallery);
    DGallery dlg;
    dlg.m_pItem = gallery;
    dlg.m_pDoc = &p.doc;
    RunDialog(dlg, [&](CDialog&) {
        CReportList* list = dlg.List();
        for (int id : {3, 5, 6})
            EXPECT_FALSE(IsOn(dlg, id)) << id << " without a selection";
        list->SelectRow(0);
        EXPECT_TRUE(IsOn(dlg, 3));
        EXPECT_FALSE(IsOn(dlg, 5)) << "the first row cannot move up";
        EXPECT_TRUE(IsOn(dlg, 6));
        list->SelectRow(0, false);
        list->SelectRow(2);
        list->SelectRow(3);
        Click(dlg, 5);
    });
    EXPECT_EQ(Pictures(*gallery), (std::vector<CImageItem*>{was[3], was[2], was[0], was[1]}));
    DGallery again;
    again.m_pItem = gallery;
    again.m_pDoc = &p.doc;
    RunDialog(again, [&](CDialog&) {
        again.List()->SelectRow(0);
        again.List()->SelectRow(1);
        Click(again, 6);
    });
    EXPECT_EQ(Pictures(*gallery), (std::vector<CImageItem*>{was[0], was[1], was[3], was[2]}));
    const CString html = PageHtml(p);
    EXPECT_EQ(testsupport::TidyErrors(QByteArray(html.GetString())), QByteArray());
}

TEST(GalleryDialogs, AfterDeletingEveryPictureAddAsksForTheBoxFrom600By400)
{
    QTemporaryDir dir;
    Project p;
    CGalleryItem* gallery = AddGallery(p, dir, {{10, 10}, {20, 20}});
    const CString big = Picture(dir, "big.png", 900, 900);
    ChooseFiles files({big});
    std::vector<std::pair<int, int>> asked;
    int answer = IDCANCEL;
    DGallery dlg;
    dlg.m_pItem = gallery;
    dlg.m_pDoc = &p.doc;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
        if (auto* size = dynamic_cast<DResize*>(&d)) {
            asked.emplace_back(size->m_nWidth, size->m_nHeight);
            EXPECT_EQ(size->m_strCaption, "Maximum Image Size");
            size->m_nWidth = 300;
            return answer;
        }
        dlg.List()->SelectRow(0);
        dlg.List()->SelectRow(1);
        Click(d, 3);
        EXPECT_TRUE(gallery->m_pictures.empty());
        EXPECT_EQ(dlg.List()->GetItemCount(), 0);
        Click(d, 4); // refused box: nothing added
        EXPECT_TRUE(gallery->m_pictures.empty());
        answer = IDOK;
        Click(d, 4);
        return IDOK;
    });
    dlg.DoModal();
    CDialog::SetModalHook(previous);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], std::make_pair(600, 400));
    ASSERT_EQ(gallery->m_pictures.size(), 1u);
    EXPECT_EQ(gallery->m_pictures[0]->m_picture.GetWidth(), 300);
    EXPECT_EQ(gallery->m_pictures[0]->m_picture.GetHeight(), 300);
}

TEST(GalleryDialogs, CancelThroughTheOpenersScopeLeavesTheGalleryByteIdentical)
{
    QTemporaryDir dir;
    Project p;
    AddGallery(p, dir, {{10, 10}, {20, 20}, {30, 30}});
    const std::string before = p.Bytes(*p.page);
    ChooseFiles files({Picture(dir, "more.png", 50, 50)});
    {
        CEditScope scope(p.doc, p.page, p.page, p.page->GetChild(0), "Properties");
        DGallery dlg;
        dlg.m_pItem = static_cast<CGalleryItem*>(p.page->GetChild(0));
        dlg.m_pDoc = &p.doc;
        const int result = RunDialog(dlg, [&](CDialog& d) {
            dlg.List()->SelectRow(2);
            Click(d, 5);
            dlg.List()->SelectRow(0);
            Click(d, 3);
            Click(d, 4);
            PressCancel(d);
        });
        EXPECT_EQ(result, IDCANCEL);
        scope.Cancel();
    }
    EXPECT_EQ(p.Bytes(*p.page), before);
    EXPECT_TRUE(p.doc.m_undo.IsEmpty());
    EXPECT_EQ(static_cast<CGalleryItem*>(p.page->GetChild(0))->m_pictures.size(), 3u);
}

TEST(GalleryDialogs, ADoubleClickCropsThePictureAndCancelThroughTheScopePutsItBack)
{
    QTemporaryDir dir;
    Project p;
    CGalleryItem* gallery = AddGallery(p, dir, {{100, 80}, {120, 90}});
    const std::string before = p.Bytes(*p.page);
    for (bool keep : {true, false}) {
        SCOPED_TRACE(keep);
        auto scope = std::make_unique<CEditScope>(p.doc, p.page, p.page, p.page->GetChild(0), "Properties");
        gallery = static_cast<CGalleryItem*>(p.page->GetChild(0));
        DGallery dlg;
        dlg.m_pItem = gallery;
        dlg.m_pDoc = &p.doc;
        int crops = 0;
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
            if (dynamic_cast<DImageCrop*>(&d)) {
                ++crops;
                return CropTo50By30(d);
            }
            dlg.List()->SelectRow(0);
            emit dlg.List()->itemDoubleClicked(dlg.List()->topLevelItem(0), 0);
            return keep ? IDOK : IDCANCEL;
        });
        dlg.DoModal();
        CDialog::SetModalHook(previous);
        EXPECT_EQ(crops, 1);
        const CImageItem& cropped = *gallery->m_pictures[0];
        EXPECT_EQ(cropped.m_picture.GetWidth(), 50);
        EXPECT_EQ(cropped.m_picture.GetHeight(), 30);
        EXPECT_EQ(cropped.m_nWidth, 50);
        EXPECT_EQ(cropped.m_nHeight, 30);
        ASSERT_TRUE(cropped.m_pLinked);
        EXPECT_EQ(cropped.m_pLinked->m_nHeight, 70) << "the thumbnail is made again";
        EXPECT_EQ(cropped.m_pLinked->m_nWidth, 116);
        EXPECT_EQ(dlg.List()->GetItemText(0, 1), "50x30");
        if (!keep)
            scope->Cancel();
        scope.reset();
        if (keep) {
            EXPECT_NE(p.Bytes(*p.page), before);
            p.doc.Undo(); // back for the second round
        }
    }
    EXPECT_EQ(p.Bytes(*p.page), before) << "Cancel puts the cropped picture back";
}

TEST(GalleryDialogs, Screenshot)
{
    QTemporaryDir dir;
    Project p;
    CGalleryItem* gallery = AddGallery(p, dir, {{640, 480}, {300, 200}});
    DGallery dlg;
    dlg.m_pItem = gallery;
    dlg.m_pDoc = &p.doc;
    RunDialog(dlg, [](CDialog& d) { Screenshot(d, "DGallery"); });
    EXPECT_EQ(dlg.List()->columnCount(), 4);
    EXPECT_EQ(dlg.List()->GetItemText(0, 1), "640x480");
}

// ------------------------------------------------------------------ table

namespace {
CTableItem* AddTable(Project& p, int columns, int rows)
{
    auto* table = new CTableItem;
    table->m_strName = "Table1";
    table->SetSiteStyles(&p.doc.m_styles);
    for (int c = 0; c < columns; ++c) {
        CTableColumn& column = table->AddColumn();
        column.m_strHeader = CString::Formatted("Col %d", c + 1).GetString();
        column.m_nWidth = 80;
    }
    for (int r = 0; r < rows; ++r) {
        CTableRow& row = table->AddRow();
        for (int c = 0; c < columns; ++c) {
            row.m_cells[c] = std::make_unique<CWString>();
            *row.m_cells[c] = CString::Formatted("%c%d", 'A' + c, r + 1).GetString();
        }
    }
    table->m_nWidth = 400;
    table->m_nHeight = 200;
    table->RecalcLayout();
    p.page->AddChild(table);
    return table;
}

CString FirstCell(const CTableRow& row) { return row.m_cells[0] ? CString(row.m_cells[0]->GetUtf8()) : CString(); }
} // namespace

TEST(TableDialogs, RecordHeightFollowsTheColumns)
{
    const int cases[][2] = {{1, 240}, {5, 240}, {6, 240}, {7, 258}, {10, 324}, {24, 632}};
    for (const auto& c : cases) {
        EXPECT_EQ(RecordDialogHeight(c[0]), c[1]) << c[0];
        Project p;
        CTableItem* table = AddTable(p, c[0], 1);
        DRecord dlg;
        dlg.m_pTable = table;
        dlg.m_pRow = table->m_rows[0].get();
        dlg.m_strCaption = "Edit Record";
        RunDialog(dlg, [&](CDialog& d) {
            EXPECT_EQ(d.height(), c[1]) << c[0] << " columns";
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Edit Record"));
            EXPECT_TRUE(d.GetDlgItem(2000 + c[0] - 1)->isVisibleTo(&d));
            if (c[0] < 24) {
                EXPECT_FALSE(d.GetDlgItem(2000 + c[0])->isVisibleTo(&d));
            }
        });
    }
}

TEST(TableDialogs, RecordCreatesMissingCellsAndKeepsLongOnes)
{
    Project p;
    CTableItem* table = AddTable(p, 3, 1);
    CTableRow& row = *table->m_rows[0];
    row.m_cells[2].reset(); // made when the table had fewer columns
    const QString longText(12000, QLatin1Char('x'));
    DRecord dlg;
    dlg.m_pTable = table;
    dlg.m_pRow = &row;
    EXPECT_EQ(RunDialog(dlg,
                        [&](CDialog& d) {
                            EXPECT_EQ(d.GetDlgItemText(2000), "A1");
                            EXPECT_EQ(d.GetDlgItemText(2002), "");
                            qobject_cast<QLineEdit*>(d.GetDlgItem(2001))->setText(longText);
                            PressOk(d);
                        }),
              IDOK);
    ASSERT_TRUE(row.m_cells[2]);
    EXPECT_TRUE(row.m_cells[2]->IsEmpty());
    EXPECT_EQ(row.m_cells[1]->ToQString(), longText) << "a cell over 9999 characters is kept";
    EXPECT_FALSE(row.m_cells[3]) << "no cell beyond the columns";
}

TEST(TableDialogs, AddInsertBeforeAndAfterPlaceTheNewRow)
{
    const struct {
        const char* what;
        int selected; // -1 none
        bool before;
        std::vector<const char*> order;
    } cases[] = {
        {"add without selection", -1, false, {"A1", "A2", "A3", "new"}},
        {"add after the last", 2, false, {"A1", "A2", "A3", "new"}},
        {"insert after the first", 0, false, {"A1", "new", "A2", "A3"}},
        {"insert before the second", 1, true, {"A1", "new", "A2", "A3"}},
        {"insert before the first", 0, true, {"new", "A1", "A2", "A3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Project p;
        CTableItem* table = AddTable(p, 2, 3);
        DTable dlg;
        dlg.m_pItem = table;
        dlg.m_pDoc = &p.doc;
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
            if (auto* record = dynamic_cast<DRecord*>(&d)) {
                EXPECT_EQ(record->windowTitle(), QStringLiteral("New Record"));
                d.SetDlgItemText(2000, "new");
                d.OnOK();
                return d.GetResult();
            }
            if (c.selected >= 0)
                dlg.List()->SelectRow(c.selected);
            dlg.OnAdd(c.before);
            d.OnOK();
            return d.GetResult();
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        CDialog::SetModalHook(previous);
        ASSERT_EQ(table->m_rows.size(), c.order.size());
        for (std::size_t i = 0; i < c.order.size(); ++i) {
            EXPECT_EQ(FirstCell(*table->m_rows[i]), c.order[i]) << i;
            EXPECT_EQ(dlg.List()->GetItemText(int(i), 0), c.order[i]) << "list row " << i;
        }
    }
}

TEST(TableDialogs, TheRowMenusEntriesRunTheirCommands)
{
    const struct {
        UINT id;
        const char* text;
        std::vector<const char*> order; // with the second row selected
    } cases[] = {{ID_TABLE_DELETE, "Delete", {"A1", "A3"}},
                 {ID_TABLE_INSERT_BEFORE, "Insert Before", {"A1", "new", "A2", "A3"}},
                 {ID_TABLE_INSERT_AFTER, "Insert After", {"A1", "A2", "new", "A3"}},
                 {ID_TABLE_EDIT, "Edit", {"A1", "new", "A3"}}};
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        const auto& c = cases[k];
        SCOPED_TRACE(c.text);
        Project p;
        CTableItem* table = AddTable(p, 2, 3);
        DTable dlg;
        dlg.m_pItem = table;
        dlg.m_pDoc = &p.doc;
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
            if (dynamic_cast<DRecord*>(&d)) {
                d.SetDlgItemText(2000, "new");
                d.OnOK();
                return d.GetResult();
            }
            const std::unique_ptr<QMenu> menu = dlg.CreateRowMenu();
            const QList<QAction*> actions = menu->actions();
            EXPECT_EQ(actions.size(), 4);
            EXPECT_EQ(actions[qsizetype(k)]->text(), QString::fromUtf8(c.text));
            EXPECT_EQ(UINT(actions[qsizetype(k)]->data().toInt()), c.id);
            dlg.List()->SelectRow(1);
            dlg.OnRowCommand(c.id);
            d.OnOK();
            return d.GetResult();
        });
        dlg.DoModal();
        CDialog::SetModalHook(previous);
        ASSERT_EQ(table->m_rows.size(), c.order.size());
        for (std::size_t i = 0; i < c.order.size(); ++i)
            EXPECT_EQ(FirstCell(*table->m_rows[i]), c.order[i]) << i;
    }
}

TEST(TableDialogs, WidthsAreStoredOnOkAndBeforeAnEditNotOnCancel)
{
    for (int way = 0; way < 3; ++way) { // 0 OK, 1 Cancel, 2 Edit then Cancel
        SCOPED_TRACE(way);
        Project p;
        CTableItem* table = AddTable(p, 3, 2);
        DTable dlg;
        dlg.m_pItem = table;
        dlg.m_pDoc = &p.doc;
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
            if (dynamic_cast<DRecord*>(&d))
                return IDCANCEL;
            dlg.List()->setColumnWidth(1, 155);
            if (way == 2) {
                dlg.List()->SelectRow(0);
                dlg.OnEdit();
            }
            if (way == 0)
                d.OnOK();
            else
                d.OnCancel();
            return d.GetResult();
        });
        dlg.DoModal();
        CDialog::SetModalHook(previous);
        EXPECT_EQ(table->m_columns[1]->m_nWidth, way == 1 ? 80 : 155);
        EXPECT_EQ(table->m_columns[0]->m_nWidth, 80);
    }
}

TEST(TableDialogs, DeleteEditAndColumnHeader)
{
    Project p;
    CTableItem* table = AddTable(p, 2, 3);
    DTable dlg;
    dlg.m_pItem = table;
    dlg.m_pDoc = &p.doc;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
        if (dynamic_cast<DRecord*>(&d)) {
            d.SetDlgItemText(2001, "edited");
            d.OnOK();
            return d.GetResult();
        }
        if (dynamic_cast<DTableColumn*>(&d)) {
            d.SetDlgItemText(1000, "Price");
            d.SetDlgItemText(1001, "140");
            d.OnOK();
            return d.GetResult();
        }
        EXPECT_FALSE(IsOn(d, 1026));
        EXPECT_FALSE(IsOn(d, 1027));
        dlg.List()->SelectRow(1);
        EXPECT_TRUE(IsOn(d, 1026));
        Click(d, 1026);
        dlg.List()->SelectRow(1);
        Click(d, 1027);
        dlg.OnColumn(1);
        d.OnOK();
        return d.GetResult();
    });
    dlg.DoModal();
    CDialog::SetModalHook(previous);
    ASSERT_EQ(table->m_rows.size(), 2u);
    EXPECT_EQ(FirstCell(*table->m_rows[1]), "A3");
    EXPECT_EQ(CString(table->m_rows[1]->m_cells[1]->GetUtf8()), "edited");
    EXPECT_EQ(table->m_columns[1]->m_strHeader, CWString(u"Price"));
    EXPECT_EQ(table->m_columns[1]->m_nWidth, 140) << "the header's width is what OK stores";
    EXPECT_EQ(dlg.List()->headerItem()->text(1), QStringLiteral("Price"));
    const CString html = PageHtml(p);
    EXPECT_EQ(testsupport::TidyErrors(QByteArray(html.GetString())), QByteArray()) << html.GetString();
}

TEST(TableDialogs, CreateTableOffersOneTo24AndCancelThroughTheScopeKeepsTheTable)
{
    DCreateTable create;
    RunDialog(create, [](CDialog& d) {
        auto* columns = qobject_cast<QComboBox*>(d.GetDlgItem(1018));
        EXPECT_EQ(columns->count(), 24);
        EXPECT_EQ(columns->currentIndex(), 4);
        columns->setCurrentIndex(23);
        PressOk(d);
    });
    EXPECT_EQ(create.m_nColumns, 23);

    Project p;
    AddTable(p, 3, 3);
    const std::string before = p.Bytes(*p.page);
    {
        CEditScope scope(p.doc, p.page, p.page, p.page->GetChild(0), "Properties");
        DTable dlg;
        dlg.m_pItem = static_cast<CTableItem*>(p.page->GetChild(0));
        dlg.m_pDoc = &p.doc;
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
            if (dynamic_cast<DRecord*>(&d) || dynamic_cast<DTableColumn*>(&d)) {
                d.SetDlgItemText(d.GetDlgItem(2000) ? 2000 : 1000, "changed");
                d.OnOK();
                return d.GetResult();
            }
            dlg.List()->SelectRow(0);
            dlg.OnEdit();
            dlg.OnColumn(0);
            dlg.List()->SelectRow(2);
            dlg.OnDelete();
            dlg.OnAdd();
            d.OnCancel();
            return d.GetResult();
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        CDialog::SetModalHook(previous);
        scope.Cancel();
    }
    EXPECT_EQ(p.Bytes(*p.page), before);
}

TEST(TableDialogs, FontsGoThroughTheFontDialogAndBordersHasNoAction)
{
    for (bool header : {true, false}) {
        SCOPED_TRACE(header);
        Project p;
        CTableItem* table = AddTable(p, 2, 2);
        table->m_strHeaderFace = "Verdana";
        table->m_strFontFace = "Arial";
        const std::string before = p.Bytes(*table);
        DTable dlg;
        dlg.m_pItem = table;
        dlg.m_pDoc = &p.doc;
        int opened = 0;
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
            if (auto* font = dynamic_cast<DFont*>(&d)) {
                ++opened;
                EXPECT_EQ(font->m_strFace, header ? "Verdana" : "Arial");
                font->m_strFace = "Georgia";
                font->m_nSize = 14;
                font->m_nUnderline = 2;
                font->m_crColor = 0x123456;
                return IDOK;
            }
            Click(d, 1030); // Borders: nothing opens, nothing changes
            EXPECT_EQ(opened, 0);
            EXPECT_EQ(p.Bytes(*table), before);
            Click(d, header ? 1028 : 1029);
            d.OnOK();
            return d.GetResult();
        });
        dlg.DoModal();
        CDialog::SetModalHook(previous);
        EXPECT_EQ(opened, 1);
        EXPECT_EQ(header ? table->m_strHeaderFace : table->m_strFontFace, "Georgia");
        EXPECT_EQ(header ? table->m_nHeaderSize : table->m_nFontSize, 14);
        EXPECT_EQ(header ? table->m_nHeaderDecoration : table->m_nDecoration, 2);
        EXPECT_EQ(header ? table->m_crHeaderText : table->m_crText, 0x123456u);
        EXPECT_EQ(header ? table->m_strFontFace : table->m_strHeaderFace, header ? "Arial" : "Verdana");
    }
}

TEST(TableDialogs, Screenshot)
{
    Project p;
    CTableItem* table = AddTable(p, 4, 5);
    DTable dlg;
    dlg.m_pItem = table;
    dlg.m_pDoc = &p.doc;
    RunDialog(dlg, [](CDialog& d) { Screenshot(d, "DTable"); });
    EXPECT_EQ(dlg.List()->GetItemCount(), 5);
}

// ------------------------------------------------------------------ slider

namespace {
CSliderItem* AddSlider(Project& p, int frames)
{
    auto* slider = new CSliderItem;
    slider->m_strName = "Slider1";
    slider->m_nWidth = 900;
    slider->m_nHeight = 300;
    slider->SetSiteStyles(&p.doc.m_styles);
    p.page->AddChild(slider);
    for (int i = 0; i < frames; ++i)
        slider->AddFrame();
    return slider;
}
} // namespace

TEST(SliderDialogs, InsertingBlankFramesColoursAndLabelsThem)
{
    Project p;
    CSliderItem* slider = AddSlider(p, 2);
    DSlider dlg;
    dlg.m_pItem = slider;
    dlg.m_pDoc = &p.doc;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
        if (dynamic_cast<DInsertFrames*>(&d)) {
            d.SetDlgItemText(1000, "3");
            d.OnOK();
            return d.GetResult();
        }
        Click(d, 1025);
        d.OnOK();
        return d.GetResult();
    });
    dlg.DoModal();
    CDialog::SetModalHook(previous);
    ASSERT_EQ(slider->m_frames.size(), 5u);
    const COLORREF greys[3] = {RGB(175, 175, 175), RGB(192, 192, 192), RGB(175, 175, 175)};
    for (int i = 0; i < 3; ++i) {
        CGroupItem& frame = *slider->m_frames[std::size_t(i) + 2];
        ASSERT_TRUE(frame.m_pFill);
        EXPECT_EQ(frame.m_pFill->m_crColor, greys[i]) << i;
        ASSERT_EQ(frame.GetChildCount(), 1);
        auto* text = dynamic_cast<CTextItem*>(frame.GetChild(0));
        ASSERT_TRUE(text);
        EXPECT_EQ(CString(text->m_strText.GetUtf8()), CString::Formatted("Frame %d", i + 4));
        EXPECT_EQ(text->m_nX, 20);
        EXPECT_EQ(text->m_nY, 240);
        EXPECT_EQ(text->m_nWidth, 145);
    }
    EXPECT_EQ(qobject_cast<QListWidget*>(dlg.GetDlgItem(1078))->count(), 5);
    const CString html = PageHtml(p);
    EXPECT_EQ(testsupport::TidyErrors(QByteArray(html.GetString())), QByteArray()) << html.GetString();
}

TEST(SliderDialogs, InsertFramesAcceptsOneTo100AndImportEndsWith3000)
{
    const struct {
        const char* typed;
        bool accepted;
    } cases[] = {{"0", false}, {"1", true}, {"100", true}, {"101", false}, {"-3", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        MessageLog said;
        DInsertFrames dlg;
        const int result = RunDialog(dlg, [&](CDialog& d) {
            d.SetDlgItemText(1000, c.typed);
            PressOk(d);
        });
        EXPECT_EQ(result, c.accepted ? IDOK : IDCANCEL);
        EXPECT_EQ(said.texts.size(), c.accepted ? 0u : 1u);
    }
    DInsertFrames import;
    EXPECT_EQ(RunDialog(import, [](CDialog& d) { Click(d, IDR_IMPORT_IMAGE); }), IDR_IMPORT_IMAGE);
}

TEST(SliderDialogs, ButtonsFollowTheSelectionAndFramesMove)
{
    for (int frames : {1, 3}) {
        SCOPED_TRACE(frames);
        Project p;
        CSliderItem* slider = AddSlider(p, frames);
        std::vector<CGroupItem*> was;
        for (const auto& f : slider->m_frames)
            was.push_back(f.get());
        DSlider dlg;
        dlg.m_pItem = slider;
        dlg.m_pDoc = &p.doc;
        RunDialog(dlg, [&](CDialog& d) {
            auto* list = qobject_cast<QListWidget*>(d.GetDlgItem(1078));
            EXPECT_FALSE(IsOn(d, 3)) << "Delete needs a selection";
            list->setCurrentRow(0);
            EXPECT_TRUE(IsOn(d, 3));
            EXPECT_FALSE(IsOn(d, 5));
            EXPECT_EQ(IsOn(d, 6), frames > 1);
            if (frames == 3) {
                list->setCurrentRow(1);
                Click(d, 5);
                EXPECT_EQ(list->currentRow(), 0);
                list->setCurrentRow(0);
                Click(d, 6);
                list->setCurrentRow(0);
                Click(d, 3);
            }
        });
        if (frames == 3) {
            ASSERT_EQ(slider->m_frames.size(), 2u);
            EXPECT_EQ(slider->m_frames[0].get(), was[2]);
            EXPECT_EQ(slider->m_frames[1].get(), was[1]);
            EXPECT_EQ(slider->m_frames[0]->m_strName, CString(slider->GetHtmlId() + "Frame1"));
        }
    }
}

TEST(SliderDialogs, ImportedPicturesBecomeFramesAndACancelledChoiceChangesNothing)
{
    QTemporaryDir dir;
    Project p;
    CSliderItem* slider = AddSlider(p, 1);
    for (bool choose : {false, true}) {
        ChooseFiles files(choose ? std::vector<CString>{Picture(dir, "a.png", 900, 300), Picture(dir, "b.png", 90, 30)}
                                 : std::vector<CString>{});
        DSlider dlg;
        dlg.m_pItem = slider;
        dlg.m_pDoc = &p.doc;
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
            if (dynamic_cast<DInsertFrames*>(&d))
                return IDR_IMPORT_IMAGE;
            dlg.OnInsert();
            return IDOK;
        });
        dlg.DoModal();
        CDialog::SetModalHook(previous);
        EXPECT_EQ(slider->m_frames.size(), choose ? 3u : 1u);
    }
}

TEST(SliderDialogs, NewSliderDefaultsAndScreenshot)
{
    DNewSlider fresh;
    RunDialog(fresh, [](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(1000), "900");
        EXPECT_EQ(d.GetDlgItemText(1001), "300");
        EXPECT_EQ(d.GetDlgItemText(1036), "5"); // seconds
        EXPECT_EQ(d.GetDlgItemText(1037), "from right");
        EXPECT_EQ(d.IsDlgButtonChecked(1002), 1);
        EXPECT_FALSE(IsOn(d, IDOK));
    });
    Project p;
    CSliderItem* slider = AddSlider(p, 3);
    slider->m_nInterval = 4;
    slider->m_nTransition = 4;
    DSlider dlg;
    dlg.m_pItem = slider;
    dlg.m_pDoc = &p.doc;
    RunDialog(dlg, [](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(1036), "4");
        EXPECT_EQ(d.GetDlgItemText(1037), "fade");
        Screenshot(d, "DSlider");
    });
}

// The frame time list shows seconds and the slideshow waits the interval in seconds: each
// entry stores what it shows, and a stored interval outside the list shows its nearest end.
TEST(SliderDialogs, FrameTimeEntriesAreTheSecondsTheyShow)
{
    struct Case {
        int stored;
        const char* shown;
        int chosen;      // entry chosen before OK (-1: none)
        int afterOk;
    } cases[] = {{3, "3", -1, 3}, {1, "1", 9, 10}, {10, "10", 0, 1}, {0, "1", -1, 1}, {25, "10", -1, 10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        Project p;
        CSliderItem* slider = AddSlider(p, 1);
        slider->m_nInterval = c.stored;
        DSlider dlg;
        dlg.m_pItem = slider;
        dlg.m_pDoc = &p.doc;
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
            EXPECT_EQ(d.GetDlgItemText(1036), c.shown);
            if (c.chosen >= 0)
                qobject_cast<QComboBox*>(d.GetDlgItem(1036))->setCurrentIndex(c.chosen);
            d.OnOK();
            return d.IsEnded() ? d.GetResult() : IDCANCEL;
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        CDialog::SetModalHook(previous);
        EXPECT_EQ(slider->m_nInterval, c.afterOk);
    }
}
