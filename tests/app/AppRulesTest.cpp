#include "ConfigFixture.h"
#include "FakeClock.h"
#include "RecordingListener.h"
#include "TempDir.h"
#include "app/CommandIds.h"
#include "app/InstanceKey.h"
#include "app/LinkState.h"
#include "app/MenuTexts.h"
#include "app/PanelSize.h"
#include "app/ProgramDirectorySearch.h"
#include "app/Startup.h"
#include "config/Configuration.h"
#include "config/ProgramDirectory.h"
#include "link/PortName.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

std::string Page(const std::string& name, const std::string& body = "") {
    return "<UI_OBJECT Name=\"" + name + "\">" + body + "</UI_OBJECT>";
}

std::string Control(const std::string& type, int x, int y, int width, int height) {
    return "<UI_OBJECT Type=\"" + type + "\"><POSITION x=\"" + std::to_string(x) + "\" y=\"" +
           std::to_string(y) + "\" Width=\"" + std::to_string(width) + "\" Height=\"" +
           std::to_string(height) + "\"/></UI_OBJECT>";
}

} // namespace

TEST(MenuTexts, PageEntriesAfterHomeNamedFromThePages) {
    // Not valid UTF-8, so the file is read as code page 1252 and its names are converted; the
    // cut to 99 characters falls just after the two bytes of the converted "ä".
    const CConfigFixture fixture(
        MakeConfigXml("", Page("Start") + Page("Motor") + Page(std::string(98, 'x') + "\xE4\xF6")));
    std::vector<std::pair<int, std::string>> entries;
    for (const SPageMenuEntry& entry : PageMenuEntries(fixture.Config())) {
        entries.emplace_back(entry.m_commandId, entry.m_text);
    }
    EXPECT_EQ(
        entries,
        (std::vector<std::pair<int, std::string>>{
            {ID_PAGE_FIRST, "Home"}, {1001, "Motor"}, {1002, std::string(98, 'x') + "\xC3\xA4"}}));
}

TEST(LinkState, TitleChangesOnceAndAnnouncesEachConnection) {
    CFakeClock clock;
    const CConfigFixture fixture(MakeConfigXml("<P Id=\"999\" Value=\"0\" Maximum=\"2\"/>"));
    CConfiguration& config = fixture.Config();
    config.SetClock(&clock);
    CRecordingListener recorder;
    config.AddListener(&recorder);

    // From the program's start, each step: what happens before the tick, and the title the
    // tick gives (empty: none, so the window keeps "Tarnel").
    const struct {
        const char* m_step;
        std::function<void()> m_before;
        std::string m_title;
        std::size_t m_announcements;
    } steps[] = {
        {"no device yet", [] {}, "", 0},
        {"first report", [&] { config.TouchLink(); }, TITLE_CONNECTED, 1},
        {"still reporting", [&] { config.TouchLink(); }, "", 1},
        {"a second later", [&] { clock.Advance(1); }, "", 1},
        {"silent for two seconds", [&] { clock.Advance(1); }, TITLE_NOT_CONNECTED, 1},
        {"reports again", [&] { config.TouchLink(); }, TITLE_CONNECTED, 2},
        {"title taken by a parameter-set load", [] { SetLastShownLinkState(LINK_STATE_UNKNOWN); },
         TITLE_CONNECTED, 3},
        {"silent again", [&] { clock.Advance(5); }, TITLE_NOT_CONNECTED, 3},
        {"back", [&] { config.TouchLink(); }, TITLE_CONNECTED, 4},
        // The port failed: no need to wait for the silence, and the return is a new connection
        // however short the outage.
        {"port lost", [&] { config.ForgetLink(); }, TITLE_NOT_CONNECTED, 4},
        {"port open again and reporting", [&] { config.TouchLink(); }, TITLE_CONNECTED, 5},
    };
    for (const auto& step : steps) {
        step.m_before();
        EXPECT_EQ(CheckLinkState(config).value_or(""), step.m_title) << step.m_step;
        ASSERT_EQ(recorder.Seen().size(), step.m_announcements) << step.m_step;
    }
    for (const CRegisterValue& value : recorder.Seen()) {
        EXPECT_EQ(value.GetRegister(), REGISTER_LINK_COMMAND);
        EXPECT_EQ(value.GetValue(), 1.0);
        EXPECT_EQ(value.GetSource(), SOURCE_MAIN_WINDOW);
    }
    config.RemoveListener(&recorder);
    SetLastShownLinkState(0);
}

