// The session bus address the program starts with: a desktop's bus kept, none launched where there is none.
#include "app/SessionBus.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace morva::test {
namespace {

// Sets or clears an environment variable for a scope, putting the old value back.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const QByteArray* value) : m_name(name), m_had(qEnvironmentVariableIsSet(name))
    {
        m_old = qgetenv(name);
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

TEST(SessionBus, AnnouncedBusIsKeptAndNoneIsLaunched)
{
    QTemporaryDir withBus;
    QTemporaryDir withoutBus;
    ASSERT_TRUE(withBus.isValid() && withoutBus.isValid());
    {
        QFile socket(QDir(withBus.path()).filePath(QStringLiteral("bus")));
        ASSERT_TRUE(socket.open(QIODevice::WriteOnly));
    }
    const QByteArray desktop = "unix:path=/run/user/1000/bus";
    const QByteArray empty;
    const QByteArray busDir = withBus.path().toLocal8Bit();
    const QByteArray noBusDir = withoutBus.path().toLocal8Bit();
    struct Case
    {
        const char* what;
        const QByteArray* address; // nullptr: unset
        const QByteArray* runtimeDir;
        QByteArray expected; // "" for: still unset
    };
    const Case cases[] = {
        {"a desktop session's address", &desktop, &noBusDir, desktop},
        {"the bus socket of the runtime folder", nullptr, &busDir, ""},
        {"no address, no socket", nullptr, &noBusDir, "disabled:"},
        {"an empty address and no runtime folder", &empty, nullptr, "disabled:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedEnv address("DBUS_SESSION_BUS_ADDRESS", c.address);
        ScopedEnv runtime("XDG_RUNTIME_DIR", c.runtimeDir);
        avoidBusAutolaunch();
#ifdef _WIN32
        EXPECT_EQ(qgetenv("DBUS_SESSION_BUS_ADDRESS"), c.address ? *c.address : QByteArray());
#else
        EXPECT_EQ(qgetenv("DBUS_SESSION_BUS_ADDRESS"), c.expected);
#endif
    }
}

} // namespace
} // namespace morva::test
