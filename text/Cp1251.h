// Windows-1251 text: conversion to and from Unicode, and the case rules used for every case-blind comparison.
#pragma once

#include <string>
#include <string_view>

namespace morva::text {

// Unicode code point of a Windows-1251 byte. The one undefined byte, 0x98, maps to U+0098 so that it survives a
// round trip through a widget unchanged.
char32_t toUnicode(unsigned char byte);
// Windows-1251 byte of a code point, or '?' when the code page has none.
unsigned char fromUnicode(char32_t cp);

std::u16string toUtf16(std::string_view cp1251);
std::string fromUtf16(std::u16string_view utf16);
std::string toUtf8(std::string_view cp1251);
std::string fromUtf8(std::string_view utf8);

// Case rules of the code page: Latin, Russian and the other Cyrillic letters (Ё/ё, Ў/ў, Є/є, І/і, Ї/ї, Ґ/ґ, Ђ/ђ,
// Ѓ/ѓ, Ј/ј, Љ/љ, Њ/њ, Ќ/ќ, Ћ/ћ, Џ/џ, Ѕ/ѕ). Every other byte is its own upper and lower case.
unsigned char upperByte(unsigned char c);
unsigned char lowerByte(unsigned char c);
std::string upper(std::string_view s);
std::string lower(std::string_view s);

// Case-blind comparison: <0, 0, >0 like strcmp, comparing the lower-case forms byte by byte.
int compareText(std::string_view a, std::string_view b);
bool sameText(std::string_view a, std::string_view b);
// Case-blind search: position of needle in hay at or after from, or npos.
std::size_t findText(std::string_view hay, std::string_view needle, std::size_t from = 0);

// Hash and equality of the case-blind form, for unordered containers keyed by nick or window name.
struct CaseBlindHash
{
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept;
};
struct CaseBlindEqual
{
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept { return sameText(a, b); }
};

} // namespace morva::text
