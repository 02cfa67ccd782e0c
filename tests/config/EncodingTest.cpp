#include "ConfigFixture.h"
#include "TempDir.h"
#include "config/Configuration.h"
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

namespace {

const std::string s_uberUtf8 = "\xC3\xBC"
                               "ber";
const std::string s_overview = "\xC3\x9C"
                               "bersicht";
const std::string s_uberCp1252 = "\xFC"
                                 "ber";

std::unique_ptr<CConfiguration> LoadNamed(const std::string& prologue, const std::string& name) {
    const CTempDir dir;
    return CConfiguration::LoadFile(
        dir.Write("config.xml", prologue + "<ROOT><PARAMETER><P Name=\"" + name +
                                    "\" Id=\"1\" Value=\"0\"/></PARAMETER></ROOT>"));
}

} // namespace

TEST(TextCodec, ConvertsBothWays) {
    EXPECT_EQ(Cp1252ToUtf8(s_uberCp1252), s_uberUtf8);
    EXPECT_EQ(Utf8ToCp1252(s_uberUtf8), s_uberCp1252);
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
// Character references come out as UTF-8 too.
TEST(TextEncoding, DocumentsDeclaringOrHoldingUtf8HoldUtf8) {
    for (const char* prologue :
         {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<?xml version=\"1.0\" encoding=\"utf8\"?>",
          "<?xml version=\"1.0\"?>", "\xEF\xBB\xBF", ""}) {
        const auto config = LoadNamed(prologue, s_overview + " &#176;C");
        ASSERT_NE(config, nullptr) << prologue;
        EXPECT_EQ(config->GetTextEncoding(), ETextEncoding::Utf8) << prologue;
        EXPECT_EQ(config->DisplayText(config->GetParameter(0)->GetName()),
                  s_overview + " \xC2\xB0" + "C")
            << prologue;
    }
}

TEST(TextEncoding, OtherDocumentsHoldCodePage1252) {
    for (const char* prologue : {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>",
                                 "<?xml version=\"1.0\" encoding=\"windows-1252\"?>", ""}) {
        const auto config = LoadNamed(prologue, s_uberCp1252);
        ASSERT_NE(config, nullptr) << prologue;
        EXPECT_EQ(config->GetTextEncoding(), ETextEncoding::Cp1252) << prologue;
        EXPECT_STREQ(config->GetParameter(0)->GetName(), s_uberCp1252.c_str())
            << "records keep the bytes as stored";
        EXPECT_EQ(config->DisplayText(config->GetParameter(0)->GetName()), s_uberUtf8);
    }
}

TEST(TextEncoding, InvalidUtf8IsReadAsCodePage1252WhateverTheDeclaration) {
    // Files from handhelds often claim UTF-8 and hold code page 1252. TinyXML's UTF-8 mode would
    // read past its buffer on a cut sequence; such files are read byte by byte instead.
    for (const char* prologue :
         {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<?xml version=\"1.0\"?>"}) {
        const auto config = LoadNamed(prologue, s_uberCp1252);
        ASSERT_NE(config, nullptr) << prologue;
        EXPECT_EQ(config->GetTextEncoding(), ETextEncoding::Cp1252) << prologue;
        EXPECT_EQ(config->DisplayText(config->GetParameter(0)->GetName()), s_uberUtf8);
    }
    const CTempDir dir;
    const std::string cutAtTheEnd = "<?xml version=\"1.0\"?><ROOT><PARAMETER><P Name=\"a\xF0\xFF";
    EXPECT_EQ(CConfiguration::LoadFile(dir.Write("cut.xml", cutAtTheEnd)), nullptr);
}
