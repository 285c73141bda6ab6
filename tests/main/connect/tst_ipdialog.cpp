// The connection dialog against simulated controllers inside a lab network: the start-up
// search, the silent test of the direct start, the password check of Connect, a choice in
// the selection dialog, and waking a sleeping controller.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include "ConnectLab.h"
#include "EndlessProgressDlg.h"
#include "IpDialog.h"
#include "ModalWatcher.h"
#include "PasswordInputDialog.h"
#include "TrackboxSelection.h"

namespace {

const QString kMac = QStringLiteral("02:00:5E:10:00:01");  // the demo profile's
const QString kUnknownName = QStringLiteral("no-such-box.invalid");

QString progressText(IpDialog& dialog)
{
    return dialog.findChild<QTextEdit*>(QStringLiteral("textEdit_progress"))->toPlainText();
}

QPushButton* button(QWidget& dialog, const char* name)
{
    return dialog.findChild<QPushButton*>(QLatin1String(name));
}

// Every fragment, in this order, somewhere in text.
bool containsInOrder(const QString& text, const QStringList& fragments, QString* missing)
{
    int from = 0;
    for (const QString& f : fragments) {
        const int at = text.indexOf(f, from);
        if (at < 0) {
            *missing = f;
            return false;
        }
        from = at + f.size();
    }
    return true;
}

// Counts the openings of the selection dialog and closes it as a user who picks nothing.
std::function<void(QWidget*)> countAndCloseSelection(int& count)
{
    return [&count](QWidget* w) {
        if (auto* selection = qobject_cast<TrackboxSelection*>(w)) {
            ++count;
            selection->reject();
        }
    };
}

std::unique_ptr<IpDialog> makeDialog(const QString& ipStr, const QString& hostname,
                                     const QString& mac,
                                     const QString& model = QStringLiteral("20"),
                                     const std::string& password = {})
{
    auto dialog = std::make_unique<IpDialog>(nullptr, Qt::FramelessWindowHint, password);
    dialog->setFailurePauseMs(0);
    dialog->set_last_trackbox_ip(ipStr);
    dialog->set_last_trackbox_hostname(hostname);
    dialog->set_last_trackbox_mac(mac);
    dialog->set_last_trackbox_model(model);
    return dialog;
}

}  // namespace

class IpDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_lab.reset(); }
    void cleanup() { m_lab->stopSims(); }

    void startupSearch_data();
    void startupSearch();
    void silentTest_data();
    void silentTest();
    void connectChecksPassword_data();
    void connectChecksPassword();
    void choiceInSelectionIsTestedAndConnected();
    void chosenControllerTest_data();
    void chosenControllerTest();
    void wakeOnLanConnectsWithoutAnotherClick_data();
    void wakeOnLanConnectsWithoutAnotherClick();
    void wakeOnLanThatSendsNothingWaitsForNothing_data();
    void wakeOnLanThatSendsNothingWaitsForNothing();
    void connectWithoutAddressAsksNobody_data();
    void connectWithoutAddressAsksNobody();
    void keysMoveAndCloseTheWindow_data();
    void keysMoveAndCloseTheWindow();

private:
    std::unique_ptr<ConnectLab> m_lab;
};

void IpDialogTest::initTestCase()
{
    CONNECTLAB_ENTER(m_lab, "ipdlg");
}

