// demobot: two scripted users for the local demo network, so that a newcomer sees every kind of line.
//
// "Veter" creates the channel (and so holds operator), "Lis" joins it. They talk in colour, act, change the
// topic, give Lis voice and then operator, change a nick, part and come back, over and over until the server
// goes away or the bot is stopped. Usage: demobot --host H --port P [--channel #Dawnhall] [--period SECONDS]
#include "engine/IdExceptions.h"
#include "engine/TIdAntiFreeze.h"
#include "engine/TIdIRC.h"
#include "tests/support/LoopHost.h"
#include "text/TextUtil.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace morva;

namespace {

volatile std::sig_atomic_t g_stop = 0;

struct Bot
{
    Bot(test::LoopHost& host, const std::string& h, int port, const std::string& nick) : irc(host)
    {
        irc.Host = h;
        irc.Port = port;
        irc.SetNick(nick);
        irc.AltNick = nick + "_";
        irc.Username = "demo";
        irc.RealName = "MORVA demo bot";
        irc.Replies.Version = "MORVA demo bot";
    }
    bool registered() { return irc.State() == TIdIRCState::Registered && irc.Connected(); }
    TIdIRC irc;
};

struct Step
{
    int delayMs; // after the previous step
    std::function<void()> run;
};

} // namespace

int main(int argc, char** argv)
{
    std::string host = "127.0.0.1";
    std::string channel = "#Dawnhall";
    int port = 6667;
    int period = 4;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string k = argv[i];
        if (k == "--host")
            host = argv[i + 1];
        else if (k == "--port")
            port = text::toIntDef(argv[i + 1], 6667);
        else if (k == "--channel")
            channel = argv[i + 1];
        else if (k == "--period")
            period = text::toIntDef(argv[i + 1], 4);
    }
    std::signal(SIGTERM, [](int) { g_stop = 1; });
    std::signal(SIGINT, [](int) { g_stop = 1; });

    test::LoopHost loop;
    TIdAntiFreeze antiFreeze(loop);
    Bot veter(loop, host, port, "Veter");
    Bot lis(loop, host, port, "Lis");
    try {
        veter.irc.Connect();
        lis.irc.Connect();
    } catch (const EIdException& e) {
        std::fprintf(stderr, "demobot: %s\n", e.what());
        return 1;
    }
    if (!loop.runUntil([&] { return veter.registered() && lis.registered(); }, 10000)) {
        std::fprintf(stderr, "demobot: not registered\n");
        return 1;
    }
    veter.irc.SendJoin(channel);
    loop.runFor(500);
    lis.irc.SendJoin(channel);
    loop.runFor(500);

    const int gap = period * 1000 / 2;
    // Colours and styles go in as IRC formatting codes: ^B bold, ^C colour, ^_ underline, ^O plain.
    const std::vector<Step> script = {
        {gap,
         [&] {
             veter.irc.SendPrivmsg(
                 channel,
                 "\x02\xcf\xf0\xe8\xe2\xe5\xf2\x02, \xfd\xf2\xee \xe4\xe5\xec\xee-\xf1\xe5\xf0\xe2\xe5\xf0 MORVA!");
         }},
        {gap,
         [&] {
             lis.irc.SendPrivmsg(
                 channel, "\x03"
                          "4\xea\xf0\xe0\xf1\xed\xfb\xe9\x03, \x03"
                          "3\xe7\xe5\xeb\xb8\xed\xfb\xe9\x03, \x03"
                          "12\xf1\xe8\xed\xe8\xe9\x03 \xe8 \x1f\xef\xee\xe4\xf7\xe5\xf0\xea\xed\xf3\xf2\xfb\xe9\x1f");
         }},
        {gap, [&] { veter.irc.SendAction(channel, "\xe7\xe0\xe2\xe0\xf0\xe8\xe2\xe0\xe5\xf2 \xf7\xe0\xe9"); }},
        {gap,
         [&] {
             veter.irc.SendTopic(channel, "\xc4\xee\xe1\xf0\xee \xef\xee\xe6\xe0\xeb\xee\xe2\xe0\xf2\xfc \xed\xe0 "
                                          "Dawnhall: http://dawnhall.example/");
         }},
        {gap, [&] { veter.irc.SendMode(channel, "+v", lis.irc.Nick()); }},
        {gap, [&] { lis.irc.SendPrivmsg(channel, "\xd1\xef\xe0\xf1\xe8\xe1\xee \xe7\xe0 \xe3\xee\xeb\xee\xf1!"); }},
        {gap, [&] { veter.irc.SendMode(channel, "+o", lis.irc.Nick()); }},
        {gap, [&] { lis.irc.SetNick(lis.irc.Nick() == "Lis" ? "Lisa" : "Lis"); }},
        {gap, [&] { lis.irc.SendAction(channel, "\xec\xe0\xf8\xe5\xf2 \xf5\xe2\xee\xf1\xf2\xee\xec"); }},
        {gap, [&] { veter.irc.SendMode(channel, "-o", lis.irc.Nick()); }},
        {gap, [&] { veter.irc.SendMode(channel, "-v", lis.irc.Nick()); }},
        {gap, [&] { lis.irc.SendPart(channel, "\xf1\xea\xee\xf0\xee \xe2\xe5\xf0\xed\xf3\xf1\xfc"); }},
        {gap, [&] { lis.irc.SendJoin(channel); }},
    };
    for (std::size_t i = 0; !g_stop; i = (i + 1) % script.size()) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(script[i].delayMs);
        while (!g_stop && std::chrono::steady_clock::now() < until)
            loop.runFor(50);
        if (!veter.registered() || !lis.registered())
            break;
        try {
            script[i].run();
        } catch (const EIdException& e) {
            std::fprintf(stderr, "demobot: %s\n", e.what());
            break;
        }
    }
    for (Bot* b : {&veter, &lis}) {
        try {
            b->irc.SendRaw("QUIT :\xe4\xee \xe2\xf1\xf2\xf0\xe5\xf7\xe8");
        } catch (const EIdException&) {
        }
    }
    loop.runFor(200);
    return 0;
}
