// The numeric server replies as the main window shows them: the welcome block, whois, the administrative lines,
// the channel list rows and the replies meant for the channel settings dialog; and the numerics that show nothing.
#include "TrafficFixture.h"
#include "ui/dialogs/ChannelListModel.h"
#include "ui/dialogs/TForm9.h"

#include <memory>

namespace morva::test {
namespace {

using Strings = std::vector<std::string>;

// The echo of the registration, the system window's first lines.
const Strings kRegistration = {"^C4<ts>^C ^C12-> NICK me",
                               "^C4<ts>^C ^C12-> USER ident 127.0.0.1 127.0.0.1 :Real Name"};

Strings withRegistration(Strings lines)
{
    Strings all = kRegistration;
    all.insert(all.end(), lines.begin(), lines.end());
    return all;
}

class ServerReplies : public TrafficFixture
{
protected:
    void openWindows()
    {
        for (const char* name : {"#CHAN", "bob"})
            form->FindMemo(text::fromUtf8(name));
    }
    // Every window holds what it held before the lines came: the system window only the registration.
    void expectNothingShown()
    {
        EXPECT_EQ(tabs(), (Strings{"Система", "#CHAN", "bob"}));
        expectWindow(kSystem, kRegistration);
        EXPECT_TRUE(shown("#CHAN").empty()) << dump("#CHAN");
        EXPECT_TRUE(shown("bob").empty()) << dump("bob");
    }
};

// --- lines shown ------------------------------------------------------------------------------------------------

struct ReplyCase
{
    const char* name;
    const char* active; // the window in view
    Strings lines;      // what the server sends
    const char* window; // where the lines go
    Strings shows;      // the coded lines they show there (after the registration, in the system window)
};

void PrintTo(const ReplyCase& c, std::ostream* os)
{
    *os << c.name;
}

class ReplyTable : public ServerReplies, public ::testing::WithParamInterface<ReplyCase>
{};

// clang-format off
const ReplyCase kReplies[] = {
    {"Welcome", "#CHAN",
     {":srv 001 me :Welcome to the Test IRC Network me!ident@127.0.0.1",
      ":srv 002 me :Your host is srv, running version ngircd-26",
      ":srv 003 me :This server has been started Mon Dec 01 2026 at 10:00:00 (UTC)",
      ":srv 004 me srv ngircd-26 abBcCioqrRswx abehiIklmMnoOPqQrRstvVz",
      ":srv 005 me NETWORK=Test CHANTYPES=# :are supported on this server",
      ":srv 006 me :six", ":srv 007 me :seven", ":srv 008 me :eight"},
     "Система",
     {"^C4<ts>^C ^C2Welcome to the Test IRC Network me!ident@127.0.0.1",
      "^C4<ts>^C ^C2Your host is srv, running version ngircd-26",
      "^C4<ts>^C ^C2This server has been started Mon Dec 01 2026 at 10:00:00 (UTC)",
      // No colon: all of the content, our own nick included.
      "^C4<ts>^C ^C2me srv ngircd-26 abBcCioqrRswx abehiIklmMnoOPqQrRstvVz",
      "^C4<ts>^C ^C2are supported on this server",
      "^C4<ts>^C ^C2six", "^C4<ts>^C ^C2seven", "^C4<ts>^C ^C2eight"}},
    {"WelcomeCyrillic", "#CHAN", {":srv 001 me :Добро пожаловать в сеть"}, "Система",
     {"^C4<ts>^C ^C2Добро пожаловать в сеть"}},
    {"WhoisInTheWindowInView", "#CHAN",
     {":srv 311 me bob ~b host.example * :Bob Real: Name",
      ":srv 319 me bob :@#chan +#другой",
      ":srv 312 me bob irc.example.net :Test server",
      ":srv 313 me bob :is an IRC operator",
      ":srv 317 me bob 42 1700000000 :seconds idle, signon time",
      ":srv 318 me bob :End of WHOIS list"},
     "#CHAN",
     {"^C4<ts>^C ^C2^Bbob^B является bob!~b@host.example",
      "^C4<ts>^C ^C2^Bbob^B реальное имя: Bob Real: Name",
      "^C4<ts>^C ^C2^Bbob^B каналы: @#chan +#другой",
      "^C4<ts>^C ^C2^Bbob^B сервер: irc.example.net",
      "^C4<ts>^C ^C2^Bbob^B время простоя: 42сек."}},
    {"WhoisNotInTheUsersWindow", "Система", {":srv 312 me bob irc.example.net :Test server"}, "Система",
     {"^C4<ts>^C ^C2^Bbob^B сервер: irc.example.net"}},
    // A last word with no blank after it is empty, missing words too.
    {"WhoisCutShort", "#CHAN",
     {":srv 312 me bob irc.example.net", ":srv 317 me bob 42", ":srv 311 me bob ~b", ":srv 319 me bob"},
     "#CHAN",
     {"^C4<ts>^C ^C2^Bbob^B сервер: ",
      "^C4<ts>^C ^C2^Bbob^B время простоя: сек.",
      "^C4<ts>^C ^C2^Bbob^B является bob!@",
      "^C4<ts>^C ^C2^Bbob^B реальное имя: me bob ~b",
      "^C4<ts>^C ^C2^B^B каналы: me bob"}},
    {"AdministrativeLines", "#CHAN",
     {":srv 256 me srv :Administrative info", ":srv 257 me :Москва", ":srv 258 me :Room 1", ":srv 259 me :a@b"},
     "Система",
     {"^C4<ts>^C ^C2srv :Administrative info", "^C4<ts>^C ^C2:Москва", "^C4<ts>^C ^C2:Room 1"}},
};
// clang-format on

TEST_P(ReplyTable, ShowsTheLinesThere)
{
    const ReplyCase& c = GetParam();
    openWindows();
    activate(c.active);
    for (const std::string& line : c.lines)
        in(line);
    const bool system = std::string(c.window) == kSystem;
    expectWindow(c.window, system ? withRegistration(c.shows) : c.shows);
    // Nothing anywhere else, no window opened.
    EXPECT_EQ(tabs(), (Strings{"Система", "#CHAN", "bob"}));
    if (!system)
        expectWindow(kSystem, kRegistration);
    for (const char* other : {"#CHAN", "bob"})
        if (std::string(other) != c.window) {
            EXPECT_TRUE(shown(other).empty()) << other << ":\n" << dump(other);
        }
}

INSTANTIATE_TEST_SUITE_P(Numerics, ReplyTable, ::testing::ValuesIn(kReplies),
                         [](const auto& info) { return std::string(info.param.name); });

// --- nothing shown ----------------------------------------------------------------------------------------------

TEST_F(ServerReplies, MessageOfTheDayCountsAndErrorsShowNothing)
{
    openWindows();
    activate("#CHAN");
    for (const char* line : {
             ":srv 375 me :- srv message of the day",
             ":srv 372 me :- Добро пожаловать",
             ":srv 376 me :End of MOTD command",
             ":srv 422 me :MOTD file is missing",
             ":srv 251 me :There are 1 users and 0 services on 1 servers",
             ":srv 252 me 1 :operator(s) online",
             ":srv 253 me 2 :unknown connection(s)",
             ":srv 254 me 3 :channels formed",
             ":srv 265 me 1 1 :Current local users: 1, Max: 1",
             ":srv 433 me bob :Nickname already in use",
             ":srv 401 me nobody :No such nick or channel name",
             ":srv 403 me #none :No such channel",
             ":srv 482 me #chan :You are not channel operator",
             ":srv 421 me FOO :Unknown command",
             ":srv 313 me bob :is an IRC operator",
             ":srv 366 me #chan :End of NAMES list",
             ":srv 368 me #chan :End of channel ban list",
             ":srv 323 me :End of LIST",
             ":srv 324 me #chan +nt",
             ":srv 367 me #chan *!*@bad",
             ":srv 999 me :unknown numeric",
         })
        in(line);
    expectNothingShown();
}

TEST_F(ServerReplies, LastUserCountShowsNothingButStillJoinsTheAutoJoinChannel)
{
    openWindows();
    in(":srv 255 me :I have 1 users, 0 services and 0 servers");
    ASSERT_TRUE(server.waitFor("JOIN #Dawnhall\r\n", pump()));
    // Only the echo of the join, no line for the reply itself.
    expectWindow(kSystem, withRegistration({"^C4<ts>^C ^C12-> JOIN #Dawnhall"}));
    EXPECT_TRUE(shown("#CHAN").empty());
}

// --- the channel list -------------------------------------------------------------------------------------------

class ChannelListReplies : public ServerReplies
{
protected:
    void SetUp() override
    {
        ServerReplies::SetUp();
        list = std::make_unique<TForm9>(form->IdIRC1);
        form->Form9 = list.get();
    }
    void TearDown() override
    {
        form->Form9 = nullptr;
        list.reset();
        ServerReplies::TearDown();
    }
    Strings rows()
    {
        list->rows().flush();
        Strings out;
        for (int i = 0; i < list->rows().rowCount(); ++i) {
            const ChannelListModel::Row& r = list->rows().row(i);
            out.push_back(text::toUtf8(r.channel + "|" + r.users + "|" + r.topic));
        }
        return out;
    }
    std::unique_ptr<TForm9> list;
};

TEST_F(ChannelListReplies, ListStartClearsAndShowsRowsFollow)
{
    in(":srv 322 me #early 1 :before the start");
    EXPECT_FALSE(list->isVisible());
    in(":srv 321 me Channel :Users  Name");
    EXPECT_TRUE(list->isVisible());
    EXPECT_TRUE(rows().empty());
    in(":srv 322 me #chan 12 :[+nt] Тема: с двоеточием");
    in(":srv 322 me #Канал 3 :");
    in(":srv 322 me #cut 7");
    in(":srv 323 me :End of LIST");
    // A row without a topic colon takes the whole content as its topic; its count is the cut-off last word.
    EXPECT_EQ(rows(), (Strings{"#chan|12|[+nt] Тема: с двоеточием", "#Канал|3|", "#cut||me #cut 7"}));
    expectWindow(kSystem, kRegistration);
    // The next list starts afresh; rows also come while the window is closed.
    list->hide();
    in(":srv 322 me #hidden 2 :while hidden");
    EXPECT_EQ(rows().size(), 4u);
    in(":srv 321 me Channel :Users  Name");
    EXPECT_TRUE(rows().empty());
    in(":srv 322 me #again 5 :x");
    EXPECT_EQ(rows(), Strings{"#again|5|x"});
}

TEST_F(ChannelListReplies, WithoutTheListWindowNothingFails)
{
    form->Form9 = nullptr;
    in(":srv 321 me Channel :Users  Name");
    in(":srv 322 me #chan 12 :topic");
    EXPECT_TRUE(rows().empty());
    expectWindow(kSystem, kRegistration);
}

// --- the replies for the channel settings dialog ----------------------------------------------------------------

struct RecordingSettings : ChannelSettingsLink
{
    bool showing = true;
    Strings modes;
    Strings bans;
    bool isShowing() const override { return showing; }
    void topicLoaded(const std::string&) override {}
    void modesLoaded(const std::string& m) override { modes.push_back(text::toUtf8(m)); }
    void banLoaded(const std::string& mask) override { bans.push_back(text::toUtf8(mask)); }
};

class SettingsReplies : public ServerReplies
{
protected:
    void SetUp() override
    {
        ServerReplies::SetUp();
        form->setChannelSettings(&dialog);
    }
    void TearDown() override
    {
        form->setChannelSettings(nullptr);
        ServerReplies::TearDown();
    }
    RecordingSettings dialog;
};

struct ModeCase
{
    const char* name;
    const char* line;
    const char* modes;
};

class ModeReplyTable : public SettingsReplies, public ::testing::WithParamInterface<ModeCase>
{};

// clang-format off
const ModeCase kModes[] = {
    {"TwoLetters",        ":srv 324 me #chan +nt",                "nt"},
    {"LonePlus",          ":srv 324 me #chan +",                  "q"},
    {"PlusWithBlanks",    ":srv 324 me #chan +  ",                "q"},
    {"KeyDropped",        ":srv 324 me #chan +ntk secret",        "ntk"},
    // Only the last parameter goes: the key stays and its letters count as modes.
    {"LimitDroppedKeyStays", ":srv 324 me #chan +ntkl secret 10", "ntkl secret"},
    {"NoPlusAtAll",       ":srv 324 me #chan",                    "me"},
    {"CyrillicKey",       ":srv 324 me #канал +k ключ",           "k"},
};
// clang-format on

TEST_P(ModeReplyTable, HandsTheLettersToTheShowingDialog)
{
    openWindows();
    in(GetParam().line);
    EXPECT_EQ(dialog.modes, Strings{GetParam().modes});
    expectNothingShown();
}

INSTANTIATE_TEST_SUITE_P(Reply324, ModeReplyTable, ::testing::ValuesIn(kModes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsReplies, BanMasksWithAndWithoutSetter)
{
    openWindows();
    in(":srv 367 me #chan *!*@bad.example op!o@h 1700000000");
    in(":srv 367 me #chan *!*@плохой");
    in(":srv 367 me  #chan  nick!*@*  ");
    in(":srv 368 me #chan :End of channel ban list");
    EXPECT_EQ(dialog.bans, (Strings{"*!*@bad.example", "*!*@плохой", "nick!*@*"}));
    expectNothingShown();
}

TEST_F(SettingsReplies, NotShowingDropsModesAndBans)
{
    joinWithNames("#chan", "me");
    dialog.showing = false;
    in(":srv 367 me #chan *!*@bad");
    in(":srv 324 me #chan +nt");
    EXPECT_TRUE(dialog.modes.empty());
    EXPECT_TRUE(dialog.bans.empty());
    // The mode event shows the reply in the channel's window instead.
    expectWindow("#CHAN", {"^C4<ts>^C ^C14me [ident@127.0.0.1] зашел на #chan^C", "^C4<ts> ^C15Режимы канала +nt^C"});
}

} // namespace
} // namespace morva::test
