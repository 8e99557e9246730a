#include "document/Generate.h"
#include "model/Escaping.h"
#include "document/KJDoc.h"
#include "document/SiteCss.h"
#include "framework/core/MessageBox.h"
#include "framework/core/Paths.h"
#include "model/Folder.h"
#include "model/FolderOutput.h"
#include "model/HeaderFooterItem.h"
#include "model/ItemAction.h"
#include "model/MasterItem.h"
#include "model/OutputPaths.h"
#include "model/Page.h"
#include "model/PageOutput.h"
#include "model/Picture.h"
#include "model/PublishContext.h"
#include "model/SiteFiles.h"
#include "model/Translate.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include <cctype>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// Folder chains are short; the bound only keeps a looping chain finite.
constexpr int kMaxFolderDepth = 256;
// The digest key of the site's support files (no object has a negative serial).
constexpr int kSiteFilesSerial = -1;
// The social network's host (the tab picture lies on the maker's server).
constexpr char kFacebookHost[] = "https://www.facebook.com";

CString WithoutTrailingSlash(CString path)
{
    while (path.GetLength() > 1 && (path[path.GetLength() - 1] == '/' || path[path.GetLength() - 1] == '\\'))
        path = path.Left(path.GetLength() - 1);
    return path;
}

std::uint64_t DigestKey(int mode, int serial)
{
    return (std::uint64_t(std::uint32_t(mode)) << 32) | std::uint32_t(serial);
}

// One generation run: the document, the context and the first failure.
class CSiteWriter {
public:
    CSiteWriter(CKJDoc& doc, CPublishContext& context, CString* error) : m_doc(doc), m_context(context), m_error(error) {}

    int Run();

private:
    bool Fail(const char* what, const CString& path)
    {
        if (m_error)
            *m_error = Translate(what) + "\n" + path;
        return false;
    }
    // Writes bytes to a path inside the output folder; a file that could not be written
    // completely is removed again.
    bool WriteFile(const CString& path, const char* data, std::size_t size);
    bool MakeFolder(const CString& path);
    // A file an object could not write itself stops the run with its name.
    bool CheckObjectFiles()
    {
        return m_context.m_strFailedPath.IsEmpty() || Fail("The file could not be written:", m_context.m_strFailedPath);
    }
    // An object whose text differs from what the last run of this mode wrote for it has
    // changed since, whatever changed it: its upload state goes back to "changed".
    void CheckDigest(int serial, const CString& name, std::string_view bytes, int& uploadState);

    bool WriteStylesheet();
    bool WriteFolders();
    void PreparePages();
    bool WritePages();
    // The stored bytes of an object as a file in the root, under its safe name.
    bool WriteStoredBytes(CSiteObject& object, int kind);
    bool WriteTextures();
    bool WriteFileRecords();
    // jQuery and the overlay's pictures at the site root, when a page uses them.
    bool WriteSiteFiles();

    CKJDoc& m_doc;
    CPublishContext& m_context;
    CString* m_error;
    std::set<CString> m_madeFolders; // made in this run: pages share their folders
    bool m_jqueryUsed = false;
    bool m_overlayUsed = false;
};

bool CSiteWriter::WriteFile(const CString& path, const char* data, std::size_t size)
{
    if (!IsInsideFolder(m_context.m_strOutputRoot, path))
        return Fail("The file lies outside the website folder:", path);
    QFile file(path.ToQString());
    // An old file is written over and then cut to the new length: emptying a file with
    // data and writing it again makes ext4 flush it to disk at once, and deleting and
    // creating thousands of files is slow too.
    if (!file.open(QIODevice::ReadWrite))
        return Fail("The file could not be written:", path);
    const bool ok = (size == 0 || file.write(data, qint64(size)) == qint64(size)) && file.flush() && file.resize(qint64(size));
    file.close();
    if (!ok || file.error() != QFileDevice::NoError) {
        file.remove();
        return Fail("The file could not be written:", path);
    }
    return true;
}

