// Report sections: cameras, synchronisation, room calibration and room adjustment.
#include "ExportConfiguration.h"

#include <QByteArray>

#include <cmath>

#include "ReportFormat.h"

using namespace reportformat;

namespace {

constexpr int CameraLabelWidth = 7;
constexpr int CameraCutWidth = 16;
constexpr int RotationRuleLength = 108;
// A card of this family has a fixed divider on its external inputs and does
// not answer the maximum-divisor query.
const char* const FixedDivisorCard = "KESTRELBOX";
constexpr int FixedExternalDivisor = 2;
// A raw read answered with an error: the code the parameter reads give it.
constexpr int ReportCommandRefused = -32;

// A camera pose "x y z r0 .. r8" as the room tables show it: positions with
// one decimal, rotation entries with six, each 11 wide, so that the nine
// entries fill the 108-character rotation column.
struct Pose
{
    double values[12] = {};
    bool parse(const QString& text)
    {
        const QStringList parts = ReportWriter::words(text);
        if (parts.size() != 12)
            return false;
        for (int i = 0; i < 12; ++i) {
            bool ok = false;
            values[i] = parts.at(i).toDouble(&ok);
            if (!ok)
                return false;
        }
        return true;
    }
    QString position() const
    {
        return ReportWriter::fixed(values[0], 11, 1) + QLatin1Char(' ') +
               ReportWriter::fixed(values[1], 11, 1) + QLatin1Char(' ') +
               ReportWriter::fixed(values[2], 11, 1);
    }
    QString rotation() const
    {
        QStringList parts;
        for (int i = 3; i < 12; ++i)
            parts << ReportWriter::fixed(values[i], 11, 6);
        return parts.join(QLatin1Char(' '));
    }
};

// The setting of a feature the camera may lack: "has_<feature>" decides
// whether "<feature>" is asked at all.
QString optionalSetting(ReportWriter& out, const ReportText& has, const char* parameter, int cam)
{
    if (!has.ok())
        return has.orError();
    if (has.value != QLatin1String("yes"))
        return QStringLiteral("not supported");
    return out.text("camera %s c%02d", parameter, cam).orError();
}

// "camera camera cNN": type code and serial.
struct CameraIdent
{
    ReportText answer;
    QString type;
    QString serial;
};

CameraIdent cameraIdent(ReportWriter& out, int cam)
{
    CameraIdent id;
    id.answer = out.text("camera camera c%02d", cam);
    if (id.answer.ok()) {
        const QStringList parts = ReportWriter::words(id.answer.value);
        id.type = parts.value(0);
        id.serial = parts.value(1);
    }
    return id;
}

QString cameraSerial(ReportWriter& out, const CameraIdent& id)
{
    if (!isCompactCameraType(id.type))
        return id.serial;
    if (!out.protocolAtLeast(ProtocolFeature::CompactCameraSerial))
        return QString();
    return out.text("camera serial_desc %s", utf8(id.type).constData()).unquotedOr(QString());
}

void writeCameraIdentity(ReportWriter& out, int cam)
{
    const CameraIdent id = cameraIdent(out, cam);
    if (!id.answer.ok()) {
        out.labelled(QStringLiteral("Model ID"), CameraLabelWidth, id.answer);
        out.labelled(QStringLiteral("Model"), CameraLabelWidth, id.answer);
        out.labelled(QStringLiteral("Serial"), CameraLabelWidth, id.answer);
        return;
    }
    out.labelled(QStringLiteral("Model ID"), CameraLabelWidth, id.type);
    const ReportText model = out.text("camera model_desc %s", utf8(id.type).constData());
    out.labelled(QStringLiteral("Model"), CameraLabelWidth,
                 model.ok() ? model.unquoted() + QStringLiteral(" (") + id.type + QLatin1Char(')')
                            : model.orError());
    out.labelled(QStringLiteral("Serial"), CameraLabelWidth, cameraSerial(out, id));
}

QString markerModes(ReportWriter& out, int cam)
{
    const ReportText accurate = out.text("camera has_marker_mode_accurate c%02d", cam);
    const ReportText fast = out.text("camera has_marker_mode_fast c%02d", cam);
    if (!accurate.ok())
        return accurate.orError();
    if (!fast.ok())
        return fast.orError();
    QString modes;
    if (accurate.value == QLatin1String("yes"))
        modes += QStringLiteral("accurate ");
    if (fast.value == QLatin1String("yes"))
        modes += QStringLiteral("fast ");
    return modes.isEmpty() ? QStringLiteral("none") : modes;
}

// The largest marker as a share of the chip's mean edge length.
QString markerShareOfChip(const ReportText& maxSize, const ReportText& horizontal,
                          const ReportText& vertical)
{
    for (const ReportText* t : {&maxSize, &horizontal, &vertical})
        if (!t->ok())
            return t->orError();
    bool okH = false, okV = false, okM = false;
    const int h = horizontal.value.trimmed().toInt(&okH);
    const int v = vertical.value.trimmed().toInt(&okV);
    const double size = maxSize.value.trimmed().toDouble(&okM);
    // Two large edge lengths would overflow an int sum.
    const qint64 mean = (qint64(h) + qint64(v)) / 2;
    if (!okH || !okV || !okM || mean <= 0 || !std::isfinite(size))
        return QStringLiteral("unknown");
    return QString::number(size / (mean / 100.0), 'f', 1);
}

void writeCameraFeatures(ReportWriter& out, int cam)
{
    const int w = CameraLabelWidth;
    out.labelled(QStringLiteral("Version"), w, out.text("camera version c%02d", cam));
    const ReportText focal = out.text("camera focal_length c%02d", cam);
    out.labelled(QStringLiteral("Focal length"), w,
                 focal.ok() ? focal.value + QStringLiteral(" [mm]") : focal.orError());
    out.line(QStringLiteral("Flash has low power: ") +
             out.text("camera is_flash_low_power c%02d", cam).orError());
    const ReportText intensity = out.text("camera flash_intensity c%02d", cam);
    const ReportText maxIntensity = out.text("camera max_flash_intensity c%02d", cam);
    out.labelled(QStringLiteral("Flash intensity"), w, pairText(intensity, maxIntensity));

    const ReportText hasModulated = out.text("camera has_modulated_flash c%02d", cam);
    out.labelled(QStringLiteral("Modulated flash available"), w, hasModulated);
    out.labelled(QStringLiteral("Modulated flash"), w,
                 optionalSetting(out, hasModulated, "modulated_flash", cam));
    out.labelled(QStringLiteral("Max sync-frequency"), w,
                 out.text("camera max_sync_frequency c%02d", cam));
    out.labelled(QStringLiteral("Temperature measurement"), w,
                 out.text("camera has_temperature_measurement c%02d", cam));
    if (out.protocolAtLeast(ProtocolFeature::CameraAutomaticWarming)) {
        const ReportText hasWarming = out.text("camera has_automatic_warming c%02d", cam);
        out.labelled(QStringLiteral("Automatic warming available"), w, hasWarming);
        out.labelled(QStringLiteral("Automatic warming"), w,
                     optionalSetting(out, hasWarming, "automatic_warming", cam));
    }
    out.labelled(QStringLiteral("Available marker measurement modes"), w, markerModes(out, cam));
    out.labelled(QStringLiteral("Active marker measurement mode"), w,
                 out.text("camera marker_mode c%02d", cam));
    out.labelled(QStringLiteral("Max marker number"), w,
                 out.text("camera marker_max_number c%02d", cam));
    const ReportText minSize = out.text("camera marker_min_size c%02d", cam);
    const ReportText maxSize = out.text("camera marker_max_size c%02d", cam);
    out.labelled(QStringLiteral("Marker size (min / max)"), w, pairText(minSize, maxSize));
    const ReportText horizontal = out.text("camera sensor_pixel_horizontal c%02d", cam);
    const ReportText vertical = out.text("camera sensor_pixel_vertical c%02d", cam);
    out.labelled(QStringLiteral("Chip size (horizontal / vertical)"), w,
                 pairText(horizontal, vertical));
    out.labelled(QStringLiteral("Maximum diameter of marker according to chip [%]"), w,
                 markerShareOfChip(maxSize, horizontal, vertical));
    out.labelled(QStringLiteral("Minimum diameter of marker [pixel]"), w, minSize);
    out.labelled(QStringLiteral("Dynamic reflex suppression"), w,
                 optionalSetting(out, out.text("camera has_dynamic_reflex_skip c%02d", cam),
                                 "dynamic_reflex_skip", cam));
    out.labelled(QStringLiteral("Static reflex suppression"), w,
                 optionalSetting(out, out.text("camera has_static_reflex_skip c%02d", cam),
                                 "static_reflex_skip", cam));
}

void writeStaticAreas(ReportWriter& out, int cam)
{
    const ReportValue<int> count = out.integer("camera number_of_areas c%02d", cam);
    out.line(QStringLiteral("Static reflex suppression number of areas: ") + countText(count));
    if (!count.ok())
        return;
    out.line(QStringLiteral("Area ID |        min x |        max x |        min y |        max y"));
    out.line(
        QStringLiteral("--------|--------------|--------------|--------------|--------------"));
    for (int t = 1, last = out.listed(count); t <= last; ++t) {
        double v[4] = {};
        const int rc = out.numbers(v, 4, "camera area c%02d t%02d", cam, t);
        if (rc != 0) {
            out.line(QStringLiteral("Camera area: ") + errorText(rc));
            continue;
        }
        QStringList cells{ReportWriter::field(t, 7)};
        for (double x : v)
            cells << ReportWriter::field(general(x), 12);
        out.line(cells.join(QStringLiteral(" | ")));
    }
}

// "<label> is supported: yes|no" and, when supported, the value line.
void writeSupportedValue(ReportWriter& out, int cam, const char* hasParameter,
                         const char* parameter, const QString& label, const QString& failure)
{
    const ReportValue<bool> has = out.yesNo("camera %s c%02d", hasParameter, cam);
    if (!has.ok()) {
        out.line(failure + errorText(has.rc));
        return;
    }
    out.line(label + QStringLiteral(" is supported: ") +
             (has.value ? QStringLiteral("yes") : QStringLiteral("no")));
    if (has.value)
        out.line(label + QStringLiteral(": ") +
                 out.text("camera %s c%02d", parameter, cam).orError());
}

// Writes "<label>: value" lines of a feature that only some cameras have.
// Returns false when the camera lacks it (nothing written then).
bool cameraHas(ReportWriter& out, int cam, const char* hasParameter, const QString& failureLabel)
{
    const ReportValue<bool> has = out.yesNo("camera %s c%02d", hasParameter, cam);
    if (!has.ok())
        out.line(failureLabel + QStringLiteral(": ") + errorText(has.rc));
    return has.ok() && has.value;
}

void writeCameraCascade(ReportWriter& out, int cam)
{
    const QString label = QStringLiteral("Camera connected to Cascaded System: ");
    const ReportText slave = out.text("camera cascade_slave c%02d", cam);
    if (!slave.ok()) {
        out.line(label + slave.orError());
        return;
    }
    if (slave.value == QLatin1String("none")) {
        out.line(label + QStringLiteral("master"));
        return;
    }
    const ReportText host = out.text("system hostname_slave %s", utf8(slave.value).constData());
    if (!host.ok()) {
        out.line(label + host.orError());
        return;
    }
    out.line(label + QStringLiteral("slave (") + slave.value + QLatin1Char(' ') + host.value +
             QLatin1Char(')'));
}

void writeCameraExtras(ReportWriter& out, int cam, bool cascade)
{
    if (out.protocolAtLeast(ProtocolFeature::CameraModeAndUpsideDown)) {
        const ReportText mode = out.text("camera mode c%02d", cam);
        if (!mode.ok()) {
            out.line(QStringLiteral("Camera mode: ") + mode.orError());
        } else {
            const ReportText desc =
                out.text("camera mode_desc c%02d %s", cam, utf8(mode.value).constData());
            out.line(desc.ok() ? QStringLiteral("Mode: ") + desc.unquoted()
                               : QStringLiteral("Camera mode description: ") + desc.orError());
        }
        out.line(QStringLiteral("Display upside-down: ") +
                 out.text("camera display_upside_down c%02d", cam).orError());
    }
    if (out.protocolAtLeast(ProtocolFeature::CameraSyncGroupAndDisplay)) {
        const ReportText hasGroup = out.text("camera has_sync_group c%02d", cam);
        out.line(QStringLiteral("Has sync group: ") + hasGroup.orError());
        if (hasGroup.ok() && hasGroup.value == QLatin1String("yes"))
            out.line(QStringLiteral("Sync group: ") +
                     out.text("camera sync_group c%02d", cam).orError());
        writeSupportedValue(out, cam, "has_display_intensity", "display_intensity",
                            QStringLiteral("Display intensity"),
                            QStringLiteral("Display intensity exits: "));
        const ReportText setting = out.text("camera display_setting c%02d", cam);
        if (!setting.ok()) {
            out.line(QStringLiteral("Display mode: ") + setting.orError());
        } else {
            const ReportText desc =
                out.text("camera display_setting_desc %s", utf8(setting.value).constData());
            out.line(desc.ok() ? QStringLiteral("Display mode: ") + setting.value +
                                     QStringLiteral(" (") + desc.unquoted() + QLatin1Char(')')
                               : QStringLiteral("Display mode description: ") + desc.orError());
        }
        writeSupportedValue(out, cam, "has_display_ring_intensity", "display_ring_intensity",
                            QStringLiteral("Ring display intensity"),
                            QStringLiteral("Ring display intensity exits: "));
    }
    if (cascade)
        writeCameraCascade(out, cam);
    if (out.protocolAtLeast(ProtocolFeature::CameraSensorSettings)) {
        if (cameraHas(out, cam, "has_marker_threshold", QStringLiteral("Threshold")))
            out.line(QStringLiteral("Threshold: ") +
                     out.text("camera marker_threshold c%02d", cam).orError());
        if (cameraHas(out, cam, "has_sensor_exposure", QStringLiteral("Exposure time"))) {
            const ReportText exposure = out.text("camera sensor_exposure c%02d", cam);
            out.line(QStringLiteral("Exposure time: ") +
                     (exposure.ok() ? exposure.value + QStringLiteral(" ms") : exposure.orError()));
            const ReportText maximum = out.text("camera max_sensor_exposure c%02d", cam);
            out.line(QStringLiteral("Max exposure time: ") +
                     (maximum.ok() ? maximum.value + QStringLiteral(" ms") : maximum.orError()));
        }
        if (cameraHas(out, cam, "has_sensor_gain", QStringLiteral("Sensor gain"))) {
            out.line(QStringLiteral("Sensor gain: ") +
                     out.text("camera sensor_gain c%02d", cam).orError());
            out.line(QStringLiteral("Sensor gain min/max: ") +
                     out.text("camera min_max_sensor_gain c%02d", cam).orError());
        }
    }
}

// Cameras are attributed to master or slave only when the controller runs a
// cascade and can say how many slaves it has.
bool cascadeKnown(ReportWriter& out)
{
    if (!out.protocolAtLeast(ProtocolFeature::Cascade))
        return false;
    const ReportText available = out.text("cascade available");
    if (!available.ok() || available.value != QLatin1String("yes"))
        return false;
    return out.integer("cascade number_of_connected_slaves").ok();
}

// ---- sync card --------------------------------------------------------

void writeSynccardsOld(ReportWriter& out, int cards)
{
    const bool withInput = out.protocolAtLeast(ProtocolFeature::SynccardInputFrequency);
    ReportText hasInput;
    if (withInput) {
        hasInput = out.text("synccard has_input_frequency");
        out.line(QStringLiteral("Has input frequency: ") + hasInput.orError());
    }
    out.emptyLine();
    for (int d = 1, last = out.listed(cards); d <= last; ++d) {
        const QString title = QStringLiteral("Sync-card ") + QString::number(d) + QLatin1Char(':');
        out.line(title);
        out.line(rule(12));
        const ReportText card = out.text("synccard synccard d%02d", d);
        const QStringList parts = ReportWriter::words(card.value);
        out.line(QStringLiteral("Model ID: ") + (card.ok() ? parts.value(0) : card.orError()));
        out.line(QStringLiteral("Serial  : ") + (card.ok() ? parts.value(1) : card.orError()));
        out.line(QStringLiteral("Model   : ") +
                 (card.ok() ? out.text("synccard model_desc %s", utf8(parts.value(0)).constData())
                                  .unquotedOr(QStringLiteral("Error"))
                            : card.orError()));
        if (withInput) {
            QString input = hasInput.orError();
            if (hasInput.ok())
                input = hasInput.value == QLatin1String("yes")
                            ? out.text("synccard input_frequency").orError()
                            : QStringLiteral("not supported");
            out.line(QStringLiteral("Input frequency : ") + input);
        }
        // The card's selected input source names the signal it follows.
        out.line(QStringLiteral("Sync signal (none/video/TTL): ") +
                 out.text("synccard source d%02d", d).orError());
        const ReportText mode = out.text("synccard active_mode");
        QString modeText = mode.orError();
        if (mode.ok() && mode.value != QLatin1String("none")) {
            const ReportText desc = out.text("synccard mode_desc %s", utf8(mode.value).constData());
            modeText = mode.value + QStringLiteral(" (") + desc.unquotedOr(desc.orError()) +
                       QLatin1Char(')');
        }
        out.line(QStringLiteral("Active mode: ") + modeText);
        out.line(QStringLiteral("Output frequency: ") +
                 out.text("synccard output_frequency").orError());
        out.emptyLine();
    }
}

bool hasFixedDivisor(ReportWriter& out)
{
    const ReportText card = out.text("synccard synccard d01");
    if (!card.ok())
        return false;
    const ReportText desc = out.text("synccard model_desc %s",
                                     utf8(ReportWriter::words(card.value).value(0)).constData());
    return desc.ok() && desc.value.contains(QLatin1String(FixedDivisorCard), Qt::CaseInsensitive);
}

void writeSynccardSources(ReportWriter& out)
{
    const bool fixedDivisor = hasFixedDivisor(out);
    for (const char* source : {"internal", "video", "ttl", "ttlinv", "ttlboth"}) {
        const QString name = QString::fromLatin1(source);
        out.line(QStringLiteral("Synccard d01 source '") + name + QStringLiteral("':"));
        out.line(rule(31));
        const ReportText has = out.text("synccard has_source d01 %s", source);
        if (!has.ok()) {
            out.line(QStringLiteral("Synccard d01 has source ") + name + QStringLiteral(": ") +
                     has.orError());
        } else {
            out.line(QStringLiteral("Has source          : ") + has.value);
            if (name != QLatin1String("internal") && has.value == QLatin1String("yes")) {
                QString divisor = QString::number(FixedExternalDivisor);
                if (!fixedDivisor) {
                    const ReportText max = out.text("synccard max_external_divisor d01 %s", source);
                    if (!max.ok()) {
                        out.line(QStringLiteral("Synccard d01 source '") + name +
                                 QStringLiteral("' max external divisor: ") + max.orError());
                        out.emptyLine();
                        continue;
                    }
                    divisor = max.value;
                }
                out.line(QStringLiteral("Max external divisor: ") + divisor);
            }
        }
        out.emptyLine();
    }
}

void writeSynccardModes(ReportWriter& out, const ReportValue<int>& modes)
{
    for (int t = 1, last = out.listed(modes); t <= last; ++t) {
        const ReportText id = out.text("synccard mode t%02d", t);
        if (!id.ok()) {
            out.line(QStringLiteral("Mode ") + QString::number(t) + QStringLiteral(": ") +
                     id.orError());
            continue;
        }
        const ReportText desc = out.text("synccard mode_desc %s", utf8(id.value).constData());
        out.line(desc.ok() ? QStringLiteral("Mode description ") + id.value + QStringLiteral(": ") +
                                 desc.unquoted()
                           : QStringLiteral("Mode description: ") + desc.orError());
    }
    out.line(QStringLiteral("Synccard d01 max output delay: ") +
             out.text("synccard max_output_delay d01").orError());
    out.emptyLine();
}

void writeSynccardDirect(ReportWriter& out)
{
    out.line(QStringLiteral("Direct settings:"));
    out.line(rule(16));
    const ReportText source = out.text("synccard source d01");
    out.line(QStringLiteral("Synccard d01 source            : ") + source.orError());
    if (source.ok() && source.value == QLatin1String("internal"))
        out.line(QStringLiteral("Synccard d01 internal frequency: ") +
                 out.text("synccard internal_frequency d01").orError());
    else if (source.ok())
        out.line(QStringLiteral("Synccard d01 external divisor  : ") +
                 out.text("synccard external_divisor d01").orError());
    out.emptyLine();
}

void writeSynccardChannels(ReportWriter& out)
{
    out.line(QStringLiteral("Channels of synccard d01:"));
    out.line(rule(25));
    const ReportValue<int> count = out.integer("synccard number_of_channels d01");
    out.line(QStringLiteral("Number: ") + countText(count));
    out.line(QStringLiteral("Channel | Delay [ms] | Active during idle"));
    out.line(QStringLiteral("--------|------------|-------------------"));
    for (int ch = 1, last = out.listed(count); ch <= last; ++ch) {
        const ReportValue<double> delay = out.number("synccard output_delay d01 ch%2.2d", ch);
        const ReportText idle = out.text("synccard output_during_idle d01 ch%2.2d", ch);
        const QString delayText = delay.ok() ? general(delay.value)
                                             : QStringLiteral("error ") + QString::number(delay.rc);
        out.line((QStringLiteral("ch") + ReportWriter::twoDigits(ch)).leftJustified(8) +
                 QStringLiteral("| ") + ReportWriter::field(delayText, 10) + QStringLiteral(" | ") +
                 idle.orElse(QStringLiteral("error")));
    }
    out.emptyLine();
}

// ---- room calibration -------------------------------------------------

// "c01      | " and the text.
QString cameraRow(int cam, const QString& text)
{
    return cameraCell(cam) + QLatin1Char(' ') + text;
}

void writeStaticCameras(ReportWriter& out, int cameras)
{
    tableHead(
        out, QStringLiteral("Select static cameras:"), 22,
        QStringLiteral("Camera          | Status          | Model           | Serial         "),
        QStringLiteral("----------------|-----------------|-----------------|----------------"));
    const int w = CameraCutWidth;
    for (int cam = 1, last = out.listed(cameras); cam <= last; ++cam) {
        // The raw form keeps this table readable on controllers whose
        // parameter answers for cameras carry extra words.
        const ReportText ident = out.command(-1, "orvane2 get camera camera c%02d", cam);
        const QStringList identWords = ReportWriter::words(ident.value);
        const bool identOk =
            ident.ok() && identWords.size() >= 7 && identWords.at(1) == QLatin1String("set");
        if (!identOk) {
            out.line(QStringLiteral("Camera model/serial: ") +
                     errorText(ident.ok() ? ReportCommandRefused : ident.rc));
            continue;
        }
        const QString type = identWords.at(5);
        const QString serial = identWords.at(6);
        const ReportText desc =
            out.command(-1, "orvane2 get camera model_desc %s", utf8(type).constData());
        const QStringList descWords = ReportWriter::words(desc.value);
        QString model;
        if (desc.ok() && descWords.value(1) == QLatin1String("set"))
            model = ReportWriter::removeQuotes(desc.value.section(QLatin1Char(' '), 5));
        const ReportText fixed = out.text("roomcal fixed_camera c%02d", cam);
        if (!fixed.ok()) {
            out.line(QStringLiteral("Camera fixed: ") + fixed.orError());
            continue;
        }
        const QString status = fixed.value == QLatin1String("yes") ? QStringLiteral("static")
                                                                   : QStringLiteral("moved");
        out.line(cut(cameraName(cam), w) + QStringLiteral("| ") + cut(status, w) +
                 QStringLiteral("| ") + cut(model, w) + QStringLiteral("| ") + serial.left(w));
    }
    out.emptyLine();
}

void writeYesNoPerCamera(ReportWriter& out, int cameras, const QString& title,
                         const char* parameter)
{
    tableHead(out, title, title.size(), QStringLiteral("Camera   | Status (yes/no)"),
              QStringLiteral("---------|-----------------"));
    for (int cam = 1, last = out.listed(cameras); cam <= last; ++cam)
        out.line(cameraRow(cam, out.text("%s c%02d", parameter, cam).orError()));
    out.emptyLine();
}

void writeReference(ReportWriter& out, int cameras)
{
    out.line(QStringLiteral("Room calibration reference:"));
    out.line(rule(27));
    if (!out.requireProtocol(ProtocolFeature::CameraReference))
        return;
    out.line(QStringLiteral("Camera   | Position (x, y, z) [mm]             | Rotation"));
    out.line(QStringLiteral("---------|-------------------------------------|") +
             rule(RotationRuleLength));
    for (int cam = 1, last = out.listed(cameras); cam <= last; ++cam) {
        const ReportText reference = out.text("roomcal reference c%02d", cam);
        Pose pose;
        if (!reference.ok())
            out.line(cameraRow(cam, reference.orError()));
        else if (pose.parse(reference.value))
            out.line(cameraRow(
                cam, pose.position().leftJustified(36) + QStringLiteral("| ") + pose.rotation()));
        else
            out.line(cameraRow(cam, reference.value));
    }
    out.emptyLine();
    writeYesNoPerCamera(out, cameras, QStringLiteral("Camera has room calibration reference:"),
                        "roomcal has_reference");
}

void writeResiduals(ReportWriter& out)
{
    const bool withIdent = out.protocolAtLeast(ProtocolFeature::ResidualIdentifiers);
    out.line(QStringLiteral("Residuals of the last room calibration:"));
    out.line(rule(39));
    const ReportValue<int> count = out.integer("roomcal last_cam_number");
    if (!count.ok()) {
        out.line(QStringLiteral("Last room calibration number of cameras: ") + errorText(count.rc));
        out.emptyLine();
        return;
    }
    out.line(QStringLiteral("Camera   ") +
             (withIdent ? QStringLiteral("| Model           | Serial          ") : QString()) +
             QStringLiteral("| Residual [mm]   | Used frames     "));
    out.line(QStringLiteral("---------") +
             (withIdent ? QStringLiteral("|-----------------|-----------------") : QString()) +
             QStringLiteral("|-----------------|-----------------"));
    for (int cam = 1, last = out.listed(count); cam <= last; ++cam) {
        QString row = cameraName(cam).leftJustified(9);
        if (withIdent) {
            const ReportText ident = out.text("roomcal last_cam_ident c%02d", cam);
            if (!ident.ok()) {
                out.line(QStringLiteral("Last room calibration camera model/serial: ") +
                         ident.orError());
                continue;
            }
            const QStringList parts = ReportWriter::words(ident.value);
            const ReportText desc =
                out.text("camera model_desc %s", utf8(parts.value(0)).constData());
            if (!desc.ok()) {
                out.line(QStringLiteral("Last room calibration camera model description: ") +
                         desc.orError());
                continue;
            }
            row += QStringLiteral("| ") + cut(desc.unquoted(), 16) + QStringLiteral("| ") +
                   cut(parts.value(1), 16);
        }
        double residual[2] = {};
        const int rc = out.numbers(residual, 2, "roomcal last_cam_residual c%02d", cam);
        if (rc != 0) {
            out.line(QStringLiteral("Last room calibration camera residual: ") + errorText(rc));
            continue;
        }
        out.line(row + QStringLiteral("| ") + cut(general(residual[0]), 16) + QStringLiteral("| ") +
                 general(residual[1]));
    }
    out.emptyLine();
}

void writeMissingCameras(ReportWriter& out)
{
    const QString header = QStringLiteral("Camera   | Model          | Serial         ");
    out.line(QStringLiteral("Missing cameras of actual room calibration:"));
    out.line(rule(43));
    const ReportValue<int> count = out.integer("tracking number_of_missing_cameras");
    out.line(QStringLiteral("Number of missing cameras: ") + countText(count));
    out.line(rule(header.size()));
    out.line(header);
    out.line(QStringLiteral("---------|----------------|----------------"));
    for (int m = 1, last = out.listed(count); m <= last; ++m) {
        const ReportText missing = out.text("tracking missing_camera c%02d", m);
        if (!missing.ok()) {
            out.line(missing.orError());
            continue;
        }
        const QStringList parts = ReportWriter::words(missing.value);
        out.line(cut(parts.value(0), 9) + QStringLiteral("| ") + cut(parts.value(1), 15) +
                 QStringLiteral("| ") + parts.value(2).left(15));
    }
    out.emptyLine();
}

// ---- room adjustment --------------------------------------------------

void writeThreeValues(ReportWriter& out, const char* parameter, const QStringList& labels)
{
    double v[3] = {};
    const int rc = out.numbers(v, 3, "%s", parameter);
    if (rc != 0) {
        out.line(errorText(rc));
        return;
    }
    for (int i = 0; i < 3; ++i)
        out.line(labels.at(i) + general(v[i]));
}

}  // namespace