void IpDialogTest::startupSearch_data()
{
    QTest::addColumn<QString>("ipStr");
    QTest::addColumn<QString>("hostname");
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QStringList>("simAt11");         // control lines; empty: no controller there
    QTest::addColumn<QStringList>("simAtLocalhost");  // 127.0.0.1, the address of "localhost"
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("fragments");
    QTest::addColumn<QString>("absent");
    QTest::addColumn<bool>("wolShown");
    QTest::addColumn<int>("selectionOpened");
    QTest::addColumn<QString>("keptIp");

    const QStringList boxA{QStringLiteral("set system hostname = box-a")};
    QTest::newRow("remembered controller answers")
        << "127.0.9.11"
        << "box-a" << kMac << "20" << boxA << QStringList() << 0
        << QStringList{"testing '127.0.9.11'... OK", "Controller: 'box-a'",
                       "Serial 21407 Version v2.9.4"}
        << "unsuccessful" << false << 0 << "127.0.9.11";
    QTest::newRow("zero-padded remembered address")
        << "127.0.9.011"
        << "box-a" << kMac << "20" << boxA << QStringList() << 0
        << QStringList{"testing '127.0.9.11'... OK", "Controller: 'box-a'"} << "unsuccessful"
        << false << 0 << "127.0.9.11";
    QTest::newRow("address answers another name, name leads to a third")
        << "127.0.9.11"
        << "localhost" << kMac << "20" << QStringList{"set system hostname = box-b"}
        << QStringList{"set system hostname = box-c"} << 1
        << QStringList{"testing '127.0.9.11'... ",
                       "resolving 'localhost'... OK",
                       "resolved '127.0.0.1', testing... ",
                       "Controller has changed",
                       "expected: 'localhost'",
                       "found: 'box-c'"}
        << "Serial" << false << 1 << "127.0.0.1";
    // The remembered address answers too late; its answer arrives while the controller found by
    // name is being asked, and must not be taken for that one's.
    QTest::newRow("late answer is not taken for another controller's")
        << "127.0.9.11"
        << "localhost" << kMac << "20" << QStringList{"set system hostname = box-a", "delay 600"}
        << QStringList{"set system hostname = localhost", "delay 200"} << 0
        << QStringList{"testing '127.0.9.11'... unsuccessful", "resolving 'localhost'... OK",
                       "resolved '127.0.0.1', testing... OK", "Controller: 'localhost'"}
        << "changed" << false << 0 << "127.0.0.1";
    QTest::newRow("unreachable, unresolvable, MAC known")
        << "127.0.9.12" << kUnknownName << kMac << "20" << QStringList() << QStringList() << 1
        << QStringList{"testing '127.0.9.12'... unsuccessful",
                       "resolving '" + kUnknownName + "'... unsuccessful", "no connection to",
                       "Controller '" + kUnknownName + "'"}
        << "no default" << true << 0 << "127.0.9.12";
    QTest::newRow("no address, unresolvable name")
        << "" << kUnknownName << kMac << "20" << QStringList() << QStringList() << 1
        << QStringList{"resolving '" + kUnknownName + "'... unsuccessful",
                       "no default Controller found", "no connection to"}
        << "testing" << true << 0 << "0.0.0.0";
    QTest::newRow("compact integrated system cannot be woken")
        << "" << kUnknownName << kMac << "21" << QStringList() << QStringList() << 1
        << QStringList{"no default Controller found", "no connection to"} << "testing" << false << 1
        << "0.0.0.0";
    QTest::newRow("no MAC to wake")
        << "" << kUnknownName << ""
        << "20" << QStringList() << QStringList() << 1
        << QStringList{"no default Controller found", "no connection to"} << "testing" << false << 1
        << "0.0.0.0";
    QTest::newRow("held by another front-end")
        << "127.0.9.11"
        << "box-a" << kMac << "20" << (boxA + QStringList{"access 10.0.0.7"}) << QStringList() << 1
        << QStringList{"testing '127.0.9.11'... OK", "no connection to", "Controller 'box-a'",
                       "accessed by 10.0.0.7"}
        << "Serial" << false << 0 << "127.0.9.11";
    QTest::newRow("held, protocol too old to tell by whom")
        << "127.0.9.11"
        << "box-a" << kMac << "20"
        << (boxA + QStringList{"access 10.0.0.7", "set system protocol_version = v1.0"})
        << QStringList() << 1 << QStringList{"no connection to", "Controller 'box-a'"}
        << "accessed by" << false << 0 << "127.0.9.11";
}

