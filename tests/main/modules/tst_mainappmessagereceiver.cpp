// The main window's bus receiver: which sender and text raise which signal,
// through the channel's own routing, and from another thread.

#include <QtTest>

#include <memory>
#include <thread>

#include "BusTestChannel.h"
#include "MainAppMessageReceiver.h"

namespace {

// One spy per signal of the receiver; "name(argument)" of everything emitted.
class SignalLog
{
public:
    explicit SignalLog(QObject* object)
    {
        const QMetaObject* mo = object->metaObject();
        for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
            const QMetaMethod m = mo->method(i);
            if (m.methodType() == QMetaMethod::Signal)
                m_spies.emplace_back(std::make_unique<QSignalSpy>(object, m), m.name());
        }
    }
    QStringList emitted() const
    {
        QStringList out;
        for (const auto& [spy, name] : m_spies) {
            for (const QList<QVariant>& args : *spy)
                out << QString::fromLatin1(name) + "(" +
                           (args.isEmpty() ? QString() : args.first().toString()) + ")";
        }
        return out;
    }

private:
    std::vector<std::pair<std::unique_ptr<QSignalSpy>, QByteArray>> m_spies;
};

}  // namespace

class TestMainAppMessageReceiver : public QObject
{
    Q_OBJECT

private slots:
    void dispatch_data();
    void dispatch();
    void messagesFromAnotherThreadReachTheGuiThread();
    void unregistersFromBothClasses();
};

void TestMainAppMessageReceiver::dispatch_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("sender");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("signal");  // empty: nothing

    const QString g = "GlobalEvent";
    const QString w = "Main_Window";
    auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
    row("controller settings") << g << "ControllerSettingsModule" << 1
                               << "ActiveConfigurationChanged"
                               << "receiveConfigurationChanged(ActiveConfigurationChanged)";
    row("configuration") << w << "ConfigurationModule" << 1 << "ActiveConfigurationChanged"
                         << "receiveConfigurationChanged(ActiveConfigurationChanged)";
    row("configuration, longer text")
        << w << "ConfigurationModule" << 1 << "ActiveConfigurationChanged now"
        << "";
    row("cascade") << g << "CascadedSystemModule" << 1 << "CascadedSettingsChanged"
                   << "receiveMainWindowTitleChanged()";
    row("update module") << g << "ZecUpateModule" << 1 << "AppReadyToShutdown"
                         << "receiveAppReadyToShutdown()";
    row("update module, spelt right") << g << "ZecUpdateModule" << 1 << "AppReadyToShutdown"
                                      << "";
    row("monitor window") << g << "Monitor2dModule" << 1 << "Monitor2dWindowChanged"
                          << "receiveMonitor2dWindowChanged()";
    row("monitor tab with words") << g << "Monitor2dModule" << 1 << "Monitor2dTabChanged 2 cam 5"
                                  << "receiveMonitor2dTabChanged(Monitor2dTabChanged 2 cam 5)";
    row("monitor most active") << w << "Monitor2dModule" << 1 << "Monitor2dMostActive c03"
                               << "receiveMonitor2dMostActiveChanged(Monitor2dMostActive c03)";
    row("monitor, other text") << g << "Monitor2dModule" << 1 << "monitor2dTabChanged"
                               << "";
    row("open body calibration") << g << "BodyAdministrationModule" << 1
                                 << "OpenBodyCalDialog body 3"
                                 << "receiveOpenBodyCalDialog(OpenBodyCalDialog body 3)";
    row("open body adjustment") << g << "BodyAdministrationModule" << 1
                                << "OpenBodyAdjustmentDialog 1"
                                << "receiveOpenBodyAdjustmentDialog(OpenBodyAdjustmentDialog 1)";
    row("open hybrid") << g << "HybridBodyCalibration" << 1 << "OpenHybridBodyCalibration 4"
                       << "receiveOpenHybridBodyCalDialog(OpenHybridBodyCalibration 4)";
    row("close hybrid") << g << "HybridBodyCalibration" << 1 << "close dialog"
                        << "receiveCloseHybridBodyCalDialog()";
    row("hybrid, other text") << g << "HybridBodyCalibration" << 1 << "closed"
                              << "";
    row("close body calibration") << g << "BodyCalModule" << 1 << "close dialog"
                                  << "receiveCloseBodyCalDialog()";
    row("body calibration, other text") << g << "BodyCalModule" << 1 << "close dialog now"
                                        << "";
    row("close body adjustment") << g << "BodyAdjustmentModule" << 1 << "close dialog"
                                 << "receiveCloseBodyAdjustmentDialog()";
    row("monitor mode on") << g << "Orvane2MonitorModeMaster" << 5 << "anything"
                           << "receiveSetOnlyDisplay(true)";
    row("monitor mode off") << w << "Orvane2MonitorModeMaster" << 0 << ""
                            << "receiveSetOnlyDisplay(false)";
    row("show inertial") << g << "InertialTrackingModule" << 1 << "ShowInertialToolbar"
                         << "receiveInertialChanged(ShowInertialToolbar)";
    row("hide inertial") << g << "InertialTrackingModule" << 1 << "HideInertialToolbar"
                         << "receiveInertialChanged(HideInertialToolbar)";
    row("inertial, longer text") << g << "InertialTrackingModule" << 1 << "ShowInertialToolbar 2"
                                 << "";
    row("unknown sender") << g << "SomeModule" << 1 << "ActiveConfigurationChanged"
                          << "";
    row("sender differs in case") << g << "bodycalmodule" << 1 << "close dialog"
                                  << "";
}

