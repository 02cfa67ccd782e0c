#include "MenuTexts.h"

#include "CommandIds.h"
#include "config/Configuration.h"

namespace {

constexpr std::size_t MAX_MENU_TEXT = 99;

} // namespace

std::string ConnectMenuText(const std::string& portName) {
    return "Connect -- " + portName;
}

std::vector<SPageMenuEntry> PageMenuEntries(const CConfiguration& configuration) {
    std::vector<SPageMenuEntry> entries{{ID_PAGE_FIRST, "Home"}};
    for (int page = 1; page < configuration.GetPageCount() && ID_PAGE_FIRST + page <= ID_PAGE_LAST;
         ++page) {
        const std::string name = configuration.DisplayText(configuration.GetPage(page)->GetName());
        entries.push_back({ID_PAGE_FIRST + page, CutToCharacters(name, MAX_MENU_TEXT)});
    }
    return entries;
}

std::string CutToCharacters(const std::string& text, std::size_t maxCharacters) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Continuation bytes (10xxxxxx) belong to the character before them.
        if ((static_cast<unsigned char>(text[i]) & 0xC0u) != 0x80u &&
            characters++ == maxCharacters) {
            return text.substr(0, i);
        }
    }
    return text;
}
