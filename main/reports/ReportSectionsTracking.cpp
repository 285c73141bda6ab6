// Report sections: tracking, body administration, outputs, measurement tools and body calibration.
#include "ExportConfiguration.h"

#include <QByteArray>
#include <QVector>

#include <cstring>

#include "ReportFormat.h"

using namespace reportformat;

namespace {

const char* const Standard = "standard";
const char* const Wavewand = "wavewand";
const char* const MeasurementTool = "measurementtool";
const char* const MeasurementToolReference = "measurementtool_reference";
const char* const Fingertracking = "fingertracking";

// The output type that only the front-end's monitoring channel carries.
const char* const MonitorOutputType = "2dmon";
const char* const MonitorChannel = "chmon";
// Numbered output channels are listed while the controller knows them.
constexpr int MaxOutputChannels = 32;

// label + answer, or label + "Error <code>".
void answerLine(ReportWriter& out, const QString& label, const ReportText& answer)
{
    out.line(label + answer.orError());
}

bool measurementToolsAvailable(ReportWriter& out)
{
    const ReportText available = out.text("measurementtool available");
    return available.ok() && available.value == QLatin1String("yes");
}

// ---- body administration ----------------------------------------------

// Calibration texts of the administration tables.
QString calibrationText(ReportWriter& out, const char* type, int body, const QString& library)
{
    const ReportValue<bool> calibrated = out.yesNo("body calibrated %s b%02d", type, body);
    if (!calibrated.ok())
        return errorText(calibrated.rc);
    if (!calibrated.value)
        return QStringLiteral("not calibrated");
    const ReportText name = out.text("body targetlib_name %s b%02d", type, body);
    if (!name.ok())
        return name.orError();
    return name.value != QLatin1String("none") ? library : QStringLiteral("Custom");
}

QString filterText(ReportWriter& out, const char* type, int body)
{
    const ReportValue<bool> enabled = out.yesNo("body filter6d_enabled %s b%02d", type, body);
    if (!enabled.ok())
        return errorText(enabled.rc);
    if (!enabled.value)
        return QStringLiteral("not active");
    const ReportText preset = out.text("body filter6d_preset %s b%02d", type, body);
    if (!preset.ok())
        return preset.orError();
    return out.text("filter6d preset_desc %s", utf8(preset.value).constData())
        .unquotedOr(errorText(-32));
}

// The administration tables: title, a rule under it, the header and a rule of
// the column widths.
void tableStart(ReportWriter& out, const QString& title, const QString& header,
                const QVector<int>& ruleWidths)
{
    QStringList runs;
    for (int w : ruleWidths)
        runs << rule(w);
    tableHead(out, title, title.size(), header, runs.join(QLatin1Char('|')));
}

// The body count of a table, or its error line.
ReportValue<int> tableCount(ReportWriter& out, const char* format, const char* type)
{
    const ReportValue<int> count = out.integer(format, type);
    if (!count.ok())
        out.line(QStringLiteral("Number of bodies: ") + errorText(count.rc));
    return count;
}

void writeStandardTable(ReportWriter& out)
{
    if (!out.protocolAtLeast(ProtocolFeature::StandardBodiesTable)) {
        out.line(QStringLiteral("Standard"));
        out.line(rule(8));
        out.requireProtocol(ProtocolFeature::StandardBodiesTable);
        return;
    }
    tableStart(
        out, QStringLiteral("Standard"),
        QStringLiteral("ID   | Active  | Name                     | Model                       "
                       "| Device ID    | Calibration     | Filter            "),
        {5, 9, 26, 29, 14, 17, 19});
    const ReportValue<int> count = tableCount(out, "body number_of_bodies %s", Standard);
    const bool inertial = out.yesNo("inertial available").orElse(false);
    for (int b = 1, last = out.listed(count); b <= last; ++b) {
        const QString active = out.text("body active standard b%02d", b).orError();
        const QString name = out.text("body desc standard b%02d", b).unquotedOr(errorText(-32));
        QString model;
        QString device = QStringLiteral("none");
        bool hasSensor = false;
        bool handEye = false;
        if (inertial) {
            const ReportText sensor = out.text("body inertial_sensor standard b%02d", b);
            DeviceId id;
            if (!sensor.ok()) {
                device = sensor.orError();
            } else if (sensor.value != QLatin1String("none") && id.parse(sensor.value)) {
                hasSensor = true;
                device = QString::fromUtf8(id.serial);
                model = out.text("inertial sensor_model_desc %s", id.vendorModel().constData())
                            .unquotedOr(errorText(-32));
                handEye =
                    out.yesNo("inertial sensor_handeye %s", id.all().constData()).orElse(false);
            }
        }
        QString calibration = calibrationText(out, Standard, b, QStringLiteral("Target Library"));
        if (hasSensor)
            calibration = withInertialState(calibration, handEye);
        out.line(ReportWriter::field(b, 4) + QStringLiteral(" | ") +
                 ReportWriter::field(active, 7) + QStringLiteral(" | ") +
                 ReportWriter::field(name, 24) + QStringLiteral(" | ") +
                 ReportWriter::field(model, 27) + QStringLiteral(" | ") +
                 ReportWriter::field(device, 12) + QStringLiteral(" | ") +
                 ReportWriter::field(calibration, 15) + QStringLiteral(" | ") +
                 filterText(out, Standard, b));
    }
    out.emptyLine();
}

// An interaction device as its controller names it: three words for a
// radio device, one word for a device on one of the controller's own ports
// ("wavewand1").
struct WandDevice
{
    QString text;   // the answer, or its error
    QString model;  // description of the device
    QString serialOrPort;
};

WandDevice wandDevice(ReportWriter& out, int body)
{
    WandDevice wand;
    const ReportText device = out.text("wavewand device b%02d", body);
    if (!device.ok()) {
        wand.text = wand.model = wand.serialOrPort = device.orError();
        return wand;
    }
    wand.text = device.value;
    DeviceId id;
    if (id.parse(device.value)) {
        wand.model = out.text("qorwpan device_model_desc %s", id.vendorModel().constData())
                         .unquotedOr(errorText(-32));
        wand.serialOrPort = QString::fromUtf8(id.serial);
    } else if (device.value != QLatin1String("none") &&
               ReportWriter::words(device.value).size() == 1) {
        // A wired device has no radio description; its port is its name.
        wand.model = QStringLiteral("wired");
        wand.serialOrPort = device.value;
    } else {
        wand.serialOrPort = device.value;
    }
    return wand;
}

void writeWavewandTable(ReportWriter& out)
{
    tableStart(out, QStringLiteral("Wavewand"),
               QStringLiteral("ID   | Active  | Model                    | Serial/Port       "
                              "| Calibration     | Filter            "),
               {5, 9, 26, 19, 17, 19});
    const ReportValue<int> count = tableCount(out, "body number_of_bodies %s", Wavewand);
    for (int b = 1, last = out.listed(count); b <= last; ++b) {
        const QString active = out.text("body active wavewand b%02d", b).orError();
        const WandDevice wand = wandDevice(out, b);
        out.line(ReportWriter::field(QStringLiteral("F") + QString::number(b), 4) +
                 QStringLiteral(" | ") + ReportWriter::field(active, 7) + QStringLiteral(" | ") +
                 ReportWriter::field(wand.model, 24) + QStringLiteral(" | ") +
                 ReportWriter::field(wand.serialOrPort, 17) + QStringLiteral(" | ") +
                 ReportWriter::field(
                     calibrationText(out, Wavewand, b, QStringLiteral("Target library")), 15) +
                 QStringLiteral(" | ") + filterText(out, Wavewand, b));
    }
    out.emptyLine();
}

QString referenceName(const ReportText& reference)
{
    if (!reference.ok())
        return reference.orError();
    if (reference.value == QLatin1String("none"))
        return reference.value;
    return QStringLiteral("MR") + reference.value;
}

void writeMeasurementToolTable(ReportWriter& out)
{
    tableStart(out, QStringLiteral("Measurement Tool"),
               QStringLiteral("ID   | Active | Reference ID  | Calibration     "), {5, 8, 15, 17});
    const ReportValue<int> count = out.integer("measurementtool number_of_tools");
    if (!count.ok())
        out.line(QStringLiteral("Number of bodies: ") + errorText(count.rc));
    for (int b = 1, last = out.listed(count); b <= last; ++b) {
        const QString active = out.text("body active measurementtool b%02d", b).orError();
        const QString reference =
            referenceName(out.text("measurementtool reference_of_tool b%02d", b));
        out.line(ReportWriter::field(QStringLiteral("M") + QString::number(b), 4) +
                 QStringLiteral(" | ") + ReportWriter::field(active, 6) + QStringLiteral(" | ") +
                 ReportWriter::field(reference, 13) + QStringLiteral(" | ") +
                 calibrationText(out, MeasurementTool, b, QStringLiteral("Target library")));
    }
    out.emptyLine();
}

void writeMeasurementReferenceTable(ReportWriter& out)
{
    tableStart(out, QStringLiteral("Maesurement Tool Reference"),
               QStringLiteral("ID   | Active | Name                     | Calibration     "),
               {5, 8, 26, 17});
    const ReportValue<int> count =
        tableCount(out, "body number_of_bodies %s", MeasurementToolReference);
    for (int b = 1, last = out.listed(count); b <= last; ++b) {
        const QString active = out.text("body active measurementtool_reference b%02d", b).orError();
        const QString name =
            out.text("body desc measurementtool_reference b%02d", b).unquotedOr(errorText(-32));
        const ReportValue<bool> calibrated =
            out.yesNo("body calibrated measurementtool_reference b%02d", b);
        const QString calibration = !calibrated.ok()   ? errorText(calibrated.rc)
                                    : calibrated.value ? QStringLiteral("Custom")
                                                       : QStringLiteral("not calibrated");
        out.line(ReportWriter::field(QStringLiteral("MR") + QString::number(b), 4) +
                 QStringLiteral(" | ") + ReportWriter::field(active, 6) + QStringLiteral(" | ") +
                 ReportWriter::field(name, 24) + QStringLiteral(" | ") +
                 ReportWriter::field(calibration, 15));
    }
    out.emptyLine();
}

void writeHandTable(ReportWriter& out)
{
    tableStart(out, QStringLiteral("Fingertracking"),
               QStringLiteral("ID    | Active  | Name                                  "
                              "| Calibration   "),
               {6, 9, 39, 15});
    const ReportValue<int> count = tableCount(out, "body number_of_bodies %s", Fingertracking);
    for (int b = 1, last = out.listed(count); b <= last; ++b) {
        const QString active = out.text("body active fingertracking b%02d", b).orError();
        const QString name =
            out.text("body desc fingertracking b%02d", b).unquotedOr(errorText(-32));
        out.line(
            ReportWriter::field(QStringLiteral("H") + QString::number(b), 5) +
            QStringLiteral(" | ") + ReportWriter::field(active, 7) + QStringLiteral(" | ") +
            ReportWriter::field(name, 37) + QStringLiteral(" | ") +
            ReportWriter::field(
                calibrationText(out, Fingertracking, b, QStringLiteral("Target library")), 15));
    }
    out.emptyLine();
}

// ---- body calibration -------------------------------------------------

bool isFiveDofType(const QString& targetType)
{
    return targetType == QLatin1String("tt_5dof") || targetType == QLatin1String("tt_5dof_cyl") ||
           targetType == QLatin1String("tt_2x5dof_cyl");
}

// The marker geometry follows from the body's target type: a 5DOF body's
// markers carry their emission direction, a 5DOF cylinder body's markers
// their cylinder axis and size; every other marker is a plain point.
enum class MarkerKind
{
    Plain,
    Emission,
    Cylinder
};

MarkerKind markerKindOf(const QString& targetType)
{
    if (!isFiveDofType(targetType))
        return MarkerKind::Plain;
    return targetType == QLatin1String("tt_5dof") ? MarkerKind::Emission : MarkerKind::Cylinder;
}

QString markerLine(ReportWriter& out, const char* type, int body, int m, MarkerKind kind)
{
    double xyz[3] = {};
    const int rc = out.numbers(xyz, 3, "body marker %s b%2.2d m%2.2d", type, body, m);
    if (rc != 0)
        return QStringLiteral("-.--- -.--- -.--- : ") + errorText(rc);
    QString text = QString::number(xyz[0], 'f', 3) + QLatin1Char(' ') +
                   QString::number(xyz[1], 'f', 3) + QLatin1Char(' ') +
                   QString::number(xyz[2], 'f', 3);
    if (kind == MarkerKind::Plain)
        return text;
    const bool emission = kind == MarkerKind::Emission;
    double extra[4] = {};
    const int extraRc = out.numbers(extra, 4,
                                    emission ? "body marker_emission %s b%2.2d m%2.2d"
                                             : "body marker_cylinder %s b%2.2d m%2.2d",
                                    type, body, m);
    text += emission ? QStringLiteral(" em ") : QStringLiteral(" cyl ");
    if (extraRc != 0)
        return text + QStringLiteral(": ") + errorText(extraRc);
    QStringList parts;
    for (double v : extra)
        parts << QString::number(v, 'f', 3);
    return text + parts.join(QLatin1Char(' '));
}

void writeBodyFile(ReportWriter& out, const char* type, int body, const ReportText& desc,
                   const ReportValue<int>& markers)
{
    const ReportText targetType = out.text("body target_type %s b%2.2d", type, body);
    const MarkerKind kind = markerKindOf(targetType.value);
    out.line(QStringLiteral("<Body file>"));
    out.line(countText(markers));
    for (int m = 1, last = out.listed(markers); m <= last; ++m)
        out.line(markerLine(out, type, body, m, kind));
    out.line(QStringLiteral("# Description"));
    out.line(desc.unquotedOr(desc.orError()));
    out.line(QStringLiteral("# Type"));
    out.line(targetType.orError());
    out.line(QStringLiteral("# Minimum number of stereo markers"));
    out.line(out.text("body min_number_of_stereo_markers %s b%2.2d", type, body).orError());
    if (std::strcmp(type, MeasurementTool) == 0) {
        out.line(QStringLiteral("# Tip calibrated"));
        const ReportValue<bool> tip = out.yesNo("measurementtool tip_calibrated b%2.2d", body);
        if (!tip.ok())
            out.line(errorText(tip.rc));
        else if (!tip.value)
            out.line(QStringLiteral("no"));
        else
            out.line(QStringLiteral("yes ") +
                     out.text("measurementtool tip_residual b%2.2d", body).orError());
    }
    out.line(QStringLiteral("</Body file>"));
}

void writeFixedAngles(ReportWriter& out, int body)
{
    const ReportText answer = out.text("standard fixed_angle b%02d", body);
    const QStringList parts = ReportWriter::words(answer.value);
    bool ok = answer.ok() && parts.size() == 6;
    double angles[3] = {};
    for (int i = 0; ok && i < 3; ++i)
        angles[i] = parts.at(2 * i).toDouble(&ok);
    if (!ok) {
        out.line(QStringLiteral("Fixed angles: ") + errorText(answer.ok() ? -33 : answer.rc));
        return;
    }
    const char* names[3] = {"rx=", "ry=", "rz="};
    QString text = QStringLiteral("Fixed angles [deg]:  ");
    for (int i = 0; i < 3; ++i) {
        text += QLatin1String(names[i]) + ReportWriter::fixed(angles[i], 7, 3) +
                QStringLiteral(" (") + parts.at(2 * i + 1) + QLatin1Char(')');
        if (i < 2)
            text += QStringLiteral(",    ");
    }
    out.line(text);
}

// label + answer, or the label's name, ": Error " and the code.
void filterValueLine(ReportWriter& out, const QString& label, const ReportText& answer)
{
    out.line(answer.ok() ? label + QStringLiteral(": ") + answer.value
                         : label + QStringLiteral(": ") + answer.orError());
}

// The body's filter and the description of a preset or mode it names.
void describedFilterLine(ReportWriter& out, const QString& label, const ReportText& id,
                         const char* descFormat)
{
    if (!id.ok()) {
        filterValueLine(out, label, id);
        return;
    }
    const ReportText desc = out.text(descFormat, utf8(id.value).constData());
    out.line(label + QStringLiteral(": ") + desc.unquotedOr(desc.orError()));
}

// Besides enabled, preset and strength a body's filter has a mode (one of
// the controller's filter modes) and a prediction time in seconds.
void write6DofFilter(ReportWriter& out, const char* type, int body)
{
    const ReportText enabled = out.text("body filter6d_enabled %s b%02d", type, body);
    out.line(enabled.ok() ? QStringLiteral("6DOF filter enabled ") + enabled.value
                          : QStringLiteral("6DOF filter enabled: ") + enabled.orError());
    describedFilterLine(out, QStringLiteral("6DOF filter preset"),
                        out.text("body filter6d_preset %s b%02d", type, body),
                        "filter6d preset_desc %s");
    filterValueLine(out, QStringLiteral("6DOF filter strength"),
                    out.text("body filter6d_strength %s b%02d", type, body));
    describedFilterLine(out, QStringLiteral("6DOF filter mode"),
                        out.text("body filter6d_mode %s b%02d", type, body),
                        "filter6d mode_desc %s");
    filterValueLine(out, QStringLiteral("6DOF filter prediction [s]"),
                    out.text("body filter6d_prediction %s b%02d", type, body));
}

// Per body a summary line
//   "<type> bNN: [not ]cal., Description: <desc>, Number of marker: <n> marker"
// and its marker file.
void writeBodies(ReportWriter& out, const QList<BodyTypeCount>& types)
{
    out.line(QStringLiteral("Bodies:"));
    out.line(rule(7));
    for (const BodyTypeCount& t : types) {
        const char* type = t.body_type;
        for (int b = 1, last = out.listed(t.count); b <= last; ++b) {
            const ReportValue<bool> calibrated = out.yesNo("body calibrated %s b%02d", type, b);
            const ReportText desc = out.text("body desc %s b%02d", type, b);
            const ReportValue<int> markers = out.integer("body number_of_marker %s b%02d", type, b);
            QString summary = QString::fromUtf8(type) + QStringLiteral(" b") +
                              ReportWriter::twoDigits(b) + QStringLiteral(": ");
            if (!calibrated.ok())
                summary += QStringLiteral("cal. Error ") + QString::number(calibrated.rc) +
                           QStringLiteral(", ");
            else
                summary += (calibrated.value ? QString() : QStringLiteral("not ")) +
                           QStringLiteral("cal., ");
            summary +=
                QStringLiteral("Description: ") +
                (desc.ok() ? desc.unquoted() : QStringLiteral("Error ") + QString::number(desc.rc));
            summary += QStringLiteral(", Number of marker: ") +
                       (markers.ok() ? QString::number(markers.value) + QStringLiteral(" marker")
                                     : QStringLiteral("Error ") + QString::number(markers.rc));
            out.line(summary);
            writeBodyFile(out, type, b, desc, markers);
            if (std::strcmp(type, Standard) == 0)
                writeFixedAngles(out, b);
            if (std::strcmp(type, Standard) == 0 || std::strcmp(type, Wavewand) == 0)
                write6DofFilter(out, type, b);
            out.emptyLine();
        }
    }
}

// ---- outputs ----------------------------------------------------------

void writeOutputChannel(ReportWriter& out, int ch, const ReportText& active, const ReportText& net)
{
    out.line(QStringLiteral("Channel ") + QString::number(ch) + QLatin1Char(':'));
    out.line(rule(10));
    answerLine(out, QStringLiteral("Output net active: "), active);
    if (!net.ok()) {
        out.line(QStringLiteral("Send to / UDP port: ") + net.orError());
    } else if (net.value == QLatin1String("none")) {
        out.line(QStringLiteral("Send to / UDP port: none"));
    } else {
        const QStringList parts = ReportWriter::words(net.value);
        out.line(QStringLiteral("UDP/Multicast:     ") + parts.value(0));
        out.line(QStringLiteral("Send to:           ") + parts.value(1));
        out.line(QStringLiteral("Port:              ") + parts.value(2));
    }
    if (out.protocolAtLeast(ProtocolFeature::OutputNetDivisor))
        answerLine(out, QStringLiteral("Send data divisor: "),
                   out.text("output net_divisor ch%02d", ch));
    out.emptyLine();
}

// The channels on which an output type is switched on, e.g. "ch01 ch03".
QString activeChannels(ReportWriter& out, const QString& type, int channels)
{
    if (type == QLatin1String(MonitorOutputType)) {
        // The 2-D monitor goes to the front-end's own monitoring channel,
        // never to a numbered one.
        const ReportText mon = out.text("output active %s %s", MonitorChannel, MonitorOutputType);
        return QStringLiteral("monitor ") + mon.orError();
    }
    QStringList on;
    const QByteArray t = utf8(type);
    for (int ch = 1; ch <= channels; ++ch) {
        const ReportText active = out.text("output active ch%02d %s", ch, t.constData());
        if (!active.ok())
            on << errorText(active.rc);
        else if (active.value == QLatin1String("yes"))
            on << QStringLiteral("ch") + ReportWriter::twoDigits(ch);
    }
    return on.isEmpty() ? QStringLiteral("none") : on.join(QLatin1Char(' '));
}

// One row per output type; the last column names the numbered channels that
// send it.
void writeOutputTypes(ReportWriter& out, int channels)
{
    const ReportValue<int> count = out.integer("output number_of_types");
    if (!count.ok()) {
        out.line(QStringLiteral("Number of types: ") + errorText(count.rc));
        out.emptyLine();
        return;
    }
    out.line(QStringLiteral("Number of types:   ") + QString::number(count.value));
    out.line(
        QStringLiteral("Type           | Description                                       "
                       "| Available  | Active "));
    out.line(
        QStringLiteral("---------------|---------------------------------------------------"
                       "|------------|--------"));
    for (int t = 1, last = out.listed(count); t <= last; ++t) {
        const ReportText type = out.text("output type t%02d", t);
        if (!type.ok()) {
            out.line(type.orError());
            continue;
        }
        const QByteArray key = utf8(type.value);
        const ReportText desc = out.text("output type_desc %s", key.constData());
        const ReportText available = out.text("output available %s", key.constData());
        out.line(type.value.leftJustified(15) + QStringLiteral("| ") +
                 desc.unquotedOr(desc.orError()).leftJustified(50) + QStringLiteral("| ") +
                 available.orError().leftJustified(11) + QStringLiteral("| ") +
                 activeChannels(out, type.value, channels));
    }
    out.emptyLine();
}

}  // namespace

