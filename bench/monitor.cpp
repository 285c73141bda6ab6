// The measuring window against the simulator on 127.0.65.1 (300 Hz, 50
// bodies), once without and once with the Live Monitor shown, in the same
// run (the module also with its dock hidden, which leaves the data lines and
// the reads of each second): the process's CPU share of one core and its resident memory. Then the
// trend rings fed 60 minutes of rows at once, their memory next to their
// computed size.
//
//   bench_monitor [--seconds N]

#include <QApplication>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <sys/resource.h>

#include <cmath>
#include <cstdio>

#include "ConnectedShell.h"
#include "TrendStore.h"
#include "bench_stats.h"

namespace {

const QString kAddress = "127.0.65.1";
constexpr int kCameras = 32;

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double rssMiB()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& l : status.readAll().split('\n')) {
        if (l.startsWith("VmRSS:"))
            return l.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

void runFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// One window measuring for the given time; prints "cpu% rssMiB".
int measureWindow(int seconds, bool showDock)
{
    ConnectedShell shell;
    if (!shell.startSim(kAddress, {"--profile", "large", "--frequency", "300"}))
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

QStringList childRun(const QString& exe, int seconds, const QString& dock = "shown")
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(exe, {"--child", QString::number(seconds), dock});
    p.waitForFinished(-1);
    return QString::fromLatin1(p.readAllStandardOutput()).trimmed().split(' ');
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

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == "--child")
        return measureWindow(args[2].toInt(), args[3] == "shown");
    int seconds = 30;
    const int at = args.indexOf("--seconds");
    if (at > 0 && at + 1 < args.size())
        seconds = args[at + 1].toInt();

    const QStringList without = childRun(QStringLiteral(ORVANE_MONITOR_BENCH_WITHOUT), seconds);
    const QStringList hidden = childRun(app.applicationFilePath(), seconds, "hidden");
    const QStringList with = childRun(app.applicationFilePath(), seconds);
    if (without.size() != 2 || hidden.size() != 2 || with.size() != 2) {
        std::fprintf(stderr, "bench_monitor: a measuring window did not run\n");
        return 1;
    }
    std::printf("measuring window, 300 Hz, 50 bodies, %d s:\n", seconds);
    std::printf("  without the module: CPU %6.2f %% of one core, resident %.1f MiB\n",
                without[0].toDouble(), without[1].toDouble());
    std::printf("  module, dock hidden: CPU %6.2f %% of one core, resident %.1f MiB\n",
                hidden[0].toDouble(), hidden[1].toDouble());
    std::printf("  with the dock shown: CPU %6.2f %% of one core, resident %.1f MiB\n",
                with[0].toDouble(), with[1].toDouble());
    std::printf("  the module adds: %.2f %% of one core, %.1f MiB\n",
                with[0].toDouble() - without[0].toDouble(),
                with[1].toDouble() - without[1].toDouble());
    feedAnHour();
    return 0;
}
