#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "framework/core/MessageBox.h"
#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/items/AudioStreamItem.h"
#include "model/items/FlashItem.h"
#include "model/items/GoogleMapItem.h"
#include "model/items/VideoStreamItem.h"
#include "model/items/YouTubeItem.h"
#include "support/ExternalTools.h"
#include "support/ScopedEnvironment.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>
#include <zlib.h>
#include <clocale>
#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// Writes SWF bit fields, most significant bit first.
struct BitWriter {
    Bytes bytes;
    int bit = 0;
    void Put(std::uint32_t value, int n)
    {
        for (int i = n - 1; i >= 0; --i) {
            if (bit == 0)
                bytes.push_back(0);
            if ((value >> i) & 1)
                bytes.back() |= std::uint8_t(0x80 >> bit);
            bit = (bit + 1) % 8;
        }
    }
};

// The header body after the eight-byte prefix: frame rectangle, rate, count, and a few
// bytes of tags.
Bytes HeaderBody(int nbits, int xmin, int xmax, int ymin, int ymax, int rate256, int frames)
{
    BitWriter w;
    w.Put(std::uint32_t(nbits), 5);
    for (int v : {xmin, xmax, ymin, ymax})
        w.Put(std::uint32_t(v) & (nbits == 32 ? 0xFFFFFFFFu : ((1u << nbits) - 1)), nbits);
    Bytes b = w.bytes;
    b.push_back(std::uint8_t(rate256 & 0xFF));
    b.push_back(std::uint8_t(rate256 >> 8));
    b.push_back(std::uint8_t(frames & 0xFF));
    b.push_back(std::uint8_t(frames >> 8));
    for (int i = 0; i < 40; ++i)
        b.push_back(std::uint8_t(i * 7));
    return b;
}

Bytes Movie(char signature, int version, std::uint32_t statedLength, const Bytes& body)
{
    Bytes m = {std::uint8_t(signature), 'W', 'S', std::uint8_t(version)};
    for (int i = 0; i < 4; ++i)
        m.push_back(std::uint8_t(statedLength >> (8 * i)));
    if (signature == 'C') {
        uLongf size = compressBound(uLong(body.size()));
        Bytes packed(size);
        compress(packed.data(), &size, body.data(), uLong(body.size()));
        packed.resize(size);
        m.insert(m.end(), packed.begin(), packed.end());
    } else {
        m.insert(m.end(), body.begin(), body.end());
    }
    return m;
}

struct SwfCase {
    const char* name;
    Bytes data;
    int result;
    int width, height, version, rate, frames;
    bool message;
};

