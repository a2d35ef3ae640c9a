// Splitting received lines into tokens.
#include "engine/TIdIRCTokenizer.h"

#include <gtest/gtest.h>

using namespace morva;

namespace {

struct TokCase
{
    const char* name;
    std::string line;
    const char* nick;
    const char* address;
    const char* command;
    std::string content;
    std::vector<std::string> params; // tokens 2 on
};

// Names the row in test listings instead of dumping its bytes.
void PrintTo(const TokCase& c, std::ostream* os)
{
    *os << c.name;
}

// clang-format off
const TokCase kCases[] = {
    {"UserPrefix",      ":n!u@h PRIVMSG #c :hi there", "n", "u@h", "PRIVMSG", "#c :hi there", {"#c", "hi there"}},
    {"ServerPrefix",    ":srv 001 me :Welcome",        "", "srv", "001", "me :Welcome", {"me", "Welcome"}},
    {"NoPrefix",        "PING :abc",                   "", "", "PING", ":abc", {"abc"}},
    {"BareWordAfterPrefix", ":srv QUIT",               "", "srv", "", "QUIT", {"QUIT"}},
    {"BareWord",        "QUIT",                        "", "", "", "QUIT", {"QUIT"}},
    {"TwoBlanks",       ":a!b MODE #c  +o x",          "a", "b", "MODE", "#c  +o x", {"#c", "", "+o", "x"}},
    {"TrailingBlank",   "MODE #c ",                    "", "", "MODE", "#c ", {"#c"}},
    {"ColonInsideWord", ":n!u PRIVMSG a:b c",          "n", "u", "PRIVMSG", "a:b c", {"a:b", "c"}},
    {"SecondBang",      ":n!u!x@h NICK y",             "n", "u!x@h", "NICK", "y", {"y"}},
    {"EmptyTrailing",   "TOPIC #c :",                  "", "", "TOPIC", "#c :", {"#c", ""}},
    {"PrefixOnly",      ":lonely",                     "", "", "", ":lonely", {"lonely"}},
};
// clang-format on

class Tokenizer : public ::testing::TestWithParam<TokCase>
{};

} // namespace

TEST_P(Tokenizer, Splits)
{
    const TokCase& c = GetParam();
    TIdIRCTokens t;
    tokenizeLine(c.line, t);
    EXPECT_EQ(t.senderNick, c.nick);
    EXPECT_EQ(t.senderAddress, c.address);
    EXPECT_EQ(t.command, c.command);
    EXPECT_EQ(t[1], c.command);
    EXPECT_EQ(t.content, c.content);
    for (int i = 2; i < TIdIRCTokens::kCount; ++i) {
        const std::size_t k = static_cast<std::size_t>(i - 2);
        EXPECT_EQ(t[i], k < c.params.size() ? c.params[k] : "") << "token " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, Tokenizer, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TokenizerLimits, ContentIsCutAt512AndExtraParametersAreDropped)
{
    TIdIRCTokens t;
    const std::string longText(1000, 'x');
    tokenizeLine("PRIVMSG #c :" + longText, t);
    EXPECT_EQ(t.content.size(), 512u);
    EXPECT_EQ(t[3].size(), 512u - 4);
    // After a prefix, the text behind it is cut first, then the text behind the command.
    tokenizeLine(":n!u PRIVMSG #c :" + longText, t);
    EXPECT_EQ(t.content.size(), 512u - 8);

    std::string many = "CMD";
    for (int i = 0; i < 40; ++i)
        many += " p" + std::to_string(i);
    tokenizeLine(many, t);
    EXPECT_EQ(t[2], "p0");
    EXPECT_EQ(t[29], "p27");
    EXPECT_EQ(t[30], ""); // outside the table reads empty
    EXPECT_EQ(t[-1], "");
}
