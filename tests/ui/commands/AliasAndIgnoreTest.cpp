// Aliases and the ignore list.
#include "ui/commands/AliasList.h"
#include "ui/commands/IgnoreList.h"

#include <gtest/gtest.h>

using namespace morva;

TEST(AliasList, ValidForm)
{
    struct Case
    {
        const char* line;
        bool valid;
    };
    const Case cases[] = {
        {"j~JOIN $", true}, {"~x~y", true}, {"a~b~c", true}, {"name~", false}, {"~body", false},
        {"noalias", false}, {"~", false},   {"", false},     {"a~~", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AliasList::IsValid(c.line), c.valid) << c.line;
}

TEST(AliasList, FilteringKeepsValidLinesInOrder)
{
    AliasList a;
    a.Lines() = {"j~JOIN $", "bad", "~only", "x~PRIVMSG $ :hi", "end~"};
    a.ParseAliasList();
    EXPECT_EQ(a.Lines(), (std::vector<std::string>{"j~JOIN $", "x~PRIVMSG $ :hi"}));
}

TEST(AliasList, LookupIgnoresCaseAndTheLastLineWins)
{
    AliasList a;
    a.Lines() = {"j~JOIN $", "J~JOIN #second", "\xEF\xF0~PRIVMSG $", "~x~y"}; // пр
    EXPECT_TRUE(a.IsAlias("J"));
    EXPECT_EQ(a.GetAliasBody("j"), "JOIN #second");
    EXPECT_TRUE(a.IsAlias("\xCF\xD0")); // ПР
    EXPECT_EQ(a.GetAliasBody("\xCF\xF0"), "PRIVMSG $");
    EXPECT_FALSE(a.IsAlias("nope"));
    EXPECT_EQ(a.GetAliasBody("nope"), "");
    // A line that starts with "~" has an empty name: no typed word selects it.
    EXPECT_FALSE(a.IsAlias("x"));
    // Nor does the empty command word of "/" alone or of "/" followed by a blank.
    EXPECT_FALSE(a.IsAlias(""));
    EXPECT_EQ(a.GetAliasBody(""), "");
}

TEST(AliasList, Expansion)
{
    struct Case
    {
        const char* body;
        const char* line;
        const char* result;
    };
    const Case cases[] = {
        {"JOIN $", "j #c", "JOIN #c"},
        {"PRIVMSG $ :$", "say a  b ", "PRIVMSG a  b  :a  b "},
        {"QUIT", "q ignored args", "QUIT"},
        {"NAMES $", "n", "NAMES n"}, // no blank: the whole line is the argument text
        {"$$", "x y", "yy"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AliasList::ExpandAlias(c.body, c.line), c.result) << c.body << " / " << c.line;
}

TEST(IgnoreList, Masks)
{
    struct Case
    {
        std::vector<std::string> masks;
        const char* nick;
        const char* address;
        bool ignored;
    };
    const Case cases[] = {
        {{}, "any", "u@h", false},
        {{"*"}, "any", "u@h", true},
        {{"bob"}, "bob", "u@h", false}, // the subject always holds "!"
        {{"bob!*"}, "BOB", "x@y", true},
        {{"BOB!*@HOST"}, "bob", "u@host", true},
        {{"bob!*"}, "bob", "", true}, // no address known
        {{"bob!*@*"}, "bob", "", false},
        {{""}, "bob", "u@h", false}, // an empty mask matches no one
        {{"", "*!*@evil.example"}, "x", "y@EVIL.example", true},
        {{"\xC2\xE0\xF1\xFF!*"}, "\xE2\xC0\xD1\xDF", "u@h", true}, // Вася / вАСЯ
        {{"a?c!*"}, "abc", "u@h", true},
    };
    for (const Case& c : cases) {
        IgnoreList l;
        l.Masks() = c.masks;
        EXPECT_EQ(l.InIgnore(c.nick, c.address), c.ignored) << c.nick << "!" << c.address;
    }
}
