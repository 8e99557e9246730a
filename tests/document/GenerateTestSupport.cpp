#include "GenerateTestSupport.h"
#include "DocTestSupport.h"
#include "framework/core/DcTestSupport.h"

#include "model/Folder.h"
#include "model/HeaderFooterItem.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/MasterItem.h"
#include "model/Page.h"
#include "model/TextStyle.h"
#include "model/items/CategoriesItem.h"
#include "model/items/GalleryItem.h"
#include "model/items/ImageItem.h"
#include "model/items/ListItem.h"
#include "model/items/TextItem.h"
#include "model/items/ImageItemBase.h"
#include "model/items/LinkItem.h"
#include "model/items/ParagraphItem.h"

#include <QtCore/QDirIterator>
#include <QtCore/QRegularExpression>
#include <QtCore/QUrl>

#if defined(__SANITIZE_ADDRESS__)
// fontconfig (behind the GUI application the items measure text with) keeps blocks for
// the life of the process that the leak checker cannot reach; they are the library's.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
#endif

namespace gentest {

namespace {
// Items measure their text with the platform's fonts, which need a GUI application
// (offscreen here).
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override { dctest::EnsureGuiApplication(); }
};
[[maybe_unused]] ::testing::Environment* const kGuiEnvironment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);
} // namespace

CFolder* AddFolder(CKJDoc& doc, const char* name, CFolder* parent)
{
    auto folder = std::make_unique<CFolder>();
    folder->m_strBaseName = name;
    folder->SetParentFolder(parent);
    CFolder* f = folder.get();
    doc.m_folders.push_back(std::move(folder));
    return f;
}

CPage* AddNamedPage(CKJDoc& doc, const char* baseName, const char* extension, CFolder* folder)
{
    CWString title;
    title = baseName;
    CPage* page = doc.AddPage(nullptr, &title);
    page->m_strBaseName = baseName;
    page->m_strExtension = extension;
    page->m_pParent = folder;
    page->m_nParentId = folder ? folder->m_nSerial : 0;
    return page;
}

namespace {

CLinkItem* AddLink(CPage* page, const char16_t* text, int targetId, const char* url = nullptr)
{
    auto* link = new CLinkItem();
    link->m_strText = CWString(text);
    link->m_strName = "Link" + CString::Formatted("%d", link->m_nSerial);
    if (url) {
        link->m_link.m_nKind = kLinkAddress;
        link->m_link.m_strUrl = url;
    } else {
        link->m_link.SetPageLink(targetId);
    }
    page->AddChild(link);
    // the same target from a linked block
    auto* block = new CGroupItem();
    block->m_link.CopyFrom(link->m_link);
    page->AddChild(block);
    return link;
}

CHeaderFooterItem* AddBand(CKJDoc& doc, bool header)
{
    auto band = std::make_unique<CHeaderFooterItem>();
    band->m_pStretch = &doc.m_bStretchToBrowser;
    band->m_pCenter = &doc.m_bCenterInBrowser;
    band->m_nWidth = doc.m_nPageWidth;
    band->m_nHeight = 80;
    auto* p = doc.NewParagraph();
    p->m_strText = CWString(header ? u"Header of ###company###" : u"Footer: call ###phone###");
    band->AddChild(p);
    CHeaderFooterItem* b = band.get();
    (header ? doc.m_headerBands : doc.m_footerBands).push_back(std::move(band));
    return b;
}

CImageItem* GalleryPicture(const char* name, std::uint32_t colour)
{
    auto* image = new CImageItem;
    image->m_strName = name;
    image->m_picture.Create(60, 40);
    image->m_picture.FillRect(colour);
    image->m_nRenderWidth = 60;
    image->m_nRenderHeight = 40;
    SaveItemPictureTemp(*image);
    image->Render(0);
    image->RecalcLayout();
    return image;
}

} // namespace

