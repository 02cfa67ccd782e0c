#include "PanelApp.h"

#include "InstanceKey.h"
#include "MainFrame.h"
#include "PageSnapshots.h"
#include "SingleInstance.h"
#include "Startup.h"
#include "check/ConfigCheck.h"
#include "config/Configuration.h"
#include "config/ProgramDirectory.h"
#include "link/PortName.h"
#include "paramsets/Commissioning.h"
#include "trend/HeadlessRecording.h"

#include <QDir>
#include <QIcon>
#include <QSocketNotifier>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int DEVICE_WAIT_MS = 5000;

int s_signalPipe[2] = {-1, -1};

extern "C" void OnTerminationSignal(int) {
    const char byte = 1;
    // Nothing else is safe in a signal handler; the event loop does the rest.
    (void)!write(s_signalPipe[1], &byte, 1);
}

// Platforms that show nothing to a person: a modal message box there would wait for ever.
bool HasVisibleScreen() {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

// Set by SIGINT or SIGTERM while recording without a window; the recording ends at its next tick.
std::atomic<bool> s_recordingStop{false};

extern "C" void OnRecordingSignal(int) {
    s_recordingStop.store(true);
}

int RunRecordingUntilSignal(const SCommandLine& commandLine) {
    struct sigaction action {};
    action.sa_handler = OnRecordingSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    SRecordingRequest request;
    request.m_file = commandLine.m_recordFile;
    request.m_registers = commandLine.m_recordRegisters;
    request.m_duration = commandLine.m_recordDuration;
    request.m_portName = GetPortName();
    return RunRecording(request, s_recordingStop, std::cout, std::cerr);
}

// The guard against a second window of this user and program directory, with its socket in a
// folder only this user can create files in; none, said on standard error, without one.
CSingleInstance* MakeSingleInstance(QObject* parent) {
    const SInstanceFolder folder =
        PrivateInstanceFolder(qEnvironmentVariable("XDG_RUNTIME_DIR").toStdString(),
                              QDir::tempPath().toStdString(), getuid());
    if (folder.m_path.empty()) {
        std::fprintf(stderr, "tarnel: no single-instance socket: %s\n", folder.m_problem.c_str());
        return nullptr;
    }
    const std::string key = InstanceKey(std::to_string(getuid()), GetProgramDirectory());
    return new CSingleInstance(QString::fromStdString(folder.m_path + "/" + key), parent);
}

SProgramDirectorySearch SearchFor(const SCommandLine& commandLine, const char* argv0) {
    return SearchProgramDirectory(ReadSearchEnvironment(commandLine.m_programDirectory, argv0),
                                  HoldsConfigFile);
}

} // namespace

