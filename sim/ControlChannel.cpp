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

QString usage(const QString& cmd, const char* args)
{
    return errText(QStringLiteral("usage: %1 %2").arg(cmd, QLatin1String(args)));
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

// Switches default to "on" when given without a word.
bool onOff(const QString& s, bool* out)
{
    if (s.isEmpty() || s == QLatin1String("on") || s == QLatin1String("yes") ||
        s == QLatin1String("1")) {
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
    using Handler = QString (SimServer::*)(const QString&, const QString&);
    struct Entry
    {
        const char* names;  // blank-separated
        Handler handler;
    };
    static const Entry table[] = {
        {"delay drop silent close close-after oversize garbage chaos chaos-rate reset",
         &SimServer::controlFaults},
        {"error raw raw-set raw-cmd clear unpin set get", &SimServer::controlParameters},
        {"msg state refuse-tracking sync-missing frames-lost frequency password access",
         &SimServer::controlBehaviour},
        {"data", &SimServer::controlData},
        {"sleep wake reboot-now reboot reboot-time boot-time reinit-time cal-time init-time",
         &SimServer::controlPower},
        {"stats log quit", &SimServer::controlProcess},
    };
    // Trailing blanks belong to a raw answer ("orvane2 ok "), so only the line end goes.
    QString text = line;
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    const QString trimmed = text.trimmed();
    const int blank = trimmed.indexOf(QLatin1Char(' '));
    const QString cmd = blank < 0 ? trimmed : trimmed.left(blank);
    const QString rest = blank < 0 ? QString() : trimmed.mid(blank + 1).trimmed();
    if (cmd.isEmpty())
        return errText(QStringLiteral("empty control line"));
    if (cmd.startsWith(QLatin1String("raw"))) {
        const int at = text.indexOf(cmd) + cmd.size();
        return controlParameters(cmd,
                                 text.mid(at).trimmed().isEmpty() ? QString() : text.mid(at + 1));
    }
    for (const Entry& e : table) {
        if (QString::fromLatin1(e.names).split(QLatin1Char(' ')).contains(cmd))
            return (this->*e.handler)(cmd, rest);
    }
    return errText(QStringLiteral("unknown control command: ") + cmd);
}

QString SimServer::controlFaults(const QString& cmd, const QString& rest)
{
    int n = 0;
    if (cmd == QLatin1String("delay")) {
        if (!toInt(rest, &n))
            return usage(cmd, "MS");
        m_faults.delayMs = n;
    } else if (cmd == QLatin1String("drop")) {
        if (!toInt(rest.isEmpty() ? QStringLiteral("1") : rest, &n))
            return usage(cmd, "N");
        m_faults.dropNext = n;
    } else if (cmd == QLatin1String("silent")) {
        if (!onOff(rest, &m_faults.silent))
            return usage(cmd, "on|off");
    } else if (cmd == QLatin1String("close")) {
        const int count = m_connections.size();
        closeAllConnections();
        return okText(QString::number(count));
    } else if (cmd == QLatin1String("close-after")) {
        if (!toInt(rest, &n))
            return usage(cmd, "N");
        m_faults.closeAfter = n > 0 ? n : -1;
        if (n == 0)
            closeAllConnections();
    } else if (cmd == QLatin1String("oversize")) {
        m_faults.oversizeNext = true;
    } else if (cmd == QLatin1String("garbage")) {
        m_faults.garbageNext = true;
    } else if (cmd == QLatin1String("chaos")) {
        return controlChaos(rest);
    } else if (cmd == QLatin1String("chaos-rate")) {
        if (!toInt(rest, &n) || n > 100)
            return usage(cmd, "PERCENT");
        m_faults.chaos.setRate(n);
    } else {  // reset
        m_faults.reset();
        m_data.setMode(DataOutput::Mode::Normal);
    }
    return okText();
}

// "chaos SEED [PERCENT]" starts the mix, "chaos off" ends it, "chaos" alone
// tells what it drew so far.
QString SimServer::controlChaos(const QString& rest)
{
    const QStringList words = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return okText(m_faults.chaos.summary());
    if (words.size() == 1 && words.first() == QLatin1String("off")) {
        m_faults.chaos.stop();
        return okText(m_faults.chaos.summary());
    }
    bool ok = false;
    const quint32 seed = words.first().toUInt(&ok);
    int rate = 0;
    if (!ok || words.size() > 2 || (words.size() == 2 && (!toInt(words[1], &rate) || rate > 100)))
        return usage(QStringLiteral("chaos"), "SEED [PERCENT] | off");
    if (words.size() == 2)
        m_faults.chaos.setRate(rate);
    m_faults.chaos.start(seed);
    return okText(m_faults.chaos.summary());
}

QString SimServer::controlParameters(const QString& cmd, const QString& rest)
{
    if (cmd == QLatin1String("set") || cmd.startsWith(QLatin1String("raw"))) {
        const QChar separator = cmd == QLatin1String("set") ? QLatin1Char('=') : QLatin1Char('|');
        const int at = rest.indexOf(separator);
        const QString key = normalizeKey(rest.left(at));
        if (at < 0 || key.isEmpty())
            return usage(cmd, cmd == QLatin1String("set")       ? "PARAM = VALUE"
                              : cmd == QLatin1String("raw-cmd") ? "WORDS | TEXT"
                                                                : "PARAM | TEXT");
        // A raw answer keeps its trailing blanks; one blank after "|" only separates.
        QString text = rest.mid(at + 1);
        if (cmd == QLatin1String("set"))
            text = text.trimmed();
        else if (text.startsWith(QLatin1Char(' ')))
            text.remove(0, 1);
        if (cmd == QLatin1String("set"))
            m_engine.forceValue(key, text);
        else if (cmd == QLatin1String("raw-set"))
            m_faults.setSetRaw(key, text);
        else if (cmd == QLatin1String("raw-cmd"))
            m_faults.setCommandRaw(key, text);
        else
            m_faults.setParamRaw(key, text);
        return okText();
    }
    const QString key = normalizeKey(rest);
    if (key.isEmpty())
        return usage(cmd, "PARAM");
    if (cmd == QLatin1String("get")) {
        const QString v = m_engine.currentValue(key);
        return v.isNull() ? errText(QStringLiteral("unknown parameter ") + key) : okText(v);
    }
    if (cmd == QLatin1String("error")) {
        m_faults.setParamError(key);
        return okText();
    }
    if (cmd == QLatin1String("unpin"))
        return m_engine.unpin(key) ? okText() : errText(QStringLiteral("not pinned"));
    return m_faults.clearParam(key) ? okText() : errText(QStringLiteral("no fault on ") + key);
}

QString SimServer::controlBehaviour(const QString& cmd, const QString& rest)
{
    int n = 0;
    bool flag = false;
    if (cmd == QLatin1String("msg")) {
        if (rest.isEmpty())
            return usage(cmd, "TEXT");
        m_engine.queueMessage(rest);
    } else if (cmd == QLatin1String("state")) {
        MeasState s;
        if (!parseState(rest, &s))
            return usage(cmd, "none|mea|wait|err|cal");
        m_engine.setState(s);
    } else if (cmd == QLatin1String("refuse-tracking")) {
        if (!toInt(rest.isEmpty() ? QStringLiteral("1") : rest, &n))
            return usage(cmd, "N");
        m_engine.refuseNextStart(n);
    } else if (cmd == QLatin1String("sync-missing")) {
        if (!onOff(rest, &flag))
            return usage(cmd, "on|off");
        m_engine.setSyncMissing(flag);
        if (flag && m_engine.state() == MeasState::Mea)
            m_engine.setState(MeasState::Wait);
        else if (!flag && m_engine.state() == MeasState::Wait)
            m_engine.setState(MeasState::Mea);
    } else if (cmd == QLatin1String("frames-lost")) {
        if (rest != QLatin1String("auto") && !toInt(rest, &n))
            return usage(cmd, "N|auto");
        m_engine.setFramesLost(rest == QLatin1String("auto") ? -1 : n);
    } else if (cmd == QLatin1String("frequency")) {
        bool ok = false;
        const double hz = rest.toDouble(&ok);
        if (!ok || hz <= 0 || hz > 10000)
            return usage(cmd, "HZ");
        m_engine.settings().frequencyHz = hz;
        m_data.reconfigure();
    } else if (cmd == QLatin1String("password")) {
        m_engine.settings().frontendPassword = rest == QLatin1String("none") ? QString() : rest;
    } else {  // access
        const QHostAddress a(rest);
        if (rest != QLatin1String("none") && a.isNull())
            return usage(cmd, "ADDR|none");
        m_engine.setAccessHolder(a);
    }
    return okText();
}

QString SimServer::controlData(const QString& cmd, const QString& rest)
{
    int n = 0;
    const QStringList a = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (a.value(0) == QLatin1String("stop"))
        m_data.setMode(DataOutput::Mode::Stopped);
    else if (a.value(0) == QLatin1String("start"))
        m_data.setMode(DataOutput::Mode::Normal);
    else if (a.value(0) == QLatin1String("flood") && toInt(a.value(1), &n, 1) && n <= 100000)
        m_data.setMode(DataOutput::Mode::Flood, n);
    else
        return usage(cmd, "stop|start|flood HZ");
    return okText();
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
        if (!arg.isEmpty() && !toInt(arg, &n))
            return usage(cmd, "[MS]");
        goOffline(arg.isEmpty() ? m_engine.settings().rebootTimeMs : n);
        return okText();
    }
    ProfileSettings& s = m_engine.settings();
    int* field = cmd == QLatin1String("boot-time")     ? &s.bootTimeMs
                 : cmd == QLatin1String("reinit-time") ? &s.reinitTimeMs
                 : cmd == QLatin1String("cal-time")    ? &s.calTimeMs
                 : cmd == QLatin1String("init-time")   ? &s.initTimeMs
                                                       : &s.rebootTimeMs;
    if (!toInt(arg, &n))
        return usage(cmd, "MS");
    *field = n;
    return okText();
}

QString SimServer::controlProcess(const QString& cmd, const QString& rest)
{
    if (cmd == QLatin1String("log")) {
        if (rest.isEmpty() || !onOff(rest, &m_log))
            return usage(cmd, "on|off");
        return okText();
    }
    if (cmd == QLatin1String("quit")) {
        emit quitRequested();
        return okText();
    }
    static const char* const powerNames[] = {"awake", "asleep", "booting", "rebooting"};
    return okText(QStringLiteral("commands=%1 tcp=%2 udp=%3 connections=%4 data=%5 dummy=%6 "
                                 "wol=%7 state=%8 power=%9 linebreaks=%10")
                      .arg(m_commands)
                      .arg(m_tcpCommands)
                      .arg(m_udpCommands)
                      .arg(m_connections.size())
                      .arg(m_data.datagramsSent())
                      .arg(m_data.dummiesReceived())
                      .arg(m_wakePackets)
                      .arg(stateName(m_engine.state()), QLatin1String(powerNames[int(m_power)]))
                      .arg(m_lineBreakCommands));
}

}  // namespace orvane::sim
