#include "AccessControl.h"
#include "BackendVersions.h"
#include "ControllerProbe.h"
#include "ControllerStatus.h"
#include "ControllerVersions.h"
#include "CtlContext.h"
#include "CtlController.h"
#include "CtlExit.h"
#include "CtlSubcommands.h"
#include "FrontendInfo.h"
#include "IOManagerUdp.h"
#include "IOManagerUdpTcp.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QUdpSocket>

#include <functional>
#include <memory>

using ControllerStatusReader::TcpResult;

namespace {

constexpr int kUdpTries = 2;
constexpr int kTcpTimeoutMs = 1500;
// The controller sends a datagram per frame; even a slow installation sends several a second.
constexpr int kDataWaitMs = 2500;
constexpr const char* kMonitorChannel = "chmon";
// The steps in the order every run lists them; the ids stay English for scripts.
constexpr const char* kStepIds[] = {"name",   "route",    "udp",       "tcp",        "protocol",
                                    "access", "password", "data_path", "wake_on_lan"};
constexpr int kStepCount = int(sizeof kStepIds / sizeof kStepIds[0]);

// The subcommand's texts for translation, under one context.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(CtlDiagnose)
};

enum class Verdict
{
    Ok,
    Warning,
    Failed,
    Skipped
};

struct Step
{
    QString name;
    Verdict verdict = Verdict::Skipped;
    QString seen;
    QString advice;
    int exitCode = CtlExit::Success;
};

// What the walk has learnt so far; each step reads what the ones before it found.
struct Walk
{
    QString host;
    uint32_t ip = 0;
    bool routed = false;
    bool udpAnswered = false;
    qint64 udpMicros = 0;
    TcpResult tcp = TcpResult::TimedOut;
    bool accessFree = false;
    std::unique_ptr<IOManagerUdp> channel;
    BackendVersions versions;
    QString modelCode;
    QString state;
    QString mac;
};

Step verdict(const QString& name, Verdict v, const QString& seen, const QString& advice = {},
             int exitCode = CtlExit::Success)
{
    return Step{name, v, seen, advice, exitCode};
}

QString readValue(IOManager* iom, const char* parameter, bool* ok = nullptr)
{
    char value[IOManager::MaxTextLength + 1] = {};
    const bool read = iom->get_par(value, "%s", parameter) == 0;
    if (ok)
        *ok = read;
    return read ? QString::fromUtf8(value) : QString();
}

Step stepName(Walk& w)
{
    const QString name = Text::tr("name resolution");
    w.ip = ControllerAddress::resolve(w.host);
    if (w.ip == 0)
        return verdict(
            name, Verdict::Failed, Text::tr("%1 does not resolve").arg(ctlPrintable(w.host)),
            Text::tr("check the spelling, the name server or /etc/hosts, or give the address"),
            CtlExit::NoAnswer);
    if (QHostAddress(w.host).protocol() == QAbstractSocket::IPv4Protocol)
        return verdict(name, Verdict::Ok,
                       Text::tr("%1 is an address").arg(ControllerAddress::dotted(w.ip)));
    return verdict(name, Verdict::Ok,
                   Text::tr("%1 is %2").arg(ctlPrintable(w.host), ControllerAddress::dotted(w.ip)));
}

// The interface of the default route from the kernel's table, empty when there is none.
QString defaultRouteInterface()
{
    QFile routes(QStringLiteral("/proc/net/route"));
    if (!routes.open(QIODevice::ReadOnly))
        return QString();
    // A routing table of a thousand lines is already far more than any PC has.
    for (int i = 0; i < 1000 && !routes.atEnd(); ++i) {
        const QList<QByteArray> fields = routes.readLine().simplified().split(' ');
        if (fields.size() > 7 && fields.at(1) == "00000000" && fields.at(7) == "00000000")
            return QString::fromLatin1(fields.at(0));
    }
    return QString();
}

