#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace {

// The folders this process made and has not removed yet. A process that ends through exit()
// (a death test's child, a failed configuration load) skips the destructors of the test's
// locals, but not this table's: it removes what is left. Entries carry the process that made
// them, so a forked child never removes the folders of its parent.
class CTempDirRegistry {
public:
    ~CTempDirRegistry() {
        const std::lock_guard<std::mutex> lock(m_mutex);
        for (const auto& [path, owner] : m_live) {
            if (owner == getpid()) {
                Remove(path);
            }
        }
    }

    void Add(const std::string& path) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_live.emplace(path, getpid());
    }

    void Release(const std::string& path) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        Remove(path);
        m_live.erase(path);
    }

private:
    static void Remove(const std::string& path) {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }

    std::mutex m_mutex;
    std::map<std::string, pid_t> m_live;
};

CTempDirRegistry& Registry() {
    static CTempDirRegistry s_registry;
    return s_registry;
}

} // namespace

CTempDir::CTempDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/tarnel-test-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    m_path = std::string(buffer.data()) + "/";
    Registry().Add(m_path);
}

CTempDir::~CTempDir() {
    Registry().Release(m_path);
}

std::string CTempDir::Write(const std::string& name, const std::string& content) const {
    std::string path = m_path + name;
    std::ofstream file(path, std::ios::binary);
    file << content;
    return path;
}

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