void IpDialogTest::startupSearch()
{
    QFETCH(QString, ipStr);
    QFETCH(QString, hostname);
    QFETCH(QString, mac);
    QFETCH(QString, model);
    QFETCH(QStringList, simAt11);
    QFETCH(QStringList, simAtLocalhost);
    QFETCH(int, result);
    QFETCH(QStringList, fragments);
    QFETCH(QString, absent);
    QFETCH(bool, wolShown);
    QFETCH(int, selectionOpened);
    QFETCH(QString, keptIp);

    if (!simAt11.isEmpty())
        QVERIFY(m_lab->localSim(QStringLiteral("127.0.9.11"), simAt11));
    if (!simAtLocalhost.isEmpty())
        QVERIFY(m_lab->localSim(QStringLiteral("127.0.0.1"), simAtLocalhost));

    auto dialog = makeDialog(ipStr, hostname, mac, model);
    int selections = 0;
    ModalWatcher watcher(countAndCloseSelection(selections));
    QCOMPARE(dialog->try_connect(), result);

    const QString text = progressText(*dialog);
    QString missing;
    QVERIFY2(containsInOrder(text, fragments, &missing), qPrintable(missing + " in:\n" + text));
    QVERIFY2(!text.contains(absent), qPrintable(text));
    QCOMPARE(!button(*dialog, "pushButton_wol")->isHidden(), wolShown);
    QCOMPARE(button(*dialog, "pushButton_connect")->isHidden(), wolShown);
    QCOMPARE(button(*dialog, "pushButton_connect")->isEnabled(), result == 0);
    QCOMPARE(selections, selectionOpened);
    QCOMPARE(dialog->get_ip_str(), keptIp);
    QVERIFY(watcher.boxes().isEmpty());
}

void IpDialogTest::silentTest_data()
{
    QTest::addColumn<QString>("ipStr");
    QTest::addColumn<QString>("hostname");
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("simAddress");
    QTest::addColumn<QStringList>("simLines");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("ipStrAfter");
    QTest::addColumn<QString>("hostnameAfter");

    const QString at21 = QStringLiteral("127.0.9.21");
    const QStringList boxS{QStringLiteral("set system hostname = box-s")};
    QTest::newRow("full access") << at21 << "old-name"
                                 << "" << at21 << boxS << 0 << QString() << at21 << "box-s";
    QTest::newRow("by host name only") << ""
                                       << "localhost"
                                       << ""
                                       << "127.0.0.1" << boxS << 0 << QString() << "127.0.0.1"
                                       << "box-s";
    QTest::newRow("zero-padded address") << "127.0.9.021"
                                         << ""
                                         << "" << at21 << boxS << 0 << QString() << "127.0.9.021"
                                         << "box-s";
    QTest::newRow("unresolvable name") << "" << kUnknownName << kMac << "" << QStringList() << -2
                                       << QString() << "" << kUnknownName;
    QTest::newRow("nothing known") << ""
                                   << "" << kMac << "" << QStringList() << -3 << QString() << ""
                                   << "";
    QTest::newRow("asleep, can be woken")
        << "127.0.9.22"
        << "box-s" << kMac << "" << QStringList() << 1 << QString() << "127.0.9.22"
        << "box-s";
    QTest::newRow("asleep, no MAC") << "127.0.9.22"
                                    << "box-s"
                                    << ""
                                    << "" << QStringList() << -4 << QString() << "127.0.9.22"
                                    << "box-s";
    QTest::newRow("no version") << at21 << ""
                                << "" << at21 << (boxS + QStringList{"error system version"}) << -5
                                << QString() << at21 << "box-s";
    QTest::newRow("no access state") << at21 << ""
                                     << "" << at21 << (boxS + QStringList{"error system access"})
                                     << -6 << QString() << at21 << "box-s";
    QTest::newRow("held by another front-end")
        << at21 << ""
        << "" << at21 << (boxS + QStringList{"access 10.0.0.7"}) << 2
        << "Unable to connect Controller box-s\nController is accessed by ip 10.0.0.7" << at21
        << "box-s";
    QTest::newRow("held, holder unknown")
        << at21 << ""
        << "" << at21 << (boxS + QStringList{"access 10.0.0.7", "error system accessed_by"}) << 1
        << "Unable to connect Controller box-s" << at21 << "box-s";
}

