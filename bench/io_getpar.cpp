// Round trip of one parameter read ("orvane2 get system version") through
// IOManagerUdpTcp, next to a raw TCP ping-pong of the same bytes that waits with
// select() as the channel does.  Both talk to the same simulator process, in
// alternating blocks so that drift of the machine hits both alike.

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "IOManagerUdpTcp.h"
#include "SimProcess.h"
#include "bench_raw_client.h"
#include "io_bench_channel.h"

#include "bench_stats.h"

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

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    SimProcess sim;
    IOManagerUdpTcp io;
    unsigned short dataPort = 0;
    if (!startSimulatorAndChannel(sim, io, SimAddress, &dataPort))
        return 1;
    RawClient raw(Command);
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
