// Report sections: interaction devices, finger tracking, tactile, inertial sensors and radio.
#include "ExportConfiguration.h"

#include <QByteArray>

#include "ReportFormat.h"

using namespace reportformat;

namespace {

constexpr int DongleLabelWidth = 25;
constexpr int RadioLabelWidth = 7;

// "label: value" or "label: Error <code>".
void valueLine(ReportWriter& out, const QString& label, const ReportText& answer)
{
    out.line(label + QStringLiteral(": ") + answer.orError());
}

// Three numbers of an answer as "x = .. [mm], y = .. [mm], z = .. [mm]".
bool coordinates(const ReportText& answer, QString* text)
{
    const QStringList parts = ReportWriter::words(answer.value);
    if (!answer.ok() || parts.size() != 3)
        return false;
    *text = QStringLiteral("x = ") + parts.at(0) + QStringLiteral(" [mm], y = ") + parts.at(1) +
            QStringLiteral(" [mm], z = ") + parts.at(2) + QStringLiteral(" [mm]");
    return true;
}

QString coordinateError(const ReportText& answer)
{
    return errorText(answer.ok() ? -33 : answer.rc);
}

// ---- interaction devices --------------------------------------------

QString wandDescription(ReportWriter& out, const QString& device)
{
    DeviceId id;
    if (id.parse(device))
        return out.text("qorwpan device_model_desc %s", id.vendorModel().constData())
            .unquotedOr(errorText(-32));
    // One word names the controller port a wired device hangs on.
    if (device != QLatin1String("none") && ReportWriter::words(device).size() == 1)
        return QStringLiteral("wired");
    return QString();
}

// The sync group and flash columns are value " / " maximum, the sync group
// padded to its header column.
void writeSelectedWavewands(ReportWriter& out, const ReportValue<int>& count)
{
    tableHead(out, QStringLiteral("Selected Wavewands:"), 20,
              QStringLiteral("Wavewand ID         | Vendor/model/serial/port | Model description "
                             "| Has param | Sync group | Flash "),
              QStringLiteral("--------------------|--------------------------|-------------------"
                             "|-----------|------------|-------"));
    for (int b = 1, last = out.listed(count); b <= last; ++b) {
        const ReportText device = out.text("wavewand device b%02d", b);
        const QString description =
            device.ok() ? wandDescription(out, device.value) : device.orError();
        const ReportText hasParam = out.text("wavewand has_target_parameter b%02d", b);
        // Cut to the stated widths, then padded to the header's columns.
        QString row = cut(QStringLiteral("F") + QString::number(b), 20) + QStringLiteral("| ") +
                      cut(device.orError(), 25) + QStringLiteral("| ") +
                      cut(description, 17).leftJustified(18) + QStringLiteral("| ") +
                      cut(hasParam.orError(), 9).leftJustified(10) + QStringLiteral("| ");
        if (hasParam.ok() && hasParam.value == QLatin1String("yes")) {
            const QString groups = pairText(out.text("wavewand target_sync_groups b%02d", b),
                                            out.text("wavewand target_max_sync_groups b%02d", b));
            const QString flash =
                pairText(out.text("wavewand target_flash_intensity b%02d", b),
                         out.text("wavewand target_max_flash_intensity b%02d", b));
            row += groups.leftJustified(11) + QStringLiteral("| ") + flash;
        }
        out.line(row);
    }
    out.emptyLine();
}

// The radio devices an interaction device may use, one line each; the
// device number takes two places.
void writeAvailableWavewands(ReportWriter& out)
{
    out.line(QStringLiteral("Available Wavewands:"));
    out.line(rule(20));
    const QString label = QStringLiteral("Number of Wavewand23");
    const ReportValue<int> count = out.integer("wavewand number_of_qorwpan_devices");
    out.line(label + QStringLiteral(": ") + countText(count));
    for (int d = 1, last = out.listed(count); d <= last; ++d) {
        const ReportText device = out.text("wavewand qorwpan_device d%02d", d);
        DeviceId id;
        if (device.ok() && device.value == QLatin1String("none"))
            continue;
        if (!device.ok() || !id.parse(device.value)) {
            out.line(QStringLiteral("Device ") + QString::number(d) +
                     QStringLiteral(": Vendor/model/serial error ") +
                     QString::number(device.ok() ? -33 : device.rc));
            continue;
        }
        const ReportText desc = out.text("qorwpan device_model_desc %s %s", id.vendor.constData(),
                                         id.model.constData());
        out.line(QStringLiteral("Device") + ReportWriter::field(d, 2) + QStringLiteral(": ") +
                 QString::fromUtf8(id.model) + QStringLiteral(" (") +
                 desc.unquotedOr(desc.orError()) + QStringLiteral("), SN ") +
                 QString::fromUtf8(id.serial) + QStringLiteral(", Vendor ") +
                 QString::fromUtf8(id.vendor));
    }
    out.emptyLine();
}

// ---- finger tracking --------------------------------------------------

void writeSelectedHands(ReportWriter& out, const ReportValue<int>& hands)
{
    tableHead(out, QStringLiteral("Selected hands:"), 15,
              QStringLiteral("Hand ID | Name                                 "
                             "| Model                       | Serial | Geometry            "
                             "| Tactile feedback gain [-1.0 .. +1.0]"),
              QStringLiteral("--------|--------------------------------------"
                             "|-----------------------------|--------|---------------------"
                             "|-------------------------------------"));
    for (int b = 1, last = out.listed(hands); b <= last; ++b) {
        const QString name =
            out.text("body desc fingertracking b%02d", b).unquotedOr(errorText(-32));
        QString model;
        QString serial;
        const ReportText tactile = out.text("fingertracking tactile_device_of_body b%02d", b);
        DeviceId id;
        if (!tactile.ok()) {
            model = tactile.orError();
        } else if (id.parse(tactile.value)) {
            model = out.text("qorwpan device_model_desc %s", id.vendorModel().constData())
                        .unquotedOr(errorText(-32));
            serial = QString::fromUtf8(id.serial);
        }
        QString geometry;
        const ReportText geometryId = out.text("fingertracking hand_geometry_of_body b%02d", b);
        if (!geometryId.ok())
            geometry = geometryId.orError();
        else if (geometryId.value == QLatin1String("none"))
            geometry = geometryId.value;
        else
            geometry =
                out.text("fingertracking hand_geometry_desc %s", utf8(geometryId.value).constData())
                    .unquotedOr(errorText(-32));
        // Asked for the hand's body, so that hands without a glove show theirs too.
        const ReportText gain = out.text("fingertracking tactile_feedback_gain b%02d", b);
        out.line(ReportWriter::field(QStringLiteral("H") + QString::number(b), 8) +
                 QStringLiteral("| ") + ReportWriter::field(name, 37) + QStringLiteral("| ") +
                 ReportWriter::field(model, 28) + QStringLiteral("| ") +
                 ReportWriter::field(serial, 7) + QStringLiteral("| ") +
                 ReportWriter::field(geometry, 20) + QStringLiteral("| ") +
                 (gain.ok() ? gain.value : QStringLiteral("error ") + QString::number(gain.rc)));
    }
    out.emptyLine();
}

// Per finger: its number of markers from one answer of counts ("1 1 1").
QList<int> fingerMarkerCounts(const ReportText& answer, bool* ok)
{
    QList<int> counts;
    *ok = answer.ok();
    for (const QString& w : ReportWriter::words(answer.value)) {
        bool good = false;
        counts << w.toInt(&good);
        *ok = *ok && good;
    }
    return counts;
}

void writeFinger(ReportWriter& out, const QByteArray& geometry, int f, int markers)
{
    const QString finger = QStringLiteral("finger") + QString::number(f);
    out.line(QStringLiteral("Number of finger marker ") + finger + QStringLiteral(" = ") +
             QString::number(markers));
    for (int m = 1, last = out.listed(markers); m <= last; ++m) {
        const ReportText marker =
            out.text("fingertracking finger_marker %s f%d m%2.2d", geometry.constData(), f, m);
        QString xyz;
        if (coordinates(marker, &xyz))
            out.line(QStringLiteral("Coordinates of ") + finger + QStringLiteral(" marker") +
                     QString::number(m) + QStringLiteral(": ") + xyz);
        else
            out.line(QStringLiteral("Coordinates of finger marker: ") + coordinateError(marker));
    }
    const ReportText radius =
        out.text("fingertracking collision_radius %s f%d", geometry.constData(), f);
    out.line(radius.ok() ? QStringLiteral("Collisions radius of ") + finger + QStringLiteral(": ") +
                               radius.value + QStringLiteral("[mm]")
                         : QStringLiteral("Collisions radius of finger: ") + radius.orError());
    const ReportText phalanges =
        out.text("fingertracking length_of_phalanges %s f%d", geometry.constData(), f);
    out.line(phalanges.ok()
                 ? QStringLiteral("Length of phalanges of ") + finger + QStringLiteral(" [mm]: ") +
                       phalanges.value
                 : QStringLiteral("Length of phalanges of finger: ") + phalanges.orError());
    const ReportText joint =
        out.text("fingertracking location_of_joint %s f%d", geometry.constData(), f);
    QString xyz;
    out.line(coordinates(joint, &xyz)
                 ? QStringLiteral("Location of joint of ") + finger + QStringLiteral(": ") + xyz
                 : QStringLiteral("Location of joint of finger: ") + coordinateError(joint));
}

// Writes one hand geometry block; returns its id ("" when unknown).
QString writeHandGeometry(ReportWriter& out, int t)
{
    const QString title = QStringLiteral("Hand geometry ") + QString::number(t) + QLatin1Char(':');
    out.line(title);
    out.line(rule(16));
    const ReportText id = out.text("fingertracking hand_geometry t%02d", t);
    valueLine(out, QStringLiteral("ID"), id);
    if (!id.ok()) {
        out.emptyLine();
        return QString();
    }
    const QByteArray g = utf8(id.value);
    valueLine(out, QStringLiteral("Available"),
              out.text("fingertracking hand_geometry_available %s", g.constData()));
    const ReportText desc = out.text("fingertracking hand_geometry_desc %s", g.constData());
    out.line(QStringLiteral("Description: ") + desc.unquotedOr(desc.orError()));
    valueLine(out, QStringLiteral("Creation date"),
              out.text("fingertracking hand_geometry_creation_date %s", g.constData()));
    valueLine(out, QStringLiteral("Handedness"),
              out.text("fingertracking handedness %s", g.constData()));
    valueLine(out, QStringLiteral("5 finger simulation"),
              out.text("fingertracking simulate_5finger %s", g.constData()));
    const ReportValue<int> handMarkers =
        out.integer("fingertracking number_of_hand_marker %s", g.constData());
    out.line(QStringLiteral("Number of hand marker: ") + countText(handMarkers));
    for (int m = 1, last = out.listed(handMarkers); m <= last; ++m) {
        const ReportText marker =
            out.text("fingertracking hand_marker %s m%2.2d", g.constData(), m);
        QString xyz;
        if (coordinates(marker, &xyz))
            out.line(QStringLiteral("Hand marker") + QString::number(m) + QStringLiteral(": ") +
                     xyz);
        else
            out.line(QStringLiteral("Coordinates of hand marker: ") + coordinateError(marker));
    }
    bool countsOk = false;
    const ReportText fingerAnswer =
        out.text("fingertracking number_of_finger_marker %s", g.constData());
    const QList<int> counts = fingerMarkerCounts(fingerAnswer, &countsOk);
    if (!countsOk)
        out.line(QStringLiteral("Number of finger marker: ") + coordinateError(fingerAnswer));
    for (int f = 1; countsOk && f <= counts.size(); ++f)
        writeFinger(out, g, f, counts.at(f - 1));
    out.emptyLine();
    return id.value;
}

void writeThimbleSets(ReportWriter& out)
{
    out.line(QStringLiteral("Thimble sets:"));
    out.line(rule(13));
    const ReportValue<int> sets = out.integer("fingertracking number_of_thimble_sets");
    out.line(sets.ok() ? QStringLiteral("Number of thimble sets: ") + QString::number(sets.value)
                       : QStringLiteral("Number thimble sets: ") + errorText(sets.rc));
    for (int t = 1, last = out.listed(sets); t <= last; ++t) {
        out.line(QStringLiteral("Thimble set") + QString::number(t) + QLatin1Char(':'));
        const ReportText name = out.text("fingertracking thimble_set t%2.2d", t);
        if (!name.ok()) {
            out.line(QStringLiteral("Thimble set name: ") + name.orError());
            out.emptyLine();
            continue;
        }
        const QByteArray s = utf8(name.value);
        out.line(QStringLiteral("Name        : ") + name.value);
        const ReportText available =
            out.text("fingertracking thimble_set_available %s", s.constData());
        out.line(available.ok() ? QStringLiteral("Available   : ") + available.value
                                : QStringLiteral("Thimble set availble: ") + available.orError());
        const ReportText desc = out.text("fingertracking thimble_set_desc %s", s.constData());
        out.line(desc.ok() ? QStringLiteral("Description : ") + desc.unquoted()
                           : QStringLiteral("Thimble set description: ") + desc.orError());
        bool countsOk = false;
        const ReportText countAnswer =
            out.text("fingertracking number_of_thimble_set_marker %s", s.constData());
        const QList<int> counts = fingerMarkerCounts(countAnswer, &countsOk);
        if (!countsOk)
            out.line(QStringLiteral("Number of thimble set marker: ") +
                     coordinateError(countAnswer));
        for (int f = 1; countsOk && f <= counts.size(); ++f) {
            const QString finger = QStringLiteral("finger") + QString::number(f);
            out.line(QStringLiteral("Number of thimble set marker ") + finger +
                     QStringLiteral(" = ") + QString::number(counts.at(f - 1)));
            for (int m = 1, last = out.listed(counts.at(f - 1)); m <= last; ++m) {
                const ReportText marker = out.text(
                    "fingertracking thimble_set_marker %s f%d m%2.2d", s.constData(), f, m);
                QString xyz;
                if (coordinates(marker, &xyz))
                    out.line(QStringLiteral("Coordinates of ") + finger +
                             QStringLiteral(" thimble set marker") + QString::number(m) +
                             QStringLiteral(": ") + xyz);
                else
                    out.line(QStringLiteral("Coordinates of thimble set marker: ") +
                             coordinateError(marker));
            }
        }
        out.emptyLine();
    }
    if (!sets.ok() || sets.value == 0)
        out.emptyLine();
}

void writeAssignments(ReportWriter& out, const ReportValue<int>& hands,
                      const QStringList& geometries)
{
    out.line(QStringLiteral("Assignments body - hand geometries:"));
    out.line(rule(34));
    for (int b = 1, last = out.listed(hands); b <= last; ++b) {
        const ReportText geometry = out.text("fingertracking hand_geometry_of_body b%2.2d", b);
        const QString body = QStringLiteral("Hand geometry of body") + QString::number(b);
        out.line(geometry.ok() ? body + QStringLiteral(" : ") + geometry.value
                               : body + QStringLiteral(": ") + geometry.orError());
    }
    for (const QString& g : geometries) {
        if (g.isEmpty() || g == QLatin1String("none"))
            continue;
        const ReportText body =
            out.text("fingertracking body_of_hand_geometry %s", utf8(g).constData());
        const QString label = QStringLiteral("Body of hand geometry ") + g;
        out.line(body.ok() ? label + QStringLiteral(" : ") + body.value
                           : label + QStringLiteral(": ") + body.orError());
    }
    out.emptyLine();
}

// ---- inertial and radio device blocks --------------------------------

// The parameter words of one device family: "inertial transceiver", ...
struct DeviceFamily
{
    const char* prefix;  // "inertial" or "qorwpan"
    const char* kind;    // "transceiver", "sensor" or "device"
    int labelWidth;
};

QByteArray familyParameter(const DeviceFamily& family, const char* suffix)
{
    return QByteArray(family.prefix) + ' ' + family.kind + suffix;
}

// Writes the identity lines of device d; false when the device is unknown.
bool writeDeviceIdentity(ReportWriter& out, const DeviceFamily& family, int d, DeviceId* id,
                         bool separateDescriptions)
{
    const int w = family.labelWidth;
    const ReportText answer = out.text("%s d%02d", familyParameter(family, "").constData(), d);
    if (!answer.ok() || !id->parse(answer.value)) {
        out.labelled(QStringLiteral("Vendor/model/serial"), w,
                     answer.ok() ? answer.value : answer.orError());
        return false;
    }
    out.labelled(QStringLiteral("Vendor/model/serial"), w, answer.value);
    const ReportText vendor = out.text("%s %s", familyParameter(family, "_vendor_desc").constData(),
                                       id->vendor.constData());
    const ReportText model = out.text("%s %s", familyParameter(family, "_model_desc").constData(),
                                      id->vendorModel().constData());
    if (separateDescriptions) {
        out.labelled(QStringLiteral("Vendor ID"), w, QString::fromUtf8(id->vendor));
        out.labelled(QStringLiteral("Vendor description"), w, vendor.unquotedOr(vendor.orError()));
    }
    out.labelled(QStringLiteral("Vendor"), w, describedId(vendor, id->vendor));
    if (separateDescriptions) {
        out.labelled(QStringLiteral("Model ID"), w, QString::fromUtf8(id->model));
        out.labelled(QStringLiteral("Model description"), w, model.unquotedOr(model.orError()));
    }
    out.labelled(QStringLiteral("Model"), w, describedId(model, id->model));
    out.labelled(QStringLiteral("Serial"), w, QString::fromUtf8(id->serial));
    return true;
}

// A per-device value: "<prefix> <kind><suffix> vendor model serial".
void deviceValue(ReportWriter& out, const DeviceFamily& family, const DeviceId& id,
                 const QString& label, const char* suffix)
{
    out.labelled(
        label, family.labelWidth,
        out.text("%s %s", familyParameter(family, suffix).constData(), id.all().constData()));
}

void deviceValueOf(ReportWriter& out, const DeviceFamily& family, const DeviceId& id,
                   const QString& label, const char* parameter)
{
    out.labelled(label, family.labelWidth,
                 out.text("%s %s %s", family.prefix, parameter, id.all().constData()));
}

// "<title> <n>:" with its rule, identity and the family's further values.
template <typename Extra>
void writeDeviceBlocks(ReportWriter& out, const DeviceFamily& family, int count,
                       const QString& title, int ruleLength, bool separateDescriptions, Extra extra)
{
    for (int d = 1, last = out.listed(count); d <= last; ++d) {
        out.line(title + QLatin1Char(' ') + QString::number(d) + QLatin1Char(':'));
        out.line(rule(ruleLength));
        DeviceId id;
        if (writeDeviceIdentity(out, family, d, &id, separateDescriptions))
            extra(id);
        out.emptyLine();
    }
}

void writeTrackingFrequency(ReportWriter& out)
{
    out.line(QStringLiteral("Tracking frequency:"));
    out.line(rule(18));
    if (!out.requireProtocol(ProtocolFeature::InertialTrackingFrequency))
        return;
    out.line(QStringLiteral("Inertial available: ") + out.text("inertial available").orError());
    out.line(QStringLiteral("Tracking frequency: ") + out.text("tracking pulse").orError());
    out.emptyLine();
}

}  // namespace

