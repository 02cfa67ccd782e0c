#include "ScanInt.h"
#include "platform/DecimalInt.h"

bool ScanInt(std::string_view text, std::int32_t& number) {
    std::size_t at = 0;
    return ReadDecimalInt(text, at, number);
}
