// The packed line store: lines keep their text and spans across block boundaries while old lines are dropped.
#include "view/LineStore.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using namespace morva;

namespace {

std::string textOf(std::uint64_t seq)
{
    return std::string(1 + seq % 300, static_cast<char>('a' + seq % 26));
}

std::vector<FormatSpan> spansOf(std::uint64_t seq)
{
    std::vector<FormatSpan> s{FormatSpan{}};
    for (std::uint32_t i = 1; i <= seq % 4; ++i)
        s.push_back(FormatSpan{i, CharFormat{static_cast<std::uint8_t>(seq % 16), 0, i % 2 == 0, false}});
    return s;
}

void expectLine(const LineStore& store, std::size_t index)
{
    const std::uint64_t seq = store.firstSeq() + index;
    ASSERT_EQ(store.text(index), textOf(seq)) << "line " << seq;
    const std::vector<FormatSpan> want = spansOf(seq);
    const auto got = store.spans(index);
    ASSERT_EQ(got.size(), want.size()) << "line " << seq;
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].start, want[i].start) << "line " << seq;
        EXPECT_TRUE(got[i].format == want[i].format) << "line " << seq;
    }
}

TEST(LineStore, LinesSurviveBlockBoundariesAndDropsFromTheFront)
{
    LineStore store;
    std::size_t chars = 0;
    for (std::uint64_t seq = 0; seq < 20000; ++seq) { // about 3 MB: a dozen blocks
        store.append(textOf(seq), spansOf(seq));
        chars += textOf(seq).size() + 1;
    }
    EXPECT_EQ(store.charCount(), chars);
    for (int i = 0; i < 15000; ++i) {
        chars -= store.text(0).size() + 1;
        store.dropFront();
    }
    EXPECT_EQ(store.firstSeq(), 15000u);
    EXPECT_EQ(store.charCount(), chars);
    for (std::uint64_t seq = 20000; seq < 30000; ++seq)
        store.append(textOf(seq), spansOf(seq));
    ASSERT_EQ(store.size(), 15000u);
    for (std::size_t i = 0; i < store.size(); ++i)
        expectLine(store, i);
    // Dropping everything and starting again reuses the last block.
    while (!store.empty())
        store.dropFront();
    EXPECT_EQ(store.charCount(), 0u);
    store.append(textOf(30000), spansOf(30000));
    expectLine(store, 0);
    EXPECT_LT(store.bytesReserved(), 1024u * 1024u);
}

TEST(LineStore, FormatAtFindsTheSpanOfEachCharacter)
{
    LineStore store;
    const std::vector<FormatSpan> spans = {
        {0, {1, 0, false, false}}, {3, {4, 0, true, false}}, {5, {2, 8, false, true}}};
    store.append("abcdefg", spans);
    const int want[] = {1, 1, 1, 4, 4, 2, 2};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(store.formatAt(0, static_cast<std::size_t>(i)).foreground, want[i]) << i;
    EXPECT_TRUE(store.formatAt(0, 4).bold);
    EXPECT_TRUE(store.formatAt(0, 6).underline);
}

} // namespace
