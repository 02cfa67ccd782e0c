#include "XmlFile.h"

#include <tinyxml.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <strings.h>
#include <sys/mman.h>
#include <sys/stat.h>

namespace {

bool StartsWith(std::string_view text, std::size_t at, std::string_view prefix) {
    return text.compare(at, prefix.size(), prefix) == 0;
}

// Index just past the terminator, or the text's end when it is missing.
std::size_t SkipPast(std::string_view text, std::size_t at, std::string_view terminator) {
    const std::size_t found = text.find(terminator, at);
    return found == std::string_view::npos ? text.size() : found + terminator.size();
}

// Index just past the '>' that closes a tag, honouring quoted attribute values; sets
// selfClosing when the tag ends in "/>".
std::size_t SkipTag(std::string_view text, std::size_t at, bool& selfClosing) {
    std::size_t i = at;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '>') {
            selfClosing = i > at && text[i - 1] == '/';
            return i + 1;
        }
        if (c == '"' || c == '\'') {
            const std::size_t close = text.find(c, i + 1);
            if (close == std::string_view::npos) {
                break;
            }
            i = close + 1;
            continue;
        }
        ++i;
    }
    selfClosing = false;
    return text.size();
}

// A read-only view of a whole regular file. Mapping instead of reading keeps a large buffer out
// of the heap, where it would slow down TinyXML's many small allocations that follow.
class CMappedFile {
public:
    explicit CMappedFile(int fd) {
        struct stat status {};
        if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0) {
            return;
        }
        const auto size = static_cast<std::size_t>(status.st_size);
        void* data = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (data != MAP_FAILED) {
            m_data = data;
            m_size = size;
        }
    }
    ~CMappedFile() {
        if (m_data != nullptr) {
            munmap(m_data, m_size);
        }
    }
    CMappedFile(const CMappedFile&) = delete;
    CMappedFile& operator=(const CMappedFile&) = delete;

    bool IsValid() const { return m_data != nullptr; }
    std::string_view Text() const { return {static_cast<const char*>(m_data), m_size}; }

private:
    void* m_data = nullptr;
    std::size_t m_size = 0;
};

constexpr std::string_view UTF8_BOM = "\xEF\xBB\xBF";

// Parses a text byte by byte with line ends made "\n", as TiXmlDocument::LoadFile does.
bool ParseLegacy(std::string_view text, TiXmlDocument& document) {
    std::string normalised;
    normalised.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            normalised += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            normalised += text[i];
        }
    }
    document.Clear();
    document.Parse(normalised.c_str(), nullptr, TIXML_ENCODING_LEGACY);
    return !document.Error();
}

bool NamesUtf8(const char* encoding) {
    return *encoding == 0 || strcasecmp(encoding, "UTF-8") == 0 ||
           strcasecmp(encoding, "UTF8") == 0;
}

bool HasNonAscii(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return (static_cast<unsigned char>(c) & 0x80u) != 0; });
}

} // namespace

bool ExceedsNestingDepth(std::string_view text, int limit) {
    return FindNestingExcess(text, limit) != std::string_view::npos;
}

std::size_t FindNestingExcess(std::string_view text, int limit) {
    int depth = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t open = text.find('<', i);
        if (open == std::string_view::npos) {
            break;
        }
        // Decided by the character after '<' first: most markup is plain tags.
        const char next = open + 1 < text.size() ? text[open + 1] : '\0';
        if (next == '/') {
            depth = depth > 0 ? depth - 1 : 0;
            i = SkipPast(text, open + 2, ">");
        } else if (next == '?') {
            i = SkipPast(text, open + 2, "?>");
        } else if (next == '!') {
            if (StartsWith(text, open, "<!--")) {
                i = SkipPast(text, open + 4, "-->");
            } else if (StartsWith(text, open, "<![CDATA[")) {
                i = SkipPast(text, open + 9, "]]>");
            } else {
                i = SkipPast(text, open + 2, ">");
            }
        } else {
            bool selfClosing = false;
            i = SkipTag(text, open + 1, selfClosing);
            if (!selfClosing && ++depth > limit) {
                return open;
            }
        }
    }
    return std::string_view::npos;
}

std::optional<ETextEncoding> DeclaredEncoding(std::string_view text,
                                              const TiXmlDocument& document) {
    if (StartsWith(text, 0, UTF8_BOM)) {
        return ETextEncoding::Utf8;
    }
    for (const TiXmlNode* node = document.FirstChild(); node != nullptr;
         node = node->NextSibling()) {
        if (const TiXmlDeclaration* declaration = node->ToDeclaration()) {
            return NamesUtf8(declaration->Encoding()) ? ETextEncoding::Utf8 : ETextEncoding::Cp1252;
        }
    }
    return std::nullopt;
}

bool LoadXmlFile(const std::string& path, TiXmlDocument& document, ETextEncoding& encoding) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    bool loaded = false;
    {
        // Only regular, non-empty files: a folder or a device is no configuration.
        const CMappedFile mapped(fileno(file));
        const std::string_view text = mapped.Text();
        if (mapped.IsValid() && !ExceedsNestingDepth(text, MAX_XML_DEPTH)) {
            // TinyXML's UTF-8 mode trusts every lead byte and reads past the end of the buffer
            // after a cut sequence. A text that is not valid UTF-8 cannot be UTF-8 anyway, so it
            // is read byte by byte as code page 1252 whatever its declaration says.
            const bool utf8 = IsValidUtf8(text);
            encoding = ETextEncoding::Cp1252;
            if (!utf8 && StartsWith(text, 0, UTF8_BOM)) {
                // An editor put a byte-order mark before a code page 1252 text. In legacy mode
                // TinyXML takes the mark for text before the root, so it is dropped here.
                loaded = ParseLegacy(text.substr(UTF8_BOM.size()), document);
            } else {
                loaded =
                    document.LoadFile(file, utf8 ? TIXML_DEFAULT_ENCODING : TIXML_ENCODING_LEGACY);
            }
            if (loaded && utf8) {
                const std::optional<ETextEncoding> declared = DeclaredEncoding(text, document);
                if (declared) {
                    encoding = *declared;
                } else if (HasNonAscii(text)) {
                    // Editors on Linux write UTF-8 without saying so. TinyXML reads an
                    // undeclared text byte by byte and turns character references into single
                    // bytes, so such a text is read again as UTF-8.
                    loaded = document.LoadFile(file, TIXML_ENCODING_UTF8);
                    encoding = ETextEncoding::Utf8;
                }
            }
        }
    }
    std::fclose(file);
    return loaded;
}
