// Benchmarks of the main window: start-up to the window shown with its resident memory, and the registry's
// lookups with 500 windows open.
#include "app/QtHost.h"
#include "skin/SkinManager.h"
#include "ui/main/TForm1.h"

#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

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

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
