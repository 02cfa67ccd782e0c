#pragma once

#include <optional>
#include <string>

// Collects the host's bytes into messages. The host ends each one with a line feed; a carriage
// return ends a line too, and empty lines are dropped. A line longer than 100 characters is no
// message of the host's and is skipped up to its end.
class CHostLineReader {
public:
    static constexpr std::size_t MAX_LINE = 100;

    std::optional<std::string> Feed(char byte);

private:
    std::string m_line;
    bool m_overlong = false;
};