bool CSiteWriter::MakeFolder(const CString& path)
{
    // the root itself, or a folder inside it
    if (!IsInsideFolder(m_context.m_strOutputRoot, path + "/-"))
        return Fail("The folder lies outside the website folder:", path);
    if (m_madeFolders.count(path))
        return true;
    if (!QDir().mkpath(path.ToQString()))
        return Fail("The folder could not be created:", path);
    m_madeFolders.insert(path);
    return true;
}

void CSiteWriter::CheckDigest(int serial, const CString& name, std::string_view bytes, int& uploadState)
{
    // The name counts too: a renamed page is a new file on the server.
    const std::size_t digest = std::hash<std::string_view>()(bytes) ^ (std::hash<std::string>()(name.str()) * 0x9E3779B97F4A7C15ull);
    auto [it, inserted] = m_doc.m_outputDigests.try_emplace(DigestKey(m_context.m_nMode, serial), digest);
    if (!inserted && it->second != digest) {
        uploadState = kUploadChanged;
        it->second = digest;
    }
}

bool CSiteWriter::WriteStylesheet()
{
    CString css;
    BuildSiteCss(m_doc, css);
    const CString name = SafeOutputName(m_doc.m_strCssFile, "styles.css");
    const CString path = m_context.m_strOutputRoot + name;
    if (!WriteFile(path, css.GetString(), std::size_t(css.GetLength())))
        return false;
    CheckDigest(0, name, css.str(), m_doc.m_nCssUploadState);
    m_context.AddFile(path, name, kPublishFilePage, &m_doc.m_nCssUploadState);
    return true;
}

bool CSiteWriter::WriteFolders()
{
    for (auto& folder : m_doc.m_folders)
        if (!CreateFolderOutput(folder.get(), m_context))
            return Fail("The folder could not be created:", m_context.m_strOutputRoot + SafeFolderPath(folder.get()));
    return true;
}

void CSiteWriter::PreparePages()
{
    const bool preview = m_context.m_nMode < kPublishUpload;
    for (auto& page : m_doc.m_pages) {
        CFolder* folder = page->GetFolder();
        m_context.m_pWorkingFolder = folder;
        m_context.m_strCurrentFolder = SafeFolderPath(folder);
        page->ExportFiles(m_context);
        const CString name = SafeObjectFileName(*page);
        // The page keeps where it was written and its name on the server.
        page->m_strExtra1 = m_context.m_strOutputRoot + m_context.m_strCurrentFolder + name;
        if (preview && page->m_strExtension != ".html")
            page->m_strExtra1 += ".html";
        page->m_strExtra2 = m_context.m_strCurrentFolder + name;
    }
    m_context.m_strCurrentFolder.Empty();
    m_context.m_pWorkingFolder = nullptr;
}

bool CSiteWriter::WritePages()
{
    for (auto& page : m_doc.m_pages) {
        CPageOutput out(m_context.m_nMode, m_doc.m_nPageWidth);
        BuildPageHtml(m_doc, page.get(), out);
        const CString& path = page->m_strExtra1;
        if (!MakeFolder(WithoutTrailingSlash(tessel::FolderOf(path))))
            return false;
        if (!WriteFile(path, out.m_strFinalPage.GetString(), std::size_t(out.m_strFinalPage.GetLength())))
            return false;
        CheckDigest(page->m_nSerial, page->m_strExtra2, out.m_strFinalPage.str(), page->m_nUploadState);
        m_jqueryUsed = m_jqueryUsed || out.m_bJqueryUsed;
        m_overlayUsed = m_overlayUsed || out.m_bOverlayUsed;
        int kind = IsIndexName(page.get());
        m_context.AddFile(path, page->m_strExtra2, kind, &page->m_nUploadState);
    }
    return true;
}

bool CSiteWriter::WriteStoredBytes(CSiteObject& object, int kind)
{
    const CString name = SafeObjectFileName(object);
    const CString path = m_context.m_strOutputRoot + name;
    const std::string_view bytes(reinterpret_cast<const char*>(object.m_blob.Data()), object.m_blob.Size());
    if (!WriteFile(path, bytes.data(), bytes.size()))
        return false;
    CheckDigest(object.m_nSerial, name, bytes, object.m_nUploadState);
    m_context.AddFile(path, name, kind, &object.m_nUploadState);
    return true;
}

