// The main window's view of every incoming line (messages, notices, joins, parts, quits, topics), popups, the
// echo of sent lines and the automatic join after registration.
#include "engine/TIdIRCUser.h"
#include "popup/TMSNPopUp.h"
#include "text/Cp1251.h"
#include "text/QtText.h"
#include "text/TextUtil.h"
#include "ui/main/EventText.h"
#include "ui/main/NickList.h"
#include "ui/main/RawLine.h"
#include "ui/main/TForm1.h"
#include "util/WildMatch.h"
#include "view/AppendLine.h"

#include <chrono>

#include <QTabWidget>
#include <QTime>

namespace morva {

namespace events {

const Words& words()
{
    static const Words w{
        text::fromUtf8("Система"),
        text::fromUtf8("Тема канала: "),
        text::fromUtf8(" зашел на "),
        text::fromUtf8(" покинул "),
        text::fromUtf8("вышел из IRC"),
        text::fromUtf8(" изменил тему на "),
        text::fromUtf8(" теперь известен как "),
        text::fromUtf8(" включил режим "),
        text::fromUtf8("Режимы канала "),
        text::fromUtf8(" кикнул "),
        text::fromUtf8(" кикнул вас с канала "),
        text::fromUtf8("по причине: "),
    };
    return w;
}

std::string cat(std::initializer_list<std::string_view> parts)
{
    std::size_t n = 0;
    for (std::string_view p : parts)
        n += p.size();
    std::string out;
    out.reserve(n);
    for (std::string_view p : parts)
        out.append(p);
    return out;
}

std::string_view beforeOrEmpty(std::string_view s, char c)
{
    const std::size_t i = s.find(c);
    return i == std::string_view::npos ? std::string_view() : s.substr(0, i);
}

std::string_view afterOrAll(std::string_view s, char c)
{
    const std::size_t i = s.find(c);
    return i == std::string_view::npos ? s : s.substr(i + 1);
}

} // namespace events

using events::afterOrAll;
using events::beforeOrEmpty;
using events::cat;
using events::isChannel;
using events::kHead;
using events::kPlain;
using events::words;

namespace {} // namespace

const std::string& TForm1::timeStamp()
{
    // The local time costs a look at the time zone file each time it is asked for; the seconds of the system
    // clock do not, so the text is made again only when they change.
    const auto second =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
    if (second != m_stampSecond) {
        m_stampSecond = second;
        m_stamp = text::fromQString(QTime::currentTime().toString(QStringLiteral("hh:mm:ss")));
    }
    return m_stamp;
}

void TForm1::showIn(const std::string& window, std::string_view line)
{
    // A line whose window name came out empty (a sender without a nick, a reply without its separators) would
    // open a tab without a caption; it is dropped instead.
    if (window.empty())
        return;
    AppendLine(memoAt(FindMemo(window)), line);
}

void TForm1::ShowPopUp(const std::string& title, const std::string& text)
{
    if (m_popup)
        m_popup->ShowPopUp(title, text);
}

bool TForm1::channelSettingsShowing() const
{
    return m_channelSettings && m_channelSettings->isShowing();
}

void TForm1::IdIRC1Raw(TIdIRC* /*Sender*/, TIdIRCUser* AUser, const std::string& ACommand, const std::string& AContent,
                       bool& /*Suppress*/)
{
    using Branch = void (TForm1::*)(const RawLine&);
    struct Row
    {
        std::string_view command;
        Branch branch;
    };
    // The commands this window shows, compared exactly; everything else (the message of the day, the user counts,
    // the error replies, the whois operator line 313) is left to the engine alone.
    // clang-format off
    static constexpr Row kRows[] = {
        {"PRIVMSG", &TForm1::rawPrivmsg},    // :nick!ident@host PRIVMSG <target> :<text>
        {"NOTICE",  &TForm1::rawNotice},     // :nick!ident@host NOTICE <target> :<text>  (or :server NOTICE ...)
        {"332",     &TForm1::rawTopicReply}, // :server 332 <me> <channel> :<topic>
        {"JOIN",    &TForm1::rawJoin},       // :nick!ident@host JOIN :<channel>
        {"PART",    &TForm1::rawPart},       // :nick!ident@host PART <channel> [:<reason>]
        {"QUIT",    &TForm1::rawQuit},       // :nick!ident@host QUIT :<reason>
        {"TOPIC",   &TForm1::rawTopic},      // :nick!ident@host TOPIC <channel> :<topic>
        {"001",     &TForm1::rawWelcome},    // :server 001 <me> :Welcome to the network ...
        {"002",     &TForm1::rawWelcome},    // :server 002 <me> :Your host is ...
        {"003",     &TForm1::rawWelcome},    // :server 003 <me> :This server was created ...
        {"004",     &TForm1::rawWelcome},    // :server 004 <me> <server> <version> <user modes> <channel modes>
        {"005",     &TForm1::rawWelcome},    // :server 005 <me> <token>... :are supported by this server
        {"006",     &TForm1::rawWelcome},
        {"007",     &TForm1::rawWelcome},
        {"008",     &TForm1::rawWelcome},
        {"311",     &TForm1::rawWhoisUser},  // :server 311 <me> <nick> <ident> <host> * :<real name>
        {"312",     &TForm1::rawWhoisServer},// :server 312 <me> <nick> <server> :<server info>
        {"317",     &TForm1::rawWhoisIdle},  // :server 317 <me> <nick> <seconds> <signon> :seconds idle, signon time
        {"319",     &TForm1::rawWhoisChannels}, // :server 319 <me> <nick> :<channels>
        {"321",     &TForm1::rawListStart},  // :server 321 <me> Channel :Users  Name
        {"322",     &TForm1::rawListItem},   // :server 322 <me> <channel> <users> :<topic>
        {"324",     &TForm1::rawChannelModes}, // :server 324 <me> <channel> +<modes> [<params>]
        {"367",     &TForm1::rawBan},        // :server 367 <me> <channel> <mask> [<setter> <time>]
        {"256",     &TForm1::rawAdmin},      // :server 256 <me> <server> :Administrative info
        {"257",     &TForm1::rawAdmin},      // :server 257 <me> :<location>
        {"258",     &TForm1::rawAdmin},      // :server 258 <me> :<location, more>
    };
    // clang-format on
    events::guarded([&] {
        for (const Row& row : kRows) {
            if (row.command == ACommand) {
                static const std::string none;
                (this->*row.branch)(RawLine{AUser ? AUser->Nick() : none, AUser ? AUser->Address() : none, AContent});
                return;
            }
        }
    });
}

// :nick!ident@host PRIVMSG <target> :<text>
void TForm1::rawPrivmsg(const RawLine& l)
{
    const std::string target(beforeOrEmpty(l.content, ' '));
    std::string text(afterOrAll(l.content, ':'));
    if (InIgnore(l.nick, l.address))
        return;
    const std::string& ts = timeStamp();

    // "^AACTION <text>^A", in a channel or to us
    if (WildMatch(text, "\x01"
                        "ACTION*\x01")) {
        text.erase(0, 8);
        if (!text.empty())
            text.pop_back();
        if (!text::sameText(activeWindowName(), target))
            ShowPopUp(target, cat({l.nick, ": ", text}));
        showIn(isChannel(target) ? target : l.nick, cat({kHead, ts,
                                                         "\x03 \x03"
                                                         "13",
                                                         l.nick, " ", text}));
        return;
    }
    const std::string_view message = " \x03"
                                     "14\x02<\x03"
                                     "9";
    const std::string_view messageEnd = "\x03"
                                        "14>\x02\x03"
                                        "1 ";
    if (isChannel(target)) {
        if (!text::sameText(activeWindowName(), target))
            ShowPopUp(target, cat({l.nick, ": ", text}));
        showIn(target, cat({kHead, ts, message, l.nick, messageEnd, text}));
        return;
    }
    // A query to us: the engine answers it; the query itself goes to the system window only.
    if (!text.empty() && text.front() == '\x01') {
        showIn(words().system, cat({kHead, ts,
                                    " \x03"
                                    "4",
                                    l.nick,
                                    "\x03"
                                    "9 :: \x03"
                                    "4",
                                    text}));
        return;
    }
    showIn(l.nick, cat({kHead, ts, message, l.nick, messageEnd, text}));
}

// :nick!ident@host NOTICE <target> :<text>, or from the server without a nick. Shown where the user looks.
void TForm1::rawNotice(const RawLine& l)
{
    const std::string_view text = afterOrAll(l.content, ':');
    std::string window = activeWindowName();
    // Before any tab exists there is no window in view; the system window takes the notice then.
    if (window.empty())
        window = words().system;
    if (!l.nick.empty())
        showIn(window, cat({kHead, timeStamp(), kPlain,
                            "\x03"
                            "4*",
                            l.nick, "* ", text}));
    else
        showIn(window, cat({kHead, timeStamp(), kPlain,
                            "\x03"
                            "4",
                            text}));
}

// :server 332 <me> <channel> :<topic>
void TForm1::rawTopicReply(const RawLine& l)
{
    const std::string topic(afterOrAll(l.content, ':'));
    if (channelSettingsShowing()) {
        m_channelSettings->topicLoaded(topic);
        return;
    }
    const std::string channel = text::upper(text::trim(afterOrAll(beforeOrEmpty(l.content, ':'), ' ')));
    showIn(channel, cat({kHead, timeStamp(),
                         "\x03 \x03"
                         "3",
                         words().topicIs, topic, "\x03"}));
}

// :nick!ident@host JOIN :<channel>
void TForm1::rawJoin(const RawLine& l)
{
    const std::string channel(text::trim(std::string_view(l.content).substr(l.content.empty() ? 0 : 1)));
    const std::string upper = text::upper(channel);
    showIn(upper, cat({kHead, timeStamp(), kPlain,
                       "\x03"
                       "14",
                       l.nick, " [", l.address, "]", words().joined, channel, "\x03"}));
    // A nick already listed in any form keeps its one entry: a second join (a rejoin the server reports twice,
    // or our own join into a window that outlived the channel) must not list the member twice.
    if (NickList* list = userListAt(FindUserList(upper)); list && list->IndexOfNick(l.nick) < 0)
        list->Add(l.nick);
    sPageControl1Change(sPageControl1);
}

// :nick!ident@host PART <channel> [:<reason>]
void TForm1::rawPart(const RawLine& l)
{
    // Our own departure: leaving closed the window already, or it stays open on purpose.
    if (text::sameText(l.nick, IdIRC1.Nick()))
        return;
    const std::string channel(text::before(l.content, " "));
    showIn(text::upper(channel), cat({kHead, timeStamp(), kPlain,
                                      "\x03"
                                      "14",
                                      l.nick, " [", l.address, "]", words().parted, l.content, "\x03"}));
    if (NickList* list = userListAt(FindUserList(text::upper(text::trim(channel)))))
        list->Delete(list->IndexOfNick(l.nick));
    sPageControl1Change(sPageControl1);
}

// :nick!ident@host QUIT :<reason>. Shown in every channel window that listed the nick.
void TForm1::rawQuit(const RawLine& l)
{
    const int tabs = sPageControl1->count();
    for (int page = 0; page < tabs && page < sPageControl1->count(); ++page) {
        const int view = viewOfPage(page);
        NickList* list = view >= 0 ? userListAt(view + 2) : nullptr;
        if (!list)
            continue;
        const int e = list->IndexOfNick(l.nick);
        if (e < 0)
            continue;
        list->Delete(e);
        AppendLine(memoAt(view), cat({kHead, timeStamp(), kPlain,
                                      "\x03"
                                      "14",
                                      l.nick, " [", l.address, "] ", words().quit, l.content, "\x03"}));
        sPageControl1Change(sPageControl1);
    }
}

// :nick!ident@host TOPIC <channel> :<topic>
void TForm1::rawTopic(const RawLine& l)
{
    const std::string channel = text::upper(text::trim(beforeOrEmpty(l.content, ':')));
    const std::string_view topic = afterOrAll(l.content, ':');
    showIn(channel, cat({kHead, timeStamp(),
                         "\x03"
                         "3 ",
                         l.nick, "[", l.address, "]", words().topicSet, "\"", topic,
                         "\x03"
                         "3\""}));
}

// Every line sent through SendRaw. The password of a PASS line never reaches the screen.
void TForm1::IdIRC1Send(TIdIRC* /*Sender*/, const std::string& ACommand)
{
    events::guarded([&] {
        const std::string_view head = "\x03 \x03"
                                      "12-> ";
        const bool pass = ACommand.size() >= 5 && text::sameText(std::string_view(ACommand).substr(0, 5), "PASS ");
        showIn(words().system,
               cat({kHead, timeStamp(), head, pass ? std::string_view("PASS ******") : std::string_view(ACommand)}));
    });
}

// The last line of the user-count block that follows registration: time to join the auto-join channel.
void TForm1::IdIRC1System(TIdIRC* /*Sender*/, TIdIRCUser* /*AUser*/, int ACmdCode, const std::string& /*ACommand*/,
                          const std::string& /*AContent*/)
{
    events::guarded([&] {
        if (ACmdCode != 255)
            return;
        IdIRC1.SendJoin(m_connection.autoJoin);
        startTimer1();
    });
}

int TForm1::viewOfPage(int page) const
{
    const int t = m_registry.IndexOfObject(sPageControl1->widget(page));
    return t >= 1 && m_registry.kindAt(t) == WindowRegistry::Kind::Tab ? t - 1 : -1;
}

} // namespace morva
