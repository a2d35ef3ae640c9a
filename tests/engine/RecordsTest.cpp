// User and channel records: references, lookups, member flags and the update notifications.
#include "engine/TIdIRC.h"
#include "tests/support/LoopHost.h"
#include "tools/EventPrinter.h"

#include <gtest/gtest.h>

using namespace morva;

namespace {

class Records : public ::testing::Test
{
protected:
    Records()
    {
        irc.OnChannelUpdate = [this](TIdIRCChannel* c, TIdIRCChannelUpdateType t, TIdIRCUser* u, int info) {
            log.push_back(c->Name() + " " + updateTypeName(t) + " " + probe::userText(u) + " " + std::to_string(info));
        };
    }

    std::string members(const TIdIRCChannel* c) const
    {
        std::string s;
        for (int i = 0; i < c->NamesCount(); ++i)
            s += (i ? " " : "") + c->NameAt(i) + ":" + std::to_string(c->FlagsAt(i));
        return s;
    }

    test::LoopHost host;
    TIdIRC irc{host};
    std::vector<std::string> log;
};

} // namespace

TEST_F(Records, UserReferencesAndRelease)
{
    TIdIRCUsers& users = irc.Users();
    TIdIRCUser* a = users.Add("abc", "u@h");
    EXPECT_EQ(users.Add("ABC", ""), a); // found without regard to case, empty address keeps the old one
    EXPECT_EQ(a->Address(), "u@h");
    EXPECT_EQ(users.Add("Abc", "v@h"), a);
    EXPECT_EQ(a->Address(), "v@h");
    EXPECT_EQ(a->RefCount(), 3);
    EXPECT_EQ(users.FindUser("aBC"), a);
    EXPECT_EQ(users.Find("ABC"), 0);
    EXPECT_EQ(users.FindUser("nobody"), nullptr);
    EXPECT_EQ(users.Find("nobody"), -1);
    users.Release(a);
    users.Release(a);
    EXPECT_EQ(users.Count(), 1);
    users.Release(a);
    EXPECT_EQ(users.Count(), 0);
}

TEST_F(Records, CyrillicNicksAreFoundWithoutRegardToCase)
{
    TIdIRCUser* u = irc.Users().Add("\xC2\xE0\xF1\xFF", ""); // Вася
    EXPECT_EQ(irc.Users().FindUser("\xE2\xC0\xD1\xDF"), u);  // вАСЯ
}

TEST_F(Records, FirstMatchWinsInCreationOrderAfterARename)
{
    TIdIRCUsers& users = irc.Users();
    TIdIRCUser* a = users.Add("a", "");
    TIdIRCUser* b = users.Add("b", "");
    users.Rename(b, "A"); // a NICK onto a nick that a record already has
    EXPECT_EQ(users.FindUser("a"), a);
    users.Release(b); // not the record its nick finds: it stays
    EXPECT_EQ(users.Count(), 2);
    users.Release(a);
    EXPECT_EQ(users.FindUser("a"), b);
    EXPECT_EQ(users.Count(), 1);
}

TEST_F(Records, NamesWordsAndTheirFlags)
{
    struct Case
    {
        const char* word;
        const char* stored;
    };
    const Case cases[] = {{"@a", "a:1"},  {"+b", "b:2"},  {"c", "c:0"},   {"@+x", "+x:1"},
                          {"@y+", "y:3"}, {"%z", "%z:0"}, {"~q", "~q:0"}, {"@", ":1"}};
    for (const Case& c : cases) {
        TIdIRCChannel* ch = irc.Channels().Add("#t");
        ch->AddMember(c.word, "");
        EXPECT_EQ(members(ch), c.stored) << c.word;
    }
    EXPECT_TRUE(log.empty()); // names words notify nothing by themselves
}

TEST_F(Records, ASecondNamesReplyAddsOnlyNewNicksAndKeepsFlags)
{
    TIdIRCChannel* ch = irc.Channels().Add("#c");
    ch->AddMember("@a", "");
    ch->AddMember("b", "");
    ch->AddMember("A", "");
    ch->AddMember("+b", "");
    ch->AddMember("c", "");
    EXPECT_EQ(members(ch), "a:1 b:0 c:0");
    EXPECT_EQ(irc.Users().Count(), 3);
    EXPECT_EQ(irc.Users().FindUser("a")->RefCount(), 1);
}

