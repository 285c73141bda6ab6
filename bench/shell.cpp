// The front-end as a user starts it, against the simulator on 127.0.10.20:
//  1. start-up: from process start to the last command of the controller
//     initialisation (the moment "Initialization complete." shows), next to
//     the sum of the round trips those commands need, measured in the same run
//     with a raw client sending the same number of commands;
//  2. the connected, measuring window (60 Hz) over a while: its CPU share and
//     resident memory, next to the simulator's CPU share over the same time.
//
//   bench_shell [--seconds N] [--starts N]

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "SimProcess.h"

#include "bench_stats.h"
#include "process_sample.h"

namespace {

const QString kAddress = "127.0.10.20";
const char kLastInitCommand[] = "orvane2 set output active chmon 2dmon yes";

QString frontEnd()
{
    return QStringLiteral(ORVANE_BIN_DIR "/orvane3");
}

// One parameter read per round trip over TCP, as the channel sends them.
double rawRoundTripMs(int count)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(50105);
    inet_pton(AF_INET, kAddress.toLatin1().constData(), &sa.sin_addr);
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0)
        return -1;
    static const char cmd[] = "orvane2 get system version";
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i) {
        if (::send(fd, cmd, sizeof cmd, 0) != sizeof cmd)
            break;
        char answer[256];
        ssize_t got = 0;
        // Each answer ends with a zero byte.
        while (got <= 0 || answer[got - 1] != '\0') {
            const ssize_t n =
                ::recv(fd, answer + std::max<ssize_t>(got, 0), sizeof answer - got, 0);
            if (n <= 0)
                break;
            got = std::max<ssize_t>(got, 0) + n;
        }
    }
    const double ms = clock.nsecsElapsed() / 1e6;
    ::close(fd);
    return ms;
}

void startFrontEnd(QProcess& p, const QString& home, const QStringList& args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(frontEnd(), args);
}

void stopFrontEnd(QProcess& p)
{
    p.terminate();
    if (!p.waitForFinished(5000))
        p.kill();
    p.waitForFinished(2000);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int seconds = 60;
    int starts = 10;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == "--seconds")
            seconds = args[i + 1].toInt();
        if (args[i] == "--starts")
            starts = args[i + 1].toInt();
    }

    SimProcess sim;
    if (!sim.start(kAddress, {"--profile", "demo"})) {
        std::fprintf(stderr, "bench_shell: the simulator does not start\n");
        return 1;
    }
    sim.control("log on");
    QTemporaryDir home;

    std::vector<double> startMs;
    int tcpCommands = 0;
    int udpCommands = 0;
    for (int run = 0; run < starts; ++run) {
        sim.takeOutputLines();
        QProcess p;
        QElapsedTimer clock;
        clock.start();
        startFrontEnd(p, home.path(), {"-host", kAddress});
        QString line;
        tcpCommands = udpCommands = 0;
        bool done = false;
        while (!done && clock.elapsed() < 20000) {
            if (!sim.waitForOutputLine("cmd ", 20000, &line))
                break;
            (line.startsWith("cmd tcp") ? tcpCommands : udpCommands)++;
            done = line.endsWith(kLastInitCommand);
        }
        if (done)
            startMs.push_back(clock.nsecsElapsed() / 1e6);
        stopFrontEnd(p);
        QThread::msleep(200);
    }
    const int commands = tcpCommands + udpCommands;
    const double roundTrips = rawRoundTripMs(commands);
    std::printf("start-up, -host to \"Initialization complete.\" (%d starts):\n",
                int(startMs.size()));
    std::printf("  median %.1f ms, fastest %.1f ms\n", median(startMs),
                startMs.empty() ? 0.0 : *std::min_element(startMs.begin(), startMs.end()));
    std::printf(
        "  %d commands on the way (%d TCP, %d UDP); the same number of raw round trips "
        "takes %.2f ms\n",
        commands, tcpCommands, udpCommands, roundTrips);
    std::printf("  ratio start-up / round trips: %.0f\n",
                roundTrips > 0 ? median(startMs) / roundTrips : 0.0);

    // The connected window while measuring.
    sim.control("log off");
    QProcess p;
    startFrontEnd(p, home.path(), {"-host", kAddress, "-measure"});
    QElapsedTimer waiting;
    waiting.start();
    while (!sim.control("stats").contains("state=mea") && waiting.elapsed() < 20000)
        QThread::msleep(100);
    QThread::msleep(1000);
    const ProcessSample feBefore = sample(p.processId());
    const ProcessSample simBefore = sample(sim.processId());
    QElapsedTimer window;
    window.start();
    double rssMax = feBefore.rssMiB;
    while (window.elapsed() < seconds * 1000LL) {
        QThread::msleep(500);
        rssMax = std::max(rssMax, sample(p.processId()).rssMiB);
    }
    const double wall = window.nsecsElapsed() / 1e9;
    const ProcessSample feAfter = sample(p.processId());
    const ProcessSample simAfter = sample(sim.processId());
    stopFrontEnd(p);
    const double feCpu = 100.0 * (feAfter.cpuSeconds - feBefore.cpuSeconds) / wall;
    const double simCpu = 100.0 * (simAfter.cpuSeconds - simBefore.cpuSeconds) / wall;
    std::printf("connected window measuring at 60 Hz, %.0f s:\n", wall);
    std::printf(
        "  front-end CPU %.2f %% of one core; simulator sending the data %.2f %% "
        "(ratio %.2f)\n",
        feCpu, simCpu, simCpu > 0 ? feCpu / simCpu : 0.0);
    std::printf(
        "  front-end resident memory %.1f MiB at the start, %.1f MiB at the end, "
        "%.1f MiB at most\n",
        feBefore.rssMiB, feAfter.rssMiB, rssMax);
    return 0;
}
