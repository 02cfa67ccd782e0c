// The main window connected to the device simulator (the tarnel-sim program) on a
// pseudo-terminal.

#include "ConfigFixture.h"
#include "FakeFileDialog.h"
#include "FakeMessageService.h"
#include "QtTestSupport.h"
#include "RecordingListener.h"
#include "app/CommandIds.h"
#include "app/LinkState.h"
#include "app/MainFrame.h"
#include "app/SetupCommands.h"
#include "app/Startup.h"
#include "config/Configuration.h"
#include "config/RegisterValue.h"
#include "link/PortName.h"
#include "panel/PanelView.h"
#include "paramsets/CompareSetupDialog.h"
#include "paramsets/ComparisonModel.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

// Generous: the machine may be busy with other builds.
constexpr int WAIT_MS = 10000;

namespace {

// The store on a configuration and the device simulator on the same file behind a link in its
// folder, the panel's port pointed at it; the simulator is killed with the test, whatever
// happens. Changes the store announces are recorded, messages kept.
struct SDeviceSetup {
    SDeviceSetup(const std::string& configXml, const QStringList& simulatorOptions)
        : m_fixture(configXml) {
        EnsureApplication();
        m_simulator.setStandardOutputFile(QProcess::nullDevice());
        m_simulator.start(TARNEL_SIM_PATH,
                          QStringList{"--config",
                                      QString::fromStdString(m_fixture.Dir().Path()) + "config.xml",
                                      "--link", QString::fromStdString(m_link)} +
                              simulatorOptions);
        ApplyStartupSettings(m_fixture.Dir().Path(), m_link);
        SetLastShownLinkState(0);
        m_fixture.Config().AddListener(&m_recorder);
    }
    ~SDeviceSetup() {
        m_fixture.Config().RemoveListener(&m_recorder);
        SetPortName(DEFAULT_PORT_NAME);
        SetLastShownLinkState(0);
    }
    bool SimulatorUp() const {
        return QTest::qWaitFor([this] { return QFile::exists(QString::fromStdString(m_link)); });
    }
    // A window that connects without the device's pause after closing the port.
    static void NoClosePause(CMainFrame& frame) {
        SSerialLinkTiming timing;
        timing.m_closePause = std::chrono::milliseconds(0);
        frame.SetLinkTiming(timing);
    }

    const CConfigFixture m_fixture;
    const std::string m_link = m_fixture.Dir().Path() + "device";
    QProcess m_simulator;
    CFakeMessageService m_messages;
    CRecordingListener m_recorder;
};

} // namespace

TEST(EndToEnd, ConnectedWindowFollowsAndWritesTheDevice) {
    SDeviceSetup setup(
        MakeConfigXml(
            "<P Id=\"11\" Value=\"0\" Minimum=\"0\" Maximum=\"1000\"/>"
            "<P Id=\"12\" Value=\"0\" Minimum=\"-1000\" Maximum=\"1000\" SendSerial=\"true\"/>"
            "<P Id=\"999\" Value=\"0\" Maximum=\"2\" SendSerial=\"true\"/>",
            "<UI_OBJECT Name=\"p\">"
            "<UI_OBJECT Type=\"Field\"><PARAMETER><EINGANG><F Berechnung=\"R11\"/></EINGANG>"
            "</PARAMETER></UI_OBJECT>"
            "<UI_OBJECT Type=\"Field\"><POSITION x=\"10\" y=\"40\" Width=\"60\" Height=\"20\"/>"
            "<PARAMETER><EINGANG><F Berechnung=\"R12\"/></EINGANG>"
            "<AUSGANG><FORMEL Berechnung=\"x\" Register=\"12\"/></AUSGANG></PARAMETER></UI_OBJECT>"
            "</UI_OBJECT>"),
        {"--report-interval", "100", "--animate", "ramp:11:0:1000:2", "--animate-interval", "100"});
    ASSERT_TRUE(setup.SimulatorUp());
    // Register 12 last seen at 77 from the source.
    const auto saw77 = [&setup](std::int32_t source) {
        const auto seen = setup.m_recorder.SeenFor(12, source);
        return !seen.empty() && seen.back().GetValue() == 77;
    };
    {
        CMainFrame frame;
        SDeviceSetup::NoClosePause(frame);
        frame.show();
        frame.OnCommand(ID_CONNECT);
        ASSERT_NE(frame.GetLink(), nullptr);
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return frame.windowTitle() == "TN [connected]"; }, WAIT_MS))
            << frame.windowTitle().toStdString();

        // The animated register moves the first field.
        auto* follower = frame.findChild<QLineEdit*>(CPanelView::ControlObjectName(2000));
        ASSERT_NE(follower, nullptr);
        QSet<QString> shown;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                shown.insert(follower->text());
                return shown.size() >= 4;
            },
            WAIT_MS))
            << "values shown: " << shown.values().join(' ').toStdString();

        // A value entered in the second field goes to the device, which acknowledges it (no
        // time-out message) and reports it back when asked for every register.
        auto* input = frame.findChild<QLineEdit*>(CPanelView::ControlObjectName(2001));
        ASSERT_NE(input, nullptr);
        input->setFocus();
        input->setText("77");
        QTest::keyClick(input, Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([&] { return saw77(SOURCE_PANEL); }, WAIT_MS));
        EXPECT_EQ(frame.GetLink()->GetPendingRegister(), CSerialLink::NO_REGISTER);
        CRegisterValue reportAll(SOURCE_PANEL, REGISTER_LINK_COMMAND, 1);
        setup.m_fixture.Config().Update(reportAll);
        EXPECT_TRUE(QTest::qWaitFor([&] { return saw77(SOURCE_DEVICE); }, WAIT_MS));
        EXPECT_TRUE(setup.m_messages.Messages().empty());

        frame.GetTimer()->stop();
    }
}