int CPanelApp::Main(int argc, char** argv) {
    // The name under which Qt keeps the application's settings.
    QCoreApplication::setOrganizationName(QStringLiteral("Tarnel"));
    QCoreApplication::setApplicationName(QStringLiteral("Tarnel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARNEL_VERSION));

    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const SCommandLine commandLine = ParseCommandLine(arguments);
    switch (commandLine.m_mode) {
    case ERunMode::Help:
    case ERunMode::Version:
        std::fputs(commandLine.m_text.toLocal8Bit().constData(), stdout);
        return EXIT_SUCCESS;
    case ERunMode::Error:
        std::fprintf(stderr, "tarnel: %s\nTry 'tarnel --help'.\n",
                     commandLine.m_text.toLocal8Bit().constData());
        return 2;
    case ERunMode::Check:
    case ERunMode::LoadSetup:
    case ERunMode::SaveSetup:
    case ERunMode::CompareSetup:
    case ERunMode::Record:
        return RunWithoutWindow(commandLine, SearchFor(commandLine, argc > 0 ? argv[0] : nullptr));
    case ERunMode::Window:
    case ERunMode::Snapshot:
        break;
    }
    // Runs without a window need no display, and the offscreen platform's complaints about
    // what it cannot do (raise a window, size hints) would only bury the program's own output.
    if (!ShowsWindow(commandLine.m_mode)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES")) {
            qputenv("QT_LOGGING_RULES", "default.warning=false");
        }
    }
    const SProgramDirectorySearch search = SearchFor(commandLine, argc > 0 ? argv[0] : nullptr);
    CPanelApp application(argc, argv);
    return application.Run(commandLine, search);
}

int CPanelApp::RunWithoutWindow(const SCommandLine& commandLine,
                                const SProgramDirectorySearch& search) {
    if (!search.m_programDirectory) {
        // The status these runs give for any file they cannot use (--check as well).
        std::cerr << "Kann config.xml nicht laden!\n" << DescribeFailedSearch(search);
        return COMMISSIONING_UNUSABLE;
    }
    ApplyStartupSettings(*search.m_programDirectory, commandLine.m_portName,
                         search.m_userDirectory);
    if (commandLine.m_mode == ERunMode::Check) {
        // The checker reads the file on its own; the process-wide store stays untouched.
        return RunConfigCheck(GetProgramDirectory(), commandLine.m_warningsAsErrors, std::cout);
    }
    if (commandLine.m_mode == ERunMode::Record) {
        return RunRecordingUntilSignal(commandLine);
    }
    if (commandLine.m_mode == ERunMode::CompareSetup) {
        return RunCompareSetup(commandLine.m_setupFile, commandLine.m_againstFile, GetPortName(),
                               std::cout, std::cerr);
    }
    if (commandLine.m_mode == ERunMode::LoadSetup) {
        return RunLoadSetup(commandLine.m_setupFile, GetPortName(), std::cout, std::cerr);
    }
    return RunSaveSetup(commandLine.m_setupFile, commandLine.m_connect, GetPortName(), std::cout,
                        std::cerr);
}

CPanelApp::CPanelApp(int& argc, char** argv) : QApplication(argc, argv) {
    setWindowIcon(QIcon(QStringLiteral(":/icons/tarnel.png")));
}

CPanelApp::~CPanelApp() {
    m_mainFrame.reset();
    if (&GetMessageService() == &m_messages) {
        SetMessageService(nullptr);
    }
}

int CPanelApp::Run(const SCommandLine& commandLine, const SProgramDirectorySearch& search) {
    const bool window = ShowsWindow(commandLine.m_mode);
    if (!search.m_programDirectory) {
        if (window && HasVisibleScreen()) {
            SetMessageService(&m_messages);
        }
        CConfiguration::ShowLoadFailure();
        std::fputs(DescribeFailedSearch(search).c_str(), stderr);
        return EXIT_FAILURE;
    }
    ApplyStartupSettings(*search.m_programDirectory, commandLine.m_portName,
                         search.m_userDirectory);
    if (window) {
        m_singleInstance = MakeSingleInstance(this);
        if (m_singleInstance != nullptr && m_singleInstance->ActivateRunningInstance()) {
            return EXIT_SUCCESS;
        }
    }
    if (window && HasVisibleScreen()) {
        SetMessageService(&m_messages);
    }
    // Loads config.xml; when it cannot be loaded the process ends here with status 1. That
    // happens before the instance socket exists, so that no socket file outlives the process.
    CConfiguration::GetInstance();
    if (m_singleInstance != nullptr && !m_singleInstance->Listen()) {
        return EXIT_SUCCESS;
    }
    m_mainFrame = std::make_unique<CMainFrame>();
    if (commandLine.m_logDirectory) {
        m_mainFrame->SetLogFolder(*commandLine.m_logDirectory);
    }
    EndOnTerminationSignals();
    if (m_singleInstance != nullptr) {
        connect(m_singleInstance, &CSingleInstance::ActivationRequested, m_mainFrame.get(),
                &CMainFrame::BringToFront);
        // "Exit" ends the process at once; the socket file must not outlive it.
        m_mainFrame->SetExitFunction([this](int status) {
            m_singleInstance->Close();
            std::fflush(nullptr);
            std::_Exit(status);
        });
    }
    m_mainFrame->show();
    if (commandLine.m_connect) {
        m_mainFrame->OnCommand(ID_CONNECT);
    }
    if (commandLine.m_mode == ERunMode::Snapshot) {
        return RunSnapshot(commandLine);
    }
    return exec();
}

int CPanelApp::RunSnapshot(const SCommandLine& commandLine) {
    if (commandLine.m_connect && !WaitForDeviceValues(DEVICE_WAIT_MS)) {
        std::fprintf(stderr, "tarnel: no report from the device; the pictures show the values "
                             "the panel had\n");
    }
    QString error;
    const QStringList paths = WritePageSnapshots(
        *m_mainFrame, QString::fromLocal8Bit(commandLine.m_snapshotDirectory.c_str()), error);
    if (paths.isEmpty()) {
        std::fprintf(stderr, "tarnel: %s\n", error.toLocal8Bit().constData());
        return EXIT_FAILURE;
    }
    for (const QString& path : paths) {
        std::printf("%s\n", path.toLocal8Bit().constData());
    }
    // Ends like "Exit": an open link is not closed in order.
    m_mainFrame->OnCommand(ID_APP_EXIT);
    return EXIT_SUCCESS;
}

void CPanelApp::EndOnTerminationSignals() {
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, s_signalPipe) != 0) {
        return;
    }
    m_signalNotifier = new QSocketNotifier(s_signalPipe[0], QSocketNotifier::Read, this);
    connect(m_signalNotifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        (void)!read(s_signalPipe[0], &byte, 1);
        m_mainFrame->OnCommand(ID_APP_EXIT);
    });
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}
