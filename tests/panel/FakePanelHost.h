#pragma once

#include "panel/PanelHost.h"

#include <map>
#include <vector>

// Records what the panel's rules push into it and answers with a preset user value.
class CFakeControl final : public IPageControl {
public:
    void ShowValue(std::int32_t value) override { m_shown.push_back(value); }
    std::optional<std::int32_t> ReadUserValue() const override { return m_user; }

    std::vector<std::int32_t> m_shown;
    std::optional<std::int32_t> m_user;
};

// Makes fake controls, listing the latest by identifier, and counts page builds.
class CFakeHost final : public IPanelHost {
public:
    std::unique_ptr<IPageControl> CreateControl(EControlType /*type*/, const CUiObject& /*object*/,
                                                int identifier) override {
        auto control = std::make_unique<CFakeControl>();
        m_latest[identifier] = control.get();
        return control;
    }
    // Those of the page left stay listed until a control of the same identifier replaces them.
    void DestroyControl(std::unique_ptr<IPageControl> /*control*/) override {}
    void OnPageShown() override { ++m_pagesShown; }

    CFakeControl& At(int identifier) { return *m_latest.at(identifier); }

    std::map<int, CFakeControl*> m_latest;
    int m_pagesShown = 0;
};
