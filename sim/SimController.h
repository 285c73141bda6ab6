#pragma once

#include "SimOptions.h"

#include <QObject>
#include <QString>
#include <QThread>

namespace orvane::sim {

class SimServer;

// A simulated controller running in this process. Its sockets live on a
// thread of their own, so the caller may block in socket waits on its thread.
class SimController : public QObject
{
    Q_OBJECT
public:
    explicit SimController(const SimOptions& options, QObject* parent = nullptr);
    ~SimController() override;

    bool start(QString* error = nullptr);
    void stop();
    bool isRunning() const { return m_server != nullptr; }

    // Thread-safe; same vocabulary and answers as the control lines on stdin.
    QString control(const QString& line);

    const SimOptions& options() const { return m_options; }

signals:
    // Emitted on the simulator thread (e.g. "cmd tcp ..." lines after "log on").
    void outputLine(const QString& line);
    void quitRequested();

private:
    void shutDown(SimServer* server);
    SimOptions m_options;
    QThread m_thread;
    QObject* m_anchor = nullptr;  // lives on m_thread; everything there is created through it
    SimServer* m_server = nullptr;
};

}  // namespace orvane::sim
