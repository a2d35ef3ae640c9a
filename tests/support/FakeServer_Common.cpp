// The parts of the loopback test server that are the same on every platform: what it received and the waits.
#include "tests/support/FakeServer.h"

#include <chrono>

namespace morva::test {

std::string FakeServer::received()
{
    std::lock_guard lock(m_mutex);
    return m_received;
}

int FakeServer::connections()
{
    std::lock_guard lock(m_mutex);
    return m_connections;
}

static bool waitCond(const std::function<bool()>& cond, const FakeServer::Pump& pump, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!cond()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        pump(2);
    }
    return true;
}

bool FakeServer::waitFor(std::string_view needle, const Pump& pump, int timeoutMs)
{
    return waitCond([&] { return received().find(needle) != std::string::npos; }, pump, timeoutMs);
}

bool FakeServer::waitClient(const Pump& pump, int timeoutMs)
{
    return waitCond(
        [&] {
            std::lock_guard lock(m_mutex);
            return m_client != SocketHandle(-1) && !m_peerClosed;
        },
        pump, timeoutMs);
}

bool FakeServer::waitPeerClosed(const Pump& pump, int timeoutMs)
{
    return waitCond(
        [&] {
            std::lock_guard lock(m_mutex);
            return m_peerClosed;
        },
        pump, timeoutMs);
}

} // namespace morva::test
