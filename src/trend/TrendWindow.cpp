#include "TrendWindow.h"

#include "TrendPlot.h"
#include "config/Configuration.h"
#include "config/ProgramDirectory.h"
#include "platform/Clock.h"
#include "platform/FileDialogQt.h"
#include "platform/MessageService.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <limits>

namespace {

const char* const RECORD_TEXT = "Record Values ...";
const char* const STOP_TEXT = "Stop Recording";
const char* const RECORD_CAPTION = "Record Values";

QString TimeText(std::int64_t timeMs) {
    return QDateTime::fromMSecsSinceEpoch(timeMs).toString(QStringLiteral("HH:mm:ss.zzz"));
}

QString Title(const STrendColumn& column) {
    return QString::fromStdString(ColumnTitle(column));
}

} // namespace

CTrendWindow::CTrendWindow(CConfiguration& configuration, const IClock& clock, QSettings* settings,
                           QWidget* parent)
    : QWidget(parent, Qt::Window), m_configuration(configuration), m_clock(clock),
      m_sampler(configuration, clock), m_settings(settings) {
    setObjectName(QStringLiteral("trendWindow"));
    setWindowTitle(QStringLiteral("Trend"));
    if (m_settings == nullptr) {
        m_ownSettings = std::make_unique<QSettings>();
        m_settings = m_ownSettings.get();
    }
    m_qtFileDialog = std::make_unique<CQtFileDialog>(this);
    m_fileDialog = m_qtFileDialog.get();

    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("trendFilter"));
    m_filter->setPlaceholderText(QStringLiteral("Filter"));
    m_filter->setClearButtonEnabled(true);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("trendParameters"));
    auto* chooser = new QVBoxLayout;
    chooser->addWidget(m_filter);
    chooser->addWidget(m_list);

    m_span = new QComboBox(this);
    m_span->setObjectName(QStringLiteral("trendSpan"));
    for (const int minutes : SPANS_MINUTES) {
        m_span->addItem(QStringLiteral("%1 min").arg(minutes), minutes);
    }
    m_scaling = new QComboBox(this);
    m_scaling->setObjectName(QStringLiteral("trendScaling"));
    m_scaling->addItem(QStringLiteral("Each Minimum..Maximum"));
    m_scaling->addItem(QStringLiteral("One autoscaled axis"));
    m_pause = new QPushButton(QStringLiteral("Pause"), this);
    m_pause->setObjectName(QStringLiteral("trendPause"));
    m_pause->setCheckable(true);
    m_record = new QPushButton(QString::fromLatin1(RECORD_TEXT), this);
    m_record->setObjectName(QStringLiteral("trendRecord"));
    auto* controls = new QHBoxLayout;
    controls->addWidget(m_span);
    controls->addWidget(m_scaling);
    controls->addWidget(m_pause);
    controls->addStretch();
    controls->addWidget(m_record);

    m_chart = new QChart;
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_timeAxis = new QDateTimeAxis(m_chart);
    m_timeAxis->setFormat(QStringLiteral("HH:mm:ss"));
    // A range from the start: the axis's own default leaves it undrawn for good.
    const std::int64_t now = clock.NowMilliseconds();
    m_timeAxis->setRange(QDateTime::fromMSecsSinceEpoch(now - 60 * 1000),
                         QDateTime::fromMSecsSinceEpoch(now));
    m_valueAxis = new QValueAxis(m_chart);
    m_chart->addAxis(m_timeAxis, Qt::AlignBottom);
    m_chart->addAxis(m_valueAxis, Qt::AlignLeft);
    m_chartView = new QChartView(m_chart, this);
    m_chartView->setObjectName(QStringLiteral("trendChart"));
    m_chartView->setRenderHint(QPainter::Antialiasing, false);
    m_chartView->viewport()->setMouseTracking(true);
    m_chartView->viewport()->installEventFilter(this);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("trendStatus"));

    auto* right = new QVBoxLayout;
    right->addLayout(controls);
    right->addWidget(m_chartView, 1);
    right->addWidget(m_status);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(chooser);
    layout->addLayout(right, 1);
    m_list->setMaximumWidth(240);
    m_filter->setMaximumWidth(240);
    resize(900, 480);

    BuildList();
    connect(m_filter, &QLineEdit::textChanged, this, &CTrendWindow::ApplyFilter);
    connect(m_list, &QListWidget::itemChanged, this, &CTrendWindow::OnItemChanged);
    RestoreChoice();
    connect(m_span, &QComboBox::currentIndexChanged, this, [this] { Redraw(); });
    connect(m_scaling, &QComboBox::currentIndexChanged, this, [this] { Redraw(); });
    connect(m_pause, &QPushButton::toggled, this, [this](bool paused) {
        if (!paused) {
            Redraw();
        }
    });
    connect(m_record, &QPushButton::clicked, this,
            [this] { IsRecording() ? StopRecording() : StartRecording(); });
    UpdateRecordButton();

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("trendTimer"));
    m_timer->setInterval(TICK_MS);
    connect(m_timer, &QTimer::timeout, this, &CTrendWindow::OnTick);
    m_timer->start();
}

