#ifndef ORVANE_TESTS_CTLRUNNER_H
#define ORVANE_TESTS_CTLRUNNER_H

#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

// The built orvane3ctl run as a user runs it from a shell: its own HOME, no
// display, standard input from a pipe, optionally inside a lab host.
struct CtlRun
{
    int exitCode = -1;
    QString out;
    QString err;

    QJsonDocument json() const { return QJsonDocument::fromJson(out.toUtf8()); }
    QJsonObject object() const { return json().object(); }
};

class CtlRunner
{
public:
    static QString program() { return QStringLiteral(ORVANE_BIN_DIR "/orvane3ctl"); }

    // Runs below prefix (e.g. a lab host's "ip netns exec" words) when given. The wait runs
    // an event loop, so stand-ins living in the test's own thread keep answering meanwhile.
    CtlRun run(const QStringList& arguments, const QByteArray& input = {},
               const QStringList& prefix = {}, int timeoutMs = 60000) const
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        process.setProcessEnvironment(env);
        QStringList argv = prefix + QStringList{program()} + arguments;
        QEventLoop loop;
        QObject::connect(&process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
                         &loop, &QEventLoop::quit);
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        process.start(argv.takeFirst(), argv);
        CtlRun result;
        if (!process.waitForStarted())
            return result;
        process.write(input);
        process.closeWriteChannel();
        if (process.state() != QProcess::NotRunning)
            loop.exec();
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
            return result;
        }
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    QTemporaryDir home;
};

// Rows name the controller "@", replaced by the address the row's controller got.
inline QStringList withHost(QStringList arguments, const QString& address)
{
    arguments.replaceInStrings(QStringLiteral("@"), address);
    return arguments;
}

#endif
