// Edit menu on the selection: the clipboard (items and text), Delete, Duplicate, Group,
// Ungroup, Group as Form, Select All, dropped files and the canvas keys, each one undo step.
#include "CommandTestSupport.h"

#include "dialogs/PasteImage.h"
#include "dialogs/SiteListDialogs.h"
#include "controls/DialogKit.h"
#include "model/Page.h"
#include "document/Generate.h"
#include "model/Clipboard.h"
#include "model/PageOutput.h"
#include "support/ExternalTools.h"
#include "model/items/FlashItem.h"
#include "model/items/ImageItem.h"
#include "model/items/InputFieldItem.h"
#include "model/items/TableItem.h"
#include "model/items/TextItem.h"

#include <QtCore/QFile>
#include <QtCore/QMimeData>
#include <QtCore/QTemporaryDir>
#include <QtCore/QUrl>
#include <QtGui/QClipboard>
#include <QtGui/QDropEvent>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QComboBox>
#include <gtest/gtest.h>

#include <cstring>

using namespace edtest;

namespace {

void SetClipboardText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

void SetClipboardItems(const QByteArray& bytes)
{
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(kItemStreamMimeType), bytes);
    QGuiApplication::clipboard()->setMimeData(mime);
}

QByteArray ClipboardItems()
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    return mime ? mime->data(QString::fromLatin1(kItemStreamMimeType)) : QByteArray();
}

bool Enabled(CKJView& view, UINT id)
{
    CCmdUI ui(id);
    UpdateCommand(&view, ui);
    return ui.m_bEnabled;
}

CItem* Named(CItem* item, const char* name)
{
    item->m_strName = name;
    return item;
}

} // namespace

TEST(ClipboardCommands, PastedRecordsEqualTheCopiedButForSerialsAndNames)
{
    EditCanvas c;
    CItem* text = Named(c.Add(ITEM_TEXT, 20, 30, 120, 40), "Text4");
    text->m_strText.SetQString(QStringLiteral("hello"));
    CItem* input = Named(c.Add(ITEM_INPUT_FIELD, 200, 40, 145, 22), "Input9");
    c.LayOut();
    SelectOnly(*c.page, {text, input});
    c.doc.m_nItemCounter = 30;

    ExecuteCommand(&c.view(), ID_EDIT_COPY);
    ASSERT_FALSE(ClipboardItems().isEmpty());
    EXPECT_EQ(c.view().m_nClipboardFlag, 1);
    EXPECT_TRUE(Enabled(c.view(), ID_EDIT_PASTE));
    const size_t undo = c.doc.m_undo.GetCount();
    ExecuteCommand(&c.view(), ID_EDIT_PASTE);
    EXPECT_EQ(c.doc.m_undo.GetCount(), undo + 1);
    EXPECT_STREQ(c.doc.m_undo.GetHead()->m_strDescription.GetString(), "Paste Item");

    const std::vector<CItem*> kids = Children(*c.page);
    ASSERT_EQ(kids.size(), 4u);
    CItem* originals[2] = {text, input};
    const char* names[2] = {"Text30", "Input31"};
    for (int i = 0; i < 2; ++i) {
        CItem* copy = kids[size_t(2 + i)];
        EXPECT_NE(copy->m_nSerial, originals[i]->m_nSerial);
        EXPECT_STREQ(copy->m_strName.GetString(), names[i]);
        EXPECT_TRUE(copy->m_bSelected);
        EXPECT_FALSE(originals[i]->m_bSelected);
        // but for serial, name and selection the records are the same
        copy->m_nSerial = originals[i]->m_nSerial;
        copy->m_strName = originals[i]->m_strName;
        copy->m_bSelected = originals[i]->m_bSelected;
        const auto a = RecordBytes(*originals[i]), b = RecordBytes(*copy);
        EXPECT_EQ(FirstDifference(a, b), -1) << i;
    }
    EXPECT_EQ(c.doc.m_nItemCounter, 32);
}

