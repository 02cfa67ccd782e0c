#include "HeadlessRecording.h"

#include "CsvRecorder.h"
#include "TrendSampler.h"
#include "config/Configuration.h"
#include "config/ProgramDirectory.h"
#include "config/RegisterValue.h"
#include "platform/Clock.h"

#include <ostream>
#include <thread>

int RunRecording(const SRecordingRequest& request, const std::atomic<bool>& stop, std::ostream& out,
                 std::ostream& err, const SSerialLinkTiming& timing) {
    // The store's own loading would end the process with status 1; a script is told 2.
    if (CConfiguration::LoadFile(GetProgramDirectory() + "config.xml") == nullptr) {
        err << "Kann config.xml nicht laden!\n";
        return RECORDING_UNUSABLE;
    }
    CConfiguration& configuration = *CConfiguration::GetInstance();
    std::vector<std::int32_t> unknown;
    std::vector<STrendColumn> columns = TrendColumns(configuration, request.m_registers, unknown);
    for (const std::int32_t registerNumber : unknown) {
        err << "Register " << registerNumber << " is not declared in config.xml\n";
    }
    if (!unknown.empty()) {
        return RECORDING_UNUSABLE;
    }

    const IClock& clock = CSystemClock::Instance();
    // Listening before the link exists, so that no early report is missed.
    CTrendSampler sampler(configuration, clock);
    const CSerialLink link(request.m_portName, timing);
    if (!link.IsPortOpen()) {
        err << "Cannot open the port " << request.m_portName << '\n';
        return RECORDING_UNUSABLE;
    }
    std::vector<std::int32_t> values;
    for (const STrendColumn& column : columns) {
        values.push_back(configuration.FindParameter(column.m_register)->GetValue());
    }
    CCsvRecorder recorder;
    if (!recorder.Open(request.m_file, std::move(columns), std::move(values))) {
        err << recorder.GetError() << '\n';
        return RECORDING_UNUSABLE;
    }
    CRegisterValue reportAll(SOURCE_MAIN_WINDOW, REGISTER_LINK_COMMAND, 1.0);
    configuration.Update(reportAll);

    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    Clock::time_point tick = start;
    bool ended = false;
    while (!ended) {
        tick += std::chrono::milliseconds(TREND_TICK_MS);
        std::this_thread::sleep_until(tick);
        ended = stop.load() || (request.m_duration && Clock::now() - start >= *request.m_duration);
        recorder.Add(sampler.Take());
        if (!recorder.Tick(clock.NowMilliseconds())) {
            err << recorder.GetError() << '\n';
            return RECORDING_UNUSABLE;
        }
        if (Clock::now() > tick + std::chrono::seconds(1)) {
            // The machine was suspended or starved: go on from now instead of catching up.
            tick = Clock::now();
        }
    }
    recorder.Close();
    out << recorder.GetRowCount() << " rows recorded to " << request.m_file << '\n';
    return RECORDING_OK;
}
