#pragma once

// Start-up shared by the command-channel benchmarks: a simulator process on
// `address` and an IOManagerUdpTcp connected to it.

#include <cstdio>

#include "IOManagerUdpTcp.h"
#include "SimProcess.h"

inline bool startSimulatorAndChannel(SimProcess& sim, IOManagerUdpTcp& io, const char* address,
                                     unsigned short* dataPort)
{
    if (!sim.start(address, {"--profile", "demo"})) {
        std::fprintf(stderr, "cannot start the simulator\n");
        return false;
    }
    *dataPort = 0;
    if (io.init(address, 50105, dataPort) != 0 || *dataPort == 0) {
        std::fprintf(stderr, "cannot connect the channel\n");
        return false;
    }
    return true;
}
