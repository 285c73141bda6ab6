// The front-end against a controller that cannot be trusted (the simulator's "hostile"
// profile): markup, links and line breaks in its texts, absurd counts, numbers that are
// none. Whatever it says, the program ends its work, shows every text as written, keeps
// its reports bounded, and never sends a command that the controller reads as two.

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTextBrowser>
#include <QtTest>

#include "AppStatusBar.h"
#include "ConnectedShell.h"
#include "EventDisplay.h"
#include "ExportSystemInformation.h"
#include "ShortStatusWidget.h"
#include "TextBrowser.h"
#include "TrackboxSelection.h"
#include "TrackingStatusBar.h"
#include "reports/ReportTestSupport.h"

namespace {

const QString kAddress = QStringLiteral("127.0.47.1");
const QString kHostname = QStringLiteral("<b>tb</b><a href=\"file:///etc/hostname\">x</a>%s%n%1");

// The controller's markup, not the window's own links to its guides.
bool holdsMarkup(const QString& text)
{
    return text.contains(QLatin1String("<b>")) || text.contains(QLatin1String("<font")) ||
           text.contains(QLatin1String("<a href=\"file:///etc/hostname\""));
}

// Every place below root that would render controller markup: a label that guesses the
// format, a tool tip (always guessed), a text edit that lost the tags to formatting.
QStringList markupRendered(QWidget* root, const QStringList& expectedInEdits = {})
{
    QStringList found;
    for (QLabel* l : root->findChildren<QLabel*>())
        if (holdsMarkup(l->text()) && l->textFormat() != Qt::PlainText)
            found << "label " + l->objectName() + ": " + l->text();
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets << root;
    for (QWidget* w : qAsConst(widgets))
        if (holdsMarkup(w->toolTip()))
            found << "tool tip of " + w->objectName() + ": " + w->toolTip();
    for (QTableWidget* t : root->findChildren<QTableWidget*>())
        for (int r = 0; r < t->rowCount(); ++r)
            for (int c = 0; c < t->columnCount(); ++c)
                if (t->item(r, c) && holdsMarkup(t->item(r, c)->toolTip()))
                    found << "tool tip of table cell: " + t->item(r, c)->toolTip();
    for (QTextEdit* e : root->findChildren<QTextEdit*>())
        for (const QString& text : expectedInEdits)
            if (!e->toPlainText().contains(text))
                found << "text edit " + e->objectName() + " lacks " + text;
    return found;
}

// Answers boxes with OK and records those that would render controller markup.
struct LiteralBoxes : ModalWatcher
{
    LiteralBoxes()
    {
        answerBoxesWith([this](QMessageBox* box) {
            if (holdsMarkup(box->text()) && box->textFormat() != Qt::PlainText)
                rendered << "box " + box->windowTitle() + ": " + box->text();
            return nullptr;
        });
    }
    QStringList rendered;
};

int linebreakCommands(SimProcess& sim)
{
    const QString stats = sim.control(QStringLiteral("stats"));
    return stats.mid(stats.indexOf(QLatin1String("linebreaks=")) + 11).toInt();
}

}  // namespace

class TestHostileController : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { m_linebreaks = linebreakCommands(m_shell->sim()); }
    // No command the front-end sent was read as two by the controller.
    void cleanup() { QCOMPARE(linebreakCommands(m_shell->sim()) - m_linebreaks, 0); }
    void cleanupTestCase() { m_shell.reset(); }

    void connectionDialogShowsTextsLiterally();
    void selectionDialogShowsTextsLiterally();
    void measuringWindowShowsTextsLiterally();
    void eventDisplayEqualsItsLog();
    void configurationReportIsBoundedAndFails();
    void systemInformationExportIsBounded();

private:
    std::unique_ptr<ConnectedShell> m_shell;
    std::unique_ptr<MainWindowProbe> m_window;
    int m_linebreaks = 0;
};

void TestHostileController::initTestCase()
{
    m_shell = std::make_unique<ConnectedShell>();
    QVERIFY(m_shell->startSim(kAddress, {"--profile", "hostile"}));
}

void TestHostileController::connectionDialogShowsTextsLiterally()
{
    m_shell->home().writePreferences(lastTrackboxPreferences(kAddress, kHostname.toHtmlEscaped()));
    LiteralBoxes boxes;
    QStringList rendered;
    // The dialog is looked at once it offers to connect, then connected.
    QTimer look;
    connect(&look, &QTimer::timeout, this, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* connectButton = top->inherits("IpDialog") && top->isVisible()
                                      ? top->findChild<QPushButton*>("pushButton_connect")
                                      : nullptr;
            if (connectButton && connectButton->isEnabled()) {
                rendered << markupRendered(top, {kHostname});
                connectButton->click();
            }
        }
    });
    look.start(20);
    m_window = m_shell->start(QString());
    look.stop();
    QVERIFY(!m_window->isEndingProcess());
    QVERIFY2((rendered + boxes.rendered).isEmpty(),
             qPrintable((rendered + boxes.rendered).join('\n')));
}

