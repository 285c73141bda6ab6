#ifndef ORVANE_CONNECTIONMONITOR_H
#define ORVANE_CONNECTIONMONITOR_H

#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QString>

#include "ap_udptcp.h"

class IOManager;
class QWidget;

// The heartbeat's reading of the controller state, and what follows when the
// controller stops answering: the lost-connection box and, for controllers
// that can take a new front-end connection, the reconnect countdown that
// probes the controller until it grants full access again.
class ConnectionMonitor : public QObject
{
    Q_OBJECT

public:
    ConnectionMonitor(IOManager* iom, QWidget* window);
    ~ConnectionMonitor() override;

    enum Beat
    {
        Read,    // the state is in *state
        Missed,  // one failed read; ignored
        Lost     // the second failed read in a row
    };
    Beat readStatus(QString* state);

    // Runs the box modally; returns kRestartExitCode (ProgramEntry.h) when the user chose to
    // reconnect, else 0. offerReconnect adds the countdown button.
    int runLostConnectionBox(bool offerReconnect, const QString& controllerIp);

    // Seconds the countdown lasts (30); tests shorten it.
    void setReconnectWindow(unsigned seconds) { checkReconnect_counter = seconds; }
    QMessageBox* lostConnectionBox() const { return m_box; }
    QPushButton* reconnectButtonWidget() const { return reconnectButton; }

public slots:
    void testReconnectPossible();

private:
    void finishCountdown(bool enable);

    IOManager* m_iom;
    QWidget* m_window;
    int m_failedReads = 0;
    ap_ip_socket_type checkReconnect_sock = nullptr;
    unsigned int checkReconnect_ip = 0;
    unsigned checkReconnect_counter = 30;
    QElapsedTimer checkReconnect_wait;
    QPointer<QPushButton> reconnectButton;
    QPointer<QMessageBox> m_box;
};

#endif
