#include "StatusReadings.h"

#include "IOManager.h"

#include <climits>
#include <cstring>

namespace StatusReadings {

int readCameraCount(IOManager* iom, int* count)
{
    return iom->get_par_i(count, "camera number_of_cameras");
}

void readCameraRays(IOManager* iom, int number, int* rays, int* used)
{
    iom->get_par_i(rays, "status number_of_rays c%02d", number);
    iom->get_par_i(used, "status number_of_used_rays c%02d", number);
}

void readBodiesAndMarkers(IOManager* iom, int* bodies, int* markers)
{
    if (iom->get_par_i(bodies, "status number_of_bodies") != 0)
        *bodies = -1;
    if (iom->get_par_i(markers, "status number_of_marker") != 0)
        *markers = -1;
}

bool readOutputFrequency(IOManager* iom, double* hertz)
{
    double value = -1;
    // "nan" and numbers beyond int parse as doubles but have no whole-hertz text.
    if (iom->get_par_d(&value, "status output_frequency") != 0 || !(value >= 0) ||
        value + 0.55 >= double(INT_MAX))
        return false;
    *hertz = value;
    return true;
}

int wholeHertz(double hertz)
{
    return static_cast<int>(hertz + 0.55);
}

int readFramesLost(IOManager* iom, int* lost)
{
    return iom->get_par_i(lost, "status frames_lost");
}

Radio readRadio(IOManager* iom)
{
    Radio radio;
    char value[IOManager::MaxTextLength + 1] = {};
    radio.result = iom->get_par(value, "qorwpan available");
    if (radio.result != 0 || std::strcmp(value, "yes") != 0)
        return radio;
    if (iom->get_par(value, "qorwpan radio") != 0)
        return radio;
    bool number = false;
    const int channel =
        QString::fromUtf8(value).section(' ', 0, 0, QString::SectionSkipEmpty).toInt(&number);
    if (number) {
        radio.available = true;
        radio.channel = channel;
    }
    return radio;
}

void readConfiguration(IOManager* iom, QString* description, QString* hostname)
{
    char value[IOManager::MaxTextLength + 1] = {};
    *hostname = iom->get_par(value, "system hostname") == 0 ? QString::fromUtf8(value) : QString();
    *description =
        iom->get_par(value, "config desc") == 0 ? QString::fromUtf8(value).remove('"') : QString();
}

}  // namespace StatusReadings
