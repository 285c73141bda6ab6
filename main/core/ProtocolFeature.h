#ifndef ORVANE_PROTOCOLFEATURE_H
#define ORVANE_PROTOCOLFEATURE_H

// Which controllers get what. Every controller feature the front-end switches
// on the protocol version is named here with the first major.minor that has
// it, so "since when does X work" has one answer. A patch level never matters.

#include <cstddef>

enum class ProtocolFeature
{
    // Connection, start-up and shut-down
    AccessHolderQuery,  // the connection dialog names the front-end holding access
    MacAddress,         // "system ethernet_mac" read after connecting
    DiscoveryMac,       // the MAC asked during discovery and selection
    ControllerVersion,  // "system controller_version"
    ControllerModel,    // "system model" and the model's name
    FullName,           // "system full_name" for the window title
    VersionNotice,      // the notice when the controller is newer than the front-end
    Cascade,            // master and slave controllers ("system slave", cascade lines)
    TrackingAvailable,  // "tracking available" checked before a start
    HardwareSearch,     // the "Search hardware" entry
    ReconnectOffer,     // the lost-connection box offers "Reconnect"
    InertialSensors,    // inertial sensors: tool bar and report section
    FrontendPassword,   // the controller's front-end password

    // Status bars
    OutputFrequency,   // "status output_frequency" in the frequency bar
    FrequencyColours,  // the frequency bar coloured by its limits
    RadioStatus,       // the radio bar's polling

    // Configuration report
    BodyCalibrationReport,
    RadioReport,
    OutputSettings,
    WavewandSettings,
    BackendVersionReport,
    SynccardSettings,
    TrackingSettings,
    CameraSettings,
    ControllerSettings,
    CameraReference,
    ScanDuration,
    BackendUpdateDate,
    Nameserver,
    MultiUserHeadTargets,
    SynccardInputFrequency,  // the old sync card layout's input frequency lines
    StaticAreas,
    TimeSettings,
    RoomAdjustment,
    HardwareInfo,
    FingerTracking,
    TactileFeedback,
    SynccardSources,  // before it, the sync card's old mode-based parameters
    MeasurementTools,
    OutputViaRouter,
    OutputNetDivisor,
    CameraModeAndUpsideDown,
    ConfigurationPassword,
    LastRoomCalibration,
    RoomCalibrationWandResidual,
    RoomCalibrationDate,
    BodyCalibrationStatus,
    RoomCalibrationDuration,
    StandardBodiesTable,
    Motherboard,
    MeasurementToolOutputFormat,
    ResidualIdentifiers,
    CameraSyncGroupAndDisplay,
    NetworkSummary,
    InertialTrackingFrequency,
    CpuTemperature,
    CameraSerialDescription,
    CompactCameraSerial,
    ReferenceTarget,
    CameraSensorSettings,
    FreeConfigurationSpace,
    CameraAutomaticWarming,
};

struct ProtocolFeatureSince
{
    ProtocolFeature feature;
    int major;
    int minor;
    const char* name;  // for diagnostics and listings, not translated
};