void ExportConfiguration::exportTrackingSettings()
{
    if (!m_out.requireProtocol(ProtocolFeature::TrackingSettings))
        return;
    answerLine(m_out, QStringLiteral("Number of 6DOF standard bodies: "),
               m_out.text("standard number_of_bodies"));
    answerLine(m_out, QStringLiteral("Max number of 6DOF standard bodies: "),
               m_out.text("standard max_number_of_bodies"));
    answerLine(m_out, QStringLiteral("Calculation of 3DOF markers: "),
               m_out.text("standard calculate_marker"));
    answerLine(m_out, QStringLiteral("Use 6DOF filter: "), m_out.text("standard filter_bodies"));
    answerLine(m_out, QStringLiteral("6DOF filter for standard bodies available: "),
               m_out.text("filter6d available standard"));
    answerLine(m_out, QStringLiteral("6DOF filter for wavewands available: "),
               m_out.text("filter6d available wavewand"));
    if (measurementToolsAvailable(m_out))
        answerLine(m_out, QStringLiteral("6DOF filter for measurement tools available: "),
                   m_out.text("filter6d available measurementtool"));
    const ReportValue<int> presets = m_out.integer("filter6d number_of_presets");
    m_out.line(QStringLiteral("6DOF filter number of presets: ") + countText(presets));
    const ReportValue<int> modes = m_out.integer("filter6d number_of_modes");
    m_out.line(QStringLiteral("6DOF filter number of modes: ") + countText(modes));

    for (int t = 1, last = m_out.listed(presets); t <= last; ++t) {
        const ReportText id = m_out.text("filter6d preset_id t%.2d", t);
        if (!id.ok()) {
            m_out.line(QStringLiteral("Getting 6DOF filter preset id: ") + id.orError());
            continue;
        }
        const ReportText desc = m_out.text("filter6d preset_desc %s", utf8(id.value).constData());
        m_out.line(QStringLiteral("6DOF filter preset: ") + desc.unquotedOr(desc.orError()));
    }
    answerLine(m_out, QStringLiteral("6DOF filter strength minimum: "),
               m_out.text("filter6d limit strength_min"));
    for (int t = 1, last = m_out.listed(modes); t <= last; ++t) {
        const ReportText id = m_out.text("filter6d mode_id t%.2d", t);
        if (!id.ok()) {
            m_out.line(QStringLiteral("Getting 6DOF filter mode id: ") + id.orError());
            continue;
        }
        const ReportText desc = m_out.text("filter6d mode_desc %s", utf8(id.value).constData());
        m_out.line(QStringLiteral("6DOF filter mode: ") + desc.unquotedOr(desc.orError()));
    }
    answerLine(m_out, QStringLiteral("6DOF filter strength maximum: "),
               m_out.text("filter6d limit strength_max"));
    const ReportText predictionMin = m_out.text("filter6d limit prediction_min");
    m_out.line(predictionMin.ok()
                   ? QStringLiteral("6DOF filter prediction minimum [s]: ") + predictionMin.value
                   : QStringLiteral("6DOF filter prediction minimum: ") + predictionMin.orError());
    const ReportText predictionMax = m_out.text("filter6d limit prediction_max");
    m_out.line(predictionMax.ok()
                   ? QStringLiteral("6DOF filter prediction maximum [s]: ") + predictionMax.value
                   : QStringLiteral("6DOF filter prediction maximum: ") + predictionMax.orError());

    const ReportText axis = m_out.text("tracking axis_5dof_central");
    const QStringList axisWords = ReportWriter::words(axis.value);
    if (axis.ok() && axisWords.size() == 3)
        m_out.line(QStringLiteral("Axis 5DOF central: x = ") + axisWords.at(0) +
                   QStringLiteral(" mm, y = ") + axisWords.at(1) + QStringLiteral(" mm, z = ") +
                   axisWords.at(2) + QStringLiteral(" mm"));
    else
        m_out.line(QStringLiteral("Axis 5DOF central: ") + errorText(axis.ok() ? -33 : axis.rc));
    answerLine(m_out, QStringLiteral("Body maximum residual: "),
               m_out.text("tracking body_max_residual"));
    answerLine(m_out, QStringLiteral("Body prediction error: "),
               m_out.text("tracking body_prediction_error"));
    answerLine(m_out, QStringLiteral("Body separation tolerance: "),
               m_out.text("tracking body_separation_tolerance"));
    answerLine(m_out, QStringLiteral("Marker maximum residual: "),
               m_out.text("tracking marker_max_residual"));
    answerLine(m_out, QStringLiteral("Marker prediction error: "),
               m_out.text("tracking marker_prediction_error"));
    m_out.emptyLine();
}

