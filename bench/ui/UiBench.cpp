// Benchmarks of the main window: start-up to the window shown with its resident memory, the registry's lookups
// with 500 windows open, and incoming traffic from a loopback server: a 10,000-member names reply, channel
// message floods to a tab in view and to one that is not, and a 50,000-channel list.
#include "app/QtHost.h"
#include "popup/TMSNPopUp.h"
#include "skin/SkinManager.h"
#include "tests/support/FakeServer.h"
#include "text/Cp1251.h"
#include "ui/dialogs/ChannelListModel.h"
#include "ui/dialogs/TForm9.h"
#include "ui/main/TForm1.h"
#include "view/TIRCMemo.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <benchmark/benchmark.h>

using namespace morva;

namespace {

// Resident set size of this process in megabytes.
double residentMb()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

struct Env
{
    QTemporaryDir dir;
    QtHost host;
    Env()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath(QStringLiteral("cfg")));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.filePath(QStringLiteral("cfg")));
    }
    TForm1Options options() const
    {
        TForm1Options o;
        o.exeDir = dir.path();
        o.dataDir = dir.filePath(QStringLiteral("data"));
        o.useArguments = true;
        o.messageBox = [](const QString&, bool) {};
        return o;
    }
};

Env& env()
{
    static Env e;
    return e;
}

// From nothing to the main window shown and painted: skin engine, window creation (FormCreate and LoadParam),
// show, and the event loop's first turn.
void BM_StartupToShown(benchmark::State& state)
{
    double rss = 0;
    for (auto _ : state) {
        SkinManager skins(QStringLiteral(MORVA_SKINS_SOURCE_DIR));
        auto form = std::make_unique<TForm1>(env().host, skins, env().options());
        form->show();
        (void)QTest::qWaitForWindowExposed(form.get(), 2000);
        QCoreApplication::processEvents();
        state.PauseTiming();
        rss = residentMb();
        form->close();
        form.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["rss_MB"] = rss;
}
BENCHMARK(BM_StartupToShown)->Unit(benchmark::kMillisecond)->Iterations(10);

class Windows500
{
public:
    Windows500() : skins(QStringLiteral(MORVA_SKINS_SOURCE_DIR)), form(env().host, skins, env().options())
    {
        for (int i = 0; i < 500; ++i)
            form.FindMemo("#CHANNEL" + std::to_string(i));
    }
    SkinManager skins;
    TForm1 form;
};

Windows500& windows()
{
    static Windows500 w;
    return w;
}

// Looking up a window among 500 by a name in another case: the first, the middle and the last one.
void BM_FindMemo500(benchmark::State& state)
{
    TForm1& f = windows().form;
    const std::string names[] = {"#channel0", "#channel250", "#channel499"};
    int sum = 0;
    for (auto _ : state)
        for (const std::string& n : names)
            sum += f.FindMemo(n);
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * 3);
}
BENCHMARK(BM_FindMemo500);

void BM_FindUserList500(benchmark::State& state)
{
    TForm1& f = windows().form;
    const std::string names[] = {"#channel0", "#channel250", "#channel499", "#nosuchchannel"};
    int sum = 0;
    for (auto _ : state)
        for (const std::string& n : names)
            sum += f.FindUserList(n);
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * 4);
}
BENCHMARK(BM_FindUserList500);

// Creating a window and deleting it again while 500 are open (a join and a part).
void BM_CreateDelete500(benchmark::State& state)
{
    TForm1& f = windows().form;
    for (auto _ : state) {
        f.FindMemo("#transient");
        f.DeleteTabs("#transient");
    }
}
BENCHMARK(BM_CreateDelete500)->Unit(benchmark::kMicrosecond);

// A shown main window whose engine is connected to the loopback server, in #Dawnhall, with the system window
// first.
class Traffic
{
public:
    Traffic() : skins(QStringLiteral(MORVA_SKINS_SOURCE_DIR)), form(env().host, skins, env().options())
    {
        form.IdIRC1.Host = "127.0.0.1";
        form.IdIRC1.Port = server.port();
        form.IdIRC1.BoundIP = "127.0.0.1";
        form.IdIRC1.SetNick("me");
        form.FindMemo(text::fromUtf8("Система"));
        form.resize(1000, 700);
        form.show();
        (void)QTest::qWaitForWindowExposed(&form, 2000);
        form.IdIRC1.Connect();
        (void)server.waitFor("USER ", [](int ms) { QTest::qWait(ms); });
        form.IdIRC1.InjectLine(":me!me@127.0.0.1 JOIN :#Dawnhall");
    }

