// Report sections: versions, loaded modules, controller settings and cascade.
#include "ExportConfiguration.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>

namespace {

constexpr int VersionLabelWidth = 24;
constexpr int ControllerLabelWidth = 11;
constexpr int CascadeShortLabelWidth = 16;
constexpr int CascadeLongLabelWidth = 29;

// Lines "key rest" with the keys left-justified to the longest key plus one.
void writeAlignedPairs(ReportWriter& out, QList<QPair<QString, QString>> pairs)
{
    int width = 0;
    for (const auto& p : pairs)
        width = std::max(width, p.first.size());
    for (const auto& p : pairs)
        out.line(p.first.leftJustified(width + 1) + p.second);
}

}  // namespace

ReportText ExportConfiguration::controllerSerial()
{
    ReportText serial = m_out.text("system controller_serial");
    const ReportText model = m_out.text("system model");
    if (serial.ok() && model.ok() && model.value == QLatin1String("2"))
        serial.value = QLatin1Char('S') + serial.value.rightJustified(8, QLatin1Char('0'));
    return serial;
}

void ExportConfiguration::exportVersionInfo()
{
    m_out.labelled(QStringLiteral("ORVANE3 Frontend"), VersionLabelWidth,
                   m_sVersionFeAndModules.section(QLatin1Char('|'), 0, 0));
    m_out.labelled(QStringLiteral("Installation path"), VersionLabelWidth,
                   QCoreApplication::applicationFilePath());
    m_out.labelled(QStringLiteral("Date of Frontend update"), VersionLabelWidth,
                   getLastUpdateDate());
    if (!m_out.requireProtocol(ProtocolFeature::BackendVersionReport))
        return;
    m_out.labelled(QStringLiteral("ORVANE3 Backend"), VersionLabelWidth,
                   m_out.text("system version").displayOrError());
    const ReportText copyright = m_out.text("system version_copyright");
    m_out.labelled(QStringLiteral("Copyright"), VersionLabelWidth, copyright.displayOrError());
    m_out.labelled(QStringLiteral("Controller Serial"), VersionLabelWidth,
                   controllerSerial().displayOrError());
    if (m_out.protocolAtLeast(ProtocolFeature::BackendUpdateDate))
        m_out.labelled(QStringLiteral("Date of Backend update"), VersionLabelWidth,
                       m_out.text("system update_date").displayOrError());
    m_out.emptyLine();
}

void ExportConfiguration::exportFrontendModuleInfo()
{
    QStringList entries = m_sVersionFeAndModules.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    if (entries.size() >= 2) {
        entries.removeFirst();
        std::sort(entries.begin(), entries.end());
        QList<QPair<QString, QString>> pairs;
        for (const QString& entry : entries)
            pairs.append(
                {entry.section(QLatin1Char(';'), 0, 0), entry.section(QLatin1Char(';'), 1)});
        writeAlignedPairs(m_out, pairs);
    }
    m_out.emptyLine();
}

void ExportConfiguration::exportBackendModuleInfo()
{
    const ReportValue<int> count = m_out.integer("system number_of_single_versions");
    if (!count.ok())
        m_out.line(QStringLiteral("Number of single versions: Error ") + QString::number(count.rc));
    QStringList versions;
    for (int t = 1, last = m_out.listed(count); t <= last; ++t) {
        const ReportText single = m_out.text("system single_version t%02d", t);
        if (single.ok())
            versions << single.unquoted();
        else
            m_out.line(QStringLiteral("Get single version ") + QString::number(t) +
                       QStringLiteral(": Error ") + QString::number(single.rc));
    }
    std::sort(versions.begin(), versions.end());
    QList<QPair<QString, QString>> pairs;
    for (const QString& v : versions)
        pairs.append({v.section(QLatin1Char(' '), 0, 0), v.section(QLatin1Char(' '), 1)});
    writeAlignedPairs(m_out, pairs);
    m_out.emptyLine();
}

