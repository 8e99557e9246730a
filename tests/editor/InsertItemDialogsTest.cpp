// The Insert and Form commands that wait for the gallery, table, slider, form and small
// item dialogs: enabled, each dialog filled as a user does, one undo step on OK, the
// project byte-identical on Cancel; Send Form Data To through its real dialog.
#include "FormatTestSupport.h"
#include "InsertTestSupport.h"

#include "dialogs/FormDialogs.h"
#include "framework/core/Profile.h"
#include "dialogs/GalleryDialogs.h"
#include "dialogs/SliderDialogs.h"
#include "dialogs/TableDialogs.h"
#include "dialogs/TextMediaDialogs.h"
#include "model/items/EmailItem.h"
#include "model/items/FormItem.h"
#include "model/items/ShapeItem.h"
#include "model/items/VideoStreamItem.h"
#include "model/items/YouTubeItem.h"
#include "tests/support/ExternalTools.h"

#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QRadioButton>

namespace {
using namespace instest;

void Click(CDialog& d, int id) { qobject_cast<QAbstractButton*>(d.GetDlgItem(id))->click(); }
// A list entry chosen as the user chooses it (the dialog hears of it).
void Choose(CDialog& d, int id, int index)
{
    auto* box = qobject_cast<QComboBox*>(d.GetDlgItem(id));
    box->setCurrentIndex(index);
    emit box->activated(index);
}

// OK as the user presses it; a dialog that refuses stays open and counts as Cancel.
int PressOk(CDialog& d)
{
    d.OnOK();
    return d.IsEnded() ? d.GetResult() : IDCANCEL;
}

// The e-mail insert remembers the address in the profile: each test leaves it as it was
// (an address never stored reads as the insert's own default, and is put back as that).
struct KeptEmail {
    const CString saved = GetProfileString("Current", "Email", "name@example.org");
    ~KeptEmail() { WriteProfileString("Current", "Email", saved); }
};

struct ItemCanvas : FormatCanvas {
    KeptEmail keptEmail;
    ItemCanvas()
    {
        LayOut();
        SetUploaded();
    }
    CItem* Last() { return page->GetChildCount() ? page->GetChild(page->GetChildCount() - 1) : nullptr; }
};

} // namespace

TEST(InsertItemDialogs, EachCommandMakesItsItemOnOkAndLeavesTheProjectOnCancel)
{
    const struct {
        UINT id;
        int type;
        bool namedFirst; // the name is drawn before the dialog and stays used
    } cases[] = {
        {ID_INSERT_TEXT, ITEM_TEXT, true},           {ID_INSERT_PREFORMATTED, ITEM_PREFORMATTED_TEXT, false},
        {ID_INSERT_SHAPE, ITEM_SHAPE, false},        {ID_INSERT_TAB, ITEM_SHAPE, false},
        {ID_INSERT_GRADIENT, ITEM_SHAPE, false},     {ID_INSERT_YOUTUBE, ITEM_YOUTUBE, false},
        {ID_INSERT_VIDEO, ITEM_VIDEO_STREAM, false}, {ID_INSERT_EMAIL, ITEM_EMAIL, false},
    };
    for (const auto& k : cases) {
        for (bool ok : {false, true}) {
            SCOPED_TRACE(testing::Message() << k.id << (ok ? " OK" : " Cancel"));
            ItemCanvas c;
            EXPECT_TRUE(c.Enabled(k.id));
            if (k.namedFirst)
                ++c.doc.m_nItemCounter; // what the project holds after the drawn name
            const std::vector<BYTE> before = c.Bytes();
            if (k.namedFirst)
                --c.doc.m_nItemCounter;
            int dialogs = 0;
            Modal answer([&](CDialog& d) {
                ++dialogs;
                return ok ? PressOk(d) : IDCANCEL;
            });
            c.Run(k.id);
            EXPECT_EQ(dialogs, 1);
            if (!ok) {
                EXPECT_EQ(c.Bytes(), before) << "the project file is byte-identical";
                EXPECT_TRUE(c.doc.m_undo.IsEmpty());
                EXPECT_FALSE(c.doc.IsModified());
                continue;
            }
            ASSERT_EQ(c.page->GetChildCount(), 1);
            EXPECT_EQ(c.Last()->m_nType, k.type);
            EXPECT_EQ(c.doc.m_undo.GetCount(), 1u);
            EXPECT_TRUE(c.doc.IsModified());
            EXPECT_EQ(c.page->m_nUploadState, 0);
        }
    }
}

