#pragma once

#include "CommandIds.h"
#include "link/SerialLink.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>

class CConfiguration;
class CPanelView;
class CSetupCommands;
class CTrendWindow;
class QAction;
class QMenu;
class QSettings;
class QTimer;

// The main window: the menu, the panel view as its only child, the serial link while the
// operator is connected, and the 200 ms timer that drives the panel and shows in the title
// whether the device answers.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int TIMER_PERIOD_MS = 200;
    // Short enough for the status bar of a 240-pixel-wide handheld: a change made while the port
    // is down is never sent, not even after the device returns.
    static constexpr const char* CHANGES_LOST_TEXT = "No connection: changes are lost";

    // Asks the configuration store for its instance, which loads config.xml on first use (and
    // ends the process when it cannot), then builds the menu and the view and shows page 0.
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    CPanelView* GetPanelView() const { return m_view; }
    // The action carrying a command identifier; nullptr for none.
    QAction* GetAction(int commandId) const;
    QAction* GetConnectAction() const { return GetAction(ID_CONNECT); }
    // The open link; nullptr while not connected.
    CSerialLink* GetLink() const { return m_link.get(); }

    // Rewrites the Connect entry from the program-wide port name (after the port changed).
    void UpdateConnectText();
    // The title as given, without anything appended.
    void SetTitle(const QString& title);

    // Handles a command identifier as its menu entry would; false for an unknown one.
    bool OnCommand(int commandId);
    // One tick of the timer: the link state into the title, then the panel's refresh.
    void OnTimerTick();
    void BringToFront();

    // The traffic log: "Traffic Log" checked (remembered in the settings) logs every connection
    // into the log folder, by default $XDG_STATE_HOME/tarnel/log. A folder given here (--log)
    // is used for this run and turns the log on without changing what is remembered.
    void SetLogFolder(const std::string& folder);
    std::string GetLogFolder() const;
    bool IsTrafficLogOn() const;

    // Tests: shorter waits for the link, and an exit that does not end the test.
    void SetLinkTiming(const SSerialLinkTiming& timing) { m_linkTiming = timing; }
    void SetExitFunction(std::function<void(int)> exitFunction);
    // Settings other than the user's (not owned); the Traffic Log entry follows them.
    void SetSettings(QSettings* settings);
    // Opens a folder in the desktop's file manager.
    void SetFolderOpener(std::function<void(const QString&)> opener);
    QTimer* GetTimer() const { return m_timer; }
    CSetupCommands* GetSetupCommands() const { return m_setup; }
    // nullptr until "Trend ..." first opens it; it then samples for the rest of the run.
    CTrendWindow* GetTrendWindow() const { return m_trend; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildSetupCommands();
    QAction* AddCommand(QMenu* menu, int commandId, const QString& text, const QString& name);
    void Connect();
    void Unconnect();
    void ShowTrend();
    void SetConnectionState(bool connected);
    // The status line while changes do not reach the device because the port is down.
    void ShowChangesLost();
    void BuildLogCommands(QMenu* file);
    void OpenLogFolder();
    void ApplyPanelSize();

    CConfiguration* m_configuration;
    std::unique_ptr<CSerialLink> m_link;
    CPanelView* m_view = nullptr;
    QTimer* m_timer = nullptr;
    CSetupCommands* m_setup = nullptr;
    CTrendWindow* m_trend = nullptr;
    std::map<int, QAction*> m_actions;
    SSerialLinkTiming m_linkTiming;
    std::function<void(int)> m_exit;
    bool m_changesLostShown = false;
    std::unique_ptr<QSettings> m_ownSettings;
    QSettings* m_settings = nullptr;
    std::string m_logFolder; // --log; empty: the default folder
    std::function<void(const QString&)> m_openFolder;
};