void ExportConfiguration::exportControllerSettings()
{
    if (!m_out.requireProtocol(ProtocolFeature::ControllerSettings))
        return;
    const int w = ControllerLabelWidth;
    m_out.emptyLine();
    m_out.line(QStringLiteral("General:"));
    m_out.line(QStringLiteral("--------"));
    m_out.labelled(QStringLiteral("Hostname"), w, m_out.text("system hostname").displayOrError());
    m_out.labelled(QStringLiteral("Domain"), w, m_out.text("system domainname").displayOrError());

    const ReportText net = m_out.text("system net");
    if (!net.ok()) {
        m_out.labelled(QStringLiteral("DHCP client"), w, net);
    } else if (net.value == QLatin1String("dhcp")) {
        m_out.labelled(QStringLiteral("DHCP client"), w, QStringLiteral("yes"));
    } else {
        m_out.labelled(QStringLiteral("DHCP client"), w, QStringLiteral("no"));
        if (net.value != QLatin1String("none")) {
            const QStringList parts = ReportWriter::words(net.value);
            m_out.labelled(QStringLiteral("IP address"), w, ReportWriter::wordAt(parts, 1));
            m_out.labelled(QStringLiteral("Subnet mask"), w, ReportWriter::wordAt(parts, 2));
            m_out.labelled(QStringLiteral("Gateway"), w, ReportWriter::wordAt(parts, 3));
        }
    }
    if (m_out.protocolAtLeast(ProtocolFeature::Nameserver))
        m_out.labelled(QStringLiteral("Nameserver"), w,
                       m_out.text("system nameserver").displayOrError());

    m_out.emptyLine();
    m_out.line(QStringLiteral("Time:"));
    m_out.line(QStringLiteral("-----"));
    if (m_out.protocolAtLeast(ProtocolFeature::TimeSettings))
        writeTimeSettings();
    else
        m_out.line(ReportWriter::tooOldText());
    m_out.emptyLine();
}

void ExportConfiguration::writeTimeSettings()
{
    const int w = ControllerLabelWidth;
    const ReportText date = m_out.text("system date");
    m_out.labelled(QStringLiteral("UTC date"), w,
                   date.ok() ? date.value + QStringLiteral(" [YYYY MM DD]") : date.orError());
    const ReportText time = m_out.text("system time");
    m_out.labelled(QStringLiteral("UTC time"), w,
                   time.ok() ? time.value + QStringLiteral(" [hh mm ss]") : time.orError());
    m_out.labelled(QStringLiteral("NTP server"), w,
                   m_out.text("system ntp_server").displayOrError());
    writeServiceStatus(
        "system ntp_status", QStringLiteral("NTP active"),
        {QStringLiteral("Reachability        [% ]: "), QStringLiteral("Estimated precision [ms]: "),
         QStringLiteral("Jitter              [ms]: ")});
    m_out.labelled(QStringLiteral("PTP server"), w, m_out.text("system ptp").displayOrError());
    writeServiceStatus(
        "system ptp_status", QStringLiteral("PTP active"),
        {QStringLiteral("Port State              : "), QStringLiteral("Master                  : "),
         QStringLiteral("Master Offset       [ms]: "),
         QStringLiteral("Mean Path Delay     [ms]: ")});
    exportCpuTemperature();
}

// A time service's status: "none", "ok" followed by one word per detail
// line, or anything else, which is shown as it came.
void ExportConfiguration::writeServiceStatus(const char* parameter, const QString& label,
                                             const QStringList& detailLabels)
{
    const ReportText status = m_out.text("%s", parameter);
    const QStringList parts = ReportWriter::words(status.value);
    if (!status.ok()) {
        m_out.labelled(label, ControllerLabelWidth, status);
    } else if (status.value == QLatin1String("none")) {
        m_out.labelled(label, ControllerLabelWidth, QStringLiteral("none"));
    } else if (!parts.isEmpty() && parts.first() == QLatin1String("ok")) {
        m_out.labelled(label, ControllerLabelWidth, QStringLiteral("yes"));
        for (int i = 0; i < detailLabels.size(); ++i)
            m_out.line(detailLabels.at(i) + ReportWriter::wordAt(parts, i + 1));
    } else {
        m_out.line(label + QStringLiteral(": ") + status.value);
    }
}

