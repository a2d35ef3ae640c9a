// The connection against the loopback server: line splitting, the reader's end, both disconnects, errors.
#include "tests/engine/EngineFixture.h"

using namespace morva;
using namespace morva::test;

using Connection = EngineFixture;

TEST_F(Connection, RegistersWithoutPasswordUsingTheLocalAddressTwice)
{
    connect();
    EXPECT_EQ(server.received(), "NICK me\r\nUSER ident 127.0.0.1 127.0.0.1 :Real Name\r\n");
    EXPECT_EQ(irc.State(), TIdIRCState::Registering);
    const std::vector<std::string> expected = {
        "OnStateChange\tConnecting",
        "OnStatus\thsConnecting\tConnecting to 127.0.0.1.",
        "OnStatus\thsConnected\tConnected.",
        "OnConnected",
        "OnStateChange\tRegistering",
        "OnConnect",
        "OnSend\tNICK me",
        "OnSend\tUSER ident 127.0.0.1 127.0.0.1 :Real Name",
    };
    EXPECT_EQ(events, expected) << dump();
}

TEST_F(Connection, RegistersWithPasswordFirst)
{
    irc.Password = "s3cret";
    connect();
    EXPECT_EQ(server.received(), "PASS s3cret\r\nNICK me\r\nUSER ident 127.0.0.1 127.0.0.1 :Real Name\r\n");
}

TEST_F(Connection, ResolvesAHostNameWithAStatusFirst)
{
    irc.Host = "localhost";
    irc.Connect(10);
    ASSERT_TRUE(server.waitClient(pump()));
    EXPECT_EQ(events[1], "OnStatus\thsResolving\tResolving hostname localhost.") << dump();
}

TEST_F(Connection, SplitsLinesOnLfAndCrLfAndKeepsALoneCr)
{
    connect();
    server.send("a\r\nb\nc\rd\n\r\n\n");
    ASSERT_TRUE(waitEvent("OnReceive\tc\\x0Dd")) << dump();
    host.runFor(50);
    const std::vector<std::string> expected = {"OnReceive\ta", "OnReceive\tb", "OnReceive\tc\\x0Dd"};
    EXPECT_EQ(only("OnReceive"), expected);
    EXPECT_EQ(irc.LastLine(), ""); // empty lines raise nothing but are still the last line read
}

TEST_F(Connection, JoinsLinesSplitAcrossReceives)
{
    connect();
    server.send("PING :ab");
    host.runFor(30);
    server.send("c\r");
    host.runFor(30);
    server.send("\nnext\n");
    ASSERT_TRUE(waitEvent("OnReceive\tnext")) << dump();
    const std::vector<std::string> expected = {"OnReceive\tPING :abc", "OnReceive\tnext"};
    EXPECT_EQ(only("OnReceive"), expected);
}

TEST_F(Connection, LongestLineIsDeliveredOneMoreStopsTheReaderSilently)
{
    connect();
    const std::string ok(16384, 'x');
    server.send(ok + "\n");
    ASSERT_TRUE(waitEvent("OnReceive\t" + ok));
    ASSERT_TRUE(irc.ReaderRunning());
    const std::size_t before = events.size();
    server.send(std::string(16385, 'y') + "\nafter\n");
    ASSERT_TRUE(waitReaderEnd()) << dump();
    host.runFor(50);
    EXPECT_EQ(events.size(), before) << dump();
    EXPECT_EQ(irc.State(), TIdIRCState::Registering);
}

TEST_F(Connection, SplitsOverlongLinesWhenAskedTo)
{
    irc.MaxLineAction = TIdMaxLineAction::maSplit;
    irc.MaxLineLength = 4;
    connect();
    server.send("abcdefg\n");
    ASSERT_TRUE(waitEvent("OnReceive\tefg")) << dump();
    const std::vector<std::string> expected = {"OnReceive\tabcd", "OnReceive\tefg"};
    EXPECT_EQ(only("OnReceive"), expected);
}

