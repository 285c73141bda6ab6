#include "SimController.h"

#include "SimServer.h"

#include <QMetaObject>

namespace orvane::sim {

SimController::SimController(const SimOptions& options, QObject* parent)
    : QObject(parent), m_options(options)
{
    m_thread.setObjectName(QStringLiteral("trackbox-sim"));
}

SimController::~SimController()
{
    stop();
}

bool SimController::start(QString* error)
{
    if (m_server)
        return true;
    m_thread.start();
    m_anchor = new QObject;
    m_anchor->moveToThread(&m_thread);
    SimServer* server = nullptr;
    bool ok = false;
    QString why;
    // Built on its own thread, so every socket and timer inside belongs to it.
    QMetaObject::invokeMethod(
        m_anchor,
        [&] {
            server = new SimServer(m_options);
            connect(server, &SimServer::outputLine, this, &SimController::outputLine,
                    Qt::DirectConnection);
            connect(server, &SimServer::quitRequested, this, &SimController::quitRequested,
                    Qt::DirectConnection);
            ok = server->start(&why);
        },
        Qt::BlockingQueuedConnection);
    if (!ok) {
        shutDown(server);
        if (error)
            *error = why;
        return false;
    }
    m_server = server;
    return true;
}

void SimController::stop()
{
    if (!m_server)
        return;
    SimServer* server = m_server;
    m_server = nullptr;
    shutDown(server);
}

void SimController::shutDown(SimServer* server)
{
    // Sockets must be destroyed on the thread they live on.
    QObject* anchor = m_anchor;
    QMetaObject::invokeMethod(
        anchor,
        [server, anchor] {
            delete server;
            anchor->deleteLater();
        },
        Qt::BlockingQueuedConnection);
    m_anchor = nullptr;
    m_thread.quit();
    m_thread.wait();
}

QString SimController::control(const QString& line)
{
    SimServer* server = m_server;
    if (!server)
        return QStringLiteral("err not running");
    if (QThread::currentThread() == &m_thread)
        return server->control(line);
    QString answer;
    QMetaObject::invokeMethod(
        server, [&] { answer = server->control(line); }, Qt::BlockingQueuedConnection);
    return answer;
}

}  // namespace orvane::sim
