// The main window on a real ngircd, with a second engine as the other user: the auto-join, messages both ways, an
// action, a private message, a nick change, operator given and taken, a kick and a quit, each checked in the
// windows and the nick list.
#include "TrafficFixture.h"
#include "tests/support/Ngircd.h"

#include <algorithm>
#include <functional>

#include <QElapsedTimer>

namespace morva::test {
namespace {

using Strings = std::vector<std::string>;

class NgircdForm : public FormFixture
{
protected:
    void SetUp() override
    {
        if (!Ngircd::available())
            GTEST_SKIP() << "ngircd is not installed";
        FormFixture::SetUp();
        ASSERT_TRUE(server.ok()) << "ngircd did not start";
    }

    // Waits (running the event loop) until pred holds; false after ms.
    static bool until(const std::function<bool()>& pred, int ms = 5000)
    {
        QElapsedTimer t;
        t.start();
        while (!pred()) {
            if (t.elapsed() > ms)
                return false;
            QTest::qWait(10);
        }
        return true;
    }

    TIRCMemo* view(std::string_view utf8Name) const
    {
        const WindowRegistry& r = form->registry();
        return r.viewAt(r.IndexOf(text::fromUtf8(utf8Name), WindowRegistry::Kind::View));
    }
    Strings shown(std::string_view utf8Name) const
    {
        Strings out;
        const TIRCMemo* v = view(utf8Name);
        for (int i = 0; v && i < v->lineCount(); ++i)
            out.push_back(text::toUtf8(v->lineText(i)).substr(std::min<std::size_t>(9, v->lineText(i).size())));
        return out;
    }
    bool shows(std::string_view utf8Name, const std::string& line) const
    {
        const Strings s = shown(utf8Name);
        return std::find(s.begin(), s.end(), line) != s.end();
    }
    Strings entries(std::string_view utf8Name) const
    {
        Strings out;
        const WindowRegistry& r = form->registry();
        if (const NickList* l = r.listAt(r.IndexOf(text::fromUtf8(utf8Name) + "_List", WindowRegistry::Kind::List)))
            for (const std::string& e : l->entries())
                out.push_back(text::toUtf8(e));
        return out;
    }
    std::string dump(std::string_view utf8Name) const
    {
        std::string s;
        for (const std::string& l : shown(utf8Name))
            s += "  " + l + "\n";
        return s;
    }