TEST_F(Connection, HandlesEveryLineOfABurstBeforeThePeerCloseEndsTheReader)
{
    connect();
    server.send("one\r\ntwo\r\nthree\r\npartial");
    server.closeClient();
    ASSERT_TRUE(waitReaderEnd()) << dump();
    host.runFor(20);
    const std::vector<std::string> expected = {"OnReceive\tone", "OnReceive\ttwo", "OnReceive\tthree"};
    EXPECT_EQ(only("OnReceive"), expected) << dump();
    EXPECT_EQ(only("OnDisconnected").size(), 1u) << dump();
    EXPECT_EQ(irc.State(), TIdIRCState::Registering); // a close by the server leaves the engine state alone
    EXPECT_FALSE(irc.Connected());
}

TEST_F(Connection, WriteAfterThePeerClosedAndAfterCloseConnection)
{
    connect();
    server.closeClient();
    ASSERT_TRUE(waitReaderEnd());
    try {
        irc.WriteLine("X");
        FAIL() << "no error";
    } catch (const EIdConnClosedGracefully& e) {
        EXPECT_STREQ(e.what(), "Connection Closed Gracefully.");
    }
    irc.CloseConnection();
    try {
        irc.WriteLine("X");
        FAIL() << "no error";
    } catch (const EIdNotConnected& e) {
        EXPECT_STREQ(e.what(), "Not Connected");
    }
}

TEST_F(Connection, CloseConnectionWhileRegisteredSendsNoQuitAndEndsTheReader)
{
    connect();
    irc.TestSetState(TIdIRCState::Registered);
    irc.Channels().Add("#c");
    const std::string sentBefore = server.received();
    events.clear();
    irc.CloseConnection();
    ASSERT_TRUE(waitReaderEnd());
    ASSERT_TRUE(server.waitPeerClosed(pump()));
    EXPECT_EQ(server.received(), sentBefore);
    EXPECT_EQ(irc.State(), TIdIRCState::Registered);
    EXPECT_EQ(irc.Channels().Count(), 1);
    const std::vector<std::string> expected = {"OnStatus\thsDisconnecting\tDisconnecting.", "OnDisconnected",
                                               "OnStatus\thsDisconnected\tDisconnected."};
    EXPECT_EQ(events, expected) << dump();
    EXPECT_FALSE(irc.Connected());

    // Lines that were already under way are not handed over any more.
    server.send("late\n");
    host.runFor(30);
    EXPECT_TRUE(only("OnReceive").empty());

    // A later connect clears channels and users and starts over.
    const int before = server.connections();
    irc.Connect(10);
    ASSERT_TRUE(waitReconnected(before));
    EXPECT_EQ(irc.Channels().Count(), 0);
    EXPECT_EQ(irc.Users().Count(), 1); // the own record
    EXPECT_EQ(server.connections(), 2);
}

TEST_F(Connection, CloseConnectionFromInsideAHandlerStopsTheBatch)
{
    connect();
    irc.OnReceive = [&](TIdIRC*, const std::string& l) {
        events.push_back("got " + l);
        if (l == "stop")
            irc.CloseConnection();
    };
    server.send("a\nstop\nb\nc\n");
    ASSERT_TRUE(waitReaderEnd());
    const std::vector<std::string> expected = {"got a", "got stop"};
    EXPECT_EQ(only("got "), expected);
}

TEST_F(Connection, AHandlerThatThrowsEndsTheReaderSilently)
{
    connect();
    irc.OnReceive = [&](TIdIRC*, const std::string& l) {
        events.push_back("got " + l);
        throw std::runtime_error("handler failed");
    };
    server.send("a\nb\n");
    ASSERT_TRUE(waitReaderEnd());
    EXPECT_EQ(only("got ").size(), 1u);
    EXPECT_TRUE(irc.Connected()); // nothing else changes
}

TEST_F(Connection, LinesAreDroppedOnceTheEngineIsDisconnected)
{
    connect();
    irc.TestSetState(TIdIRCState::Disconnected);
    server.send("ignored\n");
    host.runFor(50);
    EXPECT_TRUE(only("OnReceive").empty());
}

