// The sample site with every text a user can type holding quotes, markup, script and PHP
// openers, comment starts, line breaks, backslashes, line separators and non-ASCII: the
// generated pages must stay valid HTML with no element or attribute coming from a text,
// every script valid JavaScript, every PHP file valid PHP and the stylesheets valid CSS.
#include "GenerateTestSupport.h"
#include "model/Escaping.h"
#include "support/ExternalTools.h"

#include "document/Generate.h"
#include "document/KJDoc.h"
#include "model/Folder.h"
#include "model/GroupItem.h"
#include "model/ItemAction.h"
#include "model/Page.h"
#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/TextStyle.h"
#include "model/items/CategoriesItem.h"
#include "model/items/EmailItem.h"
#include "model/items/GalleryItem.h"
#include "model/items/MenuItem.h"
#include "model/items/ParagraphItem.h"
#include "model/items/FacebookItem.h"
#include "model/items/FormFieldItem.h"
#include "model/items/FormItem.h"
#include "model/items/HtmlItem.h"
#include "model/items/ImageItem.h"
#include "model/items/InputFieldItem.h"
#include "model/items/JavaScriptItem.h"
#include "model/items/LikeButtonItem.h"
#include "model/items/PayPalItem.h"
#include "model/items/PhpItem.h"
#include "model/items/SubmitButtonItem.h"
#include "model/items/TableItem.h"
#include "model/items/TextAreaItem.h"
#include "model/items/YouTubeItem.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

using namespace gentest;

