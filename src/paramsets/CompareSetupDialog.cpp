#include "CompareSetupDialog.h"

#include "ComparisonModel.h"
#include "ParameterSetCommands.h"
#include "ParameterSetLoadHost.h"
#include "SetupComparison.h"
#include "config/Configuration.h"
#include "link/SerialLink.h"
#include "platform/FileDialog.h"
#include "platform/MessageService.h"
#include "platform/ReplaceFile.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// On a desktop the dialog opens this large; on a handheld it takes the owner's size.
const QSize DESKTOP_SIZE(720, 480);

SFileDialogRequest ExportRequest() {
    SFileDialogRequest request;
    request.m_mode = EFileDialogMode::Save;
    request.m_initialName = "comparison.csv";
    request.m_defaultExtension = ".csv";
    request.m_filter = "CSV files (*.csv)|*.csv|All Files (*.*)|*.*||";
    return request;
}

} // namespace

CCompareSetupDialog::CCompareSetupDialog(CConfiguration& configuration,
                                         std::vector<SParameterSetEntry> entries,
                                         const CSerialLink* link, IFileDialog& files,
                                         QWidget* parent, const SReportWait& wait)
    : QDialog(parent), m_configuration(configuration), m_entries(std::move(entries)), m_link(link),
      m_files(files) {
    setObjectName("compareSetupDialog");
    setWindowTitle("Compare Setup");

    m_counts = new QLabel(this);
    m_counts->setObjectName("compareCounts");
    m_counts->setWordWrap(true);

    m_model = new CComparisonModel(configuration, this);
    m_table = new QTableView(this);
    m_table->setObjectName("compareTable");
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_table->verticalHeader()->hide();
    // One line of text a row, and no measuring of each row: a file may have thousands.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setMinimumSize(0, 0);

    m_applyButton = new QPushButton("Apply", this);
    m_applyButton->setObjectName("applyButton");
    m_exportButton = new QPushButton("Export ...", this);
    m_exportButton->setObjectName("exportButton");
    auto* close = new QPushButton("Close", this);
    close->setObjectName("closeButton");
    connect(m_applyButton, &QPushButton::clicked, this, &CCompareSetupDialog::Apply);
    connect(m_exportButton, &QPushButton::clicked, this, &CCompareSetupDialog::Export);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    for (QPushButton* button : {m_applyButton, m_exportButton, close}) {
        button->setAutoDefault(false); // Enter in the table must not send anything
        // Below the style's usual width, so that the three fit a handheld's 240 pixels.
        button->setMinimumWidth(56);
    }

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(m_applyButton);
    buttons->addWidget(m_exportButton);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(m_counts);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);

    resize(parent != nullptr ? parent->size().boundedTo(DESKTOP_SIZE) : DESKTOP_SIZE);

    m_poll = new QTimer(this);
    m_poll->setObjectName("compareTimer");
    m_poll->setInterval(POLL_MS);
    connect(m_poll, &QTimer::timeout, this, &CCompareSetupDialog::OnPoll);

    if (m_link != nullptr && m_link->IsPortOpen()) {
        m_reports = std::make_unique<CDeviceReports>(configuration, wait);
        Ask(EPhase::Comparing);
    } else {
        ShowComparison();
    }
}

CCompareSetupDialog::~CCompareSetupDialog() = default;

void CCompareSetupDialog::Ask(EPhase phase) {
    m_phase = phase;
    m_applyButton->setEnabled(false);
    m_exportButton->setEnabled(phase != EPhase::Comparing);
    m_counts->setText("Asking the device for its values ...");
    m_reports->Request();
    m_poll->start();
}

void CCompareSetupDialog::OnPoll() {
    if (!m_reports->IsOver(CDeviceReports::Clock::now())) {
        return;
    }
    m_poll->stop();
    const EPhase phase = m_phase;
    m_phase = EPhase::Idle;
    if (phase == EPhase::Comparing) {
        m_reported = m_reports->AnyReport();
        ShowComparison();
    } else {
        ShowConfirmation();
    }
}

void CCompareSetupDialog::ShowComparison() {
    m_model->SetRows(CompareParameterSet(m_configuration, m_entries));
    QString counts = QString::fromStdString(ComparisonSummary(CountEffects(m_model->Rows())));
    if (m_reports != nullptr && !m_reported) {
        counts += "\nNo report from the device: \"Now\" is what the panel holds.";
    }
    m_counts->setText(counts);
    m_table->resizeColumnsToContents();
    m_applyButton->setEnabled(true);
    m_exportButton->setEnabled(true);
}

void CCompareSetupDialog::Apply() {
    if (IsWaiting()) {
        return;
    }
    m_applyButton->setEnabled(false);
    m_model->SetChoosable(false);
    std::vector<int> rows;
    std::vector<SParameterSetEntry> chosen;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (m_model->IsChecked(row)) {
            rows.push_back(row);
            chosen.push_back(m_model->Rows()[static_cast<std::size_t>(row)].m_entry);
        }
    }
    CSilentLoadHost host;
    const std::size_t applied = ApplyUntilUnacknowledged(m_configuration, chosen, m_link, host);
    m_sentRows.clear();
    for (std::size_t i = 0; i < applied; ++i) {
        const SComparedEntry& entry = m_model->Rows()[static_cast<std::size_t>(rows[i])];
        const bool toDevice = m_reports != nullptr && entry.m_parameter->IsSendSerial();
        m_model->SetOutcome(rows[i], toDevice ? CComparisonModel::EOutcome::Sent
                                              : CComparisonModel::EOutcome::Applied);
        if (toDevice) {
            m_sentRows.push_back(rows[i]);
        }
    }
    if (applied < rows.size()) {
        m_model->SetOutcome(rows[applied], CComparisonModel::EOutcome::Unacknowledged);
    }
    if (!m_sentRows.empty()) {
        Ask(EPhase::Confirming);
    } else {
        m_counts->setText(QString::fromStdString(ComparisonSummary(CountEffects(m_model->Rows()))));
    }
}

void CCompareSetupDialog::ShowConfirmation() {
    int differing = 0;
    for (const int row : m_sentRows) {
        const SComparedEntry& entry = m_model->Rows()[static_cast<std::size_t>(row)];
        const auto reported = m_reports->Reported(entry.m_entry.m_register);
        if (!reported) {
            m_model->SetOutcome(row, CComparisonModel::EOutcome::NotReported);
        } else if (*reported == entry.m_loaded) {
            m_model->SetOutcome(row, CComparisonModel::EOutcome::Confirmed, *reported);
        } else {
            m_model->SetOutcome(row, CComparisonModel::EOutcome::Differs, *reported);
            ++differing;
        }
    }
    m_counts->setText(
        QString("%1 sent, %2 reported with another value").arg(m_sentRows.size()).arg(differing));
    m_exportButton->setEnabled(true);
}

void CCompareSetupDialog::Export() {
    const auto path = m_files.Ask(ExportRequest());
    if (!path) {
        return;
    }
    const SOperatorMessage message =
        SaveSetupMessage(ReplaceFileContent(*path, FormatCsv(m_model->Table())));
    GetMessageService().ShowMessage(message.m_text, message.m_caption, message.m_icon);
}
