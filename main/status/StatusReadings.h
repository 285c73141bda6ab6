#ifndef ORVANE_STATUSREADINGS_H
#define ORVANE_STATUSREADINGS_H

#include <QString>

class IOManager;

// The controller parameters behind the status bars, read without any widget,
// so the window and the command-line tool ask the same questions and trust the
// answers alike. Each returns the channel's result (0 on success) and leaves
// its outputs untouched when the read fails, so a caller keeps its own
// "unknown" value.
namespace StatusReadings {

// Camera names have two digits; a larger count names cameras that cannot exist.
constexpr int kMaxCameras = 99;

// "camera number_of_cameras", not bounded (callers bound what they build).
int readCameraCount(IOManager* iom, int* count);
// "status number_of_rays cNN" and "status number_of_used_rays cNN" of camera
// number (1-based); each value is kept when its own read fails.
void readCameraRays(IOManager* iom, int number, int* rays, int* used);
// "status number_of_bodies" and "status number_of_marker"; -1 when a read fails.
void readBodiesAndMarkers(IOManager* iom, int* bodies, int* markers);
// "status output_frequency" in hertz; false for a failed read and for values
// that have no whole-hertz text (negative, nan, beyond int).
bool readOutputFrequency(IOManager* iom, double* hertz);
// The whole hertz shown for a frequency readOutputFrequency() accepted.
int wholeHertz(double hertz);
// "status frames_lost".
int readFramesLost(IOManager* iom, int* lost);

struct Radio
{
    int result = 0;  // of "qorwpan available"
    bool available = false;
    int channel = 0;  // 0 when the channel is not a number
};
// "qorwpan available" and, when that says "yes", "qorwpan radio".
Radio readRadio(IOManager* iom);

// "config desc" without its quotation marks and "system hostname"; empty
// texts for failed reads.
void readConfiguration(IOManager* iom, QString* description, QString* hostname);

}  // namespace StatusReadings

#endif
