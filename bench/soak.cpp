// The window's long run against a flapping controller, driven by scripts/soak:
// the real restart loop connected to the simulator's "large" profile,
// measuring at 300 Hz, ten event messages a second, the controller closing the
// connection, falling silent for 3 s, rebooting or answering slowly in turn,
// and a system information export every two minutes through the service
// dialog. It prints what happened as lines for the script:
//   pid PID | alive MS | event MS KIND DETAIL | summary KEY=N ...
//
//   campaign_soak --address A [--minutes N] [--flap-seconds S] [--export-seconds S]

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>

#include <unistd.h>
#include <cstdio>

#include "ExportSystemInformation.h"
#include "SimProcess.h"
#include "campaign_user.h"

namespace {

struct Options
{
    QString address = QStringLiteral("127.0.68.1");
    double minutes = 10;
    int flapSeconds = 55;
    int exportSeconds = 120;
    int firstExportSeconds = 30;
    // The smoke in the test suite uses a small installation, so that one
    // export fits into its run even in the sanitizer build.
    QString profile = QStringLiteral("large");
};

Options parseOptions(const QStringList& args)
{
    Options o;
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == "--address")
            o.address = args[i + 1];
        else if (args[i] == "--minutes")
            o.minutes = args[i + 1].toDouble();
        else if (args[i] == "--flap-seconds")
            o.flapSeconds = qMax(5, args[i + 1].toInt());
        else if (args[i] == "--export-seconds")
            o.exportSeconds = qMax(10, args[i + 1].toInt());
        else if (args[i] == "--first-export-seconds")
            o.firstExportSeconds = qMax(1, args[i + 1].toInt());
        else if (args[i] == "--profile")
            o.profile = args[i + 1];
    }
    return o;
}

class Soak : public QObject
{
public:
    Soak(const Options& o, SimProcess& sim) : m_options(o), m_sim(sim)
    {
        m_nextFlapMs = qMin(40, o.flapSeconds) * 1000LL;
        m_user.setDialogHandler([this](QWidget* w) { return handleDialog(w); });
        m_user.setBoxObserver([this](QMessageBox* box) {
            ++m_otherBoxes;
            event("box", box->windowTitle() + ": " + box->text().simplified());
        });
        connect(&m_tick, &QTimer::timeout, this, &Soak::tick);
        connect(&m_messages, &QTimer::timeout, this, [this] {
            m_sim.control(QStringLiteral("msg info: soak message %1").arg(++m_messageCount));
        });
    }

    int run()
    {
        m_tick.start(50);
        m_messages.start(100);
        const int result = m_user.run("-host " + m_options.address + " -measure");
        m_tick.stop();
        m_messages.stop();
        finishExport(QStringLiteral("program ended"));
        summary(result);
        const bool sound = result == 0 && m_reconnectsCompleted == m_user.lostBoxes() &&
                           m_user.reconnectsExpired() == 0 && m_exportsFailed == 0;
        return sound ? 0 : 1;
    }

private:
    enum class ExportStep
    {
        Idle,
        Stopping,  // waiting for the measurement to stop
        Opening,   // the service dialog is on its way
        Saving,    // the export dialog writes its file
        Closing    // back out of both dialogs
    };

    qint64 now() const { return m_user.elapsedMs(); }
    void event(const QString& kind, const QString& detail = QString())
    {
        emitLine(QStringLiteral("event %1 %2 %3").arg(now()).arg(kind, detail));
    }

    void tick()
    {
        const qint64 t = now();
        if (t - m_lastAlive >= 5000) {
            m_lastAlive = t;
            // The simulator's counters show whether data still flows to the window.
            const QStringList stats = m_sim.control(QStringLiteral("stats")).split(' ');
            emitLine(QStringLiteral("alive %1 measuring=%2 %3 %4")
                         .arg(t)
                         .arg(m_user.measuring() ? 1 : 0)
                         .arg(stats.filter(QStringLiteral("data=")).value(0),
                              stats.filter(QStringLiteral("state=")).value(0)));
        }
        followRecovery();
        scheduleFlaps(t);
        scheduleExports(t);
        if (t >= m_options.minutes * 60000 && !m_quitAsked && canQuit(t)) {
            m_quitAsked = true;
            event("quit");
            m_user.quit();
        }
    }

