// Text a controller sends is shown as the controller sent it, wherever it
// appears: markup is neither rendered nor followed. Each row puts one hostile
// text through the way a user meets it and reads back what the widget shows.

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>

#include <map>

#include "AboutDlg2g.h"
#include "AppStatusBar.h"
#include "ConnectLab.h"
#include "ConnectedShell.h"
#include "EventDisplay.h"
#include "IOManagerUdpTcp.h"
#include "IpDialog.h"
#include "ModalWatcher.h"

namespace {

const QString kLink = QStringLiteral("<a href='file:///etc/hostname'>click</a>");
const QString kLarge = QStringLiteral("<font size=6 color=red>CAVE</font>");
const QString kBold = QStringLiteral("<b>box</b>-7");

// What a user reads: the text itself unless the widget renders it as markup.
QString readable(const QString& text, Qt::TextFormat format)
{
    const bool rich =
        format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text));
    if (!rich)
        return text;
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

QString readable(const QLabel* label)
{
    return readable(label->text(), label->textFormat());
}

QString lastLine(const QString& text)
{
    return text.split('\n').last();
}

}  // namespace

class TestPlainText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_lab.reset(); }
    void cleanup() { m_lab->stopSims(); }

    void controllerTextIsShownLiterally_data();
    void controllerTextIsShownLiterally();

private:
    // A simulator at 127.0.21.1 whose host name is hostname, and a channel to it.
    std::unique_ptr<IOManagerUdpTcp> channelTo(const QStringList& lines);
    QString eventDisplay(const QString& text);
    QString statusBarConfiguration(const QString& text);
    QString statusBarMessage(const QString& text);
    std::unique_ptr<IpDialog> searched(const QString& address, const QString& hostname,
                                       const QStringList& lines);
    QString connectionIdentity(const QString& text);
    QString connectionHeldElsewhere(const QString& text);
    QString aboutController(const QString& text);
    QString windowMessageBox(const QString& text);

    std::unique_ptr<ConnectLab> m_lab;
};

void TestPlainText::initTestCase()
{
    CONNECTLAB_ENTER(m_lab, "plain");
}

std::unique_ptr<IOManagerUdpTcp> TestPlainText::channelTo(const QStringList& lines)
{
    if (!m_lab->localSim(QStringLiteral("127.0.21.1"), lines))
        return nullptr;
    auto iom = std::make_unique<IOManagerUdpTcp>();
    unsigned short port = 0;
    char answer[201] = {};
    if (iom->init("127.0.21.1", 50105, &port) != 0 || iom->execute_cmd(answer, "orvane2 init") != 0)
        return nullptr;
    return iom;
}

// The screen shows what the log keeps, and a link in a message leads nowhere.
QString TestPlainText::eventDisplay(const QString& text)
{
    auto iom = channelTo({});
    if (!iom)
        return QStringLiteral("no controller");
    QTemporaryDir logs;
    EventDisplay display(iom.get(), logs.path(), QStringLiteral("box"));
    display.show();
    m_lab->sims.back()->control("msg warning: " + text);
    display.get_msg();
    auto* browser = display.findChild<QTextBrowser*>();
    QFile log(QDir(logs.path()).filePath(QDir(logs.path()).entryList(QDir::Files).value(0)));
    if (!browser || !log.open(QIODevice::ReadOnly))
        return QStringLiteral("no display or no log");
    const QString logged = lastLine(QString::fromUtf8(log.readAll()).trimmed());
    if (lastLine(browser->toPlainText()) != logged)
        return QStringLiteral("the screen shows another line: ") + lastLine(browser->toPlainText());

    // Where the message shows "click", a user clicks.
    QTextCursor at = browser->document()->find(QStringLiteral("click"));
    if (!at.isNull()) {
        browser->setTextCursor(at);
        const QPoint point = browser->cursorRect().center();
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, point);
    }
    if (!browser->source().isEmpty() || lastLine(browser->toPlainText()) != logged)
        return QStringLiteral("followed to ") + browser->source().toString();
    return logged;
}

QString TestPlainText::statusBarConfiguration(const QString& text)
{
    auto iom = channelTo({"set config desc = " + text});
    if (!iom)
        return QStringLiteral("no controller");
    AppStatusBar bar(iom.get());
    return readable(bar.findChildren<QLabel*>().last());
}

QString TestPlainText::statusBarMessage(const QString& text)
{
    auto iom = channelTo({});
    if (!iom)
        return QStringLiteral("no controller");
    AppStatusBar bar(iom.get());
    bar.showMessage(text);
    return readable(bar.findChildren<QLabel*>().first());
}

