#ifndef ORVANE_MEASUREMENTCONTROL_H
#define ORVANE_MEASUREMENTCONTROL_H

#include <QCoreApplication>
#include <QString>

class BackendVersions;
class IOManager;
class MainMenus;
class QAction;
class QMainWindow;

// Starting and stopping measurement, and the measurement action that follows
// the controller's state ("mea", "wait", "none", "err") as the heartbeat
// reports it.
class MeasurementControl
{
    Q_DECLARE_TR_FUNCTIONS(MeasurementControl)

public:
    MeasurementControl(IOManager* iom, const BackendVersions* bv, QMainWindow* window,
                       MainMenus* menus);

    void setAction(QAction* toggleMeaAction) { m_action = toggleMeaAction; }

    // Starts when the controller is idle, else stops. Returns true when the
    // caller should refresh the state at once (false after a failure that
    // the user has been told of).
    bool toggleMeasurement();
    // For "-measure": starts unless the controller already measures; returns
    // as toggleMeasurement() does (false when nothing was done).
    bool startMeasurement();
    // One heartbeat's state.
    void followState(const QString& state);

    // The start and stop themselves, free of the window, for callers without
    // one. A start runs only when the state is idle ("none" or "err").
    enum class StartOutcome
    {
        Started,
        NotAvailable,   // "tracking available" is not "yes"
        CommandFailed,  // "orvane2 tracking start" failed or was refused
        StateUnknown,   // the state could not be read afterwards
        StillIdle       // the controller took the command but does not measure
    };
    // stateAfter receives the state read after the command, when it could be read.
    static StartOutcome startOn(IOManager* iom, const BackendVersions& bv,
                                QString* stateAfter = nullptr);
    // True on the answer "orvane2 ok".
    static bool stopOn(IOManager* iom);
    static bool readStateOf(IOManager* iom, QString* state);
    static bool isIdleState(const QString& state);

private:
    bool readState(QString* state);
    bool start();
    bool stop();
    void reportStartFailure(bool toEvents);
    void showStatus(const QString& text, int ms);
    bool actionIsStop() const;
    bool actionIsStart() const;

    IOManager* m_iom;
    const BackendVersions* m_bv;
    QMainWindow* m_window;
    MainMenus* m_menus;
    QAction* m_action = nullptr;
    bool m_bWaitAnnounced = false;
};

#endif
