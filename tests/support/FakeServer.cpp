// A scripted loopback IRC server.
#include "tests/support/FakeServer.h"

#include <chrono>
#include <cstring>
#include <thread>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace morva::test {

static int listenLoopback(int& port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    sa.sin_port = 0;
    ::bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    socklen_t len = sizeof sa;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &len);
    port = ntohs(sa.sin_port);
    return fd;
}

int freeLoopbackPort()
{
    int port = 0;
    const int fd = listenLoopback(port);
    ::close(fd);
    return port;
}

StalledListener::StalledListener()
{
    m_listen = listenLoopback(m_port);
    ::listen(m_listen, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    sa.sin_port = htons(static_cast<std::uint16_t>(m_port));
    for (SocketHandle& c : m_fillers) {
        c = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        ::connect(c, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

StalledListener::~StalledListener()
{
    for (SocketHandle c : m_fillers)
        ::close(c);
    ::close(m_listen);
}

FakeServer::FakeServer()
{
    m_listen = listenLoopback(m_port);
    ::listen(m_listen, 8);
    [[maybe_unused]] int rc = ::pipe2(m_wake, O_CLOEXEC);
    m_thread = std::thread([this] { run(); });
}

FakeServer::~FakeServer()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    const char b = 1;
    [[maybe_unused]] auto n = ::write(m_wake[1], &b, 1);
    m_thread.join();
    std::lock_guard lock(m_mutex);
    if (m_client >= 0)
        ::close(m_client);
    if (m_listen >= 0)
        ::close(m_listen);
    ::close(m_wake[0]);
    ::close(m_wake[1]);
}

void FakeServer::run()
{
    for (;;) {
        pollfd p[3];
        int n = 0;
        int listenFd, clientFd;
        {
            std::lock_guard lock(m_mutex);
            if (m_quit)
                return;
            listenFd = m_listen;
            clientFd = m_peerClosed ? -1 : m_client;
        }
        p[n++] = {m_wake[0], POLLIN, 0};
        if (listenFd >= 0)
            p[n++] = {listenFd, POLLIN, 0};
        if (clientFd >= 0)
            p[n++] = {clientFd, POLLIN, 0};
        if (::poll(p, static_cast<nfds_t>(n), 50) <= 0)
            continue;
        if (p[0].revents) {
            char b[16];
            [[maybe_unused]] auto r = ::read(m_wake[0], b, sizeof b);
            continue;
        }
        for (int i = 1; i < n; ++i) {
            if (!p[i].revents)
                continue;
            if (p[i].fd == listenFd) {
                const int c = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC);
                if (c >= 0) {
                    std::lock_guard lock(m_mutex);
                    if (m_client >= 0)
                        ::close(m_client);
                    m_client = c;
                    m_peerClosed = false;
                    m_received.clear();
                    ++m_connections;
                }
            } else {
                {
                    // A client accepted in this same turn replaced (and closed) the one this was polled for.
                    std::lock_guard lock(m_mutex);
                    if (p[i].fd != m_client)
                        continue;
                }
                char buf[65536];
                const ssize_t r = ::recv(p[i].fd, buf, sizeof buf, 0);
                std::lock_guard lock(m_mutex);
                if (r <= 0)
                    m_peerClosed = true;
                else
                    m_received.append(buf, static_cast<std::size_t>(r));
            }
        }
    }
}

void FakeServer::send(std::string_view bytes)
{
    int fd;
    {
        std::lock_guard lock(m_mutex);
        fd = m_client;
    }
    std::size_t off = 0;
    while (fd >= 0 && off < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + off, bytes.size() - off, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        off += static_cast<std::size_t>(n);
    }
}

void FakeServer::closeClient()
{
    std::lock_guard lock(m_mutex);
    // The server thread sees the end of the link and keeps the descriptor until the next client replaces it.
    if (m_client >= 0)
        ::shutdown(m_client, SHUT_RDWR);
}

void FakeServer::stopListening()
{
    std::lock_guard lock(m_mutex);
    if (m_listen >= 0) {
        ::close(m_listen);
        m_listen = -1;
    }
    const char b = 1;
    [[maybe_unused]] auto n = ::write(m_wake[1], &b, 1);
}

} // namespace morva::test
