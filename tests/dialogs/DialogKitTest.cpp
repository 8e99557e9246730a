// The dialog kit: every dialog table against the dialog built from it, translation once at
// opening, the exchanges' errors and number forms, image strips and the report list.
#include "DialogTestSupport.h"

#include "controls/ColorControl.h"
#include "controls/DialogKit.h"
#include "dialogs/CodeView.h"
#include "dialogs/DialogTables.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/FontDialogs.h"
#include "dialogs/GridDialog.h"
#include "dialogs/InsertCharacter.h"
#include "dialogs/LinkDialog.h"
#include "dialogs/SizeDialogs.h"
#include "framework/core/TranslationMap.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"
#include "model/Item.h"
#include "model/TextStyle.h"

#include <gtest/gtest.h>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSlider>
#include <QtWidgets/QTextEdit>

#include <clocale>
#include <map>
#include <memory>
#include <set>
#include <string>

using namespace dialogtest;

namespace {

// Every text the translation was asked for, in order.
std::vector<std::string> g_asked;
std::map<std::string, std::string> g_translations;

bool RecordingLookup(CString& text)
{
    g_asked.emplace_back(text.GetString());
    auto it = g_translations.find(text.GetString());
    if (it == g_translations.end())
        return false;
    text = it->second.c_str();
    return true;
}

struct LookupScope {
    explicit LookupScope(std::map<std::string, std::string> translations = {})
    {
        g_asked.clear();
        g_translations = std::move(translations);
        m_previous = GetTranslationLookup();
        SetTranslationLookup(RecordingLookup);
    }
    ~LookupScope() { SetTranslationLookup(m_previous); }
    TranslationLookup m_previous;
};

bool IsKind(QWidget* w, DlgKind kind)
{
    switch (kind) {
    case DlgKind::Static:
    case DlgKind::Group:
        return qobject_cast<QLabel*>(w) != nullptr;
    case DlgKind::Edit:
        return qobject_cast<QLineEdit*>(w) != nullptr;
    case DlgKind::MultiEdit:
        return qobject_cast<QPlainTextEdit*>(w) != nullptr;
    case DlgKind::Button:
        return qobject_cast<QPushButton*>(w) != nullptr;
    case DlgKind::Check:
        return qobject_cast<QCheckBox*>(w) != nullptr;
    case DlgKind::Radio:
        return qobject_cast<QRadioButton*>(w) != nullptr;
    case DlgKind::Combo:
        return qobject_cast<QComboBox*>(w) && !qobject_cast<QComboBox*>(w)->isEditable();
    case DlgKind::EditCombo:
        return qobject_cast<QComboBox*>(w) && qobject_cast<QComboBox*>(w)->isEditable();
    case DlgKind::List:
        return qobject_cast<QListWidget*>(w) != nullptr;
    case DlgKind::Color:
        return dynamic_cast<CColorButton*>(w) != nullptr;
    case DlgKind::Custom:
        return w != nullptr;
    }
    return false;
}

struct TableCase {
    const char* name;
    const DlgTemplate* table;
    std::function<std::unique_ptr<CDialog>()> make;
};

CTextStyle g_style;
CItemLink g_link;

std::vector<TableCase> AllTables()
{
    auto make = [](auto factory) { return std::function<std::unique_ptr<CDialog>()>(factory); };
    return {
        {"DGrid", &kGridTemplate, make([] { return std::make_unique<DGrid>(); })},
        {"DFont", &kFontTemplate, make([] { return std::make_unique<DFont>(); })},
        {"DFontStyle", &kFontStyleTemplate, make([] { return std::make_unique<DFontStyle>(&g_style); })},
        {"DInsertCharacter", &kInsertCharacterTemplate, make([] { return std::make_unique<DInsertCharacter>(); })},
        {"DCodeView", &kCodeViewTemplate, make([] { return std::make_unique<DCodeView>(); })},
        {"DCss", &kCssTemplate, make([] { return std::make_unique<DCss>(); })},
        {"DLink", &kLinkTemplate, make([] {
             auto d = std::make_unique<DLink>();
             d->m_pLink = &g_link;
             return d;
         })},
        {"DPosition", &kPositionTemplate, make([] { return std::make_unique<DPosition>(); })},
        {"DResize", &kResizeTemplate, make([] { return std::make_unique<DResize>(); })},
        {"DBoxResize", &kBoxResizeTemplate, make([] { return std::make_unique<DBoxResize>(); })},
        {"DMetafileRaster", &kMetafileRasterTemplate, make([] { return std::make_unique<DMetafileRaster>(); })},
        {"DPageWidth", &kPageWidthTemplate, make([] { return std::make_unique<DPageWidth>(); })},
        {"DPageHeight", &kPageHeightTemplate, make([] { return std::make_unique<DPageHeight>(); })},
        {"DOpacity", &kOpacityTemplate, make([] { return std::make_unique<DOpacity>(); })},
        {"DOverlapping", &kOverlappingTemplate, make([] { return std::make_unique<DOverlapping>(); })},
        {"DTabIndex", &kTabIndexTemplate, make([] { return std::make_unique<DTabIndex>(); })},
        {"DPadding", &kPaddingTemplate, make([] { return std::make_unique<DPadding>(); })},
        {"DBodyMargin", &kBodyMarginTemplate, make([] { return std::make_unique<DBodyMargin>(); })},
        {"DBorder", &kBorderTemplate, make([] { return std::make_unique<DBorder>(); })},
        {"DBorderRadius", &kBorderRadiusTemplate, make([] { return std::make_unique<DBorderRadius>(); })},
        {"DBoxShadow", &kBoxShadowTemplate, make([] { return std::make_unique<DBoxShadow>(); })},
        {"DColumns", &kColumnsTemplate, make([] { return std::make_unique<DColumns>(); })},
        {"DCrop", &kCropTemplate, make([] {
             auto d = std::make_unique<DCrop>();
             d->m_nMaxWidth = d->m_nMaxHeight = 10;
             return d;
         })},
        {"DDropShadow", &kDropShadowTemplate, make([] { return std::make_unique<DDropShadow>(); })},
        {"DDuplicate", &kDuplicateTemplate, make([] { return std::make_unique<DDuplicate>(); })},
        {"DEdgeFadeout", &kEdgeFadeoutTemplate, make([] { return std::make_unique<DEdgeFadeout>(); })},
        {"DFileNode", &kFileNodeTemplate, make([] { return std::make_unique<DFileNode>(); })},
    };
}

// A small dialog on a table of the test's own.
const DlgControl kTinyControls[] = {
    {IDC_STATIC, DlgKind::Static, "A", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, 0},
    {1001, DlgKind::Combo, nullptr, "one|two", 0},
    {1002, DlgKind::Custom, nullptr, nullptr, 0},
    {1003, DlgKind::Check, "Check", nullptr, 0},
    {1004, DlgKind::EditCombo, nullptr, "7|8", 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
};
const DlgTemplate kTinyTemplate{1, "A", true, kTinyControls};

struct DTiny : CDialog {
    std::function<void(CDataExchange*)> exchange;
    DTiny()
    {
        BuildDialog(*this, kTinyTemplate, [](CDialog& d, const DlgControl&) { return new QSlider(&d); });
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (exchange)
            exchange(pDX);
    }
};

} // namespace

TEST(DialogTables, EveryTableIsTheDialogsControlsInOrder)
{
    for (const TableCase& c : AllTables()) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CDialog> dlg = c.make();
        std::vector<int> tableIds;
        std::set<int> seen;
        for (const DlgControl& row : c.table->controls) {
            if (row.id == IDC_STATIC)
                continue;
            EXPECT_TRUE(seen.insert(row.id).second) << "id " << row.id << " twice";
            tableIds.push_back(row.id);
            QWidget* w = dlg->GetDlgItem(row.id);
            ASSERT_NE(w, nullptr) << row.id;
            EXPECT_TRUE(IsKind(w, row.kind)) << "id " << row.id << " is not of its kind";
        }
        EXPECT_EQ(dlg->ControlIds(), tableIds);
        EXPECT_EQ(dlg->windowTitle().toStdString(), c.table->caption);
    }
}

