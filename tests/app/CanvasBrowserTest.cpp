// The canvas against the browser: every page of a new project, the Tutorial example and
// the Business template is painted by the page view and loaded, generated, in the
// browser control at the same width. Every item's box on the canvas must match the
// element's box in the browser, and a text item that shows ink in the browser must show
// ink on the canvas. Side-by-side pictures of the pages go to an artifact folder
// ($TESSEL_ARTIFACTS, else "canvas-vs-browser" in the working folder).
#include "AppTestSupport.h"

#include "controls/FileChooser.h"
#include "controls/HtmlView.h"
#include "dialogs/CreateItemDialog.h"
#include "dialogs/WidgetDialogs.h"
#include "editor/commands/InsertCommands.h"
#include "framework/ui/CmdTarget.h"
#include "framework/ui/Dialog.h"
#include "resources/CommandIds.h"
#include "app/Samples.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "editor/ViewFrame.h"
#include "framework/core/Fonts.h"
#include "model/HeaderFooterItem.h"
#include "model/ItemFactory.h"
#include "model/items/GalleryItem.h"
#include "model/items/SliderItem.h"
#include "model/items/TableItem.h"
#include "model/items/YouTubeItem.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "tests/model/browser/BrowserHarness.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QEventLoop>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtGui/QPainter>
#include <QtGui/QResizeEvent>
#include <QtWebEngineCore/QWebEnginePage>
#include <QtWebEngineWidgets/QWebEngineView>
#include <QtWidgets/QTreeWidget>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <tuple>

