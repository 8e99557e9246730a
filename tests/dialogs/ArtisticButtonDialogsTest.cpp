// The Artistic Text, Symbol, symbol picker and Image Button dialogs, offscreen: fields both
// ways, the show rules, refused values, the glyph grid, the live button edits, and Cancel
// after sub-dialogs leaving the project as it was.
#include "ComboTestSupport.h"
#include "DialogTestSupport.h"

#include "controls/ColorControl.h"
#include "controls/FontChooser.h"
#include "dialogs/ArtisticTextDialogs.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/ImageButtonDialog.h"
#include "dialogs/LinkDialog.h"
#include "dialogs/SymbolPicker.h"
#include "document/DocTestSupport.h"
#include "document/KJDoc.h"
#include "document/NewItemDefaults.h"
#include "framework/core/Profile.h"
#include "model/Page.h"
#include "model/PictureTestSupport.h"
#include "model/items/ArtisticTextItem.h"
#include "model/items/ImageButtonItem.h"
#include "model/items/PayPalItem.h"
#include "model/items/SymbolItem.h"

#include <QtCore/QFile>
#include <QtCore/QSettings>
#include <QtCore/QTemporaryDir>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

using namespace dialogtest;
using namespace itemdialogtest;

namespace {

// Whether a control (a colour button with its caption box) is shown.
bool Shown(CDialog& d, int id)
{
    QWidget* w = d.GetDlgItem(id);
    if (dynamic_cast<CColorButton*>(w))
        w = w->parentWidget();
    return !w->isHidden();
}

QString ColorCaption(CDialog& d, int id) { return d.GetDlgItem(id)->parentWidget()->findChild<QLabel*>()->text(); }

COLORREF Swatch(CDialog& d, int id) { return dynamic_cast<CColorButton*>(d.GetDlgItem(id))->GetColor(); }

// Answers the font chooser for as long as it lives.
struct FontAnswer {
    explicit FontAnswer(std::function<bool(LOGFONT&)> answer) { previous = SetFontDialogHook(std::move(answer)); }
    ~FontAnswer() { SetFontDialogHook(previous); }
    FontDialogHook previous;
};

std::unique_ptr<CArtisticTextItem> MakeArtistic()
{
    auto item = std::make_unique<CArtisticTextItem>();
    item->m_strText = "Hello";
    item->m_nCharExtra = 3;
    item->m_crText = 0x102030;
    item->m_nStretch = 120;
    item->m_dRotation = 12.5;
    item->m_nGradient = 0;
    item->m_crFill2 = 0x405060;
    item->m_nInteriorShading = 2;
    item->m_nFrameWidth = 0;
    item->m_nLineWidth2 = 3;
    item->m_crLine2 = 0x0000FF;
    item->m_nLineStyle2 = 4;
    return item;
}

// Each case starts without kept looks.
struct ProfileTest : ::testing::Test {
    void SetUp() override
    {
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Varnelo"),
                           QStringLiteral("Tessel Web Designer"));
        for (const char* s : {kArtisticTextSection, kSymbolSection, kImageButtonSection, kPayButtonSection})
            settings.remove(QString::fromUtf8(s));
    }
};

using ArtisticText = ProfileTest;

TEST_F(ArtisticText, FieldsBothWays)
{
    auto item = MakeArtistic();
    DArtisticText dlg;
    dlg.m_pItem = item.get();
    EXPECT_EQ(RunDialog(dlg,
                        [](CDialog& d) {
                            EXPECT_EQ(d.GetDlgItemText(1000), CString("Hello"));
                            EXPECT_EQ(d.GetDlgItemText(1011), CString("3"));
                            EXPECT_EQ(d.GetDlgItemText(1014), CString("120"));
                            EXPECT_EQ(d.GetDlgItemText(1015), CString("12.5"));
                            EXPECT_EQ(Swatch(d, 1019), 0x102030u);
                            EXPECT_EQ(Selected(d, 1074), 0);
                            EXPECT_EQ(Selected(d, 1068), 2);
                            EXPECT_EQ(Selected(d, 1018), 0);
                            EXPECT_EQ(Selected(d, 1066), 3);
                            EXPECT_EQ(Selected(d, 1072), 4);
                            EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1018))->count(), 11);
                            d.SetDlgItemText(1000, "World");
                            d.SetDlgItemText(1011, "-7");
                            d.SetDlgItemText(1014, "80");
                            d.SetDlgItemText(1015, "-45");
                            Choose(d, 1074, 3);
                            d.CheckDlgButton(1001, 1);
                            Choose(d, 1018, 5);
                            Choose(d, 1070, 1);
                            Choose(d, 1068, 5);
                            Screenshot(d, "DArtisticText");
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(item->m_strText.ToQString(), QStringLiteral("World"));
    EXPECT_EQ(item->m_nCharExtra, -7);
    EXPECT_EQ(item->m_nStretch, 80);
    EXPECT_DOUBLE_EQ(item->m_dRotation, -45.0);
    EXPECT_EQ(item->m_nGradient, 3);
    EXPECT_EQ(item->m_bGradient2Way, 1);
    EXPECT_EQ(item->m_nFrameWidth, 5);
    EXPECT_EQ(item->m_nFrameShading, 1);
    EXPECT_EQ(item->m_nInteriorShading, 5);
    EXPECT_EQ(item->m_nLineWidth2, 3);
}

