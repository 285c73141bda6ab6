// The service dialog as a user and the support meet it: the service id for
// each kind of controller, the copy for an e-mail, the support link, the
// guides opened with the desktop's viewer, and the export entry.

#include "ServiceDialog.h"

#include "AboutDlg2g.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

#include "BackendVersions.h"
#include "DocumentLinks.h"
#include "FrontendVersion.h"
#include "ModalWatcher.h"
#include "ServiceTestController.h"

namespace {

// This program's part of the loopback block.
constexpr int FirstHost = 1;

QList<QUrl> g_opened;
bool g_openSucceeds = true;

bool recordingOpener(const QUrl& url)
{
    g_opened.append(url);
    return g_openSucceeds;
}

QString hrefOf(const QLabel* label)
{
    return QRegularExpression("href=\"([^\"]*)\"").match(label->text()).captured(1);
}

}  // namespace

class TestServiceDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void serviceIdFollowsModelSerialAndSyncCard_data();
    void serviceIdFollowsModelSerialAndSyncCard();
    void copyPutsIdentificationOnClipboard();
    void guideLinksOpenInstalledDocuments_data();
    void guideLinksOpenInstalledDocuments();
    void exportRunsWithDialogChannelAndVersions();

private:
    DocumentLinks::UrlOpener m_previousOpener = nullptr;
};

void TestServiceDialog::init()
{
    g_opened.clear();
    g_openSucceeds = true;
    m_previousOpener = DocumentLinks::setUrlOpener(recordingOpener);
    DocumentLinks::setProgramDirectory(ORVANE_BIN_DIR);
}

void TestServiceDialog::cleanup()
{
    DocumentLinks::setUrlOpener(m_previousOpener);
    DocumentLinks::setProgramDirectory(QString());
}

void TestServiceDialog::serviceIdFollowsModelSerialAndSyncCard_data()
{
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QStringList>("controls");
    QTest::addColumn<QString>("serviceId");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("supportId");  // as the link carries it; empty: the id itself

    QTest::newRow("model 20") << "demo" << QStringList() << "KBX2-21407"
                              << "v2.9.4"
                              << "";
    QTest::newRow("model 21") << "model21" << QStringList() << "KBX3-31077"
                              << "v2.9.4"
                              << "";
    QTest::newRow("model 2 pads to eight digits") << "model2" << QStringList() << "ZECM-S00001234"
                                                  << "v2.9.4"
                                                  << "";
    QTest::newRow("model 2 serial 123")
        << "model2" << QStringList{"set system controller_serial = 123"} << "ZECM-S00000123"
        << "v2.9.4"
        << "";
    QTest::newRow("model 2 long serial is not cut")
        << "model2" << QStringList{"set system controller_serial = 123456789"} << "ZECM-S123456789"
        << "v2.9.4"
        << "";
    QTest::newRow("other model with sync card 0x0401: bare serial")
        << "old" << QStringList() << "812"
        << "v0.2.6"
        << "";
    QTest::newRow("other model, other sync card")
        << "demo" << QStringList{"set system model = 0", "set synccard synccard d01 = 0x0301 6001"}
        << "ZEC-21407"
        << "v2.9.4"
        << "";
    QTest::newRow("other model, no sync card")
        << "demo" << QStringList{"set system model = 7", "set synccard number_of_synccards = 0"}
        << "ZEC-21407"
        << "v2.9.4"
        << "";
    QTest::newRow("sync card query fails")
        << "demo" << QStringList{"set system model = 0", "error synccard number_of_synccards"}
        << "ZEC-21407"
        << "v2.9.4"
        << "";
    QTest::newRow("sync card type unreadable")
        << "demo" << QStringList{"set system model = 0", "error synccard synccard d01"}
        << "ZEC-21407"
        << "v2.9.4"
        << "";
    QTest::newRow("nothing answers")
        << "demo"
        << QStringList{"error system controller_serial", "error system model",
                       "error synccard number_of_synccards", "error system version"}
        << "ZEC-00000"
        << ""
        << "";
    QTest::newRow("model unreadable counts as other")
        << "demo"
        << QStringList{"raw system model | orvane2 set system model twenty",
                       "set synccard synccard d01 = 0x0301 1"}
        << "ZEC-21407"
        << "v2.9.4"
        << "";
    // A serial is the controller's text: the link and the label keep it as text.
    QTest::newRow("serial with markup and URL signs")
        << "demo" << QStringList{"set system controller_serial = 7<b>&x#2?y"} << "KBX2-7<b>&x#2?y"
        << "v2.9.4"
        << "KBX2-7%3Cb%3E%26x%232%3Fy";
}

void TestServiceDialog::serviceIdFollowsModelSerialAndSyncCard()
{
    QFETCH(QString, profile);
    QFETCH(QStringList, controls);
    QFETCH(QString, serviceId);
    QFETCH(QString, version);
    QFETCH(QString, supportId);
    if (supportId.isEmpty())
        supportId = serviceId;

    ServiceTestController controller(FirstHost);
    QVERIFY(controller.start(profile, controls));
    BackendVersions versions;
    ServiceDialog dialog(controller.io(), nullptr, &versions);
    ModalWatcher unexpected;
    QString shownId, shownVersion, link, linkText;
    execWhileOpen(dialog, [&] {
        shownId = dialog.findChild<QLineEdit*>("lineEdit_serviceId")->text();
        shownVersion = dialog.findChild<QLineEdit*>("lineEdit_version")->text();
        auto* web = dialog.findChild<QLabel*>("label_webLink");
        link = hrefOf(web);
        QTextDocument doc;
        doc.setHtml(web->text());
        linkText = doc.toPlainText().trimmed();
    });
    QCOMPARE(shownId, serviceId);
    QCOMPARE(dialog.serviceId(), serviceId);
    QCOMPARE(shownVersion, version);
    QCOMPARE(link, QString(ServiceDialog::TechnicalSupportUrl) + supportId);
    QCOMPARE(linkText, link);
    QVERIFY2(unexpected.boxes().isEmpty(), "a failed query must not show a box");
}

