// The Website menu's commands reach the project: export writes the site into the chosen
// folder and opens it; the upload commands have their handlers.
#include "app/AppResources.h"
#include "controls/FileChooser.h"
#include "app/ProjectDocument.h"
#include "model/Page.h"
#include "framework/ui/CmdTarget.h"
#include "framework/ui/Shell.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

TEST(WebsiteCommands, ExportToFolderWritesTheSiteAndOpensIt)
{
    QTemporaryDir dir;
    CProjectDocument doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.SetTitle("My Site");

    const CString chosen = CString::FromQString(dir.path());
    auto oldFolder = tessel::SetFolderBrowserHook([&](const CString&, CString& out) {
        out = chosen;
        return true;
    });
    std::vector<CString> opened;
    auto oldShell = tessel::SetShellHook([&](const CString& target, bool) {
        opened.push_back(target);
        return true;
    });
    EXPECT_TRUE(ExecuteCommand(&doc, ID_EXPORT_TO_FOLDER));
    tessel::SetFolderBrowserHook(oldFolder);
    tessel::SetShellHook(oldShell);

    // The site goes into a folder named after the project, inside the chosen one.
    QDir site(dir.filePath(QStringLiteral("My Site")));
    ASSERT_TRUE(site.exists()) << dir.path().toStdString();
    // The home page under its own file name (a new site's page may be PHP).
    const QString home = doc.Project().m_pages.front()->GetFileName().ToQString();
    EXPECT_TRUE(home.startsWith(QStringLiteral("index.")));
    EXPECT_TRUE(QFile::exists(site.filePath(home))) << site.entryList().join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(QFile::exists(site.filePath(QStringLiteral("styles.css"))));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(QDir(opened[0].ToQString()).canonicalPath(), site.canonicalPath());
    // The folder is remembered in the project.
    EXPECT_EQ(doc.Project().m_strExportFolder.Left(chosen.GetLength()), chosen);
}

TEST(WebsiteCommands, CancelledFolderChoiceWritesNothing)
{
    CProjectDocument doc;
    ASSERT_TRUE(doc.OnNewDocument());
    auto oldFolder = tessel::SetFolderBrowserHook([](const CString&, CString&) { return false; });
    bool opened = false;
    auto oldShell = tessel::SetShellHook([&](const CString&, bool) { return opened = true; });
    ExecuteCommand(&doc, ID_EXPORT_TO_FOLDER);
    tessel::SetFolderBrowserHook(oldFolder);
    tessel::SetShellHook(oldShell);
    EXPECT_FALSE(opened);
}

TEST(WebsiteCommands, UploadCommandsAreHandledByTheProject)
{
    CProjectDocument doc;
    for (UINT id : {ID_WEBSITE_UPLOAD, ID_WEBSITE_UPLOAD_ALL, ID_WEBSITE_LOGIN, ID_WEBSITE_BROWSE, ID_EXPORT_TO_FOLDER})
        EXPECT_TRUE(doc.OnCmdMsg(id, CmdMode::Probe, nullptr)) << id;
}