namespace {
const int g_flags = (setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu", 0), 0);
// The browser's process reads the font aliases the designer uses, as it does in the
// program: before anything has started fontconfig.
const bool g_fonts = tessel::InstallFontSubstitutes(QStringLiteral(TESSEL_SOURCE_DIR_DEFAULT "/data/fonts.conf"));

// Boxes may differ by this much: font metrics of the two engines round differently.
constexpr int kTolerance = 4;
// Pixels that make a box count as inked.
constexpr int kInk = 12;

using Frame = SilentFrame;

bool Load(QWebEngineView& view, const QString& path)
{
    QEventLoop loop;
    bool ok = false;
    auto c = QObject::connect(&view, &QWebEngineView::loadFinished, &loop, [&](bool done) {
        ok = done;
        loop.quit();
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    view.load(QUrl::fromLocalFile(path));
    loop.exec();
    QObject::disconnect(c);
    return ok;
}

bool IsTextItem(int type)
{
    return type == ITEM_PARAGRAPH || type == ITEM_HEADING || type == ITEM_TEXT || type == ITEM_PREFORMATTED_TEXT
        || type == ITEM_LINK;
}

// Pixels of the box that stand out from its most common colour.
int Ink(const QImage& image, QRect box)
{
    box = box.intersected(image.rect());
    if (box.isEmpty())
        return 0;
    std::map<QRgb, int> counts;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            ++counts[image.pixel(x, y) | 0xFF000000u];
    const QRgb back = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    int n = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            n += std::abs(qRed(p) - qRed(back)) + std::abs(qGreen(p) - qGreen(back)) + std::abs(qBlue(p) - qBlue(back)) > 150;
        }
    return n;
}

struct Entry {
    CItem* item;
    CString topId;  // the id of the band's or page's child that holds it
    QRect canvas;   // relative to its page or band
    QPoint rootOnCanvas;
};

void Collect(CGroupItem& group, const CString& topId, QPoint offset, QPoint root, std::vector<Entry>& out)
{
    for (const auto& child : group.GetChildren()) {
        const CString top = topId.IsEmpty() ? child->GetHtmlId() : topId;
        const QRect r(offset.x() + child->m_nX, offset.y() + child->m_nY, child->m_nWidth, child->m_nHeight);
        out.push_back({child.get(), top, r, root});
        if (auto* g = dynamic_cast<CGroupItem*>(child.get()))
            Collect(*g, top, r.topLeft(), root, out);
    }
}

struct Outcome {
    QString name;
    int worst = 0;
    QImage canvas, browser;
};

// How a kind of item is compared where its element has no box of its own to measure.
enum class Compare {
    Box,       // the element's box, and ink inside it for text items
    NoElement, // no element carries its id: compared by the ink the page shows in its box
    Wrapper,   // the id is on a control inside the item's element: that element is the item's box
};
struct Rule {
    Compare compare;
    const char* reason;
    int left = 0;         // the element starts this far right of the item's box
    bool pageInk = false; // NoElement: whether the page shows anything in the item's box
};
using Rules = std::map<int, Rule>;

QString ArtifactFolder()
{
    const QByteArray env = qgetenv("TESSEL_ARTIFACTS");
    const QString folder = env.isEmpty() ? QDir::current().filePath("canvas-vs-browser") : QString::fromLocal8Bit(env);
    QDir().mkpath(folder);
    return folder;
}

void SaveSideBySide(const Outcome& o)
{
    QImage both(o.canvas.width() + o.browser.width() + 8, std::max(o.canvas.height(), o.browser.height()), QImage::Format_RGB32);
    both.fill(Qt::red);
    QPainter p(&both);
    p.drawImage(0, 0, o.canvas);
    p.drawImage(o.canvas.width() + 8, 0, o.browser);
    p.end();
    both.save(QDir(ArtifactFolder()).filePath(o.name + ".png"));
}

// Checks every page of the project; returns the outcome of each page.
std::vector<Outcome> CheckProject(CKJDoc& doc, const QString& name, const Rules& rules = {})
{
    std::vector<Outcome> outcomes;
    QTemporaryDir out;
    Frame frame;
    CKJView view;
    view.SetProject(&doc);
    view.SetFrame(&frame);
    view.resize(1400, 1200);
    view.OnInitialUpdate();
    QWebEngineView browser;
    for (const auto& owned : doc.m_pages) {
        CPage* page = owned.get();
        const QString pageName = name + "-" + page->m_strBaseName.ToQString();
        SCOPED_TRACE(pageName.toStdString());
        // the whole page in view, so that every item's ink can be compared
        view.SetCurrentPage(page);
        {
            // a hidden window gets its resize event only when shown: send it now
            const QSize before = view.size();
            view.resize(1400, std::max(1200, view.GetContentHeight() + 200));
            QResizeEvent resized(view.size(), before);
            QCoreApplication::sendEvent(&view, &resized);
        }
        view.CenterPage();
        const QImage canvas = view.RenderClient();

        CString error;
        const CString file = GeneratePagePreview(doc, page, 1, CString::FromQString(out.path()), &error);
        EXPECT_FALSE(file.IsEmpty()) << error.GetString();
        if (file.IsEmpty())
            continue;
        const int pw = page->m_nWidth;
        browser.resize(pw + 224, 900);
        browser.show();
        EXPECT_TRUE(Load(browser, file.ToQString()));
        const int height = browsertest::RunScript(*browser.page(), "document.documentElement.scrollHeight").toInt();
        browser.resize(pw + 224, std::clamp(height, 100, 8000));
        browsertest::Wait(400);

        // The items of the page and of its bands, each with the place of its page or band.
        std::vector<Entry> entries;
        Collect(*page, CString(), QPoint(), QPoint(0, 0), entries);
        if (CHeaderFooterItem* header = page->m_pHeaderBand)
            Collect(*header, CString(), QPoint(), QPoint((pw - header->m_nWidth) / 2, -header->m_nHeight), entries);
        if (CHeaderFooterItem* footer = page->m_pFooterBand)
            Collect(*footer, CString(), QPoint(), QPoint((pw - footer->m_nWidth) / 2, page->m_nHeight), entries);
        QJsonArray pairs;
        for (const Entry& e : entries)
        {
            auto rule = rules.find(e.item->m_nType);
            const bool wrapper = rule != rules.end() && rule->second.compare == Compare::Wrapper;
            pairs.append(QJsonArray{e.item->GetHtmlId().ToQString(), e.topId.ToQString(), wrapper ? 1 : 0});
        }
        const QString script = QStringLiteral(
            "(function(list){var out={};for(var i=0;i<list.length;i++){"
            "var el=document.getElementById(list[i][0]),t=document.getElementById(list[i][1]);if(!el||!t)continue;"
            "if(list[i][2])el=el.parentElement;"
            "var root=t.closest('body>div>div');var r=el.getBoundingClientRect(),q=root.getBoundingClientRect();"
            "out[list[i][0]]=[r.left-q.left,r.top-q.top,r.width,r.height,r.left,r.top];}"
            "var pg=document.querySelector('div.page>div');if(pg){var g=pg.getBoundingClientRect();out['#page']=[g.left,g.top];}"
            "return JSON.stringify(out);})(%1)")
                                   .arg(QString::fromUtf8(QJsonDocument(pairs).toJson(QJsonDocument::Compact)));
        const QJsonObject boxes = QJsonDocument::fromJson(browsertest::RunScript(*browser.page(), script).toString().toUtf8()).object();
        const QImage shot = browser.grab().toImage().convertToFormat(QImage::Format_RGB32);

        Outcome o{pageName, 0, canvas, shot};
        for (const Entry& e : entries) {
            const QString id = e.item->GetHtmlId().ToQString();
            const QJsonArray b = boxes.value(id).toArray();
            const QString what = id + " (" + e.item->Describe().ToQString() + ")";
            if (auto rule = rules.find(e.item->m_nType); rule != rules.end() && rule->second.compare == Compare::NoElement) {
                EXPECT_NE(b.size(), 6) << what.toStdString() << " has an element in the browser, though "
                                       << rule->second.reason;
                // What the page shows in the item's box (an item of the page itself), against
                // the canvas, which shows the code to edit.
                const QJsonArray pageAt = boxes.value("#page").toArray();
                if (e.rootOnCanvas != QPoint(0, 0) || pageAt.size() != 2 || e.canvas.isEmpty())
                    continue;
                const QRect inPage(qRound(pageAt[0].toDouble()) + e.canvas.x(), qRound(pageAt[1].toDouble()) + e.canvas.y(),
                                   e.canvas.width(), e.canvas.height());
                const CPoint at = view.PageToClient(CPoint(e.canvas.x(), e.canvas.y()));
                const int pageInk = Ink(shot, inPage), canvasInk = Ink(canvas, QRect(at.x, at.y, e.canvas.width(), e.canvas.height()));
                EXPECT_EQ(pageInk >= kInk, rule->second.pageInk)
                    << what.toStdString() << ": " << pageInk << " pixels of ink in the browser, though " << rule->second.reason;
                EXPECT_GE(canvasInk, kInk) << what.toStdString() << " shows no code on the canvas";
                continue;
            }
            if (b.size() != 6) {
                ADD_FAILURE() << "no element in the browser for " << what.toStdString();
                continue;
            }
            const int left = rules.count(e.item->m_nType) ? rules.at(e.item->m_nType).left : 0;
            const QRect inBrowser(qRound(b[0].toDouble()) - left, qRound(b[1].toDouble()), qRound(b[2].toDouble()), qRound(b[3].toDouble()));
            std::printf("  %-28s canvas %5d,%5d %4dx%-4d browser %5d,%5d %4dx%-4d\n", what.toUtf8().constData(),
                        e.canvas.x(), e.canvas.y(), e.canvas.width(), e.canvas.height(), inBrowser.x(), inBrowser.y(),
                        inBrowser.width(), inBrowser.height());
            const int d = std::max({std::abs(inBrowser.x() - e.canvas.x()), std::abs(inBrowser.y() - e.canvas.y()),
                                    std::abs(inBrowser.width() - e.canvas.width()), std::abs(inBrowser.height() - e.canvas.height())});
            o.worst = std::max(o.worst, d);
            EXPECT_LE(d, kTolerance) << what.toStdString() << ": canvas " << e.canvas.x() << "," << e.canvas.y() << " "
                                     << e.canvas.width() << "x" << e.canvas.height() << ", browser " << inBrowser.x() << ","
                                     << inBrowser.y() << " " << inBrowser.width() << "x" << inBrowser.height();
            if (!IsTextItem(e.item->m_nType))
                continue;
            const QRect browserBox(qRound(b[4].toDouble()), qRound(b[5].toDouble()), inBrowser.width(), inBrowser.height());
            const CPoint topLeft = view.PageToClient(CPoint(e.rootOnCanvas.x() + e.canvas.x(), e.rootOnCanvas.y() + e.canvas.y()));
            const QRect canvasBox(topLeft.x, topLeft.y, e.canvas.width(), e.canvas.height());
            const int browserInk = Ink(shot, browserBox), canvasInk = Ink(canvas, canvasBox);
            if (browserInk >= kInk) {
                EXPECT_GE(canvasInk, kInk) << what.toStdString() << " shows text in the browser (" << browserInk
                                           << " pixels) but not on the canvas (" << canvasInk << ")";
            }
        }
        // Both pictures cut to the page's surroundings for the side-by-side file.
        const CPoint origin = view.PageToClient(CPoint(-112, -(page->m_pHeaderBand ? page->m_pHeaderBand->m_nHeight : 0) - doc.m_nPageMargin));
        o.canvas = canvas.copy(origin.x, origin.y, pw + 224, shot.height());
        outcomes.push_back(std::move(o));
    }
    return outcomes;
}

void CheckAndSave(CKJDoc& doc, const QString& name, const Rules& rules = {})
{
    std::vector<Outcome> outcomes = CheckProject(doc, name, rules);
    ASSERT_FALSE(outcomes.empty());
    // Every page (the projects are small), the one that differs most also as "-worst".
    for (const Outcome& o : outcomes)
        SaveSideBySide(o);
    Outcome worst = *std::max_element(outcomes.begin(), outcomes.end(), [](auto& a, auto& b) { return a.worst < b.worst; });
    worst.name = name + "-worst";
    SaveSideBySide(worst);
}

struct Samples {
    Samples()
    {
        ok = WriteSampleProjects(CString::FromQString(folder.path() + "/"));
    }
    QTemporaryDir folder;
    bool ok = false;
};
} // namespace

TEST(CanvasAgainstBrowser, NewProject)
{
    (void)g_flags;
    ASSERT_TRUE(g_fonts);
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CheckAndSave(doc, "new-project");
}

TEST(CanvasAgainstBrowser, TutorialAndTemplate)
{
    Samples samples;
    ASSERT_TRUE(samples.ok);
    for (const char* file : {"examples/Tutorial.kjproj", "templates/Business.kjproj"}) {
        SCOPED_TRACE(file);
        CKJDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(CString::FromQString(samples.folder.filePath(QString::fromLatin1(file)))));
        CheckAndSave(doc, QFileInfo(QString::fromLatin1(file)).baseName());
    }
}

namespace {

// The pictures the image commands load.
QString WritePicture(const QTemporaryDir& dir, const char* name, int w, int h, QColor colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir.filePath(QString::fromLatin1(name));
    image.save(path, "PNG");
    return path;
}

// A page of a new project holding one item of every kind, each made by its Insert or Form
// command with the command's defaults and dialogs answered with OK; flowing puts each in
// the page's flow (at its end), else each is placed at its own spot.
class EveryKindPage {
public:
    EveryKindPage(CKJDoc& doc, CKJView& view, CPage* page, bool flowing, const QTemporaryDir& dir)
        : m_doc(doc), m_view(view), m_page(page), m_flowing(flowing), m_dir(dir)
    {
    }

