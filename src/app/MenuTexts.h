#pragma once

#include <string>
#include <vector>

class CConfiguration;

// "Connect -- " followed by the port name.
std::string ConnectMenuText(const std::string& portName);

struct SPageMenuEntry {
    int m_commandId = 0;
    std::string m_text; // UTF-8
};

// The "&Panel" menu: "Home" for page 0, then one entry per further page named after the page
// (converted for display, at most 99 characters). The first page's own name appears nowhere.
std::vector<SPageMenuEntry> PageMenuEntries(const CConfiguration& configuration);

// A UTF-8 text cut to at most maxCharacters characters, never inside a character.
std::string CutToCharacters(const std::string& text, std::size_t maxCharacters);
