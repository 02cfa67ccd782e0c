#include "ConfigFixture.h"
#include "TempDir.h"
#include "config/Configuration.h"
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

namespace {

// Hexadecimal escapes run on through letters, hence the texts in two pieces.
const std::string s_uberUtf8 = std::string("\xC3\xBC") + "ber";
const std::string s_overview = std::string("\xC3\x9C") + "bersicht";
const std::string s_uberCp1252 = std::string("\xFC") + "ber";

std::unique_ptr<CConfiguration> LoadNamed(const std::string& prologue, const std::string& name) {
    const CTempDir dir;
    return CConfiguration::LoadFile(
        dir.Write("config.xml", prologue + "<ROOT><PARAMETER><P Name=\"" + name +
                                    "\" Id=\"1\" Value=\"0\"/></PARAMETER></ROOT>"));
}

} // namespace

TEST(TextCodec, ConvertsBothWays) {
    EXPECT_EQ(Cp1252ToUtf8("\xB0\x80\x9F"), "\xC2\xB0\xE2\x82\xAC\xC5\xB8") << "degree, euro, Y";
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC\xE2\x98\x83"), "\x80?") << "euro, then a snowman";
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?") << "a truncated sequence";
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << byte;
    }
}

TEST(TextCodec, ValidatesUtf8Strictly) {
    for (const char* valid : {"", "plain", "\xC3\xBC", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
                              "\xEF\xBB\xBF<a/>", "\xF4\x8F\xBF\xBF"}) {
        EXPECT_TRUE(IsValidUtf8(valid)) << valid;
    }
    for (const char* invalid : {"\xFC", "\xC3", "\xE2\x82", "\xC0\x80", "\xED\xA0\x80",
                                "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\xBF", "a\xFF"}) {
        EXPECT_FALSE(IsValidUtf8(invalid)) << invalid;
    }
}

// Without a declaration, as editors on Linux write it, valid UTF-8 with non-ASCII text is UTF-8.
// Files from handhelds often claim UTF-8 and hold code page 1252; TinyXML's UTF-8 mode would read
// past its buffer on a cut sequence, so such files are read byte by byte instead. What is shown
// is UTF-8 either way, character references included.
TEST(TextEncoding, FollowsTheDeclarationUnlessTheTextIsNoUtf8) {
    const std::string declaredUtf8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    const std::string undeclared = "<?xml version=\"1.0\"?>";
    const struct {
        std::string m_prologue;
        std::string m_name;
        ETextEncoding m_encoding;
        std::string m_display; // before the degree sign
    } cases[] = {
        {declaredUtf8, s_overview, ETextEncoding::Utf8, s_overview},
        {"<?xml version=\"1.0\" encoding=\"utf8\"?>", s_overview, ETextEncoding::Utf8, s_overview},
        {undeclared, s_overview, ETextEncoding::Utf8, s_overview},
        {"\xEF\xBB\xBF", s_overview, ETextEncoding::Utf8, s_overview},
        {"", s_overview, ETextEncoding::Utf8, s_overview},
        // Bytes that would be valid UTF-8 are taken as declared.
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", s_overview, ETextEncoding::Cp1252,
         std::string("\xC3\x83\xC5\x93") + "bersicht"},
        {"<?xml version=\"1.0\" encoding=\"windows-1252\"?>", s_uberCp1252, ETextEncoding::Cp1252,
         s_uberUtf8},
        {"", s_uberCp1252, ETextEncoding::Cp1252, s_uberUtf8},
        {declaredUtf8, s_uberCp1252, ETextEncoding::Cp1252, s_uberUtf8},
        {undeclared, s_uberCp1252, ETextEncoding::Cp1252, s_uberUtf8},
        // A byte-order mark an editor put before a code page 1252 text.
        {"\xEF\xBB\xBF", s_uberCp1252 + "\r\n", ETextEncoding::Cp1252, s_uberUtf8 + "\n"},
    };
    for (const auto& c : cases) {
        const auto config = LoadNamed(c.m_prologue, c.m_name + " &#176;C");
        ASSERT_NE(config, nullptr) << c.m_prologue << c.m_name;
        EXPECT_EQ(config->GetTextEncoding(), c.m_encoding) << c.m_prologue << c.m_name;
        EXPECT_EQ(config->DisplayText(config->GetParameter(0)->GetName()),
                  c.m_display + " \xC2\xB0" + "C")
            << c.m_prologue << c.m_name;
    }
    const CTempDir dir;
    const std::string cutAtTheEnd = undeclared + "<ROOT><PARAMETER><P Name=\"a\xF0\xFF";
    EXPECT_EQ(CConfiguration::LoadFile(dir.Write("cut.xml", cutAtTheEnd)), nullptr);
}
