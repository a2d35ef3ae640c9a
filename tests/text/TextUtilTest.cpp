// Small text helpers.
#include "text/TextUtil.h"

#include <gtest/gtest.h>

using namespace morva::text;

TEST(TextUtil, BeforeAfter)
{
    EXPECT_EQ(before("nick!user@host", "!"), "nick");
    EXPECT_EQ(after("nick!user@host", "!"), "user@host");
    EXPECT_EQ(before("server", "!"), "server");
    EXPECT_EQ(after("server", "!"), "");
    EXPECT_EQ(after("a!b!c", "!"), "b!c");
}

TEST(TextUtil, TrimAndWords)
{
    EXPECT_EQ(trim("  a b \t\r\n"), "a b");
    EXPECT_EQ(trim(""), "");
    EXPECT_EQ(trimLeft("  x "), "x ");
    EXPECT_EQ(trimRight("  x "), "  x");
    struct Case
    {
        const char* s;
        int n;
        const char* word;
        const char* rest;
    };
    const Case cases[] = {
        {"/msg bob hi there", 1, "/msg", "/msg bob hi there"},
        {"/msg bob hi there", 2, "bob", "bob hi there"},
        {"/msg  bob   hi there", 3, "hi", "hi there"},
        {"one", 2, "", ""},
        {"", 1, "", ""},
        {"  lead", 1, "lead", "lead"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(word(c.s, c.n), c.word) << c.s << " " << c.n;
        EXPECT_EQ(fromWord(c.s, c.n), c.rest) << c.s << " " << c.n;
    }
}

TEST(TextUtil, Integers)
{
    EXPECT_EQ(toInt("6667"), 6667);
    EXPECT_EQ(toInt("-1"), -1);
    EXPECT_EQ(toInt("+5"), 5);
    EXPECT_FALSE(toInt(""));
    EXPECT_FALSE(toInt("12a"));
    EXPECT_FALSE(toInt(" 1"));
    EXPECT_FALSE(toInt("99999999999"));
    EXPECT_FALSE(toInt("+"));
    EXPECT_EQ(toIntDef("x", 7), 7);
    EXPECT_EQ(toString(-42), "-42");
}
