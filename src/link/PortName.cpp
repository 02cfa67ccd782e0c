#include "PortName.h"

#include "platform/ReplaceFile.h"

#include <filesystem>
#include <fstream>

namespace {

std::string s_portName = DEFAULT_PORT_NAME;

bool SameFolder(const std::string& a, const std::string& b) {
    std::error_code error;
    const bool equivalent = std::filesystem::equivalent(a, b, error);
    if (!error) {
        return equivalent;
    }
    return std::filesystem::path(a).lexically_normal() ==
           std::filesystem::path(b).lexically_normal();
}

// True when the user's own "port.inf" is the one start-up reads.
bool UserFileServes(const std::string& programDirectory, const std::string& userDirectory) {
    std::error_code error;
    return !userDirectory.empty() && !SameFolder(programDirectory, userDirectory) &&
           std::filesystem::exists(userDirectory + PORT_NAME_FILE, error);
}

} // namespace

std::string GetPortName() {
    return s_portName;
}

void SetPortName(const std::string& portName) {
    s_portName = portName.substr(0, MAX_PORT_NAME);
}

std::string ReadPortNameFile(const std::string& programDirectory) {
    std::ifstream file(programDirectory + PORT_NAME_FILE, std::ios::binary);
    if (!file) {
        return DEFAULT_PORT_NAME;
    }
    // Only the first word counts; reading it by hand keeps the locale out and an endless
    // word from filling memory.
    std::string word;
    char c = 0;
    while (file.get(c)) {
        const bool blank =
            c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
        if (blank) {
            if (!word.empty()) {
                break;
            }
            continue;
        }
        if (word.size() < MAX_PORT_NAME) {
            word += c;
        } else {
            break;
        }
    }
    return word.empty() ? std::string(DEFAULT_PORT_NAME) : word;
}

bool WritePortNameFile(const std::string& programDirectory, const std::string& portName) {
    return ReplaceFileContent(programDirectory + PORT_NAME_FILE, portName);
}

std::string ReadPortName(const std::string& programDirectory, const std::string& userDirectory) {
    return ReadPortNameFile(UserFileServes(programDirectory, userDirectory) ? userDirectory
                                                                            : programDirectory);
}

bool SavePortName(const std::string& programDirectory, const std::string& userDirectory,
                  const std::string& portName) {
    // A choice written beside the program while the user's file is read would be lost.
    if (UserFileServes(programDirectory, userDirectory)) {
        return WritePortNameFile(userDirectory, portName);
    }
    if (WritePortNameFile(programDirectory, portName)) {
        return true;
    }
    if (userDirectory.empty() || SameFolder(programDirectory, userDirectory)) {
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(userDirectory, error);
    return WritePortNameFile(userDirectory, portName);
}
