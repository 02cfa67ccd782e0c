// tarnel-sim: a stand-in for the panel's device on a pseudo-terminal, for tests and demos.

#include "DeviceModel.h"
#include "PseudoTerminal.h"
#include "Simulator.h"
#include "SimulatorOptions.h"
#include "config/Configuration.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

static_assert(std::atomic<bool>::is_always_lock_free, "flags are set from signal handlers");

std::atomic<bool> s_stop{false};
std::atomic<bool> s_silent{false};

extern "C" void OnStopSignal(int) {
    s_stop.store(true);
}

extern "C" void OnSilenceSignal(int) {
    s_silent.store(!s_silent.load());
}

void InstallHandler(int signalNumber, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(signalNumber, &action, nullptr);
}

// Replaces an old link of ours but never a file that is something else.
bool PlaceLink(const std::string& linkPath, const std::string& target) {
    struct stat existing {};
    if (lstat(linkPath.c_str(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode)) {
            std::fprintf(stderr, "tarnel-sim: %s exists and is no symbolic link\n",
                         linkPath.c_str());
            return false;
        }
        unlink(linkPath.c_str());
    }
    if (symlink(target.c_str(), linkPath.c_str()) != 0) {
        std::fprintf(stderr, "tarnel-sim: cannot place a link at %s: %s\n", linkPath.c_str(),
                     std::strerror(errno));
        return false;
    }
    return true;
}

// Removes the link only while it still leads to our terminal (another simulator may have
// taken the path over).
void RemoveLink(const std::string& linkPath, const std::string& target) {
    std::vector<char> buffer(target.size() + 2);
    const ssize_t length = readlink(linkPath.c_str(), buffer.data(), buffer.size());
    if (length >= 0 && std::string(buffer.data(), static_cast<std::size_t>(length)) == target) {
        unlink(linkPath.c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    SSimulatorOptions options;
    std::string error;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!ParseSimulatorOptions(arguments, options, error)) {
        std::fprintf(stderr, "tarnel-sim: %s\n%s", error.c_str(), SimulatorUsage().c_str());
        return 2;
    }
    if (options.m_help) {
        std::fputs(SimulatorUsage().c_str(), stdout);
        return 0;
    }
    const auto configuration = CConfiguration::LoadFile(options.m_configPath);
    if (configuration == nullptr) {
        std::fprintf(stderr, "tarnel-sim: cannot load %s\n", options.m_configPath.c_str());
        return 1;
    }
    CDeviceModel model;
    model.LoadFrom(*configuration);

    CPseudoTerminal terminal;
    if (const int failure = terminal.Open(); failure != 0) {
        std::fprintf(stderr, "tarnel-sim: no pseudo-terminal: %s\n", std::strerror(failure));
        return 1;
    }
    const std::string slavePath = terminal.SlavePath();

    InstallHandler(SIGTERM, OnStopSignal);
    InstallHandler(SIGINT, OnStopSignal);
    InstallHandler(SIGHUP, OnStopSignal);
    InstallHandler(SIGUSR1, OnSilenceSignal);
    std::signal(SIGPIPE, SIG_IGN);

    if (!options.m_linkPath.empty() && !PlaceLink(options.m_linkPath, slavePath)) {
        return 1;
    }
    std::printf("%s\n", slavePath.c_str());
    std::fflush(stdout);

    s_silent.store(options.m_silent);
    CSimulator simulator(terminal.MasterFd(), model, options);
    simulator.Run(s_stop, s_silent);

    if (!options.m_linkPath.empty()) {
        RemoveLink(options.m_linkPath, slavePath);
    }
    const CDeviceModel::SCounts& counts = model.Counts();
    if (options.m_verbose) {
        std::fprintf(stderr, "tarnel-sim: %u writes, %u acknowledged, %u rejected lines\n",
                     counts.m_writes, counts.m_acknowledged, counts.m_rejected);
    }
    return 0;
}
