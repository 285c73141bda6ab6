// The about dialog: the versions of the front-end and the controller, the
// loaded modules, the slaves of a cascade, and the details fold.

#include "AboutDlg2g.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include "BackendVersions.h"
#include "ModalWatcher.h"
#include "ServiceTestController.h"

using Rows = QList<QStringList>;
Q_DECLARE_METATYPE(Rows)

namespace {

// This program's part of the loopback block.
constexpr int FirstHost = 100;

Rows tableRows(const QTableWidget* table)
{
    Rows rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < table->columnCount(); ++c)
            row << (table->item(r, c) ? table->item(r, c)->text() : QString());
        rows << row;
    }
    return rows;
}

BackendVersions versionsWithProtocol(const VersionInfo& protocol)
{
    BackendVersions v;
    v.setProtocol(protocol);
    return v;
}

}  // namespace

class TestAboutDlg2g : public QObject
{
    Q_OBJECT

private slots:
    void labelsShowFrontendAndController_data();
    void labelsShowFrontendAndController();
    void cascadeTabListsSlaves_data();
    void cascadeTabListsSlaves();
    void detailsButtonFoldsDetails();
    void keysCloseTheDialog_data();
    void keysCloseTheDialog();
    void logoFollowsTheme_data();
    void logoFollowsTheme();
};

void TestAboutDlg2g::labelsShowFrontendAndController_data()
{
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QStringList>("controls");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("frontend");
    QTest::addColumn<QString>("controller");

    const QString publisher = "\nPublished by QOR Systems";
    QTest::newRow("release, model 20")
        << "demo" << QStringList() << ""
        << "ORVANE3 frontend (on this PC):\nv3.3.1 2026-11-30" + publisher
        << "Firmware release (Controller):\nv2.9.4\ntrackbox-demo serial 21407\n"
           "(c) 2019-2026 QOR Systems";
    QTest::newRow("pre-release, model 2 serial as S and eight digits")
        << "model2" << QStringList() << "beta2"
        << "ORVANE3 frontend (on this PC):\nv3.3.1-beta2 2026-11-30" + publisher
        << "Firmware release (Controller):\nv2.9.4\ntrackbox-m2 serial S00001234\n"
           "(c) 2019-2026 QOR Systems";
    QTest::newRow("controller answers nothing")
        << "demo"
        << QStringList{"error system version", "error system hostname",
                       "error system controller_serial", "error system version_copyright"}
        << ""
        << "ORVANE3 frontend (on this PC):\nv3.3.1 2026-11-30" + publisher
        << "Firmware release (Controller):\nunknown\nunknown serial unknown\n";
    QTest::newRow("texts with percent signs stay as they are")
        << "demo" << QStringList{"set system hostname = lab%1", "set system controller_serial = %2"}
        << ""
        << "ORVANE3 frontend (on this PC):\nv3.3.1 2026-11-30" + publisher
        << "Firmware release (Controller):\nv2.9.4\nlab%1 serial %2\n(c) 2019-2026 QOR Systems";
}

void TestAboutDlg2g::labelsShowFrontendAndController()
{
    QFETCH(QString, profile);
    QFETCH(QStringList, controls);
    QFETCH(QString, suffix);
    QFETCH(QString, frontend);
    QFETCH(QString, controller);

    ServiceTestController sim(FirstHost);
    QVERIFY(sim.start(profile, controls));
    BackendVersions versions = versionsWithProtocol(VersionInfo(1, 27, -1));
    AboutDlg2g dialog(sim.io(), nullptr, &versions, true);
    FrontendVersion v;
    v.ma = 3;
    v.mi = 3;
    v.pa = 1;
    v.suffix = suffix;
    v.buildDate = "2026-11-30";
    dialog.setFrontendVersion(v);
    dialog.setModuleVersions({{"GUI Body Calibration", "v2.1.0"}, {"GUI Monitor 2D", "v1.4"}});

    ModalWatcher unexpected;
    QString shownFrontend, shownController;
    Rows modules;
    execWhileOpen(dialog, [&] {
        shownFrontend = dialog.findChild<QLabel*>("label_frontend")->text();
        shownController = dialog.findChild<QLabel*>("label_controller")->text();
        modules = tableRows(dialog.findChild<QTableWidget*>("tableWidget_modules"));
    });
    QCOMPARE(shownFrontend, frontend);
    QCOMPARE(shownController, controller);
    QCOMPARE(modules, (Rows{{"GUI Body Calibration", "v2.1.0"}, {"GUI Monitor 2D", "v1.4"}}));
    QVERIFY(unexpected.boxes().isEmpty());
}

