// Splitting a received line into the sender, the command and the 30-entry token table.
#pragma once

#include <array>
#include <string_view>

namespace morva {

// The tokens of one line, as views into it: token 0 the prefix without ":", token 1 the command, tokens 2 on the
// parameters. Tokens past the last parameter are empty; parameters past token 29 are dropped.
struct TIdIRCTokens
{
    static constexpr int kCount = 30;
    static constexpr std::size_t kMaxContent = 512;

    std::array<std::string_view, kCount> token{};
    std::string_view senderNick;
    std::string_view senderAddress;
    std::string_view command;
    std::string_view content; // after the command's blank, at most 512 bytes, ":" of a trailing parameter kept

    // Token n, or empty for n outside the table.
    std::string_view operator[](int n) const { return n >= 0 && n < kCount ? token[n] : std::string_view{}; }
};

// Never fails, never allocates, never reads outside line.
void tokenizeLine(std::string_view line, TIdIRCTokens& out);

} // namespace morva
