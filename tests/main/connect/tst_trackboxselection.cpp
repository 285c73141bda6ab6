// The controller selection dialog driven as a user would, against simulated controllers on a
// lab subnet: the specific-controller entry, the scan table, sorting, the events that update
// it, and choosing a controller with its password.
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

#include <functional>

#include "ConnectLab.h"
#include "ModalWatcher.h"
#include "PasswordInputDialog.h"
#include "TrackboxSelection.h"

namespace {

// On the subnet, by address: charlie (.21), alpha (.22, a slave held by its master) and
// bravo (.23, protected by a password): names and addresses sort differently.
const QString kCharlie = QStringLiteral("192.0.2.21");
const QString kAlpha = QStringLiteral("192.0.2.22");
const QString kBravo = QStringLiteral("192.0.2.23");
const QString kPassword = QStringLiteral("sel.pw7");

template <typename T>
T* child(QWidget& w, const char* name)
{
    return w.findChild<T*>(QLatin1String(name));
}

QStringList column(QTableWidget* table, int col)
{
    QStringList out;
    for (int row = 0; row < table->rowCount(); ++row)
        out << (table->item(row, col) ? table->item(row, col)->text() : QString());
    return out;
}

int rowOf(QTableWidget* table, const QString& name)
{
    return column(table, TrackboxSelection::ColName).indexOf(name);
}

void clickHeader(QTableWidget* table, int col)
{
    QHeaderView* header = table->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(col) + 5, header->height() / 2));
}

}  // namespace

class TrackboxSelectionTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_lab.reset(); }
    void init();

    void openingShowsNoMessageAndForgetsTheEntry();
    void specificControllerEntry_data();
    void specificControllerEntry();
    void scanListsGreyedAndSlaveRows();
    void subnetEntry_data();
    void subnetEntry();
    void sortingIsKeptAcrossUpdates_data();
    void sortingIsKeptAcrossUpdates();
    void updateTriggers_data();
    void updateTriggers();
    void choosingReportsTheController_data();
    void choosingReportsTheController();

private:
    void scan();
    QTableWidget* table() { return child<QTableWidget>(*m_dialog, "tableWidget"); }

    std::unique_ptr<ConnectLab> m_lab;
    std::unique_ptr<TrackboxSelection> m_dialog;
    SimProcess* m_alpha = nullptr;
    SimProcess* m_charlie = nullptr;
};

void TrackboxSelectionTest::initTestCase()
{
    CONNECTLAB_ENTER(m_lab, "select");
    m_charlie = m_lab->subnetSim(kCharlie, {"set system hostname = charlie"});
    m_alpha = m_lab->subnetSim(
        kAlpha, {"set system hostname = alpha", "set system slave = yes", "access 10.0.0.7"});
    QVERIFY(m_charlie && m_alpha);
    QVERIFY(m_lab->subnetSim(kBravo, {"set system hostname = bravo", "password " + kPassword}));
    QVERIFY(m_lab->localSim("127.0.9.61", {"set system hostname = box-v"}));
}

void TrackboxSelectionTest::init()
{
    m_dialog = std::make_unique<TrackboxSelection>();
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
}

void TrackboxSelectionTest::scan()
{
    child<QRadioButton>(*m_dialog, "rb_scan")->click();
    QTest::mouseClick(child<QPushButton>(*m_dialog, "pushButton_update"), Qt::LeftButton);
}

