// Parser behaviour that takes more than one line to show: suppression, the nick retry, CTCP reply limits, list
// batches, record lifetimes and handlers that pull the ground from under the parser.
#include "tests/engine/EngineFixture.h"

using namespace morva;
using namespace morva::test;

namespace {

class Parser : public EngineFixture
{
protected:
    void SetUp() override { connect(); }

    std::string sentSinceConnect()
    {
        host.runFor(20);
        const std::string all = server.received();
        const std::size_t reg = all.find(":Real Name\r\n");
        return all.substr(reg + 12);
    }
};

} // namespace

TEST_F(Parser, SuppressingOnRawStopsEverythingForThatLine)
{
    irc.OnRaw = [](TIdIRC*, TIdIRCUser*, const std::string& cmd, const std::string&, bool& s) { s = cmd == "PING"; };
    irc.InjectLine("PING :abc");
    irc.InjectLine(":me!i@h JOIN #c");
    EXPECT_EQ(only("OnPingPong").size(), 0u);
    EXPECT_TRUE(waitEvent("OnJoined\t#c"));
    EXPECT_EQ(sentSinceConnect(), "MODE #c \r\n");
}

TEST_F(Parser, SuppressingACtcpQueryStopsTheReply)
{
    irc.OnCTCPQuery = [](TIdIRC*, TIdIRCUser*, TIdIRCChannel*, const std::string&, const std::string&, bool& s) {
        s = true;
    };
    irc.InjectLine(":n!u PRIVMSG me :\x01VERSION\x01");
    EXPECT_EQ(sentSinceConnect(), "");
}

TEST_F(Parser, NickRetryDuringRegistration)
{
    irc.AltNick = "alt";
    irc.InjectLine(":srv 433 * me :Nickname is already in use");
    EXPECT_TRUE(server.waitFor("NICK alt\r\n", pump()));
    EXPECT_EQ(irc.Nick(), "alt");
    irc.InjectLine(":srv 433 * alt :Nickname is already in use");
    EXPECT_EQ(irc.State(), TIdIRCState::Disconnected) << dump();
    EXPECT_FALSE(irc.Connected());
}

TEST_F(Parser, NickRetryAsksTheHandlerAndGivesUpWhenItRepeats)
{
    irc.AltNick = "alt";
    int asked = 0;
    irc.OnNicksInUse = [&](TIdIRC*, std::string& n) {
        ++asked;
        if (n == "alt")
            n = "third";
    };
    irc.InjectLine(":srv 433 * me :in use");
    irc.InjectLine(":srv 433 * alt :in use");
    EXPECT_TRUE(server.waitFor("NICK third\r\n", pump()));
    irc.InjectLine(":srv 433 * third :in use"); // the handler has nothing new
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(irc.State(), TIdIRCState::Disconnected);
}

TEST_F(Parser, WelcomeTeachesTheServerNameForTheNextRegistration)
{
    irc.InjectLine(":irc.dawnhall.test 001 me :Welcome");
    EXPECT_EQ(irc.ServerName(), "irc.dawnhall.test");
    irc.CloseConnection();
    const int before = server.connections();
    irc.Connect(10);
    ASSERT_TRUE(waitReconnected(before));
    ASSERT_TRUE(server.waitFor(":Real Name\r\n", pump()));
    EXPECT_EQ(server.received(), "NICK me\r\nUSER ident 127.0.0.1 irc.dawnhall.test :Real Name\r\n");
}

TEST_F(Parser, AutomaticCtcpRepliesAreLimitedButEveryQueryIsReported)
{
    for (int i = 0; i < 50; ++i)
        irc.InjectLine(":n!u PRIVMSG me :\x01" + std::string(i % 2 ? "PING x" : "TIME") + "\x01");
    for (int i = 0; i < 10; ++i)
        irc.InjectLine("PING :s" + std::to_string(i));
    EXPECT_EQ(only("OnCTCPQuery").size(), 50u);
    EXPECT_EQ(only("OnSend\tNOTICE n :").size(), 5u);
    EXPECT_EQ(only("OnSend\tPONG :").size(), 10u);                           // answers to the server are never limited
    EXPECT_EQ(only("OnSend\tNOTICE n :\x01TIME Local time is ").size(), 0u); // escaped in the log
    EXPECT_EQ(only("OnSend\tNOTICE n :\\x01TIME Local time is ").size(), 3u);
}