namespace {

// Markers whose raw appearance means a text escaped its place: the script block in a
// script or stylesheet file, the PHP block anywhere in a page.
const char kScriptMarker[] = "<script>alert(1)</script>";
const char kPhpMarker[] = "<?php echo 6*7; ?>";

// The hostile text: quotes of both kinds ending an attribute and starting a new one, an
// element of its own, a script block closing the page's script, a PHP block, a comment
// opener, CSS and JavaScript closers, format specifiers, CR LF, a backslash, U+2028/9
// and non-ASCII letters.
const char16_t kHostile[] =
    u"A\"B' \" data-pwned=\"1\" ' data-pwned='1' <pwned x=1>&amp;&</script><script>alert(1)</script>"
    u"<?php echo 6*7; ?><!-- */ } ]]> ${x} `%s %d \r\n\\ \u2028\u2029 \u00e9\u20ac\U0001F600 ###company###";

CWString HostileW(int n)
{
    CWString s(kHostile);
    CWString number;
    number.FromUtf8(CString::Formatted(" %d", n).GetString());
    s.Append(number);
    return s;
}

// "label=value" of two hostile texts.
CWString HostilePair(int n)
{
    CWString s = HostileW(n + 1);
    s.AppendChar(u'=');
    s.Append(HostileW(n));
    return s;
}

CString Hostile(int n)
{
    return HostileW(n).GetUtf8();
}

// Gives every text of an item that the user types as text (not as markup or script) a
// hostile value; n keeps ids apart.
void MakeHostile(CItem* item, int n)
{
    const bool markup = dynamic_cast<CHtmlItem*>(item) || dynamic_cast<CJavaScriptItem*>(item) || dynamic_cast<CPhpItem*>(item);
    item->m_strName = Hostile(n);
    item->m_strClass = Hostile(1); // one class shared with the site's style class
    item->m_strAnchor = Hostile(n);
    item->m_strTitle = HostileW(n);
    item->m_bRawText = 0;
    if (!markup)
        item->m_strText = HostileW(n);
    // the link in turn as each kind, with hostile title, address and mail fields
    CItemLink& link = item->m_link;
    link.m_wstrTitle = HostileW(n);
    link.m_strArguments = Hostile(n);
    switch (n % 4) {
    case 0:
        link.m_nKind = kLinkAddress;
        link.m_strUrl = "https://example.com/" + Hostile(n);
        break;
    case 1:
        link.m_nKind = kLinkMail;
        link.m_strEmail = Hostile(n) + "@example.com";
        link.m_strSubject = Hostile(n);
        link.m_strBody = Hostile(n);
        break;
    case 2:
        if (link.m_nKind == kLinkNone) {
            link.m_nKind = kLinkAddress;
            link.m_strUrl = Hostile(n);
        }
        break;
    default:
        link.m_nKind = kLinkPicture;
        link.m_strPicture = Hostile(n);
        break;
    }
    item->m_strFontFace = Hostile(n);
    item->m_strWebFont = Hostile(n);
    item->m_strImageName = Hostile(n);
    // a step of every kind, all naming hostile targets, fonts, addresses and texts
    CItemAction& action = item->m_actions[n % EVENT_COUNT];
    action.RemoveAllSteps();
    for (int kind = 0; kind < kStepKindCount; ++kind) {
        CActionStep& step = action.AddStep();
        step.m_nKind = kind;
        step.m_strTarget = Hostile(n);
        step.m_strName = Hostile(n);
        step.m_wstrText = HostileW(n);
        step.m_nValue = 3;
    }

    if (auto* mail = dynamic_cast<CEmailItem*>(item)) {
        mail->m_strSubject = Hostile(n);
        mail->m_strBody = Hostile(n);
        mail->m_strAddress = Hostile(n) + "@example.com";
        mail->m_strCc = Hostile(n);
    }
    if (auto* f = dynamic_cast<CFacebookItem*>(item))
        f->m_strPage = Hostile(n);
    if (auto* f = dynamic_cast<CLikeButtonItem*>(item))
        f->m_strPage = Hostile(n);
    if (auto* p = dynamic_cast<CPayPalItem*>(item)) {
        p->m_strArticleName = Hostile(n);
        p->m_strArticleNumber = Hostile(n);
        p->m_strBusiness = Hostile(n);
    }
    if (auto* y = dynamic_cast<CYouTubeItem*>(item)) {
        y->m_strVideoId = Hostile(n);
        y->m_strParameters = Hostile(n);
    }
    if (auto* field = dynamic_cast<CFormFieldItem*>(item)) {
        field->m_strRuleMessage = HostileW(n);
        field->m_strRequiredMessage = HostileW(n);
        field->m_optionLines = std::vector<CWString>{HostileW(n), HostilePair(n)};
        field->m_bRequired = 1;
        field->m_nMinLength = 2;
    }
    if (auto* input = dynamic_cast<CInputFieldItem*>(item)) {
        input->m_strRequiredChars = HostileW(n);
        input->m_strForbiddenChars = HostileW(n);
        input->m_strAllowedChars = HostileW(n);
        input->m_wstrPlaceholder = HostileW(n);
    }
    if (auto* area = dynamic_cast<CTextAreaItem*>(item))
        area->m_wstrPlaceholder = HostileW(n);
    if (auto* form = dynamic_cast<CFormItem*>(item))
        form->m_hiddenLines = std::vector<CWString>{HostilePair(n), HostileW(n)};
    // entries of menus and category lists: captions, titles and addresses
    auto hostileLink = [n](CItemLink& l) {
        l.m_nKind = kLinkAddress;
        l.m_strUrl = Hostile(n);
        l.m_wstrTitle = HostileW(n);
    };
    if (auto* menu = dynamic_cast<CMenuItem*>(item)) {
        menu->m_strDropFace = Hostile(n);
        for (int i = 0; i < 2; ++i) {
            auto entry = std::make_unique<CMenuEntry>();
            entry->m_nNumber = i;
            menu->m_topEntries.push_back(std::move(entry));
        }
        auto drop = std::make_unique<CMenuEntry>();
        drop->m_nNumber = 0;
        menu->m_dropEntries.push_back(std::move(drop));
        for (auto* list : {&menu->m_topEntries, &menu->m_dropEntries})
            for (auto& entry : *list) {
                entry->m_strCaption = HostileW(n);
                hostileLink(entry->m_link);
            }
    }
    if (auto* categories = dynamic_cast<CCategoriesItem*>(item)) {
        categories->m_strHeadingFace = Hostile(n);
        categories->m_entries.push_back(std::make_unique<CItemLink>());
        for (auto& entry : categories->m_entries)
            hostileLink(*entry);
    }
    if (auto* gallery = dynamic_cast<CGalleryItem*>(item)) {
        auto picture = std::make_unique<CImageItem>();
        picture->m_picture.CreateWhite(8, 8);
        gallery->m_pictures.push_back(std::move(picture));
        for (auto& picture : gallery->m_pictures) {
            picture->m_strText = HostileW(n);
            picture->m_strTitle = HostileW(n);
        }
    }
    if (auto* table = dynamic_cast<CTableItem*>(item)) {
        table->m_columns.clear();
        table->m_rows.clear();
        table->AddColumn().m_strHeader = HostileW(n);
        CTableRow& row = table->AddRow();
        row.m_cells[0] = std::make_unique<CWString>(HostileW(n));
        row.m_link.m_nKind = kLinkAddress;
        row.m_link.m_strUrl = Hostile(n);
        row.m_link.m_wstrTitle = HostileW(n);
    }
}

// The sample site, a mail form of hostile fields on its home page, and every text made
// hostile: site title, named strings, page texts, a folder's and a page's name, the style
// class and every item.
void BuildHostileSite(CKJDoc& doc)
{
    BuildSampleSite(doc);
    CPage* home = doc.m_pages.front().get();
    auto* form = new CFormItem();
    form->m_bPositioned = 1;
    form->m_nWidth = 400;
    form->m_nHeight = 300;
    form->m_link.m_nKind = kLinkPicture; // sends by e-mail through the mailer
    form->m_link.m_strEmail = "orders@example.com";
    form->m_link.m_strSubject = Hostile(900);
    form->m_link.m_strBody = Hostile(901);
    form->m_link.m_strPicture = Hostile(902);
    auto* input = new CInputFieldItem();
    auto* area = new CTextAreaItem();
    auto* send = new CSubmitButtonItem();
    form->AddChild(input);
    form->AddChild(area);
    form->AddChild(send);
    home->AddChild(form);

    doc.m_globalTitle = HostileW(0);
    for (auto& s : doc.m_namedStrings)
        s->m_value = HostileW(0);
    // (the stylesheet takes no named strings: font names there without a placeholder,
    // whose "#" the CSS check would read as a colour)
    CString font = Hostile(2);
    font.Replace("###company###", "company");
    for (auto& c : doc.m_styleClasses) {
        c->m_strName = Hostile(1);
        c->m_strFace = font;
    }
    doc.m_styles.m_base.m_strFamily = font;
    doc.m_styles.m_base.m_strWebFont = font;
    int n = 10;
    for (auto& page : doc.m_pages) {
        page->m_title = HostileW(++n);
        page->m_description = HostileW(++n);
        page->m_keywords = HostileW(++n);
    }
    for (auto& page : doc.m_pages)
        if (page->m_strBaseName == "contact us")
            page->m_strBaseName = "c\"o<n>t'a&c%t \\ \xC3\xA9";
    for (auto& folder : doc.m_folders)
        if (folder->m_strBaseName == "offers")
            folder->m_strBaseName = "o\"f<f>e'r&s%20 \xE2\x82\xAC";

    CItemList all;
    doc.CollectAllItems(all);
    for (CItem* item : all)
        MakeHostile(item, ++n);
    // the mail form keeps an address the mailer can use (no line break), quotes and all
    form->m_link.m_nKind = kLinkPicture;
    form->m_link.m_strEmail = "o'r\"d<?php echo 6*7; ?>\\er$s@example.com";
    for (CItem* item : all)
        item->RecalcLayout();
    doc.UpdateItemLinks();
}

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Per HTML file: elements and attributes that came from a text, script bodies and event
// handler values, style bodies and style attributes, as read by Python's HTML parser.
const char kParser[] = R"PY(
import json, sys
from html.parser import HTMLParser
class P(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.injected = []; self.scripts = []; self.styles = []; self.styleattrs = []
        self.inscript = None; self.instyle = None
    def handle_starttag(self, tag, attrs):
        if tag == 'pwned':
            self.injected.append('element <pwned>')
        for k, v in attrs:
            if k == 'data-pwned' or k.startswith('x=') or k == 'x':
                self.injected.append('attribute %s on <%s>' % (k, tag))
            if k.startswith('on') and v:
                self.scripts.append(v)
            if k == 'style' and v:
                self.styleattrs.append(v)
        if tag == 'script':
            t = dict(attrs).get('type', 'text/javascript') or 'text/javascript'
            self.inscript = [] if 'javascript' in t.lower() else None
        if tag == 'style':
            self.instyle = []
    def handle_endtag(self, tag):
        if tag == 'script' and self.inscript is not None:
            body = ''.join(self.inscript); self.inscript = None
            if body.strip() == 'alert(1)':
                self.injected.append('script block')
            self.scripts.append(body)
        if tag == 'style' and self.instyle is not None:
            self.styles.append(''.join(self.instyle)); self.instyle = None
    def handle_data(self, data):
        if self.inscript is not None: self.inscript.append(data)
        if self.instyle is not None: self.instyle.append(data)
out = {}
for path in sys.argv[1:]:
    p = P()
    p.feed(open(path, encoding='utf-8', errors='replace').read())
    p.close()
    out[path] = {'injected': p.injected, 'scripts': p.scripts, 'styles': p.styles, 'styleattrs': p.styleattrs}
print(json.dumps(out))
)PY";

// A PHP file split by PHP's own tokenizer: the HTML around its blocks, and its code
// without strings and comments (where a text turned into code would show).
struct PhpParts {
    QByteArray html, code;
};

PhpParts SplitPhp(const QString& path)
{
    static const char script[] =
        "$h = ''; $c = '';"
        "foreach (token_get_all(file_get_contents($argv[1])) as $t) {"
        "  if (!is_array($t)) { $c .= $t; continue; }"
        "  if ($t[0] == T_INLINE_HTML) $h .= $t[1];"
        "  elseif (!in_array($t[0], [T_CONSTANT_ENCAPSED_STRING, T_ENCAPSED_AND_WHITESPACE, T_COMMENT, T_DOC_COMMENT, T_WHITESPACE])) $c .= $t[1];"
        "}"
        "echo json_encode(['html' => $h, 'code' => $c], JSON_INVALID_UTF8_SUBSTITUTE);";
    const testsupport::ProcessResult r = testsupport::RunProcess("php", {"-r", script, path});
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    return {o.value("html").toString().toUtf8(), o.value("code").toString().toUtf8()};
}

class HostileText : public ::testing::TestWithParam<int> {};

TEST_P(HostileText, GeneratedSiteStaysValidAndUninjected)
{
    const int mode = GetParam();
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    CKJDoc doc;
    BuildHostileSite(doc);
    CPublishContext context;
    const QString root = tmp.filePath("site");
    context.m_strOutputFolder = CString::FromQString(root);
    context.m_nMode = mode;
    context.m_bUploadAll = 1;
    CString error;
    ASSERT_EQ(GenerateWebsite(doc, context, &error), 1) << error.GetString();
    // no file outside the output folder
    const QStringList outside = FilesUnder(tmp.path()).filter(QRegularExpression("^(?!site(/|$))"));
    EXPECT_EQ(outside, QStringList());

    QStringList html, php, css, js;
    for (const QString& f : FilesUnder(root)) {
        const QString path = root + "/" + f;
        if (f.endsWith(".html") || f.endsWith(".htm") || f.endsWith(".php"))
            html << path;
        if (f.endsWith(".php"))
            php << path;
        if (f.endsWith(".css"))
            css << path;
        if (f.endsWith(".js"))
            js << path;
    }
    ASSERT_GE(html.size(), int(doc.m_pages.size()));
    EXPECT_EQ(php.filter(QRegularExpression("form\\d+mailer\\.php$")).size(), 1) << php.join(", ").toStdString();

    // the HTML of each page (of a PHP file: what lies around its blocks), where the checks
    // of markup look; PHP code must not hold the PHP block of a text
    QTemporaryDir markup;
    ASSERT_TRUE(markup.isValid());
    QStringList markupFiles;
    for (const QString& path : html) {
        QByteArray text = Read(path);
        if (path.endsWith(".php")) {
            const PhpParts parts = SplitPhp(path);
            EXPECT_FALSE(parts.code.contains("echo6*7")) << path.toStdString() << " runs the PHP block of a text:\n" << parts.code.constData();
            text = parts.html;
        }
        const QString copy = markup.filePath(QString::number(markupFiles.size()) + ".html");
        QFile f(copy);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        f.close();
        markupFiles << copy;
    }
    for (int i = 0; i < html.size(); ++i) {
        const QByteArray text = Read(markupFiles[i]);
        const std::string path = html[i].toStdString();
        EXPECT_FALSE(text.contains(kPhpMarker)) << path << " holds a raw PHP block from a text near\n"
                                                << text.mid(std::max<qsizetype>(0, text.indexOf(kPhpMarker) - 200), 260).toStdString();
        if (html[i].endsWith(".php") && !text.contains("<html"))
            continue; // a script without a page
        const QByteArray errors = testsupport::TidyErrors(text);
        EXPECT_TRUE(errors.isEmpty()) << path << ":\n" << errors.constData();
    }
    for (const QString& path : css + js)
        EXPECT_FALSE(Read(path).contains(kScriptMarker)) << path.toStdString();
    for (const QString& path : php) {
        const QByteArray errors = testsupport::PhpLintErrors(Read(path));
        EXPECT_TRUE(errors.isEmpty()) << path.toStdString() << ":\n" << errors.constData();
    }
    for (const QString& path : css)
        EXPECT_EQ(CssSyntaxErrors(Read(path)).join("; ").toStdString(), "") << path.toStdString();
    // every script (files, blocks, handlers) goes to one node process at the end
    QList<QByteArray> scriptTexts;
    QStringList scriptWhere;
    for (const QString& path : js) {
        scriptTexts << Read(path);
        scriptWhere << path;
    }

    const testsupport::ProcessResult parsed = testsupport::RunPython(kParser, markupFiles);
    ASSERT_EQ(parsed.exitCode, 0) << parsed.err.constData();
    const QJsonObject files = QJsonDocument::fromJson(parsed.out).object();
    ASSERT_EQ(files.size(), html.size());
    int scripts = 0;
    for (int i = 0; i < html.size(); ++i) {
        const QString& path = html[i];
        const QJsonObject page = files.value(markupFiles[i]).toObject();
        for (const auto& v : page.value("injected").toArray())
            ADD_FAILURE() << path.toStdString() << ": " << v.toString().toStdString();
        for (const auto& v : page.value("scripts").toArray()) {
            // handlers and blocks alike are checked as function bodies
            scriptTexts << "(function(event){\n" + v.toString().toUtf8() + "\n});\n";
            scriptWhere << path + " script:\n" + v.toString().left(1500);
            ++scripts;
        }
        for (const auto& v : page.value("styles").toArray())
            EXPECT_EQ(CssSyntaxErrors(v.toString().toUtf8()).join("; ").toStdString(), "") << path.toStdString() << " style:\n" << v.toString().toStdString();
        for (const auto& v : page.value("styleattrs").toArray())
            EXPECT_EQ(CssSyntaxErrors("x{" + v.toString().toUtf8() + "}").join("; ").toStdString(), "") << path.toStdString() << " style attribute: " << v.toString().toStdString();
    }
    EXPECT_GT(scripts, 0); // the hostile steps wrote handlers that are checked here
    const QList<QByteArray> scriptErrors = testsupport::JsSyntaxErrorsOfEach(scriptTexts);
    ASSERT_EQ(scriptErrors.size(), scriptTexts.size());
    for (int i = 0; i < scriptTexts.size(); ++i)
        EXPECT_TRUE(scriptErrors[i].isEmpty()) << scriptWhere[i].toStdString() << "\n" << scriptErrors[i].constData();
}

// A named string's value goes in escaped for where its placeholder stands: element text,
// a script block and an event handler.
TEST(HostilePlaceholders, ValueEscapedForTextScriptAndHandler)
{
    // the value, as element text, as the inside of a JavaScript string
    struct Case {
        const char16_t* value;
        const char* html;
        const char* js;
    } const cases[] = {
        {u"555", "555", "555"},
        {u"O'Brien \\ \"x\" & <y>", "O'Brien \\ &quot;x&quot; &amp; &lt;y&gt;", R"(O\'Brien \\ \x22x\x22 \x26 \x3Cy>)"},
        {u"line\r\nnext \u2028", "line\r\nnext \xE2\x80\xA8", R"(line\r\nnext \u2028)"},
        {u"</script><script>alert(1)</script>", "&lt;/script&gt;&lt;script&gt;alert(1)&lt;/script&gt;",
         R"(\x3C/script>\x3Cscript>alert(1)\x3C/script>)"},
    };
    for (const Case& c : cases) {
        const char16_t* v = c.value;
        CKJDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        CPage* page = doc.m_pages.front().get();
        page->m_title = CWString(u"T ###v###");
        doc.m_strAnalytics = "<script>var v = '###v###';</script>";
        auto named = std::make_unique<CNamedString>();
        named->m_name = CWString(u"v");
        named->m_value = CWString(v);
        doc.m_namedStrings.push_back(std::move(named));
        auto* item = doc.NewParagraph();
        item->m_strName = "box";
        item->m_strText = CWString(u"Box");
        CActionStep& step = item->m_actions[EVENT_CLICK].AddStep();
        step.m_nKind = kStepChangeText;
        step.m_strTarget = "box";
        step.m_wstrText = CWString(u"###v###");
        page->AddChild(item);
        CPageOutput out(kPublishExport, doc.m_nPageWidth);
        BuildPageHtml(doc, page, out);
        const CString value = CWString(v).GetUtf8();
        const CString& text = out.m_strFinalPage;
        SCOPED_TRACE(value.GetString());
        EXPECT_GE(text.Find((CString("<title>T ") + c.html).GetString()), 0) << text.GetString();
        EXPECT_GE(text.Find((CString("var v = '") + c.js + "';").GetString()), 0) << text.GetString();
        const int click = text.Find("onClick=\"");
        ASSERT_GE(click, 0) << text.GetString();
        const int end = text.Find('"', click + 9);
        ASSERT_GT(end, click);
        const CString handler = text.Mid(click + 9, end - click - 9);
        EXPECT_GE(handler.Find((CString("innerHTML = '") + c.js + "';").GetString()), 0) << handler.GetString();
        const QByteArray errors = testsupport::JsSyntaxErrorsOfEach({QByteArray("var v = '") + c.js + "';\n" + handler.GetString()}).value(0);
        EXPECT_TRUE(errors.isEmpty()) << errors.constData();
        EXPECT_TRUE(testsupport::TidyErrors(QByteArray(text.GetString())).isEmpty());
        EXPECT_LT(text.Find("###"), 0);
    }
}

// The batch checker tells each script apart: a broken one among good ones is named, and
// an unescaped line separator inside a string is valid (as in the engines of today).
TEST(HostileCheckers, EachBrokenScriptIsNamed)
{
    const QList<QByteArray> errors = testsupport::JsSyntaxErrorsOfEach(
        {"var a = 'x';", "var = ;", "(function(event){\nalert('a\xE2\x80\xA8" "b');\n});", "f('</script>", "return 1;"});
    ASSERT_EQ(errors.size(), 5);
    EXPECT_EQ(errors[0], QByteArray());
    EXPECT_TRUE(errors[1].contains("SyntaxError")) << errors[1].constData();
    EXPECT_EQ(errors[2], QByteArray());
    EXPECT_TRUE(errors[3].contains("SyntaxError")) << errors[3].constData();
    EXPECT_TRUE(errors[4].contains("SyntaxError")) << errors[4].constData(); // a script, not a function body
}

INSTANTIATE_TEST_SUITE_P(UploadAndExport, HostileText, ::testing::Values(int(kPublishUpload), int(kPublishExport)));

} // namespace
