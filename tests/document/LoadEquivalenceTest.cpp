// Loading from a file reads what loading from memory reads, and rendering on demand
// publishes what rendering while loading published: the same projects give byte-identical
// saves and identical generated sites either way.
#include "DocTestSupport.h"
#include "GenerateTestSupport.h"

#include "document/Generate.h"
#include "document/KJDoc.h"
#include "model/PublishContext.h"
#include "model/SiteObject.h"
#include "model/items/ImageCloneItem.h"
#include "model/items/ImageItemBase.h"
#include "model/items/LinkItem.h"
#include "model/HeaderFooterItem.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "model/Picture.h"
#include "model/TextStyle.h"

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
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

std::vector<BYTE> SaveAt(CKJDoc& doc, int counter)
{
    return doctest::SaveAtCounter(doc, counter);
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


// What a page, an item or a fill points at once ids are resolved, in one comparable list.
std::vector<const void*> ResolvedPointers(CKJDoc& doc)
{
    std::vector<const void*> out;
    CItemList all;
    doc.CollectAllItems(all);
    for (CItem* i : all) {
        out.push_back(i->m_pStyleClass);
        out.push_back(i->m_pBaseStyle);
        if (auto* clone = dynamic_cast<CImageCloneItem*>(i))
            out.push_back(clone->m_pSource);
    }
    doc.ForEachFill([&](CFillStyle& fill) { out.push_back(fill.m_pPicture); });
    for (auto& p : doc.m_pages) {
        for (const void* q : {static_cast<const void*>(p->m_pHeaderBand), static_cast<const void*>(p->m_pFooterBand),
                 static_cast<const void*>(p->m_pMaster1), static_cast<const void*>(p->m_pMaster2),
                 static_cast<const void*>(p->m_pParent)})
            out.push_back(q);
        out.push_back(reinterpret_cast<const void*>(p->m_clones.size()));
        for (CItem* c : p->m_clones)
            out.push_back(c);
        for (int id : p->m_cloneIds)
            out.push_back(reinterpret_cast<const void*>(std::intptr_t(id)));
    }
    return out;
}

// Opening resolves every stored id in one walk over the items; the separate steps the
// editor runs after its own changes must find nothing left to change, in the pointers,
// the layout or the saved bytes.
TEST(LoadEquivalence, OneWalkAfterReadingResolvesWhatTheSeparateStepsResolve)
{
    CKJDoc original;
    gentest::BuildSampleSite(original);
    CPicture* texture = original.m_textures.front().get();
    texture->m_nPictureId = 4242;
    CItemList all;
    original.CollectAllItems(all);
    CItem* image = nullptr;
    CImageCloneItem* clone = nullptr;
    for (CItem* i : all) {
        if (!image && i->m_nType == ITEM_IMAGE)
            image = i;
        if (!clone)
            clone = dynamic_cast<CImageCloneItem*>(i);
    }
    ASSERT_TRUE(image && clone);
    clone->m_nSourceId = image->m_nSerial;
    // a page showing an item of another page
    PageAddClone(original.m_pages.front().get(), image);
    // pictures named by fills of a page, a band, an item and a link's hover
    original.m_pages.front()->m_pFill->m_nPictureId = 4242;
    original.m_pages.front()->m_pFill->m_nKind = CFillStyle::KindPicture;
    original.m_headerBands.front()->m_pFill->m_nPictureId = 4242;
    image->m_pFill->m_nPictureId = 4242;
    for (CItem* i : all)
        if (auto* link = dynamic_cast<CLinkItem*>(i)) {
            link->m_hoverFill.Edit().m_nPictureId = 4242;
            link->m_strClass = original.m_styleClasses.front()->m_strName;
            break;
        }
    // a fill that names a missing picture keeps its id and resolves to nothing
    all.back()->m_pFill->m_nPictureId = 999;
    all.back()->m_pFill->m_nKind = CFillStyle::KindPicture;
    Settle(original);
    const int counter = GetObjectCounter();
    const std::vector<BYTE> bytes = doctest::SaveToBytes(original);

    CKJDoc doc;
    ASSERT_TRUE(doctest::OpenBytes(doc, bytes));
    const std::vector<const void*> opened = ResolvedPointers(doc);
    const std::vector<BYTE> openedSave = SaveAt(doc, counter);
    // the case reaches what it is about: resolved pictures, a class, a clone's source,
    // bands and a master
    int pictures = 0;
    doc.ForEachFill([&](CFillStyle& fill) { pictures += fill.m_pPicture == doc.m_textures.front().get() ? 1 : 0; });
    EXPECT_EQ(pictures, 4);
    CItemList loaded;
    doc.CollectAllItems(loaded);
    int classes = 0, sources = 0;
    for (CItem* i : loaded) {
        classes += i->m_pStyleClass != nullptr ? 1 : 0;
        if (auto* c = dynamic_cast<CImageCloneItem*>(i))
            sources += c->m_pSource != nullptr && c->m_pSource->m_nType == ITEM_IMAGE ? 1 : 0;
    }
    EXPECT_EQ(classes, 1);
    EXPECT_GE(sources, 1);
    EXPECT_NE(doc.m_pages.front()->m_pMaster1, nullptr);
    EXPECT_NE(doc.m_pages.front()->m_pHeaderBand, nullptr);
    EXPECT_TRUE(std::any_of(doc.m_pages.begin(), doc.m_pages.end(), [](const auto& p) { return !p->m_clones.empty(); }));

    for (auto& p : doc.m_pages)
        doc.FixupPageAfterLoad(p.get());
    doc.ForEachFill([&](CFillStyle& fill) {
        if (fill.m_nPictureId)
            fill.m_pPicture = doc.FindItemByRef(fill.m_nPictureId);
    });
    for (auto& c : doc.m_styleClasses)
        c->ConnectPictures([&](int id) { return doc.FindItemByRef(id); });
    doc.UpdateItemLinks();
    doc.BindItemClasses();
    doc.ApplyPageWidth();
    EXPECT_EQ(ResolvedPointers(doc), opened);
    EXPECT_EQ(FirstDifference(SaveAt(doc, counter), openedSave), -1);
}

} // namespace