Step stepRoute(Walk& w)
{
    const QString name = Text::tr("local route");
    const QHostAddress target(w.ip);
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        if (!(iface.flags() & QNetworkInterface::IsUp))
            continue;
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol ||
                !target.isInSubnet(entry.ip(), entry.prefixLength()))
                continue;
            w.routed = true;
            const QString via = Text::tr("interface %1, subnet %2/%3")
                                    .arg(iface.name(), entry.ip().toString())
                                    .arg(entry.prefixLength());
            if (entry.broadcast().isNull())
                return verdict(
                    name, Verdict::Ok,
                    via + Text::tr(", no broadcast: a wake-up goes to the address itself"));
            return verdict(
                name, Verdict::Ok,
                via + Text::tr(", wake-up broadcast %1").arg(entry.broadcast().toString()));
        }
    }
    const QString gateway = defaultRouteInterface();
    if (!gateway.isEmpty()) {
        w.routed = true;
        return verdict(
            name, Verdict::Warning,
            Text::tr("not on a local subnet; reached through the default route on %1").arg(gateway),
            Text::tr("wake-up broadcasts do not cross routers; wake it from its own subnet"));
    }
    return verdict(
        name, Verdict::Failed,
        Text::tr("no local interface or route reaches %1").arg(ControllerAddress::dotted(w.ip)),
        Text::tr("connect this PC to the controller's network or add a route"), CtlExit::NoAnswer);
}

Step stepUdp(Walk& w)
{
    w.channel = std::make_unique<IOManagerUdp>();
    if (!w.channel->isSocketValid() ||
        w.channel->set_destination(w.ip, FrontendInfo::kControllerPort) != 0)
        return verdict(Text::tr("UDP answer"), Verdict::Failed,
                       Text::tr("no UDP socket on this PC"), {}, CtlExit::Internal);
    char value[IOManager::MaxTextLength + 1] = {};
    for (int i = 0; i < kUdpTries && !w.udpAnswered; ++i) {
        QElapsedTimer timer;
        timer.start();
        w.udpAnswered = w.channel->get_par(value, "system version") == 0;
        w.udpMicros = timer.nsecsElapsed() / 1000;
    }
    // The verdict waits for the TCP step, which tells asleep from hung.
    return Step{};
}

QString udpSeen(const Walk& w)
{
    return Text::tr("answered on port %1 in %2 ms")
        .arg(FrontendInfo::kControllerPort)
        .arg(double(w.udpMicros) / 1000.0, 0, 'f', 2);
}

Step udpVerdict(const Walk& w)
{
    const QString name = Text::tr("UDP answer");
    if (w.udpAnswered)
        return verdict(name, Verdict::Ok, udpSeen(w));
    const QString seen = Text::tr("no answer on port %1 (%2 tries)")
                             .arg(FrontendInfo::kControllerPort)
                             .arg(kUdpTries);
    switch (w.tcp) {
        case TcpResult::Refused:
            return verdict(
                name, Verdict::Failed, seen + Text::tr(", and TCP connections are refused"),
                Text::tr("the controller is asleep or its software is not running: wake it "
                         "(orvane3ctl wake MAC) or switch it on"),
                CtlExit::Asleep);
        case TcpResult::Connected:
            return verdict(
                name, Verdict::Failed, seen + Text::tr(", although TCP connections are accepted"),
                Text::tr("the controller software hangs, or a firewall drops UDP: restart the "
                         "controller, check the firewall"),
                CtlExit::NoAnswer);
        default:
            return verdict(
                name, Verdict::Failed, seen,
                Text::tr("the controller is off, asleep or behind a firewall: check its power "
                         "and cable, wake it, or allow UDP port %1")
                    .arg(FrontendInfo::kControllerPort),
                CtlExit::NoAnswer);
    }
}

