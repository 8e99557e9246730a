#include "framework/ui/Dialog.h"
#include "framework/ui/Translation.h"

#include <gtest/gtest.h>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPushButton>
#include <map>

namespace {
std::map<std::string, std::string> g_map;

bool Lookup(CString& text)
{
    auto it = g_map.find(text.str());
    if (it == g_map.end())
        return false;
    text = it->second;
    return true;
}

class Translation : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_map = {{"Font", "Schrift"}, {"Name:", "Name (Titel):"}, {"&File", "&Datei"}, {"Open Project\tCtrl+O", "Projekt öffnen\tCtrl+O"},
                 {"Circle", "Kreis"}, {"Rectangle", "Rechteck"}, {"&Help", "&Hilfe"}, {"About", "Über"}};
        m_previous = GetTranslationLookup();
        SetTranslationLookup(Lookup);
    }
    void TearDown() override { SetTranslationLookup(m_previous); }
    TranslationLookup m_previous = nullptr;
};
} // namespace

TEST_F(Translation, WindowAndChildrenButNeverEditText)
{
    CDialog dlg;
    dlg.setWindowTitle("Font");
    dlg.CreateStatic(1, "Name:");
    dlg.CreateEdit(2)->setText("Font");
    dlg.CreateButton(3, "Font");
    dlg.CreateStatic(4, "Untranslated");
    QComboBox* combo = dlg.CreateCombo(5, {"Rectangle", "Circle", "Other"});
    combo->setCurrentIndex(1);
    QComboBox* editable = dlg.CreateCombo(6, {"Font"}, true);
    editable->setEditText("Font");
    TranslateWindow(&dlg);
    EXPECT_EQ(dlg.windowTitle(), "Schrift");
    EXPECT_EQ(dlg.GetDlgItemText(1), "Name (Titel):");
    EXPECT_EQ(dlg.GetDlgItemText(2), "Font");
    EXPECT_EQ(dlg.GetDlgItemText(3), "Schrift");
    EXPECT_EQ(dlg.GetDlgItemText(4), "Untranslated");
    EXPECT_EQ(combo->itemText(0), "Rechteck");
    EXPECT_EQ(combo->itemText(1), "Kreis");
    EXPECT_EQ(combo->itemText(2), "Other");
    EXPECT_EQ(combo->currentIndex(), 1) << "the selection survives the translation";
    EXPECT_EQ(editable->currentText(), "Schrift") << "its entry is translated";
    EXPECT_EQ(editable->lineEdit()->text(), "Schrift");
}

TEST_F(Translation, MenuDataKeepsIdsAndPopups)
{
    CMenu menu;
    menu.items = {CMenu::Popup("&File", {CMenu::Command("Open Project\tCtrl+O", 57601), CMenu::Separator(),
                                         CMenu::Popup("More", {CMenu::Command("About", 57664)})}),
                  CMenu::Popup("&Help", {CMenu::Command("About", 57664)})};
    TranslateMenu(menu);
    EXPECT_EQ(menu.items[0].text, "&Datei");
    EXPECT_EQ(menu.items[0].popup[0].text, "Projekt öffnen\tCtrl+O");
    EXPECT_EQ(menu.items[0].popup[0].id, 57601u);
    EXPECT_TRUE(menu.items[0].popup[1].separator);
    EXPECT_EQ(menu.items[0].popup[2].text, "More");
    EXPECT_EQ(menu.items[0].popup[2].popup[0].text, "Über");
    EXPECT_EQ(menu.items[1].text, "&Hilfe");
    ASSERT_NE(menu.Find(57664), nullptr);
    EXPECT_EQ(menu.Find(57664)->text, "Über");
}

TEST_F(Translation, QtMenuBarDepthFirst)
{
    QMenuBar bar;
    QMenu* file = bar.addMenu("&File");
    file->addAction("Open Project\tCtrl+O");
    QMenu* sub = file->addMenu("More");
    sub->addAction("About");
    TranslateMenu(&bar);
    EXPECT_EQ(bar.actions()[0]->text(), "&Datei");
    EXPECT_EQ(file->actions()[0]->text(), "Projekt öffnen\tCtrl+O");
    EXPECT_EQ(sub->actions()[0]->text(), "Über");
}

TEST_F(Translation, NoLookupLeavesTextsAlone)
{
    SetTranslationLookup(nullptr);
    EXPECT_EQ(UiTranslate("Font"), "Font");
    QLabel label("Font");
    TranslateWindow(&label);
    EXPECT_EQ(label.text(), "Font");
}

TEST_F(Translation, NameGoesWhereTheTranslationPutsItsPlaceholder)
{
    g_map["Resize : %s"] = "%s : Größe ändern";
    g_map["Background : %s"] = "Hintergrund";        // a translation that dropped the placeholder
    g_map["Class : %s"] = "Klasse %s (%d) %s";       // only the first placeholder takes the name
    const struct {
        const char* format;
        const char* name;
        const char* expected;
    } cases[] = {
        {"Resize : %s", "Box 1", "Box 1 : Größe ändern"},
        {"Background : %s", "Header", "Hintergrund Header"},
        {"Class : %s", "a%sb", "Klasse a%sb (%d) %s"},
        {"Untranslated : %s", "100%", "Untranslated : 100%"},
        {"Trailing blank ", "x", "Trailing blank x"},
        {"", "x", "x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UiTranslateWithName(c.format, c.name), CString(c.expected)) << c.format;
    // untranslated: the text as given
    EXPECT_EQ(PutName("Class Over Background : %s", "Box"), CString("Class Over Background : Box"));
    EXPECT_EQ(PutName("Resize : %s", "Box"), CString("Resize : Box"));
}
