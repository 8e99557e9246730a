// Leaves the sample project in $TESSEL_SAMPLES for outside checks.
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
    QString path = QDir(QString::fromUtf8(folder)).filePath("sample.kjproj");
    CKJDoc doc;
    BuildRichProject(doc);
    ASSERT_TRUE(doc.OnSaveDocument(CString::FromQString(path)));
    CKJDoc back;
    MessageRecorder messages;
    ASSERT_TRUE(back.OnOpenDocument(CString::FromQString(path)));
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(SaveToBytes(back), SaveToBytes(doc));
}
