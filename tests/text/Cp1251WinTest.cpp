// The Windows-1251 codec and case rules against the system's own code page 1251 (Windows build only).
#include "text/Cp1251.h"

#include <windows.h>

#include <gtest/gtest.h>

using namespace morva::text;

namespace {

constexpr UINT kCodePage = 1251;

// The system's code point for a byte; 0 when it has none.
wchar_t systemUnicode(unsigned char b)
{
    const char c = static_cast<char>(b);
    wchar_t w = 0;
    return ::MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, &c, 1, &w, 1) == 1 ? w : 0;
}

// The system's byte for a code point; -1 when the code page has none.
int systemByte(wchar_t w)
{
    char c = 0;
    BOOL lossy = FALSE;
    const int n = ::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, &w, 1, &c, 1, nullptr, &lossy);
    return n == 1 && !lossy ? static_cast<unsigned char>(c) : -1;
}

} // namespace

TEST(Cp1251System, EveryByteDecodesAsTheSystemDecodesIt)
{
    for (int b = 0; b < 256; ++b) {
        const wchar_t w = systemUnicode(static_cast<unsigned char>(b));
        if (w == 0 && b != 0)
            continue; // undefined in the system's table (0x98); ours keeps it as U+0098 on purpose
        EXPECT_EQ(static_cast<char32_t>(w), toUnicode(static_cast<unsigned char>(b))) << "byte " << b;
    }
}

TEST(Cp1251System, EveryCodePointOfTheTableEncodesAsTheSystemEncodesIt)
{
    for (int b = 0; b < 256; ++b) {
        const char32_t cp = toUnicode(static_cast<unsigned char>(b));
        const int sys = systemByte(static_cast<wchar_t>(cp));
        if (sys < 0)
            continue;
        EXPECT_EQ(fromUnicode(cp), sys) << "byte " << b;
    }
    // Characters the code page lacks.
    EXPECT_EQ(fromUnicode(U'\u00DF'), '?');
    EXPECT_EQ(systemByte(L'\u00DF'), -1);
}

TEST(Cp1251System, CaseRulesAgreeWithTheSystemWhereItsAnswerIsInTheCodePage)
{
    for (int b = 0; b < 256; ++b) {
        const wchar_t w = systemUnicode(static_cast<unsigned char>(b));
        if (w == 0)
            continue;
        wchar_t up = w, low = w;
        ::CharUpperBuffW(&up, 1);
        ::CharLowerBuffW(&low, 1);
        if (const int sys = systemByte(up); sys >= 0) {
            EXPECT_EQ(upperByte(static_cast<unsigned char>(b)), sys) << "upper of byte " << b;
        }
        if (const int sys = systemByte(low); sys >= 0) {
            EXPECT_EQ(lowerByte(static_cast<unsigned char>(b)), sys) << "lower of byte " << b;
        }
    }
}
