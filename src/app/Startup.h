#pragma once

#include <optional>
#include <string>

// The program-wide texts start-up sets before the configuration is first asked for: the
// program directory (made absolute, ending in '/') and the port name, from "port.inf" in that
// directory unless this run names a port of its own (which leaves "port.inf" alone).
void ApplyStartupSettings(const std::string& programDirectory,
                          const std::optional<std::string>& portForThisRun);