void ExportConfiguration::exportWavewandSettings()
{
    if (!m_out.requireProtocol(ProtocolFeature::WavewandSettings))
        return;
    m_out.line(QStringLiteral("Max number of Wavewands: ") +
               countText(m_out.integer("wavewand max_number_of_devices")));
    const ReportValue<int> count = m_out.integer("wavewand number_of_devices");
    m_out.line(QStringLiteral("Number of Wavewands: ") + countText(count));
    valueLine(m_out, QStringLiteral("Use 6DOF filter"), m_out.text("wavewand filter"));
    valueLine(m_out, QStringLiteral("Use old output format"), m_out.text("wavewand output_6df"));
    valueLine(m_out, QStringLiteral("Multi user function available"),
              m_out.text("wavewand multiuser_available"));
    valueLine(m_out, QStringLiteral("Multi user function active"),
              m_out.text("wavewand multiuser"));
    if (m_out.protocolAtLeast(ProtocolFeature::MultiUserHeadTargets)) {
        valueLine(m_out, QStringLiteral("Multi user head targets available"),
                  m_out.text("wavewand multiuser_with_head_available"));
        valueLine(m_out, QStringLiteral("Use head targets"),
                  m_out.text("wavewand multiuser_with_head"));
    }
    m_out.emptyLine();
    writeSelectedWavewands(m_out, count);
    writeAvailableWavewands(m_out);
}

