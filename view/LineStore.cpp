// The line model of the text view.
#include "view/LineStore.h"

#include <algorithm>
#include <cstring>

namespace morva {

namespace {

constexpr std::size_t alignUp(std::size_t n)
{
    return (n + alignof(FormatSpan) - 1) & ~(alignof(FormatSpan) - 1);
}

} // namespace

void LineStore::append(std::string_view text, std::span<const FormatSpan> spans)
{
    const std::size_t spanBytes = spans.size() * sizeof(FormatSpan);
    const std::size_t need = alignUp(spanBytes + text.size());
    if (m_blocks.empty() || m_blocks.back().capacity - m_blocks.back().used < need) {
        if (!m_blocks.empty() && m_blocks.back().lines == 0)
            m_blocks.pop_back();
        Block b;
        b.capacity = std::max(kBlockSize, need);
        b.data = std::make_unique_for_overwrite<char[]>(b.capacity);
        m_blocks.push_back(std::move(b));
    }
    Block& b = m_blocks.back();
    char* at = b.data.get() + b.used;
    if (spanBytes > 0)
        std::memcpy(at, spans.data(), spanBytes);
    if (!text.empty())
        std::memcpy(at + spanBytes, text.data(), text.size());
    m_lines.push_back(Line{at, static_cast<std::uint32_t>(text.size()), static_cast<std::uint32_t>(spans.size())});
    b.used += need;
    ++b.lines;
    m_charCount += text.size() + 1;
}

void LineStore::dropFront()
{
    if (m_lines.empty())
        return;
    m_charCount -= m_lines.front().length + 1;
    m_lines.pop_front();
    ++m_firstSeq;
    // Lines fill the blocks in order, so the oldest line always lives in the oldest block.
    Block& b = m_blocks.front();
    if (--b.lines == 0) {
        if (m_blocks.size() > 1)
            m_blocks.pop_front();
        else
            b.used = 0;
    }
}

void LineStore::clear()
{
    m_firstSeq += m_lines.size();
    m_lines.clear();
    m_blocks.clear();
    m_charCount = 0;
}

std::string_view LineStore::text(std::size_t index) const
{
    const Line& l = m_lines[index];
    return {l.data + l.spanCount * sizeof(FormatSpan), l.length};
}

std::span<const FormatSpan> LineStore::spans(std::size_t index) const
{
    const Line& l = m_lines[index];
    return {reinterpret_cast<const FormatSpan*>(l.data), l.spanCount};
}

CharFormat LineStore::formatAt(std::size_t index, std::size_t pos) const
{
    const std::span<const FormatSpan> s = spans(index);
    auto it =
        std::upper_bound(s.begin(), s.end(), pos, [](std::size_t p, const FormatSpan& span) { return p < span.start; });
    return it == s.begin() ? CharFormat{} : std::prev(it)->format;
}

std::size_t LineStore::bytesReserved() const
{
    std::size_t n = m_lines.size() * sizeof(Line);
    for (const Block& b : m_blocks)
        n += b.capacity;
    return n;
}

} // namespace morva
