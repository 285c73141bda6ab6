#include "CommandEngine.h"

#include "Tokens.h"

#include <QDateTime>
#include <QNetworkInterface>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace orvane::sim {

namespace {

const QString kYes = QStringLiteral("yes");
const QString kNo = QStringLiteral("no");

QByteArray ok()
{
    return QByteArrayLiteral("orvane2 ok");
}

QByteArray setAnswer(const QString& key, const QString& value)
{
    QString a = QStringLiteral("orvane2 set ") + key;
    if (!value.isEmpty())
        a += QLatin1Char(' ') + value;
    return a.toLatin1();
}

// A profile marks the texts that must fill the front-end's answer buffer to the last byte
// with "${fill}"; how long the filler is depends on the key the answer repeats.
QByteArray fillAnswer(QByteArray answer)
{
    static const QByteArray marker("${fill}");
    const int at = answer.indexOf(marker);
    if (at < 0)
        return answer;
    answer.remove(at, marker.size());
    const int missing = qMax(0, CommandEngine::kMaxAnswer - answer.size());
    QByteArray filler;
    for (int k = 0; k < missing; ++k)
        filler += char('0' + k % 10);
    return answer.insert(at, filler);
}

Reply reply(const QByteArray& text, int delay = 0)
{
    Reply r;
    r.text = text;
    r.extraDelayMs = delay;
    return r;
}

// The controller takes a password only as 'TEXT' in single quotes; a front-end that sends it
// bare or in double quotes gets an error, so the mistake shows in its tests.
bool quotedPassword(const QString& s, QString* password)
{
    const QChar quote = QLatin1Char('\'');
    if (s.size() < 2 || !s.startsWith(quote) || !s.endsWith(quote))
        return false;
    const QString inner = s.mid(1, s.size() - 2);
    if (inner.contains(quote))
        return false;
    *password = inner;
    return true;
}

const QString kIsFrontendPassword = QStringLiteral("config is_frontend_password");

bool sameAddress(const QHostAddress& a, const QHostAddress& b)
{
    bool okA = false, okB = false;
    const quint32 ia = a.toIPv4Address(&okA), ib = b.toIPv4Address(&okB);
    if (okA && okB)
        return ia == ib;
    return a == b;
}

QString ipText(const QHostAddress& a)
{
    bool ok4 = false;
    const quint32 v = a.toIPv4Address(&ok4);
    return ok4 ? QHostAddress(v).toString() : a.toString();
}

}  // namespace

QString stateName(MeasState s)
{
    switch (s) {
        case MeasState::None:
            return QStringLiteral("none");
        case MeasState::Mea:
            return QStringLiteral("mea");
        case MeasState::Wait:
            return QStringLiteral("wait");
        case MeasState::Err:
            return QStringLiteral("err");
        case MeasState::Cal:
            return QStringLiteral("cal");
    }
    return QStringLiteral("none");
}

bool parseState(const QString& text, MeasState* s)
{
    for (MeasState c :
         {MeasState::None, MeasState::Mea, MeasState::Wait, MeasState::Err, MeasState::Cal}) {
        if (stateName(c) == text) {
            *s = c;
            return true;
        }
    }
    return false;
}

QByteArray errorAnswer(ErrorKind kind)
{
    const char* text = "error";
    switch (kind) {
        case ErrorKind::UnknownCommand:
            text = "unknown command";
            break;
        case ErrorKind::Syntax:
            text = "syntax error";
            break;
        case ErrorKind::UnknownParameter:
            text = "unknown parameter";
            break;
        case ErrorKind::ReadOnly:
            text = "parameter is read-only";
            break;
        case ErrorKind::InvalidValue:
            text = "invalid value";
            break;
        case ErrorKind::TooLong:
            text = "command too long";
            break;
        case ErrorKind::NoAccess:
            text = "no access";
            break;
        case ErrorKind::WrongState:
            text = "not possible in current state";
            break;
        case ErrorKind::Injected:
            text = "parameter error";
            break;
    }
    return QByteArray("orvane2 err ") + QByteArray::number(int(kind)) + ' ' + text;
}