TEST(PanelSize, LargestPageWholeAndNeverBelowTheMinimum) {
    const std::map<std::string, SPanelSize> pictures = {{"/p/wide.bmp", {400, 200}},
                                                        {"/p/small.bmp", {100, 100}}};
    const PictureSizeFunction pictureSize = [&](const std::string& path) {
        const auto found = pictures.find(path);
        return found != pictures.end() ? found->second : SPanelSize{};
    };
    const struct {
        std::string m_pages;
        SPanelSize m_size;
    } cases[] = {
        {"", MIN_PANEL_SIZE},
        {Page("a", "<IMAGE Path=\"small.bmp\"/>" + Control("Label", 10, 10, 50, 20)),
         MIN_PANEL_SIZE},
        {Page("a", "<IMAGE Path=\"wide.bmp\"/>") + Page("b", Control("Field", 100, 300, 50, 60)),
         {400, 360}},
        // Unknown types get no window and take no room; a missing picture none either.
        {Page("a", "<IMAGE Path=\"gone.bmp\"/>" + Control("button", 0, 0, 900, 900) +
                       Control("TsView", 0, 0, 260, 330)),
         {260, 330}},
        {Page("a", Control("Bar", 2147483000, 0, 2147483000, 10)), {MAX_PANEL_SIDE, 320}},
    };
    for (const auto& c : cases) {
        const CConfigFixture fixture(MakeConfigXml("", c.m_pages));
        const SPanelSize size = PanelSize(fixture.Config(), "/p/", pictureSize);
        EXPECT_EQ(size.m_width, c.m_size.m_width) << c.m_pages;
        EXPECT_EQ(size.m_height, c.m_size.m_height) << c.m_pages;
    }
}

TEST(InstanceKey, OnePerUserAndProgramDirectory) {
    const std::string key = InstanceKey("anna", "/opt/tarnel/");
    EXPECT_NE(key, InstanceKey("bert", "/opt/tarnel/"));
    EXPECT_NE(key, InstanceKey("anna", "/opt/tarnel2/"));
    EXPECT_EQ(InstanceKey("a/b c", "/x/").rfind("tarnel-a_b_c-", 0), 0u);
    EXPECT_LE(InstanceKey(std::string(300, 'u'), std::string(4000, 'd')).size(), 64u);
}

// The instance socket's folder: the runtime directory when it is fit, else a folder of the
// user's own in the temporary directory; never a symbolic link or a folder others can enter.
TEST(InstanceKey, SocketFolderOnlyTheUserCanWriteTo) {
    const uid_t user = getuid();
    const std::string own = "tarnel-" + std::to_string(user);
    // Names in the temporary directory, which also holds a private folder "real" a link may
    // lead to.
    const struct {
        const char* m_what;
        std::string m_runtime; // a private folder unless it is the link; empty: none
        std::string m_link;    // a symbolic link to "real"; empty: none
        mode_t m_ownMode;      // the user's own folder made beforehand with it; 0: not made
        std::string m_folder;  // the one chosen; empty: none
        const char* m_problem;
    } cases[] = {
        {"runtime directory", "run/", "", 0, "run", ""},
        {"no runtime directory", "", "", 0, own, ""},
        {"runtime directory a link", "run", "run", 0, own, ""},
        {"own folder a link", "", own, 0, "", "is a symbolic link"},
        {"own folder open to others", "", "", 0755, "", "is open to other users"},
    };
    for (const auto& c : cases) {
        const CTempDir tmp;
        mkdir((tmp.Path() + "real").c_str(), S_IRWXU);
        if (!c.m_link.empty()) {
            EXPECT_EQ(symlink((tmp.Path() + "real").c_str(), (tmp.Path() + c.m_link).c_str()), 0);
        } else if (!c.m_runtime.empty()) {
            mkdir((tmp.Path() + c.m_runtime).c_str(), S_IRWXU);
        }
        if (c.m_ownMode != 0) {
            mkdir((tmp.Path() + own).c_str(), S_IRWXU);
            chmod((tmp.Path() + own).c_str(), c.m_ownMode);
        }
        const std::string runtime = c.m_runtime.empty() ? "" : tmp.Path() + c.m_runtime;
        const SInstanceFolder found = PrivateInstanceFolder(runtime, tmp.Path(), user);
        EXPECT_EQ(found.m_path, c.m_folder.empty() ? "" : tmp.Path() + c.m_folder) << c.m_what;
        EXPECT_NE(found.m_problem.find(c.m_problem), std::string::npos) << c.m_what;
        struct stat info {};
        EXPECT_TRUE(found.m_path.empty() ||
                    (lstat(found.m_path.c_str(), &info) == 0 && (info.st_mode & 0777) == 0700))
            << c.m_what;
    }
}

