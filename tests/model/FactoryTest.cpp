#include "model/GroupItem.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

struct FactoryCase {
    int code;
    int madeType; // 0: no object
    const char* describe;
};

const FactoryCase kCases[] = {
    {-1, 0, nullptr}, {0, 0, nullptr},
    {1, 1, nullptr}, // a page; its description belongs to the page model
    {2, 2, "Group [ 0 x 0 ] 0 item(s)"},
    {3, 3, "Paragraph [ 0 x 0 ]"},
    {4, 4, "Input Field [ 0 x 0 ]"},
    {5, 5, "List Control [ 0 x 0 ]"},
    {6, 6, "Submit Button [ 0 x 0 ]"},
    {7, 7, "Text Area Field [ 272 x 64 ]"},
    {8, 8, "Check Box [ 0 x 0 ]"},
    {9, 9, "Radio Choice [ 0 x 0 ]"},
    {10, 10, "Link [ 0 x 0 ]"},
    {11, 11, "Artistic Text [ 0 x 0 ] Arial 36pt"},
    {12, 12, "Preformatted Text [ 0 x 0 ]"},
    {13, 13, "Image [ 0 x 0 ]"},
    {14, 14, "Text [ 0 x 0 ]"},
    {15, 15, "Heading [ 0 x 0 ] H1"},
    {16, 16, "Image Button [ 88 x 35 ] Tahoma 9pt"},
    {17, 17, "Form [ 0 x 0 ] 0 item(s)"},
    {18, 18, "YouTube [ 0 x 0 ]"},
    {19, 19, "Google Map [ 600 x 400 ]"},
    {20, 20, "Video Stream [ 0 x 0 ]"},
    {21, 21, "Shape [ 100 x 100 ]"},
    {22, 22, "Flash [ 0 x 0 ]"},
    {23, 23, "Marquee [ 200 x 20 ]"},
    {24, 24, "PHP [ 100 x 30 ]"},
    {25, 25, "Gallery [ 0 x 0 ]"},
    {26, 26, "Image Clone [ 0 x 0 ]"},
    {27, 27, "Audio Stream [ 300 x 26 ]"},
    {28, 13, "Image [ 0 x 0 ]"}, // an Image item until a type-28 record is read into it
    {29, 29, "Menu [ 600 x 35 ]"},
    {30, 30, "Email [ 0 x 0 ]"},
    {31, 31, "PayPal [ 100 x 30 ] Tahoma 9pt"},
    {32, 32, "Date Picker [ 0 x 0 ]"},
    {33, 33, "List [ 0 x 0 ]"},
    {34, 34, "Table [ 0 x 0 ]"},
    {35, 35, "HTML [ 100 x 30 ]"},
    {36, 36, "External Website [ 500 x 300 ]"},
    {37, 37, "Symbol [ 0 x 0 ]( ) Wingdings 69pt"},
    {38, 38, nullptr}, // a header or footer band
    {39, 0, nullptr},
    {40, 40, "JavaScript [ 100 x 30 ]"},
    {41, 41, "Slider [ 0 x 0 ] 0 item(s)"},
    {42, 0, nullptr},
    {43, 43, "Like Button [ 450 x 30 ]"},
    {44, 44, "Facebook [ 300 x 600 ]"},
    {45, 45, "External Image [ 0 x 0 ]"},
    {46, 46, "Categories [ 300 x 0 ]"},
    {47, 0, nullptr}, {48, 0, nullptr}, {1000, 0, nullptr},
};

TEST(Factory, MakesTheClassOfEveryCodeWithItsDescription)
{
    for (const FactoryCase& c : kCases) {
        SCOPED_TRACE(c.code);
        std::unique_ptr<CItem> item(CreateItem(c.code));
        if (!c.madeType) {
            EXPECT_EQ(item, nullptr);
            continue;
        }
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->m_nType, c.madeType);
        if (c.describe) {
            EXPECT_EQ(item->Describe(), c.describe);
        }
    }
}

