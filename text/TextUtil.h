// Small text helpers used throughout: before/after a separator, trimming, the n-th word, integer parsing,
// local time formatting.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace morva::text {

// The part of s before the first occurrence of sep; the whole of s when sep is absent.
std::string_view before(std::string_view s, std::string_view sep);
// The part of s after the first occurrence of sep; empty when sep is absent.
std::string_view after(std::string_view s, std::string_view sep);
// Leading and trailing bytes up to and including the blank (control characters too) removed.
std::string_view trim(std::string_view s);
std::string_view trimLeft(std::string_view s);
std::string_view trimRight(std::string_view s);
// Word n (1-based) of s, words separated by runs of blanks; empty when s has fewer words.
std::string_view word(std::string_view s, int n);
// s from word n (1-based) to the end, leading blanks of that word removed.
std::string_view fromWord(std::string_view s, int n);

// A whole decimal integer with an optional sign and no other characters, within the range of int.
std::optional<int> toInt(std::string_view s);
// The integer value, or def when s is not a whole integer.
int toIntDef(std::string_view s, int def);
std::string toString(long long v);

// The local time of t formatted by strftime; safe on any thread.
std::string formatLocalTime(std::time_t t, const char* format);

bool startsWith(std::string_view s, std::string_view p);
bool endsWith(std::string_view s, std::string_view p);

} // namespace morva::text
