#ifndef ORVANE_TESTS_CTLRUNNER_H
#define ORVANE_TESTS_CTLRUNNER_H

#include <QEventLoop>
#include <QJsonDocument>
#include <QProcess>
#include <QStringList>
#include <QTimer>

// One run of the built orvane3ctl, waited for with a running event loop so
// that stand-ins living in the test's own thread keep answering meanwhile.
struct CtlRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;

    QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }

    static QString program() { return QStringLiteral(ORVANE_BIN_DIR "/orvane3ctl"); }

    // prefix: a command to run it through (a network namespace), may be empty.
    static CtlRun run(const QStringList& arguments, const QStringList& prefix = {},
                      int timeoutMs = 60000)
    {
        QStringList argv = prefix;
        argv << program() << arguments;
        QProcess process;
        QEventLoop loop;
        QObject::connect(&process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
                         &loop, &QEventLoop::quit);
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        process.start(argv.takeFirst(), argv);
        CtlRun result;
        if (process.waitForStarted() && process.state() != QProcess::NotRunning)
            loop.exec();
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
            return result;
        }
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }
};

#endif
