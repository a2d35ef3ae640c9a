// Windows Sockets implementation of the socket layer.
//
// The socket is associated with an event object (WSAEventSelect) for its connect, read and close events, which
// makes it non-blocking; a second, manual-reset event is set by close() and abandonConnect(). Every wait in here
// waits for both, so a connect in progress or a reader blocked in recv wakes as soon as another thread closes the
// socket. Readiness is always confirmed with select() before a call, so a stale event only costs another turn.
//
// The Winsock headers define the error numbers as macros; they come after our own headers, and the code below
// names the numbers unqualified, so that both spellings mean the same value.
#include "engine/IdExceptions.h"
#include "engine/IdSocket.h"

#include <climits>
#include <mutex>

#include <winsock2.h>
#include <ws2tcpip.h>

namespace morva::net {
namespace {

// Windows Sockets is started once for the process and never cleaned up: sockets may live until the process ends.
void startup()
{
    static std::once_flag once;
    static int result = 0;
    std::call_once(once, [] {
        WSADATA data;
        result = ::WSAStartup(MAKEWORD(2, 2), &data);
    });
    if (result != 0)
        raiseSocketError(result);
}

SOCKET handleOf(std::intptr_t fd)
{
    return static_cast<SOCKET>(fd);
}

int clampLength(std::size_t len)
{
    return len > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(len);
}

// Zero-time select: true when a read would not block (data, end of stream or an error to report).
bool readableNow(SOCKET s)
{
    fd_set r;
    FD_ZERO(&r);
    FD_SET(s, &r);
    timeval zero{0, 0};
    return ::select(0, &r, nullptr, nullptr, &zero) != 0;
}

bool isSet(void* event)
{
    return ::WaitForSingleObject(static_cast<HANDLE>(event), 0) == WAIT_OBJECT_0;
}

} // namespace

// Windows Sockets numbers are the BSD errno values plus 10000; numbers already in that range pass unchanged.
int mapErrno(int err)
{
    return err >= 10000 ? err : 10000 + err;
}

int lastError()
{
    return ::WSAGetLastError();
}

bool isDottedAddress(const std::string& host)
{
    in_addr a{};
    return ::inet_pton(AF_INET, host.c_str(), &a) == 1;
}

std::string Address::dotted() const
{
    char buf[INET_ADDRSTRLEN] = {};
    in_addr a{};
    a.s_addr = ip;
    ::inet_ntop(AF_INET, &a, buf, sizeof buf);
    return buf;
}

Address resolve(const std::string& host)
{
    in_addr a{};
    if (::inet_pton(AF_INET, host.c_str(), &a) == 1)
        return Address{a.s_addr};
    startup();
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* res = nullptr;
    // getaddrinfo answers with Windows Sockets numbers (WSAHOST_NOT_FOUND, WSATRY_AGAIN, ...).
    const int rc = ::getaddrinfo(host.c_str(), nullptr, &hints, &res);
    if (rc != 0 || !res) {
        if (res)
            ::freeaddrinfo(res);
        raiseSocketError(rc != 0 ? rc : WSAHOST_NOT_FOUND);
    }
    Address out{reinterpret_cast<sockaddr_in*>(res->ai_addr)->sin_addr.s_addr};
    ::freeaddrinfo(res);
    return out;
}

std::string localAddress()
{
    try {
        startup();
        char name[256] = {};
        if (::gethostname(name, sizeof name - 1) == 0)
            return resolve(name).dotted();
    } catch (const EIdSocketError&) {
    }
    return "127.0.0.1";
}

Socket::Socket() : m_fd(static_cast<std::intptr_t>(INVALID_SOCKET)) {}

Socket::~Socket()
{
    if (handleOf(m_fd) != INVALID_SOCKET)
        ::closesocket(handleOf(m_fd));
    if (m_netEvent)
        ::WSACloseEvent(static_cast<WSAEVENT>(m_netEvent));
    if (m_wakeEvent)
        ::CloseHandle(static_cast<HANDLE>(m_wakeEvent));
}

void Socket::open(const std::string& boundIp)
{
    startup();
    const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        raiseSocketError(lastError());
    m_fd = static_cast<std::intptr_t>(s);
    // Child processes must not keep the connection open.
    ::SetHandleInformation(reinterpret_cast<HANDLE>(s), HANDLE_FLAG_INHERIT, 0);
    const BOOL one = TRUE;
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one), sizeof one);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = 0;
    local.sin_addr.s_addr = boundIp.empty() ? htonl(INADDR_ANY) : resolve(boundIp).ip;
    if (::bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0)
        raiseSocketError(lastError());
    m_wakeEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!m_wakeEvent)
        raiseSocketError(WSAENOBUFS);
    m_netEvent = ::WSACreateEvent();
    if (m_netEvent == WSA_INVALID_EVENT) {
        m_netEvent = nullptr;
        raiseSocketError(lastError());
    }
    if (::WSAEventSelect(s, static_cast<WSAEVENT>(m_netEvent), FD_CONNECT | FD_READ | FD_CLOSE) != 0)
        raiseSocketError(lastError());
}

