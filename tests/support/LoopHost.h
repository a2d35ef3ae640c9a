// A plain-loop host for the engine: the test's own thread is the UI thread and pumps the loop.
#pragma once

#include "engine/Host.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace morva::test {

class LoopHost : public Host
{
public:
    LoopHost() : m_ui(std::this_thread::get_id()) {}

    void runOnUiThreadAndWait(const std::function<void()>& fn) override;
    void processPendingMessages(bool all = true) override;
    bool isUiThread() const override { return std::this_thread::get_id() == m_ui; }

    // Queues fn for the UI thread without waiting (any thread).
    void post(std::function<void()> fn);
    // Pumps the loop until pred() holds or timeoutMs passed; returns pred().
    bool runUntil(const std::function<bool()>& pred, int timeoutMs = 3000);
    // Pumps the loop for ms milliseconds.
    void runFor(int ms);
    // Blocks until a task is queued or ms passed.
    void waitForWork(int ms);

private:
    struct Task
    {
        std::function<void()> owned;
        const std::function<void()>* borrowed = nullptr;
        bool* done = nullptr;
    };

    std::thread::id m_ui;
    std::mutex m_mutex;
    std::condition_variable m_queued;
    std::condition_variable m_done;
    std::deque<Task> m_tasks;
};

} // namespace morva::test
