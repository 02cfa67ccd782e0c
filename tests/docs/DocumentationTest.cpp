// The examples of the integrators' reference in docs/ are run against the program, so that the
// pages cannot drift from what it does: every complete config.xml passes the checker, every
// formula of the examples table gives the stated result, every wire message carries the
// checksum the link computes.
#include "ConfigFixture.h"
#include "TempDir.h"
#include "check/ConfigCheck.h"
#include "config/Configuration.h"
#include "expr/ConfigurationRegisters.h"
#include "expr/ExpressionParser.h"
#include "link/WireProtocol.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Each page of the reference, by file name, as lines.
using Documents = std::map<std::string, std::vector<std::string>>;

Documents ReadDocuments() {
    Documents documents;
    for (const fs::directory_entry& entry : fs::directory_iterator(TARNEL_DOCS_DIR)) {
        if (entry.path().extension() == ".md") {
            std::istringstream stream(ReadAll(entry.path().string()));
            std::vector<std::string>& lines = documents[entry.path().filename().string()];
            for (std::string line; std::getline(stream, line);) {
                lines.push_back(line);
            }
        }
    }
    return documents;
}

// The cells of a table row "| a | b | c |", trimmed.
std::vector<std::string> Cells(const std::string& row) {
    std::vector<std::string> cells;
    std::string cell;
    for (std::size_t i = 1; i < row.size(); ++i) {
        if (row[i] != '|') {
            cell += row[i];
            continue;
        }
        const std::size_t first = cell.find_first_not_of(' ');
        const std::size_t last = cell.find_last_not_of(' ');
        cells.push_back(first == std::string::npos ? "" : cell.substr(first, last - first + 1));
        cell.clear();
    }
    return cells;
}

std::string Unquoted(const std::string& code) {
    return code.size() >= 2 && code.front() == '`' && code.back() == '`'
               ? code.substr(1, code.size() - 2)
               : code;
}

// The rows of the first table below the heading whose header row starts with the given cell.
std::vector<std::vector<std::string>> TableRows(const std::vector<std::string>& lines,
                                                const std::string& heading,
                                                const std::string& firstHeader) {
    std::vector<std::vector<std::string>> rows;
    bool inSection = false;
    bool inTable = false;
    for (const std::string& line : lines) {
        if (line.rfind("#", 0) == 0) {
            inSection = line == heading;
            inTable = false;
            continue;
        }
        if (!inSection || line.rfind("|", 0) != 0) {
            if (inTable) {
                break;
            }
            continue;
        }
        const std::vector<std::string> cells = Cells(line);
        if (!inTable) {
            inTable = !cells.empty() && cells[0] == firstHeader;
        } else if (cells[0].rfind("---", 0) != 0) {
            rows.push_back(cells);
        }
    }
    return rows;
}

// A stated result counts to the digits it shows.
bool MatchesShown(double value, const std::string& shown) {
    const std::size_t point = shown.find('.');
    const int decimals =
        point == std::string::npos ? 0 : static_cast<int>(shown.size() - point - 1);
    return std::fabs(value - std::stod(shown)) <= 0.5 * std::pow(10.0, -decimals);
}

TEST(DocumentationTest, FormulaExamplesGiveTheirResults) {
    const std::vector<std::string> document = ReadDocuments().at("formulas.md");
    // The values the examples assume are stated in a sentence above the table; the formulas
    // read them from a configuration, as the panel's do.
    std::string parameters;
    double x = 0.0;
    const std::regex registerValue(R"(register (\d+) holds (-?\d+))");
    const std::regex xValue(R"(`x` is (-?\d+))");
    for (const std::string& line : document) {
        for (std::sregex_iterator it(line.begin(), line.end(), registerValue), end; it != end;
             ++it) {
            parameters += "<P Id=\"" + (*it)[1].str() + "\" Value=\"" + (*it)[2].str() + "\"/>";
        }
        std::smatch match;
        if (std::regex_search(line, match, xValue)) {
            x = std::stod(match[1]);
        }
    }
    ASSERT_FALSE(parameters.empty());
    const CTempDir dir;
    const auto configuration =
        CConfiguration::LoadFile(dir.Write("config.xml", MakeConfigXml(parameters)));
    ASSERT_NE(configuration, nullptr);
    CConfigurationRegisters registers(*configuration);

    const auto rows = TableRows(document, "## Examples", "Formula");
    ASSERT_GE(rows.size(), 20u);
    for (const auto& row : rows) {
        ASSERT_GE(row.size(), 2u);
        const std::string formula = Unquoted(row[0]);
        CExpressionParser parser(registers);
        parser.SetVariable("x", x);
        double result = 0.0;
        bool assigned = false;
        const int code = parser.EvaluateChecked(formula.c_str(), result, assigned);
        if (row[1].rfind("error ", 0) == 0) {
            EXPECT_EQ(code, std::stoi(row[1].substr(6))) << formula;
        } else {
            EXPECT_EQ(code, 0) << formula << ": " << CExpressionParser::GetErrorMessage(code);
            EXPECT_TRUE(MatchesShown(result, row[1])) << formula << " gives " << result;
        }
    }

    // The table of error codes quotes the evaluator's own messages.
    const auto errors = TableRows(document, "## Errors", "Code");
    ASSERT_EQ(errors.size(), 10u);
    for (const auto& row : errors) {
        EXPECT_EQ(row[1], CExpressionParser::GetErrorMessage(std::stoi(row[0])));
    }
}

