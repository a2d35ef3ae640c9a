// ircprobe: runs the engine without any window. Prints every engine event on stdout and takes commands on stdin.
#include "engine/IdExceptions.h"
#include "engine/TIdAntiFreeze.h"
#include "engine/TIdIRC.h"
#include "tests/support/LoopHost.h"
#include "text/TextUtil.h"
#include "tools/EventPrinter.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

using namespace morva;

namespace {

void put(const std::string& line)
{
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

std::vector<std::string> splitTabs(const std::string& s)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t p = s.find('\t', start);
        out.push_back(s.substr(start, p == std::string::npos ? std::string::npos : p - start));
        if (p == std::string::npos)
            return out;
        start = p + 1;
    }
}

void usage()
{
    std::fprintf(stderr, "usage: ircprobe --host H --port P [--nick N] [--altnick A] [--username U] [--realname R]\n"
                         "                [--password W] [--suppress-raw WORD]... [--suppress-ctcp]\n");
}

// Runs one stdin command against the engine.
void command(TIdIRC& irc, const std::string& line)
{
    if (line.empty() || line[0] != '/') {
        irc.SendRaw(line);
        return;
    }
    std::vector<std::string> a = splitTabs(line.substr(1));
    auto arg = [&](std::size_t i) { return i < a.size() ? a[i] : std::string(); };
    const std::string& op = a[0];
    if (op == "SendRaw")
        irc.SendRaw(arg(1));
    else if (op == "SendPrivmsg")
        irc.SendPrivmsg(arg(1), arg(2));
    else if (op == "SendNotice")
        irc.SendNotice(arg(1), arg(2));
    else if (op == "SendCtcpQuery")
        irc.SendCtcpQuery(arg(1), arg(2), arg(3));
    else if (op == "SendAction")
        irc.SendAction(arg(1), arg(2));
    else if (op == "SendCtcpReply")
        irc.SendCtcpReply(arg(1), arg(2), arg(3));
    else if (op == "SendJoin")
        irc.SendJoin(arg(1), arg(2));
    else if (op == "SendPart")
        irc.SendPart(arg(1), arg(2));
    else if (op == "SendKick")
        irc.SendKick(arg(1), arg(2), arg(3));
    else if (op == "SendMode")
        irc.SendMode(arg(1), arg(2), arg(3));
    else if (op == "SendTopic")
        irc.SendTopic(arg(1), arg(2));
    else if (op == "WriteLine")
        irc.WriteLine(arg(1));
    else if (op == "Nick")
        irc.SetNick(arg(1));
    else if (op == "Connect")
        irc.Connect(10);
    else if (op == "Disconnect")
        irc.Disconnect(arg(1) == "1");
    else if (op == "CloseConnection")
        irc.CloseConnection();
    else if (op == "Channel")
        put(probe::channelDump(irc, arg(1)));
    else if (op == "Users")
        put(probe::usersDump(irc));
    else if (op == "State")
        put(probe::stateDump(irc));
    else
        irc.SendRaw(line);
}

template <class F> void guarded(F&& f)
{
    try {
        f();
    } catch (const EIdException& e) {
        put(std::string("Error\t") + e.ClassName() + "\t" + probe::escape(e.what()));
    } catch (const std::exception& e) {
        put(std::string("Error\tException\t") + probe::escape(e.what()));
    }
}

} // namespace

int main(int argc, char** argv)
{
    test::LoopHost host;
    TIdAntiFreeze antiFreeze(host);
    antiFreeze.IdleTimeOut = 2000;
    TIdIRC irc(host);
    probe::PrinterOptions opts;
    bool haveHost = false;
    for (int i = 1; i < argc; ++i) {
        const std::string k = argv[i];
        auto val = [&]() -> std::string {
            if (i + 1 >= argc) {
                usage();
                std::exit(2);
            }
            return argv[++i];
        };
        if (k == "--host") {
            irc.Host = val();
            haveHost = true;
        } else if (k == "--port") {
            irc.Port = text::toIntDef(val(), 6667);
        } else if (k == "--nick") {
            irc.SetNick(val());
        } else if (k == "--altnick") {
            irc.AltNick = val();
        } else if (k == "--username") {
            irc.Username = val();
        } else if (k == "--realname") {
            irc.RealName = val();
        } else if (k == "--password") {
            irc.Password = val();
        } else if (k == "--suppress-raw") {
            opts.suppressRaw.insert(val());
        } else if (k == "--suppress-ctcp") {
            opts.suppressCtcp = true;
        } else {
            usage();
            return 2;
        }
    }
    if (!haveHost) {
        usage();
        return 2;
    }
    probe::attachPrinter(irc, put, opts);

    std::atomic<bool> eof{false};
    std::thread input([&] {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            host.post([&irc, line] { guarded([&] { command(irc, line); }); });
        }
        host.post([&eof] { eof = true; });
    });

    guarded([&] { irc.Connect(10); });
    while (!eof) {
        host.waitForWork(50);
        host.processPendingMessages(true);
    }
    guarded([&] { irc.CloseConnection(); });
    input.join();
    return 0;
}
