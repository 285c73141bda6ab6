// The simulator's protocol engine with arbitrary command streams: every command
// gets exactly one answer of the protocol's forms, answers fit the 200-byte
// buffer unless a value was written to be long, and nothing crashes.
// Input: commands separated by zero bytes; the first byte of each picks the
// transport and the sender; the whole input also goes through the templates.

#include "CommandEngine.h"
#include "Profile.h"
#include "Tokens.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>

using namespace orvane::sim;

namespace {

CommandEngine* engine()
{
    static int argc = 1;
    static char name[] = "fuzz_sim_commands";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static CommandEngine* e = [] {
        Profile p;
        if (!loadProfile(QStringLiteral("demo"), &p, nullptr))
            std::abort();
        auto* created = new CommandEngine;
        created->setProfile(p);
        return created;
    }();
    return e;
}

bool wellFormed(const QByteArray& a)
{
    return a == "orvane2 ok" || a.startsWith("orvane2 set ") || a.startsWith("orvane2 err ") ||
           a.startsWith("orvane2 msg ");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CommandEngine* e = engine();
    const QByteArray input(reinterpret_cast<const char*>(data), int(size));
    for (const QByteArray& chunk : input.split('\0')) {
        if (chunk.isEmpty())
            continue;
        Request r;
        const unsigned char pick = static_cast<unsigned char>(chunk.at(0));
        r.transport = (pick & 1) ? Transport::Udp : Transport::Tcp;
        r.peer = QHostAddress(QStringLiteral("127.0.8.%1").arg(1 + (pick >> 1) % 3));
        r.text = QString::fromLatin1(chunk.mid(1));
        const Reply reply = e->handle(r);
        if (!reply.answer || !wellFormed(reply.text))
            std::abort();
        bool isGet = false;
        e->parameterOf(r.text, &isGet);
        normalizeKey(r.text);
    }
    expandTemplate(QString::fromLatin1(input.left(400)), 3, 2, 5);
    // A forced state must not outlive one input, so inputs stay independent.
    e->setState(MeasState::None);
    e->setAccessHolder(QHostAddress());
    return 0;
}
