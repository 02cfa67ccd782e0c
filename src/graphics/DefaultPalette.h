#pragma once

#include "Rgb.h"

#include <vector>

// The palette given to pictures without a colour table of their own: 16 fixed colours, a
// 6 x 6 x 6 colour cube (red fastest, blue slowest) and 24 greys, cut off after count entries.
// A count below 1 or above 256 means 256.
std::vector<SRgb> CreateDefaultPalette(int count);
