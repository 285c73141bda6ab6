// The data dispatch thread of IOManagerUdpTcp: datagrams per second delivered
// to a requester and the latency from the send to set_ascii_data.
//
// 1. Paced: 1000 datagrams/s of 20 lines each for 3 s from a sender in this
//    process, which stamps each datagram with its send time (the simulator's
//    own output carries no clock this process shares).
// 2. Flat out: the same datagrams as fast as one sender thread can write them
//    for 1 s; what arrives is the dispatch capacity (older queued datagrams are
//    skipped by design, only the newest counts).
// 3. The simulator's own monitoring output at "data flood 1000" for 2 s.
// The simulator (separate process, 127.0.9.2) provides the measurement state.

#include <QCoreApplication>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "IOManagerUdpTcp.h"
#include "Requester.h"
#include "SimProcess.h"
#include "io_bench_channel.h"

namespace {

const char* const SimAddress = "127.0.9.2";
const char* const SenderAddress = "127.0.9.3";
constexpr int LinesPerDatagram = 20;

using Clock = std::chrono::steady_clock;

int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

class TimingRequester : public Requester
{
public:
    explicit TimingRequester(size_t capacity) { latenciesUs.reserve(capacity); }

    int set_ascii_data(const char* identifier, const char* line) override
    {
        const int64_t now = nowNs();
        ++lines;
        if (std::strcmp(identifier, "fr") != 0)
            return 0;
        ++datagrams;
        // "fr <sequence> <send time in ns>"; the simulator's frames have no stamp.
        const char* stamp = std::strchr(line + 3, ' ');
        if (stamp && latenciesUs.size() < latenciesUs.capacity())
            latenciesUs.push_back((now - std::atoll(stamp + 1)) / 1000.0);
        return 0;
    }
    void set_mea_started() override {}
    void set_mea_stopped() override {}

    std::atomic<long> lines{0};
    std::atomic<long> datagrams{0};
    std::vector<double> latenciesUs;  // written by the data thread only
};

struct Sender
{
    int fd = -1;
    sockaddr_in to{};

    bool open(unsigned short port)
    {
        fd = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in from{};
        from.sin_family = AF_INET;
        inet_pton(AF_INET, SenderAddress, &from.sin_addr);
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        inet_pton(AF_INET, "127.0.0.1", &to.sin_addr);
        return fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&from), sizeof from) == 0;
    }
    void send(long sequence)
    {
        char buf[4096];
        int n = std::snprintf(buf, sizeof buf, "fr %ld %lld\r\n", sequence,
                              static_cast<long long>(nowNs()));
        for (int i = 1; i < LinesPerDatagram; ++i)
            n += std::snprintf(buf + n, sizeof buf - size_t(n),
                               "6d 1 [%d 1.000][101.5 -32.25 880.0 12.5 -3.75 90.0]\r\n", i);
        ::sendto(fd, buf, size_t(n), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    }
};

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

void waitForQuiet(TimingRequester& r)
{
    long last = -1;
    while (r.datagrams.load() != last) {
        last = r.datagrams.load();
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    SimProcess sim;
    IOManagerUdpTcp io;
    unsigned short dataPort = 0;
    if (!startSimulatorAndChannel(sim, io, SimAddress, &dataPort))
        return 1;
    char value[200];
    sim.control("state mea");
    io.get_par(value, "status active");

    TimingRequester paced(10000);
    io.register_request("fr", &paced);
    io.register_request("6d", &paced);
    if (!io.isDataThreadRunning()) {
        std::fprintf(stderr, "the data thread did not start\n");
        return 1;
    }
    Sender sender;
    if (!sender.open(dataPort)) {
        std::fprintf(stderr, "cannot open the sender\n");
        return 1;
    }

    // 1. Paced at 1000 datagrams/s.
    constexpr long PacedCount = 3000;
    auto next = Clock::now();
    for (long i = 0; i < PacedCount; ++i) {
        next += std::chrono::microseconds(1000);
        std::this_thread::sleep_until(next);
        sender.send(i);
    }
    waitForQuiet(paced);
    std::printf(
        "paced 1000 datagrams/s x %d lines for 3 s: %ld of %ld datagrams delivered "
        "(%.1f%%), %ld lines\n",
        LinesPerDatagram, paced.datagrams.load(), PacedCount,
        100.0 * double(paced.datagrams.load()) / PacedCount, paced.lines.load());
    std::printf(
        "latency send -> set_ascii_data: median %.1f us, p90 %.1f us, p99 %.1f us "
        "(goal: median < 200 us)\n",
        percentile(paced.latenciesUs, 0.5), percentile(paced.latenciesUs, 0.9),
        percentile(paced.latenciesUs, 0.99));
    io.unregister_request("fr", &paced);
    io.unregister_request("6d", &paced);

    // 2. Flat out for one second.
    TimingRequester flat(0);
    io.register_request("fr", &flat);
    io.register_request("6d", &flat);
    long sent = 0;
    const auto end = Clock::now() + std::chrono::seconds(1);
    while (Clock::now() < end)
        sender.send(sent++);
    waitForQuiet(flat);
    std::printf(
        "flat out for 1 s: %ld datagrams sent, %ld delivered -> dispatch capacity "
        "%ld datagrams/s (%ld lines/s); %.1f x the 1000/s goal\n",
        sent, flat.datagrams.load(), flat.datagrams.load(), flat.lines.load(),
        double(flat.datagrams.load()) / 1000.0);
    io.unregister_request("fr", &flat);
    io.unregister_request("6d", &flat);

    // 3. The simulator's own output.
    TimingRequester simOut(0);
    io.register_request("fr", &simOut);
    io.set_par("output net chmon udp my_ip %hu", dataPort);
    io.set_par("output active chmon 6d yes");
    sim.control("data flood 1000");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const long before = simOut.datagrams.load();
    const auto t0 = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const long got = simOut.datagrams.load() - before;
    const double secs = std::chrono::duration<double>(Clock::now() - t0).count();
    sim.control("data stop");
    std::printf("simulator output at 'data flood 1000': %.0f datagrams/s delivered\n",
                double(got) / secs);
    io.unregister_request("fr", &simOut);
    return 0;
}
