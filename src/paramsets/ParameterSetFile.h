#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CConfiguration;
class CParameter;
class IParameterSetLoadHost;

// Parameter-set files: a REGISTER element holding one element per saved parameter, with the
// attributes "Register" and "Value". Saving writes the values of the "ReadOnSave" parameters;
// loading hands each value of a "SetOnLoad" parameter to the store, which clamps it and tells
// its listeners (the serial link sends it to the device and waits for the acknowledgement).

// The register an element without a readable "Register" attribute stands for.
constexpr std::int32_t MISSING_REGISTER = 99999;

struct SParameterSetEntry {
    std::int32_t m_register = MISSING_REGISTER;
    std::int32_t m_value = 0;
};

enum class EParameterSetRead {
    Ok,
    Unreadable, // missing, unreadable or not well-formed
    NoRegister, // well-formed, but no REGISTER element at document level
};

// The bytes of the file for the current values, in TinyXML's layout:
//     <REGISTER>
//         <VALUE Register="12" Value="100" />
//     </REGISTER>
// and "<REGISTER />" alone when no parameter is saved; every line ends in a line feed.
std::string FormatParameterSet(const CConfiguration& configuration);

// Writes the file through a temporary beside it, so a failure keeps the old file intact.
bool SaveParameterSet(const CConfiguration& configuration, const std::string& path);

// Every child element of the document-level REGISTER element, whatever its name, in file
// order. A missing or non-numeric "Register" gives MISSING_REGISTER, a missing or non-numeric
// "Value" 0; numbers beyond 32 bits saturate.
EParameterSetRead ReadParameterSet(const std::string& path,
                                   std::vector<SParameterSetEntry>& entries);

// What loading does with an entry, by its register alone.
enum class ELoadRule {
    Loads,           // a declared "SetOnLoad" parameter takes the value
    NotSetOnLoad,    // declared, but not to be set by a parameter set: skipped
    UnknownRegister, // declared by no parameter: skipped
};

// The rule for one register, and the parameter it names (nullptr when none does). Loading and
// comparing a file both decide by this alone.
ELoadRule LoadRule(const CConfiguration& configuration, std::int32_t registerNumber,
                   const CParameter** parameter = nullptr);

// Hands every entry of a declared "SetOnLoad" parameter to the store (source 17), in order;
// returns how many went through.
int ApplyParameterSet(CConfiguration& configuration, const std::vector<SParameterSetEntry>& entries,
                      IParameterSetLoadHost& host);

// The main window's title while loading: "loading p:<3>".
std::string LoadingTitle(int count);
