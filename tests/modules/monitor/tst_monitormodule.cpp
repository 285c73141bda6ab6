// The Live Monitor as the program loads it from its plug-in folder, built on
// its own against the installed interface headers, in the window measuring
// against the simulator at 300 Hz with 50 bodies.

#include <QDockWidget>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include "ConnectedShell.h"
#include "MainMenus.h"
#include "ModuleInterface.h"

namespace {

const QString kAddress = "127.0.64.1";
// Of the 50 bodies 40 are calibrated, each lost now and then for a moment.
constexpr int kMostBodies = 30;

QDockWidget* monitorDock(QWidget* window)
{
    return window->findChild<QDockWidget*>("LiveMonitorDock");
}

int call(QObject* dock, const char* method)
{
    int value = -1;
    QMetaObject::invokeMethod(dock, method, Q_RETURN_ARG(int, value));
    return value;
}

}  // namespace

class TestMonitorModule : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowPlacesTheModule();
    void recordsAndExports();
    void newWindowGetsNewWidgets();

private:
    std::unique_ptr<ConnectedShell> m_shell;
};

void TestMonitorModule::init()
{
    m_shell = std::make_unique<ConnectedShell>();
    QVERIFY(m_shell->startSim(kAddress, {"--profile", "large", "--frequency", "300"}));
}

void TestMonitorModule::cleanup()
{
    m_shell.reset();
}

void TestMonitorModule::windowPlacesTheModule()
{
    auto w = m_shell->startDirect();
    QVERIFY(!w->isEndingProcess());
    QVERIFY(w->is_module_available("Live Monitor"));
    w->show();
    QDockWidget* dock = monitorDock(w.get());
    QVERIFY(dock);
    QVERIFY(dock->isHidden());
    QVERIFY(w->menus()->displayMenu()->actions().contains(dock->toggleViewAction()));
    auto* toolBar = w->findChild<QToolBar*>("LiveMonitorToolBar");
    QVERIFY(toolBar);
    auto* button = qobject_cast<QToolButton*>(toolBar->widgetForAction(dock->toggleViewAction()));
    QVERIFY(button);
    button->click();
    QVERIFY(dock->isVisible());
}

void TestMonitorModule::recordsAndExports()
{
    auto w = m_shell->startDirect("-measure");
    QVERIFY(!w->isEndingProcess());
    QDockWidget* dock = monitorDock(w.get());
    QVERIFY(dock);
    w->show();
    dock->show();
    QTRY_VERIFY_WITH_TIMEOUT(call(dock, "bodiesShown") >= kMostBodies, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(call(dock, "rowsRecorded") >= 2, 10000);
    QString frequency;
    QMetaObject::invokeMethod(dock, "newestValue", Q_RETURN_ARG(QString, frequency), Q_ARG(int, 0));
    QCOMPARE(frequency, QString("300.0 Hz"));

    QTemporaryDir dir;
    bool ok = false;
    QMetaObject::invokeMethod(dock, "exportCsv", Q_RETURN_ARG(bool, ok),
                              Q_ARG(QString, dir.filePath("trends.csv")));
    QVERIFY(ok);
    QFile csv(dir.filePath("trends.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
    QVERIFY(lines.size() >= 3);
    QVERIFY(lines[0].startsWith("time (UTC),time (s),output frequency (Hz),frames lost (1/s)"));
    QVERIFY2(lines[0].contains("c32 used rays (count)"), qPrintable(lines[0]));
    QCOMPARE(lines[1].split(',').size(), lines[0].split(',').size());
    QVERIFY(lines.last().split(',')[5].toInt() >= kMostBodies);

    QMetaObject::invokeMethod(dock, "savePicture", Q_RETURN_ARG(bool, ok),
                              Q_ARG(QString, dir.filePath("dock.png")));
    QVERIFY(ok);
    QCOMPARE(QImage(dir.filePath("dock.png")).size(), dock->size());
    // A folder is no file: the failure is shown, not reported as success.
    QMetaObject::invokeMethod(dock, "exportCsv", Q_RETURN_ARG(bool, ok),
                              Q_ARG(QString, dir.path()));
    QVERIFY(!ok);
}

void TestMonitorModule::newWindowGetsNewWidgets()
{
    int rowsBefore = 0;
    {
        auto first = m_shell->startDirect("-measure");
        QVERIFY(!first->isEndingProcess());
        QTRY_COMPARE_WITH_TIMEOUT(first->toggle_mea_action->text(), QString("Stop"), 10000);
        // The recording belongs to the module and holds rows of earlier windows.
        const int rowsAtStart = call(monitorDock(first.get()), "rowsRecorded");
        QTRY_VERIFY_WITH_TIMEOUT(call(monitorDock(first.get()), "rowsRecorded") > rowsAtStart,
                                 10000);
        rowsBefore = call(monitorDock(first.get()), "rowsRecorded");
    }
    // As after the reconnect's restart: a new window against the same controller,
    // which still measures. The recording goes on in the new window's dock.
    auto second = m_shell->startDirect();
    QVERIFY(!second->isEndingProcess());
    QDockWidget* dock = monitorDock(second.get());
    QVERIFY(dock);
    second->show();
    dock->show();
    QTRY_VERIFY_WITH_TIMEOUT(call(dock, "rowsRecorded") > rowsBefore, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(call(dock, "bodiesShown") >= kMostBodies, 10000);
}

QTEST_MAIN(TestMonitorModule)
#include "tst_monitormodule.moc"
