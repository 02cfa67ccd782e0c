#include "MainFrame.h"

#include "LinkState.h"
#include "MenuTexts.h"
#include "PanelSize.h"
#include "SetupCommands.h"
#include "config/Configuration.h"
#include "config/ProgramDirectory.h"
#include "link/PortName.h"
#include "link/TrafficLog.h"
#include "panel/PanelView.h"
#include "platform/Clock.h"
#include "trend/TrendWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* TRAFFIC_LOG_SETTING = "trafficLog";

// "Exit" ends the process at once, also while connected: closing the link in order would wait
// for the reader thread and the port's pause after closing, and nothing is saved anyway.
void ExitAtOnce(int status) {
    std::fflush(nullptr);
    std::_Exit(status);
}

} // namespace

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent), m_configuration(CConfiguration::GetInstance()), m_exit(ExitAtOnce) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(QString::fromLatin1(TITLE_AT_START));

    m_view = new CPanelView(this);
    if (m_view->objectName().isEmpty()) {
        m_view->setObjectName(QStringLiteral("panelView"));
    }
    setCentralWidget(m_view);
    setFocusProxy(m_view);
    BuildMenus();
    BuildSetupCommands();
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->setSizeGripEnabled(false);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("panelTimer"));
    m_timer->setInterval(TIMER_PERIOD_MS);
    connect(m_timer, &QTimer::timeout, this, &CMainFrame::OnTimerTick);
    m_timer->start();

    m_view->ShowPage(0);
    UpdateConnectText();
    SetConnectionState(false);
    ApplyPanelSize();
}

CMainFrame::~CMainFrame() {
    // The link unregisters from the store before the view goes.
    m_link.reset();
}

QAction* CMainFrame::GetAction(int commandId) const {
    const auto found = m_actions.find(commandId);
    return found != m_actions.end() ? found->second : nullptr;
}

void CMainFrame::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("menuFile"));
    AddCommand(file, ID_CONNECT, QString(), QStringLiteral("actionConnect"));
    AddCommand(file, ID_UNCONNECT, QStringLiteral("Unconnect"), QStringLiteral("actionUnconnect"));
    AddCommand(file, ID_SETUP_CONNECTION, QStringLiteral("Setup Connection ..."),
               QStringLiteral("actionSetupConnection"));
    file->addSeparator();
    AddCommand(file, ID_SAVE_SETUP, QStringLiteral("Save Setup"),
               QStringLiteral("actionSaveSetup"));
    AddCommand(file, ID_LOAD_SETUP, QStringLiteral("Load Setup"),
               QStringLiteral("actionLoadSetup"));
    AddCommand(file, ID_COMPARE_SETUP, QStringLiteral("Compare Setup ..."),
               QStringLiteral("actionCompareSetup"));
    file->addSeparator();
    BuildLogCommands(file);
    file->addSeparator();
    AddCommand(file, ID_APP_EXIT, QStringLiteral("Exit"), QStringLiteral("actionExit"));

    QMenu* panel = menuBar()->addMenu(QStringLiteral("&Panel"));
    panel->setObjectName(QStringLiteral("menuPanel"));
    for (const SPageMenuEntry& entry : PageMenuEntries(*m_configuration)) {
        AddCommand(panel, entry.m_commandId, QString::fromStdString(entry.m_text),
                   QStringLiteral("actionPage%1").arg(entry.m_commandId - ID_PAGE_FIRST));
    }
    panel->addSeparator();
    AddCommand(panel, ID_TREND, QStringLiteral("Trend ..."), QStringLiteral("actionTrend"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&?"));
    help->setObjectName(QStringLiteral("menuHelp"));
    AddCommand(help, ID_APP_ABOUT, QStringLiteral("Inf&o über Tarnel..."),
               QStringLiteral("actionAbout"));
}

void CMainFrame::BuildSetupCommands() {
    SSetupWindow setupWindow;
    setupWindow.m_window = this;
    setupWindow.m_connectAction = GetConnectAction();
    setupWindow.m_setTitle = [this](const QString& title) { SetTitle(title); };
    setupWindow.m_link = [this]() -> const CSerialLink* { return m_link.get(); };
    m_setup = new CSetupCommands(setupWindow, this);

    // "Parameter List ..." follows "Load Setup" and "Compare Setup ..." in the "&File" menu.
    QAction* compareSetup = GetAction(ID_COMPARE_SETUP);
    auto* file = menuBar()->findChild<QMenu*>(QStringLiteral("menuFile"));
    const QList<QAction*> entries = file->actions();
    QAction* parameterList = m_setup->CreateParameterListAction(file);
    file->insertAction(entries.value(entries.indexOf(compareSetup) + 1), parameterList);
    m_actions[ID_PARAMETER_LIST] = parameterList;
}

QAction* CMainFrame::AddCommand(QMenu* menu, int commandId, const QString& text,
                                const QString& name) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    action->setData(commandId);
    connect(action, &QAction::triggered, this, [this, commandId] { OnCommand(commandId); });
    m_actions[commandId] = action;
    return action;
}

