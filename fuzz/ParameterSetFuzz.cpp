// Arbitrary bytes as a parameter-set file loaded into a store: reading must refuse or accept
// them, never crash, whatever is applied must save and read back as the store holds it, and
// comparing the file with the store it has just been loaded into finds nothing to change.
#include "ConfigFixture.h"
#include "FuzzFile.h"
#include "config/Configuration.h"
#include "paramsets/ParameterSetFile.h"
#include "paramsets/ParameterSetLoadHost.h"
#include "paramsets/SetupComparison.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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
    // Loaded and saved, loaded only, saved only, neither; narrow and inverted ranges.
    static const CConfigFixture s_store(
        "<ROOT><PARAMETER><P Id='12' SetOnLoad='true' ReadOnSave='true'/>"
        "<P Id='-5' Minimum='-2147483648' Maximum='2147483647' SetOnLoad='true' "
        "ReadOnSave='true'/><P Id='99999' Minimum='10' Maximum='5' SetOnLoad='true' "
        "ReadOnSave='true'/><P Id='40' SetOnLoad='true'/><P Id='41' ReadOnSave='true'/>"
        "<P Id='12' SetOnLoad='true' ReadOnSave='true'/><P Id='7'/></PARAMETER></ROOT>");
    CConfiguration& store = s_store.Config();
    // Counts and progress are the unit tests'; here only what reaches the store matters.
    CSilentLoadHost host;
    ApplyParameterSet(store, entries, host);
    const SEffectCounts counts = CountEffects(CompareParameterSet(store, entries));
    if (counts[static_cast<std::size_t>(ELoadEffect::Change)] != 0) {
        std::abort();
    }
    // What the store holds now saves and reads back unchanged, in store order.
    std::vector<SParameterSetEntry> saved;
    if (!SaveParameterSet(store, s_saved)) {
        return 0;
    }
    if (ReadParameterSet(s_saved, saved) != EParameterSetRead::Ok) {
        std::abort();
    }
    std::remove(s_saved.c_str());
    std::vector<SParameterSetEntry> expected;
    for (int i = 0; i < store.GetParameterCount(); ++i) {
        const CParameter* parameter = store.GetParameter(i);
        if (parameter->IsReadOnSave()) {
            expected.push_back({parameter->GetId(), parameter->GetValue()});
        }
    }
    const auto same = [](const SParameterSetEntry& a, const SParameterSetEntry& b) {
        return a.m_register == b.m_register && a.m_value == b.m_value;
    };
    if (!std::equal(saved.begin(), saved.end(), expected.begin(), expected.end(), same)) {
        std::abort();
    }
    return 0;
}