// The start-up search of the connection dialog for the controller named
// hostname at address, as the preferences remember it.
std::unique_ptr<IpDialog> TestPlainText::searched(const QString& address, const QString& hostname,
                                                  const QStringList& lines)
{
    if (!m_lab->localSim(address, QStringList{"set system hostname = " + hostname} + lines))
        return nullptr;
    auto dialog = std::make_unique<IpDialog>(nullptr, Qt::FramelessWindowHint, std::string());
    dialog->setFailurePauseMs(0);
    dialog->set_last_trackbox_ip(address);
    dialog->set_last_trackbox_hostname(hostname);
    ModalWatcher watcher;
    dialog->try_connect();
    return dialog;
}

QString TestPlainText::connectionIdentity(const QString& text)
{
    const auto dialog = searched(QStringLiteral("127.0.21.2"), text, {});
    if (!dialog)
        return QStringLiteral("no controller");
    return readable(dialog->findChild<QLabel*>(QStringLiteral("label_trackbox")));
}

QString TestPlainText::connectionHeldElsewhere(const QString& text)
{
    const auto dialog = searched(QStringLiteral("127.0.21.3"), text, {"access 10.0.0.7"});
    if (!dialog)
        return QStringLiteral("no controller");
    const QString progress =
        dialog->findChild<QTextEdit*>(QStringLiteral("textEdit_progress"))->toPlainText();
    for (const QString& line : progress.split('\n'))
        if (line.startsWith(QLatin1String("Controller '")))
            return line.mid(12).chopped(1);
    return progress;
}

QString TestPlainText::aboutController(const QString& text)
{
    auto iom = channelTo({"set system hostname = " + text});
    if (!iom)
        return QStringLiteral("no controller");
    AboutDlg2g about(iom.get(), nullptr, nullptr, true);
    about.updateContents();
    const QString shown = readable(about.findChild<QLabel*>(QStringLiteral("label_controller")));
    return shown.contains(text) ? text : shown;
}

// A box a module or the channel asks the window for.
QString TestPlainText::windowMessageBox(const QString& text)
{
    ConnectedShell shell;
    if (!shell.startSim(QStringLiteral("127.0.21.4")))
        return QStringLiteral("no controller");
    ModalWatcher watcher;
    QStringList shown;
    watcher.answerBoxesWith([&shown](QMessageBox* box) {
        shown << readable(box->text(), box->textFormat());
        return nullptr;
    });
    auto w = shell.startDirect();
    if (w->isEndingProcess())
        return QStringLiteral("no window");
    const int before = shown.size();
    w->openMessageBox(MessageBoxProvider::Warning, QStringLiteral("Module"), text);
    if (!QTest::qWaitFor([&] { return shown.size() > before; }, 10000))
        return QStringLiteral("no box");
    return shown.at(before);
}

void TestPlainText::controllerTextIsShownLiterally_data()
{
    QTest::addColumn<QString>("surface");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("event display, link") << "event display" << kLink << kLink;
    QTest::newRow("event display, styled") << "event display" << kLarge << kLarge;
    QTest::newRow("status bar configuration")
        << "status bar configuration" << kLarge << "Configuration '" + kLarge + "' on Controller '";
    QTest::newRow("status bar message") << "status bar message" << kBold << kBold;
    QTest::newRow("connection dialog, controller name")
        << "connection dialog name" << kBold << kBold;
    QTest::newRow("connection dialog, controller held elsewhere")
        << "connection dialog held" << kBold << kBold;
    QTest::newRow("about dialog, controller") << "about dialog" << kBold << kBold;
    QTest::newRow("window's message box") << "window message box" << kLink << kLink;
}

void TestPlainText::controllerTextIsShownLiterally()
{
    using Show = QString (TestPlainText::*)(const QString&);
    static const std::map<QString, Show> surfaces = {
        {"event display", &TestPlainText::eventDisplay},
        {"status bar configuration", &TestPlainText::statusBarConfiguration},
        {"status bar message", &TestPlainText::statusBarMessage},
        {"connection dialog name", &TestPlainText::connectionIdentity},
        {"connection dialog held", &TestPlainText::connectionHeldElsewhere},
        {"about dialog", &TestPlainText::aboutController},
        {"window message box", &TestPlainText::windowMessageBox},
    };
    QFETCH(QString, surface);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    const QString actual = (this->*surfaces.at(surface))(text);
    QVERIFY2(actual.contains(shown), qPrintable(actual));
}

QTEST_MAIN(TestPlainText)
#include "tst_plaintext.moc"