void TestHostileController::selectionDialogShowsTextsLiterally()
{
    LiteralBoxes boxes;
    TrackboxSelection dialog;
    dialog.show();
    dialog.findChild<QRadioButton*>("rb_specificZec")->click();
    auto* field = dialog.findChild<QLineEdit*>("txt_fixHostnameOrIp");
    QTest::keyClicks(field, kAddress);
    QTest::keyClick(field, Qt::Key_Return);
    auto* table = dialog.findChild<QTableWidget*>("tableWidget");
    QTRY_VERIFY(table->item(0, TrackboxSelection::ColIp) &&
                table->item(0, TrackboxSelection::ColIp)->text() == kAddress);
    QCOMPARE(table->item(0, TrackboxSelection::ColName)->text(), kHostname);
    const QStringList rendered = markupRendered(&dialog) + boxes.rendered;
    QVERIFY2(rendered.isEmpty(), qPrintable(rendered.join('\n')));
}

void TestHostileController::measuringWindowShowsTextsLiterally()
{
    QVERIFY(m_window);
    LiteralBoxes boxes;
    QCOMPARE(m_shell->sim().control("state mea"), QStringLiteral("ok"));
    m_window->show();
    ShortStatusWidget* counts = m_window->tracking_status_tb->shortStatus();
    QTRY_COMPARE(counts->bodiesText(), QStringLiteral("100"));
    QTRY_COMPARE(counts->markersText(), QStringLiteral("9999"));
    QTRY_VERIFY(m_window->app_status_bar->trackboxText().contains(kHostname));
    QStringList problems = markupRendered(m_window.get()) + boxes.rendered;
    // Counts are shown in full, not cut by a width fixed before they came.
    for (QLabel* l : counts->findChildren<QLabel*>())
        if (l->contentsRect().width() < l->fontMetrics().horizontalAdvance(l->text()))
            problems << "count cut: " + l->text();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
}

void TestHostileController::eventDisplayEqualsItsLog()
{
    QVERIFY(m_window);
    QTextBrowser* browser = m_window->eventWidget->browser();
    QTRY_VERIFY(browser->toPlainText().contains("filled to the last byte"));
    const QDir logs(m_shell->home().path() + "/.QOR/ORVANE3/v3.3.1/logs");
    const QStringList files = logs.entryList({"events-*.log"}, QDir::Files);
    QCOMPARE(files.size(), 1);
    QStringList logLines = readLines(logs.filePath(files.first()));
    QCOMPARE(browser->toPlainText().split('\n'), logLines);
    // Clicking the link leaves the display as it was.
    const QString before = browser->toPlainText();
    const int at = before.indexOf("click");
    QTextCursor cursor(browser->document());
    cursor.setPosition(at + 2);
    const QRect r = browser->cursorRect(cursor);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(browser->toPlainText(), before);
    QVERIFY(!browser->openLinks() && !browser->openExternalLinks());
    QVERIFY(before.contains("<a href=\"file:///etc/hostname\">click</a>"));
    QVERIFY(before.contains("<font size=6 color=red>does not respond</font>"));
}

void TestHostileController::configurationReportIsBoundedAndFails()
{
    // The report and the export run on channels of their own; the measuring
    // window's heartbeat beside them only adds load-dependent boxes.
    m_window.reset();
    TestChannel channel;
    QVERIFY(channel.connect(kAddress, ChannelSetup::withVersions()));
    RecordingBoxes boxes;
    ExportConfiguration report(channel.io(), nullptr, &channel.versions());
    report.setMessageBoxProvider(&boxes);
    const QString file = m_shell->home().path() + "/report.txt";
    QCOMPARE(report.exportConfigurations(file, false, true) == ExportConfiguration::ResultOk,
             false);
    QVERIFY(QFileInfo(file).size() < 4 * 1024 * 1024);
    const QStringList lines = readLines(file);
    // A count over its bound was cut, and the report says so.
    QVERIFY(
        !lines.filter(QRegularExpression("\\bcut\\b", QRegularExpression::CaseInsensitiveOption))
             .isEmpty());
}

void TestHostileController::systemInformationExportIsBounded()
{
    TestChannel channel;
    QVERIFY(channel.connect(kAddress, ChannelSetup::withVersions()));
    struct Export : ExportSystemInformation
    {
        using ExportSystemInformation::ExportSystemInformation;
        QString target;
        QString askSaveFileName(const QString&) override { return target; }
        bool confirmLargeFile() override { return true; }
    } dialog(nullptr, channel.io(), &channel.versions());
    LiteralBoxes boxes;
    dialog.target = m_shell->home().path() + "/export.txt";
    dialog.setVersionFeAndModules(QStringLiteral("3.3.1"));
    dialog.updateContent();
    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton*>("pushButton_save"), Qt::LeftButton);
    QVERIFY(QFileInfo::exists(dialog.target));
    QVERIFY(QFileInfo(dialog.target).size() < 8 * 1024 * 1024);
    const QStringList rendered = markupRendered(&dialog) + boxes.rendered;
    QVERIFY2(rendered.isEmpty(), qPrintable(rendered.join('\n')));
}

QTEST_MAIN(TestHostileController)
#include "tst_hostilecontroller.moc"
