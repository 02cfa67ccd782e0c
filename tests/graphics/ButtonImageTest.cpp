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

// A white picture with a red cross through its middle; with a colour table, white is in two
// entries, both used.
SBmpLayout WhiteWithCross(std::uint16_t bits) {
    SBmpLayout layout;
    layout.m_width = 5;
    layout.m_height = 5;
    layout.m_bitCount = bits;
    const auto onCross = [](int x, int y) { return x == 2 || y == 2; };
    if (bits <= 8) {
        layout.m_colorTable = {RED, WHITE, {0, 128, 0}, WHITE};
        layout.m_pixel = [onCross](int x, int y) {
            return onCross(x, y) ? 0u : (x + y) % 2 != 0 ? 1u : 3u;
        };
    } else {
        layout.m_pixel = [onCross](int x, int y) {
            return onCross(x, y) ? Rgb24(RED) : Rgb24(WHITE);
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
// variants of a picture with a colour table and of one without.
TEST_F(ButtonImageTest, WhiteKeyBecomesTheFaceColourOfEachVariant) {
    for (const std::uint16_t bits : {std::uint16_t{8}, std::uint16_t{24}}) {
        const std::string name = "cross" + std::to_string(bits) + ".bmp";
        SCOPED_TRACE(name);
        m_dir.Write(name, MakeBmp(WhiteWithCross(bits)));
        CButtonImage* entry = GetButtonImage(name);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->GetName(), name);
        ExpectFaces(entry->GetNormal(), GREY, RED);
        ExpectFaces(entry->GetPressed(), BLUE, RED);
        if (bits == 8) {
            // The format stays, and so does what a palette display gets.
            EXPECT_EQ(entry->GetNormal().GetBitCount(), 8);
            EXPECT_EQ(entry->GetNormal().GetPalette()[3], GREY);
        }
    }
}

TEST_F(ButtonImageTest, KeyIsTheTopLeftPixelWhateverItsColour) {
    SBmpLayout layout = WhiteWithCross(24);
    // Top-left red: red is the key, white stays.
    layout.m_pixel = [](int x, int y) {
        return (x == 0 && y == 0) || x == 2 ? Rgb24(RED) : Rgb24(WHITE);
    };
    m_dir.Write("redkey.bmp", MakeBmp(layout));
    const CDibImage& normal = GetButtonImage("redkey.bmp")->GetNormal();
    EXPECT_EQ(normal.GetPixel(0, 0), GREY);
    EXPECT_EQ(normal.GetPixel(2, 4), GREY);
    EXPECT_EQ(normal.GetPixel(1, 0), WHITE);
    EXPECT_EQ(normal.GetPixel(0, 4), WHITE);
}

TEST_F(ButtonImageTest, OneEntryPerExactNameMadeOnceAlsoWhenItFailed) {
    m_dir.Write("ok.bmp", MakeBmp(WhiteWithCross(24)));
    CButtonImage* found = GetButtonImage("ok.bmp");
    ASSERT_GT(found->GetNormal().GetWidth(), 0);
    // Letter case counts: another entry, and no such file.
    CButtonImage* missing = GetButtonImage("OK.bmp");
    ASSERT_NE(missing, found);
    EXPECT_EQ(missing->GetName(), "OK.bmp");
    EXPECT_TRUE(missing->GetNormal().IsEmpty());
    EXPECT_TRUE(missing->GetPressed().IsEmpty());
    // Neither is read again: not after its file went, nor after the missing one came.
    ASSERT_EQ(std::rename((m_dir.Path() + "ok.bmp").c_str(), (m_dir.Path() + "OK.bmp").c_str()), 0);
    EXPECT_EQ(GetButtonImage("ok.bmp"), found);
    EXPECT_GT(found->GetNormal().GetWidth(), 0);
    EXPECT_EQ(GetButtonImage("OK.bmp"), missing);
    EXPECT_TRUE(missing->GetNormal().IsEmpty());

    m_dir.Write("broken.bmp", "BM not really a picture");
    EXPECT_TRUE(GetButtonImage("broken.bmp")->GetPressed().IsEmpty());
}

// Past the 51 entries and 39-unit names a fixed table would hold.
TEST_F(ButtonImageTest, CacheGrowsPastFiftyOneEntries) {
    m_dir.Write("pic.bmp", MakeBmp(WhiteWithCross(8)));
    CButtonImage* first = GetButtonImage("pic.bmp");
    const auto name = [](int i) { return std::string(40, 'n') + std::to_string(i) + ".bmp"; };
    std::vector<CButtonImage*> entries;
    for (int i = 0; i < 60; ++i) {
        entries.push_back(GetButtonImage(name(i)));
        EXPECT_EQ(entries.back()->GetName(), name(i));
    }
    for (int i = 0; i < 60; ++i) {
        EXPECT_EQ(GetButtonImage(name(i)), entries[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_EQ(GetButtonImage("pic.bmp"), first);
    EXPECT_EQ(first->GetNormal().GetPixel(0, 0), GREY);
}