void TrackboxSelectionTest::openingShowsNoMessageAndForgetsTheEntry()
{
    m_dialog->hide();
    m_dialog->setTrackboxSelection(1);
    m_dialog->setFixHostname(QStringLiteral("10.0.0.0"));
    QString status = QStringLiteral("not looked at");
    QStringList names;
    ModalWatcher watcher([&](QWidget* w) {
        if (w != m_dialog.get())
            return;
        // The update scheduled by the opening comes a moment later.
        QTRY_VERIFY(table()->rowCount() > 0);
        status = child<QLabel>(*m_dialog, "label_hostnameIpStatus")->text();
        names = column(table(), 0);
        QTest::mouseClick(child<QPushButton>(*m_dialog, "pushButton_exit"), Qt::LeftButton);
    });
    QCOMPARE(m_dialog->update_and_exec(), 0);
    QCOMPARE(status, QString());
    QCOMPARE(names, QStringList{"cannot resolve hostname / IP address"});
    QCOMPARE(m_dialog->fixHostname(), QString());
    QCOMPARE(m_dialog->getTrackboxSelection(), 1);
}

void TrackboxSelectionTest::specificControllerEntry_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QStringList>("names");  // column 0 of the table

    const QStringList unresolved{"cannot resolve hostname / IP address"};
    QTest::newRow("empty") << ""
                           << "Invalid empty hostname." << unresolved;
    QTest::newRow("network address") << "10.0.0.0"
                                     << "Invalid last octet (1..254)." << unresolved;
    QTest::newRow("broadcast address") << "10.0.0.255"
                                       << "Invalid last octet (1..254)." << unresolved;
    QTest::newRow("three parts") << "10.0.0"
                                 << "Invalid numbers-only hostname." << unresolved;
    QTest::newRow("five parts") << "1.2.3.4.5"
                                << "Invalid numbers-only hostname." << unresolved;
    QTest::newRow("part too large") << "10.0.0.256"
                                    << "Invalid numbers-only hostname." << unresolved;
    QTest::newRow("unknown name") << "no-such-box.invalid"
                                  << "Unable to resolve hostname." << unresolved;
    QTest::newRow("zero-padded address") << "127.0.9.061"
                                         << "" << QStringList{"box-v"};
    QTest::newRow("subnet controller") << kCharlie << "" << QStringList{"charlie"};
    QTest::newRow("nobody there") << "127.0.9.62"
                                  << "" << QStringList{"no connection to Controller"};
}

void TrackboxSelectionTest::specificControllerEntry()
{
    QFETCH(QString, typed);
    QFETCH(QString, status);
    QFETCH(QStringList, names);

    child<QRadioButton>(*m_dialog, "rb_specificZec")->click();
    // Switching modes updates without a message, though the empty field is invalid.
    QCOMPARE(column(table(), 0), QStringList{"cannot resolve hostname / IP address"});
    QVERIFY(child<QLabel>(*m_dialog, "label_hostnameIpStatus")->text().isEmpty());

    auto* field = child<QLineEdit>(*m_dialog, "txt_fixHostnameOrIp");
    QTest::keyClicks(field, typed);
    QCOMPARE(field->text(), typed);
    QTest::keyClick(field, Qt::Key_Return);
    const QString label = child<QLabel>(*m_dialog, "label_hostnameIpStatus")->text();
    QCOMPARE(label, status.isEmpty() ? QString() : "<b><font color=red>" + status + "</font></b>");
    QCOMPARE(column(table(), 0), names);
    if (names.first() == "box-v")
        QCOMPARE(table()->item(0, TrackboxSelection::ColIp)->text(), QStringLiteral("127.0.9.61"));
    // Typing again only clears the message.
    QTest::keyClick(field, Qt::Key_A);
    QVERIFY(child<QLabel>(*m_dialog, "label_hostnameIpStatus")->text().isEmpty());
    QCOMPARE(column(table(), 0), names);
}

