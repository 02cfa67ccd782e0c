#include "paramsets/ParameterSetFile.h"
#include "ConfigFixture.h"
#include "FakeFileDialog.h"
#include "FakeMessageService.h"
#include "config/Configuration.h"
#include "config/RegisterValue.h"
#include "paramsets/ParameterSetCommands.h"
#include "paramsets/ParameterSetLoadHost.h"
#include "paramsets/SetupComparison.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <sys/resource.h>
#include <tuple>

namespace {

// 12 and 40 are saved and loaded, 20 neither, 99999 and 50 only loaded; all -127..127.
const char* const PARAMETERS =
    "<P Id='12' Value='100' ReadOnSave='true' SetOnLoad='true'/><P Id='20' Value='7'/>"
    "<P Id='40' Value='-5' ReadOnSave='true' SetOnLoad='true'/>"
    "<P Id='99999' Value='1' SetOnLoad='true'/><P Id='50' Value='3' SetOnLoad='true'/>";

auto Fields(const SFileDialogRequest& request) {
    return std::tie(request.m_mode, request.m_initialName, request.m_defaultExtension,
                    request.m_filter, request.m_mustExist);
}

class ParameterSetTest : public ::testing::Test {
protected:
    CConfiguration& Config() { return m_fixture.Config(); }
    std::string Path(const std::string& name) const { return m_fixture.Dir().Path() + name; }
    std::int32_t Value(std::int32_t registerNumber) {
        return Config().FindParameter(registerNumber)->GetValue();
    }
    void Set(std::int32_t registerNumber, double value) {
        CRegisterValue change(SOURCE_PANEL, registerNumber, value);
        Config().Update(change);
    }
    // nullopt answers the file dialog with Cancel.
    void Save(const std::optional<std::string>& path) {
        m_files.SetNextAnswer(path);
        SaveSetup(Config(), m_files, m_messages);
    }
    void Load(const std::optional<std::string>& path) {
        m_files.SetNextAnswer(path);
        LoadSetup(Config(), m_files, m_messages, m_host);
    }
    // The one message shown since the last call.
    using SMessage = CFakeMessageService::SMessage;
    SMessage TakeMessage() {
        const auto messages = m_messages.Messages();
        EXPECT_EQ(messages.size(), m_seenMessages + 1);
        m_seenMessages = messages.size();
        return messages.empty() ? SMessage{} : messages.back();
    }

    CConfigFixture m_fixture{MakeConfigXml(PARAMETERS)};
    CFakeMessageService m_messages;
    CFakeFileDialog m_files;
    CSilentLoadHost m_host;
    std::size_t m_seenMessages = 0;
};

} // namespace

TEST_F(ParameterSetTest, SaveWritesTheReadOnSaveValuesInTinyXmlLayoutOverAnOldFile) {
    const std::pair<const char*, const char*> cases[] = {
        {PARAMETERS, "<REGISTER>\n"
                     "    <VALUE Register=\"12\" Value=\"100\" />\n"
                     "    <VALUE Register=\"40\" Value=\"-5\" />\n"
                     "</REGISTER>\n"},
        {"<P Id=\"12\" Value=\"1\" SetOnLoad=\"true\"/>", "<REGISTER />\n"}, // nothing to save
    };
    for (const auto& [parameters, bytes] : cases) {
        const CConfigFixture fixture(MakeConfigXml(parameters));
        const std::string path = fixture.Dir().Write("set.tnv", std::string(500, 'x'));
        m_files.SetNextAnswer(path);
        SaveSetup(fixture.Config(), m_files, m_messages);
        EXPECT_EQ(ReadAll(path), bytes);
        EXPECT_EQ(TakeMessage(), (SMessage{"Datei gespeichert", "OK", EMessageIcon::Information}));
    }
    EXPECT_EQ(Fields(m_files.Requests().at(0)),
              std::make_tuple(EFileDialogMode::Save, "parameter.tnv", ".tnv", "", false));
}

TEST_F(ParameterSetTest, SavedValuesComeBackOnLoad) {
    const std::string path = Path("set.tnv");
    Set(12, -100);
    Set(40, 127);
    Save(path);
    EXPECT_EQ(TakeMessage().m_text, "Datei gespeichert");
    Set(12, 0);
    Set(40, 0);
    Load(path);
    EXPECT_EQ(Value(12), -100);
    EXPECT_EQ(Value(40), 127);
    EXPECT_EQ(TakeMessage(), (SMessage{"<2> Parameter loaded from " + path + " ", "OK",
                                       EMessageIcon::Information}));
    EXPECT_EQ(Fields(m_files.Requests().at(1)),
              std::make_tuple(EFileDialogMode::Open, "*.tnv", "xml",
                              "Configs (*.tnv)|*.tnv|All Files (*.*)|*.*||", true));

    // Cancel ends either operation silently.
    Save(std::nullopt);
    Load(std::nullopt);
    EXPECT_EQ(m_messages.Messages().size(), m_seenMessages);
}

