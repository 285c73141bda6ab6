#ifndef ORVANE_FRONTENDINFO_H
#define ORVANE_FRONTENDINFO_H

#include <QString>

// The front-end's own version (from the build's project version), its release
// date and the controller's command port, said once for the whole program.
namespace FrontendInfo {

constexpr int kVersionMajor = ORVANE_VERSION_MAJOR;
constexpr int kVersionMinor = ORVANE_VERSION_MINOR;
constexpr int kVersionPatch = ORVANE_VERSION_PATCH;
constexpr const char* kReleaseDate = "2025-03-25";

constexpr unsigned short kControllerPort = 50105;

// The time-out for external commands when the preferences name none, in µs.
constexpr int kDefaultExternalCmdTimeoutUs = 2000000;

// "3.3.1"
inline QString versionNumber()
{
    return QString::number(kVersionMajor) + '.' + QString::number(kVersionMinor) + '.' +
           QString::number(kVersionPatch);
}

}  // namespace FrontendInfo

#endif