TEST(Startup, ProgramDirectoryAndPortName) {
    const CTempDir dir;
    dir.Write("port.inf", "COM3: spare");
    ApplyStartupSettings(dir.Path(), std::nullopt);
    EXPECT_EQ(GetProgramDirectory(), dir.Path());
    EXPECT_EQ(GetPortName(), "COM3:");

    // A port for this run leaves port.inf alone.
    ApplyStartupSettings(dir.Path().substr(0, dir.Path().size() - 1), std::string("/dev/ttyUSB1"));
    EXPECT_EQ(GetProgramDirectory(), dir.Path()) << "the trailing '/' is added";
    EXPECT_EQ(GetPortName(), "/dev/ttyUSB1");
    EXPECT_EQ(ReadPortNameFile(dir.Path()), "COM3:");

    const CTempDir empty;
    ApplyStartupSettings(empty.Path(), std::nullopt);
    EXPECT_EQ(GetPortName(), DEFAULT_PORT_NAME);
    SetProgramDirectory("");
}

TEST(ProgramDirectorySearch, ExplicitChoiceElseFirstFolderHoldingConfig) {
    const struct {
        const char* m_case;
        SSearchEnvironment m_environment;
        std::set<std::string> m_holdingConfig;
        std::string m_found;  // empty: none
        std::string m_looked; // every place, in order
        std::string m_user;
    } cases[] = {
        {"--dir is used as given, without config.xml and before $TARNEL_DIR",
         {std::string("/media/stick"), "/t", "/opt/p/", "/home/a", "", ""},
         {"/opt/p/", "/t/"},
         "/media/stick/",
         "/media/stick/",
         "/home/a/.config/tarnel/"},
        {"$TARNEL_DIR likewise",
         {std::nullopt, "/t/", "/opt/p/", "/home/a", "", ""},
         {"/opt/p/"},
         "/t/",
         "/t/",
         "/home/a/.config/tarnel/"},
        {"a portable folder wins over the user's",
         {std::nullopt, "", "/opt/p/", "/home/a", "", ""},
         {"/opt/p/", "/home/a/.config/tarnel/"},
         "/opt/p/",
         "/opt/p/ /home/a/.config/tarnel/ /etc/xdg/tarnel/",
         "/home/a/.config/tarnel/"},
        {"the user's from $HOME, over the system's",
         {std::nullopt, "", "/usr/bin/", "/home/a/", "", ""},
         {"/home/a/.config/tarnel/", "/etc/xdg/tarnel/"},
         "/home/a/.config/tarnel/",
         "/usr/bin/ /home/a/.config/tarnel/ /etc/xdg/tarnel/",
         "/home/a/.config/tarnel/"},
        {"$XDG_CONFIG_HOME, its trailing '/' dropped",
         {std::nullopt, "", "/usr/bin/", "/home/a", "/cfg//", ""},
         {"/cfg/tarnel/", "/home/a/.config/tarnel/"},
         "/cfg/tarnel/",
         "/usr/bin/ /cfg/tarnel/ /etc/xdg/tarnel/",
         "/cfg/tarnel/"},
        {"relative base folders are ignored",
         {std::nullopt, "", "/usr/bin/", "/home/a", "cfg", "xdg:/b"},
         {"cfg/tarnel/", "xdg/tarnel/", "/b/tarnel/"},
         "/b/tarnel/",
         "/usr/bin/ /home/a/.config/tarnel/ /b/tarnel/",
         "/home/a/.config/tarnel/"},
        {"each of $XDG_CONFIG_DIRS in turn",
         {std::nullopt, "", "/usr/bin/", "/home/a", "", "/x::/y/"},
         {"/y/tarnel/", "/etc/xdg/tarnel/"},
         "/y/tarnel/",
         "/usr/bin/ /home/a/.config/tarnel/ /x/tarnel/ /y/tarnel/",
         "/home/a/.config/tarnel/"},
        {"none holds one; no home, so no user folder",
         {std::nullopt, "", "/usr/bin/", "", "", ""},
         {"/usr/", "/home/a/.config/tarnel/"},
         "",
         "/usr/bin/ /etc/xdg/tarnel/",
         ""},
    };
    for (const auto& c : cases) {
        const SProgramDirectorySearch search =
            SearchProgramDirectory(c.m_environment, [&c](const std::string& directory) {
                return c.m_holdingConfig.count(directory) > 0;
            });
        std::string looked;
        for (const SSearchPlace& place : search.m_places) {
            looked += (looked.empty() ? "" : " ") + place.m_directory;
        }
        EXPECT_EQ(search.m_programDirectory.value_or(""), c.m_found) << c.m_case;
        EXPECT_EQ(looked, c.m_looked) << c.m_case;
        EXPECT_EQ(search.m_userDirectory, c.m_user) << c.m_case;
    }
}