void ExportConfiguration::exportBodyAdministration()
{
    writeStandardTable(m_out);
    writeWavewandTable(m_out);
    if (measurementToolsAvailable(m_out)) {
        writeMeasurementToolTable(m_out);
        writeMeasurementReferenceTable(m_out);
    }
    writeHandTable(m_out);
    if (m_out.protocolAtLeast(ProtocolFeature::ReferenceTarget)) {
        m_out.line(QStringLiteral("Reference target: ") +
                   m_out.text("tracking reference").orElse(QStringLiteral("none")).toUpper());
        m_out.emptyLine();
    }
}

void ExportConfiguration::exportOutputSettings()
{
    if (!m_out.requireProtocol(ProtocolFeature::OutputSettings))
        return;
    if (m_out.protocolAtLeast(ProtocolFeature::OutputViaRouter))
        answerLine(m_out, QStringLiteral("Act as router for tracking output: "),
                   m_out.text("output net_via_router"));
    m_out.emptyLine();
    // The controller has no channel count; a channel exists while it answers
    // for either its state or its destination.
    int channels = 0;
    for (int ch = 1; ch <= MaxOutputChannels; ++ch) {
        const ReportText active = m_out.text("output net_active ch%02d", ch);
        const ReportText net = m_out.text("output net ch%02d", ch);
        if (!active.ok() && !net.ok())
            break;
        channels = ch;
        writeOutputChannel(m_out, ch, active, net);
    }
    writeOutputTypes(m_out, channels);
}

