#pragma once

#include <cstdint>

// Who caused a change; listeners decide by it (the serial link never echoes device reports).
enum ERegisterSource : std::int32_t {
    SOURCE_PARAMETER_DIALOG = 0,
    SOURCE_DEVICE = 1,
    SOURCE_PARAMETER_SET = 17,
    SOURCE_PANEL = 99,
    SOURCE_MAIN_WINDOW = 101,
};

// Registers with a fixed role. They act only when config.xml declares them.
constexpr std::int32_t REGISTER_PAGE_SELECT = 997;
constexpr std::int32_t REGISTER_LINK_COMMAND = 999;

// One change of one device register on its way through the store to the listeners.
class CRegisterValue {
public:
    CRegisterValue(std::int32_t source, std::int32_t registerNumber, double value)
        : m_value(value), m_register(registerNumber), m_source(source) {}
    virtual ~CRegisterValue() = default;
    CRegisterValue(const CRegisterValue&) = default;
    CRegisterValue& operator=(const CRegisterValue&) = default;

    double GetValue() const { return m_value; }
    std::int32_t GetRegister() const { return m_register; }
    std::int32_t GetSource() const { return m_source; }
    void SetValue(double value) { m_value = value; }

private:
    double m_value;
    std::int32_t m_register;
    std::int32_t m_source;
};