void TestServiceDialog::copyPutsIdentificationOnClipboard()
{
    ServiceTestController controller(FirstHost);
    QVERIFY(controller.start("demo", {"set system version = v2.9.4 \"50% faster\""}));
    BackendVersions versions;
    ServiceDialog dialog(controller.io(), nullptr, &versions);
    QApplication::clipboard()->clear();
    execWhileOpen(dialog, [&] { dialog.findChild<QPushButton*>("pushButton_copy")->click(); });

    // Labels and fields as the form shows them; the last line has no break.
    const QString expected =
        "Service ID: KBX2-21407\n"
        "Controller version: v2.9.4 \"50% faster\"\n"
        "Frontend version: " +
        FrontendVersion::current().text();
    QCOMPARE(QApplication::clipboard()->text(), expected);
}

void TestServiceDialog::guideLinksOpenInstalledDocuments_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("document");
    QTest::addColumn<bool>("viewerWorks");
    QTest::addColumn<bool>("documentInstalled");

    const QList<QPair<const char*, const char*>> guides = {
        {"label_hardwareGuide", "doc/QOR_Hardware_Installation-Guide.pdf"},
        {"label_usersGuide", "doc/ORVANE3_Users-Guide.pdf"},
        {"label_programmersGuide", "doc/ORVANE3_Programmers-Guide.pdf"},
    };
    for (const auto& g : guides) {
        QTest::addRow("%s opens", g.first) << "service" << g.first << g.second << true << true;
        QTest::addRow("%s without viewer", g.first)
            << "service" << g.first << g.second << false << true;
    }
    QTest::newRow("guide not installed") << "service"
                                         << "label_usersGuide"
                                         << "doc/ORVANE3_Users-Guide.pdf" << true << false;
    QTest::newRow("open-source notice opens") << "about"
                                              << "label_openSource"
                                              << "license/QOR_OSD.pdf" << true << true;
    QTest::newRow("open-source notice without viewer") << "about"
                                                       << "label_openSource"
                                                       << "license/QOR_OSD.pdf" << false << true;
}

void TestServiceDialog::guideLinksOpenInstalledDocuments()
{
    QFETCH(QString, dialog);
    QFETCH(QString, label);
    QFETCH(QString, document);
    QFETCH(bool, viewerWorks);
    QFETCH(bool, documentInstalled);

    // An installation path with blanks and a '#' must still give a working link.
    QTemporaryDir install;
    const QString root = install.path() + "/QOR tracking #2";
    QVERIFY(QDir().mkpath(root + "/bin"));
    QVERIFY(QDir().mkpath(root + "/doc"));
    QVERIFY(QDir().mkpath(root + "/license"));
    if (documentInstalled)
        QVERIFY(
            QFile::copy(QStringLiteral(ORVANE_BIN_DIR "/../") + document, root + "/" + document));
    DocumentLinks::setProgramDirectory(root + "/bin");
    g_openSucceeds = viewerWorks;

    std::unique_ptr<QDialog> shown;
    if (dialog == "service")
        shown = std::make_unique<ServiceDialog>(nullptr, nullptr, nullptr);
    else
        shown = std::make_unique<AboutDlg2g>(nullptr, nullptr, nullptr, true);
    auto* guide = shown->findChild<QLabel*>(label);
    const QString href = hrefOf(guide);
    QVERIFY2(href.startsWith("file:///"), qPrintable(href));
    ModalWatcher boxes;
    emit guide->linkActivated(href);

    if (documentInstalled) {
        QCOMPARE(g_opened.size(), 1);
        QCOMPARE(g_opened[0], QUrl::fromLocalFile(root + "/" + document));
    } else {
        QVERIFY2(g_opened.isEmpty(), "a missing document is not handed to the viewer");
    }
    if (viewerWorks && documentInstalled) {
        QVERIFY(boxes.boxes().isEmpty());
    } else {
        QCOMPARE(boxes.boxes().size(), 1);
        QCOMPARE(boxes.boxes()[0].title, QString("Error"));
        QCOMPARE(boxes.boxes()[0].text,
                 "Failed to open " + href + " Do you have a PDF reader installed?");
    }
}

void TestServiceDialog::exportRunsWithDialogChannelAndVersions()
{
    ServiceTestController controller(FirstHost);
    QVERIFY(controller.start("demo", {}));
    BackendVersions versions;
    ServiceDialog dialog(controller.io(), nullptr, &versions);
    const QDateTime updated(QDate(2026, 3, 1), QTime(12, 0));
    dialog.setLastFeUpdateDate(updated);
    dialog.setVersionFeAndModules("v3.3.1  2025-03-25|GUI Monitor;v1.0");

    int runs = 0;
    dialog.setExportRunner([&](QWidget* parent, IOManager* iom, BackendVersions* beVers,
                               const QDateTime& lastUpdate, const QString& text) {
        ++runs;
        QCOMPARE(parent, &dialog);
        QCOMPARE(iom, controller.io());
        QCOMPARE(beVers, &versions);
        QCOMPARE(lastUpdate, updated);
        QCOMPARE(text, QString("v3.3.1  2025-03-25|GUI Monitor;v1.0"));
    });
    execWhileOpen(dialog, [&] { dialog.findChild<QPushButton*>("pushButton_export")->click(); });
    QCOMPARE(runs, 1);
}

QTEST_MAIN(TestServiceDialog)
#include "tst_servicedialog.moc"
