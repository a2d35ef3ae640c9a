// The IRC engine: connection life cycle, reader hand-off, registration, outgoing commands, parsing and records.
#pragma once

#include "engine/TIdIRCChannels.h"
#include "engine/TIdIRCUsers.h"
#include "engine/TIdTCPClient.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace morva {

class TIdIRC;

enum class TIdIRCState : std::uint8_t
{
    Disconnecting = 0,
    Disconnected = 1,
    Connecting = 2,
    Registering = 3,
    Registered = 4
};
const char* stateName(TIdIRCState s);

enum TIdIRCUserMode : std::uint8_t
{
    umInvisible = 1,
    umOperator = 2,
    umServerNotices = 4,
    umWallops = 8
};
using TIdIRCUserModes = std::uint8_t; // a set of TIdIRCUserMode bits

// The four texts of the automatic CTCP replies.
struct TIdIRCReplies
{
    std::string Finger;
    std::string Version = "MORVA IRC engine 3.7";
    std::string UserInfo;
    std::string ClientInfo = "MORVA IRC engine 3.7 - a Windows-1251 IRC client engine";
};

// clang-format off
using TIdIRCNotify        = std::function<void(TIdIRC* Sender)>;
using TIdIRCOnText        = std::function<void(TIdIRC* Sender, const std::string& AText)>;
using TIdIRCOnRaw         = std::function<void(TIdIRC* Sender, TIdIRCUser* AUser, const std::string& ACommand, const std::string& AContent, bool& Suppress)>;
using TIdIRCOnMessage     = std::function<void(TIdIRC* Sender, TIdIRCUser* AUser, TIdIRCChannel* AChannel, const std::string& Content)>;
using TIdIRCOnUserChannel = std::function<void(TIdIRC* Sender, TIdIRCUser* AUser, TIdIRCChannel* AChannel)>;
using TIdIRCOnChannel     = std::function<void(TIdIRC* Sender, TIdIRCChannel* AChannel)>;
using TIdIRCOnKick        = std::function<void(TIdIRC* Sender, TIdIRCUser* AUser, TIdIRCUser* AVictim, TIdIRCChannel* AChannel)>;
using TIdIRCOnNickChange  = std::function<void(TIdIRC* Sender, TIdIRCUser* AUser, const std::string& ANewNick)>;
using TIdIRCOnTopic       = std::function<void(TIdIRC* Sender, TIdIRCUser* AUser, TIdIRCChannel* AChannel, const std::string& AChanName, const std::string& ATopic)>;
using TIdIRCOnNoTopic     = std::function<void(TIdIRC* Sender, TIdIRCChannel* AChannel, const std::string& AContent)>;
using TIdIRCOnUser        = std::function<void(TIdIRC* Sender, TIdIRCUser* AUser)>;
using TIdIRCOnNames       = std::function<void(TIdIRC* Sender, TIdIRCUsers* AUsers, TIdIRCChannel* AChannel)>;
using TIdIRCOnInvite      = std::function<void(TIdIRC* Sender, TIdIRCUser* AUser, const std::string& AChannel)>;
using TIdIRCOnInviting    = std::function<void(TIdIRC* Sender, const std::string& ANick, const std::string& AChannel)>;
using TIdIRCOnKill        = std::function<void(TIdIRC* Sender, TIdIRCUser* User, const std::string& AVictim, const std::string& AReason)>;
using TIdIRCOnUserText    = std::function<void(TIdIRC* Sender, TIdIRCUser* AUser, const std::string& AContent)>;
using TIdIRCOnError       = std::function<void(TIdIRC* Sender, TIdIRCUser* AUser, const std::string& ANumeric, const std::string& AError)>;
using TIdIRCOnSystem      = std::function<void(TIdIRC* Sender, TIdIRCUser* AUser, int ACmdCode, const std::string& ACommand, const std::string& AContent)>;
using TIdIRCOnOp          = std::function<void(TIdIRC* Sender, TIdIRCUser* AUser, TIdIRCChannel* AChannel, TIdIRCUser* ATarget)>;
using TIdIRCOnBan         = std::function<void(TIdIRC* Sender, TIdIRCUser* AUser, TIdIRCChannel* AChannel, const std::string& AHostmask)>;
using TIdIRCOnChannelMode = std::function<void(TIdIRC* Sender, TIdIRCUser* AUser, TIdIRCChannel* AChannel, const std::string& AChanName, const std::string& AModes)>;
using TIdIRCOnUnknown     = std::function<void(TIdIRC* Sender, TIdIRCUser* AUser, const std::string& ACommand, const std::string& AContent)>;
using TIdIRCOnCTCPQuery   = std::function<void(TIdIRC* Sender, TIdIRCUser* User, TIdIRCChannel* AChannel, const std::string& Command, const std::string& Args, bool& ASuppress)>;
using TIdIRCOnCTCPReply   = std::function<void(TIdIRC* Sender, TIdIRCUser* AUser, TIdIRCChannel* AChannel, const std::string& Command, const std::string& Args)>;
using TIdIRCOnDCCChat     = std::function<void(TIdIRC* Sender, const std::string& ANick, const std::string& AIp, const std::string& APort)>;
using TIdIRCOnDCCSend     = std::function<void(TIdIRC* Sender, const std::string& ANick, const std::string& AIp, const std::string& APort, const std::string& AFileName, const std::string& AFileSize)>;
using TIdIRCOnDCCResume   = std::function<void(TIdIRC* Sender, const std::string& ANick, const std::string& APort, const std::string& AFileName, const std::string& APosition)>;
using TIdIRCOnLinks       = std::function<void(TIdIRC* Sender, const std::string& AMask, const std::string& AServer, const std::string& AHopCount, const std::string& AServerInfo)>;
using TIdIRCOnList        = std::function<void(TIdIRC* Sender, const std::vector<std::string>& AChans, int APosition, bool ALast)>;
using TIdIRCOnNicksInUse  = std::function<void(TIdIRC* Sender, std::string& ANick)>;
// clang-format on

