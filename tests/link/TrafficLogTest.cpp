#include "link/TrafficLog.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

TEST(TrafficLog, ControlCharactersAreEscaped) {
    EXPECT_EQ(EscapeLogText(std::string("B1\r\n\t\\\x01\x7F\xE4", 9)),
              "B1\\r\\n\\t\\\\\\x01\\x7F\\xE4");
    EXPECT_EQ(EscapeLogText(std::string("\0", 1)), "\\x00");
}

TEST(TrafficLog, FilesRollOverAndTheFolderKeepsUnderItsCapOldestFirst) {
    const CTempDir dir;
    // An older log and a file that is not one of ours.
    const std::string oldest = dir.Write("2000-01-01T00-00-00.000.log", std::string(300, 'x'));
    const std::string notes = dir.Write("notes.txt", std::string(5000, 'n'));
    CTrafficLog::SLimits limits;
    limits.m_fileBytes = 200;
    limits.m_folderBytes = 1000;
    {
        CTrafficLog log(dir.Path() + "log", limits);
        for (int i = 0; i < 100; ++i) {
            log.Record(CTrafficLog::EKind::Sent, "S12:" + std::to_string(i) + ";0\n");
        }
        // Logging the same folder from a second connection starts a file of its own.
        CTrafficLog other(dir.Path() + "log", limits);
        other.Record(CTrafficLog::EKind::Event, "connected");
    }
    fs::copy_file(oldest, dir.Path() + "log/2000-01-01T00-00-00.000.log");
    CTrafficLog log(dir.Path() + "log", limits);
    log.Record(CTrafficLog::EKind::Received, "I5 1\r\n", 12);
    // Written before the program ends at once, without waiting for the log to end.
    log.Flush(std::chrono::seconds(5));
    EXPECT_EQ(log.GetDroppedLines(), 0u);
    std::uintmax_t total = 0;
    std::string newest;
    for (const auto& entry : fs::directory_iterator(dir.Path() + "log")) {
        EXPECT_LE(entry.file_size(), limits.m_fileBytes) << entry.path();
        total += entry.file_size();
        newest = std::max(newest, entry.path().string());
    }
    EXPECT_LE(total, limits.m_folderBytes);
    EXPECT_GE(total, limits.m_folderBytes - 2 * limits.m_fileBytes) << "kept what fits";
    EXPECT_FALSE(fs::exists(dir.Path() + "log/2000-01-01T00-00-00.000.log"));
    EXPECT_TRUE(fs::exists(notes));
    const std::string last = ReadAll(newest);
    EXPECT_EQ(last.substr(23), " RX I5 1\\r\\n 12 ms\n") << last;
}
