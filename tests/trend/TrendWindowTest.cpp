// The trend window on the offscreen platform, with a clock the test moves.

#include "trend/TrendWindow.h"
#include "ConfigFixture.h"
#include "FakeFileDialog.h"
#include "FakeMessageService.h"
#include "QtTestSupport.h"
#include "config/Configuration.h"
#include "config/ProgramDirectory.h"
#include "config/RegisterValue.h"
#include "platform/Clock.h"

#include <QChart>
#include <QChartView>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>

#include <sys/resource.h>

#include <atomic>
#include <csignal>

namespace {

// 2026-12-07T20:15:03.000 in UTC.
constexpr std::int64_t T0 = 1796674503000;

class CManualClock final : public IClock {
public:
    std::int64_t NowMilliseconds() const override { return m_now.load(); }
    void Advance(std::int64_t milliseconds) { m_now += milliseconds; }

private:
    std::atomic<std::int64_t> m_now{T0};
};

std::string Parameters(int count) {
    std::string parameters = "<P Id=\"11\" Name=\"Temp\" Minimum=\"0\" Maximum=\"1000\"/>"
                             "<P Id=\"14\" Name=\"Speed\" Minimum=\"-100\" Maximum=\"100\"/>";
    for (int i = 0; i < count; ++i) {
        parameters += "<P Id=\"" + std::to_string(30 + i) + "\" Name=\"Spare\"/>";
    }
    return parameters;
}

class TrendWindowTest : public ::testing::Test {
protected:
    void Report(std::int32_t registerNumber, double value) {
        CRegisterValue change(SOURCE_DEVICE, registerNumber, value);
        m_fixture.Config().Update(change);
    }
    // A tick 200 ms on.
    void Tick() {
        m_clock.Advance(200);
        m_window->OnTick();
    }
    qsizetype Points(std::int32_t registerNumber) const {
        auto* series = m_window->GetChart()->findChild<QLineSeries*>(
            QStringLiteral("trendSeries%1").arg(registerNumber));
        return series != nullptr ? series->count() : -1;
    }

    SApplicationFirst m_application;
    CConfigFixture m_fixture{MakeConfigXml(Parameters(7))};
    CManualClock m_clock;
    QSettings m_settings{QString::fromStdString(m_fixture.Dir().Path() + "settings.ini"),
                         QSettings::IniFormat};
    std::unique_ptr<CTrendWindow> m_window =
        std::make_unique<CTrendWindow>(m_fixture.Config(), m_clock, &m_settings);
};

} // namespace

TEST_F(TrendWindowTest, TwoChosenRegistersShowTwoSeriesThatGrowWithTheStore) {
    m_window->show();
    ASSERT_TRUE(m_window->SetChosen(11, true));
    ASSERT_TRUE(m_window->SetChosen(14, true));
    EXPECT_EQ(m_window->GetChart()->series().size(), 2);
    std::pair<qsizetype, qsizetype> counts{0, 0};
    for (int i = 1; i <= 4; ++i) {
        Report(11, 100 * i);
        Report(14, -10 * i);
        Tick();
        EXPECT_GT(Points(11), counts.first);
        EXPECT_GT(Points(14), counts.second);
        counts = {Points(11), Points(14)};
    }
    auto* temp = m_window->GetChart()->findChild<QLineSeries*>(QStringLiteral("trendSeries11"));
    EXPECT_EQ(temp->name(), "Temp (R11): 400");
    // Scaled to 0..1000: 400 is drawn at 40 %.
    EXPECT_DOUBLE_EQ(temp->at(temp->count() - 1).y(), 40.0);

    // The value and time under the pointer, there where the line is: 400 held since.
    m_clock.Advance(10000);
    m_window->OnTick();
    QChart* chart = m_window->GetChart();
    const QPointF onLine = chart->mapToPosition(QPointF(double(T0 + 5000), 40.0), temp);
    auto* view = m_window->findChild<QChartView*>(QStringLiteral("trendChart"));
    const QPoint inView = view->mapFromScene(chart->mapToScene(onLine));
    EXPECT_TRUE(m_window->DescribePosition(inView).endsWith("   Temp (R11): 400"))
        << m_window->DescribePosition(inView).toStdString();
}

