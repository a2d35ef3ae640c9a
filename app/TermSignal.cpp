// closeOnTermSignal.
#include "app/TermSignal.h"

#include <QWidget>

#ifndef _WIN32
#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#endif

namespace morva {

#ifndef _WIN32
namespace {

// The handler only writes a byte: the close itself must run in the event loop, not inside the signal.
int g_pipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[0], &c, 1);
}

} // namespace

void closeOnTermSignal(QWidget& window)
{
    if (g_pipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, QCoreApplication::instance());
    QPointer<QWidget> target(&window);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [target] {
        char buf[16];
        [[maybe_unused]] const ssize_t n = ::read(g_pipe[1], buf, sizeof buf);
        if (target)
            target->close();
    });
    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &sa, nullptr);
}
#else
void closeOnTermSignal(QWidget&) {}
#endif

} // namespace morva