TEST(InsertItemDialogs, TheDialogsValuesReachTheNewItem)
{
    ItemCanvas c;
    Modal answer([](CDialog& d) {
        if (dynamic_cast<DYouTube*>(&d)) {
            d.SetDlgItemText(1000, "https://www.youtube.com/watch?v=abc&t=10");
            d.SetDlgItemText(1003, "autoplay=1");
            d.SetDlgItemText(1001, "640");
            d.SetDlgItemText(1002, "360");
        } else if (dynamic_cast<DVideoStream*>(&d)) {
            EXPECT_EQ(d.GetDlgItemText(1001), "445");
            EXPECT_EQ(d.GetDlgItemText(1002), "364");
            d.SetDlgItemText(1000, "https://example.org/v.mp4");
            d.CheckDlgButton(1003, 0);
        } else if (dynamic_cast<DShape*>(&d)) {
            Choose(d, 1018, 1);
            d.SetDlgItemText(1001, "240");
            d.SetDlgItemText(1002, "120");
        } else if (dynamic_cast<DEmail*>(&d)) {
            d.SetDlgItemText(1001, "me@example.org");
            d.SetDlgItemText(1002, "Hello");
        }
        return PressOk(d);
    });
    c.Run(ID_INSERT_YOUTUBE);
    auto* video = dynamic_cast<CYouTubeItem*>(c.Last());
    ASSERT_TRUE(video);
    EXPECT_EQ(video->m_strVideoId, "abc");
    EXPECT_EQ(video->m_strParameters, "autoplay=1");
    EXPECT_EQ(video->m_nWidth, 640);
    EXPECT_EQ(video->m_nHeight, 360);

    c.Run(ID_INSERT_VIDEO);
    auto* stream = dynamic_cast<CVideoStreamItem*>(c.Last());
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->m_strThirdName, "https://example.org/v.mp4");
    EXPECT_EQ(stream->m_bAutoStart, 0);
    EXPECT_EQ(stream->m_bShowController, 1);
    EXPECT_EQ(stream->m_nWidth, 445);

    c.Run(ID_INSERT_SHAPE);
    auto* shape = dynamic_cast<CShapeItem*>(c.Last());
    ASSERT_TRUE(shape);
    EXPECT_EQ(shape->m_nFrameShape, 1);
    EXPECT_EQ(shape->m_nRenderWidth, 240);
    EXPECT_EQ(shape->m_nHeight, 120);

    c.Run(ID_INSERT_EMAIL);
    auto* mail = dynamic_cast<CEmailItem*>(c.Last());
    ASSERT_TRUE(mail);
    EXPECT_EQ(mail->m_strAddress, "me@example.org");
    EXPECT_EQ(mail->m_strSubject, "Hello");
    EXPECT_EQ(c.page->GetChildCount(), 4);
    EXPECT_EQ(testsupport::TidyErrors(QByteArray(c.PageHtmlNow().GetString())), QByteArray());
}

// A size refused by the YouTube or Shape dialog keeps it open: the user cancels then and
// nothing was inserted.
TEST(InsertItemDialogs, ARefusedSizeInsertsNothing)
{
    for (UINT id : {ID_INSERT_YOUTUBE, ID_INSERT_SHAPE}) {
        SCOPED_TRACE(id);
        ItemCanvas c;
        const std::vector<BYTE> before = c.Bytes();
        Messages said;
        Modal answer([](CDialog& d) {
            d.SetDlgItemText(1001, "3001");
            d.OnOK();
            EXPECT_FALSE(d.IsEnded());
            d.OnCancel();
            return d.GetResult();
        });
        c.Run(id);
        EXPECT_EQ(said.texts.size(), 1u) << "the range is named";
        EXPECT_EQ(c.Bytes(), before);
        EXPECT_TRUE(c.doc.m_undo.IsEmpty());
    }
}

TEST(InsertItemDialogs, GalleryFromItsDialogWaitsForPicturesAndFitsThem)
{
    QTemporaryDir dir;
    ItemCanvas c;
    EXPECT_TRUE(c.Enabled(ID_INSERT_GALLERY));
    Files files({WritePicture(dir, "wide.png", 1200, 400), WritePicture(dir, "small.png", 100, 60)});
    Modal answer([](CDialog& d) {
        EXPECT_NE(dynamic_cast<DInsertGallery*>(&d), nullptr);
        EXPECT_FALSE(d.GetDlgItem(IDOK)->isEnabled()) << "no picture yet";
        Click(d, 1025);
        EXPECT_TRUE(d.GetDlgItem(IDOK)->isEnabled());
        Choose(d, 1036, 2); // Small (300 x 200)
        return PressOk(d);
    });
    c.Run(ID_INSERT_GALLERY);
    auto* gallery = dynamic_cast<CGalleryItem*>(c.Last());
    ASSERT_TRUE(gallery);
    ASSERT_EQ(gallery->m_pictures.size(), 2u);
    EXPECT_EQ(gallery->m_pictures[0]->m_picture.GetWidth(), 300);
    EXPECT_EQ(gallery->m_pictures[0]->m_picture.GetHeight(), 100);
    EXPECT_EQ(gallery->m_pictures[1]->m_picture.GetWidth(), 100) << "a small picture keeps its size";
    for (const auto& p : gallery->m_pictures)
        EXPECT_TRUE(p->m_pLinked) << "every picture has its thumbnail";
    EXPECT_EQ(c.doc.m_undo.GetCount(), 1u);
}

