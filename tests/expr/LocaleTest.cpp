// Numbers read the same under a locale whose decimal separator is a comma, as a Qt application
// running for a German user has it.
#include "TempDir.h"
#include "expr/DecimalReader.h"
#include "expr/ExpressionParser.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

bool DecimalPointIsComma() {
    return std::strcmp(std::localeconv()->decimal_point, ",") == 0;
}

bool TrySetNumericLocale() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "de_DE@euro", "de_AT.UTF-8",
                             "fr_FR.UTF-8", "nl_NL.UTF-8", "es_ES.UTF-8", "it_IT.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr && DecimalPointIsComma()) {
            return true;
        }
    }
    std::setlocale(LC_NUMERIC, "C");
    return false;
}

// Switches LC_NUMERIC to a comma locale for the test's lifetime. When none is installed, it
// compiles de_DE into a folder of its own with localedef (from the C library's locale sources)
// and points LOCPATH at it, which setlocale consults on every call.
class CCommaLocale {
public:
    CCommaLocale() { m_active = TrySetNumericLocale() || Generate(); }
    ~CCommaLocale() {
        std::setlocale(LC_NUMERIC, "C");
        if (m_usedLocPath) {
            unsetenv("LOCPATH");
        }
    }
    CCommaLocale(const CCommaLocale&) = delete;
    CCommaLocale& operator=(const CCommaLocale&) = delete;

    bool IsActive() const { return m_active; }

private:
    bool Generate() {
        if (!std::ifstream("/usr/share/i18n/locales/de_DE").good()) {
            return false;
        }
        const std::string target = m_dir.Path() + "de_DE.UTF-8";
        const std::string command = "localedef -i de_DE -f UTF-8 '" + target + "' >/dev/null 2>&1";
        // localedef reports warnings through its exit status; the result is checked below.
        static_cast<void>(std::system(command.c_str()));
        if (setenv("LOCPATH", m_dir.Path().c_str(), 1) != 0) {
            return false;
        }
        m_usedLocPath = true;
        return std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr && DecimalPointIsComma();
    }

    CTempDir m_dir;
    bool m_active = false;
    bool m_usedLocPath = false;
};

} // namespace

TEST(CommaLocale, NumbersReadAsInTheCLocale) {
    const CCommaLocale locale;
    if (!locale.IsActive()) {
        GTEST_SKIP() << "no locale with a decimal comma is installed and de_DE could not be "
                        "generated (install the 'locales' package and generate de_DE.UTF-8)";
    }
    // The locale really is in force: the C library now stops at the '.'.
    ASSERT_EQ(std::atof("2.5"), 2.0);

    CExpressionParser parser;
    ASSERT_TRUE(parser.SetVariable("x", 4.0));
    const struct {
        const char* m_text;
        double m_expected;
    } cases[] = {
        {"2.5", 2.5},
        {"1.2.3", 1.2},
        {".", 0.0},
        {".25 * x", 1.0},
        {"0.1 + 0.2", 0.1 + 0.2},
        {"x * 1.5", 6.0},
        {"SetBit(2.5, 0)", 3.0},
        {"3.14159265358979323846264338327950288", 3.14159265358979323846264338327950288},
        {"0.1234567890123456789012345", 0.1234567890123456789012345},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parser.Evaluate(c.m_text), c.m_expected) << c.m_text;
        EXPECT_EQ(parser.GetErrorCode(), 0) << c.m_text;
    }
    const std::string digits = "1" + std::string(400, '0');
    EXPECT_GT(ReadDecimal(digits.data(), digits.data() + digits.size()), 1e308);
    EXPECT_EQ(parser.Evaluate("2,5"), 2.0) << "a comma stays a delimiter";
}