void TrackboxSelectionTest::scanListsGreyedAndSlaveRows()
{
    scan();
    QTableWidget* t = table();
    QCOMPARE(column(t, 0), QStringList({"alpha", "bravo", "charlie"}));
    const int alpha = rowOf(t, "alpha");
    QCOMPARE(t->item(alpha, TrackboxSelection::ColAccess)->text(), QStringLiteral("none"));
    QCOMPARE(t->item(alpha, TrackboxSelection::ColCascade)->text(), QStringLiteral("slave"));
    QVERIFY(!t->isColumnHidden(TrackboxSelection::ColCascade));
    const QColor disabled = m_dialog->palette().color(QPalette::Disabled, QPalette::Text);
    for (int col = 0; col < TrackboxSelection::ColumnCount; ++col) {
        QCOMPARE(t->item(alpha, col)->foreground().color(), disabled);
        QVERIFY(t->item(rowOf(t, "charlie"), col)->foreground().color() != disabled);
    }
    // Hidden columns carry what the choice needs; the title row sizes the visible ones.
    for (int col :
         {TrackboxSelection::ColIpNumerical, TrackboxSelection::ColPort, TrackboxSelection::ColMac})
        QVERIFY(t->isColumnHidden(col));
    QCOMPARE(t->item(rowOf(t, "charlie"), TrackboxSelection::ColIpNumerical)->text(),
             QString::number(QHostAddress(kCharlie).toIPv4Address()));
    QCOMPARE(t->item(alpha, TrackboxSelection::ColPort)->text(), QStringLiteral("50105"));
    const QFontMetrics metrics(m_dialog->font());
    QVERIFY(t->columnWidth(TrackboxSelection::ColAccess) >= metrics.horizontalAdvance("Access"));

    auto* connectButton = child<QPushButton>(*m_dialog, "pushButton_connect");
    QVERIFY(!connectButton->isEnabled());
    t->setCurrentCell(alpha, 0);
    QVERIFY(!connectButton->isEnabled());
    t->setCurrentCell(rowOf(t, "charlie"), 0);
    QVERIFY(connectButton->isEnabled());

    // The next update without a slave hides the column again.
    QCOMPARE(m_alpha->control("set system slave = no"), QStringLiteral("ok"));
    scan();
    QCOMPARE(m_alpha->control("set system slave = yes"), QStringLiteral("ok"));
    QCOMPARE(t->rowCount(), 3);
    QVERIFY(t->isColumnHidden(TrackboxSelection::ColCascade));
    QVERIFY(!connectButton->isEnabled());
}

void TrackboxSelectionTest::subnetEntry_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("fixSubnet");

    QTest::newRow("one address") << kCharlie << QStringList{"charlie"} << kCharlie;
    QTest::newRow("subnet broadcast")
        << "192.0.2.255" << QStringList({"alpha", "bravo", "charlie"}) << "192.0.2.255";
    QTest::newRow("host name means all subnets")
        << "charlie" << QStringList({"alpha", "bravo", "charlie"}) << "(all subnets)";
    QTest::newRow("empty subnet stays listed")
        << "198.51.100.255"
        << QStringList({"no Controller found", "possibly blocked by the firewall",
                        "or no Controller in subnet"})
        << "198.51.100.255";
}

void TrackboxSelectionTest::subnetEntry()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, names);
    QFETCH(QString, fixSubnet);

    auto* combo = child<QComboBox>(*m_dialog, "cb_fixSubnet");
    m_dialog->setFixSubnet(QString());  // fills the list from the interfaces
    QCOMPARE(combo->itemText(0), QStringLiteral("(all subnets)"));
    QVERIFY(combo->findText("192.0.2.255") > 0);
    child<QRadioButton>(*m_dialog, "rb_scan")->click();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), typed);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QCOMPARE(column(table(), 0), names);
    QCOMPARE(m_dialog->fixSubnet(), fixSubnet);
    QCOMPARE(combo->findData(fixSubnet), combo->currentIndex());
}

