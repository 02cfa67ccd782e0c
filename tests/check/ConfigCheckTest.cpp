// Small broken configurations and exactly what the checker says about each: line, column,
// severity and text, the summary and the exit status.
#include "check/ConfigCheck.h"
#include "BmpWriter.h"
#include "TempDir.h"
#include "check/PictureChecker.h"
#include "config/ProgramDirectory.h"
#include "graphics/DibImage.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

struct SCheckCase {
    const char* m_name;
    std::string m_config;              // empty: there is no config.xml
    std::vector<std::string> m_output; // the diagnostics, then the summary
    int m_status;
    bool m_warningsAsErrors = false;
};

std::string Repeat(const std::string& text, int count) {
    std::string result;
    for (int i = 0; i < count; ++i) {
        result += text;
    }
    return result;
}

std::vector<SCheckCase> Cases() {
    return {
        {"not well-formed",
         "<ROOT>\n <PARAMETER>\n</ROOT>\n",
         {"config.xml:3:1: error: not well-formed XML: Error reading end tag.",
          "config.xml: 1 error, 0 warnings"},
         1},
        {"nested too deeply",
         "<ROOT>" + Repeat("<a>", 512),
         {"config.xml:1:" + std::to_string(1 + 6 + 3 * 511) +
              ": error: elements nest deeper than 512 levels",
          "config.xml: 1 error, 0 warnings"},
         1},
        {"no page",
         "<ROOT>\n<PARAMETER><P Id=\"1\" Value=\"0\"/></PARAMETER>\n</ROOT>\n",
         {"config.xml:1:1: error: no page: ROOT holds no UI_OBJECT element",
          "config.xml: 1 error, 0 warnings"},
         1},
        {"formulas",
         R"xml(<ROOT><PARAMETER><P Id="1" Value="5"/><P Id="2" Value="0"/></PARAMETER>
<UI_OBJECT>
<UI_OBJECT Type="Field"><PARAMETER>
<EINGANG><F Berechnung="R1 &lt; x"/></EINGANG>
<AUSGANG><FORMEL Berechnung="max(x, 1)" Register="1"/><FORMEL Berechnung="R1 + R9 * 2_" Register="1"/></AUSGANG>
</PARAMETER></UI_OBJECT>
<UI_OBJECT Type="Field"><PARAMETER><EINGANG><F Berechnung="R1 +
 1"/></EINGANG></PARAMETER></UI_OBJECT>
<UI_OBJECT Type="Slider"><SETTINGS Minimum="0" Maximum="100"/><PARAMETER><EINGANG><F Berechnung="100 / R2 * R8 + (R1 &lt; 50)"/></EINGANG>
<AUSGANG><FORMEL Berechnung="y z x * 2 + if(x > 50, 1, 0)" Register="1"/></AUSGANG></PARAMETER></UI_OBJECT>
</UI_OBJECT></ROOT>
)xml",
         {"config.xml:4:33: error: input formula: Unknown variable at 'x'",
          "config.xml:5:30: error: output formula: Unrecognised funtion at 'max'",
          "config.xml:5:80: warning: output formula reads register 9, which no parameter "
          "declares: the formula yields 0",
          "config.xml:5:86: error: output formula: Syntax error at '_'",
          "config.xml:7:64: error: input formula: Syntax error at '\\n'",
          "config.xml:9:109: warning: input formula reads register 8, which no parameter "
          "declares: the formula yields 0",
          "config.xml: 4 errors, 2 warnings"},
         1},
        // Written on Windows: a CR LF ends one line. A table of exactly its limit is whole.
        {"control types and limits",
         "<ROOT><PARAMETER/>\r\n<UI_OBJECT>\r\n"
         " <UI_OBJECT Type=\"button\"/>\r\n"
         " <UI_OBJECT Type=\"Knob\"/>\r\n"
         " <UI_OBJECT/>\r\n"
         " <UI_OBJECT Type=\"Combo\"/>\r\n"
         " <UI_OBJECT Type=\"Bar\"><SETTINGS Minimum=\"5\" Maximum=\"5\"/></UI_OBJECT>\r\n"
         " <UI_OBJECT Type=\"Combo\"><ITEMS>" +
             Repeat("<ITEM Value=\"1\"/>", 31) +
             "</ITEMS></UI_OBJECT><UI_OBJECT Type=\"Combo\"><ITEMS>" +
             Repeat("<ITEM Value=\"1\"/>", 30) +
             "</ITEMS></UI_OBJECT>\r\n"
             "</UI_OBJECT></ROOT>\r\n",
         {"config.xml:3:13: warning: unknown control type 'button' (did you mean 'Button'?): no "
          "control is shown",
          "config.xml:4:13: warning: unknown control type 'Knob': no control is shown",
          "config.xml:5:2: warning: control without a Type: no control is shown",
          "config.xml:6:2: warning: Combo without items: nothing can be chosen",
          "config.xml:7:24: warning: Bar with an empty range: Minimum and Maximum are both 5",
          "config.xml:8:" + std::to_string(33 + 30 * 17) +
              ": warning: 1 item beyond the first 30 is dropped",
          "config.xml: 0 errors, 6 warnings"},
         0},
        {"parameters",
         R"xml(<ROOT><PARAMETER>
<P Id="1" Value="0"/>
<P Id="1" Value="0"/>
<P Id="2" Value="0" Minimum="10" Maximum="5"/>
<P Id="3" Value="500"/>
<P Id="997" Value="0" Minimum="0" Maximum="0"/>
</PARAMETER>
<UI_OBJECT/><UI_OBJECT/>
</ROOT>
)xml",
         {"config.xml:3:4: warning: duplicate parameter Id 1 (first at line 2): this parameter "
          "is never found",
          "config.xml:4:21: warning: Minimum 10 is above Maximum 5: every change sets 5",
          "config.xml:5:11: warning: initial Value 500 lies outside the range -127..127",
          "config.xml:6:1: warning: register 997 selects the page, but its range 0..0 does not "
          "cover the pages 0..1",
          "config.xml: 0 errors, 4 warnings"},
         0},
        {"output registers",
         R"xml(<ROOT><PARAMETER><P Id="1" Value="0"/></PARAMETER>
<UI_OBJECT><UI_OBJECT Type="Button"><PARAMETER><AUSGANG>
<FORMEL Berechnung="1" Register="997"/>
<FORMEL Berechnung="x" Register="12"/>
<FORMEL Berechnung="x"/>
</AUSGANG></PARAMETER></UI_OBJECT></UI_OBJECT></ROOT>
)xml",
         {"config.xml:3:24: warning: output register 997 selects the page, but no parameter "
          "declares it: this control cannot switch pages",
          "config.xml:4:24: warning: output register 12 is declared by no parameter: its writes "
          "are dropped",
          "config.xml:5:1: warning: output register 0 is declared by no parameter: its writes "
          "are dropped",
          "config.xml: 0 errors, 3 warnings"},
         0},
        {"pictures",
         R"xml(<ROOT><PARAMETER><P Id="997" Value="0" Minimum="0" Maximum="1"/></PARAMETER>
<UI_OBJECT><IMAGE Path="back.gif"/>
<UI_OBJECT Type="Button"><IMAGE Path="bad.bmp"/></UI_OBJECT><UI_OBJECT Type="Button"><POSITION x="5" y="5" Width="20" Height="10"/><IMAGE Path="b.bmp"/><PARAMETER><AUSGANG><FORMEL Berechnung="1" Register="997"/></AUSGANG></PARAMETER></UI_OBJECT>
<UI_OBJECT Type="SwitchImage"><ITEMS><ITEM Name="back.bmp"/><ITEM Name="gone.gif"/><ITEM Name="B.bmp"/><ITEM Name="Back.bmp"/></ITEMS></UI_OBJECT>
<UI_OBJECT Type="Label"><POSITION x="100" y="0"/></UI_OBJECT>
</UI_OBJECT>
<UI_OBJECT><IMAGE Path="none.bmp"/></UI_OBJECT>
</ROOT>
)xml",
         {"config.xml:3:33: warning: picture 'bad.bmp' is refused: it is a GIF picture, not a "
          "bitmap file",
          "config.xml:4:67: warning: picture 'gone.bmp' does not exist",
          "config.xml:4:90: warning: picture 'B.bmp' is found only by ignoring letter case, as "
          "'b.bmp'",
          "config.xml:4:110: warning: picture 'Back.bmp' matches 'BACK.bmp', 'back.bmp' ignoring "
          "letter case; the panel takes 'BACK.bmp'",
          "config.xml:5:25: warning: control lies wholly outside the page's background picture "
          "(100 x 50 pixels)",
          "config.xml:7:19: warning: picture 'none.bmp' does not exist",
          "config.xml: 0 errors, 6 warnings"},
         0},
        // Columns count characters, a tab (not at a tab stop here) and a two-byte letter as one
        // each.
        {"warnings as errors",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ROOT>\n"
         " \t<UI_OBJECT Name=\"B\xC3\xA4"
         "der\"><UI_OBJECT Type=\"Combo\"/></UI_OBJECT>\n"
         "</ROOT>\n",
         {"config.xml:3:27: error: Combo without items: nothing can be chosen",
          "config.xml: 1 error, 0 warnings"},
         1,
         true},
        {"unreadable",
         "",
         {"config.xml: error: cannot be read: No such file or directory",
          "config.xml: 1 error, 0 warnings"},
         2},
    };
}