TEST_F(Records, MemberChangesNotifyWithTheEntry)
{
    TIdIRCChannel* ch = irc.Channels().Add("#c");
    ch->AddMember("@a", "");
    ch->AddMember("b", "");
    TIdIRCUser* b = irc.Users().FindUser("b");
    TIdIRCUser* x = irc.Users().Add("x", "x@h");
    ch->Joined(x);
    ch->Joined(x); // already there
    ch->GiveVoice(b);
    ch->GiveOp(b);
    ch->TakeVoice(b);
    ch->ChangedNick(b, "B2");
    ch->Parted(x);
    ch->Kicked(x); // gone already
    ch->Quit(irc.Users().FindUser("a"));
    ch->Joined(nullptr);
    ch->GiveOp(nullptr);
    const std::vector<std::string> expected = {
        "#c cuJoin x!x@h 2", "#c cuUser b! 2",    "#c cuUser b! 3", "#c cuUser b! 1",
        "#c cuNick b! 1",    "#c cuPart x!x@h 2", "#c cuQuit a! 0",
    };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(members(ch), "B2:1");
}

TEST_F(Records, ValuesNotifyEvenWhenUnchangedButTheModeSetOnlyWhenChanged)
{
    TIdIRCChannel* ch = irc.Channels().Add("#c");
    ch->SetTopic("t");
    ch->SetTopic("t");
    ch->SetKey("k");
    ch->SetLimit(5);
    ch->SetMode(cmKey | cmLimit);
    ch->SetMode(cmKey | cmLimit);
    const std::vector<std::string> expected = {"#c cuTopic - 0", "#c cuTopic - 0", "#c cuMode - 0", "#c cuMode - 0",
                                               "#c cuMode - 0"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(ch->Mode(), 192);
    EXPECT_EQ(ch->Key(), "k");
    EXPECT_EQ(ch->Limit(), 5);
}

TEST_F(Records, ChannelsTakeTheUpdateHandlerAtCreation)
{
    TIdIRCChannel* early = irc.Channels().Add("#early");
    irc.OnChannelUpdate = nullptr;
    TIdIRCChannel* late = irc.Channels().Add("#late");
    early->SetTopic("a");
    late->SetTopic("b");
    EXPECT_EQ(log, std::vector<std::string>{"#early cuTopic - 0"});
}

TEST_F(Records, ChannelCollectionReplacesAndFindsWithoutRegardToCase)
{
    TIdIRCChannels& chans = irc.Channels();
    TIdIRCChannel* c = chans.Add("#Chan");
    c->SetTopic("old");
    chans.Add("#other");
    TIdIRCChannel* again = chans.Add("#CHAN");
    EXPECT_EQ(chans.Count(), 2);
    EXPECT_EQ(chans.Get("#chan"), again);
    EXPECT_EQ(again->Topic(), "");
    EXPECT_EQ(chans.Find("#other"), 0);
    chans.Remove("#OTHER");
    EXPECT_EQ(chans.Count(), 1);
    EXPECT_EQ(chans.Get("#none"), nullptr);
}

TEST_F(Records, WalksOverEveryChannel)
{
    TIdIRCChannel* c1 = irc.Channels().Add("#1");
    TIdIRCChannel* c2 = irc.Channels().Add("#2");
    c1->AddMember("+n", "");
    c2->AddMember("n", "");
    TIdIRCUser* n = irc.Users().FindUser("n");
    irc.Channels().ChangedNick(n, "m");
    EXPECT_EQ(members(c1), "m:2");
    EXPECT_EQ(members(c2), "m:0");
    irc.Channels().Quit(n); // n's record still says "n": nobody named n is left
    EXPECT_EQ(c1->NamesCount(), 1);
    irc.Users().Rename(n, "m");
    irc.Channels().Quit(n);
    EXPECT_EQ(c1->NamesCount() + c2->NamesCount(), 0);
}
