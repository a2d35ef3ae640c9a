// The formatting-code renderer, checked character by character on a real view.
#include "view/AppendLine.h"
#include "view/FormatParser.h"
#include "view/TIRCMemo.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace morva;

namespace {

// A stretch of the stripped line and the look each of its characters must have.
struct Expect
{
    std::string_view text;
    Rgb fg;
    Rgb bg;
    const char* style; // "", "B", "U" or "BU"
};

struct Case
{
    const char* name;
    std::string_view line;
    std::vector<Expect> result;
};

constexpr Rgb W = 0xFFFFFF, K = 0x000000, Navy = 0x000080, Green = 0x008000, Red = 0xFF0000, Maroon = 0x800000,
              Lime = 0x00FF00, Orange = 0xFC7F00, Silver = 0xC0C0C0, Blue = 0x0000FF, Grey = 0x808080;

#define B "\x02"
#define C "\x03"
#define O "\x0F"
#define V "\x16"
#define U "\x1F"

// clang-format off
const std::vector<Case> kCases = {
    {"NoCodes",                 "hello",                 {{"hello", K, W, ""}}},
    {"ForegroundAndBackground", C "4,5abc",              {{"abc", Red, Maroon, ""}}},
    {"BackgroundOnly",          C ",3abc",               {{"abc", K, Green, ""}}},
    {"BareColourIsBlackOnWhite", "x" C "4,3y" C "z",     {{"x", K, W, ""}, {"y", Red, Green, ""}, {"z", K, W, ""}}},
    {"BareColourResetsRemembered", C "4,3a" C "b" C "4c", {{"a", Red, Green, ""}, {"b", K, W, ""}, {"c", Red, W, ""}}},
    {"CommaWithoutDigits",      C "4,abc",               {{"abc", Red, W, ""}}},
    {"CommaKeepsRemembered",    C "1,4a" C "12,b",       {{"a", K, Red, ""}, {"b", Blue, Red, ""}}},
    {"RememberedSurvivesPlain", C "1,4x" O "y" C "2z",   {{"x", K, Red, ""}, {"y", K, W, ""}, {"z", Navy, Red, ""}}},
    {"SixteenIsOneThenSix",     C "16",                  {{"6", K, W, ""}}},
    {"ZeroFifteenIsOneThenFive", C "015",                {{"5", K, W, ""}}},
    {"NinetyNineIsNine",        C "99",                  {{"9", Lime, W, ""}}},
    {"TwentyIsTwoThenZero",     C "20",                  {{"0", Navy, W, ""}}},
    {"TwoDigitColours",         C "04a" C "07b" C "15,14c", {{"a", Red, W, ""}, {"b", Orange, W, ""}, {"c", Silver, Grey, ""}}},
    {"BackgroundDigitGrammar",  C "1,16x",               {{"6x", K, K, ""}}},
    {"BoldToggle",              B "x" B "y",             {{"x", K, W, "B"}, {"y", K, W, ""}}},
    {"BoldOffKeepsUnderline",   B U "x" B "y",           {{"x", K, W, "BU"}, {"y", K, W, "U"}}},
    {"UnderlineOffKeepsBold",   U B "x" U "y",           {{"x", K, W, "BU"}, {"y", K, W, "B"}}},
    {"PlainLeavesToggleOn",     B "x" O "y" B "z",       {{"x", K, W, "B"}, {"y", K, W, ""}, {"z", K, W, ""}}},
    {"Reverse",                 C "4x" V "y" V "z",      {{"x", Red, W, ""}, {"y", W, K, ""}, {"z", K, W, ""}}},
    {"ColourInsideReverse",     V "a" C "4b" V "c",      {{"a", W, K, ""}, {"b", Red, W, ""}, {"c", K, W, ""}}},
    {"StyleSurvivesColour",     B C "4x" C "3y",         {{"x", Red, W, "B"}, {"y", Green, W, "B"}}},
    {"CodeAtEnd",               "ab" B C "4",            {{"ab", K, W, ""}}},
    {"SohIsText",               "\x01" "ACTION x\x01",   {{"\x01" "ACTION x\x01", K, W, ""}}},
    {"OtherControlBytesAreText", "a\tb\x04" "c\x7f",     {{"a\tb\x04" "c\x7f", K, W, ""}}},
    {"RichTextCharsAreText",    "{\\rtf1 } \\par",       {{"{\\rtf1 } \\par", K, W, ""}}},
    {"Cyrillic",                C "12\xcf\xf0\xe8\xe2\xe5\xf2", {{"\xcf\xf0\xe8\xe2\xe5\xf2", Blue, W, ""}}},
    {"ChannelMessage",          C "4" "12:00:00 " C "14" B "<" C "9" "nick" C "14>" B C "1 hi",
                                {{"12:00:00 ", Red, W, ""}, {"<", Grey, W, "B"}, {"nick", Lime, W, "B"},
                                 {">", Grey, W, "B"}, {" hi", K, W, ""}}},
};
// clang-format on

#undef B
#undef C
#undef O
#undef V
#undef U

std::string describe(const CharFormat& f)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "#%06X on #%06X%s%s", f.foregroundRgb(), f.backgroundRgb(), f.bold ? " bold" : "",
                  f.underline ? " underline" : "");
    return buf;
}