struct TIdIRCReaderContext;

// The engine. Owned by the main window; every operation and every event runs on the host's UI thread, while a
// reader thread of its own reads lines and hands them over, waiting until each batch has been handled.
class TIdIRC : public TIdTCPClient
{
public:
    explicit TIdIRC(morva::Host& host);
    ~TIdIRC() override;

    // Identity.
    std::string AltNick = "OtherNick";
    std::string Username = "username";
    std::string RealName = "Real name";
    std::string Password;
    TIdIRCReplies Replies;

    // The current nick while connected, otherwise the configured nick. Written while connected it sends NICK.
    std::string Nick();
    void SetNick(const std::string& nick);
    TIdIRCUserModes UserMode() const { return m_userMode; }
    void SetUserMode(TIdIRCUserModes modes);
    TIdIRCState State() const { return m_state; }
    bool Away() const { return m_away; }
    const std::string& ServerName() const { return m_serverName; }
    const std::string& LastLine() const { return m_lastLine; }

    TIdIRCUsers& Users() { return m_users; }
    TIdIRCChannels& Channels() { return m_channels; }
    TIdIRCUser* MyUser() const { return m_myUser; }

    // Connect, register and start reading. timeout is ignored (the time-out rule of the TCP connect applies).
    void Connect(int timeout = -1) override;
    // The engine-level disconnect: acts when registered or when force is true.
    void Disconnect(bool force);

    // Sending.
    void SendRaw(const std::string& line);
    void SendPrivmsg(const std::string& target, const std::string& text);
    void SendNotice(const std::string& target, const std::string& text);
    void SendCtcpQuery(const std::string& target, const std::string& command, const std::string& args);
    void SendAction(const std::string& target, const std::string& text);
    void SendCtcpReply(const std::string& target, const std::string& command, const std::string& text);
    void SendJoin(const std::string& channel, const std::string& key = {});
    void SendPart(const std::string& channel, const std::string& reason = {});
    void SendKick(const std::string& channel, const std::string& nick, const std::string& reason);
    void SendMode(const std::string& target, const std::string& modes, const std::string& params = {});
    void SendTopic(const std::string& channel, const std::string& topic);

    // Handles one received line as if the reader had handed it over (tests and tools).
    void InjectLine(std::string_view line);

