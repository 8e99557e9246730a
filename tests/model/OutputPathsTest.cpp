#include "model/Folder.h"
#include "model/OutputPaths.h"
#include "model/SiteObject.h"

#include <gtest/gtest.h>

namespace {

TEST(OutputPaths, SafeOutputNameKeepsOneEntryInsideItsFolder)
{
    const struct { const char* name; const char* safe; } cases[] = {
        {"index.php", "index.php"},
        {"contact us.html", "contact us.html"},
        {"caf\xC3\xA9.html", "caf\xC3\xA9.html"}, // letters of any script stay
        {".htaccess", ".htaccess"},
        {"../x", "..x"},
        {"a/b", "ab"},
        {"C:\\x", "Cx"},
        {"..", "fallback"},
        {".", "fallback"},
        {"...", "fallback"},
        {"", "fallback"},
        {"/", "fallback"},
        {"ctl\x01\x1f\x7fok", "ctlok"},
        {"q\"uo'te<>|*?#%`", "quote"},
    };
    for (const auto& k : cases)
        EXPECT_EQ(SafeOutputName(k.name, "fallback"), k.safe) << k.name;
    EXPECT_EQ(SafeOutputName(nullptr), "file");
}

TEST(OutputPaths, FolderPathsAreSafeAndLoopsEnd)
{
    CFolder top, mid, leaf;
    top.m_strBaseName = "../up";
    mid.m_strBaseName = "..";
    leaf.m_strBaseName = "shop";
    mid.SetParentFolder(&top);
    leaf.SetParentFolder(&mid);
    EXPECT_EQ(SafeFolderPath(nullptr), "");
    EXPECT_EQ(SafeFolderPath(&leaf), "..up/folder/shop/");
    top.SetParentFolder(&leaf); // a damaged chain that loops
    const CString looped = SafeFolderPath(&leaf);
    int levels = 0;
    for (char c : looped.str())
        levels += c == '/';
    EXPECT_EQ(levels, 256); // cut at the bound
    EXPECT_EQ(looped.Right(5), "shop/");
}

TEST(OutputPaths, InsideFolderIsLexicalAndStrict)
{
    const struct { const char* root; const char* path; bool inside; } cases[] = {
        {"/tmp/site/", "/tmp/site/a.html", true},
        {"/tmp/site", "/tmp/site/a/b.html", true},
        {"/tmp/site/", "/tmp/site/", false},
        {"/tmp/site/", "/tmp/site", false},
        {"/tmp/site/", "/tmp/site/../x", false},
        {"/tmp/site/", "/tmp/site/a/../../x", false},
        {"/tmp/site/", "/tmp/sitex/a", false},
        {"/tmp/site/", "/tmp/site/./a", true},
        {"", "/tmp/a", false},
    };
    for (const auto& k : cases)
        EXPECT_EQ(IsInsideFolder(k.root, k.path), k.inside) << k.root << " " << k.path;
}

TEST(OutputPaths, ObjectNamesAndIds)
{
    CSiteObject o;
    o.m_strBaseName = "..";
    EXPECT_EQ(SafeObjectFileName(o), CString::Formatted("file%d", o.m_nSerial));
    o.m_strExtension = ".pdf";
    EXPECT_EQ(SafeObjectFileName(o), "...pdf");
    const struct { const char* title; const char* id; } ids[] = {
        {"logo", "logo"}, {"2 my-pic", "id2mypic"}, {"", "id"}, {"_x", "id_x"}, {"caf\xC3\xA9", "caf"},
    };
    for (const auto& k : ids)
        EXPECT_EQ(SafeHtmlId(k.title), k.id) << k.title;
}

} // namespace
