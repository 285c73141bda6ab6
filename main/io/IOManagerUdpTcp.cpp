#include "IOManagerUdpTcp.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstring>
#include <vector>

#include "DataLines_p.h"
#include "FrontendInfo.h"
#include "MessageBoxProvider.h"
#include "Requester.h"
#include "VersionInfo.h"
#include "ap_mutex_locker.h"
#include "ap_time.h"

namespace {

constexpr int CommandUnits = 5;
constexpr unsigned int SendTimeoutUs = 2000000;
constexpr unsigned int DefaultAnswerTimeoutUs = 2000000;
constexpr unsigned int DataReceiveTimeoutUs = 100000;
constexpr unsigned int DataPathSendTimeoutUs = 100000;
constexpr int DataBufferSize = 131072;
constexpr int LogSizeCheckInterval = 3000;

const char* const StatusQuery = "orvane2 get status active";
const char* const FailedAnswer = "orvane2 err command_exec";
const char* const ChannelName = "IOManagerUdpTcp";

std::atomic<int> g_logSizeCheckCalls{0};

bool startsWith(const char* text, const char* prefix)
{
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

bool equals(const char* a, const char* b)
{
    return std::strcmp(a, b) == 0;
}

bool isTrackingCommand(const char* cmd)
{
    return startsWith(cmd, "orvane2 tracking ") || startsWith(cmd, "orvane2 cal ");
}

bool isMeasuringState(const char* answer)
{
    return equals(answer, "orvane2 set status active cal") ||
           equals(answer, "orvane2 set status active mea");
}

bool isIdleState(const char* answer)
{
    return equals(answer, "orvane2 set status active none") ||
           equals(answer, "orvane2 set status active err");
}

// Receive failures of the socket layer are reported shifted by 10 (-2 -> -12),
// except the peer's close, which keeps its own code.
int shiftedReceiveCode(int code)
{
    return code > -10 ? code - 10 : code;
}

QString tr(const char* text)
{
    return QCoreApplication::translate("IOManagerUdpTcp", text);
}

}  // namespace

IOManagerUdpTcp::IOManagerUdpTcp(MessageBoxProvider* mbp_) : IOManager(mbp_)
{
    ap_mutex_init(&send_receive_mutex);
    ap_mutex_init(&eot_mutex);
    ap_mutex_init(&register_request_mutex);
    ap_mutex_init(&thread_state_mutex);
    ap_mutex_init(&log_mutex);
    if (ap_udp_init(&socket, 0, AP_SOCK_BROADCAST) != 0)
        socket = nullptr;
    sLogDir = FrontendInfo::userFolder();
    sLogFilePath = sLogDir + QStringLiteral("/commands_log.txt");
}

IOManagerUdpTcp::~IOManagerUdpTcp()
{
    about_to_exit();
    if (tcp_socket)
        ap_tcp_exit(tcp_socket);
    if (socket_receive)
        ap_udp_exit(socket_receive);
    if (socket)
        ap_udp_exit(socket);
    ap_mutex_destroy(log_mutex);
    ap_mutex_destroy(thread_state_mutex);
    ap_mutex_destroy(register_request_mutex);
    ap_mutex_destroy(eot_mutex);
    ap_mutex_destroy(send_receive_mutex);
}

int IOManagerUdpTcp::init(const char* ip_str, unsigned short port, unsigned short* display_port)
{
    if (init_called)
        return -1;
    init_called = true;
    qstrncpy(trackbox_ip, ip_str ? ip_str : "", sizeof trackbox_ip);

    if (display_port)
        *display_port = 0;
    if (ap_udp_init(&socket_receive, 0, AP_SOCK_BROADCAST | AP_SOCK_ANYPORT) == 0) {
        uint16_t dataPort = 0;
        ap_ip_getsockaddr(socket_receive, nullptr, &dataPort);
        if (display_port)
            *display_port = dataPort;
        is_initialized = 1;
    } else {
        socket_receive = nullptr;
        if (MessageBoxProvider* boxes = messageBoxProvider())
            boxes->openMessageBox(MessageBoxProvider::Critical, tr("UDP Error"),
                                  tr("cannot get port "));
    }

    // An unresolvable name must not become 0.0.0.0, which reaches this machine.
    const uint32_t ip = ap_ip_name2ip(trackbox_ip);
    if (ip == 0)
        return -2;
    const int result = ap_tcp_client_init(&tcp_socket, ip, port);
    if (result != 0)
        tcp_socket = nullptr;
    return result;
}

void IOManagerUdpTcp::get_trackbox_ip(char* ip_str, int size)
{
    if (ip_str && size > 0)
        qstrncpy(ip_str, trackbox_ip, static_cast<uint>(size));
}

// --- exchange ----------------------------------------------------------------------

unsigned int IOManagerUdpTcp::answer_timeout_us(int timeoutMs) const
{
    const int externalUs = externalCmdTimeoutUs();
    if (externalUs != DefaultExternalCmdTimeoutUs && externalUs >= 0)
        return static_cast<unsigned int>(externalUs);
    return timeoutMs >= 0 ? static_cast<unsigned int>(timeoutMs) * 1000u : DefaultAnswerTimeoutUs;
}

int IOManagerUdpTcp::receive_command(char* result, int timeoutMs)
{
    const int n = ap_tcp_receive(tcp_socket, result, MaxTextLength, answer_timeout_us(timeoutMs));
    if (n == -1) {
        result[0] = '\0';
        return ResultNoAnswer;
    }
    if (n < 0) {
        result[0] = '\0';
        return shiftedReceiveCode(n);
    }
    result[n] = '\0';
    return 0;
}

int IOManagerUdpTcp::send_receive_command(char* result, const char* cmd, bool asyncSend,
                                          int timeoutMs)
{
    const size_t len = std::strlen(cmd);
    if (len > size_t(MaxTextLength))
        return -1;
    // Whatever is still waiting belongs to an earlier command that gave up.
    // An overdue asynchronous answer is waited for once, so that it is not
    // taken for the answer to this command.
    char stale[1024];
    const bool overdue = answer_overdue.exchange(false);
    ap_tcp_receive(tcp_socket, stale, sizeof stale, overdue ? answer_timeout_us(-1) : 0);

    const int sent = ap_tcp_send(tcp_socket, cmd, static_cast<int>(len) + 1, SendTimeoutUs);
    if (sent != 0)
        return sent;
    if (asyncSend)
        return 1;
    return receive_command(result, timeoutMs);
}

void IOManagerUdpTcp::log_answer(const char* cmd, const char* answer, int result)
{
    if (!bWriteLogFile)
        return;
    writeLogFile(cmd, answer, result, true);
    checkLogFileSize(10);
}

void IOManagerUdpTcp::read_status(char* answer)
{
    if (bWriteLogFile)
        writeLogFile(StatusQuery, "", 0, false);
    int result = send_receive_command(answer, StatusQuery, false, -1);
    // A late state answer would otherwise be taken for the answer to the
    // command that follows; it gets the same second chance as a command.
    if (result == ResultNoAnswer && receive_command(answer, -1) == 0)
        result = 0;
    if (result != 0)
        answer[0] = '\0';
    log_answer(StatusQuery, answer, result);
}

int IOManagerUdpTcp::execute_command(char* result, const char* cmd)
{
    // The socket is released under the lock: a state read during a measurement
    // notice may run beside another thread's command.
    ApMutexLocker lock(send_receive_mutex);
    if (connection_err || !tcp_socket)
        return refuse_after_failure(result);

    const bool tracking = isTrackingCommand(cmd);
    char before[MaxTextLength + 1] = {};
    if (tracking)
        read_status(before);

    if (bWriteLogFile)
        writeLogFile(cmd, "", 0, false);
    int rc = send_receive_command(result, cmd, sendsAsynchronously(), command_timeout_ms(cmd));
    if (rc == ResultPending)
        return rc;
    log_answer(cmd, result, rc);
    // The controller goes away after these; its silence is not a failure.
    if (equals(cmd, "orvane2 system shutdown") || equals(cmd, "orvane2 system reboot"))
        return rc;

    // A slow controller gets one more chance before the channel gives up.
    const bool timedOut = rc == ResultNoAnswer && receive_command(result, -1) != 0;
    if (rc == ResultNoAnswer && !timedOut)
        rc = ResultOk;
    if (is_connection_lost(rc)) {
        qstrncpy(result, FailedAnswer, MaxTextLength + 1);
        connection_err = 1;
        lock.unlock();
        if (timedOut)
            report_timeout(cmd);
        return rc;
    }

    if (tracking) {
        char after[MaxTextLength + 1] = {};
        read_status(after);
        lock.unlock();
        notify_state_change(before, after);
        return rc;
    }
    lock.unlock();
    if (rc == ResultOk && equals(cmd, StatusQuery))
        follow_status_answer(result);
    return rc;
}

int IOManagerUdpTcp::refuse_after_failure(char* result)
{
    qstrncpy(result, FailedAnswer, MaxTextLength + 1);
    connection_err = 1;
    if (tcp_socket) {
        ap_tcp_exit(tcp_socket);
        tcp_socket = nullptr;
    }
    return ResultConnectionFailed;
}

int IOManagerUdpTcp::command_timeout_ms(const char* cmd) const
{
    int answerTimeout = configuredTimeoutMs();
    if (equals(cmd, "orvane2 tracking stop") && answerTimeout < 3000)
        answerTimeout = 3000;
    if (equals(cmd, "orvane2 tracking start") && answerTimeout < 6000)
        answerTimeout = 6000;
    return answerTimeout;
}

// A receive failure (-12) is a reset connection, which never recovers either.
bool IOManagerUdpTcp::is_connection_lost(int rc)
{
    return rc == ResultPeerClosed || rc == ResultTransport || rc == ResultReceiveFailed ||
           rc == ResultNoAnswer;
}

void IOManagerUdpTcp::report_timeout(const char* cmd)
{
    const QByteArray text =
        tr("UDP timeout: last command sent: %1").arg(QString::fromLatin1(cmd)).toUtf8();
    transmit_message("standard", ChannelName, 1, text.constData());
}

void IOManagerUdpTcp::notify_state_change(const char* before, const char* after)
{
    if (equals(before, after))
        return;
    if (isMeasuringState(after))
        notify_started();
    else if (isIdleState(after))
        notify_stopped();
}

// A state read by anyone (the heartbeat, a module) that shows a measurement
// started or stopped elsewhere tells the requesters too.
void IOManagerUdpTcp::follow_status_answer(const char* answer)
{
    if (equals(answer, "orvane2 set status active none") && should_run_tracking == 1)
        notify_stopped();
    else if (equals(answer, "orvane2 set status active mea") && should_run_tracking == 0)
        notify_started();
}

int IOManagerUdpTcp::getAsyncCmdReturned()
{
    ApMutexLocker lock(send_receive_mutex);
    char* const answer = asyncAnswerBuffer();
    if (!tcp_socket || !answer)
        return ResultConnectionFailed;
    const int n = ap_tcp_receive(tcp_socket, answer, MaxTextLength, 0);
    if (n == -1)
        return 0;
    if (n < 0) {
        if (n == ResultPeerClosed)
            connection_err = 1;
        return shiftedReceiveCode(n);
    }
    answer[n] = '\0';
    log_answer(currentCommand(), answer, n);
    return 1;
}

void IOManagerUdpTcp::async_answer_overdue()
{
    answer_overdue = true;
}

// --- measurement start and stop ----------------------------------------------------

// The notices run with the command's units returned and its configuration
// switched off, so that requesters may send commands of their own.
void IOManagerUdpTcp::notify_started()
{
    should_run_tracking = 1;
    const SuspendedConfiguration saved = suspend_configuration();
    sem_release(CommandUnits);

    send_mea_start();
    try_start();

    sem_acquire(CommandUnits);
    resume_configuration(saved);
}

void IOManagerUdpTcp::notify_stopped()
{
    should_run_tracking = 0;
    sem_release(CommandUnits);
    send_mea_stop();
    sem_acquire(CommandUnits);
}

int IOManagerUdpTcp::send_mea_start()
{
    IOManager::send_mea_start();
    sendDummyDatagramm();
    return 0;
}

// --- data-path datagram ------------------------------------------------------------

bool IOManagerUdpTcp::checkVersion(const QString& sActualVersion, const QString& sMinVersion)
{
    const VersionInfo actual = VersionInfo::fromDataPathText(sActualVersion);
    const VersionInfo minimum = VersionInfo::fromDataPathText(
        sMinVersion.isEmpty() ? QStringLiteral("v0.2.2") : sMinVersion);
    return actual >= minimum;
}

int IOManagerUdpTcp::sendDummyDatagramm()
{
    char version[MaxTextLength + 1];
    if (read_par_unreserved(version, sizeof version, "system version") != 0)
        qstrncpy(version, "v0.0.0", sizeof version);
    if (!checkVersion(QString::fromLatin1(version), QLatin1String(kDataPathDatagramSince)))
        return -1;

    char portText[MaxTextLength + 1];
    int port = 0;
    if (read_par_unreserved(portText, sizeof portText, "output net_sender_port chmon") != 0)
        return -2;
    if (parse_int(portText, &port, 1) != 0 || port <= 0 || port > 65535)
        return -2;

    const uint32_t ip = ap_ip_name2ip(trackbox_ip);
    if (!socket_receive || ip == 0)
        return -1;
    static const char dummy[] = "dummy";
    const int sent = ap_udp_send(socket_receive, dummy, sizeof dummy, ip,
                                 static_cast<uint16_t>(port), DataPathSendTimeoutUs);
    return sent == 0 ? 0 : -1;
}

// --- data dispatch -----------------------------------------------------------------

int IOManagerUdpTcp::register_request(const char* identifier, Requester* requester)
{
    if (!identifier || !requester)
        return -1;
    ap_mutex_lock(register_request_mutex);
    const bool wasEmpty = reg_map.empty();
    const bool added = reg_map[identifier].insert(requester).second;
    if (added) {
        ++reg_generation;
        if (wasEmpty)
            should_run_request = 1;
    }
    ap_mutex_unlock(register_request_mutex);
    if (!added)
        return -1;
    if (wasEmpty)
        try_start();
    return 0;
}

int IOManagerUdpTcp::unregister_request(const char* identifier, Requester* requester)
{
    if (!identifier)
        return -1;
    int result = -1;
    ap_mutex_lock(register_request_mutex);
    const auto it = reg_map.find(identifier);
    if (it != reg_map.end() && it->second.erase(requester) > 0) {
        if (it->second.empty())
            reg_map.erase(it);
        ++reg_generation;
        if (reg_map.empty())
            should_run_request = 0;
        result = 0;
    }
    ap_mutex_unlock(register_request_mutex);
    return result;
}

bool IOManagerUdpTcp::data_flags_set() const
{
    return should_run_request && should_run_tracking && not_exiting;
}

int IOManagerUdpTcp::try_start()
{
    ap_mutex_lock(thread_state_mutex);
    int result = 0;
    // One data thread at a time: a thread that is still running simply goes on.
    if (data_flags_set() && socket_receive && is_finished) {
        is_finished = false;
        result = ap_thread_create(&IOManagerUdpTcp::run, this);
        if (result != 0)
            is_finished = true;
    }
    ap_mutex_unlock(thread_state_mutex);
    return result;
}

void IOManagerUdpTcp::about_to_exit()
{
    not_exiting = false;
    while (!is_finished)
        ap_time_millisleep(10);
    // The thread marks its end while holding this lock; taking it once more
    // makes sure it has let go before the channel goes away.
    ap_mutex_lock(thread_state_mutex);
    ap_mutex_unlock(thread_state_mutex);
}

int IOManagerUdpTcp::run(void* arg)
{
    static_cast<IOManagerUdpTcp*>(arg)->run_dispatch_loop();
    return 0;
}

void IOManagerUdpTcp::run_dispatch_loop()
{
    if (!is_initialized || !socket_receive) {
        if (MessageBoxProvider* boxes = messageBoxProvider())
            boxes->openMessageBox(MessageBoxProvider::Critical, tr("UDP Error"),
                                  tr("not initialized "));
        ap_mutex_lock(thread_state_mutex);
        is_finished = true;
        ap_mutex_unlock(thread_state_mutex);
        return;
    }
    for (;;) {
        {
            ApMutexLocker lock(thread_state_mutex);
            if (!data_flags_set()) {
                is_finished = true;
                return;
            }
        }

        // Only the newest queued datagram matters; a full buffer may be truncated.
        const int n = ap_udp_receive(socket_receive, data, DataBufferSize, DataReceiveTimeoutUs,
                                     AP_RECV_NEWEST);
        if (n < 0) {
            // A failing socket must not turn this loop into a busy wait.
            if (n == -2)
                ap_time_millisleep(10);
            continue;
        }
        ap_mutex_lock(eot_mutex);
        if (data_flags_set()) {
            data[n] = '\0';
            dispatch_datagram(n);
        }
        ap_mutex_unlock(eot_mutex);
    }
}

void IOManagerUdpTcp::dispatch_datagram(int length)
{
    ap_mutex_lock(register_request_mutex);
    iomanager_detail::splitDataLines(data, length, [this](const char* line, size_t lineLength) {
        deliver_line(line, lineLength);
    });
    ap_mutex_unlock(register_request_mutex);
}

void IOManagerUdpTcp::deliver_line(const char* line, size_t lineLength)
{
    const size_t idLength = iomanager_detail::dataLineIdentifierLength(line, lineLength);
    line_identifier.assign(line, idLength);

    const auto it = reg_map.find(line_identifier);
    if (it == reg_map.end())
        return;
    if (it->second.size() == 1) {
        (*it->second.begin())->set_ascii_data(line_identifier.c_str(), line);
        return;
    }
    // Requesters may unregister (themselves or others) while they handle a line.
    dispatch_scratch.assign(it->second.begin(), it->second.end());
    const unsigned generation = reg_generation;
    for (Requester* r : dispatch_scratch) {
        if (reg_generation != generation) {
            const auto now = reg_map.find(line_identifier);
            if (now == reg_map.end() || !now->second.count(r))
                continue;
        }
        r->set_ascii_data(line_identifier.c_str(), line);
    }
}

// --- command log -------------------------------------------------------------------

void IOManagerUdpTcp::setLogFileParameters(bool bWriteLog, QString& sLogName, QString& sPrefix)
{
    ap_mutex_lock(log_mutex);
    bWriteLogFile = bWriteLog;
    sLogFileName = sLogName;
    sResponsePrefix = sPrefix;
    if (bWriteLogFile) {
        sLogName = sLogName.trimmed();
        sLogFileName = sLogName;
        sLogFilePath = sLogDir + QLatin1Char('/') +
                       (sLogFileName.isEmpty() ? QStringLiteral("commands_log.txt") : sLogFileName);
        sResponsePrefix = sResponsePrefix.trimmed();
    }
    ap_mutex_unlock(log_mutex);
}

void IOManagerUdpTcp::writeLogFile(const char* command, const char* response, int result,
                                   bool isResponse)
{
    ApMutexLocker lock(log_mutex);
    if (!QDir(sLogDir).exists() && !QDir().mkpath(sLogDir)) {
        const QString dir = sLogDir;
        lock.unlock();
        const QByteArray text =
            tr("Directory %1 doesn't exist and cannot be created.").arg(dir).toUtf8();
        transmit_message("standard", ChannelName, 1, text.constData());
        return;
    }
    QFile file(sLogFilePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        const QString path = sLogFilePath;
        lock.unlock();
        const QByteArray text = tr("Log file %1 cannot be opened for writing.").arg(path).toUtf8();
        transmit_message("standard", ChannelName, 1, text.constData());
        return;
    }
    const QDateTime now = QDateTime::currentDateTime();
    QByteArray line;
    if (!isResponse) {
        line = now.toString(QStringLiteral("yyyy-MM-ddThh:mm:ss,zzz > ")).toLatin1();
        line += command;
        line += '\n';
    } else {
        line = now.toString(QStringLiteral("yyyy-MM-ddThh:mm:ss,zzz < ")).toLatin1();
        line += sResponsePrefix.toUtf8();
        line += response;
        line += " wyb_io-error: ";
        line += QByteArray::number(result);
        line += "\n\n";
    }
    file.write(line);
    file.close();
}

void IOManagerUdpTcp::checkLogFileSize(int maxMiB)
{
    if (++g_logSizeCheckCalls % LogSizeCheckInterval != 0)
        return;
    ap_mutex_lock(log_mutex);
    const QFileInfo info(sLogFilePath);
    if (info.exists() && info.size() >= (qint64(maxMiB) << 20)) {
        // No backup: the log is a debugging aid, not a record.
        QFile file(sLogFilePath);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.close();
    }
    ap_mutex_unlock(log_mutex);
}

int IOManagerUdpTcp::logSizeCheckCalls()
{
    return g_logSizeCheckCalls.load();
}
