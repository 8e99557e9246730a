#include "UiTestSupport.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Dialog.h"

#include <gtest/gtest.h>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSlider>

namespace {
// A wide string with the conversions DDX_TextW relies on.
struct WideText {
    QString text;
    QString ToQString() const { return text; }
    void SetQString(const QString& s) { text = s; }
};

class SampleDialog : public CDialog {
public:
    SampleDialog()
    {
        CreateEdit(1000);               // name
        CreateEdit(1001);               // count 1..50
        CreateEdit(1002);               // factor 0.5..2
        CreateCheck(1003, "Bold");      // flag
        CreateRadio(1010, "Left", true);
        CreateRadio(1011, "Center");
        CreateRadio(1012, "Right");
        CreateCheck(1013, "After the group"); // ends the radio group
        CreateCombo(1020, {"Rectangle", "Circle", "Rounded Edges"});
        CreateCombo(1021, {"Arial", "Verdana", "Courier New"}, true);
        CreateMultiLineEdit(1030);
        CreateEdit(1031);
        CreateList(1040);
        static_cast<QListWidget*>(GetDlgItem(1040))->addItems({"one", "two", "three"});
        CreateSlider(1050)->setRange(0, 255);
        CreateStatic(1060, "");
        CreateButton(IDOK, "OK", true);
        CreateButton(IDCANCEL, "Cancel");
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, 1000, name);
        DDV_MaxChars(pDX, name, 8);
        DDX_Text(pDX, 1001, count);
        DDV_MinMaxInt(pDX, count, 1, 50);
        DDX_Text(pDX, 1002, factor);
        DDV_MinMaxDouble(pDX, factor, 0.5, 2.0);
        DDX_Check(pDX, 1003, bold);
        DDX_Radio(pDX, 1010, align);
        DDX_CBIndex(pDX, 1020, shape);
        DDX_CBString(pDX, 1021, face);
        DDX_TextW(pDX, 1030, wide);
        DDX_Text(pDX, 1031, unsignedValue);
        DDX_LBIndex(pDX, 1040, row);
        DDX_Slider(pDX, 1050, level);
        DDX_Text(pDX, 1060, label);
    }
    CString name = "Page";
    int count = 5;
    double factor = 1.25;
    int bold = 1;
    int align = 1;
    int shape = 2;
    CString face = "Verd";
    WideText wide{QString::fromUtf16(u"\u00e9t\u00e9\nline")};
    unsigned unsignedValue = 7;
    int row = 2;
    int level = 128;
    CString label = "px";

    QLineEdit* Edit(int id) { return static_cast<QLineEdit*>(GetDlgItem(id)); }
};
} // namespace

TEST(DataExchange, LoadingFillsEveryControlKind)
{
    SampleDialog dlg;
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(dlg.Edit(1000)->text(), "Page");
    EXPECT_EQ(dlg.Edit(1001)->text(), "5");
    EXPECT_EQ(dlg.Edit(1002)->text(), "1.25");
    EXPECT_EQ(dlg.Edit(1000)->maxLength(), 8);
    EXPECT_TRUE(static_cast<QCheckBox*>(dlg.GetDlgItem(1003))->isChecked());
    EXPECT_FALSE(static_cast<QRadioButton*>(dlg.GetDlgItem(1010))->isChecked());
    EXPECT_TRUE(static_cast<QRadioButton*>(dlg.GetDlgItem(1011))->isChecked());
    EXPECT_EQ(static_cast<QComboBox*>(dlg.GetDlgItem(1020))->currentText(), "Rounded Edges");
    // A combo box text selects the first entry it begins.
    EXPECT_EQ(static_cast<QComboBox*>(dlg.GetDlgItem(1021))->currentIndex(), 1);
    EXPECT_EQ(static_cast<QPlainTextEdit*>(dlg.GetDlgItem(1030))->toPlainText(), QString::fromUtf16(u"\u00e9t\u00e9\nline"));
    EXPECT_EQ(dlg.Edit(1031)->text(), "7");
    EXPECT_EQ(static_cast<QListWidget*>(dlg.GetDlgItem(1040))->currentRow(), 2);
    EXPECT_EQ(static_cast<QSlider*>(dlg.GetDlgItem(1050))->value(), 128);
    EXPECT_EQ(static_cast<QLabel*>(dlg.GetDlgItem(1060))->text(), "px");
}

