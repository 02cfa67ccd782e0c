#include "ConfigFixture.h"
#include "TempDir.h"
#include "config/ConfigReader.h"
#include "config/Configuration.h"
#include "config/XmlFile.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::unique_ptr<CConfiguration> Load(const std::string& xml) {
    const CTempDir dir;
    return CConfiguration::LoadFile(dir.Write("config.xml", xml));
}

std::unique_ptr<CConfiguration> LoadControl(const std::string& controlBody,
                                            const std::string& type = "Button") {
    return Load(MakeConfigXml("", "<UI_OBJECT Name=\"p\"><UI_OBJECT Type=\"" + type + "\">" +
                                      controlBody + "</UI_OBJECT></UI_OBJECT>"));
}

const CUiObject& Control(const CConfiguration& config) {
    return *config.GetPage(0)->GetControl(0);
}

// Every field of a control on one line, so that one comparison covers them all.
std::string Describe(const CUiObject& c) {
    std::ostringstream out;
    out << c.GetType() << ' ' << c.GetX() << ',' << c.GetY() << ' ' << c.GetWidth() << 'x'
        << c.GetHeight() << ' ' << c.GetColor() << " text=" << c.GetText()
        << " image=" << c.GetImagePath() << " in=" << c.GetInputFormula()
        << " range=" << c.GetMinimum() << ".." << c.GetMaximum()
        << " orientation=" << c.GetOrientation() << " ticks=" << c.GetMinorTick() << '/'
        << c.GetMajorTick() << '/' << c.GetLabelIncrement() << " confirm=" << c.GetConfirm()
        << " items=";
    for (int i = 0; i < c.GetItemCount(); ++i) {
        out << c.GetItemName(i) << ':' << c.GetItemValue(i) << ';';
    }
    out << " out=";
    for (int i = 0; i < c.GetOutputCount(); ++i) {
        out << c.GetOutputFormula(i) << ':' << c.GetOutputRegister(i) << ';';
    }
    return out.str();
}

// The pattern count times over, every '#' in it replaced by the number of the copy from 0.
std::string Repeat(const std::string& pattern, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        std::size_t start = 0;
        for (std::size_t mark = pattern.find('#'); mark != std::string::npos;
             start = mark + 1, mark = pattern.find('#', start)) {
            text += pattern.substr(start, mark - start) + std::to_string(i);
        }
        text += pattern.substr(start);
    }
    return text;
}

} // namespace

TEST(ConfigLoad, ParameterDefaultsAndSwitches) {
    const auto config = Load(MakeConfigXml(
        "<P Id=\"5\" Value=\"500\"/>\r"
        "<Q Name=\"Spe\r\ned\" Id=\"6\" Value=\"-3\" Minimum=\"-10\" Maximum=\"20px\""
        " SendSerial=\"true\" ReadOnSave=\"true\"/>"
        "<R Id=\"7\" Value=\"0\" Minimum=\"low\" SendSerial=\"yes\" ReciveSerial=\"true\""
        " SetOnLoad=\"true\" ReadOnSave=\"True\"/>"
        "<S Id=\"8\" Value=\" 3000000000\" Minimum=\"-99999999999\" Maximum=\"+2147483648\"/>"));
    ASSERT_NE(config, nullptr);
    // Name, register, value, minimum, maximum, serial flags (bit 0 SendSerial, bit 1
    // ReciveSerial) and file flags (bit 0 SetOnLoad, bit 1 ReadOnSave). The initial value is not
    // clamped, text after the digits is ignored, a text that is no number keeps the default, a
    // switch is on for "true" only, line ends read as in TinyXML, and numbers beyond 32 bits
    // saturate.
    using Row = std::tuple<std::string, int, int, int, int, unsigned, unsigned>;
    std::vector<Row> rows;
    for (int i = 0; i < config->GetParameterCount(); ++i) {
        const CParameter& p = *config->GetParameter(i);
        rows.emplace_back(p.GetName(), p.GetId(), p.GetValue(), p.GetMinimum(), p.GetMaximum(),
                          p.GetSerialFlags(), p.GetFileFlags());
    }
    EXPECT_EQ(rows,
              (std::vector<Row>{{"NoName", 5, 500, -127, 127, 0, 0},
                                {"Spe\ned", 6, -3, -10, 20, 1, 2},
                                {"NoName", 7, 0, -127, 127, 2, 1},
                                {"NoName", 8, 2147483647, -2147483647 - 1, 2147483647, 0, 0}}));
}

