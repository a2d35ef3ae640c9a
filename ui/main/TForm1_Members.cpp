// The main window's handlers of member events: names replies, nick changes, channel modes and kicks.
#include "engine/Host.h"
#include "engine/TIdIRCChannel.h"
#include "engine/TIdIRCUser.h"
#include "engine/TIdIRCUsers.h"
#include "text/Cp1251.h"
#include "text/QtText.h"
#include "ui/main/EventText.h"
#include "ui/main/NickList.h"
#include "ui/main/NickPrefix.h"
#include "ui/main/TForm1.h"
#include "view/AppendLine.h"

#include <QElapsedTimer>
#include <QTabWidget>

namespace morva {

using events::cat;
using events::isChannel;
using events::kHead;
using events::kPlain;
using events::words;

namespace {

constexpr int kMaxModeParams = 100;

std::string captionOf(const QTabWidget* tabs, int page)
{
    return text::fromQString(tabs->tabText(page));
}

} // namespace

void TForm1::wireEngineEvents()
{
    IdIRC1.OnRaw = [this](auto&&... a) { IdIRC1Raw(a...); };
    IdIRC1.OnConnect = [this](TIdIRC*) { awaitFirstPaint(); };
    IdIRC1.OnNames = [this](auto&&... a) { IdIRC1Names(a...); };
    IdIRC1.OnNickChange = [this](auto&&... a) { IdIRC1NickChange(a...); };
    IdIRC1.OnNickChanged = [this](auto&&... a) { IdIRC1NickChanged(a...); };
    IdIRC1.OnChannelMode = [this](auto&&... a) { IdIRC1ChannelMode(a...); };
    IdIRC1.OnKick = [this](auto&&... a) { IdIRC1Kick(a...); };
    IdIRC1.OnKicked = [this](auto&&... a) { IdIRC1Kicked(a...); };
    IdIRC1.OnSend = [this](auto&&... a) { IdIRC1Send(a...); };
    IdIRC1.OnSystem = [this](auto&&... a) { IdIRC1System(a...); };
}

// :server 366 <me> <channel> :End of NAMES list: the channel's nick list rebuilt from the engine's records
void TForm1::IdIRC1Names(TIdIRC* /*Sender*/, TIdIRCUsers* AUsers, TIdIRCChannel* AChannel)
{
    events::guarded([&] {
        if (!AUsers || !AChannel)
            return;
        const std::string listName = text::upper(AChannel->Name());
        NickList* list = userListAt(FindUserList(listName));
        if (!list)
            return;
        list->Clear();
        const std::uint64_t generation = AUsers->Generation();
        // The window stays responsive through a long reply, but a turn of the event loop per member would cost
        // more than the member itself: pending messages run at most once every kNamesPumpIntervalMs.
        QElapsedTimer sincePump;
        sincePump.start();
        try {
            for (int i = 0; i < AUsers->Count(); ++i) {
                if (sincePump.elapsed() >= kNamesPumpIntervalMs) {
                    m_host.processPendingMessages();
                    sincePump.restart();
                    // What ran may have closed the window or started a new session, dropping the records.
                    if (AUsers->Generation() != generation)
                        break;
                    list = userListAt(FindUserList(listName));
                    if (!list)
                        break;
                }
                const std::string& nick = AUsers->Items(i)->Nick();
                const int m = AChannel->Find(nick);
                if (m < 0)
                    continue;
                const int flags = AChannel->FlagsAt(m);
                // One entry per member, with the higher of its privileges.
                if (flags & mfOperator)
                    list->Add("@" + nick);
                else if (flags & mfVoice)
                    list->Add("+" + nick);
                else
                    list->Add(nick);
            }
        } catch (...) {
            // The entries added so far stay.
        }
    });
}

void TForm1::renameNickForms(int list, int view, const std::string& oldNick, const std::string& newNick,
                             std::string_view line)
{
    NickList* nicks = userListAt(list);
    if (!nicks)
        return;
    std::string form;
    for (std::size_t rank = 0; rank <= kStatusPrefixes.size(); ++rank) {
        const std::string_view prefix = rank == 0 ? std::string_view() : kStatusPrefixes.substr(rank - 1, 1);
        form = cat({prefix, oldNick});
        const int e = nicks->IndexOf(form);
        if (e < 0)
            continue;
        nicks->Replace(e, cat({prefix, newNick}));
        AppendLine(memoAt(view), line);
    }
}

// :old!ident@host NICK :<new>, someone else
void TForm1::IdIRC1NickChange(TIdIRC* /*Sender*/, TIdIRCUser* AUser, const std::string& ANewNick)
{
    events::guarded([&] {
        if (!AUser)
            return;
        const std::string old = AUser->Nick();
        const std::string line = cat({kHead, timeStamp(), kPlain,
                                      "\x03"
                                      "2",
                                      old, " [", AUser->Address(), "] ", words().nowKnownAs, ANewNick, "\x03"});
        const int tabs = sPageControl1->count();
        for (int page = 0; page < tabs && page < sPageControl1->count(); ++page) {
            const int view = viewOfPage(page);
            if (view < 0)
                continue;
            const std::string caption = captionOf(sPageControl1, page);
            if (text::sameText(caption, old)) {
                // The private window follows the other party to the new nick.
                const std::string renamed = text::upper(ANewNick);
                m_registry.setNameAt(view, renamed);
                m_registry.setNameAt(view + 1, renamed + std::string(WindowRegistry::kTabsSuffix));
                m_registry.setNameAt(view + 2, renamed + std::string(WindowRegistry::kListSuffix));
                sPageControl1->setTabText(page, text::toQString(renamed));
                AppendLine(memoAt(view), line);
            }
            if (isChannel(caption)) {
                renameNickForms(view + 2, view, old, ANewNick, line);
                sPageControl1Change(sPageControl1);
            }
        }
    });
}

// :old!ident@host NICK :<new>, ourselves; the engine's nick is the new one already
void TForm1::IdIRC1NickChanged(TIdIRC* /*Sender*/, const std::string& AOldNick)
{
    events::guarded([&] {
        const std::string now = IdIRC1.Nick();
        const std::string line = cat({kHead, timeStamp(), kPlain,
                                      "\x03"
                                      "2",
                                      AOldNick, words().nowKnownAs, now, "\x03"});
        const int tabs = sPageControl1->count();
        for (int page = 0; page < tabs && page < sPageControl1->count(); ++page) {
            const int view = viewOfPage(page);
            if (view < 0 || !isChannel(captionOf(sPageControl1, page)))
                continue;
            renameNickForms(view + 2, view, AOldNick, now, line);
            sPageControl1Change(sPageControl1);
        }
    });
}

// :nick!ident@host MODE <channel> <modes> [<params>...], and the answer to our query:
// :server 324 <me> <channel> <modes> [<params>...]
void TForm1::IdIRC1ChannelMode(TIdIRC* /*Sender*/, TIdIRCUser* AUser, TIdIRCChannel* AChannel,
                               const std::string& /*AChanName*/, const std::string& AModes)
{
    events::guarded([&] {
        if (!AChannel)
            return;
        const std::string channel = AChannel->Name();
        const std::string upper = text::upper(channel);
        const std::string modesLine = cat({kHead, timeStamp(),
                                           " \x03"
                                           "15",
                                           words().channelModes, AModes, "\x03"});
        const std::size_t space = AModes.find(' ');
        if (space == std::string::npos) {
            if (AModes.size() >= 2 && !channelSettingsShowing())
                showIn(upper, modesLine);
            startTimer1();
            return;
        }

        const std::string_view modeword = std::string_view(AModes).substr(0, space);
        std::vector<std::string_view> params;
        std::string_view rest = std::string_view(AModes).substr(space + 1);
        while (!rest.empty() && static_cast<int>(params.size()) < kMaxModeParams) {
            const std::size_t b = rest.find(' ');
            if (b != 0)
                params.push_back(rest.substr(0, b));
            if (b == std::string_view::npos)
                break;
            rest.remove_prefix(b + 1);
        }
        // The d-th letter takes the d-th parameter, whether the letter has one or not: that is how the member
        // letters line up with their nicks in the changes servers send.
        char sign = '\0';
        std::size_t d = 0;
        for (char letter : modeword) {
            if (letter == '+' || letter == '-') {
                sign = letter;
                continue;
            }
            const std::string param(d < params.size() ? params[d] : std::string_view());
            ++d;
            const char prefix = ModePrefix(letter);
            if (sign == '\0' || prefix == '\0')
                continue;
            const int e = FindNickEntry(param, channel);
            NickList* list = userListAt(FindUserList(upper));
            if (e < 0 || !list)
                continue;
            const std::string& entry = (*list)[e];
            const char current = !entry.empty() && PrefixRank(entry.front()) > 0 ? entry.front() : '\0';
            if (sign == '+') {
                if (PrefixGrantReplaces(current, prefix)) {
                    DelNick(upper, param);
                    AddNick(upper, std::string(1, prefix) + param);
                }
            } else if (current == prefix) {
                list->Replace(e, param);
            }
        }

        if (AUser) {
            showIn(upper, cat({kHead, timeStamp(),
                               "\x03"
                               "3 ",
                               AUser->Nick(), "[", AUser->Address(), "]", words().modeSet, AModes}));
        } else if (!channelSettingsShowing()) {
            // The answer to a mode query names no setter; with a key or a limit it is still the channel's modes.
            showIn(upper, modesLine);
        }
        startTimer1();
    });
}

// :kicker!ident@host KICK <channel> <victim> :<comment>, someone else kicked
void TForm1::IdIRC1Kick(TIdIRC* /*Sender*/, TIdIRCUser* AUser, TIdIRCUser* AVictim, TIdIRCChannel* AChannel)
{
    events::guarded([&] {
        if (!AUser || !AVictim || !AChannel)
            return;
        const std::string upper = text::upper(AChannel->Name());
        const int tabs = sPageControl1->count();
        for (int page = 0; page < tabs && page < sPageControl1->count(); ++page) {
            const int view = viewOfPage(page);
            const std::string caption = captionOf(sPageControl1, page);
            if (view < 0 || caption != upper)
                continue;
            DelNick(text::upper(caption), AVictim->Nick());
            AppendLine(memoAt(view), cat({kHead, timeStamp(), kPlain,
                                          "\x03"
                                          "4",
                                          AUser->Nick(), words().kicked, AVictim->Nick(), " [", AVictim->Address(),
                                          "] ", words().because, AVictim->Reason()}));
            startTimer1();
        }
    });
}

// :kicker!ident@host KICK <channel> <me> :<comment>
void TForm1::IdIRC1Kicked(TIdIRC* /*Sender*/, TIdIRCUser* AUser, TIdIRCChannel* AChannel)
{
    events::guarded([&] {
        if (!AUser || !AChannel)
            return;
        for (int page = 0; page < sPageControl1->count(); ++page) {
            const std::string caption = captionOf(sPageControl1, page);
            if (!text::sameText(caption, AChannel->Name()))
                continue;
            const std::string line =
                cat({kHead, timeStamp(), kPlain,
                     "\x03"
                     "4",
                     AUser->Nick(), words().kickedYou, AChannel->Name(), " ", words().because, AUser->Reason()});
            DeleteTabs(caption);
            showIn(words().system, line);
            return;
        }
    });
}

} // namespace morva