// Compare a file with the device, send two of its three changes: exactly those two arrive,
// acknowledged (no time-out message) and reported back by the device; the third is not sent.
TEST(EndToEnd, ComparedChangesChosenAndConfirmedByTheDevice) {
    const char* const sendable = "Maximum=\"1000\" SendSerial=\"true\" SetOnLoad=\"true\"/>";
    SDeviceSetup setup(
        MakeConfigXml(
            std::string("<P Id=\"12\" ") + sendable + "<P Id=\"13\" " + sendable + "<P Id=\"14\" " +
            sendable +
            "<P Id=\"20\" SendSerial=\"true\"/><P Id=\"999\" Maximum=\"2\" SendSerial=\"true\"/>"),
        {"--report-interval", "0"});
    ASSERT_TRUE(setup.SimulatorUp());
    const std::string set = setup.m_fixture.Dir().Write(
        "set.tnv", "<REGISTER><V Register='12' Value='5'/><V Register='20' Value='1'/>"
                   "<V Register='13' Value='6'/><V Register='77' Value='1'/>"
                   "<V Register='14' Value='7'/></REGISTER>");
    const std::string csv = setup.m_fixture.Dir().Path() + "compared.csv";
    {
        CMainFrame frame;
        SDeviceSetup::NoClosePause(frame);
        frame.OnCommand(ID_CONNECT);
        CFakeFileDialog files;
        files.SetNextAnswer(set);
        frame.GetSetupCommands()->SetFileDialog(&files);
        std::vector<CComparisonModel::EOutcome> outcomes;
        QString counts;
        frame.GetSetupCommands()->SetDialogRunner([&](QDialog& shown) {
            auto& dialog = dynamic_cast<CCompareSetupDialog&>(shown);
            EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.IsWaiting(); }, WAIT_MS));
            counts = dialog.findChild<QLabel*>("compareCounts")->text();
            CComparisonModel& model = dialog.Model();
            EXPECT_TRUE(model.IsChecked(0) && model.IsChecked(2) && model.IsChecked(4));
            model.setData(model.index(2, CComparisonModel::COLUMN_NAME), Qt::Unchecked,
                          Qt::CheckStateRole);
            setup.m_recorder.Take(SOURCE_PARAMETER_SET);
            dialog.findChild<QPushButton*>("applyButton")->click();
            EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.IsWaiting(); }, WAIT_MS));
            for (int row = 0; row < model.rowCount(); ++row) {
                outcomes.push_back(model.Outcome(row));
            }
            files.SetNextAnswer(csv);
            dialog.findChild<QPushButton*>("exportButton")->click();
            return int(QDialog::Accepted);
        });
        frame.GetAction(ID_COMPARE_SETUP)->trigger();
        EXPECT_EQ(counts, "3 change, 0 same, 1 not loaded, 1 unknown register");
        EXPECT_EQ(setup.m_recorder.Take(SOURCE_PARAMETER_SET), (Writes{{12, 5.0}, {14, 7.0}}));
        using E = CComparisonModel::EOutcome;
        EXPECT_EQ(outcomes,
                  (std::vector<E>{E::Confirmed, E::None, E::None, E::None, E::Confirmed}));
        EXPECT_EQ(setup.m_fixture.Config().FindParameter(13)->GetValue(), 0)
            << "the device still has 0";
        frame.GetSetupCommands()->SetFileDialog(nullptr);
        frame.GetTimer()->stop();
    }
    ASSERT_EQ(setup.m_messages.Messages().size(), 1U);
    EXPECT_EQ(setup.m_messages.Messages()[0].m_text, "Datei gespeichert");
    const std::string head =
        "Parameter,Nr,File,Now,Loading,Result\nNoName,12,5,0,change,confirmed\n";
    EXPECT_EQ(ReadAll(csv).substr(0, head.size()), head);
}