TEST_F(Parser, CtcpRepliesComeBackWhenTheWindowHasPassed)
{
    irc.CtcpReplyWindowMs = 100;
    for (int i = 0; i < 6; ++i)
        irc.InjectLine(":n!u PRIVMSG me :\x01VERSION\x01");
    EXPECT_EQ(only("OnSend\tNOTICE").size(), 5u);
    host.runFor(150);
    irc.InjectLine(":n!u PRIVMSG me :\x01VERSION\x01");
    EXPECT_EQ(only("OnSend\tNOTICE").size(), 6u);
}

TEST_F(Parser, ListArrivesInBatchesOfForty)
{
    std::vector<std::string> batches;
    irc.OnList = [&](TIdIRC*, const std::vector<std::string>& chans, int pos, bool last) {
        batches.push_back(std::to_string(chans.size()) + "@" + std::to_string(pos) + (last ? " last" : ""));
        if (!chans.empty())
            batches.back() += " " + chans[static_cast<std::size_t>(pos < static_cast<int>(chans.size()) ? pos : 0)];
    };
    irc.InjectLine(":srv 321 me Channel :Users Name");
    for (int i = 0; i < 85; ++i)
        irc.InjectLine(":srv 322 me #c" + std::to_string(i) + " " + std::to_string(i) + " :topic " + std::to_string(i));
    irc.InjectLine(":srv 323 me :End of LIST");
    const std::vector<std::string> expected = {"0@0", "40@0 #c0 0 topic 0", "80@40 #c40 40 topic 40",
                                               "85@80 last #c80 80 topic 80"};
    EXPECT_EQ(batches, expected);
    const std::vector<std::string> sys = only("OnSystem");
    ASSERT_EQ(sys.size(), 2u);
    EXPECT_EQ(sys[0], "OnSystem\t!srv\t321\tLIST\tStart of LIST");
    EXPECT_EQ(sys[1], "OnSystem\t!srv\t323\tLIST\tEnd of LIST");
}

TEST_F(Parser, ListEntriesWithoutAHandlerDoNothing)
{
    irc.OnList = nullptr;
    irc.InjectLine(":srv 322 me #c 1 :t");
    EXPECT_TRUE(only("OnSystem").empty());
    EXPECT_TRUE(only("OnUnknownCommand").empty());
}

TEST_F(Parser, NickChangeIsRaisedBeforeTheRecordChanges)
{
    irc.InjectLine(":me!i@h JOIN #c");
    irc.InjectLine(":srv 353 me = #c :@x");
    std::string nickDuring;
    irc.OnNickChange = [&](TIdIRC*, TIdIRCUser* u, const std::string&) { nickDuring = u->Nick(); };
    irc.InjectLine(":x!u@h NICK y");
    EXPECT_EQ(nickDuring, "x");
    EXPECT_EQ(irc.Users().FindUser("x"), nullptr);
    ASSERT_NE(irc.Users().FindUser("y"), nullptr);
    EXPECT_EQ(probe::channelDump(irc, "#c"), "Channel\t#c\t\t0\t0\t\ty:1");
}

TEST_F(Parser, OwnNickChangeIsReadBack)
{
    irc.InjectLine(":me!i@h NICK newme");
    EXPECT_EQ(irc.Nick(), "newme");
    EXPECT_EQ(only("OnNickChange\t").size(), 0u);
}

TEST_F(Parser, KickOfTheOwnNickCarriesTheReasonAndDropsTheChannel)
{
    irc.InjectLine(":me!i@h JOIN #c");
    std::string reason;
    irc.OnKicked = [&](TIdIRC*, TIdIRCUser* u, TIdIRCChannel* c) {
        reason = u->Reason();
        EXPECT_FALSE(c->Active());
        EXPECT_EQ(c->CloseReason(), 2);
    };
    irc.InjectLine(":k!u@h KICK #c me :bye");
    EXPECT_EQ(reason, "bye");
    EXPECT_EQ(irc.Channels().Get("#c"), nullptr);
}