TEST(DataExchange, SavingReadsEveryControlKind)
{
    SampleDialog dlg;
    dlg.UpdateData(FALSE);
    dlg.Edit(1000)->setText("Home");
    dlg.Edit(1001)->setText(" 42 ");
    dlg.Edit(1002)->setText("0.75");
    static_cast<QCheckBox*>(dlg.GetDlgItem(1003))->setChecked(false);
    static_cast<QRadioButton*>(dlg.GetDlgItem(1012))->setChecked(true);
    static_cast<QComboBox*>(dlg.GetDlgItem(1020))->setCurrentIndex(0);
    static_cast<QComboBox*>(dlg.GetDlgItem(1021))->setEditText("Tahoma");
    static_cast<QPlainTextEdit*>(dlg.GetDlgItem(1030))->setPlainText(QString::fromUtf16(u"\u4e2d\u6587"));
    dlg.Edit(1031)->setText("4000000000");
    static_cast<QListWidget*>(dlg.GetDlgItem(1040))->setCurrentRow(0);
    static_cast<QSlider*>(dlg.GetDlgItem(1050))->setValue(255);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.name, "Home");
    EXPECT_EQ(dlg.count, 42);
    EXPECT_DOUBLE_EQ(dlg.factor, 0.75);
    EXPECT_EQ(dlg.bold, 0);
    EXPECT_EQ(dlg.align, 2);
    EXPECT_EQ(dlg.shape, 0);
    EXPECT_EQ(dlg.face, "Tahoma");
    EXPECT_EQ(dlg.wide.text, QString::fromUtf16(u"\u4e2d\u6587"));
    EXPECT_EQ(dlg.unsignedValue, 4000000000u);
    EXPECT_EQ(dlg.row, 0);
    EXPECT_EQ(dlg.level, 255);
}

TEST(DataExchange, RadioGroupOutsideItsRangeChecksNothingAndReadsMinusOne)
{
    SampleDialog dlg;
    dlg.align = 7;
    dlg.UpdateData(FALSE);
    for (int id : {1010, 1011, 1012})
        EXPECT_FALSE(static_cast<QRadioButton*>(dlg.GetDlgItem(id))->isChecked()) << id;
    // The check box after the group is not part of it.
    static_cast<QCheckBox*>(dlg.GetDlgItem(1013))->setChecked(true);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.align, -1);
}

TEST(DataExchange, ThirdStateOfCheckBox)
{
    SampleDialog dlg;
    dlg.bold = 2;
    dlg.UpdateData(FALSE);
    EXPECT_EQ(static_cast<QCheckBox*>(dlg.GetDlgItem(1003))->checkState(), Qt::PartiallyChecked);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.bold, 2);
}

struct Refusal {
    int control;
    const char* text;
    const char* message;
};

class DataExchangeRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(DataExchangeRefusal, ShowsMessageKeepsMemberAndFocusesControl)
{
    const Refusal& c = GetParam();
    SampleDialog dlg;
    dlg.show();
    dlg.UpdateData(FALSE);
    dlg.Edit(c.control)->setText(c.text);
    MessageRecorder recorder;
    dlg.OnOK();
    EXPECT_FALSE(dlg.IsEnded()) << "a refused value keeps the dialog open";
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, c.message);
    EXPECT_EQ(recorder.messages[0].type & 0xF0, unsigned(MB_ICONEXCLAMATION));
    EXPECT_EQ(dlg.focusWidget(), dlg.Edit(c.control));
    // Fields exchanged after the refused one keep their old values.
    EXPECT_EQ(dlg.level, 128);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DataExchangeRefusal,
    ::testing::Values(Refusal{1001, "1.5", "Please enter an integer."}, Refusal{1001, "", "Please enter an integer."},
                      Refusal{1001, "12abc", "Please enter an integer."},
                      Refusal{1001, "99999999999", "Please enter an integer."},
                      Refusal{1001, "0", "Please enter an integer between 1 and 50."},
                      Refusal{1001, "51", "Please enter an integer between 1 and 50."},
                      Refusal{1002, "1,5", "Please enter a number."}, Refusal{1002, "nan", "Please enter a number."},
                      Refusal{1002, "2.5", "Please enter a number between 0.5 and 2."},
                      Refusal{1031, "-1", "Please enter a positive integer."}));

TEST(DataExchange, AcceptedValueEndsDialogWithOk)
{
    SampleDialog dlg;
    dlg.UpdateData(FALSE);
    dlg.Edit(1001)->setText("50");
    dlg.Edit(1002)->setText("2");
    MessageRecorder recorder;
    dlg.OnOK();
    EXPECT_TRUE(dlg.IsEnded());
    EXPECT_EQ(dlg.GetResult(), IDOK);
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(dlg.count, 50);
}