TEST(ClipboardCommands, CutThenTwoPastesKeepsTheNamesThenRenewsThem)
{
    EditCanvas c;
    CItem* input = Named(c.Add(ITEM_INPUT_FIELD, 10, 10, 145, 22), "Input7");
    input->m_bSelected = 1;
    c.doc.m_nItemCounter = 12;
    EXPECT_TRUE(Enabled(c.view(), ID_EDIT_CUT));

    ExecuteCommand(&c.view(), ID_EDIT_CUT);
    EXPECT_EQ(c.page->GetChildCount(), 0);
    EXPECT_EQ(c.view().m_nClipboardFlag, 0);
    EXPECT_FALSE(Enabled(c.view(), ID_EDIT_CUT)); // nothing selected any more

    ExecuteCommand(&c.view(), ID_EDIT_PASTE);
    ASSERT_EQ(c.page->GetChildCount(), 1);
    EXPECT_STREQ(c.page->GetChild(0)->m_strName.GetString(), "Input7");
    ExecuteCommand(&c.view(), ID_EDIT_PASTE);
    ASSERT_EQ(c.page->GetChildCount(), 2);
    EXPECT_STREQ(c.page->GetChild(1)->m_strName.GetString(), "Input12");
    EXPECT_NE(c.page->GetChild(0)->m_nSerial, c.page->GetChild(1)->m_nSerial);
    EXPECT_EQ(c.doc.m_nItemCounter, 13);
}

TEST(ClipboardCommands, ABlockBeyondTheRightEdgeIsRecentredAcross)
{
    EditCanvas c(600, 400);
    CItem* item = c.Add(ITEM_GROUP, 500, 100, 50, 20);
    item->m_bSelected = 1;
    ExecuteCommand(&c.view(), ID_EDIT_COPY);
    c.page->m_nWidth = 300; // the block now lies wholly right of the page
    ExecuteCommand(&c.view(), ID_EDIT_PASTE);
    CItem* pasted = c.page->GetChild(1);
    // centre 525 goes to 150: dx = -375; the vertical place is inside and stays
    EXPECT_EQ(pasted->m_nX, 125);
    EXPECT_EQ(pasted->m_nY, 100);
}

TEST(ClipboardCommands, DamagedBlocksPasteNothingAndChangeNothing)
{
    EditCanvas c;
    CItem* a = c.Add(ITEM_TEXT, 20, 20);
    c.Add(ITEM_GROUP, 200, 40)->m_bSelected = 1;
    a->m_bSelected = 1;
    ExecuteCommand(&c.view(), ID_EDIT_COPY);
    const QByteArray good = ClipboardItems();
    ASSERT_GT(good.size(), 12);

    std::vector<QByteArray> bad;
    for (int n : {0, 3, 4, 9, int(good.size()) / 2, int(good.size()) - 1})
        bad.push_back(good.left(n));
    for (std::int32_t count : {-1, 3, 0x7FFFFFFF}) {
        QByteArray d = good;
        std::memcpy(d.data(), &count, 4);
        bad.push_back(d);
    }
    QByteArray unknown = good;
    const std::int32_t code = 77;
    std::memcpy(unknown.data() + 4, &code, 4);
    bad.push_back(unknown);

    c.doc.SetModifiedFlag(false);
    const std::vector<BYTE> before = ProjectBytes(c.doc);
    const size_t undo = c.doc.m_undo.GetCount();
    for (const QByteArray& d : bad) {
        MessageLog log;
        SetClipboardItems(d);
        ExecuteCommand(&c.view(), ID_EDIT_PASTE);
        EXPECT_EQ(log.texts.size(), 1u) << d.size();
        EXPECT_EQ(FirstDifference(ProjectBytes(c.doc), before), -1) << d.size();
        EXPECT_EQ(c.doc.m_undo.GetCount(), undo);
        EXPECT_FALSE(c.doc.IsModified());
    }
    // the whole block still pastes
    SetClipboardItems(good);
    ExecuteCommand(&c.view(), ID_EDIT_PASTE);
    EXPECT_EQ(c.page->GetChildCount(), 4);
}