TEST(Factory, GroupFamilyAndFillsFollowTheirClass)
{
    for (int code : {1, 2, 17, 38, 41}) {
        std::unique_ptr<CItem> item(CreateItem(code));
        ASSERT_NE(item, nullptr) << code;
        EXPECT_NE(dynamic_cast<CGroupItem*>(item.get()), nullptr) << code;
    }
    // Like Button and Facebook make neither fill nor padding record; the check box no fill.
    for (int code : {43, 44}) {
        std::unique_ptr<CItem> item(CreateItem(code));
        EXPECT_EQ(item->m_pFill, nullptr) << code;
        EXPECT_EQ(item->m_pPadding, nullptr) << code;
    }
    std::unique_ptr<CItem> check(CreateItem(ITEM_CHECK_BOX));
    EXPECT_EQ(check->m_pFill, nullptr);
    EXPECT_NE(check->m_pPadding, nullptr);
    for (int code : {2, 3, 14, 24, 30, 36}) {
        std::unique_ptr<CItem> item(CreateItem(code));
        EXPECT_NE(item->m_pFill, nullptr) << code;
        ASSERT_NE(item->m_pPadding, nullptr) << code;
        EXPECT_EQ(*item->m_pPadding, CBoxSpacing()) << code;
    }
}

TEST(Factory, ConstructorDefaultsOfTheTextFamily)
{
    struct Defaults {
        int code, positioned, width, height, widthMode, heightMode;
    } const table[] = {
        {2, 1, 0, 0, 0, 0}, {3, 1, 0, 0, 0, 1}, {12, 1, 0, 0, 0, 1}, {14, 1, 0, 0, 1, 1}, {15, 1, 0, 0, 1, 1},
        {24, 1, 100, 30, 1, 0}, {35, 1, 100, 30, 1, 0}, {40, 1, 100, 30, 1, 0}, {36, 1, 500, 300, 1, 1},
        {43, 1, 450, 30, 0, 1}, {44, 1, 300, 600, 0, 1},
    };
    for (const Defaults& d : table) {
        std::unique_ptr<CItem> item(CreateItem(d.code));
        SCOPED_TRACE(d.code);
        EXPECT_EQ(item->m_bPositioned, d.positioned);
        EXPECT_EQ(item->m_nWidth, d.width);
        EXPECT_EQ(item->m_nHeight, d.height);
        EXPECT_EQ(item->m_nWidthMode, d.widthMode);
        EXPECT_EQ(item->m_nHeightMode, d.heightMode);
    }
}

TEST(Describe, GroupWithNameAndChildren)
{
    CGroupItem group;
    group.m_strName = "nav";
    group.m_nWidth = 120;
    group.m_nHeight = 40;
    for (int i = 0; i < 3; ++i)
        group.AddChild(CreateItem(ITEM_TEXT));
    EXPECT_EQ(group.Describe(), "Group \"nav\" [ 120 x 40 ] 3 item(s)");
}

TEST(Describe, FontAndEventSuffixes)
{
    struct Case {
        std::vector<int> events;
        const char* suffix;
    } const cases[] = {
        {{}, ""},
        {{EVENT_MOUSE_UP}, ""},
        {{EVENT_CLICK}, " onClick"},
        {{EVENT_MOUSE_OVER, EVENT_MOUSE_OUT}, " onOver onOut"},
        {{EVENT_BLUR, EVENT_FOCUS}, " onFocus onBlur"},
        {{EVENT_CHANGE, EVENT_MOUSE_UP, EVENT_CLICK}, " onClick onChange"},
        {{0, 1, 2, 3, 4, 5, 6}, " onClick onOver onOut onFocus onBlur onChange"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CItem> item(CreateItem(ITEM_TEXT));
        item->m_nWidth = 7;
        item->m_nHeight = 9;
        item->m_strFontFace = "Arial";
        item->m_nFontSize = 14;
        for (int e : c.events)
            item->m_actions[e].m_wstrScript = "go()";
        EXPECT_EQ(item->Describe(), CString("Text [ 7 x 9 ] Arial 14pt") + c.suffix);
    }
}

} // namespace