void IpDialogTest::silentTest()
{
    QFETCH(QString, ipStr);
    QFETCH(QString, hostname);
    QFETCH(QString, mac);
    QFETCH(QString, simAddress);
    QFETCH(QStringList, simLines);
    QFETCH(int, result);
    QFETCH(QString, box);
    QFETCH(QString, ipStrAfter);
    QFETCH(QString, hostnameAfter);

    if (!simAddress.isEmpty())
        QVERIFY(m_lab->localSim(simAddress, simLines));
    auto dialog = makeDialog(ipStr, hostname, mac);
    ModalWatcher watcher;
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    QCOMPARE(dialog->try_connect_2(), result);
    QCOMPARE(watcher.boxes().size(), box.isEmpty() ? 0 : 1);
    if (!box.isEmpty()) {
        QCOMPARE(watcher.boxes().first().title, QStringLiteral("Error"));
        QCOMPARE(watcher.boxes().first().text, box);
    }
    QCOMPARE(dialog->get_hostname(), hostnameAfter);
    // The dotted text found for a host name is what the direct start connects to.
    if (!ipStrAfter.isEmpty())
        QCOMPARE(dialog->get_ip_str(), ipStrAfter.section('.', 0, 2) + "." +
                                           QString::number(ipStrAfter.section('.', 3).toInt()));
    QVERIFY(progressText(*dialog).trimmed().isEmpty());  // the silent test writes nothing
    QCOMPARE(finished.count(), 0);  // and closes nothing without a wake-up wait
    // What the start-up keeps is the record as a whole: the name that answered, the
    // address in use, and the MAC and model as they were handed in.
    const LastController last = dialog->lastController();
    QCOMPARE(last.hostname, dialog->get_hostname());
    QCOMPARE(last.ip, dialog->get_ip_str(0));
    QCOMPARE(last.mac, mac);
    QCOMPARE(last.model, QStringLiteral("20"));
    // Handing the record in at once tests exactly as handing in its parts.
    auto whole = std::make_unique<IpDialog>(nullptr, Qt::FramelessWindowHint, std::string());
    whole->setFailurePauseMs(0);
    whole->setLastController({hostname, ipStr, mac, QStringLiteral("20")});
    QCOMPARE(whole->try_connect_2(), result);
    QCOMPARE(whole->lastController(), last);
}

void IpDialogTest::connectChecksPassword_data()
{
    QTest::addColumn<QString>("simPassword");  // "-": no controller at all
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");  // empty: the prompt is cancelled
    QTest::addColumn<bool>("closes");
    QTest::addColumn<int>("prompts");
    QTest::addColumn<QString>("box");

    QTest::newRow("no password") << ""
                                 << ""
                                 << "" << true << 0 << QString();
    QTest::newRow("stored password accepted") << "pw.1"
                                              << "pw.1"
                                              << "" << true << 0 << QString();
    QTest::newRow("stored wrong, typed right") << "pw.1"
                                               << "nope"
                                               << "pw.1" << true << 1 << QString();
    QTest::newRow("prompt cancelled") << "pw.1"
                                      << ""
                                      << "" << false << 1 << QString();
    QTest::newRow("requirement unreadable")
        << "-"
        << ""
        << "" << false << 0
        << "Failed to obtain authentication requirements.\nNo connection to Controller?";
}

void IpDialogTest::connectChecksPassword()
{
    QFETCH(QString, simPassword);
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(bool, closes);
    QFETCH(int, prompts);
    QFETCH(QString, box);

    QStringList lines{QStringLiteral("set system hostname = box-p")};
    if (!simPassword.isEmpty() && simPassword != "-")
        lines << "password " + simPassword;
    SimProcess* sim = m_lab->localSim(QStringLiteral("127.0.9.31"), lines);
    QVERIFY(sim);
    auto dialog = makeDialog("127.0.9.31", "box-p", kMac, "20", stored.toStdString());
    QCOMPARE(dialog->try_connect(), 0);
    if (simPassword == "-")
        m_lab->stopSims();

    int promptCount = 0;
    ModalWatcher watcher([&](QWidget* w) { promptCount += answerPasswordPrompt(w, typed); });
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    QTest::mouseClick(button(*dialog, "pushButton_connect"), Qt::LeftButton);
    QCOMPARE(finished.count(), closes ? 1 : 0);
    if (closes)
        QCOMPARE(finished.first().first().toInt(), 1);
    QCOMPARE(promptCount, prompts);
    QCOMPARE(watcher.boxes().size(), box.isEmpty() ? 0 : 1);
    if (!box.isEmpty())
        QCOMPARE(watcher.boxes().first().text, box);
}

