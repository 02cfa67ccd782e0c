#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

// What loading a picture of the configuration gives: its size, or why there is none.
struct SPictureVerdict {
    bool m_loaded = false;
    std::int32_t m_width = 0;
    std::int32_t m_rows = 0;
    // For a picture that does not load: "does not exist", "cannot be read: …" or
    // "is refused: …".
    std::string m_problem;
    // Found only by ignoring letter case: why that is worth a look (the name taken, or every
    // name that matches); empty for an exact name.
    std::string m_nearMatch;
};

// Loads pictures from the program directory as the panel does, each name once.
class CPictureChecker {
public:
    explicit CPictureChecker(std::string directory) : m_directory(std::move(directory)) {}

    const SPictureVerdict& Check(const std::string& name);

private:
    std::string m_directory;
    std::unordered_map<std::string, SPictureVerdict> m_verdicts;
};

// Why the picture decoder refuses the bytes at the start of a bitmap file of fileSize bytes;
// a general text when no single rule explains it.
std::string DescribeBmpRefusal(const std::string& head, std::uint64_t fileSize);
