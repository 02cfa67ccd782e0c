#pragma once

#include <string>
#include <sys/types.h>

// The name under which the running copy of the panel listens for later copies: one per user
// and program directory, so that two installations, or two users, do not get in each other's
// way. Short enough for a local socket path.
std::string InstanceKey(const std::string& user, const std::string& programDirectory);

// The folder the instance socket lives in: one only its user can create files in, so that no
// other user can put a socket there first and make every start end at once.
struct SInstanceFolder {
    std::string m_path;    // without a trailing '/'; empty when there is no such folder
    std::string m_problem; // why not, when m_path is empty
};
// The runtime directory ($XDG_RUNTIME_DIR) when it is given and fit; otherwise the folder
// "tarnel-<uid>" in the temporary directory, made with mode 0700. Fit means a real folder, not
// a symbolic link, owned by the user and closed to everyone else.
SInstanceFolder PrivateInstanceFolder(const std::string& runtimeDirectory,
                                      const std::string& temporaryDirectory, uid_t user);