void ExportConfiguration::exportCpuTemperature()
{
    if (!m_out.protocolAtLeast(ProtocolFeature::CpuTemperature)) {
        m_out.line(
            QStringLiteral("CPU temperature: Not available. Version of Controller is too old"));
        return;
    }
    const ReportText temp = m_out.text("system temperature_cpu");
    if (!temp.ok()) {
        m_out.line(QStringLiteral("CPU temperature: Error: ") + QString::number(temp.rc));
        return;
    }
    const QStringList parts = ReportWriter::words(temp.value);
    const QString indent(17, QLatin1Char(' '));
    m_out.line(QStringLiteral("CPU temperature: ") + ReportWriter::wordAt(parts, 0) +
               QStringLiteral(" current"));
    m_out.line(indent + ReportWriter::wordAt(parts, 1) +
               QStringLiteral(" maximum since last boot up"));
    m_out.line(indent + ReportWriter::wordAt(parts, 2) + QStringLiteral(" critical"));
}

void ExportConfiguration::exportCascadeInfo()
{
    if (!m_out.requireProtocol(ProtocolFeature::Cascade))
        return;
    m_out.labelled(QStringLiteral("ZEC can be slave"), CascadeShortLabelWidth,
                   m_out.text("system can_slave").displayOrError());
    m_out.labelled(QStringLiteral("ZEC is slave"), CascadeShortLabelWidth,
                   m_out.text("system slave").displayOrError());
    const int w = CascadeLongLabelWidth;
    m_out.labelled(QStringLiteral("External proxy server port"), w,
                   m_out.text("system slave_port").displayOrError());
    m_out.labelled(QStringLiteral("Wake on LAN active for slaves"), w,
                   m_out.text("cascade wol_slaves").displayOrError());
    m_out.labelled(QStringLiteral("Look for slaves in the LAN"), w,
                   m_out.text("cascade scan_slaves_lan").displayOrError());
    const ReportValue<int> count = m_out.integer("cascade number_of_connected_slaves");
    m_out.labelled(QStringLiteral("Number of connected slaves"), w,
                   count.ok() ? QString::number(count.value)
                              : QStringLiteral("Error ") + QString::number(count.rc));

    const int sw = CascadeShortLabelWidth;
    for (int s = 1, last = m_out.listed(count); s <= last; ++s) {
        m_out.emptyLine();
        m_out.line(QStringLiteral("Slave ") + QString::number(s) + QLatin1Char(':'));
        m_out.line(QStringLiteral("--------"));
        const ReportText address = m_out.text("cascade connected_slave d%02d", s);
        m_out.labelled(QStringLiteral("IP address"), sw, address.displayOrError());
        if (!address.ok())
            continue;  // the address is the key of every further query
        const QByteArray key = address.value.toUtf8();
        m_out.labelled(
            QStringLiteral("Available"), sw,
            m_out.text("cascade connected_slave_available %s", key.constData()).displayOrError());
        const ReportText controller =
            m_out.text("cascade connected_slave_controller %s", key.constData());
        const QStringList parts = ReportWriter::words(controller.value);
        m_out.labelled(QStringLiteral("Hostname"), sw,
                       controller.ok() ? ReportWriter::wordAt(parts, 0) : controller.orError());
        m_out.labelled(QStringLiteral("Serial number"), sw,
                       controller.ok() ? ReportWriter::wordAt(parts, 1) : controller.orError());
        m_out.labelled(QStringLiteral("ORVANE3 Backend"), sw,
                       m_out.text("system version_slave %s", key.constData()).displayOrError());
        m_out.labelled(QStringLiteral("Domainname"), sw,
                       m_out.text("system domainname_slave %s", key.constData()).displayOrError());
        m_out.labelled(QStringLiteral("Network settings"), sw,
                       m_out.text("system net_slave %s", key.constData()).displayOrError());
    }
    m_out.emptyLine();
}
