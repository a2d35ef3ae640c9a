// Lets the UI run while the UI thread waits on the network.
#include "engine/TIdAntiFreeze.h"

namespace morva {

static TIdAntiFreeze* g_current = nullptr;

TIdAntiFreeze::TIdAntiFreeze(Host& host) : m_host(host), m_previous(g_current)
{
    g_current = this;
}

TIdAntiFreeze::~TIdAntiFreeze()
{
    if (g_current == this)
        g_current = m_previous;
}

TIdAntiFreeze* TIdAntiFreeze::Current()
{
    return g_current;
}

void TIdAntiFreeze::DoProcess(bool idle)
{
    if (!Active || !m_host.isUiThread())
        return;
    if (idle || !OnlyWhenIdle)
        m_host.processPendingMessages(ApplicationHasPriority);
}

} // namespace morva
