#pragma once

#include "config/ParameterListener.h"

#include <functional>
#include <utility>

// Hands every change to a function: a test's one-off listener without a class of its own.
class CFunctionListener final : public IParameterListener {
public:
    explicit CFunctionListener(std::function<void(CRegisterValue&)> onChanged)
        : m_onChanged(std::move(onChanged)) {}
    void OnParameterChanged(CRegisterValue& value) override { m_onChanged(value); }

private:
    std::function<void(CRegisterValue&)> m_onChanged;
};
