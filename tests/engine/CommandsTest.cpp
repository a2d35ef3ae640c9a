// Outgoing commands: the exact line of every send operation, OnSend, and the identity properties.
#include "tests/engine/EngineFixture.h"

using namespace morva;
using namespace morva::test;

namespace {

struct SendCase
{
    const char* name;
    std::function<void(TIdIRC&)> call;
    const char* wire;
};

// Names the row in test listings instead of dumping its bytes.
void PrintTo(const SendCase& c, std::ostream* os)
{
    *os << c.name;
}

// clang-format off
const SendCase kSendCases[] = {
    {"Raw",              [](TIdIRC& i) { i.SendRaw("WHOIS bob"); },                  "WHOIS bob"},
    {"Privmsg",          [](TIdIRC& i) { i.SendPrivmsg("#c", "hi there"); },         "PRIVMSG #c :hi there"},
    {"Notice",           [](TIdIRC& i) { i.SendNotice("bob", "psst"); },             "NOTICE bob :psst"},
    {"CtcpQueryUpper",   [](TIdIRC& i) { i.SendCtcpQuery("bob", "version", ""); },   "PRIVMSG bob :\x01VERSION \x01"},
    {"CtcpQueryArgs",    [](TIdIRC& i) { i.SendCtcpQuery("bob", "ping", "123"); },   "PRIVMSG bob :\x01PING 123\x01"},
    {"Action",           [](TIdIRC& i) { i.SendAction("#c", "waves"); },             "PRIVMSG #c :\x01" "ACTION waves\x01"},
    {"CtcpReplyKeeps",   [](TIdIRC& i) { i.SendCtcpReply("bob", "version", "v1"); }, "NOTICE bob :\x01version v1\x01"},
    {"JoinNoKey",        [](TIdIRC& i) { i.SendJoin("#c"); },                        "JOIN #c"},
    {"JoinKey",          [](TIdIRC& i) { i.SendJoin("#c", "pw"); },                  "JOIN #c pw"},
    {"PartNoReason",     [](TIdIRC& i) { i.SendPart("#c"); },                        "PART #c"},
    {"PartReason",       [](TIdIRC& i) { i.SendPart("#c", "bye all"); },             "PART #c :bye all"},
    {"KickEmptyReason",  [](TIdIRC& i) { i.SendKick("#c", "bob", ""); },             "KICK #c bob :"},
    {"KickReason",       [](TIdIRC& i) { i.SendKick("#c", "bob", "flood"); },        "KICK #c bob :flood"},
    {"ModeParams",       [](TIdIRC& i) { i.SendMode("#c", "+o", "bob"); },           "MODE #c +o bob"},
    {"ModeEmpty",        [](TIdIRC& i) { i.SendMode("#c", "", ""); },                "MODE #c "},
    {"Topic",            [](TIdIRC& i) { i.SendTopic("#c", "new topic"); },          "TOPIC #c :new topic"},
    {"Cyrillic",         [](TIdIRC& i) { i.SendPrivmsg("#\xCA\xE0\xED\xE0\xEB", "\xcf\xf0\xe8\xe2\xe5\xf2"); },
                                                                                     "PRIVMSG #\xCA\xE0\xED\xE0\xEB :\xcf\xf0\xe8\xe2\xe5\xf2"},
};
// clang-format on

class Sends : public EngineFixture, public ::testing::WithParamInterface<SendCase>
{};

} // namespace

TEST_P(Sends, WritesTheLineWithOneCrLfAndReportsIt)
{
    connect();
    const std::string before = server.received();
    events.clear();
    GetParam().call(irc);
    const std::string wire = GetParam().wire;
    ASSERT_TRUE(server.waitFor(wire + "\r\n", pump()));
    EXPECT_EQ(server.received().substr(before.size()), wire + "\r\n");
    ASSERT_EQ(events.size(), 1u) << dump();
    EXPECT_EQ(events[0], "OnSend\t" + probe::escape(wire));
}

INSTANTIATE_TEST_SUITE_P(Engine, Sends, ::testing::ValuesIn(kSendCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineFixture, SendingWithoutAConnectionReportsAnErrorAndWritesNothing)
{
    irc.SendPrivmsg("#c", "hi");
    const std::vector<std::string> expected = {"OnError\t-\t\tNot connected to server."};
    EXPECT_EQ(events, expected);
    EXPECT_THROW(irc.WriteLine("x"), EIdNotConnected);
}

TEST_F(EngineFixture, NickPropertyWhileDisconnectedAndConnected)
{
    irc.SetNick("first");
    EXPECT_EQ(irc.Nick(), "first");
    connect();
    EXPECT_EQ(irc.Nick(), "first");
    irc.SetNick("second");
    ASSERT_TRUE(server.waitFor("NICK second\r\n", pump()));
    EXPECT_EQ(irc.Nick(), "first"); // until the server confirms
}

TEST_F(EngineFixture, UserModeIsStoredOnlyWhileDisconnected)
{
    irc.SetUserMode(umInvisible);
    EXPECT_EQ(irc.UserMode(), umInvisible);
    connect();
    irc.SetUserMode(umWallops);
    EXPECT_EQ(irc.UserMode(), umInvisible);
    EXPECT_EQ(server.received().find("MODE"), std::string::npos);
}

TEST_F(EngineFixture, IdentityChangesTakeEffectAtTheNextRegistration)
{
    connect();
    irc.Username = "other";
    irc.RealName = "Other Name";
    irc.Password = "pw";
    EXPECT_EQ(server.received(), "NICK me\r\nUSER ident 127.0.0.1 127.0.0.1 :Real Name\r\n");
    irc.CloseConnection();
    const int before = server.connections();
    irc.Connect(10);
    ASSERT_TRUE(waitReconnected(before));
    ASSERT_TRUE(server.waitFor(":Other Name\r\n", pump()));
    EXPECT_EQ(server.received(), "PASS pw\r\nNICK me\r\nUSER other 127.0.0.1 127.0.0.1 :Other Name\r\n");
}
