// Reading stored settings as text.
#include "ui/dialogs/StoredValues.h"

#include "text/TextUtil.h"

#include <QSettings>
#include <QStringList>

namespace morva {

std::optional<QString> storedText(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QString: return value.toString();
    case QMetaType::QStringList: return value.toStringList().join(QStringLiteral(", "));
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("-1") : QStringLiteral("0");
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return value.toString();
    default: return std::nullopt;
    }
}

std::optional<int> parseStoredInt(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 16)
        return std::nullopt;
    return text::toInt(t.toStdString());
}

std::optional<bool> parseStoredBool(const QString& text)
{
    if (const auto i = parseStoredInt(text))
        return *i != 0;
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

QString readStoredString(const QSettings& store, const QString& key, const QString& def)
{
    if (!store.contains(key))
        return def;
    return storedText(store.value(key)).value_or(def);
}

int readStoredInt(const QSettings& store, const QString& key, int def)
{
    if (!store.contains(key))
        return def;
    const auto t = storedText(store.value(key));
    return t ? parseStoredInt(*t).value_or(def) : def;
}

bool readStoredBool(const QSettings& store, const QString& key, bool def)
{
    if (!store.contains(key))
        return def;
    const auto t = storedText(store.value(key));
    return t ? parseStoredBool(*t).value_or(def) : def;
}

} // namespace morva
