#include "mainwindow.h"

#include "AboutDlg2g.h"
#include "AccessControl.h"
#include "AccessControlDialog.h"
#include "AppStatusBar.h"
#include "BackendVersions.h"
#include "CamStatusBar.h"
#include "CommandFile.h"
#include "ConnectionMonitor.h"
#include "ControllerSetup.h"
#include "EventDisplay.h"
#include "FreqStatusBar.h"
#include "HelpCommandLine.h"
#include "HelpMenuEntries.h"
#include "IOManagerUdpTcp.h"
#include "IpDialog.h"
#include "MainAppMessageReceiver.h"
#include "MainMenus.h"
#include "MeasurementControl.h"
#include "MessageBoxes.h"
#include "MessageBusRelay.h"
#include "ModuleHost.h"
#include "RadioStatusBar.h"
#include "SearchHardwareDlg.h"
#include "ServiceDialog.h"
#include "StartupConnection.h"
#include "ToolButton.h"
#include "TrackingStatusBar.h"
#include "WindowLayout.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDockWidget>
#include <QIcon>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <QToolBar>

#include <cstdlib>

// Declared at global scope because Q_INIT_RESOURCE must not run inside a namespace.
static void initShellResources()
{
    Q_INIT_RESOURCE(orvane_shell);
}

namespace {

void exitProcess(int exitCode)
{
    std::exit(exitCode);
}

MainWindow::ProcessEndHandler g_processEndHandler = &exitProcess;

}  // namespace

void MainWindow::setProcessEndHandler(ProcessEndHandler handler)
{
    g_processEndHandler = handler ? handler : &exitProcess;
}

