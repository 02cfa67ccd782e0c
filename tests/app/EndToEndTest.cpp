// The main window connected to the device simulator (the tarnel-sim program) on a
// pseudo-terminal.

#include "AppTestSupport.h"
#include "ConfigFixture.h"
#include "FakeMessageService.h"
#include "app/CommandIds.h"
#include "app/LinkState.h"
#include "app/MainFrame.h"
#include "app/Startup.h"
#include "config/Configuration.h"
#include "config/ParameterListener.h"
#include "config/RegisterValue.h"
#include "link/PortName.h"
#include "panel/PanelView.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Device reports arrive on the link's reader thread.
class CRecorder final : public IParameterListener {
public:
    void OnParameterChanged(CRegisterValue& value) override {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_seen.push_back(value);
    }
    bool Saw(std::int32_t source, std::int32_t registerNumber, double value) const {
        const std::lock_guard<std::mutex> lock(m_mutex);
        for (const auto& seen : m_seen) {
            if (seen.GetSource() == source && seen.GetRegister() == registerNumber &&
                seen.GetValue() == value) {
                return true;
            }
        }
        return false;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<CRegisterValue> m_seen;
};

template <typename Predicate> bool RunUntil(Predicate predicate, int timeoutMs = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!predicate()) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qWait(5);
    }
    return true;
}

// The simulator program on a link in the test's folder; killed whatever happens.
class CSimulatorProcess {
public:
    CSimulatorProcess(const std::string& config, const std::string& link) {
        m_pid = fork();
        if (m_pid == 0) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            execl(TARNEL_SIM_PATH, "tarnel-sim", "--config", config.c_str(), "--link", link.c_str(),
                  "--report-interval", "100", "--animate", "ramp:11:0:1000:2", "--animate-interval",
                  "100", nullptr);
            _exit(127);
        }
        for (int i = 0; i < 200 && access(link.c_str(), F_OK) != 0; ++i) {
            usleep(10000);
        }
    }
    ~CSimulatorProcess() {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    CSimulatorProcess(const CSimulatorProcess&) = delete;
    CSimulatorProcess& operator=(const CSimulatorProcess&) = delete;

private:
    pid_t m_pid = -1;
};

} // namespace

TEST(EndToEnd, ConnectedWindowFollowsAndWritesTheDevice) {
    EnsureApplication();
    const CConfigFixture fixture(MakeConfigXml(
        "<P Id=\"11\" Value=\"0\" Minimum=\"0\" Maximum=\"1000\"/>"
        "<P Id=\"12\" Value=\"0\" Minimum=\"-1000\" Maximum=\"1000\" SendSerial=\"true\"/>"
        "<P Id=\"999\" Value=\"0\" Maximum=\"2\" SendSerial=\"true\"/>",
        "<UI_OBJECT Name=\"p\">"
        "<UI_OBJECT Type=\"Field\"><PARAMETER><EINGANG><F Berechnung=\"R11\"/></EINGANG>"
        "</PARAMETER></UI_OBJECT>"
        "<UI_OBJECT Type=\"Field\"><POSITION x=\"10\" y=\"40\" Width=\"60\" Height=\"20\"/>"
        "<PARAMETER><EINGANG><F Berechnung=\"R12\"/></EINGANG>"
        "<AUSGANG><FORMEL Berechnung=\"x\" Register=\"12\"/></AUSGANG></PARAMETER></UI_OBJECT>"
        "</UI_OBJECT>"));
    const std::string link = fixture.Dir().Path() + "device";
    const CSimulatorProcess simulator(fixture.Dir().Path() + "config.xml", link);
    ASSERT_EQ(access(link.c_str(), F_OK), 0) << "simulator up";
    ApplyStartupSettings(fixture.Dir().Path(), link);
    SetLastShownLinkState(0);
    CFakeMessageService messages;
    CRecorder recorder;
    fixture.Config().AddListener(&recorder);
    {
        CMainFrame frame;
        SSerialLinkTiming timing;
        timing.m_closePause = std::chrono::milliseconds(0);
        frame.SetLinkTiming(timing);
        frame.show();
        frame.OnCommand(ID_CONNECT);
        ASSERT_NE(frame.GetLink(), nullptr);
        ASSERT_TRUE(frame.GetLink()->IsPortOpen());
        EXPECT_TRUE(RunUntil([&] { return frame.windowTitle() == "TN [connected]"; }))
            << frame.windowTitle().toStdString();

        // The animated register moves the first field.
        auto* follower = frame.findChild<QLineEdit*>(CPanelView::ControlObjectName(2000));
        ASSERT_NE(follower, nullptr);
        QSet<QString> shown;
        RunUntil([&] {
            shown.insert(follower->text());
            return shown.size() >= 4;
        });
        EXPECT_GE(shown.size(), 4) << "values shown: " << shown.values().join(' ').toStdString();

        // A value entered in the second field goes to the device, which acknowledges it (no
        // time-out message) and reports it back when asked for every register.
        auto* input = frame.findChild<QLineEdit*>(CPanelView::ControlObjectName(2001));
        ASSERT_NE(input, nullptr);
        input->setFocus();
        input->setText("77");
        QTest::keyClick(input, Qt::Key_Return);
        EXPECT_TRUE(RunUntil([&] { return recorder.Saw(SOURCE_PANEL, 12, 77); }));
        EXPECT_EQ(frame.GetLink()->GetPendingRegister(), CSerialLink::NO_REGISTER);
        CRegisterValue reportAll(SOURCE_PANEL, REGISTER_LINK_COMMAND, 1);
        fixture.Config().Update(reportAll);
        EXPECT_TRUE(RunUntil([&] { return recorder.Saw(SOURCE_DEVICE, 12, 77); }));
        EXPECT_TRUE(messages.Messages().empty());
        frame.GetTimer()->stop();
    }
    fixture.Config().RemoveListener(&recorder);
    SetPortName(DEFAULT_PORT_NAME);
    SetLastShownLinkState(0);
}
