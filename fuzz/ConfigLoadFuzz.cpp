// Arbitrary bytes as config.xml: loading must refuse or accept them, never crash, and every
// record it builds must be readable.
#include "FuzzFile.h"
#include "config/Configuration.h"
#include "config/RegisterValue.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

void Touch(const char* text) {
    volatile std::size_t length = 0;
    for (const char* p = text; *p != 0; ++p) {
        length = length + 1;
    }
}

} // namespace

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
    for (int i = 0; i < config->GetParameterCount(); ++i) {
        const CParameter* parameter = config->GetParameter(i);
        Touch(parameter->GetName());
        CRegisterValue value(SOURCE_PANEL, parameter->GetId(), 1e300);
        config->Update(value);
    }
    for (int p = 0; p < config->GetPageCount(); ++p) {
        const CUiPage* page = config->GetPage(p);
        Touch(page->GetName());
        Touch(page->GetImagePath());
        for (int c = 0; c < page->GetControlCount(); ++c) {
            const CUiObject* control = page->GetControl(c);
            Touch(control->GetType());
            Touch(control->GetImagePath());
            Touch(control->GetInputFormula());
            for (int i = 0; i < control->GetItemCount(); ++i) {
                Touch(control->GetItemName(i));
            }
            for (int i = 0; i < control->GetOutputCount(); ++i) {
                Touch(control->GetOutputFormula(i));
            }
        }
        Touch(config->DisplayText(page->GetName()).c_str());
    }
    return 0;
}
