// The built-in skin and the skin file reader.
#include "skin/Skin.h"

#include <QFileInfo>
#include <QSettings>

namespace morva {

Skin Skin::builtIn()
{
    Skin s;
    s.name = QStringLiteral("MetroUI (internal)");
    return s;
}

std::optional<Skin> Skin::fromFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return std::nullopt;
    QSettings file(path, QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        return std::nullopt;
    Skin s = builtIn();
    s.name = info.completeBaseName();
    file.beginGroup(QStringLiteral("Colors"));
    // clang-format off
    const std::pair<const char*, QColor*> fields[] = {
        {"Window", &s.window},         {"Panel", &s.panel},         {"Border", &s.border},
        {"Text", &s.text},             {"MutedText", &s.mutedText}, {"Accent", &s.accent},
        {"AccentText", &s.accentText}, {"Base", &s.base},           {"BaseText", &s.baseText},
        {"Hover", &s.hover},           {"Pressed", &s.pressed},     {"Selection", &s.selection},
        {"SelectionText", &s.selectionText}, {"TitleBar", &s.titleBar}, {"TitleText", &s.titleText},
        {"CloseHover", &s.closeHover},
    };
    // clang-format on
    for (const auto& [key, colour] : fields) {
        const QColor c = QColor::fromString(file.value(QLatin1String(key)).toString().trimmed());
        if (c.isValid())
            *colour = c;
    }
    return s;
}

} // namespace morva