void ExportConfiguration::exportCameraSettings()
{
    if (!m_out.requireProtocol(ProtocolFeature::CameraSettings))
        return;
    m_out.emptyLine();
    const ReportValue<int> count = m_out.integer("camera number_of_cameras");
    if (!count.ok()) {
        m_out.line(QStringLiteral("Number of cameras   : ") + errorText(count.rc));
        m_out.emptyLine();
        return;
    }
    m_out.line(QStringLiteral("Number of cameras   : ") + QString::number(count.value));
    if (m_out.protocolAtLeast(ProtocolFeature::ScanDuration))
        m_out.line(QStringLiteral("Reflex scan duration: ") +
                   m_out.text("camera scan_duration").orError());
    m_out.emptyLine();

    const bool cascade = cascadeKnown(m_out);
    for (int cam = 1, last = m_out.listed(count); cam <= last; ++cam) {
        // Two digits throughout, so that c10 and above read as camera names
        // and not as "c010".
        m_out.line(QStringLiteral("Camera ") + cameraName(cam) + QLatin1Char(':'));
        m_out.line(rule(11));
        writeCameraIdentity(m_out, cam);
        writeCameraFeatures(m_out, cam);
        if (m_out.protocolAtLeast(ProtocolFeature::StaticAreas))
            writeStaticAreas(m_out, cam);
        writeCameraExtras(m_out, cam, cascade);
        m_out.emptyLine();
    }
}

