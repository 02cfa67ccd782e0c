#pragma once

#include <string>

// A fresh folder under the system's temporary directory, removed with everything in it when
// the object goes, or at the latest when the process ends through exit(). Path() ends in '/',
// like the program directory.
class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::string& Path() const { return m_path; }
    // Writes a file in the folder and returns its full path.
    std::string Write(const std::string& name, const std::string& content) const;

private:
    std::string m_path;
};

// The whole content of a file; empty when it cannot be read.
std::string ReadAll(const std::string& path);
