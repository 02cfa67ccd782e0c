// Arbitrary bytes as a formula: the evaluator must give a value or an error code without
// crashing, reading past the text or undefined behaviour, its error record must point into the
// text, and a second evaluation must agree with the first.
#include "ConfigFixture.h"
#include "expr/ExpressionParser.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Register references need a loaded configuration; one for the whole run.
    static const CConfigFixture s_config(MakeConfigXml("<P Id=\"0\" Value=\"7\"/>"
                                                       "<P Id=\"5\" Value=\"42\"/>"
                                                       "<P Id=\"12\" Value=\"-100\"/>"
                                                       "<P Id=\"999\" Value=\"1\"/>"));
    // A block of exactly the text and its terminator, so any read beyond it is caught.
    const std::unique_ptr<char[]> text(new char[size + 1]);
    std::memcpy(text.get(), data, size);
    text[size] = '\0';
    const std::size_t length = std::strlen(text.get());

    CExpressionParser parser;
    Require(parser.SetVariable("x", 3.0));
    double result = 0.0;
    bool assigned = false;
    const int code = parser.EvaluateChecked(text.get(), result, assigned);

    Require(code >= 0 && code <= CExpressionParser::ERROR_NESTED_TOO_DEEPLY);
    Require(code == parser.GetErrorCode());
    const char* token = parser.GetErrorToken();
    const std::size_t position = parser.GetErrorPosition();
    if (code == 0) {
        Require(token[0] == '\0' && position == 0);
    } else {
        Require(result == 0.0 && !assigned);
        Require(position <= length);
        Require(std::strlen(token) <= CExpressionParser::MAX_ERROR_TOKEN_LENGTH);
        Require(std::strncmp(text.get() + position, token, std::strlen(token)) == 0);
    }

    CExpressionParser again;
    again.SetVariable("x", 3.0);
    const double second = again.Evaluate(text.get());
    Require((std::isnan(second) && std::isnan(result)) ||
            (second == result && std::signbit(second) == std::signbit(result)));
    Require(again.GetErrorCode() == code);

    // As the checker reads formulas: a division by zero yields 0 and the evaluation reads on, so
    // every other error is the one the plain evaluation stops at.
    CExpressionParser reading;
    reading.SetVariable("x", 3.0);
    reading.SetStopOnDivisionByZero(false);
    const int readCode = reading.EvaluateChecked(text.get(), result, assigned);
    Require(readCode != CExpressionParser::ERROR_DIVISION_BY_ZERO);
    Require(code == CExpressionParser::ERROR_DIVISION_BY_ZERO || readCode == code);
    return 0;
}
