// The renderer's fixed 16-colour table and the compact colour numbers the line store keeps.
#pragma once

#include <array>
#include <cstdint>

namespace morva {

// 24-bit RGB, 0xRRGGBB.
using Rgb = std::uint32_t;

// clang-format off
inline constexpr std::array<Rgb, 16> kIrcColours = {
    0xFFFFFF, // 0  white
    0x000000, // 1  black
    0x000080, // 2  navy
    0x008000, // 3  green
    0xFF0000, // 4  red
    0x800000, // 5  maroon
    0x800080, // 6  purple
    0xFC7F00, // 7  orange
    0xFFFF00, // 8  yellow
    0x00FF00, // 9  lime
    0x008080, // 10 teal
    0x00FFFF, // 11 cyan
    0x0000FF, // 12 blue
    0xFF00FF, // 13 magenta
    0x808080, // 14 grey
    0xC0C0C0, // 15 silver
};
// clang-format on

inline constexpr std::uint8_t kWhite = 0;
inline constexpr std::uint8_t kBlack = 1;

// Every colour the renderer ever sets is an entry of the table (white and black included), so a character's
// colours are kept as two table numbers.
constexpr Rgb ircRgb(std::uint8_t number)
{
    return kIrcColours[number & 15];
}

// Table number of an RGB value of the table; black for anything else.
constexpr std::uint8_t ircNumber(Rgb rgb)
{
    for (std::uint8_t i = 0; i < kIrcColours.size(); ++i)
        if (kIrcColours[i] == rgb)
            return i;
    return kBlack;
}

} // namespace morva
