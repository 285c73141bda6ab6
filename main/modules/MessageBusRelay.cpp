#include "MessageBusRelay.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>

#include "BackendVersions.h"
#include "IOManager.h"
#include "MainAppMessageReceiver.h"

MessageBusRelay::MessageBusRelay(IOManager* channel, QObject* parent)
    : QObject(parent), m_channel(channel)
{
}

void MessageBusRelay::connectReceiver(MainAppMessageReceiver* r)
{
    using R = MainAppMessageReceiver;
    using M = MessageBusRelay;
    connect(r, &R::receiveMonitor2dTabChanged, this, &M::onReceiveMonitor2dTabChanged);
    connect(r, &R::receiveMonitor2dMostActiveChanged, this,
            &M::onReceiveMonitor2dMostActiveChanged);
    connect(r, &R::receiveOpenBodyCalDialog, this, &M::onReceiveOpenBodyCalDialog);
    connect(r, &R::receiveOpenBodyAdjustmentDialog, this, &M::onReceiveOpenBodyAdjustmentDialog);
    connect(r, &R::receiveCloseBodyCalDialog, this, &M::onReceiveCloseBodyCalDialog);
    connect(r, &R::receiveCloseBodyAdjustmentDialog, this, &M::onReceiveCloseBodyAdjustmentDialog);
    connect(r, &R::receiveOpenHybridBodyCalDialog, this,
            &M::onReceiveOpenHybridBodyCalibrationDialog);
    connect(r, &R::receiveCloseHybridBodyCalDialog, this,
            &M::onReceiveCloseHybridBodyCalibrationDialog);
    connect(r, &R::receiveInertialChanged, this, &M::onReceiveInertialChanged);
}

void MessageBusRelay::relay(const char* destination, const QString& text)
{
    if (!m_channel)
        return;
    const QByteArray bytes = text.toUtf8();
    m_channel->transmit_message(destination, RelaySender, 1, bytes.constData());
}

void MessageBusRelay::onReceiveMonitor2dTabChanged(QString text)
{
    relay("RoomCalModule", text);
}

void MessageBusRelay::onReceiveMonitor2dMostActiveChanged(QString text)
{
    relay("RoomCalModule", text);
}

void MessageBusRelay::onReceiveOpenBodyCalDialog(QString text)
{
    relay("BodyCalModule", text);
}

void MessageBusRelay::onReceiveOpenBodyAdjustmentDialog(QString text)
{
    relay("BodyAdjustmentModule", text);
}

void MessageBusRelay::onReceiveCloseBodyCalDialog()
{
    relay("BodyAdministrationModule", CloseDialogText);
}

void MessageBusRelay::onReceiveCloseBodyAdjustmentDialog()
{
    relay("BodyAdministrationModule", CloseDialogText);
}

void MessageBusRelay::onReceiveOpenHybridBodyCalibrationDialog(QString text)
{
    relay("HybridBodyCalibration", text);
}

void MessageBusRelay::onReceiveCloseHybridBodyCalibrationDialog()
{
    relay("HybridBodyCalibration", CloseDialogText);
}

void MessageBusRelay::onReceiveInertialChanged(QString text)
{
    if (!m_inertialToolBar)
        return;
    m_inertialToolBar->setVisible(text.startsWith("ShowInertialToolbar"));
}

void MessageBusRelay::showInertialToolbarIfSensorExist(const BackendVersions& versions)
{
    const bool knowsSensors = versions.protocol().supports(ProtocolFeature::InertialSensors);
    int sensors = 0;
    const bool found = knowsSensors && m_channel &&
                       m_channel->get_par_i(&sensors, "inertial number_of_sensors") == 0 &&
                       sensors > 0;
    onReceiveInertialChanged(found ? "ShowInertialToolbar" : "HideInertialToolbar");
}

void MessageBusRelay::setOnlyDisplay(const QList<QMenu*>& menus, const QMenu* viewMenu,
                                     QAction* measurementAction, bool onlyDisplay)
{
    for (QMenu* menu : menus) {
        if (menu && menu != viewMenu)
            menu->setEnabled(!onlyDisplay);
    }
    if (measurementAction)
        measurementAction->setEnabled(!onlyDisplay);
}
