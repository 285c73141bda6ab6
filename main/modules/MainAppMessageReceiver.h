#ifndef MAINAPPMESSAGERECEIVER_H
#define MAINAPPMESSAGERECEIVER_H

#include <QObject>
#include <QString>

#include "MessageReceiver.h"

class IOManager;

// The main window's end of the message bus: registered under "GlobalEvent"
// and "Main_Window", it turns the messages it knows into signals.  Messages
// arrive on the sender's thread; the signals' automatic connections bring
// them to the window's thread.
class MainAppMessageReceiver : public QObject, public MessageReceiver
{
    Q_OBJECT

public:
    static constexpr const char* GlobalEventClass = "GlobalEvent";
    static constexpr const char* MainWindowClass = "Main_Window";

    MainAppMessageReceiver(QObject* parent, IOManager* channel);
    ~MainAppMessageReceiver() override;

    // Registers under both classes; unregister() is also run by the destructor.
    void registerClasses();
    void unregisterClasses();

    // Always 0: unknown senders and texts are ignored.
    int transmit_message(int type, const char* sender, const char* text) override;

signals:
    void receiveInertialChanged(QString text);
    void receiveConfigurationChanged(QString text);
    void receiveMainWindowTitleChanged();
    void receiveAppReadyToShutdown();
    void receiveMonitor2dWindowChanged();
    void receiveMonitor2dTabChanged(QString text);
    void receiveMonitor2dMostActiveChanged(QString text);
    void receiveOpenBodyCalDialog(QString text);
    void receiveOpenBodyAdjustmentDialog(QString text);
    void receiveOpenHybridBodyCalDialog(QString text);
    void receiveCloseHybridBodyCalDialog();
    void receiveCloseBodyCalDialog();
    void receiveCloseBodyAdjustmentDialog();
    void receiveSetOnlyDisplay(bool onlyDisplay);

private:
    void dispatch(int type, const QString& sender, const QString& text);

    IOManager* m_channel;
    bool m_registered = false;
};

#endif
