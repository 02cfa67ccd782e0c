#pragma once

#include "DeviceReports.h"
#include "link/SerialLink.h"

#include <chrono>
#include <iosfwd>
#include <optional>
#include <string>

// Setting up a machine from a script, without a window: "tarnel --load-setup FILE" and
// "tarnel --save-setup FILE [--connect]", and what loading a file would change:
// "tarnel --compare-setup FILE [--against OTHER]". All use the process-wide store (config.xml of
// the program directory) and show no message box: results go to the given streams.

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

// Prints one line per parameter that loading FILE would change ("R12 Speed: 100 -> 127
// (clamped from 1000)") and a summary line; 0 when nothing would change, 1 when something
// would, COMMISSIONING_UNUSABLE when a file, config.xml or the port cannot be used or the
// device reports nothing. The store holds the device's values (it connects and asks for them)
// or, with against, what loading that file leaves (no device is involved then).
int RunCompareSetup(const std::string& file, const std::optional<std::string>& against,
                    const std::string& portName, std::ostream& out, std::ostream& err,
                    const SSerialLinkTiming& timing = SSerialLinkTiming(),
                    const SReportWait& wait = SReportWait());
