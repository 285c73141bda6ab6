#include "EndlessProgressDlg.h"

#include <QFontMetrics>
#include <QMessageBox>

#include "MessageBoxes.h"
#include "PlainText.h"
#include "WakeOnLan.h"
#include "ui_EndlessProgressDlg.h"

EndlessProgressDlg::EndlessProgressDlg(QString hostname, QString ipStr, unsigned int ip,
                                       QString mac, QWidget* parent, bool isCascade)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint),
      ui(new Ui::EndlessProgressDlg),
      m_trackbox_hostname(std::move(hostname)),
      m_trackbox_ip_str(std::move(ipStr)),
      m_trackbox_ip(ip),
      m_trackbox_mac(std::move(mac)),
      m_bIsCascade(isCascade)
{
    ui->setupUi(this);
    setFixedSize(size());

    QString text = tr("wake on LAN: %1").arg(m_trackbox_hostname);
    const QFontMetrics metrics(ui->label_desc->font());
    const int room = ui->label_desc->width() - metrics.horizontalAdvance(QStringLiteral("..."));
    bool shortened = false;
    while (!text.isEmpty() && metrics.horizontalAdvance(text) > room) {
        text.chop(1);
        shortened = true;
    }
    if (shortened)
        text += QStringLiteral("...");
    PlainText::setLabel(ui->label_desc, text);

    timer.setInterval(retryIntervalMs);
    connect(&timer, &QTimer::timeout, this, &EndlessProgressDlg::onTimer);
}

EndlessProgressDlg::~EndlessProgressDlg()
{
    delete ui;
}

int EndlessProgressDlg::update_and_exec()
{
    if (m_bIsCascade)
        ui->label_canTakeTowMinutes->setText(tr("waking up can take 2-5 minutes"));
    if (wake_zec_on_lan() != 0) {
        MessageBoxes::warning(parentWidget(), tr("Wake On LAN"),
                              tr("Cannot do wake on LAN for %1.").arg(m_trackbox_hostname));
        return 0;
    }
    timer.start();
    return exec();
}

QByteArray EndlessProgressDlg::magicPacket(const QString& mac)
{
    return WakeOnLan::magicPacket(mac);
}

int EndlessProgressDlg::wake_zec_on_lan()
{
    m_wake_result = WakeOnLan::send(m_trackbox_mac, getBroadcastIp()) == 0;
    return m_wake_result ? 0 : 1;
}

uint32_t EndlessProgressDlg::getBroadcastIp() const
{
    return WakeOnLan::broadcastAddressFor(m_trackbox_ip);
}

void EndlessProgressDlg::set_wake_successful()
{
    timer.stop();
    done(1);
}

void EndlessProgressDlg::onTimer()
{
    ++m_timer_trial_num;
    if (m_timer_trial_num > maxTrials) {
        m_timer_trial_num = 0;
        timer.stop();
        done(1);
        return;
    }
    emit try_to_connect();
}

void EndlessProgressDlg::on_pushButton_cancel_clicked()
{
    m_timer_trial_num = 0;
    timer.stop();
    done(0);
}
