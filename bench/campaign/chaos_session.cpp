// One session of the front-end against a controller in chaos mode (each
// answer at random valid, an error, garbage, oversize, delayed, late or
// dropped, from a seeded generator): start-up, measuring with status and
// event polling, a configuration report and a system information export.
// Boxes and dialogs are answered as a user would; the window's own code does
// the rest.
//
//   chaos_session --seed S [--address A] [--profile P] [--rate PERCENT] [--measure-ms N]
//                 [--keep]
//
// Prints one line "session ..." and exits 0 when every part ended as
// designed, 3 when a part reported success over answers that failed.

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <memory>

#include "ExportConfiguration.h"
#include "ExportSystemInformation.h"
#include "MainWindowProbe.h"
#include "ModalWatcher.h"
#include "RecordingBoxes.h"
#include "SimProcess.h"
#include "TestController.h"

namespace {

struct Options
{
    quint32 seed = 1;
    QString address = QStringLiteral("127.0.70.1");
    QString profile = QStringLiteral("demo");
    int rate = 10;
    int measureMs = 4000;
    bool keep = false;
};

struct Outcome
{
    QStringList parts;     // what each step ended with
    QStringList findings;  // behaviour that is not the designed one
};

// Waits in the event loop; polling it would take a core from the simulator
// and the window on a small machine.
void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The answers the controller spoiled so far: those that never came (late,
// dropped) and those that came as something else (an error answer, garbage,
// an oversize answer the channel cuts). Delays within the time-out spoil
// nothing.
qint64 spoiledTotal(SimProcess& sim)
{
    qint64 total = 0;
    for (const QString& field : sim.control(QStringLiteral("chaos")).split(' ')) {
        const QString name = field.section('=', 0, 0);
        if (name == "late" || name == "dropped" || name == "error" || name == "garbage" ||
            name == "oversize")
            total += field.section('=', 1).toLongLong();
    }
    return total;
}

// A window that ends the program must not end the session with it.
void ignoreProcessEnd(int) {}

void runWindow(const Options& o, SimProcess& sim, Outcome* out)
{
    MainWindow::setProcessEndHandler(&ignoreProcessEnd);
    ModalWatcher watcher;
    auto window = std::make_unique<MainWindowProbe>(QStringLiteral("-host ") + o.address);
    if (window->isEndingProcess()) {
        out->parts << QStringLiteral("startup=ended(%1)").arg(window->endingExitCode());
        return;
    }
    window->show();
    out->parts << QStringLiteral("startup=ok");
    for (int i = 0; i < 3; ++i)
        sim.control(QStringLiteral("msg warning: chaos message %1").arg(i));
    window->toggleMeasurement();
    spin(o.measureMs);
    window->toggleMeasurement();
    spin(500);
    window->close();
    window.reset();
    out->parts << QStringLiteral("measuring=done boxes=%1 dialogs=%2")
                      .arg(watcher.boxes().size())
                      .arg(watcher.dialogsSeen());
}

// Lines of a report file that show a failed query, and those among them
// where the controller gave no answer at all (no answer in time, a lost
// connection), as opposed to an answer that was an error.
struct ErrorLines
{
    int any = 0;
    int unanswered = 0;
};

ErrorLines errorLines(const QString& file)
{
    static const QRegularExpression unanswered(
        QStringLiteral("Error -(1|2|3|12|13|22|111|222)\\b"));
    ErrorLines n;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return n;
    for (const QString& line : QString::fromUtf8(f.readAll()).split('\n')) {
        n.any += line.contains(QLatin1String("Error")) ? 1 : 0;
        n.unanswered += line.contains(unanswered) ? 1 : 0;
    }
    return n;
}

// A report with unanswered queries must not read as a clean one, and one
// that met spoiled answers must name the lines they spoiled.
void checkReportFile(const QString& file, int result, qint64 spoiled, Outcome* out)
{
    const ErrorLines lines = errorLines(file);
    out->parts << QStringLiteral("report=%1 error-lines=%2 unanswered-lines=%3 spoiled=%4")
                      .arg(result)
                      .arg(lines.any)
                      .arg(lines.unanswered)
                      .arg(spoiled);
    if (lines.unanswered > 0 && result == ExportConfiguration::ResultOk)
        out->findings << QStringLiteral("report: success claimed over unanswered queries");
    if (spoiled > 0 && lines.any == 0)
        out->findings << QStringLiteral("report: spoiled answers, but no line names a failure");
}

bool connectChannel(const Options& o, TestChannel* channel)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (channel->connect(o.address, ChannelSetup::withVersions()))
            return true;
    }
    return false;
}

