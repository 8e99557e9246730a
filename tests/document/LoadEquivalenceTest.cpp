// Loading from a file reads what loading from memory reads, and rendering on demand
// publishes what rendering while loading published: the same projects give byte-identical
// saves and identical generated sites either way.
#include "DocTestSupport.h"
#include "GenerateTestSupport.h"

#include "document/Generate.h"
#include "document/KJDoc.h"
#include "model/PublishContext.h"
#include "model/SiteObject.h"
#include "model/items/ImageItemBase.h"

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>

namespace {

// Every file of a generated site, by its path under the root.
std::map<QString, QByteArray> SiteFiles(const QString& root)
{
    std::map<QString, QByteArray> files;
    for (const QString& path : gentest::FilesUnder(root))
        files[QDir(root).relativeFilePath(path)] = doctest::ReadFileBytes(path);
    return files;
}

std::map<QString, QByteArray> Generate(CKJDoc& doc, const QString& folder)
{
    CPublishContext context;
    context.m_strOutputFolder = CString::FromQString(folder);
    context.m_nMode = kPublishExport;
    context.m_bUploadAll = 1;
    CString error;
    EXPECT_EQ(GenerateWebsite(doc, context, &error), 1) << error.GetString();
    return SiteFiles(folder);
}

// Rendering as loading used to: every look of every item at once.
void RenderEverything(CKJDoc& doc)
{
    CItemList all;
    doc.CollectAllItems(all);
    for (CItem* item : all)
        if (auto* image = dynamic_cast<CImageItemBase*>(item))
            image->EnsureRendered();
}

// Every look rendered and laid out, as once the editor has shown every page: an artistic
// text renders its own size, so a project saved before that stores a stale size, which
// any render replaces.
void Settle(CKJDoc& doc)
{
    CItemList all;
    doc.CollectAllItems(all);
    for (CItem* item : all)
        if (auto* image = dynamic_cast<CImageItemBase*>(item))
            for (int pass = 0; pass < 2; ++pass) {
                image->Render(0);
                image->RecalcLayout();
            }
}

// The rich project with effects that cost the most: shadows, rollovers, a rotation.
void BuildEffectsProject(CKJDoc& doc)
{
    doctest::BuildRichProject(doc);
    CItemList all;
    doc.CollectAllItems(all);
    int n = 0;
    for (CItem* item : all) {
        auto* image = dynamic_cast<CImageItemBase*>(item);
        if (!image)
            continue;
        image->m_nShadowKind = 1;
        image->m_nShadowOffset = 2 + n % 3;
        image->m_nShadowBlur = 2 + n % 5;
        image->m_nShadowTransparency = 10 * (n % 4);
        image->m_crOverShift = (n % 2) ? 0x00A08060u : 0xFF808080u;
        if (n % 3 == 0)
            image->m_dRotation = 15.0;
        ++n;
    }
    gentest::GivePicturesToImages(doc);
}

// A save as of the object counter the project was first saved with (the counter of the
// process grows with every object made since).
std::vector<BYTE> SaveAt(CKJDoc& doc, int counter)
{
    const int now = GetObjectCounter();
    SetObjectCounter(counter);
    std::vector<BYTE> bytes = doctest::SaveToBytes(doc);
    SetObjectCounter(std::max(now, counter));
    return bytes;
}

// Where two saves part: -1 when they are the same bytes.
long FirstDifference(const std::vector<BYTE>& a, const std::vector<BYTE>& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
        if (a[i] != b[i])
            return long(i);
    return a.size() == b.size() ? -1 : long(n);
}

struct ProjectCase {
    const char* name;
    std::function<void(CKJDoc&)> build;
};

TEST(LoadEquivalence, FileAndMemoryLoadsAndLazyRenderingAgree)
{
    const ProjectCase cases[] = {
        {"sample project", doctest::BuildRichProject},
        {"sample site", [](CKJDoc& doc) { gentest::BuildSampleSite(doc); }},
        {"effects", BuildEffectsProject},
    };
    for (const ProjectCase& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath("project.kjproj");
        std::vector<BYTE> bytes;
        int counter = 0;
        {
            CKJDoc original;
            c.build(original);
            Settle(original);
            counter = GetObjectCounter();
            bytes = doctest::SaveToBytes(original);
            ASSERT_TRUE(original.OnSaveDocument(CString::FromQString(path)));
        }
        const QByteArray onDisk = doctest::ReadFileBytes(path);
        ASSERT_EQ(std::size_t(onDisk.size()), bytes.size());
        ASSERT_EQ(std::memcmp(onDisk.data(), bytes.data(), bytes.size()), 0);

        doctest::MessageRecorder messages;
        CKJDoc fromFile; // renders on demand
        ASSERT_TRUE(fromFile.OnOpenDocument(CString::FromQString(path)));
        CKJDoc fromMemory;
        doctest::LoadFromBytes(fromMemory, bytes);
        RenderEverything(fromMemory); // renders as loading did
        EXPECT_TRUE(messages.texts.empty());

        // What a project saves once loaded, whether the looks were rendered at the load
        // or not, from a file or from memory; and loading that again saves it again.
        const std::vector<BYTE> once = SaveAt(fromFile, counter);
        EXPECT_EQ(FirstDifference(SaveAt(fromMemory, counter), once), -1);
        {
            const QString again = dir.filePath("again.kjproj");
            ASSERT_TRUE(fromFile.OnSaveDocument(CString::FromQString(again)));
            CKJDoc reread;
            ASSERT_TRUE(reread.OnOpenDocument(CString::FromQString(again)));
            EXPECT_EQ(FirstDifference(SaveAt(reread, counter), once), -1);
        }

        gentest::GivePicturesToImages(fromFile);
        gentest::GivePicturesToImages(fromMemory);
        const auto lazySite = Generate(fromFile, dir.filePath("lazy"));
        const auto eagerSite = Generate(fromMemory, dir.filePath("eager"));
        ASSERT_FALSE(lazySite.empty());
        ASSERT_EQ(lazySite.size(), eagerSite.size());
        for (const auto& [name, content] : lazySite) {
            auto other = eagerSite.find(name);
            ASSERT_NE(other, eagerSite.end()) << name.toStdString();
            EXPECT_EQ(content, other->second) << name.toStdString();
        }
        // Generating renders what it publishes; a save afterwards is still the same bytes.
        EXPECT_EQ(FirstDifference(SaveAt(fromFile, counter), SaveAt(fromMemory, counter)), -1);
    }
}

} // namespace