bool CSiteWriter::WriteTextures()
{
    // The picture names and writes its own file; the run checks that it is there.
    for (auto& texture : m_doc.m_textures) {
        texture->m_strOutputName.Empty();
        texture->Export(m_context);
        const CString path = m_context.m_strOutputRoot + texture->m_strOutputName;
        if (texture->m_strOutputName.IsEmpty() || !IsInsideFolder(m_context.m_strOutputRoot, path) || !QFileInfo(path.ToQString()).isFile())
            return Fail("The file could not be written:", path);
    }
    return true;
}

bool CSiteWriter::WriteSiteFiles()
{
    std::vector<std::pair<const char*, std::string_view>> files;
    QByteArray script;
    if (m_jqueryUsed) {
        const CString source = PackagedJqueryPath();
        QFile file(source.ToQString());
        if (!file.open(QIODevice::ReadOnly))
            return Fail("The file could not be read:", source);
        script = file.readAll();
        if (file.error() != QFileDevice::NoError || script.isEmpty())
            return Fail("The file could not be read:", source);
        files.emplace_back(kJqueryFileName, std::string_view(script.constData(), std::size_t(script.size())));
    }
    if (m_overlayUsed) {
        files.emplace_back(kOverlayCloseFileName, OverlayClosePicture());
        files.emplace_back(kOverlayLoadingFileName, OverlayLoadingPicture());
    }
    if (m_doc.m_bFacebookConnect)
        files.emplace_back(kFacebookTabFileName, FacebookTabPicture());
    // The files share one upload state: a file added to the set or a changed copy sends
    // the set again.
    std::string all;
    for (const auto& [name, bytes] : files) {
        const CString path = m_context.m_strOutputRoot + name;
        if (!WriteFile(path, bytes.data(), bytes.size()))
            return false;
        all.append(name).append(bytes);
    }
    CheckDigest(kSiteFilesSerial, "site files", all, m_doc.m_nSiteFilesUploadState);
    for (const auto& [name, bytes] : files)
        m_context.AddFile(m_context.m_strOutputRoot + name, name, kPublishFilePicture, &m_doc.m_nSiteFilesUploadState);
    return true;
}

bool CSiteWriter::WriteFileRecords()
{
    for (auto& record : m_doc.m_fileRecords)
        if (!WriteStoredBytes(*record, kPublishFileScript))
            return false;
    return true;
}

int CSiteWriter::Run()
{
    m_doc.ResolveLinks(m_context);

    const CString folder = WithoutTrailingSlash(m_context.m_strOutputFolder);
    if (folder.IsEmpty())
        return Fail("No folder was given for the website.", CString()), 0;
    m_context.m_strOutputFolder = folder + "/";
    m_context.m_strOutputRoot = m_context.m_strOutputFolder;
    m_context.m_strCurrentFolder.Empty();
    m_context.m_pWorkingFolder = nullptr;
    m_context.m_strFailedPath.Empty();
    // The previews and the upload write into the shared temporary folder under a name
    // anyone can foresee: a folder there that is a link or someone else's is not used.
    const QFileInfo existing(folder.ToQString());
    if (m_context.m_nMode < kPublishExport && (existing.isSymLink() || (existing.exists() && existing.ownerId() != ::getuid())))
        return Fail("The folder could not be created:", folder), 0;
    if (!QDir().mkpath(folder.ToQString()))
        return Fail("The folder could not be created:", folder), 0;

    for (CFillStyle* fill : {&m_doc.m_websiteBackground, &m_doc.m_allPagesBackground}) {
        fill->m_pFolder = nullptr;
        if (!fill->MakeImageFileName(m_context))
            return Fail("The file could not be written:", m_context.m_strFailedPath.IsEmpty() ? m_context.m_strOutputRoot + fill->m_strOutputName : m_context.m_strFailedPath), 0;
    }
    if (!WriteStylesheet())
        return 0;
    for (auto& band : m_doc.m_headerBands)
        band->ExportFiles(m_context);
    for (auto& band : m_doc.m_footerBands)
        band->ExportFiles(m_context);
    for (auto& master : m_doc.m_masters)
        master->ExportFiles(m_context);
    if (!WriteFolders())
        return 0;
    if (!CheckObjectFiles())
        return 0;
    PreparePages();
    if (!CheckObjectFiles() || !WritePages() || !WriteSiteFiles() || !WriteTextures() || !CheckObjectFiles() || !WriteFileRecords())
        return 0;
    return 1;
}