// Sampling goes on while the window is hidden or paused; only the drawing waits.
TEST_F(TrendWindowTest, DrawsOnlyWhileShownAndNotPausedWithoutLosingSamples) {
    ASSERT_TRUE(m_window->SetChosen(11, true));
    const int before = m_window->GetRedrawCount();
    Report(11, 500);
    Tick();
    EXPECT_EQ(m_window->GetRedrawCount(), before) << "hidden";
    m_window->show();
    m_window->findChild<QPushButton*>(QStringLiteral("trendPause"))->setChecked(true);
    const int paused = m_window->GetRedrawCount();
    const qsizetype shown = Points(11);
    Report(11, 600);
    Tick();
    EXPECT_EQ(m_window->GetRedrawCount(), paused);
    EXPECT_EQ(Points(11), shown);
    m_window->findChild<QPushButton*>(QStringLiteral("trendPause"))->setChecked(false);
    EXPECT_EQ(
        m_window->GetChart()->findChild<QLineSeries*>(QStringLiteral("trendSeries11"))->name(),
        "Temp (R11): 600");
}

// At most eight; the choice comes back for the same program directory only.
TEST_F(TrendWindowTest, TheChoiceIsLimitedAndRememberedPerProgramDirectory) {
    const std::vector<std::int32_t> eight = {14, 11, 30, 31, 32, 33, 34, 35};
    for (const std::int32_t registerNumber : eight) {
        EXPECT_TRUE(m_window->SetChosen(registerNumber, true));
    }
    EXPECT_FALSE(m_window->SetChosen(36, true));
    EXPECT_FALSE(m_window->SetChosen(99, true));
    EXPECT_EQ(m_window->GetChosen(), eight);
    auto* list = m_window->findChild<QListWidget*>(QStringLiteral("trendParameters"));
    m_window->findChild<QLineEdit*>(QStringLiteral("trendFilter"))->setText(" speed");
    QStringList shown;
    for (int row = 0; row < list->count(); ++row) {
        if (!list->item(row)->isHidden()) {
            shown << list->item(row)->text();
        }
    }
    EXPECT_EQ(shown, QStringList{"Speed (R14)"});

    m_window.reset();
    EXPECT_EQ(CTrendWindow(m_fixture.Config(), m_clock, &m_settings).GetChosen(), eight);
    const std::string directory = GetProgramDirectory();
    SetProgramDirectory(directory + "other/");
    EXPECT_TRUE(CTrendWindow(m_fixture.Config(), m_clock, &m_settings).GetChosen().empty());
    SetProgramDirectory(directory);
}

TEST_F(TrendWindowTest, RecordsTheChosenParametersAndEndsWithOneMessageWhenTheFileFails) {
    CFakeMessageService messages;
    CFakeFileDialog files;
    m_window->SetFileDialog(&files);
    setenv("TZ", "UTC", 1);
    tzset();
    ASSERT_TRUE(m_window->SetChosen(14, true));
    ASSERT_TRUE(m_window->SetChosen(11, true));

    files.SetNextAnswer(std::string("/dev/full"));
    m_window->StartRecording();
    EXPECT_FALSE(m_window->IsRecording());
    ASSERT_EQ(messages.Messages().size(), 1U);
    EXPECT_EQ(messages.Messages()[0].m_text, "Cannot write /dev/full: No space left on device");

    const std::string path = m_fixture.Dir().Path() + "trend.csv";
    files.SetNextAnswer(path);
    Report(11, 1); // before the recording: not recorded
    m_window->findChild<QPushButton*>(QStringLiteral("trendRecord"))->click();
    ASSERT_TRUE(m_window->IsRecording());
    Report(11, 7);
    Tick();
    Tick();
    Report(14, -3);
    Tick();
    m_window->findChild<QPushButton*>(QStringLiteral("trendRecord"))->click();
    EXPECT_FALSE(m_window->IsRecording());
    EXPECT_EQ(ReadAll(path), "time,Speed (R14),Temp (R11)\n"
                             "2026-12-07T20:15:03.200,0,7\n"
                             "2026-12-07T20:15:03.600,-3,7\n");
    EXPECT_EQ(messages.Messages().size(), 1U);
    EXPECT_EQ(files.Requests().back().m_defaultExtension, "csv");

    // The disk fills (a file size limit stands in): one message, the recording ends keeping
    // the rows written, the trend goes on.
    const std::string full = m_fixture.Dir().Path() + "full.csv";
    files.SetNextAnswer(full);
    m_window->StartRecording();
    ASSERT_TRUE(m_window->IsRecording());
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = previous;
    const std::string written = ReadAll(full);
    limit.rlim_cur = written.size();
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    for (int i = 0; i < 3; ++i) {
        Report(11, 20 + i);
        Tick();
    }
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, handler);
    EXPECT_FALSE(m_window->IsRecording());
    ASSERT_EQ(messages.Messages().size(), 2U);
    EXPECT_EQ(messages.Messages()[1].m_text, "Cannot write " + full + ": File too large");
    EXPECT_EQ(ReadAll(full), written);
    m_window->Redraw();
    EXPECT_EQ(
        m_window->GetChart()->findChild<QLineSeries*>(QStringLiteral("trendSeries11"))->name(),
        "Temp (R11): 22");
}