TEST(ClipboardCommands, TextBecomesATableAParagraphATextOrNothing)
{
    struct Case {
        const char* text;
        int type;              // 0: nothing made
        std::vector<const char*> columns;
        std::vector<std::vector<const char*>> rows; // nullptr: no cell
    };
    const Case cases[] = {
        {"a\tb\r\nc\td\r\n", ITEM_TABLE, {"a", "b"}, {{"c", "d"}, {""}}},
        {"a\tb\nc\td", ITEM_TABLE, {"a", "b"}, {{"c", "d"}}}, // a Linux clipboard
        {"a\t\tb\r\nc\t\td", ITEM_TABLE, {"a", "", "b"}, {{"c", "", "d"}}},
        {"one\r\ntwo", ITEM_PARAGRAPH, {}, {}},
        {"one\ntwo", ITEM_PARAGRAPH, {}, {}},
        {"plain words", ITEM_TEXT, {}, {}},
        {"a\tb", 0, {}, {}},
    };
    for (const Case& k : cases) {
        EditCanvas c;
        c.doc.m_nItemCounter = 5;
        SetClipboardText(QString::fromUtf8(k.text));
        ASSERT_TRUE(Enabled(c.view(), ID_EDIT_PASTE));
        const size_t undo = c.doc.m_undo.GetCount();
        ExecuteCommand(&c.view(), ID_EDIT_PASTE);
        if (!k.type) {
            EXPECT_EQ(c.page->GetChildCount(), 0) << k.text;
            EXPECT_EQ(c.doc.m_undo.GetCount(), undo) << k.text;
            continue;
        }
        ASSERT_EQ(c.page->GetChildCount(), 1) << k.text;
        CItem* item = c.page->GetChild(0);
        EXPECT_EQ(item->m_nType, k.type) << k.text;
        EXPECT_TRUE(item->m_bSelected);
        EXPECT_STREQ(c.doc.m_undo.GetHead()->m_strDescription.GetString(), "Paste Text");
        EXPECT_EQ(item->m_nX, (600 - item->m_nWidth) / 2) << k.text;
        if (k.type == ITEM_PARAGRAPH) {
            EXPECT_EQ(item->m_strText.ToQString(), QStringLiteral("one\r\ntwo"));
        }
        if (k.type == ITEM_TEXT) {
            EXPECT_EQ(item->m_strText.ToQString(), QStringLiteral("plain words"));
        }
        if (k.type != ITEM_TABLE)
            continue;
        auto* table = dynamic_cast<CTableItem*>(item);
        ASSERT_TRUE(table);
        EXPECT_STREQ(table->m_strName.GetString(), "Table5");
        ASSERT_EQ(table->m_columns.size(), k.columns.size()) << k.text;
        for (size_t i = 0; i < k.columns.size(); ++i) {
            EXPECT_EQ(table->m_columns[i]->m_strHeader.ToQString(), QString::fromUtf8(k.columns[i])) << k.text;
            EXPECT_EQ(table->m_columns[i]->m_nWidth, 100);
        }
        ASSERT_EQ(table->m_rows.size(), k.rows.size()) << k.text;
        for (size_t r = 0; r < k.rows.size(); ++r)
            for (size_t i = 0; i < size_t(kTableMaxCells); ++i) {
                const CWString* cell = table->m_rows[r]->m_cells[i].get();
                if (i < k.rows[r].size()) {
                    ASSERT_TRUE(cell) << k.text << " " << r << "," << i;
                    EXPECT_EQ(cell->ToQString(), QString::fromUtf8(k.rows[r][i]));
                } else
                    EXPECT_FALSE(cell) << k.text << " " << r << "," << i;
            }
    }
}

TEST(ClipboardCommands, ALineOfThirtyFieldsKeepsTwentyFourCells)
{
    EditCanvas c;
    QStringList fields;
    for (int i = 1; i <= 30; ++i)
        fields << QString::number(i);
    SetClipboardText(fields.join('\t') + "\n" + fields.join('\t'));
    ExecuteCommand(&c.view(), ID_EDIT_PASTE);
    auto* table = dynamic_cast<CTableItem*>(c.page->GetChild(0));
    ASSERT_TRUE(table);
    ASSERT_EQ(table->m_columns.size(), size_t(kTableMaxCells));
    EXPECT_EQ(table->m_columns.back()->m_strHeader.ToQString(), QStringLiteral("24"));
    ASSERT_EQ(table->m_rows.size(), 1u);
    EXPECT_EQ(table->m_rows[0]->m_cells[23]->ToQString(), QStringLiteral("24"));
    // the table reads back as written
    CTableItem back;
    const std::vector<BYTE> bytes = RecordBytes(*table);
    CMemFile file(bytes.data(), bytes.size());
    CArchive ar(&file, CArchive::load);
    EXPECT_NO_THROW(back.Serialize(ar, kVersionMemory));
    EXPECT_EQ(back.m_rows.size(), 1u);
}