void ExportConfiguration::exportMeasurementToolSettings()
{
    if (!m_out.requireProtocol(ProtocolFeature::MeasurementTools))
        return;
    const ReportValue<bool> available = m_out.yesNo("measurementtool available");
    if (!available.ok()) {
        m_out.line(QStringLiteral("Available: ") + errorText(available.rc));
        m_out.emptyLine();
        return;
    }
    if (!available.value)
        return;
    m_out.line(QStringLiteral("Available: yes"));
    const ReportValue<int> tools = m_out.integer("measurementtool number_of_tools");
    if (m_out.protocolAtLeast(ProtocolFeature::MeasurementToolOutputFormat)) {
        answerLine(m_out, QStringLiteral("Use old output format: "),
                   m_out.text("measurementtool output_6dmt"));
        const ReportValue<int> maxTools = m_out.integer("measurementtool max_number_of_tools");
        m_out.line(QStringLiteral("Number of tools: ") +
                   (tools.ok() && maxTools.ok()
                        ? QString::number(tools.value) + QStringLiteral(" / ") +
                              QString::number(maxTools.value)
                        : errorText(tools.ok() ? maxTools.rc : tools.rc)));
        const ReportValue<int> refs = m_out.integer("measurementtool number_of_references");
        const ReportValue<int> maxRefs = m_out.integer("measurementtool max_number_of_references");
        m_out.line(QStringLiteral("Number of references: ") +
                   (refs.ok() && maxRefs.ok()
                        ? QString::number(refs.value) + QStringLiteral(" / ") +
                              QString::number(maxRefs.value)
                        : errorText(refs.ok() ? maxRefs.rc : refs.rc)));
    } else if (!tools.ok()) {
        m_out.line(QStringLiteral("Number of tools: ") + errorText(tools.rc));
    }
    m_out.emptyLine();
    for (int b = 1, last = m_out.listed(tools); b <= last; ++b) {
        m_out.line(QStringLiteral("Measurement Tool ") + QString::number(b));
        m_out.line(rule(18));
        const ReportText reference = m_out.text("measurementtool reference_of_tool b%2.2d", b);
        m_out.line(QStringLiteral("Reference of tool: ") + referenceName(reference));
        const ReportValue<bool> tip = m_out.yesNo("measurementtool tip_calibrated b%2.2d", b);
        QString tipText = yesNoText(tip);
        if (tip.ok() && tip.value)
            tipText +=
                QLatin1Char(' ') + m_out.text("measurementtool tip_residual b%2.2d", b).orError();
        m_out.line(QStringLiteral("Tip calibrated   : ") + tipText);
        m_out.emptyLine();
    }
}

