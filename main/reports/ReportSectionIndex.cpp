// The report's sections by heading, for writing one of them alone.
#include "ExportConfiguration.h"

int ExportConfiguration::exportSection(const QString& fileName, const QString& heading)
{
    using Writer = void (ExportConfiguration::*)();
    static const struct
    {
        const char* heading;
        Writer writer;
    } sections[] = {
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
    if (fileName.isEmpty())
        return ResultNoFileName;
    for (const auto& s : sections) {
        if (heading != QLatin1String(s.heading))
            continue;
        m_sFilename = fileName;
        m_out.setFileName(fileName);
        m_out.resetCounters();
        m_out.openFile();
        (this->*s.writer)();
        m_out.closeFile();
        return m_out.failedLines() > 0 ? ResultLinesLost : ResultOk;
    }
    return ResultNoFileName;
}
