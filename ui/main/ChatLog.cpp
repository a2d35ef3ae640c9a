// ChatLog.
#include "ui/main/ChatLog.h"

#include "text/Cp1251.h"
#include "text/QtText.h"

#include <QDir>
#include <QFile>

namespace morva {
namespace {

// After a failed open, a window's file is not tried again for this long.
constexpr auto kRetryAfter = std::chrono::seconds(10);

bool isDeviceName(const QString& base)
{
    static const char* const names[] = {"CON", "PRN", "AUX", "NUL"};
    const QString upper = base.toUpper();
    for (const char* n : names)
        if (upper == QLatin1String(n))
            return true;
    if (upper.size() == 4 && (upper.startsWith(QLatin1String("COM")) || upper.startsWith(QLatin1String("LPT"))))
        return upper[3] >= QLatin1Char('1') && upper[3] <= QLatin1Char('9');
    return false;
}

} // namespace

struct ChatLog::File
{
    QFile file;
    QDate day;
    std::chrono::steady_clock::time_point failedAt{};
    bool failed = false;
};

ChatLog::ChatLog(QString folder) : m_folder(std::move(folder)), m_today([] { return QDate::currentDate(); }) {}

ChatLog::~ChatLog() = default;

QString ChatLog::safeFileName(const std::string& window)
{
    QString name = text::toQString(window);
    for (QChar& c : name) {
        if (c.unicode() < 0x20 || QStringLiteral("<>:\"/\\|?*").contains(c))
            c = QLatin1Char('_');
    }
    for (qsizetype i = name.size() - 1; i >= 0 && (name[i] == QLatin1Char('.') || name[i] == QLatin1Char(' ')); --i)
        name[i] = QLatin1Char('_');
    if (name.isEmpty())
        name = QStringLiteral("_");
    if (isDeviceName(name))
        name.prepend(QLatin1Char('_'));
    return name + QStringLiteral(".log");
}

ChatLog::File* ChatLog::open(const std::string& window)
{
    auto& slot = m_files[text::upper(window)];
    if (!slot)
        slot = std::make_unique<File>();
    File* f = slot.get();
    if (f->file.isOpen())
        return f;
    const auto now = std::chrono::steady_clock::now();
    if (f->failed && now - f->failedAt < kRetryAfter)
        return nullptr;
    QDir().mkpath(m_folder);
    f->file.setFileName(QDir(m_folder).filePath(safeFileName(window)));
    if (!f->file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        f->failed = true;
        f->failedAt = now;
        return nullptr;
    }
    f->failed = false;
    f->day = QDate(); // a new run of the file starts with a date line
    return f;
}

void ChatLog::write(const std::string& window, std::string_view line)
{
    File* f = open(window);
    if (f == nullptr)
        return;
    std::string out;
    const QDate today = m_today();
    if (f->day != today) {
        f->day = today;
        out += "--- " + today.toString(QStringLiteral("dd.MM.yyyy")).toStdString() + " ---\n";
    }
    out += text::toUtf8(line);
    out += '\n';
    // Written through at once: a crash keeps every line shown before it, and a reader sees the line now.
    if (f->file.write(out.data(), static_cast<qint64>(out.size())) != static_cast<qint64>(out.size()) ||
        !f->file.flush()) {
        f->file.close();
        f->failed = true;
        f->failedAt = std::chrono::steady_clock::now();
    }
}

void ChatLog::close(const std::string& window)
{
    m_files.erase(text::upper(window));
}

} // namespace morva
