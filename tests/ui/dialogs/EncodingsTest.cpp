// The stored-setting encodings: server index, password scrambling through a store, the font string and its
// tokenizer, and the reading of stored values.
#include "text/QtText.h"
#include "ui/dialogs/SettingEncodings.h"
#include "ui/dialogs/StoredValues.h"

#include <set>
#include <string>

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace morva {
namespace {

TEST(IndToServerTest, SevenHostsAndNothingOutside)
{
    std::set<std::string> seen;
    for (int i = 0; i < kServerCount; ++i) {
        const std::string host = IndToServer(i);
        EXPECT_FALSE(host.empty()) << i;
        EXPECT_EQ(host.find(' '), std::string::npos) << host;
        seen.insert(host);
    }
    EXPECT_EQ(seen.size(), 7u);
    for (int i : {7, 8, -1, 1000, INT_MIN, INT_MAX})
        EXPECT_EQ(IndToServer(i), "") << i;
}

TEST(CsorTest, ScramblesEveryByteAndBack)
{
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::string scrambled = Csor(one);
        ASSERT_EQ(scrambled.size(), 1u);
        EXPECT_NE(scrambled, one) << b;
        EXPECT_EQ(Csor(scrambled), one) << b;
    }
    EXPECT_EQ(Csor(""), "");
}

// Every byte value, alone and all together, written to a store and read back by a fresh reader.
TEST(CsorTest, EveryByteSurvivesTheStore)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("store.ini"));
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    std::vector<std::string> passwords{all, "", "plain", std::string(3, static_cast<char>(kCsorKey)),
                                       std::string("\x01\x01"
                                                   "0",
                                                   3)};
    for (int b = 0; b < 256; ++b)
        passwords.emplace_back(1, static_cast<char>(b));
    for (std::size_t i = 0; i < passwords.size(); ++i) {
        const QString stored = encodeStoredPassword(passwords[i]);
        EXPECT_FALSE(stored.contains(QChar(0))) << "password " << i;
        QSettings(file, QSettings::IniFormat).setValue(QStringLiteral("ps%1").arg(i), stored);
    }
    const QSettings reader(file, QSettings::IniFormat);
    for (std::size_t i = 0; i < passwords.size(); ++i)
        EXPECT_EQ(decodeStoredPassword(reader.value(QStringLiteral("ps%1").arg(i)).toString()), passwords[i])
            << "password " << i;
}

TEST(CsorTest, StoredFormKeepsTheLengthUnlessItMustEscape)
{
    EXPECT_EQ(encodeStoredPassword("secret").size(), 6);
    EXPECT_EQ(text::fromQString(encodeStoredPassword("secret")), Csor("secret"));
    EXPECT_EQ(encodeStoredPassword(std::string(1, static_cast<char>(kCsorKey))).size(), 2);
    // A stored value with a trailing escape byte (written by hand) does not lose it.
    EXPECT_EQ(decodeStoredPassword(text::toQString(Csor("ab") + "\x01")), "ab" + Csor("\x01"));
}

TEST(TokTest, FieldsFromTheFront)
{
    // clang-format off
    struct Row { const char* text; const char* field; const char* rest; };
    const Row rows[] = {
        {"a|b", "a", "|b"}, {"|a|b", "a", "|b"}, {"||a", "a", ""}, {"abc", "abc", ""},
        {"", "", ""}, {"|||", "", ""}, {"a||", "a", "||"},
    };
    // clang-format on
    for (const Row& r : rows) {
        std::string text = r.text;
        EXPECT_EQ(tok("|", text), r.field) << r.text;
        EXPECT_EQ(text, r.rest) << r.text;
    }
    std::string several = "a, b;c";
    EXPECT_EQ(tok(",; ", several), "a");
    EXPECT_EQ(tok(",; ", several), "b");
    EXPECT_EQ(tok(",; ", several), "c");
    EXPECT_EQ(tok(",; ", several), "");
}

ChosenFont makeFont(const char* family, int size, bool bold, bool italic, bool underline, bool strike)
{
    ChosenFont f;
    f.font = QFont(QString::fromUtf8(family), size);
    f.font.setBold(bold);
    f.font.setItalic(italic);
    f.font.setUnderline(underline);
    f.font.setStrikeOut(strike);
    return f;
}

TEST(FontStringTest, Format)
{
    ChosenFont f = makeFont("DejaVu Sans", 8, true, false, false, false);
    EXPECT_EQ(FontToStr(f), "-2147483640|-11|DejaVu Sans|0|96|8|ynnn");
    f.color = 0x0000FF;
    f.pitch = 2;
    f.pixelsPerInch = 120;
    f.font.setPointSize(12);
    f.font.setBold(false);
    f.font.setStrikeOut(true);
    EXPECT_EQ(FontToStr(f), "255|-20|DejaVu Sans|2|120|12|nnny");
}

