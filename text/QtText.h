// The one place where Windows-1251 text meets QString; included only by code that touches a widget.
#pragma once

#include "text/Cp1251.h"

#include <string>
#include <string_view>

#include <QString>

namespace morva::text {

inline QString toQString(std::string_view cp1251)
{
    const std::u16string u = toUtf16(cp1251);
    return QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size()));
}

inline std::string fromQString(const QString& s)
{
    return fromUtf16(
        std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size())));
}

} // namespace morva::text
