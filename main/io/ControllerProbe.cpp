#include "ControllerProbe.h"

#include <QElapsedTimer>

#include <cstdio>
#include <cstring>
#include <vector>

#include "AnswerParsing_p.h"
#include "IOManager.h"

namespace {

// A flood of datagrams must not hold a question up.
constexpr int kMaxStaleAnswers = 64;

}  // namespace

namespace ControllerAddress {

QString dotted(uint32_t ip)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg((ip >> 24) & 0xFF)
        .arg((ip >> 16) & 0xFF)
        .arg((ip >> 8) & 0xFF)
        .arg(ip & 0xFF);
}

uint32_t resolve(const QString& nameOrAddress)
{
    const QByteArray text = nameOrAddress.toLatin1();
    return ap_ip_name2ip(text.constData());
}

}  // namespace ControllerAddress

constexpr ControllerProbe::Timing ControllerProbe::kChannelTiming;
constexpr ControllerProbe::Timing ControllerProbe::kStartupTiming;

ControllerProbe::ControllerProbe(const Timing& timing, uint16_t socketOptions) : m_timing(timing)
{
    m_openError = ap_udp_init(&m_socket, 0, socketOptions);
    if (m_openError != 0)
        m_socket = nullptr;
}

ControllerProbe::ControllerProbe(ap_ip_socket_type borrowed, const Timing& timing)
    : m_timing(timing), m_socket(borrowed), m_ownsSocket(false)
{
}

ControllerProbe::~ControllerProbe()
{
    if (m_socket && m_ownsSocket)
        ap_udp_exit(m_socket);
}

void ControllerProbe::setController(uint32_t ip, unsigned short port)
{
    m_ip = ip;
    m_port = port;
}

void ControllerProbe::drainStaleAnswers()
{
    // A late answer to an earlier question would be taken for this one, and every answer
    // after it would be one behind.
    std::vector<char> stale(size_t(m_timing.answerBytes) + 1);
    for (int i = 0; i < kMaxStaleAnswers; ++i) {
        if (ap_udp_receive(m_socket, stale.data(), m_timing.answerBytes, 0, AP_RECV_FULLBUF) < 0)
            break;
    }
}

// The first datagram from the asked address within the answer window, or the negative
// code that ended the wait.
int ControllerProbe::receiveFromController(char* buffer)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const qint64 leftUs = qint64(m_timing.answerTimeoutUs) - clock.nsecsElapsed() / 1000;
        if (leftUs <= 0 || (m_keepGoing && !*m_keepGoing))
            return -1;
        uint32_t sender = 0;
        const int n = ap_udp_receive_from(m_socket, buffer, m_timing.answerBytes, &sender, nullptr,
                                          static_cast<unsigned int>(leftUs), 0);
        // Only these carry a sender; an oversized answer from the controller still ends
        // the question.
        if (n < 0 && n != -3)
            return n;
        if (sender == m_ip)
            return n;
    }
}

int ControllerProbe::ask(const char* command, QByteArray* answer)
{
    answer->clear();
    m_sendError = 0;
    if (!m_socket || m_ip == 0)
        return -2;
    drainStaleAnswers();
    m_sendError = ap_udp_send(m_socket, command, static_cast<int>(std::strlen(command)) + 1, m_ip,
                              m_port, m_timing.sendTimeoutUs);
    if (m_sendError != 0)
        return m_sendError;
    std::vector<char> buffer(size_t(m_timing.answerBytes) + 1);
    const int n = receiveFromController(buffer.data());
    if (n < 0)
        return n;
    buffer[size_t(n)] = '\0';
    *answer = QByteArray(buffer.data());
    return 0;
}

bool ControllerProbe::askFor(const char* command, const char* prefix, QString* rest)
{
    QByteArray answer;
    if (ask(command, &answer) != 0)
        return false;
    const QString text = QString::fromLatin1(answer);
    const QString expected = QString::fromLatin1(prefix);
    if (!text.startsWith(expected))
        return false;
    *rest = text.mid(expected.size());
    return true;
}

int ControllerProbe::readParameter(const char* parameter, char* value)
{
    value[0] = '\0';
    char command[IOManager::MaxTextLength + 1];
    const int length = std::snprintf(command, sizeof command, "orvane2 get %s", parameter);
    // The channel's limit: "orvane2 set " leaves room for the value in a 200-byte answer.
    if (length < 0 || length > IOManager::MaxTextLength - 1)
        return -1;
    if (!IOManager::isOneLine(command))
        return IOManager::CommandNotOneLine;
    QByteArray answer;
    const int rc = ask(command, &answer);
    if (rc != 0)
        return rc;
    return parameterValue(parameter, answer.constData(), value);
}

int ControllerProbe::parameterValue(const char* parameter, const char* answer, char* value)
{
    value[0] = '\0';
    // The trailing blank makes the prefix end after the last parameter token.
    char prefix[IOManager::MaxTextLength + 16];
    std::snprintf(prefix, sizeof prefix, "orvane2 set %s ", parameter);
    const int offset = iomanager_detail::check_prefix(answer, prefix);
    if (offset < 0)
        return WrongAnswer;
    qstrncpy(value, answer + offset, IOManager::MaxTextLength);
    return 0;
}
