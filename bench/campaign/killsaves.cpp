// Kills during saves: a writer process saves the preferences and the window
// layout and appends event-log lines in a tight loop, with the program's own
// code, and is killed with SIGKILL at a random moment. After each kill every
// file must parse and hold either the content it had before the save or the
// one being saved, and the event log may lack only the line being written.
//
//   killsaves [--kills N] [--seed S] [--keep]
//
// Each generation g writes, in this order, the preferences (host "gen-g"), the
// layout (window width from g) and the log line numbered g; the next writer
// starts after the last complete log line, so the three files tell old from
// new.

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>

#include "EventDisplay.h"
#include "IOManager.h"
#include "Preferences.h"
#include "WindowLayout.h"

namespace {

const QString kHost = QStringLiteral("killsaves");
// Today's date, fixed for the campaign: older logs would be deleted at each start.
QDate logDay = QDate::currentDate();

// Event polling needs a channel; the writer has no controller behind it.
class NoController : public IOManager
{
protected:
    int execute_command(char*, const char*) override { return -1; }
};

class QuietPreferences : public Preferences
{
public:
    QStringList warnings;

protected:
    void showPreferencesWarning(const QString& title, const QString& text) override
    {
        warnings << title + ": " + text;
    }
};

// Lengths vary around the size of a controller message, some crossing a page.
QByteArray logLine(qint64 g)
{
    const int pad = int((g * 7919) % 380);
    return "line " + QByteArray::number(g) + " " + QByteArray(pad, char('a' + g % 26));
}

QSize windowSize(qint64 g)
{
    return QSize(300 + int(g % 400), 250);
}

struct Window
{
    QMainWindow window;
    explicit Window(qint64 g)
    {
        window.setCentralWidget(new QLabel(QStringLiteral("killsaves")));
        for (const char* name : {"dockA", "dockB"}) {
            auto* dock = new QDockWidget(QString::fromLatin1(name), &window);
            dock->setObjectName(QString::fromLatin1(name));
            dock->setWidget(new QLabel(QString::fromLatin1(name)));
            window.addDockWidget(Qt::LeftDockWidgetArea, dock);
        }
        window.resize(windowSize(g));
    }
};

QByteArray layoutBytes(qint64 g)
{
    Window w(g);
    const QByteArray geometry = w.window.saveGeometry();
    return char(geometry.size()) + geometry + w.window.saveState(0);
}

QString logFile(const QString& logDir)
{
    NoController io;
    EventDisplay events(&io, logDir, kHost);
    events.setClock([] { return QDateTime(logDay, QTime(12, 0)); });
    return events.logFilePath(logDir);
}

int runWriter(qint64 from)
{
    QuietPreferences prefs;
    prefs.loadXMLSettings();
    NoController io;
    EventDisplay events(&io, prefs.m_sEventLogDir, kHost);
    events.setClock([] { return QDateTime(logDay, QTime(12, 0)); });
    events.stop_polling();
    Window w(from);
    WindowLayout layout(&w.window, prefs.m_sLayoutDir);
    layout.setWarningHandler([](const QString&, const QString& text) {
        std::fprintf(stderr, "layout: %s\n", qPrintable(text));
    });
    std::printf("writing\n");
    std::fflush(stdout);
    for (qint64 g = from;; ++g) {
        prefs.sFixHostnameOrIp = QStringLiteral("gen-%1").arg(g);
        prefs.writeXMLSettings();
        w.window.resize(windowSize(g));
        layout.saveLayout();
        events.writeTextToLogFile(QString::fromLatin1(logLine(g)), prefs.m_sEventLogDir);
    }
}

struct Totals
{
    int kills = 0;
    int filesChecked = 0;
    int tornFiles = 0;
    int lostLines = 0;
    int maxLostPerKill = 0;
    int leftovers = 0;
    QStringList problems;
};

// The log's complete lines must be 1..n in order; a tail without its line end
// is the line being written. Returns n, or -1 when the log is torn.
qint64 checkLog(const QString& path, int* lost, QString* why)
{
    QFile file(path);
    if (!file.exists())
        return 0;
    if (!file.open(QIODevice::ReadOnly)) {
        *why = "log unreadable";
        return -1;
    }
    const QByteArray data = file.readAll();
    QList<QByteArray> lines = data.split('\n');
    const QByteArray tail = lines.takeLast();  // empty when the file ends with a line end
    qint64 n = 0;
    for (const QByteArray& line : qAsConst(lines)) {
        if (line != logLine(n + 1)) {
            // A line cut by an earlier kill, followed by the same line written whole.
            if (!line.isEmpty() && logLine(n + 1).startsWith(line)) {
                ++*lost;
                continue;
            }
            *why = QStringLiteral("log line %1 is \"%2\"")
                       .arg(n + 1)
                       .arg(QString::fromLatin1(line.left(60)));
            return -1;
        }
        ++n;
    }
    if (!tail.isEmpty()) {
        if (!logLine(n + 1).startsWith(tail)) {
            *why = QStringLiteral("log ends in \"%1\"").arg(QString::fromLatin1(tail.left(60)));
            return -1;
        }
        ++*lost;
    }
    return n;
}

// The generation a file holds, or -1 when it parses to nothing we wrote.
qint64 preferencesGeneration(QString* why)
{
    QuietPreferences prefs;
    if (!QFile::exists(prefs.m_sConfigFileName))
        return 0;
    prefs.loadXMLSettings();
    if (!prefs.warnings.isEmpty()) {
        *why = "preferences: " + prefs.warnings.join(' ');
        return -1;
    }
    const QString value = prefs.sFixHostnameOrIp;
    bool ok = false;
    const qint64 g = value.mid(4).toLongLong(&ok);
    if (!value.startsWith("gen-") || !ok) {
        *why = "preferences hold " + value;
        return -1;
    }
    return g;
}

// Compared with each candidate generation's bytes, and restored by the program's own
// reader into a window.
bool layoutIs(const QString& dir, const QList<qint64>& candidates, QString* why)
{
    QFile file(dir + "/" + WindowLayout::FileName);
    if (!file.exists())
        return candidates.contains(0);
    if (!file.open(QIODevice::ReadOnly)) {
        *why = "layout unreadable";
        return false;
    }
    const QByteArray data = file.readAll();
    bool known = false;
    for (qint64 g : candidates)
        known = known || (g > 0 && data == layoutBytes(g));
    Window w(1);
    WindowLayout layout(&w.window, dir);
    layout.setWarningHandler([](const QString&, const QString&) {});
    if (!known || !layout.loadLayout(false)) {
        *why = QStringLiteral("layout of %1 bytes is neither the old nor the new one")
                   .arg(data.size());
        return false;
    }
    return true;
}

// Temporary files a save left behind beside the file it was replacing.
int countLeftovers(const QString& dir, const QStringList& names)
{
    int n = 0;
    for (const QString& name : names)
        n += QDir(dir).entryList({name + ".*"}, QDir::Files | QDir::Hidden).size();
    return n;
}

void checkAfterKill(Totals* t, qint64* next)
{
    QuietPreferences paths;
    int lost = 0;  // cut lines in the whole log; those of earlier kills stay in it
    QString why;
    QStringList problems;
    const qint64 logged = checkLog(logFile(paths.m_sEventLogDir), &lost, &why);
    if (logged < 0)
        problems << why;
    const qint64 saved = preferencesGeneration(&why);
    // Saves of generation g+1 may be done while its log line is not yet.
    if (saved < 0)
        problems << why;
    else if (logged >= 0 && saved != logged && saved != logged + 1)
        problems << QStringLiteral("preferences hold generation %1 after log line %2")
                        .arg(saved)
                        .arg(logged);
    const qint64 base = qMax<qint64>(logged, 0);
    if (!layoutIs(paths.m_sLayoutDir, {base, base + 1}, &why))
        problems << why;
    t->filesChecked += 3;
    t->tornFiles += problems.size();
    const int lostNow = qMax(0, lost - t->lostLines);
    t->lostLines = qMax(t->lostLines, lost);
    t->maxLostPerKill = qMax(t->maxLostPerKill, lostNow);
    t->leftovers =
        countLeftovers(paths.m_sConfigDir, {"current-preferences.xml", WindowLayout::FileName});
    for (const QString& p : qAsConst(problems))
        t->problems << QStringLiteral("kill %1: %2").arg(t->kills).arg(p);
    *next = base + 1;
}

}  // namespace

