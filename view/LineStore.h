// The text view's line model: the stripped text and format spans of every line, packed into large blocks.
#pragma once

#include "view/FormatParser.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string_view>

namespace morva {

// Holds the lines of one text view in order. Each line is its stripped Windows-1251 text and its format spans,
// stored together in blocks of a few hundred kilobytes, so that a line costs its bytes, 8 bytes a span and a
// 16-byte index entry, and no allocation of its own. Lines are added at the end and dropped from the front.
//
// Lines are numbered twice: an index (0 is the oldest line held) and a sequence number that never changes
// (the index plus the number of lines ever dropped). Views and lengths handed out stay valid until the line is
// dropped or the store is cleared.
class LineStore
{
public:
    LineStore() = default;
    LineStore(const LineStore&) = delete;
    LineStore& operator=(const LineStore&) = delete;

    void append(std::string_view text, std::span<const FormatSpan> spans);
    void dropFront();
    void clear();

    std::size_t size() const { return m_lines.size(); }
    bool empty() const { return m_lines.empty(); }
    std::uint64_t firstSeq() const { return m_firstSeq; }
    std::uint64_t endSeq() const { return m_firstSeq + m_lines.size(); }

    std::string_view text(std::size_t index) const;
    std::span<const FormatSpan> spans(std::size_t index) const;
    CharFormat formatAt(std::size_t index, std::size_t pos) const;

    // Character positions held, each line counting its characters plus one for its paragraph break.
    std::size_t charCount() const { return m_charCount; }
    // Bytes taken by the blocks and the index, for the memory figures.
    std::size_t bytesReserved() const;

private:
    struct Line
    {
        const char* data; // spans first, then the text
        std::uint32_t length;
        std::uint32_t spanCount;
    };
    struct Block
    {
        std::unique_ptr<char[]> data;
        std::size_t capacity = 0;
        std::size_t used = 0;
        std::size_t lines = 0;
    };

    static constexpr std::size_t kBlockSize = 256 * 1024;

    std::deque<Line> m_lines;
    std::deque<Block> m_blocks;
    std::uint64_t m_firstSeq = 0;
    std::size_t m_charCount = 0;
};

} // namespace morva
