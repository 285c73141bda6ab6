#include "AppStatusBar.h"

#include "IOManager.h"
#include "StatusReadings.h"

#include <QLabel>

AppStatusBar::AppStatusBar(IOManager* iom, QWidget* parent) : QStatusBar(parent), iom(iom)
{
    setStyleSheet("QStatusBar::item { border: 0px solid black }; ");
    msg = new QLabel(this);
    msg->setTextFormat(Qt::PlainText);
    trackbox = new QLabel(this);
    trackbox->setTextFormat(Qt::PlainText);
    addPermanentWidget(msg, 1);
    addPermanentWidget(trackbox, 0);
    connect(this, &QStatusBar::messageChanged, this, &AppStatusBar::newMessage);
    update_status();
}

QString AppStatusBar::messageText() const
{
    return msg->text();
}

QString AppStatusBar::trackboxText() const
{
    return trackbox->text();
}

void AppStatusBar::newMessage(const QString& message)
{
    msg->setText(message);
}

void AppStatusBar::update_status()
{
    QString description;
    QString hostname;
    StatusReadings::readConfiguration(iom, &description, &hostname);
    trackbox->setText(tr("Configuration '%1' on Controller '%2'").arg(description, hostname));
}
