// A scripted loopback IRC server for byte-exact protocol tests.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace morva::test {

// A socket: a descriptor on POSIX, a SOCKET on Windows; -1 (INVALID_SOCKET) when there is none.
#ifdef _WIN32
using SocketHandle = std::uintptr_t;
#else
using SocketHandle = int;
#endif

// Listens on 127.0.0.1 at a free port. A thread of its own accepts clients (one at a time) and records every byte
// that arrives; the test sends bytes and closes the link from its own thread. Waits take a pump so that the
// test's UI loop keeps running while it waits.
class FakeServer
{
public:
    FakeServer();
    ~FakeServer();

    int port() const { return m_port; }
    // Everything received from the current client so far, and from all clients together.
    std::string received();
    int connections();

    using Pump = std::function<void(int ms)>;
    // Waits (pumping) until the bytes received from the current client contain needle.
    bool waitFor(std::string_view needle, const Pump& pump, int timeoutMs = 3000);
    // Waits until a client is connected.
    bool waitClient(const Pump& pump, int timeoutMs = 3000);
    // Waits until the current client closed its end.
    bool waitPeerClosed(const Pump& pump, int timeoutMs = 3000);
    void send(std::string_view bytes);
    // Closes the current client's link (an orderly close).
    void closeClient();
    // Stops accepting: later connects are refused.
    void stopListening();

private:
    void run();

    SocketHandle m_listen = SocketHandle(-1);
    int m_port = 0;
    SocketHandle m_wake[2] = {SocketHandle(-1), SocketHandle(-1)}; // Windows: one loopback datagram socket
    std::thread m_thread;
    std::mutex m_mutex;
    SocketHandle m_client = SocketHandle(-1);
    bool m_peerClosed = false;
    int m_connections = 0;
    std::string m_received;
    bool m_quit = false;
};

// Reserves a free loopback port (bound and released), for servers started as processes.
int freeLoopbackPort();

// A loopback listener that never accepts, its queue filled by a few pending connects: a further connect to it gets
// no answer, so it can only time out.
class StalledListener
{
public:
    StalledListener();
    ~StalledListener();
    StalledListener(const StalledListener&) = delete;
    StalledListener& operator=(const StalledListener&) = delete;

    int port() const { return m_port; }

private:
    SocketHandle m_listen = SocketHandle(-1);
    SocketHandle m_fillers[4] = {SocketHandle(-1), SocketHandle(-1), SocketHandle(-1), SocketHandle(-1)};
    int m_port = 0;
};

} // namespace morva::test
