// Each controller fault injected many times into a measuring window, driven by
// scripts/faults: the real restart loop against the simulator's "demo"
// profile, the user answering every box (Reconnect as soon as it is enabled),
// and per fault a count of the reactions seen, the cycles that did not end in
// the designed reaction or did not recover in time, and the longest times.
//
//   campaign_faults --address A [--cycles N] [--faults close,silent,...] [--max-minutes M]
//
// Prints one line per cycle ("cycle FAULT N ms reactions"), then the table.

#include <QApplication>
#include <QElapsedTimer>
#include <QMap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <cstdio>

#include "SimProcess.h"
#include "campaign_user.h"

namespace {

// Past the channel's 2 s answer time-out and its second chance of as long.
constexpr int kLateAnswerMs = 4500;
// A cycle that has not recovered by then hangs: the 30 s countdown and a
// start-up fit well inside.
constexpr int kCycleLimitMs = 60000;

struct Fault
{
    QString name;
    QStringList inject;      // control lines
    QStringList clearOnBox;  // control lines once the lost-connection box is up
    QStringList clearAfter;  // control lines once the first reaction was seen
    QStringList designed;    // reaction sets, each "a+b", any of which is right
    int watchMs;             // how long to wait for a reaction that may not be a box
};

QList<Fault> faultTable()
{
    const QString reconnect = QStringLiteral("box+countdown+reconnect");
    const QString timedOut = QStringLiteral("error line+") + reconnect;
    const QString late = QStringLiteral("delay %1").arg(kLateAnswerMs);
    return {
        {"close", {"close"}, {}, {}, {reconnect}, 3000},
        {"silent", {"silent on"}, {"silent off"}, {}, {timedOut}, 6000},
        {"drop", {"drop 1"}, {}, {}, {timedOut}, 6000},
        {"delay past time-out", {late}, {"delay 0"}, {}, {timedOut}, 8000},
        // Shown as an event when it answered the message poll, ignored as a state.
        {"garbage", {"garbage"}, {}, {}, {"error line", "none"}, 1500},
        // The answer is cut at 200 bytes and the rest dropped before the next
        // command; the cut message poll answer shows as an event.
        {"oversize", {"oversize"}, {}, {}, {"error line", "none"}, 1500},
        {"error answers",
         {"error status active"},
         {"clear status active"},
         {"clear status active"},
         {"error box", "error box+" + reconnect},
         1500},
        {"reboot", {"reboot-now 1000"}, {}, {}, {reconnect}, 4000},
        {"sleep", {"sleep"}, {"wake"}, {}, {reconnect}, 6000},
    };
}

// Lines the window writes in any case: measurement notices and the
// controller's start-up message after a reboot or wake.
bool isNotice(const QString& line)
{
    return line.contains(QLatin1String("measurement started")) ||
           line.contains(QLatin1String("measurement stopped")) ||
           line.contains(QLatin1String("controller started"));
}

struct Row
{
    int cycles = 0;
    int failures = 0;
    QMap<QString, int> reactions;  // reaction kind -> cycles in which it was seen
    qint64 longestReactionMs = 0;
    qint64 longestRecoveryMs = 0;
    QStringList failureNotes;
};

class FaultRun : public QObject
{
public:
    FaultRun(SimProcess& sim, const QList<Fault>& faults, int cycles, double budgetMinutes)
        : m_sim(sim), m_faults(faults), m_cycles(cycles), m_budgetMs(qint64(budgetMinutes * 60000))
    {
        m_user.setBoxObserver([this](QMessageBox* box) {
            if (m_watching)
                seen(QStringLiteral("error box"), box->windowTitle());
        });
        connect(&m_tick, &QTimer::timeout, this, &FaultRun::tick);
    }

    int run()
    {
        m_tick.start(20);
        // A program ended by an expired countdown is started again, as the user would.
        m_budget.start();
        while (!m_done) {
            const int result = m_user.run("-host " + m_sim.address() + " -measure");
            if (!m_done)
                endCycle(QStringLiteral("the program ended (exit code %1)").arg(result));
            else
                break;
        }
        m_tick.stop();
        printTable();
        return m_totalFailures == 0 ? 0 : 1;
    }

private:
    const Fault& fault() const { return m_faults.at(m_faultIndex); }

