#include "PictureFile.h"

#include <algorithm>
#include <dirent.h>
#include <string_view>
#include <sys/stat.h>

namespace {

std::vector<std::string> SplitName(const std::string& name) {
    std::vector<std::string> parts;
    std::string part;
    for (const char c : name) {
        if (c == '/' || c == '\\') {
            if (!part.empty()) {
                parts.push_back(std::move(part));
            }
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) {
        parts.push_back(std::move(part));
    }
    return parts;
}

// Lower case for ASCII letters and for the UTF-8 forms of U+00C0 to U+00DE (but U+00D7, the
// multiplication sign): the letters Windows code page 1252 names carry, umlauts included.
std::string FoldCase(std::string_view text) {
    std::string folded(text);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        const auto c = static_cast<unsigned char>(folded[i]);
        if (c >= 'A' && c <= 'Z') {
            folded[i] = static_cast<char>(c + 32);
        } else if (c == 0xC3 && i + 1 < folded.size()) {
            const auto next = static_cast<unsigned char>(folded[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97) {
                folded[i + 1] = static_cast<char>(next + 0x20);
            }
            ++i;
        }
    }
    return folded;
}

enum class EKind { Missing, Folder, Other };

EKind KindOf(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        return EKind::Missing;
    }
    return S_ISDIR(status.st_mode) ? EKind::Folder : EKind::Other;
}

// Names in the folder that equal the part ignoring letter case and are of the kind asked for,
// sorted.
std::vector<std::string> MatchesIgnoringCase(const std::string& folder, const std::string& part,
                                             EKind kind) {
    std::vector<std::string> matches;
    DIR* listing = opendir(folder.empty() ? "." : folder.c_str());
    if (listing == nullptr) {
        return matches;
    }
    const std::string wanted = FoldCase(part);
    while (const dirent* entry = readdir(listing)) {
        const std::string_view entryName = entry->d_name;
        if (entryName != "." && entryName != ".." && FoldCase(entryName) == wanted &&
            KindOf(folder + entry->d_name) == kind) {
            matches.emplace_back(entryName);
        }
    }
    closedir(listing);
    std::sort(matches.begin(), matches.end());
    return matches;
}

} // namespace

SPictureFile FindPictureFile(const std::string& directory, const std::string& name) {
    SPictureFile found;
    // The name exactly as given first, so that a file whose Linux name holds a '\' still loads.
    if (KindOf(directory + name) == EKind::Other) {
        found.m_path = directory + name;
        found.m_match = EPictureMatch::Exact;
        return found;
    }
    const std::vector<std::string> parts = SplitName(name);
    std::string relative;
    for (const std::string& part : parts) {
        relative += (relative.empty() ? "" : "/") + part;
    }
    found.m_path = directory + relative;
    if (parts.empty()) {
        return found;
    }
    if (KindOf(found.m_path) == EKind::Other) {
        found.m_match = EPictureMatch::Exact;
        return found;
    }
    std::string taken;
    bool near = false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const EKind kind = i + 1 < parts.size() ? EKind::Folder : EKind::Other;
        const std::string prefix = taken.empty() ? "" : taken + "/";
        if (KindOf(directory + prefix + parts[i]) == kind) {
            taken = prefix + parts[i];
            continue;
        }
        const std::vector<std::string> matches =
            MatchesIgnoringCase(directory + prefix, parts[i], kind);
        if (matches.empty()) {
            return found; // missing
        }
        if (matches.size() > 1 && found.m_candidates.empty()) {
            for (const std::string& match : matches) {
                found.m_candidates.push_back(prefix + match);
            }
        }
        near = true;
        taken = prefix + matches.front();
    }
    found.m_path = directory + taken;
    found.m_taken = taken;
    found.m_match = !near                        ? EPictureMatch::Exact
                    : found.m_candidates.empty() ? EPictureMatch::Near
                                                 : EPictureMatch::Ambiguous;
    return found;
}

std::string PicturePath(const std::string& directory, const std::string& name) {
    return FindPictureFile(directory, name).m_path;
}
