#pragma once

#include <cstdint>
#include <optional>

// One control window of the page shown, as the panel's rules drive it. The control knows nothing
// of parameters or formulas: it shows values and reports what the operator set.
class IPageControl {
public:
    virtual ~IPageControl() = default;

    // A new display value, pushed on a refresh tick when it differs from the last one.
    virtual void ShowValue(std::int32_t value) = 0;
    // The value the operator has chosen, polled on every tick (combo and slider); none for other
    // controls and while a combo has no selection.
    virtual std::optional<std::int32_t> ReadUserValue() const { return std::nullopt; }
    // The value a command of the control writes (check box 1 or 0, a field's integer); none
    // when there is nothing to write.
    virtual std::optional<std::int32_t> ReadCommandValue() const { return std::nullopt; }
    // Takes back what the operator's action did to the control itself (a check box's toggle).
    virtual void UndoUserChange() {}
};
