// Dispatch of received lines into record updates, automatic replies and events.
#include "engine/TIdIRC.h"
#include "engine/TIdIRCTokenizer.h"
#include "text/TextUtil.h"

#include <chrono>
#include <ctime>

namespace morva {

// Handles one line: the tokens, the sender's record and the tables of command words and numerics. Lives for the
// line only. Records handed to events may be released by the handlers (a handler may even reconnect), so after an
// event channels are looked up again by name and the sender is released only while its collection still holds it.
class TIdIRCParser
{
public:
    TIdIRCParser(TIdIRC& irc, std::string_view line) : m_irc(irc) { tokenizeLine(line, m_t); }
    void dispatch();

private:
    using Handler = void (TIdIRCParser::*)();
    using NumHandler = void (TIdIRCParser::*)(int code);

    struct CommandRow
    {
        std::string_view word;
        Handler handler;
    };
    struct NumericRow
    {
        short lo, hi;
        const char* word;   // the OnSystem command, or null when the row raises no OnSystem
        const char* format; // "%s" per listed parameter; null for the line's content
        signed char params[5];
        NumHandler before; // runs before the OnSystem
        NumHandler after;  // runs after it
    };
    static const CommandRow kCommands[];
    static const NumericRow kNumerics[];

    std::string p(int n) const { return std::string(m_t[n]); }
    bool own() const { return m_t.senderNick == m_irc.m_currentNick; }
    TIdIRCChannel* chan(int n) const { return m_irc.m_channels.Get(m_t[n]); }
    std::string fill(const NumericRow& row) const;
    std::string modeText(int first) const;

    void numeric(int code);
    void system(int code, const char* word, const std::string& text);

    void privmsg();
    void notice();
    void join();
    void part();
    void kick();
    void mode();
    void nick();
    void quit();
    void invite();
    void kill();
    void ping();
    void wallops();
    void topic();

    void welcome(int);
    void registered(int);
    void away(int);
    void unaway(int);
    void nowaway(int);
    void listStart(int);
    void listEntry(int);
    void listEnd(int);
    void channelModeIs(int);
    void noTopic(int);
    void topicIs(int);
    void inviting(int);
    void namesAdd(int);
    void links(int);
    void namesEnd(int);
    void time(int);
    void error(int);

    void splitCtcp(std::string_view t, std::string& cmd, std::string& args) const;
    void ctcpQuery();
    void ctcpReply();
    void dcc(const std::string& args);
    void applyChannelModes(int s);
    void applyUserModes();
    void nickRetry();

