#include "MainAppMessageReceiver.h"

#include "IOManager.h"

MainAppMessageReceiver::MainAppMessageReceiver(QObject* parent, IOManager* channel)
    : QObject(parent), m_channel(channel)
{
}

MainAppMessageReceiver::~MainAppMessageReceiver()
{
    unregisterClasses();
}

void MainAppMessageReceiver::registerClasses()
{
    if (m_registered || !m_channel)
        return;
    m_channel->register_message_receiver(GlobalEventClass, this);
    m_channel->register_message_receiver(MainWindowClass, this);
    m_registered = true;
}

void MainAppMessageReceiver::unregisterClasses()
{
    if (!m_registered)
        return;
    m_channel->unregister_message_receiver(GlobalEventClass, this);
    m_channel->unregister_message_receiver(MainWindowClass, this);
    m_registered = false;
}

int MainAppMessageReceiver::transmit_message(int type, const char* sender, const char* text)
{
    if (sender && text)
        dispatch(type, QString::fromUtf8(sender), QString::fromUtf8(text));
    return 0;
}

void MainAppMessageReceiver::dispatch(int type, const QString& sender, const QString& text)
{
    // The first row whose sender matches decides, even when its text does not.
    if (sender == "ControllerSettingsModule" || sender == "ConfigurationModule") {
        if (text == "ActiveConfigurationChanged")
            emit receiveConfigurationChanged(text);
    } else if (sender == "CascadedSystemModule") {
        if (text == "CascadedSettingsChanged")
            emit receiveMainWindowTitleChanged();
    } else if (sender == "ZecUpateModule") {
        if (text == "AppReadyToShutdown")
            emit receiveAppReadyToShutdown();
    } else if (sender == "Monitor2dModule") {
        if (text == "Monitor2dWindowChanged")
            emit receiveMonitor2dWindowChanged();
        else if (text.startsWith("Monitor2dTabChanged"))
            emit receiveMonitor2dTabChanged(text);
        else if (text.startsWith("Monitor2dMostActive"))
            emit receiveMonitor2dMostActiveChanged(text);
    } else if (sender == "BodyAdministrationModule") {
        if (text.startsWith("OpenBodyCalDialog"))
            emit receiveOpenBodyCalDialog(text);
        else if (text.startsWith("OpenBodyAdjustmentDialog"))
            emit receiveOpenBodyAdjustmentDialog(text);
    } else if (sender == "HybridBodyCalibration") {
        if (text.startsWith("OpenHybridBodyCalibration"))
            emit receiveOpenHybridBodyCalDialog(text);
        else if (text == "close dialog")
            emit receiveCloseHybridBodyCalDialog();
    } else if (sender == "BodyCalModule") {
        if (text == "close dialog")
            emit receiveCloseBodyCalDialog();
    } else if (sender == "BodyAdjustmentModule") {
        if (text == "close dialog")
            emit receiveCloseBodyAdjustmentDialog();
    } else if (sender == "Orvane2MonitorModeMaster") {
        emit receiveSetOnlyDisplay(type != 0);
    } else if (sender == "InertialTrackingModule") {
        if (text == "ShowInertialToolbar" || text == "HideInertialToolbar")
            emit receiveInertialChanged(text);
    }
}
