// The program in German: the entry point installs the compiled "_de.qm"
// files of the build's lang folder, and the main dialogs speak German.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QtTest>

#include <functional>
#include <map>
#include <memory>

#include "AboutDlg2g.h"
#include "AccessControlDialog.h"
#include "ConnectedShell.h"
#include "ExportSystemInformation.h"
#include "HelpCommandLine.h"
#include "IOManagerUdpTcp.h"
#include "PasswordInputDialog.h"
#include "ProgramEntry.h"
#include "SearchHardwareDlg.h"
#include "ServiceDialog.h"
#include "TrackboxSelection.h"

class TestGermanTranslation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void dialogsShowGermanTexts_data();
    void dialogsShowGermanTexts();
    void connectedWindowShowsGermanHelpMenu();
    void monitorModeKeepsTheViewMenu();

private:
    std::vector<std::unique_ptr<QTranslator>> m_translators;
};

namespace {

using Factory = std::function<QWidget*()>;

const std::map<QString, Factory>& dialogs()
{
    static const std::map<QString, Factory> all = {
        {"HelpCommandLine", [] { return new HelpCommandLine; }},
        {"ServiceDialog", [] { return new ServiceDialog(nullptr, nullptr, nullptr); }},
        {"AboutDlg2g", [] { return new AboutDlg2g(nullptr, nullptr, nullptr, true); }},
        {"AccessControlDialog", [] { return new AccessControlDialog(nullptr); }},
        {"PasswordInputDialog", [] { return new PasswordInputDialog(nullptr); }},
        {"TrackboxSelection", [] { return new TrackboxSelection; }},
        {"ExportSystemInformation",
         [] { return new ExportSystemInformation(nullptr, nullptr, nullptr); }},
    };
    return all;
}

// The text a user reads on a widget: a button's or label's text, a tab
// widget's tab titles, otherwise the window title.
QString visibleText(QWidget* w)
{
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* t = qobject_cast<QTabWidget*>(w)) {
        QStringList titles;
        for (int i = 0; i < t->count(); ++i)
            titles << t->tabText(i);
        return titles.join('|');
    }
    return w->windowTitle();
}

}  // namespace

void TestGermanTranslation::initTestCase()
{
    // As installed: the program runs in its own folder, beside "lang".
    QVERIFY(QDir::setCurrent(ORVANE_BIN_DIR));
    m_translators = installGermanTranslations(*qApp);
    QVERIFY2(m_translators.size() >= 3,
             "the shell's, access control's and service dialogs' translations");
}

void TestGermanTranslation::dialogsShowGermanTexts_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("widget");  // empty: the dialog itself
    QTest::addColumn<QString>("german");

    QTest::newRow("help title") << "HelpCommandLine"
                                << ""
                                << "ORVANE3-Kommandozeilenhilfe";
    QTest::newRow("help exit") << "HelpCommandLine"
                               << "pushButton_exit"
                               << "&Beenden";
    QTest::newRow("service title") << "ServiceDialog"
                                   << ""
                                   << "ORVANE3 Service und Handbücher";
    QTest::newRow("service id") << "ServiceDialog"
                                << "label_serviceId"
                                << "Service-ID";
    QTest::newRow("service copy") << "ServiceDialog"
                                  << "pushButton_copy"
                                  << "In die Zwischenablage &kopieren";
    QTest::newRow("service export") << "ServiceDialog"
                                    << "pushButton_export"
                                    << "System&informationen exportieren...";
    QTest::newRow("service guide") << "ServiceDialog"
                                   << "label_usersGuide"
                                   << "ORVANE3 Benutzerhandbuch</a>";
    QTest::newRow("about title") << "AboutDlg2g"
                                 << ""
                                 << "Über ORVANE3";
    QTest::newRow("about details") << "AboutDlg2g"
                                   << "pushButton_details"
                                   << "&Details anzeigen";
    QTest::newRow("about tabs") << "AboutDlg2g"
                                << "tabWidget"
                                << "&Module";
    QTest::newRow("password settings") << "AccessControlDialog"
                                       << "checkBox_EnableAccessControl"
                                       << "Passwortschutz &einschalten";
    QTest::newRow("password settings cancel") << "AccessControlDialog"
                                              << "pushButton_Cancel"
                                              << "Abbrechen";
    QTest::newRow("password prompt") << "PasswordInputDialog"
                                     << "label_Password"
                                     << "Passwort:";
    QTest::newRow("controller selection") << "TrackboxSelection"
                                          << ""
                                          << "Controller-Auswahl";
    QTest::newRow("system information export") << "ExportSystemInformation"
                                               << ""
                                               << "Systeminformationen exportieren";
    QTest::newRow("about notice") << "AboutDlg2g"
                                  << "label_openSource"
                                  << "Open-Source-Software</a> von Drittanbietern";
}

void TestGermanTranslation::dialogsShowGermanTexts()
{
    QFETCH(QString, dialog);
    QFETCH(QString, widget);
    QFETCH(QString, german);

    std::unique_ptr<QWidget> w(dialogs().at(dialog)());
    QWidget* target = widget.isEmpty() ? w.get() : w->findChild<QWidget*>(widget);
    QVERIFY2(target, qPrintable(widget));
    const QString text = visibleText(target);
    QVERIFY2(text.contains(german), qPrintable(text));
}

void TestGermanTranslation::connectedWindowShowsGermanHelpMenu()
{
    ConnectedShell shell;
    QVERIFY(shell.startSim("127.0.14.240"));
    ModalWatcher unexpected;
    auto w = shell.startDirect();
    QVERIFY(!w->isEndingProcess());
    QStringList menus, entries;
    for (QAction* menu : w->menuBar()->actions()) {
        menus << menu->text();
        if (menu->menu())
            for (QAction* a : menu->menu()->actions())
                entries << a->text();
    }
    QVERIFY2(menus.contains("&Hilfe"), qPrintable(menus.join('|')));
    QVERIFY2(entries.contains("&Service und Handbücher"), qPrintable(entries.join('|')));
    auto* events = w->findChild<QDockWidget*>("DisplayEvent");
    QVERIFY(events);
    QCOMPARE(events->windowTitle(), QString("Ereignisanzeige"));

    // The hardware search needs the window's channel to its controller.
    SearchHardwareDlg search(w.get(), w->channel(), QString());
    QCOMPARE(search.windowTitle(), QString("Nach neuer Hardware suchen"));
}

// A monitor-mode master switches the other front-ends to showing only: the
// translated View menu ("&Ansicht") must stay usable, all others not.
void TestGermanTranslation::monitorModeKeepsTheViewMenu()
{
    ConnectedShell shell;
    QVERIFY(shell.startSim("127.0.14.239"));
    ModalWatcher unexpected;
    auto w = shell.startDirect();
    QVERIFY(!w->isEndingProcess());
    const auto enabledMenus = [&w] {
        QStringList titles;
        for (QAction* menu : w->menuBar()->actions())
            if (menu->menu() && menu->isEnabled())
                titles << menu->text();
        return titles;
    };
    QVERIFY(enabledMenus().size() > 1);

    w->channel()->transmit_message("Main_Window", "Orvane2MonitorModeMaster", 1, "");
    QTRY_COMPARE(enabledMenus(), QStringList{"&Ansicht"});
    w->channel()->transmit_message("Main_Window", "Orvane2MonitorModeMaster", 0, "");
    QTRY_VERIFY(enabledMenus().size() > 1);
    QVERIFY(unexpected.boxes().isEmpty());
}

QTEST_MAIN(TestGermanTranslation)
#include "tst_germantranslation.moc"
