// trackbox-sim: a stand-in for the controller appliance on the network.

#include "Profile.h"
#include "SimController.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHash>
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
        "  --chaos SEED [--chaos-rate PERCENT]  answer at random with faults\n"
        "\n"
        "Prints 'ready ADDR PORT' once listening; reads control lines on stdin\n"
        "(see sim/README.md); stops on SIGTERM, SIGINT or the line 'quit'.\n",
        qPrintable(orvane::sim::builtInProfileNames().join(QStringLiteral(", "))));
}

// Switches that become the control line "NAME on" (or just "NAME").
const QStringList& flagSwitches()
{
    static const QStringList names = {QStringLiteral("silent"), QStringLiteral("oversize"),
                                      QStringLiteral("garbage"), QStringLiteral("sync-missing"),
                                      QStringLiteral("log")};
    return names;
}

// Switches that become the control line "NAME VALUE".
const QStringList& valueSwitches()
{
    static const QStringList names = {QStringLiteral("delay"),
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
                                      QStringLiteral("init-time"),
                                      QStringLiteral("chaos"),
                                      QStringLiteral("chaos-rate")};
    return names;
}

void addOptions(QCommandLineParser* parser)
{
    parser->addOption({{QStringLiteral("h"), QStringLiteral("help")}, QString()});
    parser->addOption({QStringLiteral("verbose"), QString()});
    for (const char* name : {"listen", "port", "profile", "wake-ports", "control", "data"})
        parser->addOption({QString::fromLatin1(name), QString(), QStringLiteral("value")});
    for (const QString& name : flagSwitches())
        parser->addOption({name, QString()});
    for (const QString& name : valueSwitches())
        parser->addOption({name, QString(), QStringLiteral("value")});
}

// Turns one switch, in the order given, into options or control lines.
bool applyOption(const QString& name, const QString& v, SimOptions* o, QString* error)
{
    if (name == QLatin1String("verbose")) {
        o->verbose = true;
    } else if (name == QLatin1String("listen")) {
        o->listenAddress = v;
    } else if (name == QLatin1String("port")) {
        bool ok = false;
        o->port = v.toUShort(&ok);
        if (!ok || o->port == 0) {
            *error = QStringLiteral("invalid port %1").arg(v);
            return false;
        }
    } else if (name == QLatin1String("profile")) {
        o->profile = v;
    } else if (name == QLatin1String("wake-ports")) {
        o->wakePorts.clear();
        for (const QString& p : v.split(QLatin1Char(','), Qt::SkipEmptyParts))
            o->wakePorts.append(p.toUShort());
    } else if (name == QLatin1String("control")) {
        o->controlLines << v;
    } else if (name == QLatin1String("data")) {
        o->controlLines << QStringLiteral("data ") +
                               QString(v).replace(QLatin1Char(':'), QLatin1Char(' '));
    } else if (name == QLatin1String("oversize") || name == QLatin1String("garbage")) {
        o->controlLines << name;
    } else if (flagSwitches().contains(name)) {
        o->controlLines << name + QStringLiteral(" on");
    } else {
        o->controlLines << name + QLatin1Char(' ') + v;
    }
    return true;
}

// The argument the parser did not know, as the user wrote it.
QString firstUnknown(const QCommandLineParser& parser, const QStringList& args)
{
    for (const QString& name : parser.unknownOptionNames()) {
        for (int i = 1; i < args.size(); ++i) {
            if (args.at(i).startsWith(QLatin1Char('-')) && args.at(i).contains(name))
                return args.at(i);
        }
    }
    return parser.unknownOptionNames().value(0);
}

// Returns false with a message for a command line that cannot be used.
// Control lines keep the order of their switches, since later ones may
// override earlier ones ("--set" after "--profile" values, "--data" after
// "--state").
bool parseArguments(const QStringList& args, SimOptions* o, QString* error, bool* help)
{
    QCommandLineParser parser;
    addOptions(&parser);
    if (!parser.parse(args)) {
        // Keep the simulator's own wording for the mistakes scripts look for.
        const QString text = parser.errorText();
        if (text.startsWith(QLatin1String("Unknown option")))
            *error = QStringLiteral("unknown argument %1").arg(firstUnknown(parser, args));
        else if (text.startsWith(QLatin1String("Missing value after")))
            *error = QStringLiteral("%1 needs a value").arg(text.section(QLatin1Char('\''), 1, 1));
        else
            *error = text;
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error = QStringLiteral("unknown argument %1").arg(parser.positionalArguments().first());
        return false;
    }
    QHash<QString, int> seen;  // how many values of each switch are used up
    for (const QString& name : parser.optionNames()) {
        if (name == QLatin1String("h") || name == QLatin1String("help")) {
            *help = true;
            continue;
        }
        const QStringList values = parser.values(name);
        const int index = seen[name]++;
        if (!applyOption(name, values.value(index), o, error))
            return false;
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