    // A lost connection is over once a new window measures again.
    void followRecovery()
    {
        if (m_user.lostBoxes() > m_lostSeen) {
            m_lostSeen = m_user.lostBoxes();
            m_awaitingWindow = true;
            m_windowsAtLost = m_user.windowsShown();
            m_outage = true;
            m_exportSawOutage = m_exportStep != ExportStep::Idle;
            event("reconnect-attempt", m_lastFlap);
        }
        if (m_awaitingWindow && m_user.windowsShown() > m_windowsAtLost && m_user.measuring()) {
            m_awaitingWindow = false;
            ++m_reconnectsCompleted;
            event("reconnect-complete",
                  QString::number(now() - m_flapAt) + " ms after the " + m_lastFlap);
        }
        if (m_user.windowsShown() > m_windowsSeen && m_exportStep != ExportStep::Idle)
            finishExport(QStringLiteral("the window was replaced"));
        m_windowsSeen = m_user.windowsShown();
        if (m_outage && !m_awaitingWindow && !m_faultActive && m_user.measuring() &&
            now() - m_flapAt > 500)
            m_outage = false;
        if (m_outage && m_exportStep != ExportStep::Idle)
            m_exportSawOutage = true;
    }

    void scheduleFlaps(qint64 t)
    {
        // No flap near the end: its reconnect would overlap the quit.
        const double runMs = m_options.minutes * 60000;
        const bool ending = t > runMs - qMin(30000.0, runMs / 4);
        if (t < m_nextFlapMs || ending || m_quitAsked || m_exportStep != ExportStep::Idle ||
            m_awaitingWindow || m_faultActive || !m_user.window())
            return;
        static const char* const kinds[] = {"close", "silent", "reboot", "slow"};
        const QString kind = QString::fromLatin1(kinds[m_flapCount++ % 4]);
        m_nextFlapMs = t + m_options.flapSeconds * 1000LL;
        m_flapAt = t;
        m_lastFlap = kind;
        m_outage = true;
        event("flap", kind);
        if (kind == "close") {
            m_sim.control("close");
        } else if (kind == "reboot") {
            m_sim.control("reboot-now 3000");
        } else if (kind == "silent") {
            clearAfter(3000, "silent on", "silent off");
        } else {
            // Slower than usual, well within the channel's time-out. Every
            // heartbeat reads two counts per camera, 66 answers with this
            // profile, so the latency is felt 66 times over.
            clearAfter(10000, "delay 30", "delay 0");
        }
    }

    void clearAfter(int ms, const QString& on, const QString& off)
    {
        m_faultActive = true;
        m_sim.control(on);
        QTimer::singleShot(ms, this, [this, off] {
            m_sim.control(off);
            m_faultActive = false;
        });
    }

    void scheduleExports(qint64 t)
    {
        if (m_exportStep == ExportStep::Idle && !m_quitAsked &&
            t >= m_options.firstExportSeconds * 1000LL +
                     m_exportCount * m_options.exportSeconds * 1000LL) {
            ++m_exportCount;
            m_exportStep = ExportStep::Stopping;
            m_exportStart = t;
            m_exportSawOutage = m_outage;
            m_exportStatus.clear();
            event("export-start", QString::number(m_exportCount));
        }
        if (m_exportStep == ExportStep::Stopping && !QApplication::activeModalWidget() &&
            m_user.window()) {
            // The service entry is one of those disabled while measuring.
            m_user.setWantMeasuring(false);
            if (m_user.measuring()) {
                if (t - m_lastToggle > 1000) {
                    m_lastToggle = t;
                    m_user.toggleMeasurement();
                }
            } else if (m_user.triggerEntry(QStringLiteral("&Service and Guides"))) {
                m_exportStep = ExportStep::Opening;
            }
        }
        if (m_exportStep == ExportStep::Closing && !QApplication::activeModalWidget())
            finishExport();
        if (m_exportStep != ExportStep::Idle && t - m_exportStart > 300000)
            finishExport(QStringLiteral("no end after 300 s"));
    }