    // Parts of the kinds, so that a flowing page stays within the canvas's height: 1 the
    // text and form commands, 2 the other commands, 4 the pictures, galleries, sliders,
    // tables and forms.
    void Build(int parts)
    {
        MessageRecorder no(IDNO);
        CDialog::ModalHook previousModal = CDialog::SetModalHook([this](CDialog& dlg) {
            if (dynamic_cast<DCreateItem*>(&dlg)) {
                dlg.CheckDlgButton(DCreateItem::IDC_AT_END, m_flowing ? 1 : 0);
                dlg.CheckDlgButton(DCreateItem::IDC_AT_XY, m_flowing ? 0 : 1);
            } else if (dynamic_cast<DPayPal*>(&dlg)) {
                dlg.SetDlgItemText(1027, "shop@example.org"); // the dialog asks for the seller's address
            }
            dlg.OnOK();
            return dlg.IsEnded() ? dlg.GetResult() : IDCANCEL;
        });
        const QString picture = WritePicture(m_dir, "photo.png", 240, 160, QColor(40, 120, 200));
        m_externalPicture = WritePicture(m_dir, "remote.png", 600, 200, QColor(120, 40, 160));
        const QString button = WritePicture(m_dir, "button.png", 120, 40, QColor(200, 80, 40));
        const QString gif = m_dir.filePath(QStringLiteral("dot.gif"));
        {
            QFile f(gif);
            f.open(QIODevice::WriteOnly);
            f.write(QByteArray::fromHex("474946383961010001008000000000ffffff21f90401000000002c00000000010001000002024401003b"));
        }
        std::vector<QString> nextFiles;
        CFileChooser::DialogHook previousFiles = CFileChooser::SetDialogHook([&nextFiles](CFileChooser& chooser, bool) {
            if (nextFiles.empty())
                return false;
            chooser.SetSelection(CString(), {CString::FromQString(nextFiles.front())});
            nextFiles.erase(nextFiles.begin());
            return true;
        });
        bool clone = false;
        ImageChoiceDialog previousChoice = SetImageChoiceDialog(
            [&clone](CKJView&, const std::vector<CItem*>& candidates, const CString&, CItem*& chosen) {
                chosen = clone && !candidates.empty() ? candidates.front() : nullptr;
                return IDOK;
            });

        m_view.SetCurrentPage(m_page);
        const UINT commands[] = {
            ID_INSERT_PARAGRAPH, ID_INSERT_HEADING, ID_INSERT_TEXT, ID_INSERT_PREFORMATTED, ID_INSERT_LINK,
            ID_INSERT_ARTISTIC, ID_INSERT_MARQUEE, ID_INSERT_LIST, ID_INSERT_EMAIL, ID_FORM_INPUT, ID_FORM_LIST,
            ID_FORM_DROPDOWN, ID_FORM_TEXTAREA, ID_FORM_CHECKBOX, ID_FORM_RADIO, ID_FORM_SUBMIT, ID_FORM_DATE_PICKER,
            ID_FORM_FILE_CHOOSER, ID_FORM_COLOR_PICKER, ID_INSERT_GROUP, ID_INSERT_SCROLLAREA, ID_INSERT_MENU,
            ID_INSERT_CATEGORIES, ID_INSERT_SHAPE, ID_INSERT_TAB, ID_INSERT_GRADIENT, ID_INSERT_FLASH,
            ID_INSERT_YOUTUBE, ID_INSERT_VIDEO, ID_INSERT_AUDIO, ID_INSERT_GOOGLE_MAP, ID_INSERT_PAYPAL,
            ID_INSERT_SYMBOL, ID_INSERT_LIKE_BUTTON, ID_INSERT_FACEBOOK, ID_INSERT_EXTERNAL_IMAGE, ID_INSERT_HTML,
            ID_INSERT_JAVASCRIPT, ID_INSERT_EXTERNAL_WEBSITE, ID_INSERT_PHP};
        const size_t half = 19; // up to the Form menu's last command
        for (size_t i = 0; i < std::size(commands); ++i)
            if (parts & (i < half ? 1 : 2))
                Run(commands[i]);
        if (parts & 4)
            BuildPictures(picture, button, gif, nextFiles, clone);
        CFileChooser::SetDialogHook(previousFiles);
        SetImageChoiceDialog(previousChoice);
        CDialog::SetModalHook(previousModal);
        m_page->m_nHeight = std::max(m_page->m_nHeight, m_bottom + 40);
        m_page->RecalcLayout();
        m_page->LayoutChildren();
    }

