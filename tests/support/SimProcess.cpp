#include "SimProcess.h"

#include <QDebug>
#include <QElapsedTimer>

#include <sys/prctl.h>
#include <csignal>

void SimProcess::ChildProcess::setupChildProcess()
{
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
}

SimProcess::~SimProcess()
{
    stop();
}

QString SimProcess::executable()
{
    return QStringLiteral(ORVANE_BIN_DIR "/trackbox-sim");
}

bool SimProcess::start(const QString& address, const QStringList& args, const QString& netns,
                       int timeoutMs)
{
    stop();
    m_address = address;
    m_port = 50105;
    const int p = args.indexOf(QStringLiteral("--port"));
    if (p >= 0 && p + 1 < args.size())
        m_port = args.at(p + 1).toUShort();
    QStringList simArgs = {QStringLiteral("--listen"), address};
    simArgs += args;
    m_other.clear();
    m_stderr.clear();
    if (netns.isEmpty()) {
        m_process.start(executable(), simArgs);
    } else {
        m_process.start(
            QStringLiteral("ip"),
            QStringList{QStringLiteral("netns"), QStringLiteral("exec"), netns, executable()} +
                simArgs);
    }
    if (!m_process.waitForStarted(timeoutMs)) {
        qWarning() << "SimProcess: cannot start" << executable() << m_process.errorString();
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    QString line;
    while (readLine(&line, int(qMax<qint64>(1, timeoutMs - clock.elapsed())))) {
        if (line.startsWith(QLatin1String("ready ")))
            return true;
        m_other << line;
    }
    qWarning() << "SimProcess: no ready line from" << executable() << simArgs << errorOutput();
    stop();
    return false;
}

void SimProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

int SimProcess::waitForExit(int timeoutMs)
{
    if (m_process.state() != QProcess::NotRunning && !m_process.waitForFinished(timeoutMs))
        return -1;
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

bool SimProcess::isRunning() const
{
    return m_process.state() == QProcess::Running;
}

bool SimProcess::readLine(QString* line, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!m_process.canReadLine()) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0 || m_process.state() == QProcess::NotRunning)
            return false;
        m_process.waitForReadyRead(int(qMin<qint64>(left, 100)));
    }
    *line = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    return true;
}

QString SimProcess::control(const QString& line, int timeoutMs)
{
    if (!isRunning())
        return QString();
    m_process.write(line.toLocal8Bit() + '\n');
    m_process.waitForBytesWritten(timeoutMs);
    QElapsedTimer clock;
    clock.start();
    QString answer;
    while (readLine(&answer, int(qMax<qint64>(1, timeoutMs - clock.elapsed())))) {
        if (answer == QLatin1String("ok") || answer.startsWith(QLatin1String("ok ")) ||
            answer == QLatin1String("err") || answer.startsWith(QLatin1String("err ")))
            return answer;
        m_other << answer;
    }
    return QString();
}

QStringList SimProcess::takeOutputLines()
{
    QString line;
    while (m_process.canReadLine() && readLine(&line, 0))
        m_other << line;
    QStringList out;
    out.swap(m_other);
    return out;
}

bool SimProcess::waitForOutputLine(const QString& prefix, int timeoutMs, QString* found)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        while (!m_other.isEmpty()) {
            const QString l = m_other.takeFirst();
            if (l.startsWith(prefix)) {
                if (found)
                    *found = l;
                return true;
            }
        }
        QString line;
        if (!readLine(&line, int(qMax<qint64>(1, timeoutMs - clock.elapsed()))))
            return false;
        m_other << line;
    }
}

QString SimProcess::errorOutput()
{
    m_stderr += m_process.readAllStandardError();
    return QString::fromLocal8Bit(m_stderr);
}
