// The extension section at the end of a project file: cut or changed anywhere, the project
// still opens, with the section's values at their defaults and a message saying so; files
// with the older section (no length, no checksum) still load.
#include "DocTestSupport.h"

#include "document/ExtensionSection.h"
#include "document/KJDoc.h"
#include "model/Page.h"
#include "model/Picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace doctest;

namespace {

constexpr char kResetText[] = "were reset to their defaults";

std::size_t FindMarker(const std::vector<BYTE>& bytes, const char* marker)
{
    auto it = std::search(bytes.begin(), bytes.end(), marker, marker + 8);
    return it == bytes.end() ? bytes.size() : std::size_t(it - bytes.begin());
}

// A project whose section holds values other than the defaults.
std::vector<BYTE> ProjectWithExtras()
{
    CKJDoc doc;
    doc.OnNewDocument();
    doc.m_allPagesBackground.m_nTransparency = 4;
    doc.m_websiteBackground.m_nTransparency = 6;
    doc.m_pages.front()->m_pFill->m_nTransparency = 7;
    auto tex = std::make_unique<CPicture>();
    tex->m_strName = "shade";
    tex->m_nShadowTransparency = 35;
    doc.m_textures.push_back(std::move(tex));
    return SaveToBytes(doc);
}

struct Extras {
    int allPages, website, pageFill, shadow;
    bool operator==(const Extras&) const = default;
};

Extras ExtrasOf(const CKJDoc& doc)
{
    return {doc.m_allPagesBackground.m_nTransparency, doc.m_websiteBackground.m_nTransparency,
            doc.m_pages.front()->m_pFill->m_nTransparency, doc.m_textures.front()->m_nShadowTransparency};
}

constexpr Extras kSaved {4, 6, 7, 35};
constexpr Extras kDefaults {0, 0, 0, 0};

// Opens bytes; the messages shown.
std::vector<CString> Open(CKJDoc& doc, const std::vector<BYTE>& bytes, bool& opened)
{
    MessageRecorder messages;
    opened = OpenBytes(doc, bytes);
    return messages.texts;
}

} // namespace

TEST(ExtensionSection, TodaysSectionHasLengthAndChecksum)
{
    const std::vector<BYTE> bytes = ProjectWithExtras();
    const std::size_t at = FindMarker(bytes, project::kExtraMarkerV2);
    ASSERT_LT(at + 16, bytes.size());
    std::uint32_t length = 0;
    std::memcpy(&length, &bytes[at + 8], 4);
    EXPECT_EQ(std::size_t(length), bytes.size() - at - 16); // the section ends the file
    CKJDoc doc;
    bool opened = false;
    EXPECT_TRUE(Open(doc, bytes, opened).empty());
    ASSERT_TRUE(opened);
    EXPECT_EQ(ExtrasOf(doc), kSaved);
}

// Cut at every byte inside the section, or with any byte of it changed: opens, with the
// defaults and one message naming what was reset; the next save writes the section whole.
TEST(ExtensionSection, CutOrChangedAtEveryByteResetsWithAMessage)
{
    const std::vector<BYTE> bytes = ProjectWithExtras();
    const std::size_t at = FindMarker(bytes, project::kExtraMarkerV2);
    ASSERT_LT(at, bytes.size());
    int checked = 0;
    auto expectReset = [&](const std::vector<BYTE>& damaged, const char* how, std::size_t where) {
        SCOPED_TRACE(::testing::Message() << how << " at " << where);
        CKJDoc doc;
        bool opened = false;
        const std::vector<CString> messages = Open(doc, damaged, opened);
        ASSERT_TRUE(opened);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].Find(kResetText), -1) << messages[0].GetString();
        EXPECT_NE(messages[0].Find("picture shadow transparency"), -1);
        EXPECT_NE(messages[0].Find("p.kjproj"), -1) << "names the file";
        EXPECT_EQ(ExtrasOf(doc), kDefaults);
        ++checked;
        if (where == at + 9) {
            // saved again, it loads without a word
            CKJDoc again;
            bool reopened = false;
            EXPECT_TRUE(Open(again, SaveToBytes(doc), reopened).empty());
            EXPECT_TRUE(reopened);
        }
    };
    for (std::size_t cut = at + 1; cut < bytes.size(); ++cut)
        expectReset(std::vector<BYTE>(bytes.begin(), bytes.begin() + std::ptrdiff_t(cut)), "cut", cut);
    for (std::size_t p = at; p < bytes.size(); ++p) {
        for (BYTE flip : {BYTE(0x01), BYTE(0xFF)}) {
            std::vector<BYTE> damaged = bytes;
            damaged[p] ^= flip;
            expectReset(damaged, "changed", p);
        }
    }
    EXPECT_EQ(checked, int(3 * (bytes.size() - at) - 1));
}