TEST(ConfigLoad, ControlDefaults) {
    const auto config = LoadControl("");
    ASSERT_NE(config, nullptr);
    EXPECT_STREQ(config->GetPage(0)->GetColor(), "#FFFFFF");
    EXPECT_STREQ(config->GetPage(0)->GetImagePath(), "");
    const CUiObject& control = Control(*config);
    EXPECT_EQ(Describe(control), "Button 10,10 10x10 #FFFFFF text= image= in= range=0..0 "
                                 "orientation=0 ticks=0/0/0 confirm=0 items= out=");
    EXPECT_FALSE(control.IsLastValueValid());
    EXPECT_EQ(control.GetLastValue(), 0);

    const auto untyped = Load(MakeConfigXml(
        "", "<UI_OBJECT><UI_OBJECT><PARAMETER><EINGANG><F Berechnung=\"R1\"/></EINGANG><EINGANG/>"
            "</PARAMETER></UI_OBJECT></UI_OBJECT>"));
    EXPECT_STREQ(untyped->GetPage(0)->GetName(), "NoName");
    EXPECT_STREQ(Control(*untyped).GetType(), "NoName");
    EXPECT_STREQ(Control(*untyped).GetInputFormula(), "") << "a last EINGANG without a child";
}

TEST(ConfigLoad, LaterChildrenReplaceOrAccumulate) {
    const auto config = LoadControl(
        "<POSITION x=\"5\" y=\"6\" Width=\"70\" Height=\"80\"/><POSITION x=\"1\"/>"
        "<TEXT Value=\"first\"/><TEXT Value=\"second\"/>"
        "<IMAGE Path=\"a.bmp\"/><IMAGE/>"
        "<COLOR rgb=\"#000000\"/><COLOR/>"
        "<SETTINGS Minimum=\"-5\" Maximum=\"50\" Nachfrage=\"true\" MinorTick=\"2\"/>"
        "<SETTINGS Maximum=\"60\" Nachfrage=\"false\" Orientation=\"1\" MajorTick=\"3\""
        " LabelIncrement=\"4\"/>"
        "<ITEMS><ITEM Name=\"a\" Value=\"1\"/><ITEM Value=\"2\"/></ITEMS>"
        "<ITEMS><OTHER Name=\"x\"/><ITEM Name=\"c\" Value=\"3\"/></ITEMS>"
        "<PARAMETER><EINGANG><F Berechnung=\"R1\"/><G Berechnung=\"R2\"/></EINGANG>"
        "<AUSGANG><FORMEL Berechnung=\"x\" Register=\"10\"/><NOTE/></AUSGANG></PARAMETER>"
        "<PARAMETER><EINGANG><H Berechnung=\"R3\"/></EINGANG>"
        "<AUSGANG><FORMEL Register=\"11\"/></AUSGANG><OTHER/></PARAMETER>");
    ASSERT_NE(config, nullptr);
    const CUiObject& control = Control(*config);
    // A later POSITION replaces only what it gives, a later IMAGE or COLOR without a value takes
    // the default, Nachfrage is switched on and never off again, items and outputs accumulate,
    // the last EINGANG wins.
    EXPECT_EQ(Describe(control),
              "Button 1,6 70x80 #FFFFFF text=second image= in=R3 range=-5..60 orientation=1 "
              "ticks=2/3/4 confirm=1 items=a:1;???:2;c:3; out=x:10;:11;");
    EXPECT_STREQ(control.GetOutputFormula(2), "") << "indexes past the count read as empty";
}

TEST(ConfigLoad, GifPathsBecomeBmp) {
    const std::pair<const char*, const char*> cases[] = {
        {"pic.gif", "pic.bmp"},     {"pic.GIF", "pic.GIF"},
        {".gif", ".gif"},           {"a.gif.gif", "a.bmp"},
        {"x.gifted.png", "x.bmp"},  {"pic.bmp", "pic.bmp"},
        {"dir/b.gif", "dir/b.bmp"}, {"", ""}};
    for (const auto& [in, out] : cases) {
        std::string path = in;
        RewriteGifPath(path);
        EXPECT_EQ(path, out) << in;
    }
}

TEST(ConfigLoad, OnlyExactlyNamedSectionsCount) {
    const auto config =
        Load("<ROOT><ui_object/><UI_OBJECT Name=\"A\"><COLOR rgb=\"#123456\"/>"
             "<IMAGE Path=\"back.gif\"/></UI_OBJECT><OTHER/><UI_OBJECT Name=\"B\">"
             "<UI_OBJECT><IMAGE Path=\"btn.gif\"/></UI_OBJECT><ui_object/><UI_OBJECT/></UI_OBJECT>"
             "<PARAMETER><X Id=\"1\" Value=\"2\"/></PARAMETER><PARAMETER><Y Id=\"3\"/></PARAMETER>"
             "</ROOT>");
    ASSERT_NE(config, nullptr);
    ASSERT_EQ(config->GetPageCount(), 2);
    EXPECT_STREQ(config->GetPage(0)->GetName(), "A");
    EXPECT_STREQ(config->GetPage(0)->GetColor(), "#123456");
    // Pictures named .gif are loaded as .bmp, on pages and controls alike.
    EXPECT_STREQ(config->GetPage(0)->GetImagePath(), "back.bmp");
    EXPECT_STREQ(config->GetPage(1)->GetControl(0)->GetImagePath(), "btn.bmp");
    EXPECT_EQ(config->GetPage(1)->GetControlCount(), 2);
    EXPECT_EQ(config->GetParameterCount(), 1) << "only the first PARAMETER element is read";
    EXPECT_EQ(config->GetPage(2), nullptr);
    EXPECT_EQ(config->GetParameter(1), nullptr);
    EXPECT_EQ(config->GetParameter(-1), nullptr);
    // Missing sections give empty tables.
    for (const char* xml : {"<ROOT><PARAMETER/></ROOT>", "<ROOT/>", "<OTHER><PARAMETER/></OTHER>",
                            "<!-- c --><ROOT><PARAMETER>text</PARAMETER></ROOT>"}) {
        const auto empty = Load(xml);
        ASSERT_NE(empty, nullptr) << xml;
        EXPECT_EQ(empty->GetParameterCount() + empty->GetPageCount(), 0) << xml;
    }
}

