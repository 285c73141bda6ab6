// The system information export as a user drives it: the event logs it
// lists, the age slider and hand selection, the size estimate, the warning
// before a large file, and the file it writes.

#include <QtTest>
#include <QtWidgets>

#include <memory>

#include "ExportSystemInformation.h"
#include "ReportTestSupport.h"

namespace {

const char* const SimAddress = "127.0.12.100";
const QString Host = QStringLiteral("trackbox-old");

QString daysAgo(int days)
{
    return QDate::currentDate().addDays(-days).toString(QStringLiteral("yyyy-MM-dd"));
}

QString logName(int days, const QString& host = Host)
{
    return QStringLiteral("events-") + daysAgo(days) + QLatin1Char('_') + host +
           QStringLiteral(".log");
}

// The dialog with its two questions answered by the test.
class ScriptedExport : public ExportSystemInformation
{
public:
    using ExportSystemInformation::ExportSystemInformation;
    using ExportSystemInformation::keyPressEvent;

    bool confirmAnswer = false;
    QString saveAnswer;
    int confirmations = 0;
    QStringList askedPaths;

protected:
    bool confirmLargeFile() override
    {
        ++confirmations;
        return confirmAnswer;
    }
    QString askSaveFileName(const QString& defaultPath) override
    {
        askedPaths << defaultPath;
        return saveAnswer;
    }
};

}  // namespace

class TestExportSystemInformation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void tableListsThisControllersLogsNewestVersionFirst();
    void selectionFollowsTheUser_data();
    void selectionFollowsTheUser();
    void sizeTexts_data();
    void sizeTexts();
    void markerCentring_data();
    void markerCentring();
    void logFileDates_data();
    void logFileDates();
    void saveWritesReportAndChosenLogs();
    void largeExportAsksFirst_data();
    void largeExportAsksFirst();
    void failedWriteIsNotShownAsComplete();
    void progressFollowsReportAndWriteCannotBeInterrupted();

private:
    QString writeLog(const QString& version, const QString& name, const QByteArray& content);
    std::unique_ptr<ScriptedExport> openDialog();
    QStringList selectedFiles(ScriptedExport& dialog);
    template <typename T>
    T* child(ScriptedExport& dialog, const char* name)
    {
        return dialog.findChild<T*>(QString::fromLatin1(name));
    }

    SimulatedController m_controller;
    std::unique_ptr<QTemporaryDir> m_home;
};

void TestExportSystemInformation::initTestCase()
{
    const QString error = m_controller.start(QString::fromLatin1(SimAddress), "old");
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void TestExportSystemInformation::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    qputenv("HOME", m_home->path().toLocal8Bit());
    // The logs of three front-end versions, another controller's log, and a
    // folder that is not a version.
    writeLog("v3.2.0", logName(40), "old version line\n");
    writeLog("v3.3.1", logName(0), "today 1\ntoday 2\n");
    writeLog("v3.3.1", logName(2), "two days\n");
    writeLog("v3.3.1", logName(5), QByteArray(2000, 'x') + "\n");
    writeLog("v3.3.1", logName(1, QStringLiteral("other-box")), "not ours\n");
    writeLog("v3.10.0", logName(1), "newest version, no line end");
    writeLog("v3.x", QStringLiteral("events-20xx-1-1_") + Host + QStringLiteral(".log"),
             "undated\n");
}

void TestExportSystemInformation::cleanup()
{
    m_home->setAutoRemove(!QTest::currentTestFailed());
}

QString TestExportSystemInformation::writeLog(const QString& version, const QString& name,
                                              const QByteArray& content)
{
    const QString dir =
        m_home->path() + QStringLiteral("/.QOR/ORVANE3/") + version + QStringLiteral("/logs");
    QDir().mkpath(dir);
    QFile f(dir + QLatin1Char('/') + name);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        return {};
    return f.fileName();
}

std::unique_ptr<ScriptedExport> TestExportSystemInformation::openDialog()
{
    auto dialog =
        std::make_unique<ScriptedExport>(nullptr, m_controller.io(), m_controller.versions());
    dialog->setVersionFeAndModules(QStringLiteral("3.3.1 test|roomcal;1.0"));
    dialog->updateContent();
    dialog->show();
    return dialog;
}

