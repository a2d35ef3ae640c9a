// The encodings of the stored settings: the built-in server list, the password scrambling and the font string.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <QFont>
#include <QString>

namespace morva {

// The number of built-in servers; the stored "Server" value is an index below it.
constexpr int kServerCount = 7;

// The built-in host at index 0 to kServerCount - 1, in the order the connection dialog lists them; any other
// index gives an empty host.
std::string IndToServer(int index);

// The byte every password byte is combined with. A password byte equal to it scrambles to a zero byte, which
// a registry string cannot hold; encodeStoredPassword escapes that case.
constexpr unsigned char kCsorKey = 0xB6;

// Scrambles a password and unscrambles its scrambled form: each byte combined with kCsorKey by exclusive or.
// The result has the length of the input.
std::string Csor(std::string_view text);

// The "ps" value for a password (Windows-1251): Csor of the password, where a zero byte is written as the pair
// 0x01 '0' and a 0x01 byte as the pair 0x01 0x01, so that no byte is lost in a store that ends strings at a
// zero. Every other password keeps the length of its scrambled form.
QString encodeStoredPassword(std::string_view password);
// The password of a "ps" value; the inverse of encodeStoredPassword. A 0x01 at the end, or before another
// byte, stands for itself.
std::string decodeStoredPassword(const QString& stored);

// The chosen font of the text views: the Qt font, plus what a font string carries that QFont has not: the colour
// as a Windows colour value (0x00BBGGRR, system colours negative), the pixels per inch the height was measured at
// and the pitch as it was asked for.
struct ChosenFont
{
    // The window-text system colour, the colour a font has until one is picked.
    static constexpr std::int32_t kWindowText = static_cast<std::int32_t>(0x80000008u);

    QFont font;
    std::int32_t color = kWindowText;
    int pixelsPerInch = 96;
    int pitch = 0; // 0 default, 1 variable, 2 fixed; 2 also makes font fixed-pitch
};

// The font string: colour, height, face name, pitch, pixels per inch and size, each followed by "|", then four
// letters "y"/"n" for bold, italic, underline and strikeout. Windows-1251.
std::string FontToStr(const ChosenFont& font);

// Sets font from a font string. An empty string leaves the font unchanged and counts as success. A string that
// cannot be a font string (fewer than six fields, a numeric field that is not an integer, a size, height or
// pixels per inch outside a sane range, an empty face) also leaves the font unchanged, and the result is false.
// Style letters missing at the end count as "n".
bool StrToFont(std::string_view text, ChosenFont& font);

// Takes the next field off the front of text: leading delimiters are skipped, then the characters up to the next
// delimiter (which stays in text) or the end are moved into the field. Empty text gives an empty field.
std::string tok(std::string_view delimiters, std::string& text);

} // namespace morva