class RendererCases : public ::testing::TestWithParam<Case>
{
protected:
    TIRCMemo view;
};

TEST_P(RendererCases, EachCharacterLooksAsTheCodesSay)
{
    const Case& c = GetParam();
    AppendLine(&view, "an earlier line "
                      "\x02\x03"
                      "4,5 that must not leak");
    AppendLine(&view, c.line);
    ASSERT_EQ(view.lineCount(), 2);
    std::string want;
    for (const Expect& e : c.result)
        want += e.text;
    ASSERT_EQ(view.lineText(1), want);
    int pos = 0;
    for (const Expect& e : c.result) {
        const std::string s(e.style);
        CharFormat f;
        f.foreground = ircNumber(e.fg);
        f.background = ircNumber(e.bg);
        f.bold = s.find('B') != std::string::npos;
        f.underline = s.find('U') != std::string::npos;
        for (std::size_t i = 0; i < e.text.size(); ++i, ++pos)
            EXPECT_EQ(describe(view.formatAt(1, pos)), describe(f)) << "character " << pos;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, RendererCases, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(FormatParser, RunsCarryPositionKindAndColours)
{
    std::string stripped;
    std::vector<FormatRun> runs;
    parseFormatCodes("ab\x03"
                     "4,5cd\x02"
                     "e\x03\x0f",
                     stripped, runs);
    EXPECT_EQ(stripped, "abcde");
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].position, 2);
    EXPECT_EQ(runs[0].kind, RunKind::Colour);
    EXPECT_EQ(runs[0].foreground, 0xFF0000u);
    EXPECT_EQ(runs[0].background, 0x800000u);
    EXPECT_EQ(runs[1].position, 4);
    EXPECT_EQ(runs[1].kind, RunKind::Bold);
    EXPECT_EQ(runs[2].position, 5);
    EXPECT_EQ(runs[2].kind, RunKind::Colour);
    EXPECT_EQ(runs[2].foreground, 0x000000u);
    EXPECT_EQ(runs[2].background, 0xFFFFFFu);
    EXPECT_EQ(runs[3].kind, RunKind::Plain);
}

// More codes than a line's run table was once sized for: every code is still consumed and applied.
TEST(FormatRenderer, ALineWithHundredsOfCodesIsFullyApplied)
{
    TIRCMemo view;
    std::string line;
    for (int i = 0; i < 300; ++i)
        line += (i % 2 == 0 ? "\x03"
                              "4x"
                            : "\x03"
                              "3y");
    AppendLine(&view, line);
    ASSERT_EQ(view.lineText(0).size(), 300u);
    EXPECT_EQ(view.formatAt(0, 0).foregroundRgb(), 0xFF0000u);
    EXPECT_EQ(view.formatAt(0, 299).foregroundRgb(), 0x008000u);
    EXPECT_EQ(view.formatAt(0, 298).foregroundRgb(), 0xFF0000u);
}

TEST(FormatRenderer, EmptyAndCodeOnlyLinesAddEmptyParagraphs)
{
    TIRCMemo view;
    AppendLine(&view, "a");
    AppendLine(&view, "");
    AppendLine(&view, "\x02\x03"
                      "4,5\x0f\x16\x1f");
    AppendLine(&view, "b");
    EXPECT_EQ(view.lineCount(), 4);
    EXPECT_EQ(view.Text(), "a\r\n\r\n\r\nb\r\n");
    EXPECT_EQ(view.textLength(), 2u + 1u + 1u + 2u);
}

