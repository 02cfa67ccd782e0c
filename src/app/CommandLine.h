#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a run is for. Window is the panel as the operator uses it. The others show no window
// and take no part in the single-instance rule: Snapshot draws the pages without showing them,
// Check reports what in config.xml will not work, LoadSetup and SaveSetup commission a device
// from a script, CompareSetup prints what loading a file would change, Record writes chosen
// values to a CSV file.
enum class ERunMode {
    Window,
    Snapshot,
    Check,
    LoadSetup,
    SaveSetup,
    CompareSetup,
    Record,
    Help,
    Version,
    Error
};

inline bool ShowsWindow(ERunMode mode) {
    return mode == ERunMode::Window;
}

struct SCommandLine {
    ERunMode m_mode = ERunMode::Window;
    std::optional<std::string> m_programDirectory; // --dir
    std::optional<std::string> m_portName;         // --port
    std::optional<std::string> m_logDirectory;     // --log
    bool m_connect = false;                        // --connect
    std::string m_snapshotDirectory;               // --snapshot
    bool m_warningsAsErrors = false;               // --werror, with --check
    std::string m_setupFile;                       // --load-setup, --save-setup, --compare-setup
    std::optional<std::string> m_againstFile;      // --against, with --compare-setup
    std::string m_recordFile;                      // --record
    std::vector<std::int32_t> m_recordRegisters;   // --registers
    // --duration; none records until SIGINT or SIGTERM.
    std::optional<std::chrono::milliseconds> m_recordDuration;
    // The help or version text, or the reason for ERunMode::Error.
    QString m_text;
};

// Reads the arguments (program name first).
SCommandLine ParseCommandLine(const QStringList& arguments);