void ExportConfiguration::exportSynccardSettings()
{
    const ReportText available = m_out.text("synccard available");
    m_out.line(QStringLiteral("Sync-card available : ") + available.orError());
    if (!available.ok()) {
        m_out.emptyLine();
        return;
    }
    if (available.value == QLatin1String("no"))
        return;
    if (!m_out.requireProtocol(ProtocolFeature::SynccardSettings))
        return;
    const ReportValue<int> cards = m_out.integer("synccard number_of_synccards");
    m_out.line(QStringLiteral("Number of sync-cards: ") + countText(cards));
    const int cardCount = cards.orElse(0);
    if (!m_out.protocolAtLeast(ProtocolFeature::SynccardSources)) {
        writeSynccardsOld(m_out, cardCount);
        return;
    }
    if (cardCount < 1) {
        m_out.emptyLine();
        return;
    }
    const ReportValue<int> modes = m_out.integer("synccard number_of_modes");
    m_out.line(QStringLiteral("Number of modes   : ") + countText(modes));
    m_out.emptyLine();
    writeSynccardSources(m_out);
    writeSynccardModes(m_out, modes);
    writeSynccardDirect(m_out);
    writeSynccardChannels(m_out);
}

void ExportConfiguration::exportRoomCalibration()
{
    const ReportValue<bool> wand = m_out.yesNo("roomcal has_type wand");
    const ReportValue<bool> wandNoAngle = m_out.yesNo("roomcal has_type wand_no_angle");
    const QString typeLabel = QStringLiteral("Calibration type is available: ");
    if (!wand.ok())
        m_out.line(typeLabel + errorText(wand.rc));
    else if (!wandNoAngle.ok())
        m_out.line(typeLabel + errorText(wandNoAngle.rc));
    else
        m_out.line(typeLabel + (wand.value && wandNoAngle.value ? QStringLiteral("yes")
                                                                : QStringLiteral("no")));
    m_out.line(QStringLiteral("Wand length [mm]: ") + m_out.text("roomcal wand_length").orError());
    m_out.line(QStringLiteral("Coordinate system: ") +
               m_out.text("roomcal coordinate_type").orError());
    const ReportValue<double> quality = m_out.number("roomcal marker_min_quality");
    m_out.line(QStringLiteral("Min marker quality: ") +
               (quality.ok() ? general(quality.value) : errorText(quality.rc)));

    double angle[3] = {};
    const int angleRc = m_out.numbers(angle, 3, "roomcal angle");
    if (angleRc != 0) {
        m_out.line(QStringLiteral("Marker distances: ") + errorText(angleRc));
    } else {
        m_out.line(QStringLiteral("Marker distances:"));
        m_out.line(QStringLiteral("A (1-2) [mm]: ") + general(angle[0]));
        m_out.line(QStringLiteral("B (1-4) [mm]: ") + general(angle[1]));
        m_out.line(QStringLiteral("C (1-3) [mm]: ") + general(angle[2]));
    }

    const ReportValue<int> cameras = m_out.integer("camera number_of_cameras");
    const int cameraCount = cameras.orElse(0);
    const ReportText type = m_out.text("roomcal type");
    const bool recalibration = type.ok() && type.value == QLatin1String("wand_no_angle");
    m_out.line(QStringLiteral("Re-calibration: ") + (!type.ok()      ? type.orError()
                                                     : recalibration ? QStringLiteral("yes")
                                                                     : QStringLiteral("no")));
    if (!cameras.ok())
        m_out.line(QStringLiteral("Number of cameras: ") + errorText(cameras.rc));
    if (recalibration) {
        m_out.emptyLine();
        writeStaticCameras(m_out, cameraCount);
    }
    if (m_out.protocolAtLeast(ProtocolFeature::RoomCalibrationDuration)) {
        const ReportValue<double> duration = m_out.number("roomcal duration");
        m_out.line(QStringLiteral("Duration [s]: ") +
                   (duration.ok() ? general(duration.value) : errorText(duration.rc)));
    }
    if (m_out.protocolAtLeast(ProtocolFeature::RoomCalibrationDate))
        m_out.line(QStringLiteral("Date and time of the last room calibration: ") +
                   m_out.text("roomcal last_date").orError());
    m_out.emptyLine();

    writeYesNoPerCamera(m_out, cameraCount,
                        QStringLiteral("Camera has valid room calibration data:"),
                        "tracking has_room");
    writeReference(m_out, cameraCount);

    if (m_out.protocolAtLeast(ProtocolFeature::LastRoomCalibration)) {
        m_out.line(QStringLiteral("Last room calibration:"));
        m_out.line(rule(26));
        m_out.line(QStringLiteral("Coordinate system: ") +
                   m_out.text("roomcal last_coordinate_type").orError());
        if (m_out.protocolAtLeast(ProtocolFeature::RoomCalibrationWandResidual)) {
            double wandResidual[2] = {};
            const int rc = m_out.numbers(wandResidual, 2, "roomcal last_wand_residual");
            m_out.line(QStringLiteral("Wand residual [mm]: ") +
                       (rc == 0 ? general(wandResidual[0]) : errorText(rc)));
            m_out.line(QStringLiteral("Wand range    [mm]: ") +
                       (rc == 0 ? general(wandResidual[1]) : errorText(rc)));
        }
        m_out.emptyLine();
        writeResiduals(m_out);
    }
    writeMissingCameras(m_out);
}

