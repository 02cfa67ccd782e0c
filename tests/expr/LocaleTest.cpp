// Numbers read the same under a locale whose decimal separator is a comma, as a Qt application
// running for a German user has it.
#include "ExprTestSupport.h"
#include "TempDir.h"

#include <clocale>
#include <cstdlib>
#include <cstring>

namespace {

bool SetCommaLocale(const char* name) {
    return std::setlocale(LC_NUMERIC, name) != nullptr &&
           std::strcmp(std::localeconv()->decimal_point, ",") == 0;
}

} // namespace

// Switches LC_NUMERIC to German. When that is not installed, it compiles de_DE into a folder of
// its own with localedef (from the C library's locale sources) and points LOCPATH at it, which
// setlocale consults on every call.
class CommaLocaleTest : public ExprTest {
protected:
    ~CommaLocaleTest() override {
        std::setlocale(LC_NUMERIC, "C");
        if (m_usedLocPath) {
            unsetenv("LOCPATH");
        }
    }

    bool SwitchToGerman() {
        if (SetCommaLocale("de_DE.UTF-8") || SetCommaLocale("de_DE.utf8")) {
            return true;
        }
        const std::string target = m_dir.Path() + "de_DE.UTF-8";
        const std::string command = "localedef -i de_DE -f UTF-8 '" + target + "' >/dev/null 2>&1";
        // localedef reports warnings through its exit status, and fails without the locale
        // sources; the result is checked below.
        static_cast<void>(std::system(command.c_str()));
        m_usedLocPath = setenv("LOCPATH", m_dir.Path().c_str(), 1) == 0;
        return m_usedLocPath && SetCommaLocale("de_DE.UTF-8");
    }

private:
    CTempDir m_dir;
    bool m_usedLocPath = false;
};

TEST_F(CommaLocaleTest, NumbersReadAsInTheCLocale) {
    if (!SwitchToGerman()) {
        GTEST_SKIP() << "de_DE is not installed and could not be generated (install the "
                        "'locales' package and generate de_DE.UTF-8)";
    }
    // The locale really is in force: the C library now stops at the '.'.
    ASSERT_EQ(std::atof("2.5"), 2.0);
    // clang-format off
    const SResultCase cases[] = {
        {"2.5", 2.5}, {"1.2.3", 1.2}, {".25 * x", 1.5}, {"0.1 + 0.2", 0.1 + 0.2},
        {"2,5", 2.0}, // a comma stays a delimiter
        {"3.14159265358979323846264338327950288", 3.14159265358979323846264338327950288},
    };
    // clang-format on
    ExpectAll(cases);
}
