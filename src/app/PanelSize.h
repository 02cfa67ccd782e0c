#pragma once

#include <cstdint>
#include <functional>
#include <string>

class CConfiguration;
class CUiPage;

struct SPanelSize {
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
};

constexpr SPanelSize MIN_PANEL_SIZE{240, 320};
// Beyond this a configuration is taken to be wrong rather than meant for a huge screen.
constexpr std::int32_t MAX_PANEL_SIDE = 4096;

// The size of a picture file (empty when it cannot be read).
using PictureSizeFunction = std::function<SPanelSize(const std::string& path)>;

// What a page covers: its background picture and the box from the view's origin around every
// control that gets a window.
SPanelSize PageExtent(const CUiPage& page, const std::string& programDirectory,
                      const PictureSizeFunction& pictureSize);

// The panel area the main window opens with: the largest extent of any page, so that every page
// is seen whole, at least 240 x 320 and at most MAX_PANEL_SIDE a side.
SPanelSize PanelSize(const CConfiguration& configuration, const std::string& programDirectory,
                     const PictureSizeFunction& pictureSize);

// Reads the size from the bitmap file with our own reader.
SPanelSize BitmapFileSize(const std::string& path);