CommandEngine::CommandEngine(QObject* parent) : QObject(parent)
{
    m_calTimer.setSingleShot(true);
    connect(&m_calTimer, &QTimer::timeout, this, [this] {
        if (m_state == MeasState::Cal) {
            setState(MeasState::None);
            queueMessage(QStringLiteral("info: calibration finished"));
        }
    });
}

void CommandEngine::setProfile(const Profile& profile)
{
    m_profile = profile;
    m_pins = profile.pins;
    m_messages = profile.messages;
    m_accessHolder = QHostAddress(profile.settings.accessHolder);
    m_scene.rebuild(m_profile.model);
}

void CommandEngine::setState(MeasState s)
{
    if (s == m_state)
        return;
    if (s == MeasState::Err)
        queueMessage(QStringLiteral("error: tracking stopped, camera c01 does not respond"));
    // Calibration runs the cameras too: the scene and its clock run in all three.
    auto running = [](MeasState m) {
        return m == MeasState::Mea || m == MeasState::Wait || m == MeasState::Cal;
    };
    const bool wasRunning = running(m_state);
    m_state = s;
    if (running(s) && !wasRunning) {
        m_scene.rebuild(m_profile.model);
        m_measClock.start();
    }
    if (s != MeasState::Cal)
        m_calTimer.stop();
    emit stateChanged(s);
}

void CommandEngine::queueMessage(const QString& text)
{
    // A controller nobody polls must not grow without bound.
    if (m_messages.size() >= 1000)
        m_messages.removeFirst();
    m_messages.append(text);
}

void CommandEngine::releaseAccessOf(const QHostAddress& a)
{
    if (!m_accessHolder.isNull() && sameAddress(a, m_accessHolder))
        m_accessHolder = QHostAddress();
}

bool CommandEngine::hasAccess(const QHostAddress& peer) const
{
    return m_accessHolder.isNull() || sameAddress(peer, m_accessHolder);
}

QHostAddress CommandEngine::outputAddress(const QString& channel) const
{
    return m_outputPeers.value(channel);
}

void CommandEngine::resetForBoot()
{
    m_calTimer.stop();
    if (m_state != MeasState::None) {
        m_state = MeasState::None;
        emit stateChanged(m_state);
    }
    m_accessHolder = QHostAddress(m_profile.settings.accessHolder);
    m_messages.clear();
    m_outputPeers.clear();
    m_refuseBodies = -1;
    emit outputSettingsChanged();
}

double CommandEngine::measurementSeconds() const
{
    return m_measClock.isValid() ? m_measClock.elapsed() / 1000.0 : 0.0;
}

quint64 CommandEngine::frameNumber() const
{
    return quint64(measurementSeconds() * qMax(1.0, m_profile.settings.frequencyHz));
}

void CommandEngine::updateScene()
{
    m_scene.update(measurementSeconds(), frameNumber());
}

QString CommandEngine::parameterOf(const QString& text, bool* isGet) const
{
    const QVector<Token> tokens = tokenize(text);
    if (tokens.size() < 3 || tokens.at(0).text != QLatin1String("orvane2"))
        return QString();
    const QStringList words = normalizedWords(tokens, 2);
    if (tokens.at(1).text == QLatin1String("get")) {
        if (isGet)
            *isGet = true;
        return words.join(QLatin1Char(' '));
    }
    if (tokens.at(1).text == QLatin1String("set")) {
        if (isGet)
            *isGet = false;
        const int n = m_profile.model.longestKeyPrefix(words, words.size() - 1);
        return words.mid(0, n > 0 ? n : words.size() - 1).join(QLatin1Char(' '));
    }
    return QString();
}

Reply CommandEngine::handle(const Request& r)
{
    Reply out = dispatch(r);
    out.text = fillAnswer(out.text);
    return out;
}

Reply CommandEngine::dispatch(const Request& r)
{
    const QVector<Token> tokens = tokenize(r.text);
    if (tokens.size() < 2 || tokens.at(0).text != QLatin1String("orvane2"))
        return reply(errorAnswer(ErrorKind::Syntax));
    const QString verb = tokens.at(1).text;
    if (verb == QLatin1String("get")) {
        QStringList words = normalizedWords(tokens, 2);
        // The password asked about is a value, not a parameter word: it stays as written.
        if (words.size() > 2 && words.mid(0, 2).join(QLatin1Char(' ')) == kIsFrontendPassword)
            words = words.mid(0, 2) << textFrom(r.text, tokens, 4);
        return get(r, words);
    }
    if (verb == QLatin1String("set"))
        return set(r, tokens);
    return command(r, normalizedWords(tokens, 1));
}

