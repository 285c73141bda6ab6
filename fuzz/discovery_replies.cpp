// Controllers' answers during discovery: the answer to the broadcast and the
// answers to the identity questions that follow.  Every field of the record
// stays a terminated text within its size, the version is one word, only a
// controller without access is taken for a slave, and no more questions are
// asked than the scanner has.
// Input: newline-separated answers, the broadcast's first, then one per question.

#include <QCoreApplication>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "ControllerProbe.h"
#include "ScriptedChannel.h"
#include "TrackboxScanner.h"

namespace {

template <size_t N>
void requireTerminated(const char (&field)[N])
{
    if (!std::memchr(field, '\0', N))
        std::abort();
}

constexpr uint32_t kSender = 0x7F424201;  // 127.66.66.1
constexpr size_t kIdentityQuestions = 7;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CountingBoxes boxes;
    static ScriptedChannel broadcast(&boxes);
    broadcast.script(reinterpret_cast<const char*>(data), size);
    if (broadcast.answers.empty())
        return 0;

    // The broadcast answer goes through the channel's own read, as in the scan.
    char version[IOManager::MaxTextLength + 100] = {};
    if (broadcast.get_par(version, "system version") != 0)
        return 0;
    trackbox_info_type info = TrackboxScanner::fromBroadcastAnswer(kSender, version);

    size_t asked = 0;
    const std::vector<std::string>& answers = broadcast.answers;
    const std::atomic<bool> keepGoing{true};
    TrackboxScanner::readIdentity(
        info,
        [&](const char* parameter, char* value) {
            const size_t index = 1 + asked++;
            if (index >= answers.size())
                return -1;  // no answer in time
            const std::string answer = answers[index].substr(0, IOManager::MaxTextLength);
            return ControllerProbe::parameterValue(parameter, answer.c_str(), value);
        },
        keepGoing);

    requireTerminated(info.hostname);
    requireTerminated(info.access);
    requireTerminated(info.version);
    requireTerminated(info.serial);
    requireTerminated(info.ip_str);
    requireTerminated(info.mac_str);
    if (std::strchr(info.version, ' ') || std::strcmp(info.ip_str, "127.66.66.1") != 0)
        std::abort();
    if (info.isSlave && std::strcmp(info.access, "none") != 0)
        std::abort();
    if (asked > kIdentityQuestions)
        std::abort();
    return 0;
}
