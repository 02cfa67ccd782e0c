#include "TrendColumn.h"

#include "config/Configuration.h"

#include <algorithm>
#include <charconv>

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::optional<std::vector<std::int32_t>> ParseRegisterList(const std::string& text) {
    std::vector<std::int32_t> registers;
    std::string_view rest = text;
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view item = Trimmed(rest.substr(0, comma));
        std::int32_t number = 0;
        const auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), number);
        if (item.empty() || error != std::errc() || end != item.data() + item.size()) {
            return std::nullopt;
        }
        if (std::find(registers.begin(), registers.end(), number) == registers.end()) {
            registers.push_back(number);
        }
        if (comma == std::string_view::npos) {
            return registers;
        }
        rest.remove_prefix(comma + 1);
    }
}

std::vector<STrendColumn> TrendColumns(const CConfiguration& configuration,
                                       const std::vector<std::int32_t>& registers,
                                       std::vector<std::int32_t>& unknown) {
    std::vector<STrendColumn> columns;
    for (const std::int32_t registerNumber : registers) {
        const CParameter* parameter = configuration.FindParameter(registerNumber);
        if (parameter == nullptr) {
            unknown.push_back(registerNumber);
            continue;
        }
        columns.push_back(STrendColumn{registerNumber,
                                       configuration.DisplayText(parameter->GetName()),
                                       parameter->GetMinimum(), parameter->GetMaximum()});
    }
    return columns;
}

std::string ColumnTitle(const STrendColumn& column) {
    return column.m_name + " (R" + std::to_string(column.m_register) + ")";
}
