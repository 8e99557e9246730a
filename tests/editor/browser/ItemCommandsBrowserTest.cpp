// Single properties set through the item commands, in the browser control: the generated
// page shows each value in the computed style, and a class made on the way has its rule.
#include "../FormatTestSupport.h"
#include "../../support/BrowserHarness.h"
#include "../../support/ExternalTools.h"

#include "dialogs/ClassDialogs.h"
#include "document/Generate.h"
#include "editor/commands/ItemCommands.h"
#include "model/PublishContext.h"
#include "model/TextStyle.h"
#include "model/items/ImageItem.h"
#include "resources/CommandIds.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtWebEngineWidgets/QWebEngineView>
#include <QtWidgets/QComboBox>
#include <gtest/gtest.h>

using namespace edtest;

namespace {
// Runs the command with the dialog answered by act, then OK.
void RunWith(FormatCanvas& c, CItem* item, UINT id, std::function<void(CDialog&)> act)
{
    c.Select({item});
    CDialog::SetModalHook([act](CDialog& d) -> int {
        if (dynamic_cast<DSelectClass*>(&d)) {
            d.SendNotify(1025, BN_CLICKED); // a new class
            return d.GetResult();
        }
        act(d);
        d.OnOK();
        return d.IsEnded() ? d.GetResult() : IDCANCEL;
    });
    c.Run(id);
}

// Exports the site into dir/site; the home page's path and text, which tidy accepts.
void ExportHome(FormatCanvas& c, const QTemporaryDir& dir, QString& index, QByteArray& html)
{
    CPublishContext context;
    context.m_strOutputFolder = CString::FromQString(dir.filePath(QStringLiteral("site")));
    context.m_nMode = kPublishExport;
    context.m_bUploadAll = 1;
    CString error;
    ASSERT_EQ(GenerateWebsite(c.doc, context, &error), 1) << error.GetString();
    index = dir.filePath(QStringLiteral("site/index.html"));
    QFile file(index);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    html = file.readAll();
    EXPECT_EQ(testsupport::TidyErrors(html), QByteArray()) << html.constData();
}
} // namespace

TEST(ItemCommandsBrowser, EachPropertyReachesTheComputedStyle)
{
    FormatCanvas c;
    c.page->m_strBaseName = "index";
    c.page->m_strExtension = ".html";
    CItem* para = c.Add(ITEM_PARAGRAPH, 20, 20, 300, 80);
    para->m_strText.FromUtf8("Shadowed words");
    CItem* field = c.Add(ITEM_INPUT_FIELD, 20, 200, 200, 30);
    field->m_strName = "field";
    c.Settle();
    auto item = [&c](std::size_t i) { return c.page->GetChildren()[i].get(); };
    RunWith(c, item(0), ID_ITEM_RENAME, [](CDialog& d) { d.SetDlgItemText(1000, "shade"); });
    RunWith(c, item(0), ID_ITEM_RADIUS, [](CDialog& d) { d.SetDlgItemText(1000, "8"); });
    RunWith(c, item(0), ID_ITEM_OPACITY, [](CDialog& d) { d.SetDlgItemText(1000, "50"); });
    RunWith(c, item(0), ID_ITEM_BOX_SHADOW, [](CDialog& d) {
        qobject_cast<QComboBox*>(d.GetDlgItem(1018))->setCurrentIndex(1);
        d.SetDlgItemText(1000, "3");
        d.SetDlgItemText(1001, "4");
        d.SetDlgItemText(1002, "5");
        d.SetDlgItemText(1003, "1");
    });
    RunWith(c, item(0), ID_ITEM_TEXT_SHADOW, [](CDialog& d) {
        qobject_cast<QComboBox*>(d.GetDlgItem(1038))->setCurrentIndex(1);
        d.SetDlgItemText(1000, "2");
        d.SetDlgItemText(1001, "2");
        d.SetDlgItemText(1002, "3");
    });
    RunWith(c, item(0), ID_ITEM_CLASS, [](CDialog&) {});
    RunWith(c, item(1), ID_FORM_TAB_INDEX, [](CDialog& d) { d.SetDlgItemText(1000, "7"); });
    ASSERT_EQ(c.doc.m_styleClasses.size(), 1u);
    const QString className = c.doc.m_styleClasses[0]->m_strName.ToQString();

    QTemporaryDir dir;
    QString index;
    QByteArray html;
    ASSERT_NO_FATAL_FAILURE(ExportHome(c, dir, index, html));
    QFile css(dir.filePath(QStringLiteral("site/") + c.doc.m_strCssFile.ToQString()));
    ASSERT_TRUE(css.open(QIODevice::ReadOnly));
    EXPECT_TRUE(css.readAll().contains(("." + className).toUtf8())) << "the new class has its rule";

    browsertest::Browser browser;
    ASSERT_TRUE(browsertest::LoadFile(browser.page, index));
    browsertest::Wait(200);
    EXPECT_TRUE(browser.page.errors.isEmpty()) << browser.page.errors.join(QLatin1Char('\n')).toStdString();
    auto style = [&browser](const char* property) {
        return browsertest::RunScript(browser.page,
                                      QStringLiteral("getComputedStyle(document.getElementById('shade')).%1").arg(QLatin1String(property)))
            .toString();
    };
    EXPECT_EQ(style("borderTopLeftRadius"), QStringLiteral("8px"));
    EXPECT_EQ(style("opacity"), QStringLiteral("0.5"));
    EXPECT_TRUE(style("boxShadow").contains(QStringLiteral("3px 4px 5px 1px"))) << style("boxShadow").toStdString();
    EXPECT_TRUE(style("textShadow").contains(QStringLiteral("2px 2px 3px"))) << style("textShadow").toStdString();
    EXPECT_EQ(browsertest::RunScript(browser.page, QStringLiteral("document.getElementById('shade').classList.contains('%1')").arg(className)).toBool(),
              true);
    EXPECT_EQ(browsertest::RunScript(browser.page, QStringLiteral("document.getElementById('field').tabIndex")).toInt(), 7);
}

