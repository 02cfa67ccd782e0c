#pragma once

// Identifiers of the main window's commands. They are fixed: other programs, old handhelds and
// documentation refer to them, and every menu action carries its identifier.
enum ECommandId : int {
    ID_PARAMETER_LIST = 32771, // no menu entry
    ID_CONNECT = 32776,
    ID_UNCONNECT = 32777,
    ID_SETUP_CONNECTION = 32781,
    ID_SAVE_SETUP = 32782,
    ID_LOAD_SETUP = 32783,
    ID_COMPARE_SETUP = 32784,
    ID_TRAFFIC_LOG = 32786,
    ID_OPEN_LOG_FOLDER = 32787,
    ID_TREND = 32795,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    // "Home" is page 0; page i has ID_PAGE_FIRST + i.
    ID_PAGE_FIRST = 1000,
    ID_PAGE_LAST = 1020,
};
