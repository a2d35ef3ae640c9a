// A real ngircd on a free loopback port.
#include "tests/support/Ngircd.h"

#include "tests/support/FakeServer.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <signal.h>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace morva::test {

static const char* binary()
{
    return ::access("/usr/sbin/ngircd", X_OK) == 0 ? "/usr/sbin/ngircd" : nullptr;
}

bool Ngircd::available()
{
    return binary() != nullptr;
}

static bool accepting(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(static_cast<std::uint16_t>(port));
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0;
    ::close(fd);
    return ok;
}

Ngircd::Ngircd()
{
    if (!available())
        return;
    char tmpl[] = "/tmp/morva-ngircd-XXXXXX";
    if (!::mkdtemp(tmpl))
        return;
    m_dir = tmpl;
    m_port = freeLoopbackPort();
    const std::string conf = m_dir + "/ngircd.conf";
    {
        std::ofstream f(conf);
        f << "[Global]\n"
          << "Name = " << kName << "\n"
          << "Info = MORVA test server\n"
          << "Listen = 127.0.0.1\n"
          << "Ports = " << m_port << "\n"
          << "MotdPhrase = Welcome to the test network\n"
          << "PidFile = " << m_dir << "/ngircd.pid\n"
          << "[Limits]\nMaxNickLength = 30\nPingTimeout = 120\nPongTimeout = 20\nMaxConnectionsIP = 0\n"
          << "[Options]\nPAM = no\nDNS = no\nIdent = no\nSyslog = no\n";
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Keep the test's output clean; the server's own chatter goes to a file in its folder.
        const std::string log = m_dir + "/ngircd.log";
        if (!std::freopen(log.c_str(), "w", stdout) || !std::freopen(log.c_str(), "a", stderr))
            std::_Exit(126);
        ::execl(binary(), "ngircd", "-n", "-p", "-f", conf.c_str(), static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    m_pid = pid;
    for (int i = 0; i < 100 && !m_ok; ++i) {
        m_ok = accepting(m_port);
        if (!m_ok)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

Ngircd::~Ngircd()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        int status = 0;
        for (int i = 0; i < 100; ++i) {
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, &status, 0);
        }
    }
    if (!m_dir.empty()) {
        const std::string cmd = "rm -rf '" + m_dir + "'";
        [[maybe_unused]] int rc = std::system(cmd.c_str());
    }
}

} // namespace morva::test
