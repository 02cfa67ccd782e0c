// The tarnel program as a person or a script starts it.

#include "BmpWriter.h"
#include "PseudoTerminal.h"
#include "QtTestSupport.h"
#include "TempDir.h"
#include "app/InstanceKey.h"

#include <QImage>
#include <QLocalSocket>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

const std::string VALID_CONFIG = "<ROOT><PARAMETER><P Id=\"5\" Value=\"1\"/></PARAMETER>"
                                 "<UI_OBJECT Name=\"Home\"/></ROOT>";

using Variables = std::vector<std::pair<QString, QString>>;

void Prepare(QProcess& process, const QStringList& arguments, const Variables& variables = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.remove("TARNEL_DIR");
    for (const auto& [name, value] : variables) {
        environment.insert(name, value);
    }
    process.setProcessEnvironment(environment);
    process.setProgram(TARNEL_PATH);
    process.setArguments(arguments);
}

struct SRun {
    int m_status = -1;
    QString m_output;
    QString m_errors;
};

SRun RunToEnd(const QStringList& arguments, int timeoutMs = 20000,
              const Variables& variables = {}) {
    QProcess process;
    Prepare(process, arguments, variables);
    process.start();
    SRun run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.m_status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.m_output = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.m_errors = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

QString Dir(const CTempDir& dir) {
    return QString::fromStdString(dir.Path());
}

} // namespace

TEST(Process, StartsEndsAndFailsWithTheRightStatus) {
    const struct {
        std::optional<std::string> m_config;
        QStringList m_arguments;
        int m_status;
        QString m_said; // on standard output or error
    } cases[] = {
        {"<ROOT><UI_OBJECT Name=", {}, 1, "Kann config.xml nicht laden!"},
        {std::nullopt, {"--help"}, 0, "--snapshot <DIR>"},
        {std::nullopt, {"--version"}, 0, "Tarnel 0.1"},
        {VALID_CONFIG, {"--no-such-option"}, 2, "no-such-option"},
        // The modes without a window need no display and end with their own statuses.
        {VALID_CONFIG, {"--check"}, 0, "config.xml: 0 errors, 0 warnings"},
        {"<ROOT><PARAMETER/></ROOT>", {"--check"}, 1, "1 error"},
        {std::nullopt, {"--check"}, 2, "cannot be read"},
        {VALID_CONFIG, {"--load-setup", "missing.tnv"}, 2, "Kann parameter nicht laden!"},
        {VALID_CONFIG, {"--compare-setup", "missing.tnv"}, 2, "Kann parameter nicht laden!"},
    };
    for (const auto& c : cases) {
        const CTempDir dir;
        if (c.m_config) {
            dir.Write("config.xml", *c.m_config);
        }
        const SRun run = RunToEnd(QStringList{"--dir", Dir(dir)} + c.m_arguments);
        const QString what = c.m_arguments.join(' ');
        EXPECT_EQ(run.m_status, c.m_status) << what.toStdString();
        EXPECT_TRUE((run.m_output + run.m_errors).contains(c.m_said))
            << what.toStdString() << ": " << (run.m_output + run.m_errors).toStdString();
    }
}

// Without --dir the program directory is searched for; the executable's own folder in the
// build tree holds no config.xml.
TEST(Process, FindsItsProgramDirectoryOrSaysWhereItLooked) {
    const struct {
        const char* m_case;
        const char* m_holding; // the folder below the test's root given a config.xml
        QStringList m_arguments;
        bool m_tarnelDir; // $TARNEL_DIR names the root's empty folder "explicit/"
        int m_status;
        QStringList m_said;
    } cases[] = {
        {"the user's", "home/tarnel/", {"--check"}, false, 0, {"home/tarnel/config.xml: 0 errors"}},
        {"the system's", "etc/tarnel/", {"--check"}, false, 0, {"etc/tarnel/config.xml: 0 errors"}},
        {"$TARNEL_DIR never falls through",
         "home/tarnel/",
         {"--check"},
         true,
         2,
         {"explicit/config.xml: error: cannot be read"}},
        {"none: the window's status and every place",
         "",
         {"--snapshot", "shots"},
         false,
         1,
         {"Kann config.xml nicht laden!", "/src/app/  (the program's folder)",
          "home/tarnel/  ($XDG_CONFIG_HOME/tarnel)", "etc/tarnel/  ($XDG_CONFIG_DIRS)"}},
        {"none: a check cannot read it",
         "",
         {"--check"},
         false,
         2,
         {"Kann config.xml nicht laden!", "etc/tarnel/  ($XDG_CONFIG_DIRS)"}},
    };
    for (const auto& c : cases) {
        const CTempDir root;
        std::filesystem::create_directories(root.Path() + "explicit");
        if (*c.m_holding != '\0') {
            std::filesystem::create_directories(root.Path() + c.m_holding);
            root.Write(std::string(c.m_holding) + "config.xml", VALID_CONFIG);
        }
        Variables variables = {{"XDG_CONFIG_HOME", Dir(root) + "home"},
                               {"XDG_CONFIG_DIRS", Dir(root) + "etc"}};
        if (c.m_tarnelDir) {
            variables.emplace_back("TARNEL_DIR", Dir(root) + "explicit");
        }
        const SRun run = RunToEnd(c.m_arguments, 20000, variables);
        EXPECT_EQ(run.m_status, c.m_status) << c.m_case;
        for (const QString& said : c.m_said) {
            EXPECT_TRUE((run.m_output + run.m_errors).contains(said))
                << c.m_case << ": " << (run.m_output + run.m_errors).toStdString();
        }
    }
}

