#include "model/Border.h"
#include "framework/core/CArchive.h"
#include "framework/core/Exceptions.h"

#include <gtest/gtest.h>
#include <array>
#include <functional>
#include <vector>

namespace {

std::vector<BYTE> StoreWith(const std::function<void(CArchive&)>& write)
{
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        write(ar);
        ar.Close();
    }
    return f.Bytes();
}

std::vector<BYTE> Le32(std::initializer_list<std::uint32_t> values)
{
    std::vector<BYTE> out;
    for (std::uint32_t v : values)
        for (int i = 0; i < 4; ++i)
            out.push_back(BYTE(v >> (8 * i)));
    return out;
}

CBorderSide Side(int style, int width, COLORREF color)
{
    CBorderSide s;
    s.m_nStyle = style;
    s.m_nWidth = width;
    s.m_color = color;
    return s;
}

CBoxSpacing Box(std::array<int, 4> set, std::array<int, 4> values)
{
    CBoxSpacing b;
    b.m_bLeft = set[0], b.m_bTop = set[1], b.m_bRight = set[2], b.m_bBottom = set[3];
    b.m_nLeft = values[0], b.m_nTop = values[1], b.m_nRight = values[2], b.m_nBottom = values[3];
    return b;
}

} // namespace

TEST(Border, NewRecordsAreZero)
{
    EXPECT_EQ(CBorderSide(), Side(0, 0, 0));
    EXPECT_EQ(CBoxSpacing(), Box({0, 0, 0, 0}, {0, 0, 0, 0}));
    CBoxSpacing b = Box({1, 1, 1, 1}, {1, 2, 3, 4});
    b.Clear();
    EXPECT_EQ(b, CBoxSpacing());
}

TEST(Border, BorderCssTable)
{
    struct Case { CBorderSide side; const char* name; const char* css; };
    const Case cases[] = {
        {Side(2, 1, 0x0000FF), "border-left", "border-left:1px solid #FF0000; "},
        {Side(1, 9, 0x123456), "border", "border:none;"},
        {Side(0, 3, 0x123456), "border", ""},
        {Side(3, 2, RGB(0, 0x80, 0xFF)), "border-top", "border-top:2px dashed #0080FF; "},
        {Side(4, 0, 0), "border-right", "border-right:0px dotted #000000; "},
        {Side(5, 12, 0xFFFFFF), "border-bottom", "border-bottom:12px double #FFFFFF; "},
        {Side(6, 3, RGB(1, 2, 3)), "border", "border:3px inset #010203; "},
        {Side(7, 3, RGB(1, 2, 3)), "border", "border:3px outset #010203; "},
        // Values no dialog makes, from damaged files: never invalid CSS.
        {Side(8, 3, 0), "border", ""},
        {Side(-1, 3, 0), "border", ""},
        {Side(2, -4, 0), "border", "border:0px solid #000000; "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.css);
        EXPECT_EQ(WriteBorderStyle(c.side, c.name), CString(c.css));
    }
}

TEST(Border, SideArchiveAndVersionGate)
{
    CBorderSide side = Side(3, 7, RGB(0x11, 0x22, 0x33));
    auto bytes = StoreWith([&](CArchive& ar) { side.Serialize(ar, 92); });
    EXPECT_EQ(bytes, Le32({0x332211, 7, 3}));

    // Before 88 there was no "none": every stored style above 0 moves up by one.
    struct Case { int version; int stored; int loaded; };
    const Case cases[] = {
        {87, 0, 0}, {87, 1, 2}, {87, 3, 4}, {80, 6, 7}, {87, 0x7FFFFFFF, 0x7FFFFFFF}, {87, -3, -3},
        {88, 0, 0}, {88, 1, 1}, {92, 2, 2}, {92, 7, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CString::Formatted("version %d, style %d", c.version, c.stored).GetString());
        auto in = Le32({0x00FF8000, 5, std::uint32_t(c.stored)});
        CMemFile f(in.data(), in.size());
        CArchive ar(&f, CArchive::load);
        CBorderSide loaded;
        loaded.Serialize(ar, c.version);
        EXPECT_EQ(loaded, Side(c.loaded, 5, 0x00FF8000));
        EXPECT_EQ(ar.GetRemaining(), 0u);
    }

    auto shortBytes = Le32({1, 2});
    CMemFile f(shortBytes.data(), shortBytes.size());
    CArchive ar(&f, CArchive::load);
    CBorderSide s;
    EXPECT_THROW(s.Serialize(ar, 92), CArchiveException);
}

TEST(Border, SpacingArchiveRoundTrip)
{
    CBoxSpacing box = Box({1, 0, 1, 0}, {-5, 6, 70000, 8});
    auto bytes = StoreWith([&](CArchive& ar) { box.Serialize(ar, 92); });
    EXPECT_EQ(bytes, Le32({1, 0, 1, 0, std::uint32_t(-5), 6, 70000, 8}));
    for (int version : {80, 91, 92}) {
        CMemFile f(bytes.data(), bytes.size());
        CArchive ar(&f, CArchive::load);
        CBoxSpacing back;
        back.Serialize(ar, version);
        EXPECT_EQ(back, box) << version;
    }
}

TEST(Border, PaddingCssTable)
{
    struct Case { CBoxSpacing box; const char* css; };
    const Case cases[] = {
        {Box({0, 0, 0, 0}, {1, 2, 3, 4}), ""},
        {Box({1, 1, 1, 1}, {1, 2, 3, 4}), "padding-left:1px;padding-top:2px;padding-right:3px;padding-bottom:4px;"},
        {Box({0, 1, 0, 1}, {1, 2, 3, 4}), "padding-top:2px;padding-bottom:4px;"},
        {Box({1, 0, 0, 0}, {-3, 0, 0, 0}), "padding-left:0px;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.css);
        EXPECT_EQ(WritePaddingStyle(c.box), CString(c.css));
    }
}

TEST(Border, MarginCssTable)
{
    const CBoxSpacing topOnly = Box({0, 1, 0, 0}, {0, 10, 0, 0});
    const CBoxSpacing all = Box({1, 1, 1, 1}, {1, -2, 3, 4});
    struct Case { CBoxSpacing box; int alignment; const char* css; };
    const Case cases[] = {
        {topOnly, 2, "margin-left:auto;margin-top:10px;margin-right:auto;"},
        {topOnly, 0, "margin-top:10px;margin-right:auto;"},
        {topOnly, 1, "margin-left:auto;margin-top:10px;"},
        {topOnly, 3, "margin-top:10px;"},
        {topOnly, -1, "margin-top:10px;"},
        {all, 3, "margin-left:1px;margin-top:-2px;margin-right:3px;margin-bottom:4px;"},
        {all, 0, "margin-left:1px;margin-top:-2px;margin-right:auto;margin-bottom:4px;"},
        {all, 1, "margin-left:auto;margin-top:-2px;margin-right:3px;margin-bottom:4px;"},
        {CBoxSpacing(), 4, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.css);
        EXPECT_EQ(WriteMarginStyle(c.box, c.alignment), CString(c.css));
    }
}
