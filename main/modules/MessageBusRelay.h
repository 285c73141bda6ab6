#ifndef MESSAGEBUSRELAY_H
#define MESSAGEBUSRELAY_H

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class BackendVersions;
class IOManager;
class MainAppMessageReceiver;
class QAction;
class QMenu;
#include <QToolBar>

// Passes requests that one module sends to the main window on to the module
// they are meant for, and shows or hides the inertial sensor tool bar.
class MessageBusRelay : public QObject
{
    Q_OBJECT

public:
    static constexpr const char* RelaySender = "Orvane2";
    static constexpr const char* CloseDialogText = "close dialog";

    MessageBusRelay(IOManager* channel, QObject* parent = nullptr);

    // Connects the receiver's relay signals to the slots below.
    void connectReceiver(MainAppMessageReceiver* receiver);
    void setInertialToolBar(QToolBar* toolBar) { m_inertialToolBar = toolBar; }
    // At start-up: the tool bar shows when the controller (1.12 and later)
    // reports at least one inertial sensor.
    void showInertialToolbarIfSensorExist(const BackendVersions& versions);

    // Monitor mode: every menu but viewMenu and the measurement action are
    // disabled while onlyDisplay is set. The menu is told by object, as its
    // title is translated.
    static void setOnlyDisplay(const QList<QMenu*>& menus, const QMenu* viewMenu,
                               QAction* measurementAction, bool onlyDisplay);

public slots:
    void onReceiveMonitor2dTabChanged(QString text);
    void onReceiveMonitor2dMostActiveChanged(QString text);
    void onReceiveOpenBodyCalDialog(QString text);
    void onReceiveOpenBodyAdjustmentDialog(QString text);
    void onReceiveCloseBodyCalDialog();
    void onReceiveCloseBodyAdjustmentDialog();
    void onReceiveOpenHybridBodyCalibrationDialog(QString text);
    void onReceiveCloseHybridBodyCalibrationDialog();
    void onReceiveInertialChanged(QString text);

private:
    void relay(const char* destination, const QString& text);

    IOManager* m_channel;
    QPointer<QToolBar> m_inertialToolBar;
};

#endif
