#ifndef ORVANE_SHELLMESSAGES_H
#define ORVANE_SHELLMESSAGES_H

#include <QString>

class IOManager;

// Notices for the record: texts to the message class "standard", which the
// event display shows with a time stamp and keeps in the day's event log.
namespace ShellMessages {

constexpr const char* kStandardClass = "standard";
constexpr const char* kShellSender = "ORVANE3";

// Sends text (UTF-8) as type 1 from "ORVANE3"; -1 when nobody listens.
int sendStandard(IOManager* iom, const QString& text);

}  // namespace ShellMessages

#endif