void AddEveryItemType(CKJDoc& doc, CGroupItem& container, int fileTarget)
{
    for (int type = 1; type <= 47; ++type) {
        if (type == ITEM_PAGE || type == ITEM_HEADER_FOOTER || type == ITEM_MASTER)
            continue;
        std::unique_ptr<CItem> made(CreateItem(type));
        if (!made)
            continue;
        CItem* item = made.release();
        container.AddChild(item);
        // the variants that write files of their own or address them
        if (auto* text = dynamic_cast<CTextItem*>(item); text && type == ITEM_TEXT)
            text->m_nIcon = 2;
        if (auto* link = dynamic_cast<CLinkItem*>(item)) {
            link->m_nIcon = 3;
            link->m_link.m_nKind = kLinkPicture;
            link->m_link.m_strPicture = "https://example.com/big.png";
        }
        if (auto* list = dynamic_cast<CListItem*>(item)) {
            list->m_nStyle = 0;
            list->m_nIcon = 4;
            list->m_strText = CWString(u"one\r\ntwo");
        }
        if (auto* categories = dynamic_cast<CCategoriesItem*>(item)) {
            categories->AddEntry()->SetPageLink(-1);
            categories->AddEntry()->SetPageLink(fileTarget);
        }
        if (auto* image = dynamic_cast<CImageItemBase*>(item); image && type == ITEM_IMAGE)
            image->m_crOverShift = 0x00808080u; // a rollover sprite
        if (auto* gallery = dynamic_cast<CGalleryItem*>(item)) {
            gallery->AddPicture(GalleryPicture("first picture", 0xFF0000));
            gallery->AddPicture(GalleryPicture("second picture", 0x00FF00));
            for (auto& p : gallery->m_pictures)
                MakeScaledCopy(*gallery, *p);
        }
    }
    (void)doc;
}

void GivePicturesToImages(CKJDoc& doc)
{
    CItemList all;
    doc.CollectAllItems(all);
    for (CItem* item : all) {
        if (auto* image = dynamic_cast<CImageItem*>(item))
            if (!image->m_picture.IsValid())
                image->m_picture.CreateWhite(8, 8);
        if (auto* image = dynamic_cast<CImageItemBase*>(item))
            if (!image->StateBitmap(0).IsValid())
                image->StateBitmap(0).CreateWhite(8, 8);
    }
}

void BuildSampleSite(CKJDoc& doc, bool everyItemInBands)
{
    doctest::BuildRichProject(doc); // every item type, folders docs/more, a master, a texture, a stored file
    doc.m_globalTitle = CWString(u"Sample Site");
    doc.m_strAnalytics = "<!-- statistics -->";
    doc.m_bFacebookConnect = 1;
    auto company = std::make_unique<CNamedString>();
    company->m_name = CWString(u"company");
    company->m_value = CWString(u"Smith & Sons <Ltd>");
    doc.m_namedStrings.push_back(std::move(company));
    auto cls = std::make_unique<CStyleClass>(CLASS_P, 1);
    cls->m_crColor = 0x0000FF;
    doc.m_styleClasses.push_back(std::move(cls));

    CHeaderFooterItem* header = AddBand(doc, true);
    CHeaderFooterItem* footer = AddBand(doc, false);
    CPage* home = doc.m_pages.front().get();
    CFolder* shop = AddFolder(doc, "shop", nullptr);
    CFolder* offers = AddFolder(doc, "offers", shop);
    CPage* shopIndex = AddNamedPage(doc, "index", ".html", shop);
    CPage* offer = AddNamedPage(doc, "summer", ".php", offers);
    offer->m_phpCode = CWString(u"$greeting = 'Hello';");
    CPage* plain = AddNamedPage(doc, "contact us", ".html", nullptr);
    for (auto& page : doc.m_pages) {
        page->m_pHeaderBand = header;
        page->m_nHeaderBandId = header->m_nSerial;
        page->m_pFooterBand = footer;
        page->m_nFooterBandId = footer->m_nSerial;
    }
    AddLink(home, u"Offers", offer->m_nSerial);
    AddLink(home, u"Shop", shopIndex->m_nSerial);
    AddLink(offer, u"Home", -1);
    AddLink(offer, u"Contact", plain->m_nSerial);
    AddLink(offer, u"Prices", doc.m_fileRecords.front()->m_nSerial);
    AddLink(shopIndex, u"Back", home->m_nSerial);
    AddLink(plain, u"Elsewhere", 0, "https://example.com/a b?x=1&y=2");
    auto* text = doc.NewParagraph();
    text->m_strText = CWString(u"Phone ###phone###, 5 < 6 & \"quotes\"");
    offer->AddChild(text);
    GivePicturesToImages(doc);
    // the master of the home page shows on a page in a folder too
    offer->m_nMaster1Id = home->m_nMaster1Id;
    // Bands and the master hold every item type as well, so that their files (icons,
    // sprites, thumbnails) are addressed from pages at every folder depth.
    const int priceId = doc.m_fileRecords.front()->m_nSerial;
    if (everyItemInBands) {
        AddEveryItemType(doc, *header, priceId);
        AddEveryItemType(doc, *doc.m_masters.front(), priceId);
        AddEveryItemType(doc, *offer, priceId);
    }
    GivePicturesToImages(doc);
    for (auto& page : doc.m_pages)
        doc.FixupPageAfterLoad(page.get());
    doc.UpdateItemLinks();
    doc.ApplyPageWidth();
    doctest::SettleLayout(doc);
}

