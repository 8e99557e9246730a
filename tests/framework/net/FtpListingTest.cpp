// The listing parser and the name rules, as tables of server lines.
#include "framework/net/FtpLink.h"
#include "framework/net/FtpListing.h"
#include <gtest/gtest.h>
#include <random>

namespace {

std::time_t Utc(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    std::tm t {};
    t.tm_year = y - 1900;
    t.tm_mon = mo - 1;
    t.tm_mday = d;
    t.tm_hour = h;
    t.tm_min = mi;
    t.tm_sec = s;
    return timegm(&t);
}

struct LineCase {
    const char* line;
    bool parses;
    const char* name;
    bool directory;
    bool link;
    std::uint64_t size;
    std::time_t time;
};

void Check(const LineCase& c, bool parsed, const CFtpListEntry& e)
{
    SCOPED_TRACE(c.line);
    ASSERT_EQ(parsed, c.parses);
    if (!parsed)
        return;
    EXPECT_EQ(e.name, c.name);
    EXPECT_EQ(e.directory, c.directory);
    EXPECT_EQ(e.link, c.link);
    EXPECT_EQ(e.size, c.size);
    EXPECT_EQ(e.time, c.time);
}

} // namespace

TEST(FtpListing, MachineListingLines)
{
    const LineCase cases[] = {
        {"type=file;size=1234;modify=20210304050607; index.html", true, "index.html", false, false, 1234,
         Utc(2021, 3, 4, 5, 6, 7)},
        {"modify=20210304050607.123;perm=adfrw;size=5;type=file;unique=801U1; a b  c.txt", true, "a b  c.txt", false,
         false, 5, Utc(2021, 3, 4, 5, 6, 7)},
        {"Type=DIR;Modify=19991231235959; images", true, "images", true, false, 0, Utc(1999, 12, 31, 23, 59, 59)},
        {"type=file;size=5368709123; big.iso", true, "big.iso", false, false, 5368709123ull, 0},
        {"type=OS.unix=slink:/target;size=7; link", true, "link", false, true, 7, 0},
        {"type=file;size=99999999999999999999999; huge", true, "huge", false, false, 0, 0},
        {"type=file;modify=2021; shortdate", true, "shortdate", false, false, 0, 0},
        {"type=file;size=1;  lead", true, " lead", false, false, 1, 0},
        {"type=cdir;modify=20210304050607; /pub", false, "", false, false, 0, 0},
        {"type=pdir; ..", false, "", false, false, 0, 0},
        {"size=5; untyped", false, "", false, false, 0, 0},
        {"nospace", false, "", false, false, 0, 0},
        {"", false, "", false, false, 0, 0},
    };
    for (const LineCase& c : cases) {
        CFtpListEntry e;
        Check(c, ParseMlsdLine(c.line, e), e);
    }
}

TEST(FtpListing, UnixListLines)
{
    const std::time_t now = Utc(2024, 6, 15, 12, 0);
    const LineCase cases[] = {
        {"-rw-r--r--   1 owner    group        1234 Mar  4  2021 index.html", true, "index.html", false, false, 1234,
         Utc(2021, 3, 4)},
        {"drwxr-xr-x   2 owner    group        4096 Jun 10 09:30 images", true, "images", true, false, 0,
         Utc(2024, 6, 10, 9, 30)},
        // A date without a year that would lie in the future belongs to the previous year.
        {"-rw-r--r--   1 owner    group          10 Dec 24 18:00 old.txt", true, "old.txt", false, false, 10,
         Utc(2023, 12, 24, 18, 0)},
        {"-rw-r--r--   1 owner    group           5 Jan 01  2020 name with  spaces.txt", true,
         "name with  spaces.txt", false, false, 5, Utc(2020, 1, 1)},
        {"lrwxrwxrwx   1 owner    group          11 Jan  1  2020 current -> releases/7", true, "current", false, true,
         11, Utc(2020, 1, 1)},
        {"-rw-r--r--   1 1000 5368709123 Feb 29  2020 nogroup.bin", true, "nogroup.bin", false, false, 5368709123ull,
         Utc(2020, 2, 29)},
        {"-rw-r--r--+  1 owner    group           3 Jan  2  2020 acl.txt", true, "acl.txt", false, false, 3,
         Utc(2020, 1, 2)},
        {"total 24", false, "", false, false, 0, 0},
        {"-rw-r--r--   1 owner    group        1234 Foo  4  2021 badmonth", false, "", false, false, 0, 0},
        {"-rw-r--r--   1 owner    group        1234 Mar  4  2021", false, "", false, false, 0, 0},
        {"?rw-r--r--   1 owner    group        1234 Mar  4  2021 x", false, "", false, false, 0, 0},
        {"-rw", false, "", false, false, 0, 0},
        {"lrwxrwxrwx   1 owner    group          11 Jan  1  2020  -> target", false, "", false, false, 0, 0},
    };
    for (const LineCase& c : cases) {
        CFtpListEntry e;
        Check(c, ParseListLine(c.line, now, e), e);
    }
}