    // The commands that inserted nothing.
    std::vector<UINT> failed;

private:
    void BuildPictures(const QString& picture, const QString& button, const QString& gif, std::vector<QString>& nextFiles,
                       bool& clone)
    {
        nextFiles = {picture};
        Run(ID_INSERT_IMAGE);
        nextFiles = {button};
        Run(ID_INSERT_BUTTON);
        nextFiles = {gif};
        Run(ID_INSERT_IMAGE);
        clone = true;
        Run(ID_INSERT_IMAGE);
        clone = false;
        nextFiles = {picture};
        Run(ID_INSERT_ICON);
        {
            const CString a = CString::FromQString(WritePicture(m_dir, "a.png", 300, 200, Qt::darkGreen));
            const CString b = CString::FromQString(WritePicture(m_dir, "b.png", 200, 300, Qt::darkRed));
            Add(BuildGallery(m_doc, 600, 400, 100, 70, {a, b}));
            Add(BuildSlider(m_doc, 600, 200, 5, 1, true, {a}));
            Add(BuildTable(m_doc, "Table1", 3, 4));
            CItem* form = CreateItem(ITEM_FORM);
            form->m_nWidth = 300;
            form->m_nHeight = 120;
            Add(form);
        }
    }

    void Run(UINT id)
    {
        const int before = m_page->GetChildCount();
        // a command whose dialog is not wired here is answered with its defaults
        InsertDialog stand;
        bool replaced = false;
        CCmdUI ui(id);
        UpdateCommand(&m_view, ui);
        if (!ui.m_bEnabled) {
            stand = SetInsertDialog(id, [](CKJView&, CItem&) { return true; });
            replaced = true;
        }
        ExecuteCommand(&m_view, id);
        m_view.m_drag.mode = 0;
        if (replaced)
            SetInsertDialog(id, stand);
        if (m_page->GetChildCount() != before + 1) {
            failed.push_back(id);
            return;
        }
        Placed(m_page->GetChildren().back().get());
    }

