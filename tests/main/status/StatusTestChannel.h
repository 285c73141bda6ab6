#ifndef ORVANE_TESTS_STATUSTESTCHANNEL_H
#define ORVANE_TESTS_STATUSTESTCHANNEL_H

#include "IOManagerUdpTcp.h"
#include "SimProcess.h"

#include <QtTest>

#include <memory>

// A simulated controller and the command channel to it that the window would
// hold, initialised for this front-end.
class StatusTestChannel
{
public:
    bool start(const QString& address, const QStringList& args = {"--profile", "demo"})
    {
        if (!m_sim.start(address, args))
            return false;
        m_iom = std::make_unique<IOManagerUdpTcp>();
        unsigned short port = 0;
        if (m_iom->init(qPrintable(address), 50105, &port) != 0)
            return false;
        char answer[201] = {};
        return m_iom->execute_cmd(answer, "orvane2 init") == 0;
    }

    IOManagerUdpTcp* iom() const { return m_iom.get(); }
    SimProcess& sim() { return m_sim; }
    // Sends a control line; true on its "ok".
    bool control(const QString& line) { return m_sim.control(line).startsWith("ok"); }

private:
    SimProcess m_sim;
    std::unique_ptr<IOManagerUdpTcp> m_iom;
};

#endif
