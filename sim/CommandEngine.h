#pragma once

#include "Profile.h"
#include "Scene.h"
#include "Tokens.h"

#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace orvane::sim {

enum class Transport
{
    Tcp,
    Udp
};

struct Request
{
    QString text;
    Transport transport = Transport::Tcp;
    QHostAddress peer;
    quint16 peerPort = 0;
    QHostAddress local;  // the address the request arrived at
};

struct Reply
{
    bool answer = true;
    QByteArray text;
    int extraDelayMs = 0;  // the command takes that long before its answer
};

enum class MeasState
{
    None,
    Mea,
    Wait,
    Err,
    Cal
};
QString stateName(MeasState s);
bool parseState(const QString& text, MeasState* s);

// Stable error numbers, one per kind of failure.
enum class ErrorKind
{
    UnknownCommand = 1,
    Syntax = 2,
    UnknownParameter = 3,
    ReadOnly = 4,
    InvalidValue = 5,
    TooLong = 6,
    NoAccess = 7,
    WrongState = 8,
    Injected = 9,
};
QByteArray errorAnswer(ErrorKind kind);

// The protocol: turns one command text into its answer, reading and changing
// the installation model and the live state. Knows nothing about sockets.
class CommandEngine : public QObject
{
    Q_OBJECT
public:
    explicit CommandEngine(QObject* parent = nullptr);

    void setProfile(const Profile& profile);
    const ProfileSettings& settings() const { return m_profile.settings; }
    ProfileSettings& settings() { return m_profile.settings; }
    ParameterModel& model() { return m_profile.model; }
    const ParameterModel& model() const { return m_profile.model; }

    Reply handle(const Request& request);

    // Longest answer the protocol allows; a "${fill}" in an answer grows it to this size.
    static constexpr int kMaxAnswer = 199;

    // The normalised parameter a get or set command names, empty for other
    // commands. Used to apply per-parameter faults.
    QString parameterOf(const QString& text, bool* isGet) const;

    // The value a get would answer, or a null string for an unknown parameter.
    QString currentValue(const QString& normalizedKey, const QHostAddress& peer = QHostAddress(),
                         const QHostAddress& local = QHostAddress());
    // Changes any parameter, read-only and live ones included (the latter stay
    // pinned to that value until unpinned).
    void forceValue(const QString& normalizedKey, const QString& value);
    bool unpin(const QString& normalizedKey);

    MeasState state() const { return m_state; }
    void setState(MeasState s);
    void queueMessage(const QString& text);
    int queuedMessages() const { return m_messages.size(); }
    void refuseNextStart(int bodies) { m_refuseBodies = bodies; }
    void setSyncMissing(bool on) { m_syncMissing = on; }
    bool syncMissing() const { return m_syncMissing; }
    void setFramesLost(int n) { m_framesLostForced = n; }

    QHostAddress accessHolder() const { return m_accessHolder; }
    void setAccessHolder(const QHostAddress& a) { m_accessHolder = a; }
    void releaseAccessOf(const QHostAddress& a);

    void setListenAddress(const QHostAddress& a) { m_listen = a; }
    void setDataSenderPort(quint16 port) { m_dataPort = port; }

    // Where an output channel sends its data: the "my_ip" of the client that
    // configured it, or the address it named.
    QHostAddress outputAddress(const QString& channel) const;

    // Power cycle: the measurement, the access holder and the message queue
    // do not survive it.
    void resetForBoot();

    Scene& scene() { return m_scene; }
    double measurementSeconds() const;
    quint64 frameNumber() const;

signals:
    void shutdownRequested();
    void rebootRequested();
    void stateChanged(orvane::sim::MeasState state);
    void outputSettingsChanged();

private:
    Reply dispatch(const Request& r);
    Reply get(const Request& r, const QStringList& words);
    Reply set(const Request& r, const QVector<Token>& tokens);
    Reply command(const Request& r, const QStringList& words);
    Reply getMessage(const Request& r, const QStringList& words);
    Reply init(const Request& r, const QStringList& words);
    Reply trackingStart(const Request& r, const QStringList& words);
    Reply trackingStop(const Request& r, const QStringList& words);
    Reply calibrate(const Request& r, const QStringList& words);
    Reply reinit(const Request& r, const QStringList& words);
    Reply powerCommand(const Request& r, const QStringList& words);
    Reply acknowledge(const Request& r, const QStringList& words);
    bool liveValue(const QString& key, const Request* r, QString* value);
    bool statusValue(const QString& key, const QStringList& words, QString* value);
    bool otherLiveValue(const QString& key, const QStringList& words, const Request* r,
                        QString* value);
    QString outputFrequency() const;
    bool liveSet(const Request& r, const QString& key, const QString& value, Reply* reply);
    bool hasAccess(const QHostAddress& peer) const;
    QString substitute(QString value, const QHostAddress& peer, const QHostAddress& local) const;
    int cameraIndex(const QString& token) const;
    void startCalibration();
    void updateScene();

    Profile m_profile;
    Scene m_scene;
    MeasState m_state = MeasState::None;
    QStringList m_messages;
    QHash<QString, QString> m_pins;
    QHash<QString, QHostAddress> m_outputPeers;
    QHostAddress m_accessHolder;
    QHostAddress m_listen;
    quint16 m_dataPort = 0;
    int m_refuseBodies = -1;
    bool m_syncMissing = false;
    int m_framesLostForced = -1;
    QElapsedTimer m_measClock;
    QTimer m_calTimer;
};

}  // namespace orvane::sim