MainWindow::MainWindow(QString args, QWidget* parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
{
    setObjectName("MainWindow");
    connectMessageBoxProvider();
    initShellResources();
    setWindowIcon(QIcon(":/images/icons/orvane_16x16.png"));
    m_prefs.setWarningParent(this);
    m_prefs.loadXMLSettings();

    parseCmdParameters(args);
    if (m_bEndingProcess)
        return;
    if (!connectToController())
        return;
    iom->set_external_cmd_timeout(m_prefs.external_cmd_timeout);
    fillBackendVersions();
    setupMenuBar();
    loadPlugins();
    m_menus->connectAboutToShow();
    get_last_trackbox_mac();
    startStatusHeartbeat();
    populate_menu();
    sendMessagesToModules();
    m_bStart = true;
    initMessageReceiver();
    checkForOldFrontend();
    // The controller was lost while the version notice was open.
    if (m_pendingExitCode >= 0)
        return;
    announceBodyCalibrationModules();
    if (m_cmdLine.m_bStartMea)
        QTimer::singleShot(100, this, &MainWindow::startMeasurement);
    loadDarkFusionPalette(m_prefs.m_bIsDarkTheme);
    showInertialToolbarIfSensorExist();
}

// Unregister everything that the channel could still call, then the modules,
// then the channel itself, which ends its data thread first.
MainWindow::~MainWindow()
{
    MessageBoxes::uninstall(this);
    // The probe socket first, with the reconnect countdown it belongs to.
    delete m_monitor;
    m_monitor = nullptr;
    if (update_status_timer)
        update_status_timer->stop();
    if (iom && eventWidget)
        iom->unregister_message_receiver("standard", eventWidget);
    if (iom) {
        if (quick_status_tb)
            quick_status_tb->about_to_exit();
        if (tracking_status_tb)
            tracking_status_tb->about_to_exit();
        if (freq_status_tb)
            freq_status_tb->about_to_exit();
        if (radio_status_tb)
            radio_status_tb->about_to_exit();
    }
    unregisterMessageReceiver();
    exitModules();
    delete m_measurement;
    delete m_startup;
    if (eventWidget)
        eventWidget->stop_polling();
    delete iom;
    iom = nullptr;
    delete bv;
}

void MainWindow::connectMessageBoxProvider()
{
    // A test that installed its own provider first keeps answering the boxes.
    MessageBoxes::installUnlessInstalled(this);
    connect(this, &MainWindow::sendOpenMessageBox, this, &MainWindow::displayMessageBox,
            Qt::QueuedConnection);
}

void MainWindow::parseCmdParameters(const QString& args)
{
    m_cmdLine.m_sDirectStart_hostname = m_prefs.lastController.hostname;
    if (m_cmdLine.parseCmdParameters(args))
        showCommandLineHelp();
}

void MainWindow::showCommandLineHelp()
{
    HelpCommandLine help(this);
    help.exec();
    // Asking for help never connects and never touches the preferences.
    endProcess(0);
}

bool MainWindow::connectToController()
{
    m_startup = new StartupConnection(m_prefs, m_cmdLine, this, this);
    m_startup->setPaletteHook([this](bool dark) { loadDarkFusionPalette(dark); });
    const bool connected = m_startup->connect();
    ipDialog = m_startup->dialog();
    if (!connected) {
        endProcess(0);
        return false;
    }
    iom = m_startup->takeChannel();
    display_port = m_startup->displayPort();
    initIoWorkSpace();
    if (m_startup->connectedThroughDialog())
        executeExternalCommands();
    return true;
}

void MainWindow::initIoWorkSpace()
{
    ControllerSetup setup(iom);
    setup.initController();
    eventWidget = new EventDisplay(iom, m_prefs.m_sEventLogDir, m_prefs.lastController.hostname);
    iom->register_message_receiver("standard", eventWidget);
    app_status_bar = new AppStatusBar(iom, this);
    setStatusBar(app_status_bar);
    setup.setupMonitorOutput(display_port);
    statusBar()->showMessage(tr("Initialization complete."), 2000);
}

void MainWindow::executeExternalCommands()
{
    CommandFile::executeExternalCommands(iom, m_prefs.m_appPath);
}

void MainWindow::fillBackendVersions()
{
    bv = new BackendVersions();
    ControllerSetup(iom).fillBackendVersions(bv, &m_prefs.lastController.model);
}

void MainWindow::setupMenuBar()
{
    m_menus = new MainMenus(this);
    eventDock = new QDockWidget(tr("Event Display"), this);
    eventDock->setObjectName("DisplayEvent");
    eventDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                           QDockWidget::DockWidgetFloatable);
    eventDock->setWidget(eventWidget);
    addDockWidget(Qt::RightDockWidgetArea, eventDock);
    eventDock->hide();

    const bool withPassword = bv->protocol().supports(ProtocolFeature::FrontendPassword);
    if (withPassword)
        accesscontrolDlg = new AccessControlDialog(iom, this);
    m_menus->setupMenuBar(*bv, eventDock->toggleViewAction(), withPassword);
    orvane3_menu = m_menus->orvane3Menu();
    settings_menu = m_menus->settingsMenu();
    calibration_menu = m_menus->calibrationMenu();
    display_menu = m_menus->displayMenu();
    about_menu = m_menus->aboutMenu();
    toggle_mea_action = m_menus->toggleMeasurementAction();

    connect(m_menus, &MainMenus::measurementToggleRequested, this, &MainWindow::toggleMeasurement);
    connect(m_menus, &MainMenus::shutdownRequested, this, &MainWindow::onSystemShutdown);
    connect(m_menus, &MainMenus::rebootRequested, this, &MainWindow::apply_zec_reboot);
    connect(m_menus, &MainMenus::quitRequested, this, &QWidget::close);
    connect(m_menus, &MainMenus::passwordRequested, this, [this] {
        if (accesscontrolDlg)
            accesscontrolDlg->update_and_exec();
    });
    connect(m_menus, &MainMenus::hardwareSearchRequested, this, &MainWindow::apply_search_hardware);
    connect(m_menus, &MainMenus::defaultLayoutRequested, this, &MainWindow::apply_default_layout);

    setupHelpDialogs();

    m_measurement = new MeasurementControl(iom, bv, this, m_menus);
    m_measurement->setAction(toggle_mea_action);
    setupToolBars();
}

void MainWindow::setupHelpDialogs()
{
    serviceDlg = new ServiceDialog(iom, this, bv);
    connect(this, &MainWindow::sendLastFeUpdateDate, serviceDlg,
            &ServiceDialog::setLastFeUpdateDate);
    connect(this, &MainWindow::sendVersionFeAndModules, serviceDlg,
            &ServiceDialog::setVersionFeAndModules);
    aboutDlg = new AboutDlg2g(iom, this, bv, m_prefs.m_bIsDarkTheme);

    auto* help = new HelpMenuEntries(m_menus, about_menu, this);
    connect(help, &HelpMenuEntries::serviceRequested, this,
            [this] { serviceDlg->update_and_exec(); });
    // The module list is complete only once the modules are loaded, after the menus.
    connect(help, &HelpMenuEntries::aboutRequested, this, [this] {
        aboutDlg->setModules(modules());
        aboutDlg->update_and_exec();
    });
}

