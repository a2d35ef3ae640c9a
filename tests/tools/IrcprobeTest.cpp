// The headless driver as a process: its command line, its stdin commands and its stdout event lines.
#include "tests/support/FakeServer.h"

#include <chrono>
#include <signal.h>
#include <string>
#include <thread>
#include <vector>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace morva::test;

namespace {

// ircprobe with pipes on stdin and stdout.
class Probe
{
public:
    explicit Probe(const std::vector<std::string>& args)
    {
        int in[2], out[2];
        EXPECT_EQ(::pipe(in), 0);
        EXPECT_EQ(::pipe(out), 0);
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(in[0], 0);
            ::dup2(out[1], 1);
            ::close(in[1]);
            ::close(out[0]);
            std::vector<char*> argv;
            argv.push_back(const_cast<char*>(IRCPROBE_PATH));
            for (const auto& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(IRCPROBE_PATH, argv.data());
            std::_Exit(127);
        }
        ::close(in[0]);
        ::close(out[1]);
        m_in = in[1];
        m_out = out[0];
    }
    ~Probe()
    {
        if (m_in >= 0)
            ::close(m_in);
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        ::close(m_out);
    }

    void send(const std::string& line)
    {
        const std::string l = line + "\n";
        ASSERT_EQ(::write(m_in, l.data(), l.size()), static_cast<ssize_t>(l.size()));
    }

    // Reads output until a line equal to want (or starting with it, when prefix) has come; false on time-out.
    bool waitLine(const std::string& want, bool prefix = false, int timeoutMs = 3000)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            for (; m_seen < lines.size(); ++m_seen)
                if (lines[m_seen] == want || (prefix && lines[m_seen].rfind(want, 0) == 0))
                    return ++m_seen, true;
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0 || !readSome(static_cast<int>(left.count())))
                return false;
        }
    }

    bool has(const std::string& prefix) const
    {
        for (const auto& l : lines)
            if (l.rfind(prefix, 0) == 0)
                return true;
        return false;
    }

    // Closes stdin and returns the exit status (or -1 when it did not exit in time).
    int finish(int timeoutMs = 5000)
    {
        ::close(m_in);
        m_in = -1;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                while (readSome(10)) {
                }
                if (WIFSIGNALED(status))
                    ADD_FAILURE() << "ircprobe ended by signal " << WTERMSIG(status);
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            if (!readSome(10)) // at the end of its output the pipe answers at once
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return -1;
    }

    std::string dump() const
    {
        std::string s;
        for (const auto& l : lines)
            s += "  " + l + "\n";
        return s;
    }

    std::vector<std::string> lines;

private:
    bool readSome(int ms)
    {
        pollfd p{m_out, POLLIN, 0};
        if (::poll(&p, 1, ms) <= 0)
            return false;
        char buf[4096];
        const ssize_t n = ::read(m_out, buf, sizeof buf);
        if (n <= 0)
            return false;
        m_partial.append(buf, static_cast<std::size_t>(n));
        for (std::size_t nl; (nl = m_partial.find('\n')) != std::string::npos;) {
            lines.push_back(m_partial.substr(0, nl));
            m_partial.erase(0, nl + 1);
        }
        return true;
    }

    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    std::string m_partial;
    std::size_t m_seen = 0;
};

FakeServer::Pump sleeper()
{
    return [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
}

} // namespace

TEST(Ircprobe, DrivesTheEngineAndPrintsItsEvents)
{
    FakeServer server;
    Probe probe({"--host", "127.0.0.1", "--port", std::to_string(server.port()), "--nick", "n", "--username", "u",
                 "--realname", "R N", "--password", "pw", "--suppress-raw", "PING"});
    ASSERT_TRUE(server.waitFor(" :R N\r\n", sleeper())) << server.received();
    EXPECT_EQ(server.received().rfind("PASS pw\r\nNICK n\r\nUSER u ", 0), 0u);
    EXPECT_TRUE(probe.waitLine("OnSend\tPASS pw")) << probe.dump();

    server.send("PING :x\r\n:n!u@h JOIN #c\r\n:srv 332 n #c :a\\b\x01\r\n");
    ASSERT_TRUE(probe.waitLine("OnRaw\t!\tPING\t:x\t0")) << probe.dump();
    ASSERT_TRUE(probe.waitLine("OnJoined\t#c")) << probe.dump();
    ASSERT_TRUE(probe.waitLine("OnTopic\t!srv\t#c\t#c\ta\\x5Cb\\x01")) << probe.dump();
    EXPECT_FALSE(probe.has("OnPingPong"));

    probe.send("/SendPrivmsg\t#c\thi there");
    ASSERT_TRUE(server.waitFor("PRIVMSG #c :hi there\r\n", sleeper()));
    EXPECT_TRUE(probe.waitLine("OnSend\tPRIVMSG #c :hi there"));
    probe.send("/State");
    EXPECT_TRUE(probe.waitLine("State\tRegistering\tn\t0\t")) << probe.dump();
    probe.send("/Channel\t#c");
    EXPECT_TRUE(probe.waitLine("Channel\t#c\ta\\x5Cb\\x01\t0\t0\t")) << probe.dump();
    probe.send("/Channel\t#none");
    EXPECT_TRUE(probe.waitLine("Channel\t-"));
    probe.send("/Users");
    EXPECT_TRUE(probe.waitLine("Users\tn!u@h")) << probe.dump();
    probe.send("WHOIS someone");
    ASSERT_TRUE(server.waitFor("WHOIS someone\r\n", sleeper()));
    probe.send("/CloseConnection");
    probe.send("/WriteLine\tx");
    EXPECT_TRUE(probe.waitLine("Error\tEIdNotConnected\tNot Connected")) << probe.dump();
    EXPECT_EQ(probe.finish(), 0);
    EXPECT_EQ(server.received().find("QUIT"), std::string::npos);
}

TEST(Ircprobe, AFailedConnectAtStartKeepsItRunning)
{
    FakeServer server;
    const int port = server.port();
    server.stopListening();
    Probe probe({"--host", "127.0.0.1", "--port", std::to_string(port), "--suppress-ctcp"});
    EXPECT_TRUE(probe.waitLine("Error\tEIdConnectException\tSocket Error # 10061\\x0D\\x0AConnection refused."))
        << probe.dump();
    probe.send("/State");
    EXPECT_TRUE(probe.waitLine("State\tConnecting\tNick\t0\t")) << probe.dump();
    EXPECT_EQ(probe.finish(), 0);
}

TEST(Ircprobe, SuppressedCtcpGetsNoReply)
{
    FakeServer server;
    Probe probe({"--host", "127.0.0.1", "--port", std::to_string(server.port()), "--nick", "n", "--suppress-ctcp"});
    ASSERT_TRUE(server.waitFor("USER ", sleeper()));
    server.send(":x!y@z PRIVMSG n :\x01VERSION\x01\r\n");
    EXPECT_TRUE(probe.waitLine("OnCTCPQuery\tx!y@z\t-\tVERSION\t\t0")) << probe.dump();
    probe.send("/SendRaw\tMARK");
    ASSERT_TRUE(server.waitFor("MARK\r\n", sleeper()));
    EXPECT_EQ(server.received().find("NOTICE"), std::string::npos);
    EXPECT_EQ(probe.finish(), 0);
}