    void Add(CItem* item)
    {
        CEditScope scope(m_doc, m_page, m_page, nullptr, "Insert");
        m_view.AddItemToPage(item, false);
        Placed(m_page->GetChildren().back().get());
    }

    // Content the user would type where the command leaves none, and the item's place.
    void Placed(CItem* item)
    {
        if (item->m_strText.IsEmpty()) {
            switch (item->m_nType) {
            case ITEM_PREFORMATTED_TEXT: item->m_strText = "Opening hours\r\n  Monday    9 - 17"; break;
            case ITEM_HEADING: item->m_strText = "Getting Started"; break;
            case ITEM_PARAGRAPH: item->m_strText = "Our shop opens at nine. Come early for the fresh bread and stay for a coffee in the garden."; break;
            case ITEM_HTML: item->m_strText = "<p>Written <b>by hand</b></p>"; break;
            case ITEM_JAVASCRIPT: item->m_strText = "var visits = 1;"; break;
            case ITEM_PHP: item->m_strText = "echo 'Hello';"; break;
            default: break;
            }
            item->RecalcLayout();
        }
        // what the players' dialogs ask for: a video and its frame
        if (auto* youtube = dynamic_cast<CYouTubeItem*>(item); youtube && youtube->m_strVideoId.IsEmpty()) {
            youtube->m_strVideoId = "M7lc1UVf-VE";
            youtube->m_nWidth = 560;
            youtube->m_nHeight = 315;
        }
        if (item->m_nType == ITEM_VIDEO_STREAM && item->m_nWidth == 0) {
            item->m_strThirdName = "https://media.example.org/samples/movie.mp4";
            item->m_nWidth = 640;
            item->m_nHeight = 360;
        }
        // the address of a picture of the size the item shows (another server's in use;
        // a local file here, so that the browser has it offline)
        if (item->m_nType == ITEM_EXTERNAL_IMAGE)
            item->m_strThirdName = CString::FromQString(QUrl::fromLocalFile(m_externalPicture).toString());
        if (m_flowing) {
            item->m_bPositioned = 0;
        } else {
            item->m_bPositioned = 1;
            item->m_nX = 20 + (m_column % 2) * 480;
            item->m_nY = m_rowTop;
            m_rowBottom = std::max(m_rowBottom, item->m_nY + item->m_nHeight);
            if (++m_column % 2 == 0) {
                m_rowTop = m_rowBottom + 30;
                m_rowBottom = m_rowTop;
            }
            m_bottom = std::max(m_bottom, m_rowBottom);
        }
        m_page->RecalcLayout();
    }