void IpDialogTest::choiceInSelectionIsTestedAndConnected()
{
    QVERIFY(m_lab->localSim(QStringLiteral("127.0.9.41"), {"set system hostname = box-z"}));
    // Nothing remembered and no MAC: the start-up search ends in the selection dialog, where
    // the user names the controller with a zero-padded address and connects.
    auto dialog = makeDialog("", "", "");
    ModalWatcher watcher([&](QWidget* w) {
        auto* selection = qobject_cast<TrackboxSelection*>(w);
        if (!selection)
            return;
        selection->findChild<QRadioButton*>(QStringLiteral("rb_specificZec"))->click();
        auto* host = selection->findChild<QLineEdit*>(QStringLiteral("txt_fixHostnameOrIp"));
        QTest::keyClicks(host, QStringLiteral("127.0.9.041"));
        QTest::keyClick(host, Qt::Key_Return);
        auto* table = selection->findChild<QTableWidget*>(QStringLiteral("tableWidget"));
        table->setCurrentCell(0, 0);
        QTest::mouseClick(button(*selection, "pushButton_connect"), Qt::LeftButton);
    });
    QCOMPARE(dialog->start_and_exec(), 1);
    QCOMPARE(dialog->get_hostname(), QStringLiteral("box-z"));
    QCOMPARE(dialog->get_ip_str(), QStringLiteral("127.0.9.41"));
    QCOMPARE(dialog->getPort(), quint16(50105));
    QCOMPARE(dialog->get_mac(), kMac);
    QCOMPARE(dialog->getTrackboxSelection(), 1);
    QCOMPARE(dialog->fixHostname(), QStringLiteral("127.0.9.041"));
    QVERIFY(progressText(*dialog).contains("resolving 'box-z'"));
    QVERIFY(watcher.boxes().isEmpty());
}

// A choice in the selection dialog as the user makes it ("Other Controller", the specific
// controller listed, its row double-clicked): the selection reports host name, port, address
// and MAC in this order, and the choice is tested with all of them, the chosen MAC included.
// The window closes at once when the choice answers; the selection has asked for the
// password already.
void IpDialogTest::chosenControllerTest_data()
{
    QTest::addColumn<QStringList>("simLines");
    QTest::addColumn<QString>("afterListing");  // control line once the row is listed
    QTest::addColumn<QString>("rememberedMac");
    QTest::addColumn<QString>("chosenMac");
    QTest::addColumn<QStringList>("fragments");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<int>("prompts");
    QTest::addColumn<int>("reopened");  // the selection, after the choice
    QTest::addColumn<bool>("wolShown");

    const QStringList boxH{QStringLiteral("set system hostname = box-h")};
    const QStringList noMac =
        boxH + QStringList{"raw system ethernet_mac | orvane2 set system ethernet_mac "};
    const QString otherMac = QStringLiteral("02:00:5E:10:00:99");
    const QStringList identified{"resolving 'box-h'", "Controller: 'box-h'"};
    const QStringList gone{"resolving 'box-h'", "no connection to", "Controller 'box-h'"};
    QTest::newRow("answers") << boxH << ""
                             << "" << kMac << identified << true << 0 << 0 << false;
    QTest::newRow("protected, no second prompt")
        << (boxH + QStringList{"password pw.9"}) << "" << otherMac << kMac << identified << true
        << 1 << 0 << false;
    QTest::newRow("host name unreadable")
        << boxH << "error system hostname"
        << "" << kMac
        << QStringList{"resolving 'box-h'", "Controller has changed", "expected: 'box-h'",
                       "found: ''"}
        << false << 0 << 1 << false;
    QTest::newRow("gone, its MAC known, the previous one's not")
        << boxH << "error system version"
        << "" << kMac << gone << false << 0 << 0 << true;
    QTest::newRow("gone, no MAC, the previous one's known")
        << noMac << "error system version" << otherMac << "" << gone << false << 0 << 1 << false;
}

