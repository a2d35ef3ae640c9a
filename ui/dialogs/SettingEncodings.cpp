// The built-in server list, the password scrambling and the font string.
#include "ui/dialogs/SettingEncodings.h"

#include "text/QtText.h"
#include "text/TextUtil.h"

#include <array>
#include <cmath>
#include <optional>

namespace morva {
namespace {

// clang-format off
constexpr std::array<const char*, kServerCount> kServers = {
    "irc.dawnhall.net",     // the round-robin name
    "moscow.dawnhall.net",
    "spb.dawnhall.net",
    "kiev.dawnhall.net",
    "minsk.dawnhall.net",
    "eu.dawnhall.net",
    "us.dawnhall.net",
};
// clang-format on

constexpr char16_t kEscape = 0x01;

// Bounds a font string must keep to; anything outside them is a damaged value, not a font.
constexpr int kMaxPointSize = 400;
constexpr int kMaxPixelsPerInch = 10000;
constexpr int kMaxHeight = 10000;

} // namespace

std::string IndToServer(int index)
{
    if (index < 0 || index >= kServerCount)
        return {};
    return kServers[static_cast<std::size_t>(index)];
}

std::string Csor(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(static_cast<unsigned char>(c) ^ kCsorKey);
    return out;
}

QString encodeStoredPassword(std::string_view password)
{
    const QString scrambled = text::toQString(Csor(password));
    QString out;
    out.reserve(scrambled.size());
    for (QChar c : scrambled) {
        if (c.unicode() == 0) {
            out += QChar(kEscape);
            out += QChar(u'0');
        } else if (c.unicode() == kEscape) {
            out += QChar(kEscape);
            out += QChar(kEscape);
        } else {
            out += c;
        }
    }
    return out;
}

std::string decodeStoredPassword(const QString& stored)
{
    QString scrambled;
    scrambled.reserve(stored.size());
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const QChar c = stored[i];
        if (c.unicode() == kEscape && i + 1 < stored.size()) {
            const char16_t next = stored[i + 1].unicode();
            if (next == u'0') {
                scrambled += QChar(0);
                ++i;
                continue;
            }
            if (next == kEscape) {
                scrambled += QChar(kEscape);
                ++i;
                continue;
            }
        }
        scrambled += c;
    }
    return Csor(text::fromQString(scrambled));
}

std::string tok(std::string_view delimiters, std::string& text)
{
    if (text.empty())
        return {};
    const std::size_t start = text.find_first_not_of(delimiters);
    if (start == std::string::npos) {
        text.clear();
        return {};
    }
    std::size_t end = text.find_first_of(delimiters, start);
    if (end == std::string::npos)
        end = text.size();
    std::string field = text.substr(start, end - start);
    text.erase(0, end);
    return field;
}

std::string FontToStr(const ChosenFont& font)
{
    const int ppi = font.pixelsPerInch > 0 ? font.pixelsPerInch : 96;
    const QFont& f = font.font;
    int size = f.pointSize();
    int height = 0;
    if (size > 0) {
        height = -static_cast<int>(std::lround(f.pointSizeF() * ppi / 72.0));
    } else {
        const int pixels = f.pixelSize() > 0 ? f.pixelSize() : 11;
        height = -pixels;
        size = static_cast<int>(std::lround(pixels * 72.0 / ppi));
    }
    std::string out;
    out += text::toString(font.color) + "|";
    out += text::toString(height) + "|";
    out += text::fromQString(f.family()) + "|";
    out += text::toString(font.pitch) + "|";
    out += text::toString(ppi) + "|";
    out += text::toString(size) + "|";
    out += f.bold() ? 'y' : 'n';
    out += f.italic() ? 'y' : 'n';
    out += f.underline() ? 'y' : 'n';
    out += f.strikeOut() ? 'y' : 'n';
    return out;
}

bool StrToFont(std::string_view textIn, ChosenFont& font)
{
    if (textIn.empty())
        return true;
    std::string rest(textIn);
    const std::optional<int> color = text::toInt(tok("|", rest));
    const std::optional<int> height = text::toInt(tok("|", rest));
    const std::string face = tok("|", rest);
    const std::optional<int> pitch = text::toInt(tok("|", rest));
    const std::optional<int> ppi = text::toInt(tok("|", rest));
    const std::optional<int> size = text::toInt(tok("|", rest));
    // A value damaged anywhere is not taken in part: the font keeps everything it had.
    if (!color || !height || face.empty() || !pitch || !ppi || !size)
        return false;
    if (*height < -kMaxHeight || *height > kMaxHeight || *pitch < 0 || *pitch > 2 || *ppi <= 0 ||
        *ppi > kMaxPixelsPerInch || *size <= 0 || *size > kMaxPointSize)
        return false;

    QFont f = font.font;
    f.setFamily(text::toQString(face));
    f.setFixedPitch(*pitch == 2);
    // The height is the pixel form of the size; the size comes last and decides.
    f.setPointSize(*size);
    std::string_view style = rest;
    if (!style.empty() && style.front() == '|')
        style.remove_prefix(1);
    auto letter = [&](std::size_t i) { return i < style.size() && style[i] == 'y'; };
    f.setBold(letter(0));
    f.setItalic(letter(1));
    f.setUnderline(letter(2));
    f.setStrikeOut(letter(3));

    font.font = f;
    font.color = *color;
    font.pitch = *pitch;
    font.pixelsPerInch = *ppi;
    return true;
}

} // namespace morva
