// The socket layer on its own, against the loopback server: the waits and how a close from another thread ends
// them, which the connection relies on (a reader blocked in recv, a connect that is abandoned).
#include "engine/IdExceptions.h"
#include "engine/IdSocket.h"
#include "tests/support/FakeServer.h"

#include <chrono>
#include <future>
#include <string>
#include <thread>

#include <gtest/gtest.h>

using namespace morva;
using namespace morva::test;
using Clock = std::chrono::steady_clock;

namespace {

long long msSince(Clock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
}

void sleepPump(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

class SocketLayer : public ::testing::Test
{
protected:
    void connect()
    {
        sock.open("127.0.0.1");
        ASSERT_EQ(sock.connect(net::resolve("127.0.0.1"), static_cast<std::uint16_t>(server.port())), 0);
        sock.markConnected();
        ASSERT_TRUE(server.waitClient(sleepPump));
    }

    FakeServer server;
    net::Socket sock;
};

TEST_F(SocketLayer, ReceivesWhatTheServerSendsAndSendsBack)
{
    connect();
    server.send("PING :x\r\n");
    ASSERT_TRUE(sock.waitReadable(3000));
    char buf[64];
    int err = 0;
    ASSERT_EQ(sock.recv(buf, sizeof buf, err), 9);
    EXPECT_EQ(std::string(buf, 9), "PING :x\r\n");
    EXPECT_EQ(sock.send("PONG :x\r\n", 9, err), 9);
    EXPECT_TRUE(server.waitFor("PONG :x\r\n", sleepPump));
}

TEST_F(SocketLayer, ReadableWaitTimesOutWhenNothingArrives)
{
    connect();
    const auto t = Clock::now();
    EXPECT_FALSE(sock.waitReadable(150));
    EXPECT_GE(msSince(t), 140);
    EXPECT_LT(msSince(t), 2000);
}

TEST_F(SocketLayer, PeerCloseIsAnEmptyReceive)
{
    connect();
    server.closeClient();
    ASSERT_TRUE(sock.waitReadable(3000));
    char buf[16];
    int err = 0;
    EXPECT_EQ(sock.recv(buf, sizeof buf, err), 0);
}

TEST_F(SocketLayer, CloseWakesAReaderBlockedInRecvAtOnce)
{
    connect();
    auto reader = std::async(std::launch::async, [this] {
        char buf[16];
        int err = 0;
        return sock.recv(buf, sizeof buf, err);
    });
    ASSERT_EQ(reader.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout) << "recv did not block";
    const auto t = Clock::now();
    EXPECT_TRUE(sock.close());
    ASSERT_EQ(reader.wait_for(std::chrono::seconds(3)), std::future_status::ready);
    EXPECT_LT(msSince(t), 500);
    EXPECT_EQ(reader.get(), 0);
    EXPECT_FALSE(sock.isOpen());
    EXPECT_FALSE(sock.close()) << "only the first close counts";
}

TEST_F(SocketLayer, CloseWakesAnUnlimitedReadableWait)
{
    connect();
    auto waiter = std::async(std::launch::async, [this] { return sock.waitReadable(-1); });
    ASSERT_EQ(waiter.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
    sock.close();
    ASSERT_EQ(waiter.wait_for(std::chrono::seconds(3)), std::future_status::ready);
    EXPECT_TRUE(waiter.get());
}

TEST_F(SocketLayer, AbandonEndsAConnectThatGetsNoAnswer)
{
    StalledListener stalled;
    sock.open("127.0.0.1");
    auto connecting = std::async(std::launch::async, [&] {
        return sock.connect(net::resolve("127.0.0.1"), static_cast<std::uint16_t>(stalled.port()));
    });
    if (connecting.wait_for(std::chrono::milliseconds(200)) == std::future_status::ready)
        GTEST_SKIP() << "this system answered the connect: " << connecting.get();
    const auto t = Clock::now();
    sock.abandonConnect();
    ASSERT_EQ(connecting.wait_for(std::chrono::seconds(3)), std::future_status::ready);
    EXPECT_LT(msSince(t), 500);
    EXPECT_EQ(connecting.get(), net::WSAEINTR);
}

TEST_F(SocketLayer, RefusedConnectGivesTheWindowsNumberAndText)
{
    const int port = freeLoopbackPort();
    sock.open("");
    const int err = sock.connect(net::resolve("127.0.0.1"), static_cast<std::uint16_t>(port));
    EXPECT_EQ(err, net::WSAECONNREFUSED);
    EXPECT_EQ(net::errorText(err), "Socket Error # 10061\r\nConnection refused.");
}

TEST(SocketErrors, NamesAndAddresses)
{
    EXPECT_TRUE(net::isDottedAddress("127.0.0.1"));
    EXPECT_FALSE(net::isDottedAddress("localhost"));
    EXPECT_EQ(net::resolve("127.0.0.1").dotted(), "127.0.0.1");
    EXPECT_EQ(net::resolve("localhost").dotted(), "127.0.0.1");
    EXPECT_TRUE(net::isDottedAddress(net::localAddress()));
    try {
        net::resolve("no-such-host.invalid");
        FAIL() << "resolved";
    } catch (const EIdSocketError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Socket Error # 1100", 0), 0u) << e.what();
    }
}

} // namespace
