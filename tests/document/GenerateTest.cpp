#include "DocTestSupport.h"
#include "model/Escaping.h"
#include "GenerateTestSupport.h"
#include "support/ExternalTools.h"

#include "document/Generate.h"
#include "document/KJDoc.h"
#include "document/SiteCss.h"
#include "model/Folder.h"
#include "model/Page.h"
#include "model/PageOutput.h"
#include "model/Picture.h"
#include "model/PublishContext.h"
#include "model/TextStyle.h"
#include "model/GroupItem.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

using namespace gentest;

namespace {

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const CPublishFile* FindListed(const CPublishContext& context, const char* remote)
{
    for (const auto& f : context.GetFiles())
        if (f->m_strRemoteName == remote)
            return f.get();
    return nullptr;
}

// ---------------------------------------------------------------- the whole sample site

class GenerateModes : public ::testing::TestWithParam<int> {};

TEST_P(GenerateModes, SampleSiteIsCompleteValidAndStaysInItsFolder)
{
    const int mode = GetParam();
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    CKJDoc doc;
    BuildSampleSite(doc);
    CPublishContext context;
    context.m_strOutputFolder = CString::FromQString(tmp.filePath("site"));
    context.m_nMode = mode;
    context.m_bUploadAll = mode == kPublishExport;
    CString error;
    ASSERT_EQ(GenerateWebsite(doc, context, &error), 1) << error.GetString();
    const QString root = tmp.filePath("site");
    EXPECT_EQ(FilesUnder(tmp.path()).filter(QRegularExpression("^(?!site(/|$))")), QStringList());

    const bool preview = mode < kPublishUpload;
    // every page at its place, under its name on the server
    struct Expected { const char* remote; int kind; };
    const Expected pages[] = {
        {"index.php", kPublishFileTopIndex},
        {"shop/index.html", kPublishFileFolderIndex},
        {"shop/offers/summer.php", kPublishFilePage},
        {"contact us.html", kPublishFilePage},
    };
    for (const Expected& e : pages) {
        const CPublishFile* file = FindListed(context, e.remote);
        ASSERT_NE(file, nullptr) << e.remote;
        EXPECT_EQ(file->m_nKind, e.kind) << e.remote;
        CString local = CString::FromQString(root) + "/" + e.remote;
        if (preview && !QString(e.remote).endsWith(".html"))
            local += ".html";
        EXPECT_EQ(file->m_strLocalPath, local);
        EXPECT_TRUE(QFileInfo::exists(local.ToQString())) << local.GetString();
    }
    const CPublishFile* shop = FindListed(context, "shop");
    ASSERT_NE(shop, nullptr);
    EXPECT_EQ(shop->m_bDirectory, 1);
    EXPECT_EQ(shop->m_nKind, kPublishFileFolder);
    ASSERT_NE(FindListed(context, "shop/offers"), nullptr);
    ASSERT_NE(FindListed(context, "price.pdf"), nullptr);
    EXPECT_EQ(FindListed(context, "price.pdf")->m_nKind, kPublishFileScript);
    EXPECT_EQ(Read(root + "/price.pdf"), QByteArray("%PDF-1.4"));
    ASSERT_NE(FindListed(context, "styles.css"), nullptr);

    // every listed file exists inside the folder with the size recorded
    for (const auto& f : context.GetFiles()) {
        EXPECT_FALSE(f->m_strRemoteName.Find('\\') >= 0) << f->m_strRemoteName.GetString();
        const QFileInfo info(f->m_strLocalPath.ToQString());
        ASSERT_TRUE(info.exists()) << f->m_strLocalPath.GetString();
        EXPECT_TRUE(info.absoluteFilePath().startsWith(root + "/")) << f->m_strLocalPath.GetString();
        if (!f->m_bDirectory) {
            EXPECT_EQ(qint64(f->m_nSize), info.size()) << f->m_strLocalPath.GetString();
        }
    }

    const QByteArray css = Read(root + "/styles.css");
    EXPECT_EQ(CssSyntaxErrors(css), QStringList());
    for (const QString& ref : LocalReferences(css, true))
        EXPECT_TRUE(QFileInfo::exists(root + "/" + ref)) << "styles.css refers to " << ref.toStdString();

    int pagesChecked = 0;
    QList<QByteArray> documents;
    QStringList documentNames;
    for (const auto& page : doc.m_pages) {
        const QString local = page->m_strExtra1.ToQString();
        const QByteArray text = Read(local);
        ASSERT_FALSE(text.isEmpty()) << local.toStdString();
        // PHP blocks run on the server; the checker reads the HTML around them
        documents << QString::fromUtf8(text).remove(QRegularExpression("<\\?php.*?\\?>", QRegularExpression::DotMatchesEverythingOption)).toUtf8();
        documentNames << QStringLiteral("%1.html = %2").arg(documentNames.size()).arg(local);
        EXPECT_EQ(testsupport::TidyErrors(WithoutPhpBlock(text)), QByteArray()) << local.toStdString();
        if (local.endsWith(".php")) {
            EXPECT_EQ(testsupport::PhpLintErrors(text), QByteArray()) << local.toStdString();
        }
        EXPECT_FALSE(text.contains("###phone###") || text.contains("###company###")) << local.toStdString();
        const QString folder = QFileInfo(local).absolutePath();
        for (const QString& ref : LocalReferences(text, false)) {
            const QString target = QDir::cleanPath(folder + "/" + ref);
            EXPECT_TRUE(target == root || target.startsWith(root + "/")) << local.toStdString() << " leaves the site: " << ref.toStdString();
            EXPECT_TRUE(QFileInfo::exists(target)) << local.toStdString() << " refers to missing " << ref.toStdString() << " in\n"
                                                   << text.mid(std::max<qsizetype>(0, text.indexOf(ref.toUtf8()) - 160), 200).toStdString();
        }
        ++pagesChecked;
    }
    EXPECT_EQ(pagesChecked, int(doc.m_pages.size()));
    // every page is valid HTML5 for the Nu HTML checker, with no exceptions
    QStringList vnuErrors;
    for (const QString& line : QString::fromUtf8(testsupport::VnuErrors(documents)).split('\n', Qt::SkipEmptyParts))
        vnuErrors << line;
    EXPECT_EQ(vnuErrors.join('\n').toStdString(), "") << documentNames.join('\n').toStdString();
    // scripts the site carries refer to nothing missing either
    for (const QString& f : FilesUnder(root))
        if (f.endsWith(".js") && f != "jquery.min.js") {
            for (const QString& ref : LocalReferences(Read(root + "/" + f), true))
                EXPECT_TRUE(QFileInfo::exists(root + "/" + ref)) << f.toStdString() << " refers to " << ref.toStdString();
        }
    for (const QString& f : FilesUnder(root))
        if (f.endsWith(".php") && !f.endsWith(".php.html")) {
            EXPECT_EQ(testsupport::PhpLintErrors(Read(root + "/" + f)), QByteArray()) << f.toStdString();
        }
}

INSTANTIATE_TEST_SUITE_P(AllModes, GenerateModes, ::testing::Values(0, 1, 2, 3));

// ---------------------------------------------------------------- exact texts

TEST(GenerateText, StylesheetOfTheDefaultSite)
{
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CString css;
    BuildSiteCss(doc, css);
    // the base rules, the site's text styles, then its one style class ("redlink")
    const CString expected =
        "body { width:100%; margin:0px; padding:0px; background-color:#E0E0E0; }\r\n"
        "div.page {  }\r\n"
        "p,pre,div,form,table,span,img,marquee { position:relative; padding:0px; margin:0px; text-align:left;}\r\n"
        "table { border-spacing:0px; border-collapse:collapse; }\r\n"
        "tr { vertical-align:top; }\r\n"
        "ol,ul { margin:0 0 0 20px; padding: 0px;}\r\n"
        "img { border:none; }\r\n"
        "li { background-repeat:no-repeat;  }\r\n"
        "body { font-family:'Verdana';font-size:12pt;}\r\n"
        "p,span {\r\n"
        "font-family:Verdana;\r\n"
        "font-size:12pt;\r\n"
        "color:#000000;\r\n"
        "font-style:normal;\r\n"
        "font-weight:normal;\r\n"
        "margin-top:0px; margin-bottom:12px;\r\n"
        "\r\n"
        "}\r\n"
        "h1 {\r\n"
        "font-family:Trebuchet MS;\r\n"
        "font-size:28pt;\r\n"
        "color:#696969;\r\n"
        "font-style:normal;\r\n"
        "font-weight:bold;\r\n"
        "margin-top:0px; margin-bottom:12px;\r\n"
        "\r\n"
        "}\r\n"
        "h2 {\r\n"
        "font-family:Verdana;\r\n"
        "font-size:22pt;\r\n"
        "color:#949494;\r\n"
        "font-style:normal;\r\n"
        "font-weight:normal;\r\n"
        "margin-top:0px; margin-bottom:12px;\r\n"
        "\r\n"
        "}\r\n"
        "h3 {\r\n"
        "font-family:Times New Roman;\r\n"
        "font-size:20pt;\r\n"
        "color:#000000;\r\n"
        "font-style:normal;\r\n"
        "font-weight:bold;\r\n"
        "margin-top:0px; margin-bottom:12px;\r\n"
        "\r\n"
        "}\r\n"
        "h4 {\r\n"
        "font-family:Arial;\r\n"
        "font-size:16pt;\r\n"
        "color:#808080;\r\n"
        "font-style:normal;\r\n"
        "font-weight:normal;\r\n"
        "margin-top:0px; margin-bottom:12px;\r\n"
        "\r\n"
        "}\r\n"
        "h5 {\r\n"
        "font-family:Courier;\r\n"
        "font-size:14pt;\r\n"
        "color:#008000;\r\n"
        "font-style:normal;\r\n"
        "font-weight:normal;\r\n"
        "margin-top:0px; margin-bottom:12px;\r\n"
        "\r\n"
        "}\r\n"
        "h6 {\r\n"
        "font-family:Verdana;\r\n"
        "font-size:12pt;\r\n"
        "color:#000000;\r\n"
        "font-style:normal;\r\n"
        "font-weight:bold;\r\n"
        "margin-top:0px; margin-bottom:12px;\r\n"
        "\r\n"
        "}\r\n"
        "pre {\r\n"
        "font-family:Courier;\r\n"
        "font-size:9pt;\r\n"
        "color:#000000;\r\n"
        "font-style:normal;\r\n"
        "font-weight:normal;\r\n"
        "margin-top:0px; margin-bottom:12px;\r\n"
        "\r\n"
        "}\r\n"
        "input[type=text] {\r\n"
        "font-family:Arial;\r\n"
        "font-size:10pt;\r\n"
        "background-color:#FFFFFF;\r\n"
        "font-style:normal;\r\n"
        "font-weight:normal;\r\n"
        "padding:2px;\r\n"
        "border:1px solid #7F9DB9;margin-top:0px; margin-bottom:12px;\r\n"
        "\r\n"
        "}\r\n"
        "input[type=submit] {\r\n"
        "font-family:Arial;\r\n"
        "font-size:10pt;\r\n"
        "font-style:normal;\r\n"
        "font-weight:normal;\r\n"
        "margin-top:0px; margin-bottom:12px;\r\n"
        "\r\n"
        "}\r\n"
        "textarea {\r\n"
        "font-family:Courier;\r\n"
        "font-size:9pt;\r\n"
        "background-color:#FFFFFF;\r\n"
        "font-style:normal;\r\n"
        "font-weight:normal;\r\n"
        "padding:2px;\r\n"
        "border:1px solid #7F9DB9;margin-top:0px; margin-bottom:12px;\r\n"
        "\r\n"
        "}\r\n"
        "select {\r\n"
        "font-family:Arial;\r\n"
        "font-size:10pt;\r\n"
        "background-color:#FFFFFF;\r\n"
        "font-style:normal;\r\n"
        "font-weight:normal;\r\n"
        "border:1px solid #7F9DB9;margin-top:0px; margin-bottom:12px;\r\n"
        "\r\n"
        "}\r\n"
        "a {\r\n"
        "color:#000000;\r\n"
        "text-decoration:none;\r\n"
        "}\r\n"
        "a:hover {\r\n"
        "text-decoration:none; color:inherit;}\r\n"
        "\r\n"
        "\r\n"
        "a.redlink:link,a.redlink:visited {\r\n"
        "font-family:'Verdana';\r\n"
        "color:#FF0000;\r\n"
        "font-weight:bold;\r\n"
        "text-decoration:inherit;\r\n"
        "margin-right:auto;\r\n"
        "}\r\n"
        ".redlink:hover {\r\n"
        "text-decoration:inherit;\r\n"
        "\r\n"
        "}\r\n";
    EXPECT_EQ(css, expected);
    EXPECT_EQ(CssSyntaxErrors(QByteArray(css.GetString())), QStringList());
}

TEST(GenerateText, WebFontImportsComeFirstInStyleOrder)
{
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.m_styles.m_base.m_strWebFont = "Open Sans";
    doc.m_styles.m_styles[STYLE_TEXTAREA].m_strWebFont = "Lobster";   // style 9
    doc.m_styles.m_styles[STYLE_INPUT_SUBMIT].m_strWebFont = "Oswald"; // style 10, written before 9
    doc.m_styles.m_styles[STYLE_H1].m_strWebFont = "Open Sans";
    doc.m_nPageMargin = 12;
    CString css;
    BuildSiteCss(doc, css);
    const CString imports = WriteWebFontImports("Open Sans") + WriteWebFontImports("Open Sans") +
                            WriteWebFontImports("Oswald") + WriteWebFontImports("Lobster");
    EXPECT_EQ(css.Left(imports.GetLength()), imports);
    EXPECT_EQ(css.Mid(imports.GetLength()).Left(44), "body { width:100%; margin:12px; padding:0px;");
    EXPECT_EQ(CssSyntaxErrors(QByteArray(css.GetString())), QStringList());
}

TEST(GenerateText, SmallPageInAFolderIsAssembledExactly)
{
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CFolder* a = AddFolder(doc, "a", nullptr);
    CFolder* shop = AddFolder(doc, "shop", a);
    CPage* page = AddNamedPage(doc, "deals", ".html", shop);
    page->m_title = CWString(u"Deals & ###phone###");
    page->m_description = CWString(u"Cheap \"things\"");
    doc.m_globalTitle = CWString(u"My Site");
    doc.m_strAnalytics = "<script>var tracked = 1;</script>";
    auto named = std::make_unique<CNamedString>();
    named->m_name = CWString(u"phone");
    named->m_value = CWString(u"555");
    doc.m_namedStrings.push_back(std::move(named));

    CPageOutput out(kPublishExport, doc.m_nPageWidth);
    BuildPageHtml(doc, page, out);
    // the page's own part, written alone into a fresh record
    CPageOutput alone(kPublishExport, doc.m_nPageWidth);
    alone.m_pPageFolder = shop;
    page->WriteHtml(alone);
    const CString expected =
        "<!DOCTYPE HTML>\r\n<html>\r\n<head>\r\n"
        "<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">\r\n"
        "<title>Deals &amp; 555 My Site</title>\r\n"
        "<meta name=\"description\" content=\"Cheap &quot;things&quot;\">\r\n"
        "\r\n<meta name=\"generator\" content=\"Varnelo Tessel Web Designer 8\">\r\n"
        "<link rel=stylesheet type='text/css' href='../../styles.css'>\r\n"
        "<style type=\"text/css\">\r\n" + alone.m_strPageCss + "</style>\r\n"
        "<script>var tracked = 1;</script>\r\n</head>\r\n\r\n"
        "<body" + (alone.m_strOnLoad.IsEmpty() ? CString() : " onLoad=\"" + HtmlAttributeEscape(alone.m_strOnLoad) + "\"") + ">" +
        alone.m_strBody + "</body>\r\n</html>\r\n";
    EXPECT_EQ(out.m_strFinalPage, expected);
    EXPECT_EQ(testsupport::TidyErrors(QByteArray(out.m_strFinalPage.GetString())), QByteArray());
}

TEST(GenerateText, StylesheetHrefCountsFolderLevels)
{
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CFolder* a = AddFolder(doc, "a", nullptr);
    CFolder* b = AddFolder(doc, "b", a);
    CFolder* c = AddFolder(doc, "c", b);
    const struct { CFolder* folder; const char* css; const char* href; } cases[] = {
        {nullptr, "styles.css", "styles.css"},
        {a, "styles.css", "../styles.css"},
        {b, "styles.css", "../../styles.css"},
        {c, "site.css", "../../../site.css"},
        {a, "../../evil.css", "../....evil.css"},
    };
    for (const auto& k : cases) {
        doc.m_strCssFile = k.css;
        CPage* page = AddNamedPage(doc, "p", ".html", k.folder);
        EXPECT_EQ(GetStylesheetHref(doc, page), k.href) << k.css;
    }
}

TEST(GenerateText, NamedStringsAreReplacedEverywhereInOrder)
{
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CPage* page = doc.m_pages.front().get();
    page->m_title = CWString(u"Call ###phone###");
    page->m_phpCode = CWString(u"$n = '###phone###';");
    doc.m_strAnalytics = "<script>var p = '###phone###'; var q = '###first###';</script>";
    const struct { const char16_t* name; const char16_t* value; } pairs[] = {
        {u"first", u"###phone###"}, // a later pair replaces what an earlier one put in
        {u"phone", u"555"},
        {u"nowhere", u"x"},
        {u"tag", u"<b>&"},
    };
    for (const auto& p : pairs) {
        auto n = std::make_unique<CNamedString>();
        n->m_name = CWString(p.name);
        n->m_value = CWString(p.value);
        doc.m_namedStrings.push_back(std::move(n));
    }
    page->m_keywords = CWString(u"###tag###");
    CPageOutput out(kPublishUpload, 900);
    BuildPageHtml(doc, page, out);
    const CString& text = out.m_strFinalPage;
    EXPECT_GE(text.Find("<title>Call 555</title>"), 0);
    EXPECT_GE(text.Find("$n = '555';"), 0);
    EXPECT_GE(text.Find("var p = '555'; var q = '555';"), 0);
    EXPECT_GE(text.Find("content=\"&lt;b&gt;&amp;\""), 0);
    EXPECT_LT(text.Find("###"), 0);
}

TEST(GenerateText, SocialTab)
{
    const struct {
        int style, faces, stream;
        const char* channel;
        const char* query;
    } cases[] = {
        {0, 0, 0, "Varnelo", "href=https%3A%2F%2Fwww.facebook.com%2FVarnelo&amp;width=302&amp;height=380&amp;colorscheme=light&amp;show_faces=false&amp;border_color=%23ffffff&amp;stream=false&amp;header=true\""},
        {1, 1, 1, "Varnelo", "colorscheme=dark&amp;show_faces=true&amp;border_color=%23ffffff&amp;stream=true&amp;"},
        {0, 1, 0, "a b\"/&x", "%2Fa%2520b%2522%252F%2526x&amp;width=302"},
    };
    for (const auto& k : cases) {
        CKJDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        doc.m_bFacebookConnect = 1;
        doc.m_nFacebookStyle = k.style;
        doc.m_bFacebookFaces = k.faces;
        doc.m_bFacebookStream = k.stream;
        doc.m_strFacebookChannel = k.channel;
        CPageOutput out(kPublishExport, 900);
        BuildPageHtml(doc, doc.m_pages.front().get(), out);
        const CString& text = out.m_strFinalPage;
        EXPECT_GE(text.Find(k.query), 0) << k.channel << "\n" << text.GetString();
        EXPECT_EQ(out.m_bJqueryUsed, 1);
        EXPECT_GE(text.Find("jquery.min.js"), 0);
        EXPECT_GE(text.Find("<div id=\"facebooktab\"><iframe src=\"https://www.facebook.com/plugins/likebox.php?"), 0);
        EXPECT_GE(text.Find("$(\"#facebooktab\").css(\"left\",\"-352px\");"), 0);
        EXPECT_GE(out.m_strPageCss.Find("#facebooktab{ background: url('facebooktab.png') no-repeat "), 0) << out.m_strPageCss.GetString();
        EXPECT_EQ(testsupport::TidyErrors(QByteArray(text.GetString())), QByteArray()) << k.channel;
        CString script = text.Mid(text.Find("<script type=\"text/javascript\">$(function"));
        script = script.Mid(31, script.Find("</script>") - 31);
        EXPECT_EQ(testsupport::JsSyntaxErrors(QByteArray(script.GetString())), QByteArray());
    }
}

// ---------------------------------------------------------------- modes, kinds, states

TEST(Generate, PageNamesAndKindsByMode)
{
    const struct { int mode; const char* local; } cases[] = {
        {kPublishEditorPreview, "a/shop/index.php.html"},
        {kPublishBrowserPreview, "a/shop/index.php.html"},
        {kPublishUpload, "a/shop/index.php"},
        {kPublishExport, "a/shop/index.php"},
    };
    for (const auto& k : cases) {
        QTemporaryDir tmp;
        CKJDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        CFolder* a = AddFolder(doc, "a", nullptr);
        CFolder* shop = AddFolder(doc, "shop", a);
        CPage* page = AddNamedPage(doc, "index", ".php", shop);
        CPublishContext context;
        context.m_strOutputFolder = CString::FromQString(tmp.path()) + "/";
        context.m_nMode = k.mode;
        ASSERT_EQ(GenerateWebsite(doc, context), 1);
        const CPublishFile* file = FindListed(context, "a/shop/index.php");
        ASSERT_NE(file, nullptr) << k.mode;
        EXPECT_EQ(file->m_nKind, kPublishFileFolderIndex);
        EXPECT_EQ(file->m_strLocalPath, CString::FromQString(tmp.path()) + "/" + k.local);
        EXPECT_EQ(page->m_strExtra1, file->m_strLocalPath);
        EXPECT_EQ(FindListed(context, "index.php")->m_nKind, kPublishFileTopIndex);
        EXPECT_EQ(FindListed(context, "a")->m_bDirectory, 1);
        EXPECT_EQ(FindListed(context, "a/shop")->m_bDirectory, 1);
    }
}

TEST(Generate, HomeLinkByModeLeadsToTheTopOfTheSite)
{
    const struct { int mode; bool index; const char* href; } cases[] = {
        {kPublishEditorPreview, true, "../../index.php.html"},
        {kPublishBrowserPreview, true, "../../index.php.html"},
        {kPublishBrowserPreview, false, "../.././"},
        {kPublishUpload, true, "../.././"},
        {kPublishExport, true, "../.././"},
        {kPublishExport, false, "../.././"},
    };
    for (const auto& k : cases) {
        QTemporaryDir tmp;
        CKJDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        if (!k.index)
            doc.m_pages.front()->m_strBaseName = "start";
        CFolder* a = AddFolder(doc, "a", nullptr);
        CPage* page = AddNamedPage(doc, "deep", ".html", AddFolder(doc, "shop", a));
        auto* home = new CGroupItem();
        home->m_link.SetPageLink(-1);
        page->AddChild(home);
        CPublishContext context;
        context.m_strOutputFolder = CString::FromQString(tmp.path());
        context.m_nMode = k.mode;
        ASSERT_EQ(GenerateWebsite(doc, context), 1);
        const QByteArray text = Read(tmp.filePath("a/shop/deep.html"));
        EXPECT_TRUE(text.contains(QByteArray("<a href=\"") + k.href + "\">")) << k.mode << " " << k.href;
        const QString target = QDir::cleanPath(tmp.filePath("a/shop/") + k.href);
        EXPECT_TRUE(QFileInfo::exists(target)) << target.toStdString();
    }
}

TEST(Generate, UploadStatesDecideWhatIsListed)
{
    const struct { int state; int uploadAll; bool listed; int after; } cases[] = {
        {kUploadChanged, 0, true, kUploadListed},
        {kUploadListed, 0, true, kUploadListed},
        {kUploadDone, 0, false, kUploadDone},
        {kUploadDone, 1, true, kUploadDone},
    };
    for (const auto& k : cases) {
        QTemporaryDir tmp;
        CKJDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        CPage* page = doc.m_pages.front().get();
        page->m_nUploadState = k.state;
        doc.m_nCssUploadState = k.state;
        CPublishContext context;
        context.m_strOutputFolder = CString::FromQString(tmp.path());
        context.m_nMode = kPublishUpload;
        context.m_bUploadAll = k.uploadAll;
        ASSERT_EQ(GenerateWebsite(doc, context), 1);
        EXPECT_TRUE(QFileInfo::exists(tmp.filePath("index.php"))); // written in every case
        EXPECT_EQ(FindListed(context, "index.php") != nullptr, k.listed) << k.state << k.uploadAll;
        EXPECT_EQ(FindListed(context, "styles.css") != nullptr, k.listed);
        EXPECT_EQ(page->m_nUploadState, k.after);
        EXPECT_EQ(doc.m_nCssUploadState, k.after);
    }
}

TEST(Generate, ChangedOutputResetsTheUploadState)
{
    QTemporaryDir tmp;
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CPage* home = doc.m_pages.front().get();
    CPage* other = AddNamedPage(doc, "other", ".html", nullptr);
    auto run = [&](int mode) {
        CPublishContext context;
        context.m_strOutputFolder = CString::FromQString(tmp.path());
        context.m_nMode = mode;
        EXPECT_EQ(GenerateWebsite(doc, context), 1);
        return context.GetFileCount();
    };
    auto uploaded = [&] {
        home->m_nUploadState = other->m_nUploadState = doc.m_nCssUploadState = kUploadDone;
    };
    run(kPublishUpload);
    uploaded();
    EXPECT_EQ(run(kPublishUpload), 0);   // nothing changed: nothing listed
    EXPECT_EQ(run(kPublishEditorPreview), 0); // a preview writes other text, which is no change
    EXPECT_EQ(run(kPublishUpload), 0);

    doc.m_globalTitle = CWString(u"New title"); // a site-wide setting changes every page
    run(kPublishUpload);
    EXPECT_EQ(home->m_nUploadState, kUploadListed);
    EXPECT_EQ(other->m_nUploadState, kUploadListed);
    EXPECT_EQ(doc.m_nCssUploadState, kUploadDone);

    uploaded();
    doc.m_nPageMargin = 30; // only the stylesheet changes
    run(kPublishUpload);
    EXPECT_EQ(doc.m_nCssUploadState, kUploadListed);
    EXPECT_EQ(home->m_nUploadState, kUploadDone);

    auto record = std::make_unique<CFileRecord>();
    record->m_strBaseName = "terms";
    record->m_strExtension = ".txt";
    record->m_blob.Assign("v1", 2);
    CFileRecord* terms = record.get();
    doc.m_fileRecords.push_back(std::move(record));
    run(kPublishUpload);
    uploaded();
    terms->m_nUploadState = kUploadDone;
    EXPECT_EQ(run(kPublishUpload), 0);
    terms->m_blob.Assign("v2", 2); // the stored file was replaced
    run(kPublishUpload);
    EXPECT_EQ(terms->m_nUploadState, kUploadListed);
    terms->m_nUploadState = kUploadDone;

    uploaded();
    other->m_strBaseName = "renamed"; // same text under a new name: a new file to send
    run(kPublishUpload);
    EXPECT_EQ(other->m_nUploadState, kUploadListed);
    EXPECT_EQ(home->m_nUploadState, kUploadDone);
    EXPECT_EQ(doc.m_nCssUploadState, kUploadDone);

    uploaded();
    auto* link = new CGroupItem(); // a link to the renamed page changes the linking page
    link->m_link.SetPageLink(other->m_nSerial);
    home->AddChild(link);
    run(kPublishUpload);
    uploaded();
    other->m_strBaseName = "again";
    run(kPublishUpload);
    EXPECT_EQ(other->m_nUploadState, kUploadListed);
    EXPECT_TRUE(Read(home->m_strExtra1.ToQString()).contains("href=\"again.html\""));
    EXPECT_EQ(home->m_nUploadState, kUploadListed);
}

// ---------------------------------------------------------------- failures

TEST(Generate, UnwritableFileStopsTheRunAndNamesIt)
{
    const struct { const char* blocker; bool cssListed; bool pageListed; } cases[] = {
        {"styles.css", false, false},
        {"index.php", true, false},
        {"price.pdf", true, true},
    };
    for (const auto& k : cases) {
        QTemporaryDir tmp;
        CKJDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        auto file = std::make_unique<CFileRecord>();
        file->m_strBaseName = "price";
        file->m_strExtension = ".pdf";
        file->m_blob.Assign("%PDF", 4);
        doc.m_fileRecords.push_back(std::move(file));
        // a directory where the file should go
        ASSERT_TRUE(QDir(tmp.path()).mkpath(QString("site/") + k.blocker));
        CPublishContext context;
        context.m_strOutputFolder = CString::FromQString(tmp.filePath("site"));
        context.m_nMode = kPublishExport;
        CString error;
        EXPECT_EQ(GenerateWebsite(doc, context, &error), 0) << k.blocker;
        EXPECT_GE(error.Find(CString::FromQString(tmp.filePath("site/")) + k.blocker), 0) << error.GetString();
        EXPECT_EQ(FindListed(context, k.blocker), nullptr);
        EXPECT_EQ(FindListed(context, "styles.css") != nullptr, k.cssListed) << k.blocker;
        EXPECT_EQ(FindListed(context, "index.php") != nullptr, k.pageListed) << k.blocker;
    }
}

TEST(Generate, ExportToFolderUsesTheProjectNameAndReportsFailure)
{
    QTemporaryDir tmp;
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.SetTitle("Untitled ../site");
    EXPECT_EQ(GetExportProjectName(doc), "Untitled ..site");
    CString where;
    ASSERT_EQ(ExportWebsiteToFolder(doc, CString::FromQString(tmp.path()) + "/", &where), 1);
    EXPECT_EQ(where, CString::FromQString(tmp.path()) + "/Untitled ..site");
    EXPECT_EQ(doc.m_strExportFolder, CString::FromQString(tmp.path()) + "/");
    EXPECT_TRUE(QFileInfo::exists(tmp.filePath("Untitled ..site/index.php")));
    EXPECT_TRUE(QFileInfo::exists(tmp.filePath("Untitled ..site/styles.css")));

    doc.SetPathName(CString::FromQString(tmp.filePath("Shop.kjproj")));
    EXPECT_EQ(GetExportProjectName(doc), "Shop");
    ASSERT_TRUE(QDir(tmp.path()).mkpath("Shop/index.php"));
    doctest::MessageRecorder messages;
    EXPECT_EQ(ExportWebsiteToFolder(doc, CString::FromQString(tmp.path())), 0);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_GE(messages.texts[0].Find("Shop/index.php"), 0) << messages.texts[0].GetString();
}

TEST(Generate, ExportToAFolderThatDoesNotExistYetCreatesIt)
{
    QTemporaryDir tmp;
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.SetPathName(CString::FromQString(tmp.filePath("Shop.kjproj")));
    const CString chosen = CString::FromQString(tmp.filePath("new/deeper"));
    CString where;
    doctest::MessageRecorder messages;
    ASSERT_EQ(ExportWebsiteToFolder(doc, chosen, &where), 1);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(where, chosen + "/Shop");
    EXPECT_TRUE(QFileInfo::exists(tmp.filePath("new/deeper/Shop/index.php")));
    EXPECT_EQ(doc.m_strExportFolder, chosen + "/");
}

TEST(Generate, TemporaryOutputThatIsALinkIsNotUsed)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(QDir(tmp.path()).mkpath("elsewhere"));
    ASSERT_TRUE(QFile::link(tmp.filePath("elsewhere"), tmp.filePath("Title")));
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    for (int mode : {kPublishEditorPreview, kPublishBrowserPreview, kPublishUpload}) {
        CPublishContext context;
        context.m_strOutputFolder = CString::FromQString(tmp.filePath("Title"));
        context.m_nMode = mode;
        CString error;
        EXPECT_EQ(GenerateWebsite(doc, context, &error), 0) << mode;
        EXPECT_GE(error.Find("Title"), 0);
        EXPECT_EQ(FilesUnder(tmp.filePath("elsewhere")), QStringList()) << mode;
    }
    // a folder the user chose for an export is the user's business
    CPublishContext context;
    context.m_strOutputFolder = CString::FromQString(tmp.filePath("Title"));
    context.m_nMode = kPublishExport;
    EXPECT_EQ(GenerateWebsite(doc, context), 1);
    EXPECT_TRUE(QFileInfo::exists(tmp.filePath("elsewhere/styles.css")));
}

