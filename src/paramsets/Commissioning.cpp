#include "Commissioning.h"

#include "ParameterSetCommands.h"
#include "ParameterSetFile.h"
#include "ParameterSetLoadHost.h"
#include "SetupComparison.h"
#include "config/Configuration.h"
#include "config/ParameterListener.h"
#include "config/ProgramDirectory.h"
#include "config/RegisterValue.h"
#include "platform/MessageService.h"

#include <condition_variable>
#include <mutex>
#include <ostream>
#include <set>
#include <vector>

namespace {

// The link reports a missed acknowledgement by a message; here each missed value is listed
// on its own instead, so that message is dropped. Everything else goes to the error stream.
class CStreamMessageService final : public IMessageService {
public:
    explicit CStreamMessageService(std::ostream& err)
        : m_err(err), m_previous(GetMessageService()) {
        SetMessageService(this);
    }
    ~CStreamMessageService() override { SetMessageService(&m_previous); }
    CStreamMessageService(const CStreamMessageService&) = delete;
    CStreamMessageService& operator=(const CStreamMessageService&) = delete;

    EMessageResult ShowMessage(const std::string& text, const std::string& caption, EMessageIcon,
                               EMessageButtons buttons) override {
        if (text != "Timeout while sending parameters!") {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_err << caption << ": " << text << '\n';
        }
        return buttons == EMessageButtons::YesNo ? EMessageResult::Yes : EMessageResult::Ok;
    }

private:
    std::mutex m_mutex;
    std::ostream& m_err;
    IMessageService& m_previous;
};

// Lists every sent value whose acknowledgement the link is still waiting for once the store's
// update has returned.
class CAcknowledgementCheck final : public IParameterSetLoadHost {
public:
    CAcknowledgementCheck(const CConfiguration& configuration, const CSerialLink& link,
                          std::ostream& err)
        : m_configuration(configuration), m_link(link), m_err(err) {}

    void OnValueApplied(const CRegisterValue& value, int) override {
        const CParameter* parameter = m_configuration.FindParameter(value.GetRegister());
        if (parameter == nullptr || !parameter->IsSendSerial() ||
            m_link.GetPendingRegister() != value.GetRegister()) {
            return;
        }
        ++m_missed;
        m_err << "Not acknowledged: register " << value.GetRegister() << " value "
              << parameter->GetValue() << '\n';
    }
    void OnElementDone() override {}

    int Missed() const { return m_missed; }

private:
    const CConfiguration& m_configuration;
    const CSerialLink& m_link;
    std::ostream& m_err;
    int m_missed = 0;
};

// Waits for the device to report a set of registers.
class CReportWatcher final : public IParameterListener {
public:
    CReportWatcher(CConfiguration& configuration, std::set<std::int32_t> awaited)
        : m_configuration(configuration), m_awaited(std::move(awaited)) {
        m_configuration.AddListener(this);
    }
    ~CReportWatcher() { m_configuration.RemoveListener(this); }
    CReportWatcher(const CReportWatcher&) = delete;
    CReportWatcher& operator=(const CReportWatcher&) = delete;

    void OnParameterChanged(CRegisterValue& value) override {
        if (value.GetSource() != SOURCE_DEVICE) {
            return;
        }
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_awaited.erase(value.GetRegister());
        }
        m_reported.notify_all();
    }

    // The registers still not reported when all were or the time ran out.
    std::set<std::int32_t> Wait(std::chrono::milliseconds timeout) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_reported.wait_for(lock, timeout, [this] { return m_awaited.empty(); });
        return m_awaited;
    }

private:
    CConfiguration& m_configuration;
    std::mutex m_mutex;
    std::condition_variable m_reported;
    std::set<std::int32_t> m_awaited;
};

std::set<std::int32_t> SavedRegisters(const CConfiguration& configuration) {
    std::set<std::int32_t> registers;
    for (int i = 0; i < configuration.GetParameterCount(); ++i) {
        if (configuration.GetParameter(i)->IsReadOnSave()) {
            registers.insert(configuration.GetParameter(i)->GetId());
        }
    }
    return registers;
}

// The store's own loading ends the process with status 1 when config.xml cannot be read; a
// script is told 2 instead, like for any other file it cannot use.
CConfiguration* LoadStore(std::ostream& err) {
    if (CConfiguration::LoadFile(GetProgramDirectory() + "config.xml") == nullptr) {
        err << "Kann config.xml nicht laden!\n";
        return nullptr;
    }
    return CConfiguration::GetInstance();
}

bool ReadToCompare(const std::string& file, std::vector<SParameterSetEntry>& entries,
                   std::ostream& err) {
    const EParameterSetRead read = ReadParameterSetToCompare(file, entries);
    if (read != EParameterSetRead::Ok) {
        err << LoadSetupMessage(read, 0, file).m_text << '\n';
    }
    return read == EParameterSetRead::Ok;
}

