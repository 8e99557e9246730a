// View/Word Count's counting, the size of the generated site, and the export and import
// of the item texts.
#include "DocTestSupport.h"
#include "document/KJDoc.h"
#include "document/Upload.h"
#include "document/WordCount.h"
#include "model/Page.h"
#include "model/PublishContext.h"
#include "model/items/ParagraphItem.h"
#include "model/items/TextItem.h"

#include <gtest/gtest.h>
#include <QtCore/QDirIterator>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

namespace {
CWString Wide(const char* utf8)
{
    CWString s;
    s.FromUtf8(utf8);
    return s;
}

CParagraphItem* AddParagraph(CKJDoc& doc, const char* utf8)
{
    CParagraphItem* p = doc.NewParagraph();
    p->m_strText = Wide(utf8);
    doc.m_pages.front()->AddChild(p);
    return p;
}

QByteArray Bom() { return QByteArray("\xEF\xBB\xBF"); }
} // namespace

TEST(WordCount, CountsCharactersAndWordsAsTheDialogShowsThem)
{
    struct Case {
        const char* text;
        int words;
    } cases[] = {{"Hello  big\tworld", 3}, {"   ", 0}, {"", 0}, {"one", 1}, {" a b ", 2}, {"line\r\nnext", 2}, {"x  \t ", 1}};
    for (const Case& c : cases)
        EXPECT_EQ(CountWords(Wide(c.text)), c.words) << c.text;

    CKJDoc doc;
    doc.ResetToNewSite();
    AddParagraph(doc, "Hello  big\tworld");
    AddParagraph(doc, "    ");
    const CSiteCounts counts = CountSiteTexts(doc);
    EXPECT_EQ(counts.pages, 1);
    EXPECT_EQ(counts.characters, 20);
    EXPECT_EQ(counts.words, 3);
    EXPECT_EQ(counts.images, 0);
    EXPECT_EQ(counts.files, 1);
    EXPECT_EQ(WordCountValues(counts).Left(16), CString("1\r\n20\r\n3\r\n0\r\n1\r\n"));
}

TEST(WordCount, BytesAreTheSumOfTheWrittenFiles)
{
    CKJDoc doc;
    doc.ResetToNewSite();
    doc.SetTitle("Counted");
    AddParagraph(doc, "Some text for the page.");
    std::int64_t bytes = 0;
    ASSERT_TRUE(MeasureSiteBytes(doc, bytes));
    // The same run into a folder of ours, summed from the disk.
    QTemporaryDir dir;
    CPublishContext context("Counted");
    ASSERT_TRUE(GenerateForUpload(doc, context, true, dir));
    std::int64_t onDisk = 0;
    QDirIterator it(dir.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        onDisk += it.fileInfo().size();
    }
    EXPECT_GT(bytes, 0);
    EXPECT_EQ(bytes, onDisk);
}

TEST(WordCount, ExportWritesOneEscapedLinePerText)
{
    CKJDoc doc;
    doc.ResetToNewSite();
    EXPECT_EQ(ExportTextBytes(doc), Bom()) << "a site without texts gives the signature alone";
    CParagraphItem* p = AddParagraph(doc, "First\nSecond");
    CParagraphItem* q = AddParagraph(doc, "a\\nb\tc\r");
    const QByteArray expected = Bom() + "[" + QByteArray::number(p->m_nSerial) + "]=First\\nSecond\r\n\r\n[" +
                                QByteArray::number(q->m_nSerial) + "]=a\\\\nb\\tc\\r\r\n\r\n";
    EXPECT_EQ(ExportTextBytes(doc), expected);
}

TEST(WordCount, ExportImportExportGivesIdenticalBytes)
{
    CKJDoc doc;
    doc.ResetToNewSite();
    const char* texts[] = {"Über den Wolken", "日本語のテキスト", "smile \xF0\x9F\x98\x80 now", "tab\there",
                           "line one\r\nline two\nthree", "back\\slash \\n not a break \\", "=[1]=x"};
    std::vector<CParagraphItem*> items;
    for (const char* t : texts)
        items.push_back(AddParagraph(doc, t));
    const QByteArray first = ExportTextBytes(doc);
    // Clear the texts, import, and export again.
    for (CParagraphItem* p : items)
        p->m_strText = Wide("changed");
    int changed = 0;
    ASSERT_EQ(ImportTextBytes(doc, first, &changed), TextImportResult::Done);
    EXPECT_EQ(changed, int(std::size(texts)));
    for (size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i]->m_strText.ToQString(), QString::fromUtf8(texts[i])) << i;
    EXPECT_EQ(ExportTextBytes(doc), first);

    QTemporaryDir dir;
    CString error;
    const CString path = CString::FromQString(dir.filePath(QStringLiteral("texts.txt")));
    ASSERT_TRUE(ExportTexts(doc, path, &error));
    QFile f(path.ToQString());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), first);
    EXPECT_FALSE(ExportTexts(doc, CString::FromQString(dir.filePath(QStringLiteral("missing/texts.txt"))), &error));
    EXPECT_FALSE(error.IsEmpty());
}

TEST(WordCount, ImportSkipsLinesOutsideTheEntryForm)
{
    CKJDoc doc;
    doc.ResetToNewSite();
    CParagraphItem* p = AddParagraph(doc, "original");
    const QByteArray id = QByteArray::number(p->m_nSerial);
    struct Case {
        QByteArray line;
        const char* result;
    } cases[] = {
        {"[" + id + "]=a=b", "a=b"},
        {"[" + id + "]=tail\r", "tail"},
        {"[x]=a", "original"},
        {"[0]=a", "original"},
        {"[99999999999]=a", "original"},
        {"[" + id + "0000000000000]=a", "original"},
        {"[=" + id + "]=a", "original"},
        {id + "]=a", "original"},
        {"[" + id + "]", "original"},
        {"[123456]=nobody", "original"},
        {"[" + id + "x]=suffix", "suffix"},
    };
    for (const Case& c : cases) {
        p->m_strText = Wide("original");
        ASSERT_EQ(ImportTextBytes(doc, Bom() + c.line + "\n"), TextImportResult::Done);
        EXPECT_EQ(p->m_strText.ToQString(), QString::fromUtf8(c.result)) << c.line.constData();
    }
    p->m_strText = Wide("original");
    EXPECT_EQ(ImportTextBytes(doc, "[" + id + "]=no signature\r\n"), TextImportResult::NotUtf8);
    EXPECT_EQ(p->m_strText.ToQString(), QStringLiteral("original"));
}

TEST(WordCount, ImportIsOneChangeThatEmptiesUndo)
{
    CKJDoc doc;
    doc.ResetToNewSite();
    CParagraphItem* p = AddParagraph(doc, "before");
    doc.RecordUndo(doc.m_pages[0].get(), doc.m_pages[0].get(), p, "Move");
    ASSERT_EQ(doc.m_undo.GetCount(), 1u);
    doc.m_pages[0]->m_nUploadState = 2;
    long hints = 0;
    doc.m_onEdited = [&](long) { ++hints; };
    // Nothing matching: no change at all.
    ASSERT_EQ(ImportTextBytes(doc, Bom() + "[424242]=x\r\n"), TextImportResult::Done);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(hints, 0);
    ASSERT_EQ(ImportTextBytes(doc, Bom() + "[" + QByteArray::number(p->m_nSerial) + "]=after\r\n"), TextImportResult::Done);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(hints, 1);
    EXPECT_EQ(doc.m_undo.GetCount(), 0u);
    EXPECT_EQ(doc.m_pages[0]->m_nUploadState, 0);
}
