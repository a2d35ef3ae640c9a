// SessionBus: no message-bus daemon started behind the user's back.
#pragma once

namespace morva {

// On Linux, Qt's accessibility bridge asks for the session message bus as soon as the first widget changes. With
// no bus announced (DBUS_SESSION_BUS_ADDRESS unset and no "bus" socket in XDG_RUNTIME_DIR, as on a bare X server
// or a test display) libdbus would start a bus daemon of its own for the display, which costs the start-up some
// 40 ms and stays running after the program has ended. Called before the application object exists, this points
// the bus address at nothing instead, so the bridge simply finds no bus. A desktop session's bus is left alone.
// Does nothing on Windows.
void avoidBusAutolaunch();

} // namespace morva
