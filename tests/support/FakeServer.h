// A scripted loopback IRC server for byte-exact protocol tests.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace morva::test {

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

    int m_listen = -1;
    int m_port = 0;
    int m_wake[2] = {-1, -1};
    std::thread m_thread;
    std::mutex m_mutex;
    int m_client = -1;
    bool m_peerClosed = false;
    int m_connections = 0;
    std::string m_received;
    bool m_quit = false;
};

// Reserves a free loopback port (bound and released), for servers started as processes.
int freeLoopbackPort();

} // namespace morva::test
