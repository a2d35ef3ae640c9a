// A connected-engine fixture: the plain-loop host, the loopback server and an event log.
#pragma once

#include "engine/IdExceptions.h"
#include "engine/TIdAntiFreeze.h"
#include "engine/TIdIRC.h"
#include "tests/support/FakeServer.h"
#include "tests/support/LoopHost.h"
#include "tools/EventPrinter.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace morva::test {

class EngineFixture : public ::testing::Test
{
protected:
    EngineFixture()
    {
        antiFreeze.IdleTimeOut = 2000;
        irc.Host = "127.0.0.1";
        irc.Port = server.port();
        irc.SetNick("me");
        irc.Username = "ident";
        irc.RealName = "Real Name";
        irc.BoundIP = "127.0.0.1";
        probe::attachPrinter(irc, [this](const std::string& l) { events.push_back(l); });
    }

    FakeServer::Pump pump()
    {
        return [this](int ms) { host.runFor(ms); };
    }

    // Connects and waits until the server has the registration lines.
    void connect()
    {
        irc.Connect(10);
        ASSERT_TRUE(server.waitClient(pump()));
        ASSERT_TRUE(server.waitFor(" :Real Name\r\n", pump()));
    }

    // After a connect of the same engine again: waits until the server took the new client and has its
    // registration, so that nothing of the old link is mistaken for the new one.
    bool waitReconnected(int connectionsBefore)
    {
        return host.runUntil([&] { return server.connections() > connectionsBefore; }) &&
               server.waitFor("USER ", pump());
    }

    bool waitEvent(const std::string& line, int timeoutMs = 3000)
    {
        return host.runUntil([&] { return std::find(events.begin(), events.end(), line) != events.end(); }, timeoutMs);
    }

    bool waitReaderEnd(int timeoutMs = 3000)
    {
        return host.runUntil([&] { return !irc.ReaderRunning(); }, timeoutMs);
    }

    // The events that start with prefix, in order.
    std::vector<std::string> only(const std::string& prefix) const
    {
        std::vector<std::string> out;
        for (const auto& e : events)
            if (e.rfind(prefix, 0) == 0)
                out.push_back(e);
        return out;
    }

    std::string dump() const
    {
        std::string s;
        for (const auto& e : events)
            s += "  " + e + "\n";
        return s;
    }

    // The log outlives the engine, whose destruction still raises events.
    std::vector<std::string> events;
    LoopHost host;
    TIdAntiFreeze antiFreeze{host};
    FakeServer server;
    TIdIRC irc{host};
};

} // namespace morva::test
