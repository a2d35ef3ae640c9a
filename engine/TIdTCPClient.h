// A TCP connection that connects to a host and port of its own.
#pragma once

#include "engine/TIdTCPConnection.h"

#include <string>

namespace morva {

// UI thread only.
class TIdTCPClient : public TIdTCPConnection
{
public:
    explicit TIdTCPClient(morva::Host& host) : TIdTCPConnection(host) {}

    std::string Host;
    int Port = 0;
    std::string BoundIP;
    // The connect time-out used when the wait keeps the UI running.
    int ConnectTimeOut = 120000;

    // The TCP connect. timeout is accepted and ignored: with an active TIdAntiFreeze on the UI thread the connect
    // waits at most ConnectTimeOut ms in steps that let the UI run, otherwise it blocks.
    virtual void Connect(int timeout = -1);

protected:
    void connectSocket();
    bool m_inConnect = false;
};

} // namespace morva