void ExportConfiguration::exportFingerTrackingSettings()
{
    if (!m_out.requireProtocol(ProtocolFeature::FingerTracking))
        return;
    const ReportText maxHands = m_out.text("fingertracking max_number_of_hands");
    valueLine(m_out, QStringLiteral("Max number of hands"), maxHands);
    const ReportValue<int> hands = m_out.integer("fingertracking number_of_hands");
    m_out.line(QStringLiteral("Number of hands: ") + countText(hands));
    const ReportValue<int> geometries = m_out.integer("fingertracking number_of_hand_geometries");
    m_out.line(QStringLiteral("Number of hand geometries: ") + countText(geometries));
    m_out.emptyLine();
    writeSelectedHands(m_out, hands);
    QStringList ids;
    for (int t = 1, last = m_out.listed(geometries); t <= last; ++t)
        ids << writeHandGeometry(m_out, t);
    writeThimbleSets(m_out);
    writeAssignments(m_out, hands, ids);
}

void ExportConfiguration::exportTactileSettings()
{
    if (!m_out.requireProtocol(ProtocolFeature::TactileFeedback))
        return;
    const ReportValue<bool> available = m_out.yesNo("fingertracking tactile_available");
    m_out.line(QStringLiteral("Available: ") + yesNoText(available));
    if (!available.ok() || !available.value)
        return;
    m_out.line(QStringLiteral("Enabled: ") +
               yesNoText(m_out.yesNo("fingertracking tactile_enabled")));
    const ReportValue<int> count = m_out.integer("fingertracking number_of_tactile_devices");
    m_out.line(count.ok()
                   ? QStringLiteral("Number of tactile devices:") + QString::number(count.value)
                   : QStringLiteral("Number of tactile devices: ") + errorText(count.rc));
    m_out.emptyLine();
    for (int d = 1, last = m_out.listed(count); d <= last; ++d) {
        const ReportText device = m_out.text("fingertracking tactile_device d%02d", d);
        DeviceId id;
        if (!device.ok() || !id.parse(device.value)) {
            m_out.line(QStringLiteral("Vendor/model/serial: ") +
                       (device.ok() ? errorText(-33) : device.orError()));
            m_out.emptyLine();
            continue;
        }
        const ReportText desc = m_out.text("qorwpan device_model_desc %s %s", id.vendor.constData(),
                                           id.model.constData());
        m_out.line(QStringLiteral("Vendor           : ") + QString::fromUtf8(id.vendor));
        m_out.line(QStringLiteral("Model            : ") + QString::fromUtf8(id.model));
        m_out.line(QStringLiteral("Model description: ") +
                   desc.unquotedOr(QStringLiteral("Error")));
        m_out.line(QStringLiteral("Serial           : ") + QString::fromUtf8(id.serial));
        m_out.line(
            QStringLiteral("Assigned body: ") +
            m_out.text("fingertracking body_of_tactile_device qorwpan %s", id.all().constData())
                .orError());
        m_out.emptyLine();
    }
}