    // Sends bytes from a thread of its own (the UI thread must go on handling what arrives) and runs the event
    // loop until done holds; false after 60 seconds.
    bool feed(const std::string& bytes, const std::function<bool()>& done)
    {
        std::thread sender([&] { server.send(bytes); });
        QElapsedTimer t;
        t.start();
        while (!done() && t.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        sender.join();
        return done();
    }

    TIRCMemo* channel() { return form.memoAt(form.FindMemo("#DAWNHALL")); }
    void activate(const std::string& name)
    {
        form.sPageControl1->setCurrentWidget(form.tabAt(form.FindMemo(name) + 1));
        QCoreApplication::processEvents();
    }

    SkinManager skins;
    test::FakeServer server;
    TForm1 form;
};

// Made on first use and gone before the application object.
std::unique_ptr<Traffic> g_traffic;
Traffic& traffic()
{
    if (!g_traffic)
        g_traffic = std::make_unique<Traffic>();
    return *g_traffic;
}

// count channel messages of typical length from 40 different senders, with a colour and a bold word.
std::string channelFlood(int count)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(count) * 110);
    for (int i = 0; i < count; ++i) {
        out += ":user" + std::to_string(i % 40) + "!ident@host" + std::to_string(i % 40) + ".example.net PRIVMSG ";
        out += "#Dawnhall :";
        out += text::fromUtf8("Сообщение номер ") + std::to_string(i) +
               " with \x03"
               "4colour\x03 and a \x02"
               "bold\x02 word, " +
               text::fromUtf8("и немного текста.");
        out += "\r\n";
    }
    return out;
}

// Lines from the socket to the channel's view: the reader's hand-off, the engine's dispatch, IdIRC1Raw with its
// popup rule and AppendLine. range(0) = 1: the channel's tab is in view; 0: the system window is, so every line
// asks for a popup, refused once the stack is full.
void BM_ChannelFlood(benchmark::State& state)
{
    const bool inView = state.range(0) == 1;
    const int count = 50000;
    Traffic& t = traffic();
    const std::string bytes = channelFlood(count);
    std::size_t total = 0;
    std::size_t popups = 0;
    for (auto _ : state) {
        state.PauseTiming();
        t.activate(inView ? "#DAWNHALL" : text::fromUtf8("Система"));
        TIRCMemo* view = t.channel();
        // Emptied first: a view at its text limit drops old lines, and the count would never reach the target.
        view->Clear();
        const int target = count;
        state.ResumeTiming();
        if (!t.feed(bytes, [&] { return view->lineCount() >= target; })) {
            state.SkipWithError("the lines did not all arrive");
            break;
        }
        total += count;
        popups = t.form.popup()->openPopups().size();
    }
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(total), benchmark::Counter::kIsRate);
    state.counters["popups_open"] = static_cast<double>(popups);
}
BENCHMARK(BM_ChannelFlood)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// One more popup while the stack is full: what a channel message to a tab not in view pays once the screen holds
// all the popups it can.
void BM_PopupRefused(benchmark::State& state)
{
    Traffic& t = traffic();
    TMSNPopUp& p = *t.form.popup();
    for (int i = 0; i < 50 && p.Popup(); ++i) {
    }
    for (auto _ : state)
        t.form.ShowPopUp("#Dawnhall", "user1: a line of text");
    state.counters["open"] = static_cast<double>(p.openPopups().size());
}
BENCHMARK(BM_PopupRefused);

// A names reply of 10,000 members (250 lines of 40, about 450 bytes each) from the first 353 line sent until the nick
// list box shows the sorted list: the hand-off, the engine's records, IdIRC1Names rebuilding the nick list (with its
// pending-message runs) and the refresh of the box.
void BM_NamesToListBox10k(benchmark::State& state)
{
    Traffic& t = traffic();
    std::string bytes;
    for (int line = 0; line < 250; ++line) {
        bytes += ":srv 353 me = #Dawnhall :";
        for (int i = 0; i < 40; ++i) {
            const int n = line * 40 + i;
            bytes += (n % 10 == 0   ? "@"
                      : n % 10 == 1 ? "+"
                                    : "") +
                     std::string("Member") + std::to_string(n * 7919 % 10000);
            bytes += i + 1 < 40 ? " " : "\r\n";
        }
    }
    bytes += ":srv 366 me #Dawnhall :End of /NAMES list.\r\n";
    for (auto _ : state) {
        state.PauseTiming();
        // A fresh channel record and window each time, as after a join.
        t.form.IdIRC1.InjectLine(":me!me@127.0.0.1 PART #Dawnhall");
        t.form.DeleteTabs("#DAWNHALL");
        t.form.IdIRC1.InjectLine(":me!me@127.0.0.1 JOIN :#Dawnhall");
        t.activate("#DAWNHALL");
        const NickList* list = t.form.userListAt(t.form.FindUserList("#DAWNHALL"));
        state.ResumeTiming();
        if (!t.feed(bytes, [&] { return list->Count() >= 10000; })) {
            state.SkipWithError("the names reply did not arrive");
            break;
        }
        t.form.sPageControl1Change();
        QCoreApplication::processEvents();
        if (t.form.sListBox1->count() != 10000) {
            state.SkipWithError("the list box does not show the members");
            break;
        }
    }
}
BENCHMARK(BM_NamesToListBox10k)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// A list reply of 50,000 channels (typical names, counts and topics of 30 to 60 characters, some Cyrillic).
std::string channelListLines(int count)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(count) * 90);
    for (int i = 0; i < count; ++i) {
        out += ":srv 322 me #channel" + std::to_string(i * 7919 % 100000) + " " + std::to_string(i % 300 + 1) + " :";
        out += i % 3 == 0 ? text::fromUtf8("[+nt] Канал номер ") + std::to_string(i) + text::fromUtf8(", тема дня")
                          : "[+nt] Channel number " + std::to_string(i) + ", topic of the day";
        out += "\r\n";
    }
    return out;
}

