// Arbitrary bytes as a parameter-set file loaded into a store: reading must refuse or accept
// them, never crash, and whatever is applied must save and read back as the store holds it.
#include "FuzzFile.h"
#include "config/Configuration.h"
#include "paramsets/ParameterSetFile.h"
#include "paramsets/ParameterSetLoadHost.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Loaded and saved, loaded only, saved only, neither; narrow and inverted ranges.
CConfiguration& Store() {
    static const std::unique_ptr<CConfiguration> s_store = [] {
        const std::string config =
            "<ROOT><PARAMETER>"
            "<P Id=\"12\" SetOnLoad=\"true\" ReadOnSave=\"true\"/>"
            "<P Id=\"-5\" Minimum=\"-2147483648\" Maximum=\"2147483647\" SetOnLoad=\"true\" "
            "ReadOnSave=\"true\"/>"
            "<P Id=\"99999\" Minimum=\"10\" Maximum=\"5\" SetOnLoad=\"true\" ReadOnSave=\"true\"/>"
            "<P Id=\"40\" SetOnLoad=\"true\"/>"
            "<P Id=\"41\" ReadOnSave=\"true\"/>"
            "<P Id=\"12\" SetOnLoad=\"true\" ReadOnSave=\"true\"/>"
            "<P Id=\"7\"/>"
            "</PARAMETER></ROOT>";
        const std::string path = FuzzFilePath("config.xml");
        WriteFuzzFile(path, config.data(), config.size());
        auto store = CConfiguration::LoadFile(path);
        std::remove(path.c_str());
        if (store == nullptr) {
            std::abort();
        }
        return store;
    }();
    return *s_store;
}

class CCountingHost final : public IParameterSetLoadHost {
public:
    void OnValueApplied(const CRegisterValue&, int count) override {
        if (count != m_applied + 1) {
            std::abort();
        }
        m_applied = count;
    }
    void OnElementDone() override { ++m_elements; }

    int m_applied = 0;
    int m_elements = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string s_input = FuzzFilePath("input.tnv");
    static const std::string s_saved = FuzzFilePath("saved.tnv");
    if (!WriteFuzzFile(s_input, data, size)) {
        return 0;
    }
    std::vector<SParameterSetEntry> entries;
    const EParameterSetRead read = ReadParameterSet(s_input, entries);
    std::remove(s_input.c_str());
    if (read != EParameterSetRead::Ok) {
        return 0;
    }
    CConfiguration& store = Store();
    CCountingHost host;
    const int count = ApplyParameterSet(store, entries, host);
    if (count != host.m_applied || host.m_elements != static_cast<int>(entries.size())) {
        std::abort();
    }
    // What the store holds now saves and reads back unchanged.
    if (!SaveParameterSet(store, s_saved)) {
        return 0;
    }
    std::vector<SParameterSetEntry> saved;
    if (ReadParameterSet(s_saved, saved) != EParameterSetRead::Ok) {
        std::abort();
    }
    std::remove(s_saved.c_str());
    std::size_t next = 0;
    for (int i = 0; i < store.GetParameterCount(); ++i) {
        const CParameter* parameter = store.GetParameter(i);
        if (!parameter->IsReadOnSave()) {
            continue;
        }
        if (next >= saved.size() || saved[next].m_register != parameter->GetId() ||
            saved[next].m_value != parameter->GetValue()) {
            std::abort();
        }
        ++next;
    }
    if (next != saved.size()) {
        std::abort();
    }
    return 0;
}
