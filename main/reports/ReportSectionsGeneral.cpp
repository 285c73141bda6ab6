// Report sections: header and system overview, stored configurations, the
// front-end host's network, and the controller's hardware.
#include "ExportConfiguration.h"

#include <QDateTime>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QStringList>

#include <algorithm>
#include <cmath>

#include "CameraPose.h"
#include "ReportFormat.h"

namespace {

constexpr int HardwareLabelWidth = 30;
constexpr int HardwareRuleWidth = 70;
constexpr int TargetLibTimeoutMs = 5000;
constexpr int NetworkValueWidth = 45;

QString rule(int width)
{
    return QString(width, QLatin1Char('-'));
}

QString hardwareLabel(const QString& key)
{
    static const QList<QPair<QString, QString>> names = {
        {QStringLiteral("cpu_name"), QStringLiteral("CPU name")},
        {QStringLiteral("cpu_cores"), QStringLiteral("CPU cores")},
        {QStringLiteral("memory_ram"), QStringLiteral("Memory RAM")},
        {QStringLiteral("ethernetmac_lan"), QStringLiteral("Ethernet-MAC LAN")},
        {QStringLiteral("ethernetmac_cam"), QStringLiteral("Ethernet-MAC CAM")},
    };
    for (const auto& n : names)
        if (n.first == key)
            return n.second;
    return key;
}

struct BodyTypeRow
{
    const char* type;
    QString prefix;
    bool twoDigits;
    bool measurementTool;
};

}  // namespace

void ExportConfiguration::writeHeader()
{
    m_out.line(QStringLiteral("Export Controller configuration"));
    m_out.line(QString(40, QLatin1Char('=')));
    m_out.emptyLine();
    exportSystemOverview();
    m_out.line(QStringLiteral("[General info]"));
    const QDateTime now = QDateTime::currentDateTime();
    m_out.line(QStringLiteral("Generation time: ") + now.toString(QStringLiteral("yyyy-MM-dd")) +
               now.toString(QStringLiteral("Thh:mm:ss")));
    m_out.line(QStringLiteral("File name      : ") +
               (m_shownFileName.isEmpty() ? m_sFilename : m_shownFileName));
    m_out.emptyLine();
}

void ExportConfiguration::exportSystemOverview()
{
    m_out.heading(QLatin1String(OverviewHeading));
    QString coordinateType;
    writeSummaryLines(&coordinateType);
    m_out.emptyLine();
    writeCameraTable(coordinateType);
    m_out.emptyLine();
    writeCalibratedBodiesTable();
    m_out.emptyLine();
}

void ExportConfiguration::writeSummaryLines(QString* coordinateType)
{
    const QString error = QStringLiteral("Error");
    const QString host = m_out.text("system hostname").displayOr(error);
    const QString serial = controllerSerial().displayOr(error);
    const QString version = m_out.text("system version").displayOr(error);
    m_out.line(QStringLiteral("Controller      : %1, S/N %2, %3").arg(host, serial, version));
    m_out.line(QStringLiteral("Network         :") + summaryNetwork());
    m_out.line(QStringLiteral("Sync            : ") + summarySync());

    const ReportText type = m_out.text("roomcal coordinate_type");
    *coordinateType = type.displayOr(QStringLiteral("error"));
    const QString date = m_out.text("roomcal last_date").displayOr(QStringLiteral("error"));
    m_out.line(QStringLiteral("Calibration     : %1 mode; %2").arg(*coordinateType, date));

    if (m_out.protocolAtLeast(ProtocolFeature::ReferenceTarget))
        m_out.line(QStringLiteral("Reference target: ") +
                   m_out.text("tracking reference").displayOr(QStringLiteral("none")).toUpper());
}