// ---------------------------------------------------------------- hostile names

TEST(Generate, HostileNamesStayInsideTheFolder)
{
    const char* const names[] = {"../x", "a/b", "C:\\x", "..", ".", "ctl\x01\x1f", "q\"uo'te<>", "/etc/passwd", "../../.."};
    QTemporaryDir tmp;
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.m_strCssFile = "../evil.css";
    CPage* home = doc.m_pages.front().get();
    CFolder* parent = nullptr;
    for (const char* name : names) {
        CFolder* folder = AddFolder(doc, name, parent);
        CPage* page = AddNamedPage(doc, name, "", folder);
        page->m_strExtension = name; // extensions come from the project too
        auto* link = new CGroupItem(); // a block linking each page
        link->m_link.SetPageLink(page->m_nSerial);
        home->AddChild(link);
        auto record = std::make_unique<CFileRecord>();
        record->m_strBaseName = name;
        record->m_strExtension = CString(name) + "r"; // no file may meet a folder's name
        record->m_blob.Assign("x", 1);
        doc.m_fileRecords.push_back(std::move(record));
        auto texture = std::make_unique<CPicture>();
        texture->m_strName = CString(name) + "t";
        texture->m_blob.Assign("y", 1);
        doc.m_textures.push_back(std::move(texture));
        parent = folder;
    }
    for (auto& page : doc.m_pages)
        doc.FixupPageAfterLoad(page.get());
    const QString out = tmp.filePath("deep/er/site");
    for (int mode = 0; mode <= 3; ++mode) {
        CPublishContext context;
        context.m_strOutputFolder = CString::FromQString(out);
        context.m_nMode = mode;
        context.m_bUploadAll = 1;
        CString error;
        ASSERT_EQ(GenerateWebsite(doc, context, &error), 1) << error.GetString();
        for (const QString& f : FilesUnder(tmp.path()))
            EXPECT_TRUE(f.startsWith("deep/er/site/") || f == "deep" || f == "deep/er" || f == "deep/er/site") << f.toStdString();
        for (const auto& f : context.GetFiles()) {
            EXPECT_TRUE(QFileInfo(f->m_strLocalPath.ToQString()).absoluteFilePath().startsWith(out + "/")) << f->m_strLocalPath.GetString();
            for (const QString& part : f->m_strRemoteName.ToQString().split('/'))
                EXPECT_TRUE(part != ".." && part != "." && !part.isEmpty()) << f->m_strRemoteName.GetString();
            for (unsigned char c : f->m_strRemoteName.str())
                EXPECT_TRUE(c >= 0x20 && c != 0x7F && c != '\\') << f->m_strRemoteName.GetString();
        }
        // the links name the files that were written
        for (auto& page : doc.m_pages) {
            const QString local = page->m_strExtra1.ToQString();
            ASSERT_TRUE(QFileInfo::exists(local)) << local.toStdString();
            EXPECT_EQ(testsupport::TidyErrors(Read(local)), QByteArray()) << local.toStdString();
        }
        const QByteArray homeText = Read(home->m_strExtra1.ToQString());
        for (const QString& ref : LocalReferences(homeText, false))
            EXPECT_TRUE(QFileInfo::exists(QDir::cleanPath(out + "/" + ref))) << ref.toStdString();
        EXPECT_EQ(CssSyntaxErrors(Read(out + "/..evil.css")), QStringList());
    }
}

