// The payment, Facebook, Like, map, external picture and external website dialogs,
// offscreen: fields both ways, refused values storing nothing, the button style defaults.
#include "ComboTestSupport.h"
#include "DialogTestSupport.h"

#include "controls/FileChooser.h"
#include "dialogs/CodeView.h"
#include "dialogs/ImageButtonDialog.h"
#include "dialogs/WidgetDialogs.h"
#include "document/NewItemDefaults.h"
#include "framework/core/Profile.h"
#include "model/HtmlWriting.h"
#include "model/items/ExternalImageItem.h"
#include "model/items/FlashItem.h"
#include "model/items/GoogleMapItem.h"
#include "model/items/PayPalItem.h"

#include <QtCore/QFileInfo>
#include <QtCore/QLocale>
#include <QtCore/QTemporaryDir>
#include <QtCore/QSettings>
#include <QtCore/QUrl>
#include <QtWidgets/QComboBox>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <string>

using namespace dialogtest;
using namespace itemdialogtest;

namespace {

// A comma decimal separator for the process and Qt while it lives.
struct CommaLocale {
    CommaLocale()
    {
        previousQt = QLocale();
        const char* old = std::setlocale(LC_NUMERIC, nullptr);
        previousC = old ? old : "C";
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        active = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    }
    ~CommaLocale()
    {
        std::setlocale(LC_NUMERIC, previousC.c_str());
        QLocale::setDefault(previousQt);
    }
    QLocale previousQt;
    std::string previousC;
    bool active = false;
};

struct WidgetDialogs : ::testing::Test {
    void SetUp() override
    {
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Varnelo"), QStringLiteral("Tessel Web Designer"))
            .remove(QString::fromUtf8(kPayButtonSection));
    }
};

TEST_F(WidgetDialogs, PayPalAmountsBlankForZeroAndReadInTheCLocale)
{
    CPayPalItem item;
    item.m_strBusiness = "shop@example.com";
    item.m_dAmount = 0.0;
    item.m_dShipping = 2.5;
    item.m_dShipping2 = 0.0;
    item.m_bFixedQuantity = 0;
    item.m_nQuantity = 3;
    CommaLocale comma;
    DPayPal dlg;
    dlg.m_pItem = &item;
    EXPECT_EQ(RunDialog(dlg,
                        [](CDialog& d) {
                            EXPECT_EQ(d.GetDlgItemText(1011), CString("")) << "0 shows empty";
                            EXPECT_EQ(d.GetDlgItemText(1014), CString("2.5"));
                            EXPECT_FALSE(d.GetDlgItem(1030)->isEnabled()) << "no quantity without Qty";
                            d.CheckDlgButton(1001, 1);
                            d.SendNotify(1001, BN_CLICKED);
                            EXPECT_TRUE(d.GetDlgItem(1030)->isEnabled());
                            d.SetDlgItemText(1011, "0.5");
                            d.SetDlgItemText(1014, "");
                            d.SetDlgItemText(1032, "1.25");
                            Choose(d, 1018, 6);
                            Choose(d, 1036, 5);
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_DOUBLE_EQ(item.m_dAmount, 0.5);
    EXPECT_DOUBLE_EQ(item.m_dShipping, 0.0) << "an emptied field stores 0";
    EXPECT_DOUBLE_EQ(item.m_dShipping2, 1.25) << "each extra item from its own field";
    EXPECT_EQ(item.m_bFixedQuantity, 1);
    EXPECT_EQ(item.m_nCurrency, 6);
    EXPECT_EQ(item.m_strLanguage, CString("DE"));
}

TEST_F(WidgetDialogs, PayPalRefusesAnAddressWithoutAtAndLongTexts)
{
    CPayPalItem item;
    item.m_strBusiness = "shop@example.com";
    DPayPal dlg;
    dlg.m_pItem = &item;
    MessageLog log;
    EXPECT_EQ(RunDialog(dlg,
                        [](CDialog& d) {
                            EXPECT_EQ(qobject_cast<QLineEdit*>(d.GetDlgItem(1000))->maxLength(), 127);
                            EXPECT_EQ(qobject_cast<QLineEdit*>(d.GetDlgItem(1003))->maxLength(), 127);
                            d.SetDlgItemText(1027, "shop.example.com");
                            d.SetDlgItemText(1000, "Changed");
                            PressOk(d);
                        }),
              IDCANCEL);
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_EQ(log.texts[0], CString("Enter your email addres registered with PayPal service."));
    EXPECT_EQ(item.m_strBusiness, CString("shop@example.com"));
    EXPECT_EQ(item.m_strArticleName, CString("Widget")) << "nothing stored";
}

TEST_F(WidgetDialogs, PayPalButtonStyleWritesDefaultsOnlyAfterOk)
{
    CPayPalItem item;
    item.m_strBusiness = "a@b.c";
    for (bool confirm : {false, true}) {
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
            if (dynamic_cast<DImageButton*>(&d)) {
                Choose(d, 1020, 3); // Small: 64 x 32
                if (!confirm)
                    return IDCANCEL;
                d.OnOK();
                return d.GetResult();
            }
            d.SendNotify(1025, BN_CLICKED);
            EXPECT_FALSE(d.IsEnded());
            return IDCANCEL;
        });
        DPayPal dlg;
        dlg.m_pItem = &item;
        dlg.DoModal();
        CDialog::SetModalHook(previous);
        EXPECT_EQ(GetProfileInt(kPayButtonSection, "Width", -1), confirm ? 64 : -1) << confirm;
    }
    EXPECT_EQ(GetProfileString(kPayButtonSection, "Text", "?"), CString("Buy"));
}

TEST_F(WidgetDialogs, FacebookAndLikeBothWays)
{
    DFacebook facebook;
    facebook.m_strChannel = "shop";
    EXPECT_EQ(RunDialog(facebook,
                        [](CDialog& d) {
                            EXPECT_EQ(d.GetDlgItemText(1099), CString("https://www.facebook.com/"));
                            EXPECT_EQ(d.GetDlgItemText(1000), CString("shop"));
                            EXPECT_EQ(d.IsDlgButtonChecked(1001), 1);
                            d.SetDlgItemText(1000, "club");
                            d.CheckDlgButton(1002, 0);
                            Choose(d, 1018, 1);
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(facebook.m_strChannel, CString("club"));
    EXPECT_EQ(facebook.m_bStream, 0);
    EXPECT_EQ(facebook.m_bFaces, 1);
    EXPECT_EQ(facebook.m_nStyle, 1);
    EXPECT_EQ(facebook.m_crBorder, 0xA0A0A0u);

    DLikeButton like;
    like.m_nLayout = 2;
    EXPECT_EQ(RunDialog(like,
                        [](CDialog& d) {
                            EXPECT_EQ(qobject_cast<QComboBox*>(d.GetDlgItem(1019))->currentText(), QStringLiteral("box"));
                            d.SetDlgItemText(1000, "https://example.com/");
                            Choose(d, 1019, 1);
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(like.m_strPage, CString("https://example.com/"));
    EXPECT_EQ(like.m_nLayout, 1);
}

TEST_F(WidgetDialogs, MapValuesInRangeOrNothingStored)
{
    const struct {
        const char* latitude;
        const char* longitude;
        bool accepted;
    } cases[] = {{"90", "-180", true}, {"90.5", "10", false}, {"10", "181", false}, {"abc", "10", false},
                 {"-90", "180", true}};
    for (const auto& c : cases) {
        CGoogleMapItem item;
        item.m_dLatitude = 1.5;
        item.m_dLongitude = 2.5;
        item.m_nZoom = 3;
        DGoogleMap dlg;
        dlg.m_pItem = &item;
        MessageLog log;
        const int result = RunDialog(dlg, [&](CDialog& d) {
            EXPECT_EQ(d.GetDlgItemText(1000), CString("1.5"));
            Choose(d, 1018, 12);
            d.SetDlgItemText(1003, "Our <b>shop</b>");
            d.SetDlgItemText(1000, c.latitude);
            d.SetDlgItemText(1002, c.longitude);
            Screenshot(d, "DGoogleMap");
            PressOk(d);
        });
        EXPECT_EQ(result, c.accepted ? IDOK : IDCANCEL) << c.latitude << " " << c.longitude;
        EXPECT_EQ(log.texts.size(), c.accepted ? 0u : 1u);
        if (c.accepted) {
            EXPECT_DOUBLE_EQ(item.m_dLatitude, std::stod(c.latitude));
            EXPECT_EQ(item.m_nZoom, 12);
            EXPECT_EQ(item.m_strText.ToQString(), QStringLiteral("Our <b>shop</b>"));
        } else {
            EXPECT_DOUBLE_EQ(item.m_dLatitude, 1.5) << "a refused value stores nothing";
            EXPECT_EQ(item.m_nZoom, 3);
            EXPECT_TRUE(item.m_strText.IsEmpty());
        }
    }
}

TEST_F(WidgetDialogs, LocalPicturePathsBecomeFileAddresses)
{
    const struct {
        const char* source;
        const char* path; // what QUrl reads back as the local file; null: unchanged
    } cases[] = {
        {"C:\\My Pictures\\a b.jpg", "/C:/My Pictures/a b.jpg"},
        {"/home/u/pics/#1 100%.png", "/home/u/pics/#1 100%.png"},
        {"/home/u/Bilder/\xC3\xBC" "ber.jpg", "/home/u/Bilder/\xC3\xBC" "ber.jpg"},
        {"https://example.com/a.png", nullptr},
        {"pics/a.png", nullptr},
    };
    for (const auto& c : cases) {
        CExternalImageItem item;
        DExternalImage dlg;
        dlg.m_pItem = &item;
        EXPECT_EQ(RunDialog(dlg,
                            [&](CDialog& d) {
                                d.SetDlgItemText(1021, c.source);
                                PressOk(d);
                            }),
                  IDOK);
        if (!c.path) {
            EXPECT_EQ(item.m_strThirdName, CString(c.source));
            continue;
        }
        const QUrl url(item.m_strThirdName.ToQString());
        EXPECT_TRUE(url.isLocalFile()) << item.m_strThirdName.GetString();
        EXPECT_EQ(url.toLocalFile(), QString::fromUtf8(c.path)) << item.m_strThirdName.GetString();
        EXPECT_FALSE(item.m_strThirdName.ToQString().contains(QLatin1Char(' ')));
    }
    EXPECT_EQ(LocalPathToFileAddress("C:\\My Pictures\\a b.jpg"), CString("file:///C:/My%20Pictures/a%20b.jpg"));
}

TEST_F(WidgetDialogs, ExternalImageSizeEditsFollowTheirModes)
{
    CExternalImageItem item;
    item.m_nWidthStyle = 0;
    item.m_nHeightStyle = 2;
    item.m_nInnerWidth = 321;
    DExternalImage dlg;
    dlg.m_pItem = &item;
    EXPECT_EQ(RunDialog(dlg,
                        [](CDialog& d) {
                            EXPECT_FALSE(d.GetDlgItem(1014)->isEnabled());
                            EXPECT_EQ(d.GetDlgItemText(1014), CString("321"));
                            EXPECT_TRUE(d.GetDlgItem(1025)->isEnabled());
                            Choose(d, 1018, 1);
                            EXPECT_TRUE(d.GetDlgItem(1014)->isEnabled());
                            d.SetDlgItemText(1014, "400");
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(item.m_nWidthStyle, 1);
    EXPECT_EQ(item.m_nInnerWidth, 400);

    DExternalWebsite site;
    site.m_strSource = "https://example.com/";
    EXPECT_EQ(RunDialog(site,
                        [](CDialog& d) {
                            EXPECT_EQ(d.GetDlgItemText(1000), CString("https://example.com/"));
                            d.SetDlgItemText(1000, "https://example.org/");
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(site.m_strSource.ToQString(), QStringLiteral("https://example.org/"));
}

} // namespace

// ---- Flash

namespace {

// An uncompressed movie header: signature, version, length, a frame rectangle in twips,
// frame rate and count.
QByteArray MovieBytes(int widthPx, int heightPx)
{
    QByteArray bits;
    auto put = [&bits](std::uint32_t value, int count) {
        for (int i = count - 1; i >= 0; --i)
            bits.append(char((value >> i) & 1));
    };
    put(15, 5);
    put(0, 15);
    put(std::uint32_t(widthPx * 20), 15);
    put(0, 15);
    put(std::uint32_t(heightPx * 20), 15);
    while (bits.size() % 8)
        bits.append(char(0));
    QByteArray rect;
    for (int i = 0; i < bits.size(); i += 8) {
        int byte = 0;
        for (int k = 0; k < 8; ++k)
            byte = byte * 2 + bits[i + k];
        rect.append(char(byte));
    }
    QByteArray movie = "FWS";
    movie.append(char(6));
    const int length = 8 + int(rect.size()) + 4;
    for (int k = 0; k < 4; ++k)
        movie.append(char((length >> (8 * k)) & 0xFF));
    movie += rect;
    movie += QByteArray("\x00\x0C\x01\x00", 4); // 12 frames a second, one frame
    return movie;
}

QString WriteFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes)
{
    const QString path = dir.filePath(QString::fromUtf8(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

} // namespace

TEST_F(WidgetDialogs, FlashFieldsBothWaysAndViewCode)
{
    CFlashItem item;
    item.m_strName = "Flash1";
    item.m_strThirdName = "https://example.com/movie.swf";
    item.m_nWidth = 500;
    item.m_nHeight = 300;
    CString shown;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
        if (auto* view = dynamic_cast<DCodeView*>(&d)) {
            shown = view->m_strText;
            return IDOK;
        }
        EXPECT_EQ(d.GetDlgItemText(1021), CString("https://example.com/movie.swf"));
        EXPECT_EQ(d.GetDlgItemText(1014), CString("500"));
        Choose(d, 1018, 2);
        d.SetDlgItemText(1014, "640");
        d.SetDlgItemText(1024, "a=1&b=2");
        d.SendNotify(1062, BN_CLICKED);
        return IDCANCEL;
    });
    DFlash dlg;
    dlg.m_pItem = &item;
    dlg.DoModal();
    CDialog::SetModalHook(previous);
    EXPECT_GE(shown.Find("width=\"640\""), 0) << shown.GetString();
    EXPECT_GE(shown.Find("wmode=\"transparent\""), 0) << shown.GetString();
    EXPECT_GE(shown.Find("flashvars=\"a=1&amp;b=2\""), 0) << shown.GetString();
    EXPECT_EQ(item.m_nWidth, 640) << "View Code stored the fields (the opener's scope undoes them on Cancel)";
}

TEST_F(WidgetDialogs, FlashImportTakesAMovieAndRefusesBadOnes)
{
    QTemporaryDir dir;
    const QString good = WriteFile(dir, "intro.swf", MovieBytes(200, 100));
    const QString truncated = WriteFile(dir, "cut.swf", MovieBytes(200, 100).left(6));
    const QString huge = dir.filePath(QStringLiteral("huge.swf"));
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(kMaxFlashImportBytes + 1)); // sparse: no disk taken
    }
    const struct {
        QString path;
        bool imported;
        int width, height;
    } cases[] = {{good, true, 200, 100}, {truncated, true, 500, 300}, {huge, false, 500, 300}};
    for (const auto& c : cases) {
        CFlashItem item;
        item.m_nWidth = 500;
        item.m_nHeight = 300;
        MessageLog log;
        const CFileChooser::DialogHook hook = CFileChooser::SetDialogHook([&](CFileChooser& chooser, bool) {
            chooser.SetSelection(CString(), {CString::FromQString(c.path)});
            return true;
        });
        DFlash dlg;
        dlg.m_pItem = &item;
        RunDialog(dlg, [&](CDialog& d) {
            d.SendNotify(3, BN_CLICKED);
            EXPECT_EQ(d.GetDlgItem(1021)->isEnabled(), !c.imported) << c.path.toStdString();
            EXPECT_EQ(d.GetDlgItemText(1014), CString::Formatted("%d", c.width));
            EXPECT_EQ(d.GetDlgItemText(1025), CString::Formatted("%d", c.height));
            PressOk(d);
        });
        CFileChooser::SetDialogHook(hook);
        EXPECT_EQ(log.texts.size(), c.imported ? 0u : 1u) << (log.texts.empty() ? "" : log.texts[0].GetString());
        EXPECT_EQ(item.m_blob.IsEmpty(), !c.imported);
        EXPECT_EQ(item.m_nWidth, c.width);
        EXPECT_EQ(item.m_nHeight, c.height);
    }
    EXPECT_FALSE(GetProfileString("Current", "FlashFolder", "").IsEmpty()) << "the folder is kept";
}
