#ifndef ORVANE_TESTS_CONNECTEDSHELL_H
#define ORVANE_TESTS_CONNECTEDSHELL_H

#include "MainWindowProbe.h"
#include "ModalWatcher.h"
#include "ShellTestHome.h"
#include "SimProcess.h"

#include <QtTest>

#include <memory>

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
    QStringList takeTcpCommands()
    {
        // The answer comes after every line printed before it.
        m_sim.control("stats");
        QStringList commands;
        for (const QString& line : m_sim.takeOutputLines()) {
            const QStringList words = line.split(' ');
            if (words.size() > 3 && words[0] == "cmd" && words[1] == "tcp")
                commands << words.mid(3).join(' ');
        }
        return commands;
    }

private:
    static void recordEnd(int code) { s_endedWith = code; }
    static inline int s_endedWith = -1;

    ShellTestHome m_home;
    SimProcess m_sim;
};

#endif
