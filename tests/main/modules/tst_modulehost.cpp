// The plug-in host against the test modules: which libraries become modules,
// where their menu entries, docks and tool bars go, and the messages and
// version text built from the module list.

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QtTest>

#include <memory>

#include "BackendVersions.h"
#include "BusTestChannel.h"
#include "FrontendInfo.h"
#include "MainMenus.h"
#include "ModuleHost.h"
#include "ModuleInterface.h"

namespace {

// Texts of a menu's actions; separators as "-N" with their number.
QStringList menuLayout(QMenu* menu)
{
    QStringList out;
    for (QAction* a : menu->actions())
        out << (a->isSeparator() ? "-" + a->data().toString() : a->text());
    return out;
}

QStringList moduleNames(const ModuleHost& host)
{
    QStringList names;
    for (ModuleInterface* m : host.modules())
        names << m->get_module_name();
    return names;
}

}  // namespace

class TestModuleHost : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void loadsOnlyModulesOfTheInterface_data();
    void loadsOnlyModulesOfTheInterface();
    void entriesArePlacedByOrderNumber();
    void docksAndToolBarsGoToTheWindow();
    void dockWithATakenNameIsRefused();
    void measurementInactiveEntries();
    void versionTextAndStartupMessages_data();
    void versionTextAndStartupMessages();
    void shutdownCallsReachListedModulesOnly();

private:
    void load(bool showService = false, const QString& dir = ORVANE_TEST_PLUGIN_DIR);

    std::unique_ptr<QMainWindow> window;
    MainMenus* menus = nullptr;  // owned by the window
    std::unique_ptr<ModuleHost> host;
    BusTestChannel channel;
    BackendVersions versions;
};

void TestModuleHost::init()
{
    window = std::make_unique<QMainWindow>();
    menus = new MainMenus(window.get());
    host = std::make_unique<ModuleHost>(window.get(), menus);
}

void TestModuleHost::cleanup()
{
    host.reset();
    // The modules' widgets were given to the window; the modules stay loaded.
    window.reset();
}

void TestModuleHost::load(bool showService, const QString& dir)
{
    ModuleHost::SharedObjects shared;
    shared.channel = &channel;
    shared.moduleParent = window.get();
    shared.versions = &versions;
    host->loadPlugins(QDir(dir), shared, showService);
}

void TestModuleHost::loadsOnlyModulesOfTheInterface_data()
{
    QTest::addColumn<QString>("dir");
    QTest::addColumn<bool>("showService");
    QTest::addColumn<QStringList>("listed");

    const QStringList usual{"GUI Test Bus", "GUI Test Docks", "GUI Test Shared"};
    QTest::newRow("service modules left out") << ORVANE_TEST_PLUGIN_DIR << false << usual;
    QTest::newRow("service menu enabled")
        << ORVANE_TEST_PLUGIN_DIR << true
        << QStringList{"GUI Test Bus", "GUI Test Docks", "Q GUI Service Test", "GUI Test Shared"};
    QTest::newRow("no plug-in folder")
        << ORVANE_TEST_PLUGIN_DIR "/missing" << false << QStringList();
}

void TestModuleHost::loadsOnlyModulesOfTheInterface()
{
    QFETCH(QString, dir);
    QFETCH(bool, showService);
    QFETCH(QStringList, listed);

    load(showService, dir);
    QCOMPARE(moduleNames(*host), listed);
    for (const QString& name : listed)
        QVERIFY(host->is_module_available(name));
    QVERIFY(!host->is_module_available("GUI Test"));
    QVERIFY(!host->is_module_available("gui test docks"));

    // A library of another interface is never even loaded, so none of its code runs.
    QVERIFY(qEnvironmentVariableIsEmpty("ORVANE_TEST_FOREIGN_CONSTRUCTED"));
    QPluginLoader foreign(ORVANE_TEST_PLUGIN_DIR "/libtestmodule_foreign.so");
    QVERIFY(!foreign.isLoaded());
    // The module without elements stays loaded but is not listed.
    if (!listed.isEmpty())
        QVERIFY(testModuleObject("testmodule_empty"));
}

