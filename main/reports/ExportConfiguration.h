#ifndef EXPORTCONFIGURATION_H
#define EXPORTCONFIGURATION_H

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

#include <map>

#include "ReportWriter.h"

class BackendVersions;
class IOManager;
class MessageBoxProvider;
class QWidget;

// A stored configuration as listed in the report.
struct ConfigurationInfo
{
    QString description;
    QString owner;
    bool islocked = false;
    QString strIsLocked() const { return islocked ? QStringLiteral("yes") : QStringLiteral("no"); }
};

struct BodyTypeCount
{
    char body_type[200];
    int count;
};

// Writes the plain-text snapshot of the connected controller's whole
// configuration.  Every value is read live; nothing is kept between reports.
// Each section lives in the source file named after its group:
//   ReportSectionsGeneral.cpp   header, system overview, configurations,
//                               network, hardware
//   ReportSectionsVersions.cpp  versions, modules, controller settings, cascade
//   ReportSectionsCameras.cpp   cameras, sync card, room calibration/adjustment
//   ReportSectionsTracking.cpp  tracking, bodies, outputs, measurement tools,
//                               body calibration
//   ReportSectionsDevices.cpp   interaction devices, finger tracking, tactile,
//                               inertial, radio
class ExportConfiguration : public QObject
{
    Q_OBJECT

public:
    // Results of exportConfigurations.
    enum Result
    {
        ResultOk = 0,
        ResultNoFileName = -1,   // nothing to do
        ResultNotWritable = -2,  // the write test failed; nothing written
        ResultLinesLost = -3,    // the report is incomplete: lines could not be written
        ResultIncomplete = -4    // written whole, but counts were cut or queries failed
    };

    ExportConfiguration(IOManager* iom, QWidget* parent, BackendVersions* versions);

    void setLastFeUpdatDate(const QDateTime& date) { m_lastFeUpdateDate = date; }
    void setVersionFeAndModules(const QString& text) { m_sVersionFeAndModules = text; }
    // Boxes go here when set (otherwise a QMessageBox on the parent).
    void setMessageBoxProvider(MessageBoxProvider* provider) { m_boxes = provider; }

    // Appends the whole report to fileName; see Result.
    int exportConfigurations(const QString& fileName, bool showMessage, bool deleteFirst);
    // Appends only the section with this heading (without brackets), e.g.
    // for a look at one part of a large installation; ResultNoFileName when
    // there is no such section.
    int exportSection(const QString& fileName, const QString& heading);

    QString getLastUpdateDate() const;
    // Appends one line to the report file.
    void writeToFile(const QString& line) { m_out.line(line); }

    QString fileName() const { return m_sFilename; }
    // The name the header names instead of the file written, for a report
    // that goes on from a temporary file.
    void setShownFileName(const QString& name) { m_shownFileName = name; }
    ReportWriter& out() { return m_out; }

    // Steps of exportConfigurations as sectionStarted counts them: the
    // header with the overview, then every section.
    static int sectionCount();

signals:
    // Before each step of exportConfigurations, with its heading.
    void sectionStarted(int index, const QString& heading);
    // After every controller query of a report.
    void queried();

private:
    using SectionWriter = void (ExportConfiguration::*)();
    struct Section
    {
        const char* heading;
        SectionWriter writer;
    };
    static const QList<Section>& sections();
    void writeSection(const Section& section);
    // The header's own section, written before the table's.
    static constexpr const char* OverviewHeading = "System overview";
    void writeUnansweredQueries();
    int reportResult(bool showMessage);

    void showBox(int kind, const QString& title, const QString& text);

    // General (ReportSectionsGeneral.cpp)
    void writeHeader();
    void exportSystemOverview();
    void writeSummaryLines(QString* coordinateType);
    QString summaryNetwork();
    QString summarySync();
    void writeCameraTable(const QString& coordinateType);
    void writeCalibratedBodiesTable();
    void writeCalibratedBodiesOfType(const char* type, bool inertial);
    QString bodyCalibrationStatus(const char* type, int body, bool inertial);
    void fill_map_TLibTargets();
    QString getTargetLibShortnameFromBody(const QString& bodyType, int body) const;
    void exportConfigurationInfo();
    void exportNetworkInfo();
    void exportHardwareInfo();

    // Versions, modules, controller and cascade (ReportSectionsVersions.cpp)
    void exportVersionInfo();
    void exportFrontendModuleInfo();
    void exportBackendModuleInfo();
    void exportControllerSettings();
    void writeTimeSettings();
    void writeServiceStatus(const char* parameter, const QString& label,
                            const QStringList& detailLabels);
    void exportCpuTemperature();
    void exportCascadeInfo();
    // "system controller_serial", shown as "S" and eight digits on model 2.
    ReportText controllerSerial();

    // Cameras, synchronisation and room calibration (ReportSectionsCameras.cpp)
    void exportCameraSettings();
    void exportSynccardSettings();
    void exportRoomCalibration();
    void exportRoomAdjustment();

    // Tracking, bodies, outputs, measurement tools (ReportSectionsTracking.cpp)
    void exportTrackingSettings();
    void exportBodyAdministration();
    void exportOutputSettings();
    void exportMeasurementToolSettings();
    void exportBodyCalibration();

    // Interaction devices, finger tracking, inertial, radio (ReportSectionsDevices.cpp)
    void exportWavewandSettings();
    void exportFingerTrackingSettings();
    void exportTactileSettings();
    void exportInertialSettings();
    void exportQorRadioInfo();

    IOManager* iom = nullptr;
    BackendVersions* beVers = nullptr;
    QWidget* m_parent = nullptr;
    QString m_filePath;
    QString m_sFilename;
    QString m_shownFileName;
    QString m_sVersionFeAndModules;
    QDateTime m_lastFeUpdateDate;
    std::map<QString, QString> map_bodyId_shortnameTlib;

    ReportWriter m_out;
    MessageBoxProvider* m_boxes = nullptr;
};

#endif