struct SConfigExample {
    std::string m_where;
    std::string m_text;
    // The warnings the example announces in comments "<!-- warning: text -->".
    std::vector<std::string> m_warnings;
};

// Every fenced xml block that is a whole file: it starts with <ROOT> or an XML declaration.
std::vector<SConfigExample> ConfigExamples() {
    std::vector<SConfigExample> examples;
    const std::regex announced(R"(<!-- warning: (.*) -->)");
    for (const auto& [name, lines] : ReadDocuments()) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i] != "```xml") {
                continue;
            }
            SConfigExample example{name + ":" + std::to_string(i + 2), "", {}};
            for (++i; i < lines.size() && lines[i] != "```"; ++i) {
                example.m_text += lines[i] + '\n';
                std::smatch match;
                if (std::regex_search(lines[i], match, announced)) {
                    example.m_warnings.push_back(match[1]);
                }
            }
            const std::size_t start = example.m_text.find_first_not_of(" \n");
            if (start != std::string::npos && (example.m_text.compare(start, 6, "<ROOT>") == 0 ||
                                               example.m_text.compare(start, 5, "<?xml") == 0)) {
                examples.push_back(std::move(example));
            }
        }
    }
    return examples;
}

TEST(DocumentationTest, ConfigExamplesCheckAsAnnounced) {
    // The examples name the demo's pictures.
    const CTempDir directory;
    const std::string makePictures = std::string("'") + TARNEL_PYTHON + "' '" + TARNEL_DEMO_DIR +
                                     "/make-pictures.py' '" + directory.Path() + "' >/dev/null";
    ASSERT_EQ(std::system(makePictures.c_str()), 0);

    const std::vector<SConfigExample> examples = ConfigExamples();
    ASSERT_FALSE(examples.empty());
    for (const SConfigExample& example : examples) {
        directory.Write("config.xml", example.m_text);
        const SCheckResult result = CheckConfiguration(directory.Path());
        ASSERT_TRUE(result.m_readable);
        std::vector<std::string> warnings;
        for (const SDiagnostic& diagnostic : result.m_diagnostics) {
            EXPECT_EQ(diagnostic.m_severity, ESeverity::Warning)
                << example.m_where << ": " << diagnostic.m_text;
            warnings.push_back(diagnostic.m_text);
        }
        EXPECT_EQ(warnings, example.m_warnings) << example.m_where;
    }
}

TEST(DocumentationTest, WireExamplesCarryTheirChecksum) {
    const std::regex message(R"(([SIB])(-?\d+):(-?\d+);(\d+))");
    int found = 0;
    for (const auto& [name, lines] : ReadDocuments()) {
        for (const std::string& line : lines) {
            for (std::sregex_iterator it(line.begin(), line.end(), message), end; it != end; ++it) {
                const std::string text = (*it)[0];
                EXPECT_EQ(text, BuildRegisterLine(std::string((*it)[1])[0], std::stoi((*it)[2]),
                                                  std::stoi((*it)[3])))
                    << name << ": " << line;
                ++found;
            }
        }
    }
    EXPECT_GE(found, 5);
}

TEST(DocumentationTest, LinksReachTheirFiles) {
    const std::regex link(R"(\]\(([^)#:]+)(#[^)]*)?\))");
    for (const auto& [name, lines] : ReadDocuments()) {
        for (const std::string& line : lines) {
            for (std::sregex_iterator it(line.begin(), line.end(), link), end; it != end; ++it) {
                EXPECT_TRUE(fs::exists(fs::path(TARNEL_DOCS_DIR) / std::string((*it)[1])))
                    << name << ": " << line;
            }
        }
    }
}

} // namespace
