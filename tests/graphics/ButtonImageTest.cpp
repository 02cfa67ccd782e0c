#include "graphics/ButtonImage.h"
#include "BmpWriter.h"
#include "TempDir.h"
#include "config/ProgramDirectory.h"
#include "graphics/ButtonImageCache.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr SRgb WHITE{255, 255, 255};
constexpr SRgb YELLOW{255, 255, 0};
constexpr SRgb RED{200, 0, 0};
constexpr SRgb GREY{180, 180, 180};
constexpr SRgb BLUE{0, 0, 255};

// A picture of the face colour with a red cross through its middle; with a colour table, the
// face colour is in two entries, both used.
SBmpLayout FaceWithCross(std::uint16_t bits, SRgb face) {
    SBmpLayout layout;
    layout.m_width = 5;
    layout.m_height = 5;
    layout.m_bitCount = bits;
    const auto onCross = [](int x, int y) { return x == 2 || y == 2; };
    if (bits <= 8) {
        layout.m_colorTable = {RED, face, {0, 128, 0}, face};
        layout.m_pixel = [onCross](int x, int y) {
            return onCross(x, y) ? 0u : (x + y) % 2 != 0 ? 1u : 3u;
        };
    } else {
        layout.m_pixel = [onCross, face](int x, int y) {
            return Rgb24(onCross(x, y) ? RED : face);
        };
    }
    return layout;
}

class ButtonImageTest : public ::testing::Test {
protected:
    ButtonImageTest() : m_previousDirectory(GetProgramDirectory()) {
        SetProgramDirectory(m_dir.Path());
        ClearButtonImageCache();
    }
    ~ButtonImageTest() override {
        ClearButtonImageCache();
        SetProgramDirectory(m_previousDirectory);
    }

    CTempDir m_dir;
    std::string m_previousDirectory;
};

void ExpectFaces(const CDibImage& image, SRgb face, SRgb cross) {
    ASSERT_GT(image.GetWidth(), 0);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(image.GetPixel(x, y), (x == 2 || y == 2) ? cross : face) << x << "," << y;
        }
    }
}

} // namespace

// The key colour is replaced exactly in every format (see the image's tests); here the two
// variants of a picture with a colour table and of one without, whatever the key colour.
TEST_F(ButtonImageTest, KeyColourBecomesTheFaceColourOfEachVariant) {
    for (const auto& [bits, key] : {std::pair<std::uint16_t, SRgb>{8, WHITE}, {24, YELLOW}}) {
        const std::string name = "cross" + std::to_string(bits) + ".bmp";
        SCOPED_TRACE(name);
        m_dir.Write(name, MakeBmp(FaceWithCross(bits, key)));
        CButtonImage* entry = GetButtonImage(name);
        ASSERT_NE(entry, nullptr);
        ExpectFaces(entry->GetNormal(), GREY, RED);
        ExpectFaces(entry->GetPressed(), BLUE, RED);
        if (bits == 8) {
            // The format stays, and so does what a palette display gets.
            EXPECT_EQ(entry->GetNormal().GetBitCount(), 8);
            EXPECT_EQ(entry->GetNormal().GetPalette()[3], GREY);
        }
    }
}

// The cache grows past the 51 entries and 39-unit names a fixed table would hold.
TEST_F(ButtonImageTest, OneEntryPerExactNameMadeOnceAlsoWhenItFailed) {
    m_dir.Write("ok.bmp", MakeBmp(FaceWithCross(24, WHITE)));
    CButtonImage* found = GetButtonImage("ok.bmp");
    ASSERT_GT(found->GetNormal().GetWidth(), 0);
    // Letter case counts: another entry, though it finds the same file.
    CButtonImage* other = GetButtonImage("OK.bmp");
    ASSERT_NE(other, found);
    EXPECT_GT(other->GetNormal().GetWidth(), 0);
    CButtonImage* missing = GetButtonImage("gone.bmp");
    EXPECT_TRUE(missing->GetNormal().IsEmpty());
    EXPECT_TRUE(missing->GetPressed().IsEmpty());
    // Neither is read again: not after its file went, nor after the missing one came.
    ASSERT_EQ(std::rename((m_dir.Path() + "ok.bmp").c_str(), (m_dir.Path() + "gone.bmp").c_str()),
              0);
    EXPECT_EQ(GetButtonImage("ok.bmp"), found);
    EXPECT_GT(found->GetNormal().GetWidth(), 0);
    EXPECT_EQ(GetButtonImage("gone.bmp"), missing);
    EXPECT_TRUE(missing->GetNormal().IsEmpty());

    m_dir.Write("broken.bmp", "BM not really a picture");
    EXPECT_TRUE(GetButtonImage("broken.bmp")->GetPressed().IsEmpty());
    const auto name = [](int i) { return std::string(40, 'n') + std::to_string(i) + ".bmp"; };
    std::vector<CButtonImage*> entries;
    for (int i = 0; i < 60; ++i) {
        entries.push_back(GetButtonImage(name(i)));
        EXPECT_EQ(entries.back()->GetName(), name(i));
    }
    for (int i = 0; i < 60; ++i) {
        EXPECT_EQ(GetButtonImage(name(i)), entries[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_EQ(GetButtonImage("ok.bmp"), found);
}
