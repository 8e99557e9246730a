// The LZW decoder on hand-made code streams whose output was worked out by hand.
#include "GifTestSupport.h"
#include "gifimport/LzwDecoder.h"

#include <gtest/gtest.h>

using giftest::Bytes;
using giftest::PackCodes;

namespace {

struct LzwCase {
    const char* name;
    int minCodeSize;
    std::size_t capacity;
    std::vector<std::pair<unsigned, unsigned>> codes; // code, width
    Bytes expected;                                   // capacity bytes
    std::size_t position;                             // output position after decoding
};

const LzwCase kCases[] = {
    // clear=4 end=5; 6=[0,1], 7=[1,0] takes the width to 4; 8=[0,1,1]; 9 is the
    // code not yet in the table: [1,0] + 1.
    {"GrowsWidthAndDecodesUnknownCode", 2, 9,
     {{4, 3}, {0, 3}, {1, 3}, {6, 3}, {7, 4}, {9, 4}, {5, 4}},
     {0, 1, 0, 1, 1, 0, 1, 0, 1}, 9},
    // 7 is above the next free code (6): nothing happens, and 1 still pairs with 0.
    {"CodeAboveNextFreeIsIgnored", 2, 4,
     {{4, 3}, {0, 3}, {7, 3}, {1, 3}, {6, 3}, {5, 4}},
     {0, 1, 0, 1}, 4},
    // Right after a clear there is no previous string to extend.
    {"UnknownCodeAfterClearIsIgnored", 2, 4,
     {{4, 3}, {6, 3}, {2, 3}, {5, 3}},
     {2, 0, 0, 0}, 1},
    // A clear in the middle brings the width back to 3.
    {"ClearResetsWidth", 2, 6,
     {{4, 3}, {0, 3}, {1, 3}, {6, 3}, {4, 4}, {3, 3}, {2, 3}, {5, 3}},
     {0, 1, 0, 1, 3, 2}, 6},
    // [0,1] does not fit the last byte and is dropped whole; the single 0 after it fits.
    {"StringPastCapacityIsDroppedWhole", 2, 3,
     {{4, 3}, {0, 3}, {1, 3}, {6, 3}, {0, 4}, {5, 4}},
     {0, 1, 0}, 3},
    // 8=[0,0,0] is dropped at two bytes left, so 10=[1,0] never stood in the output and
    // is built from its prefixes.
    {"EntryOfDroppedStringIsRebuilt", 2, 9,
     {{4, 3}, {0, 3}, {0, 3}, {6, 3}, {7, 4}, {1, 4}, {8, 4}, {10, 4}, {5, 4}},
     {0, 0, 0, 0, 0, 0, 1, 1, 0}, 9},
    // Codes after the end code are not read.
    {"EndCodeStops", 2, 4,
     {{4, 3}, {3, 3}, {5, 3}, {1, 3}, {2, 3}},
     {3, 0, 0, 0}, 1},
    // Minimum size 1: clear=2, end=3; the table is at its limit from the start, so the
    // width is 3 after the first code.
    {"MinimumCodeSizeOne", 1, 4,
     {{2, 2}, {1, 2}, {0, 3}, {4, 3}, {3, 3}},
     {1, 0, 1, 0}, 4},
    // Minimum size 0: the only root is 0; widths 1, 2, 3.
    {"MinimumCodeSizeZero", 0, 6,
     {{1, 1}, {0, 1}, {0, 2}, {3, 3}, {2, 3}},
     {0, 0, 0, 0, 0, 0}, 4},
    // Minimum size 11: 12-bit codes; roots above 255 keep their low byte.
    {"MinimumCodeSizeEleven", 11, 4,
     {{2048, 12}, {300, 12}, {65, 12}, {2050, 12}, {2049, 12}},
     {44, 65, 44, 65}, 4},
    // Codes cannot have more than 12 bits: nothing decodes.
    {"MinimumCodeSizeTwelve", 12, 3,
     {{4096, 13}, {1, 13}, {2, 13}, {4097, 13}},
     {0, 0, 0}, 0},
    {"MinimumCodeSize255", 255, 2, {{0, 8}, {1, 8}}, {0, 0}, 0},
};

class LzwTable : public ::testing::TestWithParam<LzwCase> {};

TEST_P(LzwTable, BulkDecoding)
{
    const LzwCase& c = GetParam();
    Bytes out(c.capacity + CLzwDecoder::kOutputSlack, 0xEE); // stale bytes must not survive
    CLzwDecoder lzw(out.data(), c.capacity, c.minCodeSize);
    const Bytes data = PackCodes(c.codes);
    lzw.PutBytes(data.data(), data.size());
    lzw.Finish();
    EXPECT_EQ(Bytes(out.begin(), out.begin() + long(c.capacity)), c.expected);
    EXPECT_EQ(lzw.Position(), c.position);
}

TEST_P(LzwTable, ByteByByteMatchesBulk)
{
    const LzwCase& c = GetParam();
    Bytes out(c.capacity + CLzwDecoder::kOutputSlack, 0xEE);
    CLzwDecoder lzw(out.data(), c.capacity, c.minCodeSize);
    for (BYTE b : PackCodes(c.codes))
        lzw.PutByte(b);
    lzw.Finish();
    EXPECT_EQ(Bytes(out.begin(), out.begin() + long(c.capacity)), c.expected);
    EXPECT_EQ(lzw.Position(), c.position);
}

INSTANTIATE_TEST_SUITE_P(Cases, LzwTable, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<LzwCase>& i) { return std::string(i.param.name); });

