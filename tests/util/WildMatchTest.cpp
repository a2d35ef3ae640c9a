// The wildcard matcher: the documented cases, the fixed patterns the client uses, agreement with the plain
// recursive definition on every short input, and hostile inputs that must not blow up.
#include "util/WildMatch.h"

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

using morva::WildMatch;

namespace {

struct Case
{
    const char* name;
    std::string_view text;
    std::string_view pattern;
    bool result;
};

// clang-format off
const Case kCases[] = {
    {"EmptyEmpty",              "",      "",        true},
    {"EmptyStar",               "",      "*",       true},
    {"EmptyTwoStars",           "",      "**",      true},
    {"EmptyQuestion",           "",      "?",       false},
    {"TextEmptyPattern",        "a",     "",        false},
    {"StarInside",              "abc",   "a*c",     true},
    {"QuestionInside",          "abc",   "a?c",     true},
    {"QuestionNeedsOneChar",    "ac",    "a?c",     false},
    {"StarMatchesNothing",      "ac",    "a*c",     true},
    {"CaseSensitive",           "ABC",   "abc",     false},
    {"QuestionMatchesStar",     "a*c",   "a?c",     true},
    {"AnchoredAtEnd",           "abc",   "*b",      false},
    {"StarRetriesLaterB",       "abcb",  "*b",      true},
    {"AliasEntry",              "a~b",   "?*~?*",   true},
    {"AliasNothingBefore",      "~b",    "?*~?*",   false},
    {"AliasNothingAfter",       "a~",    "?*~?*",   false},
    {"AliasTwoTildes",          "a~~b",  "?*~?*",   true},
    // The action test of incoming messages.
    {"ActionWithText",          "\x01" "ACTION waves\x01",   "\x01" "ACTION*\x01", true},
    {"ActionEmpty",             "\x01" "ACTION\x01",         "\x01" "ACTION*\x01", true},
    {"ActionTrailingText",      "\x01" "ACTION waves\x01x",  "\x01" "ACTION*\x01", false},
    {"ActionUnclosed",          "\x01" "ACTION waves",       "\x01" "ACTION*\x01", false},
    // Ignore masks as the ignore list builds them.
    {"MaskMatchesHost",         "bob!~bob@host.example", "*!*@host.example", true},
    {"MaskOtherHost",           "bob!~bob@host.example", "*!*@other.example", false},
    {"MaskNickPrefix",          "bobby!u@h",             "bob*",              true},
    {"QuestionMatchesQuestion", "a?c",   "a?c",     true},
    {"StarLiteralInText",       "a*",    "a*",      true},
    {"TrailingStarsAfterText",  "ab",    "ab***",   true},
    {"StarThenQuestion",        "a",     "*?",      true},
    {"StarThenTwoQuestions",    "a",     "*??",     false},
    {"HighBytes",               "\xcf\xf0\xe8",  "\xcf*",   true},
    {"HighBytesCaseSensitive",  "\xcf\xf0\xe8",  "\xef*",   false},
};
// clang-format on

class WildMatchCases : public ::testing::TestWithParam<Case>
{};

TEST_P(WildMatchCases, Result)
{
    const Case& c = GetParam();
    EXPECT_EQ(WildMatch(c.text, c.pattern), c.result);
}

INSTANTIATE_TEST_SUITE_P(Table, WildMatchCases, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// The matcher as first described: a star tries every remaining text position by recursion. Exponential, so it
// serves only as the reference on short inputs.
bool referenceMatch(std::string_view t, std::string_view p)
{
    for (;;) {
        if (t.empty() && p.empty())
            return true;
        if (p.size() == 1 && p[0] == '*')
            return true;
        if (t.empty()) {
            while (!p.empty() && p[0] == '*')
                p.remove_prefix(1);
            return p.empty();
        }
        if (p.empty())
            return false;
        if (p[0] == '?') {
            t.remove_prefix(1);
            p.remove_prefix(1);
            continue;
        }
        if (p[0] == '*') {
            p.remove_prefix(1);
            for (std::size_t i = 0; i < t.size(); ++i)
                if (referenceMatch(t.substr(i), p))
                    return true;
            return false;
        }
        if (t[0] != p[0])
            return false;
        t.remove_prefix(1);
        p.remove_prefix(1);
    }
}

// Every string over the alphabet up to the given length.
std::vector<std::string> allStrings(std::string_view alphabet, std::size_t maxLength)
{
    std::vector<std::string> out{""};
    for (std::size_t begin = 0, len = 0; len < maxLength; ++len) {
        const std::size_t end = out.size();
        for (std::size_t i = begin; i < end; ++i)
            for (char c : alphabet)
                out.push_back(out[i] + c);
        begin = end;
    }
    return out;
}

TEST(WildMatch, AgreesWithTheRecursiveDefinitionOnAllShortInputs)
{
    const std::vector<std::string> texts = allStrings("ab*", 5);
    const std::vector<std::string> patterns = allStrings("ab*?", 4);
    int mismatches = 0;
    for (const std::string& t : texts)
        for (const std::string& p : patterns)
            if (WildMatch(t, p) != referenceMatch(t, p) && ++mismatches <= 10)
                ADD_FAILURE() << "text \"" << t << "\" pattern \"" << p << "\": reference says "
                              << referenceMatch(t, p);
    EXPECT_EQ(mismatches, 0);
}

// A remote party chooses the text side of the ignore masks. These would take the recursive matcher longer
// than the age of the universe; they must finish at once (the test's own timeout catches a blow-up).
TEST(WildMatch, ManyStarsAgainstALongTextFinishAtOnce)
{
    const std::string text(10000, 'a');
    std::string stars;
    for (int i = 0; i < 30; ++i)
        stars += "*a";
    EXPECT_FALSE(WildMatch(text, stars + "b"));
    EXPECT_TRUE(WildMatch(text, stars));
    EXPECT_TRUE(WildMatch(text + "b", stars + "b"));
    EXPECT_FALSE(WildMatch(text, std::string(30, '*') + "b"));
    EXPECT_TRUE(WildMatch(text, std::string(30, '*')));
}

} // namespace
