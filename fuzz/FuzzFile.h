#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

// A file of this fuzzing process under TMPDIR (or /tmp), so that parallel jobs never meet.
inline std::string FuzzFilePath(const std::string& name) {
    const char* base = std::getenv("TMPDIR");
    return std::string(base != nullptr ? base : "/tmp") + "/tarnel-fuzz-" +
           std::to_string(getpid()) + "-" + name;
}

inline bool WriteFuzzFile(const std::string& path, const void* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    std::fwrite(data, 1, size, file);
    return std::fclose(file) == 0;
}
