// Two engines on a real ngircd: registration, channel traffic, modes, kicks, nick changes and CTCP.
#include "tests/support/Ngircd.h"

#include "engine/IdExceptions.h"
#include "engine/TIdAntiFreeze.h"
#include "engine/TIdIRC.h"
#include "tests/support/LoopHost.h"
#include "tools/EventPrinter.h"

#include <algorithm>

#include <gtest/gtest.h>

using namespace morva;
using namespace morva::test;

namespace {

// One client: an engine with its own event log.
struct Client
{
    Client(LoopHost& host, int port, const std::string& nick) : irc(host)
    {
        irc.Host = "127.0.0.1";
        irc.Port = port;
        irc.SetNick(nick);
        irc.Username = nick;
        irc.RealName = nick + " tester";
        irc.Replies.Version = "MORVA v3.7";
        probe::attachPrinter(irc, [this](const std::string& l) { log.push_back(l); });
    }
    bool has(const std::string& line) const { return std::find(log.begin(), log.end(), line) != log.end(); }
    bool hasPrefix(const std::string& p) const
    {
        return std::any_of(log.begin(), log.end(), [&](const std::string& l) { return l.rfind(p, 0) == 0; });
    }
    std::string dump() const
    {
        std::string s;
        for (const auto& l : log)
            s += "  " + l + "\n";
        return s;
    }

    std::vector<std::string> log;
    TIdIRC irc;
};

class Ngircd2 : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!Ngircd::available())
            GTEST_SKIP() << "ngircd is not installed";
        ASSERT_TRUE(server.ok()) << "ngircd did not start";
    }

    bool until(const std::function<bool()>& pred, int ms = 5000) { return host.runUntil(pred, ms); }

    LoopHost host;
    TIdAntiFreeze antiFreeze{host};
    Ngircd server;
};

} // namespace

