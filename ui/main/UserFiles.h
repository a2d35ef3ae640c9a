// UserFiles: the list files kept beside the executable ("Aliases.txt", "ign.txt"), read at start, written at close.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <QString>

namespace morva {

// Each file holds one list entry per line, Windows-1251; CR LF, a lone CR or a lone LF ends a line when read,
// and every line written ends with CR LF.
//
// The files live in the executable's folder. Where that folder cannot be written (an installation under
// Program Files), a file goes to the per-user data folder instead, and from then on that copy is the one read,
// until a later write to the executable's folder succeeds and removes it. Every write goes to a temporary file
// first and replaces the old file only once complete, so a failed write never leaves a cut or empty file.
// Plain value type; UI thread in practice.
class UserFiles
{
public:
    UserFiles() = default;
    UserFiles(QString exeDir, QString dataDir) : m_exeDir(std::move(exeDir)), m_dataDir(std::move(dataDir)) {}

    const QString& exeDir() const { return m_exeDir; }
    const QString& dataDir() const { return m_dataDir; }

    // The copy a read uses: the data folder's when it exists, otherwise the executable folder's.
    QString readPath(const QString& fileName) const;
    // The lines of the file; empty when it is missing or unreadable.
    std::vector<std::string> load(const QString& fileName) const;
    // Writes the lines whole; false with error set when neither folder could take the file.
    bool save(const QString& fileName, const std::vector<std::string>& lines, QString* error = nullptr) const;

    static std::vector<std::string> splitLines(std::string_view bytes);
    static std::string joinLines(const std::vector<std::string>& lines);

private:
    QString m_exeDir;
    QString m_dataDir;
};

} // namespace morva
