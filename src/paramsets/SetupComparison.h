#pragma once

#include "ParameterSetFile.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CConfiguration;
class CParameter;
class CSerialLink;
class IParameterSetLoadHost;

// Comparing a parameter set with the store before loading it: for every element of the file,
// what "Load Setup" would do with it, decided by the rule loading itself applies.

enum class ELoadEffect {
    Change,     // the parameter would take another value
    Same,       // it already holds what it would take
    NotLoaded,  // not "SetOnLoad": loading skips it
    Unknown,    // no parameter has the register: loading skips it
    Overridden, // a later element sets the same register, and that one remains
};
constexpr std::size_t LOAD_EFFECT_COUNT = 5;

struct SComparedEntry {
    SParameterSetEntry m_entry;              // register and value as the file has them
    const CParameter* m_parameter = nullptr; // nullptr for an unknown register
    std::int32_t m_now = 0;                  // the store's value now
    std::int32_t m_loaded = 0;               // what the store would hold after loading
    ELoadEffect m_effect = ELoadEffect::Unknown;

    // Loading would clamp the file's value into the parameter's range.
    bool IsClamped() const;
};

using SEffectCounts = std::array<int, LOAD_EFFECT_COUNT>; // indexed by ELoadEffect

// A parameter set for at most 200 parameters has a few kilobytes; a file beyond this is no
// parameter set, and reading it would hold the window up.
constexpr std::uintmax_t MAX_COMPARED_FILE_BYTES = 1024 * 1024;

// ReadParameterSet, except that a file larger than MAX_COMPARED_FILE_BYTES is Unreadable.
EParameterSetRead ReadParameterSetToCompare(const std::string& path,
                                            std::vector<SParameterSetEntry>& entries);

// One row per element, in file order.
std::vector<SComparedEntry> CompareParameterSet(const CConfiguration& configuration,
                                                const std::vector<SParameterSetEntry>& entries);
SEffectCounts CountEffects(const std::vector<SComparedEntry>& rows);

// "3 change, 1 same, 1 not loaded, 1 unknown register", and ", 1 overridden" when there are.
std::string ComparisonSummary(const SEffectCounts& counts);
// "change (clamped from 1000)", "same", "not loaded (not SetOnLoad)", "unknown register",
// "overridden by a later element".
std::string EffectText(const SComparedEntry& row);
// The parameter's name as shown, or "" for an unknown register.
std::string ParameterName(const CConfiguration& configuration, const SComparedEntry& row);
// "R12 Speed: 100 -> 127 (clamped from 1000)".
std::string ChangeLine(const CConfiguration& configuration, const SComparedEntry& row);

// A table as CSV: a field with a comma, quote or line end is quoted with its quotes doubled;
// every line ends in a line feed.
std::string FormatCsv(const std::vector<std::vector<std::string>>& table);

// Applies the entries in order exactly as loading does (an open link sends each value and
// waits for its acknowledgement) and stops after the first value the link did not get
// acknowledged. Returns how many went through; when fewer than all, the entry at that index was
// sent without acknowledgement and none after it was applied.
std::size_t ApplyUntilUnacknowledged(CConfiguration& configuration,
                                     const std::vector<SParameterSetEntry>& entries,
                                     const CSerialLink* link, IParameterSetLoadHost& host);
