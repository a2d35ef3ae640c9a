// The now-playing reader: records decoded from their bytes (well-formed, empty, malformed and hostile), and records
// published in a named shared-memory block and read back through the same calls the client makes.
#include "util/NowPlaying.h"

#include "text/Cp1251.h"
#include "util/SharedMemory.h"

#include <array>
#include <chrono>
#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using namespace morva;
using namespace std::string_literals;

namespace {

using Info = AimpRemoteInfo;

// A record as a player would write it; a length given in lengths replaces the true length of that string, and
// strings are written only as far as the record reaches.
struct Record
{
    std::array<std::u16string, Info::FieldCount> strings;
    std::array<std::optional<std::uint32_t>, Info::FieldCount> lengths;
    std::size_t size = Info::kSize;
};

void put32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

std::vector<unsigned char> bytes(const Record& r)
{
    std::vector<unsigned char> b(r.size, 0xEE); // the unread fields hold garbage
    std::size_t cursor = Info::kStringsOffset;
    for (int f = 0; f < Info::FieldCount; ++f) {
        const std::u16string& s = r.strings[f];
        if (Info::kLengthsOffset + 4 * f + 4 <= b.size())
            put32(b, Info::kLengthsOffset + 4 * f, r.lengths[f].value_or(static_cast<std::uint32_t>(s.size())));
        for (char16_t u : s) {
            if (cursor + 2 <= b.size()) {
                b[cursor] = static_cast<unsigned char>(u & 0xFF);
                b[cursor + 1] = static_cast<unsigned char>(u >> 8);
            }
            cursor += 2;
        }
    }
    return b;
}

std::string textOf(const std::vector<unsigned char>& b)
{
    const auto info = Info::parse(b);
    return info ? nowPlayingText(*info) : std::string();
}

Record track(std::u16string artist, std::u16string title)
{
    Record r;
    r.strings = {u"Герой асфальта",           std::move(artist), u"1987",
                 u"C:\\Музыка\\Ария\\03.mp3", u"Heavy Metal",    std::move(title)};
    return r;
}

struct Case
{
    const char* name;
    Record record;
    const char* utf8; // expected text, UTF-8 for readability; null: the record's artist and title
};

// Names the row in test listings instead of dumping its bytes.
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

Record fillToEnd(int extra)
{
    // The title takes every byte left after the fixed part, plus extra code units.
    Record r = track(u"A", u"");
    std::size_t used = 0;
    for (const auto& s : r.strings)
        used += s.size();
    const std::size_t room = (Info::kSize - Info::kStringsOffset) / 2 - used;
    r.strings[Info::Title] = std::u16string(room, u't');
    if (extra > 0)
        r.lengths[Info::Title] = static_cast<std::uint32_t>(room + static_cast<std::size_t>(extra));
    return r;
}

Record withLength(Record r, int field, std::uint32_t length)
{
    r.lengths[field] = length;
    return r;
}

Record sized(Record r, std::size_t size)
{
    r.size = size;
    return r;
}

const Case kCases[] = {
    {"ArtistAndTitle", track(u"Ария", u"Беспечный ангел"), "Ария - Беспечный ангел"},
    {"TitleAloneWithoutArtist", track(u"", u"Беспечный ангел"), "Беспечный ангел"},
    {"ArtistWithoutTitle", track(u"Ария", u""), "Ария - "},
    {"NothingKnown", track(u"", u""), ""},
    {"LongStringsBeforeAreSkippedByLength",
     [] {
         Record r = track(u"Artist", u"Title");
         r.strings[Info::Album] = std::u16string(300, u'a');
         r.strings[Info::FileName] = std::u16string(500, u'f');
         return r;
     }(),
     "Artist - Title"},
    {"CharactersOutsideTheCodePageBecomeQuestionMarks", track(u"Björk ñ", u"\U0001F3B5 音楽"), "Bj?rk ? - ? ??"},
    {"LineBreaksAndNulBecomeBlanks", track(u"a\0b"s, u"x\r\nQUIT :bye"), "a b - x  QUIT :bye"},
    {"StringsEndingAtTheLastByte", fillToEnd(0), nullptr},
    {"StringsOneUnitPastTheEndAreRefused", fillToEnd(1), ""},
    {"HugeLengthIsRefused", withLength(track(u"A", u"T"), Info::Album, 0xFFFFFFFFu), ""},
    {"LengthsWrappingThirtyTwoBitsAreRefused",
     withLength(withLength(track(u"A", u"T"), Info::Album, 0x80000000u), Info::Date, 0x80000000u), ""},
    {"RecordShorterThanItsFixedPartIsRefused", sized(track(u"", u""), Info::kStringsOffset - 1), ""},
    {"EmptyRecordIsRefused", sized(track(u"", u""), 0), ""},
};

class Decoding : public ::testing::TestWithParam<Case>
{};

TEST_P(Decoding, GivesTheAnnouncedText)
{
    const Case& c = GetParam();
    // No text given: the record's own artist and title.
    const std::string want = c.utf8 ? text::fromUtf8(c.utf8)
                                    : text::fromUtf16(c.record.strings[Info::Artist]) + " - " +
                                          text::fromUtf16(c.record.strings[Info::Title]);
    const std::string got = textOf(bytes(c.record));
    EXPECT_EQ(got, want) << "got " << text::toUtf8(got);
}

INSTANTIATE_TEST_SUITE_P(NowPlaying, Decoding, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& i) { return std::string(i.param.name); });

