#include "ControllerStatus.h"
#include "CtlContext.h"
#include "CtlController.h"
#include "CtlExit.h"
#include "CtlSubcommands.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>

#include <functional>
#include <thread>
#include <vector>

namespace {

// Controllers read at the same time; each waits half a second at most per question.
constexpr int kParallelReads = 16;
// A site lists its rooms on one command line; more than this is a mistake.
constexpr int kMaxHosts = 1000;

// The subcommand's texts for translation, under one context.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(CtlMetrics)
};

// Label values come from the command line and the controller: both may hold
// quotes, backslashes and line breaks, each of which would end the sample.
QString labelValue(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            escaped += QLatin1String("\\\\");
        else if (c == QLatin1Char('"'))
            escaped += QLatin1String("\\\"");
        else if (c == QLatin1Char('\n'))
            escaped += QLatin1String("\\n");
        else if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            escaped += QLatin1Char('?');
        else
            escaped += c;
    }
    return escaped;
}

using Labels = QList<QPair<QString, QString>>;

QString sample(const char* name, const Labels& labels, double value)
{
    QStringList parts;
    for (const auto& label : labels)
        parts << label.first + QStringLiteral("=\"") + labelValue(label.second) + '"';
    return QString::fromLatin1(name) + '{' + parts.join(',') + QStringLiteral("} ") +
           QString::number(value, 'g', 12) + '\n';
}

struct Family
{
    const char* name;
    const char* help;
    // Appends the samples of one controller; nothing when the value is unknown.
    std::function<void(const ControllerStatus&, const Labels&, QString*)> samples;
};

void addIfKnown(QString* out, const char* name, const Labels& labels, int value)
{
    if (value >= 0)
        *out += sample(name, labels, value);
}

void cameraSamples(const ControllerStatus& s, const Labels& base, const char* name, bool used,
                   QString* out)
{
    for (int i = 0; i < s.cameras.size(); ++i) {
        Labels labels = base;
        labels << qMakePair(QStringLiteral("camera"),
                            QStringLiteral("c%1").arg(i + 1, 2, 10, QLatin1Char('0')));
        addIfKnown(out, name, labels, used ? s.cameras.at(i).usedRays : s.cameras.at(i).rays);
    }
}

int camerasWithRays(const ControllerStatus& s, bool withRays)
{
    if (s.cameras.isEmpty())
        return -1;
    int count = 0;
    for (const ControllerStatus::Camera& c : s.cameras)
        count += (c.rays > 0) == withRays ? 1 : 0;
    return count;
}

