// Prints every engine event as one line of text.
#include "tools/EventPrinter.h"

#include "text/TextUtil.h"

#include <memory>

namespace morva::probe {

std::string escape(std::string_view s)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(s.size());
    for (unsigned char c : s) {
        if (c < 0x20 || c == 0x7F || c == '\\') {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string userText(const TIdIRCUser* u)
{
    return u ? escape(u->Nick()) + "!" + escape(u->Address()) : "-";
}

std::string channelText(const TIdIRCChannel* c)
{
    return c ? escape(c->Name()) : "-";
}

std::string userModeLetters(TIdIRCUserModes m)
{
    std::string s;
    if (m & umInvisible)
        s += 'i';
    if (m & umOperator)
        s += 'o';
    if (m & umServerNotices)
        s += 's';
    if (m & umWallops)
        s += 'w';
    return s;
}

namespace {

// Builds one event line.
struct Line
{
    std::string s;
    explicit Line(const char* name) : s(name) {}
    Line& t(std::string_view text)
    {
        s += '\t';
        s += escape(text);
        return *this;
    }
    Line& u(const TIdIRCUser* user)
    {
        s += '\t';
        s += userText(user);
        return *this;
    }
    Line& c(const TIdIRCChannel* ch)
    {
        s += '\t';
        s += channelText(ch);
        return *this;
    }
    Line& i(long long v)
    {
        s += '\t';
        s += text::toString(v);
        return *this;
    }
};

} // namespace

void attachPrinter(TIdIRC& irc, std::function<void(const std::string&)> out, PrinterOptions options)
{
    auto emit = std::make_shared<std::function<void(const std::string&)>>(std::move(out));
    auto put = [emit](const Line& l) { (*emit)(l.s); };
    auto opts = std::make_shared<PrinterOptions>(std::move(options));

    irc.OnStatus = [put](TIdTCPConnection*, TIdStatus st, const std::string& text) {
        put(Line("OnStatus").t(statusName(st)).t(text));
    };
    irc.OnConnected = [put](TIdTCPConnection*) { put(Line("OnConnected")); };
    irc.OnDisconnected = [put](TIdTCPConnection*) { put(Line("OnDisconnected")); };
    irc.OnConnect = [put](TIdIRC*) { put(Line("OnConnect")); };
    irc.OnDisconnect = [put](TIdIRC*) { put(Line("OnDisconnect")); };
    irc.OnStateChange = [put](TIdIRC* s) { put(Line("OnStateChange").t(stateName(s->State()))); };
    irc.OnReceive = [put](TIdIRC*, const std::string& l) { put(Line("OnReceive").t(l)); };
    irc.OnSend = [put](TIdIRC*, const std::string& l) { put(Line("OnSend").t(l)); };
    irc.OnChannelUpdate = [put](TIdIRCChannel* ch, TIdIRCChannelUpdateType t, TIdIRCUser* u, int info) {
        put(Line("OnChannelUpdate").c(ch).t(updateTypeName(t)).u(u).i(info));
    };
    irc.OnRaw = [put, opts](TIdIRC*, TIdIRCUser* u, const std::string& cmd, const std::string& content, bool& sup) {
        put(Line("OnRaw").u(u).t(cmd).t(content).i(sup));
        if (opts->suppressRaw.count(cmd))
            sup = true;
    };
    auto msg = [put](const char* name) {
        return [put, name](TIdIRC*, TIdIRCUser* u, TIdIRCChannel* c, const std::string& x) {
            put(Line(name).u(u).c(c).t(x));
        };
    };
    irc.OnMessage = msg("OnMessage");
    irc.OnNotice = msg("OnNotice");
    irc.OnAction = msg("OnAction");
    auto uc = [put](const char* name) {
        return [put, name](TIdIRC*, TIdIRCUser* u, TIdIRCChannel* c) { put(Line(name).u(u).c(c)); };
    };
    irc.OnJoin = uc("OnJoin");
    irc.OnPart = uc("OnPart");
    irc.OnKicked = uc("OnKicked");
    irc.OnJoined = [put](TIdIRC*, TIdIRCChannel* c) { put(Line("OnJoined").c(c)); };
    irc.OnParted = [put](TIdIRC*, TIdIRCChannel* c) { put(Line("OnParted").c(c)); };
    irc.OnKick = [put](TIdIRC*, TIdIRCUser* u, TIdIRCUser* v, TIdIRCChannel* c) { put(Line("OnKick").u(u).u(v).c(c)); };
    irc.OnNickChange = [put](TIdIRC*, TIdIRCUser* u, const std::string& n) { put(Line("OnNickChange").u(u).t(n)); };
    irc.OnNickChanged = [put](TIdIRC*, const std::string& n) { put(Line("OnNickChanged").t(n)); };
    irc.OnTopic = [put](TIdIRC*, TIdIRCUser* u, TIdIRCChannel* c, const std::string& n, const std::string& t) {
        put(Line("OnTopic").u(u).c(c).t(n).t(t));
    };
    irc.OnNoTopic = [put](TIdIRC*, TIdIRCChannel* c, const std::string& x) { put(Line("OnNoTopic").c(c).t(x)); };
    irc.OnQuit = [put](TIdIRC*, TIdIRCUser* u) { put(Line("OnQuit").u(u)); };
    irc.OnAway = [put](TIdIRC*, TIdIRCUser* u) { put(Line("OnAway").u(u)); };
    irc.OnNames = [put](TIdIRC*, TIdIRCUsers* users, TIdIRCChannel* c) {
        put(Line("OnNames").i(users ? users->Count() : 0).c(c));
    };
    irc.OnInvite = [put](TIdIRC*, TIdIRCUser* u, const std::string& c) { put(Line("OnInvite").u(u).t(c)); };
    irc.OnInviting = [put](TIdIRC*, const std::string& n, const std::string& c) { put(Line("OnInviting").t(n).t(c)); };
    irc.OnKill = [put](TIdIRC*, TIdIRCUser* u, const std::string& v, const std::string& r) {
        put(Line("OnKill").u(u).t(v).t(r));
    };
    irc.OnPingPong = [put](TIdIRC*) { put(Line("OnPingPong")); };
    irc.OnUserModeChanged = [put](TIdIRC*) { put(Line("OnUserModeChanged")); };
    irc.OnWallops = [put](TIdIRC*, TIdIRCUser* u, const std::string& x) { put(Line("OnWallops").u(u).t(x)); };
    irc.OnError = [put](TIdIRC*, TIdIRCUser* u, const std::string& n, const std::string& e) {
        put(Line("OnError").u(u).t(n).t(e));
    };
    irc.OnNowAway = [put](TIdIRC*, const std::string& x) { put(Line("OnNowAway").t(x)); };
    irc.OnUnAway = [put](TIdIRC*, const std::string& x) { put(Line("OnUnAway").t(x)); };
    irc.OnSystem = [put](TIdIRC*, TIdIRCUser* u, int code, const std::string& cmd, const std::string& x) {
        put(Line("OnSystem").u(u).i(code).t(cmd).t(x));
    };
    auto op = [put](const char* name) {
        return [put, name](TIdIRC*, TIdIRCUser* u, TIdIRCChannel* c, TIdIRCUser* t) { put(Line(name).u(u).c(c).u(t)); };
    };
    irc.OnOp = op("OnOp");
    irc.OnDeop = op("OnDeop");
    irc.OnVoice = op("OnVoice");
    irc.OnDevoice = op("OnDevoice");
    auto ban = [put](const char* name) {
        return [put, name](TIdIRC*, TIdIRCUser* u, TIdIRCChannel* c, const std::string& m) {
            put(Line(name).u(u).c(c).t(m));
        };
    };
    irc.OnBan = ban("OnBan");
    irc.OnUnban = ban("OnUnban");
    irc.OnChannelMode = [put](TIdIRC*, TIdIRCUser* u, TIdIRCChannel* c, const std::string& n, const std::string& m) {
        put(Line("OnChannelMode").u(u).c(c).t(n).t(m));
    };
    irc.OnUserMode = [put](TIdIRC*, const std::string& m) { put(Line("OnUserMode").t(m)); };
    irc.OnUnknownCommand = [put](TIdIRC*, TIdIRCUser* u, const std::string& c, const std::string& x) {
        put(Line("OnUnknownCommand").u(u).t(c).t(x));
    };
    irc.OnCTCPQuery = [put, opts](TIdIRC*, TIdIRCUser* u, TIdIRCChannel* c, const std::string& cmd,
                                  const std::string& args, bool& sup) {
        put(Line("OnCTCPQuery").u(u).c(c).t(cmd).t(args).i(sup));
        if (opts->suppressCtcp)
            sup = true;
    };
    irc.OnCTCPReply = [put](TIdIRC*, TIdIRCUser* u, TIdIRCChannel* c, const std::string& cmd, const std::string& args) {
        put(Line("OnCTCPReply").u(u).c(c).t(cmd).t(args));
    };
    irc.OnDCCChat = [put](TIdIRC*, const std::string& n, const std::string& ip, const std::string& port) {
        put(Line("OnDCCChat").t(n).t(ip).t(port));
    };
    irc.OnDCCSend = [put](TIdIRC*, const std::string& n, const std::string& ip, const std::string& port,
                          const std::string& file,
                          const std::string& size) { put(Line("OnDCCSend").t(n).t(ip).t(port).t(file).t(size)); };
    auto resume = [put](const char* name) {
        return [put, name](TIdIRC*, const std::string& n, const std::string& port, const std::string& file,
                           const std::string& pos) { put(Line(name).t(n).t(port).t(file).t(pos)); };
    };
    irc.OnDCCResume = resume("OnDCCResume");
    irc.OnDCCAccept = resume("OnDCCAccept");
    irc.OnLinks = [put](TIdIRC*, const std::string& m, const std::string& s, const std::string& h,
                        const std::string& i) { put(Line("OnLinks").t(m).t(s).t(h).t(i)); };
    irc.OnList = [put](TIdIRC*, const std::vector<std::string>& chans, int pos, bool last) {
        put(Line("OnList").i(static_cast<long long>(chans.size())).i(pos).i(last));
    };
}

std::string channelDump(TIdIRC& irc, std::string_view name)
{
    TIdIRCChannel* c = irc.Channels().Get(name);
    if (!c)
        return "Channel\t-";
    Line l("Channel");
    l.t(c->Name()).t(c->Topic()).i(c->Mode()).i(c->Limit()).t(c->Key());
    for (int i = 0; i < c->NamesCount(); ++i)
        l.t(c->NameAt(i) + ":" + text::toString(c->FlagsAt(i)));
    return l.s;
}

std::string usersDump(TIdIRC& irc)
{
    Line l("Users");
    for (int i = 0; i < irc.Users().Count(); ++i)
        l.u(irc.Users().Items(i));
    return l.s;
}

std::string stateDump(TIdIRC& irc)
{
    return Line("State").t(stateName(irc.State())).t(irc.Nick()).i(irc.Away()).t(userModeLetters(irc.UserMode())).s;
}

} // namespace morva::probe