QStringList TestExportSystemInformation::selectedFiles(ScriptedExport& dialog)
{
    auto* table = child<QTableWidget>(dialog, "tableWidget");
    QStringList names;
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->selectionModel()->isRowSelected(row, QModelIndex()))
            names << table->item(row, 0)->text();
    return names;
}

void TestExportSystemInformation::tableListsThisControllersLogsNewestVersionFirst()
{
    auto dialog = openDialog();
    auto* table = child<QTableWidget>(*dialog, "tableWidget");
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row)
        rows << table->item(row, 0)->text() + QLatin1Char('|') + table->item(row, 1)->text() +
                    QLatin1Char('|') + table->item(row, 2)->text() + QLatin1Char('|') +
                    table->item(row, 5)->text();
    const QStringList expected = {
        logName(1) + "|v3.10.0|27 Byte|" + daysAgo(1),
        logName(0) + "|v3.3.1|16 Byte|" + daysAgo(0),
        logName(2) + "|v3.3.1|9 Byte|" + daysAgo(2),
        logName(5) + "|v3.3.1|2001 Byte|" + daysAgo(5),
        logName(40) + "|v3.2.0|17 Byte|" + daysAgo(40),
        "events-20xx-1-1_" + Host + ".log|v3.x|8 Byte|" + daysAgo(0),
    };
    QCOMPARE(rows, expected);
    for (int c = 3; c <= 5; ++c)
        QVERIFY(table->isColumnHidden(c));
    QCOMPARE(table->item(0, 3)->text(),
             m_home->path() + "/.QOR/ORVANE3/v3.10.0/logs/" + logName(1));
}

void TestExportSystemInformation::selectionFollowsTheUser_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<int>("slider");
    QTest::addColumn<QString>("estimate");
    QTest::addColumn<bool>("selectAllEnabled");
    QTest::addColumn<bool>("clearEnabled");

    const QString undated = "events-20xx-1-1_" + Host + ".log";
    // Opened: the last three days (today, yesterday, the day before).
    const QStringList recent = {logName(1), logName(0), logName(2), undated};
    QTest::newRow("opened") << QStringList{} << recent << 3 << "estimated size: 50.1 kB  " << true
                            << true;
    QTest::newRow("slider to 1 day") << QStringList{"slider 1"} << QStringList{logName(0), undated}
                                     << 1 << "estimated size: 50.0 kB  " << true << true;
    QTest::newRow("spin box to 6 days")
        << QStringList{"spin 6"}
        << QStringList{logName(1), logName(0), logName(2), logName(5), undated} << 6
        << "estimated size: 52.0 kB  " << true << true;
    QTest::newRow("slider to 0 clears") << QStringList{"slider 0"} << QStringList{} << 0
                                        << "estimated size: 50.0 kB  " << true << false;
    QTest::newRow("page up and down")
        << QStringList{"key PageUp", "key PageUp", "key PageUp", "key PageUp", "key PageDown"}
        << QStringList{logName(1), logName(0), logName(2), logName(5), undated} << 6
        << "estimated size: 52.0 kB  " << true << true;
    QTest::newRow("page down stops at 0")
        << QStringList{"slider 1", "key PageDown", "key PageDown"} << QStringList{} << 0
        << "estimated size: 50.0 kB  " << true << false;
    QTest::newRow("select all") << QStringList{"selectAll"}
                                << QStringList{logName(1), logName(0),  logName(2),
                                               logName(5), logName(40), undated}
                                << 40 << "estimated size: 52.0 kB  " << false << true;
    QTest::newRow("clear") << QStringList{"selectAll", "clear"} << QStringList{} << 0
                           << "estimated size: 50.0 kB  " << true << false;
    QTest::newRow("hand selection keeps rows, slider follows the oldest")
        << QStringList{"clear", "pick 4", "pick 3"} << QStringList{logName(5), logName(40)} << 40
        << "estimated size: 52.0 kB  " << true << true;
    QTest::newRow("hand selection of today's log")
        << QStringList{"clear", "pick 1"} << QStringList{logName(0)} << 0
        << "estimated size: 50.0 kB  " << true << true;
}

