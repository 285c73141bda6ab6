#ifndef ORVANE_TESTS_TESTCONTROLLER_H
#define ORVANE_TESTS_TESTCONTROLLER_H

// Header only: the channel comes from orvane_io, which only the tests that
// use this link, not every user of the support library.

#include <QDebug>
#include <QString>
#include <QStringList>

#include <memory>

#include "BackendVersions.h"
#include "FrontendInfo.h"
#include "IOManagerUdpTcp.h"
#include "SimProcess.h"

// How far a test channel goes beyond the bare connection.
struct ChannelSetup
{
    // "orvane2 init", as the window sends it after connecting.
    bool initialise = false;
    // The controller's versions read into versions(), as the window's
    // version record holds them.
    bool readVersions = false;

    static ChannelSetup withVersions()
    {
        ChannelSetup setup;
        setup.readVersions = true;
        return setup;
    }
};

// The main window's kind of command channel to a controller.
class TestChannel
{
public:
    bool connect(const QString& address, const ChannelSetup& setup = {})
    {
        m_io = std::make_unique<IOManagerUdpTcp>(nullptr);
        unsigned short dataPort = 0;
        if (m_io->init(address.toLatin1().constData(), FrontendInfo::kControllerPort, &dataPort) !=
            0)
            return false;
        char value[IOManager::MaxTextLength + 1] = {};
        if (setup.initialise && m_io->execute_cmd(value, "orvane2 init") != 0)
            return false;
        if (setup.readVersions)
            readVersions();
        return true;
    }
    // Closes the connection; the controller sees the front-end go.
    void close() { m_io.reset(); }

    IOManagerUdpTcp* io() const { return m_io.get(); }
    BackendVersions& versions() { return m_versions; }

private:
    void readVersions()
    {
        char value[IOManager::MaxTextLength + 1] = {};
        if (m_io->get_par(value, "system version") == 0)
            m_versions.setSystemPt(VersionInfo::fromString(QString::fromUtf8(value)));
        if (m_io->get_par(value, "system protocol_version") == 0)
            m_versions.setProtocol(VersionInfo::fromString(QString::fromUtf8(value)));
        if (m_io->get_par(value, "system controller_version") == 0)
            m_versions.setSystemCt(VersionInfo::fromString(QString::fromUtf8(value)));
        if (m_io->get_par(value, "system model") == 0)
            m_versions.setZecModel(QString::fromUtf8(value));
    }

    std::unique_ptr<IOManagerUdpTcp> m_io;
    BackendVersions m_versions;
};

// A simulated controller process, changed by control lines before anyone
// connects, and a TestChannel to it.
class TestController
{
public:
    struct Options
    {
        QStringList args = {QStringLiteral("--profile"), QStringLiteral("demo")};
        QStringList controls;
        ChannelSetup channel;
    };
    // The demo controller, initialised for this front-end as the window leaves it.
    static Options initialised()
    {
        Options options;
        options.channel.initialise = true;
        return options;
    }

    bool start(const QString& address, const Options& options)
    {
        if (!m_sim.start(address, options.args))
            return false;
        for (const QString& line : options.controls) {
            const QString answer = m_sim.control(line);
            if (!answer.startsWith(QLatin1String("ok"))) {
                qWarning("control line '%s' answered '%s'", qPrintable(line), qPrintable(answer));
                return false;
            }
        }
        return m_channel.connect(address, options.channel);
    }
    bool start(const QString& address) { return start(address, Options()); }

    IOManagerUdpTcp* io() const { return m_channel.io(); }
    BackendVersions& versions() { return m_channel.versions(); }
    TestChannel& channel() { return m_channel; }
    SimProcess& sim() { return m_sim; }
    // Sends a control line; true on its "ok".
    bool control(const QString& line)
    {
        return m_sim.control(line).startsWith(QLatin1String("ok"));
    }

private:
    // The channel goes first, so the simulator sees an orderly close.
    SimProcess m_sim;
    TestChannel m_channel;
};

#endif
