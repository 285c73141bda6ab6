#pragma once

#include <QVector>

// One body or marker of a frame, in millimetres.
struct TrackedPoint
{
    int id = 0;
    float x = 0;
    float y = 0;
    float z = 0;
};

// What one frame of monitoring data says about the tracked objects. A count
// of -1 means that no valid line of that kind came with the frame.
struct MonitorFrame
{
    qint64 number = -1;
    int bodyCount = -1;
    int markerCount = -1;
    QVector<TrackedPoint> bodies;
    QVector<TrackedPoint> markers;

    // Keeps the vectors' memory, so a frame can be refilled without allocating.
    void reset();
};

// Reads the monitoring data lines into a frame. The controller is not
// trusted: every count is bounded, every number checked before it is used,
// and a line that does not follow its form is dropped as a whole.
class DataLineParser
{
public:
    enum class Result
    {
        FrameNumber,  // "fr N": a new frame begins
        Bodies,       // "6d N [id q][x y z][r0 .. r8] ..."
        Markers,      // "3d N [id q][x y z] ..."
        Accepted,     // a well-formed line the monitor does not show
        Malformed
    };
    // A datagram holds at most 128 KiB, which no more than this many bodies fill.
    static constexpr int kMaxItems = 1024;
    static constexpr int kMaxId = 9999;
    // Farther than any room; larger values are taken as a corrupt line.
    static constexpr double kMaxCoordinate = 1.0e6;

    static Result parse(const char* line, MonitorFrame* frame);
};
