// wake: the magic packets the connection dialog sends, then a wait for the
// controller with that MAC to answer a scan.

#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QJsonObject>
#include <QThread>

#include "ControllerProbe.h"
#include "CtlContext.h"
#include "CtlController.h"
#include "CtlExit.h"
#include "CtlSubcommands.h"
#include "FrontendInfo.h"
#include "TrackboxScanner.h"
#include "WakeOnLan.h"

namespace {

// As long as the connection dialog waits for a woken controller.
constexpr int kDefaultWaitSeconds = 150;
constexpr int kScanPauseMs = 1000;

QString normalisedMac(const QString& mac)
{
    return mac.trimmed().toLower().replace(QLatin1Char('-'), QLatin1Char(':'));
}

// The destinations: the subnet holding ADDR (or ADDR itself, a broadcast address
// of a subnet this PC is not on), else every local subnet.
QList<uint32_t> destinations(uint32_t subnet)
{
    if (subnet != 0) {
        const uint32_t broadcast = WakeOnLan::broadcastAddressFor(subnet);
        return {broadcast == 0xFFFFFFFFu ? subnet : broadcast};
    }
    QList<uint32_t> all = WakeOnLan::localBroadcastAddresses();
    if (all.isEmpty())
        all << 0xFFFFFFFFu;
    return all;
}

bool findController(const QString& mac, uint32_t subnet, trackbox_info_type* found)
{
    TrackboxScanner scanner(FrontendInfo::kControllerPort);
    const QList<trackbox_info_type> list = scanner.get_all_trackboxes(int(subnet));
    for (const trackbox_info_type& info : list) {
        if (normalisedMac(QString::fromUtf8(info.mac_str)) == mac) {
            *found = info;
            return true;
        }
    }
    return false;
}

void printResult(CtlContext& context, const QString& mac, const trackbox_info_type* answered)
{
    if (context.json) {
        QJsonObject object{{QStringLiteral("mac"), mac},
                           {QStringLiteral("answered"), answered != nullptr}};
        if (answered) {
            object.insert(QStringLiteral("hostname"),
                          ctlPrintable(QString::fromUtf8(answered->hostname)));
            object.insert(QStringLiteral("address"), QString::fromLatin1(answered->ip_str));
        }
        context.printJson(QJsonDocument(object));
    } else if (answered) {
        context.out << ctlPrintable(QString::fromUtf8(answered->hostname)) << ' '
                    << answered->ip_str << '\n'
                    << Qt::flush;
    }
}

}  // namespace

int ctlWake(CtlContext& context)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        CtlText::tr("Sends the Wake-on-LAN magic packets for MAC and waits until the controller "
                    "with that MAC answers; prints its name and address. Exit code 4 when it "
                    "has not answered in time."));
    parser.addPositionalArgument(QStringLiteral("MAC"), CtlText::tr("six hexadecimal parts, "
                                                                    "as 00:11:22:33:44:55"));
    const QCommandLineOption subnet(
        QStringLiteral("subnet"),
        CtlText::tr("Wake on the subnet with this broadcast address or holding this address; "
                    "default every local subnet."),
        QStringLiteral("ADDR"));
    const QCommandLineOption wait(
        QStringLiteral("wait"),
        CtlText::tr("Wait this long for the answer; 0 sends only. Default %1.")
            .arg(kDefaultWaitSeconds),
        QStringLiteral("SECONDS"));
    parser.addOption(subnet);
    parser.addOption(wait);
    ctlAddJsonOption(parser);
    const int parsed = ctlParseArguments(
        context, parser, QStringLiteral("wake MAC [--subnet ADDR] [--wait SECONDS]"), 1, 1);
    if (parsed >= 0)
        return parsed;

    const QString mac = normalisedMac(parser.positionalArguments().at(0));
    bool ok = true;
    const int seconds = parser.isSet(wait) ? parser.value(wait).toInt(&ok) : kDefaultWaitSeconds;
    uint32_t subnetIp = 0;
    if (parser.isSet(subnet))
        subnetIp = ControllerAddress::resolve(parser.value(subnet));
    if (WakeOnLan::magicPacket(mac).isEmpty() || !ok || seconds < 0 ||
        (parser.isSet(subnet) && subnetIp == 0)) {
        context.error(
            CtlText::tr("wake: expected a MAC such as 00:11:22:33:44:55, an address "
                        "and a number of seconds"));
        return CtlExit::Usage;
    }
    int sent = 0;
    for (uint32_t destination : destinations(subnetIp))
        sent += WakeOnLan::send(mac, destination) == 0 ? 1 : 0;
    if (sent == 0) {
        context.error(CtlText::tr("cannot send the wake-up packets"));
        return CtlExit::NoAnswer;
    }
    if (seconds == 0) {
        printResult(context, mac, nullptr);
        return CtlExit::Success;
    }
    context.progress(CtlText::tr("wake-up sent, waiting up to %1 s for %2").arg(seconds).arg(mac));
    QDeadlineTimer deadline(qint64(seconds) * 1000);
    trackbox_info_type found{};
    while (!findController(mac, subnetIp, &found)) {
        if (deadline.hasExpired()) {
            printResult(context, mac, nullptr);
            context.error(CtlText::tr("no controller with MAC %1 answered within %2 s")
                              .arg(mac)
                              .arg(seconds));
            return CtlExit::Asleep;
        }
        QThread::msleep(quint64(qMin<qint64>(kScanPauseMs, deadline.remainingTime())));
        context.progress(CtlText::tr("still waiting for %1 ...").arg(mac));
    }
    printResult(context, mac, &found);
    return CtlExit::Success;
}
