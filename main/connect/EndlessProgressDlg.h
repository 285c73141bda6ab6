#ifndef ENDLESSPROGRESSDLG_H
#define ENDLESSPROGRESSDLG_H

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <QTimer>

#include <cstdint>

namespace Ui {
class EndlessProgressDlg;
}

// Wakes a sleeping controller with the standard magic packet and waits for it to boot:
// a busy bar, and every 15 s a request to the owner to test the controller again, until
// the owner reports success, the user cancels or 150 s have passed.
class EndlessProgressDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int retryIntervalMs = 15000;
    static constexpr int maxTrials = 9;

    EndlessProgressDlg(QString hostname, QString ipStr, unsigned int ip, QString mac,
                       QWidget* parent, bool isCascade);
    ~EndlessProgressDlg() override;

    int update_and_exec();
    // 0 when at least one packet was handed to the network, 1 otherwise.
    int wake_zec_on_lan();
    uint32_t getBroadcastIp() const;
    bool get_wake_result() const { return m_wake_result; }

    // 6 x 0xFF and the MAC 16 times; empty when mac is not six hexadecimal parts.
    static QByteArray magicPacket(const QString& mac);
    // Tests wait seconds, not minutes.
    void setRetryInterval(int ms) { timer.setInterval(ms); }

signals:
    void try_to_connect();

public slots:
    void set_wake_successful();
    void onTimer();

private slots:
    void on_pushButton_cancel_clicked();

private:
    Ui::EndlessProgressDlg* ui;
    QTimer timer;
    QString m_trackbox_hostname;
    QString m_trackbox_ip_str;
    uint32_t m_trackbox_ip;
    QString m_trackbox_mac;
    bool m_wake_result = false;
    int m_timer_trial_num = 0;
    bool m_bIsCascade;
};

#endif