void MainWindow::setupToolBars()
{
    toolbar = new QToolBar(tr("Start / Stop"), this);
    toolbar->setObjectName("MainToolBar");
    toolbar->setMinimumSize(80, 27);
    toolbar->addWidget(new ToolButton(toggle_mea_action, toolbar));
    addToolBar(toolbar);

    quick_status_tb = new CamStatusBar(iom, this);
    quick_status_tb->setObjectName("QuickStatusToolBar");
    freq_status_tb = new FreqStatusBar(iom, this, *bv);
    freq_status_tb->setObjectName("FrequencyStatusToolBar");
    tracking_status_tb = new TrackingStatusBar(iom, this);
    tracking_status_tb->setObjectName("TrackingStatusToolBar");
    radio_status_tb = new RadioStatusBar(iom, this, *bv);
    radio_status_tb->setObjectName("RadioStatusToolBar");
    for (QToolBar* bar :
         {static_cast<QToolBar*>(quick_status_tb), static_cast<QToolBar*>(freq_status_tb),
          static_cast<QToolBar*>(tracking_status_tb), static_cast<QToolBar*>(radio_status_tb)}) {
        bar->setMinimumHeight(25);
        addToolBar(bar);
    }
}

void MainWindow::get_last_trackbox_mac()
{
    if (bv->protocol().supports(ProtocolFeature::MacAddress))
        m_prefs.lastController.mac = ControllerSetup(iom).readMacAddress(*bv);
}

void MainWindow::startStatusHeartbeat()
{
    m_monitor = new ConnectionMonitor(iom, this);
    update_status_timer = new QTimer(this);
    update_status_timer->setInterval(200);
    connect(update_status_timer, &QTimer::timeout, this, &MainWindow::update_status);
    update_status_timer->start();
}

void MainWindow::populate_menu()
{
    m_menus->populate(menuBar());
    // The docks carry all content; the central widget only has to exist.
    center = new QTextEdit(this);
    center->setObjectName("center");
    center->setFixedSize(1, 1);
    center->hide();
    setCentralWidget(center);
    // The size of the default arrangement, until a stored layout says otherwise.
    resize(1000, 600);
    loadLayout(false);
    char state[IOManager::MaxTextLength + 1] = {};
    const bool measuring = iom->get_par(state, "status active") == 0 && qstrcmp(state, "mea") == 0;
    m_menus->setMeaInactiveEnabled(!measuring);
    setMainWindowTitle();
}

void MainWindow::setMainWindowTitle()
{
    if (!iom || deferWhileChannelBusy(&MainWindow::setMainWindowTitle))
        return;
    setWindowTitle(ControllerSetup(iom).windowTitle(*bv));
}

void MainWindow::checkForOldFrontend()
{
    if (m_prefs.m_bCheckForOldFrontendOrBackend)
        ControllerSetup(iom).checkForOldFrontend(*bv, this);
}

// A command issued while the channel is reserved on this thread (an
// asynchronous command processing events) would wait for itself; such a
// request is taken up again once the channel is free.
bool MainWindow::deferWhileChannelBusy(void (MainWindow::*slot)())
{
    if (!iom || !iom->isCmdPending())
        return false;
    QTimer::singleShot(50, this, slot);
    return true;
}

void MainWindow::startMeasurement()
{
    if (deferWhileChannelBusy(&MainWindow::startMeasurement))
        return;
    if (m_measurement->startMeasurement())
        update_status();
}

void MainWindow::toggleMeasurement()
{
    if (deferWhileChannelBusy(&MainWindow::toggleMeasurement))
        return;
    if (m_measurement->toggleMeasurement())
        update_status();
}

void MainWindow::update_status()
{
    if (!iom || iom->isCmdPending())
        return;
    QString state;
    const ConnectionMonitor::Beat beat = m_monitor->readStatus(&state);
    if (beat == ConnectionMonitor::Lost) {
        handleStatusActiveError();
        return;
    }
    if (beat != ConnectionMonitor::Read)
        return;
    const QByteArray status = state.toUtf8();
    quick_status_tb->update_status(status.constData());
    tracking_status_tb->update_status(status.constData());
    freq_status_tb->update_status(status.constData());
    m_measurement->followState(state);
}

void MainWindow::handleStatusActiveError()
{
    onReceiveAppReadyToShutdown();
    const bool offerReconnect = bv->protocol().supports(ProtocolFeature::ReconnectOffer);
    const int code = m_monitor->runLostConnectionBox(offerReconnect, ipDialog->get_ip_str(0));
    // During the start-up this ends only the loop of the box that was open;
    // the entry point then finds the code here.
    m_pendingExitCode = code;
    QCoreApplication::exit(code);
}

