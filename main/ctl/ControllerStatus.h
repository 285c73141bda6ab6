#ifndef ORVANE_CONTROLLERSTATUS_H
#define ORVANE_CONTROLLERSTATUS_H

#include <QJsonObject>
#include <QString>
#include <QVector>

#include <cstdint>

// Everything status and metrics show of one controller, read over the
// connection-less channel: nothing is written, "orvane2 init" is never sent
// and access is never taken. A value that could not be read stays unknown
// (-1, an empty text, or its known flag false).
struct ControllerStatus
{
    struct Camera
    {
        int rays = -1;
        int usedRays = -1;
    };

    QString host;     // as the user named it
    QString address;  // dotted, empty when the name does not resolve
    bool answered = false;
    int roundTrips = 0;  // commands sent, for the benchmark and --json

    QString hostname;
    QString configuration;
    QString systemVersion;
    QString protocolVersion;
    QString controllerVersion;
    QString modelCode;
    QString model;

    QString access;      // as the controller answers this PC: "full" or "none"
    QString accessedBy;  // "none", or the holder ("ip 192.0.2.3")
    QString state;       // "status active": none, mea, cal, wait, err

    int cameraCount = -1;
    bool camerasCut = false;  // the controller claimed more cameras than can exist
    QVector<Camera> cameras;
    int bodies = -1;
    int markers = -1;
    bool frequencyKnown = false;
    double outputFrequency = 0;
    int framesLost = -1;
    bool radioKnown = false;
    bool radioAvailable = false;
    int radioChannel = 0;

    bool measuring() const;
    // The JSON document of status; unknown values are null.
    QJsonObject toJson() const;
};

namespace ControllerStatusReader {

// Reads every value of host, half a second at most per command; a controller
// that stops answering midway costs two of them, not one per value.
// Returns a CtlExit code: Success, NoAnswer (also when the name does not
// resolve; address stays empty), Asleep, Internal (no socket).
int read(const QString& host, ControllerStatus* status);

// How a controller that does not answer over UDP looks from here: Asleep when
// its command port refuses connections (the host is up, the software is not
// listening), else NoAnswer.
int classifySilence(uint32_t ip, int timeoutMs = 500);

enum class TcpResult
{
    Connected,
    Refused,
    TimedOut,
    Unreachable
};
TcpResult tryTcp(uint32_t ip, int timeoutMs, qint64* elapsedMs = nullptr);

}  // namespace ControllerStatusReader

#endif