Reply CommandEngine::get(const Request& r, const QStringList& words)
{
    if (words.isEmpty())
        return reply(errorAnswer(ErrorKind::Syntax));
    const QString key = words.join(QLatin1Char(' '));
    QString password;
    if (words.size() == 3 && words.mid(0, 2).join(QLatin1Char(' ')) == kIsFrontendPassword &&
        words.at(2) != QLatin1String("none") && !quotedPassword(words.at(2), &password))
        return reply(errorAnswer(ErrorKind::InvalidValue));
    QString value;
    if (!liveValue(key, &r, &value)) {
        if (!m_profile.model.contains(key))
            return reply(errorAnswer(ErrorKind::UnknownParameter));
        value = substitute(m_profile.model.value(key), r.peer, r.local);
    }
    return reply(setAnswer(key, value));
}

QString CommandEngine::currentValue(const QString& key, const QHostAddress& peer,
                                    const QHostAddress& local)
{
    Request r;
    r.peer = peer;
    r.local = local;
    QString value;
    if (liveValue(key, &r, &value))
        return value;
    if (!m_profile.model.contains(key))
        return QString();
    return substitute(m_profile.model.value(key), peer, local);
}

void CommandEngine::forceValue(const QString& key, const QString& value)
{
    QString live;
    if (liveValue(key, nullptr, &live)) {
        m_pins.insert(key, value);
        return;
    }
    m_profile.model.insert(key, value);
    if (key.startsWith(QLatin1String("output ")))
        emit outputSettingsChanged();
}

bool CommandEngine::unpin(const QString& key)
{
    return m_pins.remove(key) > 0;
}

int CommandEngine::cameraIndex(const QString& token) const
{
    static const QRegularExpression re(QStringLiteral("^c(\\d+)$"));
    const QRegularExpressionMatch m = re.match(token);
    if (!m.hasMatch())
        return 0;
    const int n = m.captured(1).toInt();
    const int count = m_profile.model.value(QStringLiteral("camera number_of_cameras")).toInt();
    return n >= 1 && n <= count ? n : 0;
}

// The parameters whose value is not stored but follows the running system.
// A value pinned from the control channel wins over the live one.
bool CommandEngine::liveValue(const QString& key, const Request* r, QString* value)
{
    if (m_profile.model.isAbsent(key))
        return false;
    const QStringList w = key.split(QLatin1Char(' '));
    QString v;
    const bool live = w.value(0) == QLatin1String("status") ? statusValue(key, w, &v)
                                                            : otherLiveValue(key, w, r, &v);
    if (!live)
        return false;
    const auto pin = m_pins.constFind(key);
    *value = pin != m_pins.constEnd() ? pin.value() : v;
    return true;
}

bool CommandEngine::statusValue(const QString& key, const QStringList& w, QString* v)
{
    const bool measuring = m_state == MeasState::Mea;
    if (key == QLatin1String("status active")) {
        *v = stateName(m_state);
    } else if (w.size() == 3 && (w[1] == QLatin1String("number_of_rays") ||
                                 w[1] == QLatin1String("number_of_used_rays"))) {
        const int cam = cameraIndex(w[2]);
        if (cam == 0)
            return false;
        updateScene();
        const bool used = w[1] == QLatin1String("number_of_used_rays");
        // The cameras see markers while calibrating too, but nothing is tracked then.
        const bool seeing = measuring || m_state == MeasState::Cal;
        *v = QString::number(!seeing ? 0
                             : used  ? m_scene.usedRaysOfCamera(cam)
                                     : m_scene.raysOfCamera(cam));
    } else if (key == QLatin1String("status number_of_bodies")) {
        updateScene();
        *v = QString::number(measuring ? m_scene.visibleBodies() : 0);
    } else if (key == QLatin1String("status number_of_marker")) {
        updateScene();
        // The calibration wand's markers are seen as markers, not as a body.
        const bool seeing = measuring || m_state == MeasState::Cal;
        *v = QString::number(seeing ? m_scene.visibleMarkers() : 0);
    } else if (key == QLatin1String("status output_frequency")) {
        *v = outputFrequency();
    } else if (key == QLatin1String("status frames_lost")) {
        int lost = 0;
        if (m_framesLostForced >= 0) {
            lost = m_framesLostForced;
        } else if (measuring) {
            // Now and then a few frames go missing, rarely enough to be noticed.
            static const int pattern[16] = {0, 0, 0, 1, 0, 0, 0, 0, 2, 0, 0, 0, 3, 0, 1, 0};
            lost = pattern[(frameNumber() / 300) % 16];
        }
        *v = QString::number(lost);
    } else {
        return false;
    }
    return true;
}

