#pragma once

#include "Rgb.h"

#include <vector>

// The 256-entry palette given to pictures without a colour table of their own: 16 fixed
// colours, a 6 x 6 x 6 colour cube (red fastest, blue slowest) and 24 greys.
std::vector<SRgb> CreateDefaultPalette();