TEST_F(ArtisticText, FillKindAndLineRules)
{
    auto item = MakeArtistic();
    DArtisticText dlg;
    dlg.m_pItem = item.get();
    RunDialog(dlg, [&](CDialog& d) {
        EXPECT_FALSE(Shown(d, 1022)) << "Solid Fill hides the second colour";
        EXPECT_FALSE(Shown(d, 1001));
        EXPECT_FALSE(Shown(d, 1042)) << "no internal line: no colour";
        EXPECT_FALSE(Shown(d, 1070));
        EXPECT_TRUE(Shown(d, 1053));
        EXPECT_TRUE(Shown(d, 1072));
        const struct {
            int kind;
            const char* caption;
        } captions[] = {{1, "Bottom Color"}, {2, "Right Color"}, {3, "Outer Color"}, {4, "Top Color"}, {5, "Left Color"}};
        for (const auto& c : captions) {
            Choose(d, 1074, c.kind);
            EXPECT_TRUE(Shown(d, 1022)) << c.kind;
            EXPECT_TRUE(Shown(d, 1001)) << c.kind;
            EXPECT_EQ(ColorCaption(d, 1022), QString::fromUtf8(c.caption));
        }
        Choose(d, 1074, 0);
        EXPECT_FALSE(Shown(d, 1022));
        Choose(d, 1066, 0);
        EXPECT_FALSE(Shown(d, 1053)) << "width None hides the external colour at once";
        EXPECT_FALSE(Shown(d, 1072));
        EXPECT_EQ(item->m_nLineWidth2, 3) << "the width reaches the item only at OK";
        Choose(d, 1018, 2);
        EXPECT_TRUE(Shown(d, 1042));
        EXPECT_TRUE(Shown(d, 1070));
        EXPECT_EQ(item->m_nFrameWidth, 0) << "the width reaches the item only at OK";
        PressCancel(d);
    });
    EXPECT_EQ(item->m_nFrameWidth, 0) << "Cancel keeps the widths";
    EXPECT_EQ(item->m_nLineWidth2, 3);
}

TEST_F(ArtisticText, FontThroughTheChooserAndRefusedRanges)
{
    auto item = MakeArtistic();
    {
        FontAnswer answer([](LOGFONT& lf) {
            SetLogFontFace(lf, "Georgia");
            lf.lfHeight = -20;
            lf.lfWeight = 700;
            return true;
        });
        DArtisticText dlg;
        dlg.m_pItem = item.get();
        RunDialog(dlg, [](CDialog& d) { Click(d, 1025); });
    }
    EXPECT_STREQ(item->m_lf.lfFaceName, "Georgia");
    EXPECT_EQ(item->m_lf.lfHeight, -20);
    EXPECT_EQ(item->m_lf.lfWeight, 700);
    {
        FontAnswer refuse([](LOGFONT& lf) {
            SetLogFontFace(lf, "Courier New");
            return false;
        });
        DArtisticText dlg;
        dlg.m_pItem = item.get();
        RunDialog(dlg, [](CDialog& d) { Click(d, 1025); });
    }
    EXPECT_STREQ(item->m_lf.lfFaceName, "Georgia") << "a cancelled chooser changes nothing";

    const struct {
        int id;
        const char* text;
        bool accepted;
    } cases[] = {
        {1014, "9", false},     {1014, "10", true},     {1014, "1000", true}, {1014, "1001", false},
        {1011, "-1001", false}, {1011, "-1000", true},  {1011, "1000", true}, {1011, "1001", false},
        {1015, "-360", true},   {1015, "360.5", false}, {1015, "-361", false}, {1014, "abc", false},
    };
    for (const auto& c : cases) {
        auto fresh = MakeArtistic();
        DArtisticText dlg;
        dlg.m_pItem = fresh.get();
        MessageLog log;
        const int result = RunDialog(dlg, [&](CDialog& d) {
            d.SetDlgItemText(1000, "Changed");
            d.SetDlgItemText(c.id, c.text);
            PressOk(d);
        });
        EXPECT_EQ(result, c.accepted ? IDOK : IDCANCEL) << c.id << " " << c.text;
        EXPECT_EQ(log.texts.size(), c.accepted ? 0u : 1u) << c.id << " " << c.text;
        if (!c.accepted) {
            EXPECT_EQ(fresh->m_strText.ToQString(), QStringLiteral("Hello")) << "a refused value stores nothing";
            EXPECT_EQ(fresh->m_nStretch, 120);
            EXPECT_EQ(fresh->m_nCharExtra, 3);
        }
    }
}

