// Engine throughput: line splitting, sending, the reader hand-off, dispatch and a large names reply.
#include "engine/TIdAntiFreeze.h"
#include "engine/TIdIRC.h"
#include "tests/support/FakeServer.h"
#include "tests/support/LoopHost.h"

#include <atomic>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

using namespace morva;

namespace {

std::string chatLine(int i)
{
    std::string l = ":nick" + std::to_string(i % 50) + "!user@host.example PRIVMSG #Dawnhall :";
    while (l.size() < 78)
        l += "lorem ipsum ";
    l.resize(78);
    return l + "\r\n";
}

// Splitting 32 KiB receive blocks of 80-byte lines.
void BM_LineSplit(benchmark::State& state)
{
    std::string block;
    for (int i = 0; block.size() + 80 <= 32768; ++i)
        block += chatLine(i);
    TIdLink link;
    std::size_t lines = 0;
    for (auto _ : state) {
        link.input = block;
        link.scanned = 0;
        std::size_t consumed = 0;
        std::string_view line;
        while (takeLine(link, "\n", 16384, TIdMaxLineAction::maException, consumed, line) == TIdTake::Line) {
            benchmark::DoNotOptimize(line.data());
            ++lines;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * block.size()));
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LineSplit);

// A peer that accepts one client and sends it count lines as fast as it can, then closes.
struct Flooder
{
    Flooder(int count) : m_count(count)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
        socklen_t len = sizeof sa;
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&sa), &len);
        port = ntohs(sa.sin_port);
        ::listen(m_fd, 1);
        m_thread = std::thread([this] {
            const int c = ::accept(m_fd, nullptr, nullptr);
            std::string chunk;
            for (int i = 0; i < 400; ++i)
                chunk += chatLine(i);
            for (int sent = 0; sent < m_count; sent += 400) {
                std::size_t off = 0;
                while (off < chunk.size()) {
                    const ssize_t n = ::send(c, chunk.data() + off, chunk.size() - off, MSG_NOSIGNAL);
                    if (n <= 0)
                        break;
                    off += static_cast<std::size_t>(n);
                }
            }
            ::shutdown(c, SHUT_WR);
            char b[4096];
            while (::recv(c, b, sizeof b, 0) > 0) {
            }
            ::close(c);
        });
    }
    ~Flooder()
    {
        m_thread.join();
        ::close(m_fd);
    }
    int port = 0;

private:
    int m_count;
    int m_fd;
    std::thread m_thread;
};

// Lines from a loopback peer, handed to the UI thread and handled there by an empty OnReceive.
void BM_ReceiveHandOff(benchmark::State& state)
{
    const int count = 200000;
    std::size_t total = 0;
    for (auto _ : state) {
        state.PauseTiming();
        test::LoopHost host;
        TIdAntiFreeze af(host);
        Flooder peer(count);
        TIdIRC irc(host);
        irc.Host = "127.0.0.1";
        irc.Port = peer.port;
        int got = 0;
        irc.OnReceive = [&](TIdIRC*, const std::string&) { ++got; };
        irc.Connect();
        state.ResumeTiming();
        host.runUntil([&] { return got >= count; }, 60000);
        total += static_cast<std::size_t>(got);
        state.PauseTiming();
        irc.CloseConnection();
        state.ResumeTiming();
    }
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(total), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReceiveHandOff)->Unit(benchmark::kMillisecond)->Iterations(3);

// SendRaw of a 100-byte line to a connected loopback peer.
void BM_SendRaw(benchmark::State& state)
{
    test::LoopHost host;
    TIdAntiFreeze af(host);
    test::FakeServer server;
    TIdIRC irc(host);
    irc.Host = "127.0.0.1";
    irc.Port = server.port();
    irc.Connect();
    const std::string line = "PRIVMSG #Dawnhall :" + std::string(100 - 19, 'x');
    for (auto _ : state)
        irc.SendRaw(line);
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    irc.CloseConnection();
}
BENCHMARK(BM_SendRaw);

// Tokenize and dispatch of channel messages with OnRaw and OnMessage handlers that do nothing.
void BM_DispatchPrivmsg(benchmark::State& state)
{
    test::LoopHost host;
    TIdIRC irc(host);
    irc.SetNick("Nick");
    irc.TestBeginSession();
    irc.InjectLine(":Nick!u@h JOIN #Dawnhall");
    irc.OnRaw = [](TIdIRC*, TIdIRCUser*, const std::string&, const std::string&, bool&) {};
    irc.OnMessage = [](TIdIRC*, TIdIRCUser*, TIdIRCChannel*, const std::string&) {};
    std::vector<std::string> lines;
    for (int i = 0; i < 64; ++i) {
        std::string l = chatLine(i);
        l.resize(l.size() - 2);
        lines.push_back(l);
    }
    std::size_t i = 0;
    for (auto _ : state)
        irc.InjectLine(lines[i++ & 63]);
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DispatchPrivmsg);

// A names reply of 10,000 members in 400-byte 353 lines, then 366.
void BM_NamesReply10k(benchmark::State& state)
{
    std::vector<std::string> lines;
    std::string cur;
    for (int i = 0; i < 10000; ++i) {
        const std::string word = (i % 10 == 0  ? "@"
                                  : i % 7 == 0 ? "+"
                                               : "") +
                                 std::string("member") + std::to_string(i);
        if (cur.size() + word.size() + 1 > 400 - 30) {
            lines.push_back(":srv 353 Nick = #Dawnhall :" + cur);
            cur.clear();
        }
        cur += (cur.empty() ? "" : " ") + word;
    }
    lines.push_back(":srv 353 Nick = #Dawnhall :" + cur);
    lines.push_back(":srv 366 Nick #Dawnhall :End of NAMES list");
    for (auto _ : state) {
        state.PauseTiming();
        test::LoopHost host;
        auto irc = std::make_unique<TIdIRC>(host);
        irc->TestBeginSession();
        irc->InjectLine(":Nick!u@h JOIN #Dawnhall");
        irc->OnRaw = [](TIdIRC*, TIdIRCUser*, const std::string&, const std::string&, bool&) {};
        irc->OnNames = [](TIdIRC*, TIdIRCUsers*, TIdIRCChannel*) {};
        state.ResumeTiming();
        for (const auto& l : lines)
            irc->InjectLine(l);
        state.PauseTiming();
        const TIdIRCChannel* ch = irc->Channels().Get("#Dawnhall");
        if (!ch || ch->NamesCount() != 10000)
            state.SkipWithError("names lost");
        irc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_NamesReply10k)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