TEST(ClipboardCommands, APictureGoesThroughThePasteImageDialog)
{
    EditCanvas c;
    QImage image(40, 20, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(image);
    EXPECT_TRUE(Enabled(c.view(), ID_EDIT_PASTE));
    const int counter = c.doc.m_nImageCounter;
    struct Case { bool ok; const char* name; size_t children; };
    for (const Case k : {Case{false, nullptr, 0}, Case{true, "My Logo", 1}}) {
        SCOPED_TRACE(k.ok ? "OK" : "Cancel");
        const std::vector<BYTE> before = RecordBytes(*c.page);
        CWString shownName;
        int shownWidth = 0;
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
            auto* paste = dynamic_cast<DPasteImage*>(&d);
            if (!paste)
                return IDCANCEL;
            shownName = paste->m_name;
            shownWidth = paste->m_nWidth;
            if (!k.ok)
                return IDCANCEL;
            d.SetDlgItemText(1000, k.name);
            for (int i = 0; i < 3; ++i)
                paste->OnMinus(); // 100 % to 85 %
            qobject_cast<QComboBox*>(d.GetDlgItem(1018))->setCurrentIndex(0); // PNG
            paste->OnOK();
            return d.GetResult();
        });
        ExecuteCommand(&c.view(), ID_EDIT_PASTE);
        CDialog::SetModalHook(previous);
        EXPECT_EQ(shownName.ToQString(), QStringLiteral("image%1").arg(counter)) << "the next picture number, proposed";
        EXPECT_EQ(shownWidth, 40);
        const std::vector<CItem*> kids = Children(*c.page);
        ASSERT_EQ(kids.size(), k.children);
        if (!k.ok) {
            EXPECT_EQ(RecordBytes(*c.page), before);
            EXPECT_EQ(c.doc.m_nImageCounter, counter);
            continue;
        }
        auto* picture = dynamic_cast<CImageItem*>(kids[0]);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->m_strName, CString("my_logo"));
        EXPECT_EQ(picture->m_picture.GetWidth(), 34);
        EXPECT_EQ(picture->m_picture.GetHeight(), 17);
        EXPECT_EQ(c.doc.m_nImageCounter, counter + 1);
        EXPECT_STREQ(c.doc.m_undo.GetHead()->m_strDescription.GetString(), "Paste Image");
    }
}

TEST(ClipboardCommands, DuplicateStepsFromTheCopyBefore)
{
    EditCanvas c;
    CItem* item = c.Add(ITEM_GROUP, 100, 100, 40, 30);
    item->m_bSelected = 1;
    const std::vector<BYTE> before = RecordBytes(*c.page);
    {
        DialogAnswer answer({{1000, "10"}, {1002, "10"}, {1004, "3"}});
        ExecuteCommand(&c.view(), ID_EDIT_DUPLICATE);
        EXPECT_EQ(answer.shown[1000], CString("10")); // the document's step
        EXPECT_EQ(answer.shown[1004], CString("1"));
    }
    const std::vector<CItem*> kids = Children(*c.page);
    ASSERT_EQ(kids.size(), 4u);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(kids[size_t(k)]->GetRect().TopLeft(), CPoint(100 + 10 * k, 100 + 10 * k)) << k;
        EXPECT_EQ(kids[size_t(k)]->m_bPositioned, 1);
        EXPECT_EQ(kids[size_t(k)]->m_bSelected, k == 3 ? 1 : 0) << k;
    }
    EXPECT_STREQ(c.doc.m_undo.GetHead()->m_strDescription.GetString(), "Duplicate");
    c.Undo();
    EXPECT_EQ(FirstDifference(RecordBytes(*c.page), before), -1);

    // a new step is kept; Cancel keeps the project as it was
    {
        DialogAnswer answer({{1000, "-7"}, {1002, "4"}, {1004, "1"}});
        ExecuteCommand(&c.view(), ID_EDIT_DUPLICATE);
    }
    EXPECT_EQ(c.doc.m_nDuplicateDX, -7);
    EXPECT_EQ(c.doc.m_nDuplicateDY, 4);
    c.doc.SetModifiedFlag(false);
    const std::vector<BYTE> project = ProjectBytes(c.doc);
    const size_t undo = c.doc.m_undo.GetCount();
    {
        DialogAnswer answer({{1000, "50"}, {1004, "5"}}, false);
        ExecuteCommand(&c.view(), ID_EDIT_DUPLICATE);
        EXPECT_EQ(answer.opened, 1);
    }
    EXPECT_EQ(FirstDifference(ProjectBytes(c.doc), project), -1);
    EXPECT_EQ(c.doc.m_undo.GetCount(), undo);
    EXPECT_FALSE(c.doc.IsModified());
}

