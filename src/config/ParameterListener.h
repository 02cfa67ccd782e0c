#pragma once

class CRegisterValue;

// Told of every applied change, on the thread that called CConfiguration::Update.
class IParameterListener {
public:
    virtual void OnParameterChanged(CRegisterValue& value) = 0;

protected:
    ~IParameterListener() = default;
};
