// The binary interface between the front-end and modules built apart from it:
// the slot order of the interfaces, and a module compiled in a project of its
// own against the installed headers only, loaded and called through the host.

#include <QMainWindow>
#include <QtTest>

#include <cstdint>
#include <cstring>

#include "BackendVersions.h"
#include "BusTestChannel.h"
#include "MainMenus.h"
#include "MessageReceiver.h"
#include "ModuleHost.h"
#include "ModuleInterface.h"
#include "Requester.h"
#include "SearchHardwareDlg.h"

namespace {

// The vtable slot of a virtual member function (Itanium C++ ABI: a pointer to
// a virtual member holds 1 + the slot's byte offset).
template <typename Member>
int slotOf(Member member)
{
    struct
    {
        std::uintptr_t ptr;
        std::ptrdiff_t adj;
    } rep;
    static_assert(sizeof(Member) == sizeof(rep), "Itanium member pointers");
    std::memcpy(&rep, &member, sizeof rep);
    return (rep.ptr & 1) ? int((rep.ptr - 1) / sizeof(void*)) : -1;
}

}  // namespace

class TestModuleInterface : public QObject
{
    Q_OBJECT

private slots:
    void slotOrder_data();
    void slotOrder();
    void separatelyBuiltModuleGetsItsCalls();
};

void TestModuleInterface::slotOrder_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("expected");

    QTest::newRow("Requester::set_ascii_data") << slotOf(&Requester::set_ascii_data) << 0;
    QTest::newRow("Requester::set_mea_started") << slotOf(&Requester::set_mea_started) << 1;
    QTest::newRow("Requester::set_mea_stopped") << slotOf(&Requester::set_mea_stopped) << 2;
    QTest::newRow("MessageReceiver::transmit_message")
        << slotOf(&MessageReceiver::transmit_message) << 0;
    QTest::newRow("about_to_exit_module") << slotOf(&ModuleInterface::about_to_exit_module) << 2;
    QTest::newRow("exit_module") << slotOf(&ModuleInterface::exit_module) << 3;
    QTest::newRow("get_module_name") << slotOf(&ModuleInterface::get_module_name) << 4;
    QTest::newRow("get_module_version") << slotOf(&ModuleInterface::get_module_version) << 5;
    QTest::newRow("get_gui_elements") << slotOf(&ModuleInterface::get_gui_elements) << 6;
    QTest::newRow("set_param") << slotOf(&ModuleInterface::set_param) << 7;
}

void TestModuleInterface::slotOrder()
{
    QFETCH(int, slot);
    QFETCH(int, expected);
    QCOMPARE(slot, expected);
}

void TestModuleInterface::separatelyBuiltModuleGetsItsCalls()
{
    QMainWindow window;
    window.setObjectName("MainWindow");
    auto* menus = new MainMenus(&window);
    ModuleHost host(&window, menus);
    BusTestChannel channel;
    BackendVersions versions({1, 0, 0}, {1, 24, 0}, {}, "KESTRELBOX3");
    ModuleHost::SharedObjects shared{&channel, &window, &versions, false};
    host.loadPlugins(QDir(ORVANE_EXTERNAL_PLUGIN_DIR), shared, false);
    QCOMPARE(host.modules().size(), 1);
    QCOMPARE(host.modules().first()->get_module_name(), QString("External Test Module"));
    QVERIFY(menus->menuNamed("&External"));

    QCOMPARE(channel.dataRequesters.size(), 1);
    Requester* requester = channel.dataRequesters.first().second;
    QCOMPARE(channel.dataRequesters.first().first, QByteArray("fr"));
    ClassRecorder echo(&channel, {"ExternalModuleEcho"});

    // The calls the channel makes, through the front-end's view of the interfaces.
    QCOMPARE(requester->set_ascii_data("fr", "fr 12 0.5"), 0);
    QCOMPARE(channel.send_mea_start(), 0);
    QCOMPARE(channel.send_mea_stop(), 0);
    QCOMPARE(channel.transmit_message("ExternalModule", "Tester", 3, "hello %s %n"), 0);
    QCOMPARE(echo.take(), QStringList{"ExternalModuleEcho|1|ExternalModule|hello %s %n"});
    auto* module = dynamic_cast<QObject*>(host.modules().first());
    // The module opens the program's hardware search dialog: a controller
    // without cascade answers gives the base time-out.
    int timeout = 0;
    QMetaObject::invokeMethod(module, "searchTimeout", Q_RETURN_ARG(int, timeout));
    QCOMPARE(timeout, SearchHardwareDlg(nullptr, &channel, QString()).timeout());
    QCOMPARE(timeout, 15);
    host.aboutToExitModules();
    host.exitModules();

    QStringList calls;
    QMetaObject::invokeMethod(module, "calls", Q_RETURN_ARG(QStringList, calls));
    QCOMPARE(calls,
             (QStringList{
                 "register_request 0", "register_request_mea 0", "register_message_receiver 0",
                 "parent MainWindow", "protocol 1.24 KESTRELBOX3 reconnect", "ObserverMode false",
                 "set_ascii_data fr | fr 12 0.5", "set_mea_started", "set_mea_stopped",
                 "transmit_message 3 Tester hello %s %n", "about_to_exit_module", "exit_module"}));
    // It left the channel as it found it.
    QVERIFY(channel.dataRequesters.isEmpty());
    QCOMPARE(channel.transmit_message("ExternalModule", "Tester", 1, "again"), -1);
}

QTEST_MAIN(TestModuleInterface)
#include "tst_moduleinterface.moc"
