// Arbitrary bytes as config.xml: loading must refuse or accept them, never crash, and every
// record it builds must be readable.
#include "FuzzFile.h"
#include "config/Configuration.h"
#include "config/RegisterValue.h"

#include <cstdint>
#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = FuzzFilePath("config.xml");
    if (!WriteFuzzFile(path, data, size)) {
        return 0;
    }

    const auto config = CConfiguration::LoadFile(path);
    std::remove(path.c_str());
    if (config == nullptr) {
        return 0;
    }
    // Reading a text for display walks it to its end, where the sanitizers see any overrun.
    const auto readText = [&config](const char* text) {
        static_cast<void>(config->DisplayText(text));
    };
    for (int i = 0; i < config->GetParameterCount(); ++i) {
        const CParameter* parameter = config->GetParameter(i);
        readText(parameter->GetName());
        CRegisterValue value(SOURCE_PANEL, parameter->GetId(), 1e300);
        config->Update(value);
    }
    for (int p = 0; p < config->GetPageCount(); ++p) {
        const CUiPage* page = config->GetPage(p);
        readText(page->GetName());
        readText(page->GetImagePath());
        for (int c = 0; c < page->GetControlCount(); ++c) {
            const CUiObject* control = page->GetControl(c);
            readText(control->GetType());
            readText(control->GetImagePath());
            readText(control->GetInputFormula());
            for (int i = 0; i < control->GetItemCount(); ++i) {
                readText(control->GetItemName(i));
            }
            for (int i = 0; i < control->GetOutputCount(); ++i) {
                readText(control->GetOutputFormula(i));
            }
        }
    }
    return 0;
}