// The text after "Network         :", with its leading blank.
QString ExportConfiguration::summaryNetwork()
{
    const ReportText net = m_out.text("system net");
    if (!net.ok())
        return QStringLiteral(" Error");
    if (net.value == QLatin1String("dhcp")) {
        QString text = QStringLiteral(" DHCP");
        if (m_out.protocolAtLeast(ProtocolFeature::NetworkSummary)) {
            const ReportText ip = m_out.text("system ethernet_ip");
            const QStringList parts = ReportWriter::words(ip.value);
            if (ip.ok() && ip.value != QLatin1String("none") && parts.size() >= 3)
                text += QStringLiteral(", currently using %1 / %2 gateway %3")
                            .arg(parts.at(0), parts.at(1), parts.at(2));
        }
        return text;
    }
    const QStringList parts = ReportWriter::words(net.value);
    if (net.value != QLatin1String("none") && parts.size() >= 4)
        return QStringLiteral(" Fix IP using %1 / %2 gateway %3")
            .arg(parts.at(1), parts.at(2), parts.at(3));
    return QString();
}

QString ExportConfiguration::summarySync()
{
    const QString notAvailable = QStringLiteral("not available");
    const ReportValue<bool> available = m_out.yesNo("synccard available");
    if (!available.ok() || !available.value)
        return notAvailable;
    if (m_out.integer("synccard number_of_synccards").orElse(0) < 1)
        return notAvailable;

    const ReportText mode = m_out.text("synccard active_mode");
    if (!mode.ok())
        return QStringLiteral("Error");
    if (mode.value != QLatin1String("none")) {
        const QByteArray key = mode.value.toUtf8();
        return m_out.text("synccard mode_desc %s", key.constData())
            .unquotedOr(QStringLiteral("Error"));
    }
    const ReportText source = m_out.text("synccard source d01");
    if (source.ok() && source.value == QLatin1String("internal"))
        return QStringLiteral("direct settings; internal generated signal with %1 [Hz] ")
            .arg(m_out.text("synccard internal_frequency d01").displayOr(QStringLiteral("0.0")));
    return QStringLiteral("direct settings; external %1 signal; divisor for external signal = %2")
        .arg(source.displayOr(QStringLiteral("Error")),
             m_out.text("synccard external_divisor d01").displayOr(QStringLiteral("1")));
}

void ExportConfiguration::writeCameraTable(const QString& coordinateType)
{
    m_out.line(QStringLiteral("Cameras:"));
    m_out.line(
        QStringLiteral("ID |     Typ       |  SN    | Focal[mm] | Intens |     x[mm]       "
                       "y[mm]       z[mm] |   Yaw[deg]  Pitch[deg]   Roll[deg]"));
    m_out.line(
        QStringLiteral("---|---------------|--------|-----------|--------|-----------------"
                       "------------------|-----------------------------------"));
    const ReportValue<int> count = m_out.integer("camera number_of_cameras");
    if (!count.ok()) {
        m_out.line(QStringLiteral("Number of cameras: Error ") + QString::number(count.rc));
        return;
    }
    const bool powerwall = coordinateType == QLatin1String("powerwall");
    for (int n = 1, last = m_out.listed(count); n <= last; ++n) {
        const QStringList camera = ReportWriter::words(m_out.text("camera camera c%02d", n).value);
        const QString type = camera.value(0);
        QString serial = camera.value(1);
        QString model;
        if (!type.isEmpty()) {
            const QByteArray key = type.toUtf8();
            const QString lower = type.toLower();
            if (lower.startsWith(QLatin1String("0x0b")) || lower.startsWith(QLatin1String("0x0d")))
                serial = m_out.protocolAtLeast(ProtocolFeature::CameraSerialDescription)
                             ? m_out.text("camera serial_desc %s", key.constData()).unquotedOr({})
                             : QString();
            model = m_out.text("camera model_desc %s", key.constData()).unquotedOr({});
        }
        const double focal = m_out.number("camera focal_length c%02d", n).orElse(0.0);
        const QString intensity = m_out.text("camera flash_intensity c%02d", n).orElse({});
        const CameraPose pose =
            CameraPose::fromRoomAnswer(m_out.text("tracking room c%02d", n).orElse({}), powerwall);

        QString row = ReportWriter::twoDigits(n) + QStringLiteral(" | ") +
                      ReportWriter::field(model, 13) + QStringLiteral(" | ") +
                      ReportWriter::field(serial, 6) + QStringLiteral(" | ") +
                      ReportWriter::fixed(focal, 9, 1) + QStringLiteral(" | ") +
                      ReportWriter::field(intensity, 6) + QStringLiteral(" | ");
        for (int i = 0; i < 3; ++i)
            row += ReportWriter::fixed(pose.position[i], 9, 1) +
                   (i < 2 ? QStringLiteral("   ") : QStringLiteral(" | "));
        for (int i = 0; i < 3; ++i)
            row += ReportWriter::fixed(pose.angles[i], 10, 1) +
                   (i < 2 ? QStringLiteral("  ") : QString());
        m_out.line(row);
    }
}

