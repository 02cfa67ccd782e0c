#include "paramsets/Commissioning.h"
#include "ConfigFixture.h"
#include "FakeMessageService.h"
#include "LinkFixture.h"
#include "SimulatorThread.h"
#include "config/Configuration.h"
#include "config/ProgramDirectory.h"
#include "paramsets/ParameterSetLoadHost.h"
#include "paramsets/SetupComparison.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace std::chrono_literals;

namespace {

const char* const THREE_VALUES = "<REGISTER><V Register='12' Value='40'/><V Register='13' "
                                 "Value='41'/><V Register='12' Value='42'/></REGISTER>";

// "tarnel --load-setup", "--save-setup --connect" and "--compare-setup" against the simulated
// device. 12 and 13 go to the device, 999 asks it for its values.
class CommissioningTest : public ::testing::Test {
protected:
    CommissioningTest()
        : m_fixture(MakeConfigXml(
              "<P Id='12' Maximum='1000' SendSerial='true' SetOnLoad='true' ReadOnSave='true'/>"
              "<P Id='13' Name='Count' Maximum='1000' SendSerial='true' SetOnLoad='true' "
              "ReadOnSave='true'/>"
              "<P Id='14' Value='3' SetOnLoad='true'/><P Id='999' SendSerial='true'/>")) {
        m_model.LoadFrom(m_fixture.Config());
        m_options.m_reportInterval = 0ms; // reports only when asked
    }

    CConfigFixture m_fixture;
    CDeviceModel m_model;
    SSimulatorOptions m_options;
    const SSerialLinkTiming m_timing = FastTiming(300ms);
    std::ostringstream m_out;
    std::ostringstream m_err;
    const std::string m_file = m_fixture.Dir().Write("set.tnv", THREE_VALUES);
};

} // namespace

// Every value acknowledged ends with 0; with every second write left unacknowledged, with 1
// and what was missed listed.
TEST_F(CommissioningTest, LoadSetupEndsWithZeroOnlyWhenEveryValueWasAcknowledged) {
    for (const unsigned dropEvery : {0U, 2U}) {
        m_options.m_dropEvery = dropEvery;
        CSimulatorThread device(m_model, m_options);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunLoadSetup(m_file, device.SlavePath(), out, err, m_timing),
                  dropEvery == 0 ? 0 : 1);
        device.Stop();
        EXPECT_EQ(out.str(), "<3> Parameter loaded from " + m_file + " \n");
        EXPECT_EQ(err.str(), dropEvery == 0 ? "" : "Not acknowledged: register 13 value 41\n");
        EXPECT_EQ(device.Model().GetValue(12), 42);
        EXPECT_EQ(device.Model().GetValue(13), 41);
    }
}

// A missing file is the process tests'; a file without REGISTER takes the same way.
TEST_F(CommissioningTest, UnusableFileOrPortEndsWithTwo) {
    CSimulatorThread device(m_model, m_options);
    const std::string wrapped =
        m_fixture.Dir().Write("wrapped.tnv", "<A><REGISTER></REGISTER></A>");
    EXPECT_EQ(RunLoadSetup(wrapped, device.SlavePath(), m_out, m_err, m_timing), 2);
    EXPECT_EQ(RunLoadSetup(m_file, m_fixture.Dir().Path() + "no-such-tty", m_out, m_err, m_timing),
              2);
    EXPECT_EQ(RunSaveSetup(m_fixture.Dir().Path() + "no/folder.tnv", false, "", m_out, m_err), 2);
    SetProgramDirectory(m_fixture.Dir().Path() + "elsewhere/");
    EXPECT_EQ(RunLoadSetup(m_file, device.SlavePath(), m_out, m_err, m_timing), 2)
        << "no config.xml";
    SetProgramDirectory(m_fixture.Dir().Path());
    device.Stop();
    EXPECT_EQ(device.Model().Counts().m_writes, 0u) << "nothing was sent";
    EXPECT_EQ(m_out.str(), "");
    EXPECT_NE(m_err.str().find("does not contain REGISTER Tag!\n"), std::string::npos);
    EXPECT_NE(m_err.str().find("Datei kann nicht gespeichert werden\n"), std::string::npos);
    EXPECT_NE(m_err.str().find("Kann config.xml nicht laden!\n"), std::string::npos);
    // The port's problem as the window's box tells it.
    EXPECT_NE(m_err.str().find("Message: No such file or directory\n\nThere is no device " +
                               m_fixture.Dir().Path() + "no-such-tty."),
              std::string::npos);
}

