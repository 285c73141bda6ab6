// Wall time of the whole configuration report of the largest simulated
// installation, next to its lower bound: the report's own commands sent again
// as raw TCP round trips to the same simulator in the same run.  The
// difference is the channel's per-command overhead plus the report's own work
// (formatting, one file open per line).  A second baseline repeats one short
// query as often, as the channel benchmark does.

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "BackendVersions.h"
#include "ExportConfiguration.h"
#include "IOManagerUdpTcp.h"
#include "SimProcess.h"
#include "bench_raw_client.h"

#include "bench_stats.h"

namespace {

const char* const SimAddress = "127.0.12.200";
const char Command[] = "orvane2 get system version";

// The channel to the controller, keeping every command it sends.
class RecordingChannel : public IOManagerUdpTcp
{
public:
    std::vector<std::string> commands;

protected:
    int execute_command(char* result, const char* cmd) override
    {
        commands.emplace_back(cmd);
        return IOManagerUdpTcp::execute_command(result, cmd);
    }
};
constexpr int Runs = 5;

using Clock = std::chrono::steady_clock;

double millis(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

BackendVersions readVersions(IOManager& io)
{
    BackendVersions versions;
    char value[IOManager::MaxTextLength + 1] = {};
    if (io.get_par(value, "system protocol_version") == 0)
        versions.setProtocol(VersionInfo::fromString(QString::fromUtf8(value)));
    if (io.get_par(value, "system model") == 0)
        versions.setZecModel(QString::fromUtf8(value));
    return versions;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    SimProcess sim;
    if (!sim.start(SimAddress, {"--profile", "large"})) {
        std::fprintf(stderr, "cannot start the simulator\n");
        return 1;
    }
    RecordingChannel io;
    unsigned short dataPort = 0;
    RawClient raw(Command);
    if (io.init(SimAddress, 50105, &dataPort) != 0 || !raw.connectTo(SimAddress)) {
        std::fprintf(stderr, "cannot connect\n");
        return 1;
    }
    BackendVersions versions = readVersions(io);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.txt"));

    std::vector<double> reportMs;
    std::vector<double> replayMs;
    std::vector<double> rawMs;
    int queries = 0;
    int lines = 0;
    int failures = 0;
    for (int run = 0; run <= Runs; ++run) {
        ExportConfiguration report(&io, nullptr, &versions);
        io.commands.clear();
        const auto t0 = Clock::now();
        failures += report.exportConfigurations(path, false, true) != 0;
        const double ms = millis(Clock::now() - t0);
        queries = report.out().queryCount();
        lines = report.out().writtenLines();

        const auto p0 = Clock::now();
        for (const std::string& cmd : io.commands)
            failures += !raw.roundTrip(cmd.c_str());
        const double pms = millis(Clock::now() - p0);
        const auto r0 = Clock::now();
        for (size_t q = 0; q < io.commands.size(); ++q)
            failures += !raw.roundTrip();
        const double rms = millis(Clock::now() - r0);
        if (run > 0) {  // the first run warms caches on both sides
            reportMs.push_back(ms);
            replayMs.push_back(pms);
            rawMs.push_back(rms);
        }
    }

    // The output side alone: the same number of lines, one open per line.
    ReportWriter writer(nullptr, nullptr);
    writer.setFileName(dir.filePath(QStringLiteral("lines.txt")));
    const QString sample(100, QLatin1Char('x'));
    const auto w0 = Clock::now();
    for (int i = 0; i < lines; ++i)
        writer.line(sample);
    const double writeMs = millis(Clock::now() - w0);

    const double report = median(reportMs);
    const double replay = median(replayMs);
    const double bound = median(rawMs);
    const int sent = int(io.commands.size());
    std::printf("full report of profile 'large': median %.1f ms over %d runs\n", report, Runs);
    std::printf("  %d queries (%d commands sent), %d lines\n", queries, sent, lines);
    std::printf("the same %d commands as raw TCP round trips: median %.1f ms (%.1f us each)\n",
                sent, replay, replay * 1000.0 / std::max(sent, 1));
    std::printf("%d raw round trips of '%s': median %.1f ms (%.1f us each)\n", sent, Command, bound,
                bound * 1000.0 / std::max(sent, 1));
    std::printf("ratio report / raw replay: %.3f\n", report / replay);
    std::printf("ratio report / (queries x one raw round trip): %.3f\n", report / bound);
    std::printf("writing %d lines alone (one open per line): %.1f ms\n", lines, writeMs);
    if (failures)
        std::printf("failures: %d\n", failures);
    return failures ? 1 : 0;
}