CTrendWindow::~CTrendWindow() = default;

void CTrendWindow::BuildList() {
    for (int i = 0; i < m_configuration.GetParameterCount(); ++i) {
        const CParameter* parameter = m_configuration.GetParameter(i);
        // The first parameter of a register is the one the store updates.
        if (m_configuration.GetParameterIndex(parameter->GetId()) != i) {
            continue;
        }
        const STrendColumn column{parameter->GetId(),
                                  m_configuration.DisplayText(parameter->GetName()),
                                  parameter->GetMinimum(), parameter->GetMaximum()};
        auto* item = new QListWidgetItem(Title(column), m_list);
        item->setData(Qt::UserRole, parameter->GetId());
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void CTrendWindow::ApplyFilter(const QString& text) {
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem* item = m_list->item(row);
        item->setHidden(!item->text().contains(text.trimmed(), Qt::CaseInsensitive));
    }
}

void CTrendWindow::OnItemChanged(QListWidgetItem* item) {
    const auto registerNumber = static_cast<std::int32_t>(item->data(Qt::UserRole).toInt());
    const bool chosen = item->checkState() == Qt::Checked;
    const auto found = std::find_if(m_series.begin(), m_series.end(),
                                    [registerNumber](const std::unique_ptr<SSeries>& series) {
                                        return series->m_column.m_register == registerNumber;
                                    });
    if (chosen == (found != m_series.end())) {
        return;
    }
    if (!chosen) {
        m_chart->removeSeries((*found)->m_line);
        delete (*found)->m_line;
        m_series.erase(found);
    } else if (m_series.size() >= MAX_TREND_SERIES) {
        m_status->setText(QStringLiteral("At most %1 parameters at once").arg(MAX_TREND_SERIES));
        const QSignalBlocker blocker(m_list);
        item->setCheckState(Qt::Unchecked);
        return;
    } else {
        std::vector<std::int32_t> unknown;
        auto series = std::make_unique<SSeries>();
        series->m_column = TrendColumns(m_configuration, {registerNumber}, unknown).front();
        // The history starts with the value the store holds now.
        series->m_ring.Append(m_clock.NowMilliseconds(),
                              m_configuration.FindParameter(registerNumber)->GetValue());
        series->m_line = new QLineSeries;
        series->m_line->setObjectName(QStringLiteral("trendSeries%1").arg(registerNumber));
        m_chart->addSeries(series->m_line);
        series->m_line->attachAxis(m_timeAxis);
        series->m_line->attachAxis(m_valueAxis);
        m_series.push_back(std::move(series));
    }
    if (!m_restoring) {
        SaveChoice();
    }
    UpdateRecordButton();
    Redraw();
}

bool CTrendWindow::SetChosen(std::int32_t registerNumber, bool chosen) {
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem* item = m_list->item(row);
        if (item->data(Qt::UserRole).toInt() == registerNumber) {
            item->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
            return (item->checkState() == Qt::Checked) == chosen;
        }
    }
    return false;
}

