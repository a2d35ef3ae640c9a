// A plain-loop host for the engine.
#include "tests/support/LoopHost.h"

#include <chrono>

namespace morva::test {

void LoopHost::runOnUiThreadAndWait(const std::function<void()>& fn)
{
    if (isUiThread()) {
        fn();
        return;
    }
    bool done = false;
    std::unique_lock lock(m_mutex);
    m_tasks.push_back(Task{{}, &fn, &done});
    m_queued.notify_all();
    m_done.wait(lock, [&] { return done; });
}

void LoopHost::post(std::function<void()> fn)
{
    std::lock_guard lock(m_mutex);
    m_tasks.push_back(Task{std::move(fn), nullptr, nullptr});
    m_queued.notify_all();
}

void LoopHost::processPendingMessages(bool all)
{
    for (;;) {
        Task t;
        {
            std::lock_guard lock(m_mutex);
            if (m_tasks.empty())
                return;
            t = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        if (t.borrowed)
            (*t.borrowed)();
        else if (t.owned)
            t.owned();
        if (t.done) {
            std::lock_guard lock(m_mutex);
            *t.done = true;
            m_done.notify_all();
        }
        if (!all)
            return;
    }
}

void LoopHost::waitForWork(int ms)
{
    std::unique_lock lock(m_mutex);
    m_queued.wait_for(lock, std::chrono::milliseconds(ms), [&] { return !m_tasks.empty(); });
}

bool LoopHost::runUntil(const std::function<bool()>& pred, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        processPendingMessages(true);
        if (pred())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        waitForWork(2);
    }
}

void LoopHost::runFor(int ms)
{
    runUntil([] { return false; }, ms);
}

} // namespace morva::test
