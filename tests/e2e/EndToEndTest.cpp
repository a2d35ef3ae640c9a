// The real MORVA binary against a real ngircd, with other users driven by the engine: registration, the
// automatic join, the other users' lines in the right windows (read from the logs), the nick list through
// operator changes, a nick change, a quit and a kick, a popup, typing into the input line, the toolbar's join and
// leave, and what closing the window leaves on disk.
#include "Desktop.h"
#include "engine/TIdIRC.h"
#include "tests/support/LoopHost.h"
#include "tests/support/Ngircd.h"
#include "text/Cp1251.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <thread>

#include <gtest/gtest.h>

namespace morva::test {
namespace {

using Strings = std::vector<std::string>;

// Another user on the server, driven by the engine on the test's own loop.
struct Party
{
    Party(LoopHost& host, int port, const std::string& nick) : irc(host)
    {
        irc.Host = "127.0.0.1";
        irc.Port = port;
        irc.SetNick(nick);
        irc.Username = nick;
        irc.RealName = nick;
        irc.OnRaw = [this](TIdIRC*, TIdIRCUser* user, const std::string& command, const std::string& content, bool&) {
            heard.push_back((user ? user->Nick() : std::string("?")) + " " + command + " " + text::toUtf8(content));
        };
        irc.Connect(10);
    }
    bool registered() { return irc.State() == TIdIRCState::Registered; }
    bool heardLine(const std::string& part) const
    {
        return std::any_of(heard.begin(), heard.end(), [&](const std::string& l) { return l.find(part) != l.npos; });
    }
    std::string dump() const
    {
        std::string s;
        for (const std::string& l : heard)
            s += "  " + l + "\n";
        return s;
    }
    TIdIRC irc;
    Strings heard;
};

class EndToEnd : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_display = std::make_unique<VirtualDisplay>(); }
    static void TearDownTestSuite() { s_display.reset(); }

    void SetUp() override
    {
        if (!Ngircd::available())
            GTEST_SKIP() << "ngircd is not installed";
        ASSERT_TRUE(m_server.ok()) << "ngircd did not start";
    }

    std::unique_ptr<Party> party(const std::string& nick)
    {
        auto p = std::make_unique<Party>(m_host, m_server.port(), nick);
        EXPECT_TRUE(until([&] { return p->registered(); })) << nick << " did not register";
        return p;
    }

    ClientProfile profile(bool onDisplay) const
    {
        ClientProfile p;
        p.port = m_server.port();
        if (onDisplay && s_display->ok())
            p.display = s_display->name();
        return p;
    }

    // Runs the parties' loop until pred holds; false after the limit.
    bool until(const std::function<bool()>& pred, int ms = 10000) { return m_host.runUntil(pred, ms); }

    static std::string diag(const ClientProcess& c)
    {
        return "state:\n" + c.stateText() + "\nsystem log:\n" + c.log("Система");
    }

    static std::unique_ptr<VirtualDisplay> s_display;
    LoopHost m_host;
    Ngircd m_server;
};

std::unique_ptr<VirtualDisplay> EndToEnd::s_display;

TEST_F(EndToEnd, TrafficOfOtherUsersInTheWindowsAndTheNickList)
{
    auto veter = party("Veter");
    veter->irc.SendJoin("#Dawnhall"); // first in, so Veter holds operator
    ASSERT_TRUE(until([&] { return veter->heardLine("Veter JOIN"); }));

    ClientProcess client(profile(true));
    // Registration: the welcome lines in the system window, then the automatic join.
    ASSERT_TRUE(until([&] { return client.logHas("Система", "Welcome to the Internet Relay Network Gost"); }))
        << diag(client);
    ASSERT_TRUE(until([&] { return client.nicks("#DAWNHALL") == Strings{"@Veter", "Gost"}; })) << diag(client);
    EXPECT_TRUE(client.logHas("#DAWNHALL", "Gost [~e2e@127.0.0.1] зашел на #Dawnhall")) << client.log("#DAWNHALL");

    // A channel message while the system window is in view raises a popup.
    veter->irc.SendPrivmsg("#Dawnhall", text::fromUtf8("привет всем, \x02Гость\x02"));
    ASSERT_TRUE(until([&] { return client.logHas("#DAWNHALL", "<Veter> привет всем, Гость"); }))
        << client.log("#DAWNHALL");
    ASSERT_TRUE(until([&] { return client.stateText().find("popup #Dawnhall\t") != std::string::npos; }))
        << diag(client);
    if (s_display->ok()) {
        EXPECT_TRUE(s_display->screenshot(artifactDir() + "/e2e-popup.png"));
    }

    veter->irc.SendAction("#Dawnhall", text::fromUtf8("машет рукой"));
    ASSERT_TRUE(until([&] { return client.logHas("#DAWNHALL", "Veter машет рукой"); })) << client.log("#DAWNHALL");
    veter->irc.SendPrivmsg("Gost", "psst");
    ASSERT_TRUE(until([&] { return client.logHas("Veter", "<Veter> psst"); })) << diag(client);

    // The nick list follows operator given and taken, a nick change, a join and a quit.
    veter->irc.SendMode("#Dawnhall", "+o", "Gost");
    ASSERT_TRUE(until([&] { return client.nicks("#DAWNHALL") == Strings{"@Gost", "@Veter"}; })) << diag(client);
    veter->irc.SendMode("#Dawnhall", "-o", "Gost");
    ASSERT_TRUE(until([&] { return client.nicks("#DAWNHALL") == Strings{"@Veter", "Gost"}; })) << diag(client);
    veter->irc.SetNick("Lis");
    ASSERT_TRUE(until([&] { return client.nicks("#DAWNHALL") == Strings{"@Lis", "Gost"}; })) << diag(client);
    EXPECT_TRUE(client.logHas("#DAWNHALL", "теперь известен как Lis")) << client.log("#DAWNHALL");
    auto kot = party("Kot");
    kot->irc.SendJoin("#Dawnhall");
    ASSERT_TRUE(until([&] { return client.nicks("#DAWNHALL") == Strings{"@Lis", "Gost", "Kot"}; })) << diag(client);
    kot->irc.SendRaw("QUIT :bye");
    ASSERT_TRUE(until([&] { return client.nicks("#DAWNHALL") == Strings{"@Lis", "Gost"}; })) << diag(client);
    EXPECT_TRUE(client.logHas("#DAWNHALL", "Kot [~Kot@127.0.0.1] вышел из IRC")) << client.log("#DAWNHALL");

    // Being kicked closes the channel's tab.
    veter->irc.SendKick("#Dawnhall", "Gost", "out");
    ASSERT_TRUE(until([&] { return client.hasTab("Система") && !client.hasTab("#Dawnhall"); })) << diag(client);

    // Closing the window writes the lists and the window's place.
    EXPECT_EQ(client.close(), 0);
    EXPECT_NE(client.settings().find("psw="), std::string::npos) << client.settings();
    EXPECT_TRUE(std::filesystem::exists(client.folder() + "/exe/ign.txt"));
    EXPECT_TRUE(std::filesystem::exists(client.folder() + "/exe/Aliases.txt"));
}

