#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// Runs the controller simulator (trackbox-sim) as a separate process for a
// test and talks to its control channel. The process always ends with this
// object.
//
//   SimProcess sim;
//   QVERIFY(sim.start("127.0.3.1", {"--profile", "demo"}));
//   QCOMPARE(sim.control("drop 1"), QString("ok"));
class SimProcess
{
public:
    SimProcess() = default;
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // Starts the simulator listening on `address` and waits for its "ready"
    // line. With `netns` it runs inside that network namespace.
    bool start(const QString& address, const QStringList& args = {}, const QString& netns = {},
               int timeoutMs = 10000);
    void stop();
    bool isRunning() const;

    // Sends one control line and returns its "ok ..." / "err ..." answer, or
    // an empty text when none came in time.
    QString control(const QString& line, int timeoutMs = 5000);

    // Lines of stdout that are not control answers ("cmd ..." after "log on").
    QStringList takeOutputLines();
    // Waits for such a line starting with `prefix`; consumes lines up to it.
    bool waitForOutputLine(const QString& prefix, int timeoutMs = 5000, QString* line = nullptr);

    // Ends the control channel (stdin); the simulator keeps running.
    void closeControlInput() { m_process.closeWriteChannel(); }
    // Waits for the process to end by itself; its exit code, or -1.
    int waitForExit(int timeoutMs = 5000);

    QString address() const { return m_address; }
    quint16 port() const { return m_port; }
    qint64 processId() const { return m_process.processId(); }
    QString errorOutput();

    static QString executable();

private:
    // Dies with the test process, so a test killed by its time-out leaves no
    // simulator holding the port for the next run.
    class ChildProcess : public QProcess
    {
    protected:
        void setupChildProcess() override;
    };

    bool readLine(QString* line, int timeoutMs);

    ChildProcess m_process;
    QString m_address;
    quint16 m_port = 50105;
    QStringList m_other;
    QByteArray m_stderr;
};
