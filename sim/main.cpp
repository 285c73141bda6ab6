// trackbox-sim: a stand-in for the controller appliance on the network.

#include "Profile.h"
#include "SimController.h"

#include <QCoreApplication>
#include <QMutex>
#include <QSocketNotifier>
#include <QStringList>

#include <fcntl.h>
#include <unistd.h>
#include <csignal>
#include <cstdio>

using orvane::sim::SimController;
using orvane::sim::SimOptions;

namespace {

int g_signalPipe[2] = {-1, -1};
QMutex g_stdoutMutex;

void printLine(const QString& line)
{
    QMutexLocker lock(&g_stdoutMutex);
    const QByteArray bytes = line.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void onSignal(int)
{
    const char c = 1;
    if (write(g_signalPipe[1], &c, 1) < 0) {
        // Nothing sensible to do inside a signal handler.
    }
}

void usage(FILE* out)
{
    std::fprintf(
        out,
        "Usage: trackbox-sim [--listen ADDR] [--port N] [--profile NAME|FILE] [--verbose]\n"
        "                    [fault switches] [--help]\n"
        "\n"
        "  --listen ADDR       address of the command sockets (default 127.0.0.1;\n"
        "                      0.0.0.0 also receives broadcasts)\n"
        "  --port N            command port, TCP and UDP (default 50105)\n"
        "  --profile P         built-in profile (%s) or a JSON file\n"
        "  --verbose           trace every command and answer on stderr\n"
        "  --wake-ports A,B    Wake-on-LAN ports while asleep (default 7,9)\n"
        "\n"
        "Fault switches take the words of the control lines read on stdin:\n"
        "  --delay MS --drop N --silent --close-after N --oversize --garbage\n"
        "  --error PARAM --raw 'PARAM | TEXT' --set 'PARAM = VALUE' --msg TEXT\n"
        "  --state S --refuse-tracking N --sync-missing --data stop|start|flood:HZ\n"
        "  --frequency HZ --boot-time MS --reboot-time MS --reinit-time MS\n"
        "  --cal-time MS --password TEXT --access ADDR --log --control LINE\n"
        "\n"
        "Prints 'ready ADDR PORT' once listening; reads control lines on stdin\n"
        "(see sim/README.md); stops on SIGTERM, SIGINT or the line 'quit'.\n",
        qPrintable(orvane::sim::builtInProfileNames().join(QStringLiteral(", "))));
}

// Returns false with a message for a command line that cannot be used.
bool parseArguments(const QStringList& args, SimOptions* o, QString* error, bool* help)
{
    static const QStringList flags = {QStringLiteral("silent"), QStringLiteral("oversize"),
                                      QStringLiteral("garbage"), QStringLiteral("sync-missing"),
                                      QStringLiteral("log")};
    static const QStringList withArg = {QStringLiteral("delay"),
                                        QStringLiteral("drop"),
                                        QStringLiteral("close-after"),
                                        QStringLiteral("error"),
                                        QStringLiteral("raw"),
                                        QStringLiteral("set"),
                                        QStringLiteral("msg"),
                                        QStringLiteral("state"),
                                        QStringLiteral("refuse-tracking"),
                                        QStringLiteral("frequency"),
                                        QStringLiteral("boot-time"),
                                        QStringLiteral("reboot-time"),
                                        QStringLiteral("reinit-time"),
                                        QStringLiteral("cal-time"),
                                        QStringLiteral("password"),
                                        QStringLiteral("access"),
                                        QStringLiteral("frames-lost"),
                                        QStringLiteral("init-time")};
    for (int i = 1; i < args.size(); ++i) {
        const QString a = args.at(i);
        const QString name = a.startsWith(QLatin1String("--")) ? a.mid(2) : QString();
        auto next = [&](QString* v) {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("%1 needs a value").arg(a);
                return false;
            }
            *v = args.at(++i);
            return true;
        };
        QString v;
        if (name == QLatin1String("help") || a == QLatin1String("-h")) {
            *help = true;
        } else if (name == QLatin1String("verbose")) {
            o->verbose = true;
        } else if (name == QLatin1String("listen")) {
            if (!next(&o->listenAddress))
                return false;
        } else if (name == QLatin1String("port")) {
            if (!next(&v))
                return false;
            bool ok = false;
            o->port = v.toUShort(&ok);
            if (!ok || o->port == 0) {
                *error = QStringLiteral("invalid port %1").arg(v);
                return false;
            }
        } else if (name == QLatin1String("profile")) {
            if (!next(&o->profile))
                return false;
        } else if (name == QLatin1String("wake-ports")) {
            if (!next(&v))
                return false;
            o->wakePorts.clear();
            for (const QString& p : v.split(QLatin1Char(','), Qt::SkipEmptyParts))
                o->wakePorts.append(p.toUShort());
        } else if (name == QLatin1String("control")) {
            if (!next(&v))
                return false;
            o->controlLines << v;
        } else if (name == QLatin1String("data")) {
            if (!next(&v))
                return false;
            o->controlLines << QStringLiteral("data ") +
                                   QString(v).replace(QLatin1Char(':'), QLatin1Char(' '));
        } else if (flags.contains(name)) {
            o->controlLines << name + QStringLiteral(" on");
            if (name == QLatin1String("oversize") || name == QLatin1String("garbage"))
                o->controlLines.last() = name;
        } else if (withArg.contains(name)) {
            if (!next(&v))
                return false;
            o->controlLines << name + QLatin1Char(' ') + v;
        } else {
            *error = QStringLiteral("unknown argument %1").arg(a);
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    SimOptions options;
    QString error;
    bool help = false;
    if (!parseArguments(app.arguments(), &options, &error, &help)) {
        std::fprintf(stderr, "trackbox-sim: %s\n", qPrintable(error));
        usage(stderr);
        return 2;
    }
    if (help) {
        usage(stdout);
        return 0;
    }

    std::signal(SIGPIPE, SIG_IGN);
    // Started with & from a terminal, reading stdin must not stop the process.
    std::signal(SIGTTIN, SIG_IGN);
    if (pipe(g_signalPipe) == 0) {
        std::signal(SIGTERM, onSignal);
        std::signal(SIGINT, onSignal);
    }
    QSocketNotifier signalNotifier(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);

    SimController sim(options);
    QObject::connect(&sim, &SimController::outputLine, &sim, &printLine, Qt::DirectConnection);
    QObject::connect(&sim, &SimController::quitRequested, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    if (!sim.start(&error)) {
        std::fprintf(stderr, "trackbox-sim: %s\n", qPrintable(error));
        return 1;
    }
    printLine(QStringLiteral("ready %1 %2").arg(options.listenAddress).arg(options.port));

    // Control lines on stdin. End of input leaves the simulator running so it
    // can be started in the background.
    QByteArray pending;
    bool skippingLine = false;  // the rest of an over-long line, already answered
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buf[4096];
        const ssize_t n = read(STDIN_FILENO, buf, sizeof buf);
        if (n <= 0) {
            input.setEnabled(false);
            return;
        }
        pending.append(buf, int(n));
        int nl;
        while ((nl = pending.indexOf('\n')) >= 0) {
            const QString line = QString::fromLocal8Bit(pending.left(nl));
            pending.remove(0, nl + 1);
            if (skippingLine)
                skippingLine = false;
            else if (!line.trimmed().isEmpty())
                printLine(sim.control(line));
        }
        // A line that never ends is not a control line: one answer for it, and
        // the buffer stays bounded.
        if (pending.size() > 65536) {
            pending.clear();
            if (!skippingLine)
                printLine(QStringLiteral("err control line too long"));
            skippingLine = true;
        }
    });

    const int rc = app.exec();
    sim.stop();
    return rc;
}
