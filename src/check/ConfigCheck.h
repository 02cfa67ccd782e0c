#pragma once

#include "Diagnostic.h"

#include <iosfwd>
#include <string>
#include <vector>

// What checking a program directory's config.xml found.
struct SCheckResult {
    // False when the file cannot be read at all; m_readError then says why.
    bool m_readable = false;
    std::string m_readError;
    std::vector<SDiagnostic> m_diagnostics;
};

// Reads programDirectory + "config.xml" exactly as the program does, on its own (the
// process-wide configuration is never touched), and reports what will not work: errors for a
// file the program cannot use, warnings for what it silently drops or ignores. Pictures are
// looked up in the same directory.
SCheckResult CheckConfiguration(const std::string& programDirectory);

// "<file>:LINE:COLUMN: error: text" or "… warning: …"; with warningsAsErrors every finding is an
// error.
std::string FormatDiagnostic(const std::string& file, const SDiagnostic& diagnostic,
                             bool warningsAsErrors);

// Checks, prints every finding and a one-line summary to out. Returns 0 without errors, 1 with
// errors (warnings count as errors with warningsAsErrors), 2 when the file cannot be read.
int RunConfigCheck(const std::string& programDirectory, bool warningsAsErrors, std::ostream& out);
