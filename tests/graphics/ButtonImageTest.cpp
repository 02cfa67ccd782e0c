#include "graphics/ButtonImage.h"
#include "BmpWriter.h"
#include "TempDir.h"
#include "config/ProgramDirectory.h"
#include "graphics/ButtonImageCache.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

constexpr SRgb WHITE{255, 255, 255};
constexpr SRgb RED{200, 0, 0};
constexpr SRgb GREY{180, 180, 180};
constexpr SRgb BLUE{0, 0, 255};

// A white picture with a red cross through its middle.
SBmpSpec WhiteWithCross(std::uint16_t bits, bool topDown = false) {
    SBmpSpec spec;
    spec.m_width = 5;
    spec.m_height = 5;
    spec.m_bitCount = bits;
    spec.m_topDown = topDown;
    const auto onCross = [](int x, int y) { return x == 2 || y == 2; };
    if (bits <= 8) {
        spec.m_colorTable = {RED, WHITE, {0, 128, 0}};
        spec.m_pixel = [onCross](int x, int y) { return onCross(x, y) ? 0u : 1u; };
    } else if (bits == 16) {
        spec.m_pixel = [onCross](int x, int y) { return onCross(x, y) ? 0x6400u : 0x7FFFu; };
    } else {
        spec.m_pixel = [onCross](int x, int y) {
            return onCross(x, y) ? Rgb24(RED) : Rgb24(WHITE);
        };
    }
    return spec;
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

TEST_F(ButtonImageTest, WhiteKeyBecomesTheFaceColourOfEachVariant) {
    for (const int depth : {1, 4, 8, 24, 32}) {
        const auto bits = static_cast<std::uint16_t>(depth);
        SCOPED_TRACE(bits);
        const std::string name = "cross" + std::to_string(bits) + ".bmp";
        m_dir.Write(name, MakeBmp(WhiteWithCross(bits)));
        CButtonImage* entry = GetButtonImage(name);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->GetName(), name);
        ExpectFaces(entry->GetNormal(), GREY, RED);
        ExpectFaces(entry->GetPressed(), BLUE, RED);
        // The face colours are exact, also where the picture has a colour table.
        EXPECT_EQ(entry->GetNormal().GetBitCount(), bits);
    }
}

TEST_F(ButtonImageTest, SixteenBitPicturesGetTheExactFaceColours) {
    m_dir.Write("cross16.bmp", MakeBmp(WhiteWithCross(16)));
    CButtonImage* entry = GetButtonImage("cross16.bmp");
    // 0x6400 is red 25 of 31.
    const SRgb red16{206, 0, 0};
    ExpectFaces(entry->GetNormal(), GREY, red16);
    ExpectFaces(entry->GetPressed(), BLUE, red16);
}

TEST_F(ButtonImageTest, TopDownPicturesAreReplacedOnEveryRow) {
    m_dir.Write("down.bmp", MakeBmp(WhiteWithCross(24, true)));
    CButtonImage* entry = GetButtonImage("down.bmp");
    ExpectFaces(entry->GetNormal(), GREY, RED);
    ExpectFaces(entry->GetPressed(), BLUE, RED);
}

TEST_F(ButtonImageTest, KeyIsTheTopLeftPixelWhateverItsColour) {
    SBmpSpec spec = WhiteWithCross(24);
    // Top-left red: red is the key, white stays.
    spec.m_pixel = [](int x, int y) {
        return (x == 0 && y == 0) || x == 2 ? Rgb24(RED) : Rgb24(WHITE);
    };
    m_dir.Write("redkey.bmp", MakeBmp(spec));
    const CDibImage& normal = GetButtonImage("redkey.bmp")->GetNormal();
    EXPECT_EQ(normal.GetPixel(0, 0), GREY);
    EXPECT_EQ(normal.GetPixel(2, 4), GREY);
    EXPECT_EQ(normal.GetPixel(1, 0), WHITE);
    EXPECT_EQ(normal.GetPixel(0, 4), WHITE);
}

TEST_F(ButtonImageTest, OneEntryPerExactNameReadOnce) {
    m_dir.Write("ok.bmp", MakeBmp(WhiteWithCross(24)));
    CButtonImage* first = GetButtonImage("ok.bmp");
    ASSERT_GT(first->GetNormal().GetWidth(), 0);
    // Gone from disk: the entry is not read again.
    ASSERT_EQ(std::remove((m_dir.Path() + "ok.bmp").c_str()), 0);
    EXPECT_EQ(GetButtonImage("ok.bmp"), first);
    EXPECT_GT(first->GetNormal().GetWidth(), 0);
    // Letter case counts: another entry, and no such file.
    CButtonImage* upper = GetButtonImage("OK.bmp");
    EXPECT_NE(upper, first);
    EXPECT_EQ(upper->GetName(), "OK.bmp");
    EXPECT_EQ(upper->GetNormal().GetWidth(), 0);
}

TEST_F(ButtonImageTest, FailedPictureIsCachedEmptyAndNotTriedAgain) {
    CButtonImage* missing = GetButtonImage("later.bmp");
    ASSERT_NE(missing, nullptr);
    EXPECT_TRUE(missing->GetNormal().IsEmpty());
    EXPECT_TRUE(missing->GetPressed().IsEmpty());
    m_dir.Write("later.bmp", MakeBmp(WhiteWithCross(24)));
    EXPECT_EQ(GetButtonImage("later.bmp"), missing);
    EXPECT_TRUE(missing->GetNormal().IsEmpty());

    m_dir.Write("broken.bmp", "BM not really a picture");
    EXPECT_TRUE(GetButtonImage("broken.bmp")->GetPressed().IsEmpty());
}

TEST_F(ButtonImageTest, CacheGrowsPastFiftyOneEntries) {
    m_dir.Write("pic.bmp", MakeBmp(WhiteWithCross(8)));
    CButtonImage* first = GetButtonImage("pic.bmp");
    std::vector<CButtonImage*> entries;
    for (int i = 0; i < 60; ++i) {
        // Names longer than the 39 units a fixed table would hold are fine too.
        entries.push_back(GetButtonImage(std::string(40, 'n') + std::to_string(i) + ".bmp"));
    }
    for (int i = 0; i < 60; ++i) {
        EXPECT_EQ(GetButtonImage(std::string(40, 'n') + std::to_string(i) + ".bmp"),
                  entries[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(GetButtonImage("pic.bmp"), first);
    EXPECT_EQ(first->GetNormal().GetPixel(0, 0), GREY);
}
