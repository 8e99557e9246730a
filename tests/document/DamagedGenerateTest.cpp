// Generation of damaged projects: every project that loads is generated in every mode, and
// the writers must cope with whatever values the file held (the sanitizer build runs this
// and stops at any overflow). Damaged projects are made from a rich project by writing
// extreme 32-bit values across it, and the fuzz seeds of the project and generation
// targets are run too.
#include "DocTestSupport.h"

#include "document/Generate.h"
#include "document/KJDoc.h"
#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "model/Page.h"
#include "model/PublishContext.h"
#include "model/items/ParagraphItem.h"

#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

using namespace doctest;

namespace {

// Loads bytes; false when the file is refused.
bool Load(CKJDoc& doc, const std::vector<BYTE>& bytes)
{
    try {
        LoadFromBytes(doc, bytes);
    } catch (const CException&) {
        return false;
    }
    return true;
}

// Generates in every mode; every file written stays inside the output folder.
void GenerateAllModes(CKJDoc& doc, const QString& folder)
{
    doc.SetTitle("damaged");
    for (int mode : {kPublishEditorPreview, kPublishBrowserPreview, kPublishUpload, kPublishExport}) {
        SCOPED_TRACE(mode);
        const QString site = folder + QStringLiteral("/site");
        CPublishContext context;
        context.m_strOutputFolder = CString::FromQString(site);
        context.m_nMode = mode;
        context.m_bUploadAll = 1;
        CString error;
        try {
            if (!GenerateWebsite(doc, context, &error)) {
                EXPECT_FALSE(error.IsEmpty()) << "a failed run says why";
            }
        } catch (const CException&) {
        }
        const QString root = QFileInfo(site).canonicalFilePath();
        for (const auto& f : context.GetFiles())
            EXPECT_TRUE(QFileInfo(f->m_strLocalPath.ToQString()).absoluteFilePath().startsWith(root))
                << f->m_strLocalPath.GetString();
        QDir(site).removeRecursively();
    }
}

std::vector<BYTE> FileBytes(const QString& path)
{
    const QByteArray b = ReadFileBytes(path);
    return std::vector<BYTE>(b.begin(), b.end());
}

} // namespace

TEST(DamagedGenerate, ExtremeNumbersAnywhereNeverBreakTheWriters)
{
    CKJDoc rich;
    BuildRichProject(rich);
    const std::vector<BYTE> bytes = SaveToBytes(rich);
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const std::int32_t extremes[] = {INT_MAX, INT_MIN, -1, 0x40000000};
    // About 150 damaged projects spread over the whole file.
    const std::size_t step = std::max<std::size_t>(1, bytes.size() / 40);
    int loaded = 0, tried = 0;
    for (std::size_t at = 20; at + 4 <= bytes.size(); at += step) {
        for (std::int32_t v : extremes) {
            SCOPED_TRACE(::testing::Message() << v << " at " << at);
            std::vector<BYTE> damaged = bytes;
            std::memcpy(&damaged[at], &v, 4);
            ++tried;
            CKJDoc doc;
            if (!Load(doc, damaged))
                continue;
            ++loaded;
            GenerateAllModes(doc, out.path());
        }
    }
    EXPECT_GT(loaded, tried / 4) << "most damage is in values, and such projects load";
}

// A paragraph's numbers are bounded where they are read: the line height that once
// overflowed "n * 10 + 100" and negative columns give valid styles.
TEST(DamagedGenerate, ParagraphNumbersAreBoundedWhenRead)
{
    const struct {
        std::int32_t lineHeight, columns, gap;
        int wantLineHeight, wantColumns, wantGap;
    } cases[] = {
        {5, 2, 30, 5, 2, 30},
        {INT_MAX, INT_MAX, INT_MAX, 1000, 99, 100000},
        {-7, -1, -20, 0, 0, 0},
        {INT_MIN, INT_MIN, INT_MIN, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lineHeight);
        CParagraphItem p;
        p.m_nLineHeight = c.lineHeight;
        p.m_nExtraColumns = c.columns;
        p.m_nColumnGap = c.gap;
        CMemFile mem;
        {
            CArchive store(&mem, CArchive::store);
            p.Serialize(store, 92);
            store.Close();
        }
        const std::vector<BYTE> saved = mem.Bytes();
        CMemFile in(saved.data(), saved.size());
        CArchive load(&in, CArchive::load);
        CParagraphItem back;
        back.Serialize(load, 92);
        EXPECT_EQ(back.m_nLineHeight, c.wantLineHeight);
        EXPECT_EQ(back.m_nExtraColumns, c.wantColumns);
        EXPECT_EQ(back.m_nColumnGap, c.wantGap);
    }
}

TEST(DamagedGenerate, FuzzSeedsGenerate)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    int seen = 0;
    for (const char* folder : {"/fuzz/seeds/project", "/fuzz/seeds/generate"}) {
        QDirIterator it(QString::fromLocal8Bit(qgetenv("TESSEL_SOURCE_DIR")) + QLatin1String(folder), QDir::Files);
        while (it.hasNext()) {
            const QString path = it.next();
            SCOPED_TRACE(path.toStdString());
            ++seen;
            CKJDoc doc;
            if (Load(doc, FileBytes(path)))
                GenerateAllModes(doc, out.path());
        }
    }
    EXPECT_GT(seen, 1);
}