TEST(FontStringTest, RoundTrips)
{
    // clang-format off
    struct Row { const char* family; int size; bool b, i, u, s; std::int32_t color; int pitch; int ppi; };
    const Row rows[] = {
        {"DejaVu Sans",      8,  true,  false, false, false, ChosenFont::kWindowText, 0, 96},
        {"DejaVu Serif",     14, false, true,  false, false, 0x00123456,              1, 96},
        {"DejaVu Sans Mono", 10, true,  true,  true,  true,  0,                       2, 120},
        {"Noto Sans Mono",   72, false, false, true,  false, -16777201,               0, 144},
        {"Times New Roman",  1,  false, false, false, true,  0x00FFFFFF,              1, 72},
    };
    // clang-format on
    for (const Row& r : rows) {
        ChosenFont in = makeFont(r.family, r.size, r.b, r.i, r.u, r.s);
        in.color = r.color;
        in.pitch = r.pitch;
        in.pixelsPerInch = r.ppi;
        const std::string text = FontToStr(in);
        SCOPED_TRACE(text);
        ChosenFont out;
        ASSERT_TRUE(StrToFont(text, out));
        EXPECT_EQ(out.font.family(), QString::fromUtf8(r.family));
        EXPECT_EQ(out.font.pointSize(), r.size);
        EXPECT_EQ(out.font.bold(), r.b);
        EXPECT_EQ(out.font.italic(), r.i);
        EXPECT_EQ(out.font.underline(), r.u);
        EXPECT_EQ(out.font.strikeOut(), r.s);
        EXPECT_EQ(out.color, r.color);
        EXPECT_EQ(out.pitch, r.pitch);
        EXPECT_EQ(out.pixelsPerInch, r.ppi);
        EXPECT_EQ(out.font.fixedPitch(), r.pitch == 2);
        EXPECT_EQ(FontToStr(out), text);
    }
}

TEST(FontStringTest, CyrillicFaceName)
{
    ChosenFont in;
    in.font = QFont(QString::fromUtf8("Шрифт"), 9);
    ChosenFont out;
    ASSERT_TRUE(StrToFont(FontToStr(in), out));
    EXPECT_EQ(out.font.family(), QString::fromUtf8("Шрифт"));
}

TEST(FontStringTest, StyleLettersMissingCountAsNo)
{
    ChosenFont f = makeFont("DejaVu Sans", 8, false, true, true, true);
    ASSERT_TRUE(StrToFont("0|-11|DejaVu Sans|0|96|10|y", f));
    EXPECT_TRUE(f.font.bold());
    EXPECT_FALSE(f.font.italic());
    EXPECT_FALSE(f.font.underline());
    EXPECT_FALSE(f.font.strikeOut());
    ASSERT_TRUE(StrToFont("0|-11|DejaVu Sans|0|96|10", f));
    EXPECT_FALSE(f.font.bold());
}

// A damaged font string leaves the font exactly as it was.
TEST(FontStringTest, MalformedStringsChangeNothing)
{
    const char* rows[] = {
        "garbage",
        "0|-11|Arial",                   // fewer than six fields
        "0|-11|Arial|0|96",              // five
        "x|-11|Arial|0|96|10|nnnn",      // colour not a number
        "0|-1.5|Arial|0|96|10|nnnn",     // height not an integer
        "0|-11|Arial|0|96|ten|nnnn",     // size not a number
        "0|-11|Arial|0|96|0|nnnn",       // size zero
        "0|-11|Arial|0|96|-8|nnnn",      // negative size
        "0|-11|Arial|0|96|100000|nnnn",  // absurd size
        "0|-11|Arial|7|96|10|nnnn",      // no such pitch
        "0|-11|Arial|0|0|10|nnnn",       // no pixels per inch
        "0|-11||0|96|10|nnnn",           // empty face: the fields shift
        "99999999999|-11|Arial|0|96|10", // colour beyond 32 bits
        "||||||",
    };
    for (const char* text : rows) {
        ChosenFont f = makeFont("DejaVu Serif", 11, true, false, true, false);
        f.color = 42;
        const QFont before = f.font;
        EXPECT_FALSE(StrToFont(text, f)) << text;
        EXPECT_EQ(f.font, before) << text;
        EXPECT_EQ(f.color, 42) << text;
    }
    ChosenFont f = makeFont("DejaVu Serif", 11, true, false, false, false);
    const QFont before = f.font;
    EXPECT_TRUE(StrToFont("", f));
    EXPECT_EQ(f.font, before);
}

TEST(StoredValuesTest, TextOfEveryKindOfValue)
{
    EXPECT_EQ(storedText(QVariant(QStringLiteral("x"))), QStringLiteral("x"));
    EXPECT_EQ(storedText(QVariant(QStringList{"a", "b"})), QStringLiteral("a, b"));
    EXPECT_EQ(storedText(QVariant(12)), QStringLiteral("12"));
    EXPECT_EQ(storedText(QVariant(true)), QStringLiteral("-1"));
    EXPECT_EQ(storedText(QVariant(QByteArray("\x01"))), std::nullopt);
    EXPECT_EQ(storedText(QVariant()), std::nullopt);
}

TEST(StoredValuesTest, IntegersAndTruthValues)
{
    // clang-format off
    struct Row { const char* text; std::optional<int> i; std::optional<bool> b; };
    const Row rows[] = {
        {"0", 0, false}, {"-1", -1, true}, {"5", 5, true}, {" 7 ", 7, true}, {"+3", 3, true},
        {"True", std::nullopt, true}, {"FALSE", std::nullopt, false}, {"yes", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt}, {"1x", std::nullopt, std::nullopt}, {"0x10", std::nullopt, std::nullopt},
        {"2147483648", std::nullopt, std::nullopt}, {"-2147483648", INT_MIN, true},
    };
    // clang-format on
    for (const Row& r : rows) {
        EXPECT_EQ(parseStoredInt(QString::fromUtf8(r.text)), r.i) << r.text;
        EXPECT_EQ(parseStoredBool(QString::fromUtf8(r.text)), r.b) << r.text;
    }
}

} // namespace
} // namespace morva
