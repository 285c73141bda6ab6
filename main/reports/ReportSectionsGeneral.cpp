// Report sections: header and system overview, stored configurations, the
// front-end host's network, and the controller's hardware.
#include "ExportConfiguration.h"

void ExportConfiguration::writeHeader()
{
    m_out.line(QStringLiteral("Export Controller configuration"));
}

void ExportConfiguration::exportConfigurationInfo()
{
    m_out.heading(QStringLiteral("Configuration"));
}

void ExportConfiguration::exportNetworkInfo()
{
    m_out.heading(QStringLiteral("Network informations"));
}

void ExportConfiguration::exportHardwareInfo()
{
    m_out.heading(QStringLiteral("Hardware info"));
}
