// Lets the UI run while the UI thread waits on the network.
#pragma once

#include "engine/Host.h"

namespace morva {

// The application has one; the most recently created instance is the one in effect. UI thread only.
class TIdAntiFreeze
{
public:
    explicit TIdAntiFreeze(Host& host);
    ~TIdAntiFreeze();
    TIdAntiFreeze(const TIdAntiFreeze&) = delete;
    TIdAntiFreeze& operator=(const TIdAntiFreeze&) = delete;

    bool Active = true;
    bool ApplicationHasPriority = true;
    int IdleTimeOut = 250; // milliseconds
    bool OnlyWhenIdle = true;

    static TIdAntiFreeze* Current();
    Host& host() const { return m_host; }
    // One step of a wait: processes pending UI messages when active, called on the UI thread, and idle or not
    // restricted to idle waits.
    void DoProcess(bool idle);

private:
    Host& m_host;
    TIdAntiFreeze* m_previous;
};

} // namespace morva
