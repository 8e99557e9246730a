#include "framework/core/Dc.h"
#include "model/items/CheckBoxItem.h"
#include "model/items/InputFieldItem.h"
#include "model/items/ListControlItem.h"
#include "model/items/RadioChoiceItem.h"

#include <QtGui/QGuiApplication>
#include <gtest/gtest.h>

namespace {

// Measuring needs the GUI part of Qt (fonts).
void NeedFonts()
{
    static int argc = 1;
    static char name[] = "test_model";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        static QGuiApplication* app = new QGuiApplication(argc, argv); // lives as long as the test program
        (void)app;
    }
}

int TextWidth(const CItem& item, const char16_t* text)
{
    CDC dc;
    CFont font;
    font.CreateFontIndirect(item.m_lfText.Get());
    dc.SelectObject(&font);
    CWString w;
    w.SetText(text);
    return dc.GetTextExtent(w.GetBuffer(), w.GetLength()).cx;
}

TEST(FormFieldLayout, InputHeightIsOneLinePlusInsets)
{
    NeedFonts();
    CInputFieldItem input;
    input.m_nPadding = 5;
    input.RecalcLayout();
    EXPECT_GT(input.m_nLineHeight, 5);
    EXPECT_EQ(input.m_nHeight, input.m_nLineHeight + input.m_nInset[SIDE_TOP] + input.m_nInset[SIDE_BOTTOM]);
}

TEST(FormFieldLayout, DraggedListControlHeightSetsTheRows)
{
    NeedFonts();
    CListControlItem list;
    list.m_strText.SetText(u"Red=r\r\nGreen=g");
    list.RecalcLayout();
    ASSERT_EQ(list.m_optionLines.size(), 2u);
    const int lh = list.m_nLineHeight;
    ASSERT_GT(lh, 0);
    // a row is a text line and 2 pixels, as the browser draws a list box
    const int insets = list.m_nInset[SIDE_TOP] + list.m_nInset[SIDE_BOTTOM];
    list.SetRect(5, 6, 105, 6 + (lh + 2) * 7 / 2 + insets);
    EXPECT_EQ(list.m_nRows, 3);
    EXPECT_EQ(list.m_nHeight, (lh + 2) * 3 + insets);
    EXPECT_EQ(list.m_nWidth, 100);
    // The same height again leaves the rows alone.
    list.SetRect(5, 6, 105, 6 + list.m_nHeight);
    EXPECT_EQ(list.m_nRows, 3);
}

TEST(FormFieldLayout, CheckBoxAndRadioSizeFollowTheirText)
{
    NeedFonts();
    CCheckBoxItem box;
    box.m_strText.SetText(u"");
    box.RecalcLayout();
    EXPECT_EQ(box.m_nWidth, 24);
    EXPECT_EQ(box.m_nHeight, 14);
    box.m_strText.SetText(u"I agree");
    box.RecalcLayout();
    EXPECT_EQ(box.m_nWidth, 14 + TextWidth(box, u"I agree") + 6 + 10);

    CRadioChoiceItem radio;
    radio.m_strText.SetText(u"Small=s\nA much longer label=l\nM");
    radio.RecalcLayout();
    ASSERT_EQ(radio.m_optionLines.size(), 3u);
    EXPECT_EQ(radio.m_nHeight, 3 * (6 + 20) + radio.m_nInset[SIDE_TOP] + radio.m_nInset[SIDE_BOTTOM]);
    EXPECT_EQ(radio.m_nWidth, 14 + 10 + TextWidth(radio, u"A much longer label") + radio.m_nInset[SIDE_LEFT] + 10 + radio.m_nInset[SIDE_RIGHT]);
    radio.m_strText.SetText(u"");
    radio.RecalcLayout();
    EXPECT_EQ(radio.m_nHeight, 20 + radio.m_nInset[SIDE_TOP] + radio.m_nInset[SIDE_BOTTOM]);
}

} // namespace