    // Events of the connection.
    TIdIRCNotify OnConnect;
    TIdIRCNotify OnDisconnect;
    TIdIRCNotify OnStateChange;
    TIdIRCOnText OnReceive;
    TIdIRCOnText OnSend;
    TIdIRCOnChannelUpdate OnChannelUpdate;
    // Events of the parser.
    TIdIRCOnRaw OnRaw;
    TIdIRCOnMessage OnMessage, OnNotice, OnAction;
    TIdIRCOnUserChannel OnJoin, OnPart, OnKicked;
    TIdIRCOnChannel OnJoined, OnParted;
    TIdIRCOnKick OnKick;
    TIdIRCOnNickChange OnNickChange;
    TIdIRCOnText OnNickChanged;
    TIdIRCOnTopic OnTopic;
    TIdIRCOnNoTopic OnNoTopic;
    TIdIRCOnUser OnQuit, OnAway;
    TIdIRCOnNames OnNames;
    TIdIRCOnInvite OnInvite;
    TIdIRCOnInviting OnInviting;
    TIdIRCOnKill OnKill;
    TIdIRCNotify OnPingPong, OnUserModeChanged;
    TIdIRCOnUserText OnWallops;
    TIdIRCOnError OnError;
    TIdIRCOnText OnNowAway, OnUnAway;
    TIdIRCOnSystem OnSystem;
    TIdIRCOnOp OnOp, OnDeop, OnVoice, OnDevoice;
    TIdIRCOnBan OnBan, OnUnban;
    TIdIRCOnChannelMode OnChannelMode;
    TIdIRCOnText OnUserMode;
    TIdIRCOnUnknown OnUnknownCommand;
    TIdIRCOnCTCPQuery OnCTCPQuery;
    TIdIRCOnCTCPReply OnCTCPReply;
    TIdIRCOnDCCChat OnDCCChat;
    TIdIRCOnDCCSend OnDCCSend;
    TIdIRCOnDCCResume OnDCCResume, OnDCCAccept;
    TIdIRCOnLinks OnLinks;
    TIdIRCOnList OnList;
    TIdIRCOnNicksInUse OnNicksInUse;

    // Automatic CTCP replies allowed within CtcpReplyWindowMs; further queries get none.
    int CtcpReplyLimit = 5;
    int CtcpReplyWindowMs = 10000;

    // Test hook: moves the engine to a state as the connection life cycle would.
    void TestSetState(TIdIRCState s) { setState(s); }
    // Test hook: starts a session without a socket, as a connect does (records emptied, the own record created,
    // the current nick set), and moves to state.
    void TestBeginSession(TIdIRCState state = TIdIRCState::Registered);
    // True while a reader thread is running for this engine.
    bool ReaderRunning() const;

    // Called by the reader's hand-off on the UI thread: one received line, and a close by the peer.
    void readerLine(std::string_view line) { handleLine(line); }
    void readerPeerClosed() { reportPeerClosed(); }

private:
    friend struct TIdIRCReaderContext;
    friend class TIdIRCParser;

    void setState(TIdIRCState s);
    void beginSession();
    void sendRegistration();
    void startReader();
    void stopReader();
    // One line from the reader, on the UI thread.
    void handleLine(std::string_view line);
    // Tokenises and dispatches a non-empty line.
    void parseLine(std::string_view line);
    bool takeCtcpReplySlot();

    TIdIRCUsers m_users;
    TIdIRCChannels m_channels;
    TIdIRCUser* m_myUser = nullptr;
    TIdIRCState m_state = TIdIRCState::Disconnected;
    std::string m_nick = "Nick"; // configured
    std::string m_currentNick;
    std::string m_serverName;
    std::string m_lastLine;
    TIdIRCUserModes m_userMode = 0;
    bool m_away = false;
    std::shared_ptr<TIdIRCReaderContext> m_reader;
    bool m_inHandoff = false;
    std::deque<std::int64_t> m_ctcpReplyTimes; // steady-clock ms of the recent automatic CTCP replies

    // The list accumulator of OnList.
    std::vector<std::string> m_listChans;
    int m_listPosition = 0;
};

} // namespace morva
