#include "SystemPortRegistry.h"

#include "PortRegistry.h"
#include "config/ProgramDirectory.h"

#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <map>

namespace {

std::string Local(const QString& text) {
    return text.toStdString();
}

QString CanonicalPath(const std::string& path) {
    return QFileInfo(QFile::decodeName(path.c_str())).canonicalFilePath();
}

} // namespace

CMemoryRegistry ReadSystemPortRegistry() {
    // What the system knows of its serial devices, by canonical path (a port map may name a
    // device through a link such as /dev/serial/by-id/...).
    std::map<QString, std::vector<std::string>> known;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        const QString path = QFileInfo(port.systemLocation()).canonicalFilePath();
        if (!path.isEmpty()) {
            known[path] = {Local(port.description()), Local(port.manufacturer()),
                           Local(port.serialNumber())};
        }
    }
    const auto describe = [&known](const std::string& device) -> std::optional<std::string> {
        const QString path = CanonicalPath(device);
        if (path.isEmpty()) {
            return std::nullopt; // no such device
        }
        const auto found = known.find(path);
        return DeviceIdentifier(found != known.end() ? found->second : std::vector<std::string>(),
                                device);
    };
    return BuildPortRegistry(ReadPortMap(GetProgramDirectory() + PORT_MAP_FILE), describe);
}
