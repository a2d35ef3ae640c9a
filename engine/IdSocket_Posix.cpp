// POSIX implementation of the socket layer.
#include "engine/IdExceptions.h"
#include "engine/IdSocket.h"

#include <cerrno>
#include <cstring>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace morva::net {

int mapErrno(int err)
{
    switch (err) {
    case EINTR: return WSAEINTR;
    case EBADF: return WSAEBADF;
    case EACCES: return WSAEACCES;
    case EFAULT: return WSAEFAULT;
    case EINVAL: return WSAEINVAL;
    case EMFILE:
    case ENFILE: return WSAEMFILE;
    case EAGAIN: return WSAEWOULDBLOCK;
    case EINPROGRESS: return WSAEINPROGRESS;
    case EALREADY: return WSAEALREADY;
    case ENOTSOCK: return WSAENOTSOCK;
    case EMSGSIZE: return WSAEMSGSIZE;
    case EPROTONOSUPPORT: return WSAEPROTONOSUPPORT;
    case EOPNOTSUPP: return WSAEOPNOTSUPP;
    case EAFNOSUPPORT: return WSAEAFNOSUPPORT;
    case EADDRINUSE: return WSAEADDRINUSE;
    case EADDRNOTAVAIL: return WSAEADDRNOTAVAIL;
    case ENETDOWN: return WSAENETDOWN;
    case ENETUNREACH: return WSAENETUNREACH;
    case ENETRESET: return WSAENETRESET;
    case ECONNABORTED: return WSAECONNABORTED;
    case ECONNRESET: return WSAECONNRESET;
    case ENOBUFS:
    case ENOMEM: return WSAENOBUFS;
    case EISCONN: return WSAEISCONN;
    case ENOTCONN: return WSAENOTCONN;
    case EPIPE:
    case ESHUTDOWN: return WSAESHUTDOWN;
    case ETIMEDOUT: return WSAETIMEDOUT;
    case ECONNREFUSED: return WSAECONNREFUSED;
    case EHOSTDOWN: return WSAEHOSTDOWN;
    case EHOSTUNREACH: return WSAEHOSTUNREACH;
    default: return 10000 + err;
    }
}

int lastError()
{
    return mapErrno(errno);
}

bool isDottedAddress(const std::string& host)
{
    in_addr a{};
    return inet_pton(AF_INET, host.c_str(), &a) == 1;
}

std::string Address::dotted() const
{
    char buf[INET_ADDRSTRLEN] = {};
    in_addr a{};
    a.s_addr = ip;
    inet_ntop(AF_INET, &a, buf, sizeof buf);
    return buf;
}

Address resolve(const std::string& host)
{
    in_addr a{};
    if (inet_pton(AF_INET, host.c_str(), &a) == 1)
        return Address{a.s_addr};
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* res = nullptr;
    const int rc = getaddrinfo(host.c_str(), nullptr, &hints, &res);
    if (rc != 0 || !res) {
        if (res)
            freeaddrinfo(res);
        raiseSocketError(rc == EAI_AGAIN ? WSATRY_AGAIN : WSAHOST_NOT_FOUND);
    }
    Address out{reinterpret_cast<sockaddr_in*>(res->ai_addr)->sin_addr.s_addr};
    freeaddrinfo(res);
    return out;
}

std::string localAddress()
{
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) == 0) {
        try {
            return resolve(name).dotted();
        } catch (const EIdSocketError&) {
        }
    }
    return "127.0.0.1";
}

Socket::Socket() : m_fd(-1) {}

Socket::~Socket()
{
    if (m_fd >= 0)
        ::close(static_cast<int>(m_fd));
    for (int fd : m_wake)
        if (fd >= 0)
            ::close(fd);
}

void Socket::open(const std::string& boundIp)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (fd < 0)
        raiseSocketError(lastError());
    m_fd = fd;
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = 0;
    local.sin_addr.s_addr = boundIp.empty() ? htonl(INADDR_ANY) : resolve(boundIp).ip;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0)
        raiseSocketError(lastError());
    if (::pipe2(m_wake, O_CLOEXEC) != 0)
        raiseSocketError(lastError());
}

int Socket::connect(const Address& peer, std::uint16_t port)
{
    const int fd = static_cast<int>(m_fd);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr.s_addr = peer.ip;
    // Non-blocking connect and a poll that also watches the wake pipe, so that the connect can be abandoned.
    const int flags = ::fcntl(fd, F_GETFL);
    ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    int err = 0;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
        if (errno != EINPROGRESS) {
            err = lastError();
        } else {
            pollfd p[2] = {{fd, POLLOUT, 0}, {m_wake[0], POLLIN, 0}};
            for (;;) {
                const int rc = ::poll(p, 2, -1);
                if (rc < 0 && errno == EINTR)
                    continue;
                if (rc < 0) {
                    err = lastError();
                } else if (p[1].revents) {
                    err = WSAEINTR;
                } else {
                    int soErr = 0;
                    socklen_t len = sizeof soErr;
                    ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &soErr, &len);
                    err = soErr ? mapErrno(soErr) : 0;
                }
                break;
            }
        }
    }
    ::fcntl(fd, F_SETFL, flags);
    return err;
}

void Socket::abandonConnect()
{
    if (m_wake[1] >= 0) {
        const char b = 1;
        [[maybe_unused]] auto n = ::write(m_wake[1], &b, 1);
    }
}

bool Socket::waitReadable(int timeoutMs)
{
    pollfd p{static_cast<int>(m_fd), POLLIN, 0};
    for (;;) {
        const int rc = ::poll(&p, 1, timeoutMs < 0 ? -1 : timeoutMs);
        if (rc < 0 && errno == EINTR)
            continue;
        return rc != 0;
    }
}

long Socket::recv(char* buf, std::size_t len, int& err)
{
    for (;;) {
        const ssize_t n = ::recv(static_cast<int>(m_fd), buf, len, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            err = lastError();
            // A local close shuts the socket down; what the reader then sees is an orderly end, not a failure.
            if (!isOpen())
                return 0;
        }
        return static_cast<long>(n);
    }
}

long Socket::send(const char* buf, std::size_t len, int& err)
{
    for (;;) {
        const ssize_t n = ::send(static_cast<int>(m_fd), buf, len, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            err = lastError();
        return static_cast<long>(n);
    }
}

bool Socket::close()
{
    abandonConnect();
    if (!m_open.exchange(false, std::memory_order_acq_rel))
        return false;
    ::shutdown(static_cast<int>(m_fd), SHUT_RDWR);
    return true;
}

} // namespace morva::net