void TestMainAppMessageReceiver::dispatch()
{
    QFETCH(QString, className);
    QFETCH(QString, sender);
    QFETCH(int, type);
    QFETCH(QString, text);
    QFETCH(QString, signal);

    BusTestChannel channel;
    MainAppMessageReceiver receiver(nullptr, &channel);
    receiver.registerClasses();
    SignalLog log(&receiver);
    QCOMPARE(channel.transmit_message(className.toUtf8().constData(), sender.toUtf8().constData(),
                                      type, text.toUtf8().constData()),
             0);
    QCOMPARE(log.emitted(), signal.isEmpty() ? QStringList() : QStringList{signal});
}

void TestMainAppMessageReceiver::messagesFromAnotherThreadReachTheGuiThread()
{
    BusTestChannel channel;
    QObject window;
    auto* receiver = new MainAppMessageReceiver(&window, &channel);
    receiver->registerClasses();
    QThread* slotThread = nullptr;
    QString relayed;
    connect(receiver, &MainAppMessageReceiver::receiveOpenBodyCalDialog, &window,
            [&](QString text) {
                slotThread = QThread::currentThread();
                relayed = text;
            });
    std::thread worker([&] {
        channel.transmit_message("GlobalEvent", "BodyAdministrationModule", 1,
                                 "OpenBodyCalDialog 7");
    });
    worker.join();
    QTRY_COMPARE(relayed, QString("OpenBodyCalDialog 7"));
    QCOMPARE(slotThread, QThread::currentThread());
}

void TestMainAppMessageReceiver::unregistersFromBothClasses()
{
    BusTestChannel channel;
    {
        QObject window;
        auto* receiver = new MainAppMessageReceiver(&window, &channel);
        receiver->registerClasses();
        receiver->registerClasses();  // a second call adds nothing
        QCOMPARE(channel.transmit_message("Main_Window", "x", 1, "y"), 0);
    }
    // The window took the receiver with it; the classes are gone from the channel.
    QCOMPARE(channel.transmit_message("GlobalEvent", "x", 1, "y"), -1);
    QCOMPARE(channel.transmit_message("Main_Window", "x", 1, "y"), -1);
}

QTEST_MAIN(TestMainAppMessageReceiver)
#include "tst_mainappmessagereceiver.moc"
