// Local picture paths as file addresses: the text written, and what a URL parser reads
// back from it.
#include "model/HtmlWriting.h"

#include <gtest/gtest.h>
#include <QtCore/QUrl>

TEST(LocalPathToFileUrl, WritesEncodedFileAddresses)
{
    struct Case {
        const char* path;
        const char* url;
    };
    const Case cases[] = {
        {"/home/ann/My Pictures/sky.png", "file:///home/ann/My%20Pictures/sky.png"},
        {"/srv/a#b/50%?.jpg", "file:///srv/a%23b/50%25%3F.jpg"},
        {"/tmp/caf\xc3\xa9.png", "file:///tmp/caf%C3%A9.png"},
        {"C:\\My Pictures\\a b.png", "file:///C:/My%20Pictures/a%20b.png"},
        {"d:/web/x.jpg", "file:///d:/web/x.jpg"},
        {"//server/share/x.png", "file:///server/share/x.png"},
        // not local paths
        {"http://example.com/a.png", ""},
        {"images/a.png", ""},
        {"C:a.png", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LocalPathToFileUrl(c.path), CString(c.url)) << c.path;
    EXPECT_EQ(LocalPathToFileUrl(nullptr), CString());
}

TEST(LocalPathToFileUrl, AUrlParserReadsThePathBack)
{
    const char* paths[] = {"/home/ann/My Pictures/sky.png", "/srv/a#b/50%?.jpg", "/tmp/caf\xc3\xa9 \xe6\x97\xa5.png",
                           "/x/[1]{2}'\"<>.png"};
    for (const char* path : paths) {
        const CString url = LocalPathToFileUrl(path);
        const QUrl parsed = QUrl::fromEncoded(QByteArray(url.GetString()), QUrl::StrictMode);
        ASSERT_TRUE(parsed.isValid()) << url.GetString();
        EXPECT_EQ(parsed.scheme(), QStringLiteral("file"));
        EXPECT_EQ(parsed.toLocalFile(), QString::fromUtf8(path));
        EXPECT_TRUE(parsed.query().isEmpty());
        EXPECT_TRUE(parsed.fragment().isEmpty());
    }
    // a drive path keeps its drive in the address's path
    const QUrl drive = QUrl::fromEncoded("file:///C:/My%20Pictures/a%20b.png", QUrl::StrictMode);
    EXPECT_EQ(CString::FromQString(drive.toString(QUrl::FullyEncoded)), LocalPathToFileUrl("C:\\My Pictures\\a b.png"));
    EXPECT_EQ(drive.path(), QStringLiteral("/C:/My Pictures/a b.png"));
}

TEST(LocalPathToFileAddress, LocalPathsBecomeFileAddressesAndTheRestStays)
{
    struct Case {
        const char* typed;
        const char* stored;
    };
    const Case cases[] = {
        {"/home/u/a.jpg", "file:///home/u/a.jpg"},
        {"/home/u/My Pictures/sky #1.png", "file:///home/u/My%20Pictures/sky%20%231.png"},
        {"C:\\My Pictures\\a b.jpg", "file:///C:/My%20Pictures/a%20b.jpg"},
        {"d:/web/50%.jpg", "file:///d:/web/50%25.jpg"},
        // not local paths: as typed
        {"http://example.com/a b.png", "http://example.com/a b.png"},
        {"file:///home/u/a.jpg", "file:///home/u/a.jpg"},
        {"//cdn.example.com/a b.png", "//cdn.example.com/a b.png"}, // a web address without its scheme
        {"images/a.png", "images/a.png"},
        {"C:a.png", "C:a.png"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LocalPathToFileAddress(c.typed), CString(c.stored)) << c.typed;
}