void runReport(const Options& o, SimProcess& sim, const QString& dir, Outcome* out)
{
    TestChannel channel;
    if (!connectChannel(o, &channel)) {
        out->parts << QStringLiteral("report=no-connection");
        return;
    }
    RecordingBoxes boxes;
    ExportConfiguration report(channel.io(), nullptr, &channel.versions());
    report.setMessageBoxProvider(&boxes);
    const QString file = dir + "/report.txt";
    const qint64 spoiledBefore = spoiledTotal(sim);
    const int result = report.exportConfigurations(file, true, true);
    checkReportFile(file, result, spoiledTotal(sim) - spoiledBefore, out);
}

class Export : public ExportSystemInformation
{
public:
    using ExportSystemInformation::ExportSystemInformation;
    QString target;
    QString askSaveFileName(const QString&) override { return target; }
    bool confirmLargeFile() override { return true; }
};

void runExport(const Options& o, const QString& dir, Outcome* out)
{
    TestChannel channel;
    if (!connectChannel(o, &channel)) {
        out->parts << QStringLiteral("export=no-connection");
        return;
    }
    ModalWatcher watcher;
    Export dialog(nullptr, channel.io(), &channel.versions());
    dialog.target = dir + "/export.txt";
    dialog.setVersionFeAndModules(QStringLiteral("chaos"));
    dialog.updateContent();
    dialog.show();
    dialog.findChild<QPushButton*>("pushButton_save")->click();
    const QString status = dialog.findChild<QLabel*>("label_status")->text();
    const ErrorLines lines = errorLines(dialog.target);
    out->parts << QStringLiteral("export-unanswered-lines=%1").arg(lines.unanswered);
    if (lines.unanswered > 0 && status.endsWith(QLatin1String("... complete.")))
        out->findings << QStringLiteral("export: \"%1\" over unanswered queries").arg(status);
}

bool parse(const QStringList& args, Options* o)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString value = args.value(i + 1);
        if (args[i] == "--seed")
            o->seed = value.toUInt(), ++i;
        else if (args[i] == "--address")
            o->address = value, ++i;
        else if (args[i] == "--profile")
            o->profile = value, ++i;
        else if (args[i] == "--rate")
            o->rate = value.toInt(), ++i;
        else if (args[i] == "--measure-ms")
            o->measureMs = value.toInt(), ++i;
        else if (args[i] == "--keep")
            o->keep = true;
        else
            return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Options o;
    if (!parse(app.arguments(), &o)) {
        std::fprintf(stderr,
                     "usage: chaos_session --seed S [--address A] [--profile P] [--rate PERCENT] "
                     "[--measure-ms N] [--keep]\n");
        return 2;
    }
    QTemporaryDir home(QDir::tempPath() + "/orvane-chaos-XXXXXX");
    home.setAutoRemove(!o.keep);
    qputenv("HOME", home.path().toLocal8Bit());

    SimProcess sim;
    if (!sim.start(o.address, {"--profile", o.profile, "--chaos", QString::number(o.seed),
                               "--chaos-rate", QString::number(o.rate)})) {
        std::fprintf(stderr, "chaos_session: the simulator does not start\n");
        return 1;
    }
    Outcome out;
    runWindow(o, sim, &out);
    runReport(o, sim, home.path(), &out);
    runExport(o, home.path(), &out);
    out.parts << sim.control(QStringLiteral("chaos")).mid(3);
    std::printf("session %s\n", qPrintable(out.parts.join(' ')));
    for (const QString& f : qAsConst(out.findings))
        std::printf("finding %s\n", qPrintable(f));
    if (o.keep)
        std::printf("home %s\n", qPrintable(home.path()));
    return out.findings.isEmpty() ? 0 : 3;
}
