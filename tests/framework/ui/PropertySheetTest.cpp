#include "UiTestSupport.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/PropertySheet.h"

#include <gtest/gtest.h>
#include <QtWidgets/QLineEdit>

namespace {
class WidthPage : public CPropertyPage {
public:
    explicit WidthPage(const char* caption) : CPropertyPage(caption) { CreateEdit(1000); }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, 1000, width);
        DDV_MinMaxInt(pDX, width, 0, 10);
    }
    BOOL OnSetActive() override
    {
        ++shown;
        if (GetSheet()->IsWizard())
            GetSheet()->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
        return TRUE;
    }
    int width = 1;
    int shown = 0;
};
} // namespace

TEST(PropertySheet, OkTakesEveryShownPageAndRefusalsShowTheirPage)
{
    WidthPage all("All Border"), left("Left Border"), top("Top Border");
    CPropertySheet sheet("Borders");
    for (auto* p : {&all, &left, &top})
        sheet.AddPage(p);
    auto previous = CDialog::SetModalHook([&](CDialog&) -> int {
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_TRUE(all.IsInitialised());
        EXPECT_FALSE(left.IsInitialised()) << "pages start when first shown";
        static_cast<QLineEdit*>(all.GetDlgItem(1000))->setText("4");
        EXPECT_TRUE(sheet.SetActivePage(1));
        static_cast<QLineEdit*>(left.GetDlgItem(1000))->setText("11");
        {
            MessageRecorder recorder;
            sheet.OnOK();
            EXPECT_FALSE(sheet.IsEnded());
            EXPECT_EQ(recorder.messages.size(), 1u);
            if (!recorder.messages.empty()) {
                EXPECT_EQ(recorder.messages[0].text, "Please enter an integer between 0 and 10.");
            }
        }
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
        static_cast<QLineEdit*>(left.GetDlgItem(1000))->setText("7");
        sheet.OnOK();
        return sheet.GetResult();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    CDialog::SetModalHook(previous);
    EXPECT_EQ(all.width, 4);
    EXPECT_EQ(left.width, 7);
    EXPECT_EQ(top.width, 1) << "a page never shown keeps its value";
    EXPECT_FALSE(top.IsInitialised());
}

TEST(PropertySheet, WizardStepsThroughItsPagesToFinish)
{
    WidthPage a("a"), b("b");
    CPropertySheet sheet("Wizard");
    sheet.AddPage(&a);
    sheet.AddPage(&b);
    sheet.SetWizardMode();
    auto previous = CDialog::SetModalHook([&](CDialog&) -> int {
        EXPECT_EQ(sheet.GetWizardButtons(), UINT(PSWIZB_BACK | PSWIZB_NEXT));
        static_cast<QLineEdit*>(a.GetDlgItem(1000))->setText("99");
        {
            MessageRecorder recorder;
            sheet.Next(); // a refused value keeps the page
            EXPECT_EQ(recorder.messages.size(), 1u);
        }
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        static_cast<QLineEdit*>(a.GetDlgItem(1000))->setText("3");
        sheet.Next();
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
        sheet.Back();
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_EQ(a.shown, 2);
        sheet.Next();
        sheet.Finish();
        return sheet.GetResult();
    });
    EXPECT_EQ(sheet.DoModal(), ID_WIZFINISH);
    CDialog::SetModalHook(previous);
    EXPECT_EQ(a.width, 3);
}