TEST(ConfigLoad, TablesNeverOverflow) {
    const std::string control =
        "<UI_OBJECT Type=\"Combo\"><ITEMS>" + Repeat("<ITEM Name=\"i#\" Value=\"#\"/>", 40) +
        "</ITEMS><PARAMETER><AUSGANG>" + Repeat("<FORMEL Berechnung=\"x\" Register=\"#\"/>", 60) +
        "</AUSGANG></PARAMETER></UI_OBJECT>";
    const auto config =
        Load(MakeConfigXml(Repeat("<P Id=\"#\" Value=\"1\"/>", 250),
                           Repeat("<UI_OBJECT>" + Repeat(control, 350) + "</UI_OBJECT>", 25)));
    ASSERT_NE(config, nullptr);
    EXPECT_EQ(config->GetParameterCount(), 200);
    EXPECT_EQ(config->GetParameter(199)->GetId(), 199) << "parameters past the table are ignored";
    EXPECT_EQ(config->GetPageCount(), 20);
    const CUiPage& last = *config->GetPage(19);
    EXPECT_EQ(last.GetControlCount(), 300);
    const CUiObject& lastControl = *last.GetControl(299);
    EXPECT_EQ(lastControl.GetItemCount(), 30);
    EXPECT_STREQ(lastControl.GetItemName(29), "i29");
    EXPECT_EQ(lastControl.GetOutputCount(), 50);
    EXPECT_EQ(lastControl.GetOutputRegister(49), 49);
    EXPECT_EQ(last.GetControl(300), nullptr);
}

TEST(ConfigLoad, UnreadableFilesAreRefused) {
    const CTempDir dir;
    EXPECT_EQ(CConfiguration::LoadFile(dir.Path() + "missing.xml"), nullptr);
    EXPECT_EQ(CConfiguration::LoadFile(dir.Path()), nullptr) << "a folder";
    EXPECT_EQ(CConfiguration::LoadFile(dir.Write("a.xml", "")), nullptr);
    EXPECT_EQ(CConfiguration::LoadFile(dir.Write("b.xml", "<ROOT><PARAMETER></ROOT>")), nullptr);
    EXPECT_EQ(CConfiguration::LoadFile(dir.Write("c.xml", "<ROOT")), nullptr);

    const std::string deep = Repeat("<a>", 50000) + Repeat("</a>", 50000);
    EXPECT_EQ(CConfiguration::LoadFile(dir.Write("deep.xml", deep)), nullptr)
        << "well-formed but far too deep";
}

TEST(ConfigLoad, NestingDepthCountsOnlyElements) {
    // Markup inside comments, CDATA, declarations and quoted values of either kind is no
    // nesting: a '>' there neither ends the tag early nor does a "/>" close it.
    const struct {
        std::string m_text;
        int m_limit;
        bool m_exceeds;
    } cases[] = {
        {"<a><b/><c></c></a>", 2, false},
        {"<a/><b></b><c>t</c>", 1, false},
        {"<a><b><c/></b></a>", 1, true},
        {"<?xml version=\"1.0\"?><!DOCTYPE x><ROOT>" +
             Repeat("<!-- <a> --><![CDATA[<b>]]><e v=\"<c>\"/>", 100) + "</ROOT>",
         2, false},
        {"<ROOT>" + Repeat("<F Berechnung='R1>5'/>", 600) + "</ROOT>", MAX_XML_DEPTH, false},
        {"<ROOT>" + Repeat("<F Berechnung=\"R1>5\"/>", 600) + "</ROOT>", MAX_XML_DEPTH, false},
        {Repeat("<a x='/>'>", 600) + Repeat("</a>", 600), MAX_XML_DEPTH, true},
        {Repeat("<a x=\"/>\">", 600) + Repeat("</a>", 600), MAX_XML_DEPTH, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExceedsNestingDepth(c.m_text, c.m_limit), c.m_exceeds) << c.m_text.substr(0, 60);
    }
}
