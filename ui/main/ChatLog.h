// ChatLog: the per-window log files, one UTF-8 text file a window under the log folder.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include <QDate>
#include <QString>

class QFile;

namespace morva {

// Appends the lines shown in a window to "<folder>/<safe window name>.log", converted from Windows-1251 to
// UTF-8, each ending with a line feed. The first line written to a file in a run, and the first of every new
// day, is preceded by a date line ("--- 10.12.2026 ---"). A file that cannot be opened or written is left
// alone for a while and tried again later; nothing of a failure reaches the caller, so a full disk or a
// read-only folder never disturbs the window. UI thread only.
class ChatLog
{
public:
    explicit ChatLog(QString folder);
    ~ChatLog();
    ChatLog(const ChatLog&) = delete;
    ChatLog& operator=(const ChatLog&) = delete;

    // line is the shown text without formatting codes, Windows-1251.
    void write(const std::string& window, std::string_view line);
    // Closes the window's file (the window went away); the next line opens it again.
    void close(const std::string& window);

    const QString& folder() const { return m_folder; }
    // The file name a window's lines go to: characters that no file system takes, control characters, and
    // trailing dots and blanks become "_", and a device name of Windows ("CON", "COM1" ...) gets a "_" in front.
    static QString safeFileName(const std::string& window);

    // Tests: the day a line is written on (default: today's local date).
    void setToday(std::function<QDate()> today) { m_today = std::move(today); }

private:
    struct File;
    File* open(const std::string& window);

    QString m_folder;
    std::function<QDate()> m_today;
    std::unordered_map<std::string, std::unique_ptr<File>> m_files;
};

} // namespace morva
