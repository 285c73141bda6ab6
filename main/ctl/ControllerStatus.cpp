#include "ControllerStatus.h"

#include "BackendVersions.h"
#include "ControllerProbe.h"
#include "ControllerVersions.h"
#include "CtlExit.h"
#include "FrontendInfo.h"
#include "IOManagerUdp.h"
#include "StatusReadings.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QJsonArray>
#include <QTcpSocket>

namespace {

// The connection-less channel, counting what it sends. Once the controller
// has missed two answers in a row it is taken as gone, and the remaining
// questions fail at once instead of each waiting out its time-out.
class CountingChannel : public IOManagerUdp
{
public:
    int roundTrips = 0;
    int answers = 0;

protected:
    int execute_command(char* result, const char* cmd) override
    {
        if (m_missed >= 2)
            return ResultNoAnswer;
        ++roundTrips;
        const int r = IOManagerUdp::execute_command(result, cmd);
        if (r == ResultMisuse || r == ResultNoAnswer || r == ResultTransport) {
            ++m_missed;
        } else {
            m_missed = 0;
            ++answers;
        }
        return r;
    }

private:
    int m_missed = 0;
};

QString text(IOManager* iom, const char* parameter)
{
    char value[IOManager::MaxTextLength + 1] = {};
    return iom->get_par(value, "%s", parameter) == 0 ? QString::fromUtf8(value) : QString();
}

QJsonValue orNull(int value)
{
    return value < 0 ? QJsonValue() : QJsonValue(value);
}

QJsonValue orNull(const QString& value)
{
    return value.isEmpty() ? QJsonValue() : QJsonValue(value);
}

void readVersions(IOManager* iom, ControllerStatus* s)
{
    BackendVersions bv;
    ControllerVersions::read(iom, &bv, &s->modelCode);
    const auto known = [](const VersionInfo& v) {
        return v.getMajor() < 0 ? QString() : v.toString();
    };
    s->systemVersion = known(bv.systemPt());
    s->protocolVersion = known(bv.protocol());
    s->controllerVersion = known(bv.systemCt());
    s->model = bv.zecModel();
}

void readCameras(IOManager* iom, ControllerStatus* s)
{
    int count = -1;
    if (StatusReadings::readCameraCount(iom, &count) != 0 || count < 0)
        return;
    s->cameraCount = qMin(count, StatusReadings::kMaxCameras);
    s->camerasCut = count > StatusReadings::kMaxCameras;
    // Outside measurement the counts mean nothing; the window shows none either.
    if (!s->measuring())
        return;
    for (int i = 1; i <= s->cameraCount; ++i) {
        ControllerStatus::Camera camera;
        StatusReadings::readCameraRays(iom, i, &camera.rays, &camera.usedRays);
        s->cameras.append(camera);
    }
}

void readLiveValues(IOManager* iom, const VersionInfo& protocol, ControllerStatus* s)
{
    if (s->measuring()) {
        StatusReadings::readBodiesAndMarkers(iom, &s->bodies, &s->markers);
        if (protocol.supports(ProtocolFeature::OutputFrequency))
            s->frequencyKnown = StatusReadings::readOutputFrequency(iom, &s->outputFrequency);
    }
    int lost = -1;
    if (protocol.supports(ProtocolFeature::FrequencyColours) &&
        StatusReadings::readFramesLost(iom, &lost) == 0 && lost >= 0)
        s->framesLost = lost;
    if (protocol.supports(ProtocolFeature::RadioStatus)) {
        const StatusReadings::Radio radio = StatusReadings::readRadio(iom);
        s->radioKnown = radio.result == 0;
        s->radioAvailable = radio.available && radio.channel >= 1;
        s->radioChannel = s->radioAvailable ? radio.channel : 0;
    }
}

}  // namespace

bool ControllerStatus::measuring() const
{
    return state == QLatin1String("mea") || state == QLatin1String("cal");
}