// Lets one append fail inside the view, as running out of memory would.
class FailingMemo : public TIRCMemo
{
public:
    int failures = 0;
    std::string appendFromInside;

protected:
    void storeLine(std::string_view stripped, std::span<const FormatSpan> spans) override
    {
        if (failures > 0) {
            --failures;
            throw std::runtime_error("store failed");
        }
        TIRCMemo::storeLine(stripped, spans);
        if (!appendFromInside.empty()) {
            const std::string line = std::move(appendFromInside);
            appendFromInside.clear();
            AppendLine(this, line);
        }
    }
};

TEST(FormatRenderer, BusyFlagIsReleasedWhenAnAppendFails)
{
    FailingMemo view;
    view.failures = 1;
    EXPECT_THROW(AppendLine(&view, "lost"), std::runtime_error);
    EXPECT_FALSE(view.busy());
    AppendLine(&view, "\x02kept");
    EXPECT_FALSE(view.busy());
    ASSERT_EQ(view.lineCount(), 1);
    EXPECT_EQ(view.lineText(0), "kept");
    EXPECT_TRUE(view.formatAt(0, 0).bold);
}

// An append started from inside another one (possible only through a callback) must neither hang on the busy
// flag nor interleave with the outer line: it follows it.
TEST(FormatRenderer, AnAppendFromInsideAnAppendFollowsIt)
{
    FailingMemo view;
    view.appendFromInside = "\x03"
                            "4inner";
    AppendLine(&view, "\x02outer");
    ASSERT_EQ(view.lineCount(), 2);
    EXPECT_EQ(view.lineText(0), "outer");
    EXPECT_EQ(view.lineText(1), "inner");
    EXPECT_TRUE(view.formatAt(0, 0).bold);
    EXPECT_EQ(view.formatAt(1, 0).foregroundRgb(), 0xFF0000u);
    EXPECT_FALSE(view.busy());
}

TEST(FormatRenderer, AppendShowsTheLastLineAndDropsTheSelection)
{
    TIRCMemo view;
    view.resize(300, 120);
    view.show();
    for (int i = 0; i < 50; ++i)
        AppendLine(&view, "line " + std::to_string(i));
    QCoreApplication::processEvents();
    view.scrollToLine(3);
    view.setSelection(2, 0, 4, 3);
    ASSERT_TRUE(view.hasSelection());
    ASSERT_FALSE(view.atBottom());
    AppendLine(&view, "new");
    QCoreApplication::processEvents();
    EXPECT_TRUE(view.atBottom());
    EXPECT_EQ(view.bottomLine(), 50);
    EXPECT_FALSE(view.hasSelection());
    EXPECT_NE(view.pointOf(50, 0), QPoint(-1, -1));
}

TEST(FormatRenderer, AFullViewDropsItsOldestLinesNeverTheNewOne)
{
    TIRCMemo view;
    view.setMaxLength(20);
    for (const char* l : {"aaaa", "bbbb", "cccc", "dddd", "eeee"}) // 5 positions each
        AppendLine(&view, l);
    EXPECT_EQ(view.textLength(), 20u);
    AppendLine(&view, "\x03"
                      "4ffffffff"); // 9 positions: three old lines go
    EXPECT_EQ(view.textLength(), 19u);
    ASSERT_EQ(view.lineCount(), 3);
    EXPECT_EQ(view.lineText(0), "dddd");
    EXPECT_EQ(view.lineText(2), "ffffffff");
    EXPECT_EQ(view.formatAt(2, 7).foregroundRgb(), 0xFF0000u);

    // A line longer than the whole limit is cut to it and replaces everything.
    AppendLine(&view, std::string(30, 'z'));
    ASSERT_EQ(view.lineCount(), 1);
    EXPECT_EQ(view.lineText(0), std::string(19, 'z'));
    EXPECT_EQ(view.textLength(), 20u);
}

TEST(FormatRenderer, TheDefaultLimitIsTheRichEditOne)
{
    TIRCMemo view;
    EXPECT_EQ(view.MaxLength(), 0);
    const std::string big(1 << 20, 'x');
    for (int i = 0; i < 17; ++i)
        AppendLine(&view, big);
    EXPECT_LE(view.textLength(), 16777215u);
    EXPECT_EQ(view.lineCount(), 15);
}

} // namespace
