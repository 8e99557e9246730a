// Leaves the sample site, generated for export from the sample project, in
// $TESSEL_SAMPLES/site for outside checks; the project beside it as sample.kjproj.
#include "DocTestSupport.h"
#include "GenerateTestSupport.h"

#include "document/Generate.h"
#include "document/KJDoc.h"
#include "model/PublishContext.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

#include <gtest/gtest.h>

TEST(Samples, SampleSiteIsGeneratedFromTheSavedProject)
{
    const QByteArray folder = qgetenv("TESSEL_SAMPLES");
    if (folder.isEmpty())
        GTEST_SKIP() << "TESSEL_SAMPLES is not set";
    QDir samples(QString::fromUtf8(folder));
    ASSERT_TRUE(samples.mkpath("."));
    const QString project = samples.filePath("sample.kjproj");
    {
        CKJDoc doc;
        gentest::BuildSampleSite(doc);
        ASSERT_TRUE(doc.OnSaveDocument(CString::FromQString(project)));
    }
    // the site comes from the project as read back, so both samples agree
    CKJDoc doc;
    doctest::MessageRecorder messages;
    ASSERT_TRUE(doc.OnOpenDocument(CString::FromQString(project)));
    gentest::GivePicturesToImages(doc);
    QDir(samples.filePath("site")).removeRecursively();
    CPublishContext context;
    context.m_strOutputFolder = CString::FromQString(samples.filePath("site"));
    context.m_nMode = kPublishExport;
    context.m_bUploadAll = 1;
    CString error;
    ASSERT_EQ(GenerateWebsite(doc, context, &error), 1) << error.GetString();
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_TRUE(QFileInfo::exists(samples.filePath("site/index.php")));
    EXPECT_TRUE(QFileInfo::exists(samples.filePath("site/styles.css")));
    EXPECT_TRUE(QFileInfo::exists(samples.filePath("site/shop/offers/summer.php")));
    for (const auto& f : context.GetFiles())
        EXPECT_TRUE(QFileInfo::exists(f->m_strLocalPath.ToQString())) << f->m_strLocalPath.GetString();
}