Step stepTcp(Walk& w)
{
    const QString name = Text::tr("TCP connect");
    qint64 ms = 0;
    w.tcp = ControllerStatusReader::tryTcp(w.ip, kTcpTimeoutMs, &ms);
    switch (w.tcp) {
        case TcpResult::Connected:
            return verdict(name, Verdict::Ok,
                           Text::tr("port %1 accepts connections (%2 ms)")
                               .arg(FrontendInfo::kControllerPort)
                               .arg(ms));
        case TcpResult::Refused:
            return verdict(
                name, Verdict::Failed, Text::tr("connection refused"),
                w.udpAnswered
                    ? Text::tr("a firewall rejects TCP port %1: allow it")
                          .arg(FrontendInfo::kControllerPort)
                    : Text::tr("nothing listens on port %1").arg(FrontendInfo::kControllerPort),
                w.udpAnswered ? CtlExit::NoAnswer : CtlExit::Asleep);
        case TcpResult::Unreachable:
            return verdict(name, Verdict::Failed, Text::tr("network unreachable"),
                           Text::tr("check the cable and the route"), CtlExit::NoAnswer);
        case TcpResult::TimedOut:
            break;
    }
    return verdict(name, Verdict::Failed, Text::tr("no answer within %1 ms").arg(kTcpTimeoutMs),
                   Text::tr("a firewall drops TCP port %1, or the controller is off")
                       .arg(FrontendInfo::kControllerPort),
                   CtlExit::NoAnswer);
}

QString featuresOff(const VersionInfo& protocol)
{
    QStringList off;
    for (const ProtocolFeatureSince& f : kProtocolFeatures) {
        if (!protocol.reaches(f.major, f.minor))
            off << QLatin1String(f.name);
    }
    return off.join(QStringLiteral(", "));
}

Step stepProtocol(Walk& w)
{
    const QString name = Text::tr("protocol version");
    ControllerVersions::read(w.channel.get(), &w.versions, &w.modelCode);
    const VersionInfo& protocol = w.versions.protocol();
    if (protocol.getMajor() < 0)
        return verdict(name, Verdict::Warning,
                       Text::tr("system %1, protocol version not readable")
                           .arg(w.versions.systemPt().toString()),
                       Text::tr("a controller this old offers few features; update its software"));
    QString seen = Text::tr("protocol %1, system %2")
                       .arg(protocol.toString(), w.versions.systemPt().toString());
    if (!w.versions.zecModel().isEmpty())
        seen += Text::tr(", model %1").arg(ctlPrintable(w.versions.zecModel()));
    const QString off = featuresOff(protocol);
    seen += off.isEmpty() ? Text::tr("; every feature on") : Text::tr("; off: %1").arg(off);
    return verdict(name, Verdict::Ok, seen);
}

Step stepAccess(Walk& w)
{
    const QString name = Text::tr("access holder");
    bool ok = false;
    const QString access = readValue(w.channel.get(), "system access", &ok);
    if (!ok)
        return verdict(name, Verdict::Warning, Text::tr("access state not readable"));
    if (access.trimmed() == QLatin1String("full")) {
        w.accessFree = true;
        return verdict(name, Verdict::Ok, Text::tr("this PC would get full access"));
    }
    QString holder;
    if (w.versions.protocol().supports(ProtocolFeature::AccessHolderQuery))
        holder = readValue(w.channel.get(), "system accessed_by");
    if (holder.isEmpty() || holder == QLatin1String("none"))
        holder = Text::tr("another front-end or the cascade master");
    return verdict(name, Verdict::Failed, Text::tr("held by %1").arg(ctlPrintable(holder)),
                   Text::tr("close the front-end there, or ask its user to"), CtlExit::AccessHeld);
}

Step stepPassword(Walk& w)
{
    const QString name = Text::tr("password");
    AccessControl control(w.ip, 0);
    int err = 0;
    const bool required = control.requiresPassword(&err);
    if (err != 0)
        return verdict(name, Verdict::Warning, Text::tr("the controller did not tell"));
    if (required)
        return verdict(name, Verdict::Warning, Text::tr("a front-end password is set"),
                       Text::tr("have it ready; orvane3ctl password check tests it"));
    if (!control.supportsPassword())
        return verdict(name, Verdict::Ok, Text::tr("this protocol version has no password"));
    return verdict(name, Verdict::Ok, Text::tr("no password set"));
}

