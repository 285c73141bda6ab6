// The status bars against a simulated controller: camera widgets following
// the camera count, module texts per camera, tracking counts, the sync
// frequency with its frame-loss colours, the radio bar, the configuration
// line, and the icons of both themes.

#include "TestController.h"

#include "AppStatusBar.h"
#include "BackendVersions.h"
#include "CamStatusBar.h"
#include "CamStatusWidget.h"
#include "FreqStatusBar.h"
#include "RadioStatusBar.h"
#include "ShortStatusWidget.h"
#include "StatusCommon.h"
#include "TrackingStatusBar.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPalette>
#include <QStyle>
#include <QtTest>

#include <algorithm>

namespace {

const QString kAddress = "127.0.10.5";

BackendVersions versions(int major, int minor)
{
    return BackendVersions(VersionInfo(2, 9, 4), VersionInfo(major, minor, -1),
                           VersionInfo(2, 9, 4), "KESTRELBOX");
}

// A bar in the shown window, as the main window holds it.
template <class Bar>
Bar* shown(QMainWindow* window, Bar* bar)
{
    window->addToolBar(bar);
    bar->show();
    return bar;
}

QStringList cameraTexts(const CamStatusBar& bar)
{
    QStringList texts;
    for (CamStatusWidget* w : bar.cameraWidgets())
        texts << w->text();
    return texts;
}

}  // namespace

class TestStatusBars : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_channel.start(kAddress, TestController::initialised())); }
    void init()
    {
        m_channel.control("reset");
        m_channel.control("state none");
        m_channel.control("set camera number_of_cameras = 6");
        m_window = std::make_unique<QMainWindow>();
        m_window->show();
    }
    void cleanup() { m_window.reset(); }

    void buildsInfoStrings_data();
    void buildsInfoStrings();
    void cameraWidgetsFollowCount_data();
    void cameraWidgetsFollowCount();
    void showsModuleTextsPerCamera();
    void slowControllerGetsCamerasReadInTurn();
    void countsTrackedBodiesAndMarkers_data();
    void countsTrackedBodiesAndMarkers();
    void showsCountsInFull_data();
    void showsCountsInFull();
    void showsSyncFrequency_data();
    void showsSyncFrequency();
    void coloursFrameLoss_data();
    void coloursFrameLoss();
    void showsRadioState_data();
    void showsRadioState();
    void showsActiveConfiguration();
    void choosesIconsByWindowLightness_data();
    void choosesIconsByWindowLightness();

private:
    TestController m_channel;
    std::unique_ptr<QMainWindow> m_window;
};

void TestStatusBars::buildsInfoStrings_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<QString>("text");
    QTest::newRow("both") << 12 << 10 << "12/10";
    QTest::newRow("neither") << -1 << -1 << " - / - ";
    QTest::newRow("only used") << -1 << 3 << " - /3";
    QTest::newRow("zero") << 0 << 0 << "0/0";
}

void TestStatusBars::buildsInfoStrings()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QTEST(CamStatusWidget::buildInfoString(a, b), "text");
}

void TestStatusBars::cameraWidgetsFollowCount_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("calls");
    QTest::addColumn<int>("widgets");
    QTest::newRow("fewer while measuring") << 4 << "mea" << 1 << 4;
    QTest::newRow("more while calibrating") << 8 << "cal" << 1 << 8;
    QTest::newRow("idle: not before the 10th update") << 4 << "none" << 9 << 6;
    QTest::newRow("idle: at the 10th update") << 4 << "none" << 10 << 4;
    // Camera names have two digits.
    QTest::newRow("absurd count: two-digit cameras") << 2000000000 << "mea" << 1 << 99;
    QTest::newRow("negative count: none") << -3 << "mea" << 1 << 0;
}

