// The Help menu of the connected main window: the service dialog and the
// about dialog opened from their entries against controllers of each model,
// the export from the service dialog, and the entries' place in the menu.

#include "AboutDlg2g.h"
#include "ConnectedShell.h"
#include "ExportSystemInformation.h"
#include "HelpMenuEntries.h"
#include "ServiceDialog.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {

// This program's part of the loopback block.
int g_nextHost = 200;

// The entries of the window's "&Help" menu, separators left out.
QList<QAction*> helpActions(QMainWindow& w)
{
    QList<QAction*> entries;
    for (QAction* menu : w.menuBar()->actions()) {
        if (menu->text() != "&Help" || !menu->menu())
            continue;
        for (QAction* a : menu->menu()->actions()) {
            if (!a->isSeparator())
                entries << a;
        }
    }
    return entries;
}

QAction* helpEntry(QMainWindow& w, const QString& text)
{
    for (QAction* a : helpActions(w)) {
        if (a->text() == text)
            return a;
    }
    return nullptr;
}

}  // namespace

class TestHelpMenuEntries : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_shell = std::make_unique<ConnectedShell>(); }
    void cleanup() { m_shell.reset(); }
    void entriesStandInOrder();
    void dialogsOpenFromMenu_data();
    void dialogsOpenFromMenu();
    void exportOpensFromServiceDialog();
    void serviceEntryWaitsWhileMeasuring();

private:
    std::unique_ptr<MainWindowProbe> start(const QString& profile, const QString& extra = {});
    std::unique_ptr<ConnectedShell> m_shell;
};

std::unique_ptr<MainWindowProbe> TestHelpMenuEntries::start(const QString& profile,
                                                            const QString& extra)
{
    const QString address = QStringLiteral("127.0.14.%1").arg(g_nextHost++);
    if (!m_shell->startSim(address, {"--profile", profile}))
        return nullptr;
    auto w = m_shell->startDirect(extra);
    return w->isEndingProcess() ? nullptr : std::move(w);
}

void TestHelpMenuEntries::entriesStandInOrder()
{
    ModalWatcher unexpected;
    auto w = start("demo");
    QVERIFY(w);
    QStringList texts;
    for (QAction* a : helpActions(*w))
        texts << a->text();
    QCOMPARE(texts.size(), 4);  // what's this, service, about, about Qt
    QCOMPARE(texts.mid(1), (QStringList{"&Service and Guides", "&ORVANE3", "About &Qt"}));
    QAction* about = helpEntry(*w, "&ORVANE3");
    QCOMPARE(about->shortcut(), QKeySequence(Qt::Key_F1));
    QCOMPARE(helpEntry(*w, "&Service and Guides")->statusTip(),
             QString("Get service from Q.O.R. or view ORVANE3 guides"));
}

void TestHelpMenuEntries::dialogsOpenFromMenu_data()
{
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QString>("serviceId");
    QTest::addColumn<QString>("controllerLine");
    QTest::addColumn<bool>("cascadeTab");

    QTest::newRow("model 20") << "demo"
                              << "KBX2-21407"
                              << "trackbox-demo serial 21407" << false;
    QTest::newRow("model 21") << "model21"
                              << "KBX3-31077"
                              << "serial 31077" << false;
    QTest::newRow("model 2") << "model2"
                             << "ZECM-S00001234"
                             << "trackbox-m2 serial S00001234" << false;
    QTest::newRow("old controller") << "old"
                                    << "812"
                                    << "trackbox-old serial 812" << false;
    QTest::newRow("cascade master") << "cascade"
                                    << "KBX2-21500"
                                    << "trackbox-master serial 21500" << true;
}

void TestHelpMenuEntries::dialogsOpenFromMenu()
{
    QFETCH(QString, profile);
    QFETCH(QString, serviceId);
    QFETCH(QString, controllerLine);
    QFETCH(bool, cascadeTab);

    QString shownId, shownController;
    bool hasCascade = false;
    ModalWatcher watcher([&](QWidget* modal) {
        if (auto* service = qobject_cast<ServiceDialog*>(modal)) {
            shownId = service->findChild<QLineEdit*>("lineEdit_serviceId")->text();
            service->accept();
        } else if (auto* about = qobject_cast<AboutDlg2g*>(modal)) {
            shownController = about->findChild<QLabel*>("label_controller")->text();
            hasCascade = about->findChild<QTabWidget*>("tabWidget")->count() == 2;
            about->accept();
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        }
    });
    auto w = start(profile);
    QVERIFY(w);

    helpEntry(*w, "&Service and Guides")->trigger();
    QCOMPARE(shownId, serviceId);
    helpEntry(*w, "&ORVANE3")->trigger();
    QVERIFY2(shownController.contains(controllerLine), qPrintable(shownController));
    QCOMPARE(hasCascade, cascadeTab);
    QCOMPARE(watcher.dialogsSeen(), 2);
    QVERIFY(watcher.boxes().isEmpty());
}

void TestHelpMenuEntries::exportOpensFromServiceDialog()
{
    QStringList opened;
    ModalWatcher watcher([&](QWidget* modal) {
        opened << modal->metaObject()->className();
        if (auto* service = qobject_cast<ServiceDialog*>(modal)) {
            // Clicked from the dialog's own event loop, so that the watcher
            // sees the export open on top of it.
            QTimer::singleShot(0, service, [service] {
                service->findChild<QPushButton*>("pushButton_export")->click();
                service->accept();
            });
        } else if (auto* exporter = qobject_cast<ExportSystemInformation*>(modal)) {
            // The export belongs to the service dialog, not to the main window.
            if (qobject_cast<ServiceDialog*>(exporter->parentWidget()))
                opened << "with the service dialog as parent";
            exporter->reject();
        }
    });
    auto w = start("demo");
    QVERIFY(w);
    helpEntry(*w, "&Service and Guides")->trigger();
    QCOMPARE(opened, (QStringList{"ServiceDialog", "ExportSystemInformation",
                                  "with the service dialog as parent"}));
}

void TestHelpMenuEntries::serviceEntryWaitsWhileMeasuring()
{
    ModalWatcher unexpected;
    auto w = start("demo", "-measure");
    QVERIFY(w);
    QAction* service = helpEntry(*w, "&Service and Guides");
    QTRY_VERIFY(!service->isEnabled());
    QVERIFY(helpEntry(*w, "&ORVANE3")->isEnabled());
    w->toggleMeasurement();
    QTRY_VERIFY(service->isEnabled());
}

QTEST_MAIN(TestHelpMenuEntries)
#include "tst_helpmenuentries.moc"