TEST(DialogTables, OpeningAsksExactlyTheTablesTexts)
{
    for (const TableCase& c : AllTables()) {
        if (c.table == &kBorderTemplate)
            continue; // a page: its sheet translates it (below)
        SCOPED_TRACE(c.name);
        std::unique_ptr<CDialog> dlg = c.make();
        LookupScope lookup;
        RunDialog(*dlg, [](CDialog&) {});
        std::multiset<std::string> expected;
        if (c.table->translate) {
            expected.insert(c.table->caption);
            for (const DlgControl& row : c.table->controls)
                if (row.text && *row.text)
                    expected.insert(row.text);
        }
        EXPECT_EQ(std::multiset<std::string>(g_asked.begin(), g_asked.end()), expected);
    }
}

TEST(DialogTables, TheBordersSheetTranslatesItsPagesOnce)
{
    CBorderSide sides[BORDER_COUNT];
    LookupScope lookup(std::map<std::string, std::string>{{"Border Size", "Breite"}});
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) {
        auto* sheet = dynamic_cast<CPropertySheet*>(&d);
        for (int i = 0; i < sheet->GetPageCount(); ++i)
            sheet->SetActivePage(i);
        Screenshot(d, "Borders");
        return IDCANCEL;
    });
    EXPECT_EQ(EditBorders(sides), 0);
    CDialog::SetModalHook(previous);
    // Five pages, each label asked once.
    EXPECT_EQ(std::count(g_asked.begin(), g_asked.end(), "Border Size:"), 5);
    EXPECT_EQ(std::count(g_asked.begin(), g_asked.end(), "Border Color"), 5);
    EXPECT_EQ(std::count(g_asked.begin(), g_asked.end(), "Borders"), 1);
}

