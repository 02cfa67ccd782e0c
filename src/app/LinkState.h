#pragma once

#include <optional>
#include <string>

class CConfiguration;

// The link state the window title last showed: -1 (unknown, forces the next tick to rewrite
// the title), 0 (no connection) or 1 (connected). 0 at start. Program-wide, so that loading a
// parameter set, which writes its progress into the title, can ask for the title back.
constexpr int LINK_STATE_UNKNOWN = -1;
int GetLastShownLinkState();
void SetLastShownLinkState(int state);

constexpr const char* TITLE_AT_START = "Tarnel";
constexpr const char* TITLE_CONNECTED = "TN [connected]";
constexpr const char* TITLE_NOT_CONNECTED = "TN [no Conn.]";

// The link-state half of the main window's timer tick: compares the store's link-alive state
// with the one last shown and, on a change, remembers it and returns the new title; a change
// to connected also announces itself to the device (register 999 set to 1 by the main window).
// Nothing when the state is unchanged.
std::optional<std::string> CheckLinkState(CConfiguration& configuration);
