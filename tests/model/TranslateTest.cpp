#include "model/Translate.h"

#include "framework/core/MessageBox.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <QtCore/QTemporaryDir>

namespace {

CString FixturePath()
{
    // The source folder when the test runner names it: a compiler cache may make __FILE__
    // relative to the build folder, which is not where the test runs.
    const char* source = std::getenv("TESSEL_SOURCE_DIR");
    if (source && *source)
        return CString((std::filesystem::path(source) / "tests" / "model" / "data" / "lang.ini").string());
    return CString((std::filesystem::path(__FILE__).parent_path() / "data" / "lang.ini").string());
}

struct LookupCase {
    const char* text;
    bool found;
    const char* result;
};

void CheckLookups(const CTranslationMap& map, std::initializer_list<LookupCase> cases)
{
    for (const LookupCase& c : cases) {
        CString s(c.text);
        EXPECT_EQ(map.Lookup(s), c.found) << "[" << c.text << "]";
        EXPECT_STREQ(s, c.result) << "[" << c.text << "]";
        EXPECT_STREQ(map.Translate(c.text), c.result) << "[" << c.text << "]";
    }
}

// The designer's global map is shared by the whole test program: leave it empty.
class TranslationMapGlobal : public ::testing::Test {
protected:
    void TearDown() override
    {
        TheTranslationMap().Clear();
        SetMessageBoxHandler(m_previous);
    }
    void Record()
    {
        m_previous = SetMessageBoxHandler([this](const CString& text, const CString& caption, unsigned type) {
            m_shown.push_back({text, caption, type});
            return IDOK;
        });
    }
    struct Shown {
        CString text, caption;
        unsigned type;
    };
    std::vector<Shown> m_shown;
    MessageBoxHandler m_previous;
};

} // namespace

TEST(TranslationMap, DesignerRules)
{
    CTranslationMap map;
    ASSERT_TRUE(map.LoadFile(FixturePath()));
    CheckLookups(map, {
        {"Cancel", true, "Abbrechen"},                 // CR of the CRLF line end is not in the value
        {" Cancel", true, "Leerzeichen"},              // blanks belong to the key
        {"Cancel ", false, "Cancel "},
        {"Name", true, "Name (de)"},
        {"Name:", true, "Bezeichnung:"},               // its own entry comes first
        {"Width:", true, "Breite:"},                   // trailing colon kept
        {"Width::", false, "Width::"},
        {"Save as", true, "Speichern=unter"},          // the key ends at the first "="
        {"", false, ""},
        {"no equals sign here", false, "no equals sign here"},
        {"Empty", false, "Empty"},                     // empty value: stays English
        {"File %d of %d", true, "Datei %d von %d"},
        {"Copied %s", false, "Copied %s"},             // placeholders differ: refused
        {"Percent", false, "Percent"},
        {"Line one\nLine two", true, "Zeile eins\nZeile zwei"},
        {"Tab\there", true, "Tab\thier"},
        {"Twice", true, "Second"},                     // the last non-empty value wins
        {"Thrice", true, "three"},
        {"Umlaut", true, "Gr\xC3\xB6\xC3\x9F" "e"},
        {"Last", true, "Letzte"},                      // no line end after the last line
        {"cancel", false, "cancel"},                   // keys are case-sensitive
    });
    EXPECT_STREQ(map.DuplicateReport(), "Twice\r\nTwice\r\nThrice\r\nThrice\r\n");
    EXPECT_EQ(map.RejectedCount(), 2);
    EXPECT_EQ(map.GetCount(), 13);
}

TEST(TranslationMap, ExplorerRules)
{
    CTranslationMap map(CTranslationMap::kExplorerRules);
    ASSERT_TRUE(map.LoadFile(FixturePath()));
    CheckLookups(map, {
        {"Cancel", true, "Abbrechen"},
        {"Width:", false, "Width:"},  // exact match only
        {"Name:", true, "Bezeichnung:"},
        {"Empty", true, ""},          // an empty translation replaces its key
        {"Twice", true, ""},          // the last line wins, empty or not
        {"File %d of %d", true, "Datei %d von %d"},
        {"Copied %s", false, "Copied %s"},
    });
}