int FolderDepth(const CFolder* folder)
{
    int depth = 0;
    for (; folder && depth < kMaxFolderDepth; folder = folder->GetParentFolder())
        ++depth;
    return depth;
}

// Replaces every placeholder in text by value, escaped for where the placeholder stands:
// inside a script block or an event handler attribute as the inside of a script string
// (which then holds no quote, '&' or '<', so it can end neither the string, the
// attribute nor the block), inside a style block or attribute with CSS escapes for every
// sign, elsewhere as element text and attribute value.
CString ReplacePlaceholder(const CString& text, const CString& placeholder, const CString& value)
{
    const std::string_view s(text.GetString(), size_t(text.GetLength()));
    const std::string_view key(placeholder.GetString(), size_t(placeholder.GetLength()));
    if (key.empty() || s.find(key) == std::string_view::npos)
        return text;
    const CString asHtml = HtmlEscape(value, true);
    const CString asScript = EscapeJsString(value);
    const CString asCss = CssBlockText(value);
    auto lower = [](char c) { return char(std::tolower(static_cast<unsigned char>(c))); };
    auto isNameChar = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == ':'; };
    enum { Text, Tag, Value, Script, Style } state = Text;
    std::string tag, attribute, out;
    char quote = 0;
    bool handler = false, inName = false;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        if (s.compare(i, key.size(), key) == 0) {
            if (state == Script || (state == Value && handler))
                out += asScript.GetString();
            else if (state == Style || (state == Value && attribute == "style"))
                out += asCss.GetString();
            else
                out += asHtml.GetString();
            i += key.size();
            continue;
        }
        const char c = s[i];
        switch (state) {
        case Text:
            if (c == '<' && i + 1 < s.size() && std::isalpha(static_cast<unsigned char>(s[i + 1]))) {
                state = Tag;
                tag.clear();
                for (size_t j = i + 1; j < s.size() && isNameChar(s[j]); ++j)
                    tag += lower(s[j]);
                inName = false;
            }
            break;
        case Tag:
            if (c == '>') {
                state = tag == "script" ? Script : tag == "style" ? Style : Text;
            } else if (c == '"' || c == '\'') {
                quote = c;
                handler = attribute.size() > 2 && attribute.compare(0, 2, "on") == 0;
                state = Value;
                inName = false;
            } else if (isNameChar(c)) {
                if (!inName)
                    attribute.clear();
                inName = true;
                attribute += lower(c);
            } else {
                inName = false;
            }
            break;
        case Value:
            if (c == quote)
                state = Tag;
            break;
        case Script:
        case Style: {
            const std::string_view end = state == Script ? "</script" : "</style";
            if (c == '<' && s.size() - i >= end.size()) {
                std::string close;
                for (size_t j = i; j < i + end.size(); ++j)
                    close += lower(s[j]);
                if (close == end)
                    state = Tag, tag.clear(), inName = false;
            }
            break;
        }
        }
        out += c;
        ++i;
    }
    return CString(std::move(out));
}

} // namespace

int GenerateWebsite(CKJDoc& doc, CPublishContext& context, CString* error)
{
    CSiteWriter writer(doc, context, error);
    return writer.Run();
}

CString GetStylesheetHref(const CKJDoc& doc, const CPage* page)
{
    CString href;
    for (int i = FolderDepth(page ? page->GetFolder() : nullptr); i > 0; --i)
        href += "../";
    return href + SafeOutputName(doc.m_strCssFile, "styles.css");
}

