#pragma once

#include <string>

// The name under which the running copy of the panel listens for later copies: one per user
// and program directory, so that two installations, or two users, do not get in each other's
// way. Short enough for a local socket path.
std::string InstanceKey(const std::string& user, const std::string& programDirectory);