int Socket::connect(const Address& peer, std::uint16_t port)
{
    const SOCKET s = handleOf(m_fd);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr.s_addr = peer.ip;
    if (::connect(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0)
        return 0;
    const int err = lastError();
    if (err != WSAEWOULDBLOCK)
        return err;
    const HANDLE events[2] = {static_cast<HANDLE>(m_netEvent), static_cast<HANDLE>(m_wakeEvent)};
    for (;;) {
        const DWORD rc = ::WaitForMultipleObjects(2, events, FALSE, INFINITE);
        if (rc == WAIT_OBJECT_0 + 1)
            return WSAEINTR;
        if (rc != WAIT_OBJECT_0)
            return WSAEINVAL;
        WSANETWORKEVENTS ne{};
        if (::WSAEnumNetworkEvents(s, static_cast<WSAEVENT>(m_netEvent), &ne) != 0)
            return lastError();
        if (ne.lNetworkEvents & FD_CONNECT)
            return ne.iErrorCode[FD_CONNECT_BIT];
    }
}

void Socket::abandonConnect()
{
    if (m_wakeEvent)
        ::SetEvent(static_cast<HANDLE>(m_wakeEvent));
}

bool Socket::waitReadable(int timeoutMs)
{
    const SOCKET s = handleOf(m_fd);
    const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(timeoutMs < 0 ? 0 : timeoutMs);
    const HANDLE events[2] = {static_cast<HANDLE>(m_netEvent), static_cast<HANDLE>(m_wakeEvent)};
    for (;;) {
        // A closed socket counts as readable: the read that follows reports the end.
        if (readableNow(s) || isSet(m_wakeEvent))
            return true;
        DWORD wait = INFINITE;
        if (timeoutMs >= 0) {
            const ULONGLONG now = ::GetTickCount64();
            if (now >= deadline)
                return false;
            wait = static_cast<DWORD>(deadline - now);
        }
        const DWORD rc = ::WaitForMultipleObjects(2, events, FALSE, wait);
        if (rc == WAIT_TIMEOUT)
            return readableNow(s);
        if (rc != WAIT_OBJECT_0)
            return true; // woken, or the wait itself failed: let the read tell
        // Resets the event; the next recv re-arms the read event while data remains.
        WSANETWORKEVENTS ne{};
        ::WSAEnumNetworkEvents(s, static_cast<WSAEVENT>(m_netEvent), &ne);
    }
}

long Socket::recv(char* buf, std::size_t len, int& err)
{
    const SOCKET s = handleOf(m_fd);
    for (;;) {
        const int n = ::recv(s, buf, clampLength(len), 0);
        if (n >= 0)
            return n;
        const int e = lastError();
        // A local close shuts the socket down; what the reader then sees is an orderly end, not a failure.
        if (!isOpen())
            return 0;
        if (e == WSAEWOULDBLOCK) {
            waitReadable(-1);
            continue;
        }
        err = e;
        return -1;
    }
}

long Socket::send(const char* buf, std::size_t len, int& err)
{
    const SOCKET s = handleOf(m_fd);
    for (;;) {
        const int n = ::send(s, buf, clampLength(len), 0);
        if (n >= 0)
            return n;
        const int e = lastError();
        if (e != WSAEWOULDBLOCK || !isOpen() || isSet(m_wakeEvent)) {
            err = e == WSAEWOULDBLOCK ? WSAESHUTDOWN : e;
            return -1;
        }
        // The socket is non-blocking for the sake of the waits; a full send buffer is waited out here, in short
        // turns so that a close from another thread is seen.
        fd_set w;
        FD_ZERO(&w);
        FD_SET(s, &w);
        fd_set x = w;
        timeval turn{0, 50 * 1000};
        ::select(0, nullptr, &w, &x, &turn);
    }
}

bool Socket::close()
{
    const bool wasOpen = m_open.exchange(false, std::memory_order_acq_rel);
    abandonConnect();
    if (!wasOpen)
        return false;
    ::shutdown(handleOf(m_fd), SD_BOTH);
    return true;
}

} // namespace morva::net