void BuildPageHtml(CKJDoc& doc, CPage* page, CPageOutput& out)
{
    out.m_pPageFolder = page->GetFolder();
    out.m_wstrTitle = page->m_title;
    if (doc.m_globalTitle.GetLength() > 0) {
        out.m_wstrTitle.AppendText(u" ");
        out.m_wstrTitle.Append(doc.m_globalTitle);
    }
    out.m_strHeadExtras = doc.m_strAnalytics;
    out.m_wstrDescription = page->m_description;
    out.m_wstrKeywords = page->m_keywords;
    out.m_strStylesheetHref = GetStylesheetHref(doc, page);
    out.m_wstrPhpCode = page->m_phpCode;
    page->WriteHtml(out);
    if (doc.m_bFacebookConnect)
        BuildFacebookTab(doc, page, out);
    out.AssemblePage();

    // Placeholders may stand in text, attributes and scripts: values go in escaped for
    // the place of each.
    for (const auto& named : doc.m_namedStrings) {
        CString name, value;
        named->m_name.ToUtf8(name);
        named->m_value.ToUtf8(value);
        if (name.IsEmpty())
            continue;
        out.m_strFinalPage = ReplacePlaceholder(out.m_strFinalPage, "###" + name + "###", value);
    }
}

void BuildFacebookTab(const CKJDoc& doc, CPage* /*page*/, CPageOutput& out)
{
    CString rule;
    rule.Format("#facebooktab{ background: %s no-repeat scroll 0 0 transparent;padding: 10px; width: 400px; "
                "height:400px; position: fixed; margin-top: -200px; left: 0px; top: 50%%; z-index:10001;} ",
                CssUrl(SiteFileHref(out.m_pPageFolder, kFacebookTabFileName)).GetString());
    out.AppendCssLine(rule);
    out.AppendCssLine(".facebookhide { background-position: -400px 0px; }");
    out.m_bJqueryUsed = 1;
    out.Append("<script type=\"text/javascript\">$(function(){$(\"#facebooktab\").css(\"left\",\"-352px\");"
               "$(\"#facebooktab\").hover(function () {$(\"#facebooktab\").stop().animate({left: \"0px\"}, 1000 ); },"
               "function () { $(\"#facebooktab\").stop().animate({left: \"-352px\"}, 1000 ); });});</script>\r\n");
    // The channel is a path segment of the page address, which is itself a query value.
    const CString channel = UrlEncodeComponent(UrlEncodeComponent(doc.m_strFacebookChannel));
    CString frame;
    frame.Format("<div id=\"facebooktab\"><iframe src=\"%s/plugins/likebox.php?href=https%%3A%%2F%%2Fwww.facebook.com%%2F%s"
                 "&amp;width=302&amp;height=380&amp;colorscheme=%s&amp;show_faces=%s&amp;border_color=%%23ffffff"
                 "&amp;stream=%s&amp;header=true\" title=\"Facebook\" "
                 "style=\"border:none; overflow:hidden; width:302px; height:380px;\"></iframe></div>\r\n",
                 kFacebookHost, channel.GetString(), doc.m_nFacebookStyle ? "dark" : "light",
                 doc.m_bFacebookFaces ? "true" : "false", doc.m_bFacebookStream ? "true" : "false");
    out.Append(frame);
}

CString GetExportProjectName(const CKJDoc& doc)
{
    CString name;
    if (!doc.GetPathName().IsEmpty())
        name = CString::FromQString(QFileInfo(doc.GetPathName().ToQString()).completeBaseName());
    else
        name = doc.GetTitle();
    // A leading dot would hide the folder: ".kjproj" exports into "website", ".site.kjproj" into "site".
    name = SafeOutputName(name, "website");
    int dots = 0;
    while (dots < name.GetLength() && name[dots] == '.')
        ++dots;
    name = name.Mid(dots);
    return name.IsEmpty() ? CString("website") : name;
}

int ExportWebsiteToFolder(CKJDoc& doc, const CString& chosenFolder, CString* outputFolder)
{
    CPublishContext context;
    const CString chosen = WithoutTrailingSlash(chosenFolder);
    doc.m_strExportFolder = chosen + "/";
    context.m_strOutputFolder = doc.m_strExportFolder + GetExportProjectName(doc);
    context.m_nMode = kPublishExport;
    context.m_bUploadAll = 1;
    if (outputFolder)
        *outputFolder = context.m_strOutputFolder;
    CString error;
    if (!GenerateWebsite(doc, context, &error)) {
        AfxMessageBox(error, MB_ICONERROR);
        return 0;
    }
    return 1;
}
