#include "InstanceKey.h"

#include <cctype>
#include <cstdint>
#include <cstdio>

namespace {

// FNV-1a: stable between runs and builds, which std::hash does not promise.
std::uint64_t Fnv1a(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

} // namespace

std::string InstanceKey(const std::string& user, const std::string& programDirectory) {
    std::string safeUser;
    for (const char c : user.substr(0, 32)) {
        safeUser += std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
    }
    char hash[17] = {};
    std::snprintf(hash, sizeof hash, "%016llx",
                  static_cast<unsigned long long>(Fnv1a(programDirectory)));
    return "tarnel-" + safeUser + "-" + hash;
}
