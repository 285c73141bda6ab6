#ifndef ORVANE_MAINWINDOW_H
#define ORVANE_MAINWINDOW_H

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QList>
#include <QMainWindow>
#include <QString>

#include "CommandLine.h"
#include "MessageBoxProvider.h"
#include "Preferences.h"

class AboutDlg2g;
class AccessControlDialog;
class AppStatusBar;
class BackendVersions;
class CamStatusBar;
class ConnectionMonitor;
class EventDisplay;
class FreqStatusBar;
class IOManagerUdpTcp;
class IpDialog;
class MainAppMessageReceiver;
class MainMenus;
class MessageBusRelay;
class ModuleHost;
class ModuleInterface;
class MeasurementControl;
class QAction;
class QCloseEvent;
class QDockWidget;
class QMenu;
class QTextEdit;
class QTimer;
class QToolBar;
class RadioStatusBar;
class ServiceDialog;
class StartupConnection;
class TrackingStatusBar;
class WindowLayout;

// The application's one top-level window and the owner of the connection to
// the controller. Its constructor runs the whole start-up; the work of each
// step lives in a class of its own, the window only calls them in order.
class MainWindow : public QMainWindow, public MessageBoxProvider
{
    Q_OBJECT

public:
    // Called where the start-up decides that the process must end (help shown,
    // no controller reached). The program exits; a test program installs its
    // own handler, after which the constructor returns early instead.
    using ProcessEndHandler = void (*)(int exitCode);
    static void setProcessEndHandler(ProcessEndHandler handler);

    MainWindow(QString args, QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~MainWindow() override;

    // True once the start-up asked for the process to end.
    bool isEndingProcess() const { return m_bEndingProcess; }
    int endingExitCode() const { return m_endingExitCode; }
    // An exit asked for while the start-up still ran (the controller lost
    // behind one of its boxes): the entry point's loop was not running to
    // take it, so the entry point asks here. -1 while there is none.
    int pendingExitCode() const { return m_pendingExitCode; }

    // Message boxes requested from any thread open on the GUI thread.
    void openMessageBox(int kind, QString title, QString text) override;
    // Boxes the dialogs ask while the window is the installed provider.
    int askMessageBox(QWidget* parent, int kind, const QString& title, const QString& text,
                      int buttons, int defaultButton) override;

    IOManagerUdpTcp* channel() const { return iom; }
    const BackendVersions* backendVersions() const { return bv; }
    MainMenus* menus() const { return m_menus; }

    // The loaded modules, in load order, and whether one has exactly this name.
    const QList<ModuleInterface*>& modules() const;
    bool is_module_available(QString name) const;

signals:
    void sendOpenMessageBox(int kind, QString title, QString text);
    // Once the modules are loaded and informed.
    void sendLastFeUpdateDate(QDateTime date);
    void sendVersionFeAndModules(QString text);

public slots:
    void displayMessageBox(int kind, QString title, QString text);

    void toggleMeasurement();
    void update_status();
    void testReconnectPossible();
    void onSystemShutdown();
    void apply_zec_reboot();

    // Refreshes the status bar, the controller's host name and address.
    void onReceiveConfigurationChanged();
    // Everything a shutdown needs before the last command; runs once.
    void onReceiveAppReadyToShutdown();
    void setMainWindowTitle();
    // Filled by the hardware search and the window layout.
    void apply_search_hardware();
    void apply_default_layout();
    // Monitor mode: only the "&View" menu stays usable.
    void setOnlyDisplay(bool onlyDisplay);

    void saveLayout();
    void loadLayout(bool useDefault);

protected:
    void closeEvent(QCloseEvent* event) override;
    // The docks and tool bars of the window, docks by their order number.
    QMenu* createPopupMenu() override;

    // --- Plug-in host, message bus and window layout, in start-up order.
    // (Not virtual: the constructor calls them.)
    // Loads the modules and hands their list to the about dialog.
    void loadPlugins();
    // Created on first use while the menus are populated.
    WindowLayout* windowLayout();
    // The start-up messages to the modules.
    void sendMessagesToModules();
    // The message bus endpoint.
    void initMessageReceiver();
    // Announces the body calibration modules.
    void announceBodyCalibrationModules();
    // The theme palette, also used by the connection dialog.
    void loadDarkFusionPalette(bool dark);
    // The inertial sensor tool bar, once the modules are known.
    void showInertialToolbarIfSensorExist();
    // Shutdown preparation: the window layout, then every module.
    void aboutToExitModules();
    // Destructor: the message bus endpoint, then every module.
    void unregisterMessageReceiver();
    void exitModules();

    // The start-up steps, in the order the constructor runs them.
    void connectMessageBoxProvider();
    void parseCmdParameters(const QString& args);
    void showCommandLineHelp();
    bool connectToController();
    void initIoWorkSpace();
    void executeExternalCommands();
    void fillBackendVersions();
    void setupMenuBar();
    void setupHelpDialogs();
    void setupToolBars();
    void get_last_trackbox_mac();
    void startStatusHeartbeat();
    void populate_menu();
    void checkForOldFrontend();
    void startMeasurement();

    void handleStatusActiveError();
    bool deferWhileChannelBusy(void (MainWindow::*slot)());
    void doShutdownAndCleanup(const QString& command);
    void endProcess(int exitCode);

    // The widgets and objects of the window, in the order they are made.
    QToolBar* toolbar = nullptr;
    CamStatusBar* quick_status_tb = nullptr;
    TrackingStatusBar* tracking_status_tb = nullptr;
    FreqStatusBar* freq_status_tb = nullptr;
    RadioStatusBar* radio_status_tb = nullptr;
    AppStatusBar* app_status_bar = nullptr;
    EventDisplay* eventWidget = nullptr;
    QDockWidget* eventDock = nullptr;
    AccessControlDialog* accesscontrolDlg = nullptr;
    ServiceDialog* serviceDlg = nullptr;
    AboutDlg2g* aboutDlg = nullptr;
    IOManagerUdpTcp* iom = nullptr;
    IpDialog* ipDialog = nullptr;
    QString sTmp;
    unsigned short display_port = 0;
    QAction* toggle_mea_action = nullptr;
    QTimer* update_status_timer = nullptr;
    QTextEdit* center = nullptr;
    bool m_bStart = false;
    bool m_bObserverMode = false;
    BackendVersions* bv = nullptr;
    QString m_sVersionFeAndModules;
    QMenu* orvane3_menu = nullptr;
    QMenu* settings_menu = nullptr;
    QMenu* calibration_menu = nullptr;
    QMenu* display_menu = nullptr;
    QMenu* about_menu = nullptr;

    // The per-user settings and this start's options.
    Preferences m_prefs;
    CommandLine m_cmdLine;

    StartupConnection* m_startup = nullptr;
    ConnectionMonitor* m_monitor = nullptr;
    MainMenus* m_menus = nullptr;
    MeasurementControl* m_measurement = nullptr;

    QDir pluginsDir;
    ModuleHost* m_moduleHost = nullptr;
    MainAppMessageReceiver* messageReceiver = nullptr;
    MessageBusRelay* m_busRelay = nullptr;
    QToolBar* m_toolbarinertial = nullptr;
    WindowLayout* m_layout = nullptr;

    bool m_bPreparedShutdown = false;
    bool m_bEndingProcess = false;
    int m_endingExitCode = 0;
    int m_pendingExitCode = -1;
};

#endif
