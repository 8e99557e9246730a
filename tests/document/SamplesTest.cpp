// Leaves the rich sample project in $TESSEL_SAMPLES (rich.kjproj) for outside checks;
// sample.kjproj there is the project of the sample site (GenerateSamplesTest.cpp).
#include "DocTestSupport.h"

#include "document/KJDoc.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

#include <gtest/gtest.h>

using namespace doctest;

TEST(Samples, SampleProjectIsSavedAndReadsBack)
{
    QByteArray folder = qgetenv("TESSEL_SAMPLES");
    if (folder.isEmpty())
        GTEST_SKIP() << "TESSEL_SAMPLES is not set";
    ASSERT_TRUE(QDir().mkpath(QString::fromUtf8(folder)));
    QString path = QDir(QString::fromUtf8(folder)).filePath("rich.kjproj");
    CKJDoc doc;
    BuildRichProject(doc);
    ASSERT_TRUE(doc.OnSaveDocument(CString::FromQString(path)));
    CKJDoc back;
    MessageRecorder messages;
    ASSERT_TRUE(back.OnOpenDocument(CString::FromQString(path)));
    EXPECT_TRUE(messages.texts.empty());
    // the same objects come back, each with its type and serial
    CItemList a, b;
    doc.CollectAllItems(a);
    back.CollectAllItems(b);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i]->m_nType, b[i]->m_nType) << i;
        EXPECT_EQ(a[i]->m_nSerial, b[i]->m_nSerial) << i;
    }
    EXPECT_EQ(SaveToBytes(back).size(), SaveToBytes(doc).size());
}