int PrintComparison(const CConfiguration& configuration,
                    const std::vector<SParameterSetEntry>& entries, std::ostream& out) {
    const std::vector<SComparedEntry> rows = CompareParameterSet(configuration, entries);
    for (const SComparedEntry& row : rows) {
        if (row.m_effect == ELoadEffect::Change) {
            out << ChangeLine(configuration, row) << '\n';
        }
    }
    const SEffectCounts counts = CountEffects(rows);
    out << ComparisonSummary(counts) << '\n';
    return counts[static_cast<std::size_t>(ELoadEffect::Change)] == 0 ? 0 : 1;
}

int Save(const CConfiguration& configuration, const std::string& file, std::ostream& out,
         std::ostream& err) {
    const bool saved = SaveParameterSet(configuration, file);
    (saved ? out : err) << SaveSetupMessage(saved).m_text << '\n';
    return saved ? COMMISSIONING_OK : COMMISSIONING_UNUSABLE;
}

} // namespace

int RunLoadSetup(const std::string& file, const std::string& portName, std::ostream& out,
                 std::ostream& err, const SSerialLinkTiming& timing) {
    CConfiguration* store = LoadStore(err);
    if (store == nullptr) {
        return COMMISSIONING_UNUSABLE;
    }
    CConfiguration& configuration = *store;
    // The file first, so that a bad one never opens the port.
    std::vector<SParameterSetEntry> entries;
    const EParameterSetRead read = ReadParameterSet(file, entries);
    if (read != EParameterSetRead::Ok) {
        err << LoadSetupMessage(read, 0, file).m_text << '\n';
        return COMMISSIONING_UNUSABLE;
    }
    const CStreamMessageService messages(err);
    const CSerialLink link(portName, timing);
    if (!link.IsPortOpen()) {
        err << "Cannot open the port " << portName << '\n';
        return COMMISSIONING_UNUSABLE;
    }
    CAcknowledgementCheck check(configuration, link, err);
    const int count = ApplyParameterSet(configuration, entries, check);
    out << LoadSetupMessage(read, count, file).m_text << '\n';
    return check.Missed() == 0 ? COMMISSIONING_OK : COMMISSIONING_INCOMPLETE;
}

int RunSaveSetup(const std::string& file, bool connectFirst, const std::string& portName,
                 std::ostream& out, std::ostream& err, const SSerialLinkTiming& timing,
                 std::chrono::milliseconds reportWait) {
    CConfiguration* store = LoadStore(err);
    if (store == nullptr) {
        return COMMISSIONING_UNUSABLE;
    }
    CConfiguration& configuration = *store;
    if (!connectFirst) {
        return Save(configuration, file, out, err);
    }
    const CStreamMessageService messages(err);
    // Listening before the link exists, so that no early report is missed.
    CReportWatcher watcher(configuration, SavedRegisters(configuration));
    const CSerialLink link(portName, timing);
    if (!link.IsPortOpen()) {
        err << "Cannot open the port " << portName << '\n';
        return COMMISSIONING_UNUSABLE;
    }
    CRegisterValue reportAll(SOURCE_MAIN_WINDOW, REGISTER_LINK_COMMAND, 1.0);
    configuration.Update(reportAll);
    const std::set<std::int32_t> missing = watcher.Wait(reportWait);
    for (const std::int32_t registerNumber : missing) {
        err << "Not reported: register " << registerNumber << '\n';
    }
    const int status = Save(configuration, file, out, err);
    if (status != COMMISSIONING_OK) {
        return status;
    }
    return missing.empty() ? COMMISSIONING_OK : COMMISSIONING_INCOMPLETE;
}

int RunCompareSetup(const std::string& file, const std::optional<std::string>& against,
                    const std::string& portName, std::ostream& out, std::ostream& err,
                    const SSerialLinkTiming& timing, const SReportWait& wait) {
    CConfiguration* store = LoadStore(err);
    if (store == nullptr) {
        return COMMISSIONING_UNUSABLE;
    }
    CConfiguration& configuration = *store;
    std::vector<SParameterSetEntry> entries;
    if (!ReadToCompare(file, entries, err)) {
        return COMMISSIONING_UNUSABLE;
    }
    if (against) {
        std::vector<SParameterSetEntry> other;
        if (!ReadToCompare(*against, other, err)) {
            return COMMISSIONING_UNUSABLE;
        }
        CSilentLoadHost host;
        ApplyParameterSet(configuration, other, host);
        return PrintComparison(configuration, entries, out);
    }
    const CStreamMessageService messages(err);
    CDeviceReports reports(configuration, wait);
    const CSerialLink link(portName, timing);
    if (!link.IsPortOpen()) {
        err << "Cannot open the port " << portName << '\n';
        return COMMISSIONING_UNUSABLE;
    }
    reports.Request();
    reports.WaitUntilOver();
    // Without a single report the store holds config.xml's values, not the device's.
    if (!reports.AnyReport()) {
        err << "No report from the device on " << portName << '\n';
        return COMMISSIONING_UNUSABLE;
    }
    return PrintComparison(configuration, entries, out);
}
