#include "EventDisplay.h"

#include "IOManager.h"
#include "PlainText.h"
#include "StatusCommon.h"
#include "TextBrowser.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTextStream>
#include <QVBoxLayout>

#include <cstring>

EventDisplay::EventDisplay(IOManager* iom, QString sEventLogDir, QString sHostname, QWidget* parent)
    : QWidget(parent), iom(iom), m_sEventLogDir(sEventLogDir), m_sHostname(sHostname)
{
    setWhatsThis(tr("This windows shows all Controller warnings and error messages."));
    auto* layout = new QVBoxLayout(this);
    textBrowser = new TextBrowser(this);
    textBrowser->document()->setMaximumBlockCount(kMaxLines);
    layout->addWidget(textBrowser);

    get_msg();
    connect(&timer, &QTimer::timeout, this, &EventDisplay::get_msg);
    timer.start(1000);
    onDeleteOldLogFiles();
    connect(&timerLogFile, &QTimer::timeout, this, &EventDisplay::onDeleteOldLogFiles);
    timerLogFile.start(86400000);
}

void EventDisplay::stop_polling()
{
    timer.stop();
}

void EventDisplay::showEvent(QShowEvent* event)
{
    timer.setInterval(100);
    QWidget::showEvent(event);
}

void EventDisplay::hideEvent(QHideEvent* event)
{
    timer.setInterval(1000);
    QWidget::hideEvent(event);
}

void EventDisplay::get_msg()
{
    // Held also by a poll further up this thread (an error box's own loop).
    if (!get_msg_mutex.tryLock())
        return;
    char answer[IOManager::MaxTextLength + 1] = {};
    // Messages left over stay queued on the controller for the next poll.
    QElapsedTimer spent;
    spent.start();
    for (int fetched = 0; fetched < kMaxMessagesPerPoll; ++fetched) {
        if (iom->isCmdPending() || spent.elapsed() >= StatusCommon::kUpdateBudgetMs)
            break;
        if (iom->execute_cmd(answer, "orvane2 getmsg") < 0)
            break;
        if (std::strcmp(answer, "orvane2 ok") == 0)
            break;
        const size_t length = std::strlen(answer);
        addText(QString::fromUtf8(answer + qMin<size_t>(length, 11)), QString());
        // A controller that answers with an error would answer so again.
        if (std::strncmp(answer, "orvane2 err", 11) == 0)
            break;
    }
    get_msg_mutex.unlock();
}

int EventDisplay::transmit_message(int, const char* src, const char* msg)
{
    const QString text = QString("(%1) %2").arg(QString::fromUtf8(src ? src : ""),
                                                QString::fromUtf8(msg ? msg : ""));
    StatusCommon::onOwnThread(this, [this, text] { addText(text, QString()); });
    return 0;
}

void EventDisplay::addText(QString text, QString pre)
{
    if (text.isEmpty())
        return;
    const QDateTime now = readStamp();
    const QString line =
        pre + now.toString("yyyy-MM-dd") + "T" + now.toString("hh:mm:ss") + ": " + text;
    PlainText::appendLine(textBrowser, line);
    onWriteTextToLogFile(line);
    textBrowser->verticalScrollBar()->setValue(textBrowser->verticalScrollBar()->maximum());
}

void EventDisplay::onWriteTextToLogFile(const QString& sMsg)
{
    writeTextToLogFile(sMsg, m_sEventLogDir);
}

void EventDisplay::setClock(Clock clock)
{
    m_clock = clock ? std::move(clock) : Clock(&QDateTime::currentDateTime);
}

// The line's stamp and its file's date come from this one reading, so a line
// stamped a second before midnight still goes to that day's file.
QDateTime EventDisplay::readStamp()
{
    m_lastStamp = m_clock();
    return m_lastStamp;
}

QString EventDisplay::logFilePath(const QString& sLogDir) const
{
    return logFilePath(sLogDir, m_lastStamp.isValid() ? m_lastStamp.date() : m_clock().date());
}

// The host name comes from the controller; a slash in it must not lead the
// file out of the log directory.
QString EventDisplay::logFilePath(const QString& sLogDir, const QDate& day) const
{
    QString host = m_sHostname;
    host.replace('/', '_').replace('\\', '_');
    return sLogDir + "/" + m_sPrefix + day.toString("yyyy-MM-dd") + "_" + host + m_sSuffix;
}

QString EventDisplay::logFullNotice() const
{
    return m_lastStamp.toString("yyyy-MM-dd") + "T" + m_lastStamp.toString("hh:mm:ss") +
           ": (ORVANE3) " +
           tr("The event log of this day has reached %1 MB. Further events are shown but not "
              "logged.")
               .arg(kMaxLogFileBytes / (1024 * 1024));
}

// The line that reaches the limit is still written, followed by the notice;
// a file at or above the limit takes nothing more, also after a restart.
void EventDisplay::writeTextToLogFile(const QString& sMsg, const QString& sLogDir)
{
    if (!QDir().mkpath(sLogDir))
        return;
    QFile file(logFilePath(sLogDir));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    if (file.size() >= kMaxLogFileBytes)
        return;
    QTextStream out(&file);
    out.setCodec("UTF-8");
    out << sMsg << '\n';
    out.flush();
    if (file.size() >= kMaxLogFileBytes)
        out << logFullNotice() << '\n';
}

void EventDisplay::onDeleteOldLogFiles()
{
    deleteOldLogFiles(m_sEventLogDir);
}

void EventDisplay::deleteOldLogFiles(const QString& sLogDir)
{
    QDir dir(sLogDir);
    if (!dir.exists())
        return;
    const QDate oldestKept = m_clock().date().addDays(-kKeptLogDays);
    const QStringList files = dir.entryList(QStringList{m_sPrefix + "*" + m_sSuffix}, QDir::Files);
    for (const QString& name : files) {
        // Only a dated log goes; a copy or a note that shares the prefix stays.
        const QString dateText = name.mid(m_sPrefix.size(), 10);
        const QDate date = QDate::fromString(dateText, "yyyy-MM-dd");
        if (date.isValid() && date.toString("yyyy-MM-dd") == dateText && date < oldestKept)
            dir.remove(name);
    }
}
