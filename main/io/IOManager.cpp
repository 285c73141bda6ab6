#include "IOManager.h"

#include <QCoreApplication>
#include <QMutexLocker>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "AnswerParsing_p.h"
#include "MessageBoxProvider.h"
#include "MessageReceiver.h"
#include "Requester.h"
#include "ap_mutex_locker.h"
#include "ap_time.h"

namespace {

constexpr int ReservationUnits = 6;
constexpr int CommandUnits = 5;

bool startsWith(const char* text, const char* prefix)
{
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// Formatted commands stay below MaxTextLength characters, so that "orvane2 set "
// leaves 187 characters for the value text.
constexpr int MaxCommandLength = IOManager::MaxTextLength - 1;

// Formats into buf; -1 when the text would be longer than MaxCommandLength,
// CommandNotOneLine when it holds a zero byte ("%c" of 0) or a line break.
int vformat(char* buf, size_t size, const char* format, va_list args)
{
    buf[0] = '\0';
    if (!format)
        return -1;
    const int n = std::vsnprintf(buf, size, format, args);
    if (n < 0 || n > MaxCommandLength) {
        buf[0] = '\0';
        return -1;
    }
    if (std::strlen(buf) != size_t(n) || !IOManager::isOneLine(buf)) {
        buf[0] = '\0';
        return IOManager::CommandNotOneLine;
    }
    return n;
}

// Joins head and tail ("orvane2 get " + parameter); -1 when too long.
int compose(char* buf, size_t size, const char* head, const char* tail)
{
    const int n = std::snprintf(buf, size, "%s%s", head, tail);
    if (n < 0 || n > MaxCommandLength) {
        buf[0] = '\0';
        return -1;
    }
    return n;
}

}  // namespace

bool IOManager::isOneLine(const char* cmd)
{
    return cmd && !std::strpbrk(cmd, "\r\n");
}

IOManager::IOManager(MessageBoxProvider* mbp_) : mbp(mbp_)
{
    ap_mutex_init(&register_msg_rec_mutex);
    ap_mutex_init(&mea_requests_mutex);
}

IOManager::~IOManager()
{
    ap_mutex_destroy(mea_requests_mutex);
    ap_mutex_destroy(register_msg_rec_mutex);
}

// --- reservation ---------------------------------------------------------------

void IOManager::sem_acquire(int n)
{
    QMutexLocker lock(&sem_mutex_wait);
    while (sem_counter < n)
        sem_wait.wait(&sem_mutex_wait);
    sem_counter -= n;
}

void IOManager::sem_release(int n)
{
    QMutexLocker lock(&sem_mutex_wait);
    sem_counter += n;
    sem_wait.wakeAll();
}

int IOManager::sem_available()
{
    QMutexLocker lock(&sem_mutex_wait);
    return sem_counter;
}

bool IOManager::isCmdPending()
{
    // A configuration holds one unit until its command ran, an asynchronous
    // command all six until its answer was collected.
    return sem_available() < ReservationUnits;
}

int IOManager::configure_next_cmd(bool async_, int timeout, bool suppress_error)
{
    sem_acquire(ReservationUnits);
    configured = true;
    async = async_;
    suppressErr = suppress_error;
    if (timeout >= 0)
        timeout_ms = timeout;
    if (external_cmd_timeout / 1000 > timeout_ms)
        timeout_ms = external_cmd_timeout / 1000;
    sem_release(CommandUnits);
    return 0;
}

void IOManager::clear_configuration()
{
    configured = false;
    async = false;
    suppressErr = false;
    timeout_ms = -1;
}

IOManager::SuspendedConfiguration IOManager::suspend_configuration()
{
    const SuspendedConfiguration saved{configured, suppressErr, timeout_ms};
    configured = false;
    suppressErr = false;
    timeout_ms = -1;
    return saved;
}

// A command a requester ran meanwhile has cleared its own configuration; an
// unconfigured command gets its time-out back unless a new configuration is
// already waiting.
void IOManager::resume_configuration(const SuspendedConfiguration& saved)
{
    if (saved.configured) {
        configured = true;
        suppressErr = saved.suppressErr;
        timeout_ms = saved.timeoutMs;
    } else if (!configured) {
        timeout_ms = saved.timeoutMs;
    }
}

void IOManager::take_over_configuration_for_tracking_start()
{
    {
        // Only a configuration whose command has not started yet can be taken
        // over; a running or asynchronous one is waited for below.
        QMutexLocker lock(&sem_mutex_wait);
        if (configured && !async_pending && sem_counter == CommandUnits) {
            clear_configuration();
            sem_counter += 1;
            sem_wait.wakeAll();
        }
    }
    configure_next_cmd(false, 5000, false);
}

bool IOManager::begin_command()
{
    sem_acquire(CommandUnits);
    return configured;
}

int IOManager::finish_command(int result, bool wasConfigured)
{
    if (result == 1)
        return result;
    int units = CommandUnits;
    if (wasConfigured) {
        clear_configuration();
        units += 1;
    }
    sem_release(units);
    return result;
}

// --- command path --------------------------------------------------------------

void IOManager::show_error_box(const char* cmd, const char* answer)
{
    if (!mbp)
        return;
    const iomanager_detail::ErrorBox box = iomanager_detail::error_box_for_answer(cmd, answer);
    mbp->openMessageBox(MessageBoxProvider::Critical, box.title, box.text);
}

int IOManager::run_command(CALLTYPE type, char* answer, const char* cmd)
{
    answer[0] = '\0';
    // Checked here as well as after formatting: parameter texts are joined
    // to "orvane2 get " and "orvane2 set " on their way to the transport.
    if (!isOneLine(cmd))
        return CommandNotOneLine;
    displayMessageBoxDT2err =
        !startsWith(cmd, "orvane2 get status err") && !startsWith(cmd, "orvane2 set camera update");
    qstrncpy(current_command, cmd, sizeof current_command);
    calltype = type;

    const int result = execute_command(answer, cmd);
    if (result == 1) {
        async_result = answer;
        async_pending = true;
        return 1;
    }
    if (result == 0 && displayMessageBoxDT2err && !suppressErr && startsWith(answer, "orvane2 err"))
        show_error_box(cmd, answer);
    return result;
}

int IOManager::execute_cmd(char* result, const char* format_str, ...)
{
    char cmd[MaxTextLength + 1];
    va_list args;
    va_start(args, format_str);
    const int n = vformat(cmd, sizeof cmd, format_str, args);
    va_end(args);

    // The measurement start always runs synchronously, with boxes and enough time.
    if (n >= 0 && std::strcmp(cmd, "orvane2 tracking start") == 0)
        take_over_configuration_for_tracking_start();

    const bool wasConfigured = begin_command();
    char* answer = result ? result : async_answer;
    if (n < 0) {
        answer[0] = '\0';
        return finish_command(n, wasConfigured);
    }
    return finish_command(run_command(CALL_CMD, answer, cmd), wasConfigured);
}

int IOManager::interpret_par_answer(CALLTYPE type, const char* answer, const char* prefix,
                                    void* storage, int length)
{
    const int offset = iomanager_detail::check_prefix(answer, prefix);
    if (offset < 0)
        return -32;
    // The value text is at most 199 characters, like every caller's buffer.
    qstrncpy(par_result_getpar, answer + offset, MaxTextLength);

    switch (type) {
        case CALL_PAR_GET:
            if (storage)
                qstrncpy(static_cast<char*>(storage), par_result_getpar, MaxTextLength);
            return 0;
        case CALL_PAR_GET_I:
            return parse_int(par_result_getpar, static_cast<int*>(storage), 1);
        case CALL_PAR_GET_II:
            return parse_int(par_result_getpar, static_cast<int*>(storage), length);
        case CALL_PAR_GET_D:
            return parse_double(par_result_getpar, static_cast<double*>(storage), 1);
        case CALL_PAR_GET_DD:
            return parse_double(par_result_getpar, static_cast<double*>(storage), length);
        case CALL_PAR_GET_YN:
            return parse_yn(par_result_getpar, static_cast<bool*>(storage), 1);
        default:
            return -31;
    }
}

int IOManager::run_par_get(CALLTYPE type, void* storage, int length, const char* par)
{
    char cmd[MaxTextLength + 1];
    if (compose(cmd, sizeof cmd, "orvane2 get ", par) < 0)
        return -1;
    // The trailing blank makes the prefix end after the last parameter token.
    std::snprintf(par_result_getpar_async_prefix, sizeof par_result_getpar_async_prefix,
                  "orvane2 set %s ", par);

    const int result = run_command(type, async_answer, cmd);
    if (result == 1) {
        par_result = storage;
        par_result_len = length;
        return 1;
    }
    if (result != 0)
        return result;
    return interpret_par_answer(type, async_answer, par_result_getpar_async_prefix, storage,
                                length);
}

// One body for the typed reads: format the parameter, then read it.
#define IOMANAGER_PAR_GET(type, storage, length)              \
    char par[MaxTextLength + 1];                              \
    va_list args;                                             \
    va_start(args, format_str);                               \
    const int n = vformat(par, sizeof par, format_str, args); \
    va_end(args);                                             \
    const bool wasConfigured = begin_command();               \
    if (n < 0)                                                \
        return finish_command(n, wasConfigured);              \
    return finish_command(run_par_get(type, storage, length, par), wasConfigured)

int IOManager::get_par(char* result, const char* format_str, ...)
{
    if (result)
        result[0] = '\0';
    IOMANAGER_PAR_GET(CALL_PAR_GET, result, 1);
}

int IOManager::get_par_i(int* result, const char* format_str, ...)
{
    IOMANAGER_PAR_GET(CALL_PAR_GET_I, result, 1);
}

int IOManager::get_par_d(double* result, const char* format_str, ...)
{
    IOMANAGER_PAR_GET(CALL_PAR_GET_D, result, 1);
}

int IOManager::get_par_yn(bool* result, const char* format_str, ...)
{
    IOMANAGER_PAR_GET(CALL_PAR_GET_YN, result, 1);
}

int IOManager::get_par_dd(double* result, int length, const char* format_str, ...)
{
    IOMANAGER_PAR_GET(CALL_PAR_GET_DD, result, length);
}

int IOManager::get_par_ii(int* result, int length, const char* format_str, ...)
{
    IOMANAGER_PAR_GET(CALL_PAR_GET_II, result, length);
}

#undef IOMANAGER_PAR_GET

int IOManager::set_par(const char* format_str, ...)
{
    char text[MaxTextLength + 1];
    va_list args;
    va_start(args, format_str);
    int n = vformat(text, sizeof text, format_str, args);
    va_end(args);

    const bool wasConfigured = begin_command();
    if (n < 0)
        return finish_command(n, wasConfigured);
    char cmd[MaxTextLength + 1];
    if (compose(cmd, sizeof cmd, "orvane2 set ", text) < 0)
        return finish_command(-1, wasConfigured);
    int result = run_command(CALL_PAR_SET, async_answer, cmd);
    if (result == 0 && std::strcmp(async_answer, "orvane2 ok") != 0)
        result = -34;
    return finish_command(result, wasConfigured);
}

int IOManager::read_par_unreserved(char* value, int size, const char* par)
{
    if (value && size > 0)
        value[0] = '\0';
    if (!isOneLine(par))
        return CommandNotOneLine;
    char cmd[MaxTextLength + 1];
    if (compose(cmd, sizeof cmd, "orvane2 get ", par) < 0)
        return -1;
    char prefix[MaxTextLength + 16];
    std::snprintf(prefix, sizeof prefix, "orvane2 set %s ", par);
    char answer[MaxTextLength + 1] = {};
    const int result = execute_command(answer, cmd);
    if (result != 0)
        return result;
    const int offset = iomanager_detail::check_prefix(answer, prefix);
    if (offset < 0)
        return -32;
    if (value && size > 0)
        qstrncpy(value, answer + offset, static_cast<uint>(qMin(size, int(MaxTextLength))));
    return 0;
}

// --- asynchronous commands -------------------------------------------------------

int IOManager::getAsyncCmdReturned()
{
    return 0;
}

int IOManager::wait_async_execute_cmd(QEventLoop::ProcessEventsFlags flags)
{
    if (!async_pending)
        return -1;

    const uint32_t started = ap_time_get_internal();
    const uint32_t limit = timeout_ms >= 0 ? uint32_t(timeout_ms) : 2000u;
    int polled = 0;
    for (;;) {
        polled = getAsyncCmdReturned();
        if (polled != 0)
            break;
        QCoreApplication::processEvents(flags);
        ap_time_millisleep(1);
        if (ap_time_diff_internal(ap_time_get_internal(), started) >= limit) {
            polled = -1;
            async_answer_overdue();
            break;
        }
    }

    int result = polled;
    if (polled == 1) {
        if (displayMessageBoxDT2err && !suppressErr && startsWith(async_result, "orvane2 err "))
            show_error_box(current_command, async_result);
        switch (calltype) {
            case CALL_CMD:
                result = 0;
                break;
            case CALL_PAR_SET:
                result = std::strcmp(async_result, "orvane2 ok") == 0 ? 0 : -34;
                break;
            default:
                result =
                    interpret_par_answer(calltype, async_result, par_result_getpar_async_prefix,
                                         par_result, par_result_len);
                break;
        }
    }

    clear_configuration();
    async_result = nullptr;
    par_result = nullptr;
    async_pending = false;
    sem_release(ReservationUnits);
    return result;
}

// --- parsers ---------------------------------------------------------------------

int IOManager::parse_yn(const char* str, bool* res, int length)
{
    return iomanager_detail::parse_yn_values(str, res, length);
}

int IOManager::parse_int(const char* str, int* res, int length)
{
    return iomanager_detail::parse_int_values(str, res, length);
}

int IOManager::parse_double(const char* str, double* res, int length)
{
    return iomanager_detail::parse_double_values(str, res, length);
}

// --- plain accessors -------------------------------------------------------------

int IOManager::get_external_cmd_timeout()
{
    return external_cmd_timeout;
}

void IOManager::set_external_cmd_timeout(int n)
{
    external_cmd_timeout = n;
}

void IOManager::get_trackbox_ip(char* ip_str, int size)
{
    if (ip_str && size > 0)
        ip_str[0] = '\0';
}

// --- measurement requesters ------------------------------------------------------

int IOManager::register_request(const char*, Requester*)
{
    return ResultNoAnswer;
}

int IOManager::unregister_request(const char*, Requester*)
{
    return ResultNoAnswer;
}

int IOManager::register_request_mea(Requester* requester)
{
    ap_mutex_lock(mea_requests_mutex);
    if (requester)
        mea_requests.insert(requester);
    ap_mutex_unlock(mea_requests_mutex);
    return 0;
}

int IOManager::unregister_request_mea(Requester* requester)
{
    ap_mutex_lock(mea_requests_mutex);
    mea_requests.erase(requester);
    ap_mutex_unlock(mea_requests_mutex);
    return 0;
}

// The lock stays held while notifying, so a requester that unregisters from
// another thread is not called after it returned; one that unregisters from
// inside its notice is skipped from then on.
static void notifyRequesters(ap_mutex_handle_type mutex, std::set<Requester*>& requesters,
                             void (Requester::*notice)())
{
    ap_mutex_lock(mutex);
    const std::vector<Requester*> snapshot(requesters.begin(), requesters.end());
    for (Requester* r : snapshot) {
        if (requesters.count(r))
            (r->*notice)();
    }
    ap_mutex_unlock(mutex);
}

int IOManager::send_mea_start()
{
    notifyRequesters(mea_requests_mutex, mea_requests, &Requester::set_mea_started);
    return 0;
}

int IOManager::send_mea_stop()
{
    notifyRequesters(mea_requests_mutex, mea_requests, &Requester::set_mea_stopped);
    return 0;
}

// --- message bus -----------------------------------------------------------------

int IOManager::transmit_message(const char* destination, const char* source, int type,
                                const char* msg)
{
    if (!destination)
        return -1;
    ApMutexLocker lock(register_msg_rec_mutex);
    const auto it = msg_receiver_reg_map.find(destination);
    if (it == msg_receiver_reg_map.end())
        return -1;
    // Receivers may unregister themselves while they handle the message.
    const std::vector<MessageReceiver*> snapshot(it->second.begin(), it->second.end());
    const std::string name(destination);
    for (MessageReceiver* receiver : snapshot) {
        const auto now = msg_receiver_reg_map.find(name);
        if (now != msg_receiver_reg_map.end() && now->second.count(receiver))
            receiver->transmit_message(type, source ? source : "", msg ? msg : "");
    }
    return 0;
}

int IOManager::register_message_receiver(const char* name, MessageReceiver* msgrcv)
{
    if (!name || !msgrcv)
        return -1;
    ap_mutex_lock(register_msg_rec_mutex);
    const bool added = msg_receiver_reg_map[name].insert(msgrcv).second;
    ap_mutex_unlock(register_msg_rec_mutex);
    return added ? 0 : -1;
}

int IOManager::unregister_message_receiver(const char* name, MessageReceiver* msgrcv)
{
    if (!name)
        return -1;
    int result = -1;
    ap_mutex_lock(register_msg_rec_mutex);
    const auto it = msg_receiver_reg_map.find(name);
    if (it != msg_receiver_reg_map.end() && it->second.erase(msgrcv) > 0) {
        if (it->second.empty())
            msg_receiver_reg_map.erase(it);
        result = 0;
    }
    ap_mutex_unlock(register_msg_rec_mutex);
    return result;
}
