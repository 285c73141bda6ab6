#ifndef IOMANAGER_H
#define IOMANAGER_H

#include <QEventLoop>
#include <QMutex>
#include <QWaitCondition>

#include <map>
#include <set>
#include <string>

#include "ap_thread.h"

class MessageBoxProvider;
class MessageReceiver;
class Requester;

#if defined(__GNUC__)
#define IOMANAGER_PRINTF(fmt, first) __attribute__((format(printf, fmt, first)))
#else
#define IOMANAGER_PRINTF(fmt, first)
#endif

// The command channel to one controller.  Sends one ASCII command line at a
// time and returns the controller's one-line answer, plain or interpreted.
//
// Result codes: 0 success; 1 asynchronous command sent (collect it with
// wait_async_execute_cmd); -1 command of 200 characters or more, send or
// asynchronous time-out, misuse; -2 transport or socket error; -3 answer
// datagram too long (UDP); -12/-13 receive failure (TCP); -22 controller closed
// the connection; -31 parser misuse; -32 answer without the expected prefix;
// -33 wrong number of values; -34 value not parsable, or a write/command not
// answered "orvane2 ok"; -35 (CommandNotOneLine) command holding a line break
// or a zero byte, nothing sent; -111 no answer in time; -222 connection failed
// earlier.
//
// Formats are printf-style and bounded.  Texts that come from a controller, a
// file or the user must be passed as an argument ("%s"), never as the format.
//
// Every command operation may be called from any thread; the channel's
// reservation serialises them.
class IOManager
{
public:
    // The result codes of the class comment, by name.
    enum Result
    {
        ResultOk = 0,
        ResultPending = 1,            // asynchronous command sent
        ResultMisuse = -1,            // too long, send or asynchronous time-out
        ResultTransport = -2,         // transport or socket error
        ResultAnswerTooLong = -3,     // answer datagram too long (UDP)
        ResultReceiveFailed = -12,    // receive failure (TCP)
        ResultReceiveOverflow = -13,  // receive filled the buffer (TCP)
        ResultPeerClosed = -22,       // the controller closed the connection
        ResultParserMisuse = -31,
        ResultNoPrefix = -32,          // answer without the expected prefix
        ResultValueCount = -33,        // wrong number of values
        ResultNotParsable = -34,       // value not parsable, or not "orvane2 ok"
        ResultNoAnswer = -111,         // no answer in time
        ResultConnectionFailed = -222  // the connection failed earlier
    };

    enum CALLTYPE
    {
        CALL_CMD = 0,
        CALL_PAR_SET = 1,
        CALL_PAR_GET = 2,
        CALL_PAR_GET_I = 3,
        CALL_PAR_GET_II = 4,
        CALL_PAR_GET_D = 5,
        CALL_PAR_GET_DD = 6,
        CALL_PAR_GET_YN = 7
    };

    // Commands and answers are at most this long; answer buffers need one more byte.
    static constexpr int MaxTextLength = 200;
    static constexpr int DefaultExternalCmdTimeoutUs = 2000000;
    // A command holding CR, LF or a zero byte would reach the controller as
    // two commands, and every later answer would belong to the one before.
    static constexpr int CommandNotOneLine = -35;

    // False when cmd holds CR or LF; the channel refuses such commands.
    static bool isOneLine(const char* cmd);

    explicit IOManager(MessageBoxProvider* mbp = nullptr);
    virtual ~IOManager();

    IOManager(const IOManager&) = delete;
    IOManager& operator=(const IOManager&) = delete;

    // True while a configured or asynchronous command is pending or any
    // command is running.
    virtual bool isCmdPending();
    // Applies to the next command only: asynchronous mode, answer time-out in
    // ms (negative keeps the current one), no error box.  Blocks while another
    // configured command has not run yet.
    virtual int configure_next_cmd(bool async, int timeout_ms, bool suppress_error);

    // Sends the formatted command; the raw answer goes to result (>= 201 bytes).
    // 0 means an answer arrived, which may be an error answer.
    virtual int execute_cmd(char* result, const char* format_str, ...) IOMANAGER_PRINTF(3, 4);
    virtual int wait_async_execute_cmd(
        QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);

    // Parameter reads: "orvane2 get <par>", answered "orvane2 set <par> <values>".
    // get_par copies the value text (up to 199 characters) to result (>= 200 bytes).
    virtual int get_par(char* result, const char* format_str, ...) IOMANAGER_PRINTF(3, 4);
    virtual int get_par_i(int* result, const char* format_str, ...) IOMANAGER_PRINTF(3, 4);
    virtual int get_par_d(double* result, const char* format_str, ...) IOMANAGER_PRINTF(3, 4);
    virtual int get_par_yn(bool* result, const char* format_str, ...) IOMANAGER_PRINTF(3, 4);
    virtual int get_par_dd(double* result, int length, const char* format_str, ...)
        IOMANAGER_PRINTF(4, 5);
    virtual int get_par_ii(int* result, int length, const char* format_str, ...)
        IOMANAGER_PRINTF(4, 5);
    // Parameter write "orvane2 set <text>"; succeeds only on the answer "orvane2 ok".
    virtual int set_par(const char* format_str, ...) IOMANAGER_PRINTF(2, 3);

