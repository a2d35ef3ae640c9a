// SessionBus.
#include "app/SessionBus.h"

#include <QByteArray>
#include <QFileInfo>
#include <QString>

namespace morva {

void avoidBusAutolaunch()
{
#ifndef _WIN32
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus")))
        return;
    // Not an address libdbus can reach: it reports no bus at once and never launches one.
    qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArrayLiteral("disabled:"));
#endif
}

} // namespace morva