TEST_F(ParameterSetTest, LoadReadsLeniently) {
    struct SCase {
        std::string m_children; // of the REGISTER element
        int m_count;
        std::map<std::int32_t, std::int32_t> m_values; // the others keep theirs
    };
    const SCase cases[] = {
        // CR LF, any element name, text and comments between.
        {"\r\n<X Register='12' Value='5'/>t<!-- c -->\r\n<Y Value='6' Register='40'></Y>\r\n",
         2,
         {{12, 5}, {40, 6}}},
        // A non-numeric register, then a missing one.
        {"<V Register='x12' Value='8'/><V Value='9'/>", 2, {{99999, 9}, {12, 100}}},
        // A value missing, non-numeric, or a number with a tail.
        {"<V Register='12'/><V Register='50' Value='abc'/><V Register=' +40x' Value=' -17.9'/>",
         3,
         {{12, 0}, {50, 0}, {40, -17}}},
        // Clamped to the range; beyond 32 bits saturates and never wraps (to 50 here).
        {"<V Register='50' Value='1000'/><V Register='12' Value='99999999999'/>"
         "<V Register='40' Value='-4294967396'/><V Register='4294967346' Value='1'/>",
         3,
         {{50, 127}, {12, 127}, {40, -127}}},
        // Twice: the later stays.
        {"<V Register='12' Value='1'/><V Register='12' Value='2'/>", 2, {{12, 2}}},
        {"", 0, {{12, 100}}},
        // Undeclared, or not SetOnLoad: skipped.
        {"<V Register='77' Value='1'/><V Register='20' Value='1'/>", 0, {{20, 7}}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.m_children);
        CConfigFixture fixture(MakeConfigXml(PARAMETERS));
        // A comment before the REGISTER element in every file.
        const std::string path = fixture.Dir().Write("case.tnv", "<!-- set --><REGISTER>" +
                                                                     c.m_children + "</REGISTER>");
        m_files.SetNextAnswer(path);
        LoadSetup(fixture.Config(), m_files, m_messages, m_host);
        EXPECT_EQ(TakeMessage().m_text,
                  "<" + std::to_string(c.m_count) + "> Parameter loaded from " + path + " ");
        for (const auto& [registerNumber, value] : c.m_values) {
            EXPECT_EQ(fixture.Config().FindParameter(registerNumber)->GetValue(), value)
                << registerNumber;
        }
    }
}

TEST_F(ParameterSetTest, UnusableFilesApplyNothing) {
    const std::string path = Path("bad.tnv");
    const SMessage unreadable{"Kann parameter nicht laden!", "Fehler", EMessageIcon::Error};
    // A missing file reads as one that is not well-formed; the command line's test has it.
    const std::pair<std::string, SMessage> cases[] = {
        {"<SET><REGISTER><V Register='12' Value='5'/></REGISTER></SET>",
         {"Wrong File content: File " + path + " does not contain REGISTER Tag!", "OK",
          EMessageIcon::Error}},
        {"<REGISTER><V Register='12' Value='5'/>", unreadable}, // not well-formed
    };
    for (const auto& [content, message] : cases) {
        m_fixture.Dir().Write("bad.tnv", content);
        Load(path);
        EXPECT_EQ(TakeMessage(), message);
        EXPECT_EQ(Value(12), 100);
    }
}

// What loading would do with each element, and loading then leaves nothing to change.
TEST_F(ParameterSetTest, ComparisonForeseesWhatLoadingDoes) {
    const std::string path = Path("compare.tnv");
    m_fixture.Dir().Write("compare.tnv", "<REGISTER><V Register='12' Value='5'/>"
                                         "<V Register='40' Value='6'/>"
                                         "<V Register='50' Value='1000'/>"
                                         "<V Register='20' Value='1'/>"
                                         "<V Register='77' Value='1'/>"
                                         "<V/>" // register 99999, value 0
                                         "<V Register='12' Value='100'/></REGISTER>");
    std::vector<SParameterSetEntry> entries;
    ASSERT_EQ(ReadParameterSet(path, entries), EParameterSetRead::Ok);
    using Row = std::tuple<std::int32_t, std::int32_t, std::int32_t, std::string>;
    const auto rowsOf = [&] {
        std::vector<Row> rows;
        for (const SComparedEntry& row : CompareParameterSet(Config(), entries)) {
            rows.emplace_back(row.m_entry.m_register, row.m_now, row.m_loaded, EffectText(row));
        }
        return rows;
    };
    EXPECT_EQ(rowsOf(), (std::vector<Row>{
                            {12, 100, 5, "overridden by a later element"},
                            {40, -5, 6, "change"},
                            {50, 3, 127, "change (clamped from 1000)"},
                            {20, 7, 7, "not loaded (not SetOnLoad)"},
                            {77, 0, 0, "unknown register"},
                            {99999, 1, 0, "change"},
                            {12, 100, 100, "same"}, // the last one counts
                        }));
    EXPECT_EQ(ComparisonSummary(CountEffects(CompareParameterSet(Config(), entries))),
              "3 change, 1 same, 1 not loaded, 1 unknown register, 1 overridden");

    ApplyParameterSet(Config(), entries, m_host);
    const SEffectCounts counts = CountEffects(CompareParameterSet(Config(), entries));
    EXPECT_EQ(counts[static_cast<std::size_t>(ELoadEffect::Change)], 0);
    EXPECT_EQ(Value(12), 100);
}

TEST_F(ParameterSetTest, FailedSaveKeepsTheOldFile) {
    const std::string old = "<REGISTER>\n    <VALUE Register=\"12\" Value=\"1\" />\n</REGISTER>\n";
    const std::string path = m_fixture.Dir().Write("keep.tnv", old);
    const auto filesBefore = std::distance(std::filesystem::directory_iterator(Path("")), {});
    {
        // A disk that takes only 20 more bytes: the write fails halfway, as on a full disk.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tight = saved;
        tight.rlim_cur = 20;
        setrlimit(RLIMIT_FSIZE, &tight);
        Save(path);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }
    EXPECT_EQ(TakeMessage(),
              (SMessage{"Datei kann nicht gespeichert werden", "Fehler!", EMessageIcon::Error}));
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("")), {}), filesBefore)
        << "no temporary file left behind";

    // A folder; a FIFO nobody reads is the replace-file test's, a missing folder the
    // commissioning test's.
    Save(Path(""));
    EXPECT_EQ(TakeMessage().m_text, "Datei kann nicht gespeichert werden");
}
