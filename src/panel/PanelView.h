#pragma once

#include "PanelHost.h"
#include "config/ParameterListener.h"

#include <QWidget>

#include <memory>

class CConfiguration;
class CPanelController;
class CRegisterValue;

// The window area that shows one page of the configuration: the page's background picture at
// its top-left corner and a control window for every UI object of a known type, each named
// "control_<identifier>" (identifier 2000 + its index on the page). It keeps the controls in
// step with the parameters on every RefreshControls and turns what the operator does with them
// into value changes. It listens to every change of the store, so that a write to register 997
// switches the page at the next refresh.
class CPanelView : public QWidget, public IParameterListener, private IPanelHost {
    Q_OBJECT

public:
    // Works on the process-wide store and registers with it as a listener.
    explicit CPanelView(QWidget* parent = nullptr);
    explicit CPanelView(CConfiguration& configuration, QWidget* parent = nullptr);
    // Unregisters from the store before anything else goes, so the serial reader thread never
    // calls a view that is being destroyed.
    ~CPanelView() override;
    CPanelView(const CPanelView&) = delete;
    CPanelView& operator=(const CPanelView&) = delete;

    // Shows the page of that index; the page already shown or an index the configuration does
    // not have changes nothing.
    void ShowPage(int index);
    // One timer tick: page requests first, then every control of the page.
    void RefreshControls();
    // -1 before the first ShowPage.
    int GetCurrentPage() const;

    // Queues a copy of the change for the next RefreshControls; any thread.
    void OnParameterChanged(CRegisterValue& value) override;

    // The object name of the control with that identifier.
    static QString ControlObjectName(int identifier);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<IPageControl> CreateControl(EControlType type, const CUiObject& object,
                                                int identifier) override;
    void DestroyControl(std::unique_ptr<IPageControl> control) override;
    void OnPageShown() override;

    void HandleCommand(int identifier, const IPageControl* source);

    CConfiguration& m_configuration;
    std::unique_ptr<CPanelController> m_controller;
    // Commands being handled: a question's modal loop may switch pages meanwhile, and a control
    // whose signal is still on the stack must not be deleted under it.
    int m_commandDepth = 0;
};
