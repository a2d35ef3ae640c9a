// The now-playing reader over the AIMP remote-information record.
#include "util/NowPlaying.h"

#include "text/Cp1251.h"
#include "util/SharedMemory.h"

namespace morva {
namespace {

std::uint32_t u32(std::span<const unsigned char> b, std::size_t at)
{
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint64_t u64(std::span<const unsigned char> b, std::size_t at)
{
    return static_cast<std::uint64_t>(u32(b, at)) | static_cast<std::uint64_t>(u32(b, at + 4)) << 32;
}

std::string lineSafe(std::u16string_view s)
{
    std::string out = text::fromUtf16(s);
    for (char& c : out)
        if (c == '\0' || c == '\r' || c == '\n')
            c = ' ';
    return out;
}

} // namespace

std::optional<AimpRemoteInfo> AimpRemoteInfo::parse(std::span<const unsigned char> record)
{
    if (record.size() < kStringsOffset)
        return std::nullopt;
    AimpRemoteInfo info;
    info.bitRate = u32(record, kBitRateOffset);
    info.channels = u32(record, kChannelsOffset);
    info.duration = u32(record, kDurationOffset);
    info.fileSize = u64(record, kFileSizeOffset);
    info.sampleRate = u32(record, kSampleRateOffset);
    // Summed in 64 bits: six lengths of up to 2^32 - 1 code units cannot overflow it.
    std::uint64_t end = kStringsOffset;
    for (int f = 0; f < FieldCount; ++f)
        end += 2ull * u32(record, kLengthsOffset + 4 * static_cast<std::size_t>(f));
    if (end > record.size())
        return std::nullopt;
    std::size_t cursor = kStringsOffset;
    for (int f = 0; f < FieldCount; ++f) {
        const std::size_t len = u32(record, kLengthsOffset + 4 * static_cast<std::size_t>(f));
        std::u16string& s = info.strings[f];
        s.resize(len);
        for (std::size_t i = 0; i < len; ++i, cursor += 2)
            s[i] = static_cast<char16_t>(record[cursor] | record[cursor + 1] << 8);
    }
    return info;
}

std::string nowPlayingText(const AimpRemoteInfo& info)
{
    const std::string artist = lineSafe(info.strings[AimpRemoteInfo::Artist]);
    const std::string title = lineSafe(info.strings[AimpRemoteInfo::Title]);
    return artist.empty() ? title : artist + " " + "- " + title;
}

std::string ReadNowPlaying(const std::string& blockName)
{
    const auto record = SharedMemory::read(blockName, AimpRemoteInfo::kSize);
    if (!record)
        return {};
    const auto info = AimpRemoteInfo::parse(*record);
    return info ? nowPlayingText(*info) : std::string();
}

} // namespace morva
