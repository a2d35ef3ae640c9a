// Incoming messages, actions, queries, notices, topics, joins, parts and quits as the main window shows them,
// with the popups they raise and the nick lists they change.
#include "TrafficFixture.h"

#include <QApplication>

namespace morva::test {
namespace {

using Strings = std::vector<std::string>;

class MessageEvents : public TrafficFixture
{
protected:
    // The windows of the message tables: the system window (first, in view), two channels and a window named
    // like our own nick.
    void openWindows()
    {
        for (const char* name : {"#CHAN", "#КАНАЛ", "ME"})
            form->FindMemo(text::fromUtf8(name));
    }
};

// --- PRIVMSG ---------------------------------------------------------------------------------------------------

struct MessageCase
{
    const char* name;
    const char* active; // the window in view
    const char* line;
    const char* window; // where the line goes
    const char* shows;  // the coded line it shows there
    const char* popupTitle = nullptr;
    const char* popupText = nullptr;
};

void PrintTo(const MessageCase& c, std::ostream* os)
{
    *os << c.name;
}

class MessageTable : public MessageEvents, public ::testing::WithParamInterface<MessageCase>
{};

// clang-format off
const MessageCase kMessages[] = {
    {"ChannelInView",        "#CHAN",   ":bob!b@h PRIVMSG #chan :hi",             "#CHAN", "^C4<ts> ^C14^B<^C9bob^C14>^B^C1 hi"},
    {"ChannelOtherCase",     "#CHAN",   ":bob!b@h PRIVMSG #Chan :hi",             "#CHAN", "^C4<ts> ^C14^B<^C9bob^C14>^B^C1 hi"},
    {"ChannelCyrillicCase",  "#КАНАЛ",  ":bob!b@h PRIVMSG #Канал :привет",       "#КАНАЛ", "^C4<ts> ^C14^B<^C9bob^C14>^B^C1 привет"},
    {"ChannelNotInView",     "Система", ":bob!b@h PRIVMSG #chan :hi there",       "#CHAN", "^C4<ts> ^C14^B<^C9bob^C14>^B^C1 hi there", "#chan", "bob: hi there"},
    {"ChannelCodesInPopup",  "ME",      ":bob!b@h PRIVMSG #chan :^C4red^C ^Bbold", "#CHAN", "^C4<ts> ^C14^B<^C9bob^C14>^B^C1 ^C4red^C ^Bbold", "#chan", "bob: ^C4red^C ^Bbold"},
    {"ChannelQueryIsMessage","#CHAN",   ":bob!b@h PRIVMSG #chan :^APING 1^A",     "#CHAN", "^C4<ts> ^C14^B<^C9bob^C14>^B^C1 ^APING 1^A"},
    {"ChannelActionInView",  "#CHAN",   ":bob!b@h PRIVMSG #chan :^AACTION waves^A", "#CHAN", "^C4<ts>^C ^C13bob waves"},
    {"ChannelActionElsewhere","Система",":bob!b@h PRIVMSG #chan :^AACTION waves^A", "#CHAN", "^C4<ts>^C ^C13bob waves", "#chan", "bob: waves"},
    {"EmptyAction",          "#CHAN",   ":bob!b@h PRIVMSG #chan :^AACTION^A",     "#CHAN", "^C4<ts>^C ^C13bob "},
    {"PrivateMessage",       "#CHAN",   ":bob!b@h PRIVMSG me :hello",             "bob",   "^C4<ts> ^C14^B<^C9bob^C14>^B^C1 hello"},
    {"PrivateEmptyText",     "#CHAN",   ":bob!b@h PRIVMSG me :",                  "bob",   "^C4<ts> ^C14^B<^C9bob^C14>^B^C1 "},
    {"PrivateWithoutTarget", "#CHAN",   ":bob!b@h PRIVMSG :hello",                "bob",   "^C4<ts> ^C14^B<^C9bob^C14>^B^C1 hello"},
    {"PrivateWithoutColon",  "#CHAN",   ":bob!b@h PRIVMSG me hello",              "bob",   "^C4<ts> ^C14^B<^C9bob^C14>^B^C1 me hello"},
    {"PrivateAction",        "#CHAN",   ":bob!b@h PRIVMSG me :^AACTION smiles^A", "bob",   "^C4<ts>^C ^C13bob smiles", "me", "bob: smiles"},
    {"PrivateActionOwnTab",  "ME",      ":bob!b@h PRIVMSG me :^AACTION smiles^A", "bob",   "^C4<ts>^C ^C13bob smiles"},
    {"LowerCaseAction",      "#CHAN",   ":bob!b@h PRIVMSG #chan :^Aaction x^A",   "#CHAN", "^C4<ts> ^C14^B<^C9bob^C14>^B^C1 ^Aaction x^A"},
};
// clang-format on

TEST_P(MessageTable, ShowsTheLineAndRaisesItsPopup)
{
    const MessageCase& c = GetParam();
    openWindows();
    activate(c.active);
    in(c.line);
    expectWindow(c.window, {c.shows});
    std::vector<Popup> want;
    if (c.popupTitle)
        want.push_back({c.popupTitle, text::toUtf8(coded(c.popupText))});
    EXPECT_EQ(popups(), want);
    // Nothing else was shown anywhere.
    EXPECT_EQ(form->sPageControl1->count(), std::string(c.window) == "bob" ? 5 : 4) << testing::PrintToString(tabs());
    // The system window holds only echoes of sent lines (the registration, an automatic reply).
    for (const std::string& l : shown(kSystem))
        EXPECT_EQ(l.rfind("<ts> -> ", 0), 0u) << l;
}

INSTANTIATE_TEST_SUITE_P(Privmsg, MessageTable, ::testing::ValuesIn(kMessages),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MessageEvents, ChannelMessageColours)
{
    openWindows();
    activate("#CHAN");
    in(":bob!b@h PRIVMSG #chan :hi");
    const TIRCMemo* v = view("#CHAN");
    ASSERT_EQ(v->lineCount(), 1);
    const std::string t = text::toUtf8(v->lineText(0));
    ASSERT_EQ(t.substr(8), " <bob> hi");
    EXPECT_EQ(v->formatAt(0, 0).foreground, 4);  // the time stamp, red
    EXPECT_EQ(v->formatAt(0, 9).foreground, 14); // "<", grey
    EXPECT_TRUE(v->formatAt(0, 9).bold);
    EXPECT_EQ(v->formatAt(0, 10).foreground, 9); // the nick, light green
    EXPECT_EQ(v->formatAt(0, 13).foreground, 14);
    EXPECT_EQ(v->formatAt(0, 15).foreground, 1); // the text, black, not bold
    EXPECT_FALSE(v->formatAt(0, 15).bold);
}

TEST_F(MessageEvents, IgnoredSenderShowsNothingButNotices)
{
    openWindows();
    activate("#CHAN");
    form->ignoreList().push_back("BOB!*@*");
    for (const char* line : {":bob!b@h PRIVMSG #chan :hi", ":bob!b@h PRIVMSG #other :hi", ":bob!b@h PRIVMSG me :hi",
                             ":bob!b@h PRIVMSG me :^AACTION waves^A", ":bob!b@h PRIVMSG #other :^AACTION waves^A",
                             ":bob!b@h PRIVMSG me :^AVERSION^A"})
        in(line);
    EXPECT_TRUE(popups().empty());
    EXPECT_EQ(tabs(), (Strings{"Система", "#CHAN", "#КАНАЛ", "ME"}));
    EXPECT_TRUE(shown("#CHAN").empty()) << dump("#CHAN");
    in(":bob!b@h NOTICE me :still here");
    expectWindow("#CHAN", {"^C4<ts>^C ^C4*bob* still here"});
    // Another sender is not caught by the mask.
    in(":bobby!b@h PRIVMSG #chan :hi");
    EXPECT_EQ(shown("#CHAN").size(), 2u);
}

TEST_F(MessageEvents, PrivateQueryGoesToTheSystemWindowWithTheReplyEcho)
{
    in(":bob!b@h PRIVMSG me :^AVERSION^A");
    ASSERT_TRUE(server.waitFor("NOTICE bob :\x01VERSION ", pump()));
    expectWindow(kSystem, {"^C4<ts>^C ^C12-> NICK me", "^C4<ts>^C ^C12-> USER ident 127.0.0.1 127.0.0.1 :Real Name",
                           "^C4<ts> ^C4bob^C9 :: ^C4^AVERSION^A",
                           "^C4<ts>^C ^C12-> NOTICE bob :^AVERSION MORVA IRC engine 3.7^A"});
    EXPECT_EQ(tabs(), Strings{"Система"});
    EXPECT_TRUE(popups().empty());
}

TEST_F(MessageEvents, SecondPopupCascades)
{
    openWindows();
    in(":bob!b@h PRIVMSG #chan :one");
    in(":ann!a@h PRIVMSG #КАНАЛ :two");
    EXPECT_EQ(popups(), (std::vector<Popup>{{"#chan", "bob: one"}, {"#КАНАЛ", "ann: two"}}));
    EXPECT_EQ(form->popup()->PopupCount(), 2);
}

// --- NOTICE ----------------------------------------------------------------------------------------------------

TEST_F(MessageEvents, NoticesGoToTheWindowInView)
{
    openWindows();
    in(":srv NOTICE * :*** Looking up your hostname");
    activate("#КАНАЛ");
    in(":bob!b@h NOTICE #chan :to the channel");
    in(":bob!b@h NOTICE me :");
    expectWindow(kSystem, {"^C4<ts>^C ^C12-> NICK me", "^C4<ts>^C ^C12-> USER ident 127.0.0.1 127.0.0.1 :Real Name",
                           "^C4<ts>^C ^C4*** Looking up your hostname"});
    expectWindow("#КАНАЛ", {"^C4<ts>^C ^C4*bob* to the channel", "^C4<ts>^C ^C4*bob* "});
    EXPECT_TRUE(shown("#CHAN").empty());
    EXPECT_TRUE(popups().empty());
}

TEST_F(MessageEvents, NoticeBeforeAnyTabGoesToANewSystemWindow)
{
    form->DeleteTabs(sys());
    ASSERT_EQ(form->sPageControl1->count(), 0);
    in(":srv NOTICE AUTH :*** Checking ident");
    EXPECT_EQ(tabs(), Strings{"Система"});
    expectWindow(kSystem, {"^C4<ts>^C ^C4*** Checking ident"});
}

// --- topics ----------------------------------------------------------------------------------------------------

struct FakeChannelSettings : ChannelSettingsLink
{
    bool showing = true;
    Strings topics;
    bool isShowing() const override { return showing; }
    void topicLoaded(const std::string& topic) override { topics.push_back(text::toUtf8(topic)); }
};

TEST_F(MessageEvents, TopicReplyAndTopicChange)
{
    in(":srv 332 me #Новый :Добро пожаловать: сюда");
    in(":bob!b@h TOPIC #Новый :Новая тема");
    in(":bob!b@h TOPIC #новый :");
    EXPECT_EQ(tabs(), (Strings{"Система", "#НОВЫЙ"}));
    expectWindow("#НОВЫЙ", {"^C4<ts>^C ^C3Тема канала: Добро пожаловать: сюда^C",
                            "^C4<ts>^C3 bob[b@h] изменил тему на \"Новая тема^C3\"",
                            "^C4<ts>^C3 bob[b@h] изменил тему на \"^C3\""});
}

TEST_F(MessageEvents, TopicReplyGoesToTheShowingDialogOnly)
{
    FakeChannelSettings dialog;
    form->setChannelSettings(&dialog);
    in(":srv 332 me #chan :the topic");
    EXPECT_EQ(dialog.topics, Strings{"the topic"});
    EXPECT_EQ(tabs(), Strings{"Система"});
    dialog.showing = false;
    in(":srv 332 me #chan :the topic");
    EXPECT_EQ(dialog.topics, Strings{"the topic"});
    expectWindow("#CHAN", {"^C4<ts>^C ^C3Тема канала: the topic^C"});
    form->setChannelSettings(nullptr);
}

TEST_F(MessageEvents, TopicReplyWithoutColonOpensNoNamelessWindow)
{
    in(":srv 332 me #chan topic");
    EXPECT_EQ(tabs(), Strings{"Система"});
}

// --- joins, parts and quits ------------------------------------------------------------------------------------

TEST_F(MessageEvents, JoinsAndPartsKeepTheNickLists)
{
    joinWithNames("#a", "me @op bob");
    joinWithNames("#b", "me bob carol");
    activate("#A");
    ASSERT_EQ(entries("#A"), (Strings{"me", "@op", "bob"}));

    in(":dave!d@h.example JOIN :#a");
    in(":op!o@h JOIN :#A");            // already listed as an operator: shown, not listed twice
    in(":bob!b@h PART #a");            // no reason
    in(":carol!c@h PART #b :see you"); // the reason with its colon
    in(":zed!z@h PART #a :x");         // not listed: the line only
    in(":me!ident@127.0.0.1 PART #b :bye");

    EXPECT_EQ(entries("#A"), (Strings{"me", "@op", "dave"}));
    EXPECT_EQ(entries("#B"), (Strings{"me", "bob"}));
    EXPECT_EQ(box(), (Strings{"@op", "dave", "me"}));
    expectWindow("#A", {"^C4<ts>^C ^C14me [ident@127.0.0.1] зашел на #a^C",
                        "^C4<ts>^C ^C14dave [d@h.example] зашел на #a^C", "^C4<ts>^C ^C14op [o@h] зашел на #A^C",
                        "^C4<ts>^C ^C14bob [b@h] покинул #a^C", "^C4<ts>^C ^C14zed [z@h] покинул #a :x^C"});
    expectWindow(
        "#B", {"^C4<ts>^C ^C14me [ident@127.0.0.1] зашел на #b^C", "^C4<ts>^C ^C14carol [c@h] покинул #b :see you^C"});
    EXPECT_EQ(tabs(), (Strings{"Система", "#A", "#B"}));
}

TEST_F(MessageEvents, JoinOfAChannelWithoutWindowOpensIt)
{
    in(":bob!b@h JOIN :#Dawnhall");
    EXPECT_EQ(tabs(), (Strings{"Система", "#DAWNHALL"}));
    EXPECT_EQ(entries("#DAWNHALL"), Strings{"bob"});
    in(":bob!b@h JOIN :#Dawnhall");
    EXPECT_EQ(entries("#DAWNHALL"), Strings{"bob"});
    EXPECT_EQ(shown("#DAWNHALL").size(), 2u);
    EXPECT_EQ(form->activeWindowName(), sys()) << "a new window does not take the focus";
}

TEST_F(MessageEvents, QuitLeavesEveryChannelOnce)
{
    joinWithNames("#a", "me @op bob");
    joinWithNames("#b", "me @op");
    in(":op!o@h PRIVMSG me :psst"); // a private window, whose nick list is empty
    activate("#B");
    in(":op!o@h QUIT :Quit: gone");
    in(":ghost!g@h QUIT :nobody knows");
    EXPECT_EQ(entries("#A"), (Strings{"me", "bob"}));
    EXPECT_EQ(entries("#B"), Strings{"me"});
    EXPECT_EQ(box(), Strings{"me"});
    const std::string quit = "^C4<ts>^C ^C14op [o@h] вышел из IRC:Quit: gone^C";
    expectWindow("#A", {"^C4<ts>^C ^C14me [ident@127.0.0.1] зашел на #a^C", quit});
    expectWindow("#B", {"^C4<ts>^C ^C14me [ident@127.0.0.1] зашел на #b^C", quit});
    EXPECT_EQ(shown("op").size(), 1u);
    EXPECT_EQ(shown(kSystem).size(), 4u) << dump(kSystem); // registration and the two mode queries
}

TEST_F(MessageEvents, UnknownCommandsAndBrokenLinesShowNothing)
{
    for (const char* line :
         {":srv 372 me :- motd", ":srv 251 me :There are 2 users", ":srv 433 me bob :in use", ":bob!b@h INVITE me #x",
          "PING :srv", ":bob!b@h privmsg #chan :lower case word", ":srv PRIVMSG me :server says", ":bob!b@h JOIN",
          ":bob!b@h PART", ":bob!b@h QUIT", ":bob!b@h TOPIC"})
        in(line);
    EXPECT_EQ(tabs(), Strings{"Система"}) << "no window for a sender without a nick or a channel without a name";
    EXPECT_TRUE(popups().empty());
}

} // namespace
} // namespace morva::test