void TestAboutDlg2g::cascadeTabListsSlaves_data()
{
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QStringList>("controls");
    QTest::addColumn<QString>("protocol");
    QTest::addColumn<Rows>("slaves");  // empty: no cascade tab

    const Rows both = {{"trackbox-slave1 (198.51.100.11)", "21501", "v2.9.4"},
                       {"trackbox-slave2 (198.51.100.12)", "21502", "not available"}};
    QTest::newRow("master with two slaves") << "cascade" << QStringList() << "1.27" << both;
    QTest::newRow("no slaves") << "demo" << QStringList() << "1.27" << Rows();
    QTest::newRow("protocol too old for cascades")
        << "cascade" << QStringList() << "1.6.9" << Rows();
    QTest::newRow("slave count unreadable")
        << "cascade" << QStringList{"error cascade number_of_connected_slaves"} << "1.27" << Rows();
    QTest::newRow("slave version unreadable")
        << "cascade" << QStringList{"error system version_slave 198.51.100.11"} << "1.27"
        << Rows{{"trackbox-slave1 (198.51.100.11)", "21501", "unknown"}, both[1]};
    QTest::newRow("slave host name from its controller record")
        << "cascade" << QStringList{"error system hostname_slave 198.51.100.12"} << "1.27" << both;
}

void TestAboutDlg2g::cascadeTabListsSlaves()
{
    QFETCH(QString, profile);
    QFETCH(QStringList, controls);
    QFETCH(QString, protocol);
    QFETCH(Rows, slaves);

    ServiceTestController sim(FirstHost);
    QVERIFY(sim.start(profile, controls));
    BackendVersions versions = versionsWithProtocol(VersionInfo::fromString(protocol));
    AboutDlg2g dialog(sim.io(), nullptr, &versions, false);
    auto* tabs = dialog.findChild<QTabWidget*>("tabWidget");

    // Opened twice: the second time shows the cascade once, as it is then.
    for (int pass = 0; pass < 2; ++pass) {
        QStringList titles;
        Rows rows;
        execWhileOpen(dialog, [&] {
            for (int i = 0; i < tabs->count(); ++i)
                titles << tabs->tabText(i);
            if (auto* table = dialog.findChild<QTableWidget*>("tableWidget_cascade"))
                rows = tableRows(table);
        });
        if (slaves.isEmpty()) {
            QCOMPARE(titles, QStringList{"&Modules"});
        } else {
            QCOMPARE(titles, (QStringList{"&Modules", "&Cascade"}));
            QCOMPARE(rows, slaves);
        }
    }
}

void TestAboutDlg2g::detailsButtonFoldsDetails()
{
    AboutDlg2g dialog(nullptr, nullptr, nullptr, true);
    auto* details = dialog.findChild<QWidget*>("widget_details");
    auto* button = dialog.findChild<QPushButton*>("pushButton_details");
    QStringList seen;
    execWhileOpen(dialog, [&] {
        seen << button->text() + (details->isVisible() ? " visible" : " hidden");
        button->click();
        seen << button->text() + (details->isVisible() ? " visible" : " hidden");
        button->click();
        seen << button->text() + (details->isVisible() ? " visible" : " hidden");
    });
    QCOMPARE(seen, (QStringList{"Show &details hidden", "Hide &details visible",
                                "Show &details hidden"}));
}

void TestAboutDlg2g::keysCloseTheDialog_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Enter") << int(Qt::Key_Enter);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void TestAboutDlg2g::keysCloseTheDialog()
{
    QFETCH(int, key);
    AboutDlg2g dialog(nullptr, nullptr, nullptr, true);
    auto* details = dialog.findChild<QPushButton*>("pushButton_details");
    QString detailsText;
    QTimer::singleShot(0, &dialog, [&] {
        // With the focus on the details button the key still closes, and
        // does not fold the details first.
        details->setFocus();
        QTest::keyClick(details, Qt::Key(key));
        detailsText = details->text();
        if (dialog.isVisible())
            dialog.reject();
    });
    const int result = dialog.update_and_exec();
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(detailsText, QString("Show &details"));
}

void TestAboutDlg2g::logoFollowsTheme_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("logo");
    QTest::newRow("dark") << true << ":/images/logos/qor_transparent02.png";
    QTest::newRow("bright") << false << ":/images/logos/qor_transparent02-brightmode.png";
}

void TestAboutDlg2g::logoFollowsTheme()
{
    QFETCH(bool, dark);
    QFETCH(QString, logo);
    AboutDlg2g dialog(nullptr, nullptr, nullptr, dark);
    const QImage expected = QPixmap(logo).toImage();
    QVERIFY2(!expected.isNull(), qPrintable(logo));
    const QPixmap shown = dialog.findChild<QLabel*>("label_logo")->pixmap(Qt::ReturnByValue);
    QCOMPARE(shown.toImage(), expected);
}

QTEST_MAIN(TestAboutDlg2g)
#include "tst_aboutdlg2g.moc"