TEST_F(Ngircd2, TwoClientsTalkJoinModeKickAndQuit)
{
    Client a(host, server.port(), "alice");
    Client b(host, server.port(), "bob");
    a.irc.Connect(10);
    b.irc.Connect(10);
    ASSERT_TRUE(until([&] {
        return a.irc.State() == TIdIRCState::Registered && b.irc.State() == TIdIRCState::Registered;
    })) << a.dump();
    EXPECT_EQ(a.irc.ServerName(), Ngircd::kName);
    EXPECT_TRUE(a.hasPrefix("OnSystem\t!irc.dawnhall.test\t1\tWELCOME\talice :"));
    EXPECT_TRUE(a.hasPrefix("OnSystem\t!irc.dawnhall.test\t375\tMOTD\t"));

    // alice creates the channel and is its operator; bob joins.
    a.irc.SendJoin("#Dawnhall");
    ASSERT_TRUE(until([&] { return a.has("OnJoined\t#Dawnhall"); })) << a.dump();
    ASSERT_TRUE(until([&] { return a.hasPrefix("OnNames\t"); }));
    b.irc.SendJoin("#dawnhall");
    ASSERT_TRUE(until([&] { return a.hasPrefix("OnJoin\tbob!"); })) << a.dump();
    ASSERT_TRUE(until([&] { return b.hasPrefix("OnNames\t"); })) << b.dump();
    EXPECT_EQ(probe::channelDump(b.irc, "#Dawnhall").rfind("Channel\t#dawnhall\t", 0), 0u);
    const std::string names = probe::channelDump(b.irc, "#dawnhall");
    EXPECT_NE(names.find("\talice:1"), std::string::npos) << names;
    EXPECT_NE(names.find("\tbob:0"), std::string::npos) << names;

    // Messages and the topic.
    a.irc.SendPrivmsg("#Dawnhall", "hello \xCF\xF0\xE8\xE2\xE5\xF2"); // Привет
    ASSERT_TRUE(until([&] { return b.hasPrefix("OnMessage\talice!"); })) << b.dump();
    EXPECT_TRUE(b.hasPrefix("OnMessage\talice!")) << b.dump();
    EXPECT_NE(std::find_if(b.log.begin(), b.log.end(),
                           [](const std::string& l) {
                               return l.find("\t#dawnhall\thello \xCF\xF0\xE8\xE2\xE5\xF2") != std::string::npos;
                           }),
              b.log.end())
        << b.dump();
    a.irc.SendTopic("#Dawnhall", "the topic");
    ASSERT_TRUE(until([&] { return b.irc.Channels().Get("#dawnhall")->Topic() == "the topic"; }));

    // Modes: +o, +v, -o as bob sees them.
    a.irc.SendMode("#Dawnhall", "+o", "bob");
    ASSERT_TRUE(until([&] { return b.hasPrefix("OnOp\talice!"); })) << b.dump();
    a.irc.SendMode("#Dawnhall", "+v", "bob");
    ASSERT_TRUE(until([&] { return b.hasPrefix("OnVoice\talice!"); })) << b.dump();
    a.irc.SendMode("#Dawnhall", "-o", "bob");
    ASSERT_TRUE(until([&] { return b.hasPrefix("OnDeop\talice!"); })) << b.dump();
    // alice has no record of bob, who joined after her names reply, so only bob's own view tracks his flags.
    EXPECT_NE(probe::channelDump(b.irc, "#Dawnhall").find("\tbob:2"), std::string::npos);

    // CTCP VERSION and PING, answered automatically.
    b.irc.SendCtcpQuery("alice", "VERSION", "");
    ASSERT_TRUE(until([&] { return b.has("OnCTCPReply\talice!~alice@127.0.0.1\t-\tVERSION\tMORVA v3.7"); }))
        << b.dump();
    b.irc.SendCtcpQuery("alice", "PING", "12345");
    ASSERT_TRUE(until([&] { return b.has("OnCTCPReply\talice!~alice@127.0.0.1\t-\tPING\t12345"); })) << b.dump();

    // Nick change seen by the other side.
    b.irc.SetNick("bobby");
    ASSERT_TRUE(until([&] { return b.has("OnNickChanged\tbob"); })) << b.dump();
    ASSERT_TRUE(until([&] { return a.hasPrefix("OnNickChange\tbob!"); })) << a.dump();
    EXPECT_EQ(b.irc.Nick(), "bobby");
    EXPECT_NE(probe::channelDump(a.irc, "#Dawnhall").find("\tbobby:0"), std::string::npos);
    EXPECT_NE(probe::channelDump(b.irc, "#Dawnhall").find("\tbobby:2"), std::string::npos);

    // Kick of the other, who joins again, then alice kicks herself.
    a.irc.SendKick("#Dawnhall", "bobby", "out");
    ASSERT_TRUE(until([&] { return b.hasPrefix("OnKicked\talice!"); })) << b.dump();
    EXPECT_EQ(b.irc.Channels().Get("#dawnhall"), nullptr);
    EXPECT_TRUE(a.hasPrefix("OnKick\talice!"));
    a.irc.SendKick("#Dawnhall", "alice", "self");
    ASSERT_TRUE(until([&] { return a.hasPrefix("OnKicked\talice!"); })) << a.dump();
    EXPECT_EQ(a.irc.Channels().Count(), 0);

    // Part and quit.
    a.irc.SendJoin("#other");
    b.irc.SendJoin("#other");
    ASSERT_TRUE(until([&] { return a.hasPrefix("OnJoin\tbobby!"); })) << a.dump();
    b.irc.SendPart("#other", "later");
    ASSERT_TRUE(until([&] { return a.hasPrefix("OnPart\tbobby!"); })) << a.dump();
    b.irc.SendJoin("#other");
    ASSERT_TRUE(until([&] {
        return std::count_if(a.log.begin(), a.log.end(),
                             [](const std::string& l) { return l.rfind("OnJoin\tbobby!", 0) == 0; }) == 2;
    }));
    b.irc.SendRaw("QUIT :bye now");
    ASSERT_TRUE(until([&] { return a.hasPrefix("OnQuit\tbobby!"); })) << a.dump();
    ASSERT_TRUE(until([&] { return !b.irc.ReaderRunning(); }));
    EXPECT_EQ(probe::channelDump(a.irc, "#other").find("bobby"), std::string::npos);
}

TEST_F(Ngircd2, ServerPingIsAnswered)
{
    Client a(host, server.port(), "pinger");
    a.irc.Connect(10);
    ASSERT_TRUE(until([&] { return a.irc.State() == TIdIRCState::Registered; }));
    // The server answers a PING of ours with a PONG; then a PING sent as a server would is answered by us.
    a.irc.SendRaw("PING :probe");
    ASSERT_TRUE(until([&] { return a.hasPrefix("OnRaw\t!irc.dawnhall.test\tPONG\t"); })) << a.dump();
    a.irc.InjectLine("PING :irc.dawnhall.test");
    EXPECT_TRUE(a.has("OnSend\tPONG :irc.dawnhall.test"));
    EXPECT_TRUE(a.has("OnPingPong"));
    a.irc.SendRaw("QUIT");
    EXPECT_TRUE(until([&] { return !a.irc.ReaderRunning(); }));
}

TEST_F(Ngircd2, NickInUseFallsBackToTheAlternative)
{
    Client a(host, server.port(), "taken");
    Client b(host, server.port(), "taken");
    b.irc.AltNick = "spare";
    a.irc.Connect(10);
    ASSERT_TRUE(until([&] { return a.irc.State() == TIdIRCState::Registered; }));
    b.irc.Connect(10);
    ASSERT_TRUE(until([&] { return b.irc.State() == TIdIRCState::Registered; })) << b.dump();
    EXPECT_EQ(b.irc.Nick(), "spare");
    EXPECT_TRUE(b.hasPrefix("OnError\t!irc.dawnhall.test\t433\t"));
}
