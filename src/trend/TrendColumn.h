#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CConfiguration;

// A parameter chosen for the trend or the recording.
struct STrendColumn {
    std::int32_t m_register = 0;
    std::string m_name; // UTF-8
    std::int32_t m_minimum = 0;
    std::int32_t m_maximum = 0;
};

// The trend window shows at most this many parameters at once.
constexpr std::size_t MAX_TREND_SERIES = 8;

// "11,14,20": register numbers separated by commas (blanks around them allowed), each once;
// a repeated number counts once. Nothing for an empty list or anything that is not a number.
std::optional<std::vector<std::int32_t>> ParseRegisterList(const std::string& text);

// The declared parameters for the registers, in the given order. Registers config.xml does not
// declare go into unknown instead.
std::vector<STrendColumn> TrendColumns(const CConfiguration& configuration,
                                       const std::vector<std::int32_t>& registers,
                                       std::vector<std::int32_t>& unknown);

// "<name> (R<register>)", as the header and the legend name a column.
std::string ColumnTitle(const STrendColumn& column);
