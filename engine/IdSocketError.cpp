// Socket error texts, the same on every platform.
#include "engine/IdExceptions.h"
#include "engine/IdSocket.h"
#include "text/TextUtil.h"

namespace morva::net {

static const char* describe(int code)
{
    switch (code) {
    case WSAEINTR: return "Interrupted system call.";
    case WSAEBADF: return "Bad file number.";
    case WSAEACCES: return "Access denied.";
    case WSAEFAULT: return "Bad address.";
    case WSAEINVAL: return "Invalid argument.";
    case WSAEMFILE: return "Too many open files.";
    case WSAEWOULDBLOCK: return "Operation would block.";
    case WSAEINPROGRESS: return "Operation now in progress.";
    case WSAEALREADY: return "Operation already in progress.";
    case WSAENOTSOCK: return "Socket operation on non-socket.";
    case WSAEMSGSIZE: return "Message too long.";
    case WSAEPROTONOSUPPORT: return "Protocol not supported.";
    case WSAEOPNOTSUPP: return "Operation not supported on socket.";
    case WSAEAFNOSUPPORT: return "Address family not supported by protocol family.";
    case WSAEADDRINUSE: return "Address already in use.";
    case WSAEADDRNOTAVAIL: return "Cannot assign requested address.";
    case WSAENETDOWN: return "Network is down.";
    case WSAENETUNREACH: return "Network is unreachable.";
    case WSAENETRESET: return "Net dropped connection or reset.";
    case WSAECONNABORTED: return "Software caused connection abort.";
    case WSAECONNRESET: return "Connection reset by peer.";
    case WSAENOBUFS: return "No buffer space available.";
    case WSAEISCONN: return "Socket is already connected.";
    case WSAENOTCONN: return "Socket is not connected.";
    case WSAESHUTDOWN: return "Cannot send or receive after socket is closed.";
    case WSAETIMEDOUT: return "Connection timed out.";
    case WSAECONNREFUSED: return "Connection refused.";
    case WSAEHOSTDOWN: return "Host is down.";
    case WSAEHOSTUNREACH: return "No route to host.";
    case WSAHOST_NOT_FOUND: return "Host not found.";
    case WSATRY_AGAIN: return "Non-authoritative response (try again or check DNS setup).";
    case WSANO_RECOVERY: return "Non-recoverable errors: FORMERR, REFUSED, NOTIMP.";
    case WSANO_DATA: return "Valid name, no data record (check DNS setup).";
    default: return "Unknown socket error.";
    }
}

std::string errorText(int code)
{
    return "Socket Error # " + text::toString(code) + "\r\n" + describe(code);
}

void raiseSocketError(int code)
{
    throw EIdSocketError(code, errorText(code));
}

} // namespace morva::net
