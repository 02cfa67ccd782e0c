#include "ButtonImageCache.h"

#include "ButtonImage.h"

#include <memory>
#include <unordered_map>

namespace {

std::unordered_map<std::string, std::unique_ptr<CButtonImage>>& Cache() {
    static std::unordered_map<std::string, std::unique_ptr<CButtonImage>> s_cache;
    return s_cache;
}

} // namespace

CButtonImage* GetButtonImage(const std::string& name) {
    auto& cache = Cache();
    const auto found = cache.find(name);
    if (found != cache.end()) {
        return found->second.get();
    }
    auto entry = std::make_unique<CButtonImage>(name);
    entry->Prepare();
    return cache.emplace(name, std::move(entry)).first->second.get();
}

void ClearButtonImageCache() {
    Cache().clear();
}
