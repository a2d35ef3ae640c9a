// A line-oriented TCP connection: the socket object, its input buffer, reading and writing lines.
#pragma once

#include "engine/Host.h"
#include "engine/IdSocket.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace morva {

enum class TIdMaxLineAction
{
    maException,
    maSplit
};

enum class TIdStatus
{
    hsResolving,
    hsConnecting,
    hsConnected,
    hsDisconnecting,
    hsDisconnected
};
const char* statusName(TIdStatus s);

// The socket object of one connection with its input. Shared by the connection (UI thread) and the reader thread,
// so that the socket stays valid until the reader has left its read. The input buffer belongs to the reader while
// it reads; the UI thread sees it only during a hand-off, while the reader waits.
struct TIdLink
{
    net::Socket socket;
    std::string input;       // received, not yet taken as lines
    std::size_t scanned = 0; // bytes of input already searched for the terminator of the current line
    std::atomic<bool> closedByPeer{false};
    std::atomic<bool> closedLocally{false}; // CloseConnection or Disconnect: the reader stops between lines
};

// The result of taking the next line out of a link's input.
enum class TIdTake
{
    Line,     // out holds the line, without its terminator
    NeedMore, // no complete line yet
    TooLong   // the line is longer than allowed (maException)
};

// Takes one line out of link.input (LF, or CR LF, ends it; a lone CR is text). Each byte is searched once per
// line. The line is a view into link.input, valid until the next call that changes the input.
TIdTake takeLine(TIdLink& link, std::string_view terminator, std::size_t maxLength, TIdMaxLineAction action,
                 std::size_t& consumed, std::string_view& out);

// The connection. Everything but the reading runs on the UI thread.
class TIdTCPConnection
{
public:
    explicit TIdTCPConnection(Host& host);
    virtual ~TIdTCPConnection();
    TIdTCPConnection(const TIdTCPConnection&) = delete;
    TIdTCPConnection& operator=(const TIdTCPConnection&) = delete;

    int ReadTimeout = 0; // milliseconds, 0 waits without limit
    int MaxLineLength = 16384;
    TIdMaxLineAction MaxLineAction = TIdMaxLineAction::maException;
    int RecvBufferSize = 32768;

    std::function<void(TIdTCPConnection* Sender)> OnConnected;
    std::function<void(TIdTCPConnection* Sender)> OnDisconnected;
    std::function<void(TIdTCPConnection* Sender, TIdStatus AStatus, const std::string& AText)> OnStatus;

    // True while the socket object exists and is open. Checks first for a close by the peer, which may close the
    // socket and raise OnDisconnected.
    bool Connected();
    // Writes text and CR LF in one write. Throws EIdNotConnected, EIdConnClosedGracefully, EIdSocketError.
    // A CR, LF or NUL inside text goes out as a blank: a line never turns into two protocol lines, whatever a
    // peer managed to put into it (a lone CR arrives as ordinary text and comes back in CTCP replies).
    void WriteLine(std::string_view text);
    // text as WriteLine puts it on the wire, without the line end.
    static std::string OneLine(std::string_view text);
    // Closes the socket and releases the socket object; sends nothing.
    virtual void CloseConnection();

    Host& host() const { return m_host; }

protected:
    // The closed-connection check on the UI thread. Throws EIdConnClosedGracefully under the rules of the options.
    bool checkForDisconnect(bool raise, bool ignoreBuffer);
    // Closes the socket object's socket and releases it; raises OnDisconnected when notify is true.
    void closeLink(bool notify);
    void doStatus(TIdStatus s, const std::string& text);
    // The socket closed itself (peer close found by a check): status and OnDisconnected.
    void reportPeerClosed();

    Host& m_host;
    std::shared_ptr<TIdLink> m_link; // the socket object; null before the first connect and after CloseConnection
};

} // namespace morva