TEST(ConfigCheckTest, ReportsEachFaultWhereItIsWritten) {
    // The checker must never reach the process-wide configuration: its program directory has
    // no config.xml, so touching it would end the test process.
    const CTempDir empty;
    SetProgramDirectory(empty.Path());
    SBmpLayout background;
    background.m_width = 100;
    background.m_height = 50;
    for (const SCheckCase& check : Cases()) {
        SCOPED_TRACE(check.m_name);
        const CTempDir dir;
        if (!check.m_config.empty()) {
            dir.Write("config.xml", check.m_config);
        }
        dir.Write("back.bmp", MakeBmp(background));
        dir.Write("b.bmp", MakeBmp(SBmpLayout{}));
        dir.Write("BACK.bmp", MakeBmp(SBmpLayout{}));
        dir.Write("bad.bmp", "GIF89a" + std::string(100, '\0'));
        std::ostringstream out;
        const int status = RunConfigCheck(dir.Path(), check.m_warningsAsErrors, out);
        std::string text = out.str();
        for (std::size_t at; (at = text.find(dir.Path())) != std::string::npos;) {
            text.erase(at, dir.Path().size());
        }
        std::string expected;
        for (const std::string& line : check.m_output) {
            expected += line + "\n";
        }
        EXPECT_EQ(text, expected);
        EXPECT_EQ(status, check.m_status);
    }
}

} // namespace

