// Generation reads the project and writes files: it leaves the project as it was, says
// so when a file cannot be written, and writes the support files its pages load.
#include "DocTestSupport.h"
#include "GenerateTestSupport.h"

#include "document/Generate.h"
#include "document/KJDoc.h"
#include "model/FillStyle.h"
#include "model/Folder.h"
#include "model/Page.h"
#include "model/Picture.h"
#include "model/PublishContext.h"
#include "model/items/GalleryItem.h"
#include "model/items/ImageItem.h"
#include "model/items/ListItem.h"
#include "model/items/TextItem.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtGui/QImage>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

using namespace gentest;

namespace {

const CPublishFile* FindListed(const CPublishContext& context, const char* remote)
{
    for (const auto& f : context.GetFiles())
        if (f->m_strRemoteName == remote)
            return f.get();
    return nullptr;
}

// Every upload state word of the project set to "listed", which a run leaves as it is:
// what the upload does with those words is its own business (tested with the upload).
void SettleUploadStates(CKJDoc& doc)
{
    doc.m_nCssUploadState = kUploadListed;
    auto settle = [](CSiteObject& o) { o.m_nUploadState = kUploadListed; };
    for (auto& p : doc.m_pages)
        settle(*p);
    for (auto& f : doc.m_folders)
        settle(*f);
    for (auto& t : doc.m_textures)
        settle(*t);
    for (auto& r : doc.m_fileRecords)
        settle(*r);
    for (CFillStyle* fill : {&doc.m_websiteBackground, &doc.m_allPagesBackground})
        fill->m_nUploadState = kUploadListed;
    CItemList all;
    doc.CollectAllItems(all);
    for (CItem* item : all) {
        settle(*item);
        if (item->m_pFill)
            item->m_pFill->m_nUploadState = kUploadListed;
        if (auto* gallery = dynamic_cast<CGalleryItem*>(item)) {
            for (auto& p : gallery->m_pictures) {
                settle(*p);
                if (p->m_pLinked)
                    settle(*p->m_pLinked);
            }
        }
        if (auto* image = dynamic_cast<CImageItem*>(item); image && image->m_pLinked)
            settle(*image->m_pLinked);
    }
}

class GenerateLeavesTheProject : public ::testing::TestWithParam<int> {};

TEST_P(GenerateLeavesTheProject, ArchiveIsByteIdentical)
{
    QTemporaryDir tmp;
    CKJDoc doc;
    BuildSampleSite(doc);
    // names the generator must not fill in: a gallery and a rollover without names
    CItemList all;
    doc.CollectAllItems(all);
    int unnamed = 0;
    for (CItem* item : all) {
        auto* image = dynamic_cast<CImageItem*>(item);
        if (dynamic_cast<CGalleryItem*>(item) || (image && image->HasRollover())) {
            item->m_strName.Empty();
            ++unnamed;
        }
    }
    ASSERT_GE(unnamed, 2);
    SettleUploadStates(doc);
    const std::vector<BYTE> before = doctest::SaveToBytes(doc);
    CPublishContext context;
    context.m_strOutputFolder = CString::FromQString(tmp.filePath("site"));
    context.m_nMode = GetParam();
    context.m_bUploadAll = GetParam() == kPublishExport;
    CString error;
    ASSERT_EQ(GenerateWebsite(doc, context, &error), 1) << error.GetString();
    const std::vector<BYTE> after = doctest::SaveToBytes(doc);
    ASSERT_EQ(after.size(), before.size());
    std::size_t first = 0;
    while (first < before.size() && before[first] == after[first])
        ++first;
    EXPECT_EQ(first, before.size()) << "first change at offset " << first;
    for (CItem* item : all)
        if (dynamic_cast<CGalleryItem*>(item)) {
            EXPECT_EQ(item->m_strName, CString());
        }
}

INSTANTIATE_TEST_SUITE_P(AllModes, GenerateLeavesTheProject, ::testing::Values(0, 1, 2, 3));

// ---------------------------------------------------------------- write failures

// A one-page site holding the item that make() returns.
struct OneItemSite {
    template <typename Make> explicit OneItemSite(Make&& make)
    {
        doc.OnNewDocument();
        doc.m_pages.front()->m_strExtension = ".html";
        CItem* item = make(doc);
        if (item) {
            doc.m_pages.front()->AddChild(item);
            item->RecalcLayout();
        }
    }
    CKJDoc doc;
};

// An image named "photo" whose half-transparent picture is written as PNG.
CImageItem* Photo()
{
    auto* image = new CImageItem();
    image->m_strBaseName = "photo";
    image->m_picture.Create(8, 8);
    image->m_picture.FillRect(0x80FF0000u);
    image->m_nRenderWidth = 8;
    image->m_nRenderHeight = 8;
    return image;
}

TEST(GenerateFailures, APictureThatCannotBeWrittenIsNamedAndNotListed)
{
    struct Case {
        const char* what;
        const char* file; // the file the item writes, blocked by a folder of that name
        CItem* (*make)(CKJDoc&);
    };
    const Case cases[] = {
        {"item icon", "2_0_0_0.png", [](CKJDoc&) -> CItem* {
             auto* text = new CTextItem();
             text->m_nIcon = 2;
             text->m_crIcon = 0;
             text->m_nIconShading = 0;
             text->m_bIconShadow = 0;
             return text;
         }},
        {"image", "photo.png", [](CKJDoc&) -> CItem* { return Photo(); }},
        {"rollover sprite", "photo_over.png", [](CKJDoc&) -> CItem* {
             CImageItem* image = Photo();
             image->m_crOverShift = 0x00808080u;
             return image;
         }},
        {"gallery thumbnail", "red_80x60.jpg", [](CKJDoc&) -> CItem* {
             auto* gallery = new CGalleryItem();
             gallery->m_nThumbWidth = 80;
             gallery->m_nThumbHeight = 60;
             auto* image = new CImageItem();
             image->m_strName = "red";
             image->m_strBaseName = "red";
             image->m_picture.Create(60, 40);
             image->m_picture.FillRect(0xFF0000);
             image->m_nRenderWidth = 60;
             image->m_nRenderHeight = 40;
             gallery->AddPicture(image);
             MakeScaledCopy(*gallery, *image);
             return gallery;
         }},
        {"exported texture", "stone.png", [](CKJDoc& doc) -> CItem* {
             auto texture = std::make_unique<CPicture>();
             texture->m_strName = "stone";
             texture->m_nFormat = CPicture::FormatPng;
             const BYTE bytes[] = {0x89, 'P', 'N', 'G', 1, 2, 3};
             texture->m_blob.Assign(bytes, sizeof bytes);
             doc.m_textures.push_back(std::move(texture));
             return nullptr;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // First without a blocker: the file is written and listed.
        {
            QTemporaryDir tmp;
            OneItemSite site(c.make);
            CPublishContext context;
            context.m_strOutputFolder = CString::FromQString(tmp.filePath("site"));
            context.m_nMode = kPublishExport;
            context.m_bUploadAll = 1;
            CString error;
            ASSERT_EQ(GenerateWebsite(site.doc, context, &error), 1) << error.GetString();
            ASSERT_NE(FindListed(context, c.file), nullptr) << FilesUnder(tmp.filePath("site")).join(' ').toStdString();
            EXPECT_TRUE(QFileInfo(tmp.filePath(QString("site/") + c.file)).isFile());
        }
        QTemporaryDir tmp;
        OneItemSite site(c.make);
        ASSERT_TRUE(QDir(tmp.path()).mkpath(QString("site/") + c.file));
        CPublishContext context;
        context.m_strOutputFolder = CString::FromQString(tmp.filePath("site"));
        context.m_nMode = kPublishExport;
        context.m_bUploadAll = 1;
        CString error;
        EXPECT_EQ(GenerateWebsite(site.doc, context, &error), 0);
        EXPECT_GE(error.Find("The file could not be written:"), 0) << error.GetString();
        EXPECT_GE(error.Find(CString::FromQString(tmp.filePath(QString("site/") + c.file))), 0) << error.GetString();
        EXPECT_EQ(FindListed(context, c.file), nullptr);
        // what the user is shown by the export command
        doctest::MessageRecorder messages;
        const QString exportFolder = tmp.filePath(GetExportProjectName(site.doc).ToQString());
        ASSERT_TRUE(QDir(exportFolder).mkpath(c.file));
        EXPECT_EQ(ExportWebsiteToFolder(site.doc, CString::FromQString(tmp.path()) + "/"), 0);
        ASSERT_EQ(messages.texts.size(), 1u);
        EXPECT_GE(messages.texts[0].Find(c.file), 0) << messages.texts[0].GetString();
    }
}

TEST(GenerateFailures, AnUndecodablePictureGetsNoImgOfAMissingFile)
{
    QTemporaryDir tmp;
    OneItemSite site([](CKJDoc&) -> CItem* {
        auto* image = new CImageItem();
        image->m_strBaseName = "broken";
        return image; // no picture: its bytes could not be decoded
    });
    CPublishContext context;
    context.m_strOutputFolder = CString::FromQString(tmp.filePath("site"));
    context.m_nMode = kPublishExport;
    ASSERT_EQ(GenerateWebsite(site.doc, context), 1);
    QFile page(tmp.filePath("site/index.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray text = page.readAll();
    EXPECT_FALSE(text.contains("broken")) << text.constData();
    for (const QString& ref : LocalReferences(text, false))
        EXPECT_TRUE(QFileInfo::exists(tmp.filePath("site/" + ref))) << ref.toStdString();
}

// ---------------------------------------------------------------- site files

TEST(GenerateSiteFiles, JqueryAndOverlayPicturesAreWrittenAndAddressedFromEveryFolder)
{
    QTemporaryDir tmp;
    CKJDoc doc;
    BuildSampleSite(doc);
    CPublishContext context;
    context.m_strOutputFolder = CString::FromQString(tmp.filePath("site"));
    context.m_nMode = kPublishUpload;
    CString error;
    ASSERT_EQ(GenerateWebsite(doc, context, &error), 1) << error.GetString();
    for (const char* name : {"jquery.min.js", "close.png", "loading.gif", "facebooktab.png"}) {
        SCOPED_TRACE(name);
        EXPECT_NE(FindListed(context, name), nullptr);
        EXPECT_GT(QFileInfo(tmp.filePath(QString("site/") + name)).size(), 100);
    }
    QFile packaged("/usr/share/javascript/jquery/jquery.min.js");
    ASSERT_TRUE(packaged.open(QIODevice::ReadOnly));
    QFile written(tmp.filePath("site/jquery.min.js"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), packaged.readAll());
    QImage tab(tmp.filePath("site/facebooktab.png"));
    EXPECT_EQ(tab.size(), QSize(800, 400));
    QFile gif(tmp.filePath("site/loading.gif"));
    ASSERT_TRUE(gif.open(QIODevice::ReadOnly));
    EXPECT_TRUE(gif.readAll().startsWith("GIF89a"));

    // The page in shop/offers addresses them two levels up, the top page beside it.
    const struct { const char* page; const char* prefix; } pages[] = {
        {"site/shop/offers/summer.php", "../../"},
        {"site/index.php", ""},
    };
    for (const auto& p : pages) {
        QFile f(tmp.filePath(p.page));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << p.page;
        const QByteArray text = f.readAll();
        EXPECT_TRUE(text.contains(QByteArray("src=\"") + p.prefix + "jquery.min.js\"")) << p.page;
        EXPECT_FALSE(text.contains("varnelo.com/tessel/jquery") || text.contains("varnelo.com/tessel/facebooktab")) << p.page;
        // the social tab's picture, from the page's own folder
        EXPECT_TRUE(text.contains(QByteArray("url('") + p.prefix + "facebooktab.png')")) << p.page;
    }
}

TEST(GenerateSiteFiles, AMissingPackagedJqueryIsReported)
{
    QTemporaryDir tmp;
    const QByteArray saved = qgetenv("TESSEL_JQUERY");
    qputenv("TESSEL_JQUERY", tmp.filePath("none/jquery.min.js").toUtf8());
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.m_bFacebookConnect = 1; // the social tab uses jQuery
    CPublishContext context;
    context.m_strOutputFolder = CString::FromQString(tmp.filePath("site"));
    context.m_nMode = kPublishExport;
    CString error;
    const int written = GenerateWebsite(doc, context, &error);
    if (saved.isNull())
        qunsetenv("TESSEL_JQUERY");
    else
        qputenv("TESSEL_JQUERY", saved);
    EXPECT_EQ(written, 0);
    EXPECT_GE(error.Find("none/jquery.min.js"), 0) << error.GetString();
}

// ---------------------------------------------------------------- export folder

TEST(GenerateExportFolder, NeverHiddenNorEmpty)
{
    const struct { const char* file; const char* folder; } cases[] = {
        {"Shop.kjproj", "Shop"},
        {".kjproj", "website"},
        {".site.kjproj", "site"},
        {"...kjproj", "website"},
        {"..x.kjproj", "x"},
    };
    QTemporaryDir tmp;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        CKJDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        doc.SetPathName(CString::FromQString(tmp.filePath(c.file)));
        EXPECT_EQ(GetExportProjectName(doc), CString(c.folder));
    }
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.SetPathName(CString::FromQString(tmp.filePath(".kjproj")));
    CString where;
    ASSERT_EQ(ExportWebsiteToFolder(doc, CString::FromQString(tmp.path()), &where), 1);
    EXPECT_EQ(where, CString::FromQString(tmp.filePath("website")));
    EXPECT_TRUE(QFileInfo::exists(tmp.filePath("website/index.php")));
}

} // namespace