// 50,000 AddNewQ calls into the shown channel list, each followed by one turn of the event loop (as each 322 line
// is handed over on its own), until the last row is in the view and painted. longest_turn_ms is the longest single
// turn: how long the window could stop answering the user.
void BM_ChannelListAddNewQ50k(benchmark::State& state)
{
    const int count = 50000;
    TIdIRC irc(env().host);
    TForm9 list(irc);
    list.show();
    (void)QTest::qWaitForWindowExposed(&list, 2000);
    std::vector<std::string> names;
    std::vector<std::string> users;
    std::vector<std::string> topics;
    for (int i = 0; i < count; ++i) {
        names.push_back("#channel" + std::to_string(i * 7919 % 100000));
        users.push_back(std::to_string(i % 300 + 1));
        topics.push_back(i % 3 == 0 ? text::fromUtf8("[+nt] Канал номер ") + std::to_string(i)
                                    : "[+nt] Channel number " + std::to_string(i) + ", topic of the day");
    }
    double longest = 0;
    for (auto _ : state) {
        list.clearRows();
        QCoreApplication::processEvents();
        QElapsedTimer turn;
        for (int i = 0; i < count; ++i) {
            list.AddNewQ(names[static_cast<std::size_t>(i)], users[static_cast<std::size_t>(i)],
                         topics[static_cast<std::size_t>(i)]);
            turn.start();
            QCoreApplication::processEvents();
            longest = std::max(longest, static_cast<double>(turn.nsecsElapsed()) / 1e6);
        }
        list.rows().flush();
        list.sListView1->scrollToBottom();
        list.sListView1->viewport()->repaint();
        if (list.rows().rowCount() != count) {
            state.SkipWithError("rows missing");
            break;
        }
    }
    state.counters["longest_turn_ms"] = longest;
}
BENCHMARK(BM_ChannelListAddNewQ50k)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The same list from the loopback server: 321 and 50,000 322 lines through the reader's hand-off, the engine and
// IdIRC1Raw into the shown list, until all rows are in the view.
void BM_ChannelListFromServer50k(benchmark::State& state)
{
    const int count = 50000;
    Traffic& t = traffic();
    TForm9 list(t.form.IdIRC1);
    t.form.Form9 = &list;
    const std::string bytes = ":srv 321 me Channel :Users  Name\r\n" + channelListLines(count);
    for (auto _ : state) {
        // Emptied first, or the rows of the last run would end the wait before the new list's start arrives.
        state.PauseTiming();
        list.clearRows();
        state.ResumeTiming();
        if (!t.feed(bytes, [&] { return list.rows().totalRows() >= count; })) {
            state.SkipWithError("the list did not all arrive");
            break;
        }
        list.rows().flush();
        list.sListView1->viewport()->repaint();
    }
    t.form.Form9 = nullptr;
    state.counters["rows"] = static_cast<double>(list.rows().rowCount());
}
BENCHMARK(BM_ChannelListFromServer50k)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// One run of the pending UI messages when nothing is pending, with the main window shown: what letting them run
// once per member of a names reply would cost each member.
void BM_ProcessPendingIdle(benchmark::State& state)
{
    Traffic& t = traffic();
    t.activate("#DAWNHALL");
    for (auto _ : state)
        env().host.processPendingMessages();
}
BENCHMARK(BM_ProcessPendingIdle)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    g_traffic.reset();
    benchmark::Shutdown();
    return 0;
}
