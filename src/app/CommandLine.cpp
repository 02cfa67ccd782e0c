#include "CommandLine.h"

#include "trend/TrendColumn.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cmath>

namespace {

std::string Local8(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

} // namespace

SCommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Operator panel for a device on a serial port, configured by config.xml in the program "
        "directory.\n\nThe program directory is --dir DIR, else $TARNEL_DIR, both used as "
        "given; otherwise the first of these folders that holds config.xml:\n"
        "  1. the executable's folder (a portable folder)\n"
        "  2. $XDG_CONFIG_HOME/tarnel (default ~/.config/tarnel)\n"
        "  3. each folder of $XDG_CONFIG_DIRS with /tarnel appended (default /etc/xdg/tarnel)\n"
        "Pictures, ports.map and port.inf are read from it; a port.inf in "
        "$XDG_CONFIG_HOME/tarnel is read in preference, and the port is saved there when the "
        "program directory cannot be written."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption dir(
        QStringLiteral("dir"),
        QStringLiteral("Use DIR as the program directory (config.xml, port.inf, ports.map, "
                       "pictures) instead of searching for one."),
        QStringLiteral("DIR"));
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("Use port NAME (COMn: or a device path) instead of the one in port.inf. "
                       "Starting does not change port.inf, but \"Setup Connection ...\" writes "
                       "the port then in use into it, as without this option."),
        QStringLiteral("NAME"));
    const QCommandLineOption connect(QStringLiteral("connect"),
                                     QStringLiteral("Connect to the device right after start."));
    const QCommandLineOption snapshot(
        QStringLiteral("snapshot"),
        QStringLiteral("Show every page once without a window, write page-00.png, "
                       "page-01.png, ... into DIR, print their paths and end."),
        QStringLiteral("DIR"));
    const QCommandLineOption check(
        QStringLiteral("check"),
        QStringLiteral("Check config.xml of the program directory, print what will not work as "
                       "file:line:column diagnostics and end: 0 without errors, 1 with errors, "
                       "2 when the file cannot be read."));
    const QCommandLineOption werror(QStringLiteral("werror"),
                                    QStringLiteral("With --check: count warnings as errors."));
    const QCommandLineOption loadSetup(
        QStringLiteral("load-setup"),
        QStringLiteral("Connect, send the parameter set FILE as Load Setup does and end: 0 when "
                       "the device acknowledged every value, 1 otherwise, 2 when the file or "
                       "the port cannot be used."),
        QStringLiteral("FILE"));
    const QCommandLineOption saveSetup(
        QStringLiteral("save-setup"),
        QStringLiteral("Write the parameter set FILE as Save Setup does and end; with --connect "
                       "the device's current values are asked for first."),
        QStringLiteral("FILE"));
    const QCommandLineOption compareSetup(
        QStringLiteral("compare-setup"),
        QStringLiteral("Connect, ask the device for its values and print what loading the "
                       "parameter set FILE would change, then end: 0 when nothing would "
                       "change, 1 when something would, 2 when a file, config.xml or the port "
                       "cannot be used."),
        QStringLiteral("FILE"));
    const QCommandLineOption against(
        QStringLiteral("against"),
        QStringLiteral("With --compare-setup: no device; compare with the values loading "
                       "the parameter set OTHER leaves."),
        QStringLiteral("OTHER"));
    const QCommandLineOption record(
        QStringLiteral("record"),
        QStringLiteral("Connect, ask the device for all values and write the --registers to the "
                       "CSV file FILE, one row per 200 ms in which a value changed, until "
                       "--duration ends or SIGINT/SIGTERM: 0 then, 2 when config.xml, a "
                       "register, the port or the file cannot be used."),
        QStringLiteral("FILE"));
    const QCommandLineOption registers(
        QStringLiteral("registers"),
        QStringLiteral("With --record: the registers to record, such as 11,14."),
        QStringLiteral("LIST"));
    const QCommandLineOption duration(
        QStringLiteral("duration"),
        QStringLiteral("With --record: end after SECONDS (without it, at SIGINT or SIGTERM)."),
        QStringLiteral("SECONDS"));
    const QCommandLineOption log(
        QStringLiteral("log"),
        QStringLiteral("Log the traffic with the device into DIR for this run (one file per "
                       "connection), as the Traffic Log menu entry does into its folder."),
        QStringLiteral("DIR"));
    parser.addOptions({dir, port, connect, snapshot, check, werror, loadSetup, saveSetup,
                       compareSetup, against, record, registers, duration, log});

    SCommandLine result;
    if (!parser.parse(arguments)) {
        result.m_mode = ERunMode::Error;
        result.m_text = parser.errorText();
        return result;
    }
    if (parser.isSet(help)) {
        result.m_mode = ERunMode::Help;
        result.m_text = parser.helpText();
        return result;
    }
    if (parser.isSet(version)) {
        result.m_mode = ERunMode::Version;
        result.m_text = QCoreApplication::applicationName() + QLatin1Char(' ') +
                        QCoreApplication::applicationVersion() + QLatin1Char('\n');
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.m_mode = ERunMode::Error;
        result.m_text = QStringLiteral("Unexpected argument: ") + parser.positionalArguments()[0];
        return result;
    }
    if (parser.isSet(dir)) {
        result.m_programDirectory = Local8(parser.value(dir));
    }
    if (parser.isSet(port)) {
        result.m_portName = Local8(parser.value(port));
    }
    if (parser.isSet(log)) {
        result.m_logDirectory = Local8(parser.value(log));
    }
    result.m_connect = parser.isSet(connect);
    result.m_warningsAsErrors = parser.isSet(werror);
    const int modes = int(parser.isSet(snapshot)) + int(parser.isSet(check)) +
                      int(parser.isSet(loadSetup)) + int(parser.isSet(saveSetup)) +
                      int(parser.isSet(compareSetup)) + int(parser.isSet(record));
    if (modes > 1) {
        result.m_mode = ERunMode::Error;
        result.m_text = QStringLiteral("--snapshot, --check, --load-setup, --save-setup, "
                                       "--compare-setup and --record exclude each other");
        return result;
    }
    if (parser.isSet(against) && !parser.isSet(compareSetup)) {
        result.m_mode = ERunMode::Error;
        result.m_text = QStringLiteral("--against goes with --compare-setup");
        return result;
    }
    if (!parser.isSet(record) && (parser.isSet(registers) || parser.isSet(duration))) {
        result.m_mode = ERunMode::Error;
        result.m_text = QStringLiteral("--registers and --duration go with --record");
        return result;
    }
    if (parser.isSet(snapshot)) {
        result.m_mode = ERunMode::Snapshot;
        result.m_snapshotDirectory = Local8(parser.value(snapshot));
    } else if (parser.isSet(check)) {
        result.m_mode = ERunMode::Check;
    } else if (parser.isSet(loadSetup)) {
        result.m_mode = ERunMode::LoadSetup;
        result.m_setupFile = Local8(parser.value(loadSetup));
    } else if (parser.isSet(saveSetup)) {
        result.m_mode = ERunMode::SaveSetup;
        result.m_setupFile = Local8(parser.value(saveSetup));
    } else if (parser.isSet(compareSetup)) {
        result.m_mode = ERunMode::CompareSetup;
        result.m_setupFile = Local8(parser.value(compareSetup));
        if (parser.isSet(against)) {
            result.m_againstFile = Local8(parser.value(against));
        }
    } else if (parser.isSet(record)) {
        result.m_mode = ERunMode::Record;
        result.m_recordFile = Local8(parser.value(record));
        const auto list = ParseRegisterList(Local8(parser.value(registers)));
        if (!list) {
            result.m_mode = ERunMode::Error;
            result.m_text = QStringLiteral("--record needs --registers with register numbers "
                                           "separated by commas, such as 11,14");
            return result;
        }
        result.m_recordRegisters = *list;
        if (parser.isSet(duration)) {
            bool number = false;
            const double seconds = parser.value(duration).toDouble(&number);
            if (!number || !(seconds > 0) || seconds > 1e9) {
                result.m_mode = ERunMode::Error;
                result.m_text = QStringLiteral("--duration needs a number of seconds above 0");
                return result;
            }
            result.m_recordDuration = std::chrono::milliseconds(std::llround(seconds * 1000));
        }
    }
    return result;
}