TEST(DialogKit, TranslationRunsOnceAtOpening)
{
    DTiny dlg;
    LookupScope lookup(std::map<std::string, std::string>{{"A", "B"}, {"B", "C"}});
    RunDialog(dlg, [](CDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("B"));
        EXPECT_EQ(d.findChildren<QLabel*>().front()->text(), QStringLiteral("B"));
    });
    // Entries of a table's list are its own data, never asked.
    EXPECT_EQ(std::count(g_asked.begin(), g_asked.end(), "one"), 0);
}

TEST(DialogKit, ExemptDialogsAskNothing)
{
    LookupScope lookup(std::map<std::string, std::string>{{"Box Shadow", "X"}, {"Delete", "Y"}});
    DBoxShadow shadow;
    RunDialog(shadow, [](CDialog& d) { EXPECT_EQ(d.windowTitle(), QStringLiteral("Box Shadow")); });
    DFileNode file;
    file.m_strName = "Delete";
    RunDialog(file, [](CDialog& d) { EXPECT_EQ(d.GetDlgItemText(1096), CString("Delete")); });
    EXPECT_TRUE(g_asked.empty());
}

TEST(DialogKit, LangIniTranslatesTheFontDialog)
{
    static CTranslationMap map;
    map.LoadText("Font=Schrift\r\nFace Name=Schriftart\r\nBold=Fett\r\nOK=Gut\r\n");
    const TranslationLookup previous = GetTranslationLookup();
    SetTranslationLookup([](CString& text) { return map.Lookup(text); });
    DFont dlg;
    dlg.m_strCaption = "body";
    RunDialog(dlg, [](CDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Schrift : body"));
        std::set<QString> labels;
        for (QLabel* l : d.findChildren<QLabel*>())
            labels.insert(l->text());
        EXPECT_TRUE(labels.count(QStringLiteral("Schriftart:")));
        EXPECT_TRUE(labels.count(QStringLiteral("Fett:")));
        EXPECT_EQ(d.GetDlgItemText(IDOK), CString("Gut"));
        // the list entries stay as they are
        EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1020))->itemText(1), QStringLiteral("bold"));
    });
    SetTranslationLookup(previous);
}

