// The engine's send operation, registration and outgoing commands.
#include "engine/IdExceptions.h"
#include "engine/TIdIRC.h"
#include "text/Cp1251.h"

namespace morva {

void TIdIRC::SendRaw(const std::string& line)
{
    if (Connected()) {
        WriteLine(line);
        if (OnSend)
            OnSend(this, line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos ? line : OneLine(line));
    } else if (OnError) {
        OnError(this, nullptr, "", "Not connected to server.");
    }
}

// PASS <password>, NICK <nick>, USER <ident> <local address> <server or local address> :<real name>
void TIdIRC::sendRegistration()
{
    if (!Password.empty())
        SendRaw("PASS " + Password);
    SendRaw("NICK " + m_nick);
    const std::string local = BoundIP.empty() ? net::localAddress() : BoundIP;
    SendRaw("USER " + Username + " " + local + " " + (m_serverName.empty() ? local : m_serverName) + " :" + RealName);
}

void TIdIRC::SendPrivmsg(const std::string& target, const std::string& text)
{
    SendRaw("PRIVMSG " + target + " :" + text);
}

void TIdIRC::SendNotice(const std::string& target, const std::string& text)
{
    SendRaw("NOTICE " + target + " :" + text);
}

void TIdIRC::SendCtcpQuery(const std::string& target, const std::string& command, const std::string& args)
{
    // Built by appends: GCC 12 at -O3 reports a false -Wrestrict on "literal" + std::string&&.
    std::string body = "\x01";
    body += text::upper(command);
    body += ' ';
    body += args;
    body += '\x01';
    SendPrivmsg(target, body);
}

void TIdIRC::SendAction(const std::string& target, const std::string& text)
{
    SendCtcpQuery(target, "ACTION", text);
}

void TIdIRC::SendCtcpReply(const std::string& target, const std::string& command, const std::string& text)
{
    SendNotice(target, "\x01" + command + " " + text + "\x01");
}

void TIdIRC::SendJoin(const std::string& channel, const std::string& key)
{
    SendRaw(key.empty() ? "JOIN " + channel : "JOIN " + channel + " " + key);
}

void TIdIRC::SendPart(const std::string& channel, const std::string& reason)
{
    SendRaw(reason.empty() ? "PART " + channel : "PART " + channel + " :" + reason);
}

void TIdIRC::SendKick(const std::string& channel, const std::string& nick, const std::string& reason)
{
    SendRaw("KICK " + channel + " " + nick + " :" + reason);
}

void TIdIRC::SendMode(const std::string& target, const std::string& modes, const std::string& params)
{
    SendRaw(params.empty() ? "MODE " + target + " " + modes : "MODE " + target + " " + modes + " " + params);
}

void TIdIRC::SendTopic(const std::string& channel, const std::string& topic)
{
    SendRaw("TOPIC " + channel + " :" + topic);
}

} // namespace morva