    // Measurement data lines by first word (not supported here: -111).
    virtual int register_request(const char* identifier, Requester* requester);
    virtual int unregister_request(const char* identifier, Requester* requester);
    // Measurement start/stop notices; always 0.
    virtual int register_request_mea(Requester* requester);
    virtual int unregister_request_mea(Requester* requester);

    // In-process message bus: delivers msg to every receiver of the class
    // destination on the calling thread; -1 when the class has no receivers.
    virtual int transmit_message(const char* destination, const char* source, int type,
                                 const char* msg);
    virtual int register_message_receiver(const char* name, MessageReceiver* msgrcv);
    virtual int unregister_message_receiver(const char* name, MessageReceiver* msgrcv);

    // The controller address text given to the transport (empty here), bounded
    // by size including the terminator.
    virtual void get_trackbox_ip(char* ip_str, int size);

    // Split str at blanks and convert the first length parts.  0 when all
    // converted and exactly length parts were there, -33 on another count,
    // -34 at the first part that does not convert (stored as 0 for numbers),
    // -31 without text, storage or with length below 1.
    virtual int parse_yn(const char* str, bool* res, int length);
    virtual int parse_int(const char* str, int* res, int length);
    virtual int parse_double(const char* str, double* res, int length);

    // Answer time-out for external commands in microseconds.
    virtual int get_external_cmd_timeout();
    virtual void set_external_cmd_timeout(int n);

    virtual int send_mea_start();
    virtual int send_mea_stop();

    // Polls for the answer of the pending asynchronous command: 0 not yet,
    // 1 arrived, negative on a transport failure.
    virtual int getAsyncCmdReturned();

protected:
    // The transport's exchange: sends cmd and leaves the answer (zero-terminated,
    // at most 200 bytes) in result (>= 201 bytes).
    virtual int execute_command(char* result, const char* cmd) = 0;
    // The asynchronous command's answer did not come in time; it may still come.
    virtual void async_answer_overdue() {}

    // Parameter read without the public reservation, for the transports' own
    // queries inside a running command.
    int read_par_unreserved(char* value, int size, const char* par);

    // Reservation of the channel: six units, see configure_next_cmd.
    void sem_acquire(int n);
    void sem_release(int n);
    int sem_available();

    // Error box for an "orvane2 err ..." answer to cmd.
    void show_error_box(const char* cmd, const char* answer);
    void clear_configuration();

    MessageBoxProvider* messageBoxProvider() const { return mbp; }
    // The running command was configured asynchronous: it is only sent.
    bool sendsAsynchronously() const { return configured && async; }
    // Answer time-out of the configured command in ms; -1 when none was set.
    int configuredTimeoutMs() const { return timeout_ms; }
    int externalCmdTimeoutUs() const { return external_cmd_timeout; }
    // The pending asynchronous command's text and the caller's answer buffer.
    const char* currentCommand() const { return current_command; }
    char* asyncAnswerBuffer() const { return async_result; }

    // The running command's configuration, set aside while the channel
    // tells requesters that may send commands of their own.
    struct SuspendedConfiguration
    {
        bool configured;
        bool suppressErr;
        int timeoutMs;
    };
    SuspendedConfiguration suspend_configuration();
    void resume_configuration(const SuspendedConfiguration& saved);

private:
    int sem_counter = 6;
    QWaitCondition sem_wait;
    QMutex sem_mutex_wait;
    MessageBoxProvider* mbp = nullptr;
    bool configured = false;
    bool async = false;
    bool suppressErr = false;
    bool displayMessageBoxDT2err = true;
    bool logCmds = false;
    int timeout_ms = -1;
    char* async_result = nullptr;
    char par_result_getpar[MaxTextLength + 1] = {};
    char par_result_getpar_async_prefix[MaxTextLength + 16] = {};
    void* par_result = nullptr;
    int par_result_len = 0;
    char current_command[MaxTextLength + 1] = {};
    CALLTYPE calltype = CALL_CMD;
    int external_cmd_timeout = DefaultExternalCmdTimeoutUs;
    std::set<Requester*> mea_requests;
    ap_mutex_handle_type register_msg_rec_mutex = nullptr;
    std::map<std::string, std::set<MessageReceiver*>> msg_receiver_reg_map;
    ap_mutex_handle_type mea_requests_mutex = nullptr;

    int run_command(CALLTYPE type, char* answer, const char* cmd);
    int run_par_get(CALLTYPE type, void* storage, int length, const char* par);
    int interpret_par_answer(CALLTYPE type, const char* answer, const char* prefix, void* storage,
                             int length);
    // Takes the command's five units; returns whether the command runs configured.
    bool begin_command();
    int finish_command(int result, bool wasConfigured);
    void take_over_configuration_for_tracking_start();

    // Answer buffer of parameter reads and writes (also while asynchronous).
    char async_answer[MaxTextLength + 1] = {};
    bool async_pending = false;
};

#endif
