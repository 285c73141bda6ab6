// orvane3ctl as a monitoring system runs it, against one measuring simulator on
// 127.0.62.50: the wall time of "status" and "metrics" per run, next to the
// round trips each needs (counted by the simulator) and a baseline measured in
// the same run: the tool's own start-up ("orvane3ctl --version") plus that many
// bare UDP parameter reads.
//
//   bench_ctl [--runs N]

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QProcess>
#include <QRegularExpression>

#include <cstdio>
#include <vector>

#include "IOManagerUdp.h"
#include "SimProcess.h"

#include "bench_stats.h"

namespace {

const QString kAddress = QStringLiteral("127.0.62.50");

QString tool()
{
    return QStringLiteral(ORVANE_BIN_DIR "/orvane3ctl");
}

int udpCommands(SimProcess& sim)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("udp=(\\d+)")).match(sim.control("stats"));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Median wall time of one run of the tool, in ms; -1 when a run failed.
double medianRunMs(const QStringList& arguments, int runs)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer t;
        t.start();
        p.start(tool(), arguments);
        if (!p.waitForFinished(30000) || p.exitCode() != 0)
            return -1;
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    return median(ms);
}

// Median of one parameter read over UDP, as the tool's channel sends it.
double udpRoundTripMs(int reps)
{
    IOManagerUdp io(nullptr);
    io.set_destination(QHostAddress(kAddress).toIPv4Address(), 50105);
    char value[IOManager::MaxTextLength + 1];
    std::vector<double> ms;
    for (int i = 0; i < reps; ++i) {
        QElapsedTimer t;
        t.start();
        if (io.get_par(value, "system version") != 0)
            return -1;
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    return median(ms);
}

void report(const char* name, double runMs, int trips, double startMs, double tripMs)
{
    const double baseline = startMs + trips * tripMs;
    std::printf(
        "%-8s %8.2f ms per run  %3d round trips  baseline %8.2f ms "
        "(start-up %.2f + %d x %.3f)  ratio %.2f\n",
        name, runMs, trips, baseline, startMs, trips, tripMs,
        baseline > 0 ? runMs / baseline : 0.0);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int runs = 20;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--runs"))
            runs = qMax(1, args[i + 1].toInt());
    }
    SimProcess sim;
    if (!sim.start(kAddress, {"--profile", "demo", "--state", "mea"})) {
        std::fprintf(stderr, "bench_ctl: the simulator does not start\n");
        return 1;
    }

    const double startMs = medianRunMs({"--version"}, runs);
    const double tripMs = udpRoundTripMs(200);
    struct Case
    {
        const char* name;
        QStringList arguments;
    };
    const Case cases[] = {{"status", {"status", kAddress}}, {"metrics", {"metrics", kAddress}}};
    std::printf("bench_ctl: %d runs each, simulator measuring (demo, 6 cameras)\n", runs);
    for (const Case& c : cases) {
        const int before = udpCommands(sim);
        if (medianRunMs(c.arguments, 1) < 0) {
            std::fprintf(stderr, "bench_ctl: %s failed\n", c.name);
            return 1;
        }
        const int trips = udpCommands(sim) - before;
        report(c.name, medianRunMs(c.arguments, runs), trips, startMs, tripMs);
    }
    return 0;
}