TEST_F(Parser, TransientSendersLeaveNoRecordsButNamesDo)
{
    irc.InjectLine(":me!i@h JOIN #c");
    irc.InjectLine(":srv 353 me = #c :@a b");
    irc.InjectLine(":late!u@h JOIN #c");
    irc.InjectLine(":late!u@h PRIVMSG #c :hi");
    EXPECT_EQ(probe::usersDump(irc), "Users\tme!i@h\ta!\tb!"); // the own record learns its address
    EXPECT_EQ(irc.Users().FindUser("late"), nullptr);
    EXPECT_EQ(probe::channelDump(irc, "#c"), "Channel\t#c\t\t0\t0\t\ta:1\tb:0\tlate:0");
    irc.InjectLine(":b!u@h PART #c");
    EXPECT_NE(irc.Users().FindUser("b"), nullptr); // kept until the next connect
    EXPECT_EQ(irc.Users().FindUser("b")->Address(), "u@h");
}

TEST_F(Parser, ModeLettersPastTheTokenTableReadEmptyParameters)
{
    irc.InjectLine(":me!i@h JOIN #c");
    std::string many = ":op!u MODE #c +" + std::string(40, 'o');
    for (int i = 0; i < 27; ++i)
        many += " n" + std::to_string(i);
    irc.InjectLine(many);
    EXPECT_EQ(only("OnOp").size(), 40u);
    irc.InjectLine(":op!u MODE #c +kl");
    EXPECT_EQ(probe::channelDump(irc, "#c"), "Channel\t#c\t\t192\t0\t");
}

TEST_F(Parser, AHandlerThatReconnectsDuringALineLeavesTheParserSound)
{
    irc.InjectLine(":me!i@h JOIN #c");
    irc.InjectLine(":srv 353 me = #c :@a +b");
    irc.OnOp = [&](TIdIRC*, TIdIRCUser*, TIdIRCChannel*, TIdIRCUser*) { irc.Connect(10); };
    irc.InjectLine(":a!u@h MODE #c +ov b b");
    irc.OnOp = nullptr;
    irc.OnRaw = [&](TIdIRC*, TIdIRCUser*, const std::string&, const std::string&, bool&) { irc.Connect(10); };
    irc.InjectLine(":a!u@h KICK #c b :x");
    EXPECT_EQ(irc.Channels().Count(), 0);
}

TEST_F(Parser, ChannelModesAreReadCaseSensitiveAndBitsStayInTheSet)
{
    irc.InjectLine(":me!i@h JOIN #c");
    irc.InjectLine(":op!u MODE #c +psitnmXYZ");
    EXPECT_EQ(irc.Channels().Get("#c")->Mode(), 63);
    irc.InjectLine(":op!u MODE #c -pi");
    EXPECT_EQ(irc.Channels().Get("#c")->Mode(), 2 + 8 + 16 + 32);
    irc.InjectLine(":op!u MODE #c +l notanumber");
    EXPECT_EQ(irc.Channels().Get("#c")->Limit(), 0);
}

TEST_F(Parser, AwayFlagFollowsTheReplies)
{
    irc.InjectLine(":srv 306 me :You have been marked as being away");
    EXPECT_TRUE(irc.Away());
    EXPECT_EQ(probe::stateDump(irc), "State\tRegistering\tme\t1\t");
    irc.InjectLine(":srv 305 me :You are no longer marked as being away");
    EXPECT_FALSE(irc.Away());
}

TEST_F(Parser, UserModesAccumulate)
{
    irc.InjectLine(":me MODE me :+iwsx");
    EXPECT_EQ(probe::userModeLetters(irc.UserMode()), "isw");
    events.clear();
    irc.InjectLine(":me MODE me :+i");
    EXPECT_TRUE(only("OnUserModeChanged").empty());
    irc.InjectLine(":me MODE me :-s+o");
    EXPECT_EQ(probe::userModeLetters(irc.UserMode()), "iow");
}

TEST_F(Parser, ALineEndInsideACtcpQueryCannotInjectACommand)
{
    // A lone CR is text when received, and a CTCP PING reply carries the query's arguments back.
    irc.InjectLine(":n!u PRIVMSG me :\x01PING 1\rPRIVMSG #victim :spam\x01");
    ASSERT_TRUE(server.waitFor("spam\x01\r\n", pump()));
    EXPECT_EQ(sentSinceConnect(), "NOTICE n :\x01PING 1 PRIVMSG #victim :spam\x01\r\n");
    EXPECT_EQ(only("OnSend").back(), "OnSend\tNOTICE n :\\x01PING 1 PRIVMSG #victim :spam\\x01");
    irc.WriteLine(std::string("A\nB\0C", 5));
    ASSERT_TRUE(server.waitFor("A B C\r\n", pump()));
}
