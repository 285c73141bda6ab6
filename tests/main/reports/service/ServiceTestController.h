#ifndef ORVANE_TESTS_SERVICETESTCONTROLLER_H
#define ORVANE_TESTS_SERVICETESTCONTROLLER_H

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

#include "IOManagerUdpTcp.h"
#include "SimProcess.h"

// A simulated controller of one profile, changed by control lines, and the
// main window's kind of channel to it; each on the next address of the
// service tests' loopback block. Test programs that run side by side use
// their own part of the block (firstHost 1, 100, ...).
class ServiceTestController
{
public:
    explicit ServiceTestController(int firstHost) : m_firstHost(firstHost) {}

    bool start(const QString& profile, const QStringList& controls)
    {
        static int started = 0;
        const QString address = QStringLiteral("127.0.14.%1").arg(m_firstHost + started++ % 90);
        if (!m_sim.start(address, {"--profile", profile}))
            return false;
        for (const QString& line : controls) {
            const QString answer = m_sim.control(line);
            if (!answer.startsWith("ok")) {
                qWarning("control line '%s' answered '%s'", qPrintable(line), qPrintable(answer));
                return false;
            }
        }
        m_io = std::make_unique<IOManagerUdpTcp>(nullptr);
        unsigned short dataPort = 0;
        return m_io->init(qPrintable(address), 50105, &dataPort) == 0;
    }

    IOManager* io() const { return m_io.get(); }
    SimProcess& sim() { return m_sim; }

private:
    int m_firstHost;
    SimProcess m_sim;
    std::unique_ptr<IOManagerUdpTcp> m_io;
};

// Runs a dialog's modal update_and_exec() the way a user meets it: once it is
// up, `whileOpen` looks at it, then the user presses its OK button.
template <typename Dialog>
int execWhileOpen(Dialog& dialog, const std::function<void()>& whileOpen)
{
    QTimer::singleShot(0, &dialog, [&dialog, whileOpen] {
        if (whileOpen)
            whileOpen();
        if (auto* ok = dialog.template findChild<QPushButton*>("pushButton_ok"))
            ok->click();
        else
            dialog.reject();
    });
    return dialog.update_and_exec();
}

#endif