QString ExportConfiguration::getTargetLibShortnameFromBody(const QString& bodyType, int body) const
{
    const auto it = map_bodyId_shortnameTlib.find(bodyType + QStringLiteral(" b") +
                                                  ReportWriter::twoDigits(body));
    return it == map_bodyId_shortnameTlib.end() ? QString() : it->second;
}

void ExportConfiguration::fill_map_TLibTargets()
{
    // The map describes the controller as it is now: names left over from an
    // earlier report would claim look-alikes that no longer exist.
    map_bodyId_shortnameTlib.clear();
    if (!m_out.protocolAtLeast(ProtocolFeature::BodyCalibrationStatus))
        return;
    const ReportText check =
        m_out.command(TargetLibTimeoutMs, "orvane2 targetlib check_custom_calibration");
    if (!check.ok() || check.value != QLatin1String("orvane2 ok"))
        return;
    const ReportValue<int> count = m_out.integer("targetlib number_of_targets");
    for (int t = 1, last = m_out.listed(count); t <= last; ++t) {
        const ReportText name = m_out.text("targetlib target_name t%02d", t);
        const ReportText status = m_out.text("targetlib target_status_calibrated_custom t%02d", t);
        if (!name.ok() || !status.ok() || status.value == QLatin1String("none"))
            continue;
        QString shortName = name.value.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
        shortName.remove(QLatin1Char('\''));
        map_bodyId_shortnameTlib[status.value] = shortName;
    }
}

void ExportConfiguration::writeCalibratedBodiesTable()
{
    fill_map_TLibTargets();
    m_out.line(QStringLiteral("Calibrated bodies:"));
    m_out.line(QStringLiteral("ID   | Name                                  | NumMarkers | "));
    m_out.line(
        QStringLiteral("-----|---------------------------------------|------------|-----"
                       "-------------------"));
    const bool tools = m_out.yesNo("measurementtool available").orElse(false);
    const bool inertial = m_out.yesNo("inertial available").orElse(false);
    for (const char* type : {"standard", "wavewand", "measurementtool", "measurementtool_reference",
                             "fingertracking"}) {
        if (!tools && QByteArray(type).startsWith("measurementtool"))
            continue;
        writeCalibratedBodiesOfType(type, inertial);
    }
}

