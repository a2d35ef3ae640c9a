// Names replies, nick changes, channel modes and kicks as the main window shows them; the echo of sent lines and
// the automatic join after registration.
#include "TrafficFixture.h"

#include <QElapsedTimer>
#include <QScrollBar>

namespace morva::test {
namespace {

using Strings = std::vector<std::string>;

const char* const kJoinA = "^C4<ts>^C ^C14me [ident@127.0.0.1] зашел на #a^C";
const char* const kJoinChan = "^C4<ts>^C ^C14me [ident@127.0.0.1] зашел на #chan^C";

class MemberEvents : public TrafficFixture
{};

// --- names -----------------------------------------------------------------------------------------------------

TEST_F(MemberEvents, NamesReplaceTheOwnJoinEntryWithOneEntryAMember)
{
    in(":me!ident@127.0.0.1 JOIN :#chan");
    ASSERT_EQ(entries("#CHAN"), Strings{"me"});
    in(":srv 353 me = #chan :me @alice +bob carol");
    in(":srv 353 me = #chan :@dave+ ~eve %fay");
    in(":srv 366 me #chan :End of /NAMES list.");
    // "~" and "%" stay part of the nick the engine keeps, and so show like prefixes.
    EXPECT_EQ(entries("#CHAN"), (Strings{"me", "@alice", "+bob", "carol", "@dave", "~eve", "%fay"}));
    EXPECT_TRUE(box().empty()) << "no refresh of its own";
    activate("#CHAN");
    Strings sorted = box();
    Strings listed = entries("#CHAN");
    std::sort(sorted.begin(), sorted.end());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(sorted, listed);

    // A second reply rebuilds the list: nobody is listed twice.
    in(":srv 353 me = #chan :me @alice");
    in(":srv 366 me #chan :End of /NAMES list.");
    EXPECT_EQ(entries("#CHAN"), (Strings{"me", "@alice", "+bob", "carol", "@dave", "~eve", "%fay"}));
}

TEST_F(MemberEvents, NamesForAChannelWithoutWindowChangeNothing)
{
    in(":me!ident@127.0.0.1 JOIN :#chan");
    form->DeleteTabs("#CHAN");
    in(":srv 353 me = #chan :me bob");
    in(":srv 366 me #chan :End of /NAMES list.");
    in(":srv 366 me #untracked :End of /NAMES list.");
    EXPECT_EQ(tabs(), Strings{"Система"});
}

// --- modes -----------------------------------------------------------------------------------------------------

struct ModeCase
{
    const char* name;
    const char* names; // the names reply of #chan
    const char* line;
    Strings after;     // the nick list of #CHAN afterwards
    const char* shows; // the line added to #CHAN, or null
};

void PrintTo(const ModeCase& c, std::ostream* os)
{
    *os << c.name;
}

class ModeTable : public MemberEvents, public ::testing::WithParamInterface<ModeCase>
{};

// clang-format off
const ModeCase kModes[] = {
    {"GrantMovesToTheEnd", "me bob carol",  ":op!o@h MODE #chan +o bob",          {"me", "carol", "@bob"}, "^C4<ts>^C3 op[o@h] включил режим +o bob"},
    {"OpAndDevoice",       "me alice +bob", ":op!o@h MODE #chan +o-v alice bob",  {"me", "bob", "@alice"}, "^C4<ts>^C3 op[o@h] включил режим +o-v alice bob"},
    {"BanChangesNoEntry",  "me bob",        ":op!o@h MODE #chan +b *!*@bad.host", {"me", "bob"},           "^C4<ts>^C3 op[o@h] включил режим +b *!*@bad.host"},
    {"OnlySecondListed",   "me bob",        ":op!o@h MODE #chan +ov ghost bob",   {"me", "+bob"},          "^C4<ts>^C3 op[o@h] включил режим +ov ghost bob"},
    {"DeopOfVoiced",       "me +bob",       ":op!o@h MODE #chan -o bob",          {"me", "+bob"},          "^C4<ts>^C3 op[o@h] включил режим -o bob"},
    {"DeopOfOperator",     "me @bob carol", ":op!o@h MODE #chan -o bob",          {"me", "bob", "carol"},  "^C4<ts>^C3 op[o@h] включил режим -o bob"},
    {"VoiceUnderOperator", "me @bob carol", ":op!o@h MODE #chan +v bob",          {"me", "@bob", "carol"}, "^C4<ts>^C3 op[o@h] включил режим +v bob"},
    {"OperatorOverVoice",  "me +bob carol", ":op!o@h MODE #chan +o bob",          {"me", "carol", "@bob"}, "^C4<ts>^C3 op[o@h] включил режим +o bob"},
    {"OwnerOverOperator",  "me @bob carol", ":op!o@h MODE #chan +q bob",          {"me", "carol", "~bob"}, "^C4<ts>^C3 op[o@h] включил режим +q bob"},
    {"SameGrantAgain",     "me @bob carol", ":op!o@h MODE #chan +o bob",          {"me", "@bob", "carol"}, "^C4<ts>^C3 op[o@h] включил режим +o bob"},
    {"HalfOpAndVoiceTaken","me carol",      ":op!o@h MODE #chan +h-v carol carol",{"me", "%carol"},        "^C4<ts>^C3 op[o@h] включил режим +h-v carol carol"},
    {"NickAsWritten",      "me bob",        ":op!o@h MODE #chan +o BOB",          {"me", "@BOB"},          "^C4<ts>^C3 op[o@h] включил режим +o BOB"},
    {"LetterWithoutSign",  "me bob",        ":op!o@h MODE #chan o bob",           {"me", "bob"},           "^C4<ts>^C3 op[o@h] включил режим o bob"},
    {"KeyAndLimit",        "me bob",        ":op!o@h MODE #chan +kl bob 10",      {"me", "bob"},           "^C4<ts>^C3 op[o@h] включил режим +kl bob 10"},
    {"ServerSetsAMode",    "me bob",        ":irc.test MODE #chan +o bob",        {"me", "@bob"},          "^C4<ts>^C3 [irc.test] включил режим +o bob"},
    {"ModeratedAlone",     "me bob",        ":op!o@h MODE #chan +m",              {"me", "bob"},           "^C4<ts> ^C15Режимы канала +m^C"},
    {"OneCharacter",       "me bob",        ":op!o@h MODE #chan +",               {"me", "bob"},           nullptr},
    {"QueryAnswer",        "me bob",        ":srv 324 me #chan +nt",              {"me", "bob"},           "^C4<ts> ^C15Режимы канала +nt^C"},
    {"QueryAnswerEmpty",   "me bob",        ":srv 324 me #chan +",                {"me", "bob"},           nullptr},
    {"QueryAnswerWithKey", "me bob",        ":srv 324 me #chan +ntkl secret 10",  {"me", "bob"},           "^C4<ts> ^C15Режимы канала +ntkl secret 10^C"},
};
// clang-format on

TEST_P(ModeTable, ChangesTheListAndShowsTheLine)
{
    const ModeCase& c = GetParam();
    joinWithNames("#chan", c.names);
    activate("#CHAN");
    ASSERT_FALSE(form->Timer1.isActive());
    in(c.line);
    EXPECT_EQ(entries("#CHAN"), c.after);
    Strings want{kJoinChan};
    if (c.shows)
        want.push_back(c.shows);
    expectWindow("#CHAN", want);
    EXPECT_TRUE(form->Timer1.isActive()) << "the nick list box is refreshed later";
    EXPECT_EQ(tabs(), (Strings{"Система", "#CHAN"}));
}

INSTANTIATE_TEST_SUITE_P(Mode, ModeTable, ::testing::ValuesIn(kModes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MemberEvents, TheDelayedRefreshShowsTheChangedList)
{
    joinWithNames("#chan", "me bob");
    activate("#CHAN");
    in(":op!o@h MODE #chan +v bob");
    EXPECT_EQ(box(), (Strings{"bob", "me"}));
    QElapsedTimer t;
    t.start();
    while (form->Timer1.isActive() && t.elapsed() < 3000)
        QTest::qWait(20);
    EXPECT_GE(t.elapsed(), 400);
    EXPECT_EQ(box(), (Strings{"+bob", "me"}));
}

struct FakeChannelSettings : ChannelSettingsLink
{
    bool isShowing() const override { return true; }
    void topicLoaded(const std::string&) override {}
};

TEST_F(MemberEvents, ModesWhileTheSettingsDialogShows)
{
    FakeChannelSettings dialog;
    form->setChannelSettings(&dialog);
    joinWithNames("#chan", "me bob");
    in(":srv 324 me #chan +nt");
    in(":srv 324 me #chan +ntk secret");
    in(":op!o@h MODE #chan +m");
    in(":op!o@h MODE #chan +o bob");
    expectWindow("#CHAN", {kJoinChan, "^C4<ts>^C3 op[o@h] включил режим +o bob"});
    EXPECT_EQ(entries("#CHAN"), (Strings{"me", "@bob"}));
    form->setChannelSettings(nullptr);
}

TEST_F(MemberEvents, ModeForAChannelWithoutWindowOpensItAndChangesNoList)
{
    joinWithNames("#chan", "me bob");
    form->DeleteTabs("#CHAN");
    in(":op!o@h MODE #chan +o bob");
    in(":op!o@h MODE #untracked +o bob"); // no channel record: nothing
    EXPECT_EQ(tabs(), (Strings{"Система", "#CHAN"}));
    EXPECT_TRUE(entries("#CHAN").empty());
    expectWindow("#CHAN", {"^C4<ts>^C3 op[o@h] включил режим +o bob"});
}

TEST_F(MemberEvents, AnswerToOurJoinModeQuery)
{
    in(":me!ident@127.0.0.1 JOIN :#chan");
    ASSERT_TRUE(server.waitFor("MODE #chan \r\n", pump()));
    in(":srv 324 me #chan +tn");
    expectWindow("#CHAN", {kJoinChan, "^C4<ts> ^C15Режимы канала +tn^C"});
}

// --- nick changes ----------------------------------------------------------------------------------------------

TEST_F(MemberEvents, NickChangeAcrossTwoChannelsAndAPrivateWindow)
{
    joinWithNames("#a", "me @bob carol");
    joinWithNames("#b", "me +bob");
    in(":bob!b@h PRIVMSG me :hi");
    activate("#A");
    in(":bob!b@h NICK :Бобби");
    const std::string line = "^C4<ts>^C ^C2bob [b@h]  теперь известен как Бобби^C";
    EXPECT_EQ(entries("#A"), (Strings{"me", "@Бобби", "carol"}));
    EXPECT_EQ(entries("#B"), (Strings{"me", "+Бобби"}));
    EXPECT_EQ(box(), (Strings{"@Бобби", "carol", "me"}));
    EXPECT_EQ(tabs(), (Strings{"Система", "#A", "#B", "БОББИ"}));
    expectWindow("#A", {kJoinA, line});
    expectWindow("#B", {"^C4<ts>^C ^C14me [ident@127.0.0.1] зашел на #b^C", line});
    expectWindow("БОББИ", {"^C4<ts> ^C14^B<^C9bob^C14>^B^C1 hi", line});
    EXPECT_EQ(shown(kSystem).size(), 4u) << dump(kSystem);
    // All three entries of the private window carry the new name; the old one is gone.
    const WindowRegistry& r = form->registry();
    const int v = r.IndexOf(text::fromUtf8("бобби"), WindowRegistry::Kind::View);
    ASSERT_GE(v, 0);
    EXPECT_EQ(r.nameAt(v + 1), text::fromUtf8("БОББИ_Tabs"));
    EXPECT_EQ(r.nameAt(v + 2), text::fromUtf8("БОББИ_List"));
    EXPECT_EQ(r.IndexOf("bob", WindowRegistry::Kind::View), -1);
    // The next message of the renamed user finds the renamed window.
    in(":Бобби!b@h PRIVMSG me :again");
    EXPECT_EQ(form->sPageControl1->count(), 4);
    EXPECT_EQ(shown("БОББИ").size(), 3u);
}

TEST_F(MemberEvents, NickListedTwiceIsRenamedInEveryForm)
{
    joinWithNames("#a", "me bob");
    in(":op!o@h MODE #a +v bob"); // "+bob" at the end
    form->AddNick("#a", "bob");   // and a bare entry again
    in(":bob!b@h NICK :rob");
    EXPECT_EQ(entries("#A"), (Strings{"me", "+rob", "rob"}));
    EXPECT_EQ(shown("#A").size(), 4u) << dump("#A"); // join, mode, one line per renamed entry
}

TEST_F(MemberEvents, OwnNickChange)
{
    joinWithNames("#a", "me @bob");
    joinWithNames("#b", "@me bob");
    in(":bob!b@h PRIVMSG me :hi");
    in(":me!ident@127.0.0.1 NICK :me2");
    EXPECT_EQ(form->IdIRC1.Nick(), "me2");
    const std::string line = "^C4<ts>^C ^C2me теперь известен как me2^C";
    EXPECT_EQ(entries("#A"), (Strings{"me2", "@bob"}));
    EXPECT_EQ(entries("#B"), (Strings{"@me2", "bob"}));
    expectWindow("#A", {kJoinA, line});
    EXPECT_EQ(shown("#B").size(), 2u);
    EXPECT_EQ(shown("bob").size(), 1u);
    EXPECT_EQ(shown(kSystem).size(), 4u);
}

// --- kicks -----------------------------------------------------------------------------------------------------

TEST_F(MemberEvents, SomeoneElseKicked)
{
    // Listed by the names reply, bob has a lasting record, whose address his message fills in.
    joinWithNames("#a", "me @op bob");
    in(":bob!b@h PRIVMSG #a :hi");
    in(":op!o@h KICK #a bob :flood");
    in(":op!o@h KICK #untracked bob :x");
    EXPECT_EQ(entries("#A"), (Strings{"me", "@op"}));
    expectWindow("#A",
                 {kJoinA, "^C4<ts> ^C14^B<^C9bob^C14>^B^C1 hi", "^C4<ts>^C ^C4op кикнул bob [b@h] по причине: flood"});
    EXPECT_TRUE(form->Timer1.isActive());
    EXPECT_EQ(tabs(), (Strings{"Система", "#A"}));
}

TEST_F(MemberEvents, BeingKickedClosesTheWindow)
{
    joinWithNames("#a", "me @op");
    joinWithNames("#b", "me");
    activate("#A");
    in(":op!o@h KICK #a me :bye now");
    EXPECT_EQ(tabs(), (Strings{"Система", "#B"}));
    EXPECT_EQ(form->FindUserList("#A"), -1);
    expectWindow(kSystem, {"^C4<ts>^C ^C12-> NICK me", "^C4<ts>^C ^C12-> USER ident 127.0.0.1 127.0.0.1 :Real Name",
                           "^C4<ts>^C ^C12-> MODE #a ", "^C4<ts>^C ^C12-> MODE #b ",
                           "^C4<ts>^C ^C4op кикнул вас с канала #a по причине: bye now"});
    expectWindow("#B", {"^C4<ts>^C ^C14me [ident@127.0.0.1] зашел на #b^C"});
    EXPECT_EQ(entries("#B"), Strings{"me"});
}

// --- sent lines and the automatic join -------------------------------------------------------------------------

TEST_F(MemberEvents, UserCountReplyJoinsTheAutoJoinChannel)
{
    server.send(":srv 001 me :Welcome\r\n:srv 251 me :There are 1 users\r\n:srv 255 me :I have 1 clients\r\n");
    ASSERT_TRUE(server.waitFor("JOIN #Dawnhall\r\n", pump()));
    EXPECT_TRUE(form->Timer1.isActive());
    // What the server answers opens the channel, shows the topic and the modes, and fills the list box once the
    // delayed refresh has run.
    server.send(":me!ident@127.0.0.1 JOIN :#Dawnhall\r\n:srv 332 me #Dawnhall :Welcome home\r\n"
                ":srv 353 me = #Dawnhall :me @Ann +Bob\r\n:srv 366 me #Dawnhall :End of /NAMES list.\r\n");
    ASSERT_TRUE(server.waitFor("MODE #Dawnhall \r\n", pump()));
    server.send(":srv 324 me #Dawnhall +nt\r\n");
    QElapsedTimer t;
    t.start();
    while (shown("#DAWNHALL").size() < 3 && t.elapsed() < 3000)
        QTest::qWait(10);
    expectWindow("#DAWNHALL", {"^C4<ts>^C ^C14me [ident@127.0.0.1] зашел на #Dawnhall^C",
                               "^C4<ts>^C ^C3Тема канала: Welcome home^C", "^C4<ts> ^C15Режимы канала +nt^C"});
    activate("#DAWNHALL");
    EXPECT_EQ(box().size(), 3u);
    // The welcome line is shown, the user counts are not.
    expectWindow(kSystem,
                 {"^C4<ts>^C ^C12-> NICK me", "^C4<ts>^C ^C12-> USER ident 127.0.0.1 127.0.0.1 :Real Name",
                  "^C4<ts>^C ^C2Welcome", "^C4<ts>^C ^C12-> JOIN #Dawnhall", "^C4<ts>^C ^C12-> MODE #Dawnhall "});
}

class EmptyAutoJoin : public TrafficFixture
{
    void beforeCreate() override { setStored("AJoin", ""); }
};

TEST_F(EmptyAutoJoin, SendsABareJoin)
{
    server.send(":srv 255 me :I have 1 clients\r\n");
    ASSERT_TRUE(server.waitFor("\r\nJOIN \r\n", pump()));
    EXPECT_EQ(shown(kSystem).back(), "<ts> -> JOIN ");
    in(":srv 254 me 3 :channels formed");
    in(":srv 256 me :admin");
    // The count shows nothing; the administrative line shows everything after our nick.
    EXPECT_EQ(shown(kSystem).size(), 4u);
    EXPECT_EQ(shown(kSystem).back(), "<ts> :admin");
}

class Password : public TrafficFixture
{
    void beforeConnect() override { form->IdIRC1.Password = "s3cret-password"; }
};

TEST_F(Password, RegistrationEchoHidesThePassword)
{
    EXPECT_NE(server.received().find("PASS s3cret-password\r\n"), std::string::npos);
    expectWindow(kSystem, {"^C4<ts>^C ^C12-> PASS ******", "^C4<ts>^C ^C12-> NICK me",
                           "^C4<ts>^C ^C12-> USER ident 127.0.0.1 127.0.0.1 :Real Name"});
    form->IdIRC1.SendRaw("pass x");
    form->IdIRC1.SendRaw("PASSWORD is not a PASS line");
    EXPECT_EQ(shown(kSystem)[3], "<ts> -> PASS ******");
    EXPECT_EQ(shown(kSystem)[4], "<ts> -> PASSWORD is not a PASS line");
}

TEST_F(MemberEvents, MissingRecordsChangeNothing)
{
    joinWithNames("#a", "me bob");
    TIdIRC* irc = &form->IdIRC1;
    form->IdIRC1Names(irc, nullptr, nullptr);
    form->IdIRC1Names(irc, &irc->Users(), nullptr);
    form->IdIRC1ChannelMode(irc, nullptr, nullptr, "#a", "+o bob");
    form->IdIRC1Kick(irc, nullptr, nullptr, nullptr);
    form->IdIRC1Kicked(irc, nullptr, nullptr);
    form->IdIRC1NickChange(irc, nullptr, "x");
    bool suppress = false;
    form->IdIRC1Raw(irc, nullptr, "PRIVMSG", "#a :from nobody", suppress);
    EXPECT_FALSE(suppress);
    EXPECT_EQ(entries("#A"), (Strings{"me", "bob"}));
    EXPECT_EQ(tabs(), (Strings{"Система", "#A"}));
    EXPECT_EQ(shown("#A").size(), 2u) << "a message without a sender record is still shown, with an empty nick";
}

} // namespace
} // namespace morva::test

namespace morva::test {
namespace {

// A long channel in a shown window: refreshes of its nick list box keep the user's place and selection.
class NickBoxRefresh : public TrafficFixture
{
protected:
    void SetUp() override
    {
        TrafficFixture::SetUp();
        if (HasFatalFailure())
            return;
        // 300 members in 353 lines of 50 (a line is at most 512 bytes).
        in(":me!ident@127.0.0.1 JOIN :#big");
        for (int line = 0; line < 6; ++line) {
            std::string names;
            for (int i = 0; i < 50; ++i)
                names += "n" + std::to_string(1000 + line * 50 + i) + " ";
            in(":srv 353 me = #big :" + names);
        }
        in(":srv 366 me #big :End of /NAMES list.");
        joinWithNames("#small", "a b");
        form->resize(900, 600);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        activate("#BIG");
        form->sPageControl1Change();
    }
    QListWidget* box() const { return form->sListBox1; }
    QString topEntry() const { return box()->itemAt(1, 1) ? box()->itemAt(1, 1)->text() : QString(); }
    QString selectedEntry() const
    {
        const QList<QListWidgetItem*> s = box()->selectedItems();
        return s.isEmpty() ? QString() : s.front()->text();
    }
    void scrollTo(const char* entry)
    {
        const auto found = box()->findItems(QString::fromLatin1(entry), Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << entry;
        box()->scrollToItem(found.front(), QAbstractItemView::PositionAtTop);
    }
    void pick(const char* entry)
    {
        const auto found = box()->findItems(QString::fromLatin1(entry), Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << entry;
        // As a click would: the box stays where it is.
        const int value = box()->verticalScrollBar()->value();
        box()->setCurrentItem(found.front());
        box()->verticalScrollBar()->setValue(value);
    }
};

TEST_F(NickBoxRefresh, KeepsTheTopEntryAndTheSelectionOfTheSameList)
{
    scrollTo("n1100");
    ASSERT_EQ(topEntry(), QStringLiteral("n1100"));
    struct Step
    {
        const char* what;
        const char* pickFirst;
        const char* line;
        int count;
        const char* selectedAfter; // "": nothing selected
    };
    const Step steps[] = {
        {"a join sorting above", "n1120", ":n0000!u@h JOIN :#big", 301, "n1120"},
        {"a part above", "n1120", ":n1001!u@h PART #big", 300, "n1120"},
        // The selection follows the member to its new entry.
        {"a mode of the selected member", "n1120", ":srv MODE #big +v n1120", 300, "+n1120"},
        // A new nick is another member as far as the box can tell.
        {"a nick change of the selected member", "+n1120", ":n1120!u@h NICK :n1121x", 300, ""},
        {"the selected member leaves", "+n1121x", ":n1121x!u@h PART #big", 299, ""},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        pick(s.pickFirst);
        in(s.line);
        form->Timer1Timer();
        ASSERT_EQ(box()->count(), s.count);
        EXPECT_EQ(topEntry(), QStringLiteral("n1100"));
        EXPECT_EQ(selectedEntry(), QString::fromLatin1(s.selectedAfter));
    }
    // The top entry itself changes (it moves to the voiced entries): the box keeps its scroll position.
    const int value = box()->verticalScrollBar()->value();
    in(":srv MODE #big +v n1100");
    form->Timer1Timer();
    EXPECT_EQ(box()->verticalScrollBar()->value(), value);
    EXPECT_NE(topEntry(), QStringLiteral("+n1100"));
}

TEST_F(NickBoxRefresh, AtTheTopANewFirstEntryIsShownAndATabChangeStartsAtTheTop)
{
    ASSERT_EQ(box()->verticalScrollBar()->value(), 0);
    in(":a0000!u@h JOIN :#big");
    form->Timer1Timer();
    EXPECT_EQ(topEntry(), QStringLiteral("a0000"));
    scrollTo("n1200");
    pick("n1210");
    activate("#SMALL");
    activate("#BIG");
    EXPECT_EQ(box()->verticalScrollBar()->value(), 0);
    EXPECT_EQ(selectedEntry(), QString());
}

} // namespace
} // namespace morva::test
