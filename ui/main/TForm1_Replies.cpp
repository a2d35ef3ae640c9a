// The main window's view of the numeric server replies: the welcome block, whois, the administrative lines, and
// the replies that feed the channel list and the channel settings dialog.
#include "text/Cp1251.h"
#include "text/TextUtil.h"
#include "ui/dialogs/TForm9.h"
#include "ui/main/EventText.h"
#include "ui/main/RawLine.h"
#include "ui/main/TForm1.h"

#include <string>
#include <string_view>

namespace morva {

using events::afterOrAll;
using events::beforeOrEmpty;
using events::cat;
using events::kHead;
using events::kPlain;

namespace {

// The words of the whois lines, in Windows-1251, built once.
struct WhoisWords
{
    std::string is;       // "^B является "
    std::string realName; // "^B реальное имя: "
    std::string channels; // "^B каналы: "
    std::string server;   // "^B сервер: "
    std::string idle;     // "^B время простоя: "
    std::string seconds;  // "сек."
};

const WhoisWords& whoisWords()
{
    static const WhoisWords w{
        text::fromUtf8("\x02 является "), text::fromUtf8("\x02 реальное имя: "),  text::fromUtf8("\x02 каналы: "),
        text::fromUtf8("\x02 сервер: "),  text::fromUtf8("\x02 время простоя: "), text::fromUtf8("сек."),
    };
    return w;
}

// After the time stamp: plain, then dark blue, the colour of every server reply line.
constexpr std::string_view kReply = "\x03 \x03"
                                    "2";

// Word n (1-based) of a reply, the words cut at single blanks: the text after n - 1 blanks, up to the next blank.
// A last word with no blank after it comes out empty, as do missing words; the reply lines always carry a
// trailing parameter after the words they are read for, so no word that matters is lost that way.
std::string_view replyWord(std::string_view s, int n)
{
    for (int i = 1; i < n; ++i)
        s = afterOrAll(s, ' ');
    return beforeOrEmpty(s, ' ');
}

} // namespace

// :server 001 <me> :Welcome to the network <me>!<ident>@<host>, and 002 to 008 alike
void TForm1::rawWelcome(const RawLine& l)
{
    showIn(events::words().system, cat({kHead, timeStamp(), kReply, afterOrAll(l.content, ':')}));
}

// :server 311 <me> <nick> <ident> <host> * :<real name>
void TForm1::rawWhoisUser(const RawLine& l)
{
    const std::string window = activeWindowName();
    const std::string_view nick = replyWord(l.content, 2);
    showIn(window, cat({kHead, timeStamp(), kReply, "\x02", nick, whoisWords().is, nick, "!", replyWord(l.content, 3),
                        "@", replyWord(l.content, 4)}));
    showIn(window, cat({kHead, timeStamp(), kReply, "\x02", nick, whoisWords().realName, afterOrAll(l.content, ':')}));
}

// :server 312 <me> <nick> <server> :<server info>
void TForm1::rawWhoisServer(const RawLine& l)
{
    const std::string_view nick = replyWord(l.content, 2);
    showIn(activeWindowName(),
           cat({kHead, timeStamp(), kReply, "\x02", nick, whoisWords().server, replyWord(l.content, 3)}));
}

// :server 317 <me> <nick> <seconds> <signon> :seconds idle, signon time
void TForm1::rawWhoisIdle(const RawLine& l)
{
    const std::string_view nick = replyWord(l.content, 2);
    showIn(activeWindowName(), cat({kHead, timeStamp(), kReply, "\x02", nick, whoisWords().idle,
                                    replyWord(l.content, 3), whoisWords().seconds}));
}

// :server 319 <me> <nick> :<channels, each with its status prefix>
void TForm1::rawWhoisChannels(const RawLine& l)
{
    const std::string_view nick = replyWord(l.content, 2);
    showIn(activeWindowName(),
           cat({kHead, timeStamp(), kReply, "\x02", nick, whoisWords().channels, afterOrAll(l.content, ':')}));
}

// :server 321 <me> Channel :Users  Name. A new list starts: the old rows go, the window comes up.
void TForm1::rawListStart(const RawLine& /*l*/)
{
    if (!Form9)
        return;
    Form9->clearRows();
    Form9->show();
}

// :server 322 <me> <channel> <users> :<topic>. Rows are added whether the list is visible or not.
void TForm1::rawListItem(const RawLine& l)
{
    if (Form9)
        Form9->AddNewQ(std::string(replyWord(l.content, 2)), std::string(replyWord(l.content, 3)),
                       std::string(afterOrAll(l.content, ':')));
}

// :server 324 <me> <channel> +<modes> [<params>]. Only the settings dialog's own query is answered here; the mode
// event shows the reply in the channel's window otherwise.
void TForm1::rawChannelModes(const RawLine& l)
{
    if (!channelSettingsShowing())
        return;
    const std::size_t plus = l.content.find('+');
    std::string modes(text::trim(plus == std::string::npos ? std::string_view(l.content)
                                                           : std::string_view(l.content).substr(plus + 1)));
    // One parameter, the last (a key or a limit), is dropped; a key before a limit stays and its characters count
    // as letters.
    if (const std::size_t blank = modes.rfind(' '); blank != std::string::npos)
        modes.erase(blank);
    if (modes.empty())
        modes.push_back('q'); // empty here
    m_channelSettings->modesLoaded(modes);
}

// :server 367 <me> <channel> <mask> [<setter> <time>]
void TForm1::rawBan(const RawLine& l)
{
    if (!channelSettingsShowing())
        return;
    const std::string mask(text::word(text::trim(l.content), 3));
    m_channelSettings->banLoaded(mask);
}

// :server 256 <me> <server> :Administrative info, and 257, 258: everything after our own nick.
void TForm1::rawAdmin(const RawLine& l)
{
    showIn(events::words().system, cat({kHead, timeStamp(), kReply, afterOrAll(l.content, ' ')}));
}

} // namespace morva
