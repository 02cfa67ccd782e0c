#include "LinkState.h"

#include "config/Configuration.h"
#include "config/RegisterValue.h"

#include <atomic>

namespace {

std::atomic<int> s_lastShownLinkState{0};

} // namespace

int GetLastShownLinkState() {
    return s_lastShownLinkState.load();
}

void SetLastShownLinkState(int state) {
    s_lastShownLinkState.store(state);
}

std::optional<std::string> CheckLinkState(CConfiguration& configuration) {
    const int alive = configuration.IsLinkAlive() ? 1 : 0;
    if (alive == s_lastShownLinkState.load()) {
        return std::nullopt;
    }
    s_lastShownLinkState.store(alive);
    if (alive == 0) {
        return std::string(TITLE_NOT_CONNECTED);
    }
    // With register 999 declared and SendSerial, the link turns this into its request for a
    // report of every register.
    CRegisterValue announce(SOURCE_MAIN_WINDOW, REGISTER_LINK_COMMAND, 1.0);
    configuration.Update(announce);
    return std::string(TITLE_CONNECTED);
}