TEST(ClipboardCommands, GroupAndUngroup)
{
    EditCanvas c;
    CItem* a = c.Add(ITEM_GROUP, 100, 100, 50, 20);
    CItem* b = c.Add(ITEM_GROUP, 200, 150, 30, 30);
    Named(c.Add(ITEM_TEXT, 400, 10, 10, 10), "Group5");
    SelectOnly(*c.page, {a, b});
    c.doc.m_nItemCounter = 5;
    c.LayOut(); // as Undo leaves the page
    const std::vector<BYTE> before = RecordBytes(*c.page);
    ASSERT_TRUE(Enabled(c.view(), ID_EDIT_GROUP));
    EXPECT_FALSE(Enabled(c.view(), ID_EDIT_UNGROUP));
    ExecuteCommand(&c.view(), ID_EDIT_GROUP);
    ASSERT_EQ(c.page->GetChildCount(), 2);
    auto* group = dynamic_cast<CGroupItem*>(c.page->GetChild(1));
    ASSERT_TRUE(group);
    EXPECT_STREQ(group->m_strName.GetString(), "Group6"); // Group5 is taken
    EXPECT_EQ(group->GetRect(), CRect(100, 100, 230, 180));
    EXPECT_EQ(group->GetChild(0)->GetRect().TopLeft(), CPoint(0, 0));
    EXPECT_EQ(group->GetChild(1)->GetRect().TopLeft(), CPoint(100, 50));
    EXPECT_TRUE(group->m_bSelected);
    c.Undo();
    EXPECT_EQ(FirstDifference(RecordBytes(*c.page), before), -1);

    // Ungroup: a group at (50, 60) whose child lies at (10, 20)
    EditCanvas u;
    CGroupItem* outer = AddBox(*u.page, 50, 60, 200, 100, 0xFFFFFF);
    CGroupItem* inner = AddBox(*outer, 10, 20, 30, 30, 0x00FF00);
    inner->m_bPositioned = 1;
    outer->m_bSelected = 1;
    ASSERT_TRUE(Enabled(u.view(), ID_EDIT_UNGROUP));
    ExecuteCommand(&u.view(), ID_EDIT_UNGROUP);
    ASSERT_EQ(u.page->GetChildCount(), 1);
    EXPECT_EQ(u.page->GetChild(0), inner);
    EXPECT_EQ(inner->GetRect().TopLeft(), CPoint(60, 80));
    EXPECT_EQ(inner->m_bPositioned, 1);
    EXPECT_TRUE(inner->m_bSelected);
    EXPECT_STREQ(u.doc.m_undo.GetHead()->m_strDescription.GetString(), "Ungroup");
}

TEST(ClipboardCommands, GroupAsFormGrowsTheBoxAndNamesFreeForms)
{
    EditCanvas c;
    CItem* a = c.Add(ITEM_TEXT, 100, 100, 50, 20);
    CItem* b = c.Add(ITEM_TEXT, 200, 150, 30, 30);
    SelectOnly(*c.page, {a, b});
    c.doc.m_nItemCounter = 3;
    ExecuteCommand(&c.view(), ID_EDIT_GROUP_AS_FORM);
    ASSERT_EQ(c.page->GetChildCount(), 1);
    auto* form = dynamic_cast<CGroupItem*>(c.page->GetChild(0));
    ASSERT_TRUE(form);
    EXPECT_EQ(form->m_nType, ITEM_FORM);
    EXPECT_EQ(form->GetRect(), CRect(90, 90, 240, 190));
    EXPECT_EQ(form->m_nWidthMode, 0);
    EXPECT_EQ(form->m_nHeightMode, 0);
    EXPECT_STREQ(form->m_strName.GetString(), "Form3");
    EXPECT_EQ(form->GetChild(0)->GetRect().TopLeft(), CPoint(10, 10));
    EXPECT_EQ(form->GetChild(1)->GetRect().TopLeft(), CPoint(110, 60));
    EXPECT_EQ(c.doc.m_nItemCounter, 4);
    EXPECT_STREQ(c.doc.m_undo.GetHead()->m_strDescription.GetString(), "Group as Form");

    // the next form takes the next number; one selected item is enough for the command
    CItem* d = c.Add(ITEM_TEXT, 400, 300, 20, 20);
    SelectOnly(*c.page, {d});
    EXPECT_FALSE(Enabled(c.view(), ID_EDIT_GROUP_AS_FORM));
    ExecuteCommand(&c.view(), ID_EDIT_GROUP_AS_FORM);
    EXPECT_STREQ(c.page->GetChild(1)->m_strName.GetString(), "Form4");
}

TEST(ClipboardCommands, SelectAllAndDelete)
{
    FlowCanvas c;
    CItem* positioned = c.Add(ITEM_TEXT, 300, 300, 20, 20);
    ExecuteCommand(&c.view(), ID_EDIT_SELECT_ALL);
    EXPECT_EQ(c.view().CountSelected(), 4);
    // positioned only: no re-layout is asked for
    SelectOnly(*c.page, {positioned});
    EXPECT_EQ(c.view().DeleteSelectedItems(), 0);
    SelectOnly(*c.page, {c.f2});
    const std::vector<BYTE> before = RecordBytes(*c.page);
    const int y3 = c.f3->m_nY;
    c.Key(Qt::Key_Delete);
    ASSERT_EQ(c.page->GetChildCount(), 2);
    EXPECT_LT(c.f3->m_nY, y3); // the flow closed up
    EXPECT_STREQ(c.doc.m_undo.GetHead()->m_strDescription.GetString(), "Delete");
    c.Undo();
    EXPECT_EQ(FirstDifference(RecordBytes(*c.page), before), -1);
}

