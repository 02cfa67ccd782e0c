#include "Startup.h"

#include "config/ProgramDirectory.h"
#include "link/PortName.h"

#include <filesystem>

void ApplyStartupSettings(const std::string& programDirectory,
                          const std::optional<std::string>& portForThisRun,
                          const std::string& userSettingsDirectory) {
    std::string directory = programDirectory;
    if (!directory.empty()) {
        std::error_code ignored;
        const std::filesystem::path absolute = std::filesystem::absolute(directory, ignored);
        if (!absolute.empty()) {
            directory = absolute.string();
        }
    }
    SetProgramDirectory(directory);
    SetUserSettingsDirectory(userSettingsDirectory);
    SetPortName(portForThisRun ? *portForThisRun
                               : ReadPortName(GetProgramDirectory(), userSettingsDirectory));
}
