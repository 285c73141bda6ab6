// The measuring window against the simulator on 127.0.64.65 (300 Hz, 50
// bodies), without and with the Live Monitor shown, in alternating rounds of
// the same run so the machine's noise shows beside the difference: the
// process's CPU share of one core over a fixed time, and its resident memory.
// Then the trend rings fed 60 minutes of rows at once, their memory next to
// their computed size.
//
//   bench_monitor [--seconds N] [--rounds N] [--dock shown|hidden]

#include <QApplication>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>

#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "ConnectedShell.h"
#include "TrendStore.h"
#include "bench_stats.h"
#include "process_sample.h"

namespace {

const QString kAddress = "127.0.64.65";
// Fifty bodies of the standard type and none of the others, whose lines the
// monitor does not read but the channel still has to take apart.
const QStringList kSimulator = {
    "--profile",   "large",
    "--frequency", "300",
    "--set",       "body number_of_bodies wavewand = 0",
    "--set",       "body number_of_bodies measurementtool = 0",
    "--set",       "body number_of_bodies measurementtool_reference = 0",
    "--set",       "body number_of_bodies fingertracking = 0"};
constexpr int kCameras = 32;

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double rssMiB()
{
    return sample(QCoreApplication::applicationPid()).rssMiB;
}

// Sleeps in the event loop: polling it would bill the wait to the window and
// hide the module's share under a core spent spinning.
void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// One window measuring for the given time; prints "cpu% rssMiB".
int measureWindow(int seconds, bool showDock)
{
    ConnectedShell shell;
    if (!shell.startSim(kAddress, kSimulator))
        return 1;
    auto w = shell.startDirect("-measure");
    if (w->isEndingProcess())
        return 1;
    w->show();
    auto* dock = w->findChild<QDockWidget*>("LiveMonitorDock");
    if (dock && showDock) {
        dock->setFloating(true);
        dock->resize(1200, 800);
        dock->show();
    }
    runFor(3000);
    const double cpu0 = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    runFor(seconds * 1000);
    const double share = (cpuSeconds() - cpu0) / (wall.nsecsElapsed() / 1e9) * 100;
    std::printf("%.2f %.1f\n", share, rssMiB());
    return 0;
}

void feedAnHour()
{
    const double before = rssMiB();
    TrendStore store(3600);
    // Two hours of rows: the second hour replaces the first.
    for (int s = 0; s < 7200; ++s)
        store.appendRow(s, {300, 0, 20, 50}, QVector<double>(kCameras, 40),
                        QVector<double>(kCameras, 38));
    const double grown = rssMiB() - before;
    std::printf(
        "60 min of rows, %d cameras: rings %.2f MiB (computed bound %.2f MiB), "
        "resident growth %.2f MiB\n",
        kCameras, store.bytes() / 1048576.0, TrendStore::bytesFor(3600, kCameras) / 1048576.0,
        grown);
}

struct Figures
{
    double cpu = 0;
    double rss = 0;
};

bool childRun(const QString& exe, int seconds, const QString& dock, Figures* out)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(exe, {"--child", QString::number(seconds), dock});
    p.waitForFinished(-1);
    const QStringList f = QString::fromLatin1(p.readAllStandardOutput()).trimmed().split(' ');
    if (f.size() != 2)
        return false;
    *out = {f[0].toDouble(), f[1].toDouble()};
    return true;
}

int intOption(const QStringList& args, const QString& name, int fallback)
{
    const int at = args.indexOf(name);
    return at > 0 && at + 1 < args.size() ? qMax(1, args[at + 1].toInt()) : fallback;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == "--child")
        return measureWindow(args[2].toInt(), args[3] == "shown");
    const int seconds = intOption(args, "--seconds", 20);
    const int rounds = intOption(args, "--rounds", 5);
    const int dockAt = args.indexOf("--dock");
    const QString dock = dockAt > 0 && dockAt + 1 < args.size() ? args[dockAt + 1] : "shown";

    std::printf("measuring window, 300 Hz, 50 bodies, %d s a run, dock %s:\n", seconds,
                qPrintable(dock));
    std::printf("  round  without %%  with %%  adds %%  without MiB  with MiB\n");
    std::vector<double> added;
    std::vector<double> addedMiB;
    for (int r = 0; r < rounds; ++r) {
        // Alternating which goes first spreads a slow spell over both.
        Figures without;
        Figures with;
        const QString exeWithout = QStringLiteral(ORVANE_MONITOR_BENCH_WITHOUT);
        const QString exeWith = app.applicationFilePath();
        const bool ok = r % 2 == 0 ? childRun(exeWithout, seconds, dock, &without) &&
                                         childRun(exeWith, seconds, dock, &with)
                                   : childRun(exeWith, seconds, dock, &with) &&
                                         childRun(exeWithout, seconds, dock, &without);
        if (!ok) {
            std::fprintf(stderr, "bench_monitor: a measuring window did not run\n");
            return 1;
        }
        added.push_back(with.cpu - without.cpu);
        addedMiB.push_back(with.rss - without.rss);
        std::printf("  %5d  %9.2f  %6.2f  %6.2f  %11.1f  %8.1f\n", r + 1, without.cpu, with.cpu,
                    added.back(), without.rss, with.rss);
        std::fflush(stdout);
    }
    std::printf("  the module adds (median of %d rounds): %.2f %% of one core, %.1f MiB\n", rounds,
                median(added), median(addedMiB));
    feedAnHour();
    return 0;
}