TEST(FlashHeader, ReadsPlainAndCompressedHeadersAndRefusesDamagedOnes)
{
    const Bytes body = HeaderBody(15, 0, 11000, 0, 8000, 24 * 256 + 128, 300);
    Bytes compressed = Movie('C', 10, 100000, body);
    Bytes corrupt = compressed;
    corrupt[9] ^= 0x55; // the deflate header's check fails
    Bytes cutCompressed(compressed.begin(), compressed.begin() + 10);
    const Bytes wide = HeaderBody(31, -1000000000, 1000000000, -20, 20, 12 * 256, 65535);
    const Bytes plain = Movie('F', 6, 1234, body);
    const SwfCase cases[] = {
        {"plain", plain, 1, 550, 400, 6, 24, 300, false},
        {"compressed, stated length far beyond the data", compressed, 1, 550, 400, 10, 24, 300, false},
        {"compressed, stated length below the data", Movie('C', 9, 4, body), 1, 550, 400, 9, 24, 300, false},
        {"widest rectangle, negative corner", Movie('C', 8, 0xFFFFFFFF, wide), 1, 100000000, 2, 8, 12, 65535, false},
        {"rectangle not from zero", Movie('F', 7, 50, HeaderBody(16, 200, 2200, 40, 1040, 256, 1)), 1, 100, 50, 7, 1, 1, false},
        {"empty rectangle", Movie('F', 5, 50, HeaderBody(0, 0, 0, 0, 0, 256 * 30, 2)), 1, 0, 0, 5, 30, 2, false},
        {"wrong first letter", Movie('X', 6, 50, body), 0, 0, 0, 0, 0, 0, false},
        {"wrong second letter", Bytes{'F', 'X', 'S', 6, 0, 0, 0, 0, 0x78}, 0, 0, 0, 0, 0, 0, false},
        {"nothing", Bytes{}, 0, 0, 0, 0, 0, 0, false},
        {"signature only", Bytes{'F', 'W', 'S'}, 0, 0, 0, 0, 0, 0, false},
        {"prefix only", Bytes{'C', 'W', 'S', 6, 0xFF, 0xFF, 0xFF, 0x7F}, 0, 0, 0, 0, 0, 0, false},
        {"plain, rectangle cut short", Bytes(plain.begin(), plain.begin() + 12), 0, 0, 0, 0, 0, 0, false},
        {"compressed, stream cut short", cutCompressed, 0, 0, 0, 0, 0, 0, false},
        {"compressed, damaged stream", corrupt, 0, 0, 0, 0, 0, 0, true},
    };
    for (const SwfCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<CString> messages;
        MessageBoxHandler old = SetMessageBoxHandler([&](const CString& text, const CString& caption, unsigned) {
            messages.push_back(caption + ": " + text);
            return IDOK;
        });
        CFlashItem item;
        item.m_nWidth = 7;
        item.m_nHeight = 9;
        if (!c.data.empty())
            item.m_blob.Assign(c.data.data(), c.data.size());
        EXPECT_EQ(item.ReadSwfHeader(), c.result);
        SetMessageBoxHandler(old);
        if (c.result) {
            EXPECT_EQ(item.m_nWidth, c.width);
            EXPECT_EQ(item.m_nHeight, c.height);
            EXPECT_EQ(item.m_nMovieVersion, c.version);
            EXPECT_EQ(item.m_nFrameRate, c.rate);
            EXPECT_EQ(item.m_nFrameCount, c.frames);
        } else {
            EXPECT_EQ(item.m_nWidth, 7);
            EXPECT_EQ(item.m_nHeight, 9);
        }
        ASSERT_EQ(messages.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(messages[0], CString::Formatted("SWF Import: Error uncompressing SWF file: %d", Z_DATA_ERROR));
        }
    }
}

TEST(FlashHeader, LoadingAMovieFileSizesTheItem)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("intro.swf"));
    const Bytes movie = Movie('C', 9, 5000, HeaderBody(15, 0, 6400, 0, 4800, 256 * 25, 10));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(movie.data()), qint64(movie.size()));
    f.close();
    CFlashItem item;
    ASSERT_TRUE(item.LoadBlobFromFile(CString::FromQString(path)));
    EXPECT_EQ(item.m_nWidth, 320);
    EXPECT_EQ(item.m_nHeight, 240);
    EXPECT_EQ(item.m_nFrameRate, 25);
    EXPECT_EQ(item.m_strName, "intro");
}

TEST(FlashHeader, ReaderStepsOverBitsAndWords)
{
    CFlashItem item;
    const unsigned char bytes[] = {0xB5, 0x0F, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12};
    std::copy(std::begin(bytes), std::end(bytes), item.m_reader.begin());
    EXPECT_EQ(item.SwfReadBits(3), 5u);  // 101
    EXPECT_EQ(item.SwfReadBits(7), 0x54u); // 1010100
    EXPECT_EQ(item.m_nReaderPos, 1);
    EXPECT_EQ(item.m_nReaderBit, 2);
    EXPECT_EQ(item.SwfReadU8(), 0x0Fu); // a whole read drops the bit position
    EXPECT_EQ(item.m_nReaderBit, 0);
    EXPECT_EQ(item.SwfReadU16(), 0x1234u);
    EXPECT_EQ(item.SwfReadU32(), 0x12345678u);
    // Past the buffer everything reads as zero instead of beyond it.
    item.m_nReaderPos = int(item.m_reader.size()) - 1;
    EXPECT_EQ(item.SwfReadU32(), 0u);
    EXPECT_EQ(item.SwfReadBits(32), 0u);
}