// ---------------------------------------------------------------- CSS syntax

namespace {

class CssChecker {
public:
    explicit CssChecker(const QByteArray& css) : s(css) {}

    QStringList Check()
    {
        Rules(false);
        return errors;
    }

private:
    void Error(const QString& what) { errors << QStringLiteral("%1 at offset %2").arg(what).arg(i); }
    bool AtEnd() const { return i >= s.size(); }
    char Peek() const { return AtEnd() ? '\0' : s[i]; }

    void SkipSpace()
    {
        for (;;) {
            while (!AtEnd() && QChar::isSpace(uchar(s[i])))
                ++i;
            if (s.mid(i, 2) == "/*") {
                const qsizetype end = s.indexOf("*/", i + 2);
                if (end < 0) {
                    Error("unterminated comment");
                    i = s.size();
                    return;
                }
                i = end + 2;
                continue;
            }
            return;
        }
    }

    // Reads up to (not over) one of the stop characters at bracket depth 0, with strings
    // and brackets balanced; returns the text read.
    QByteArray ReadUntil(const char* stops)
    {
        const qsizetype start = i;
        QByteArray stack;
        while (!AtEnd()) {
            const char c = s[i];
            if (stack.isEmpty() && std::strchr(stops, c))
                break;
            if (c == '"' || c == '\'') {
                const char quote = c;
                ++i;
                while (!AtEnd() && s[i] != quote) {
                    if (s[i] == '\n' || s[i] == '\r') {
                        Error("line break in a string");
                        break;
                    }
                    i += s[i] == '\\' ? 2 : 1;
                }
                if (AtEnd()) {
                    Error("unterminated string");
                    return s.mid(start);
                }
                ++i;
                continue;
            }
            if (c == '\\') {
                i += 2;
                continue;
            }
            if (c == '(' || c == '[')
                stack += c == '(' ? ')' : ']';
            else if (c == ')' || c == ']') {
                if (stack.isEmpty() || stack.back() != c) {
                    Error(QStringLiteral("unbalanced '%1'").arg(QChar(c)));
                    ++i;
                    continue;
                }
                stack.chop(1);
            } else if ((c == '{' || c == '}' || c == ';') && !stack.isEmpty()) {
                Error(QStringLiteral("'%1' inside brackets").arg(QChar(c)));
                stack.clear();
                break;
            }
            ++i;
        }
        return s.mid(start, i - start);
    }

    void Rules(bool nested)
    {
        for (;;) {
            SkipSpace();
            if (AtEnd()) {
                if (nested)
                    Error("missing '}'");
                return;
            }
            if (Peek() == '}') {
                if (!nested)
                    Error("stray '}'");
                ++i;
                if (nested)
                    return;
                continue;
            }
            if (Peek() == '@') {
                const QByteArray prelude = ReadUntil(";{}").trimmed();
                if (!QRegularExpression("^@[a-zA-Z-]+").match(QString::fromUtf8(prelude)).hasMatch())
                    Error("bad at-rule");
                if (Peek() == ';') {
                    ++i;
                } else if (Peek() == '{') {
                    ++i;
                    if (prelude.startsWith("@font-face") || prelude.startsWith("@page"))
                        Declarations();
                    else
                        Rules(true);
                } else {
                    Error("at-rule without ';' or block");
                    ++i;
                }
                continue;
            }
            const QByteArray selector = ReadUntil("{;}").trimmed();
            if (Peek() != '{') {
                Error(QStringLiteral("rule without block: '%1'").arg(QString::fromUtf8(selector.left(40))));
                if (!AtEnd())
                    ++i;
                continue;
            }
            if (selector.isEmpty())
                Error("empty selector");
            else if (selector.endsWith(',') || selector.startsWith(',') || selector.contains(",,"))
                Error(QStringLiteral("bad selector list '%1'").arg(QString::fromUtf8(selector)));
            ++i;
            Declarations();
        }
    }

