#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

std::string Local8(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

} // namespace

SCommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Operator panel for a device on a serial port, configured by config.xml "
                       "in the program directory."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption dir(
        QStringLiteral("dir"),
        QStringLiteral("Use DIR as the program directory (config.xml, port.inf, ports.map, "
                       "pictures) instead of the executable's folder."),
        QStringLiteral("DIR"));
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("Use port NAME (COMn: or a device path) for this run; port.inf stays "
                       "as it is."),
        QStringLiteral("NAME"));
    const QCommandLineOption connect(QStringLiteral("connect"),
                                     QStringLiteral("Connect to the device right after start."));
    const QCommandLineOption snapshot(
        QStringLiteral("snapshot"),
        QStringLiteral("Show every page once without a window, write page-00.png, "
                       "page-01.png, ... into DIR, print their paths and end."),
        QStringLiteral("DIR"));
    parser.addOptions({dir, port, connect, snapshot});

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
    result.m_connect = parser.isSet(connect);
    if (parser.isSet(snapshot)) {
        result.m_mode = ERunMode::Snapshot;
        result.m_snapshotDirectory = Local8(parser.value(snapshot));
    }
    return result;
}