void ExportConfiguration::writeCalibratedBodiesOfType(const char* type, bool inertial)
{
    const QString typeName = QString::fromLatin1(type);
    const ReportValue<int> count = m_out.integer("body number_of_bodies %s", type);
    if (!count.ok()) {
        m_out.line(QStringLiteral("Error: Cannot get number of %1 bodies").arg(typeName));
        return;
    }
    for (int i = 1, last = m_out.listed(count); i <= last; ++i) {
        QString id;
        if (typeName == QLatin1String("wavewand"))
            id = QStringLiteral("F") + QString::number(i);
        else if (typeName == QLatin1String("fingertracking"))
            id = QStringLiteral("H") + QString::number(i);
        else if (typeName == QLatin1String("measurementtool"))
            id = QStringLiteral("M") + QString::number(i);
        else if (typeName == QLatin1String("measurementtool_reference"))
            id = QStringLiteral("MR") + QString::number(i);
        else
            id = QStringLiteral("B") + ReportWriter::twoDigits(i);
        const QString name = m_out.text("body desc %s b%02d", type, i).unquotedOr({});
        const int markers = m_out.integer("body number_of_marker %s b%02d", type, i).orElse(0);
        const QString status = m_out.protocolAtLeast(ProtocolFeature::BodyCalibrationStatus)
                                   ? bodyCalibrationStatus(type, i, inertial)
                                   : QString();
        m_out.line(ReportWriter::field(id, 4) + QStringLiteral(" | ") +
                   ReportWriter::field(name, 37) + QStringLiteral(" | ") +
                   ReportWriter::field(markers, 10) + QStringLiteral(" | ") + status);
    }
}

QString ExportConfiguration::bodyCalibrationStatus(const char* type, int body, bool inertial)
{
    const ReportValue<bool> calibrated = m_out.yesNo("body calibrated %s b%02d", type, body);
    const ReportText library = m_out.text("body targetlib_name %s b%02d", type, body);
    QString status;
    if (!calibrated.ok()) {
        status = QStringLiteral("Error");
    } else if (!calibrated.value) {
        status = QStringLiteral("not calibrated");
    } else if (library.ok() && library.value != QLatin1String("none")) {
        status = QStringLiteral("Target Library: ") + library.display();
    } else {
        const QString lookalike = getTargetLibShortnameFromBody(QString::fromLatin1(type), body);
        status = lookalike.isEmpty()
                     ? QStringLiteral("manually calibrated")
                     : QStringLiteral("manually calibrated, looks like ") + lookalike;
    }
    if (inertial) {
        const ReportText sensor = m_out.text("body inertial_sensor %s b%02d", type, body);
        if (sensor.ok() && sensor.value != QLatin1String("none")) {
            const QByteArray key = sensor.value.toUtf8();
            const ReportValue<bool> handEye =
                m_out.yesNo("inertial sensor_handeye %s", key.constData());
            status = reportformat::withInertialState(status, handEye.orElse(false));
        }
    }
    return status;
}

void ExportConfiguration::exportConfigurationInfo()
{
    QList<ConfigurationInfo> configs;
    const int count = m_out.integer("config number_of_configs").orElse(0);
    for (int k = 1, last = m_out.listed(count); k <= last; ++k) {
        const ReportText id = m_out.text("config config t%02d", k);
        if (!id.ok())
            continue;
        const QByteArray key = id.value.toUtf8();
        const ReportText desc = m_out.text("config desc_of_config %s", key.constData());
        const ReportText owner = m_out.text("config owner_of_config %s", key.constData());
        const ReportValue<bool> locked =
            m_out.yesNo("config config_has_password %s", key.constData());
        if (!desc.ok() || !owner.ok() || !locked.ok())
            continue;
        configs.append({desc.display(), owner.display(), locked.value});
    }
    m_out.line(QStringLiteral("number of configurations: ") + QString::number(configs.size()));
    m_out.line(QStringLiteral("Description                   | Owner               | Locked"));
    m_out.line(QStringLiteral("------------------------------|---------------------|--------"));
    for (const ConfigurationInfo& c : configs)
        m_out.line(ReportWriter::field(c.description, -30) + QStringLiteral("| ") +
                   ReportWriter::field(c.owner, -20) + QStringLiteral("| ") +
                   ReportWriter::field(c.strIsLocked(), -10));

    const QString unknown = QStringLiteral("unknown");
    m_out.emptyLine();
    m_out.line(QStringLiteral("Active configuration:"));
    m_out.line(QStringLiteral("Configuration description  : ") +
               m_out.text("config desc").displayOr(unknown));
    m_out.line(QStringLiteral("Configuration owner        : ") +
               m_out.text("config owner").displayOr(unknown));
    if (m_out.protocolAtLeast(ProtocolFeature::ConfigurationPassword)) {
        m_out.line(QStringLiteral("Configuration has password : ") +
                   m_out.text("config has_password").displayOr(unknown));
        m_out.line(QStringLiteral("Configuration is changeable: ") +
                   m_out.text("config is_changeable").displayOr(unknown));
    }
    if (m_out.protocolAtLeast(ProtocolFeature::FreeConfigurationSpace)) {
        m_out.emptyLine();
        m_out.line(QStringLiteral("Free Configuration Space   : ") +
                   m_out.text("config free_space").displayOr(unknown));
    }
    m_out.emptyLine();
}

