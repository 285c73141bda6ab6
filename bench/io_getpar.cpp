// Round trip of one parameter read ("orvane2 get system version") through
// IOManagerUdpTcp, next to a raw TCP ping-pong of the same bytes that waits with
// select() as the channel does.  Both talk to the same simulator process, in
// alternating blocks so that drift of the machine hits both alike.

#include <QCoreApplication>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "IOManagerUdpTcp.h"
#include "SimProcess.h"
#include "io_bench_channel.h"

namespace {

const char* const SimAddress = "127.0.9.1";
const char Command[] = "orvane2 get system version";
constexpr int Blocks = 20;
constexpr int PerBlock = 250;

using Clock = std::chrono::steady_clock;

double micros(Clock::duration d)
{
    return std::chrono::duration<double, std::micro>(d).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

class RawClient
{
public:
    bool connectTo(const char* address)
    {
        fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(50105);
        inet_pton(AF_INET, address, &sa.sin_addr);
        return fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0;
    }
    ~RawClient()
    {
        if (fd >= 0)
            ::close(fd);
    }
    bool waitFor(bool write)
    {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(fd, &set);
        timeval tv{2, 0};
        return ::select(fd + 1, write ? nullptr : &set, write ? &set : nullptr, nullptr, &tv) == 1;
    }
    // The same bytes as the channel: command with its zero byte, one read back.
    bool roundTrip()
    {
        if (!waitFor(true) || ::send(fd, Command, sizeof Command, MSG_NOSIGNAL) != sizeof Command)
            return false;
        char answer[201];
        return waitFor(false) && ::recv(fd, answer, 200, 0) > 0;
    }

private:
    int fd = -1;
};

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    SimProcess sim;
    IOManagerUdpTcp io;
    unsigned short dataPort = 0;
    if (!startSimulatorAndChannel(sim, io, SimAddress, &dataPort))
        return 1;
    RawClient raw;
    if (!raw.connectTo(SimAddress)) {
        std::fprintf(stderr, "cannot connect the raw client\n");
        return 1;
    }

    std::vector<double> channelUs;
    std::vector<double> rawUs;
    char value[200];
    int failures = 0;
    for (int warm = 0; warm < 200; ++warm) {
        failures += io.get_par(value, "system version") != 0;
        failures += !raw.roundTrip();
    }
    for (int b = 0; b < Blocks; ++b) {
        for (int i = 0; i < PerBlock; ++i) {
            const auto t0 = Clock::now();
            failures += io.get_par(value, "system version") != 0;
            channelUs.push_back(micros(Clock::now() - t0));
        }
        for (int i = 0; i < PerBlock; ++i) {
            const auto t0 = Clock::now();
            failures += !raw.roundTrip();
            rawUs.push_back(micros(Clock::now() - t0));
        }
    }
    const double channel = median(channelUs);
    const double baseline = median(rawUs);
    std::printf("get_par round trip through IOManagerUdpTcp: median %.1f us (%zu reads)\n", channel,
                channelUs.size());
    std::printf("raw TCP ping-pong, same bytes, select waits: median %.1f us\n", baseline);
    std::printf("ratio channel / raw: %.3f (goal <= 1.3)\n", channel / baseline);
    if (failures)
        std::printf("failed exchanges: %d\n", failures);
    return failures ? 1 : 0;
}