// One window per user and program directory; runs without a window do not count. The window
// ends with status 0 on a termination signal as on "Exit", also while connected.
TEST(Process, SecondCopyEndsAndTheFirstEndsWithStatus0) {
    const CTempDir dir;
    dir.Write("config.xml", VALID_CONFIG);
    // The socket lives in the runtime directory, this test's own.
    const CTempDir runtime;
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtime.Path().c_str());
    // A device that never answers.
    CPseudoTerminal device;
    ASSERT_EQ(device.Open(), 0);
    QProcess first;
    Prepare(first,
            {"--dir", Dir(dir), "--connect", "--port", QString::fromStdString(device.SlavePath())});
    first.start();
    ASSERT_TRUE(first.waitForStarted());

    const QString socket =
        QString::fromStdString(runtime.Path() + InstanceKey(std::to_string(getuid()), dir.Path()));
    ASSERT_TRUE(QTest::qWaitFor(
        [&socket] {
            QLocalSocket probe;
            probe.connectToServer(socket);
            return probe.waitForConnected(100);
        },
        20000));

    const SRun second = RunToEnd({"--dir", Dir(dir)}, 10000);
    EXPECT_EQ(second.m_status, 0);
    EXPECT_EQ(second.m_errors, "tarnel: already running; brought its window to the front\n");
    const SRun snapshot = RunToEnd({"--dir", Dir(dir), "--snapshot", Dir(dir) + "pictures"});
    EXPECT_EQ(snapshot.m_status, 0) << snapshot.m_errors.toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);

    first.terminate();
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
    qputenv("XDG_RUNTIME_DIR", oldRuntime);
}

// Each page's picture shows the panel view alone: pixel (x, y) is the page's (x, y).
TEST(Process, SnapshotWritesEveryPageAtPageCoordinates) {
    const CTempDir dir;
    dir.Write("red.bmp", SolidBmp(260, 330, {255, 0, 0}));
    dir.Write("blue.bmp", SolidBmp(100, 100, {0, 0, 255}));
    dir.Write("config.xml", "<ROOT><PARAMETER/>"
                            "<UI_OBJECT Name=\"a\"><IMAGE Path=\"red.bmp\"/></UI_OBJECT>"
                            "<UI_OBJECT Name=\"b\"><IMAGE Path=\"blue.bmp\"/></UI_OBJECT></ROOT>");
    const QString out = Dir(dir) + "shots/new";
    const SRun run = RunToEnd({"--dir", Dir(dir), "--snapshot", out});
    ASSERT_EQ(run.m_status, 0) << run.m_errors.toStdString();
    EXPECT_EQ(run.m_output, out + "/page-00.png\n" + out + "/page-01.png\n");

    const QImage first(out + "/page-00.png");
    const QImage second(out + "/page-01.png");
    EXPECT_EQ(first.size(), QSize(260, 330)) << "the largest page, whole";
    ExpectPixels(first, qRgb(255, 0, 0), {{0, 0}, {259, 329}});
    ExpectPixels(second, qRgb(0, 0, 255), {{99, 99}});
    EXPECT_NE(second.pixel(100, 100), qRgb(0, 0, 255));
}
