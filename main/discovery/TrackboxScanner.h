#ifndef TRACKBOXSCANNER_H
#define TRACKBOXSCANNER_H

#include <QList>
#include <QStringList>
#include <QThread>

#include <atomic>
#include <cstdint>
#include <functional>

#include "trackbox_info_type.h"

class ControllerProbe;
class IOManagerUdp;

// Finds the controllers on the local subnets (or at one named address) and reads the
// identity of each.  The discovery runs on the scanner's own thread; the GUI thread waits
// in get_all_trackboxes() and keeps painting, with user input held back meanwhile.
class TrackboxScanner : public QThread
{
    Q_OBJECT

public:
    explicit TrackboxScanner(unsigned short udp_port);
    ~TrackboxScanner() override;

    // subnet 0: every suitable local subnet; otherwise the one IPv4 address (host order)
    // the request goes to.  Blocks the caller until the scan has ended.
    QList<trackbox_info_type> get_all_trackboxes(int subnet);
    // Ends a running scan after its current read and waits for the thread.
    void stop();

    // Send failures of the last scan ("send error - timeout" per failed address).
    QStringList get_errors() const { return errors; }

    // The broadcast phase ends when the network has been silent for one answer time-out.
    // A neighbour that never stops sending (foreign datagrams, a broken socket that keeps
    // failing) cannot hold the waiting GUI thread longer than this.
    static constexpr int broadcastPhaseLimitMs = 10000;
    void setBroadcastPhaseLimit(int ms) { m_broadcastPhaseLimitMs = ms; }

    // One question "orvane2 get <parameter>": 0 with the answer's value (room for 300
    // bytes), or a negative code.
    using ParameterReader = std::function<int(const char* parameter, char* value)>;
    // A new record for the sender of a broadcast answer whose value is versionValue.
    static trackbox_info_type fromBroadcastAnswer(uint32_t sender, const char* versionValue);
    // Fills in the rest of the record from the controller's answers; once keepGoing turns
    // false no further question is asked.
    static void readIdentity(trackbox_info_type& info, const ParameterReader& read,
                             const std::atomic<bool>& keepGoing);

protected:
    void run() override;

private:
    QList<uint32_t> destinationAddresses() const;
    void broadcastPhase(IOManagerUdp& io);

    unsigned short udp_port;
    std::atomic<bool> shallRun{false};
    std::atomic<bool> wasRunning{false};
    // Set by run() once trackboxes and errors are final.
    std::atomic<bool> resultsReady{false};
    int ip_subnet = 0;
    QList<trackbox_info_type> trackboxes;
    QStringList errors;
    int m_broadcastPhaseLimitMs = broadcastPhaseLimitMs;
};

#endif
