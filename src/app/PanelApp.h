#pragma once

#include "CommandLine.h"
#include "ProgramDirectorySearch.h"
#include "QtMessageService.h"

#include <QApplication>

#include <memory>

class CMainFrame;
class CSingleInstance;
class QSocketNotifier;

// The application object: reads the command line, sets the program directory and the port
// name, keeps to one window per user and program directory, creates the main window and runs
// it, or runs one of the modes that show no window.
class CPanelApp : public QApplication {
    Q_OBJECT
public:
    // The whole program; returns the exit status.
    static int Main(int argc, char** argv);
    // --check, --load-setup, --save-setup and --record: no window, no QApplication, no display.
    static int RunWithoutWindow(const SCommandLine& commandLine,
                                const SProgramDirectorySearch& search);

    CPanelApp(int& argc, char** argv);
    ~CPanelApp() override;
    CPanelApp(const CPanelApp&) = delete;
    CPanelApp& operator=(const CPanelApp&) = delete;

    CMainFrame* GetMainFrame() const { return m_mainFrame.get(); }

private:
    int Run(const SCommandLine& commandLine, const SProgramDirectorySearch& search);
    int RunSnapshot(const SCommandLine& commandLine);
    // SIGTERM and SIGINT end the panel the way "Exit" does.
    void EndOnTerminationSignals();

    CQtMessageService m_messages;
    CSingleInstance* m_singleInstance = nullptr;
    QSocketNotifier* m_signalNotifier = nullptr;
    std::unique_ptr<CMainFrame> m_mainFrame;
};
