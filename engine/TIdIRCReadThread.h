// The reader thread of the engine.
#pragma once

#include "engine/TIdTCPConnection.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

namespace morva {

class TIdIRC;

// What the engine and its reader thread share. The thread owns a reference, so the context, the link and its
// socket stay valid until the thread has left its last read, whatever the engine does meanwhile. engine and
// inHandoff are touched on the UI thread only; the engine sets engine to null when it lets go of the reader, and
// the thread never dereferences anything of the engine but from a hand-off that checks it first.
struct TIdIRCReaderContext
{
    TIdIRCReaderContext(Host& h, std::shared_ptr<TIdLink> l) : host(h), link(std::move(l)) {}

    Host& host;
    std::shared_ptr<TIdLink> link;
    TIdIRC* engine = nullptr;
    bool inHandoff = false;
    std::atomic<bool> stop{false};

    std::mutex mutex;
    std::condition_variable ended;
    bool finished = false;

    // Reading settings, copied at start.
    int readTimeout = 0;
    std::size_t maxLength = 16384;
    TIdMaxLineAction action = TIdMaxLineAction::maException;
    std::size_t recvSize = 32768;

    bool isFinished();
    // UI thread: lets go of the reader, closes its socket and waits (pumping UI messages) at most waitMs for the
    // thread to end; never waits from inside the reader's own hand-off.
    void release(int waitMs);
};

// Starts the reader thread for ctx; the thread is detached and releases its reference to ctx when it ends.
void startReadThread(std::shared_ptr<TIdIRCReaderContext> ctx);

} // namespace morva