// Routes the monitoring channel here for a moment and puts it back: only
// possible while nobody holds access, and then nobody else receives it either.
Step stepData(Walk& w)
{
    const QString name = Text::tr("data path");
    w.state = readValue(w.channel.get(), "status active");
    if (w.state != QLatin1String("mea") && w.state != QLatin1String("cal"))
        return verdict(name, Verdict::Warning,
                       Text::tr("not checked: the controller does not measure (state %1)")
                           .arg(ctlPrintable(w.state.isEmpty() ? QStringLiteral("-") : w.state)),
                       Text::tr("start measurement and run diagnose again"));
    if (!w.accessFree)
        return verdict(name, Verdict::Warning,
                       Text::tr("not checked: the front-end holding access receives the data"));
    QUdpSocket data;
    bool ok = false;
    const QString previous = readValue(w.channel.get(), "output net chmon", &ok);
    // A value that cannot be written back as one command would leave the output pointing here.
    const QByteArray restore = previous.toUtf8();
    if (!data.bind(QHostAddress(QHostAddress::AnyIPv4), 0) || !ok ||
        !IOManager::isOneLine(restore.constData()) || restore.size() > 150)
        return verdict(
            name, Verdict::Warning,
            Text::tr("not checked: no data socket, or the monitoring route could not be put back"));
    if (w.channel->set_par("output net %s udp my_ip %hu", kMonitorChannel, data.localPort()) != 0)
        return verdict(name, Verdict::Warning,
                       Text::tr("not checked: the controller refused the route"));
    // As at a measurement start: the datagram opens the way through stateful firewalls.
    int senderPort = 0;
    if (IOManagerUdpTcp::checkVersion(readValue(w.channel.get(), "system version"),
                                      QLatin1String(kDataPathDatagramSince)) &&
        w.channel->get_par_i(&senderPort, "output net_sender_port chmon") == 0 && senderPort > 0 &&
        senderPort <= 65535)
        data.writeDatagram("dummy", 6, QHostAddress(w.ip), quint16(senderPort));
    QElapsedTimer timer;
    timer.start();
    bool arrived = false;
    while (!arrived && timer.elapsed() < kDataWaitMs &&
           data.waitForReadyRead(int(kDataWaitMs - timer.elapsed()))) {
        while (data.hasPendingDatagrams())
            arrived |= data.receiveDatagram(2048).senderAddress() == QHostAddress(w.ip);
    }
    const qint64 waited = timer.elapsed();
    w.channel->set_par("output net %s %s", kMonitorChannel, restore.constData());
    if (arrived)
        return verdict(name, Verdict::Ok,
                       Text::tr("a monitoring datagram reached this PC after %1 ms").arg(waited));
    return verdict(
        name, Verdict::Failed,
        Text::tr("no monitoring datagram within %1 ms while the controller measures")
            .arg(kDataWaitMs),
        Text::tr("a firewall on this PC or between drops UDP from the controller: allow UDP "
                 "from %1")
            .arg(ControllerAddress::dotted(w.ip)),
        CtlExit::NoAnswer);
}

Step stepMac(Walk& w)
{
    const QString name = Text::tr("wake-on-LAN");
    if (!w.versions.protocol().supports(ProtocolFeature::MacAddress))
        return verdict(name, Verdict::Warning,
                       Text::tr("this protocol version does not tell its MAC"),
                       Text::tr("note the MAC from the controller's label for wake-ups"));
    bool ok = false;
    w.mac = readValue(w.channel.get(), "system ethernet_mac", &ok);
    if (!ok || w.mac.isEmpty())
        return verdict(name, Verdict::Warning, Text::tr("MAC not readable"),
                       Text::tr("note the MAC from the controller's label for wake-ups"));
    return verdict(
        name, Verdict::Ok,
        Text::tr("MAC %1 known: orvane3ctl wake %1 can wake it").arg(ctlPrintable(w.mac)));
}

QString verdictWord(Verdict v)
{
    switch (v) {
        case Verdict::Ok:
            return QStringLiteral("ok");
        case Verdict::Warning:
            return QStringLiteral("warning");
        case Verdict::Failed:
            return QStringLiteral("failed");
        case Verdict::Skipped:
            break;
    }
    return QStringLiteral("skipped");
}

