#ifndef CONTROLLERPROBE_H
#define CONTROLLERPROBE_H

#include <QByteArray>
#include <QString>

#include <atomic>
#include <cstdint>

#include "FrontendInfo.h"
#include "ap_udptcp.h"

// Dotted text and name resolution of controller addresses (IPv4, host byte order).
namespace ControllerAddress {

QString dotted(uint32_t ip);
// A name or dotted address as Latin-1; 0 when it cannot be resolved.
uint32_t resolve(const QString& nameOrAddress);

}  // namespace ControllerAddress

// Short questions to one controller over a UDP socket of the probe's own, one at a time.
// Datagrams left over from an earlier question are drained before each one is sent, and
// only a datagram from the asked address counts as the answer; datagrams from anyone else
// are passed over within the same answer window.
class ControllerProbe
{
public:
    struct Timing
    {
        unsigned int sendTimeoutUs;
        unsigned int answerTimeoutUs;
        int answerBytes;  // an answer of this size or more is refused (-3)
    };
    // As the connection-less command channel asks.
    static constexpr Timing kChannelTiming{250 * 1000, 500 * 1000, 200};
    // As the start-up window asks: a quick send, room for long answers.
    static constexpr Timing kStartupTiming{100 * 1000, 500 * 1000, 300};

    // Result of an answer that does not carry the expected prefix.
    static constexpr int WrongAnswer = -32;

    explicit ControllerProbe(const Timing& timing = kChannelTiming,
                             uint16_t socketOptions = AP_SOCK_BROADCAST | AP_SOCK_ANYPORT);
    // Asks over a socket that stays its owner's, such as the one a broadcast went out on,
    // so that its late answers are drained like any other.
    ControllerProbe(ap_ip_socket_type borrowed, const Timing& timing);
    ~ControllerProbe();
    ControllerProbe(const ControllerProbe&) = delete;
    ControllerProbe& operator=(const ControllerProbe&) = delete;

    bool isOpen() const { return m_socket != nullptr; }
    // The socket's result when it could not be opened, else 0.
    int openError() const { return m_openError; }

    void setController(uint32_t ip, unsigned short port = FrontendInfo::kControllerPort);
    uint32_t controllerIp() const { return m_ip; }
    // While set and false, a question gives up before its next wait.
    void setKeepGoing(const std::atomic<bool>* keepGoing) { m_keepGoing = keepGoing; }

    // Sends command with its terminating zero byte and waits for the answer, the datagram
    // up to its first zero byte.  0 or the negative code of the socket layer: -1 no answer
    // in time, -2 socket failure, -3 an oversized answer.  Nothing is sent to address 0,
    // which would reach this very host.
    int ask(const char* command, QByteArray* answer);
    // The send failure of the last question, 0 when it was sent.
    int lastSendError() const { return m_sendError; }
    // ask() whose answer must start with prefix; the rest of the answer goes to rest.
    bool askFor(const char* command, const char* prefix, QString* rest);
    // "orvane2 get <parameter>": the value after "orvane2 set <parameter> ", at most 199
    // characters, into value (room for 200 bytes).  0, a code of ask(), -1 for a command
    // that does not fit, or WrongAnswer.
    int readParameter(const char* parameter, char* value);
    // The value part of an answer to "orvane2 get <parameter>", as readParameter() takes it.
    static int parameterValue(const char* parameter, const char* answer, char* value);

private:
    void drainStaleAnswers();
    int receiveFromController(char* buffer);

    Timing m_timing;
    ap_ip_socket_type m_socket = nullptr;
    bool m_ownsSocket = true;
    int m_openError = 0;
    uint32_t m_ip = 0;
    unsigned short m_port = FrontendInfo::kControllerPort;
    int m_sendError = 0;
    const std::atomic<bool>* m_keepGoing = nullptr;
};

#endif
