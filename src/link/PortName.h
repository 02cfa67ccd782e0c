#pragma once

#include <string>

// The program-wide serial port name in the device-name form "COM" + number + ":" (or a device
// path beginning with '/'). It is set at start-up from "port.inf" and by the port dialog, and
// the serial link opens the port it names. Used from the user-interface thread only.

constexpr const char* DEFAULT_PORT_NAME = "COM8:";
constexpr const char* PORT_NAME_FILE = "port.inf";
constexpr std::size_t MAX_PORT_NAME = 99;

std::string GetPortName();
// Names longer than 99 characters are cut to that length.
void SetPortName(const std::string& portName);

// The first white-space-delimited word of "port.inf" in the given folder (a program directory,
// ending in '/'), cut to 99 characters; "COM8:" when the file is missing, unreadable or holds
// no word.
std::string ReadPortNameFile(const std::string& programDirectory);

// Writes the port name into "port.inf" of the folder, without a line end. The old file stays
// intact when writing fails; false then.
bool WritePortNameFile(const std::string& programDirectory, const std::string& portName);

// "port.inf" may also live in the user's own settings folder (userDirectory, empty when there
// is none), so that an operator without rights on a system-wide program directory can still
// keep a port. The user's file, when it exists and its folder is not the program directory
// itself, is read in preference to the program directory's.
std::string ReadPortName(const std::string& programDirectory, const std::string& userDirectory);

// Saves the port name where the next start reads it: into the user's file when that is the one
// read, else into the program directory, else (a folder the operator cannot write) into the
// user's folder, which is created when missing. False when no place could be written.
bool SavePortName(const std::string& programDirectory, const std::string& userDirectory,
                  const std::string& portName);