void TestModuleHost::entriesArePlacedByOrderNumber()
{
    // A menu of the window's own with an entry of its own before the modules come.
    QMenu* own = menus->menuFor("&Modules", 500);
    auto* ownEntry = new QAction("Own 220", own);
    menus->insertEntry(own, ownEntry, 220);

    load();
    QCOMPARE(menus->menuNamed("&Modules"), own);
    QCOMPARE(menuLayout(own),
             (QStringList{"Shared negative", "Monitor", "Test &Action", "-100", "Data view",
                          "Shared 150", "-200", "Own 220", "Test Dock", "-300", "-400", "-500",
                          "-600", "-700", "-800", "-900"}));
    // A plain widget as content: only the entry counts.
    QCOMPARE(menuLayout(menus->menuNamed("&Extras")).first(), QString("Extra entry"));
    QCOMPARE(menus->menusAtOrder(450), QList<QMenu*>{menus->menuNamed("&Extras")});

    // Menus with only their separators stay out of the menu bar.
    menus->menuFor("&Empty", 50);
    menus->populate(window->menuBar());
    QList<QMenu*> bar;
    for (QAction* a : window->menuBar()->actions())
        bar << a->menu();
    QCOMPARE(bar, (QList<QMenu*>{menus->menuNamed("&Extras"), own}));
}

void TestModuleHost::docksAndToolBarsGoToTheWindow()
{
    load();
    // An unnamed dock is named after its menu and entry, which the layout file uses.
    auto* unnamed = window->findChild<QDockWidget*>("&ModulesTest Dock");
    QStringList names;
    for (QDockWidget* d : window->findChildren<QDockWidget*>())
        names << d->objectName();
    QVERIFY2(unnamed, qPrintable(names.join(", ")));
    const QList<QDockWidget*> docks = window->findChildren<QDockWidget*>();
    QCOMPARE(docks.size(), 3);
    for (QDockWidget* dock : docks) {
        QCOMPARE(window->dockWidgetArea(dock), Qt::RightDockWidgetArea);
        QVERIFY(dock->isHidden());
        QCOMPARE(dock->features(), QDockWidget::DockWidgetClosable |
                                       QDockWidget::DockWidgetMovable |
                                       QDockWidget::DockWidgetFloatable);
    }
    // The dock's toggle action carries the entry's order number: the dock's key.
    QCOMPARE(unnamed->toggleViewAction()->data().toInt(), 250);

    auto* tools = window->findChild<QToolBar*>("TestToolBar");
    QVERIFY(tools);
    QCOMPARE(tools->parent(), window.get());
    QCOMPARE(window->toolBarArea(tools), Qt::TopToolBarArea);
    QCOMPARE(tools->minimumHeight(), 25);
    QVERIFY(host->inertialToolBar());
    QCOMPARE(host->inertialToolBar()->objectName(), QString("InertialToolBar"));
}

void TestModuleHost::dockWithATakenNameIsRefused()
{
    auto* own = new QDockWidget("Own", window.get());
    own->setObjectName("Monitor displaytab 01");
    window->addDockWidget(Qt::LeftDockWidgetArea, own);
    ClassRecorder standard(&channel, {"standard"});

    load();
    QList<QDockWidget*> named;
    for (QDockWidget* d : window->findChildren<QDockWidget*>()) {
        if (d->objectName() == "Monitor displaytab 01")
            named << d;
    }
    QCOMPARE(named, QList<QDockWidget*>{own});
    QCOMPARE(window->findChildren<QDockWidget*>().size(), 3);
    QVERIFY(!menuLayout(menus->menuNamed("&Modules")).contains("Monitor"));
    const QStringList notices = standard.take();
    QCOMPARE(notices.size(), 1);
    QVERIFY2(notices.first().startsWith("standard|1|ORVANE3|") &&
                 notices.first().contains("\"Monitor displaytab 01\""),
             qPrintable(notices.first()));
}