// Ordered by version, so a reader sees what each release added.
inline constexpr ProtocolFeatureSince kProtocolFeatures[] = {
    {ProtocolFeature::BodyCalibrationReport, 0, 3, "body calibration report"},
    {ProtocolFeature::RadioReport, 0, 5, "radio report"},
    {ProtocolFeature::OutputSettings, 0, 6, "output settings report"},
    {ProtocolFeature::WavewandSettings, 0, 6, "wavewand settings report"},
    {ProtocolFeature::VersionNotice, 0, 8, "newer-controller notice"},
    {ProtocolFeature::BackendVersionReport, 0, 8, "backend version report"},
    {ProtocolFeature::SynccardSettings, 0, 8, "sync card report"},
    {ProtocolFeature::TrackingSettings, 0, 9, "tracking settings report"},
    {ProtocolFeature::CameraSettings, 0, 9, "camera settings report"},
    {ProtocolFeature::ControllerSettings, 0, 10, "controller settings report"},
    {ProtocolFeature::CameraReference, 0, 11, "camera reference poses"},
    {ProtocolFeature::ScanDuration, 0, 11, "camera scan duration"},
    {ProtocolFeature::ControllerVersion, 0, 12, "controller version"},
    {ProtocolFeature::BackendUpdateDate, 0, 12, "backend update date"},
    {ProtocolFeature::Nameserver, 0, 13, "name server"},
    {ProtocolFeature::MultiUserHeadTargets, 0, 13, "multi-user head targets"},
    {ProtocolFeature::SynccardInputFrequency, 0, 13, "sync card input frequency"},
    {ProtocolFeature::TrackingAvailable, 0, 14, "tracking availability check"},
    {ProtocolFeature::StaticAreas, 0, 14, "static camera areas"},
    {ProtocolFeature::TimeSettings, 0, 15, "time settings"},
    {ProtocolFeature::RoomAdjustment, 0, 16, "room adjustment"},
    {ProtocolFeature::FullName, 0, 17, "full product name"},
    {ProtocolFeature::OutputFrequency, 0, 17, "output frequency"},
    {ProtocolFeature::HardwareInfo, 0, 17, "hardware list"},
    {ProtocolFeature::FingerTracking, 0, 17, "finger tracking"},
    {ProtocolFeature::AccessHolderQuery, 1, 1, "access holder"},
    {ProtocolFeature::MacAddress, 1, 1, "MAC address"},
    {ProtocolFeature::TactileFeedback, 1, 2, "tactile feedback"},
    {ProtocolFeature::SynccardSources, 1, 2, "sync card sources"},
    {ProtocolFeature::MeasurementTools, 1, 3, "measurement tools"},
    {ProtocolFeature::OutputViaRouter, 1, 4, "output via router"},
    {ProtocolFeature::RadioStatus, 1, 5, "radio status"},
    {ProtocolFeature::OutputNetDivisor, 1, 6, "output divisor"},
    {ProtocolFeature::CameraModeAndUpsideDown, 1, 6, "camera mode and mounting"},
    {ProtocolFeature::Cascade, 1, 7, "cascaded controllers"},
    {ProtocolFeature::FrequencyColours, 1, 8, "frequency limits"},
    {ProtocolFeature::ControllerModel, 1, 9, "controller model"},
    {ProtocolFeature::DiscoveryMac, 1, 9, "MAC address in discovery"},
    {ProtocolFeature::ConfigurationPassword, 1, 9, "configuration password"},
    {ProtocolFeature::LastRoomCalibration, 1, 9, "last room calibration"},
    {ProtocolFeature::RoomCalibrationWandResidual, 1, 10, "room calibration wand residual"},
    {ProtocolFeature::HardwareSearch, 1, 11, "hardware search"},
    {ProtocolFeature::RoomCalibrationDate, 1, 11, "room calibration date"},
    {ProtocolFeature::ReconnectOffer, 1, 12, "reconnect offer"},
    {ProtocolFeature::InertialSensors, 1, 12, "inertial sensors"},
    {ProtocolFeature::BodyCalibrationStatus, 1, 12, "body calibration status"},
    {ProtocolFeature::RoomCalibrationDuration, 1, 12, "room calibration duration"},
    {ProtocolFeature::StandardBodiesTable, 1, 12, "standard bodies"},
    {ProtocolFeature::Motherboard, 1, 12, "motherboard"},
    {ProtocolFeature::MeasurementToolOutputFormat, 1, 13, "measurement tool output format"},
    {ProtocolFeature::ResidualIdentifiers, 1, 13, "room calibration residual identifiers"},
    {ProtocolFeature::CameraSyncGroupAndDisplay, 1, 15, "camera sync group and display"},
    {ProtocolFeature::NetworkSummary, 1, 21, "network summary"},
    {ProtocolFeature::InertialTrackingFrequency, 1, 21, "inertial tracking frequency"},
    {ProtocolFeature::CpuTemperature, 1, 22, "CPU temperature"},
    {ProtocolFeature::CameraSerialDescription, 1, 23, "camera serial description"},
    {ProtocolFeature::CompactCameraSerial, 1, 23, "compact camera serial"},
    {ProtocolFeature::FrontendPassword, 1, 24, "front-end password"},
    {ProtocolFeature::ReferenceTarget, 1, 24, "reference target"},
    {ProtocolFeature::CameraSensorSettings, 1, 24, "camera sensor settings"},
    {ProtocolFeature::FreeConfigurationSpace, 1, 27, "free configuration space"},
    {ProtocolFeature::CameraAutomaticWarming, 1, 27, "camera automatic warming"},
};

inline constexpr const ProtocolFeatureSince& protocolFeatureSince(ProtocolFeature feature)
{
    for (const ProtocolFeatureSince& entry : kProtocolFeatures) {
        if (entry.feature == feature)
            return entry;
    }
    // Every feature has a row; an unlisted one fails the constant check below.
    return kProtocolFeatures[0];
}

namespace protocolfeature_detail {
constexpr bool everyFeatureListedOnce()
{
    constexpr std::size_t count = sizeof kProtocolFeatures / sizeof kProtocolFeatures[0];
    for (std::size_t i = 0; i < count; ++i) {
        if (static_cast<std::size_t>(kProtocolFeatures[i].feature) >= count)
            return false;
        for (std::size_t j = i + 1; j < count; ++j) {
            if (kProtocolFeatures[i].feature == kProtocolFeatures[j].feature)
                return false;
        }
    }
    return static_cast<std::size_t>(ProtocolFeature::CameraAutomaticWarming) + 1 == count;
}
}  // namespace protocolfeature_detail
static_assert(protocolfeature_detail::everyFeatureListedOnce(),
              "every protocol feature needs exactly one row in kProtocolFeatures");

// Controller software (system) versions the front-end checks, where the
// protocol version cannot be asked yet or does not tell.
struct SystemVersionGate
{
    int major;
    int minor;
    int patch;
};
// "system protocol_version" and what is read after it.
inline constexpr SystemVersionGate kProtocolVersionQuerySince{0, 1, 4};
// The controller learns the data address from the measurement-start datagram.
inline constexpr const char* kDataPathDatagramSince = "v0.2.8";

#endif
