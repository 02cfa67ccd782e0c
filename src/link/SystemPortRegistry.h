#pragma once

#include "MemoryRegistry.h"

// The port registry of this machine (see PortRegistry.h): the port map of the program
// directory, and Qt's serial port information for the devices the ports resolve to.
CMemoryRegistry ReadSystemPortRegistry();