TEST(InsertItemDialogs, SliderFromItsDialogWaitsForPictures)
{
    QTemporaryDir dir;
    ItemCanvas c;
    Files files({WritePicture(dir, "a.png", 400, 200), WritePicture(dir, "b.png", 400, 200)});
    Modal answer([](CDialog& d) {
        EXPECT_NE(dynamic_cast<DNewSlider*>(&d), nullptr);
        EXPECT_FALSE(d.GetDlgItem(IDOK)->isEnabled());
        Click(d, 3);
        EXPECT_TRUE(d.GetDlgItem(IDOK)->isEnabled());
        d.SetDlgItemText(1000, "400");
        d.SetDlgItemText(1001, "200");
        d.CheckDlgButton(1002, 0);
        return PressOk(d);
    });
    c.Run(ID_INSERT_SLIDER);
    auto* slider = dynamic_cast<CSliderItem*>(c.Last());
    ASSERT_TRUE(slider);
    EXPECT_EQ(slider->m_nWidth, 400);
    ASSERT_EQ(slider->m_frames.size(), 2u);
    EXPECT_EQ(slider->m_frames[0]->GetChildCount(), 1) << "no descriptions";
}

TEST(InsertItemDialogs, TableFromItsDialog)
{
    const struct {
        int columns, rows;
        std::size_t expectColumns, expectRows;
    } cases[] = {{0, 0, 1, 0}, {23, 2, 24, 2}, {4, 4, 5, 4}};
    for (const auto& k : cases) {
        ItemCanvas c;
        Modal answer([&](CDialog& d) {
            EXPECT_EQ(d.GetDlgItemText(1000), "Table5");
            d.SetDlgItemText(1000, "Prices");
            Choose(d, 1018, k.columns);
            Choose(d, 1019, k.rows);
            return PressOk(d);
        });
        c.doc.m_nItemCounter = 5;
        c.Run(ID_INSERT_TABLE);
        auto* table = dynamic_cast<CTableItem*>(c.Last());
        ASSERT_TRUE(table);
        EXPECT_EQ(table->m_strName, "Prices");
        EXPECT_EQ(table->m_columns.size(), k.expectColumns);
        EXPECT_EQ(table->m_rows.size(), k.expectRows);
    }
}

TEST(InsertItemDialogs, NewFormIsBlankOrHasTheCheckedFields)
{
    std::size_t blankChildren = 0;
    const struct {
        bool addFields;
        bool moreThanBlank;
    } cases[] = {{false, false}, {true, true}};
    for (const auto& k : cases) {
        ItemCanvas c;
        Modal answer([&](CDialog& d) {
            for (int id : {1001, 1010})
                EXPECT_FALSE(d.GetDlgItem(id)->isEnabled()) << "a blank form offers no fields";
            qobject_cast<QRadioButton*>(d.GetDlgItem(1044))->click();
            d.CheckDlgButton(1001, 1);
            d.CheckDlgButton(1010, 1);
            if (!k.addFields)
                qobject_cast<QRadioButton*>(d.GetDlgItem(1043))->click();
            return PressOk(d);
        });
        c.Run(ID_FORM_NEW);
        auto* form = dynamic_cast<CFormItem*>(c.Last());
        ASSERT_TRUE(form);
        const std::size_t children = std::size_t(form->GetChildCount());
        if (!k.addFields)
            blankChildren = children;
        else
            EXPECT_GE(children, blankChildren + 4) << "two labels and two fields";
    }
}

TEST(InsertItemDialogs, SendFormDataToRunsItsDialogInOneStep)
{
    ItemCanvas c;
    CItem* form = c.Add(ITEM_FORM, 10, 10, 400, 200);
    c.LayOut();
    c.SetUploaded();
    c.Select({form});
    EXPECT_TRUE(c.Enabled(ID_FORM_SEND_TO));
    const std::vector<BYTE> before = c.Bytes();
    c.Answer<DSendForm>([](DSendForm& d) { qobject_cast<QRadioButton*>(d.GetDlgItem(1045))->click(); }, false);
    c.Run(ID_FORM_SEND_TO);
    EXPECT_EQ(c.Bytes(), before) << "Cancel changes nothing";
    c.Answer<DSendForm>(
        [](DSendForm& d) {
            qobject_cast<QRadioButton*>(d.GetDlgItem(1046))->click();
            d.SetDlgItemText(1004, "forms@example.org");
        },
        true);
    c.Run(ID_FORM_SEND_TO);
    form = c.page->GetChild(0);
    EXPECT_EQ(form->m_link.m_nKind, 3);
    EXPECT_EQ(form->m_link.m_strEmail, "forms@example.org");
    EXPECT_EQ(c.doc.m_undo.GetCount(), 1u);
}
