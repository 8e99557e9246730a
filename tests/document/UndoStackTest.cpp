#include "document/UndoRecord.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::unique_ptr<CUndoRecord> Record(std::size_t size, int tag)
{
    auto r = std::make_unique<CUndoRecord>();
    std::vector<BYTE> bytes(size, BYTE(tag));
    r->m_state.Assign(bytes.data(), bytes.size());
    r->m_nItemId = tag;
    return r;
}

std::vector<int> Tags(const CUndoStack& s)
{
    std::vector<int> t;
    for (std::size_t i = 0; i < s.GetCount(); ++i)
        t.push_back(s.GetAt(i)->m_nItemId);
    return t;
}

TEST(UndoStack, NewestIsAtTheHead)
{
    CUndoStack s;
    EXPECT_EQ(s.GetHead(), nullptr);
    s.Push(Record(10, 1));
    s.Push(Record(10, 2));
    EXPECT_EQ(Tags(s), (std::vector<int>{2, 1}));
    auto popped = s.PopHead();
    ASSERT_TRUE(popped);
    EXPECT_EQ(popped->m_nItemId, 2);
    EXPECT_EQ(Tags(s), (std::vector<int>{1}));
}

TEST(UndoStack, SizeBoundDropsTheOldestFirst)
{
    // limit 100: existing sizes, the size pushed, the tags that remain (newest first)
    struct Case {
        std::vector<std::size_t> existing; // oldest first
        std::size_t pushed;
        std::vector<int> remaining;
    } cases[] = {
        {{50, 50}, 10, {3, 2, 1}},          // exactly at the limit: nothing goes
        {{50, 51}, 10, {3, 2}},             // one above: the oldest goes
        {{60, 30, 20}, 10, {4, 3, 2}},      // 110 -> drop 60 -> 50
        {{101}, 5, {2}},                    // one big snapshot goes at the next push
        {{30, 30, 30, 30}, 200, {5, 4, 3, 2}}, // the new one is not counted before the push
        {{}, 500, {1}},
    };
    for (const Case& c : cases) {
        CUndoStack s;
        int tag = 1;
        for (std::size_t size : c.existing)
            s.Push(Record(size, tag++), 1000000);
        s.Push(Record(c.pushed, tag), 100);
        EXPECT_EQ(Tags(s), c.remaining);
    }
}

TEST(UndoStack, DiscardAndClearOnEmptyDoNothing)
{
    CUndoStack s;
    s.DiscardHead();
    s.Clear();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(s.PopHead(), nullptr);
    s.Push(Record(1, 1));
    s.Push(Record(1, 2));
    s.DiscardHead();
    EXPECT_EQ(Tags(s), (std::vector<int>{1}));
    s.Clear();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(s.GetTotalSize(), 0u);
}

} // namespace
