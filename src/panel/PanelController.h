#pragma once

#include "ControlType.h"
#include "PageControl.h"
#include "PendingChanges.h"
#include "config/ParameterListener.h"
#include "expr/ExpressionParser.h"
#include "graphics/DibImage.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CConfiguration;
class CUiObject;
class CUiPage;
class IPanelHost;

// The rules of the panel, free of any window system: shows one page at a time, keeps its
// controls in step with the parameters on every refresh tick, and turns what the operator does
// into value changes through the controls' output formulas. Page switches come from the menu
// and from changes of register 997, which arrive as notifications like every other change.
//
// Everything but OnParameterChanged runs on the user-interface thread; OnParameterChanged only
// queues, from whichever thread updates the store.
class CPanelController : public IParameterListener {
public:
    static constexpr int FIRST_IDENTIFIER = 2000;
    static constexpr int IDENTIFIER_COUNT = 300;
    static constexpr const char* WARNING_CAPTION = "Warning";

    CPanelController(CConfiguration& configuration, IPanelHost& host);
    // Hands every control back to the host. Whoever registered the controller as a listener
    // must have removed it first.
    virtual ~CPanelController();
    CPanelController(const CPanelController&) = delete;
    CPanelController& operator=(const CPanelController&) = delete;

    // Builds the page: the old page's controls go, the background is read anew, every UI object
    // of a known type gets its control. The page shown already, or one the configuration does
    // not have, changes nothing.
    void ShowPage(int page);
    // One tick: a queued page-select record switches the page and ends the tick; otherwise every
    // control shows its input formula's value when that changed, and combo and slider positions
    // the operator chose are written.
    void RefreshControls();
    // An action on a control: a click of a button or check box, Enter in a field. Commands of
    // controls no longer shown (source not the control at that identifier) are dropped.
    void OnControlCommand(int identifier, const IPageControl* source);
    // Writes the value through the object's output formulas, x being the value; every formula
    // is evaluated before the first change goes to the store.
    void ApplyUserValue(const CUiObject& object, std::int32_t x);

    void OnParameterChanged(CRegisterValue& value) override;

    int GetCurrentPage() const { return m_currentPage; }
    const CDibImage& GetBackground() const { return m_background; }
    // The control at an index of the page shown; nullptr when there is none.
    IPageControl* GetControl(int index) const;
    CConfiguration& GetConfiguration() const { return m_configuration; }

private:
    void DestroyControls();
    bool Confirm(const char* question, const CUiObject& object) const;
    std::int32_t EvaluateInput(const CUiObject& object);

    CConfiguration& m_configuration;
    IPanelHost& m_host;
    CPendingChanges m_pendingChanges;
    int m_currentPage = -1;
    const CUiPage* m_page = nullptr;
    // Index on the page to its control and type; empty entries for objects without a control.
    std::vector<std::unique_ptr<IPageControl>> m_controls;
    std::vector<EControlType> m_types;
    CDibImage m_background;
    CExpressionParser m_parser;
};
