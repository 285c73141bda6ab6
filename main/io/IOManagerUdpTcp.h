#ifndef IOMANAGERUDPTCP_H
#define IOMANAGERUDPTCP_H

#include <QString>

#include <atomic>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "IOManager.h"
#include "ap_thread.h"
#include "ap_udptcp.h"

// The main window's channel to the connected controller: commands over one TCP
// connection, measurement data lines by UDP to a port the system chooses.
//
// After a transport failure (-2, -12, -22, or -111 after the second wait) the
// channel is failed for good: every later command returns -222 without being
// sent.  A new channel is needed to reconnect.
//
// While requesters are registered and the controller measures or calibrates,
// a data thread receives the monitoring datagrams and hands each line to the
// requesters registered for the line's first word.
class IOManagerUdpTcp : public IOManager
{
public:
    explicit IOManagerUdpTcp(MessageBoxProvider* mbp = nullptr);
    ~IOManagerUdpTcp() override;

    // Opens the data socket (its port goes to display_port) and connects to
    // ip_str:port.  Returns the connect result (0 or -2), -1 when called twice.
    // Without a data socket (a "UDP Error" box, display_port 0) the channel
    // still carries commands but never starts its data thread.
    int init(const char* ip_str, unsigned short port, unsigned short* display_port);

    // Command log of every command and answer on this channel.
    void setLogFileParameters(bool bWriteLogFile, QString& sLogFileName, QString& sResponsePrefix);
    QString logFilePath() const { return sLogFilePath; }

    // Starts the data thread when requesters exist and the controller measures.
    int try_start();
    // Stops the data thread and waits for it to end.
    void about_to_exit();
    bool isDataThreadRunning() const { return !is_finished.load(); }
    bool connectionFailed() const { return connection_err.load() != 0; }

    int register_request(const char* identifier, Requester* requester) override;
    int unregister_request(const char* identifier, Requester* requester) override;
    int send_mea_start() override;
    int getAsyncCmdReturned() override;
    void get_trackbox_ip(char* ip_str, int size) override;

    // True when sActualVersion is the same as or newer than sMinVersion (empty:
    // "v0.2.2"); texts such as "v0.2.8", "V0.2.8b3", "v1.0".
    static bool checkVersion(const QString& sActualVersion, const QString& sMinVersion);
    // Tells the controller where measurement data must go: one small datagram
    // from the data socket.  0 sent, -1 controller too old or send failed,
    // -2 the controller's data port cannot be read.
    int sendDummyDatagramm();

    // Empties the command log once it reaches maxMiB; only every 3000th call
    // of the whole program looks at the file.
    void checkLogFileSize(int maxMiB);
    static int logSizeCheckCalls();

protected:
    int execute_command(char* result, const char* cmd) override;
    void async_answer_overdue() override;

    int send_receive_command(char* result, const char* cmd, bool asyncSend, int timeoutMs);
    int receive_command(char* result, int timeoutMs);
    unsigned int answer_timeout_us(int timeoutMs) const;
    void writeLogFile(const char* command, const char* response, int result, bool isResponse);

private:
    static int run(void* arg);
    void run_dispatch_loop();
    void dispatch_datagram(int length);
    void deliver_line(const char* line, size_t lineLength);
    bool data_flags_set() const;
    void read_status(char* answer);
    void notify_started();
    void notify_stopped();
    void log_answer(const char* cmd, const char* answer, int result);
    // The steps of one command exchange, in the order execute_command takes them.
    int refuse_after_failure(char* result);
    int command_timeout_ms(const char* cmd) const;
    static bool is_connection_lost(int rc);
    void report_timeout(const char* cmd);
    void notify_state_change(const char* before, const char* after);
    void follow_status_answer(const char* answer);

    ap_mutex_handle_type send_receive_mutex = nullptr;
    ap_mutex_handle_type eot_mutex = nullptr;
    ap_mutex_handle_type register_request_mutex = nullptr;
    ap_ip_socket_type tcp_socket = nullptr;
    std::map<std::string, std::set<Requester*>> reg_map;
    std::atomic<int> should_run_request{0};
    std::atomic<int> should_run_tracking{0};
    std::atomic<bool> not_exiting{true};
    std::atomic<bool> is_finished{true};
    int is_initialized = 0;
    std::atomic<int> connection_err{0};
    ap_ip_socket_type socket = nullptr;
    ap_ip_socket_type socket_receive = nullptr;
    char trackbox_ip[100] = {};
    char data[131072 + 1];
    std::atomic<bool> bWriteLogFile{false};
    QString sLogFileName;
    QString sLogDir;
    QString sLogFilePath;
    QString sResponsePrefix;

    bool init_called = false;
    // An asynchronous answer that did not come in time is still owed.
    std::atomic<bool> answer_overdue{false};
    // Guards the start and end of the data thread, so at most one runs.
    ap_mutex_handle_type thread_state_mutex = nullptr;
    ap_mutex_handle_type log_mutex = nullptr;
    // Data thread only: the current line's identifier and the requesters of a
    // shared identifier, kept to avoid allocating per line.
    std::string line_identifier;
    std::vector<Requester*> dispatch_scratch;
    unsigned reg_generation = 0;  // changes with every (un)registration
};

#endif
