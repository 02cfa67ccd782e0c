#pragma once

// The kinds of page control, chosen by a UI object's Type text.
enum class EControlType {
    None, // any other text: the object makes no control but keeps its index
    Button,
    Label,
    Check,
    Combo,
    Field,
    Bar,
    TsView,
    Panel,
    SwitchImage,
    Slider,
};

// Exact, case-sensitive: "button" is no Button.
EControlType ParseControlType(const char* type);
