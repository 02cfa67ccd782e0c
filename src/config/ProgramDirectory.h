#pragma once

#include <string>

// The folder config.xml was found in (the program file's own in a portable folder), ending in
// '/'. Every file read or written by a fixed name
// (config.xml, port.inf, pictures) is this text followed directly by the name. Start-up sets it
// before the configuration is first used; tests point it at their own folders.
const std::string& GetProgramDirectory();

// Stores the folder, adding the trailing '/' when it is missing (an empty text stays empty,
// meaning the current directory).
void SetProgramDirectory(const std::string& directory);

// The user's own settings folder ($XDG_CONFIG_HOME/tarnel/, ending in '/'), where "port.inf"
// goes when the program directory cannot take it; empty when there is none. Set at start-up.
const std::string& GetUserSettingsDirectory();
void SetUserSettingsDirectory(const std::string& directory);

// The folder of the running executable (from /proc/self/exe), or of argv0 as a fall-back.
std::string ProgramDirectoryOfExecutable(const char* argv0);
