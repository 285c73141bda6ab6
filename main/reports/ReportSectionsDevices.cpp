// Report sections: interaction devices, finger tracking, tactile, inertial sensors and radio.
#include "ExportConfiguration.h"

void ExportConfiguration::exportWavewandSettings()
{
    m_out.heading(QStringLiteral("Wavewand settings"));
}

void ExportConfiguration::exportFingerTrackingSettings()
{
    m_out.heading(QStringLiteral("Fingertracking settings"));
}

void ExportConfiguration::exportTactileSettings()
{
    m_out.heading(QStringLiteral("Tactile settings"));
}

void ExportConfiguration::exportInertialSettings()
{
    m_out.heading(QStringLiteral("Inertial settings"));
}

void ExportConfiguration::exportQorRadioInfo()
{
    m_out.heading(QStringLiteral("QOR radio info"));
}
