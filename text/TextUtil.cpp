// Small text helpers.
#include "text/TextUtil.h"

#include <charconv>

namespace morva::text {

std::string_view before(std::string_view s, std::string_view sep)
{
    const auto p = s.find(sep);
    return p == std::string_view::npos ? s : s.substr(0, p);
}

std::string_view after(std::string_view s, std::string_view sep)
{
    const auto p = s.find(sep);
    return p == std::string_view::npos ? std::string_view{} : s.substr(p + sep.size());
}

static bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view trimLeft(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && isBlank(s[i]))
        ++i;
    return s.substr(i);
}

std::string_view trimRight(std::string_view s)
{
    std::size_t n = s.size();
    while (n > 0 && isBlank(s[n - 1]))
        --n;
    return s.substr(0, n);
}

std::string_view trim(std::string_view s)
{
    return trimRight(trimLeft(s));
}

std::string_view fromWord(std::string_view s, int n)
{
    std::size_t i = 0;
    for (int w = 1; n > 0; ++w) {
        while (i < s.size() && s[i] == ' ')
            ++i;
        if (i >= s.size())
            return {};
        if (w == n)
            return s.substr(i);
        while (i < s.size() && s[i] != ' ')
            ++i;
    }
    return {};
}

std::string_view word(std::string_view s, int n)
{
    const std::string_view rest = fromWord(s, n);
    return rest.substr(0, rest.find(' '));
}

std::optional<int> toInt(std::string_view s)
{
    if (s.empty())
        return std::nullopt;
    const char* b = s.data();
    const char* e = s.data() + s.size();
    if (*b == '+')
        ++b;
    int v = 0;
    auto r = std::from_chars(b, e, v);
    if (r.ec != std::errc() || r.ptr != e || b == e)
        return std::nullopt;
    return v;
}

int toIntDef(std::string_view s, int def)
{
    return toInt(s).value_or(def);
}

std::string toString(long long v)
{
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::string formatLocalTime(std::time_t t, const char* format)
{
    std::tm tm{};
    // The C library's localtime shares one buffer between threads; both platforms have a reentrant form.
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    char buf[128];
    const std::size_t n = std::strftime(buf, sizeof buf, format, &tm);
    return std::string(buf, n);
}

bool startsWith(std::string_view s, std::string_view p)
{
    return s.substr(0, p.size()) == p;
}

bool endsWith(std::string_view s, std::string_view p)
{
    return s.size() >= p.size() && s.substr(s.size() - p.size()) == p;
}

} // namespace morva::text
