#include "AppTestSupport.h"
#include "controls/FileChooser.h"
#include "framework/core/Profile.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QAbstractFileIconProvider>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QListView>
#include <QtWidgets/QTreeView>

TEST(FileChooser, MultiSelectionYieldsFolderPlusEachName)
{
    struct Case {
        const char* folder;
        std::vector<CString> names;
        std::vector<CString> paths;
    } cases[] = {
        {"/", {"a", "b", "c"}, {"/a", "/b", "/c"}},
        {"/home/user/sites", {"one.kjproj", "two.kjproj"}, {"/home/user/sites/one.kjproj", "/home/user/sites/two.kjproj"}},
        {"", {"/only/one.kjproj"}, {"/only/one.kjproj"}},
    };
    for (const auto& c : cases) {
        CFileChooser chooser;
        chooser.AddFlags(OFN_ALLOWMULTISELECT);
        chooser.SetSelection(c.folder, c.names);
        EXPECT_EQ(chooser.GetPathNames(), c.paths) << c.folder;
    }
}

TEST(FileChooser, SingleSelectionIsTheWholeBufferThenNull)
{
    CFileChooser chooser;
    chooser.AddFlags(OFN_ALLOWMULTISELECT);
    chooser.SetSelection(CString(), {"/x/y.kjproj"});
    const char* pos = chooser.GetFileBuffer();
    EXPECT_EQ(chooser.GetNextPathName(pos), "/x/y.kjproj");
    EXPECT_EQ(pos, nullptr);
    // Without multi-selection the buffer is one path even when it holds parts.
    CFileChooser plain;
    plain.SetSelection("/x", {"a", "b"});
    pos = plain.GetFileBuffer();
    EXPECT_EQ(plain.GetNextPathName(pos), "/x");
    EXPECT_EQ(pos, nullptr);
}

TEST(FileChooser, FilterBecomesQtForm)
{
    CFileChooser chooser;
    chooser.SetFilter("Images (*.png;*.gif;*.jpg;*.bmp)|*.png;*.gif;*.jpg;*.bmp|All files|*.*||");
    // "*.*" is every file, also one without a dot
    EXPECT_EQ(chooser.QtFilter(), "Images (*.png *.gif *.jpg *.bmp);;All files (*)");
    chooser.SetFilter("");
    EXPECT_EQ(chooser.QtFilter(), "");
}

TEST(FileChooser, OkMakesTheChosenFolderCurrentAndSaveFolderKeepsIt)
{
    ClearProfile();
    QTemporaryDir dir;
    const QString file = dir.path() + "/site.kjproj";
    QFile(file).open(QIODevice::WriteOnly);
    auto previous = CFileChooser::SetDialogHook([&](CFileChooser& c, bool save) {
        EXPECT_FALSE(save);
        c.SetSelection(CString(), {CString::FromQString(file)});
        return true;
    });
    const QString before = QDir::currentPath();
    CFileChooser chooser;
    chooser.LoadFolder("Current", "ProjectFolder");
    EXPECT_TRUE(chooser.GetInitialFolder().IsEmpty());
    ASSERT_EQ(chooser.DoOpen(), 1);
    chooser.SaveFolder("Current", "ProjectFolder");
    EXPECT_EQ(GetProfileString("Current", "ProjectFolder"), CString::FromQString(QDir(dir.path()).canonicalPath()));
    CFileChooser next;
    next.LoadFolder("Current", "ProjectFolder");
    EXPECT_EQ(next.GetInitialFolder(), CString::FromQString(QDir(dir.path()).canonicalPath()));
    CFileChooser::SetDialogHook([](CFileChooser&, bool) { return false; });
    EXPECT_EQ(next.DoSave(), 0);
    CFileChooser::SetDialogHook(previous);
    QDir::setCurrent(before);
}

TEST(FolderBrowser, RefusesMissingFoldersAndLinks)
{
    QTemporaryDir dir;
    const QString real = dir.path() + "/real";
    QDir().mkpath(real);
    const QString link = dir.path() + "/link";
    ASSERT_TRUE(QFile::link(real, link));
    const QString file = dir.path() + "/file.txt";
    QFile(file).open(QIODevice::WriteOnly);
    struct Case {
        QString path;
        bool ok;
    } cases[] = {{real, true}, {link, false}, {dir.path() + "/missing", false}, {file, false}, {"", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(IsChoosableFolder(c.path), c.ok) << c.path.toStdString();
        auto previous = tessel::SetFolderBrowserHook([&](const CString& start, CString& chosen) {
            EXPECT_EQ(start, CString::FromQString(dir.path()));
            chosen = CString::FromQString(c.path);
            return true;
        });
        CString folder = "unchanged";
        EXPECT_EQ(BrowseForFolder(nullptr, CString::FromQString(dir.path()), folder) != 0, c.ok);
        EXPECT_EQ(folder, c.ok ? CString::FromQString(c.path) : CString("unchanged"));
        tessel::SetFolderBrowserHook(previous);
    }
}

TEST(FileChooser, ThumbnailDialogShowsLargeIconsInEveryFolder)
{
    QTemporaryDir dir;
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(dir.path() + "/red.png"));
    DOpenDialog dialog(TRUE, "png", CString(), 0, "Images (*.png)|*.png||");
    dialog.setDirectory(dir.path());
    dialog.OnFolderChange();
    auto* list = dialog.findChild<QListView*>(QStringLiteral("listView"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->viewMode(), QListView::IconMode);
    EXPECT_EQ(list->iconSize(), QSize(64, 64));
    const QIcon icon = dialog.iconProvider()->icon(QFileInfo(dir.path() + "/red.png"));
    const QImage thumb = icon.pixmap(64, 64).toImage();
    ASSERT_FALSE(thumb.isNull());
    EXPECT_EQ(thumb.pixelColor(thumb.width() / 2, thumb.height() / 2), QColor(Qt::red)) << "the picture itself";
}

TEST(FileChooser, TheListShowsWholeNames)
{
    QTemporaryDir dir;
    const QString longName = QStringLiteral("a rather long file name that a narrow column would cut short.txt");
    QFile file(dir.filePath(longName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    CFileChooser chooser;
    chooser.SetFilter("All files (*.*)|*.*||");
    chooser.SetInitialFolder(CString::FromQString(dir.path()));
    int nameWidth = -1, needed = 0;
    // the real dialog, looked at once the folder is read, then cancelled
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* view = dialog ? dialog->findChild<QTreeView*>(QStringLiteral("treeView")) : nullptr;
        if (!view || view->model()->rowCount(view->rootIndex()) == 0)
            return;
        QApplication::processEvents();
        nameWidth = view->columnWidth(0);
        needed = view->fontMetrics().horizontalAdvance(longName);
        dialog->reject();
    });
    poll.start(20);
    EXPECT_EQ(chooser.DoOpen(), 0);
    ASSERT_GT(nameWidth, 0) << "the dialog showed the folder";
    EXPECT_GE(nameWidth, needed) << "the name column holds the whole name";
}