void TestStatusBars::cameraWidgetsFollowCount()
{
    QFETCH(int, count);
    QFETCH(QString, state);
    QFETCH(int, calls);
    QFETCH(int, widgets);
    auto* bar = shown(m_window.get(), new CamStatusBar(m_channel.io(), m_window.get()));
    QCOMPARE(bar->cameraCount(), 6);
    // The update counter is shared by every bar of the program.
    while (CamStatusBar::updateCalls() % 10 != 0)
        bar->update_status("none");
    QVERIFY(m_channel.control(QString("set camera number_of_cameras = %1").arg(count)));
    QVERIFY(m_channel.control("state " + state));
    for (int i = 0; i < calls; ++i)
        bar->update_status(state.toLatin1().constData());
    QCOMPARE(bar->cameraCount(), widgets);
    QCOMPARE(int(bar->cameraWidgets().size()), widgets);
    if (state == "none") {
        QStringList names;
        for (int i = 1; i <= widgets; ++i)
            names << QString("c%1").arg(i, 2, 10, QChar('0'));
        QCOMPARE(cameraTexts(*bar), names);
    } else {
        for (const QString& text : cameraTexts(*bar))
            QVERIFY2(QRegularExpression("\\A\\d+/\\d+\\z").match(text).hasMatch(),
                     qPrintable(text));
    }
    bar->set_mea_stopped();
    for (const QString& text : cameraTexts(*bar))
        QCOMPARE(text, QString(" - / - "));
    bar->about_to_exit();
}

void TestStatusBars::showsModuleTextsPerCamera()
{
    QVERIFY(m_channel.control("set camera number_of_cameras = 4"));
    auto* bar = shown(m_window.get(), new CamStatusBar(m_channel.io(), m_window.get()));
    QCOMPARE(m_channel.io()->transmit_message("CamStatusBar", "SomeModule", 1, "x;y"), 0);
    QCOMPARE(bar->transmit_message(1, "SomeModule", "x;y"), 1);
    QCOMPARE(m_channel.io()->transmit_message("CamStatusBar", "Monitor2dModule", 1, "a;b;c;d;e"),
             0);
    QVERIFY(m_channel.control("state mea"));
    bar->update_status("mea");
    QCOMPARE(cameraTexts(*bar), (QStringList{"a", "b", "c", "d"}));
    // Shown once; the next update shows the counts again.
    bar->update_status("mea");
    QVERIFY(!cameraTexts(*bar).contains("a"));
    bar->about_to_exit();
}

// Each camera costs two round trips per update: a controller answering late
// gets its cameras read a few per update, continuing where the last one
// stopped, rather than one update holding the window for all of them.
void TestStatusBars::slowControllerGetsCamerasReadInTurn()
{
    auto* bar = shown(m_window.get(), new CamStatusBar(m_channel.io(), m_window.get()));
    QCOMPARE(bar->cameraCount(), 6);
    QVERIFY(m_channel.control("state mea"));
    QVERIFY(m_channel.control("delay 300"));
    const QRegularExpression counts("\\A\\d+/\\d+\\z");
    QList<int> readPerUpdate;
    int read = 0;
    while (read < 6 && readPerUpdate.size() < 6) {
        bar->update_status("mea");
        const QStringList texts = cameraTexts(*bar);
        // Read cameras show counts, in camera order from c01 on.
        const int now = int(std::count_if(texts.begin(), texts.end(), [&](const QString& t) {
            return counts.match(t).hasMatch();
        }));
        QVERIFY2(counts.match(texts.value(now - 1)).hasMatch() &&
                     !counts.match(texts.value(now)).hasMatch(),
                 qPrintable(texts.join(", ")));
        readPerUpdate << now - read;
        read = now;
    }
    QVERIFY(m_channel.control("delay 0"));
    QCOMPARE(read, 6);
    QVERIFY2(readPerUpdate.size() > 1 && !readPerUpdate.contains(0),
             qPrintable(QString("cameras read per update: %1").arg(readPerUpdate.size())));
    bar->about_to_exit();
}

void TestStatusBars::countsTrackedBodiesAndMarkers_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("bodies");
    QTest::addColumn<QString>("markers");
    QTest::newRow("measuring") << "mea"
                               << "7"
                               << "12";
    QTest::newRow("idle") << "none"
                          << "-"
                          << "-";
    QTest::newRow("measuring, counts unreadable") << "mea"
                                                  << "-1"
                                                  << "-1";
}

