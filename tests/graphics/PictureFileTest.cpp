#include "graphics/PictureFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <tuple>

// Picture names as configurations from Windows handhelds write them.
TEST(PictureFile, ReadsBackslashesAndIgnoresLetterCaseOnlyWhenNoExactNameExists) {
    const CTempDir dir;
    mkdir((dir.Path() + "bilder").c_str(), 0755);
    for (const char* name : {"bilder/pumpe.bmp", "Logo.BMP", "logo.bmp",
                             "\xC3\xBC"
                             "ber.bmp"}) {
        dir.Write(name, "BM");
    }
    const struct {
        const char* m_name;
        EPictureMatch m_match;
        const char* m_path; // relative to the folder
        std::vector<std::string> m_candidates;
    } cases[] = {
        {"bilder\\pumpe.bmp", EPictureMatch::Exact, "bilder/pumpe.bmp", {}},
        {"\\Bilder\\Pumpe.BMP", EPictureMatch::Near, "bilder/pumpe.bmp", {}},
        {"logo.bmp", EPictureMatch::Exact, "logo.bmp", {}},
        {"LOGO.bmp", EPictureMatch::Ambiguous, "Logo.BMP", {"Logo.BMP", "logo.bmp"}},
        {"\xC3\x9C"
         "BER.BMP",
         EPictureMatch::Near,
         "\xC3\xBC"
         "ber.bmp",
         {}},
        {"bilder\\Nichts.bmp", EPictureMatch::Missing, "bilder/Nichts.bmp", {}},
        {"BILDER", EPictureMatch::Missing, "BILDER", {}}, // a folder is no picture
    };
    for (const auto& c : cases) {
        const SPictureFile found = FindPictureFile(dir.Path(), c.m_name);
        EXPECT_EQ(std::tie(found.m_match, found.m_path, found.m_candidates),
                  std::make_tuple(c.m_match, dir.Path() + c.m_path, c.m_candidates))
            << c.m_name;
    }
}