// Roots 0..3 in a cycle fill the table: entry k (from 6) is [r(k-6), r(k-5)] with
// r(i) = i % 4, and the width stops at 12. Once the table is full no entry is added
// and 12-bit codes go on decoding: roots, the last entry and an early one.
TEST(LzwDecoder, FullTableKeepsWidthAndEntries)
{
    std::vector<std::pair<unsigned, unsigned>> codes{{4, 3}};
    unsigned nextFree = 6, width = 3;
    Bytes expected;
    for (unsigned i = 0; nextFree < 4096 || i < 4092; ++i) {
        codes.push_back({i % 4, width});
        expected.push_back(BYTE(i % 4));
        if (i > 0 && nextFree < 4096)
            ++nextFree;
        if (nextFree == (1u << width) && width < 12)
            ++width;
    }
    ASSERT_EQ(width, 12u);
    for (unsigned c : {1u, 4095u, 6u, 2u}) {
        codes.push_back({c, 12});
        if (c < 4)
            expected.push_back(BYTE(c));
        else {
            const unsigned k = c - 6;
            expected.push_back(BYTE(k % 4));
            expected.push_back(BYTE((k + 1) % 4));
        }
    }
    codes.push_back({5, 12});
    expected.push_back(0); // one pixel more than the data gives: the end code must be read
    Bytes out(expected.size() + CLzwDecoder::kOutputSlack);
    CLzwDecoder lzw(out.data(), expected.size(), 2);
    const Bytes data = PackCodes(codes);
    lzw.PutBytes(data.data(), data.size());
    lzw.Finish();
    EXPECT_TRUE(lzw.IsEnded());
    EXPECT_EQ(Bytes(out.begin(), out.begin() + long(expected.size())), expected);
}

// Long strings (built by repeating one root) are copied correctly across whole words,
// also when a string starts right after its own source.
TEST(LzwDecoder, LongRepeatedStrings)
{
    // Codes 0, 6, 7, 8, ...: each is the unknown code, one longer than the last.
    std::vector<std::pair<unsigned, unsigned>> codes{{4, 3}, {1, 3}};
    unsigned nextFree = 6, width = 3;
    std::size_t total = 1;
    for (int n = 0; n < 60; ++n) {
        codes.push_back({nextFree, width});
        total += std::size_t(n) + 2;
        ++nextFree;
        if (nextFree == (1u << width))
            ++width;
    }
    codes.push_back({5, width});
    Bytes out(total + CLzwDecoder::kOutputSlack);
    CLzwDecoder lzw(out.data(), total, 2);
    const Bytes data = PackCodes(codes);
    lzw.PutBytes(data.data(), data.size());
    lzw.Finish();
    EXPECT_EQ(lzw.Position(), total);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + long(total)), Bytes(total, 1));
}

} // namespace