void ExportConfiguration::exportInertialSettings()
{
    if (!m_out.requireProtocol(ProtocolFeature::InertialSensors))
        return;
    const ReportText available = m_out.text("inertial available");
    if (!available.ok()) {
        m_out.line(QStringLiteral("Available: ") + available.orError());
        return;
    }
    if (available.value != QLatin1String("yes")) {
        m_out.line(QStringLiteral("Available: no"));
        return;
    }
    m_out.line(QStringLiteral("Available: yes"));
    const ReportValue<double> frequency = m_out.number("inertial frequency");
    m_out.line(QStringLiteral("Frequency [Hz]: ") +
               (frequency.ok() ? general(frequency.value) : errorText(frequency.rc)));
    m_out.emptyLine();

    const DeviceFamily dongles{"inertial", "transceiver", DongleLabelWidth};
    const ReportValue<int> dongleCount = m_out.integer("inertial number_of_transceivers");
    m_out.line(QStringLiteral("Number of dongles: ") + countText(dongleCount));
    m_out.emptyLine();
    writeDeviceBlocks(m_out, dongles, dongleCount.orElse(0), QStringLiteral("Dongle"), 14, true,
                      [&](const DeviceId& id) {
                          deviceValue(m_out, dongles, id, QStringLiteral("Version"), "_version");
                          deviceValue(m_out, dongles, id, QStringLiteral("Present"), "_present");
                          deviceValue(m_out, dongles, id, QStringLiteral("Channel"),
                                      "_radio_channel");
                      });

    const DeviceFamily sensors{"inertial", "sensor", DongleLabelWidth};
    const ReportValue<int> sensorCount = m_out.integer("inertial number_of_sensors");
    m_out.line(QStringLiteral("Number of sensors: ") + countText(sensorCount));
    m_out.emptyLine();
    writeDeviceBlocks(
        m_out, sensors, sensorCount.orElse(0), QStringLiteral("Sensor"), 14, true,
        [&](const DeviceId& id) {
            deviceValue(m_out, sensors, id, QStringLiteral("Version"), "_version");
            deviceValue(m_out, sensors, id, QStringLiteral("Present"), "_present");
            deviceValue(m_out, sensors, id, QStringLiteral("Channel"), "_radio_channel");
            deviceValue(m_out, sensors, id, QStringLiteral("Wakeup mode"), "_wakeup_mode");
            const ReportText timeout =
                m_out.text("inertial sensor_sleep_timeout %s", id.all().constData());
            m_out.labelled(QStringLiteral("Sleep time out [min]"), DongleLabelWidth,
                           timeout.ok()
                               ? timeout.value + QStringLiteral(" (-1.0=unknown, 0.0=infinite)")
                               : timeout.orError());
            deviceValueOf(m_out, sensors, id, QStringLiteral("Body of sensor"), "body_of_sensor");
            deviceValue(m_out, sensors, id, QStringLiteral("Hand eye"), "_handeye");
            deviceValue(m_out, sensors, id, QStringLiteral("Delay [ms]"), "_delay");
            deviceValue(m_out, sensors, id, QStringLiteral("Storage available"), "_has_storage");
            deviceValue(m_out, sensors, id, QStringLiteral("Gyro calibration possible"),
                        "_has_gyro_calibration");
            deviceValue(m_out, sensors, id, QStringLiteral("Frequency [Hz]"), "_output_frequency");
        });
    writeTrackingFrequency(m_out);
}