void MainWindow::testReconnectPossible()
{
    m_monitor->testReconnectPossible();
}

void MainWindow::onReceiveConfigurationChanged()
{
    if (!iom || deferWhileChannelBusy(&MainWindow::onReceiveConfigurationChanged))
        return;
    if (app_status_bar)
        app_status_bar->update_status();
    ControllerSetup(iom).readHostAndAddress(&m_prefs.lastController.hostname,
                                            &m_prefs.lastController.ip);
}

void MainWindow::onReceiveAppReadyToShutdown()
{
    if (m_bPreparedShutdown)
        return;
    m_bPreparedShutdown = true;
    m_prefs.m_bIsCascade = ControllerSetup(iom).readCascade(*bv, m_prefs.m_bIsCascade);
    m_prefs.writeXMLSettings();
    saveLayout();
    if (eventWidget)
        eventWidget->stop_polling();
    m_menus->forgetMeaInactiveActions();
    update_status_timer->stop();
    quick_status_tb->about_to_exit();
    tracking_status_tb->about_to_exit();
    freq_status_tb->about_to_exit();
    radio_status_tb->about_to_exit();
    aboutToExitModules();
}

void MainWindow::doShutdownAndCleanup(const QString& command)
{
    if (!m_bPreparedShutdown)
        onReceiveConfigurationChanged();
    onReceiveAppReadyToShutdown();
    if (command.isEmpty())
        return;
    char answer[IOManager::MaxTextLength + 1] = {};
    const QByteArray cmd = command.toUtf8();
    iom->execute_cmd(answer, "%s", cmd.constData());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A module's shutdown notice does not answer the question about a running
    // measurement; only the user can.
    if (!iom) {
        event->accept();
        return;
    }
    if (iom->isCmdPending()) {
        // Asked again once the running command has its answer.
        event->ignore();
        QTimer::singleShot(50, this, &QWidget::close);
        return;
    }
    QString command;
    char state[IOManager::MaxTextLength + 1] = {};
    if (iom->get_par(state, "status active") == 0 && qstrcmp(state, "mea") == 0 &&
        MessageBoxes::question(this, tr("Quit ORVANE3"),
                               tr("Measurement is active. Stop measurement? "),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
        command = "orvane2 tracking stop";
    doShutdownAndCleanup(command);
    event->accept();
}

void MainWindow::onSystemShutdown()
{
    if (deferWhileChannelBusy(&MainWindow::onSystemShutdown))
        return;
    if (MessageBoxes::question(this, tr("ORVANE3"), tr("Shut down the Controller?"),
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) != QMessageBox::Yes)
        return;
    doShutdownAndCleanup("orvane2 system shutdown");
    QCoreApplication::quit();
}

void MainWindow::apply_zec_reboot()
{
    if (deferWhileChannelBusy(&MainWindow::apply_zec_reboot))
        return;
    if (MessageBoxes::question(this, tr("ORVANE3"),
                               tr("Reboot the Controller?\nORVANE3 will be closed and reopen is "
                                  "required.\n"),
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) != QMessageBox::Yes)
        return;
    doShutdownAndCleanup("orvane2 system reboot");
    QCoreApplication::quit();
}

void MainWindow::endProcess(int exitCode)
{
    m_bEndingProcess = true;
    m_endingExitCode = exitCode;
    g_processEndHandler(exitCode);
}

void MainWindow::openMessageBox(int kind, QString title, QString text)
{
    emit sendOpenMessageBox(kind, title, text);
}

int MainWindow::askMessageBox(QWidget* parent, int kind, const QString& title, const QString& text,
                              int buttons, int defaultButton)
{
    return MessageBoxes::show(parent, kind, title, text, QMessageBox::StandardButtons(buttons),
                              QMessageBox::StandardButton(defaultButton));
}

void MainWindow::displayMessageBox(int kind, QString title, QString text)
{
    MessageBoxes::tell(this, kind, title, text);
}

// --- Plug-in host, message bus and window layout.

void MainWindow::loadPlugins()
{
    m_moduleHost = new ModuleHost(this, m_menus, this);
    connect(m_moduleHost, &ModuleHost::sendLastFeUpdateDate, this,
            &MainWindow::sendLastFeUpdateDate);
    connect(m_moduleHost, &ModuleHost::sendVersionFeAndModules, this,
            &MainWindow::sendVersionFeAndModules);
    // Without a "plugins" folder the list is empty; the menus still get their
    // refresh before they open.
    pluginsDir = QDir(QCoreApplication::applicationDirPath() + "/plugins");
    const ModuleHost::SharedObjects shared{iom, this, bv, m_bObserverMode};
    m_moduleHost->loadPlugins(pluginsDir, shared, m_prefs.m_bShowServiceMenue);
    m_toolbarinertial = m_moduleHost->inertialToolBar();
}

const QList<ModuleInterface*>& MainWindow::modules() const
{
    static const QList<ModuleInterface*> none;
    return m_moduleHost ? m_moduleHost->modules() : none;
}

bool MainWindow::is_module_available(QString name) const
{
    return m_moduleHost && m_moduleHost->is_module_available(name);
}

void MainWindow::sendMessagesToModules()
{
    ModuleHost::StartupSettings settings;
    settings.autoBackup = m_prefs.m_bAutoBackup;
    settings.showDynReflexSuppr = m_prefs.m_bShowDynReflexSuppr;
    settings.checkForOldFrontendOrBackend = m_prefs.m_bCheckForOldFrontendOrBackend;
    settings.darkTheme = m_prefs.m_bIsDarkTheme;
    settings.lastFeUpdateDate = m_prefs.m_lastFeUpdateDate;
    m_sVersionFeAndModules = m_moduleHost->versionFeAndModules();
    m_moduleHost->sendMessagesToModules(iom, settings);
}

void MainWindow::initMessageReceiver()
{
    messageReceiver = new MainAppMessageReceiver(this, iom);
    m_busRelay = new MessageBusRelay(iom, this);
    m_busRelay->setInertialToolBar(m_toolbarinertial);
    m_busRelay->connectReceiver(messageReceiver);
    using R = MainAppMessageReceiver;
    connect(messageReceiver, &R::receiveConfigurationChanged, this,
            &MainWindow::onReceiveConfigurationChanged);
    connect(messageReceiver, &R::receiveMainWindowTitleChanged, this,
            &MainWindow::setMainWindowTitle);
    connect(messageReceiver, &R::receiveAppReadyToShutdown, this,
            &MainWindow::onReceiveAppReadyToShutdown);
    connect(messageReceiver, &R::receiveSetOnlyDisplay, this, &MainWindow::setOnlyDisplay);
    messageReceiver->registerClasses();
}

void MainWindow::unregisterMessageReceiver()
{
    if (messageReceiver)
        messageReceiver->unregisterClasses();
}

void MainWindow::setOnlyDisplay(bool onlyDisplay)
{
    MessageBusRelay::setOnlyDisplay(m_menus->menusInOrder(), m_menus->displayMenu(),
                                    toggle_mea_action, onlyDisplay);
}

void MainWindow::announceBodyCalibrationModules()
{
    m_moduleHost->announceBodyCalibration(iom);
}

void MainWindow::showInertialToolbarIfSensorExist()
{
    m_busRelay->showInertialToolbarIfSensorExist(*bv);
}

void MainWindow::aboutToExitModules()
{
    if (m_moduleHost)
        m_moduleHost->aboutToExitModules();
}

void MainWindow::exitModules()
{
    if (m_moduleHost)
        m_moduleHost->exitModules();
}

void MainWindow::loadDarkFusionPalette(bool dark)
{
    AppTheme::loadDarkFusionPalette(dark);
}

WindowLayout* MainWindow::windowLayout()
{
    if (!m_layout) {
        m_layout = new WindowLayout(this, m_prefs.m_sLayoutDir, this);
        m_layout->setWarningHandler([this](const QString& title, const QString& text) {
            displayMessageBox(MessageBoxProvider::Warning, title, text);
        });
    }
    return m_layout;
}

void MainWindow::loadLayout(bool useDefault)
{
    windowLayout()->loadLayout(useDefault);
}

void MainWindow::saveLayout()
{
    windowLayout()->saveLayout();
}

void MainWindow::apply_default_layout()
{
    loadLayout(true);
}

QMenu* MainWindow::createPopupMenu()
{
    return windowLayout()->createPopupMenu(this);
}

void MainWindow::apply_search_hardware()
{
    if (deferWhileChannelBusy(&MainWindow::apply_search_hardware))
        return;
    SearchHardwareDlg dialog(this, iom, QString());
    if (dialog.update_and_exec() == 1)
        iom->transmit_message(MainAppMessageReceiver::GlobalEventClass, ModuleHost::ModuleSender, 2,
                              "");
}