    void tick()
    {
        followEventDisplay();
        if (!m_watching) {
            if (readyForCycle())
                inject();
            return;
        }
        const qint64 t = m_cycleClock.elapsed();
        if (m_user.lostBoxes() > m_lostAtStart && !m_reactions.contains("box")) {
            seen(QStringLiteral("box"));
            control(fault().clearOnBox);
        }
        if (m_user.lostBoxOpen() && !m_reactions.contains("countdown") && countdownRuns())
            seen(QStringLiteral("countdown"));
        if (m_user.windowsShown() > m_windowsAtStart && !m_reactions.contains("reconnect"))
            seen(QStringLiteral("reconnect"));
        if (t > kCycleLimitMs) {
            endCycle(QStringLiteral("no recovery within %1 s").arg(kCycleLimitMs / 1000));
            return;
        }
        const bool recovered = m_user.window() && m_user.measuring() &&
                               !QApplication::activeModalWidget() && !m_user.lostBoxOpen();
        const bool reconnected = m_user.windowsShown() > m_windowsAtStart;
        if (!recovered || (!reconnected && m_user.lostBoxes() > m_lostAtStart)) {
            m_recoveredMs = -1;
            return;
        }
        if (m_recoveredMs < 0)
            m_recoveredMs = t;
        // A reconnected window is done; otherwise a late reaction may still come.
        if (reconnected || t >= fault().watchMs)
            endCycle();
    }

    bool countdownRuns() const
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QAbstractButton* button = box ? box->buttons().value(1) : nullptr;
        return button && button->text().contains(QLatin1String("Reconnect ("));
    }

    bool readyForCycle()
    {
        if (!m_user.window() || !m_user.measuring() || QApplication::activeModalWidget()) {
            m_quietSince.invalidate();
            return false;
        }
        if (!m_quietSince.isValid())
            m_quietSince.start();
        // Some heartbeats and message polls in between, so cycles do not merge.
        return m_quietSince.elapsed() >= 400;
    }

    void inject()
    {
        m_reactions.clear();
        m_notes.clear();
        m_firstReactionMs = -1;
        m_recoveredMs = -1;
        m_lostAtStart = m_user.lostBoxes();
        m_windowsAtStart = m_user.windowsShown();
        m_watching = true;
        m_cycleClock.start();
        control(fault().inject);
    }

    void control(const QStringList& lines)
    {
        for (const QString& line : lines) {
            const QString answer = m_sim.control(line);
            if (!answer.startsWith(QLatin1String("ok")))
                m_notes << QStringLiteral("'%1' answered '%2'").arg(line, answer);
        }
    }

    void seen(const QString& kind, const QString& detail = QString())
    {
        if (m_firstReactionMs < 0) {
            m_firstReactionMs = m_cycleClock.elapsed();
            control(fault().clearAfter);
        }
        if (!m_reactions.contains(kind))
            m_reactions << kind;
        if (!detail.isEmpty() && m_notes.size() < 3)
            m_notes << detail;
    }

    // Lines the event display shows while a fault is on; the controller's own
    // start-up notice after a reboot or wake is no reaction.
    void followEventDisplay()
    {
        MainWindow* w = m_user.window();
        if (!w || w == m_followed)
            return;
        m_followed = w;
        for (QTextEdit* edit : w->findChildren<QTextEdit*>()) {
            if (!edit->inherits("TextBrowser"))
                continue;
            connect(edit, &QTextEdit::textChanged, this, [this, edit] {
                const QString line = edit->document()->lastBlock().text();
                if (m_watching && !line.isEmpty() && !isNotice(line))
                    seen(QStringLiteral("error line"), line.section(QLatin1String(": "), 1));
            });
        }
    }

    QString reactionKey() const
    {
        static const QStringList order = {"error line", "error box", "box", "countdown",
                                          "reconnect"};
        QStringList kinds;
        for (const QString& kind : order) {
            if (m_reactions.contains(kind))
                kinds << kind;
        }
        return kinds.isEmpty() ? QStringLiteral("none") : kinds.join(QLatin1Char('+'));
    }

