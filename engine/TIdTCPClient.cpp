// The TCP connect with its time-out rule.
#include "engine/TIdTCPClient.h"

#include "engine/IdExceptions.h"
#include "engine/TIdAntiFreeze.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace morva {
namespace {

// The state a connect thread shares with the thread that waits for it.
struct ConnectJob
{
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    int error = 0;
};

} // namespace

void TIdTCPClient::Connect(int /*timeout*/)
{
    if (m_inConnect)
        throw EIdAlreadyConnected();
    m_inConnect = true;
    try {
        connectSocket();
    } catch (...) {
        m_inConnect = false;
        throw;
    }
    m_inConnect = false;
}

void TIdTCPClient::connectSocket()
{
    if (m_link && m_link->socket.isOpen())
        throw EIdAlreadyConnected();
    auto link = std::make_shared<TIdLink>();
    m_link = link;
    try {
        link->socket.open(BoundIP);
        if (!net::isDottedAddress(Host))
            doStatus(TIdStatus::hsResolving, "Resolving hostname " + Host + ".");
        const net::Address peer = net::resolve(Host);
        doStatus(TIdStatus::hsConnecting, "Connecting to " + peer.dotted() + ".");

        TIdAntiFreeze* af = TIdAntiFreeze::Current();
        const bool stepped = af && af->Active && m_host.isUiThread();
        auto job = std::make_shared<ConnectJob>();
        std::thread worker([job, link, peer, port = static_cast<std::uint16_t>(Port)] {
            const int err = link->socket.connect(peer, port);
            std::lock_guard lock(job->mutex);
            job->error = err;
            job->finished = true;
            job->done.notify_all();
        });
        auto finished = [&] {
            std::lock_guard lock(job->mutex);
            return job->finished;
        };
        if (stepped) {
            const int step = std::min(af->IdleTimeOut, 125);
            int remaining = ConnectTimeOut;
            auto sleepFor = [&](int ms) {
                std::unique_lock lock(job->mutex);
                job->done.wait_for(lock, std::chrono::milliseconds(ms), [&] { return job->finished; });
            };
            while (remaining > step && !finished()) {
                sleepFor(step);
                af->DoProcess(true);
                remaining -= step;
            }
            if (!finished())
                sleepFor(remaining);
            if (!finished()) {
                link->socket.abandonConnect();
                worker.join();
                throw EIdConnectTimeout();
            }
        }
        worker.join();
        if (m_link != link) // closed meanwhile from a UI message during the wait
            net::raiseSocketError(net::WSAEINTR);
        const int err = job->error;
        if (err != 0 && err != net::WSAEBADF && err != net::WSAENOTSOCK)
            throw EIdConnectException(net::errorText(err));
        link->socket.markConnected();
        doStatus(TIdStatus::hsConnected, "Connected.");
        if (OnConnected)
            OnConnected(this);
    } catch (...) {
        link->socket.close();
        throw;
    }
}

} // namespace morva