TEST(ClipboardCommands, CanvasKeysCopyCutAndPaste)
{
    EditCanvas c;
    CItem* item = Named(c.Add(ITEM_TEXT, 40, 40, 60, 20), "Text1");
    item->m_bSelected = 1;
    c.Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(ClipboardItems().isEmpty());
    c.Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(c.page->GetChildCount(), 0);
    c.Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(c.page->GetChildCount(), 1);
    EXPECT_STREQ(c.page->GetChild(0)->m_strName.GetString(), "Text1");
    // a disabled command takes its key and does nothing
    c.view().DeselectAll();
    const size_t undo = c.doc.m_undo.GetCount();
    c.Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(c.page->GetChildCount(), 1);
    EXPECT_EQ(c.doc.m_undo.GetCount(), undo);
}

namespace {

// A Flash movie header of 400 x 300 (twips in a 15-bit rectangle).
QByteArray MinimalSwf()
{
    std::vector<int> bits;
    auto put = [&bits](unsigned value, int n) {
        for (int i = n - 1; i >= 0; --i)
            bits.push_back((value >> i) & 1);
    };
    put(15, 5);
    put(0, 15);
    put(8000, 15);
    put(0, 15);
    put(6000, 15);
    QByteArray rect;
    for (size_t i = 0; i < bits.size(); i += 8) {
        int byte = 0;
        for (size_t j = 0; j < 8; ++j)
            byte = (byte << 1) | (i + j < bits.size() ? bits[i + j] : 0);
        rect.append(char(byte));
    }
    QByteArray swf("FWS");
    swf.append(char(6));
    const std::uint32_t length = std::uint32_t(8 + rect.size() + 4);
    swf.append(reinterpret_cast<const char*>(&length), 4);
    swf.append(rect);
    swf.append(QByteArray("\x00\x18\x01\x00", 4));
    return swf;
}

void Drop(CKJView& view, const QStringList& paths)
{
    auto* mime = new QMimeData;
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls << QUrl::fromLocalFile(p);
    mime->setUrls(urls);
    const QPointF at(300, 300);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &enter);
    if (enter.isAccepted()) {
        QDropEvent drop(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &drop);
    }
    delete mime;
}

} // namespace

TEST(ClipboardCommands, DroppedFilesBecomeItemsOrMessages)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::blue);
    const QString png = dir.filePath("Photo.PNG");
    ASSERT_TRUE(image.save(png, "PNG"));
    const QString swf = dir.filePath("movie.swf");
    {
        QFile f(swf);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(MinimalSwf());
    }
    const QString mp3 = dir.filePath("song.mp3");
    QFile(mp3).open(QIODevice::WriteOnly);

    EditCanvas c;
    // a sound alone: its message, and no change at all
    {
        MessageLog log;
        const size_t undo = c.doc.m_undo.GetCount();
        Drop(c.view(), {mp3});
        ASSERT_EQ(log.texts.size(), 1u);
        EXPECT_EQ(log.texts[0], CString("Sound"));
        EXPECT_EQ(c.page->GetChildCount(), 0);
        EXPECT_EQ(c.doc.m_undo.GetCount(), undo);
    }
    const std::vector<BYTE> before = RecordBytes(*c.page);
    MessageLog log;
    Drop(c.view(), {png, mp3, swf});
    EXPECT_EQ(log.texts.size(), 1u);
    ASSERT_EQ(c.page->GetChildCount(), 2);
    CItem* picture = c.page->GetChild(0);
    EXPECT_EQ(picture->m_nType, ITEM_IMAGE);
    EXPECT_EQ(picture->m_nX, (600 - picture->m_nWidth) / 2);
    EXPECT_EQ(picture->m_nY, (400 - picture->m_nHeight) / 2);
    CItem* movie = c.page->GetChild(1);
    EXPECT_EQ(movie->m_nType, ITEM_FLASH);
    EXPECT_TRUE(movie->m_bSelected);
    EXPECT_EQ(c.view().m_drag.mode, 8); // the movie follows the mouse
    c.view().ClearInteraction();
    // one undo step for the whole drop
    c.Undo();
    EXPECT_EQ(FirstDifference(RecordBytes(*c.page), before), -1);

    // a project file is left to the main window
    const QString project = dir.filePath("site.kjproj");
    QFile(project).open(QIODevice::WriteOnly);
    auto* mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(project)});
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&c.view(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    delete mime;
}

