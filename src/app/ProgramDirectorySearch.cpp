#include "ProgramDirectorySearch.h"

#include "config/ProgramDirectory.h"

#include <cstdlib>
#include <filesystem>

namespace {

constexpr const char* SUBFOLDER = "tarnel/";

std::string WithSlash(std::string directory) {
    if (directory.empty() || directory.back() != '/') {
        directory.push_back('/');
    }
    return directory;
}

// A base folder from an XDG variable; relative ones are invalid there and ignored.
std::optional<std::string> AbsoluteBase(const std::string& base) {
    if (base.empty() || base.front() != '/') {
        return std::nullopt;
    }
    std::string trimmed = base;
    while (trimmed.size() > 1 && trimmed.back() == '/') {
        trimmed.pop_back();
    }
    return WithSlash(trimmed);
}

std::string UserDirectory(const SSearchEnvironment& environment) {
    if (const auto configHome = AbsoluteBase(environment.m_configHome)) {
        return *configHome + SUBFOLDER;
    }
    if (const auto home = AbsoluteBase(environment.m_home)) {
        return *home + ".config/" + SUBFOLDER;
    }
    return {};
}

std::vector<std::string> SystemDirectories(const std::string& configDirs) {
    std::vector<std::string> directories;
    std::string::size_type start = 0;
    while (start <= configDirs.size()) {
        std::string::size_type end = configDirs.find(':', start);
        if (end == std::string::npos) {
            end = configDirs.size();
        }
        if (const auto base = AbsoluteBase(configDirs.substr(start, end - start))) {
            directories.push_back(*base + SUBFOLDER);
        }
        start = end + 1;
    }
    if (directories.empty()) {
        directories.push_back(std::string("/etc/xdg/") + SUBFOLDER);
    }
    return directories;
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

} // namespace

SProgramDirectorySearch SearchProgramDirectory(const SSearchEnvironment& environment,
                                               const HoldsConfigFunction& holdsConfig) {
    SProgramDirectorySearch search;
    search.m_userDirectory = UserDirectory(environment);

    // An explicit choice never falls through to another folder.
    if (environment.m_dirOption || !environment.m_tarnelDir.empty()) {
        const bool option = environment.m_dirOption.has_value();
        const std::string directory = option ? *environment.m_dirOption : environment.m_tarnelDir;
        search.m_programDirectory = directory.empty() ? directory : WithSlash(directory);
        search.m_places.push_back({*search.m_programDirectory, option ? "--dir" : "$TARNEL_DIR"});
        return search;
    }

    if (!environment.m_executableDirectory.empty()) {
        search.m_places.push_back(
            {WithSlash(environment.m_executableDirectory), "the program's folder"});
    }
    if (!search.m_userDirectory.empty()) {
        search.m_places.push_back({search.m_userDirectory, "$XDG_CONFIG_HOME/tarnel"});
    }
    for (const std::string& directory : SystemDirectories(environment.m_configDirs)) {
        search.m_places.push_back({directory, "$XDG_CONFIG_DIRS"});
    }
    for (const SSearchPlace& place : search.m_places) {
        if (holdsConfig(place.m_directory)) {
            search.m_programDirectory = place.m_directory;
            break;
        }
    }
    return search;
}

SSearchEnvironment ReadSearchEnvironment(const std::optional<std::string>& dirOption,
                                         const char* argv0) {
    SSearchEnvironment environment;
    environment.m_dirOption = dirOption;
    environment.m_tarnelDir = Environment("TARNEL_DIR");
    environment.m_executableDirectory = ProgramDirectoryOfExecutable(argv0);
    environment.m_home = Environment("HOME");
    environment.m_configHome = Environment("XDG_CONFIG_HOME");
    environment.m_configDirs = Environment("XDG_CONFIG_DIRS");
    return environment;
}

bool HoldsConfigFile(const std::string& directory) {
    std::error_code error;
    return std::filesystem::is_regular_file(directory + "config.xml", error);
}

std::string DescribeFailedSearch(const SProgramDirectorySearch& search) {
    std::string text = "tarnel: no config.xml in any of these folders:\n";
    for (const SSearchPlace& place : search.m_places) {
        text += "  " + place.m_directory + "  (" + place.m_origin + ")\n";
    }
    text += "tarnel: name the program directory with --dir DIR or $TARNEL_DIR\n";
    return text;
}