void ExportConfiguration::exportRoomAdjustment()
{
    if (!m_out.requireProtocol(ProtocolFeature::RoomAdjustment))
        return;
    m_out.line(QStringLiteral("Zero point offset:"));
    m_out.line(rule(18));
    writeThreeValues(
        m_out, "tracking extra_translation",
        {QStringLiteral("x [mm]: "), QStringLiteral("y [mm]: "), QStringLiteral("z [mm]: ")});
    m_out.emptyLine();
    m_out.line(QStringLiteral("Rotation angles:"));
    m_out.line(rule(26));
    writeThreeValues(
        m_out, "tracking extra_rotation",
        {QStringLiteral("rx [deg]: "), QStringLiteral("ry [deg]: "), QStringLiteral("rz [deg]: ")});
    m_out.emptyLine();
    m_out.line(QStringLiteral("Scaling (+/- 5%):"));
    m_out.line(rule(17));
    const ReportText scaling = m_out.text("tracking extra_scaling");
    m_out.line(scaling.ok() ? QStringLiteral("Factor: ") + scaling.value : scaling.orError());
    m_out.emptyLine();

    const ReportValue<int> cameras = m_out.integer("camera number_of_cameras");
    // Each camera's pose is read once and serves both tables.
    QList<QString> positions;
    QList<QString> rotations;
    const QString noData = QStringLiteral("Camera has no valid room calibration data");
    for (int cam = 1, last = m_out.listed(cameras); cam <= last; ++cam) {
        const ReportText hasRoom = m_out.text("tracking has_room c%02d", cam);
        if (!hasRoom.ok()) {
            positions << hasRoom.orError();
            rotations << hasRoom.orError();
            continue;
        }
        if (hasRoom.value != QLatin1String("yes")) {
            positions << noData;
            rotations << noData;
            continue;
        }
        const ReportText room = m_out.text("tracking room c%02d", cam);
        Pose pose;
        if (!room.ok() || !pose.parse(room.value)) {
            const QString text = room.ok() ? noData : room.orError();
            positions << text;
            rotations << text;
            continue;
        }
        positions << cut(ReportWriter::fixed(pose.values[0], 0, 1), 16) + QStringLiteral("| ") +
                         cut(ReportWriter::fixed(pose.values[1], 0, 1), 16) + QStringLiteral("| ") +
                         ReportWriter::fixed(pose.values[2], 0, 1);
        rotations << pose.rotation();
    }

    tableHead(m_out, QStringLiteral("Camera coordinates:"), 19,
              QStringLiteral("Camera   | x [mm]          | y [mm]          | z [mm]          "),
              QStringLiteral("---------|-----------------|-----------------|-----------------"));
    if (!cameras.ok())
        m_out.line(QStringLiteral("Number of cameras: ") + errorText(cameras.rc));
    for (int i = 0; i < positions.size(); ++i)
        m_out.line(cameraRow(i + 1, positions.at(i)));
    m_out.emptyLine();
    tableHead(m_out, QStringLiteral("Camera rotations:"), 17, QStringLiteral("Camera   | Rotation"),
              rule(9) + QLatin1Char('|') + rule(RotationRuleLength));
    if (!cameras.ok())
        m_out.line(QStringLiteral("Number of cameras: ") + errorText(cameras.rc));
    for (int i = 0; i < rotations.size(); ++i)
        m_out.line(cameraRow(i + 1, rotations.at(i)));
    m_out.emptyLine();
}
