// The controller's answers to "orvane2 getmsg" as the event display polls
// them: a poll ends within its bound and never asks again after "orvane2 ok",
// and a message is shown as the text it is (markup included), never rendered.
// Input: newline-separated answers; "orvane2 ok" follows the last.

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "EventDisplay.h"
#include "ScriptedChannel.h"
#include "TextBrowser.h"

namespace {

// A log directory that cannot be created: the poll is fuzzed, not the disk.
QString unwritableLogDir()
{
    static QTemporaryDir dir;
    const QString blocker = dir.path() + "/blocker";
    QFile file(blocker);
    if (!file.exists() && file.open(QIODevice::WriteOnly))
        file.close();
    return blocker + "/events";
}

bool printableAscii(const char* text)
{
    for (; *text; ++text) {
        if (*text < 0x20 || *text > 0x7e)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_status_getmsg";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    static const QString logDir = unwritableLogDir();
    static CountingBoxes boxes;
    static ScriptedChannel channel(&boxes);

    channel.script(reinterpret_cast<const char*>(data), size);
    // The display polls once as it is built.
    EventDisplay display(&channel, logDir, QStringLiteral("fuzz"));
    display.stop_polling();

    const size_t asked = size_t(channel.commands);
    if (asked == 0 || asked > size_t(EventDisplay::kMaxMessagesPerPoll))
        std::abort();
    const QString shown = display.browser()->toPlainText();
    for (size_t i = 0; i < asked && i < channel.answers.size(); ++i) {
        // Answers are C texts on the wire: a zero byte ends them.
        const std::string answer =
            std::string(channel.answers[i].c_str()).substr(0, IOManager::MaxTextLength);
        if (answer == "orvane2 ok" && i + 1 < asked)
            std::abort();
        const char* rest = answer.c_str() + std::min<size_t>(answer.size(), 11);
        if (*rest && printableAscii(rest) && !shown.contains(QString::fromLatin1(rest)))
            std::abort();
    }
    return 0;
}