void ExportConfiguration::exportQorRadioInfo()
{
    if (!m_out.requireProtocol(ProtocolFeature::RadioReport))
        return;
    const ReportText available = m_out.text("qorwpan available");
    m_out.line(QStringLiteral("Available: ") + available.orError());
    if (!available.ok() || available.value != QLatin1String("yes"))
        return;
    const ReportText radio = m_out.text("qorwpan radio");
    const QStringList radioWords = ReportWriter::words(radio.value);
    if (radio.ok() && radioWords.size() == 2) {
        m_out.line(QStringLiteral("Channel  : ") + radioWords.at(0));
        m_out.line(QStringLiteral("PAN-ID   : ") + radioWords.at(1));
    } else {
        m_out.line(QStringLiteral("Channel / PAN-ID: ") + errorText(radio.ok() ? -33 : radio.rc));
    }
    m_out.emptyLine();

    const DeviceFamily transceivers{"qorwpan", "transceiver", RadioLabelWidth};
    const ReportValue<int> transceiverCount = m_out.integer("qorwpan number_of_transceivers");
    m_out.line(QStringLiteral("Number of transceivers: ") + countText(transceiverCount));
    m_out.emptyLine();
    writeDeviceBlocks(
        m_out, transceivers, transceiverCount.orElse(0), QStringLiteral("Transceiver"), 14, false,
        [&](const DeviceId& id) {
            deviceValue(m_out, transceivers, id, QStringLiteral("Version"), "_version");
            deviceValue(m_out, transceivers, id, QStringLiteral("Present"), "_present");
        });

    const DeviceFamily devices{"qorwpan", "device", RadioLabelWidth};
    const ReportValue<int> deviceCount = m_out.integer("qorwpan number_of_devices");
    m_out.line(QStringLiteral("Number of devices: ") + countText(deviceCount));
    m_out.emptyLine();
    writeDeviceBlocks(m_out, devices, deviceCount.orElse(0), QStringLiteral("Device"), 9, false,
                      [&](const DeviceId& id) {
                          deviceValue(m_out, devices, id, QStringLiteral("Version"), "_version");
                          deviceValue(m_out, devices, id, QStringLiteral("Free"), "_free");
                          deviceValue(m_out, devices, id, QStringLiteral("Present"), "_present");
                      });
}