void TestExportSystemInformation::selectionFollowsTheUser()
{
    QFETCH(QStringList, actions);
    QFETCH(QStringList, selected);
    QFETCH(int, slider);
    QFETCH(QString, estimate);
    QFETCH(bool, selectAllEnabled);
    QFETCH(bool, clearEnabled);
    auto dialog = openDialog();
    auto* table = child<QTableWidget>(*dialog, "tableWidget");
    for (const QString& action : actions) {
        const QString arg = action.section(QLatin1Char(' '), 1);
        if (action.startsWith("slider"))
            child<QSlider>(*dialog, "horizontalSlider")->setValue(arg.toInt());
        else if (action.startsWith("spin"))
            child<QSpinBox>(*dialog, "spinBox")->setValue(arg.toInt());
        else if (action.startsWith("key"))
            QTest::keyClick(dialog.get(), arg == "PageUp" ? Qt::Key_PageUp : Qt::Key_PageDown);
        else if (action == "selectAll")
            QTest::mouseClick(child<QPushButton>(*dialog, "pushButton_selectAll"), Qt::LeftButton);
        else if (action == "clear")
            QTest::mouseClick(child<QPushButton>(*dialog, "pushButton_clear"), Qt::LeftButton);
        else if (action.startsWith("pick")) {
            const QRect cell = table->visualItemRect(table->item(arg.toInt(), 0));
            QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              cell.center());
        }
    }
    QCOMPARE(selectedFiles(*dialog), selected);
    QCOMPARE(child<QSlider>(*dialog, "horizontalSlider")->value(), slider);
    QCOMPARE(child<QSpinBox>(*dialog, "spinBox")->value(), slider);
    QCOMPARE(child<QLabel>(*dialog, "label_sumByte")->text(), estimate);
    QCOMPARE(child<QPushButton>(*dialog, "pushButton_selectAll")->isEnabled(), selectAllEnabled);
    QCOMPARE(child<QPushButton>(*dialog, "pushButton_clear")->isEnabled(), clearEnabled);
}

void TestExportSystemInformation::sizeTexts_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << "0.0 Byte";
    QTest::newRow("largest in bytes") << qint64(1023) << "1023.0 Byte";
    QTest::newRow("smallest in kB") << qint64(1024) << "1.0 kB  ";
    QTest::newRow("report alone") << qint64(51200) << "50.0 kB  ";
    QTest::newRow("largest in kB") << qint64(1048575) << "1024.0 kB  ";
    QTest::newRow("smallest in MB") << qint64(1048576) << "1.0 MB  ";
    QTest::newRow("warning size") << qint64(10485760) << "10.0 MB  ";
}

void TestExportSystemInformation::sizeTexts()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(ExportSystemInformation::getFormatedByteText(bytes), text);
}

void TestExportSystemInformation::markerCentring_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("centred");
    QTest::newRow("20 characters in 80")
        << "<BOF> 3.3.1xx <BOF>x" << 80
        << QString(30, '*') + "<BOF> 3.3.1xx <BOF>x" + QString(30, '*');
    QTest::newRow("odd difference") << "abc" << 8 << "**abc***";
    QTest::newRow("difference of 2 unchanged") << "abcdef" << 8 << "abcdef";
    QTest::newRow("longer than the line") << "abcdefghij" << 8 << "abcdefghij";
    QTest::newRow("placeholder text") << "%1" << 6 << "**%1**";
}

void TestExportSystemInformation::markerCentring()
{
    QFETCH(QString, text);
    QFETCH(int, length);
    QFETCH(QString, centred);
    QCOMPARE(ExportSystemInformation::justifyToLength(text, length), centred);
}

void TestExportSystemInformation::logFileDates_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("date");
    const QString today = daysAgo(0);
    QTest::newRow("plain") << "events-2026-03-09_box.log"
                           << "2026-03-09";
    QTest::newRow("host with hyphen") << "events-2025-12-31_my-box.log"
                                      << "2025-12-31";
    QTest::newRow("year out of range") << "events-1969-01-01_box.log" << today;
    QTest::newRow("month out of range") << "events-2026-13-01_box.log" << today;
    QTest::newRow("not a calendar day") << "events-2026-02-31_box.log" << today;
    QTest::newRow("not numbers") << "events-yyyy-mm-dd_box.log" << today;
    QTest::newRow("too few parts") << "events-2026_box.log" << today;
}

