// Taking lines out of the input buffer.
#include "engine/TIdTCPConnection.h"

#include <gtest/gtest.h>

using namespace morva;

namespace {

// Feeds the chunks one after the other and takes every line it can after each.
std::vector<std::string> split(const std::vector<std::string>& chunks, std::size_t max = 16384,
                               TIdMaxLineAction action = TIdMaxLineAction::maException, bool* tooLong = nullptr,
                               std::string_view term = "\n")
{
    TIdLink link;
    std::vector<std::string> out;
    for (const auto& c : chunks) {
        link.input += c;
        std::size_t consumed = 0;
        for (;;) {
            std::string_view line;
            const TIdTake r = takeLine(link, term, max, action, consumed, line);
            if (r == TIdTake::TooLong && tooLong)
                *tooLong = true;
            if (r != TIdTake::Line)
                break;
            out.emplace_back(line);
        }
        link.input.erase(0, consumed);
        link.scanned -= consumed;
    }
    return out;
}

} // namespace

TEST(LineSplit, Terminators)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> chunks;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"lf and crlf, lone cr is text", {"a\r\nb\nc\rd\n"}, {"a", "b", "c\rd"}},
        {"empty lines are lines here", {"\n\r\n"}, {"", ""}},
        {"split across chunks", {"ab", "c\r", "\nd"}, {"abc"}},
        {"cr before a chunk edge", {"x\r", "\n"}, {"x"}},
        {"no terminator yet", {"abc"}, {}},
        {"double cr keeps one", {"a\r\r\n"}, {"a\r"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(split(c.chunks), c.lines) << c.name;
}

TEST(LineSplit, LengthLimit)
{
    bool tooLong = false;
    EXPECT_EQ(split({std::string(10, 'a') + "\n"}, 10, TIdMaxLineAction::maException, &tooLong).size(), 1u);
    EXPECT_FALSE(tooLong);
    EXPECT_TRUE(split({std::string(11, 'a') + "\n"}, 10, TIdMaxLineAction::maException, &tooLong).empty());
    EXPECT_TRUE(tooLong);
    tooLong = false;
    // Without a terminator the limit applies to what is buffered.
    split({std::string(11, 'a')}, 10, TIdMaxLineAction::maException, &tooLong);
    EXPECT_TRUE(tooLong);
    EXPECT_EQ(split({"abcdefghij\r\n"}, 4, TIdMaxLineAction::maSplit),
              (std::vector<std::string>{"abcd", "efgh", "ij"}));
    // A zero limit means no limit.
    EXPECT_EQ(split({std::string(100000, 'z') + "\n"}, 0).front().size(), 100000u);
}

TEST(LineSplit, EachByteIsSearchedOncePerLine)
{
    TIdLink link;
    std::size_t consumed = 0;
    std::string_view line;
    link.input = "abc";
    EXPECT_EQ(takeLine(link, "\n", 0, TIdMaxLineAction::maException, consumed, line), TIdTake::NeedMore);
    EXPECT_EQ(link.scanned, 3u);
    link.input += "def\n";
    EXPECT_EQ(takeLine(link, "\n", 0, TIdMaxLineAction::maException, consumed, line), TIdTake::Line);
    EXPECT_EQ(line, "abcdef");
}

TEST(LineSplit, MultiByteTerminatorStraddlingAChunkEdge)
{
    EXPECT_EQ(split({"ab\r", "\nc\r\n"}, 100, TIdMaxLineAction::maException, nullptr, "\r\n"),
              (std::vector<std::string>{"ab", "c"}));
}