void TestStatusBars::countsTrackedBodiesAndMarkers()
{
    QFETCH(QString, state);
    QFETCH(QString, bodies);
    QVERIFY(m_channel.control("state " + state));
    if (bodies == "-1") {
        QVERIFY(m_channel.control("error status number_of_bodies"));
        QVERIFY(m_channel.control("error status number_of_marker"));
    } else {
        QVERIFY(m_channel.control("set status number_of_bodies = 7"));
        QVERIFY(m_channel.control("set status number_of_marker = 12"));
    }
    auto* bar = shown(m_window.get(), new TrackingStatusBar(m_channel.io(), m_window.get()));
    QCOMPARE(bar->shortStatus()->bodiesText(), QString("-"));
    bar->update_status(state.toLatin1().constData());
    QTEST(bar->shortStatus()->bodiesText(), "bodies");
    QTEST(bar->shortStatus()->markersText(), "markers");
    bar->set_mea_stopped();
    QCOMPARE(bar->shortStatus()->bodiesText(), QString("-"));
    bar->about_to_exit();
    m_channel.control("unpin status number_of_bodies");
    m_channel.control("unpin status number_of_marker");
}

void TestStatusBars::showsCountsInFull_data()
{
    QTest::addColumn<QString>("count");
    QTest::newRow("three digits") << "100";
    QTest::newRow("four digits") << "1234";
    QTest::newRow("five digits") << "12345";
}

// Every number a bar shows fits its widget, whose size was fixed from "-".
void TestStatusBars::showsCountsInFull()
{
    QFETCH(QString, count);
    const QStringList keys{"status number_of_bodies", "status number_of_marker",
                           "status number_of_rays c01", "status number_of_used_rays c01"};
    QVERIFY(m_channel.control("state mea"));
    for (const QString& key : keys)
        QVERIFY(m_channel.control("set " + key + " = " + count));
    auto* tracking = shown(m_window.get(), new TrackingStatusBar(m_channel.io(), m_window.get()));
    auto* cameras = shown(m_window.get(), new CamStatusBar(m_channel.io(), m_window.get()));
    tracking->update_status("mea");
    cameras->update_status("mea");

    QCOMPARE(tracking->shortStatus()->bodiesText(), count);
    QCOMPARE(tracking->shortStatus()->markersText(), count);
    for (QLabel* label : tracking->shortStatus()->findChildren<QLabel*>()) {
        if (!label->text().isEmpty())
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
    }
    QVERIFY(!cameras->cameraWidgets().empty());
    auto* edit = cameras->cameraWidgets().front()->findChild<QLineEdit*>();
    QCOMPARE(edit->text(), count + "/" + count);
    // Ray counts are sized for four digits, so that many cameras fit in one row.
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    if (count.size() <= 4) {
        QVERIFY2(
            edit->width() >= edit->fontMetrics().horizontalAdvance(edit->text()) + 2 * frame + 4,
            qPrintable(QString::number(edit->width())));
    }

    tracking->about_to_exit();
    cameras->about_to_exit();
    for (const QString& key : keys)
        m_channel.control("unpin " + key);
}

void TestStatusBars::showsSyncFrequency_data()
{
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("text");
    QTest::newRow("rounded up from .45") << "59.45"
                                         << "mea"
                                         << "60 Hz";
    QTest::newRow("down below .45") << "59.4"
                                    << "mea"
                                    << "59 Hz";
    QTest::newRow("no signal") << "-1"
                               << "mea"
                               << " - ";
    QTest::newRow("beyond whole hertz") << "1e300"
                                        << "mea"
                                        << " - ";
    QTest::newRow("not a number") << "nan"
                                  << "mea"
                                  << " - ";
    QTest::newRow("waiting for sync") << "60"
                                      << "wait"
                                      << "waiting...";
}

void TestStatusBars::showsSyncFrequency()
{
    QFETCH(QString, frequency);
    QFETCH(QString, state);
    QVERIFY(m_channel.control("set status output_frequency = " + frequency));
    auto* bar =
        shown(m_window.get(), new FreqStatusBar(m_channel.io(), m_window.get(), versions(1, 27)));
    QCOMPARE(bar->text(), QString(" - "));
    bar->update_status(state.toLatin1().constData());
    bar->set_mea_started();
    bar->showFrequency();
    QTEST(bar->text(), "text");
    bar->set_mea_stopped();
    QCOMPARE(bar->text(), QString(" - "));
    bar->about_to_exit();
    m_channel.control("unpin status output_frequency");
}

void TestStatusBars::coloursFrameLoss_data()
{
    QTest::addColumn<QString>("lost");  // "error": the read fails
    QTest::addColumn<int>("minor");
    QTest::addColumn<QString>("style");
    const QString red = "QLineEdit { background-color: red; }";
    QTest::newRow("none lost") << "0" << 27 << "";
    QTest::newRow("one") << "1" << 27 << "";
    QTest::newRow("two") << "2" << 27 << "QLineEdit { background-color: khaki; }";
    QTest::newRow("three") << "3" << 27 << "QLineEdit { background-color: orange; }";
    QTest::newRow("seven") << "7" << 27 << red;
    QTest::newRow("unreadable") << "error" << 27 << red;
    QTest::newRow("protocol below 1.8: never coloured") << "7" << 7 << "";
}