TEST(TranslationMap, EncodingsAndLineEnds)
{
    struct Case {
        const char* what;
        std::string bytes;
        const char* key;
        const char* value;
    } cases[] = {
        {"LF only", "A=1\nB=2\n", "B", "2"},
        {"CRLF", "A=1\r\nB=2\r\n", "A", "1"},
        {"CR inside a value stays", "A=x\ry\r\n", "A", "x\ry"},
        {"escaped CR", "A=x\\ry\n", "A", "x\ry"},
        {"no backslash escape", "A=x\\\\ny\n", "A", "x\\\ny"},
        {"UTF-8 with byte order mark", "\xEF\xBB\xBF" "A=\xC3\xA9\n", "A", "\xC3\xA9"},
        {"Windows-1252", "Size=Gr\xF6\xDF" "e\r\n", "Size", "Gr\xC3\xB6\xC3\x9F" "e"},
        {"escaped key", "Two\\nlines=Zwei\n", "Two\nlines", "Zwei"},
    };
    for (const Case& c : cases) {
        CTranslationMap map;
        map.LoadText(c.bytes);
        CString s(c.key);
        EXPECT_TRUE(map.Lookup(s)) << c.what;
        EXPECT_STREQ(s, c.value) << c.what;
    }
}

TEST(TranslationMap, LoadingReplacesAndMissingFileLeavesItEmpty)
{
    CTranslationMap map;
    map.LoadText("A=1\nA=2\n");
    EXPECT_EQ(map.GetCount(), 1);
    EXPECT_FALSE(map.DuplicateReport().IsEmpty());
    map.LoadText("B=2\n");
    EXPECT_STREQ(map.Translate("A"), "A");
    EXPECT_TRUE(map.DuplicateReport().IsEmpty());
    EXPECT_FALSE(map.LoadFile("/nonexistent/folder/lang.ini"));
    EXPECT_TRUE(map.IsEmpty());
}

TEST(TranslationMap, PlaceholdersMustAgree)
{
    struct Case {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"%d of %d", "%d von %d", true},
        {"%d", "%i", true},
        {"%x", "%u", true},
        {"%5.2f", "%g", true},
        {"100%%", "100 %%", true},
        {"50%", "50 %", true},
        {"no format", "kein Format", true},
        {"%s", "%d", false},
        {"%d %s", "%s %d", false},
        {"%ld", "%d", false},
        {"%*d", "%d", false},
        {"%d", "%d %d", false},
        {"%s", "%n", false},
        {"%1$s", "%1$s", false},
        {"Cancel", "%s", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SamePlaceholders(c.a, c.b), c.same) << c.a << " / " << c.b;
}

TEST_F(TranslationMapGlobal, LoadTranslationsReportsDuplicatesOnce)
{
    Record();
    LoadTranslations(FixturePath());
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_STREQ(m_shown[0].text,
        "Twice\r\nTwice\r\nThrice\r\nThrice\r\n\r\n\r\nDouble keys found. Edit lang.ini to fix it.");
    EXPECT_STREQ(m_shown[0].caption, "Translation Map");
    EXPECT_EQ(m_shown[0].type, unsigned(MB_ICONEXCLAMATION));
    EXPECT_STREQ(Translate("Cancel"), "Abbrechen");
    CString s("Width:");
    EXPECT_TRUE(LookupTranslation(s));
    EXPECT_STREQ(s, "Breite:");
}

TEST_F(TranslationMapGlobal, NoMessageWithoutDuplicatesOrFile)
{
    Record();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("lang.ini").toStdString();
    std::ofstream(path, std::ios::binary) << "OK=Gut\r\n";
    LoadTranslations(CString(path));
    EXPECT_TRUE(m_shown.empty());
    EXPECT_STREQ(Translate("OK"), "Gut");
    LoadTranslations(CString(dir.filePath("missing.ini").toStdString()));
    EXPECT_TRUE(m_shown.empty());
    EXPECT_STREQ(Translate("OK"), "OK");
}
