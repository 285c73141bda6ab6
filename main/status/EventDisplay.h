#ifndef ORVANE_EVENTDISPLAY_H
#define ORVANE_EVENTDISPLAY_H

#include <QDate>
#include <QDateTime>
#include <QMutex>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "MessageReceiver.h"

#include <functional>

class IOManager;
class TextBrowser;

// The controller's warnings and errors and the front-end's own notices, each
// with a time stamp, the newest 200 on screen and every one in a daily log
// file named after the controller. Controller messages are polled with
// "orvane2 getmsg"; front-end notices arrive on the message class "standard".
class EventDisplay : public QWidget, public MessageReceiver
{
    Q_OBJECT

public:
    static constexpr int kMaxLines = 200;
    // A poll fetches at most this many messages, so a controller that never
    // runs out cannot hold the user interface.
    static constexpr int kMaxMessagesPerPoll = 100;
    static constexpr int kKeptLogDays = 200;
    // One day's log of one controller stops growing here, so a controller
    // that floods messages cannot fill the disk; the screen still shows them.
    static constexpr qint64 kMaxLogFileBytes = 50 * 1024 * 1024;

    using Clock = std::function<QDateTime()>;

    EventDisplay(IOManager* iom, QString sEventLogDir, QString sHostname,
                 QWidget* parent = nullptr);

    // Any thread: shown as "(src) msg".
    int transmit_message(int type, const char* src, const char* msg) override;
    // The GUI thread: a line with the time stamp, on screen and in the log.
    void addText(QString text, QString pre);
    void onWriteTextToLogFile(const QString& sMsg);
    void writeTextToLogFile(const QString& sMsg, const QString& sLogDir);
    void deleteOldLogFiles(const QString& sLogDir);
    // The file the last stamped line went to (today's before the first).
    QString logFilePath(const QString& sLogDir) const;
    // The local time the stamps and the log files' dates are read from.
    void setClock(Clock clock);

    void stop_polling();
    TextBrowser* browser() const { return textBrowser; }
    int pollInterval() const { return timer.interval(); }

public slots:
    void get_msg();
    void onDeleteOldLogFiles();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    TextBrowser* textBrowser = nullptr;
    QMutex get_msg_mutex;
    IOManager* iom;
    QTimer timer;
    QTimer timerLogFile;
    QString m_sEventLogDir;
    QString m_sPrefix = QStringLiteral("events-");
    QString m_sSuffix = QStringLiteral(".log");
    QString m_sHostname;
    Clock m_clock = &QDateTime::currentDateTime;
    QDateTime m_lastStamp;

    QDateTime readStamp();
    QString logFilePath(const QString& sLogDir, const QDate& day) const;
    QString logFullNotice() const;
};

#endif
