#include "SetupCommands.h"

#include "CommandIds.h"
#include "LinkState.h"
#include "MenuTexts.h"
#include "config/Configuration.h"
#include "config/ProgramDirectory.h"
#include "link/PortDialog.h"
#include "link/PortName.h"
#include "link/SystemPortRegistry.h"
#include "paramsets/CompareSetupDialog.h"
#include "paramsets/ParameterDialog.h"
#include "paramsets/ParameterSetCommands.h"
#include "paramsets/SetupComparison.h"
#include "platform/FileDialogQt.h"
#include "platform/MessageService.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QStyle>

#ifndef TARNEL_VERSION
#define TARNEL_VERSION "0"
#endif

namespace {

int Exec(QDialog& dialog) {
    return dialog.exec();
}

QIcon ApplicationIcon(const QWidget* window) {
    QIcon icon = window != nullptr ? window->windowIcon() : QApplication::windowIcon();
    if (icon.isNull()) {
        icon = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
    }
    return icon;
}

} // namespace

CSetupCommands::CSetupCommands(SSetupWindow window, QObject* parent)
    : QObject(parent), m_window(std::move(window)), m_runDialog(Exec),
      m_qtFiles(std::make_unique<CQtFileDialog>(m_window.m_window)), m_files(m_qtFiles.get()) {
    setObjectName("setupCommands");
    if (!m_window.m_forgetShownLinkState) {
        m_window.m_forgetShownLinkState = [] { SetLastShownLinkState(LINK_STATE_UNKNOWN); };
    }
}

CSetupCommands::~CSetupCommands() = default;

bool CSetupCommands::OnCommand(int commandId) {
    switch (commandId) {
    case ID_SETUP_CONNECTION:
        SetupConnection();
        return true;
    case ID_SAVE_SETUP:
        SaveSetup();
        return true;
    case ID_LOAD_SETUP:
        LoadSetup();
        return true;
    case ID_COMPARE_SETUP:
        CompareSetup();
        return true;
    case ID_APP_ABOUT:
        About();
        return true;
    case ID_PARAMETER_LIST:
        ParameterList();
        return true;
    default:
        return false;
    }
}

QAction* CSetupCommands::CreateParameterListAction(QObject* parent) {
    auto* action = new QAction("Parameter List ...", parent);
    action->setObjectName("actionParameterList");
    action->setData(ID_PARAMETER_LIST);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(action, &QAction::triggered, this, &CSetupCommands::ParameterList);
    return action;
}

void CSetupCommands::SetDialogRunner(DialogRunner runner) {
    m_runDialog = runner ? std::move(runner) : DialogRunner(Exec);
}

void CSetupCommands::SetFileDialog(IFileDialog* files) {
    m_files = files != nullptr ? files : m_qtFiles.get();
}

IFileDialog& CSetupCommands::Files() {
    return *m_files;
}

void CSetupCommands::SetupConnection() {
    const CMemoryRegistry registry = ReadSystemPortRegistry();
    {
        CPortDialog dialog(registry, m_window.m_window);
        m_runDialog(dialog); // whatever its result, the port name is what Activate last set
    }
    const std::string portName = GetPortName();
    if (m_window.m_connectAction != nullptr) {
        // Only the text: the entry keeps its enabled state, so the menu's connection state
        // still holds while a link is open.
        m_window.m_connectAction->setText(QString::fromStdString(ConnectMenuText(portName)));
    }
    // A file that cannot be written leaves the port name for this run only, silently.
    SavePortName(GetProgramDirectory(), GetUserSettingsDirectory(), portName);
}

void CSetupCommands::SaveSetup() {
    ::SaveSetup(*CConfiguration::GetInstance(), Files(), GetMessageService());
}

void CSetupCommands::LoadSetup() {
    ::LoadSetup(*CConfiguration::GetInstance(), Files(), GetMessageService(), *this);
}

void CSetupCommands::CompareSetup() {
    const auto path = Files().Ask(LoadSetupRequest());
    if (!path) {
        return;
    }
    std::vector<SParameterSetEntry> entries;
    const EParameterSetRead read = ReadParameterSetToCompare(*path, entries);
    if (read != EParameterSetRead::Ok) {
        const SOperatorMessage message = LoadSetupMessage(read, 0, *path);
        GetMessageService().ShowMessage(message.m_text, message.m_caption, message.m_icon);
        return;
    }
    CCompareSetupDialog dialog(*CConfiguration::GetInstance(), std::move(entries),
                               m_window.m_link ? m_window.m_link() : nullptr, Files(),
                               m_window.m_window);
    m_runDialog(dialog);
}

void CSetupCommands::OnValueApplied(const CRegisterValue&, int count) {
    if (m_window.m_setTitle) {
        m_window.m_setTitle(QString::fromStdString(LoadingTitle(count)));
    }
}

void CSetupCommands::OnElementDone() {
    m_window.m_forgetShownLinkState();
}

QString CSetupCommands::VersionText() {
    return QStringLiteral("Tarnel Version " TARNEL_VERSION);
}

QPoint CSetupCommands::CentredPosition(const QRect& ownerFrame, const QSize& dialogSize) {
    return ownerFrame.center() - QPoint(dialogSize.width() / 2, dialogSize.height() / 2);
}

void CSetupCommands::About() {
    QDialog dialog(m_window.m_window);
    dialog.setObjectName("aboutDialog");
    dialog.setWindowTitle(QString::fromUtf8("Info über Tarnel"));
    auto* icon = new QLabel(&dialog);
    icon->setObjectName("aboutIcon");
    icon->setPixmap(ApplicationIcon(m_window.m_window).pixmap(32, 32));
    auto* version = new QLabel(VersionText(), &dialog);
    version->setObjectName("aboutVersion");
    auto* rights = new QLabel("Copyright (C) 2026 The Tarnel authors", &dialog);
    rights->setObjectName("aboutRights");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    buttons->setObjectName("aboutButtons");
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);

    auto* layout = new QGridLayout(&dialog);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(version, 0, 1);
    layout->addWidget(rights, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    dialog.adjustSize();
    if (m_window.m_window != nullptr) {
        dialog.move(CentredPosition(m_window.m_window->frameGeometry(), dialog.size()));
    }
    m_runDialog(dialog);
}

void CSetupCommands::ParameterList() {
    // Without an owner, as the list has always been opened.
    CParameterDialog dialog(*CConfiguration::GetInstance());
    m_runDialog(dialog);
}