// What the decoder still refuses, and the reason the checker gives for it.
TEST(PictureChecker, NamesWhyAPictureIsRefused) {
    SBmpLayout fourBit;
    fourBit.m_width = 5;
    fourBit.m_height = 4;
    fourBit.m_bitCount = 4;
    const std::string good = MakeBmp(fourBit);
    const auto patched = [&good](std::size_t at, std::uint32_t value, std::size_t at2 = 0,
                                 std::uint32_t value2 = 0) {
        std::string bytes = good;
        PatchU32(bytes, at, value);
        if (at2 != 0) {
            PatchU32(bytes, at2, value2);
        }
        return bytes;
    };
    const std::pair<std::string, std::string> cases[] = {
        {patched(BMP_HEADER_SIZE_AT, 64),
         "its info header has 64 bytes; only 12-, 40-, 108- and 124-byte headers are read"},
        {patched(BMP_COMPRESSION_AT, COMPRESSION_RLE8),
         "it is run-length encoded as RLE8 at 4 bits per pixel; that takes 8"},
        {patched(BMP_COMPRESSION_AT, COMPRESSION_RLE4, BMP_HEIGHT_AT,
                 static_cast<std::uint32_t>(-4)),
         "it is run-length encoded and stored top-down, which bitmap files do not allow"},
        {patched(BMP_COMPRESSION_AT, 4), "it holds a JPEG picture; only bitmap pixels are read"},
        {patched(BMP_COMPRESSION_AT, 7),
         "it is compressed (method 7); only uncompressed, run-length (RLE4, RLE8) and bit-field "
         "pictures are read"},
    };
    for (const auto& [bytes, reason] : cases) {
        CDibImage image;
        EXPECT_FALSE(
            image.LoadFromMemory(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()))
            << reason;
        EXPECT_EQ(DescribeBmpRefusal(bytes, bytes.size()), reason);
    }
}
