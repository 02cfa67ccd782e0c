#pragma once

#include <optional>
#include <string>

// The program-wide texts start-up sets before the configuration is first asked for: the
// program directory (made absolute, ending in '/'), the user's settings folder and the port
// name, from "port.inf" (ReadPortName) unless this run names a port of its own (which leaves
// "port.inf" alone).
void ApplyStartupSettings(const std::string& programDirectory,
                          const std::optional<std::string>& portForThisRun,
                          const std::string& userSettingsDirectory = std::string());