    void endCycle(const QString& failure = QString())
    {
        m_watching = false;
        m_quietSince.invalidate();
        const QString key = reactionKey();
        Row& row = m_rows[fault().name];
        ++row.cycles;
        for (const QString& kind : m_reactions)
            ++row.reactions[kind];
        const qint64 recovery = m_recoveredMs >= 0 ? m_recoveredMs : m_cycleClock.elapsed();
        row.longestRecoveryMs = qMax(row.longestRecoveryMs, recovery);
        row.longestReactionMs = qMax(row.longestReactionMs, m_firstReactionMs);
        QString why = failure;
        if (why.isEmpty() && !fault().designed.contains(key))
            why = QStringLiteral("reaction %1").arg(key);
        if (!why.isEmpty()) {
            ++row.failures;
            ++m_totalFailures;
            if (row.failureNotes.size() < 3)
                row.failureNotes << why + (m_notes.isEmpty() ? QString()
                                                             : " (" + m_notes.join("; ") + ")");
            // Whatever the fault left behind goes before the next cycle.
            m_sim.control("reset");
            m_sim.control("wake");
        }
        emitLine(QStringLiteral("cycle %1 %2 %3 ms %4%5 | %6")
                     .arg(QString(fault().name).replace(' ', '-'))
                     .arg(row.cycles)
                     .arg(recovery)
                     .arg(key, why.isEmpty() ? QString() : " FAILED: " + why,
                          m_notes.join(QStringLiteral("; "))));
        // Faults take turns, so a run cut short by its time budget still
        // covers each of them alike.
        m_faultIndex = (m_faultIndex + 1) % m_faults.size();
        const bool allDone = m_faultIndex == 0 && row.cycles >= m_cycles;
        const bool outOfTime =
            m_faultIndex == 0 && m_budgetMs > 0 && m_budget.elapsed() > m_budgetMs;
        if (allDone || outOfTime) {
            m_done = true;
            m_user.quit();
        }
    }

    void printTable() const
    {
        emitLine(QStringLiteral("%1 %2 %3 %4 %5 %6")
                     .arg("fault", -20)
                     .arg("cycles", 6)
                     .arg("failures", 8)
                     .arg("reaction ms", 11)
                     .arg("recovery ms", 11)
                     .arg("reactions seen (cycles)"));
        for (const Fault& f : m_faults) {
            const Row row = m_rows.value(f.name);
            QStringList seenKinds;
            for (auto it = row.reactions.cbegin(); it != row.reactions.cend(); ++it)
                seenKinds << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
            emitLine(QStringLiteral("%1 %2 %3 %4 %5 %6")
                         .arg(f.name, -20)
                         .arg(row.cycles, 6)
                         .arg(row.failures, 8)
                         .arg(row.longestReactionMs, 11)
                         .arg(row.longestRecoveryMs, 11)
                         .arg(seenKinds.isEmpty() ? QStringLiteral("none") : seenKinds.join(", ")));
            for (const QString& note : row.failureNotes)
                emitLine("    failed: " + note);
        }
        emitLine(QStringLiteral("total failures %1").arg(m_totalFailures));
    }

    SimProcess& m_sim;
    QList<Fault> m_faults;
    int m_cycles;
    qint64 m_budgetMs;  // 0: none
    CampaignUser m_user;
    QTimer m_tick;
    QElapsedTimer m_cycleClock;
    QElapsedTimer m_quietSince;
    QPointer<MainWindow> m_followed;
    int m_faultIndex = 0;
    bool m_done = false;
    QElapsedTimer m_budget;
    bool m_watching = false;
    int m_lostAtStart = 0;
    int m_windowsAtStart = 0;
    qint64 m_firstReactionMs = -1;
    qint64 m_recoveredMs = -1;  // since when the window measures again, in the cycle
    QStringList m_reactions;
    QStringList m_notes;
    QMap<QString, Row> m_rows;
    int m_totalFailures = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    const auto home = usePrivateHome();
    QApplication app(argc, argv);
    setUpApplication();
    QString address = QStringLiteral("127.0.69.1");
    int cycles = 200;
    double budgetMinutes = 0;
    QStringList only;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == "--address")
            address = args[i + 1];
        else if (args[i] == "--cycles")
            cycles = qMax(1, args[i + 1].toInt());
        else if (args[i] == "--max-minutes")
            budgetMinutes = args[i + 1].toDouble();
        else if (args[i] == "--faults")
            only = args[i + 1].split(',', Qt::SkipEmptyParts);
    }
    QList<Fault> faults;
    for (const Fault& f : faultTable()) {
        if (only.isEmpty() || only.contains(f.name) ||
            only.contains(QString(f.name).replace(' ', '-')))
            faults << f;
    }
    if (faults.isEmpty()) {
        std::fprintf(stderr, "campaign_faults: no such fault in --faults\n");
        return 2;
    }
    SimProcess sim;
    // A dotted host name: reconnecting by name needs no name look-up. A short
    // boot keeps the sleep cycles quick; the reconnect path is the same.
    if (!sim.start(address, {"--profile", "demo", "--set", "system hostname = " + address,
                             "--boot-time", "500"})) {
        std::fprintf(stderr, "campaign_faults: the simulator does not start on %s\n",
                     qPrintable(address));
        return 2;
    }
    FaultRun run(sim, faults, cycles, budgetMinutes);
    return run.run();
}