TEST(DialogKit, ExchangeWithAControlOfAnotherKindIsAnError)
{
    struct Case {
        const char* what;
        std::function<void(CDataExchange*)> exchange;
    };
    int i = 0;
    CString s;
    const Case cases[] = {
        {"check on an edit", [&](CDataExchange* p) { DDX_Check(p, 1000, i); }},
        {"combo index on a check", [&](CDataExchange* p) { DDX_CBIndex(p, 1003, i); }},
        {"list index on a combo", [&](CDataExchange* p) { DDX_LBIndex(p, 1001, i); }},
        {"slider on an edit", [&](CDataExchange* p) { DDX_Slider(p, 1000, i); }},
        {"text of a custom control", [&](CDataExchange* p) { DDX_Text(p, 1002, s); }},
        {"number of a custom control", [&](CDataExchange* p) { DDX_Text(p, 1002, i); }},
        {"missing id", [&](CDataExchange* p) { DDX_Text(p, 4242, s); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DTiny dlg;
        dlg.exchange = c.exchange;
        MessageLog log;
        EXPECT_FALSE(dlg.UpdateData(FALSE));
        EXPECT_FALSE(dlg.UpdateData(TRUE));
        ASSERT_EQ(log.texts.size(), 2u);
        EXPECT_NE(log.texts[0].Find("control"), -1) << log.texts[0].GetString();
    }
    // The custom control's window title is never its text.
    DTiny dlg;
    dlg.GetDlgItem(1002)->setWindowTitle(QStringLiteral("title"));
    EXPECT_EQ(dlg.GetDlgItemText(1002), CString(""));
}

TEST(DialogKit, BlankForZeroDoublesAndSignedComboNumbers)
{
    double d = 0;
    int n = 0;
    DTiny dlg;
    dlg.exchange = [&](CDataExchange* p) {
        DDX_TextBlankZero(p, 1000, d);
        DDX_Text(p, 1004, n);
    };
    struct Case {
        double in;
        const char* shown;
        const char* typed;
        double out;
    } const cases[] = {
        {0, "", "", 0}, {0.5, "0.5", "0.5", 0.5}, {12, "12", " 12 ", 12}, {-2.25, "-2.25", "", 0},
    };
    for (const Case& c : cases) {
        d = c.in;
        ASSERT_TRUE(dlg.UpdateData(FALSE));
        EXPECT_EQ(dlg.GetDlgItemText(1000), CString(c.shown)) << c.in;
        dlg.SetDlgItemText(1000, c.typed);
        dlg.SetDlgItemText(1004, "-15");
        ASSERT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(d, c.out) << c.typed;
        EXPECT_EQ(n, -15);
    }
    MessageLog log;
    dlg.SetDlgItemText(1000, "abc");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(log.texts.size(), 1u);
}

TEST(DialogKit, DecimalPointUnderACommaLocale)
{
    const std::string old = std::setlocale(LC_NUMERIC, nullptr);
    // A German locale, compiled for the test when the system has none.
    QTemporaryDir locales;
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        QProcess::execute(QStringLiteral("localedef"), {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                                                        QStringLiteral("UTF-8"), locales.filePath(QStringLiteral("de_DE.UTF-8"))});
        qputenv("LOCPATH", QFile::encodeName(locales.path()));
        if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
            GTEST_SKIP() << "no comma locale available";
    }
    char probe[16];
    std::snprintf(probe, sizeof probe, "%g", 0.5);
    ASSERT_STREQ(probe, "0,5") << "the locale writes a decimal comma";
    double d = 0.5;
    DTiny dlg;
    dlg.exchange = [&](CDataExchange* p) { DDX_TextBlankZero(p, 1000, d); };
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(dlg.GetDlgItemText(1000), CString("0.5"));
    dlg.SetDlgItemText(1000, "0.75");
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(d, 0.75);
    std::setlocale(LC_NUMERIC, old.c_str());
    qunsetenv("LOCPATH");
}

TEST(DialogKit, PositionRadiosBothWays)
{
    const struct {
        int placement;
        bool enabled;
    } cases[] = {{0, false}, {1, true}};
    for (const auto& c : cases) {
        DPosition dlg;
        dlg.m_nPlacement = c.placement;
        dlg.m_nX = 10;
        dlg.m_nY = 20;
        RunDialog(dlg, [&](CDialog& d) {
            EXPECT_EQ(d.IsDlgButtonChecked(1043), c.placement == 0);
            EXPECT_EQ(d.IsDlgButtonChecked(1060), c.placement == 1);
            EXPECT_EQ(d.GetDlgItem(1000)->isEnabled(), c.enabled);
            EXPECT_EQ(d.GetDlgItem(1003)->isEnabled(), c.enabled);
            // the other radio
            qobject_cast<QRadioButton*>(d.GetDlgItem(c.placement ? 1043 : 1060))->click();
            EXPECT_EQ(d.GetDlgItem(1000)->isEnabled(), !c.enabled);
            PressOk(d);
        });
        EXPECT_EQ(dlg.m_nPlacement, 1 - c.placement);
        EXPECT_EQ(dlg.m_nX, 10);
        EXPECT_EQ(dlg.m_nY, 20);
    }
}

TEST(DialogKit, MagentaStripIsTransparentExactlyThere)
{
    QImage strip(32, 16, QImage::Format_RGB32);
    strip.fill(qRgb(255, 0, 255));
    strip.setPixel(3, 4, qRgb(10, 20, 30));
    strip.setPixel(16 + 5, 6, qRgb(254, 0, 255)); // near magenta stays
    strip.setPixel(16 + 7, 7, qRgb(0, 0, 0));
    CImageList list;
    ASSERT_TRUE(list.CreateFromStrip(strip, 16));
    ASSERT_EQ(list.GetImageCount(), 2);
    for (int i = 0; i < 2; ++i) {
        const QImage img = list.GetImage(i);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const bool opaque = (i == 0 && x == 3 && y == 4) || (i == 1 && ((x == 5 && y == 6) || (x == 7 && y == 7)));
                EXPECT_EQ(qAlpha(img.pixel(x, y)), opaque ? 255 : 0) << i << " " << x << "," << y;
            }
    }
    EXPECT_EQ(list.GetImage(0).pixel(3, 4), qRgb(10, 20, 30));
    EXPECT_TRUE(list.GetImage(2).isNull());
}

