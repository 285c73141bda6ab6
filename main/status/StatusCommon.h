#ifndef ORVANE_STATUSCOMMON_H
#define ORVANE_STATUSCOMMON_H

#include <QMetaObject>
#include <QObject>
#include <QString>
#include <QThread>

class QLabel;
class QLineEdit;
class QWidget;

namespace StatusCommon {

// The library's icons are in the resources (any use of themedIcon() loads them).
void ensureResources();

// ":/images/icons/<base>.png" on a dark window, the "-brightmode" file on a
// light one, judged by the lightness of the widget's window colour.
QString themedIcon(const QWidget* widget, const QString& base);

// The widest count a bar shows: controller counts reach five digits, and an
// unreadable one shows as -1.
inline const QString kWidestCount = QStringLiteral("-99999");

// Lets widget show widest in full. A bar fixes its widgets' sizes once, and a
// size taken from the first text ("-") would cut every longer count.
void fitLabelWidth(QLabel* label, const QString& widest = kWidestCount);
void fitLineEditWidth(QLineEdit* edit, const QString& widest);

// How long one timer-driven update may spend waiting for the controller
// before the rest of its reads waits for the next update. Every read is a
// round trip: with a slow controller and dozens of reads per update, a
// complete update would hold the window for many seconds at a time.
constexpr int kUpdateBudgetMs = 1000;

// Runs f on the thread of receiver: at once when already there, else through
// that thread's event queue (dropped if receiver is gone by then). Notices of
// the channel may come from any thread that issued a command.
template <class F>
void onOwnThread(QObject* receiver, F f)
{
    if (QThread::currentThread() == receiver->thread())
        f();
    else
        QMetaObject::invokeMethod(receiver, std::move(f), Qt::QueuedConnection);
}

}  // namespace StatusCommon

#endif