const std::vector<Family>& families()
{
    static const std::vector<Family> list = {
        {"orvane3_up", "Whether the controller answered (1) or not (0).",
         [](const ControllerStatus& s, const Labels& l, QString* out) {
             *out += sample("orvane3_up", l, s.answered ? 1 : 0);
         }},
        {"orvane3_info", "Controller model, protocol and system version; always 1.",
         [](const ControllerStatus& s, const Labels& l, QString* out) {
             if (!s.answered)
                 return;
             *out += sample("orvane3_info",
                            l + Labels{{"model", s.model},
                                       {"protocol_version", s.protocolVersion},
                                       {"system_version", s.systemVersion},
                                       {"hostname", s.hostname}},
                            1);
         }},
        {"orvane3_measuring", "Whether the controller measures or calibrates (1) or not (0).",
         [](const ControllerStatus& s, const Labels& l, QString* out) {
             if (!s.state.isEmpty())
                 *out += sample("orvane3_measuring", l, s.measuring() ? 1 : 0);
         }},
        {"orvane3_measurement_state", "The controller's measurement state, as a label; always 1.",
         [](const ControllerStatus& s, const Labels& l, QString* out) {
             if (!s.state.isEmpty())
                 *out += sample("orvane3_measurement_state", l + Labels{{"state", s.state}}, 1);
         }},
        {"orvane3_output_frequency_hertz", "Output (sync) frequency while measuring.",
         [](const ControllerStatus& s, const Labels& l, QString* out) {
             if (s.frequencyKnown)
                 *out += sample("orvane3_output_frequency_hertz", l, s.outputFrequency);
         }},
        {"orvane3_frames_lost", "Frames lost, as the controller reports them.",
         [](const ControllerStatus& s, const Labels& l, QString* out) {
             addIfKnown(out, "orvane3_frames_lost", l, s.framesLost);
         }},
        {"orvane3_cameras", "Cameras the controller reports.",
         [](const ControllerStatus& s, const Labels& l, QString* out) {
             addIfKnown(out, "orvane3_cameras", l, s.cameraCount);
         }},
        {"orvane3_cameras_with_rays", "Cameras that see at least one ray, while measuring.",
         [](const ControllerStatus& s, const Labels& l, QString* out) {
             addIfKnown(out, "orvane3_cameras_with_rays", l, camerasWithRays(s, true));
         }},
        {"orvane3_cameras_without_rays", "Cameras that see no ray, while measuring.",
         [](const ControllerStatus& s, const Labels& l, QString* out) {
             addIfKnown(out, "orvane3_cameras_without_rays", l, camerasWithRays(s, false));
         }},
        {"orvane3_camera_rays", "Rays (2-D markers) a camera detects, while measuring.",
         [](const ControllerStatus& s, const Labels& l, QString* out) {
             cameraSamples(s, l, "orvane3_camera_rays", false, out);
         }},
        {"orvane3_camera_used_rays", "Rays of a camera used for tracking, while measuring.",
         [](const ControllerStatus& s, const Labels& l, QString* out) {
             cameraSamples(s, l, "orvane3_camera_used_rays", true, out);
         }},
        {"orvane3_bodies", "Tracked 6DOF bodies, while measuring.",
         [](const ControllerStatus& s, const Labels& l, QString* out) {
             addIfKnown(out, "orvane3_bodies", l, s.bodies);
         }},
        {"orvane3_markers", "Tracked 3DOF markers, while measuring.",
         [](const ControllerStatus& s, const Labels& l, QString* out) {
             addIfKnown(out, "orvane3_markers", l, s.markers);
         }},
        {"orvane3_radio_available", "Whether the radio link is available (1) or not (0).",
         [](const ControllerStatus& s, const Labels& l, QString* out) {
             if (s.radioKnown)
                 *out += sample("orvane3_radio_available", l, s.radioAvailable ? 1 : 0);
         }},
        {"orvane3_radio_channel", "Radio channel; 0 when the radio is not available.",
         [](const ControllerStatus& s, const Labels& l, QString* out) {
             if (s.radioKnown)
                 *out += sample("orvane3_radio_channel", l, s.radioChannel);
         }},
    };
    return list;
}

// One family after the other, every controller inside each, as the format wants.
QString exposition(const QVector<ControllerStatus>& statuses)
{
    QString text;
    for (const Family& family : families()) {
        text += QStringLiteral("# HELP %1 %2\n# TYPE %1 gauge\n")
                    .arg(QLatin1String(family.name), QLatin1String(family.help));
        for (const ControllerStatus& s : statuses)
            family.samples(s, Labels{{QStringLiteral("controller"), s.host}}, &text);
    }
    return text;
}

QVector<ControllerStatus> readAll(const QStringList& hosts)
{
    QVector<ControllerStatus> statuses(hosts.size());
    for (int first = 0; first < hosts.size(); first += kParallelReads) {
        std::vector<std::thread> threads;
        const int last = qMin(first + kParallelReads, int(hosts.size()));
        for (int i = first; i < last; ++i) {
            threads.emplace_back([&hosts, &statuses, i] {
                ControllerStatusReader::read(hosts.at(i), &statuses[i]);
            });
        }
        for (std::thread& t : threads)
            t.join();
    }
    return statuses;
}

}  // namespace

int ctlMetrics(CtlContext& context)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(Text::tr(
        "Prints the Prometheus text format for every controller named, for node_exporter's\n"
        "textfile collector. A controller that does not answer gives orvane3_up 0; the run\n"
        "still succeeds. Controllers are read in parallel."));
    parser.addPositionalArgument(QStringLiteral("HOST..."),
                                 Text::tr("controller names or addresses"));
    const QString synopsis = QStringLiteral("metrics HOST...");
    const int parsed = ctlParseArguments(context, parser, synopsis, 1, -1);
    if (parsed >= 0)
        return parsed;
    QStringList hosts = parser.positionalArguments();
    // The same controller twice would give duplicate series, which collectors refuse.
    hosts.removeDuplicates();
    if (hosts.size() > kMaxHosts)
        return ctlUsageError(context, synopsis,
                             Text::tr("metrics needs from 1 to %1 HOST names").arg(kMaxHosts));
    const QVector<ControllerStatus> statuses = readAll(hosts);
    if (context.json) {
        QJsonArray list;
        for (const ControllerStatus& s : statuses)
            list.append(s.toJson());
        context.printJson(QJsonDocument(QJsonObject{{"controllers", list}}));
    } else {
        context.out << exposition(statuses) << Qt::flush;
    }
    return CtlExit::Success;
}
