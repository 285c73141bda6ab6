// Report sections: cameras, synchronisation, room calibration and room adjustment.
#include "ExportConfiguration.h"

void ExportConfiguration::exportCameraSettings()
{
    m_out.heading(QStringLiteral("Camera settings"));
}

void ExportConfiguration::exportSynccardSettings()
{
    m_out.heading(QStringLiteral("Synccard settings"));
}

void ExportConfiguration::exportRoomCalibration()
{
    m_out.heading(QStringLiteral("Room calibration"));
}

void ExportConfiguration::exportRoomAdjustment()
{
    m_out.heading(QStringLiteral("Room adjustments"));
}
