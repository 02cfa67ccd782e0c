#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

// What a run is for. Window is the panel as the operator uses it. The others show no window
// and take no part in the single-instance rule; further such modes (checking a configuration,
// loading or saving a setup without a window) come in beside Snapshot.
enum class ERunMode { Window, Snapshot, Help, Version, Error };

inline bool ShowsWindow(ERunMode mode) {
    return mode == ERunMode::Window;
}

struct SCommandLine {
    ERunMode m_mode = ERunMode::Window;
    std::optional<std::string> m_programDirectory; // --dir
    std::optional<std::string> m_portName;         // --port
    bool m_connect = false;                        // --connect
    std::string m_snapshotDirectory;               // --snapshot
    // The help or version text, or the reason for ERunMode::Error.
    QString m_text;
};

// Reads the arguments (program name first).
SCommandLine ParseCommandLine(const QStringList& arguments);
