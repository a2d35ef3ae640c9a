// Reading stored settings: every value is kept as text, and a value the program never wrote gives the default.
#pragma once

#include <optional>

#include <QString>
#include <QVariant>

class QSettings;

namespace morva {

// The text of a stored value. Text is taken as it is; a list (how an INI file reads an unquoted "a, b") is
// joined back with ", "; a number or a truth value (how another store may keep one) gives its decimal text or
// "-1"/"0"; anything else (binary data, a missing value) gives nothing.
std::optional<QString> storedText(const QVariant& value);

// A decimal integer with optional sign and surrounding blanks, within the range of int.
std::optional<int> parseStoredInt(const QString& text);
// A truth value: any integer (0 false, everything else true) or the words True and False in any case.
std::optional<bool> parseStoredBool(const QString& text);

QString readStoredString(const QSettings& store, const QString& key, const QString& def);
int readStoredInt(const QSettings& store, const QString& key, int def);
bool readStoredBool(const QSettings& store, const QString& key, bool def);

} // namespace morva