void TestExportSystemInformation::logFileDates()
{
    QFETCH(QString, name);
    QFETCH(QString, date);
    QCOMPARE(ExportSystemInformation::getDateStringFromName(name), date);
}

void TestExportSystemInformation::saveWritesReportAndChosenLogs()
{
    auto dialog = openDialog();
    dialog->setLastFeUpdatDate(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    const QString result = m_home->filePath("export.txt");
    QFile stale(result);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("left over from before\n");
    stale.close();
    dialog->saveAnswer = result;
    child<QSlider>(*dialog, "horizontalSlider")->setValue(2);  // today and yesterday
    QTest::mouseClick(child<QPushButton>(*dialog, "pushButton_save"), Qt::LeftButton);

    QCOMPARE(
        dialog->askedPaths,
        QStringList{QStandardPaths::standardLocations(QStandardPaths::DesktopLocation).value(0) +
                    "/ORVANE3_Systeminfo-" + daysAgo(0) + ".txt"});
    QCOMPARE(dialog->confirmations, 0);
    const QStringList lines = readLines(result);
    QCOMPARE(lines.first(), QString(31, '*') + "<BOF> 3.3.1 <BOF>" + QString(32, '*'));
    QCOMPARE(lines.at(1), QStringLiteral("Export Controller configuration"));
    QVERIFY(lines.contains("Date of Frontend update : 2026-01-02T03:04:05"));
    const int eof = lines.indexOf(QString(31, '*') + "<EOF> 3.3.1 <EOF>" + QString(32, '*'));
    QVERIFY(eof > 1);
    QCOMPARE(lines.at(eof + 1), QString());

    auto marker = [](const QString& kind, const QString& name, const QString& version) {
        return ExportSystemInformation::justifyToLength(
            "<" + kind + "> " + name + " - " + version + " <" + kind + ">", 80);
    };
    const QStringList logs = lines.mid(eof + 2);
    const QString undated = "events-20xx-1-1_" + Host + ".log";
    QCOMPARE(logs,
             (QStringList{marker("BOF", logName(1), "v3.10.0"), "newest version, no line end",
                          marker("EOF", logName(1), "v3.10.0"), "",
                          marker("BOF", logName(0), "v3.3.1"), "today 1", "today 2",
                          marker("EOF", logName(0), "v3.3.1"), "", marker("BOF", undated, "v3.x"),
                          "undated", marker("EOF", undated, "v3.x"), ""}));
    QVERIFY(!lines.contains("left over from before"));
    auto* progress = child<QProgressBar>(*dialog, "progressBar");
    QCOMPARE(progress->maximum(), ExportConfiguration::sectionCount() + 6 + 1);
    QCOMPARE(progress->value(), progress->maximum());
    QCOMPARE(child<QLabel>(*dialog, "label_status")->text(),
             QStringLiteral("Writing file 'export.txt' ... complete."));
    QVERIFY(child<QPushButton>(*dialog, "pushButton_save")->isEnabled());
}

void TestExportSystemInformation::largeExportAsksFirst_data()
{
    QTest::addColumn<qint64>("logBytes");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("confirmations");
    QTest::addColumn<int>("fileQuestions");
    const qint64 atLimit = ExportSystemInformation::WarningSizeBytes -
                           ExportSystemInformation::ConfigurationEstimateBytes;
    QTest::newRow("exactly 10 MB saves without asking") << atLimit << false << 0 << 1;
    QTest::newRow("one byte more, cancelled") << atLimit + 1 << false << 1 << 0;
    QTest::newRow("one byte more, confirmed") << atLimit + 1 << true << 1 << 1;
}

void TestExportSystemInformation::largeExportAsksFirst()
{
    QFETCH(qint64, logBytes);
    QFETCH(bool, answer);
    QFETCH(int, confirmations);
    QFETCH(int, fileQuestions);
    // Only the big log is recent enough to be selected when the dialog opens.
    QDir(m_home->path() + "/.QOR").removeRecursively();
    QByteArray big(int(logBytes - 1), 'x');
    big += '\n';
    writeLog("v3.3.1", logName(0), big);
    auto dialog = openDialog();
    dialog->confirmAnswer = answer;
    QTest::mouseClick(child<QPushButton>(*dialog, "pushButton_save"), Qt::LeftButton);
    QCOMPARE(dialog->confirmations, confirmations);
    QCOMPARE(dialog->askedPaths.size(), fileQuestions);
    QCOMPARE(child<QLabel>(*dialog, "label_status")->text(), QString());
}

void TestExportSystemInformation::failedWriteIsNotShownAsComplete()
{
    auto dialog = openDialog();
    dialog->saveAnswer = m_home->filePath("no-such-folder/export.txt");
    // The report writer says why; the user answers its box.
    QString boxText;
    QTimer answer;
    connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxText = box->text();
            box->accept();
        }
    });
    answer.start(10);
    QTest::mouseClick(child<QPushButton>(*dialog, "pushButton_save"), Qt::LeftButton);
    answer.stop();
    QVERIFY2(boxText.startsWith("You don't have the rights to write to this location."),
             qPrintable(boxText));
    const QString status = child<QLabel>(*dialog, "label_status")->text();
    QVERIFY2(status.contains("failed"), qPrintable(status));
    QVERIFY(child<QProgressBar>(*dialog, "progressBar")->value() <
            child<QProgressBar>(*dialog, "progressBar")->maximum());
}

