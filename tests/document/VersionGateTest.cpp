// Hand-built project files of the older layouts: each gate reads exactly its fields and
// leaves the others at their defaults.
#include "DocTestSupport.h"

#include "document/KJDoc.h"
#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace doctest;

namespace {

void OldFill(CArchive& ar, int v, std::uint32_t colour)
{
    ar << std::int32_t(0) << std::int32_t(0) << std::int32_t(0) << std::int32_t(100) << colour << std::int32_t(0)
       << std::int32_t(0) << std::uint32_t(0xC0C0C0) << std::uint32_t(0xC0C0C0) << CString("") << std::int32_t(0)
       << std::int32_t(0) << std::int32_t(0) << std::int32_t(0);
    if (v >= 87)
        ar << CString("");
    if (v >= 88) {
        ar << std::int32_t(0);
        for (int i = 0; i < 8; ++i)
            ar << std::uint32_t(0) << std::int32_t(0) << std::int32_t(0);
    }
}

void OldTextStyle(CArchive& ar, int v, int size)
{
    ar << std::int32_t(1) << CString("Arial") << std::int32_t(size) << std::int32_t(0) << std::int32_t(0) << std::int32_t(0)
       << std::int32_t(0) << std::uint32_t(0) << std::uint32_t(0xFF000000) << std::uint32_t(0xFF000000)
       << CString("Arial") << std::int32_t(-16);
    if (v >= 88)
        ar << std::int32_t(0);
    if (v >= 90)
        ar << std::int32_t(0) << std::int32_t(0);
    if (v >= 92)
        ar << std::int32_t(12) << std::int32_t(0) << CString("");
}

std::vector<BYTE> OldProject(int v, const char* versionText)
{
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        char header[20] = {};
        std::memcpy(header, "VARNELO@WEBPROJ", 15);
        std::memcpy(header + 15, versionText, std::strlen(versionText));
        ar.Write(header, 20);
        ar << std::int32_t(5000) << std::int32_t(7) << std::int32_t(8) << std::int32_t(9);
        ar << CString("old.css") << CString("/exports") << std::int32_t(3) << std::int32_t(77) << std::int32_t(1);
        ar << CString("http://old.example/") << CString("ftp.old") << std::int32_t(2121) << CString("user") << CString("/www/")
           << std::int32_t(0);
        ar << std::int32_t(2) << std::int32_t('p' + 0x5C1) << std::int32_t('w' + 0x5C1 + 0x6B);
        OldFill(ar, v, 0x112233);
        OldFill(ar, v, 0x445566);
        OldTextStyle(ar, v, 10); // base
        for (int i = 0; i < 8; ++i)
            ar << std::int32_t(0); // link style
        for (int i = 0; i < 11; ++i)
            OldTextStyle(ar, v, 20 + i);
        ar << std::int32_t(0);                                                     // textures
        ar << std::int32_t(1) << std::int32_t(1) << std::int32_t(0) << std::int32_t(33); // one guide
        for (int i = 0; i < 7; ++i)
            ar << std::int32_t(0); // strings, classes, footers, headers, folders, pages, files
        if (v >= 84) {
            ar << CString("UA-1") << std::int32_t(2) << std::int32_t(760);
            ar << std::int32_t(1) << std::int16_t('T');
            ar << std::int32_t(0); // masters
            for (int i = 1; i <= 6; ++i)
                ar << std::int32_t(i);
        }
        if (v >= 86)
            ar << CString("chan") << std::int32_t(1) << std::int32_t(0) << std::int32_t(1) << std::int32_t(3);
        if (v >= 87)
            ar << CString("legacy");
        if (v >= 88)
            ar << std::int32_t(11) << std::int32_t(12) << std::int32_t(13) << std::int32_t(14) << std::int32_t(1) << std::int32_t(0);
        ar.Close();
    }
    return f.Bytes();
}

