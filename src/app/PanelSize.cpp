#include "PanelSize.h"

#include "config/Configuration.h"
#include "graphics/DibImage.h"
#include "graphics/PictureFile.h"

#include <algorithm>
#include <cstring>

namespace {

// The types the panel makes a window for; any other type occupies no room.
bool HasWindow(const char* type) {
    static const char* const s_types[] = {"Button", "Label",  "Check", "Combo",       "Field",
                                          "Bar",    "Slider", "Panel", "SwitchImage", "TsView"};
    return std::any_of(std::begin(s_types), std::end(s_types),
                       [type](const char* known) { return std::strcmp(type, known) == 0; });
}

std::int32_t ClampSide(std::int64_t side) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(side, 0, MAX_PANEL_SIDE));
}

} // namespace

SPanelSize PageExtent(const CUiPage& page, const std::string& programDirectory,
                      const PictureSizeFunction& pictureSize) {
    std::int64_t right = 0;
    std::int64_t bottom = 0;
    if (page.GetImagePath()[0] != '\0') {
        const SPanelSize picture = pictureSize(PicturePath(programDirectory, page.GetImagePath()));
        right = picture.m_width;
        bottom = picture.m_height;
    }
    for (int i = 0; i < page.GetControlCount(); ++i) {
        const CUiObject& control = *page.GetControl(i);
        if (!HasWindow(control.GetType())) {
            continue;
        }
        // 64-bit sums: positions and sizes are whatever the file says.
        right = std::max(right, std::int64_t{control.GetX()} + control.GetWidth());
        bottom = std::max(bottom, std::int64_t{control.GetY()} + control.GetHeight());
    }
    return {ClampSide(right), ClampSide(bottom)};
}

SPanelSize PanelSize(const CConfiguration& configuration, const std::string& programDirectory,
                     const PictureSizeFunction& pictureSize) {
    SPanelSize size = MIN_PANEL_SIZE;
    for (int i = 0; i < configuration.GetPageCount(); ++i) {
        const SPanelSize extent =
            PageExtent(*configuration.GetPage(i), programDirectory, pictureSize);
        size.m_width = std::max(size.m_width, extent.m_width);
        size.m_height = std::max(size.m_height, extent.m_height);
    }
    return size;
}

SPanelSize BitmapFileSize(const std::string& path) {
    CDibImage image;
    if (!image.Load(path) || image.IsEmpty()) {
        return {};
    }
    return {image.GetWidth(), image.GetRowCount()};
}