TEST(NowPlaying, DecodesTheNumbersAtTheirOffsets)
{
    std::vector<unsigned char> b = bytes(track(u"A", u"T"));
    put32(b, Info::kBitRateOffset, 320);
    put32(b, Info::kChannelsOffset, 2);
    put32(b, Info::kDurationOffset, 215000);
    put32(b, Info::kFileSizeOffset, 0x89ABCDEFu);
    put32(b, Info::kFileSizeOffset + 4, 0x1u);
    put32(b, Info::kSampleRateOffset, 44100);
    const auto info = Info::parse(b);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->bitRate, 320u);
    EXPECT_EQ(info->channels, 2u);
    EXPECT_EQ(info->duration, 215000u);
    EXPECT_EQ(info->fileSize, 0x189ABCDEFull);
    EXPECT_EQ(info->sampleRate, 44100u);
    EXPECT_EQ(info->strings[Info::Date], u"1987");
    EXPECT_EQ(info->strings[Info::Genre], u"Heavy Metal");
}

// A name no other test or run uses: test cases may run as parallel processes.
std::string uniqueName(const char* what)
{
    const auto t = std::chrono::steady_clock::now().time_since_epoch().count();
    return std::string("MORVA_test_") + what + "_" + std::to_string(t);
}

bool publish(SharedMemory& block, const std::string& name, const std::vector<unsigned char>& record,
             std::size_t blockSize)
{
    if (!block.create(name, blockSize))
        return false;
    std::memcpy(block.data(), record.data(), std::min(record.size(), blockSize));
    return true;
}

TEST(NowPlayingBlock, NoPlayerGivesNothing)
{
    EXPECT_EQ(ReadNowPlaying(uniqueName("absent")), "");
    EXPECT_FALSE(SharedMemory::read(uniqueName("absent"), Info::kSize));
}

TEST(NowPlayingBlock, PublishedRecordIsReadBackAndGoneAfterClose)
{
    const std::string name = uniqueName("published");
    SharedMemory block;
    ASSERT_TRUE(publish(block, name, bytes(track(u"Ария", u"Штиль")), Info::kSize));
    EXPECT_EQ(ReadNowPlaying(name), text::fromUtf8("Ария - Штиль"));
    // The player rewrites its record in place; the next read sees the new track.
    const std::vector<unsigned char> next = bytes(track(u"", u"Тореро"));
    std::memcpy(block.data(), next.data(), next.size());
    EXPECT_EQ(ReadNowPlaying(name), text::fromUtf8("Тореро"));
    block.close();
    EXPECT_EQ(ReadNowPlaying(name), "");
}

TEST(NowPlayingBlock, BlockSizes)
{
    struct Size
    {
        std::size_t size;
        bool readable;
    };
    for (const Size s : {Size{Info::kSize / 2, false}, Size{Info::kSize - 1, false}, Size{Info::kSize, true},
                         Size{2 * Info::kSize + 100, true}}) {
        SCOPED_TRACE(s.size);
        const std::string name = uniqueName("size");
        SharedMemory block;
        // The strings of this record fit even in the smallest block.
        ASSERT_TRUE(publish(block, name, bytes(track(u"A", u"T")), s.size));
        const std::string got = ReadNowPlaying(name);
        bool either = false;
#ifdef _WIN32
        // Windows maps whole pages: a view may reach past a smaller block, reading zeros there.
        either = !s.readable;
#endif
        if (either) {
            EXPECT_TRUE(got.empty() || got == "A - T") << got;
        } else {
            EXPECT_EQ(got, s.readable ? "A - T" : "");
        }
    }
}

TEST(NowPlayingBlock, CreatingAnExistingNameFails)
{
    const std::string name = uniqueName("twice");
    SharedMemory first, second;
    ASSERT_TRUE(first.create(name, 64));
    EXPECT_FALSE(second.create(name, 64));
}

TEST(NowPlayingBlock, DefaultNameIsThePlayersBlock)
{
    SharedMemory block;
    if (!publish(block, Info::kBlockName, bytes(track(u"Ария", u"Закат")), Info::kSize))
        GTEST_SKIP() << "a player (or another run) publishes the block already";
    EXPECT_EQ(ReadNowPlaying(), text::fromUtf8("Ария - Закат"));
}

} // namespace