void TestExportSystemInformation::progressFollowsReportAndWriteCannotBeInterrupted()
{
    auto dialog = openDialog();
    dialog->saveAnswer = m_home->filePath("export.txt");
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    auto* progress = child<QProgressBar>(*dialog, "progressBar");
    auto* status = child<QLabel>(*dialog, "label_status");
    auto* save = child<QPushButton>(*dialog, "pushButton_save");
    auto* exit = child<QPushButton>(*dialog, "pushButton_exit");

    // Ticks of a timer show whether the event loop ran while the file was written.
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(0);
    QList<int> steps;
    QStringList statuses;
    int ticksAtFirstStep = -1;
    int ticksAtLastSection = -1;
    bool alwaysOpen = true;
    connect(progress, &QProgressBar::valueChanged, [&](int value) {
        steps << value;
        statuses << status->text();
        if (ticksAtFirstStep < 0)
            ticksAtFirstStep = ticks;
        if (value == ExportConfiguration::sectionCount())
            ticksAtLastSection = ticks;
        // What an impatient user tries while the file is written.
        dialog->close();
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        QTest::mouseClick(exit, Qt::LeftButton);
        QTest::mouseClick(save, Qt::LeftButton);
        dialog->on_pushButton_save_clicked();
        alwaysOpen = alwaysOpen && dialog->isVisible();
    });
    QTest::mouseClick(save, Qt::LeftButton);
    ticker.stop();

    QVERIFY(alwaysOpen);
    QCOMPARE(dialog->askedPaths.size(), 1);
    QVERIFY(!dialog->isWriting());
    QVERIFY(std::is_sorted(steps.begin(), steps.end()));
    for (int step = 1; step <= ExportConfiguration::sectionCount(); ++step)
        QVERIFY2(steps.contains(step), qPrintable(QString::number(step)));
    QCOMPARE(steps.last(), progress->maximum());
    QVERIFY(statuses.contains("Writing file 'export.txt' ... System overview"));
    QVERIFY(statuses.contains("Writing file 'export.txt' ... Camera settings"));
    QVERIFY(statuses.contains("Writing file 'export.txt' ... Inertial settings"));
    QVERIFY2(ticksAtLastSection > ticksAtFirstStep,
             qPrintable(QString("%1 %2").arg(ticksAtFirstStep).arg(ticksAtLastSection)));
    QCOMPARE(status->text(), QStringLiteral("Writing file 'export.txt' ... complete."));
    QVERIFY(save->isEnabled() && exit->isEnabled());
    // Once written, the dialog closes as before.
    dialog->close();
    QVERIFY(!dialog->isVisible());
}

QTEST_MAIN(TestExportSystemInformation)
#include "tst_exportsysteminformation.moc"
