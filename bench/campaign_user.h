// The user in front of the real window during the long reliability runs: runs
// the program's restart loop in this process, answers every box as someone at
// the installation would, reconnects whenever the lost-connection box lets
// them, keeps the measurement running, and keeps count of what it saw.

#ifndef ORVANE_BENCH_CAMPAIGN_USER_H
#define ORVANE_BENCH_CAMPAIGN_USER_H

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>

#include "MainMenus.h"
#include "ProgramEntry.h"
#include "mainwindow.h"

// Both programs report to the script reading their output, a line at a time.
inline void emitLine(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// The application as the program's main() sets it up; a peer closing its
// socket must not end the run with SIGPIPE.
inline void setUpApplication()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    Q_INIT_RESOURCE(orvane_shell);
    std::signal(SIGPIPE, SIG_IGN);
}

// A home of its own for the run, so its preferences, layouts and event logs
// never mix with the user's; set before the application object exists.
inline std::unique_ptr<QTemporaryDir> usePrivateHome()
{
    auto home = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/orvane-campaign-XXXXXX");
    qputenv("HOME", home->path().toLocal8Bit());
    return home;
}

class CampaignUser : public QObject
{
public:
    // Called for every modal widget that is not a message box; returns true
    // when it took care of it.
    using DialogHandler = std::function<bool(QWidget*)>;
    // Called for every new message box other than the lost-connection box.
    using BoxObserver = std::function<void(QMessageBox*)>;

    CampaignUser()
    {
        connect(&m_poll, &QTimer::timeout, this, &CampaignUser::poll);
        m_clock.start();
    }

    void setDialogHandler(DialogHandler handler) { m_dialogHandler = std::move(handler); }
    void setBoxObserver(BoxObserver observer) { m_boxObserver = std::move(observer); }
    void setWantMeasuring(bool on) { m_wantMeasuring = on; }

    // The restart loop as main() runs it; returns its exit code.
    int run(const QString& args)
    {
        m_poll.start(10);
        const int result = runMainWindows(args);
        m_poll.stop();
        return result;
    }

    // The window the program shows now; null between two windows.
    MainWindow* window() const { return m_window; }
    qint64 elapsedMs() const { return m_clock.elapsed(); }

    bool measuring() const
    {
        QAction* toggle = m_window ? m_window->menus()->toggleMeasurementAction() : nullptr;
        return toggle && toggle->text() == QLatin1String("Stop");
    }
    bool lostBoxOpen() const { return m_lostBox; }

    int lostBoxes() const { return m_lostBoxes; }
    int windowsShown() const { return m_windowsShown; }
    int reconnectsExpired() const { return m_expired; }

    // Triggers a menu entry of the current window by its text; false when
    // there is none or it is disabled (the service entry is, while measuring).
    bool triggerEntry(const QString& text)
    {
        if (!m_window)
            return false;
        for (QAction* a : m_window->findChildren<QAction*>()) {
            if (a->text() == text && a->isEnabled()) {
                later([a = QPointer<QAction>(a)] {
                    if (a)
                        a->trigger();
                });
                return true;
            }
        }
        return false;
    }

    void toggleMeasurement()
    {
        if (QAction* toggle = m_window ? m_window->menus()->toggleMeasurementAction() : nullptr)
            later([toggle = QPointer<QAction>(toggle)] {
                if (toggle)
                    toggle->trigger();
            });
    }

    // What opens a modal loop runs from the event loop, not from inside the
    // poll: Qt does not fire a timer again while its own slot still runs.
    void later(std::function<void()> action) { QTimer::singleShot(0, this, std::move(action)); }

    // Ends the program as the user does: Quit, and stop the measurement.
    void quit()
    {
        m_quitting = true;
        if (!triggerEntry(QStringLiteral("&Quit")))
            QCoreApplication::exit(0);
    }

private:
    void poll()
    {
        followWindow();
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            answerBox(box);
        else if (modal && m_dialogHandler && m_dialogHandler(modal))
            return;
        else if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else if (!modal && m_wantMeasuring && !m_quitting)
            keepMeasuring();
    }

    void followWindow()
    {
        MainWindow* shown = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* w = qobject_cast<MainWindow*>(top);
            if (w && w->isVisible())
                shown = w;
        }
        if (shown && shown != m_window)
            ++m_windowsShown;
        m_window = shown;
    }

    static bool isLostConnectionBox(QMessageBox* box)
    {
        return box->text().startsWith(QLatin1String("Connection to Controller lost."));
    }

    void answerBox(QMessageBox* box)
    {
        if (isLostConnectionBox(box)) {
            answerLostConnection(box);
            return;
        }
        if (box == m_lastBox)
            return;
        m_lastBox = box;
        if (m_boxObserver)
            m_boxObserver(box);
        // Yes stops the measurement when quitting; every other box has OK.
        QAbstractButton* answer = box->button(QMessageBox::Yes);
        if (!answer)
            answer = box->button(QMessageBox::Ok);
        if (answer)
            answer->click();
        else
            box->reject();
    }

    // Reconnect as soon as the countdown lets the user; OK once it is over.
    void answerLostConnection(QMessageBox* box)
    {
        if (box != m_lostBox) {
            m_lostBox = box;
            ++m_lostBoxes;
        }
        auto* reconnect = qobject_cast<QPushButton*>(box->buttons().value(1));
        if (reconnect && reconnect->isEnabled()) {
            reconnect->click();
        } else if (!reconnect || reconnect->text() == QLatin1String("&Reconnect")) {
            ++m_expired;
            box->button(QMessageBox::Ok)->click();
        }
    }

    // A window that came back after a reboot, or whose controller stopped
    // measuring, is set measuring again, once per second at most.
    void keepMeasuring()
    {
        QAction* toggle = m_window ? m_window->menus()->toggleMeasurementAction() : nullptr;
        if (!toggle || !toggle->isEnabled() || measuring())
            return;
        if (m_lastStartMs >= 0 && elapsedMs() - m_lastStartMs < 1000)
            return;
        m_lastStartMs = elapsedMs();
        toggleMeasurement();
    }

    QTimer m_poll;
    QElapsedTimer m_clock;
    DialogHandler m_dialogHandler;
    BoxObserver m_boxObserver;
    QPointer<MainWindow> m_window;
    QPointer<QMessageBox> m_lostBox;
    QPointer<QMessageBox> m_lastBox;
    bool m_wantMeasuring = true;
    bool m_quitting = false;
    qint64 m_lastStartMs = -1;
    int m_lostBoxes = 0;
    int m_windowsShown = 0;
    int m_expired = 0;
};

#endif
