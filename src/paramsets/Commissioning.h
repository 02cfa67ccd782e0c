#pragma once

#include "link/SerialLink.h"

#include <chrono>
#include <iosfwd>
#include <string>

// Setting up a machine from a script, without a window: "tarnel --load-setup FILE" and
// "tarnel --save-setup FILE [--connect]". Both use the process-wide store (config.xml of the
// program directory) and show no message box: results go to the given streams.

enum ECommissioningStatus : int {
    COMMISSIONING_OK = 0,
    COMMISSIONING_INCOMPLETE = 1, // a value went unacknowledged, or was not reported in time
    COMMISSIONING_UNUSABLE = 2,   // the file, config.xml or the port cannot be used
};

// Connects to the port, applies the file by the rules of "Load Setup", prints the closing
// message to out and one line per value the device did not acknowledge to err.
int RunLoadSetup(const std::string& file, const std::string& portName, std::ostream& out,
                 std::ostream& err, const SSerialLinkTiming& timing = SSerialLinkTiming());

// Writes the parameter set as "Save Setup" does. With connectFirst it first connects, asks the
// device for all its values (through the link command register 999, as the main window does)
// and waits until every saved register was reported or reportWait passed; registers not
// reported in time are listed on err and give COMMISSIONING_INCOMPLETE, the file is written
// all the same.
int RunSaveSetup(const std::string& file, bool connectFirst, const std::string& portName,
                 std::ostream& out, std::ostream& err,
                 const SSerialLinkTiming& timing = SSerialLinkTiming(),
                 std::chrono::milliseconds reportWait = std::chrono::seconds(5));
