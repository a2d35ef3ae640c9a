// The engine's connection life cycle: connect, register, the reader hand-off, both disconnects.
#include "engine/TIdIRC.h"

#include "engine/IdExceptions.h"
#include "engine/TIdIRCReadThread.h"

namespace morva {

const char* stateName(TIdIRCState s)
{
    static const char* const names[] = {"Disconnecting", "Disconnected", "Connecting", "Registering", "Registered"};
    return names[static_cast<int>(s)];
}

TIdIRC::TIdIRC(morva::Host& host) : TIdTCPClient(host), m_users(this), m_channels(this)
{
    Port = 6667;
}

TIdIRC::~TIdIRC()
{
    try {
        if (Connected())
            Disconnect(true);
    } catch (...) {
    }
    if (m_reader) {
        m_reader->release(2000);
        m_reader.reset();
    }
}

bool TIdIRC::ReaderRunning() const
{
    return m_reader && !m_reader->isFinished();
}

void TIdIRC::setState(TIdIRCState s)
{
    if (m_state == s)
        return;
    m_state = s;
    if (OnStateChange)
        OnStateChange(this);
}

std::string TIdIRC::Nick()
{
    return Connected() ? m_currentNick : m_nick;
}

void TIdIRC::SetNick(const std::string& nick)
{
    if (Connected())
        SendRaw("NICK " + nick);
    else
        m_nick = nick;
}

void TIdIRC::SetUserMode(TIdIRCUserModes modes)
{
    if (!Connected())
        m_userMode = modes;
}

void TIdIRC::beginSession()
{
    m_channels.Clear();
    m_users.Clear();
    m_myUser = m_users.Add(m_nick, "");
    m_currentNick = m_nick;
}

void TIdIRC::TestBeginSession(TIdIRCState state)
{
    beginSession();
    setState(state);
}

void TIdIRC::Connect(int /*timeout*/)
{
    if (Connected())
        Disconnect(true);
    beginSession();
    setState(TIdIRCState::Connecting);
    TIdTCPClient::Connect();
    setState(TIdIRCState::Registering);
    try {
        if (OnConnect)
            OnConnect(this);
        if (Connected())
            startReader();
        sendRegistration();
    } catch (const EIdSocketError&) {
        throw EComponentError("IRC Connect Failed");
    }
}

void TIdIRC::Disconnect(bool force)
{
    if (m_state != TIdIRCState::Registered && !force)
        return;
    if (m_myUser) {
        m_users.Release(m_myUser);
        m_myUser = nullptr;
    }
    setState(TIdIRCState::Disconnecting);
    if (OnDisconnect)
        OnDisconnect(this);
    stopReader();
    closeLink(false);
    setState(TIdIRCState::Disconnected);
    if (OnDisconnected)
        OnDisconnected(this);
}

void TIdIRC::startReader()
{
    stopReader();
    auto ctx = std::make_shared<TIdIRCReaderContext>(m_host, m_link);
    ctx->engine = this;
    ctx->readTimeout = ReadTimeout;
    ctx->maxLength = MaxLineLength < 0 ? 0 : static_cast<std::size_t>(MaxLineLength);
    ctx->action = MaxLineAction;
    ctx->recvSize = RecvBufferSize > 0 ? static_cast<std::size_t>(RecvBufferSize) : 32768;
    m_reader = ctx;
    startReadThread(std::move(ctx));
}

void TIdIRC::stopReader()
{
    if (m_reader) {
        // The reader stops when its read returns; closing the socket makes it return.
        m_reader->stop.store(true);
        m_reader->engine = nullptr;
    }
}

void TIdIRC::handleLine(std::string_view line)
{
    if (m_state == TIdIRCState::Disconnected)
        return;
    InjectLine(line);
}

void TIdIRC::InjectLine(std::string_view line)
{
    m_lastLine.assign(line);
    if (line.empty())
        return;
    if (OnReceive)
        OnReceive(this, m_lastLine);
    parseLine(line);
}

} // namespace morva