QJsonObject ControllerStatus::toJson() const
{
    QJsonArray cameraList;
    for (int i = 0; i < cameras.size(); ++i) {
        cameraList.append(
            QJsonObject{{"camera", QStringLiteral("c%1").arg(i + 1, 2, 10, QLatin1Char('0'))},
                        {"rays", orNull(cameras.at(i).rays)},
                        {"used_rays", orNull(cameras.at(i).usedRays)}});
    }
    QJsonValue radio;
    if (radioKnown) {
        radio = QJsonObject{{"available", radioAvailable},
                            {"channel", radioAvailable ? QJsonValue(radioChannel) : QJsonValue()}};
    }
    return QJsonObject{
        {"host", host},
        {"address", orNull(address)},
        {"answered", answered},
        {"hostname", orNull(hostname)},
        {"configuration", orNull(configuration)},
        {"versions", QJsonObject{{"system", orNull(systemVersion)},
                                 {"protocol", orNull(protocolVersion)},
                                 {"controller", orNull(controllerVersion)},
                                 {"model", orNull(model)},
                                 {"model_code", orNull(modelCode)}}},
        {"access", orNull(access)},
        {"accessed_by", orNull(accessedBy)},
        {"state", orNull(state)},
        {"camera_count", orNull(cameraCount)},
        {"cameras_cut", camerasCut},
        {"cameras", cameraList},
        {"bodies", orNull(bodies)},
        {"markers", orNull(markers)},
        {"output_frequency_hz", frequencyKnown ? QJsonValue(outputFrequency) : QJsonValue()},
        {"frames_lost", orNull(framesLost)},
        {"radio", radio},
        {"round_trips", roundTrips}};
}

namespace ControllerStatusReader {

int read(const QString& host, ControllerStatus* s)
{
    *s = ControllerStatus();
    s->host = host;
    const uint32_t ip = ControllerAddress::resolve(host);
    if (ip == 0)
        return CtlExit::NoAnswer;
    s->address = ControllerAddress::dotted(ip);

    CountingChannel channel;
    if (!channel.isSocketValid() || channel.set_destination(ip, FrontendInfo::kControllerPort) != 0)
        return CtlExit::Internal;
    StatusReadings::readConfiguration(&channel, &s->configuration, &s->hostname);
    s->answered = channel.answers > 0;
    if (!s->answered) {
        s->roundTrips = channel.roundTrips;
        return classifySilence(ip);
    }
    readVersions(&channel, s);
    const VersionInfo protocol = VersionInfo::fromString(s->protocolVersion);
    s->access = text(&channel, "system access");
    if (protocol.supports(ProtocolFeature::AccessHolderQuery))
        s->accessedBy = text(&channel, "system accessed_by");
    s->state = text(&channel, "status active");
    readCameras(&channel, s);
    readLiveValues(&channel, protocol, s);
    s->roundTrips = channel.roundTrips;
    return CtlExit::Success;
}

TcpResult tryTcp(uint32_t ip, int timeoutMs, qint64* elapsedMs)
{
    QTcpSocket socket;
    QElapsedTimer timer;
    timer.start();
    socket.connectToHost(QHostAddress(ip), FrontendInfo::kControllerPort);
    const bool connected = socket.waitForConnected(timeoutMs);
    if (elapsedMs)
        *elapsedMs = timer.elapsed();
    if (connected) {
        socket.abort();
        return TcpResult::Connected;
    }
    switch (socket.error()) {
        case QAbstractSocket::ConnectionRefusedError:
            return TcpResult::Refused;
        case QAbstractSocket::NetworkError:
        case QAbstractSocket::HostNotFoundError:
            return TcpResult::Unreachable;
        default:
            return TcpResult::TimedOut;
    }
}

int classifySilence(uint32_t ip, int timeoutMs)
{
    return tryTcp(ip, timeoutMs) == TcpResult::Refused ? CtlExit::Asleep : CtlExit::NoAnswer;
}

}  // namespace ControllerStatusReader
