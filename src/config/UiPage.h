#pragma once

#include "UiObject.h"

#include <array>
#include <memory>

// One page of the panel: a background picture and up to 300 controls in document order.
class CUiPage {
public:
    static constexpr int MAX_CONTROLS = 300;

    CUiPage() = default;
    virtual ~CUiPage() = default;
    CUiPage(const CUiPage&) = delete;
    CUiPage& operator=(const CUiPage&) = delete;

    const char* GetName() const { return m_name; }
    const char* GetColor() const { return m_color; }
    const char* GetImagePath() const { return m_imagePath; }
    int GetControlCount() const { return m_controlCount; }
    // nullptr for an index outside 0..count-1.
    CUiObject* GetControl(int index) const {
        return index >= 0 && index < m_controlCount
                   ? m_controls[static_cast<std::size_t>(index)].get()
                   : nullptr;
    }

private:
    friend class CConfigReader;

    const char* m_color = "#FFFFFF";
    const char* m_imagePath = "";
    const char* m_name = "NoName";
    std::array<std::unique_ptr<CUiObject>, MAX_CONTROLS> m_controls;
    std::int32_t m_controlCount = 0;
};