// Files of the older section (marker "TSLXTRA1" and the values, no length) still load; cut
// inside their values they open with defaults and a message instead of not at all.
TEST(ExtensionSection, OlderSectionLoadsAndACutOneResets)
{
    const std::vector<BYTE> bytes = ProjectWithExtras();
    const std::size_t at = FindMarker(bytes, project::kExtraMarkerV2);
    ASSERT_LT(at + 16, bytes.size());
    std::vector<BYTE> older(bytes.begin(), bytes.begin() + std::ptrdiff_t(at));
    older.insert(older.end(), project::kExtraMarkerV1, project::kExtraMarkerV1 + 8);
    // the older section's body ends before the list of published names (the end of
    // today's body: a count of 0, then a place not known: an empty host and user, a port
    // of 0 and an empty folder)
    const std::ptrdiff_t listBytes = 4 + 1 + 1 + 4 + 1;
    older.insert(older.end(), bytes.begin() + std::ptrdiff_t(at + 16), bytes.end() - listBytes);
    {
        CKJDoc doc;
        bool opened = false;
        EXPECT_TRUE(Open(doc, older, opened).empty());
        ASSERT_TRUE(opened);
        EXPECT_EQ(ExtrasOf(doc), kSaved);
        // saved again: today's section
        const std::vector<BYTE> resaved = SaveToBytes(doc);
        EXPECT_EQ(resaved.size(), bytes.size());
        EXPECT_EQ(FindMarker(resaved, project::kExtraMarkerV2), at);
    }
    for (std::size_t cut = at + 1; cut < older.size(); ++cut) {
        SCOPED_TRACE(cut);
        CKJDoc doc;
        bool opened = false;
        const std::vector<CString> messages = Open(doc, std::vector<BYTE>(older.begin(), older.begin() + std::ptrdiff_t(cut)), opened);
        ASSERT_TRUE(opened);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].Find(kResetText), -1);
        EXPECT_EQ(ExtrasOf(doc), kDefaults);
    }
}

namespace {
// CRC-32 (the zlib polynomial), bit by bit: the test's own, not the code's.
std::uint32_t TestCrc32(const BYTE* data, std::size_t size)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}
} // namespace

// A section whose length and checksum agree with a body that ends too early (as a writer
// with fewer values would make): the values read before the end are not kept, whether the
// project is opened from a file (read again without the section) or read from memory (the
// recorded defaults read back).
TEST(ExtensionSection, ABodyThatEndsEarlyWithAGoodChecksumResets)
{
    const std::vector<BYTE> bytes = ProjectWithExtras();
    const std::size_t at = FindMarker(bytes, project::kExtraMarkerV2);
    ASSERT_LT(at + 16, bytes.size());
    const std::size_t bodyLength = bytes.size() - at - 16;
    int checked = 0;
    for (std::size_t keep : {std::size_t(4), std::size_t(8), bodyLength / 2, bodyLength - 12}) {
        SCOPED_TRACE(keep);
        std::vector<BYTE> damaged(bytes.begin(), bytes.begin() + std::ptrdiff_t(at + 16 + keep));
        const std::uint32_t length = std::uint32_t(keep);
        const std::uint32_t crc = TestCrc32(&damaged[at + 16], keep);
        std::memcpy(&damaged[at + 8], &length, 4);
        std::memcpy(&damaged[at + 12], &crc, 4);

        CKJDoc fromFile;
        bool opened = false;
        const std::vector<CString> messages = Open(fromFile, damaged, opened);
        ASSERT_TRUE(opened);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].Find(kResetText), -1);
        EXPECT_EQ(ExtrasOf(fromFile), kDefaults);
        EXPECT_EQ(fromFile.m_pages.size(), 1u);

        MessageRecorder recorder;
        CKJDoc fromMemory;
        LoadFromBytes(fromMemory, damaged);
        EXPECT_EQ(ExtrasOf(fromMemory), kDefaults);
        EXPECT_EQ(SaveToBytes(fromFile), SaveToBytes(fromMemory));
        ++checked;
    }
    EXPECT_EQ(checked, 4);
}