TEST(DialogKit, ReportListGivesSelectedRowsDataInOrder)
{
    DTiny dlg;
    auto* list = new CReportList(&dlg, 2000);
    list->InsertColumn(0, "Page", 300);
    list->InsertColumn(1, "File", 500);
    list->SetMultiSelect(true);
    for (int i = 0; i < 5; ++i) {
        const int row = list->InsertItem(CString::Formatted("row %d", i), i % 2, 100 + i);
        list->SetItemText(row, 1, CString::Formatted("file%d.html", i));
    }
    int changes = 0;
    dlg.OnNotify(2000, LVN_ITEMCHANGED, [&] { ++changes; });
    list->SelectRow(3);
    list->SelectRow(0);
    list->SelectRow(4);
    EXPECT_EQ(list->GetSelectedData(), (std::vector<std::intptr_t>{100, 103, 104}));
    EXPECT_EQ(list->GetSelectedRows(), (std::vector<int>{0, 3, 4}));
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(list->GetItemText(2, 1), CString("file2.html"));
    EXPECT_EQ(list->GetItemImage(3), 1);
    EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("File"));
}

TEST(DialogKit, TreeNodesCarryDataAndImagesAndReportSelection)
{
    DTiny dlg;
    auto* tree = new CTreeCtrl(&dlg, 3000);
    QImage strip(32, 16, QImage::Format_RGB32);
    strip.fill(Qt::white);
    CImageList images;
    images.CreateFromStrip(strip, 16);
    tree->SetImageList(&images);
    QTreeWidgetItem* site = tree->InsertItem("site", 0, 1);
    QTreeWidgetItem* page = tree->InsertItem("page", 1, 42, site);
    tree->InsertItem("other", 1, 43, site);
    std::vector<std::intptr_t> seen;
    dlg.OnNotify(3000, TVN_SELCHANGED, [&] { seen.push_back(CTreeCtrl::GetItemData(tree->GetSelectedItem())); });
    tree->SelectItem(page);
    tree->SelectItem(tree->FindData(43));
    EXPECT_EQ(seen, (std::vector<std::intptr_t>{42, 43}));
    EXPECT_EQ(CTreeCtrl::GetItemImage(page), 1);
    EXPECT_FALSE(page->icon(0).isNull());
    EXPECT_EQ(tree->FindData(7), nullptr);
    EXPECT_EQ(dlg.GetDlgItem(3000), tree);
}

TEST(DialogKit, RichTextEditAndViewCodeButton)
{
    DTiny dlg;
    auto* rich = dlg.AddControl(3001, new QTextEdit(&dlg));
    QPushButton* code = CreateViewCodeButton(&dlg);
    int changes = 0;
    dlg.OnNotify(3001, EN_CHANGE, [&] { ++changes; });
    rich->setPlainText(QStringLiteral("abc"));
    rich->textCursor().insertText(QStringLiteral("d"));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(dlg.GetDlgItem(1062), code);
    EXPECT_FALSE(code->icon().isNull());
    LookupScope lookup(std::map<std::string, std::string>{{"View Code", "Code anzeigen"}});
    RunDialog(dlg, [](CDialog&) {});
    EXPECT_EQ(code->toolTip(), QStringLiteral("Code anzeigen"));
}
