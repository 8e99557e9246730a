// The canvas against the browser: every page of a new project, the Tutorial example and
// the Business template is painted by the page view and loaded, generated, in the
// browser control at the same width. Every item's box on the canvas must match the
// element's box in the browser, and a text item that shows ink in the browser must show
// ink on the canvas. Side-by-side pictures of the pages go to an artifact folder
// ($TESSEL_ARTIFACTS, else "canvas-vs-browser" in the working folder).
#include "AppTestSupport.h"

#include "controls/HtmlView.h"
#include "app/Samples.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "editor/ViewFrame.h"
#include "framework/core/Fonts.h"
#include "model/HeaderFooterItem.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "tests/model/browser/BrowserHarness.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QEventLoop>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtGui/QPainter>
#include <QtWebEngineCore/QWebEnginePage>
#include <QtWebEngineWidgets/QWebEngineView>
#include <QtWidgets/QTreeWidget>
#include <algorithm>
#include <cstdlib>
#include <map>

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
std::vector<Outcome> CheckProject(CKJDoc& doc, const QString& name)
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
        view.SetCurrentPage(page);
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
        browser.resize(pw + 224, std::clamp(height, 100, 1600));
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
            pairs.append(QJsonArray{e.item->GetHtmlId().ToQString(), e.topId.ToQString()});
        const QString script = QStringLiteral(
            "(function(list){var out={};for(var i=0;i<list.length;i++){"
            "var el=document.getElementById(list[i][0]),t=document.getElementById(list[i][1]);if(!el||!t)continue;"
            "var root=t.parentElement.closest('div');var r=el.getBoundingClientRect(),q=root.getBoundingClientRect();"
            "out[list[i][0]]=[r.left-q.left,r.top-q.top,r.width,r.height,r.left,r.top];}"
            "return JSON.stringify(out);})(%1)")
                                   .arg(QString::fromUtf8(QJsonDocument(pairs).toJson(QJsonDocument::Compact)));
        const QJsonObject boxes = QJsonDocument::fromJson(browsertest::RunScript(*browser.page(), script).toString().toUtf8()).object();
        const QImage shot = browser.grab().toImage().convertToFormat(QImage::Format_RGB32);

        Outcome o{pageName, 0, canvas, shot};
        for (const Entry& e : entries) {
            const QString id = e.item->GetHtmlId().ToQString();
            const QJsonArray b = boxes.value(id).toArray();
            const QString what = id + " (" + e.item->Describe().ToQString() + ")";
            if (b.size() != 6) {
                ADD_FAILURE() << "no element in the browser for " << what.toStdString();
                continue;
            }
            const QRect inBrowser(qRound(b[0].toDouble()), qRound(b[1].toDouble()), qRound(b[2].toDouble()), qRound(b[3].toDouble()));
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
            if (browserInk >= kInk)
                EXPECT_GE(canvasInk, kInk) << what.toStdString() << " shows text in the browser (" << browserInk
                                           << " pixels) but not on the canvas (" << canvasInk << ")";
        }
        // Both pictures cut to the page's surroundings for the side-by-side file.
        const CPoint origin = view.PageToClient(CPoint(-112, -(page->m_pHeaderBand ? page->m_pHeaderBand->m_nHeight : 0) - doc.m_nPageMargin));
        o.canvas = canvas.copy(origin.x, origin.y, pw + 224, shot.height());
        outcomes.push_back(std::move(o));
    }
    return outcomes;
}

void CheckAndSave(CKJDoc& doc, const QString& name)
{
    std::vector<Outcome> outcomes = CheckProject(doc, name);
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