TEST(FtpListing, DosListLines)
{
    const LineCase cases[] = {
        {"03-04-21  05:06PM       <DIR>          images", true, "images", true, false, 0, Utc(2021, 3, 4, 17, 6)},
        {"03-04-21  12:06AM                 1234 index.html", true, "index.html", false, false, 1234,
         Utc(2021, 3, 4, 0, 6)},
        {"12-31-1999  23:59                 5368709123 big file.iso", true, "big file.iso", false, false,
         5368709123ull, Utc(1999, 12, 31, 23, 59)},
        {"01-02-98  12:00PM                   7 noon.txt", true, "noon.txt", false, false, 7, Utc(1998, 1, 2, 12, 0)},
        {"13-04-21  05:06PM       <DIR>          badmonth", false, "", false, false, 0, 0},
        {"03-04-21  13:06PM                 1 badhour", false, "", false, false, 0, 0},
        {"03-04-21  05:06PM                 12x notanumber", false, "", false, false, 0, 0},
        {"03-04-21  05:06PM                 12", false, "", false, false, 0, 0},
        {"2021-03-04 05:06 1 iso", false, "", false, false, 0, 0},
    };
    for (const LineCase& c : cases) {
        CFtpListEntry e;
        Check(c, ParseListLine(c.line, 0, e), e);
    }
}

TEST(FtpListing, WholeListingsSkipWhatDoesNotParse)
{
    std::string mlsd = "type=cdir; .\r\ntype=pdir; ..\r\ntype=file;size=1; a\r\ngarbage\r\ntype=dir; b\r\n";
    auto m = ParseMlsdListing(mlsd);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].name, "a");
    EXPECT_TRUE(m[1].directory);

    std::string list = "total 2\r\n-rw-r--r-- 1 o g 1 Jan 01 2020 a\r\n\r\n03-04-21  05:06PM <DIR> b\n"
                       "drwxr-xr-x 2 o g 0 Jan 01 2020 c";
    auto l = ParseListListing(list, Utc(2024, 1, 1));
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0].name, "a");
    EXPECT_EQ(l[1].name, "b");
    EXPECT_TRUE(l[1].directory);
    EXPECT_EQ(l[2].name, "c");
}

TEST(FtpListing, SafeNames)
{
    const std::pair<const char*, bool> cases[] = {
        {"index.html", true}, {"a b.txt", true}, {"..hidden", true}, {"caf\xc3\xa9", true}, {"", false},
        {".", false},          {"..", false},     {"../x", false},    {"a/b", false},        {"a\\b", false},
        {"/", false},          {"a\rb", false},   {"a\nb", false},    {"tab\there", false},
    };
    for (auto [name, safe] : cases)
        EXPECT_EQ(IsSafeFtpName(name), safe) << name;
}

TEST(FtpListing, MasksMatchLikeTheShell)
{
    struct {
        const char* name;
        const char* mask;
        bool match;
    } cases[] = {
        {"index.html", "*", true},   {"index.html", "*.html", true}, {"index.html", "*.htm", false},
        {"a.htm", "?.htm", true},    {"ab.htm", "?.htm", false},     {"index.html", "index.html", true},
        {"Index.html", "index.html", false}, {"abcabc", "*bc*c", true}, {"", "*", true}, {"x", "", false},
    };
    for (auto& c : cases)
        EXPECT_EQ(FtpNameMatches(c.name, c.mask), c.match) << c.name << " ~ " << c.mask;
}

TEST(FtpListing, PathsBecomeUrlPathsThatKeepAbsolutePaths)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/", "%2F"},
        {"/pub/a b.txt", "%2Fpub/a%20b.txt"},
        {"rel/x", "rel/x"},
        {"/100%#?;", "%2F100%25%23%3F%3B"},
        {"/caf\xc3\xa9", "%2Fcaf%C3%A9"},
        {"//double", "%2F/double"},
    };
    for (auto [path, url] : cases)
        EXPECT_EQ(FtpLink::EncodePath(path), url) << path;
}

TEST(FtpListing, MangledServerTextNeverYieldsEmptyNames)
{
    // Real lines cut and overwritten at random places: whatever parses has a name, and a
    // folder never carries a size.
    const std::string seeds[] = {
        "type=file;size=1234;modify=20210304050607; index.html",
        "-rw-r--r--   1 owner    group        1234 Mar  4  2021 index.html",
        "drwxr-xr-x   2 owner    group        4096 Jun 10 09:30 images",
        "lrwxrwxrwx   1 owner    group          11 Jan  1  2020 current -> releases/7",
        "03-04-21  05:06PM       <DIR>          images",
        "12-31-1999  23:59                 5368709123 big file.iso",
    };
    std::mt19937 rng(42);
    int parsed = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string line = seeds[rng() % std::size(seeds)];
        int edits = 1 + int(rng() % 4);
        for (int k = 0; k < edits && !line.empty(); ++k) {
            size_t at = rng() % line.size();
            switch (rng() % 3) {
            case 0: line[at] = char(rng() % 256); break;
            case 1: line.erase(at, 1 + rng() % 8); break;
            default: line = line.substr(0, at); break;
            }
        }
        CFtpListEntry e;
        bool ok = line.rfind("type=", 0) == 0 ? ParseMlsdLine(line, e) : ParseListLine(line, 1700000000, e);
        if (!ok)
            continue;
        ++parsed;
        EXPECT_FALSE(e.name.IsEmpty()) << line;
        if (e.directory) {
            EXPECT_EQ(e.size, 0u) << line;
        }
    }
    EXPECT_GT(parsed, 100); // the mutations leave many lines whole enough to parse
}