TEST_F(CommissioningTest, SaveSetupAfterConnectingSavesTheDevicesValues) {
    m_model.SetValue(12, 555);
    m_model.SetValue(13, -7);
    CSimulatorThread device(m_model, m_options);
    const std::string file = m_fixture.Dir().Path() + "device.tnv";
    EXPECT_EQ(RunSaveSetup(file, true, device.SlavePath(), m_out, m_err, m_timing, 5s), 0);
    EXPECT_EQ(m_out.str(), "Datei gespeichert\n");
    EXPECT_EQ(m_err.str(), "");
    EXPECT_EQ(ReadAll(file), "<REGISTER>\n"
                             "    <VALUE Register=\"12\" Value=\"555\" />\n"
                             "    <VALUE Register=\"13\" Value=\"-7\" />\n"
                             "</REGISTER>\n");

    // A device that stays silent: saved all the same, with what was not reported listed.
    device.SetSilent(true);
    EXPECT_EQ(RunSaveSetup(file, true, device.SlavePath(), m_out, m_err, m_timing, 200ms), 1);
    EXPECT_EQ(m_err.str(), "Not reported: register 12\nNot reported: register 13\n");
}

// Against another file first (no device), then against the device's values; a file compared
// with itself leaves nothing to change.
TEST_F(CommissioningTest, CompareSetupListsWhatLoadingWouldChange) {
    const std::string file = m_fixture.Dir().Write(
        "compare.tnv", "<REGISTER><V Register='12' Value='40'/><V Register='13' Value='5000'/>"
                       "<V Register='14' Value='3'/><V Register='77'/></REGISTER>");
    const std::string other =
        m_fixture.Dir().Write("other.tnv", "<REGISTER><V Register='12' Value='40'/></REGISTER>");
    EXPECT_EQ(RunCompareSetup(file, other, "", m_out, m_err), 1);
    EXPECT_EQ(RunCompareSetup(file, file, "", m_out, m_err), 0);
    m_model.SetValue(13, 7);
    CSimulatorThread device(m_model, m_options);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RunCompareSetup(file, std::nullopt, device.SlavePath(), m_out, m_err, m_timing), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 4s) << "ends once the reports stop";
    const std::string changed13 = "R13 Count: 0 -> 1000 (clamped from 5000)\n"
                                  "1 change, 2 same, 0 not loaded, 1 unknown register\n";
    EXPECT_EQ(m_out.str(), changed13 + "0 change, 3 same, 0 not loaded, 1 unknown register\n" +
                               "R12 NoName: 0 -> 40\nR13 Count: 7 -> 1000 (clamped from 5000)\n"
                               "2 change, 1 same, 0 not loaded, 1 unknown register\n");
    EXPECT_EQ(m_err.str(), "");

    device.SetSilent(true);
    EXPECT_EQ(RunCompareSetup(file, std::nullopt, device.SlavePath(), m_out, m_err, m_timing,
                              {100ms, 300ms}),
              2);
    EXPECT_EQ(m_err.str(), "No report from the device on " + device.SlavePath() + "\n");
}

// Chosen changes go out as loading sends them and stop at the first the device leaves
// unacknowledged, with the link's time-out message; nothing after it is sent.
TEST_F(CommissioningTest, ChosenChangesStopAtTheFirstUnacknowledged) {
    CSilentLoadHost host;
    const CFakeMessageService messages;
    m_options.m_dropEvery = 2;
    CSimulatorThread device(m_model, m_options);
    std::size_t applied = 0;
    {
        const CSerialLink link(device.SlavePath(), m_timing);
        applied =
            ApplyUntilUnacknowledged(m_fixture.Config(), {{12, 5}, {13, 6}, {12, 7}}, &link, host);
    }
    device.Stop();
    EXPECT_EQ(applied, 1u);
    EXPECT_EQ(device.Model().Counts().m_writes, 2u);
    EXPECT_EQ(device.Model().GetValue(12), 5);
    EXPECT_EQ(m_fixture.Config().FindParameter(12)->GetValue(), 5);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].m_text, "Timeout while sending parameters!");
}
