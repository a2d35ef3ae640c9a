// Windows-1251 code page tables and case rules.
#include "text/Cp1251.h"

#include <array>
#include <cstdint>

namespace morva::text {
namespace {

// clang-format off
constexpr std::array<char16_t, 128> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// Upper/lower pairs outside the two regular ranges (A-Z, and А-Я with а-я at +0x20).
constexpr std::array<std::pair<unsigned char, unsigned char>, 15> kPairs = {{
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F},
    {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4}, {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3},
    {0xBD, 0xBE},
}};
// clang-format on

struct Tables
{
    std::array<unsigned char, 256> up{};
    std::array<unsigned char, 256> low{};
    std::array<unsigned char, 0x2200> back{}; // code point -> byte, 0 where none (except U+0000 itself)

    constexpr Tables()
    {
        for (int i = 0; i < 256; ++i) {
            up[i] = static_cast<unsigned char>(i);
            low[i] = static_cast<unsigned char>(i);
        }
        for (int c = 'a'; c <= 'z'; ++c) {
            up[c] = static_cast<unsigned char>(c - 32);
            low[c - 32] = static_cast<unsigned char>(c);
        }
        for (int c = 0xE0; c <= 0xFF; ++c) {
            up[c] = static_cast<unsigned char>(c - 32);
            low[c - 32] = static_cast<unsigned char>(c);
        }
        for (auto [u, l] : kPairs) {
            up[l] = u;
            low[u] = l;
        }
        for (int i = 0; i < 128; ++i)
            back[i] = static_cast<unsigned char>(i);
        for (int i = 0; i < 128; ++i)
            back[kHigh[i]] = static_cast<unsigned char>(0x80 + i);
    }
};

constexpr Tables kTables;

} // namespace

char32_t toUnicode(unsigned char byte)
{
    return byte < 0x80 ? char32_t(byte) : char32_t(kHigh[byte - 0x80]);
}

unsigned char fromUnicode(char32_t cp)
{
    if (cp < 0x80)
        return static_cast<unsigned char>(cp);
    if (cp < kTables.back.size() && kTables.back[cp] != 0)
        return kTables.back[cp];
    return '?';
}

std::u16string toUtf16(std::string_view s)
{
    std::u16string out;
    out.resize(s.size());
    for (std::size_t i = 0; i < s.size(); ++i)
        out[i] = static_cast<char16_t>(toUnicode(static_cast<unsigned char>(s[i])));
    return out;
}

std::string fromUtf16(std::u16string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        }
        out.push_back(static_cast<char>(fromUnicode(cp)));
    }
    return out;
}

std::string toUtf8(std::string_view s)
{
    std::string out;
    out.reserve(s.size() * 2);
    for (unsigned char b : s) {
        char32_t cp = toUnicode(b);
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

std::string fromUtf8(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        char32_t cp;
        std::size_t len;
        if (b < 0x80) {
            cp = b;
            len = 1;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            len = 2;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            len = 3;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07;
            len = 4;
        } else {
            out.push_back('?');
            ++i;
            continue;
        }
        if (i + len > s.size()) {
            out.push_back('?');
            break;
        }
        bool ok = true;
        for (std::size_t k = 1; k < len; ++k) {
            unsigned char c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok) {
            out.push_back('?');
            ++i;
            continue;
        }
        out.push_back(static_cast<char>(fromUnicode(cp)));
        i += len;
    }
    return out;
}

unsigned char upperByte(unsigned char c)
{
    return kTables.up[c];
}

unsigned char lowerByte(unsigned char c)
{
    return kTables.low[c];
}

std::string upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(kTables.up[static_cast<unsigned char>(c)]);
    return out;
}

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(kTables.low[static_cast<unsigned char>(c)]);
    return out;
}

int compareText(std::string_view a, std::string_view b)
{
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const int x = kTables.low[static_cast<unsigned char>(a[i])];
        const int y = kTables.low[static_cast<unsigned char>(b[i])];
        if (x != y)
            return x - y;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool sameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (kTables.low[static_cast<unsigned char>(a[i])] != kTables.low[static_cast<unsigned char>(b[i])])
            return false;
    return true;
}

std::size_t findText(std::string_view hay, std::string_view needle, std::size_t from)
{
    if (needle.size() > hay.size())
        return std::string_view::npos;
    for (std::size_t i = from; i + needle.size() <= hay.size(); ++i)
        if (sameText(hay.substr(i, needle.size()), needle))
            return i;
    return std::string_view::npos;
}

std::size_t CaseBlindHash::operator()(std::string_view s) const noexcept
{
    // FNV-1a over the lower-case bytes.
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : s) {
        h ^= kTables.low[c];
        h *= 1099511628211ull;
    }
    return static_cast<std::size_t>(h);
}

} // namespace morva::text
