#include "RadioStatusBar.h"

#include "BackendVersions.h"
#include "IOManager.h"
#include "StatusCommon.h"
#include "StatusReadings.h"

#include <QLabel>
#include <QPixmap>

RadioStatusBar::RadioStatusBar(IOManager* iom, QWidget* parent, const BackendVersions& versions)
    : QToolBar(tr("QOR Radio Status"), parent), iom(iom)
{
    setMinimumWidth(60);
    setWhatsThis(tr("Displays whether QOR Radio is available and the channel number"));
    lbl_radio = new QLabel(this);
    lbl_radio->setFixedHeight(16);
    lbl_radio->setMinimumWidth(25);
    lbl_radio->setAlignment(Qt::AlignCenter);
    addWidget(lbl_radio);
    lbl_channel = new QLabel("-", this);
    lbl_channel->setMinimumWidth(22);
    StatusCommon::fitLabelWidth(lbl_channel, QStringLiteral("99999"));
    addWidget(lbl_channel);
    showIcon(false);

    if (versions.protocol().supports(ProtocolFeature::RadioStatus)) {
        radioStatus = new QTimer(this);
        radioStatus->setInterval(3000);
        connect(radioStatus, &QTimer::timeout, this, &RadioStatusBar::update_status);
        QTimer::singleShot(150, this, [this] {
            if (radioStatus) {
                update_status();
                radioStatus->start();
            }
        });
    }
}

QString RadioStatusBar::channelText() const
{
    return lbl_channel->text();
}

bool RadioStatusBar::iconEnabled() const
{
    return lbl_radio->isEnabled();
}

void RadioStatusBar::showIcon(bool enabled)
{
    m_iconPath = StatusCommon::themedIcon(this, enabled ? "radio_en" : "radio_dis");
    lbl_radio->setPixmap(
        QPixmap(m_iconPath).scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    lbl_radio->setEnabled(enabled);
}

void RadioStatusBar::about_to_exit()
{
    delete radioStatus;
    radioStatus = nullptr;
}

void RadioStatusBar::update_status()
{
    if (iom->isCmdPending())
        return;
    const StatusReadings::Radio radio = StatusReadings::readRadio(iom);
    if (radio.result == IOManager::ResultConnectionFailed)
        return;
    const bool available = radio.available;
    const int channel = radio.channel;
    if (available == m_bRadioAvailable && channel == m_iChannel)
        return;
    const bool on = available && channel >= 1;
    showIcon(on);
    lbl_channel->setText(on ? QString::number(channel) : QStringLiteral("-"));
    m_bRadioAvailable = available;
    m_iChannel = channel;
}