TEST_F(ArtisticText, SaveDefaultsKeepsTheLookForNewItems)
{
    auto item = MakeArtistic();
    item->m_nStretch = 77;
    SetLogFontFace(item->m_lf, "Verdana");
    DArtisticText dlg;
    dlg.m_pItem = item.get();
    RunDialog(dlg, [](CDialog& d) { PressOk(d); });
    dlg.SaveDefaults();
    CArtisticTextItem fresh;
    ApplyNewItemDefaults(fresh);
    EXPECT_EQ(fresh.m_nStretch, 77);
    EXPECT_STREQ(fresh.m_lf.lfFaceName, "Verdana");
    EXPECT_EQ(fresh.m_crLine2, 0x0000FFu);
}

TEST_F(ArtisticText, SymbolBothWaysWithItsOwnControls)
{
    CSymbolItem item;
    item.m_crText = 0xABCDEF;
    item.m_nStretch = 90;
    item.m_nGradient = 1;
    item.m_nFrameWidth = 15;
    DSymbol dlg;
    dlg.m_pItem = &item;
    EXPECT_EQ(RunDialog(dlg,
                        [](CDialog& d) {
                            for (int absent : {1000, 1025, 1011, 1031})
                                EXPECT_EQ(d.GetDlgItem(absent), nullptr) << absent;
                            EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1018))->count(), 21);
                            EXPECT_EQ(Selected(d, 1018), 15);
                            EXPECT_EQ(Swatch(d, 1019), 0xABCDEFu);
                            EXPECT_TRUE(Shown(d, 1022));
                            EXPECT_EQ(ColorCaption(d, 1022), QStringLiteral("Bottom Color"));
                            d.SetDlgItemText(1014, "200");
                            Choose(d, 1018, 20);
                            Choose(d, 1066, 0);
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(item.m_nStretch, 200);
    EXPECT_EQ(item.m_nFrameWidth, 20);
    EXPECT_EQ(item.m_nLineWidth2, 0);
}

// ---- The symbol picker