std::vector<std::int32_t> CTrendWindow::GetChosen() const {
    std::vector<std::int32_t> chosen;
    for (const auto& series : m_series) {
        chosen.push_back(series->m_column.m_register);
    }
    return chosen;
}

QString CTrendWindow::SettingsKey() const {
    // Per program directory: each configuration has registers of its own.
    const QByteArray hash = QCryptographicHash::hash(
        QByteArray::fromStdString(GetProgramDirectory()), QCryptographicHash::Sha1);
    return QStringLiteral("Trend/") + QString::fromLatin1(hash.toHex().left(16)) +
           QStringLiteral("/Registers");
}

void CTrendWindow::RestoreChoice() {
    m_restoring = true;
    for (const QString& text : m_settings->value(SettingsKey()).toStringList()) {
        bool number = false;
        const int registerNumber = text.toInt(&number);
        // Registers config.xml no longer declares are passed over.
        if (number) {
            SetChosen(registerNumber, true);
        }
    }
    m_restoring = false;
}

void CTrendWindow::SaveChoice() {
    QStringList registers;
    for (const std::int32_t registerNumber : GetChosen()) {
        registers << QString::number(registerNumber);
    }
    m_settings->setValue(SettingsKey(), registers);
}

void CTrendWindow::OnTick() {
    const std::vector<STrendSample> samples = m_sampler.Take();
    for (const STrendSample& sample : samples) {
        for (const auto& series : m_series) {
            if (series->m_column.m_register == sample.m_register) {
                series->m_ring.Append(sample.m_timeMs, sample.m_value);
            }
        }
    }
    if (IsRecording()) {
        m_recorder.Add(samples);
        if (!m_recorder.Tick(m_clock.NowMilliseconds())) {
            // Ends the recording alone: the panel and the trend go on.
            StopRecording();
            GetMessageService().ShowMessage(m_recorder.GetError(), RECORD_CAPTION,
                                            EMessageIcon::Warning);
        }
    }
    // The time axis moves on even without new samples.
    if (isVisible() && !m_pause->isChecked()) {
        Redraw();
    }
}

bool CTrendWindow::PerParameterScaling() const {
    return m_scaling->currentIndex() == 0;
}

double CTrendWindow::Plotted(const SSeries& series, std::int32_t value) const {
    return PerParameterScaling()
               ? RangePercent(value, series.m_column.m_minimum, series.m_column.m_maximum)
               : static_cast<double>(value);
}

QString CTrendWindow::LegendName(const SSeries& series) const {
    QString name = Title(series.m_column);
    if (!series.m_ring.Empty()) {
        name += QStringLiteral(": %1").arg(series.m_ring.Latest().m_value);
    }
    return name;
}

void CTrendWindow::Redraw() {
    ++m_redraws;
    const std::int64_t now = m_clock.NowMilliseconds();
    const std::int64_t from = now - std::int64_t{m_span->currentData().toInt()} * 60 * 1000;
    // A lowest and a highest point per two pixels of the plot: more would not show.
    const auto buckets = static_cast<std::size_t>(std::max(50.0, m_chart->plotArea().width() / 2));
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    for (const auto& series : m_series) {
        QList<QPointF> points;
        for (const SPlotPoint& point : PlotPoints(series->m_ring, from, now, buckets)) {
            const double y = Plotted(*series, point.m_value);
            low = std::min(low, y);
            high = std::max(high, y);
            points.append(QPointF(static_cast<double>(point.m_timeMs), y));
        }
        series->m_line->replace(points);
        // A new name lays the legend out again; most ticks keep it.
        const QString name = LegendName(*series);
        if (series->m_line->name() != name) {
            series->m_line->setName(name);
        }
    }
    m_timeAxis->setRange(QDateTime::fromMSecsSinceEpoch(from), QDateTime::fromMSecsSinceEpoch(now));
    if (PerParameterScaling()) {
        m_valueAxis->setRange(0, 100);
        if (m_valueAxis->titleText().isEmpty()) {
            m_valueAxis->setTitleText(QStringLiteral("% of Minimum..Maximum"));
        }
    } else {
        const auto range = low <= high ? AutoscaleRange(low, high) : AutoscaleRange(0, 0);
        m_valueAxis->setRange(range.first, range.second);
        m_valueAxis->applyNiceNumbers();
        if (!m_valueAxis->titleText().isEmpty()) {
            m_valueAxis->setTitleText(QString());
        }
    }
}

