// Requests that modules send to the main window reach the module they are
// meant for unchanged, and the inertial tool bar follows its messages.

#include <QMainWindow>
#include <QToolBar>
#include <QtTest>

#include <memory>

#include "BackendVersions.h"
#include "BusTestChannel.h"
#include "MainAppMessageReceiver.h"
#include "MainMenus.h"
#include "MessageBusRelay.h"
#include "ModuleHost.h"

namespace {

const QStringList RelayTargets{"RoomCalModule", "BodyCalModule", "BodyAdjustmentModule",
                               "BodyAdministrationModule", "HybridBodyCalibration"};

}  // namespace

class TestMessageBusRelay : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void relaysReachTheirTargets_data();
    void relaysReachTheirTargets();
    void inertialToolBar_data();
    void inertialToolBar();

private:
    BusTestChannel channel;
    std::unique_ptr<QMainWindow> window;
    MainMenus* menus = nullptr;  // owned by the window
    std::unique_ptr<ModuleHost> host;
    MainAppMessageReceiver* receiver = nullptr;
    MessageBusRelay* relay = nullptr;
};

void TestMessageBusRelay::init()
{
    window = std::make_unique<QMainWindow>();
    menus = new MainMenus(window.get());
    host = std::make_unique<ModuleHost>(window.get(), menus);
    ModuleHost::SharedObjects shared;
    shared.channel = &channel;
    shared.moduleParent = window.get();
    host->loadPlugins(QDir(ORVANE_TEST_PLUGIN_DIR), shared, false);
    receiver = new MainAppMessageReceiver(window.get(), &channel);
    receiver->registerClasses();
    relay = new MessageBusRelay(&channel, window.get());
    relay->connectReceiver(receiver);
    relay->setInertialToolBar(host->inertialToolBar());
}

void TestMessageBusRelay::cleanup()
{
    host.reset();
    window.reset();
    channel.answers.clear();
}

void TestMessageBusRelay::relaysReachTheirTargets_data()
{
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("relayed");

    auto to = [](const QString& cls, const QString& text) {
        return QStringList{cls + "|1|Orvane2|" + text};
    };
    QTest::newRow("monitor tab") << "Monitor2dModule"
                                 << "Monitor2dTabChanged 2 cam 5 %1"
                                 << to("RoomCalModule", "Monitor2dTabChanged 2 cam 5 %1");
    QTest::newRow("open body calibration")
        << "BodyAdministrationModule"
        << "OpenBodyCalDialog b1" << to("BodyCalModule", "OpenBodyCalDialog b1");
    QTest::newRow("close body calibration")
        << "BodyCalModule"
        << "close dialog" << to("BodyAdministrationModule", "close dialog");
    QTest::newRow("close body adjustment")
        << "BodyAdjustmentModule"
        << "close dialog" << to("BodyAdministrationModule", "close dialog");
    QTest::newRow("open hybrid") << "HybridBodyCalibration"
                                 << "OpenHybridBodyCalibration x"
                                 << to("HybridBodyCalibration", "OpenHybridBodyCalibration x");
    QTest::newRow("close hybrid") << "HybridBodyCalibration"
                                  << "close dialog" << to("HybridBodyCalibration", "close dialog");
    QTest::newRow("unknown sender") << "RoomCalModule"
                                    << "Monitor2dTabChanged 1" << QStringList();
}

void TestMessageBusRelay::relaysReachTheirTargets()
{
    QFETCH(QString, sender);
    QFETCH(QString, text);
    QFETCH(QStringList, relayed);

    ClassRecorder targets(&channel, RelayTargets);
    // Sent by a module, as modules do.
    QObject* module = testModuleObject("testmodule_bus");
    QVERIFY(module);
    int result = -9;
    QMetaObject::invokeMethod(module, "sendBus", Q_RETURN_ARG(int, result),
                              Q_ARG(QString, "Main_Window"), Q_ARG(QString, sender), Q_ARG(int, 1),
                              Q_ARG(QString, text));
    QCOMPARE(result, 0);
    QCOMPARE(targets.take(), relayed);
}

void TestMessageBusRelay::inertialToolBar_data()
{
    QTest::addColumn<bool>("contributed");
    QTest::addColumn<int>("protocolMinor");
    QTest::addColumn<QByteArray>("sensorAnswer");
    QTest::addColumn<bool>("shownAtStart");

    const QByteArray two = "orvane2 set inertial number_of_sensors 2";
    QTest::newRow("sensors") << true << 12 << two << true;
    QTest::newRow("no sensors") << true << 12
                                << QByteArray("orvane2 set inertial number_of_sensors 0") << false;
    QTest::newRow("query fails") << true << 12 << QByteArray() << false;
    QTest::newRow("controller too old") << true << 11 << two << false;
    // The tool bar the relay does not know stays as it is: visible.
    QTest::newRow("no tool bar contributed") << false << 12 << two << true;
}

void TestMessageBusRelay::inertialToolBar()
{
    QFETCH(bool, contributed);
    QFETCH(int, protocolMinor);
    QFETCH(QByteArray, sensorAnswer);
    QFETCH(bool, shownAtStart);

    QToolBar* toolBar = host->inertialToolBar();
    QVERIFY(toolBar);
    if (!contributed)
        relay->setInertialToolBar(nullptr);
    window->show();
    if (!sensorAnswer.isEmpty())
        channel.answers.insert("orvane2 get inertial number_of_sensors", sensorAnswer);
    relay->showInertialToolbarIfSensorExist(
        BackendVersions({1, 0, 0}, {1, protocolMinor, -1}, {}, "ZEC"));
    QCOMPARE(toolBar->isVisible(), shownAtStart);

    const bool wasVisible = toolBar->isVisible();
    channel.transmit_message("GlobalEvent", "InertialTrackingModule", 1, "ShowInertialToolbar");
    QCOMPARE(toolBar->isVisible(), contributed || wasVisible);
    channel.transmit_message("Main_Window", "InertialTrackingModule", 1, "HideInertialToolbar");
    QCOMPARE(toolBar->isVisible(), !contributed && wasVisible);
}

QTEST_MAIN(TestMessageBusRelay)
#include "tst_messagebusrelay.moc"
