#include "AppStatusBar.h"

#include "IOManager.h"

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
    char hostname[IOManager::MaxTextLength + 1] = {};
    char description[IOManager::MaxTextLength + 1] = {};
    if (iom->get_par(hostname, "system hostname") != 0)
        hostname[0] = '\0';
    if (iom->get_par(description, "config desc") != 0)
        description[0] = '\0';
    trackbox->setText(
        tr("Configuration '%1' on Controller '%2'")
            .arg(QString::fromUtf8(description).remove('"'), QString::fromUtf8(hostname)));
}
