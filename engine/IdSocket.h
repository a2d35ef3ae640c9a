// The thin socket layer under the connection: IPv4 TCP over POSIX sockets (Windows Sockets on Windows).
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace morva::net {

// Windows Sockets error numbers; POSIX errors are mapped onto them so that texts are the same everywhere.
enum WsaError : int
{
    WSAEINTR = 10004,
    WSAEBADF = 10009,
    WSAEACCES = 10013,
    WSAEFAULT = 10014,
    WSAEINVAL = 10022,
    WSAEMFILE = 10024,
    WSAEWOULDBLOCK = 10035,
    WSAEINPROGRESS = 10036,
    WSAEALREADY = 10037,
    WSAENOTSOCK = 10038,
    WSAEMSGSIZE = 10040,
    WSAEPROTONOSUPPORT = 10043,
    WSAEOPNOTSUPP = 10045,
    WSAEAFNOSUPPORT = 10047,
    WSAEADDRINUSE = 10048,
    WSAEADDRNOTAVAIL = 10049,
    WSAENETDOWN = 10050,
    WSAENETUNREACH = 10051,
    WSAENETRESET = 10052,
    WSAECONNABORTED = 10053,
    WSAECONNRESET = 10054,
    WSAENOBUFS = 10055,
    WSAEISCONN = 10056,
    WSAENOTCONN = 10057,
    WSAESHUTDOWN = 10058,
    WSAETIMEDOUT = 10060,
    WSAECONNREFUSED = 10061,
    WSAEHOSTDOWN = 10064,
    WSAEHOSTUNREACH = 10065,
    WSAHOST_NOT_FOUND = 11001,
    WSATRY_AGAIN = 11002,
    WSANO_RECOVERY = 11003,
    WSANO_DATA = 11004,
};

// The Windows Sockets number for the last error of this thread's socket call.
int lastError();
int mapErrno(int err);
// "Socket Error # <code>\r\n<description>".
std::string errorText(int code);
// Throws EIdSocketError for code.
[[noreturn]] void raiseSocketError(int code);

// A resolved IPv4 address in network byte order.
struct Address
{
    std::uint32_t ip = 0;
    std::string dotted() const;
};

bool isDottedAddress(const std::string& host);
// Throws EIdSocketError when the name has no IPv4 address.
Address resolve(const std::string& host);
// The first IPv4 address the local host's own name resolves to, dotted; "127.0.0.1" when it resolves to none.
std::string localAddress();

// One TCP socket. Shared by the connection and its reader: close() may come from any thread and wakes a reader
// blocked in recv at once, while the descriptor itself is released only when the last owner lets go, so the
// reader never reads from a descriptor that was reused.
class Socket
{
public:
    Socket();
    ~Socket();
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    // Allocates the socket and binds it to boundIp (empty: any) and any port. Throws EIdSocketError.
    void open(const std::string& boundIp);
    // Blocking connect; returns 0 or the Windows Sockets error number. abandon() from another thread makes it
    // return WSAEINTR at once.
    int connect(const Address& peer, std::uint16_t port);
    void abandonConnect();

    // Waits until readable: timeoutMs < 0 waits without limit. False on time-out.
    bool waitReadable(int timeoutMs);
    // Bytes received (0 when the peer closed), or -1 with the error number in err.
    long recv(char* buf, std::size_t len, int& err);
    // Bytes accepted, or -1 with the error number in err.
    long send(const char* buf, std::size_t len, int& err);

    // The connect succeeded: from now on the socket counts as open.
    void markConnected() { m_open.store(true, std::memory_order_release); }
    // Marks the socket closed and shuts it down (abandoning a connect in progress); true for the call that
    // actually closed an open socket.
    bool close();
    bool isOpen() const { return m_open.load(std::memory_order_acquire); }

private:
    std::intptr_t m_fd;
#ifdef _WIN32
    void* m_netEvent = nullptr;  // the socket's connect, read and close events
    void* m_wakeEvent = nullptr; // set by close() and abandonConnect(): wakes every wait on the socket
#else
    int m_wake[2] = {-1, -1}; // wakes an abandoned connect
#endif
    std::atomic<bool> m_open{false};
};

} // namespace morva::net
