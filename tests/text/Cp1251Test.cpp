// Windows-1251 conversion and case rules.
#include "text/Cp1251.h"

#include <gtest/gtest.h>

using namespace morva::text;

TEST(Cp1251, EveryDefinedByteRoundTripsThroughUtf16AndUtf8)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(fromUtf16(toUtf16(all)), all);
    EXPECT_EQ(fromUtf8(toUtf8(all)), all);
}

TEST(Cp1251, CodePoints)
{
    struct Case
    {
        unsigned char byte;
        char32_t cp;
    };
    const Case cases[] = {
        {'A', U'A'},    {0x80, 0x0402}, {0x88, 0x20AC}, {0x98, 0x0098}, {0xA8, 0x0401}, {0xB8, 0x0451},
        {0xA5, 0x0490}, {0xB4, 0x0491}, {0xB9, 0x2116}, {0xC0, 0x0410}, {0xFF, 0x044F}, {0xA0, 0x00A0},
        {0xAA, 0x0404}, {0xBA, 0x0454}, {0xB2, 0x0406}, {0xB3, 0x0456}, {0xAF, 0x0407}, {0xBF, 0x0457},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toUnicode(c.byte), c.cp) << int(c.byte);
        EXPECT_EQ(fromUnicode(c.cp), c.byte) << int(c.byte);
    }
    EXPECT_EQ(fromUnicode(0x4E2D), '?'); // a CJK ideograph has no byte
    EXPECT_EQ(fromUtf8("\xF0\x9F\x98\x80"), "?");
    EXPECT_EQ(fromUtf8("\xD0\x9F\xD1\x80\xD0\xB8"), "\xCF\xF0\xE8"); // При
}

TEST(Cp1251, CaseRules)
{
    struct Case
    {
        const char* upper;
        const char* lower;
    };
    // clang-format off
    const Case cases[] = {
        {"ABCZ", "abcz"},
        {"\xC0\xC1\xDF", "\xE0\xE1\xFF"},  // А Б Я
        {"\xA8", "\xB8"},                  // Ё ё
        {"\xA1", "\xA2"},                  // Ў ў
        {"\xAA", "\xBA"},                  // Є є
        {"\xB2", "\xB3"},                  // І і
        {"\xAF", "\xBF"},                  // Ї ї
        {"\xA5", "\xB4"},                  // Ґ ґ
        {"\x80\x81\x8A\x8C\x8D\x8E\x8F", "\x90\x83\x9A\x9C\x9D\x9E\x9F"},
        {"\xA3\xBD", "\xBC\xBE"},          // Ј Ѕ
        {"123 #[]\xB5\xB9", "123 #[]\xB5\xB9"}, // no case
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(upper(c.lower), c.upper);
        EXPECT_EQ(lower(c.upper), c.lower);
        EXPECT_TRUE(sameText(c.upper, c.lower));
        EXPECT_EQ(compareText(c.upper, c.lower), 0);
    }
}

TEST(Cp1251, CompareAndFind)
{
    EXPECT_LT(compareText("abc", "ABD"), 0);
    EXPECT_GT(compareText("abcd", "ABC"), 0);
    EXPECT_LT(compareText("ab", "abc"), 0);
    EXPECT_FALSE(sameText("ab", "abc"));
    EXPECT_EQ(findText("Hello \xD0\xF3\xF1\xFC", "\xF0\xd3"), 6u); // Русь / рУ
    EXPECT_EQ(findText("abc", "X"), std::string::npos);
    EXPECT_EQ(findText("abcabc", "ABC", 1), 3u);
    EXPECT_EQ(findText("ab", "abc"), std::string::npos);
    EXPECT_EQ(CaseBlindHash{}("\xC0"
                              "Bc"),
              CaseBlindHash{}("\xE0"
                              "bC"));
}