struct HtmlCase {
    const char* name;
    std::function<std::unique_ptr<CItem>()> make;
    std::function<CString(CItem&)> expected;
};

CString Body(CItem& item, CPageOutput* keep = nullptr)
{
    CPageOutput out;
    item.WriteHtml(out);
    if (keep)
        *keep = out;
    return out.m_strBody;
}

TEST(MediaHtml, ExactTextsPerType)
{
    const HtmlCase cases[] = {
        {"flash file, colour, variables, mode 3",
         [] {
             auto f = std::make_unique<CFlashItem>();
             f->m_strName = "Movie";
             f->m_nX = 5, f->m_nY = 6, f->m_nWidth = 550, f->m_nHeight = 400;
             f->m_strBaseName = "intro film";
             const unsigned char b[] = {'F', 'W', 'S'};
             f->m_blob.Assign(b, 3);
             f->m_crBackground = 0x102030;
             f->m_strFlashVars = "a=1&b=\"2\"";
             f->m_nWindowMode = 3;
             f->m_nTabIndex = 2;
             return f;
         },
         [](CItem& i) {
             return "<embed id=\"Movie\" style=\"" + i.GetStyle() + "\" tabindex=\"2\" src=\"intro%20film.swf\" type=\"application/x-shockwave-flash\" width=\"550\" height=\"400\""
                 " bgcolor=\"#302010\" flashvars=\"a=1&amp;b=&quot;2&quot;\" play=\"true\" loop=\"true\" allowfullscreen=\"true\" quality=\"high\">\r\n";
         }},
        {"flash address, defaults",
         [] {
             auto f = std::make_unique<CFlashItem>();
             f->m_strName = "M";
             f->m_strThirdName = "http://example.com/a b.swf?x=1&y=\"2\"";
             return f;
         },
         [](CItem& i) {
             return "<embed id=\"M\" style=\"" + i.GetStyle() + "\" src=\"http://example.com/a%20b.swf?x=1&amp;y=%222%22\" type=\"application/x-shockwave-flash\" width=\"0\" height=\"0\""
                 " wmode=\"opaque\" play=\"true\" loop=\"true\" allowfullscreen=\"true\" quality=\"high\">\r\n";
         }},
        {"youtube",
         [] {
             auto y = std::make_unique<CYouTubeItem>();
             y->m_strName = "Clip";
             y->m_nWidth = 425, y->m_nHeight = 344;
             y->m_strVideoId = "dQw4w9WgXcQ";
             y->m_strParameters = "rel=0&hd=1";
             return y;
         },
         [](CItem& i) {
             return "<div id=\"Clip\" style=\"" + i.GetStyle() + "\"><iframe src=\"https://www.youtube.com/embed/dQw4w9WgXcQ?rel=0&amp;hd=1\""
                 " width=\"425\" height=\"344\" style=\"border:0;display:block;\" title=\"YouTube\" allowfullscreen></iframe></div>\r\n";
         }},
        {"video",
         [] {
             auto v = std::make_unique<CVideoStreamItem>();
             v->m_nWidth = 320, v->m_nHeight = 240;
             v->m_strThirdName = "films/my film.wmv";
             v->m_strClass = "media";
             v->m_bAutoStart = 0;
             return v;
         },
         [](CItem& i) {
             return "<video id=\"" + i.GetHtmlId() + "\" style=\"position:absolute;left:0px;top:0px;width:320px;height:240px;\" class=\"media\" src=\"films/my%20film.wmv\" controls></video>";
         }},
        {"audio flowing, centred",
         [] {
             auto a = std::make_unique<CAudioStreamItem>();
             a->m_strThirdName = "song.mp3";
             a->m_nTextAlign = 2;
             a->m_bAutoStart = 1;
             return a;
         },
         [](CItem& i) {
             return "<p style=\"text-align:center;\"><audio id=\"" + i.GetHtmlId() + "\" style=\"width:300px;text-align:center;height:26px;\" src=\"song.mp3\" controls autoplay></audio></p>\r\n";
         }},
        {"audio, alignment 3",
         [] {
             auto a = std::make_unique<CAudioStreamItem>();
             a->m_strThirdName = "s.mp3";
             a->m_nTextAlign = 3;
             return a;
         },
         [](CItem& i) {
             return "<p><audio id=\"" + i.GetHtmlId() + "\" style=\"width:300px;text-align:justify;height:26px;\" src=\"s.mp3\" controls></audio></p>\r\n";
         }},
        // A minimum or maximum leaves the side itself to set; CSS that merely names a side
        // (min-width, line-height, border-width) sets none.
        {"video, minimum width, extra CSS, autoplay without controls",
         [] {
             auto v = std::make_unique<CVideoStreamItem>();
             v->m_nWidth = 320, v->m_nHeight = 240;
             v->m_nWidthMode = 2, v->m_nHeightMode = 0;
             v->m_strExtraCss = "line-height:3px;";
             v->m_strThirdName = "v.mp4";
             v->m_bAutoStart = 1;
             v->m_bShowController = 0;
             return v;
         },
         [](CItem& i) {
             return "<video id=\"" + i.GetHtmlId() + "\" style=\"position:absolute;left:0px;top:0px;height:240px;min-width:320px;line-height:3px;width:320px;\" src=\"v.mp4\" autoplay muted></video>";
         }},
        {"audio, maximum height, border width",
         [] {
             auto a = std::make_unique<CAudioStreamItem>();
             a->m_strThirdName = "s.mp3";
             a->m_nTextAlign = 3;
             a->m_nHeightMode = 3;
             a->m_strExtraCss = "border-width:1px;";
             a->m_bAutoStart = 1;
             return a;
         },
         [](CItem& i) {
             return "<p><audio id=\"" + i.GetHtmlId() + "\" style=\"max-height:26px;width:300px;border-width:1px;text-align:justify;height:26px;\" src=\"s.mp3\" controls autoplay></audio></p>\r\n";
         }},
    };
    for (const HtmlCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto item = c.make();
        EXPECT_EQ(Body(*item), c.expected(*item));
    }
}

