// The small document services the editor commands and property dialogs share: names from
// the counters, texture deletion, safe item names.
#include "DocTestSupport.h"

#include "model/FillStyle.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "model/Picture.h"
#include "model/TextStyle.h"
#include "model/items/LinkItem.h"

#include <gtest/gtest.h>

#include <memory>

using namespace doctest;

namespace {

CItem* AddNamed(CPage& page, int type, const char* name)
{
    CItem* item = CreateItem(type);
    item->m_strName = name;
    page.AddChild(item);
    return item;
}

TEST(NameCounter, SkipsNumbersAnotherItemBears)
{
    CKJDoc doc;
    CPage* page = doc.AddPage(nullptr, nullptr);
    AddNamed(*page, ITEM_INPUT_FIELD, "Input3");
    AddNamed(*page, ITEM_INPUT_FIELD, "Input4");
    AddNamed(*page, ITEM_LINK, "Map5");
    doc.m_nItemCounter = 3;
    EXPECT_EQ(doc.TakeItemName("Input%d"), CString("Input5"));
    EXPECT_EQ(doc.m_nItemCounter, 6);
    // "Map5" is taken but the counter has passed it already
    EXPECT_EQ(doc.TakeItemName("Map%d"), CString("Map6"));
    EXPECT_EQ(doc.m_nItemCounter, 7);
    doc.m_nItemCounter = 5;
    EXPECT_EQ(doc.TakeItemName("Map%d"), CString("Map6"));
}

TEST(NameCounter, TexturesAndClassesSkipNamesInTheirLists)
{
    CKJDoc doc;
    auto texture = std::make_unique<CPicture>();
    texture->m_strName = "Texture1";
    doc.m_textures.push_back(std::move(texture));
    EXPECT_EQ(doc.TakeTextureName(), CString("Texture2"));
    EXPECT_EQ(doc.TakeTextureName(), CString("Texture3"));

    const int kind = 1;
    const CString first = CStyleClass(kind, 1).m_strName;
    ASSERT_FALSE(first.IsEmpty());
    doc.m_styleClasses.push_back(std::make_unique<CStyleClass>(kind, 1));
    EXPECT_EQ(doc.TakeClassNumber(kind), 2);
    EXPECT_EQ(doc.m_nClassCounter, 3);
}

TEST(DeleteTexture, ClearsEveryFillThatShowsItInOneChange)
{
    CKJDoc doc;
    CPage* page = doc.AddPage(nullptr, nullptr);
    auto owned = std::make_unique<CPicture>();
    CPicture* texture = owned.get();
    doc.m_textures.push_back(std::move(owned));
    auto other = std::make_unique<CPicture>();
    CPicture* kept = other.get();
    doc.m_textures.push_back(std::move(other));

    auto show = [](CFillStyle& fill, CPicture* picture) {
        fill.m_nKind = CFillStyle::KindPicture;
        fill.m_pPicture = picture;
        fill.m_nPictureId = picture->m_nSerial;
    };
    CItem* group = CreateItem(ITEM_GROUP);
    page->AddChild(group);
    show(*group->m_pFill, texture);
    auto* link = static_cast<CLinkItem*>(CreateItem(ITEM_LINK));
    page->AddChild(link);
    show(link->m_hoverFill.Edit(), texture);
    show(*page->m_pFill, kept);
    show(doc.m_websiteBackground, texture);
    doc.m_styleClasses.push_back(std::make_unique<CStyleClass>(1, 1));
    show(doc.m_styleClasses.front()->m_hoverFill, texture);

    int hints = 0;
    doc.m_onEdited = [&](long) { ++hints; };
    doc.SetModifiedFlag(false);
    doc.ClearUndo();
    doc.DeleteTexture(texture);

    ASSERT_EQ(doc.m_textures.size(), 1u);
    EXPECT_EQ(doc.m_textures.front().get(), kept);
    for (CFillStyle* fill : {group->m_pFill.get(), &link->m_hoverFill.Edit(), &doc.m_websiteBackground,
                             &doc.m_styleClasses.front()->m_hoverFill}) {
        EXPECT_EQ(fill->m_pPicture, nullptr);
        EXPECT_EQ(fill->m_nPictureId, 0);
        EXPECT_EQ(fill->m_nKind, CFillStyle::KindColor);
    }
    // a fill showing another texture keeps it
    EXPECT_EQ(page->m_pFill->m_pPicture, kept);
    EXPECT_EQ(hints, 1);
    EXPECT_TRUE(doc.IsModified());

    // an unknown or null texture changes nothing
    hints = 0;
    doc.SetModifiedFlag(false);
    CPicture stranger;
    doc.DeleteTexture(&stranger);
    doc.DeleteTexture(nullptr);
    EXPECT_EQ(doc.m_textures.size(), 1u);
    EXPECT_EQ(hints, 0);
    EXPECT_FALSE(doc.IsModified());
}

TEST(SafeItemName, KeepsLettersDigitsAndUnderscoreStartingWithALetter)
{
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"Contact Form", "ContactForm"}, {"2nd-field", "id2ndfield"}, {"_x", "id_x"},
        {"caf\xC3\xA9 <b>", "cafb"},    {"", ""},                     {"!!!", "id"},
        {"Name_1", "Name_1"},
    };
    CItem* item = CreateItem(ITEM_INPUT_FIELD);
    for (const Case& c : cases) {
        item->m_strName = "before";
        SetSafeItemName(*item, c.in);
        EXPECT_EQ(item->m_strName, CString(c.out)) << c.in;
    }
    delete item;
}

} // namespace