TEST(DataExchange, NumberParsingIsWholeTextInCLocale)
{
    struct Case {
        const char* text;
        bool ok;
        double value;
    } cases[] = {{"3.5", true, 3.5}, {" -2e3 ", true, -2000}, {"1,5", false, 0}, {"inf", false, 0}, {"0x10", true, 16},
                 {"", false, 0}, {"1.5.2", false, 0}};
    for (const auto& c : cases) {
        double v = 0;
        EXPECT_EQ(ParseDouble(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(v, c.value) << c.text;
        }
    }
    int i = 0;
    EXPECT_TRUE(ParseInt("+17", i));
    EXPECT_EQ(i, 17);
    EXPECT_TRUE(ParseInt("-2147483648", i));
    EXPECT_EQ(i, INT32_MIN);
    EXPECT_FALSE(ParseInt("2147483648", i));
}

TEST(Dialog, ModalHookRunsInitialisationAndButtonsEndTheDialog)
{
    SampleDialog dlg;
    auto previous = CDialog::SetModalHook([](CDialog& d) {
        // Initialisation has filled the controls before the hook runs.
        EXPECT_EQ(d.GetDlgItemText(1001), "5");
        d.SetDlgItemText(1001, "9");
        static_cast<QAbstractButton*>(d.GetDlgItem(IDOK))->click();
        return d.GetResult();
    });
    const int result = dlg.DoModal();
    CDialog::SetModalHook(previous);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.count, 9);
}

TEST(Dialog, NotificationsReachTheirHandlers)
{
    SampleDialog dlg;
    dlg.UpdateData(FALSE);
    std::vector<std::pair<int, UINT>> seen;
    dlg.OnNotify(1001, EN_CHANGE, [&] { seen.push_back({1001, EN_CHANGE}); });
    dlg.OnNotify(1003, BN_CLICKED, [&] { seen.push_back({1003, BN_CLICKED}); });
    dlg.OnNotify(1050, SLN_POSCHANGE, [&] { seen.push_back({1050, SLN_POSCHANGE}); });
    dlg.SetDlgItemText(1001, "3");
    static_cast<QAbstractButton*>(dlg.GetDlgItem(1003))->click();
    static_cast<QSlider*>(dlg.GetDlgItem(1050))->setValue(3);
    std::vector<std::pair<int, UINT>> expected{{1001, EN_CHANGE}, {1003, BN_CLICKED}, {1050, SLN_POSCHANGE}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(dlg.IsDlgButtonChecked(1003), 0) << "the click toggled the loaded state";
}

TEST(DataExchange, TooLongTextIsRefusedAndLoadingLimitsTheEdit)
{
    SampleDialog dlg;
    dlg.Edit(1000)->setText("ninechars"); // typed before any limit was set
    MessageRecorder recorder;
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, "Please enter no more than 8 characters.");
    dlg.name = "short";
    dlg.UpdateData(FALSE);
    dlg.Edit(1000)->setText("ninechars");
    EXPECT_EQ(dlg.Edit(1000)->text(), "ninechar");
}

TEST(Dialog, DestroyingAShownDialogReachesNoHandler)
{
    int calls = 0;
    auto* dlg = new SampleDialog;
    dlg->OnNotify(1001, EN_KILLFOCUS, [&] { ++calls; });
    dlg->OnNotify(1001, EN_CHANGE, [&] { ++calls; });
    dlg->show();
    QApplication::setActiveWindow(dlg);
    dlg->Edit(1001)->setFocus();
    const int before = calls;
    delete dlg; // hiding takes the focus away from the edit
    EXPECT_EQ(calls, before);
}

TEST(DataExchange, BlankFieldsStandForZero)
{
    CDialog dlg;
    QLineEdit* edit = dlg.CreateEdit(1000);
    struct Case {
        int loaded;
        const char* shown;
        const char* typed;
        bool ok;
        int stored;
    } cases[] = {{0, "", "", true, 0}, {445, "445", "  ", true, 0}, {0, "", "12", true, 12}, {3, "3", "x", false, 3}};
    for (const auto& c : cases) {
        int value = c.loaded;
        CDataExchange load(&dlg, FALSE);
        DDX_TextBlankZero(&load, 1000, value);
        EXPECT_EQ(edit->text(), c.shown) << c.loaded;
        edit->setText(c.typed);
        MessageRecorder recorder;
        CDataExchange save(&dlg, TRUE);
        bool ok = true;
        try {
            DDX_TextBlankZero(&save, 1000, value);
        } catch (const CUserException&) {
            ok = false;
        }
        EXPECT_EQ(ok, c.ok) << c.typed;
        EXPECT_EQ(value, c.stored) << c.typed;
        EXPECT_EQ(recorder.messages.size(), c.ok ? 0u : 1u) << c.typed;
    }
}