TEST(MediaHtml, YouTubeSuffix)
{
    const std::pair<const char*, const char*> cases[] = {{"", ""}, {"rel=0", "?rel=0"}, {"?rel=0", "?rel=0"}};
    for (const auto& [params, suffix] : cases) {
        CYouTubeItem y;
        y.m_strParameters = params;
        EXPECT_EQ(y.GetParameterSuffix(), suffix) << params;
    }
}

CWString W(const char* utf8)
{
    CWString w;
    w.FromUtf8(utf8);
    return w;
}

TEST(MediaHtml, MapScriptsOfBothVersions)
{
    CGoogleMapItem map;
    map.m_strName = "Where";
    map.m_dLatitude = 51.4766320414543;
    map.m_dLongitude = -0.0014;
    map.m_nZoom = 12;
    map.m_strText = W("Line 'one'\r\n\"two\" </script>\xE2\x80\xA8\\");
    const int k = map.m_nSerial;
    const CString p = "<p id=\"Where\" style=\"" + map.GetStyle() + " overflow:hidden;\"></p>\r\n";
    const CString info = "Line \\'one\\'\\x3Cbr>\\x22two\\x22 \\x3C/script>\\u2028\\\\";
    CPageOutput out3;
    const CString v3 = Body(map, &out3);
    EXPECT_EQ(out3.m_bMapsUsed, 1);
    EXPECT_EQ(v3, p + "<script type=\"text/javascript\">\r\nif (window.google && google.maps) {\r\n"
        + CString::Formatted("var myLatlng%d = new google.maps.LatLng(51.47663204,-0.0014);\r\n", k)
        + CString::Formatted("var myOptions%d = { zoom: 12, center: myLatlng%d, mapTypeId: google.maps.MapTypeId.ROADMAP }\r\n", k, k)
        + CString::Formatted("var map%d = new google.maps.Map(document.getElementById(\"Where\"), myOptions%d);\r\n", k, k)
        + CString::Formatted("var marker%d = new google.maps.Marker({ position: myLatlng%d, map: map%d });   \r\n", k, k, k)
        + CString::Formatted("var infowindow%d = new google.maps.InfoWindow({     content: '<div>", k) + info
        + CString::Formatted("</div>' }); infowindow%d.open(map%d,marker%d);\r\n", k, k, k) + "}\r\n</script>\r\n");

    map.m_nApiVersion = 0;
    map.m_bMarker = 0;
    map.m_strApiKey = "AB-c_d&\"x";
    CPageOutput out2;
    const CString v2 = Body(map, &out2);
    EXPECT_EQ(out2.m_bMapsUsed, 0);
    EXPECT_EQ(v2, p + "<script type=\"text/javascript\" src=\"" + CPageOutput::Servers().mapsHost + "/maps?file=api&amp;v=2&amp;key=AB-c_d%26%22x\"></script>\r\n"
        + "<script type=\"text/javascript\">\r\n"
        + CString::Formatted("var map%d = new GMap2(document.getElementById('Where'));\r\n", k)
        + CString::Formatted("map%d.setCenter(new GLatLng(51.47663204,-0.0014), 12);\r\n", k)
        + CString::Formatted("map%d.setUIToDefault(); \r\n", k)
        + CString::Formatted("map%d.openInfoWindowHtml(map%d.getCenter(),'<p>", k, k) + info + "</p>');\r\n</script>\r\n");

    // Every script the map writes is valid JavaScript.
    for (const CString& html : {v3, v2}) {
        const QByteArray page(html.GetString());
        int at = 0;
        while ((at = page.indexOf("<script type=\"text/javascript\">", at)) >= 0) {
            const int start = page.indexOf('>', at) + 1;
            const int end = page.indexOf("</script>", start);
            EXPECT_EQ(testsupport::JsSyntaxErrors(page.mid(start, end - start)), QByteArray());
            at = end;
        }
    }
}