QString CommandEngine::outputFrequency() const
{
    if (m_syncMissing || m_state == MeasState::Wait)
        return QStringLiteral("-1.00");
    const bool measuring = m_state == MeasState::Mea;
    const double jitter = measuring ? (QRandomGenerator::global()->bounded(9) - 4) / 100.0 : 0;
    return QString::number(m_profile.settings.frequencyHz + jitter, 'f', 2);
}

bool CommandEngine::otherLiveValue(const QString& key, const QStringList& w, const Request* r,
                                   QString* v)
{
    if (key == QLatin1String("system access")) {
        *v = (r && hasAccess(r->peer)) ? QStringLiteral("full") : QStringLiteral("none");
    } else if (key == QLatin1String("system accessed_by")) {
        *v = m_accessHolder.isNull() ? QStringLiteral("none")
                                     : QStringLiteral("ip ") + ipText(m_accessHolder);
    } else if (w.size() == 3 && w[0] == QLatin1String("output") &&
               w[1] == QLatin1String("net_sender_port") &&
               m_profile.model.contains(QStringLiteral("output net ") + w[2])) {
        *v = QString::number(m_dataPort);
    } else if (key.startsWith(QLatin1String("config is_frontend_password "))) {
        const QString pw = m_profile.settings.frontendPassword;
        const QString asked = key.mid(kIsFrontendPassword.size() + 1);
        QString password;
        if (asked == QLatin1String("none"))
            *v = pw.isEmpty() ? kYes : kNo;
        else
            *v =
                (pw.isEmpty() || (quotedPassword(asked, &password) && password == pw)) ? kYes : kNo;
    } else if (key == QLatin1String("system date")) {
        // The controller keeps UTC and gives the fields blank-separated.
        *v = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy MM dd"));
    } else if (key == QLatin1String("system time")) {
        *v = QDateTime::currentDateTimeUtc().toString(QStringLiteral("hh mm ss"));
    } else {
        return false;
    }
    return true;
}