    TIdIRC& m_irc;
    TIdIRCTokens m_t;
    TIdIRCUser* m_user = nullptr;
};

// clang-format off
const TIdIRCParser::CommandRow TIdIRCParser::kCommands[] = {
    {"PRIVMSG", &TIdIRCParser::privmsg},  // :n!u@h PRIVMSG <target> :<text>   (^A...^A is a CTCP query)
    {"NOTICE",  &TIdIRCParser::notice},   // :n!u@h NOTICE <target> :<text>    (^A...^A is a CTCP reply)
    {"JOIN",    &TIdIRCParser::join},     // :n!u@h JOIN <channel>
    {"PART",    &TIdIRCParser::part},     // :n!u@h PART <channel> [:<reason>]
    {"KICK",    &TIdIRCParser::kick},     // :k!u@h KICK <channel> <victim> [:<reason>]
    {"MODE",    &TIdIRCParser::mode},     // :n!u@h MODE <channel|nick> <modes> [<params>...]
    {"NICK",    &TIdIRCParser::nick},     // :old!u@h NICK <new>
    {"QUIT",    &TIdIRCParser::quit},     // :n!u@h QUIT [:<reason>]
    {"INVITE",  &TIdIRCParser::invite},   // :n!u@h INVITE <me> <channel>
    {"KILL",    &TIdIRCParser::kill},     // :n!u@h KILL <victim> :<reason>
    {"PING",    &TIdIRCParser::ping},     // PING :<token>
    {"WALLOPS", &TIdIRCParser::wallops},  // :n!u@h WALLOPS :<text>
    {"TOPIC",   &TIdIRCParser::topic},    // :n!u@h TOPIC <channel> :<topic>
};

#define P(...) {__VA_ARGS__}
#define H(f) &TIdIRCParser::f
constexpr signed char C = -1; // the line's content
const TIdIRCParser::NumericRow TIdIRCParser::kNumerics[] = {
    // lo   hi    word        format                                             params          before            after
    {1,   4,   "WELCOME",  nullptr,                                             P(C),           H(welcome),       nullptr},
    {6,   7,   "MAP",      nullptr,                                             P(3),           nullptr,          nullptr},
    {200, 206, "TRACE",    nullptr,                                             P(C),           nullptr,          nullptr},
    {208, 208, "TRACE",    nullptr,                                             P(C),           nullptr,          nullptr},
    {211, 216, "STATS",    nullptr,                                             P(C),           nullptr,          nullptr},
    {218, 218, "STATS",    nullptr,                                             P(C),           nullptr,          nullptr},
    {219, 219, "STATS",    "%s %s",                                             P(3, 4),        nullptr,          nullptr},
    {221, 221, "UMODE",    "%s %s",                                             P(2, 3),        nullptr,          nullptr},
    {241, 244, "STATS",    nullptr,                                             P(C),           nullptr,          nullptr},
    {250, 255, "LUSER",    "%s %s",                                             P(3, 4),        nullptr,          nullptr},
    {256, 259, "ADMIN",    nullptr,                                             P(C),           nullptr,          nullptr},
    {261, 261, "TRACE",    nullptr,                                             P(C),           nullptr,          nullptr},
    {265, 266, "LUSER",    nullptr,                                             P(3),           nullptr,          nullptr},
    {301, 301, nullptr,    nullptr,                                             P(),            H(away),          nullptr},
    {302, 302, "USERHOST", nullptr,                                             P(3),           nullptr,          nullptr},
    {303, 303, "ISON",     nullptr,                                             P(2),           nullptr,          nullptr},
    {305, 305, nullptr,    nullptr,                                             P(),            H(unaway),        nullptr},
    {306, 306, nullptr,    nullptr,                                             P(),            H(nowaway),       nullptr},
    {307, 307, "WHOIS",    "%s %s",                                             P(3, 4),        nullptr,          nullptr},
    {311, 311, "WHOIS",    "%s is %s@%s %s %s",                                 P(3, 4, 5, 6, 7), nullptr,        nullptr},
    {312, 312, "WHOIS",    "%s is using %s %s",                                 P(3, 4, 5),     nullptr,          nullptr},
    {313, 313, "WHOIS",    "%s %s",                                             P(3, 4),        nullptr,          nullptr},
    {314, 314, "WHOWAS",   "%s was %s@%s %s %s",                                P(3, 4, 5, 6, 7), nullptr,        nullptr},
    {315, 315, "WHO",      "%s :%s",                                            P(3, 4),        nullptr,          nullptr},
    {317, 317, "WHOIS",    "%s has been idle %s seconds, signed on at %s",      P(3, 4, 5),     nullptr,          nullptr},
    {318, 318, "WHOIS",    "%s :%s",                                            P(3, 4),        nullptr,          nullptr},
    {319, 319, "WHOIS",    "%s is on %s",                                       P(3, 4),        nullptr,          nullptr},
    {321, 321, "LIST",     "Start of LIST",                                     P(),            H(listStart),     nullptr},
    {322, 322, nullptr,    nullptr,                                             P(),            H(listEntry),     nullptr},
    {323, 323, "LIST",     nullptr,                                             P(3),           nullptr,          H(listEnd)},
    {324, 324, nullptr,    nullptr,                                             P(),            H(channelModeIs), nullptr},
    {329, 329, "329",      nullptr,                                             P(C),           nullptr,          nullptr},
    {331, 331, nullptr,    nullptr,                                             P(),            H(noTopic),       nullptr},
    {332, 332, nullptr,    nullptr,                                             P(),            H(topicIs),       nullptr},
    {341, 341, nullptr,    nullptr,                                             P(),            H(inviting),      nullptr},
    {342, 342, "SUMMON",   "%s has been summoned",                              P(2),           nullptr,          nullptr},
    {351, 351, "VERSION",  "%s %s %s",                                          P(3, 4, 5),     nullptr,          nullptr},
    {352, 352, "WHO",      nullptr,                                             P(2),           nullptr,          nullptr},
    {353, 353, "NAMES",    "%s :%s",                                            P(4, 5),        nullptr,          H(namesAdd)},
    {364, 364, nullptr,    nullptr,                                             P(),            H(links),         nullptr},
    {365, 365, "LINKS",    "%s %s",                                             P(3, 4),        nullptr,          nullptr},
    {366, 366, "NAMES",    "%s :%s",                                            P(3, 4),        nullptr,          H(namesEnd)},
    {367, 367, "BANS",     "%s %s",                                             P(2, 3),        nullptr,          nullptr},
    {368, 368, "BANS",     "%s :%s",                                            P(2, 3),        nullptr,          nullptr},
    {369, 369, "WHOWAS",   "%s :%s",                                            P(3, 4),        nullptr,          nullptr},
    {371, 371, "INFO",     nullptr,                                             P(2),           nullptr,          nullptr},
    {372, 372, "MOTD",     nullptr,                                             P(3),           nullptr,          nullptr},
    {374, 374, "INFO",     nullptr,                                             P(2),           nullptr,          nullptr},
    {375, 375, "MOTD",     nullptr,                                             P(3),           H(registered),    nullptr},
    {376, 376, "MOTD",     nullptr,                                             P(3),           nullptr,          nullptr},
    {381, 381, "OPER",     nullptr,                                             P(2),           nullptr,          nullptr},
    {382, 382, "REHASH",   "%s :%s",                                            P(2, 3),        nullptr,          nullptr},
    {391, 391, nullptr,    nullptr,                                             P(),            H(time),          nullptr},
    {392, 395, "USERS",    nullptr,                                             P(2),           nullptr,          nullptr},
    {401, 502, nullptr,    nullptr,                                             P(),            H(error),         nullptr},
    {614, 614, "WHOIS",    nullptr,                                             P(3),           nullptr,          nullptr},
};
#undef P
#undef H
// clang-format on

void TIdIRC::parseLine(std::string_view line)
{
    TIdIRCParser(*this, line).dispatch();
}

bool TIdIRC::takeCtcpReplySlot()
{
    const std::int64_t now =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    while (!m_ctcpReplyTimes.empty() && now - m_ctcpReplyTimes.front() >= CtcpReplyWindowMs)
        m_ctcpReplyTimes.pop_front();
    if (static_cast<int>(m_ctcpReplyTimes.size()) >= CtcpReplyLimit)
        return false;
    m_ctcpReplyTimes.push_back(now);
    return true;
}

namespace {

// Holds one reference on a user record for a scope; lets it go only while the collection still holds the record
// (a handler may have emptied the collection by reconnecting).
class UserRef
{
public:
    UserRef(TIdIRC& irc, TIdIRCUser* u) : m_irc(irc), m_user(u), m_generation(irc.Users().Generation()) {}
    ~UserRef()
    {
        if (m_user && m_irc.Users().Generation() == m_generation)
            m_irc.Users().Release(m_user);
    }
    UserRef(const UserRef&) = delete;
    UserRef& operator=(const UserRef&) = delete;

private:
    TIdIRC& m_irc;
    TIdIRCUser* m_user;
    std::uint64_t m_generation;
};

} // namespace

void TIdIRCParser::dispatch()
{
    m_user = m_irc.m_users.Add(m_t.senderNick, m_t.senderAddress);
    UserRef hold(m_irc, m_user);
    const std::string command(m_t.command);
    if (m_irc.OnRaw) {
        bool suppress = false;
        const std::uint64_t generation = m_irc.m_users.Generation();
        m_irc.OnRaw(&m_irc, m_user, command, std::string(m_t.content), suppress);
        if (suppress || generation != m_irc.m_users.Generation()) // suppressed, or reconnected meanwhile
            return;
    }
    if (const auto code = text::toInt(m_t.command); code && *code >= 0) {
        numeric(*code);
        return;
    }
    for (const CommandRow& row : kCommands) {
        if (row.word == m_t.command) {
            (this->*row.handler)();
            return;
        }
    }
    if (m_irc.OnUnknownCommand)
        m_irc.OnUnknownCommand(&m_irc, m_user, command, std::string(m_t.content));
}

std::string TIdIRCParser::fill(const NumericRow& row) const
{
    auto param = [&](int i) { return row.params[i] == C ? m_t.content : m_t[row.params[i]]; };
    if (!row.format)
        return std::string(param(0));
    std::string out;
    int next = 0;
    for (const char* f = row.format; *f; ++f) {
        if (f[0] == '%' && f[1] == 's') {
            out.append(param(next++));
            ++f;
        } else {
            out.push_back(*f);
        }
    }
    return out;
}

void TIdIRCParser::system(int code, const char* word, const std::string& text)
{
    if (m_irc.OnSystem)
        m_irc.OnSystem(&m_irc, m_user, code, word, text);
}

void TIdIRCParser::numeric(int code)
{
    for (const NumericRow& row : kNumerics) {
        if (code < row.lo || code > row.hi)
            continue;
        if (row.before)
            (this->*row.before)(code);
        if (row.word)
            system(code, row.word, fill(row));
        if (row.after)
            (this->*row.after)(code);
        return;
    }
    if (m_irc.OnUnknownCommand)
        m_irc.OnUnknownCommand(&m_irc, m_user, std::string(m_t.command), std::string(m_t.content));
}

std::string TIdIRCParser::modeText(int first) const
{
    std::string s(m_t[first]);
    for (int i = first + 1; i < TIdIRCTokens::kCount; ++i) {
        if (!m_t[i].empty()) {
            s += ' ';
            s += m_t[i];
        }
    }
    return s;
}

// --- command words ---------------------------------------------------------------------------------------------

void TIdIRCParser::privmsg()
{
    if (!m_t[3].empty() && m_t[3].front() == '\x01') {
        ctcpQuery();
        return;
    }
    if (m_irc.OnMessage)
        m_irc.OnMessage(&m_irc, m_user, chan(2), p(3));
}

void TIdIRCParser::notice()
{
    if (!m_t[3].empty() && m_t[3].front() == '\x01') {
        ctcpReply();
        return;
    }
    if (m_irc.OnNotice)
        m_irc.OnNotice(&m_irc, m_user, chan(2), p(3));
}

void TIdIRCParser::join()
{
    if (own()) {
        TIdIRCChannel* c = m_irc.m_channels.Add(m_t[2]);
        c->SetActive(true);
        m_irc.SendMode(p(2), "", "");
        if (TIdIRCChannel* again = chan(2); again && m_irc.OnJoined)
            m_irc.OnJoined(&m_irc, again);
        return;
    }
    // A JOIN to a channel we do not track updates nothing and is still reported, without a channel.
    TIdIRCChannel* c = chan(2);
    if (c)
        c->Joined(m_user);
    if (m_irc.OnJoin)
        m_irc.OnJoin(&m_irc, m_user, chan(2));
}

void TIdIRCParser::part()
{
    m_user->SetReason(p(3));
    if (own()) {
        if (TIdIRCChannel* c = chan(2)) {
            c->SetActive(false);
            c->SetCloseReason(1);
        }
        if (m_irc.OnParted)
            m_irc.OnParted(&m_irc, chan(2));
        m_irc.m_channels.Remove(m_t[2]);
        return;
    }
    if (TIdIRCChannel* c = chan(2))
        c->Parted(m_user);
    if (m_irc.OnPart)
        m_irc.OnPart(&m_irc, m_user, chan(2));
}

void TIdIRCParser::kick()
{
    m_user->SetReason(p(4));
    if (m_t[3] != m_irc.m_currentNick) {
        TIdIRCUser* victim = m_irc.m_users.Add(m_t[3], "");
        UserRef hold(m_irc, victim);
        victim->SetReason(m_user->Reason());
        if (m_irc.OnKick)
            m_irc.OnKick(&m_irc, m_user, victim, chan(2));
        if (TIdIRCChannel* c = chan(2))
            c->Kicked(victim);
        return;
    }
    if (TIdIRCChannel* c = chan(2)) {
        c->SetActive(false);
        c->SetCloseReason(2);
    }
    if (m_irc.OnKicked)
        m_irc.OnKicked(&m_irc, m_user, chan(2));
    m_irc.m_channels.Remove(m_t[2]);
}

void TIdIRCParser::mode()
{
    const std::string_view target = m_t[2];
    if (!target.empty() && (target[0] == '!' || target[0] == '#' || target[0] == '&' || target[0] == '+')) {
        TIdIRCChannel* c = chan(2);
        if (!c)
            return;
        if (m_irc.OnChannelMode)
            m_irc.OnChannelMode(&m_irc, m_user, c, p(2), modeText(3));
        applyChannelModes(2);
        return;
    }
    if (target != m_irc.m_currentNick)
        return;
    if (m_irc.OnUserMode)
        m_irc.OnUserMode(&m_irc, p(3));
    applyUserModes();
}

void TIdIRCParser::nick()
{
    const std::string newNick = p(2);
    if (own()) {
        const std::string old = m_irc.m_currentNick;
        m_irc.m_currentNick = newNick;
        if (m_irc.OnNickChanged)
            m_irc.OnNickChanged(&m_irc, old);
    } else if (m_irc.OnNickChange) {
        m_irc.OnNickChange(&m_irc, m_user, newNick);
    }
    m_irc.m_channels.ChangedNick(m_user, newNick);
    m_irc.m_users.Rename(m_user, newNick);
}

void TIdIRCParser::quit()
{
    m_user->SetReason(p(2));
    if (m_irc.OnQuit)
        m_irc.OnQuit(&m_irc, m_user);
    m_irc.m_channels.Quit(m_user);
}

void TIdIRCParser::invite()
{
    if (m_irc.OnInvite)
        m_irc.OnInvite(&m_irc, m_user, p(3));
}

void TIdIRCParser::kill()
{
    if (m_irc.OnKill)
        m_irc.OnKill(&m_irc, m_user, p(2), p(3));
}

void TIdIRCParser::ping()
{
    m_irc.SendRaw("PONG :" + p(2));
    if (m_irc.OnPingPong)
        m_irc.OnPingPong(&m_irc);
}

void TIdIRCParser::wallops()
{
    if (m_irc.OnWallops)
        m_irc.OnWallops(&m_irc, m_user, p(2));
}

void TIdIRCParser::topic()
{
    TIdIRCChannel* c = chan(2);
    if (!c)
        return;
    c->SetTopic(m_t[3]);
    if (TIdIRCChannel* again = chan(2); again && m_irc.OnTopic)
        m_irc.OnTopic(&m_irc, m_user, again, again->Name(), p(3));
}

// --- numerics --------------------------------------------------------------------------------------------------

void TIdIRCParser::welcome(int)
{
    m_irc.m_serverName = std::string(m_t.senderAddress);
    m_irc.setState(TIdIRCState::Registered);
}

void TIdIRCParser::registered(int)
{
    m_irc.setState(TIdIRCState::Registered);
}

void TIdIRCParser::away(int)
{
    m_user->SetReason(p(4));
    if (m_irc.OnAway)
        m_irc.OnAway(&m_irc, m_user);
}

void TIdIRCParser::unaway(int)
{
    m_irc.m_away = false;
    if (m_irc.OnUnAway)
        m_irc.OnUnAway(&m_irc, p(3));
}

void TIdIRCParser::nowaway(int)
{
    m_irc.m_away = true;
    if (m_irc.OnNowAway)
        m_irc.OnNowAway(&m_irc, p(3));
}

void TIdIRCParser::listStart(int)
{
    if (!m_irc.OnList)
        return;
    m_irc.m_listChans.clear();
    m_irc.m_listPosition = 0;
    m_irc.OnList(&m_irc, m_irc.m_listChans, 0, false);
}

void TIdIRCParser::listEntry(int)
{
    if (!m_irc.OnList)
        return;
    auto& chans = m_irc.m_listChans;
    chans.push_back(p(3) + " " + p(4) + " " + p(5));
    if (static_cast<int>(chans.size()) - m_irc.m_listPosition >= 40) {
        m_irc.OnList(&m_irc, chans, m_irc.m_listPosition, false);
        m_irc.m_listPosition = static_cast<int>(m_irc.m_listChans.size());
    }
}

void TIdIRCParser::listEnd(int)
{
    if (!m_irc.OnList)
        return;
    m_irc.OnList(&m_irc, m_irc.m_listChans, m_irc.m_listPosition, true);
    m_irc.m_listChans.clear();
    m_irc.m_listPosition = 0;
}

// :srv 324 <me> <channel> <modes> [<params>...]
void TIdIRCParser::channelModeIs(int)
{
    if (m_irc.OnChannelMode)
        m_irc.OnChannelMode(&m_irc, nullptr, chan(3), p(3), modeText(4));
    applyChannelModes(3);
}

// :srv 331 <me> <channel> :No topic is set
void TIdIRCParser::noTopic(int)
{
    TIdIRCChannel* c = chan(3);
    if (!c)
        return;
    c->SetTopic("");
    if (TIdIRCChannel* again = chan(3); again && m_irc.OnNoTopic)
        m_irc.OnNoTopic(&m_irc, again, p(4));
}

// :srv 332 <me> <channel> :<topic>
void TIdIRCParser::topicIs(int)
{
    if (TIdIRCChannel* c = chan(3))
        c->SetTopic(m_t[4]);
    if (m_irc.OnTopic)
        m_irc.OnTopic(&m_irc, m_user, chan(3), p(3), p(4));
}

void TIdIRCParser::inviting(int)
{
    if (m_irc.OnInviting)
        m_irc.OnInviting(&m_irc, p(3), p(4));
}

// :srv 353 <me> <type> <channel> :[@|+]<nick> [@|+]<nick> ...
void TIdIRCParser::namesAdd(int)
{
    TIdIRCChannel* c = chan(4);
    if (!c)
        return;
    std::string_view names = m_t[5];
    while (!names.empty()) {
        const std::size_t b = names.find(' ');
        const std::string_view word = names.substr(0, b);
        if (!word.empty())
            c->AddMember(word, "");
        if (b == std::string_view::npos)
            break;
        names.remove_prefix(b + 1);
    }
    c->NotifyNames();
}

// :srv 364 <me> <mask> <server> :<hops> <info>
void TIdIRCParser::links(int)
{
    if (m_irc.OnLinks)
        m_irc.OnLinks(&m_irc, p(4), p(3), std::string(text::before(m_t[5], " ")),
                      std::string(text::after(m_t[5], " ")));
}

void TIdIRCParser::namesEnd(int)
{
    if (m_irc.OnNames)
        m_irc.OnNames(&m_irc, &m_irc.m_users, chan(3));
}

// :srv 391 <me> <server> :<time>
void TIdIRCParser::time(int code)
{
    const std::string_view second = text::sameText(m_t[0], m_t[3]) ? m_t[4] : m_t[3];
    system(code, "TIME", p(0) + " :" + std::string(second));
}

void TIdIRCParser::error(int code)
{
    if (m_irc.OnError)
        m_irc.OnError(&m_irc, m_user, std::string(m_t.command), std::string(m_t.content));
    if ((code == 431 || code == 432 || code == 433) && m_irc.m_state == TIdIRCState::Registering)
        nickRetry();
}

// --- CTCP ------------------------------------------------------------------------------------------------------

// ^A<command>[ <args>]^A; the last character goes whatever it is.
void TIdIRCParser::splitCtcp(std::string_view t, std::string& cmd, std::string& args) const
{
    const std::size_t n = t.size();
    const std::size_t b = t.find(' ');
    if (b != std::string_view::npos) {
        cmd.assign(t.substr(1, b - 1));
        args.assign(b + 1 < n ? t.substr(b + 1, n - 2 - b) : std::string_view{});
    } else {
        cmd.assign(n >= 2 ? t.substr(1, n - 2) : std::string_view{});
        args.clear();
    }
}

void TIdIRCParser::ctcpQuery()
{
    std::string cmd, args;
    splitCtcp(m_t[3], cmd, args);
    UserRef extra(m_irc, m_irc.m_users.Add(m_t.senderNick, m_t.senderAddress));
    if (cmd == "ACTION") {
        if (m_irc.OnAction)
            m_irc.OnAction(&m_irc, m_user, chan(2), args);
        return;
    }
    if (cmd == "DCC") {
        dcc(args);
        return;
    }
    bool suppress = false;
    if (m_irc.OnCTCPQuery)
        m_irc.OnCTCPQuery(&m_irc, m_user, chan(2), cmd, args, suppress);
    if (suppress)
        return;
    std::string reply;
    if (cmd == "PING")
        reply = args;
    else if (cmd == "FINGER")
        reply = m_irc.Replies.Finger;
    else if (cmd == "USERINFO")
        reply = m_irc.Replies.UserInfo;
    else if (cmd == "VERSION")
        reply = m_irc.Replies.Version;
    else if (cmd == "CLIENTINFO")
        reply = m_irc.Replies.ClientInfo;
    else if (cmd == "TIME") {
        reply = "Local time is " + text::formatLocalTime(std::time(nullptr), "%d.%m.%Y %H:%M:%S");
    } else {
        return; // SOUND, ERROR and unknown words get no reply
    }
    // A burst of queries must not flood the server with replies.
    if (m_irc.takeCtcpReplySlot())
        m_irc.SendCtcpReply(std::string(m_t.senderNick), cmd, reply);
}

void TIdIRCParser::ctcpReply()
{
    std::string cmd, args;
    splitCtcp(m_t[3], cmd, args);
    UserRef extra(m_irc, m_irc.m_users.Add(m_t.senderNick, m_t.senderAddress));
    if (cmd != "DCC" && m_irc.OnCTCPReply)
        m_irc.OnCTCPReply(&m_irc, m_user, chan(2), cmd, args);
}

// DCC <type> <field 1> <field 2> ...; fields the request lacks are passed empty.
void TIdIRCParser::dcc(const std::string& args)
{
    std::vector<std::string> f;
    const std::string all = args + " ";
    std::size_t start = 0;
    for (std::size_t b = all.find(' '); b != std::string::npos; b = all.find(' ', start)) {
        f.push_back(all.substr(start, b - start));
        start = b + 1;
    }
    auto field = [&](std::size_t i) { return i < f.size() ? f[i] : std::string(); };
    const std::string nick(m_t.senderNick);
    const std::string type = field(0);
    if (type == "SEND") {
        if (m_irc.OnDCCSend)
            m_irc.OnDCCSend(&m_irc, nick, field(2), field(3), field(1), field(4));
    } else if (type == "CHAT") {
        if (m_irc.OnDCCChat)
            m_irc.OnDCCChat(&m_irc, nick, field(2), field(3));
    } else if (type == "RESUME") {
        if (m_irc.OnDCCResume)
            m_irc.OnDCCResume(&m_irc, nick, field(2), field(1), field(3));
    } else if (type == "ACCEPT") {
        if (m_irc.OnDCCAccept)
            m_irc.OnDCCAccept(&m_irc, nick, field(2), field(1), field(3));
    }
}

// --- modes and the nick retry ------------------------------------------------------------------------------------

void TIdIRCParser::applyChannelModes(int s)
{
    const std::string name(m_t[s]);
    TIdIRCChannel* c = m_irc.m_channels.Get(name);
    if (!c)
        return;
    TIdIRCUser* user = m_irc.m_users.FindUser(m_t.senderNick);
    std::uint8_t modes = c->Mode();
    int next = s + 2; // letters that want parameters past the table get empty ones
    bool adding = true;
    const std::string letters(m_t[s + 1]);
    for (char ch : letters) {
        c = m_irc.m_channels.Get(name); // a handler may have dropped it
        if (!c)
            return;
        switch (ch) {
        case '+': adding = true; break;
        case '-': adding = false; break;
        case 'b': {
            const std::string mask = p(next++);
            if (adding && m_irc.OnBan)
                m_irc.OnBan(&m_irc, user, c, mask);
            else if (!adding && m_irc.OnUnban)
                m_irc.OnUnban(&m_irc, user, c, mask);
            break;
        }
        case 'k':
            if (adding) {
                modes |= cmKey;
                c->SetKey(m_t[next++]);
            } else {
                modes &= static_cast<std::uint8_t>(~cmKey);
                c->SetKey("");
            }
            break;
        case 'l':
            if (adding) {
                modes |= cmLimit;
                c->SetLimit(text::toIntDef(m_t[next++], 0));
            } else {
                modes &= static_cast<std::uint8_t>(~cmLimit);
                c->SetLimit(0);
            }
            break;
        case 'o':
        case 'v': {
            TIdIRCUser* target = m_irc.m_users.FindUser(m_t[next++]);
            const bool op = ch == 'o';
            const auto& ev = op ? (adding ? m_irc.OnOp : m_irc.OnDeop) : (adding ? m_irc.OnVoice : m_irc.OnDevoice);
            if (ev)
                ev(&m_irc, user, c, target);
            if (TIdIRCChannel* again = m_irc.m_channels.Get(name)) {
                if (op)
                    adding ? again->GiveOp(target) : again->TakeOp(target);
                else
                    adding ? again->GiveVoice(target) : again->TakeVoice(target);
            }
            break;
        }
        case 'p':
        case 's':
        case 'i':
        case 't':
        case 'n':
        case 'm': {
            static constexpr std::string_view kLetters = "psitnm";
            const auto bit = static_cast<std::uint8_t>(1u << kLetters.find(ch));
            modes = adding ? (modes | bit) : (modes & static_cast<std::uint8_t>(~bit));
            break;
        }
        default: break;
        }
    }
    if (TIdIRCChannel* again = m_irc.m_channels.Get(name); again && again->Mode() != modes)
        again->SetMode(modes);
}

void TIdIRCParser::applyUserModes()
{
    TIdIRCUserModes modes = m_irc.m_userMode;
    bool adding = true;
    for (char ch : m_t[3]) {
        TIdIRCUserModes bit = 0;
        switch (ch) {
        case '+': adding = true; continue;
        case '-': adding = false; continue;
        case 'i': bit = umInvisible; break;
        case 'o': bit = umOperator; break;
        case 's': bit = umServerNotices; break;
        case 'w': bit = umWallops; break;
        default: continue;
        }
        modes = adding ? (modes | bit) : (modes & static_cast<TIdIRCUserModes>(~bit));
    }
    if (modes != m_irc.m_userMode) {
        m_irc.m_userMode = modes;
        if (m_irc.OnUserModeChanged)
            m_irc.OnUserModeChanged(&m_irc);
    }
}

void TIdIRCParser::nickRetry()
{
    std::string& current = m_irc.m_currentNick;
    if (current == m_irc.m_nick) {
        current = m_irc.AltNick;
    } else {
        // The alternative nick, or one a handler offered, was refused: ask the handler, and give up when it has
        // nothing new to offer.
        const std::string refused = current;
        if (m_irc.OnNicksInUse) {
            m_irc.OnNicksInUse(&m_irc, current);
            if (current == refused)
                current.clear();
        } else {
            current.clear();
        }
    }
    if (!current.empty())
        m_irc.SetNick(current);
    else
        m_irc.Disconnect(true);
}

} // namespace morva