TEST(ClipboardCommands, CloneToPageShowsTheItemOnTheTickedPagesOnly)
{
    EditCanvas c;
    CItem* text = c.Add(ITEM_TEXT, 10, 10);
    text->m_bSelected = 1;
    EXPECT_FALSE(Enabled(c.view(), ID_EDIT_CLONE_TO_PAGE)) << "one page has nowhere to clone to";
    CPage* second = AddPage(c.doc, 600, 400, 0xFFFFFF, "second");
    ASSERT_TRUE(Enabled(c.view(), ID_EDIT_CLONE_TO_PAGE));
    struct Step { bool toggle; bool ok; bool cloned; };
    // tick and Cancel, tick and OK, untick and OK
    for (const Step step : {Step{true, false, false}, Step{true, true, true}, Step{true, true, false}}) {
        c.doc.SetModifiedFlag(false);
        second->m_nUploadState = 2;
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
            auto* clone = dynamic_cast<DCloneToPage*>(&d);
            if (!clone)
                return IDCANCEL;
            for (int row = 0; row < clone->List()->GetItemCount(); ++row)
                if (reinterpret_cast<CPage*>(clone->List()->GetItemData(row)) == second && step.toggle)
                    clone->ToggleRow(row);
            if (!step.ok)
                return IDCANCEL;
            clone->OnOK();
            return d.GetResult();
        });
        ExecuteCommand(&c.view(), ID_EDIT_CLONE_TO_PAGE);
        CDialog::SetModalHook(previous);
        EXPECT_EQ(PageHasClone(second, text) != 0, step.cloned);
        EXPECT_EQ(c.doc.IsModified(), step.ok);
        EXPECT_EQ(second->m_nUploadState, step.ok ? 0 : 2);
    }
}

TEST(ClipboardCommands, PagesWithPastedTablesFormsAndZIndexesPassTidy)
{
    EditCanvas c;
    SetClipboardText(QStringLiteral("Name\tPrice <b>\r\nTea & cake\t3\r\n"));
    ExecuteCommand(&c.view(), ID_EDIT_PASTE);
    CItem* a = c.Add(ITEM_INPUT_FIELD, 100, 100, 145, 22);
    CItem* b = c.Add(ITEM_SUBMIT_BUTTON, 100, 140, 80, 24);
    a->m_strName = "field";
    SelectOnly(*c.page, {a, b});
    ExecuteCommand(&c.view(), ID_EDIT_GROUP_AS_FORM);
    c.page->GetChild(0)->m_bSelected = 1; // the table
    {
        DialogAnswer answer({{1000, "4"}});
        ExecuteCommand(&c.view(), ID_ARRANGE_OVERLAPPING);
    }
    c.LayOut();
    CPageOutput out;
    BuildPageHtml(c.doc, c.page, out);
    const QByteArray html(out.m_strFinalPage.GetString());
    EXPECT_TRUE(html.contains("<table")) << html.constData();
    EXPECT_TRUE(html.contains("<form")) << html.constData();
    EXPECT_TRUE(html.contains("z-index:4;")) << html.constData();
    EXPECT_TRUE(html.contains("Tea &amp; cake")) << html.constData();
    EXPECT_EQ(testsupport::TidyErrors(html), QByteArray()) << html.constData();
}