void TrackboxSelectionTest::sortingIsKeptAcrossUpdates_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<int>("indicator");

    const int name = TrackboxSelection::ColName;
    const int ip = TrackboxSelection::ColIp;
    QTest::newRow("by name at first")
        << QList<int>{} << QStringList({"alpha", "bravo", "charlie"}) << int(Qt::AscendingOrder);
    QTest::newRow("name clicked: it was sorted by name already")
        << QList<int>{name} << QStringList({"charlie", "bravo", "alpha"})
        << int(Qt::DescendingOrder);
    QTest::newRow("another column ascends")
        << QList<int>{ip} << QStringList({"charlie", "alpha", "bravo"}) << int(Qt::AscendingOrder);
    QTest::newRow("same column twice descends")
        << QList<int>{ip, ip} << QStringList({"bravo", "alpha", "charlie"})
        << int(Qt::DescendingOrder);
    QTest::newRow("back to name ascends")
        << QList<int>{ip, ip, name} << QStringList({"alpha", "bravo", "charlie"})
        << int(Qt::AscendingOrder);
}

void TrackboxSelectionTest::sortingIsKeptAcrossUpdates()
{
    QFETCH(QList<int>, clicks);
    QFETCH(QStringList, order);
    QFETCH(int, indicator);

    scan();
    for (int col : clicks)
        clickHeader(table(), col);
    QCOMPARE(column(table(), 0), order);
    scan();
    QCOMPARE(column(table(), 0), order);
    QHeaderView* header = table()->horizontalHeader();
    QCOMPARE(header->sortIndicatorSection(), clicks.isEmpty() ? 0 : clicks.last());
    QCOMPARE(int(header->sortIndicatorOrder()), indicator);
}

void TrackboxSelectionTest::updateTriggers_data()
{
    QTest::addColumn<bool>("specific");
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<bool>("updates");

    QTest::newRow("update button") << false << "update" << true;
    QTest::newRow("mode switched") << false << "toggle" << true;
    QTest::newRow("Return in host field") << true << "hostReturn" << true;
    QTest::newRow("Return in host field while scanning") << false << "hostReturn" << false;
    QTest::newRow("typing in host field") << true << "hostType" << false;
    QTest::newRow("subnet chosen while scanning") << false << "subnetIndex" << true;
    QTest::newRow("subnet chosen in specific mode") << true << "subnetIndex" << false;
    QTest::newRow("Return in subnet field") << false << "subnetReturn" << true;
    QTest::newRow("release on empty table, nothing current") << false << "release" << true;
    QTest::newRow("release on empty table, a row current") << false << "releaseCurrent" << false;
}

void TrackboxSelectionTest::updateTriggers()
{
    QFETCH(bool, specific);
    QFETCH(QString, trigger);
    QFETCH(bool, updates);

    auto* host = child<QLineEdit>(*m_dialog, "txt_fixHostnameOrIp");
    auto* combo = child<QComboBox>(*m_dialog, "cb_fixSubnet");
    m_dialog->setFixSubnet(QString());
    m_dialog->setFixHostname(kCharlie);
    (specific ? child<QRadioButton>(*m_dialog, "rb_specificZec")
              : child<QRadioButton>(*m_dialog, "rb_scan"))
        ->setChecked(true);
    QTest::mouseClick(child<QPushButton>(*m_dialog, "pushButton_update"), Qt::LeftButton);
    QVERIFY(table()->rowCount() > 0);
    if (trigger == "releaseCurrent")
        table()->setCurrentCell(0, 0);
    // An update rewrites every cell.
    table()->item(0, 0)->setText(QStringLiteral("marker"));
    auto updated = [this] { return table()->item(0, 0)->text() != QLatin1String("marker"); };

    if (trigger == "update")
        QTest::mouseClick(child<QPushButton>(*m_dialog, "pushButton_update"), Qt::LeftButton);
    else if (trigger == "toggle")
        child<QRadioButton>(*m_dialog, "rb_specificZec")->click();
    else if (trigger == "hostReturn")
        QTest::keyClick(host, Qt::Key_Return);
    else if (trigger == "hostType")
        QTest::keyClicks(host, "1");
    else if (trigger == "subnetIndex")
        combo->setCurrentIndex(combo->findText("192.0.2.255"));
    else if (trigger == "subnetReturn")
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    else if (trigger.startsWith("release"))
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {},
                          QPoint(5, table()->viewport()->height() - 5));

    if (updates)
        QTRY_VERIFY(updated());
    else
        QTest::qWait(50);  // a deferred update would have come by now
    QCOMPARE(updated(), updates);
}