void TestModuleHost::measurementInactiveEntries()
{
    load();
    QCOMPARE(menus->meaInactiveActions().size(), 1);
    QAction* entry = menus->meaInactiveActions().first();
    QCOMPARE(entry->text(), QString("Test &Action"));
    menus->setMeaInactiveEnabled(false);
    QVERIFY(!entry->isEnabled());
    menus->setMeaInactiveEnabled(true);
    QVERIFY(entry->isEnabled());
    // A module that deletes its entry leaves no dangling pointer behind.
    delete entry;
    QVERIFY(menus->meaInactiveActions().isEmpty());
    menus->setMeaInactiveEnabled(false);
}

void TestModuleHost::versionTextAndStartupMessages_data()
{
    QTest::addColumn<bool>("autoBackup");
    QTest::addColumn<bool>("showDyn");
    QTest::addColumn<bool>("checkOld");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QStringList>("messages");

    const QString v = "v" + FrontendInfo::versionNumber();
    const QString s = "ServiceModule|1|Orvane2|" + v;
    const QString u = "UpdateModule|1|Orvane2|";
    QTest::newRow("built-in preferences")
        << true << false << true << true
        << QStringList{s,
                       u + v,
                       "ConfigurationsModule|1|Orvane2|" + v,
                       "CameraSettingsModule|1|Orvane2|HideDynReflexSuppr",
                       u + "CheckForOldFrontendOrBackend",
                       u + "DarkThemeEnabled"};
    QTest::newRow("all switched") << false << true << false << false
                                  << QStringList{
                                         s,
                                         u + v,
                                         "ConfigurationsModule|1|Orvane2|no_auto_backup",
                                         "CameraSettingsModule|1|Orvane2|ShowDynReflexSuppr",
                                         u + "NotCheckForOldFrontendOrBackend",
                                         u + "DarkThemeDisabled"};
}

void TestModuleHost::versionTextAndStartupMessages()
{
    QFETCH(bool, autoBackup);
    QFETCH(bool, showDyn);
    QFETCH(bool, checkOld);
    QFETCH(bool, dark);
    QFETCH(QStringList, messages);

    const QString own = "v" + FrontendInfo::versionNumber() + "  " + FrontendInfo::kReleaseDate;
    QCOMPARE(host->versionFeAndModules(), own + "|");
    load();
    ClassRecorder recorder(&channel, {"ServiceModule", "UpdateModule", "ConfigurationsModule",
                                      "CameraSettingsModule", "BodyAdministrationModule"});
    QSignalSpy dates(host.get(), &ModuleHost::sendLastFeUpdateDate);
    QSignalSpy texts(host.get(), &ModuleHost::sendVersionFeAndModules);

    ModuleHost::StartupSettings settings;
    settings.autoBackup = autoBackup;
    settings.showDynReflexSuppr = showDyn;
    settings.checkForOldFrontendOrBackend = checkOld;
    settings.darkTheme = dark;
    settings.lastFeUpdateDate = QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5));
    host->sendMessagesToModules(&channel, settings);
    host->announceBodyCalibration(&channel);

    QCOMPARE(recorder.take(), messages);
    QCOMPARE(dates.size(), 1);
    QCOMPARE(dates.first().first().toDateTime(), settings.lastFeUpdateDate);
    QCOMPARE(texts.size(), 1);
    QCOMPARE(texts.first().first().toString(),
             own + "|GUI Test Bus;1.2.3|GUI Test Docks;1.2.3|GUI Test Shared;1.2.3");
}

void TestModuleHost::shutdownCallsReachListedModulesOnly()
{
    load();
    auto calls = [](const char* name, const char* method) {
        int n = -1;
        QMetaObject::invokeMethod(testModuleObject(name), method, Q_RETURN_ARG(int, n));
        return n;
    };
    const int docksBefore = calls("testmodule_docks", "exitCalls");
    const int emptyBefore = calls("testmodule_empty", "aboutToExitCalls");
    const int aboutBefore = calls("testmodule_docks", "aboutToExitCalls");
    host->aboutToExitModules();
    host->exitModules();
    QCOMPARE(calls("testmodule_docks", "aboutToExitCalls"), aboutBefore + 1);
    QCOMPARE(calls("testmodule_docks", "exitCalls"), docksBefore + 1);
    QCOMPARE(calls("testmodule_empty", "aboutToExitCalls"), emptyBefore);
}

QTEST_MAIN(TestModuleHost)
#include "tst_modulehost.moc"
