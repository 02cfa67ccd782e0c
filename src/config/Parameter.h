#pragma once

#include <atomic>
#include <cstdint>

class CRegisterValue;

// One device register as config.xml declares it, with its current value. The value is written
// by the serial reader thread and the user-interface thread alike, hence atomic.
class CParameter {
public:
    static constexpr std::uint32_t SERIAL_SEND = 1u;       // "SendSerial"
    static constexpr std::uint32_t SERIAL_RECEIVE = 2u;    // "ReciveSerial"
    static constexpr std::uint32_t FILE_SET_ON_LOAD = 1u;  // "SetOnLoad"
    static constexpr std::uint32_t FILE_READ_ON_SAVE = 2u; // "ReadOnSave"

    CParameter() = default;
    virtual ~CParameter() = default;
    CParameter(const CParameter&) = delete;
    CParameter& operator=(const CParameter&) = delete;

    std::int32_t GetId() const { return m_id; }
    const char* GetName() const { return m_name; }
    std::int32_t GetValue() const { return m_value.load(std::memory_order_relaxed); }
    std::int32_t GetMinimum() const { return m_minimum; }
    std::int32_t GetMaximum() const { return m_maximum; }
    std::uint32_t GetSerialFlags() const { return m_serialFlags; }
    std::uint32_t GetFileFlags() const { return m_fileFlags; }
    bool IsSendSerial() const { return (m_serialFlags & SERIAL_SEND) != 0; }
    bool IsSetOnLoad() const { return (m_fileFlags & FILE_SET_ON_LOAD) != 0; }
    bool IsReadOnSave() const { return (m_fileFlags & FILE_READ_ON_SAVE) != 0; }

    // What the parameter would hold after taking the value: rounded, raised to the minimum,
    // then lowered to the maximum (so a maximum below the minimum wins).
    std::int32_t Clamp(double value) const;
    // Stores the clamped value and writes it back into the record.
    void SetValue(CRegisterValue& value);

private:
    friend class CConfigReader;

    std::uint32_t m_serialFlags = 0;
    std::uint32_t m_fileFlags = 0;
    std::int32_t m_minimum = -127;
    std::int32_t m_maximum = 127;
    std::atomic<std::int32_t> m_value{0};
    std::int32_t m_id = 0;
    const char* m_name = "NoName";
};
