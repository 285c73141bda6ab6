// The main window with the test modules in its plug-in folder, started as a
// user starts it: the first start's arrangement, the layout kept between runs,
// messages on the bus, the theme and the hardware search from its menu.

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>

#include "BusTestChannel.h"
#include "ConnectedShell.h"
#include "IOManagerUdpTcp.h"
#include "MainMenus.h"

namespace {

const QString kAddress = "127.0.11.2";

QAction* entryNamed(QMenu* menu, const QString& text)
{
    for (QAction* a : menu->actions()) {
        if (a->text() == text)
            return a;
    }
    return nullptr;
}

}  // namespace

class TestMainWindowModules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstStartArrangesTheModules();
    void arrangementComesBackNextStart();
    void busMessagesReachTheWindow();
    void theme_data();
    void theme();
    void hardwareSearchFromItsMenu();

private:
    std::unique_ptr<ConnectedShell> m_shell;
    QPalette m_initialPalette;
};

void TestMainWindowModules::initTestCase()
{
    m_initialPalette = QApplication::palette();
}

void TestMainWindowModules::init()
{
    m_shell = std::make_unique<ConnectedShell>();
    QVERIFY(m_shell->startSim(kAddress));
}

void TestMainWindowModules::cleanup()
{
    m_shell.reset();
    QApplication::setPalette(m_initialPalette);
    qApp->setStyleSheet(QString());
}

void TestMainWindowModules::firstStartArrangesTheModules()
{
    auto w = m_shell->startDirect();
    QVERIFY(!w->isEndingProcess());
    QCOMPARE(w->size(), QSize(1000, 600));
    QCOMPARE(visibleDocks(w.get()),
             (QStringList{"DisplayEvent", "Monitor displaytab 01", "Test data view"}));
    QStringList menus;
    for (QAction* a : w->menuBar()->actions())
        menus << a->text();
    QVERIFY2(menus.indexOf("&View") < menus.indexOf("&Extras") &&
                 menus.indexOf("&Extras") < menus.indexOf("&Modules") &&
                 menus.indexOf("&Modules") < menus.indexOf("&Help"),
             qPrintable(menus.join(", ")));
    QCOMPARE(w->modules().size(), 3);
    QVERIFY(w->is_module_available("GUI Test Docks"));
    QVERIFY(!w->is_module_available("Q GUI Service Test"));
}

void TestMainWindowModules::arrangementComesBackNextStart()
{
    {
        auto w = m_shell->startDirect();
        QVERIFY(!w->isEndingProcess());
        w->findChild<QDockWidget*>("&ModulesTest Dock")->show();
        w->findChild<QDockWidget*>("Test data view")->hide();
        w->close();
    }
    QVERIFY(QFile::exists(m_shell->home().configDir() + "/orvane.layout"));
    auto w = m_shell->startDirect();
    QVERIFY(!w->isEndingProcess());
    QCOMPARE(visibleDocks(w.get()),
             (QStringList{"&ModulesTest Dock", "DisplayEvent", "Monitor displaytab 01"}));

    // "&Set to default" brings the first start's arrangement back.
    QAction* reset = entryNamed(w->menus()->displayMenu(), "&Set to default");
    QVERIFY(reset);
    reset->trigger();
    QCOMPARE(visibleDocks(w.get()),
             (QStringList{"DisplayEvent", "Monitor displaytab 01", "Test data view"}));
}

void TestMainWindowModules::busMessagesReachTheWindow()
{
    auto w = m_shell->startDirect();
    QVERIFY(!w->isEndingProcess());
    ClassRecorder targets(w->channel(), {"BodyAdministrationModule", "RoomCalModule"});
    QObject* module = testModuleObject("testmodule_bus");
    QVERIFY(module);
    auto send = [module](const QString& sender, int type, const QString& text) {
        int result = -9;
        QMetaObject::invokeMethod(module, "sendBus", Q_RETURN_ARG(int, result),
                                  Q_ARG(QString, "Main_Window"), Q_ARG(QString, sender),
                                  Q_ARG(int, type), Q_ARG(QString, text));
        return result;
    };

    QCOMPARE(send("BodyCalModule", 1, "close dialog"), 0);
    QCOMPARE(send("Monitor2dModule", 1, "Monitor2dTabChanged 3 left"), 0);
    QCOMPARE(targets.take(), (QStringList{"BodyAdministrationModule|1|Orvane2|close dialog",
                                          "RoomCalModule|1|Orvane2|Monitor2dTabChanged 3 left"}));

    // The demo controller has inertial sensors: the tool bar shows from the start.
    auto* inertial = w->findChild<QToolBar*>("InertialToolBar");
    QVERIFY(inertial);
    QVERIFY(!inertial->isHidden());
    send("InertialTrackingModule", 1, "HideInertialToolbar");
    QVERIFY(inertial->isHidden());

    send("Orvane2MonitorModeMaster", 1, "");
    QVERIFY(!w->menus()->orvane3Menu()->isEnabled());
    QVERIFY(w->menus()->displayMenu()->isEnabled());
    QVERIFY(!w->menus()->toggleMeasurementAction()->isEnabled());
    send("Orvane2MonitorModeMaster", 0, "");
    QVERIFY(w->menus()->orvane3Menu()->isEnabled());
}

void TestMainWindowModules::theme_data()
{
    QTest::addColumn<QByteArray>("preferences");
    QTest::addColumn<bool>("dark");
    QTest::newRow("built-in: dark") << QByteArray("<ORVANE/>") << true;
    QTest::newRow("IS_DARK_THEME false")
        << QByteArray("<ORVANE><MENUE><IS_DARK_THEME>false</IS_DARK_THEME></MENUE></ORVANE>")
        << false;
}

void TestMainWindowModules::theme()
{
    QFETCH(QByteArray, preferences);
    QFETCH(bool, dark);

    m_shell->home().writePreferences(preferences);
    auto w = m_shell->startDirect();
    QVERIFY(!w->isEndingProcess());
    const QColor window = QApplication::palette().color(QPalette::Window);
    if (dark) {
        QCOMPARE(window, QColor(53, 53, 53));
        QVERIFY(qApp->styleSheet().startsWith("QToolTip"));
    } else {
        QCOMPARE(QApplication::palette(), m_initialPalette);
        QVERIFY(window.lightnessF() >= 0.5);
        QCOMPARE(qApp->styleSheet(), QString());
    }
}

void TestMainWindowModules::hardwareSearchFromItsMenu()
{
    // The demo controller is a model without the search.
    QCOMPARE(m_shell->sim().control("set system model = 0"), QString("ok"));
    auto w = m_shell->startDirect();
    QVERIFY(!w->isEndingProcess());
    ClassRecorder events(w->channel(), {"GlobalEvent", "standard"});
    QString dialogTitle;
    ModalWatcher watcher([&](QWidget* dialog) {
        dialogTitle = dialog->windowTitle();
        if (auto* ok = dialog->findChild<QPushButton*>("pushButton_ok"); ok && ok->isEnabled())
            ok->click();
    });
    QAction* search = entryNamed(w->menus()->settingsMenu(), "Search &hardware");
    QVERIFY(search);
    search->trigger();
    QCOMPARE(dialogTitle, QString("Search for new hardware"));
    QCOMPARE(events.take(), (QStringList{"standard|1|ORVANE3|Search for new hardware...done",
                                         "GlobalEvent|2|Orvane2|"}));
}

QTEST_MAIN(TestMainWindowModules)
#include "tst_mainwindow_modules.moc"
