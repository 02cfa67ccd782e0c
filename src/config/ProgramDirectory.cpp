#include "ProgramDirectory.h"

#include <array>
#include <unistd.h>

namespace {

std::string s_programDirectory;
std::string s_userSettingsDirectory;

std::string FolderOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

const std::string& GetProgramDirectory() {
    return s_programDirectory;
}

void SetProgramDirectory(const std::string& directory) {
    s_programDirectory = directory;
    if (!s_programDirectory.empty() && s_programDirectory.back() != '/') {
        s_programDirectory.push_back('/');
    }
}

const std::string& GetUserSettingsDirectory() {
    return s_userSettingsDirectory;
}

void SetUserSettingsDirectory(const std::string& directory) {
    s_userSettingsDirectory = directory;
}

std::string ProgramDirectoryOfExecutable(const char* argv0) {
    std::array<char, 4096> buffer{};
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length > 0) {
        return FolderOf(std::string(buffer.data(), static_cast<std::size_t>(length)));
    }
    return argv0 != nullptr ? FolderOf(argv0) : std::string();
}