void ExportConfiguration::exportBodyCalibration()
{
    if (!m_out.requireProtocol(ProtocolFeature::BodyCalibrationReport))
        return;
    const ReportValue<int> types = m_out.integer("body number_of_types");
    m_out.line(QStringLiteral("Number of types: ") + countText(types));
    m_out.emptyLine();
    tableHead(m_out, QStringLiteral("Body types:"), 11,
              QStringLiteral("ID        | Type                          "
                             "| Description                             | Count "),
              QStringLiteral("----------|-------------------------------"
                             "|-----------------------------------------|-------"));
    QList<BodyTypeCount> collected;
    for (int t = 1, last = m_out.listed(types); t <= last; ++t) {
        const QString id = cut(QLatin1Char('t') + ReportWriter::twoDigits(t), 10);
        const ReportText type = m_out.text("body type t%02d", t);
        if (!type.ok()) {
            m_out.line(id + QStringLiteral("| ") + type.orError());
            continue;
        }
        const QByteArray key = utf8(type.value);
        const ReportText desc = m_out.text("body type_desc %s", key.constData());
        const ReportValue<int> count = m_out.integer("body number_of_bodies %s", key.constData());
        m_out.line(id + QStringLiteral("| ") + type.value.leftJustified(30) + QStringLiteral("| ") +
                   desc.unquotedOr(desc.orError()).leftJustified(40) + QStringLiteral("| ") +
                   countText(count));
        if (count.ok() && key.size() < int(sizeof(BodyTypeCount::body_type))) {
            BodyTypeCount entry{};
            std::memcpy(entry.body_type, key.constData(), size_t(key.size()));
            entry.count = count.value;
            collected << entry;
        }
    }
    m_out.emptyLine();

    const ReportValue<int> targetTypes = m_out.integer("bodycal number_of_target_types");
    m_out.line(QStringLiteral("Number of target types: ") + countText(targetTypes));
    tableHead(m_out, QStringLiteral("Target types:"), 13,
              QStringLiteral("ID        | Type                          | Description         "),
              QStringLiteral("----------|-------------------------------|---------------------"));
    for (int t = 1, last = m_out.listed(targetTypes); t <= last; ++t) {
        const QString id = cut(QLatin1Char('t') + ReportWriter::twoDigits(t), 10);
        const ReportText type = m_out.text("bodycal target_type_id t%02d", t);
        if (!type.ok()) {
            m_out.line(id + QStringLiteral("| ") + type.orError());
            continue;
        }
        const ReportText desc =
            m_out.text("bodycal target_type_desc %s", utf8(type.value).constData());
        m_out.line(id + QStringLiteral("| ") + type.value.leftJustified(30) + QStringLiteral("| ") +
                   desc.unquotedOr(desc.orError()));
    }
    m_out.emptyLine();
    writeBodies(m_out, collected);
}