    CKJDoc& m_doc;
    CKJView& m_view;
    CPage* m_page;
    bool m_flowing;
    const QTemporaryDir& m_dir;
    QString m_externalPicture;
    int m_column = 0, m_rowTop = 20, m_rowBottom = 20, m_bottom = 0;
};

// Kinds whose element is not the item's box, with the reason; every other kind is compared
// by the box of the element that carries its id.
const Rules kEveryKindRules = {
    {ITEM_PHP, {Compare::NoElement, "its code runs on the server: the preview shows a notice in its box", 0, true}},
    {ITEM_JAVASCRIPT, {Compare::NoElement, "a script shows nothing of itself", 0, false}},
    {ITEM_CHECK_BOX, {Compare::Wrapper, "the id is the input's, which scripts check and uncheck"}},
    {ITEM_GALLERY, {Compare::Wrapper, "the id is the big picture's, which the thumbnails change"}},
    {ITEM_LIST, {Compare::Box, "the markers stand in the list element's left margin, inside the item's box", 20}},
};

} // namespace

// One item of every kind, made by its command, positioned and flowing, in a project saved
// and opened again as the user meets it.
TEST(CanvasAgainstBrowser, EveryKindOfItem)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("every kind.kjproj"));
    {
        CKJDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        SilentFrame frame;
        CKJView view;
        view.SetProject(&doc);
        view.SetFrame(&frame);
        view.resize(1400, 1200);
        view.OnInitialUpdate();
        CWString title;
        title = "positioned";
        CPage* positioned = doc.AddPage(nullptr, &title);
        positioned->m_strBaseName = "positioned";
        title = "flowing";
        CPage* flowing = doc.AddPage(nullptr, &title);
        flowing->m_strBaseName = "flowing";
        title = "flowing media";
        CPage* flowingMedia = doc.AddPage(nullptr, &title);
        flowingMedia->m_strBaseName = "flowing-media";
        title = "flowing pictures";
        CPage* flowingPictures = doc.AddPage(nullptr, &title);
        flowingPictures->m_strBaseName = "flowing-pictures";
        const std::tuple<CPage*, bool, int> pages[] = {
            {positioned, false, 7}, {flowing, true, 1}, {flowingMedia, true, 2}, {flowingPictures, true, 4}};
        for (auto [page, flow, parts] : pages) {
            EveryKindPage every(doc, view, page, flow, dir);
            every.Build(parts);
            EXPECT_TRUE(every.failed.empty()) << "command " << (every.failed.empty() ? 0 : every.failed.front())
                                              << " inserted nothing";
        }
        view.DeselectAll(); // no selection handles in the pictures
        ASSERT_TRUE(doc.OnSaveDocument(CString::FromQString(path)));
    }
    CKJDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(CString::FromQString(path)));
    // every kind the factory makes is on the positioned page
    std::set<int> kinds;
    for (const auto& child : doc.m_pages[1]->GetChildren())
        kinds.insert(child->m_nType);
    for (int type = 2; type <= 47; ++type)
        if (type != ITEM_HEADER_FOOTER && type != ITEM_MASTER && type != ITEM_FILE_RECORD && type != ITEM_PICTURE) {
            EXPECT_TRUE(kinds.count(type)) << "no item of kind " << type;
        }
    CheckAndSave(doc, "every-kind", kEveryKindRules);
}
