// A scripted loopback IRC server over Windows Sockets.
#include "tests/support/FakeServer.h"

#include <chrono>
#include <cstring>

#include <winsock2.h>
#include <ws2tcpip.h>

namespace morva::test {
namespace {

constexpr SocketHandle kNone = SocketHandle(INVALID_SOCKET);

void startup()
{
    static const bool started = [] {
        WSADATA data;
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    (void)started;
}

sockaddr_in loopback(int port)
{
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    sa.sin_port = htons(static_cast<u_short>(port));
    return sa;
}

// A socket of the given type bound to 127.0.0.1 at a free port.
SocketHandle bindLoopback(int type, int& port)
{
    startup();
    const SOCKET s = ::socket(AF_INET, type, 0);
    ::SetHandleInformation(reinterpret_cast<HANDLE>(s), HANDLE_FLAG_INHERIT, 0);
    sockaddr_in sa = loopback(0);
    ::bind(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    int len = sizeof sa;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&sa), &len);
    port = ntohs(sa.sin_port);
    return s;
}

void closeSocket(SocketHandle s)
{
    if (s != kNone)
        ::closesocket(static_cast<SOCKET>(s));
}

} // namespace

int freeLoopbackPort()
{
    int port = 0;
    closeSocket(bindLoopback(SOCK_STREAM, port));
    return port;
}

StalledListener::StalledListener()
{
    m_listen = bindLoopback(SOCK_STREAM, m_port);
    ::listen(static_cast<SOCKET>(m_listen), 0);
    sockaddr_in sa = loopback(m_port);
    for (SocketHandle& c : m_fillers) {
        c = ::socket(AF_INET, SOCK_STREAM, 0);
        u_long nonBlocking = 1;
        ::ioctlsocket(static_cast<SOCKET>(c), FIONBIO, &nonBlocking);
        ::connect(static_cast<SOCKET>(c), reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

StalledListener::~StalledListener()
{
    for (SocketHandle c : m_fillers)
        closeSocket(c);
    closeSocket(m_listen);
}

// The server thread's poll also watches a datagram socket that the other threads write to: select and WSAPoll
// take only sockets, so a pipe cannot wake it.
FakeServer::FakeServer()
{
    m_listen = bindLoopback(SOCK_STREAM, m_port);
    ::listen(static_cast<SOCKET>(m_listen), 8);
    int wakePort = 0;
    m_wake[0] = bindLoopback(SOCK_DGRAM, wakePort);
    sockaddr_in sa = loopback(wakePort);
    ::connect(static_cast<SOCKET>(m_wake[0]), reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    m_thread = std::thread([this] { run(); });
}

static void wake(SocketHandle s)
{
    const char b = 1;
    ::send(static_cast<SOCKET>(s), &b, 1, 0);
}

FakeServer::~FakeServer()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    wake(m_wake[0]);
    m_thread.join();
    std::lock_guard lock(m_mutex);
    closeSocket(m_client);
    closeSocket(m_listen);
    closeSocket(m_wake[0]);
}

void FakeServer::run()
{
    for (;;) {
        WSAPOLLFD p[3];
        ULONG n = 0;
        SocketHandle listenFd, clientFd;
        {
            std::lock_guard lock(m_mutex);
            if (m_quit)
                return;
            listenFd = m_listen;
            clientFd = m_peerClosed ? kNone : m_client;
        }
        p[n++] = {static_cast<SOCKET>(m_wake[0]), POLLRDNORM, 0};
        if (listenFd != kNone)
            p[n++] = {static_cast<SOCKET>(listenFd), POLLRDNORM, 0};
        if (clientFd != kNone)
            p[n++] = {static_cast<SOCKET>(clientFd), POLLRDNORM, 0};
        if (::WSAPoll(p, n, 50) <= 0)
            continue;
        if (p[0].revents) {
            char b[16];
            ::recv(p[0].fd, b, sizeof b, 0);
            continue;
        }
        for (ULONG i = 1; i < n; ++i) {
            if (!p[i].revents)
                continue;
            if (p[i].fd == static_cast<SOCKET>(listenFd)) {
                const SOCKET c = ::accept(p[i].fd, nullptr, nullptr);
                if (c != INVALID_SOCKET) {
                    ::SetHandleInformation(reinterpret_cast<HANDLE>(c), HANDLE_FLAG_INHERIT, 0);
                    std::lock_guard lock(m_mutex);
                    closeSocket(m_client);
                    m_client = c;
                    m_peerClosed = false;
                    m_received.clear();
                    ++m_connections;
                }
            } else {
                char buf[65536];
                const int r = ::recv(p[i].fd, buf, sizeof buf, 0);
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
    SocketHandle fd;
    {
        std::lock_guard lock(m_mutex);
        fd = m_client;
    }
    std::size_t off = 0;
    while (fd != kNone && off < bytes.size()) {
        const int n = ::send(static_cast<SOCKET>(fd), bytes.data() + off, static_cast<int>(bytes.size() - off), 0);
        if (n <= 0)
            return;
        off += static_cast<std::size_t>(n);
    }
}

void FakeServer::closeClient()
{
    std::lock_guard lock(m_mutex);
    // The server thread sees the end of the link and keeps the socket until the next client replaces it.
    if (m_client != kNone)
        ::shutdown(static_cast<SOCKET>(m_client), SD_BOTH);
}

void FakeServer::stopListening()
{
    std::lock_guard lock(m_mutex);
    closeSocket(m_listen);
    m_listen = kNone;
    wake(m_wake[0]);
}

} // namespace morva::test
