// The track the AIMP player is playing, read from the remote-information record it publishes in shared memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace morva {

// The player's record: little-endian integers, then six UTF-16LE strings without terminators, back to back, in
// the order of Field, each as long as its length field says.
struct AimpRemoteInfo
{
    static constexpr const char* kBlockName = "AIMP2_RemoteInfo";
    static constexpr std::size_t kSize = 2048; // what is read of the block
    static constexpr std::size_t kBitRateOffset = 8;
    static constexpr std::size_t kChannelsOffset = 12;
    static constexpr std::size_t kDurationOffset = 16;
    static constexpr std::size_t kFileSizeOffset = 20; // 64-bit
    static constexpr std::size_t kSampleRateOffset = 32;
    static constexpr std::size_t kLengthsOffset = 40; // six 32-bit lengths in UTF-16 code units
    static constexpr std::size_t kStringsOffset = 88;
    enum Field
    {
        Album,
        Artist,
        Date,
        FileName,
        Genre,
        Title,
        FieldCount
    };

    std::uint32_t bitRate = 0; // kbps
    std::uint32_t channels = 0;
    std::uint32_t duration = 0;   // milliseconds
    std::uint64_t fileSize = 0;   // bytes
    std::uint32_t sampleRate = 0; // Hz
    std::u16string strings[FieldCount];

    // Decodes a record. The record comes from another process and is taken as untrusted: nullopt when it is
    // shorter than its fixed part or when its lengths would run past its end (such a record is refused whole,
    // not cut).
    static std::optional<AimpRemoteInfo> parse(std::span<const unsigned char> record);
};

// artist + " - " + title, or the title alone when there is no artist, in Windows-1251. NUL, CR and LF inside the
// strings become blanks: the text goes into a protocol line, where they would end it or start another.
std::string nowPlayingText(const AimpRemoteInfo& info);

// The text of the player's record, or empty when the player publishes none (not running) or it cannot be read.
// blockName selects another block, for tests and tools.
std::string ReadNowPlaying(const std::string& blockName = AimpRemoteInfo::kBlockName);

} // namespace morva
