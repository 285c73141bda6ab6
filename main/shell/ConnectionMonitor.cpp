#include "ConnectionMonitor.h"

#include "ControllerProbe.h"
#include "FrontendInfo.h"
#include "IOManager.h"
#include "ProgramEntry.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstring>

ConnectionMonitor::ConnectionMonitor(IOManager* iom, QWidget* window)
    : QObject(window), m_iom(iom), m_window(window)
{
}

ConnectionMonitor::~ConnectionMonitor()
{
    if (checkReconnect_sock)
        ap_udp_exit(checkReconnect_sock);
}

ConnectionMonitor::Beat ConnectionMonitor::readStatus(QString* state)
{
    char value[IOManager::MaxTextLength + 1] = {};
    if (m_iom->get_par(value, "status active") != 0) {
        ++m_failedReads;
        return m_failedReads >= 2 ? Lost : Missed;
    }
    m_failedReads = 0;
    *state = QString::fromUtf8(value);
    return Read;
}

int ConnectionMonitor::runLostConnectionBox(bool offerReconnect, const QString& controllerIp)
{
    QMessageBox box(QMessageBox::Critical, tr("Command Error"),
                    tr("Connection to Controller lost.\nORVANE3 will be closed."),
                    QMessageBox::NoButton, m_window);
    m_box = &box;
    box.setDefaultButton(box.addButton(QMessageBox::Ok));
    if (offerReconnect) {
        reconnectButton = box.addButton(
            tr("%1 (%2)").arg(tr("Reconnect"), QString::number(checkReconnect_counter)),
            QMessageBox::ActionRole);
        reconnectButton->setEnabled(false);
    }
    box.resize(300, box.height());
    box.raise();
    if (!checkReconnect_sock)
        ap_udp_init(&checkReconnect_sock, 0, AP_SOCK_ANYPORT);
    checkReconnect_ip = ControllerAddress::resolve(controllerIp);
    if (offerReconnect) {
        QTimer::singleShot(100, this, &ConnectionMonitor::testReconnectPossible);
        checkReconnect_wait.start();
    }
    box.exec();
    const bool reconnect = reconnectButton && box.clickedButton() == reconnectButton;
    m_box = nullptr;
    return reconnect ? kRestartExitCode : 0;
}

void ConnectionMonitor::finishCountdown(bool enable)
{
    reconnectButton->setText(tr("&Reconnect"));
    reconnectButton->setEnabled(enable);
}

void ConnectionMonitor::testReconnectPossible()
{
    if (!reconnectButton || !m_box)
        return;
    reconnectButton->setMinimumWidth(reconnectButton->width());

    static const char query[] = "orvane2 get system access";
    char answer[301] = {};
    int received = -1;
    if (checkReconnect_sock &&
        ap_udp_send(checkReconnect_sock, query, sizeof query, checkReconnect_ip,
                    FrontendInfo::kControllerPort, 200) == 0)
        received = ap_udp_receive(checkReconnect_sock, answer, 300, 100000, 0);
    if (received >= 0) {
        answer[qMin(received, 300)] = '\0';
        if (std::strcmp(answer, "orvane2 set system access full") == 0) {
            finishCountdown(true);
            return;
        }
    }

    const int delayMs = received == -1 ? 900 : 500;
    const qint64 remainingMs =
        qint64(checkReconnect_counter) * 1000 - checkReconnect_wait.elapsed();
    if (remainingMs < 1) {
        finishCountdown(false);
        return;
    }
    const qint64 seconds = (remainingMs + 999) / 1000;
    reconnectButton->setText(tr("%1 (%2)").arg(tr("&Reconnect"), QString::number(seconds)));
    QTimer::singleShot(delayMs, this, &ConnectionMonitor::testReconnectPossible);
}
