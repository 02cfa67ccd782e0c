#pragma once

#include <string>

enum class ESeverity { Warning, Error };

// A place in config.xml: 1-based line and column, the column counted in characters.
struct SSourcePosition {
    int m_line = 1;
    int m_column = 1;
};

// One finding of the configuration checker.
struct SDiagnostic {
    SSourcePosition m_position;
    ESeverity m_severity = ESeverity::Error;
    std::string m_text;
};