TEST(MediaItems, DefaultCentreFromTheLanguage)
{
    const struct {
        int id;
        double lat, lng;
    } cases[] = {{1031, 50.113533, 8.668213}, {2055, 47.376035, 8.522644}, {4108, 47.376035, 8.522644}, {1045, 52.22982673134171, 21.011744141578674},
        {3084, 45.425142, -75.700092}, {1050, 45.767523, 15.952148}, {1033, 34.062615, -118.24894}, {9999, 34.062615, -118.24894}, {0, 34.062615, -118.24894}};
    for (const auto& c : cases) {
        CGoogleMapItem map;
        map.SetDefaultCentre(c.id);
        EXPECT_EQ(map.m_dLatitude, c.lat) << c.id;
        EXPECT_EQ(map.m_dLongitude, c.lng) << c.id;
    }
}

template <typename T> void RoundTrip(T& from, T& to, int version)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        from.Serialize(ar, version);
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    to.Serialize(ar, version);
    EXPECT_EQ(ar.GetRemaining(), 0u);
}

TEST(MediaItems, RecordsRoundTrip)
{
    CFlashItem f;
    f.m_nWindowMode = 2;
    f.m_strFlashVars = "v=1";
    f.m_crBackground = 0x123456;
    CFlashItem f2;
    RoundTrip(f, f2, kVersionCurrent);
    EXPECT_EQ(f2.m_nWindowMode, 2);
    EXPECT_EQ(f2.m_strFlashVars, "v=1");
    EXPECT_EQ(f2.m_crBackground, 0x123456u);

    CYouTubeItem y, y2;
    y.m_strVideoId = "id";
    y.m_strParameters = "rel=0";
    RoundTrip(y, y2, kVersionCurrent);
    EXPECT_EQ(y2.m_strVideoId, "id");
    EXPECT_EQ(y2.m_strParameters, "rel=0");

    CVideoStreamItem v, v2;
    v.m_bAutoStart = 0;
    v.m_bShowController = 0;
    RoundTrip(v, v2, kVersionCurrent);
    EXPECT_EQ(v2.m_bAutoStart, 0);
    EXPECT_EQ(v2.m_bShowController, 0);

    CAudioStreamItem a, a2;
    a.m_bAutoStart = 1;
    RoundTrip(a, a2, kVersionCurrent);
    EXPECT_EQ(a2.m_bAutoStart, 1);

    CGoogleMapItem m, m2;
    m.m_strApiKey = "key";
    m.m_dLongitude = 1.25;
    m.m_dLatitude = -3.5;
    m.m_bMarker = 0;
    m.m_nZoom = 3;
    m.m_nApiVersion = 0;
    RoundTrip(m, m2, kVersionCurrent);
    EXPECT_EQ(m2.m_strApiKey, "key");
    EXPECT_EQ(m2.m_dLongitude, 1.25);
    EXPECT_EQ(m2.m_dLatitude, -3.5);
    EXPECT_EQ(m2.m_bMarker, 0);
    EXPECT_EQ(m2.m_nZoom, 3);
    EXPECT_EQ(m2.m_nApiVersion, 0);
}