void IpDialogTest::chosenControllerTest()
{
    QFETCH(QStringList, simLines);
    QFETCH(QString, afterListing);
    QFETCH(QString, rememberedMac);
    QFETCH(QString, chosenMac);
    QFETCH(QStringList, fragments);
    QFETCH(bool, closes);
    QFETCH(int, prompts);
    QFETCH(int, reopened);
    QFETCH(bool, wolShown);

    SimProcess* sim = m_lab->localSim(QStringLiteral("127.0.9.51"), simLines);
    QVERIFY(sim);
    auto dialog = makeDialog("127.0.9.11", "remembered", rememberedMac);
    dialog->show();
    int openings = 0;
    int promptCount = 0;
    ModalWatcher watcher([&](QWidget* w) {
        auto* selection = qobject_cast<TrackboxSelection*>(w);
        if (!selection)
            return;
        if (++openings > 1) {
            selection->reject();
            return;
        }
        selection->findChild<QRadioButton*>(QStringLiteral("rb_specificZec"))->click();
        auto* host = selection->findChild<QLineEdit*>(QStringLiteral("txt_fixHostnameOrIp"));
        QTest::keyClicks(host, QStringLiteral("127.0.9.51"));
        QTest::keyClick(host, Qt::Key_Return);
        if (!afterListing.isEmpty())
            sim->control(afterListing);
        // The prompt opens inside this handler, where the watcher cannot reach it.
        QTimer prompt;
        connect(&prompt, &QTimer::timeout, [&] {
            promptCount += answerPasswordPrompt(QApplication::activeModalWidget(), "pw.9");
        });
        prompt.start(5);
        auto* table = selection->findChild<QTableWidget*>(QStringLiteral("tableWidget"));
        const QPoint row = table->visualRect(table->model()->index(0, 0)).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, row);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, row);
    });
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    QTest::mouseClick(button(*dialog, "pushButton_other"), Qt::LeftButton);
    QCOMPARE(openings, 1);
    QTRY_VERIFY2(progressText(*dialog).contains(fragments.last()),
                 qPrintable(progressText(*dialog)));

    QString missing;
    const QString text = progressText(*dialog);
    QVERIFY2(containsInOrder(text, fragments, &missing), qPrintable(missing + " in:\n" + text));
    QVERIFY2(!text.contains("testing"), qPrintable(text));
    QCOMPARE(finished.count(), closes ? 1 : 0);
    QCOMPARE(promptCount, prompts);
    QCOMPARE(openings - 1, reopened);
    QCOMPARE(!button(*dialog, "pushButton_wol")->isHidden(), wolShown);
    // The choice replaces the remembered controller for good.
    QCOMPARE(dialog->get_ip_str(), QStringLiteral("127.0.9.51"));
    QCOMPARE(dialog->get_mac(), chosenMac);
    QVERIFY(watcher.boxes().isEmpty());
}

void IpDialogTest::wakeOnLanConnectsWithoutAnotherClick_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::addColumn<QString>("address");  // one per row: the lab's hosts outlive the rows
    QTest::newRow("wake-on-LAN button") << true << "192.0.2.20";
    QTest::newRow("wake-up at start") << false << "192.0.2.21";
}

void IpDialogTest::wakeOnLanConnectsWithoutAnotherClick()
{
    QFETCH(bool, byButton);
    QFETCH(QString, address);
    SimProcess* sim = m_lab->subnetSim(address, {"set system hostname = sleepy", "boot-time 300"});
    QVERIFY(sim);
    const QString slept = sim->control(QStringLiteral("sleep"));
    if (slept != QLatin1String("ok wol"))
        QSKIP("the simulator cannot open the wake-on-LAN ports here");

    auto dialog = makeDialog(address, "sleepy", kMac);
    dialog->setWakeRetryIntervalMs(400);
    int waits = 0;
    ModalWatcher watcher([&](QWidget* w) {
        if (qobject_cast<EndlessProgressDlg*>(w))
            ++waits;  // left alone: it must close by itself
        else if (auto* d = qobject_cast<QDialog*>(w))
            d->reject();
    });
    if (byButton) {
        QTimer clicker;
        connect(&clicker, &QTimer::timeout, [&] {
            QPushButton* wol = button(*dialog, "pushButton_wol");
            if (!wol->isHidden() && wol->isEnabled()) {
                clicker.stop();
                QTest::mouseClick(wol, Qt::LeftButton);
            }
        });
        clicker.start(20);
        QCOMPARE(dialog->start_and_exec(), 1);
    } else {
        QCOMPARE(dialog->try_connect_2(), 1);
        QSignalSpy finished(dialog.get(), &QDialog::finished);
        dialog->doWakeOnLan();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(dialog->result(), 1);
    }
    QCOMPARE(waits, 1);
    QCOMPARE(dialog->get_hostname(), QStringLiteral("sleepy"));
    QVERIFY(sim->control("stats").contains("power=awake"));
    QVERIFY(watcher.boxes().isEmpty());
}

// The controller's subnet has no route from the PC (its link is gone): neither magic packet
// leaves, so there is nothing to wait for.
void IpDialogTest::wakeOnLanThatSendsNothingWaitsForNothing_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::newRow("wake-on-LAN button") << true;
    QTest::newRow("wake-up at start") << false;
}

