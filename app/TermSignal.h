// closeOnTermSignal: a termination request from the system (SIGTERM, SIGINT, SIGHUP) closes the main window the
// way its close button does, so the lists and the window's place are saved as on any other exit.
#pragma once

class QWidget;

namespace morva {

// Installs the handlers; the window is closed on the UI thread, from the event loop. Does nothing on Windows,
// where the system closes the window itself at logoff.
void closeOnTermSignal(QWidget& window);

} // namespace morva
