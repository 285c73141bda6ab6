#include "EndlessProgressDlg.h"

#include <QFontMetrics>
#include <QMessageBox>
#include <QNetworkInterface>
#include <QStringList>

#include "MessageBoxes.h"
#include "PlainText.h"
#include "ap_udptcp.h"
#include "ui_EndlessProgressDlg.h"

namespace {

constexpr int kMacBytes = 6;
constexpr int kMacRepeats = 16;
constexpr unsigned int kSendTimeoutUs = 1000;
// Both ports are in use for the magic packet; controllers listen on either.
constexpr uint16_t kWakePorts[] = {7, 9};

}  // namespace

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
    const QStringList parts = mac.split(QLatin1Char(':'), Qt::KeepEmptyParts);
    if (parts.size() != kMacBytes)
        return {};
    QByteArray address;
    for (const QString& part : parts) {
        bool ok = false;
        const uint value = part.toUInt(&ok, 16);
        // A part is one byte; "100" or "-1" would silently wake another machine.
        if (!ok || value > 0xFF || part.trimmed() != part)
            return {};
        address.append(static_cast<char>(value));
    }
    QByteArray packet(kMacBytes, static_cast<char>(0xFF));
    for (int i = 0; i < kMacRepeats; ++i)
        packet.append(address);
    return packet;
}

int EndlessProgressDlg::wake_zec_on_lan()
{
    m_wake_result = false;
    const QByteArray packet = magicPacket(m_trackbox_mac);
    if (packet.isEmpty())
        return 1;
    ap_ip_socket_type sock = nullptr;
    if (ap_udp_init(&sock, 0, AP_SOCK_BROADCAST) != 0)
        return 1;
    const uint32_t destination = getBroadcastIp();
    int sent = 0;
    for (uint16_t wakePort : kWakePorts) {
        if (ap_udp_send(sock, packet.constData(), packet.size(), destination, wakePort,
                        kSendTimeoutUs) == 0)
            ++sent;
    }
    // Without a single packet on the wire (no route, interface down) nothing can wake, and
    // the user would wait out every retry for nothing.
    if (ap_udp_exit(sock) != 0 || sent == 0)
        return 1;
    m_wake_result = true;
    return 0;
}

uint32_t EndlessProgressDlg::getBroadcastIp() const
{
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& iface : interfaces) {
        if (!iface.isValid() || (iface.flags() & QNetworkInterface::IsLoopBack))
            continue;
        const auto entries = iface.addressEntries();
        for (const QNetworkAddressEntry& entry : entries) {
            const QHostAddress broadcast = entry.broadcast();
            if (broadcast.protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            const uint32_t mask = entry.netmask().toIPv4Address();
            const uint32_t brip = broadcast.toIPv4Address();
            if ((m_trackbox_ip & mask) == (brip & mask))
                return brip;
        }
    }
    return 0xFFFFFFFFu;
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
