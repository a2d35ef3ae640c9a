// Reading and writing the list files.
#include "ui/main/UserFiles.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace morva {
namespace {

bool writeWhole(const QString& path, const std::string& bytes, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

std::vector<std::string> UserFiles::splitLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines.emplace_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.emplace_back(bytes.substr(start));
    return lines;
}

std::string UserFiles::joinLines(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

QString UserFiles::readPath(const QString& fileName) const
{
    if (!m_dataDir.isEmpty()) {
        const QString data = QDir(m_dataDir).filePath(fileName);
        if (QFile::exists(data))
            return data;
    }
    return QDir(m_exeDir).filePath(fileName);
}

std::vector<std::string> UserFiles::load(const QString& fileName) const
{
    QFile file(readPath(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return splitLines(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

bool UserFiles::save(const QString& fileName, const std::vector<std::string>& lines, QString* error) const
{
    const std::string bytes = joinLines(lines);
    QString exeError;
    if (writeWhole(QDir(m_exeDir).filePath(fileName), bytes, &exeError)) {
        // The executable's folder holds the newest copy again; an older one in the data folder would hide it.
        if (!m_dataDir.isEmpty())
            QFile::remove(QDir(m_dataDir).filePath(fileName));
        return true;
    }
    if (!m_dataDir.isEmpty() && QDir().mkpath(m_dataDir) &&
        writeWhole(QDir(m_dataDir).filePath(fileName), bytes, error))
        return true;
    if (error && error->isEmpty())
        *error = exeError;
    return false;
}

} // namespace morva
