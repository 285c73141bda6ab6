#include "FreqStatusBar.h"

#include "BackendVersions.h"
#include "IOManager.h"
#include "StatusCommon.h"
#include "StatusReadings.h"

#include <QLabel>
#include <QLineEdit>

#include <cstring>

FreqStatusBar::FreqStatusBar(IOManager* iom, QWidget* parent, const BackendVersions& versions)
    : QToolBar(tr("Sync Status"), parent), iom(iom)
{
    auto* label = new QLabel(tr("  sync  "), this);
    label->setWhatsThis(tr("Synccard frequency"));
    addWidget(label);
    le = new QLineEdit(" - ", this);
    le->setEnabled(false);
    le->setAlignment(Qt::AlignCenter);
    le->setFixedSize(80, 16);
    StatusCommon::fitLineEditWidth(le, tr("%1 Hz").arg(99999));
    le->setWhatsThis(tr("Synccard frequency"));
    addWidget(le);

    iom->register_request_mea(this);
    m_registered = true;
    bVersion_0_17_ok = versions.protocol().supports(ProtocolFeature::OutputFrequency);
    bVersion_1_8_ok = versions.protocol().supports(ProtocolFeature::FrequencyColours);
    showFrequencyTimer.setInterval(1000);
    connect(&showFrequencyTimer, &QTimer::timeout, this, &FreqStatusBar::showFrequency);
}

QString FreqStatusBar::text() const
{
    return le->text();
}

QString FreqStatusBar::frameLossStyle() const
{
    return le->styleSheet();
}

void FreqStatusBar::set_mea_started()
{
    StatusCommon::onOwnThread(this, [this] {
        showFrequencyTimer.start();
        QTimer::singleShot(200, this, &FreqStatusBar::showFrequency);
    });
}

void FreqStatusBar::set_mea_stopped()
{
    StatusCommon::onOwnThread(this, [this] {
        showFrequencyTimer.stop();
        le->setText(" - ");
    });
}

FreqStatusBar::~FreqStatusBar()
{
    about_to_exit();
}

void FreqStatusBar::about_to_exit()
{
    showFrequencyTimer.stop();
    if (m_registered)
        iom->unregister_request_mea(this);
    m_registered = false;
}

void FreqStatusBar::update_status(const char* status)
{
    if (!isVisible())
        return;
    bIsWaiting = std::strcmp(status, "wait") == 0;
    if (bIsWaiting)
        le->setText(tr("waiting..."));
    updateBackGround();
}

void FreqStatusBar::showFrequency()
{
    if (bIsWaiting || !bVersion_0_17_ok || !m_registered || iom->isCmdPending())
        return;
    double frequency = -1;
    if (!StatusReadings::readOutputFrequency(iom, &frequency)) {
        le->setText(" - ");
        return;
    }
    le->setText(tr("%1 Hz").arg(StatusReadings::wholeHertz(frequency)));
}

QString FreqStatusBar::backgroundFor(int readResult, int framesLost)
{
    if (readResult != 0 || framesLost >= 4)
        return "QLineEdit { background-color: red; }";
    if (framesLost == 3)
        return "QLineEdit { background-color: orange; }";
    if (framesLost == 2)
        return "QLineEdit { background-color: khaki; }";
    return QString();
}

void FreqStatusBar::updateBackGround()
{
    if (!bVersion_1_8_ok) {
        le->setStyleSheet(QString());
        return;
    }
    int lost = 0;
    const int result = StatusReadings::readFramesLost(iom, &lost);
    le->setStyleSheet(backgroundFor(result, lost));
}
