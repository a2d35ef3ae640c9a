// The window logs: file names, the date lines, UTF-8, failures kept from the window, and a main window writing
// what its windows show when "Logs" is on.
#include "ui/main/ChatLog.h"

#include "TrafficFixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace morva::test {
namespace {

QString readAll(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QStringLiteral("<missing>");
}

TEST(ChatLogNames, UnsafeCharactersAndDeviceNamesAreReplaced)
{
    const struct
    {
        const char* window; // UTF-8
        const char* file;
    } cases[] = {
        {"#Dawnhall", "#Dawnhall.log"},
        {"Система", "Система.log"},
        {"a/b\\c:d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j.log"},
        {"\x01\x1f", "__.log"},
        {"trail. ", "trail__.log"},
        {"con", "_con.log"},
        {"COM7", "_COM7.log"},
        {"COM", "COM.log"},
        {"", "_.log"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window);
        EXPECT_EQ(ChatLog::safeFileName(text::fromUtf8(c.window)), QString::fromUtf8(c.file));
    }
}

TEST(ChatLogFiles, DateLineOpensEachRunAndEachDayAndTextIsUtf8)
{
    QTemporaryDir tmp;
    const QString folder = tmp.filePath(QStringLiteral("Logs"));
    QDate day(2026, 12, 10);
    {
        ChatLog log(folder);
        log.setToday([&] { return day; });
        log.write("#A", text::fromUtf8("12:00:00 <Ветер> привет"));
        log.write("#a", "second"); // the same window whatever the case
        day = day.addDays(1);
        log.write("#A", "third");
    }
    {
        ChatLog log(folder);
        log.setToday([&] { return day; });
        log.write("#A", "next run");
    }
    EXPECT_EQ(readAll(QDir(folder).filePath(QStringLiteral("#A.log"))),
              QStringLiteral("--- 10.12.2026 ---\n12:00:00 <Ветер> привет\nsecond\n--- 11.12.2026 ---\nthird\n"
                             "--- 11.12.2026 ---\nnext run\n"));
}

TEST(ChatLogFiles, AFolderThatCannotBeMadeLosesTheLinesQuietly)
{
    QTemporaryDir tmp;
    const QString blocker = tmp.filePath(QStringLiteral("Logs"));
    QFile f(blocker);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)); // a file where the folder should be
    f.close();
    ChatLog log(blocker);
    log.write("#A", "lost");
    log.write("#A", "lost too");
    EXPECT_FALSE(QFile::exists(QDir(blocker).filePath(QStringLiteral("#A.log"))));
}

class LoggingForm : public TrafficFixture
{
protected:
    void beforeCreate() override { setStored("Logs", QStringLiteral("-1")); }
    QString logFile(const char* window) const
    {
        return QDir(dataDir).filePath(QStringLiteral("Logs/") + QString::fromUtf8(window) + QStringLiteral(".log"));
    }
};

TEST_F(LoggingForm, EveryShownLineGoesToItsWindowsLogWithoutCodes)
{
    ASSERT_NE(form->chatLog(), nullptr);
    in(":me!i@h JOIN :#chan");
    in(":bob!b@h PRIVMSG #chan :^Bжирный^B ^C4,1цвет");
    const QString log = readAll(logFile("#CHAN"));
    const QStringList lines = log.split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 3) << log.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("--- "))) << log.toStdString();
    EXPECT_TRUE(lines.last().isEmpty());
    EXPECT_TRUE(lines[lines.size() - 2].endsWith(QStringLiteral(" <bob> жирный цвет"))) << log.toStdString();
    // The system window logs too, under its Russian name.
    EXPECT_TRUE(QFile::exists(logFile("Система")));
}

class QuietForm : public TrafficFixture
{};

TEST_F(QuietForm, NothingIsWrittenWhileLogsAreOff)
{
    EXPECT_EQ(form->chatLog(), nullptr);
    in(":me!i@h JOIN :#chan");
    in(":bob!b@h PRIVMSG #chan :hi");
    EXPECT_FALSE(QDir(QDir(dataDir).filePath(QStringLiteral("Logs"))).exists());
}

} // namespace
} // namespace morva::test