TEST(ClipboardCommands, KeysOnASavedProjectEachOneUndoStep)
{
    // a new project written to disk and opened again, as the user has it
    QTemporaryDir dir;
    const CString path = CString::FromQString(dir.filePath("site.kjproj"));
    {
        CKJDoc fresh;
        ASSERT_TRUE(fresh.OnNewDocument());
        ASSERT_TRUE(fresh.OnSaveDocument(path));
    }
    CKJDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    ASSERT_FALSE(doc.m_pages.empty());
    CPage* page = doc.m_pages.front().get();
    ASSERT_GE(page->GetChildCount(), 1);
    ViewFixture f(doc);
    f.view.SetCurrentPage(page);
    CItem* paragraph = page->GetChild(0);
    auto key = [&f](int k, Qt::KeyboardModifiers mods) {
        QKeyEvent e(QEvent::KeyPress, k, mods);
        QApplication::sendEvent(&f.view, &e);
    };
    f.view.SelectItem(paragraph);
    const int children = page->GetChildCount();

    struct Step {
        int key;
        Qt::KeyboardModifiers mods;
        int childrenAfter;
        const char* undo; // null: no undo step
    };
    const Step steps[] = {
        {Qt::Key_C, Qt::ControlModifier, children, nullptr},
        {Qt::Key_V, Qt::ControlModifier, children + 1, "Paste Item"},
        {Qt::Key_Left, Qt::ControlModifier, children + 1, "Align Left"},
        {Qt::Key_Delete, Qt::NoModifier, children, "Delete"},
        {Qt::Key_X, Qt::ControlModifier, children, nullptr}, // nothing selected: Cut is off
    };
    for (const Step& s : steps) {
        const std::vector<BYTE> before = RecordBytes(*page);
        const size_t undo = doc.m_undo.GetCount();
        key(s.key, s.mods);
        EXPECT_EQ(page->GetChildCount(), s.childrenAfter) << s.key;
        if (!s.undo) {
            EXPECT_EQ(doc.m_undo.GetCount(), undo) << s.key;
            continue;
        }
        ASSERT_EQ(doc.m_undo.GetCount(), undo + 1) << s.key;
        EXPECT_STREQ(doc.m_undo.GetHead()->m_strDescription.GetString(), s.undo);
        // Undo gives the page back, then the step is done again for the next one
        ExecuteCommand(&f.view, ID_EDIT_UNDO);
        EXPECT_EQ(FirstDifference(RecordBytes(*page), before), -1) << s.key;
        f.view.DeselectAll();
        f.view.SelectItem(page->GetChild(page->GetChildCount() - 1));
        key(s.key, s.mods);
    }
    // the project still saves and opens
    EXPECT_TRUE(doc.IsModified());
    const CString again = CString::FromQString(dir.filePath("again.kjproj"));
    ASSERT_TRUE(doc.OnSaveDocument(again));
    CKJDoc reopened;
    EXPECT_TRUE(reopened.OnOpenDocument(again));
    EXPECT_EQ(reopened.m_pages.front()->GetChildCount(), page->GetChildCount());
}

// Copy, Cut, Delete and Duplicate act on the selection: with none they are off, and run
// anyway they leave the clipboard, the undo list and the modified mark alone.
TEST(ClipboardCommands, SelectionCommandsNeedASelection)
{
    EditCanvas c;
    CItem* item = Named(c.Add(ITEM_TEXT, 40, 40, 60, 20), "Text1");
    c.doc.SetModifiedFlag(false);
    const UINT ids[] = {ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_DELETE, ID_EDIT_DUPLICATE};
    for (UINT id : ids)
        EXPECT_FALSE(Enabled(c.view(), id)) << id;
    SetClipboardText(QStringLiteral("kept"));
    int dialogs = 0;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&dialogs](CDialog&) {
        ++dialogs;
        return int(IDOK);
    });
    for (UINT id : ids)
        ExecuteCommand(&c.view(), id);
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(mime);
    EXPECT_EQ(mime->text(), QStringLiteral("kept"));
    EXPECT_TRUE(ClipboardItems().isEmpty());
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(c.page->GetChildCount(), 1);
    EXPECT_TRUE(c.doc.m_undo.IsEmpty());
    EXPECT_FALSE(c.doc.IsModified());
    // the Align entries too
    EXPECT_FALSE(Enabled(c.view(), ID_ARRANGE_LEFT));

    item->m_bSelected = 1;
    for (UINT id : ids)
        EXPECT_TRUE(Enabled(c.view(), id)) << id;
    EXPECT_TRUE(Enabled(c.view(), ID_ARRANGE_LEFT));
    // without a container nothing is
    c.view().m_pContainer = nullptr;
    for (UINT id : ids)
        EXPECT_FALSE(Enabled(c.view(), id)) << id;
    CDialog::SetModalHook(previous);
}

// A dropped picture that cannot be read is named in a message and leaves no undo step and
// no modified mark; a readable one beside it is still one step.
TEST(ClipboardCommands, AnUnreadableDroppedPictureChangesNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString broken = dir.filePath("broken.png");
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture at all");
    }
    EditCanvas c;
    c.doc.SetModifiedFlag(false);
    {
        MessageLog log;
        Drop(c.view(), {broken});
        EXPECT_EQ(log.texts.size(), 1u);
    }
    EXPECT_EQ(c.page->GetChildCount(), 0);
    EXPECT_TRUE(c.doc.m_undo.IsEmpty());
    EXPECT_FALSE(c.doc.IsModified());

    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString good = dir.filePath("good.png");
    ASSERT_TRUE(image.save(good, "PNG"));
    {
        MessageLog log;
        Drop(c.view(), {broken, good});
    }
    EXPECT_EQ(c.page->GetChildCount(), 1);
    ASSERT_EQ(c.doc.m_undo.GetCount(), 1u);
    EXPECT_STREQ(c.doc.m_undo.GetHead()->m_strDescription.GetString(), "Drop Files");
}