// With a wildcard listen address the controller's own address depends on the
// interface a request came through: the one whose subnet holds the peer.
static QHostAddress ownAddressFor(const QHostAddress& peer, const QHostAddress& local)
{
    QHostAddress fallback;
    for (const QNetworkInterface& nif : QNetworkInterface::allInterfaces()) {
        if (!(nif.flags() & QNetworkInterface::IsUp))
            continue;
        for (const QNetworkAddressEntry& e : nif.addressEntries()) {
            const QHostAddress ip = e.ip();
            if (ip.protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            if (!local.isNull() && sameAddress(ip, local))
                return ip;
            if (!peer.isNull() && peer.isInSubnet(ip, e.prefixLength()))
                return ip;
            if (fallback.isNull() && !ip.isLoopback())
                fallback = ip;
        }
    }
    if (!peer.isNull() && peer.isLoopback())
        return QHostAddress(QHostAddress::LocalHost);
    return fallback.isNull() ? QHostAddress(QHostAddress::LocalHost) : fallback;
}

QString CommandEngine::substitute(QString value, const QHostAddress& peer,
                                  const QHostAddress& local) const
{
    if (!value.contains(QLatin1String("${")))
        return value;
    QHostAddress a = m_listen;
    if (a.isNull() || a == QHostAddress::AnyIPv4 || a == QHostAddress::Any)
        a = ownAddressFor(peer, local);
    value.replace(QLatin1String("${address}"), ipText(a));
    return value;
}

Reply CommandEngine::set(const Request& r, const QVector<Token>& tokens)
{
    const QStringList words = normalizedWords(tokens, 2);
    if (!hasAccess(r.peer) && !words.isEmpty())
        return reply(errorAnswer(ErrorKind::NoAccess));
    // The camera refresh is a command written as a write, with or without a value.
    if (words.mid(0, 2) == QStringList{QStringLiteral("camera"), QStringLiteral("update")})
        return reply(ok());
    if (words.size() < 2)
        return reply(errorAnswer(ErrorKind::Syntax));
    int n = m_profile.model.longestKeyPrefix(words, words.size() - 1);
    // Writes to live parameters are either commands in disguise or refused.
    Reply live;
    for (int k = words.size() - 1; k >= 1; --k) {
        const QString key = words.mid(0, k).join(QLatin1Char(' '));
        if (liveSet(r, key, textFrom(r.text, tokens, 2 + k), &live))
            return live;
    }
    if (n == 0)
        return reply(errorAnswer(ErrorKind::UnknownParameter));
    const QString key = words.mid(0, n).join(QLatin1Char(' '));
    const QString value = textFrom(r.text, tokens, 2 + n);
    if (m_profile.model.isReadOnly(key))
        return reply(errorAnswer(ErrorKind::ReadOnly));
    if (!ParameterModel::isAcceptableValue(m_profile.model.value(key), value))
        return reply(errorAnswer(ErrorKind::InvalidValue));
    m_profile.model.setValue(key, value);
    // With the internal sync source, its frequency is the tracking frequency.
    if (key == QLatin1String("synccard internal_frequency d01") &&
        m_profile.model.value(QStringLiteral("synccard source d01")) == QLatin1String("internal") &&
        value.toDouble() > 0) {
        m_profile.settings.frequencyHz = value.toDouble();
        emit outputSettingsChanged();
    }
    if (words.at(0) == QLatin1String("output")) {
        // "my_ip" means: send to the address this request came from.
        if (words.size() >= 4 && words.at(1) == QLatin1String("net"))
            m_outputPeers.insert(words.at(2), r.peer);
        emit outputSettingsChanged();
    }
    return reply(ok());
}

bool CommandEngine::liveSet(const Request& r, const QString& key, const QString& value, Reply* out)
{
    if (m_profile.model.isAbsent(key))
        return false;
    if (key == QLatin1String("system access")) {
        if (value == QLatin1String("full"))
            m_accessHolder = r.peer;
        else if (value == QLatin1String("none"))
            releaseAccessOf(r.peer);
        else
            *out = reply(errorAnswer(ErrorKind::InvalidValue));
        if (value == QLatin1String("full") || value == QLatin1String("none"))
            *out = reply(ok());
        return true;
    }
    if (key == QLatin1String("config new_frontend_password")) {
        static const QRegularExpression valid(QStringLiteral("^[0-9a-zA-Z_\\-+./]+$"));
        if (value == QLatin1String("none")) {
            m_profile.settings.frontendPassword.clear();
            queueMessage(QStringLiteral("info: front-end password removed"));
        } else if (QString password;
                   quotedPassword(value, &password) && valid.match(password).hasMatch()) {
            m_profile.settings.frontendPassword = password;
            queueMessage(QStringLiteral("info: front-end password changed"));
        } else {
            *out = reply(errorAnswer(ErrorKind::InvalidValue));
            return true;
        }
        *out = reply(ok());
        return true;
    }
    QString current;
    if (liveValue(key, &r, &current)) {
        *out = reply(errorAnswer(ErrorKind::ReadOnly));
        return true;
    }
    return false;
}

Reply CommandEngine::command(const Request& r, const QStringList& words)
{
    using Handler = Reply (CommandEngine::*)(const Request&, const QStringList&);
    struct Entry
    {
        const char* verb;
        const char* what;  // second word, or null for any
        bool needsAccess;
        Handler handler;
    };
    static const Entry table[] = {
        {"getmsg", nullptr, false, &CommandEngine::getMessage},
        {"tracking", "available", false, &CommandEngine::get},
        {"init", nullptr, true, &CommandEngine::init},
        {"tracking", "start", true, &CommandEngine::trackingStart},
        {"tracking", "stop", true, &CommandEngine::trackingStop},
        {"cal", nullptr, true, &CommandEngine::calibrate},
        {"reinit", nullptr, true, &CommandEngine::reinit},
        {"system", "shutdown", true, &CommandEngine::powerCommand},
        {"system", "reboot", true, &CommandEngine::powerCommand},
        {"targetlib", "check_custom_calibration", true, &CommandEngine::acknowledge},
    };
    for (const Entry& e : table) {
        if (words.value(0) != QLatin1String(e.verb) ||
            (e.what && words.value(1) != QLatin1String(e.what)))
            continue;
        if (e.needsAccess && !hasAccess(r.peer))
            return reply(errorAnswer(ErrorKind::NoAccess));
        return (this->*e.handler)(r, words);
    }
    return reply(errorAnswer(ErrorKind::UnknownCommand));
}

Reply CommandEngine::getMessage(const Request&, const QStringList&)
{
    if (m_messages.isEmpty())
        return reply(ok());
    return reply((QStringLiteral("orvane2 msg ") + m_messages.takeFirst()).toLatin1());
}

Reply CommandEngine::init(const Request& r, const QStringList&)
{
    if (r.transport == Transport::Tcp)
        m_accessHolder = r.peer;
    queueMessage(QStringLiteral("info: front-end %1 connected").arg(ipText(r.peer)));
    return reply(ok(), m_profile.settings.initTimeMs);
}

Reply CommandEngine::trackingStart(const Request&, const QStringList&)
{
    // A controller that reports tracking as unavailable does not start it either.
    if (m_state == MeasState::Cal ||
        m_profile.model.value(QStringLiteral("tracking available")) == kNo)
        return reply(errorAnswer(ErrorKind::WrongState));
    if (m_refuseBodies >= 0) {
        const int bodies = m_refuseBodies;
        m_refuseBodies = -1;
        queueMessage(
            QStringLiteral("error: measurement start failed: %1 bodies are equal or too similar")
                .arg(bodies));
        return reply(QByteArray("orvane2 err -99 1 ") + QByteArray::number(bodies));
    }
    if (m_state != MeasState::Mea && m_state != MeasState::Wait) {
        setState(m_syncMissing ? MeasState::Wait : MeasState::Mea);
        queueMessage(QStringLiteral("info: measurement started"));
        if (m_syncMissing)
            queueMessage(QStringLiteral("warning: waiting for external sync signal"));
    }
    return reply(ok());
}

Reply CommandEngine::trackingStop(const Request&, const QStringList&)
{
    if (m_state != MeasState::None) {
        setState(MeasState::None);
        queueMessage(QStringLiteral("info: measurement stopped"));
    }
    return reply(ok());
}

Reply CommandEngine::calibrate(const Request&, const QStringList& words)
{
    const QString last = words.last();
    if (last == QLatin1String("stop") || last == QLatin1String("abort") ||
        last == QLatin1String("cancel")) {
        if (m_state == MeasState::Cal)
            setState(MeasState::None);
        return reply(ok());
    }
    if (m_state == MeasState::Mea || m_state == MeasState::Wait)
        return reply(errorAnswer(ErrorKind::WrongState));
    startCalibration();
    return reply(ok());
}

Reply CommandEngine::reinit(const Request&, const QStringList&)
{
    if (m_state != MeasState::None && m_state != MeasState::Err)
        return reply(errorAnswer(ErrorKind::WrongState));
    queueMessage(QStringLiteral("info: hardware search finished, %1 cameras found")
                     .arg(m_profile.model.value(QStringLiteral("camera number_of_cameras"))));
    return reply(ok(), m_profile.settings.reinitTimeMs);
}

Reply CommandEngine::powerCommand(const Request&, const QStringList& words)
{
    if (words.value(1) == QLatin1String("shutdown"))
        emit shutdownRequested();
    else
        emit rebootRequested();
    return reply(ok());
}

Reply CommandEngine::acknowledge(const Request&, const QStringList& words)
{
    // Software without a target library does not know its commands.
    if (words.value(0) == QLatin1String("targetlib") &&
        !m_profile.model.contains(QStringLiteral("targetlib number_of_targets")))
        return reply(errorAnswer(ErrorKind::UnknownCommand));
    return reply(ok());
}

void CommandEngine::startCalibration()
{
    setState(MeasState::Cal);
    queueMessage(QStringLiteral("info: calibration started"));
    m_calTimer.start(qMax(1, m_profile.settings.calTimeMs));
}

}  // namespace orvane::sim
