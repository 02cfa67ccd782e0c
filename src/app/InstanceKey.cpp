#include "InstanceKey.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

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

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

// Empty when the folder is fit to hold the socket; otherwise why it is not.
std::string FolderProblem(const std::string& path, uid_t user) {
    struct stat info {};
    // lstat: a symbolic link is judged as itself, never by what it points to.
    if (lstat(path.c_str(), &info) != 0) {
        return path + ": " + std::strerror(errno);
    }
    if (S_ISLNK(info.st_mode)) {
        return path + " is a symbolic link";
    }
    if (!S_ISDIR(info.st_mode)) {
        return path + " is not a folder";
    }
    if (info.st_uid != user) {
        return path + " belongs to another user";
    }
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
        return path + " is open to other users";
    }
    return {};
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

SInstanceFolder PrivateInstanceFolder(const std::string& runtimeDirectory,
                                      const std::string& temporaryDirectory, uid_t user) {
    const std::string runtime = WithoutTrailingSlash(runtimeDirectory);
    if (!runtime.empty() && FolderProblem(runtime, user).empty()) {
        return {runtime, {}};
    }
    const std::string own =
        WithoutTrailingSlash(temporaryDirectory) + "/tarnel-" + std::to_string(user);
    if (mkdir(own.c_str(), S_IRWXU) != 0 && errno != EEXIST) {
        return {{}, own + ": " + std::strerror(errno)};
    }
    std::string problem = FolderProblem(own, user);
    if (!problem.empty()) {
        return {{}, problem};
    }
    return {own, {}};
}
