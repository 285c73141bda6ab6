// The control vocabulary of the simulator: lines from stdin or from
// SimController::control(), each answered "ok ..." or "err ...".

#include "SimServer.h"
#include "Tokens.h"

namespace orvane::sim {

namespace {

QString okText(const QString& detail = QString())
{
    return detail.isEmpty() ? QStringLiteral("ok") : QStringLiteral("ok ") + detail;
}

QString errText(const QString& why)
{
    return QStringLiteral("err ") + why;
}

bool toInt(const QString& s, int* out, int min = 0)
{
    bool ok = false;
    const int v = s.trimmed().toInt(&ok);
    if (!ok || v < min)
        return false;
    *out = v;
    return true;
}

bool onOff(const QString& s, bool* out)
{
    if (s == QLatin1String("on") || s == QLatin1String("yes") || s == QLatin1String("1")) {
        *out = true;
        return true;
    }
    if (s == QLatin1String("off") || s == QLatin1String("no") || s == QLatin1String("0")) {
        *out = false;
        return true;
    }
    return false;
}

}  // namespace

QString SimServer::control(const QString& line)
{
    const QString trimmed = line.trimmed();
    const int blank = trimmed.indexOf(QLatin1Char(' '));
    const QString cmd = blank < 0 ? trimmed : trimmed.left(blank);
    const QString rest = blank < 0 ? QString() : trimmed.mid(blank + 1).trimmed();
    int n = 0;
    bool flag = false;

    if (cmd.isEmpty())
        return errText(QStringLiteral("empty control line"));
    if (cmd == QLatin1String("delay")) {
        if (!toInt(rest, &n))
            return errText(QStringLiteral("usage: delay MS"));
        m_faults.delayMs = n;
        return okText();
    }
    if (cmd == QLatin1String("drop")) {
        if (!toInt(rest.isEmpty() ? QStringLiteral("1") : rest, &n))
            return errText(QStringLiteral("usage: drop N"));
        m_faults.dropNext = n;
        return okText();
    }
    if (cmd == QLatin1String("silent")) {
        if (!onOff(rest.isEmpty() ? QStringLiteral("on") : rest, &flag))
            return errText(QStringLiteral("usage: silent on|off"));
        m_faults.silent = flag;
        return okText();
    }
    if (cmd == QLatin1String("close")) {
        const int count = m_connections.size();
        closeAllConnections();
        return okText(QString::number(count));
    }
    if (cmd == QLatin1String("close-after")) {
        if (!toInt(rest, &n))
            return errText(QStringLiteral("usage: close-after N"));
        if (n == 0) {
            closeAllConnections();
            m_faults.closeAfter = -1;
        } else {
            m_faults.closeAfter = n;
        }
        return okText();
    }
    if (cmd == QLatin1String("error") || cmd == QLatin1String("clear") ||
        cmd == QLatin1String("raw") || cmd == QLatin1String("unpin"))
        return controlGetSet(cmd, rest);
    if (cmd == QLatin1String("oversize")) {
        m_faults.oversizeNext = true;
        return okText();
    }
    if (cmd == QLatin1String("garbage")) {
        m_faults.garbageNext = true;
        return okText();
    }
    if (cmd == QLatin1String("reset")) {
        m_faults.reset();
        m_data.setMode(DataOutput::Mode::Normal);
        return okText();
    }
    if (cmd == QLatin1String("set") || cmd == QLatin1String("get"))
        return controlGetSet(cmd, rest);
    if (cmd == QLatin1String("msg")) {
        if (rest.isEmpty())
            return errText(QStringLiteral("usage: msg TEXT"));
        m_engine.queueMessage(rest);
        return okText();
    }
    if (cmd == QLatin1String("state")) {
        MeasState s;
        if (!parseState(rest, &s))
            return errText(QStringLiteral("usage: state none|mea|wait|err|cal"));
        m_engine.setState(s);
        return okText();
    }
    if (cmd == QLatin1String("refuse-tracking")) {
        if (!toInt(rest.isEmpty() ? QStringLiteral("1") : rest, &n))
            return errText(QStringLiteral("usage: refuse-tracking N"));
        m_engine.refuseNextStart(n);
        return okText();
    }
    if (cmd == QLatin1String("sync-missing")) {
        if (!onOff(rest.isEmpty() ? QStringLiteral("on") : rest, &flag))
            return errText(QStringLiteral("usage: sync-missing on|off"));
        m_engine.setSyncMissing(flag);
        if (flag && m_engine.state() == MeasState::Mea)
            m_engine.setState(MeasState::Wait);
        else if (!flag && m_engine.state() == MeasState::Wait)
            m_engine.setState(MeasState::Mea);
        return okText();
    }
    if (cmd == QLatin1String("frames-lost")) {
        if (rest == QLatin1String("auto")) {
            m_engine.setFramesLost(-1);
            return okText();
        }
        if (!toInt(rest, &n))
            return errText(QStringLiteral("usage: frames-lost N|auto"));
        m_engine.setFramesLost(n);
        return okText();
    }
    if (cmd == QLatin1String("data")) {
        const QStringList a = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (a.value(0) == QLatin1String("stop"))
            m_data.setMode(DataOutput::Mode::Stopped);
        else if (a.value(0) == QLatin1String("start"))
            m_data.setMode(DataOutput::Mode::Normal);
        else if (a.value(0) == QLatin1String("flood") && toInt(a.value(1), &n, 1) && n <= 100000)
            m_data.setMode(DataOutput::Mode::Flood, n);
        else
            return errText(QStringLiteral("usage: data stop|start|flood HZ"));
        return okText();
    }
    if (cmd == QLatin1String("frequency")) {
        bool ok = false;
        const double hz = rest.toDouble(&ok);
        if (!ok || hz <= 0 || hz > 10000)
            return errText(QStringLiteral("usage: frequency HZ"));
        m_engine.settings().frequencyHz = hz;
        m_data.reconfigure();
        return okText();
    }
    if (cmd == QLatin1String("password")) {
        m_engine.settings().frontendPassword = rest == QLatin1String("none") ? QString() : rest;
        return okText();
    }
    if (cmd == QLatin1String("access")) {
        if (rest == QLatin1String("none")) {
            m_engine.setAccessHolder(QHostAddress());
            return okText();
        }
        const QHostAddress a(rest);
        if (a.isNull())
            return errText(QStringLiteral("usage: access ADDR|none"));
        m_engine.setAccessHolder(a);
        return okText();
    }
    if (cmd == QLatin1String("stats")) {
        return okText(QStringLiteral("commands=%1 tcp=%2 udp=%3 connections=%4 data=%5 dummy=%6 "
                                     "wol=%7 state=%8 power=%9")
                          .arg(m_commands)
                          .arg(m_tcpCommands)
                          .arg(m_udpCommands)
                          .arg(m_connections.size())
                          .arg(m_data.datagramsSent())
                          .arg(m_data.dummiesReceived())
                          .arg(m_wakePackets)
                          .arg(stateName(m_engine.state()),
                               m_power == Power::Awake     ? QStringLiteral("awake")
                               : m_power == Power::Asleep  ? QStringLiteral("asleep")
                               : m_power == Power::Booting ? QStringLiteral("booting")
                                                           : QStringLiteral("rebooting")));
    }
    if (cmd == QLatin1String("log")) {
        if (!onOff(rest, &flag))
            return errText(QStringLiteral("usage: log on|off"));
        m_log = flag;
        return okText();
    }
    if (cmd == QLatin1String("quit")) {
        emit quitRequested();
        return okText();
    }
    return controlPower(cmd, rest);
}

QString SimServer::controlPower(const QString& cmd, const QString& arg)
{
    int n = 0;
    if (cmd == QLatin1String("sleep")) {
        goToSleep();
        return okText(m_wake.isOpen() ? QStringLiteral("wol") : QStringLiteral("no-wol"));
    }
    if (cmd == QLatin1String("wake")) {
        m_power = m_power == Power::Awake ? Power::Awake : Power::Booting;
        wakeNow();
        return m_power == Power::Awake ? okText() : errText(QStringLiteral("cannot listen yet"));
    }
    if (cmd == QLatin1String("reboot-now")) {
        const int ms = arg.isEmpty() ? m_engine.settings().rebootTimeMs : arg.toInt();
        goOffline(ms);
        return okText();
    }
    struct Timing
    {
        const char* name;
        int ProfileSettings::*field;
    };
    static const Timing timings[] = {
        {"reboot", &ProfileSettings::rebootTimeMs},
        {"reboot-time", &ProfileSettings::rebootTimeMs},
        {"boot-time", &ProfileSettings::bootTimeMs},
        {"reinit-time", &ProfileSettings::reinitTimeMs},
        {"cal-time", &ProfileSettings::calTimeMs},
        {"init-time", &ProfileSettings::initTimeMs},
    };
    for (const Timing& t : timings) {
        if (cmd == QLatin1String(t.name)) {
            if (!toInt(arg, &n))
                return errText(QStringLiteral("usage: %1 MS").arg(cmd));
            m_engine.settings().*t.field = n;
            return okText();
        }
    }
    return errText(QStringLiteral("unknown control command: ") + cmd);
}

QString SimServer::controlGetSet(const QString& cmd, const QString& rest)
{
    if (cmd == QLatin1String("set")) {
        const int eq = rest.indexOf(QLatin1Char('='));
        const QString key = normalizeKey(rest.left(eq));
        if (eq < 0 || key.isEmpty())
            return errText(QStringLiteral("usage: set PARAM = VALUE"));
        m_engine.forceValue(key, rest.mid(eq + 1).trimmed());
        return okText();
    }
    if (cmd == QLatin1String("raw")) {
        const int bar = rest.indexOf(QLatin1Char('|'));
        const QString key = normalizeKey(rest.left(bar));
        if (bar < 0 || key.isEmpty())
            return errText(QStringLiteral("usage: raw PARAM | TEXT"));
        m_faults.setParamRaw(key, rest.mid(bar + 1).trimmed());
        return okText();
    }
    const QString key = normalizeKey(rest);
    if (key.isEmpty())
        return errText(QStringLiteral("usage: %1 PARAM").arg(cmd));
    if (cmd == QLatin1String("get")) {
        const QString v = m_engine.currentValue(key);
        if (v.isNull())
            return errText(QStringLiteral("unknown parameter ") + key);
        return okText(v);
    }
    if (cmd == QLatin1String("error")) {
        m_faults.setParamError(key);
        return okText();
    }
    if (cmd == QLatin1String("unpin"))
        return m_engine.unpin(key) ? okText() : errText(QStringLiteral("not pinned"));
    return m_faults.clearParam(key) ? okText() : errText(QStringLiteral("no fault on ") + key);
}

}  // namespace orvane::sim