void TrackboxSelectionTest::choosingReportsTheController_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<QString>("typed");  // for the password prompt; empty: cancelled
    QTest::addColumn<bool>("silenced");  // the controller stops answering after the scan
    QTest::addColumn<bool>("chosen");
    QTest::addColumn<int>("prompts");
    QTest::addColumn<QString>("box");

    QTest::newRow("connect button") << "charlie" << false << "" << false << true << 0 << "";
    QTest::newRow("double click") << "charlie" << true << "" << false << true << 0 << "";
    QTest::newRow("double click on a greyed row")
        << "alpha" << true << "" << false << false << 0 << "";
    QTest::newRow("password given") << "bravo" << false << kPassword << false << true << 1 << "";
    QTest::newRow("password prompt cancelled")
        << "bravo" << false << "" << false << false << 1 << "";
    QTest::newRow("requirement unreadable")
        << "charlie" << false << "" << true << false << 0
        << "Failed to obtain authentication requirements.\nNo connection to Controller?";
}

void TrackboxSelectionTest::choosingReportsTheController()
{
    QFETCH(QString, name);
    QFETCH(bool, doubleClick);
    QFETCH(QString, typed);
    QFETCH(bool, silenced);
    QFETCH(bool, chosen);
    QFETCH(int, prompts);
    QFETCH(QString, box);

    scan();
    QTableWidget* t = table();
    const int row = rowOf(t, name);
    QVERIFY(row >= 0);
    QStringList reported;
    connect(m_dialog.get(), &TrackboxSelection::trackbox_changed,
            [&](const QString& h) { reported << "hostname " + h; });
    connect(m_dialog.get(), &TrackboxSelection::trackbox_changed_port,
            [&](unsigned int p) { reported << "port " + QString::number(p); });
    connect(m_dialog.get(), &TrackboxSelection::trackbox_changed_ip,
            [&](unsigned int ip) { reported << "ip " + QHostAddress(ip).toString(); });
    connect(m_dialog.get(), &TrackboxSelection::trackbox_changed_mac,
            [&](const QString& m) { reported << "mac " + m; });
    QSignalSpy finished(m_dialog.get(), &QDialog::finished);
    int promptCount = 0;
    ModalWatcher watcher([&](QWidget* w) { promptCount += answerPasswordPrompt(w, typed); });
    if (silenced)
        QCOMPARE(m_charlie->control("silent on"), QStringLiteral("ok"));

    const QRect cell = t->visualRect(t->model()->index(row, 0));
    if (doubleClick) {
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, cell.center());
    } else {
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseClick(child<QPushButton>(*m_dialog, "pushButton_connect"), Qt::LeftButton);
    }
    if (silenced)
        QCOMPARE(m_charlie->control("silent off"), QStringLiteral("ok"));

    const QString address = name == "charlie" ? kCharlie : name == "bravo" ? kBravo : kAlpha;
    const QStringList expected{"hostname " + name, "port 50105", "ip " + address,
                               "mac 02:00:5E:10:00:01"};
    QCOMPARE(reported, chosen ? expected : QStringList());
    QCOMPARE(finished.count(), chosen ? 1 : 0);
    if (chosen)
        QCOMPARE(finished.first().first().toInt(), 1);
    QCOMPARE(promptCount, prompts);
    QCOMPARE(watcher.boxes().size(), box.isEmpty() ? 0 : 1);
    if (!box.isEmpty())
        QCOMPARE(watcher.boxes().first().text, box);
}

QTEST_MAIN(TrackboxSelectionTest)
#include "tst_trackboxselection.moc"
