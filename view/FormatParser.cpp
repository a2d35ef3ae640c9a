// The formatting-code parser and the application of its runs to the characters of a line.
#include "view/FormatParser.h"

namespace morva {

namespace {

constexpr char kBold = 0x02;
constexpr char kColour = 0x03;
constexpr char kPlain = 0x0F;
constexpr char kReverse = 0x16;
constexpr char kUnderline = 0x1F;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads a colour number at line[i]: one digit; a second one after a first 0 (any digit) or a first 1 (0 to 5
// only), so that no number above 15 is ever formed. Returns -1 when no digit stands at i.
int readColourNumber(std::string_view line, std::size_t& i)
{
    if (i >= line.size() || !isDigit(line[i]))
        return -1;
    int n = line[i++] - '0';
    if (i < line.size()) {
        const char next = line[i];
        if (n == 0 && isDigit(next)) {
            n = next - '0';
            ++i;
        } else if (n == 1 && next >= '0' && next <= '5') {
            n = 10 + (next - '0');
            ++i;
        }
    }
    return n;
}

} // namespace

void parseFormatCodes(std::string_view line, std::string& stripped, std::vector<FormatRun>& runs)
{
    stripped.clear();
    runs.clear();
    // The background a colour code with foreground digits but no background digits keeps; it lives for one
    // line only.
    Rgb remembered = ircRgb(kWhite);
    std::size_t i = 0;
    while (i < line.size()) {
        // Copy the plain stretch up to the next code in one go.
        std::size_t j = i;
        while (j < line.size()) {
            const char c = line[j];
            if (c == kBold || c == kColour || c == kPlain || c == kReverse || c == kUnderline)
                break;
            ++j;
        }
        stripped.append(line.data() + i, j - i);
        if (j == line.size())
            break;
        FormatRun run;
        run.position = static_cast<std::int32_t>(stripped.size());
        const char code = line[j];
        i = j + 1;
        switch (code) {
        case kBold: run.kind = RunKind::Bold; break;
        case kUnderline: run.kind = RunKind::Underline; break;
        case kReverse: run.kind = RunKind::Reverse; break;
        case kPlain: run.kind = RunKind::Plain; break;
        default: {
            run.kind = RunKind::Colour;
            const int fg = readColourNumber(line, i);
            if (fg >= 0) {
                run.foreground = ircRgb(static_cast<std::uint8_t>(fg));
                run.background = remembered;
            } else {
                run.foreground = ircRgb(kBlack);
                remembered = ircRgb(kWhite);
                run.background = remembered;
            }
            if (i < line.size() && line[i] == ',') {
                ++i;
                const int bg = readColourNumber(line, i);
                if (bg >= 0) {
                    run.background = ircRgb(static_cast<std::uint8_t>(bg));
                    remembered = run.background;
                }
            }
            break;
        }
        }
        runs.push_back(run);
    }
}

void spansFromRuns(const std::vector<FormatRun>& runs, std::size_t strippedLength, std::vector<FormatSpan>& spans)
{
    spans.clear();
    spans.push_back(FormatSpan{});
    // The toggles are per line and survive a plain code; the style they set is what the characters show.
    bool boldFlag = false;
    bool underlineFlag = false;
    bool reverseFlag = false;
    CharFormat f;
    for (const FormatRun& run : runs) {
        const auto pos = static_cast<std::uint32_t>(run.position);
        if (pos >= strippedLength && strippedLength > 0)
            break; // codes at the very end colour nothing
        switch (run.kind) {
        case RunKind::Bold:
            // The bold rule keeps the underline the characters already show and sets bold from the toggle.
            boldFlag = !boldFlag;
            f.bold = boldFlag;
            break;
        case RunKind::Underline:
            underlineFlag = !underlineFlag;
            f.underline = underlineFlag;
            break;
        case RunKind::Reverse:
            reverseFlag = !reverseFlag;
            f.foreground = reverseFlag ? kWhite : kBlack;
            f.background = reverseFlag ? kBlack : kWhite;
            break;
        case RunKind::Colour:
            f.foreground = ircNumber(run.foreground);
            f.background = ircNumber(run.background);
            break;
        case RunKind::Plain: f = CharFormat{}; break;
        }
        if (spans.back().start == pos)
            spans.back().format = f;
        else
            spans.push_back(FormatSpan{pos, f});
        // A span that ends up like the one before it is folded into it.
        if (spans.size() >= 2 && spans[spans.size() - 2].format == spans.back().format)
            spans.pop_back();
    }
}

} // namespace morva