QString CTrendWindow::DescribePosition(const QPointF& position) const {
    if (m_series.empty()) {
        return QString();
    }
    const QPointF scenePoint = m_chartView->mapToScene(position.toPoint());
    const QPointF chartPoint = m_chart->mapFromScene(scenePoint);
    if (!m_chart->plotArea().contains(chartPoint)) {
        return QString();
    }
    QLineSeries* anyLine = m_series.front()->m_line;
    const auto timeMs = static_cast<std::int64_t>(m_chart->mapToValue(chartPoint, anyLine).x());
    // The parameter whose line runs nearest to the pointer at that time.
    const SSeries* nearest = nullptr;
    std::int32_t nearestValue = 0;
    double nearestDistance = std::numeric_limits<double>::max();
    for (const auto& series : m_series) {
        const CSampleRing& ring = series->m_ring;
        const std::size_t after = ring.LowerBound(timeMs + 1);
        if (after == 0) {
            continue;
        }
        const std::int32_t value = ring.At(after - 1).m_value;
        const QPointF at = m_chart->mapToPosition(
            QPointF(static_cast<double>(timeMs), Plotted(*series, value)), series->m_line);
        const double distance = std::abs(at.y() - chartPoint.y());
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearest = series.get();
            nearestValue = value;
        }
    }
    QString text = TimeText(timeMs);
    if (nearest != nullptr) {
        text += QStringLiteral("   %1: %2").arg(Title(nearest->m_column)).arg(nearestValue);
    }
    return text;
}

bool CTrendWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_chartView->viewport() && event->type() == QEvent::MouseMove) {
        const QString text = DescribePosition(static_cast<QMouseEvent*>(event)->position());
        if (!text.isEmpty()) {
            m_status->setText(text);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CTrendWindow::SetFileDialog(IFileDialog* fileDialog) {
    m_fileDialog = fileDialog != nullptr ? fileDialog : m_qtFileDialog.get();
}

void CTrendWindow::StartRecording() {
    if (IsRecording() || m_series.empty()) {
        return;
    }
    SFileDialogRequest request;
    request.m_mode = EFileDialogMode::Save;
    request.m_initialName = "*.csv";
    request.m_defaultExtension = "csv";
    request.m_filter = "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*||";
    const std::optional<std::string> path = m_fileDialog->Ask(request);
    if (!path) {
        return;
    }
    std::vector<STrendColumn> columns;
    std::vector<std::int32_t> values;
    for (const auto& series : m_series) {
        columns.push_back(series->m_column);
        values.push_back(m_configuration.FindParameter(series->m_column.m_register)->GetValue());
    }
    // The samples so far belong to the time before the recording.
    OnTick();
    if (!m_recorder.Open(*path, std::move(columns), std::move(values))) {
        GetMessageService().ShowMessage(m_recorder.GetError(), RECORD_CAPTION,
                                        EMessageIcon::Warning);
        return;
    }
    m_status->setText(QStringLiteral("Recording to ") + QString::fromStdString(*path));
    UpdateRecordButton();
}

void CTrendWindow::StopRecording() {
    if (m_recorder.IsOpen()) {
        m_recorder.Close();
        m_status->setText(QStringLiteral("Recorded %1 rows to %2")
                              .arg(m_recorder.GetRowCount())
                              .arg(QString::fromStdString(m_recorder.GetPath())));
    }
    UpdateRecordButton();
}

void CTrendWindow::UpdateRecordButton() {
    m_record->setText(QString::fromLatin1(IsRecording() ? STOP_TEXT : RECORD_TEXT));
    m_record->setEnabled(IsRecording() || !m_series.empty());
}