    Ngircd server;
};

TEST_F(NgircdForm, TwoUsersInTheWindows)
{
    create();
    TIdIRC& irc = form->IdIRC1;
    irc.Host = "127.0.0.1";
    irc.Port = server.port();
    irc.SetNick("alice");
    irc.Username = "alice";
    irc.RealName = "Alice";
    form->FindMemo(text::fromUtf8("Система"));
    irc.Connect(10);
    // The user-count reply ends the registration and brings the join of the auto-join channel.
    ASSERT_TRUE(until([&] { return entries("#DAWNHALL") == Strings{"@alice"}; })) << dump("Система");
    ASSERT_FALSE(shown("#DAWNHALL").empty());
    EXPECT_EQ(shown("#DAWNHALL")[0], "alice [~alice@127.0.0.1] зашел на #Dawnhall");
    EXPECT_TRUE(shows("Система", "-> JOIN #Dawnhall")) << dump("Система");

    TIdIRC bob(host);
    bob.Host = "127.0.0.1";
    bob.Port = server.port();
    bob.SetNick("bob");
    bob.Username = "bob";
    bob.RealName = "Bob";
    Strings bobHeard;
    bob.OnMessage = [&](TIdIRC*, TIdIRCUser* u, TIdIRCChannel*, const std::string& text) {
        bobHeard.push_back(u->Nick() + ": " + text);
    };
    bob.Connect(10);
    ASSERT_TRUE(until([&] { return bob.State() == TIdIRCState::Registered; }));
    bob.SendJoin("#Dawnhall");
    ASSERT_TRUE(until([&] { return entries("#DAWNHALL") == Strings{"@alice", "bob"}; })) << dump("#DAWNHALL");
    EXPECT_TRUE(shows("#DAWNHALL", "bob [~bob@127.0.0.1] зашел на #Dawnhall")) << dump("#DAWNHALL");

    // Messages both ways; the channel is not in view, so bob's raises a popup.
    bob.SendPrivmsg("#Dawnhall", text::fromUtf8("привет, \x03"
                                                "4Алиса"));
    ASSERT_TRUE(until([&] { return shows("#DAWNHALL", "<bob> привет, Алиса"); })) << dump("#DAWNHALL");
    ASSERT_EQ(form->popup()->openPopups().size(), 1u);
    EXPECT_EQ(form->popup()->openPopups()[0]->lblTitle()->text(), QStringLiteral("#Dawnhall"));
    irc.SendPrivmsg("#Dawnhall", "hi bob");
    ASSERT_TRUE(until([&] { return !bobHeard.empty(); }));
    EXPECT_EQ(bobHeard, Strings{"alice: hi bob"});
    EXPECT_TRUE(shows("Система", "-> PRIVMSG #Dawnhall :hi bob"));

    bob.SendAction("#Dawnhall", "waves");
    ASSERT_TRUE(until([&] { return shows("#DAWNHALL", "bob waves"); })) << dump("#DAWNHALL");
    bob.SendPrivmsg("alice", "psst");
    ASSERT_TRUE(until([&] { return shows("bob", "<bob> psst"); }));

    // A nick change reaches the channel and the private window, which takes the new name.
    bob.SetNick("Robert");
    ASSERT_TRUE(until([&] { return entries("#DAWNHALL") == Strings{"@alice", "Robert"}; })) << dump("#DAWNHALL");
    EXPECT_TRUE(shows("#DAWNHALL", "bob [~bob@127.0.0.1]  теперь известен как Robert"));
    EXPECT_TRUE(shows("ROBERT", "bob [~bob@127.0.0.1]  теперь известен как Robert")) << dump("ROBERT");

    irc.SendMode("#Dawnhall", "+o", "Robert");
    ASSERT_TRUE(until([&] { return entries("#DAWNHALL") == Strings{"@alice", "@Robert"}; })) << dump("#DAWNHALL");
    EXPECT_TRUE(shows("#DAWNHALL", "alice[~alice@127.0.0.1] включил режим +o Robert")) << dump("#DAWNHALL");
    irc.SendMode("#Dawnhall", "-o", "Robert");
    ASSERT_TRUE(until([&] { return entries("#DAWNHALL") == Strings{"@alice", "Robert"}; })) << dump("#DAWNHALL");

    irc.SendKick("#Dawnhall", "Robert", "enough");
    ASSERT_TRUE(until([&] { return entries("#DAWNHALL") == Strings{"@alice"}; })) << dump("#DAWNHALL");
    // Joined after the names reply, Robert has no lasting record in our engine, so no address is known.
    EXPECT_TRUE(shows("#DAWNHALL", "alice кикнул Robert [] по причине: enough")) << dump("#DAWNHALL");

    bob.SendJoin("#Dawnhall");
    ASSERT_TRUE(until([&] { return entries("#DAWNHALL") == Strings{"@alice", "Robert"}; })) << dump("#DAWNHALL");
    bob.SendRaw("QUIT :see you");
    ASSERT_TRUE(until([&] { return entries("#DAWNHALL") == Strings{"@alice"}; })) << dump("#DAWNHALL");
    const Strings channel = shown("#DAWNHALL");
    EXPECT_EQ(channel.back().rfind("Robert [~bob@127.0.0.1] вышел из IRC:", 0), 0u) << dump("#DAWNHALL");
    EXPECT_EQ(shown("ROBERT").size(), 2u) << "a private window gets no quit line";

    // The box shows the channel in view.
    form->sPageControl1->setCurrentIndex(1);
    ASSERT_EQ(form->sListBox1->count(), 1);
    EXPECT_EQ(form->sListBox1->item(0)->text(), QStringLiteral("@alice"));
}

} // namespace
} // namespace morva::test
