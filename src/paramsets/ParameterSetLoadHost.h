#pragma once

class CRegisterValue;

// What loading a parameter set does besides changing values: the main window shows the
// progress in its title and forgets the link state it showed, so that its next timer tick
// writes the connection title again. Commissioning without a window watches the values.
class IParameterSetLoadHost {
public:
    // After a value went through the store, with the count of values applied so far.
    virtual void OnValueApplied(const CRegisterValue& value, int count) = 0;
    // After every element of the file, applied or skipped.
    virtual void OnElementDone() = 0;

protected:
    ~IParameterSetLoadHost() = default;
};

// Loading that shows no progress: scripts, and changes sent from a comparison.
class CSilentLoadHost final : public IParameterSetLoadHost {
public:
    void OnValueApplied(const CRegisterValue&, int) override {}
    void OnElementDone() override {}
};