TEST_F(EndToEnd, TypingIntoTheInputLineAndTheToolbarReachTheServer)
{
    if (!s_display->ok() || std::system("command -v xdotool >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "needs Xvfb and xdotool";
    auto veter = party("Veter");
    veter->irc.SendJoin("#Dawnhall");
    ASSERT_TRUE(until([&] { return veter->heardLine("Veter JOIN"); }));

    ClientProfile p = profile(true);
    p.aliases = "j~JOIN $\n";
    ClientProcess client(p);
    ASSERT_TRUE(until([&] { return client.nicks("#DAWNHALL") == Strings{"@Veter", "Gost"}; })) << diag(client);

    ASSERT_TRUE(client.click("tab:#Dawnhall")) << diag(client);
    ASSERT_TRUE(until([&] { return client.isActive("#Dawnhall"); })) << diag(client);
    ASSERT_TRUE(client.typeInto("input", "hello from morva"));
    ASSERT_TRUE(until([&] { return veter->heardLine("Gost PRIVMSG #Dawnhall :hello from morva"); })) << veter->dump();
    ASSERT_TRUE(client.typeInto("input", "/me waves"));
    ASSERT_TRUE(until([&] {
        return veter->heardLine("Gost PRIVMSG #Dawnhall :\x01"
                                "ACTION waves\x01");
    })) << veter->dump();
    ASSERT_TRUE(client.typeInto("input", "/msg Veter just you"));
    ASSERT_TRUE(until([&] { return veter->heardLine("Gost PRIVMSG Veter :just you"); })) << veter->dump();
    // Echoes in the client's own windows.
    EXPECT_TRUE(until([&] { return client.logHas("#DAWNHALL", "<Gost> hello from morva"); })) << diag(client);
    EXPECT_TRUE(until([&] { return client.logHas("VETER", "<Gost> just you"); })) << diag(client);

    // A raw command and an alias join two more channels.
    ASSERT_TRUE(client.typeInto("input", "/JOIN #second"));
    ASSERT_TRUE(client.typeInto("input", "/j #third"));
    ASSERT_TRUE(until([&] { return client.hasTab("#second") && client.hasTab("#third"); })) << diag(client);

    // The toolbar's join asks for the name, the leave button parts the channel in view.
    ASSERT_TRUE(client.click("ToolButton3"));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ASSERT_TRUE(client.type("fourth") && client.key("Return"));
    ASSERT_TRUE(until([&] { return client.hasTab("#FOURTH"); })) << diag(client);
    veter->irc.SendJoin("#fourth");
    ASSERT_TRUE(until([&] { return client.nicks("#FOURTH").size() == 2; })) << diag(client);
    ASSERT_TRUE(client.click("tab:#FOURTH"));
    ASSERT_TRUE(until([&] { return client.isActive("#FOURTH"); })) << diag(client);
    ASSERT_TRUE(client.click("ToolButton4"));
    ASSERT_TRUE(until([&] { return veter->heardLine("Gost PART #fourth"); })) << veter->dump();
    ASSERT_TRUE(until([&] { return !client.hasTab("#FOURTH"); })) << diag(client);

    EXPECT_TRUE(s_display->screenshot(artifactDir() + "/e2e-main-window.png"));
    EXPECT_EQ(client.close(), 0);
    EXPECT_NE(client.exeFile("Aliases.txt").find("j~JOIN $"), std::string::npos);
}

} // namespace
} // namespace morva::test
