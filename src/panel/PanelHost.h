#pragma once

#include "ControlType.h"
#include "PageControl.h"

#include <memory>

class CUiObject;

// The window the panel's rules run in: it makes the control windows of a page and repaints.
class IPanelHost {
public:
    // The control for a UI object of a known type, placed at its position with the identifier
    // 2000 + its index; nullptr when none can be made.
    virtual std::unique_ptr<IPageControl> CreateControl(EControlType type, const CUiObject& object,
                                                        int identifier) = 0;
    // Called when the page's controls are gone: the controller hands them back for destruction.
    virtual void DestroyControl(std::unique_ptr<IPageControl> control) = 0;
    // A page has been built: repaint everything (the background changed).
    virtual void OnPageShown() = 0;

protected:
    ~IPanelHost() = default;
};
