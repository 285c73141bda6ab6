// Time of a full scan of one subnet with 1, 8 and 32 simulated controllers, next to the
// lowest time the design allows: the broadcast phase ends only after one silent answer
// time-out (500 ms), and every controller then costs its follow-up round trips (six reads
// for a controller with full access and a current protocol), measured here as a baseline.
//
// Needs root (network namespaces); everything runs inside namespaces made for the run.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "IOManagerUdp.h"
#include "NetLab.h"
#include "SimProcess.h"
#include "TrackboxScanner.h"

namespace {

constexpr int kSilenceMs = 500;
constexpr int kFollowUpReads = 6;

QString controllerAddress(int i)
{
    return QStringLiteral("198.51.100.%1").arg(100 + i);
}

// Mean round trip of one parameter read from the scanning host to one controller.
double meanRoundTripMs(NetLab& lab, const QString& host, const QString& address)
{
    if (!lab.enter(host))
        return -1;
    IOManagerUdp io(nullptr);
    io.set_destination(QHostAddress(address).toIPv4Address(), 50105);
    char value[300];
    constexpr int reps = 200;
    int ok = 0;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < reps; ++i)
        ok += io.get_par(value, "system hostname") == 0 ? 1 : 0;
    const double ms = t.nsecsElapsed() / 1e6 / reps;
    lab.leave();
    return ok == reps ? ms : -1;
}

struct ScanResult
{
    double ms = 0;
    int found = 0;
};

ScanResult scanOnce(NetLab& lab, const QString& host)
{
    ScanResult r;
    if (!lab.enter(host))
        return r;
    QElapsedTimer t;
    t.start();
    TrackboxScanner scanner(50105);
    r.found = scanner.get_all_trackboxes(0).size();
    r.ms = t.nsecsElapsed() / 1e6;
    lab.leave();
    return r;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QString why;
    if (!NetLab::available(&why)) {
        std::printf("bench_discovery: skipped, network namespaces unavailable: %s\n",
                    qPrintable(why));
        return 0;
    }

    const int counts[] = {1, 8, 32};
    constexpr int repeats = 3;
    NetLab lab(QStringLiteral("bdisc"));
    if (lab.addHost("pc").isEmpty() || lab.addInterface("pc", "198.51.100.10/24").isEmpty()) {
        std::fprintf(stderr, "bench_discovery: cannot build the scanning host\n");
        return 1;
    }

    std::vector<std::unique_ptr<SimProcess>> sims;
    double rtt = -1;
    std::printf("discovery of N controllers on one subnet (%d scans each, best and median)\n",
                repeats);
    for (int n : counts) {
        while (int(sims.size()) < n) {
            const int i = int(sims.size()) + 1;
            const QString host = QStringLiteral("tb%1").arg(i);
            auto sim = std::make_unique<SimProcess>();
            if (lab.addHost(host).isEmpty() ||
                lab.addInterface(host, controllerAddress(i) + "/24").isEmpty() ||
                !sim->start(QStringLiteral("0.0.0.0"), {}, lab.ns(host))) {
                std::fprintf(stderr, "bench_discovery: controller %d did not start\n", i);
                return 1;
            }
            sims.push_back(std::move(sim));
        }
        if (rtt < 0) {
            rtt = meanRoundTripMs(lab, "pc", controllerAddress(1));
            if (rtt < 0) {
                std::fprintf(stderr, "bench_discovery: baseline round trip failed\n");
                return 1;
            }
            std::printf("baseline: one parameter read round trip %.3f ms\n", rtt);
        }

        std::vector<double> times;
        int found = 0;
        for (int k = 0; k < repeats; ++k) {
            const ScanResult r = scanOnce(lab, "pc");
            times.push_back(r.ms);
            found = r.found;
        }
        std::sort(times.begin(), times.end());
        const double bound = kSilenceMs + n * kFollowUpReads * rtt;
        std::printf(
            "N=%2d  found %2d  best %8.1f ms  median %8.1f ms  lower bound %8.1f ms "
            "(500 + %d x %d x %.3f)  best/bound %.3f\n",
            n, found, times.front(), times[times.size() / 2], bound, n, kFollowUpReads, rtt,
            times.front() / bound);
        if (found != n) {
            std::fprintf(stderr, "bench_discovery: expected %d controllers, found %d\n", n, found);
            return 1;
        }
    }
    return 0;
}