QVector<Step> walk(Walk& w)
{
    QVector<Step> steps;
    steps << stepName(w);
    if (w.ip != 0)
        steps << stepRoute(w);
    if (w.routed) {
        stepUdp(w);
        const Step tcp = stepTcp(w);
        steps << udpVerdict(w) << tcp;
    }
    if (w.udpAnswered) {
        steps << stepProtocol(w) << stepAccess(w) << stepPassword(w) << stepData(w) << stepMac(w);
    }
    return steps;
}

// The steps the walk could not reach, so every run lists the same steps.
void addSkipped(QVector<Step>* steps)
{
    const QStringList all = {
        Text::tr("name resolution"), Text::tr("local route"),      Text::tr("UDP answer"),
        Text::tr("TCP connect"),     Text::tr("protocol version"), Text::tr("access holder"),
        Text::tr("password"),        Text::tr("data path"),        Text::tr("wake-on-LAN")};
    for (int i = steps->size(); i < all.size(); ++i)
        *steps << verdict(all.at(i), Verdict::Skipped,
                          Text::tr("not checked after the failure above"));
}

}  // namespace

int ctlDiagnose(CtlContext& context)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        Text::tr("Walks the path a connection takes and prints one verdict per step (ok, warning,\n"
                 "failed, skipped): name, local route and wake-up broadcast, UDP answer and round\n"
                 "trip, TCP connect, protocol version and features, access holder, password, data\n"
                 "path, MAC for wake-on-LAN. Exits with the code of the first failed step.\n"
                 "Never initialises the controller or takes access; while nobody holds access and\n"
                 "the controller measures, it routes the monitoring output here for a moment and\n"
                 "then restores it."));
    parser.addPositionalArgument(QStringLiteral("HOST"), Text::tr("controller name or address"));
    const QString synopsis = QStringLiteral("diagnose HOST");
    const int parsed = ctlParseArguments(context, parser, synopsis, 1, 1);
    if (parsed >= 0)
        return parsed;
    Walk w;
    w.host = parser.positionalArguments().constFirst();
    QVector<Step> steps = walk(w);
    addSkipped(&steps);

    int code = CtlExit::Success;
    QString firstFailed;
    int counts[4] = {};
    for (const Step& s : steps) {
        ++counts[int(s.verdict)];
        if (s.verdict == Verdict::Failed && code == CtlExit::Success) {
            code = s.exitCode;
            firstFailed = s.name;
        }
    }
    const QString summary =
        firstFailed.isEmpty()
            ? Text::tr("summary: %1 ok, %2 warnings: the path to the controller is open")
                  .arg(counts[0])
                  .arg(counts[1])
            : Text::tr("summary: %1 ok, %2 warnings, %3 failed; first failure: %4 (exit code %5)")
                  .arg(counts[0])
                  .arg(counts[1])
                  .arg(counts[2])
                  .arg(firstFailed)
                  .arg(code);
    if (context.json) {
        QJsonArray list;
        for (int i = 0; i < steps.size() && i < kStepCount; ++i) {
            const Step& s = steps.at(i);
            list.append(QJsonObject{{"id", QLatin1String(kStepIds[i])},
                                    {"step", s.name},
                                    {"verdict", verdictWord(s.verdict)},
                                    {"seen", s.seen},
                                    {"advice", s.advice},
                                    {"exit_code", s.exitCode}});
        }
        context.printJson(QJsonDocument(QJsonObject{
            {"host", w.host},
            {"address", w.ip ? QJsonValue(ControllerAddress::dotted(w.ip)) : QJsonValue()},
            {"steps", list},
            {"summary", summary},
            {"exit_code", code}}));
        return code;
    }
    for (const Step& s : steps) {
        context.out << verdictWord(s.verdict).leftJustified(8) << s.name.leftJustified(18) << s.seen
                    << (s.advice.isEmpty() ? QString() : QStringLiteral(": ") + s.advice) << '\n';
    }
    context.out << summary << '\n' << Qt::flush;
    return code;
}