TEST(VersionGates, EachGateReadsItsFieldsOnly)
{
    struct Case {
        int v;
        const char* text;
    } cases[] = {{80, " 8.0"}, {83, " 8.3"}, {84, " 8.4"}, {85, " 8.5"}, {86, " 8.6"}, {87, " 8.7"}, {88, " 8.8"}, {90, " 9.0"}, {92, " 9.2"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CKJDoc fresh; // defaults to compare with
        CKJDoc doc;
        MessageRecorder messages;
        ASSERT_TRUE(OpenBytes(doc, OldProject(c.v, c.text)));
        EXPECT_TRUE(messages.texts.empty());
        // always present
        EXPECT_EQ(doc.m_nPageCounter, 7);
        EXPECT_EQ(doc.m_nImageCounter, 9);
        EXPECT_EQ(doc.m_strCssFile, "old.css");
        EXPECT_EQ(doc.m_nReserved, 77);
        EXPECT_EQ(doc.m_nFtpPort, 2121);
        EXPECT_EQ(doc.m_bFtpPassive, 0);
        EXPECT_EQ(doc.m_strFtpPassword, "pw");
        EXPECT_EQ(doc.m_allPagesBackground.m_crColor, 0x112233u);
        EXPECT_EQ(doc.m_websiteBackground.m_crColor, 0x445566u);
        EXPECT_EQ(doc.m_styles.m_base.m_nSize, 10);
        EXPECT_EQ(doc.m_styles.m_styles[10].m_nSize, 30);
        ASSERT_EQ(doc.m_guides.size(), 1u);
        EXPECT_EQ(doc.m_guides[0]->m_bVertical, 1);
        EXPECT_EQ(doc.m_guides[0]->m_nPosition, 33);
        EXPECT_GE(GetObjectCounter(), 5000);
        // fields 32 to 37
        EXPECT_EQ(doc.m_strAnalytics, c.v >= 84 ? "UA-1" : "");
        EXPECT_EQ(doc.m_nPreviewFrame, c.v >= 84 ? 2 : fresh.m_nPreviewFrame);
        EXPECT_EQ(doc.m_nPageWidth, c.v >= 84 ? 760 : fresh.m_nPageWidth); // no page to take it from
        EXPECT_EQ(doc.m_globalTitle.GetUtf8(), c.v >= 84 ? "T" : "");
        EXPECT_EQ(doc.m_legacySettings[0], c.v >= 84 ? 1 : 6);
        EXPECT_EQ(doc.m_legacySettings[2], c.v >= 84 ? 3 : 0x808080);
        // fields 38 to 42
        EXPECT_EQ(doc.m_strFacebookChannel, c.v >= 86 ? "chan" : "Varnelo");
        EXPECT_EQ(doc.m_bFacebookConnect, c.v >= 86 ? 1 : 0);
        EXPECT_EQ(doc.m_bFacebookFaces, c.v >= 86 ? 0 : 1);
        EXPECT_EQ(doc.m_nFacebookStyle, c.v >= 86 ? 3 : 0);
        // field 43
        EXPECT_EQ(doc.m_strLegacyText, c.v >= 87 ? "legacy" : "");
        // fields 44 to 49
        EXPECT_EQ(doc.m_nGridX, c.v >= 88 ? 11 : fresh.m_nGridX);
        EXPECT_EQ(doc.m_nDuplicateDY, c.v >= 88 ? 14 : 10);
        EXPECT_EQ(doc.m_bGridOn, c.v >= 88 ? 1 : fresh.m_bGridOn);
        EXPECT_EQ(doc.m_bShowGuides, c.v >= 88 ? 0 : fresh.m_bShowGuides);
    }
}

TEST(VersionGates, NewerThanCurrentIsRefusedAndOlderAccepted)
{
    struct Case {
        int v;
        const char* text;
        bool accepted;
    } cases[] = {{93, " 9.3", false}, {100, "10.0", false}, {92, " 9.2", true}, {91, " 9.1", true}, {92, "9.2", true}};
    for (const Case& c : cases) {
        MessageRecorder messages;
        CKJDoc doc;
        bool ok = OpenBytes(doc, OldProject(c.v, c.text));
        EXPECT_EQ(ok, c.accepted) << c.text;
        if (c.accepted) {
            EXPECT_TRUE(messages.texts.empty());
            EXPECT_EQ(doc.m_nDuplicateDX, 13);
        } else {
            ASSERT_EQ(messages.texts.size(), 1u);
            EXPECT_EQ(messages.texts[0], CString("The file was created in newer version: ") + c.text);
        }
    }
}

} // namespace
