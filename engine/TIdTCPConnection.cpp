// A line-oriented TCP connection.
#include "engine/TIdTCPConnection.h"

#include "engine/IdExceptions.h"
#include "engine/TIdAntiFreeze.h"

#include <cstring>

namespace morva {

const char* statusName(TIdStatus s)
{
    static const char* const names[] = {"hsResolving", "hsConnecting", "hsConnected", "hsDisconnecting",
                                        "hsDisconnected"};
    return names[static_cast<int>(s)];
}

TIdTake takeLine(TIdLink& link, std::string_view terminator, std::size_t maxLength, TIdMaxLineAction action,
                 std::size_t& consumed, std::string_view& out)
{
    if (terminator.empty())
        terminator = "\n";
    const std::string_view in(link.input.data() + consumed, link.input.size() - consumed);
    std::size_t pos = std::string_view::npos;
    // Resume where the last search for this line stopped, less what a terminator could straddle.
    std::size_t from = link.scanned > consumed ? link.scanned - consumed : 0;
    from = from >= terminator.size() - 1 ? from - (terminator.size() - 1) : 0;
    if (terminator.size() == 1) {
        if (from < in.size()) {
            const void* p = std::memchr(in.data() + from, terminator[0], in.size() - from);
            if (p)
                pos = static_cast<std::size_t>(static_cast<const char*>(p) - in.data());
        }
    } else {
        pos = in.find(terminator, from);
    }
    const bool tooLong = maxLength != 0 && (pos != std::string_view::npos ? pos > maxLength : in.size() > maxLength);
    if (tooLong) {
        if (action == TIdMaxLineAction::maException)
            return TIdTake::TooLong;
        out = in.substr(0, maxLength);
        consumed += maxLength;
        link.scanned = consumed;
        return TIdTake::Line;
    }
    if (pos == std::string_view::npos) {
        link.scanned = link.input.size();
        return TIdTake::NeedMore;
    }
    std::size_t len = pos;
    if (terminator == "\n" && len > 0 && in[len - 1] == '\r')
        --len;
    out = in.substr(0, len);
    consumed += pos + terminator.size();
    link.scanned = consumed;
    return TIdTake::Line;
}

TIdTCPConnection::TIdTCPConnection(Host& host) : m_host(host) {}

TIdTCPConnection::~TIdTCPConnection()
{
    if (m_link)
        m_link->socket.close();
}

void TIdTCPConnection::doStatus(TIdStatus s, const std::string& text)
{
    if (OnStatus)
        OnStatus(this, s, text);
}

void TIdTCPConnection::reportPeerClosed()
{
    doStatus(TIdStatus::hsDisconnected, "Disconnected.");
    if (OnDisconnected)
        OnDisconnected(this);
}

bool TIdTCPConnection::checkForDisconnect(bool raise, bool ignoreBuffer)
{
    if (!m_link)
        return false;
    std::shared_ptr<TIdLink> link = m_link;
    if (link->closedByPeer.load() && link->socket.close())
        reportPeerClosed();
    const bool closed = !link->socket.isOpen();
    // The input buffer belongs to the reader; on this thread a closed connection raises whenever asked to.
    (void)ignoreBuffer;
    if (closed && raise)
        throw EIdConnClosedGracefully();
    return closed;
}

bool TIdTCPConnection::Connected()
{
    checkForDisconnect(false, false);
    return m_link && m_link->socket.isOpen();
}

std::string TIdTCPConnection::OneLine(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    return out;
}

void TIdTCPConnection::WriteLine(std::string_view text)
{
    checkForDisconnect(true, true);
    if (!Connected())
        throw EIdNotConnected();
    std::string buf = OneLine(text);
    buf.append("\r\n");
    std::shared_ptr<TIdLink> link = m_link;
    std::size_t sent = 0;
    while (sent < buf.size()) {
        int err = 0;
        const long n = link->socket.send(buf.data() + sent, buf.size() - sent, err);
        if (n < 0) {
            if (err == net::WSAECONNABORTED || err == net::WSAECONNRESET || err == net::WSAESHUTDOWN)
                link->socket.close();
            net::raiseSocketError(err);
        }
        if (n == 0)
            link->closedByPeer.store(true);
        sent += static_cast<std::size_t>(n);
        if (TIdAntiFreeze* af = TIdAntiFreeze::Current())
            af->DoProcess(false); // a write is not an idle wait: this lets the UI run only when so configured
        if (m_link != link)
            throw EIdNotConnected();
        checkForDisconnect(true, false);
    }
}

void TIdTCPConnection::closeLink(bool notify)
{
    doStatus(TIdStatus::hsDisconnecting, "Disconnecting.");
    if (m_link) {
        m_link->closedLocally.store(true);
        m_link->socket.close();
    }
    m_link.reset();
    if (notify && OnDisconnected)
        OnDisconnected(this);
    doStatus(TIdStatus::hsDisconnected, "Disconnected.");
}

void TIdTCPConnection::CloseConnection()
{
    closeLink(true);
}

} // namespace morva
