#pragma once

#include "Animation.h"

#include <chrono>
#include <string>
#include <vector>

struct SSimulatorOptions {
    std::string m_configPath = "config.xml";
    std::string m_linkPath; // symbolic link to the pseudo-terminal; none when empty
    unsigned m_baud = 9600; // 0: no pacing
    std::chrono::milliseconds m_reportInterval{1000}; // 0: no reports of its own
    std::chrono::milliseconds m_animateInterval{200};
    std::vector<SAnimation> m_animations;
    std::chrono::milliseconds m_acknowledgeDelay{0};
    unsigned m_dropEvery = 0;                       // leave every n-th write unacknowledged
    std::chrono::milliseconds m_garbageInterval{0}; // 0: no garbage
    bool m_silent = false;
    unsigned m_seed = 1;
    bool m_verbose = false;
    bool m_help = false;
};

// Reads the command line (without the program name); false with a reason on a bad option.
bool ParseSimulatorOptions(const std::vector<std::string>& arguments, SSimulatorOptions& options,
                           std::string& error);

std::string SimulatorUsage();