// ---------------------------------------------------------------- the checkers themselves

TEST(GenerateSupport, CssCheckerFindsBrokenStylesheets)
{
    const struct { const char* css; bool ok; } cases[] = {
        {"@import url(https://x/css?family=A+B);\r\nbody { margin:0px; }\r\na:hover { color:#FF0000; }", true},
        {"@media screen { p { color:red; } }", true},
        {"p { background:url('a b.png') no-repeat; }", true},
        {"body { width:100%%; }", false},
        {"p { color:#12345; }", false},
        {"p { color: ; }", false},
        {"p { color red; }", false},
        {"p { color:red; ", false},
        {"p color:red; }", false},
        {"} p { }", false},
        {"p { content:\"open; }", false},
        {"p { background:url(a.png; }", false},
        {"p,,q { color:red; }", false},
        {"/* open", false},
    };
    for (const auto& k : cases)
        EXPECT_EQ(CssSyntaxErrors(k.css).isEmpty(), k.ok) << k.css << "\n" << CssSyntaxErrors(k.css).join("\n").toStdString();
}

TEST(GenerateSupport, LocalReferencesSkipOutsideAddresses)
{
    const QByteArray html = "<a href=\"shop/a%20b.html?x=1\">x</a><img src='p.png'><a href=\"https://e.com/\">"
                            "<a href=\"#top\"><a href=\"/\"><a href=\"mailto:a@b\"><div style=\"background:url(&quot;t.png&quot;)\">"
                            "<form action=\"send.php\">";
    EXPECT_EQ(LocalReferences(html, false), (QStringList{"t.png", "shop/a b.html", "p.png", "send.php"}));
    EXPECT_EQ(LocalReferences("p { background:url(\"../t.png\"); } q { background:url(//cdn/x.png); }", true), QStringList{"../t.png"});
}

} // namespace
