// "tarnel --record" without a display, against the device simulator on a pseudo-terminal.

#include "TempDir.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Generous: the machine may be busy with other builds.
constexpr int WAIT_MS = 20000;

const std::string CONFIG = "<ROOT><PARAMETER>"
                           "<P Id=\"11\" Name=\"Ramp\" Minimum=\"0\" Maximum=\"1000\"/>"
                           "<P Id=\"12\" Name=\"Still\" Value=\"4\"/>"
                           "<P Id=\"999\" Maximum=\"2\" SendSerial=\"true\"/>"
                           "</PARAMETER><UI_OBJECT Name=\"Home\"/></ROOT>";

void Prepare(QProcess& process, const QString& program, const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // No display at all: the recorder must not need one.
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    process.setProcessEnvironment(environment);
    process.setProgram(program);
    process.setArguments(arguments);
}

QStringList Lines(const std::string& path) {
    return QString::fromStdString(ReadAll(path)).split('\n');
}

} // namespace

// The ramp climbs from 0 to 1000 in 2 s and starts again; rows come every 200 ms tick in which
// it moved. After SIGTERM the process ends with 0 and the file ends with a whole row.
TEST(RecordingProcess, RowsFollowTheRampInTimeOrderAndSurviveSigterm) {
    const CTempDir dir;
    dir.Write("config.xml", CONFIG);
    const std::string link = dir.Path() + "device";
    QProcess simulator;
    Prepare(simulator, TARNEL_SIM_PATH,
            {"--config", QString::fromStdString(dir.Path() + "config.xml"), "--link",
             QString::fromStdString(link), "--report-interval", "0", "--animate",
             "ramp:11:0:1000:2", "--animate-interval", "100"});
    simulator.setStandardOutputFile(QProcess::nullDevice());
    simulator.start();
    ASSERT_TRUE(
        QTest::qWaitFor([&link] { return QFile::exists(QString::fromStdString(link)); }, WAIT_MS));

    const std::string csv = dir.Path() + "values.csv";
    QProcess recorder;
    Prepare(recorder, TARNEL_PATH,
            {"--dir", QString::fromStdString(dir.Path()), "--port", QString::fromStdString(link),
             "--record", QString::fromStdString(csv), "--registers", "11,12"});
    recorder.start();
    ASSERT_TRUE(QTest::qWaitFor([&csv] { return Lines(csv).size() > 12; }, WAIT_MS))
        << ReadAll(csv);
    recorder.terminate();
    ASSERT_TRUE(recorder.waitForFinished(WAIT_MS));
    EXPECT_EQ(recorder.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(recorder.exitCode(), 0) << recorder.readAllStandardError().toStdString();

    QStringList lines = Lines(csv);
    ASSERT_EQ(lines.takeFirst(), "time,Ramp (R11),Still (R12)");
    ASSERT_EQ(lines.takeLast(), "") << "the last row is whole";
    QString previousTime;
    int previousValue = -1;
    int climbs = 0;
    int restarts = 0;
    for (const QString& line : lines) {
        const QStringList fields = line.split(',');
        ASSERT_EQ(fields.size(), 3) << line.toStdString();
        EXPECT_EQ(fields[0].size(), 23) << line.toStdString();
        EXPECT_GT(fields[0], previousTime) << line.toStdString();
        EXPECT_EQ(fields[2], "4");
        const int value = fields[1].toInt();
        if (previousValue >= 0) {
            // A row only for a tick that changed the value. How far the ramp moved between two
            // rows depends on how busy the machine is, so only the direction is checked: it
            // climbs, and drops only where a period starts again (once in ten ticks).
            EXPECT_NE(value, previousValue) << line.toStdString();
            climbs += value > previousValue ? 1 : 0;
            restarts += value < previousValue ? 1 : 0;
        }
        previousTime = fields[0];
        previousValue = value;
    }
    EXPECT_GE(climbs, 6);
    EXPECT_GT(climbs, 2 * restarts);
    simulator.kill();
    simulator.waitForFinished();
}

TEST(RecordingProcess, UnusableInputEndsWithStatusTwoAndTheReason) {
    const CTempDir dir;
    dir.Write("config.xml", CONFIG);
    const CTempDir empty;
    const QString csv = QString::fromStdString(dir.Path() + "values.csv");
    struct SRow {
        QStringList m_arguments;
        QString m_error;
    };
    const std::vector<SRow> rows = {
        {{"--registers", "11,13,7"},
         "Register 13 is not declared in config.xml\n"
         "Register 7 is not declared in config.xml\n"},
        {{"--registers", "11", "--dir", QString::fromStdString(empty.Path())},
         "Kann config.xml nicht laden!\n"},
        {{"--registers", "11", "--port", QString::fromStdString(dir.Path() + "no-port")},
         "Cannot open the port " + QString::fromStdString(dir.Path()) + "no-port\n"},
        {{"--registers", "11,x"}, "--registers"},
        {{"--registers", "11", "--duration", "0"}, "--duration"},
    };
    for (const SRow& row : rows) {
        QProcess process;
        Prepare(process, TARNEL_PATH,
                QStringList{"--dir", QString::fromStdString(dir.Path()), "--record", csv} +
                    row.m_arguments);
        process.start();
        ASSERT_TRUE(process.waitForFinished(WAIT_MS));
        const QString errors = QString::fromLocal8Bit(process.readAllStandardError());
        EXPECT_EQ(process.exitCode(), 2) << errors.toStdString();
        EXPECT_TRUE(errors.endsWith(row.m_error) || errors.contains(row.m_error))
            << errors.toStdString();
        EXPECT_FALSE(QFile::exists(csv)) << row.m_arguments.join(' ').toStdString();
    }
}