void IpDialogTest::wakeOnLanThatSendsNothingWaitsForNothing()
{
    QFETCH(bool, byButton);
    auto dialog = makeDialog("203.0.113.7", kUnknownName, kMac);
    dialog->setWakeRetryIntervalMs(50);
    int waits = 0;
    ModalWatcher watcher(countAndCancelWakeWaits(waits));
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    if (byButton) {
        dialog->show();
        QCOMPARE(dialog->try_connect(), 1);
        QPushButton* wol = button(*dialog, "pushButton_wol");
        QVERIFY(!wol->isHidden());
        QTest::mouseClick(wol, Qt::LeftButton);
    } else {
        QCOMPARE(dialog->try_connect_2(), 1);
        dialog->doWakeOnLan();
    }
    QCOMPARE(waits, 0);
    QCOMPARE(watcher.boxes().size(), 1);
    QCOMPARE(watcher.boxes().first().title, QStringLiteral("Wake On LAN"));
    QCOMPARE(watcher.boxes().first().text, "Cannot do wake on LAN for " + kUnknownName + ".");
    QCOMPARE(finished.count(), 0);
}

// F5 connects whatever the test found; with no controller found the address is 0, which on
// Linux is this PC: a controller running here must not be the one asked and connected.
void IpDialogTest::connectWithoutAddressAsksNobody_data()
{
    QTest::addColumn<QStringList>("localLines");
    QTest::newRow("open controller on this PC") << QStringList{"log on"};
    QTest::newRow("protected controller on this PC") << QStringList{"log on", "password pw.3"};
}

void IpDialogTest::connectWithoutAddressAsksNobody()
{
    QFETCH(QStringList, localLines);
    SimProcess* local = m_lab->localSim(QStringLiteral("127.0.0.1"), localLines);
    QVERIFY(local);
    auto dialog = makeDialog("", kUnknownName, "", "21");
    ModalWatcher watcher;  // the selection is closed, a prompt cancelled
    QCOMPARE(dialog->try_connect(), 1);
    QCOMPARE(dialog->get_ip_str(), QStringLiteral("0.0.0.0"));
    local->takeOutputLines();

    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    QTest::keyClick(dialog.get(), Qt::Key_F5);
    QCOMPARE(finished.count(), 0);
    QCOMPARE(watcher.dialogsSeen(), 1);  // only the selection of the search
    QCOMPARE(watcher.boxes().size(), 1);
    QCOMPARE(watcher.boxes().first().text,
             QStringLiteral("Failed to obtain authentication requirements.\n"
                            "No connection to Controller?"));
    local->control(QStringLiteral("stats"));
    QCOMPARE(local->takeOutputLines(), QStringList());
}

void IpDialogTest::keysMoveAndCloseTheWindow_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QPoint>("moved");
    QTest::addColumn<bool>("closes");
    QTest::newRow("4 left") << int(Qt::Key_4) << QPoint(-10, 0) << false;
    QTest::newRow("6 right") << int(Qt::Key_6) << QPoint(10, 0) << false;
    QTest::newRow("8 up") << int(Qt::Key_8) << QPoint(0, -10) << false;
    QTest::newRow("2 down") << int(Qt::Key_2) << QPoint(0, 10) << false;
    QTest::newRow("Escape exits") << int(Qt::Key_Escape) << QPoint() << true;
}

void IpDialogTest::keysMoveAndCloseTheWindow()
{
    QFETCH(int, key);
    QFETCH(QPoint, moved);
    QFETCH(bool, closes);
    auto dialog = makeDialog("", "", "");
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    const QPoint before = dialog->pos();
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    QTest::keyClick(dialog.get(), Qt::Key(key));
    QCOMPARE(dialog->pos() - before, moved);
    QCOMPARE(finished.count(), closes ? 1 : 0);
    if (closes)
        QCOMPARE(finished.first().first().toInt(), 0);
    QVERIFY(dialog->toolTip().isEmpty());
    QTest::mousePress(dialog.get(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(dialog->toolTip(), QStringLiteral("Press 2, 4, 6 or 8 to move the window"));
}

QTEST_MAIN(IpDialogTest)
#include "tst_ipdialog.moc"