bool CMainFrame::OnCommand(int commandId) {
    if (commandId >= ID_PAGE_FIRST && commandId <= ID_PAGE_LAST) {
        // The menu offers only existing pages; a stray identifier must not reach the view.
        if (commandId - ID_PAGE_FIRST >= m_configuration->GetPageCount()) {
            return false;
        }
        m_view->ShowPage(commandId - ID_PAGE_FIRST);
        return true;
    }
    switch (commandId) {
    case ID_CONNECT:
        Connect();
        return true;
    case ID_UNCONNECT:
        Unconnect();
        return true;
    case ID_TRAFFIC_LOG:
        GetAction(ID_TRAFFIC_LOG)->toggle();
        return true;
    case ID_OPEN_LOG_FOLDER:
        OpenLogFolder();
        return true;
    case ID_TREND:
        ShowTrend();
        return true;
    case ID_APP_EXIT:
        if (m_link) {
            m_link->FlushLog();
        }
        m_exit(EXIT_SUCCESS);
        return true;
    default:
        return m_setup->OnCommand(commandId);
    }
}

void CMainFrame::OnTimerTick() {
    if (const auto title = CheckLinkState(*m_configuration)) {
        SetTitle(QString::fromStdString(*title));
    }
    ShowChangesLost();
    m_view->RefreshControls();
}

void CMainFrame::Connect() {
    m_link.reset();
    // A port that cannot be opened is reported by the link itself; the menu shows the
    // connected state either way, so that Unconnect can drop the inert link.
    m_link = std::make_unique<CSerialLink>(GetPortName(), m_linkTiming,
                                           IsTrafficLogOn() ? GetLogFolder() : std::string());
    BringToFront();
    SetConnectionState(true);
}

void CMainFrame::ShowTrend() {
    if (m_trend == nullptr) {
        m_trend = new CTrendWindow(*m_configuration, CSystemClock::Instance(), nullptr, this);
    }
    m_trend->show();
    m_trend->raise();
    m_trend->activateWindow();
}

void CMainFrame::BuildLogCommands(QMenu* file) {
    m_ownSettings = std::make_unique<QSettings>();
    m_settings = m_ownSettings.get();
    m_openFolder = [](const QString& folder) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
    };
    QAction* log = AddCommand(file, ID_TRAFFIC_LOG, QStringLiteral("Traffic Log"),
                              QStringLiteral("actionTrafficLog"));
    // Toggling is the command; a trigger must not run it a second time.
    disconnect(log, &QAction::triggered, this, nullptr);
    log->setCheckable(true);
    log->setChecked(m_settings->value(QLatin1String(TRAFFIC_LOG_SETTING), false).toBool());
    connect(log, &QAction::toggled, this,
            [this](bool on) { m_settings->setValue(QLatin1String(TRAFFIC_LOG_SETTING), on); });
    AddCommand(file, ID_OPEN_LOG_FOLDER, QStringLiteral("Open Log Folder"),
               QStringLiteral("actionOpenLogFolder"));
}

void CMainFrame::SetSettings(QSettings* settings) {
    m_settings = settings != nullptr ? settings : m_ownSettings.get();
    const QSignalBlocker blocker(GetAction(ID_TRAFFIC_LOG));
    GetAction(ID_TRAFFIC_LOG)
        ->setChecked(m_settings->value(QLatin1String(TRAFFIC_LOG_SETTING), false).toBool());
}

void CMainFrame::SetFolderOpener(std::function<void(const QString&)> opener) {
    m_openFolder = std::move(opener);
}

void CMainFrame::SetLogFolder(const std::string& folder) {
    m_logFolder = folder;
    const QSignalBlocker blocker(GetAction(ID_TRAFFIC_LOG));
    GetAction(ID_TRAFFIC_LOG)->setChecked(true);
}

std::string CMainFrame::GetLogFolder() const {
    return m_logFolder.empty() ? DefaultLogFolder() : m_logFolder;
}

bool CMainFrame::IsTrafficLogOn() const {
    return GetAction(ID_TRAFFIC_LOG)->isChecked();
}

void CMainFrame::OpenLogFolder() {
    const QString folder = QString::fromLocal8Bit(GetLogFolder().c_str());
    // Made when missing, so that the file manager has something to show.
    QDir().mkpath(folder);
    m_openFolder(folder);
}

void CMainFrame::Unconnect() {
    m_link.reset();
    SetConnectionState(false);
    ShowChangesLost();
}

void CMainFrame::ShowChangesLost() {
    // Once per outage, and without a box: the operator may not be at the panel to close it.
    const bool lost = m_link != nullptr && m_link->AreChangesLost();
    if (lost == m_changesLostShown) {
        return;
    }
    m_changesLostShown = lost;
    if (lost) {
        statusBar()->showMessage(QString::fromLatin1(CHANGES_LOST_TEXT));
    } else {
        statusBar()->clearMessage();
    }
}

void CMainFrame::SetConnectionState(bool connected) {
    GetAction(ID_UNCONNECT)->setEnabled(connected);
    GetAction(ID_CONNECT)->setEnabled(!connected);
}

void CMainFrame::UpdateConnectText() {
    GetAction(ID_CONNECT)->setText(QString::fromStdString(ConnectMenuText(GetPortName())));
}

void CMainFrame::SetTitle(const QString& title) {
    setWindowTitle(title);
}

void CMainFrame::BringToFront() {
    if (isMinimized()) {
        showNormal();
    }
    raise();
    activateWindow();
}

void CMainFrame::SetExitFunction(std::function<void(int)> exitFunction) {
    m_exit = exitFunction ? std::move(exitFunction) : ExitAtOnce;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // Closing the window is Exit.
    event->accept();
    OnCommand(ID_APP_EXIT);
}

void CMainFrame::ApplyPanelSize() {
    const SPanelSize size = PanelSize(*m_configuration, GetProgramDirectory(), BitmapFileSize);
    resize(size.m_width,
           size.m_height + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
}
