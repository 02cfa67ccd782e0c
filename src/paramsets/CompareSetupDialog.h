#pragma once

#include "DeviceReports.h"
#include "ParameterSetFile.h"

#include <QDialog>

#include <memory>
#include <vector>

class CComparisonModel;
class CConfiguration;
class CSerialLink;
class IFileDialog;
class QLabel;
class QPushButton;
class QTableView;
class QTimer;

// "Compare Setup ...": what loading a parameter set would do, one row per element of the file,
// with the counts of each kind above. Connected, it first asks the device for its values. The
// rows loading would change can be chosen; "Apply" sends the chosen ones as loading does, stops
// at the first the device leaves unacknowledged, then asks the device again and marks each sent
// row whose reported value differs. "Export ..." writes the table as CSV.
class CCompareSetupDialog final : public QDialog {
    Q_OBJECT

public:
    static constexpr int POLL_MS = 50;

    // link: the open link, or nullptr when not connected (nothing is asked, nothing sent).
    CCompareSetupDialog(CConfiguration& configuration, std::vector<SParameterSetEntry> entries,
                        const CSerialLink* link, IFileDialog& files, QWidget* parent = nullptr,
                        const SReportWait& wait = SReportWait());
    ~CCompareSetupDialog() override;
    CCompareSetupDialog(const CCompareSetupDialog&) = delete;
    CCompareSetupDialog& operator=(const CCompareSetupDialog&) = delete;

    // Asking the device for its values, before the table or after "Apply".
    bool IsWaiting() const { return m_phase != EPhase::Idle; }
    CComparisonModel& Model() const { return *m_model; }

public slots:
    void Apply();
    void Export();

private:
    enum class EPhase { Idle, Comparing, Confirming };

    void Ask(EPhase phase);
    void OnPoll();
    void ShowComparison();
    void ShowConfirmation();

    CConfiguration& m_configuration;
    const std::vector<SParameterSetEntry> m_entries;
    const CSerialLink* m_link;
    IFileDialog& m_files;
    std::unique_ptr<CDeviceReports> m_reports;
    EPhase m_phase = EPhase::Idle;
    bool m_reported = false; // the device answered the first request
    std::vector<int> m_sentRows;

    CComparisonModel* m_model = nullptr;
    QLabel* m_counts = nullptr;
    QTableView* m_table = nullptr;
    QPushButton* m_applyButton = nullptr;
    QPushButton* m_exportButton = nullptr;
    QTimer* m_poll = nullptr;
};
