// The report's sections by heading, in the order of the whole report: the
// driver, its progress notices and the single-section export all read this
// table, and each writer leaves its heading to it.
#include "ExportConfiguration.h"

const QList<ExportConfiguration::Section>& ExportConfiguration::sections()
{
    static const QList<Section> list = {
        {"Version info", &ExportConfiguration::exportVersionInfo},
        {"Frontend modules (loaded)", &ExportConfiguration::exportFrontendModuleInfo},
        {"Backend modules (loaded)", &ExportConfiguration::exportBackendModuleInfo},
        {"Controller settings", &ExportConfiguration::exportControllerSettings},
        {"Network informations", &ExportConfiguration::exportNetworkInfo},
        {"Configuration", &ExportConfiguration::exportConfigurationInfo},
        {"Hardware info", &ExportConfiguration::exportHardwareInfo},
        {"Cascaded System", &ExportConfiguration::exportCascadeInfo},
        {"Camera settings", &ExportConfiguration::exportCameraSettings},
        {"Synccard settings", &ExportConfiguration::exportSynccardSettings},
        {"QOR radio info", &ExportConfiguration::exportQorRadioInfo},
        {"Tracking settings", &ExportConfiguration::exportTrackingSettings},
        {"Body Administration", &ExportConfiguration::exportBodyAdministration},
        {"Output settings", &ExportConfiguration::exportOutputSettings},
        {"Wavewand settings", &ExportConfiguration::exportWavewandSettings},
        {"Measurement Tool settings", &ExportConfiguration::exportMeasurementToolSettings},
        {"Room calibration", &ExportConfiguration::exportRoomCalibration},
        {"Room adjustments", &ExportConfiguration::exportRoomAdjustment},
        {"Body calibration", &ExportConfiguration::exportBodyCalibration},
        {"Fingertracking settings", &ExportConfiguration::exportFingerTrackingSettings},
        {"Tactile settings", &ExportConfiguration::exportTactileSettings},
        {"Inertial settings", &ExportConfiguration::exportInertialSettings},
    };
    return list;
}

void ExportConfiguration::writeSection(const Section& section)
{
    m_out.heading(QLatin1String(section.heading));
    (this->*section.writer)();
}

int ExportConfiguration::sectionCount()
{
    return sections().size() + 1;
}

int ExportConfiguration::exportSection(const QString& fileName, const QString& heading)
{
    if (fileName.isEmpty())
        return ResultNoFileName;
    for (const Section& s : sections()) {
        if (heading != QLatin1String(s.heading))
            continue;
        m_sFilename = fileName;
        m_out.setFileName(fileName);
        m_out.resetCounters();
        m_out.openFile();
        writeSection(s);
        writeUnansweredQueries();
        m_out.closeFile();
        return reportResult(false);
    }
    return ResultNoFileName;
}
