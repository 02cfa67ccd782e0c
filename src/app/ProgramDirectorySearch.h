#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Where the program directory (config.xml, pictures, ports.map, port.inf) is found. An explicit
// choice, --dir or else $TARNEL_DIR, is used as given. Otherwise the first of these folders
// that holds config.xml wins: the executable's folder (a portable folder), then the user's
// $XDG_CONFIG_HOME/tarnel, then each of $XDG_CONFIG_DIRS with /tarnel appended.

// What the search depends on, read from the command line and the environment. An empty text
// means unset, as the XDG base directory rules treat an empty variable.
struct SSearchEnvironment {
    std::optional<std::string> m_dirOption; // --dir, used as given even when empty
    std::string m_tarnelDir;                // $TARNEL_DIR
    std::string m_executableDirectory;      // the folder of the running program
    std::string m_home;                     // $HOME
    std::string m_configHome;               // $XDG_CONFIG_HOME
    std::string m_configDirs;               // $XDG_CONFIG_DIRS
};

struct SSearchPlace {
    std::string m_directory; // ends in '/'
    std::string m_origin;    // why it was looked at: "--dir", "$XDG_CONFIG_DIRS", ...
};

struct SProgramDirectorySearch {
    // The folder found, ending in '/' (an explicit choice as given); none when no folder of
    // the search holds config.xml.
    std::optional<std::string> m_programDirectory;
    // Every place looked at, in order.
    std::vector<SSearchPlace> m_places;
    // The user's own settings folder, $XDG_CONFIG_HOME/tarnel/ (default ~/.config/tarnel/);
    // empty when neither that variable nor $HOME says where it is.
    std::string m_userDirectory;
};

// Whether a folder (ending in '/') holds config.xml.
using HoldsConfigFunction = std::function<bool(const std::string& directory)>;

SProgramDirectorySearch SearchProgramDirectory(const SSearchEnvironment& environment,
                                               const HoldsConfigFunction& holdsConfig);

// The process's environment, with --dir as parsed and the executable's folder.
SSearchEnvironment ReadSearchEnvironment(const std::optional<std::string>& dirOption,
                                         const char* argv0);

// True when the folder holds a file named config.xml.
bool HoldsConfigFile(const std::string& directory);

// The lines that tell, on standard error, where config.xml was looked for in vain.
std::string DescribeFailedSearch(const SProgramDirectorySearch& search);
