#include "CtlContext.h"
#include "CtlExit.h"
#include "CtlSubcommands.h"

#include <QCoreApplication>

void CtlContext::progress(const QString& text)
{
    if (progressShown)
        err << text << '\n' << Qt::flush;
}

void CtlContext::error(const QString& text)
{
    err << QCoreApplication::applicationName() << ": " << text << '\n' << Qt::flush;
}

void CtlContext::printJson(const QJsonDocument& document)
{
    out << document.toJson(QJsonDocument::Indented) << Qt::flush;
}

const CtlSubcommand* ctlSubcommands()
{
    static const CtlSubcommand table[] = {
        {"discover",
         "discover [--subnet ADDR]\n"
         "                         list the controllers on the network",
         ctlDiscover},
        {"status",
         "status HOST [--watch SECONDS]\n"
         "                         versions, access, measurement, cameras, radio",
         ctlStatus},
        {"measure",
         "measure start|stop HOST\n"
         "                         start or stop measurement",
         ctlMeasure},
        {"shutdown", "shutdown HOST          shut the controller down to standby", ctlShutdown},
        {"reboot", "reboot HOST            reboot the controller", ctlReboot},
        {"wake",
         "wake MAC [--subnet ADDR] [--wait SECONDS]\n"
         "                         wake a controller and wait for its answer",
         ctlWake},
        {"password",
         "password check|set|clear HOST\n"
         "                         check, set or clear the front-end password",
         ctlPassword},
        {"report", "report HOST [-o FILE]  the configuration report", ctlReport},
        {"export",
         "export HOST -o FILE [--days N]\n"
         "                         the system information export with event logs",
         ctlExport},
        {"send", "send HOST COMMAND      one raw command, the answer as received", ctlSend},
        {"diagnose", "diagnose HOST          walk the connection path step by step", ctlDiagnose},
        {"metrics", "metrics HOST...        Prometheus metrics of each controller", ctlMetrics},
        {nullptr, nullptr, nullptr}};
    return table;
}

static QString overallHelp()
{
    QString text = QStringLiteral(
        "Usage: orvane3ctl [--json] SUBCOMMAND [ARGUMENTS]\n\n"
        "The ORVANE3 front-end without its window.\n\nSubcommands:\n");
    for (const CtlSubcommand* s = ctlSubcommands(); s->name; ++s)
        text += QStringLiteral("  ") + QString::fromLatin1(s->synopsis) + '\n';
    text += QStringLiteral(
        "\nHOST is a controller's name or address. discover, status, report, export,\n"
        "password check, diagnose, metrics and send of \"orvane2 get ...\" only read: they\n"
        "never send \"orvane2 init\" and take no access. The others change the\n"
        "controller: they stop with exit code 5 while another front-end holds access,\n"
        "read the password when one is set (from the terminal without echo, or from\n"
        "standard input), then take access as the window does.\n"
        "Results go to stdout; errors, and progress on a terminal, to stderr.\n");
    text += QStringLiteral(
        "\nOptions:\n"
        "  --json     print results as one JSON document\n"
        "  --help     show this help, or a subcommand's with SUBCOMMAND --help\n"
        "  --version  show the version\n\n");
    text += QString::fromLatin1(CtlExit::kHelpTable);
    return text;
}

int ctlRun(const QStringList& arguments, QTextStream& out, QTextStream& err, bool errIsTerminal)
{
    // Global options come before the subcommand; everything after it is the subcommand's.
    bool json = false;
    int i = 1;
    for (; i < arguments.size() && arguments.at(i).startsWith('-'); ++i) {
        const QString& option = arguments.at(i);
        if (option == QLatin1String("--json")) {
            json = true;
        } else if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            out << overallHelp() << Qt::flush;
            return CtlExit::Success;
        } else if (option == QLatin1String("--version") || option == QLatin1String("-v")) {
            out << QCoreApplication::applicationName() << ' '
                << QCoreApplication::applicationVersion() << '\n'
                << Qt::flush;
            return CtlExit::Success;
        } else {
            err << "orvane3ctl: unknown option " << option << "\n\n" << overallHelp() << Qt::flush;
            return CtlExit::Usage;
        }
    }
    if (i >= arguments.size()) {
        err << overallHelp() << Qt::flush;
        return CtlExit::Usage;
    }
    const QString name = arguments.at(i);
    for (const CtlSubcommand* s = ctlSubcommands(); s->name; ++s) {
        if (name != QLatin1String(s->name))
            continue;
        CtlContext context{arguments.mid(i), out, err, json, errIsTerminal};
        // "--json" is accepted after the subcommand too, where users tend to put it.
        if (context.arguments.removeAll(QStringLiteral("--json")) > 0)
            context.json = true;
        return s->run(context);
    }
    err << "orvane3ctl: unknown subcommand " << name << "\n\n" << overallHelp() << Qt::flush;
    return CtlExit::Usage;
}
