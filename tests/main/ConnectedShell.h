#ifndef ORVANE_TESTS_CONNECTEDSHELL_H
#define ORVANE_TESTS_CONNECTEDSHELL_H

#include "MainWindowProbe.h"
#include "ModalWatcher.h"
#include "ShellTestHome.h"
#include "SimProcess.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

inline QByteArray lastTrackboxPreferences(const QString& ip, const QString& hostname,
                                          const QByteArray& more = QByteArray())
{
    return "<ORVANE><LAST_TRACKBOX IP=\"" + ip.toUtf8() + "\" HOSTNAME=\"" + hostname.toUtf8() +
           "\" MAC=\"\" MODEL=\"20\"/>" + more + "</ORVANE>";
}

// The TCP commands a simulator with "log on" received since the last call, in order.
inline QStringList takeSimTcpCommands(SimProcess& sim)
{
    // The answer comes after every line printed before it.
    sim.control("stats");
    QStringList commands;
    for (const QString& line : sim.takeOutputLines()) {
        const QStringList words = line.split(' ');
        if (words.size() > 3 && words[0] == "cmd" && words[1] == "tcp")
            commands << words.mid(3).join(' ');
    }
    return commands;
}

// Clicks a button of the connection dialog once the dialog shows it enabled.
// The dialog is shown before it runs modally, so it is found among the
// top-level windows rather than as the active modal widget.
class ConnectionDialogDriver : public QObject
{
public:
    explicit ConnectionDialogDriver(const QString& button) : m_button(button)
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                auto* b = top->inherits("IpDialog") && top->isVisible()
                              ? top->findChild<QPushButton*>(m_button)
                              : nullptr;
                if (b && b->isEnabled() && b->isVisible()) {
                    ++m_clicks;
                    b->click();
                }
            }
        });
        m_timer.start(20);
    }
    int clicks() const { return m_clicks; }

private:
    QString m_button;
    QTimer m_timer;
    int m_clicks = 0;
};

// A simulated controller, a temporary home, and main windows started against
// it as a user starts the program. A start that ends the process is recorded
// instead (endedWith()), and the window's constructor returns early.
class ConnectedShell
{
public:
    ConnectedShell()
    {
        s_endedWith = -1;
        MainWindow::setProcessEndHandler(&recordEnd);
        m_home.writePreferences("<ORVANE/>");
    }

    bool startSim(const QString& address, const QStringList& args = {"--profile", "demo"})
    {
        return m_sim.start(address, args);
    }

    // "-host <address> ..." against the running simulator.
    std::unique_ptr<MainWindowProbe> start(const QString& args)
    {
        return std::make_unique<MainWindowProbe>(args);
    }
    std::unique_ptr<MainWindowProbe> startDirect(const QString& extra = QString())
    {
        return start("-host " + m_sim.address() + (extra.isEmpty() ? QString() : " " + extra));
    }

    SimProcess& sim() { return m_sim; }
    ShellTestHome& home() { return m_home; }
    static int endedWith() { return s_endedWith; }

    // The TCP commands the simulator received since the last call, in order.
    QStringList takeTcpCommands() { return takeSimTcpCommands(m_sim); }

private:
    static void recordEnd(int code) { s_endedWith = code; }
    static inline int s_endedWith = -1;

    ShellTestHome m_home;
    SimProcess m_sim;
};

#endif
