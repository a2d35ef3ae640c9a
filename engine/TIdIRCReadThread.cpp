// The reader thread: reads lines and hands every complete line already received to the UI thread in one go.
#include "engine/TIdIRCReadThread.h"

#include "engine/IdExceptions.h"
#include "engine/TIdIRC.h"

#include <chrono>
#include <thread>
#include <vector>

namespace morva {
namespace {

class ReadThread
{
public:
    explicit ReadThread(std::shared_ptr<TIdIRCReaderContext> ctx) : m_ctx(std::move(ctx)), m_link(*m_ctx->link) {}

    void run()
    {
        try {
            loop();
        } catch (...) {
            // Every error ends the reader silently.
        }
        std::lock_guard lock(m_ctx->mutex);
        m_ctx->finished = true;
        m_ctx->ended.notify_all();
    }

private:
    void loop()
    {
        std::vector<std::string_view> batch;
        for (;;) {
            std::size_t consumed = 0;
            bool tooLong = false;
            batch.clear();
            for (;;) {
                std::string_view line;
                const TIdTake r = takeLine(m_link, "\n", m_ctx->maxLength, m_ctx->action, consumed, line);
                if (r == TIdTake::Line) {
                    batch.push_back(line);
                    continue;
                }
                tooLong = r == TIdTake::TooLong;
                break;
            }
            if (!batch.empty()) {
                const bool goOn = handOff(batch);
                m_link.input.erase(0, consumed);
                m_link.scanned -= consumed;
                if (!goOn)
                    return;
                check(true, false);
                continue;
            }
            if (tooLong)
                throw EIdReadLnMaxLineLengthExceeded();
            check(true, true);
            receive();
        }
    }

    // Runs the lines' handling on the UI thread and waits for it. Between two lines it checks what the reader
    // would check between two reads: that it was not told to stop and that the connection was not closed here.
    bool handOff(const std::vector<std::string_view>& batch)
    {
        bool goOn = true;
        TIdIRCReaderContext* ctx = m_ctx.get();
        ctx->host.runOnUiThreadAndWait([&] {
            for (std::string_view line : batch) {
                TIdIRC* engine = ctx->engine;
                if (!engine || ctx->stop.load() || ctx->link->closedLocally.load()) {
                    goOn = false;
                    return;
                }
                ctx->inHandoff = true;
                try {
                    engine->readerLine(line);
                } catch (...) {
                    goOn = false; // an escaping error ends the reader, silently
                }
                ctx->inHandoff = false;
                if (!goOn)
                    return;
            }
        });
        return goOn;
    }

    // The closed-connection check. A close by the peer found here is reported on the UI thread.
    bool check(bool raise, bool ignoreBuffer)
    {
        if (m_link.closedByPeer.load() && m_link.socket.close()) {
            TIdIRCReaderContext* ctx = m_ctx.get();
            ctx->host.runOnUiThreadAndWait([ctx] {
                if (ctx->engine && !ctx->stop.load())
                    ctx->engine->readerPeerClosed();
            });
        }
        const bool closed = !m_link.socket.isOpen();
        if (closed && raise && (ignoreBuffer || m_link.input.empty()))
            throw EIdConnClosedGracefully();
        return closed;
    }

    void receive()
    {
        if (m_ctx->readTimeout > 0 && !m_link.socket.waitReadable(m_ctx->readTimeout))
            throw EIdReadTimeout();
        for (;;) {
            const std::size_t old = m_link.input.size();
            m_link.input.resize(old + m_ctx->recvSize);
            int err = 0;
            long n = m_link.socket.recv(m_link.input.data() + old, m_ctx->recvSize, err);
            if (n < 0) {
                m_link.input.resize(old);
                if (err == net::WSAECONNABORTED || err == net::WSAESHUTDOWN) {
                    m_link.socket.close();
                    if (m_link.input.empty())
                        net::raiseSocketError(err);
                    n = 0;
                } else {
                    net::raiseSocketError(err);
                }
            }
            m_link.input.resize(old + static_cast<std::size_t>(n));
            if (n == 0)
                m_link.closedByPeer.store(true);
            const bool closed = check(false, false);
            if (n > 0 || closed)
                return;
        }
    }

    std::shared_ptr<TIdIRCReaderContext> m_ctx;
    TIdLink& m_link;
};

} // namespace

bool TIdIRCReaderContext::isFinished()
{
    std::lock_guard lock(mutex);
    return finished;
}

void TIdIRCReaderContext::release(int waitMs)
{
    engine = nullptr;
    stop.store(true);
    link->closedLocally.store(true);
    link->socket.close();
    if (inHandoff || waitMs <= 0)
        return;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (!isFinished() && std::chrono::steady_clock::now() < deadline) {
        host.processPendingMessages(true);
        std::unique_lock lock(mutex);
        ended.wait_for(lock, std::chrono::milliseconds(2), [&] { return finished; });
    }
}

void startReadThread(std::shared_ptr<TIdIRCReaderContext> ctx)
{
    std::thread([ctx = std::move(ctx)]() mutable { ReadThread(std::move(ctx)).run(); }).detach();
}

} // namespace morva