    bool handleDialog(QWidget* modal)
    {
        if (modal->inherits("ServiceDialog")) {
            if (m_exportStep == ExportStep::Opening) {
                m_exportStep = ExportStep::Saving;
                clickLater(modal, "pushButton_export");
            } else if (m_exportStep != ExportStep::Saving) {
                clickLater(modal, "pushButton_ok");
            }
            return true;
        }
        if (modal->inherits("ExportSystemInformation"))
            return followExport(modal);
        if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            if (files->property("soakAnswered").toBool())
                return true;
            files->setProperty("soakAnswered", true);
            m_exportFile =
                QDir::home().filePath(QStringLiteral("export-%1.txt").arg(m_exportCount));
            QTimer::singleShot(0, files, [files, path = m_exportFile] {
                files->selectFile(path);
                QMetaObject::invokeMethod(files, "accept");
            });
            return true;
        }
        return false;
    }

    bool followExport(QWidget* dialog)
    {
        if (dialog->property("soakSaved").toBool()) {
            auto* status = dialog->findChild<QLabel*>(QStringLiteral("label_status"));
            const QString text = status ? status->text() : QString();
            if (auto* exporter = qobject_cast<ExportSystemInformation*>(dialog))
                m_exportFile = exporter->resultFileName();
            if (m_exportStep == ExportStep::Saving &&
                (text.endsWith(QLatin1String("complete.")) || text.contains("incomplete") ||
                 text.contains("failed"))) {
                m_exportStatus = text;
                m_exportStep = ExportStep::Closing;
                clickLater(dialog, "pushButton_exit");
            }
            return true;
        }
        dialog->setProperty("soakSaved", true);
        clickLater(dialog, "pushButton_save");
        return true;
    }

    static void clickLater(QWidget* dialog, const char* name)
    {
        auto* button = dialog->findChild<QAbstractButton*>(QString::fromLatin1(name));
        QTimer::singleShot(0, dialog, [button = QPointer<QAbstractButton>(button)] {
            if (button)
                button->click();
        });
    }

    // A finished export is back out of the dialogs; a replaced window ended it.
    void finishExport(const QString& interruption = QString())
    {
        if (m_exportStep == ExportStep::Idle)
            return;
        if (m_exportStep == ExportStep::Closing && interruption.isEmpty() &&
            QApplication::activeModalWidget())
            return;
        const QString status = m_exportStatus.isEmpty() ? interruption : m_exportStatus;
        const bool complete = m_exportStatus.endsWith(QLatin1String("complete.")) &&
                              !m_exportStatus.contains("incomplete") && exportFileIsWhole();
        if (complete) {
            ++m_exportsOk;
            event("export-ok", status);
        } else if (m_exportSawOutage) {
            ++m_exportsFailedOutage;
            event("export-failed-during-outage", status);
        } else {
            ++m_exportsFailed;
            event("export-failed", status);
        }
        if (!m_exportFile.isEmpty())
            QFile::remove(m_exportFile);
        m_exportFile.clear();
        m_exportStatus.clear();
        m_exportStep = ExportStep::Idle;
        m_user.setWantMeasuring(true);
    }

    // Ends with the report's closing marker line and holds at least one event log.
    bool exportFileIsWhole() const
    {
        QFile file(m_exportFile);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        const QByteArray text = file.readAll();
        return text.contains("<EOF>") && text.contains("<BOF> events-");
    }

    bool canQuit(qint64 t)
    {
        const bool busy =
            m_exportStep != ExportStep::Idle || m_awaitingWindow || m_faultActive || m_outage;
        return !busy || t >= m_options.minutes * 60000 + 120000;
    }

    void summary(int result)
    {
        emitLine(QStringLiteral("summary exit=%1 flaps=%2 reconnects_attempted=%3 "
                                "reconnects_completed=%4 reconnects_expired=%5 exports_ok=%6 "
                                "exports_failed_during_outage=%7 exports_failed=%8 other_boxes=%9 "
                                "messages=%10")
                     .arg(result)
                     .arg(m_flapCount)
                     .arg(m_user.lostBoxes())
                     .arg(m_reconnectsCompleted)
                     .arg(m_user.reconnectsExpired())
                     .arg(m_exportsOk)
                     .arg(m_exportsFailedOutage)
                     .arg(m_exportsFailed)
                     .arg(m_otherBoxes)
                     .arg(m_messageCount));
    }

    Options m_options;
    SimProcess& m_sim;
    CampaignUser m_user;
    QTimer m_tick;
    QTimer m_messages;
    qint64 m_lastAlive = -5000;
    qint64 m_nextFlapMs = 0;
    qint64 m_flapAt = 0;
    qint64 m_lastToggle = 0;
    QString m_lastFlap;
    int m_flapCount = 0;
    bool m_faultActive = false;
    bool m_outage = false;
    bool m_awaitingWindow = false;
    bool m_quitAsked = false;
    int m_lostSeen = 0;
    int m_windowsSeen = 0;
    int m_windowsAtLost = 0;
    int m_reconnectsCompleted = 0;
    int m_messageCount = 0;
    int m_otherBoxes = 0;

    ExportStep m_exportStep = ExportStep::Idle;
    int m_exportCount = 0;
    qint64 m_exportStart = 0;
    bool m_exportSawOutage = false;
    QString m_exportFile;
    QString m_exportStatus;
    int m_exportsOk = 0;
    int m_exportsFailedOutage = 0;
    int m_exportsFailed = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    const auto home = usePrivateHome();
    QApplication app(argc, argv);
    setUpApplication();
    const Options options = parseOptions(app.arguments());
    emitLine(QStringLiteral("pid %1").arg(getpid()));

    SimProcess sim;
    // A dotted host name: reconnecting by name needs no name look-up.
    if (!sim.start(options.address, {"--profile", options.profile, "--frequency", "300", "--set",
                                     "system hostname = " + options.address})) {
        std::fprintf(stderr, "campaign_soak: the simulator does not start on %s\n",
                     qPrintable(options.address));
        return 2;
    }
    Soak soak(options, sim);
    return soak.run();
}
