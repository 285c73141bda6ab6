#ifndef REPORTTESTSUPPORT_H
#define REPORTTESTSUPPORT_H

// A simulated controller with the main window's channel to it, and helpers
// that run the configuration report and read it back.

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <memory>

#include "ExportConfiguration.h"
#include "RecordingBoxes.h"
#include "SimController.h"
#include "TestController.h"

// A simulator started in this process and the window's channel to it, with
// the controller's versions read.
struct SimulatedController
{
    std::unique_ptr<orvane::sim::SimController> sim;
    TestChannel channel;

    // Empty when both came up, otherwise why not.
    QString start(const QString& address, const QString& profile,
                  const QStringList& controlLines = {})
    {
        stop();
        orvane::sim::SimOptions options;
        options.listenAddress = address;
        options.profile = profile;
        options.controlLines = controlLines;
        sim = std::make_unique<orvane::sim::SimController>(options);
        QString error;
        if (!sim->start(&error))
            return error;
        if (!channel.connect(address, ChannelSetup::withVersions()))
            return QStringLiteral("no connection");
        return QString();
    }
    // The channel closes before its controller goes.
    void stop()
    {
        channel.close();
        sim.reset();
    }
    IOManagerUdpTcp* io() const { return channel.io(); }
    BackendVersions* versions() { return &channel.versions(); }
};

inline QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

// The lines that differ from run to run or machine to machine get a fixed
// stand-in: generation time, file and program paths, the controller's clock
// and the front-end host's own network.
inline QStringList normalisedReport(const QStringList& lines)
{
    static const QList<QPair<QRegularExpression, QString>> stable = {
        {QRegularExpression("^(Generation time: ).*$"), "\\1<now>"},
        {QRegularExpression("^(File name      : ).*$"), "\\1<file>"},
        {QRegularExpression("^(Installation path +: ).*$"), "\\1<program>"},
        {QRegularExpression("^(UTC date +: )\\d{4} \\d\\d \\d\\d( .*)$"), "\\1<date>\\2"},
        {QRegularExpression("^(UTC time +: )\\d\\d \\d\\d \\d\\d( .*)$"), "\\1<time>\\2"},
    };
    QStringList out;
    bool inHostNetwork = false;
    for (QString line : lines) {
        if (line == QLatin1String("[Network informations]")) {
            inHostNetwork = true;
            out << line << QStringLiteral("<front-end host network>");
            continue;
        }
        if (inHostNetwork) {
            if (!line.startsWith(QLatin1Char('[')))
                continue;
            inHostNetwork = false;
        }
        for (const auto& s : stable)
            line.replace(s.first, s.second);
        out << line;
    }
    return out;
}

// The report up to (not including) the line `endHeading`.
inline QStringList reportUpTo(const QStringList& lines, const QString& endHeading)
{
    const int end = lines.indexOf(endHeading);
    return end < 0 ? lines : QStringList(lines.mid(0, end));
}

#endif
