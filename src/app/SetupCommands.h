#pragma once

#include "paramsets/ParameterSetLoadHost.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>

class CSerialLink;
class IFileDialog;
class QAction;
class QDialog;
class QWidget;

// What the setup commands need of the main window.
struct SSetupWindow {
    // Owner of the dialogs.
    QWidget* m_window = nullptr;
    // Entry 32776, whose text follows the port name.
    QAction* m_connectAction = nullptr;
    // Writes the title as given ("loading p:<3>" while a parameter set loads).
    std::function<void(const QString&)> m_setTitle;
    // Makes the next timer tick rewrite the connection title; by default the program-wide
    // last shown link state becomes -1.
    std::function<void()> m_forgetShownLinkState;
    // The open link; none or nullptr while not connected.
    std::function<const CSerialLink*()> m_link;
};

// The main window's setup commands: "Setup Connection ..." (port dialog, Connect text,
// "port.inf"), "Save Setup", "Load Setup", "Compare Setup ...", the About box and the parameter
// list.
class CSetupCommands final : public QObject, private IParameterSetLoadHost {
    Q_OBJECT

public:
    // Runs a dialog modally and returns its result; tests answer without blocking.
    using DialogRunner = std::function<int(QDialog&)>;

    explicit CSetupCommands(SSetupWindow window, QObject* parent = nullptr);
    ~CSetupCommands() override;
    CSetupCommands(const CSetupCommands&) = delete;
    CSetupCommands& operator=(const CSetupCommands&) = delete;

    // Runs one of the commands above (ID_SETUP_CONNECTION, ID_SAVE_SETUP, ID_LOAD_SETUP,
    // ID_COMPARE_SETUP, ID_APP_ABOUT, ID_PARAMETER_LIST); false for any other identifier.
    bool OnCommand(int commandId);

    // "Parameter List ..." for the "&File" menu: identifier 32771 in its data, shortcut
    // Ctrl+L, triggering ParameterList.
    QAction* CreateParameterListAction(QObject* parent);

    void SetDialogRunner(DialogRunner runner);
    // Replaces Qt's file dialog (not owned); nullptr restores it.
    void SetFileDialog(IFileDialog* files);

    // The About box's version line.
    static QString VersionText();
    // Where a dialog of the given size stands centred over the owner's frame.
    static QPoint CentredPosition(const QRect& ownerFrame, const QSize& dialogSize);

public slots:
    void SetupConnection();
    void SaveSetup();
    void LoadSetup();
    void CompareSetup();
    void About();
    void ParameterList();

private:
    void OnValueApplied(const CRegisterValue& value, int count) override;
    void OnElementDone() override;
    IFileDialog& Files();

    SSetupWindow m_window;
    DialogRunner m_runDialog;
    std::unique_ptr<IFileDialog> m_qtFiles;
    IFileDialog* m_files = nullptr;
};
