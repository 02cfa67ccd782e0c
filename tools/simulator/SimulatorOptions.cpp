#include "SimulatorOptions.h"

#include <charconv>
#include <limits>

namespace {

bool ToUnsigned(const std::string& text, unsigned& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && result.ec == std::errc() && result.ptr == text.data() + text.size();
}

bool ToMilliseconds(const std::string& text, std::chrono::milliseconds& value) {
    unsigned count = 0;
    if (!ToUnsigned(text, count)) {
        return false;
    }
    value = std::chrono::milliseconds(count);
    return true;
}

} // namespace

bool ParseSimulatorOptions(const std::vector<std::string>& arguments, SSimulatorOptions& options,
                           std::string& error) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--help" || option == "-h") {
            options.m_help = true;
            continue;
        }
        if (option == "--demo") {
            const auto demo = DemoAnimations();
            options.m_animations.insert(options.m_animations.end(), demo.begin(), demo.end());
            continue;
        }
        if (option == "--silent") {
            options.m_silent = true;
            continue;
        }
        if (option == "--verbose" || option == "-v") {
            options.m_verbose = true;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            error = option.rfind("--", 0) == 0 ? option + " needs a value"
                                               : "unknown argument " + option;
            return false;
        }
        const std::string& value = arguments[++i];
        bool ok = true;
        if (option == "--config") {
            options.m_configPath = value;
        } else if (option == "--link") {
            options.m_linkPath = value;
        } else if (option == "--baud") {
            ok = ToUnsigned(value, options.m_baud);
        } else if (option == "--report-interval") {
            ok = ToMilliseconds(value, options.m_reportInterval);
        } else if (option == "--animate-interval") {
            ok = ToMilliseconds(value, options.m_animateInterval) &&
                 options.m_animateInterval.count() > 0;
        } else if (option == "--animate") {
            const auto animation = ParseAnimation(value);
            ok = animation.has_value();
            if (ok) {
                options.m_animations.push_back(*animation);
            }
        } else if (option == "--ack-delay") {
            ok = ToMilliseconds(value, options.m_acknowledgeDelay);
        } else if (option == "--drop-acks") {
            ok = ToUnsigned(value, options.m_dropEvery);
        } else if (option == "--garbage") {
            ok = ToMilliseconds(value, options.m_garbageInterval);
        } else if (option == "--seed") {
            ok = ToUnsigned(value, options.m_seed);
        } else {
            error = "unknown option " + option;
            return false;
        }
        if (!ok) {
            error = "bad value for " + option + ": " + value;
            return false;
        }
    }
    return true;
}

std::string SimulatorUsage() {
    return "usage: tarnel-sim [options]\n"
           "Plays the panel's device on a pseudo-terminal and prints the terminal's path.\n"
           "  --config PATH           registers and initial values (default: config.xml)\n"
           "  --link PATH             place a symbolic link to the terminal at PATH\n"
           "  --baud N                pace the line at N baud (default 9600; 0: no pacing)\n"
           "  --report-interval MS    report one register every MS ms on its own, in turn\n"
           "                          (default 1000; 0: never)\n"
           "  --animate WHAT          move registers on their own; repeatable:\n"
           "                            ramp:REG:FROM:TO:SECONDS\n"
           "                            sine:REG:CENTRE:AMPLITUDE:SECONDS[:PHASE]\n"
           "                            vector:REGX:REGY:RADIUS:SECONDS[:PHASE]\n"
           "  --demo                  rotating vectors on registers 20..27\n"
           "  --animate-interval MS   report animated registers every MS ms (default 200)\n"
           "  --ack-delay MS          acknowledge writes only after MS ms\n"
           "  --drop-acks N           leave every N-th write unacknowledged (1: all)\n"
           "  --garbage MS            send a garbage line every MS ms\n"
           "  --silent                send nothing at all; SIGUSR1 toggles this while running\n"
           "  --seed N                seed of the garbage (default 1)\n"
           "  --verbose               log the panel's messages on standard error\n"
           "SIGTERM or SIGINT ends it and removes the link.\n";
}
