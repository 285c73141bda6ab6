// Report sections: tracking, body administration, outputs, measurement tools and body calibration.
#include "ExportConfiguration.h"

void ExportConfiguration::exportTrackingSettings()
{
    m_out.heading(QStringLiteral("Tracking settings"));
}

void ExportConfiguration::exportBodyAdministration()
{
    m_out.heading(QStringLiteral("Body Administration"));
}

void ExportConfiguration::exportOutputSettings()
{
    m_out.heading(QStringLiteral("Output settings"));
}

void ExportConfiguration::exportMeasurementToolSettings()
{
    m_out.heading(QStringLiteral("Measurement Tool settings"));
}

void ExportConfiguration::exportBodyCalibration()
{
    m_out.heading(QStringLiteral("Body calibration"));
}