void TestStatusBars::coloursFrameLoss()
{
    QFETCH(QString, lost);
    QFETCH(int, minor);
    if (lost == "error")
        QVERIFY(m_channel.control("error status frames_lost"));
    else
        QVERIFY(m_channel.control("frames-lost " + lost));
    auto* bar = shown(m_window.get(),
                      new FreqStatusBar(m_channel.io(), m_window.get(), versions(1, minor)));
    bar->update_status("mea");
    QTEST(bar->frameLossStyle(), "style");
    bar->about_to_exit();
    m_channel.control("frames-lost auto");
}

void TestStatusBars::showsRadioState_data()
{
    QTest::addColumn<QStringList>("controls");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("channel");
    QTest::newRow("available on channel 15") << QStringList{} << true << "15";
    QTest::newRow("available on channel 0")
        << QStringList{"set qorwpan radio = 0 0x4f52"} << false << "-";
    QTest::newRow("not available") << QStringList{"set qorwpan available = no"} << false << "-";
    QTest::newRow("channel unreadable") << QStringList{"error qorwpan radio"} << false << "-";
    QTest::newRow("channel not a number")
        << QStringList{"set qorwpan radio = x1 0x4f52"} << false << "-";
}

void TestStatusBars::showsRadioState()
{
    QFETCH(QStringList, controls);
    QFETCH(bool, enabled);
    for (const QString& line : controls)
        QVERIFY(m_channel.control(line));
    auto* bar =
        shown(m_window.get(), new RadioStatusBar(m_channel.io(), m_window.get(), versions(1, 27)));
    QCOMPARE(bar->channelText(), QString("-"));
    // The first poll comes 150 ms after construction.
    QTRY_COMPARE(bar->iconEnabled(), enabled);
    QTest::qWait(200);
    QTEST(bar->channelText(), "channel");
    QVERIFY(bar->iconPath().startsWith(enabled ? ":/images/icons/radio_en"
                                               : ":/images/icons/radio_dis"));
    QVERIFY(QFile::exists(bar->iconPath()));
    bar->about_to_exit();
    m_channel.control("set qorwpan available = yes");
    m_channel.control("set qorwpan radio = 15 0x4f52");
}

void TestStatusBars::showsActiveConfiguration()
{
    AppStatusBar bar(m_channel.io());
    QCOMPARE(bar.trackboxText(),
             QString("Configuration 'Demo configuration' on Controller 'trackbox-demo'"));
    QVERIFY(m_channel.control("set config desc = \"CAVE \"five\" walls\""));
    bar.update_status();
    QCOMPARE(bar.trackboxText(),
             QString("Configuration 'CAVE five walls' on Controller 'trackbox-demo'"));
    bar.showMessage("measurement started", 2000);
    QCOMPARE(bar.messageText(), QString("measurement started"));
    m_channel.control("set config desc = \"Demo configuration\"");
}

void TestStatusBars::choosesIconsByWindowLightness_data()
{
    QTest::addColumn<QColor>("window");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("dark window") << QColor(53, 53, 53) << "";
    QTest::newRow("light window") << QColor(239, 239, 239) << "-brightmode";
    QTest::newRow("just below half") << QColor(126, 126, 126) << "";
    QTest::newRow("half and above") << QColor(128, 128, 128) << "-brightmode";
}

void TestStatusBars::choosesIconsByWindowLightness()
{
    QFETCH(QColor, window);
    QFETCH(QString, suffix);
    QWidget widget;
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, window);
    widget.setPalette(palette);
    for (const QString base : {"body", "radio_en", "radio_dis"}) {
        const QString path = StatusCommon::themedIcon(&widget, base);
        QCOMPARE(path, ":/images/icons/" + base + suffix + ".png");
        QVERIFY2(QFile::exists(path), qPrintable(path));
    }
    StatusCommon::ensureResources();
    QVERIFY(QFile::exists(":/images/icons/marker.png"));
}

QTEST_MAIN(TestStatusBars)
#include "tst_statusbars.moc"