TEST(MediaItems, FlashExportWritesTheMovieOnlyWithBytes)
{
    QTemporaryDir dir;
    CPublishContext context;
    context.m_strOutputRoot = CString::FromQString(dir.path()) + "/";
    CFlashItem linked;
    linked.m_strThirdName = "http://x/y.swf";
    EXPECT_FALSE(linked.ExportFiles(context));
    EXPECT_EQ(context.GetFileCount(), 0);

    CFlashItem stored;
    stored.m_strBaseName = "film";
    const Bytes movie = Movie('F', 6, 30, HeaderBody(15, 0, 2000, 0, 1000, 256, 1));
    stored.m_blob.Assign(movie.data(), movie.size());
    EXPECT_TRUE(stored.ExportFiles(context));
    ASSERT_EQ(context.GetFileCount(), 1);
    EXPECT_EQ(context.GetFile(0).m_strRemoteName, "film.swf");
    EXPECT_EQ(context.GetFile(0).m_nKind, kPublishFileFlash);
    QFile written(dir.filePath("film.swf"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray(reinterpret_cast<const char*>(movie.data()), int(movie.size())));
}

// The whole page of media items passes tidy, and a German locale gives the same bytes.
TEST(MediaHtml, PageIsValidAndLocaleIndependent)
{
    auto build = [] {
        CPageOutput out;
        CFlashItem f;
        f.m_strThirdName = "a.swf";
        f.m_crBackground = 0;
        f.WriteHtml(out);
        CYouTubeItem y;
        y.m_strVideoId = "abc";
        y.WriteHtml(out);
        CVideoStreamItem v;
        v.m_strThirdName = "v.wmv";
        v.WriteHtml(out);
        CAudioStreamItem a;
        a.m_strThirdName = "a.mp3";
        a.WriteHtml(out);
        CGoogleMapItem m;
        m.m_strName = "map";
        m.m_dLongitude = 8.668213;
        m.m_dLatitude = 50.113533;
        m.m_strText = W("Frankfurt am Main");
        m.WriteHtml(out);
        out.AssemblePage();
        return out.m_strFinalPage;
    };
    SetObjectCounter(1000);
    const CString c = build();
    EXPECT_EQ(testsupport::TidyErrors(QByteArray(c.GetString())), QByteArray());
    EXPECT_NE(c.Find("LatLng(50.113533,8.668213)"), -1);
    QTemporaryDir locales;
    // Both are put back however the case ends.
    testsupport::ScopedEnvVar locpath("LOCPATH", nullptr);
    testsupport::ScopedCLocale locale;
    if (!locale.Set("de_DE.UTF-8")) {
        // Without an installed German locale, compile one for this run.
        testsupport::RunProcess(QStringLiteral("localedef"), {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"), QStringLiteral("UTF-8"),
            locales.filePath(QStringLiteral("de_DE.UTF-8"))});
        setenv("LOCPATH", locales.path().toLocal8Bit().constData(), 1);
        if (!locale.Set("de_DE.UTF-8"))
            GTEST_SKIP() << "no German locale available";
    }
    ASSERT_EQ(CString::Formatted("%s", std::to_string(0.5).c_str()), "0,500000"); // the locale is in force
    SetObjectCounter(1000);
    const CString german = build();
    EXPECT_EQ(german, c);
}

} // namespace
