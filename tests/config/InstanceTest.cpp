#include "ConfigFixture.h"
#include "TempDir.h"
#include "config/Configuration.h"
#include "config/ProgramDirectory.h"
#include "platform/MessageService.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Writes what it was asked to standard error, where the death test can see it.
class CPrintingMessageService final : public IMessageService {
public:
    EMessageResult ShowMessage(const std::string& text, const std::string& caption,
                               EMessageIcon icon, EMessageButtons) override {
        std::fprintf(stderr, "box[%s|%s|%s]\n", caption.c_str(), text.c_str(),
                     icon == EMessageIcon::Error ? "error" : "other");
        return EMessageResult::Ok;
    }
};

} // namespace

TEST(ConfigurationInstance, LoadsOnceFromTheProgramDirectory) {
    const CConfigFixture fixture(MakeConfigXml("<P Id=\"1\" Value=\"4\"/>"));
    // Another file appearing later changes nothing: the store is read once.
    fixture.Dir().Write("config.xml", MakeConfigXml(""));
    EXPECT_EQ(CConfiguration::GetInstance()->GetParameterCount(), 1);
}

// Setting the program directory is the start-up tests'.
TEST(ConfigurationInstance, ProgramDirectoryOfTheExecutableEndsInSlash) {
    const std::string own = ProgramDirectoryOfExecutable(nullptr);
    ASSERT_FALSE(own.empty());
    EXPECT_EQ(own.back(), '/');
    EXPECT_EQ(own.front(), '/');
}

TEST(ConfigurationInstanceDeathTest, UnloadableFileEndsTheProcessWithFailure) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const CTempDir dir;
    dir.Write("config.xml", "<ROOT><unclosed></ROOT>");
    EXPECT_EXIT(
        {
            CPrintingMessageService service;
            SetMessageService(&service);
            SetProgramDirectory(dir.Path());
            CConfiguration::ResetInstance();
            CConfiguration::GetInstance();
            std::exit(0);
        },
        ::testing::ExitedWithCode(1),
        "box\\[Fehler\\|Kann config.xml nicht laden!\\|error\\]\nKann config.xml nicht laden!");
}
