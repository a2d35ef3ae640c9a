// The IRC formatting-code parser: strips the five code bytes from a line and lists the codes as runs.
#pragma once

#include "view/IrcColours.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace morva {

enum class RunKind : std::uint8_t
{
    Bold,      // ^B 0x02
    Underline, // ^_ 0x1F
    Reverse,   // ^V 0x16
    Colour,    // ^C 0x03, with its digits
    Plain,     // ^O 0x0F
};

// One code found in a line.
struct FormatRun
{
    // Index in the stripped line of the first character after the code (the number of visible characters
    // before it).
    std::int32_t position = 0;
    RunKind kind = RunKind::Plain;
    // Meaningful for Colour only.
    Rgb foreground = 0x000000;
    Rgb background = 0xFFFFFF;
};

// The visible look of one character as the renderer leaves it: two colour-table numbers and two styles.
struct CharFormat
{
    std::uint8_t foreground = kBlack;
    std::uint8_t background = kWhite;
    bool bold = false;
    bool underline = false;

    Rgb foregroundRgb() const { return ircRgb(foreground); }
    Rgb backgroundRgb() const { return ircRgb(background); }
    friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

// A character format that holds from start up to the next span's start (or the end of the line).
struct FormatSpan
{
    std::uint32_t start = 0;
    CharFormat format;
};

// Parses line into its stripped text and its runs, in the order the codes occur. Both outputs are replaced;
// their capacity is reused, so a caller that keeps them allocates nothing per line once they have grown.
// Every code is consumed, however many a line holds.
void parseFormatCodes(std::string_view line, std::string& stripped, std::vector<FormatRun>& runs);

// Applies the runs of one line, as the renderer's rules define them, to a line that starts black on white
// with no style, and gives the result as spans: the first starts at 0, each differs from the one before, and
// none starts at or after strippedLength unless the line is empty.
void spansFromRuns(const std::vector<FormatRun>& runs, std::size_t strippedLength, std::vector<FormatSpan>& spans);

} // namespace morva
