#pragma once

#include "CsvRecorder.h"
#include "SampleRing.h"
#include "TrendColumn.h"
#include "TrendSampler.h"

#include <QWidget>

#include <memory>
#include <vector>

class CConfiguration;
class IFileDialog;
class IClock;
class QChart;
class QChartView;
class QComboBox;
class QDateTimeAxis;
class QLabel;
class QLineEdit;
class QLineSeries;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSettings;
class QTimer;
class QValueAxis;

// The trend: a live chart of up to eight chosen parameters over the last 1, 5, 15 or 60
// minutes, and the recording of the chosen ones to a CSV file. It samples every change the
// store applies from the moment it is created, whether shown, hidden or paused; only the
// drawing waits for the window to be visible and not paused, at most once per 200 ms tick.
class CTrendWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int TICK_MS = 200;
    static constexpr int SPANS_MINUTES[] = {1, 5, 15, 60};

    // settings: where the choice is remembered (not owned); the application's settings when
    // nullptr.
    CTrendWindow(CConfiguration& configuration, const IClock& clock, QSettings* settings = nullptr,
                 QWidget* parent = nullptr);
    ~CTrendWindow() override;
    CTrendWindow(const CTrendWindow&) = delete;
    CTrendWindow& operator=(const CTrendWindow&) = delete;

    // Chooses or drops a parameter as its check box in the list does; false when the register
    // is not declared or eight are chosen already.
    bool SetChosen(std::int32_t registerNumber, bool chosen);
    std::vector<std::int32_t> GetChosen() const;

    // One tick: takes the samples, feeds the recording and redraws when due.
    void OnTick();
    // Draws the chosen span now, as a tick would.
    void Redraw();
    int GetRedrawCount() const { return m_redraws; }
    QChart* GetChart() const { return m_chart; }

    // Tests answer the file dialog of "Record Values ..."; nullptr restores Qt's.
    void SetFileDialog(IFileDialog* fileDialog);
    bool IsRecording() const { return m_recorder.IsOpen(); }
    void StartRecording();
    void StopRecording();

    // The time and value under a point of the chart view's viewport, as shown below the chart.
    QString DescribePosition(const QPointF& position) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct SSeries {
        STrendColumn m_column;
        CSampleRing m_ring;
        QLineSeries* m_line = nullptr;
    };

    void BuildList();
    void ApplyFilter(const QString& text);
    void OnItemChanged(QListWidgetItem* item);
    void RestoreChoice();
    void SaveChoice();
    QString SettingsKey() const;
    QString LegendName(const SSeries& series) const;
    double Plotted(const SSeries& series, std::int32_t value) const;
    bool PerParameterScaling() const;
    void UpdateRecordButton();

    CConfiguration& m_configuration;
    const IClock& m_clock;
    CTrendSampler m_sampler;
    std::unique_ptr<QSettings> m_ownSettings;
    QSettings* m_settings;
    std::unique_ptr<IFileDialog> m_qtFileDialog;
    IFileDialog* m_fileDialog = nullptr;

    QLineEdit* m_filter = nullptr;
    QListWidget* m_list = nullptr;
    QComboBox* m_span = nullptr;
    QComboBox* m_scaling = nullptr;
    QPushButton* m_pause = nullptr;
    QPushButton* m_record = nullptr;
    QChartView* m_chartView = nullptr;
    QChart* m_chart = nullptr;
    QDateTimeAxis* m_timeAxis = nullptr;
    QValueAxis* m_valueAxis = nullptr;
    QLabel* m_status = nullptr;
    QTimer* m_timer = nullptr;

    std::vector<std::unique_ptr<SSeries>> m_series;
    CCsvRecorder m_recorder;
    bool m_restoring = false;
    int m_redraws = 0;
};