TEST(SymbolPicker, CellsToCodesAndTheEmptyLastCell)
{
    DSymbolPicker dlg;
    dlg.m_faces = {QStringLiteral("Webdings"), QStringLiteral("Wingdings 2"), QStringLiteral("Wingdings")};
    const int result = RunDialog(dlg, [](CDialog& d) {
        auto& picker = static_cast<DSymbolPicker&>(d);
        EXPECT_EQ(Selected(d, 1011), 1) << "the first face beginning with Wingdings";
        EXPECT_EQ(picker.Grid()->m_strFace, CString("Wingdings 2"));
        CSymbolGrid* grid = picker.Grid();
        grid->resize(320, 280); // 20 x 20 cells
        const struct {
            QPoint at;
            int code;
        } cells[] = {{{0, 0}, 33}, {{319, 0}, 48}, {{0, 20}, 49}, {{25, 45}, 66}, {{319, 279}, 256}, {{320, 10}, -1}};
        for (const auto& c : cells)
            EXPECT_EQ(grid->CodeAt(c.at), c.code) << c.at.x() << "," << c.at.y();
        QMouseEvent last(QEvent::MouseButtonPress, QPointF(310, 270), QPointF(310, 270), Qt::LeftButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(grid, &last);
        EXPECT_FALSE(d.IsEnded()) << "the empty last cell chooses nothing";
        EXPECT_EQ(grid->m_nChar, 0);
        Choose(d, 1011, 0);
        EXPECT_EQ(grid->m_strFace, CString("Webdings"));
        Screenshot(d, "DSymbolPicker");
        grid->resize(320, 280); // the screenshot lays the dialog out anew
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(105, 45), QPointF(105, 45), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(grid, &press);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.Grid()->m_nChar, 33 + 5 + 2 * 16);
    EXPECT_EQ(dlg.Grid()->m_strFace, CString("Webdings"));
}

TEST(SymbolPicker, WithoutWingdingsNothingIsSelectedAndClosingCancels)
{
    DSymbolPicker dlg;
    dlg.m_faces = {QStringLiteral("OpenSymbol"), QStringLiteral("Symbol")};
    const int result = RunDialog(dlg, [](CDialog& d) {
        EXPECT_EQ(Selected(d, 1011), -1);
        EXPECT_EQ(static_cast<DSymbolPicker&>(d).Grid()->m_strFace, CString("Wingdings"));
        d.close();
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(SymbolFontFaces().contains(QStringLiteral("Wingdings")));
}

// ---- The Image Button dialog

TEST(ImageButton, SizePresetsQuickStylesAndLiveEdits)
{
    CImageButtonItem item;
    DImageButton dlg;
    dlg.m_pItem = &item;
    EXPECT_EQ(RunDialog(dlg,
                        [&](CDialog& d) {
                            EXPECT_EQ(d.GetDlgItemText(1006), CString("Tahoma, 9pt"));
                            EXPECT_EQ(d.GetDlgItemText(1000), CString("88"));
                            Choose(d, 1020, 4); // Medium
                            EXPECT_EQ(item.m_nRenderWidth, 92);
                            EXPECT_EQ(item.m_nRenderHeight, 46);
                            EXPECT_EQ(item.m_lf.lfHeight, -16);
                            EXPECT_EQ(d.GetDlgItemText(1000), CString("92"));
                            EXPECT_EQ(d.GetDlgItemText(1023), CString("46"));
                            EXPECT_EQ(d.GetDlgItemText(1006), CString("Tahoma, 12pt"));
                            EXPECT_EQ(item.StateBitmap(0).GetWidth(), 92);
                            Choose(d, 1036, 2); // "Red "
                            EXPECT_STREQ(item.m_lf.lfFaceName, "Arial");
                            EXPECT_EQ(item.m_crSecond, 0x0000FFu);
                            EXPECT_EQ(item.m_nFrameWidth, 0);
                            EXPECT_EQ(item.m_bHairline, 0);
                            EXPECT_EQ(Selected(d, 1097), 0) << "the controls follow the quick style";
                            EXPECT_EQ(d.IsDlgButtonChecked(1164), 0);
                            Choose(d, 1018, 4);
                            EXPECT_EQ(item.m_nFrameShape, 4) << "a combo stores at once";
                            Click(d, 1016);
                            EXPECT_EQ(item.m_bGlass, 1);
                            d.SetDlgItemText(1067, "Send");
                            EXPECT_EQ(item.m_strText.ToQString(), QStringLiteral("OK")) << "not before the focus leaves";
                            d.SendNotify(1067, EN_KILLFOCUS);
                            EXPECT_EQ(item.m_strText.ToQString(), QStringLiteral("Send"));
                            Screenshot(d, "DImageButton");
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(item.m_nRenderWidth, 92);
}

TEST(ImageButton, ApplyAndOkRefuseSizesOutsideTheRange)
{
    const struct {
        const char* width;
        const char* height;
        bool accepted;
    } cases[] = {{"0", "40", false}, {"3001", "40", false}, {"3000", "40", true},
                 {"50", "0", false}, {"1", "3000", true},   {"abc", "40", false}};
    for (const auto& c : cases) {
        CImageButtonItem item;
        DImageButton dlg;
        dlg.m_pItem = &item;
        MessageLog log;
        RunDialog(dlg, [&](CDialog& d) {
            d.SetDlgItemText(1000, c.width);
            d.SetDlgItemText(1023, c.height);
            Click(d, 1032);
        });
        EXPECT_EQ(log.texts.size(), c.accepted ? 0u : 1u) << c.width << "x" << c.height;
        if (c.accepted) {
            EXPECT_EQ(item.m_nRenderWidth, atoi(c.width));
            EXPECT_EQ(item.m_nRenderHeight, atoi(c.height));
        } else {
            EXPECT_EQ(item.m_nRenderWidth, 88) << "a refused size stores nothing";
            EXPECT_EQ(item.m_nRenderHeight, 35);
        }
        DImageButton ok;
        ok.m_pItem = &item;
        const int result = RunDialog(ok, [&](CDialog& d) {
            d.SetDlgItemText(1000, c.width);
            d.SetDlgItemText(1023, c.height);
            PressOk(d);
        });
        EXPECT_EQ(result, c.accepted ? IDOK : IDCANCEL) << c.width << "x" << c.height;
    }
    DImageButton dlg;
    CImageButtonItem item;
    dlg.m_pItem = &item;
    RunDialog(dlg, [](CDialog& d) {
        EXPECT_EQ(qobject_cast<QLineEdit*>(d.GetDlgItem(1000))->maxLength(), 4);
        EXPECT_EQ(qobject_cast<QLineEdit*>(d.GetDlgItem(1023))->maxLength(), 4);
    });
}

TEST(ImageButton, LinkOnlyForImageButtonsAndNothingWithoutAnItem)
{
    CPayPalItem pay;
    DImageButton payDialog;
    payDialog.m_pItem = &pay;
    RunDialog(payDialog, [](CDialog& d) {
        EXPECT_FALSE(d.GetDlgItem(1025)->isEnabled());
        EXPECT_TRUE(d.GetDlgItem(1018)->isEnabled());
    });
    CImageButtonItem button;
    DImageButton buttonDialog;
    buttonDialog.m_pItem = &button;
    RunDialog(buttonDialog, [](CDialog& d) { EXPECT_TRUE(d.GetDlgItem(1025)->isEnabled()); });

    DImageButton empty;
    RunDialog(empty, [](CDialog& d) {
        for (int id : {1056, 1032, 1006, 1080, 1094, 1013, 1164, 1016, 1018, 1099, 1000, 1023, 1161, 1097, 1088, 1166,
                       1067, 1025, 1027, 1036, 1020})
            EXPECT_FALSE(d.GetDlgItem(id)->isEnabled()) << id;
        EXPECT_TRUE(d.GetDlgItem(IDOK)->isEnabled());
        EXPECT_EQ(static_cast<DImageButton&>(d).Preview()->m_pItem, nullptr);
        QImage shot = static_cast<DImageButton&>(d).Preview()->grab().toImage();
        EXPECT_EQ(shot.pixelColor(shot.width() / 2, shot.height() / 2), QColor(Qt::white));
        PressOk(d);
    });
}

// ---- Cancel after sub-dialogs

struct Site {
    CKJDoc doc;
    CPage* page = nullptr;
    Site()
    {
        auto p = std::make_unique<CPage>();
        p->m_strBaseName = "index";
        p->m_strExtension = ".html";
        page = p.get();
        doc.m_pages.push_back(std::move(p));
    }
};

int AnswerSubDialogs(CDialog& d)
{
    if (auto* shadow = dynamic_cast<DDropShadow*>(&d)) {
        shadow->CheckDlgButton(1001, 1);
        shadow->OnOK();
        return shadow->GetResult();
    }
    if (auto* fade = dynamic_cast<DEdgeFadeout*>(&d)) {
        fade->OnOK();
        return fade->GetResult();
    }
    if (auto* link = dynamic_cast<DLink*>(&d)) {
        link->OnOK();
        return link->GetResult();
    }
    return IDCANCEL;
}

TEST_F(ProfileTest, CancelAfterSubDialogsLeavesTheProjectAsItWas)
{
    Site site;
    auto art = MakeArtistic();
    CArtisticTextItem* artistic = art.get();
    site.page->AddChild(art.release());
    auto sym = std::make_unique<CSymbolItem>();
    CSymbolItem* symbol = sym.get();
    site.page->AddChild(sym.release());
    auto btn = std::make_unique<CImageButtonItem>();
    CImageButtonItem* button = btn.get();
    site.page->AddChild(btn.release());
    // Items on a page have been rendered; a restored snapshot renders again.
    for (CImageItemBase* item : std::initializer_list<CImageItemBase*>{artistic, symbol, button}) {
        item->Render(0);
        item->RecalcLayout();
    }
    const std::vector<BYTE> before = doctest::SaveToBytes(site.doc);
    const size_t undo = site.doc.m_undo.GetCount();
    WriteProfileInt(kArtisticTextSection, "Stretch", 55);

    FontAnswer font([](LOGFONT& lf) {
        SetLogFontFace(lf, "Georgia");
        lf.lfHeight = -70;
        return true;
    });
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
        if (dynamic_cast<DArtisticText*>(&d)) {
            Click(d, 1025);
            Click(d, 1027);
            Click(d, 1031);
            Choose(d, 1018, 4);
            Choose(d, 1066, 0);
            EXPECT_STREQ(artistic->m_lf.lfFaceName, "Georgia") << "the chooser wrote into the item";
            d.OnCancel();
            return IDCANCEL;
        }
        if (dynamic_cast<DSymbol*>(&d)) {
            Click(d, 1027);
            Choose(d, 1018, 7);
            d.OnCancel();
            return IDCANCEL;
        }
        if (dynamic_cast<DImageButton*>(&d)) {
            Choose(d, 1020, 6);
            Choose(d, 1036, 9);
            Click(d, 1006);
            Click(d, 1027);
            Click(d, 1025);
            d.SetDlgItemText(1000, "300");
            Click(d, 1032);
            return IDCANCEL; // the window closed without OK
        }
        return AnswerSubDialogs(d);
    });
    EXPECT_EQ(EditArtisticTextProperties(site.doc, site.page, site.page, artistic), IDCANCEL);
    EXPECT_TRUE(doctest::SaveToBytes(site.doc) == before) << "artistic text";
    EXPECT_EQ(EditSymbolProperties(site.doc, site.page, site.page, symbol), IDCANCEL);
    EXPECT_TRUE(doctest::SaveToBytes(site.doc) == before) << "symbol";
    EXPECT_EQ(EditImageButtonProperties(site.doc, site.page, site.page, button), IDCANCEL);
    CDialog::SetModalHook(previous);
    EXPECT_EQ(doctest::SaveToBytes(site.doc), before);
    EXPECT_EQ(site.doc.m_undo.GetCount(), undo);
    EXPECT_EQ(GetProfileInt(kArtisticTextSection, "Stretch", 0), 55) << "no defaults saved on Cancel";
}

TEST_F(ProfileTest, OkThroughTheOpenerKeepsTheLookAsDefaults)
{
    Site site;
    auto btn = std::make_unique<CImageButtonItem>();
    CImageButtonItem* button = btn.get();
    site.page->AddChild(btn.release());
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
        Choose(d, 1020, 5); // Large
        d.OnOK();
        return d.GetResult();
    });
    EXPECT_EQ(EditImageButtonProperties(site.doc, site.page, site.page, button), IDOK);
    CDialog::SetModalHook(previous);
    EXPECT_EQ(site.doc.m_undo.GetCount(), 1u);
    EXPECT_EQ(GetProfileInt(kImageButtonSection, "Width", 0), 128);
    EXPECT_EQ(GetProfileInt(kImageButtonSection, "FontHeight", 0), -18);
    CImageButtonItem fresh;
    ApplyNewItemDefaults(fresh);
    EXPECT_EQ(fresh.m_nRenderHeight, 64);
}

} // namespace

TEST(ImageButton, SizePresetsReadBackByPillow)
{
    const struct {
        int index;
        const char* text;
        int width, height, fontHeight;
    } presets[] = {{1, "XXS", 32, 16, -6},   {2, "XS", 48, 24, -10}, {3, "Small", 64, 32, -12}, {4, "Medium", 92, 46, -16},
                   {5, "Large", 128, 64, -18}, {6, "XL", 164, 82, -24}, {7, "XXL", 256, 128, -32}};
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const auto& p : presets) {
        CImageButtonItem item;
        DImageButton dlg;
        dlg.m_pItem = &item;
        RunDialog(dlg, [&](CDialog& d) {
            EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1020))->itemText(p.index), QString::fromUtf8(p.text));
            Choose(d, 1020, p.index);
            PressOk(d);
        });
        EXPECT_EQ(item.m_lf.lfHeight, p.fontHeight) << p.text;
        const std::vector<BYTE> png = picturetest::PngBytes(item.StateBitmap(0));
        const QString path = dir.filePath(QString::fromUtf8(p.text) + QStringLiteral(".png"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(png.data()), qint64(png.size()));
        f.close();
        const picturetest::PillowView view = picturetest::ReadWithPillow(path, {{p.width / 2, p.height / 2}});
        ASSERT_TRUE(view.ok) << p.text;
        EXPECT_EQ(view.format, QStringLiteral("PNG"));
        EXPECT_EQ(view.width, p.width) << p.text;
        EXPECT_EQ(view.height, p.height) << p.text;
        EXPECT_EQ(view.rgba[0] & 0xFFu, 0xFFu) << "the button's middle is opaque";
    }
}
