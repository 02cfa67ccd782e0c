#pragma once

#include <array>
#include <cstdint>

// One control of a page as config.xml declares it. Texts point into the document that the
// configuration keeps for the whole run.
class CUiObject {
public:
    static constexpr int MAX_ITEMS = 30;
    static constexpr int MAX_OUTPUTS = 50;

    CUiObject() = default;
    virtual ~CUiObject() = default;
    CUiObject(const CUiObject&) = delete;
    CUiObject& operator=(const CUiObject&) = delete;

    const char* GetType() const { return m_type; }
    const char* GetColor() const { return m_color; }
    const char* GetImagePath() const { return m_imagePath; }
    const char* GetText() const { return m_text; }
    const char* GetInputFormula() const { return m_inputFormula; }

    int GetOutputCount() const { return m_outputCount; }
    // Indexes outside 0..count-1 give "" and 0.
    const char* GetOutputFormula(int index) const {
        return InRange(index, m_outputCount) ? m_outputFormulas[Slot(index)] : "";
    }
    std::int32_t GetOutputRegister(int index) const {
        return InRange(index, m_outputCount) ? m_outputRegisters[Slot(index)] : 0;
    }

    int GetItemCount() const { return m_itemCount; }
    const char* GetItemName(int index) const {
        return InRange(index, m_itemCount) ? m_itemNames[Slot(index)] : "";
    }
    std::int32_t GetItemValue(int index) const {
        return InRange(index, m_itemCount) ? m_itemValues[Slot(index)] : 0;
    }

    std::int32_t GetX() const { return m_x; }
    std::int32_t GetY() const { return m_y; }
    std::int32_t GetWidth() const { return m_width; }
    std::int32_t GetHeight() const { return m_height; }
    bool GetConfirm() const { return m_confirm != 0; }

    std::int32_t GetMinimum() const { return m_minimum; }
    std::int32_t GetMaximum() const { return m_maximum; }
    std::int32_t GetOrientation() const { return m_orientation; }
    std::int32_t GetMinorTick() const { return m_minorTick; }
    std::int32_t GetMajorTick() const { return m_majorTick; }
    std::int32_t GetLabelIncrement() const { return m_labelIncrement; }

    // The value last shown on or read from the control window, kept by the panel.
    std::int32_t GetLastValue() const { return m_lastValue; }
    bool IsLastValueValid() const { return m_lastValueValid != 0; }
    void SetLastValue(std::int32_t value) {
        m_lastValue = value;
        m_lastValueValid = 1;
    }
    void InvalidateLastValue() { m_lastValueValid = 0; }

private:
    friend class CConfigReader;

    static bool InRange(int index, int count) { return index >= 0 && index < count; }
    static std::size_t Slot(int index) { return static_cast<std::size_t>(index); }

    const char* m_type = "NoName";
    const char* m_color = "#FFFFFF";
    const char* m_imagePath = "";
    const char* m_text = "";
    const char* m_inputFormula = "";
    std::array<const char*, MAX_OUTPUTS> m_outputFormulas{};
    std::array<std::int32_t, MAX_OUTPUTS> m_outputRegisters{};
    std::int32_t m_outputCount = 0;
    std::int32_t m_x = 10;
    std::int32_t m_y = 10;
    std::int32_t m_width = 10;
    std::int32_t m_height = 10;
    std::int32_t m_confirm = 0;
    std::array<const char*, MAX_ITEMS> m_itemNames{};
    std::array<std::int32_t, MAX_ITEMS> m_itemValues{};
    std::int32_t m_itemCount = 0;
    std::int32_t m_minimum = 0;
    std::int32_t m_maximum = 0;
    std::int32_t m_orientation = 0;
    std::int32_t m_minorTick = 0;
    std::int32_t m_majorTick = 0;
    std::int32_t m_labelIncrement = 0;
    std::int32_t m_lastValue = 0;
    std::int32_t m_lastValueValid = 0;
};