void ExportConfiguration::exportNetworkInfo()
{
    m_out.line(QStringLiteral("Local domainname: ") + QHostInfo::localDomainName());
    m_out.line(QStringLiteral("Local hostname: ") + QHostInfo::localHostName());
    m_out.emptyLine();
    const auto fill = QLatin1Char('.');
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        m_out.line(iface.humanReadableName());
        if (!iface.isValid()) {
            m_out.line(QStringLiteral("    Network interface: not valid"));
        } else {
            for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
                const QString ip = entry.ip().toString().trimmed();
                if (!ip.isEmpty()) {
                    const bool v6 = entry.ip().protocol() == QAbstractSocket::IPv6Protocol;
                    m_out.line((v6 ? QStringLiteral("    IPv6 address: ")
                                   : QStringLiteral("    IPv4 address: ")) +
                               ip.rightJustified(NetworkValueWidth, fill));
                }
                const QString mask = entry.netmask().toString();
                if (!mask.isEmpty())
                    m_out.line(QStringLiteral("    Subnet mask : ") +
                               mask.rightJustified(NetworkValueWidth, fill));
            }
        }
        m_out.emptyLine();
    }
}

void ExportConfiguration::exportHardwareInfo()
{
    if (!m_out.requireProtocol(ProtocolFeature::HardwareInfo))
        return;
    const ReportValue<int> count = m_out.integer("system extra number_of_hardware");
    if (!count.ok())
        m_out.line(QStringLiteral("Number of hardware: Error ") + QString::number(count.rc));
    const QString separator = QStringLiteral("| ");
    m_out.line(ReportWriter::padLabel(QStringLiteral("Hardware:"), HardwareLabelWidth) + separator +
               QStringLiteral("Info:"));
    if (m_out.protocolAtLeast(ProtocolFeature::Motherboard)) {
        const ReportText board = m_out.text("system extra motherboard");
        if (board.ok()) {
            m_out.line(rule(HardwareLabelWidth + 1 + std::max(39, board.value.size())));
            m_out.line(ReportWriter::padLabel(QStringLiteral("Motherboard"), HardwareLabelWidth) +
                       separator + board.unquoted());
            m_out.line(rule(HardwareRuleWidth));
        } else {
            m_out.line(rule(HardwareRuleWidth));
            m_out.line(ReportWriter::padLabel(QStringLiteral("Motherboard"), HardwareLabelWidth) +
                       separator + QStringLiteral("<ERROR>"));
        }
    } else {
        m_out.line(rule(HardwareRuleWidth));
    }
    for (int h = 1, last = m_out.listed(count); h <= last; ++h) {
        const ReportText item = m_out.text("system extra hardware h%d", h);
        if (!item.ok()) {
            m_out.line(QStringLiteral("Error ") + QString::number(item.rc));
            continue;
        }
        const QString text = item.unquoted().simplified();
        m_out.line(ReportWriter::padLabel(hardwareLabel(text.section(QLatin1Char(' '), 0, 0)),
                                          HardwareLabelWidth) +
                   separator + text.section(QLatin1Char(' '), 1));
    }
    m_out.emptyLine();
}
