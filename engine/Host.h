// The engine's only window onto the application that hosts it.
#pragma once

#include <functional>

namespace morva {

// What the engine needs of the program around it. The application implements it over its toolkit's event loop;
// tests and tools implement it with a plain loop. Every engine event runs on the host's UI thread.
class Host
{
public:
    virtual ~Host() = default;

    // Runs fn on the UI thread and returns once it has run. Called from the UI thread, it runs fn at once.
    // fn must not throw.
    virtual void runOnUiThreadAndWait(const std::function<void()>& fn) = 0;
    // Lets pending UI messages run (all of them, or only one when all is false). UI thread only.
    virtual void processPendingMessages(bool all = true) = 0;
    virtual bool isUiThread() const = 0;
};

} // namespace morva