TEST_F(Connection, RefusedConnectThenASecondConnectStartsCleanly)
{
    server.stopListening();
    try {
        irc.Connect(10);
        FAIL() << "connected";
    } catch (const EIdConnectException& e) {
        EXPECT_STREQ(e.what(), "Socket Error # 10061\r\nConnection refused.");
    }
    EXPECT_EQ(irc.State(), TIdIRCState::Connecting);
    EXPECT_FALSE(irc.Connected());

    FakeServer second;
    irc.Port = second.port();
    irc.Connect(10);
    ASSERT_TRUE(second.waitFor(" :Real Name\r\n", pump()));
    EXPECT_EQ(irc.State(), TIdIRCState::Registering);
}

TEST_F(Connection, UnknownHostIsASocketError)
{
    irc.Host = "no-such-host.invalid";
    try {
        irc.Connect(10);
        FAIL() << "connected";
    } catch (const EIdSocketError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Socket Error # 1100", 0), 0u) << e.what();
    }
}

TEST_F(Connection, ConnectTimesOutWhileTheUiKeepsRunning)
{
    // A listener that never accepts, with its queue full: further connects get no answer.
    StalledListener stalled;
    irc.Port = stalled.port();
    irc.ConnectTimeOut = 400;
    int uiTurns = 0;
    for (int i = 0; i < 3; ++i)
        host.post([&] { ++uiTurns; });
    std::string error;
    try {
        irc.Connect(10);
    } catch (const EIdConnectTimeout& e) {
        error = e.what();
    } catch (const EIdException& e) {
        error = e.what();
    }
    if (error.empty())
        GTEST_SKIP() << "this kernel answered the connect";
    EXPECT_EQ(error, "Connect timed out.");
    EXPECT_EQ(uiTurns, 3);
}

TEST_F(Connection, ConnectWhileConnectedDisconnectsFirst)
{
    connect();
    irc.Channels().Add("#c");
    events.clear();
    const int before = server.connections();
    irc.Connect(10);
    ASSERT_TRUE(waitReconnected(before));
    ASSERT_GE(events.size(), 4u);
    EXPECT_EQ(events[0], "OnStateChange\tDisconnecting") << dump();
    EXPECT_EQ(events[1], "OnDisconnect") << dump();
    EXPECT_EQ(irc.Channels().Count(), 0);
}

TEST_F(Connection, EngineDisconnectActsWhenRegisteredOrForced)
{
    connect();
    events.clear();
    irc.Disconnect(false);
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(irc.Connected());
    irc.Disconnect(true);
    const std::vector<std::string> expected = {"OnStateChange\tDisconnecting",
                                               "OnDisconnect",
                                               "OnStatus\thsDisconnecting\tDisconnecting.",
                                               "OnStatus\thsDisconnected\tDisconnected.",
                                               "OnStateChange\tDisconnected",
                                               "OnDisconnected"};
    EXPECT_EQ(events, expected) << dump();
    EXPECT_EQ(irc.MyUser(), nullptr);
    EXPECT_TRUE(waitReaderEnd());
    EXPECT_TRUE(server.waitPeerClosed(pump()));
}

TEST_F(Connection, SocketErrorDuringRegistrationIsIrcConnectFailed)
{
    irc.OnConnect = [](TIdIRC*) { throw EIdSocketError(10054, "Socket Error # 10054\r\nConnection reset by peer."); };
    try {
        irc.Connect(10);
        FAIL() << "no error";
    } catch (const EComponentError& e) {
        EXPECT_STREQ(e.what(), "IRC Connect Failed");
    }
}

TEST_F(Connection, DestroyingAConnectedEngineDisconnectsIt)
{
    auto other = std::make_unique<TIdIRC>(host);
    other->Host = "127.0.0.1";
    other->Port = server.port();
    other->Connect(10);
    ASSERT_TRUE(server.waitFor("USER ", pump()));
    server.send("line\n"); // may be under way while the engine goes
    other.reset();
    EXPECT_TRUE(server.waitPeerClosed(pump()));
}

TEST_F(Connection, GarbageFromTheServerNeverStopsTheEngine)
{
    connect();
    std::string junk;
    for (int i = 0; i < 20000; ++i)
        junk.push_back(static_cast<char>((i * 7919) % 256));
    server.send(junk);
    server.send("\nlast\n");
    ASSERT_TRUE(waitEvent("OnReceive\tlast")) << dump().substr(0, 2000);
    EXPECT_TRUE(irc.ReaderRunning());
}