    void Declarations()
    {
        static const QRegularExpression property("^-?-?[a-zA-Z][a-zA-Z0-9-]*$");
        for (;;) {
            SkipSpace();
            if (AtEnd()) {
                Error("missing '}' after declarations");
                return;
            }
            if (Peek() == '}') {
                ++i;
                return;
            }
            if (Peek() == ';') {
                ++i;
                continue;
            }
            const QByteArray name = ReadUntil(":;{}").trimmed();
            if (Peek() != ':') {
                Error(QStringLiteral("declaration without ':' ('%1')").arg(QString::fromUtf8(name.left(40))));
                if (Peek() == '{') // a nested block is no declaration: skip it whole
                    ++i, Declarations();
                else if (!AtEnd() && Peek() != '}')
                    ++i;
                continue;
            }
            if (!property.match(QString::fromUtf8(name)).hasMatch())
                Error(QStringLiteral("bad property name '%1'").arg(QString::fromUtf8(name)));
            ++i;
            const QByteArray value = ReadUntil(";{}").trimmed();
            if (value.isEmpty())
                Error(QStringLiteral("empty value of '%1'").arg(QString::fromUtf8(name)));
            if (value.contains("%%") || value.contains("(null)"))
                Error(QStringLiteral("broken value '%1'").arg(QString::fromUtf8(value)));
            static const QRegularExpression hex("#([0-9a-fA-F]*)\\b");
            for (auto m = hex.globalMatch(QString::fromUtf8(value)); m.hasNext();) {
                const int n = int(m.next().capturedLength(1));
                if (n != 3 && n != 4 && n != 6 && n != 8)
                    Error(QStringLiteral("bad colour in '%1'").arg(QString::fromUtf8(value)));
            }
            if (Peek() == '{') {
                Error("'{' inside a declaration");
                ++i;
            }
        }
    }

    const QByteArray s;
    qsizetype i = 0;
    QStringList errors;
};

bool IsLocal(const QString& address)
{
    if (address.isEmpty() || address.startsWith('#') || address.startsWith("//") || address == "/")
        return false;
    static const QRegularExpression scheme("^[a-zA-Z][a-zA-Z0-9+.-]*:");
    return !scheme.match(address).hasMatch();
}

QString Clean(QString address)
{
    address.replace("&amp;", "&");
    const qsizetype cut = address.indexOf(QRegularExpression("[?#]"));
    if (cut >= 0)
        address.truncate(cut);
    return QUrl::fromPercentEncoding(address.toUtf8());
}

} // namespace

QStringList CssSyntaxErrors(const QByteArray& css)
{
    return CssChecker(css).Check();
}

QStringList LocalReferences(const QByteArray& text, bool css)
{
    QStringList out;
    QString t = QString::fromUtf8(text);
    t.replace("&quot;", "\"");
    static const QRegularExpression url("url\\(\\s*(?:\"([^\"]*)\"|'([^']*)'|([^)'\"\\s]*))\\s*\\)");
    for (auto m = url.globalMatch(t); m.hasNext();) {
        const auto match = m.next();
        QString a = match.captured(1) + match.captured(2) + match.captured(3);
        a.replace("\\", "");
        if (IsLocal(a))
            out << Clean(a);
    }
    if (!css) {
        static const QRegularExpression attr("\\b(?:src|href|action|background)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))",
                                             QRegularExpression::CaseInsensitiveOption);
        for (auto m = attr.globalMatch(t); m.hasNext();) {
            const auto match = m.next();
            const QString a = match.captured(1) + match.captured(2) + match.captured(3);
            if (IsLocal(a))
                out << Clean(a);
        }
    }
    out.removeAll(QString());
    return out;
}

QStringList FilesUnder(const QString& root)
{
    QStringList out;
    QDir base(root);
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << base.relativeFilePath(it.next());
    out.sort();
    return out;
}

QByteArray WithoutPhpBlock(const QByteArray& page)
{
    if (!page.startsWith("<?php"))
        return page;
    const qsizetype end = page.indexOf("?>");
    return end < 0 ? page : page.mid(end + 2).trimmed();
}

} // namespace gentest
