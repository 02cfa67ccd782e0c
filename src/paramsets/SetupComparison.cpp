#include "SetupComparison.h"

#include "config/Configuration.h"
#include "link/SerialLink.h"

#include <filesystem>
#include <unordered_set>

EParameterSetRead ReadParameterSetToCompare(const std::string& path,
                                            std::vector<SParameterSetEntry>& entries) {
    entries.clear();
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > MAX_COMPARED_FILE_BYTES) {
        return EParameterSetRead::Unreadable;
    }
    return ReadParameterSet(path, entries);
}

bool SComparedEntry::IsClamped() const {
    const bool loads = m_effect != ELoadEffect::NotLoaded && m_effect != ELoadEffect::Unknown;
    return loads && m_loaded != m_entry.m_value;
}

std::vector<SComparedEntry> CompareParameterSet(const CConfiguration& configuration,
                                                const std::vector<SParameterSetEntry>& entries) {
    std::vector<SComparedEntry> rows(entries.size());
    // Loading applies every element in turn, so of several for one register the last remains:
    // walking backwards, a register already seen is set again later.
    std::unordered_set<std::int32_t> setLater;
    for (std::size_t i = entries.size(); i-- > 0;) {
        SComparedEntry& row = rows[i];
        row.m_entry = entries[i];
        const ELoadRule rule = LoadRule(configuration, row.m_entry.m_register, &row.m_parameter);
        if (row.m_parameter != nullptr) {
            row.m_now = row.m_parameter->GetValue();
            row.m_loaded = rule == ELoadRule::Loads
                               ? row.m_parameter->Clamp(static_cast<double>(row.m_entry.m_value))
                               : row.m_now;
        }
        switch (rule) {
        case ELoadRule::UnknownRegister:
            row.m_effect = ELoadEffect::Unknown;
            break;
        case ELoadRule::NotSetOnLoad:
            row.m_effect = ELoadEffect::NotLoaded;
            break;
        case ELoadRule::Loads:
            if (!setLater.insert(row.m_entry.m_register).second) {
                row.m_effect = ELoadEffect::Overridden;
            } else {
                row.m_effect = row.m_loaded == row.m_now ? ELoadEffect::Same : ELoadEffect::Change;
            }
            break;
        }
    }
    return rows;
}

SEffectCounts CountEffects(const std::vector<SComparedEntry>& rows) {
    SEffectCounts counts{};
    for (const SComparedEntry& row : rows) {
        ++counts[static_cast<std::size_t>(row.m_effect)];
    }
    return counts;
}

std::string ComparisonSummary(const SEffectCounts& counts) {
    const auto count = [&counts](ELoadEffect effect) {
        return std::to_string(counts[static_cast<std::size_t>(effect)]);
    };
    std::string text = count(ELoadEffect::Change) + " change, " + count(ELoadEffect::Same) +
                       " same, " + count(ELoadEffect::NotLoaded) + " not loaded, " +
                       count(ELoadEffect::Unknown) + " unknown register";
    if (counts[static_cast<std::size_t>(ELoadEffect::Overridden)] != 0) {
        text += ", " + count(ELoadEffect::Overridden) + " overridden";
    }
    return text;
}

std::string EffectText(const SComparedEntry& row) {
    const std::string clamped =
        row.IsClamped() ? " (clamped from " + std::to_string(row.m_entry.m_value) + ")" : "";
    switch (row.m_effect) {
    case ELoadEffect::Change:
        return "change" + clamped;
    case ELoadEffect::Same:
        return "same" + clamped;
    case ELoadEffect::NotLoaded:
        return "not loaded (not SetOnLoad)";
    case ELoadEffect::Unknown:
        return "unknown register";
    case ELoadEffect::Overridden:
        return "overridden by a later element";
    }
    return {};
}

std::string ParameterName(const CConfiguration& configuration, const SComparedEntry& row) {
    return row.m_parameter != nullptr ? configuration.DisplayText(row.m_parameter->GetName())
                                      : std::string();
}

std::string ChangeLine(const CConfiguration& configuration, const SComparedEntry& row) {
    std::string line = "R" + std::to_string(row.m_entry.m_register) + " " +
                       ParameterName(configuration, row) + ": " + std::to_string(row.m_now) +
                       " -> " + std::to_string(row.m_loaded);
    if (row.IsClamped()) {
        line += " (clamped from " + std::to_string(row.m_entry.m_value) + ")";
    }
    return line;
}

std::string FormatCsv(const std::vector<std::vector<std::string>>& table) {
    std::string csv;
    for (const std::vector<std::string>& line : table) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (i > 0) {
                csv += ',';
            }
            const std::string& field = line[i];
            if (field.find_first_of(",\"\r\n") == std::string::npos) {
                csv += field;
                continue;
            }
            csv += '"';
            for (const char c : field) {
                csv += c;
                if (c == '"') {
                    csv += '"';
                }
            }
            csv += '"';
        }
        csv += '\n';
    }
    return csv;
}

std::size_t ApplyUntilUnacknowledged(CConfiguration& configuration,
                                     const std::vector<SParameterSetEntry>& entries,
                                     const CSerialLink* link, IParameterSetLoadHost& host) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        ApplyParameterSet(configuration, {entries[i]}, host);
        // The link keeps a register pending after its acknowledgement wait ran out.
        const CParameter* parameter = configuration.FindParameter(entries[i].m_register);
        if (link != nullptr && parameter != nullptr && parameter->IsSendSerial() &&
            link->GetPendingRegister() == entries[i].m_register) {
            return i;
        }
    }
    return entries.size();
}