namespace {

// One writer started in the given home, killed once it is some way into its loop.
bool killOneWriter(const QString& home, qint64 from, int afterMs, QString* why)
{
    QProcess writer;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_RUNTIME_DIR", home);  // private to this user, as Qt wants it
    env.insert("QT_QPA_PLATFORM", "offscreen");
    writer.setProcessEnvironment(env);
    writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    writer.start(QCoreApplication::applicationFilePath(),
                 {"--writer", QString::number(from), logDay.toString(Qt::ISODate)});
    if (!writer.waitForStarted(10000) || !writer.waitForReadyRead(30000)) {
        *why = "writer did not start";
        writer.kill();
        writer.waitForFinished(5000);
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < afterMs && writer.state() == QProcess::Running)
        writer.waitForFinished(qMax<int>(1, afterMs - int(clock.elapsed())));
    if (writer.state() != QProcess::Running) {
        *why = "writer ended on its own: " + QString::number(writer.exitCode());
        return false;
    }
    ::kill(pid_t(writer.processId()), SIGKILL);
    writer.waitForFinished(10000);
    return true;
}

// The checker shows windows on the offscreen platform, which has its say about that.
void quietPlatform(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type != QtDebugMsg && !text.contains(QLatin1String("propagateSizeHints")))
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

int runCampaign(int kills, quint32 seed, bool keep)
{
    qInstallMessageHandler(&quietPlatform);
    std::printf("killsaves: %d kills, seed %u\n", kills, seed);
    std::fflush(stdout);
    QTemporaryDir home;
    home.setAutoRemove(!keep);
    qputenv("HOME", home.path().toLocal8Bit());
    QRandomGenerator rng(seed);
    Totals t;
    qint64 next = 1;
    int failedStarts = 0;
    for (int k = 0; k < kills; ++k) {
        QString why;
        // Now and then early, where a start-up and the first saves overlap.
        const int afterMs = rng.bounded(8) == 0 ? int(rng.bounded(20)) : int(rng.bounded(300));
        if (!killOneWriter(home.path(), next, afterMs, &why)) {
            t.problems << QStringLiteral("kill %1: %2").arg(k).arg(why);
            ++failedStarts;
            continue;
        }
        ++t.kills;
        checkAfterKill(&t, &next);
    }
    for (const QString& p : qAsConst(t.problems))
        std::printf("  %s\n", qPrintable(p));
    std::printf("kills            %d\n", t.kills);
    std::printf("generations      %lld\n", next - 1);
    std::printf("files checked    %d\n", t.filesChecked);
    std::printf("torn files       %d\n", t.tornFiles);
    std::printf("lost log lines   %d (at most %d per kill)\n", t.lostLines, t.maxLostPerKill);
    std::printf("left-over temps  %d\n", t.leftovers);
    if (keep)
        std::printf("files kept in    %s\n", qPrintable(home.path()));
    const bool good = t.tornFiles == 0 && t.maxLostPerKill <= 1 && failedStarts == 0;
    std::printf("%s\n", good ? "PASS" : "FAIL");
    return good ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    int kills = 200;
    quint32 seed = QRandomGenerator::system()->generate();
    bool keep = false;
    for (int i = 1; i < args.size(); ++i) {
        const QString next = args.value(i + 1);
        if (args[i] == "--writer") {
            logDay = QDate::fromString(args.value(i + 2), Qt::ISODate);
            return runWriter(next.toLongLong());
        }
        if (args[i] == "--kills" && !next.isEmpty())
            kills = next.toInt(), ++i;
        else if (args[i] == "--seed" && !next.isEmpty())
            seed = next.toUInt(), ++i;
        else if (args[i] == "--keep")
            keep = true;
        else {
            std::fprintf(stderr, "usage: killsaves [--kills N] [--seed S] [--keep]\n");
            return 2;
        }
    }
    return runCampaign(kills, seed, keep);
}