// A picture with a rectangle and a circle dragged backwards and a polygon: the page passes
// tidy and each area answers a hit over its own part of the picture.
TEST(ItemCommandsBrowser, ImageMapAreasOfEveryShapeRespond)
{
    FormatCanvas c;
    c.page->m_strBaseName = "index";
    c.page->m_strExtension = ".html";
    auto* image = static_cast<CImageItem*>(c.Add(ITEM_IMAGE, 0, 0, 200, 100));
    image->m_strBaseName = "mapped";
    image->m_strExtension = ".png";
    image->m_picture.Create(200, 100);
    image->m_picture.BeginPixels();
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            image->m_picture.SetPixel(x, y, 0x00336699u);
    image->m_picture.EndPixels();
    ASSERT_TRUE(SaveItemPictureTemp(*image));
    const struct { int kind; CRect rect; std::vector<CPoint> points; const char* url; } shapes[] = {
        {CImageMapArea::Rect, CRect(60, 50, 10, 10), {}, "https://example.com/rect"},
        {CImageMapArea::Circle, CRect(140, 70, 100, 30), {}, "https://example.com/circle"},
        {CImageMapArea::Polygon, CRect(), {CPoint(150, 5), CPoint(195, 5), CPoint(195, 45), CPoint(150, 5)}, "https://example.com/poly"},
    };
    for (const auto& s : shapes) {
        auto area = std::make_unique<CImageMapArea>();
        area->m_nKind = s.kind;
        area->m_rect = s.rect;
        area->m_points = s.points;
        area->m_link.m_nKind = kLinkAddress;
        area->m_link.m_strUrl = s.url;
        image->m_areas.push_back(std::move(area));
    }
    c.Settle();
    QTemporaryDir dir;
    QString index;
    QByteArray html;
    ASSERT_NO_FATAL_FAILURE(ExportHome(c, dir, index, html));
    EXPECT_TRUE(html.contains("coords=\"10,10,60,50\"")) << html.constData();
    EXPECT_TRUE(html.contains("coords=\"120,50,20\"")) << html.constData();
    EXPECT_TRUE(html.contains("href=\"https://example.com/poly\"")) << html.constData();

    browsertest::Browser browser;
    QWebEngineView view; // laid out at a size, so that points can be hit
    view.setPage(&browser.page);
    view.resize(800, 600);
    view.show();
    ASSERT_TRUE(browsertest::LoadFile(browser.page, index));
    browsertest::Wait(200);
    EXPECT_TRUE(browser.page.errors.isEmpty()) << browser.page.errors.join(QLatin1Char('\n')).toStdString();
    // the picture's place on the page, then the element a hit at a point of it reaches
    const struct { int x, y; const char* href; } hits[] = {
        {30, 30, "https://example.com/rect"}, {120, 50, "https://example.com/circle"},
        {190, 10, "https://example.com/poly"}, {100, 90, ""},
    };
    for (const auto& h : hits) {
        const QString script = QStringLiteral(
            "(function(){var img=document.querySelector('img[usemap]');var r=img.getBoundingClientRect();"
            "var e=document.elementFromPoint(r.left+%1,r.top+%2);return e&&e.tagName==='AREA'?e.href:'';})()")
                                   .arg(h.x)
                                   .arg(h.y);
        EXPECT_EQ(browsertest::RunScript(browser.page, script).toString(), QString::fromUtf8(h.href)) << h.x << "," << h.y;
    }
}

int main(int argc, char** argv)
{
    browsertest::PrepareEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
