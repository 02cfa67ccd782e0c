#include "PortProblem.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string JoinList(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : ", ") + item;
    }
    return text;
}

std::string PermissionHint(const SPortFacts& facts) {
    if (facts.m_deviceGroup.empty()) {
        return "You may not open " + facts.m_device + ". See \"Serial port access\" in the README.";
    }
    const std::string& group = facts.m_deviceGroup;
    if (std::find(facts.m_userGroups.begin(), facts.m_userGroups.end(), group) !=
        facts.m_userGroups.end()) {
        // Membership counts from the next login; a fresh one is the usual cause.
        return facts.m_device + " belongs to the group \"" + group +
               "\", and you are in it. If you were added only recently, log in again.";
    }
    return facts.m_device + " belongs to the group \"" + group +
           "\", and you are not in it. Add yourself with\n    sudo usermod -aG " + group +
           " $USER\nand log in again.";
}

std::string BusyHint(const SPortFacts& facts) {
    if (facts.m_holders.empty()) {
        return "Another program holds " + facts.m_device + ". Close it; \"fuser -v " +
               facts.m_device + "\" names it.";
    }
    return "Another program holds " + facts.m_device + ": " + JoinList(facts.m_holders) +
           ". Close it and connect again.";
}

std::string MissingHint(const SPortFacts& facts) {
    std::string text;
    if (facts.m_device.empty()) {
        text = facts.m_portName + " names no device: it is neither in ports.map nor a COMn: name.";
    } else if (facts.m_device == facts.m_portName) {
        text = "There is no device " + facts.m_device + ".";
    } else {
        text = facts.m_portName + " is " + facts.m_device +
               (facts.m_fromPortMap ? " (ports.map)" : "") + ", which does not exist.";
    }
    if (facts.m_serialDevices.empty()) {
        return text + " No serial device is present now; is the adapter plugged in?";
    }
    text += " Serial devices present now:";
    for (const std::string& device : facts.m_serialDevices) {
        text += "\n    " + device;
    }
    return text;
}

} // namespace

std::string PortProblemHint(int error, const SPortFacts& facts) {
    switch (error) {
    case EACCES:
    case EPERM:
        return PermissionHint(facts);
    case EBUSY:
        return BusyHint(facts);
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return MissingHint(facts);
    default:
        return {};
    }
}

std::string PortProblemText(int error, const SPortFacts& facts) {
    const std::string system = std::generic_category().message(error);
    const std::string hint = PortProblemHint(error, facts);
    return hint.empty() ? system : system + "\n\n" + hint;
}

std::vector<std::string> ListSerialDevices(const std::string& devRoot) {
    std::vector<std::string> devices;
    std::error_code error;
    std::vector<std::string> byId;
    for (const auto& entry : fs::directory_iterator(devRoot + "serial/by-id", error)) {
        byId.push_back(entry.path().string());
    }
    std::sort(byId.begin(), byId.end());
    std::vector<std::string> nodes;
    for (const auto& entry : fs::directory_iterator(devRoot, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("ttyUSB", 0) == 0 || name.rfind("ttyACM", 0) == 0) {
            nodes.push_back(entry.path().string());
        }
    }
    std::sort(nodes.begin(), nodes.end());
    devices.insert(devices.end(), byId.begin(), byId.end());
    devices.insert(devices.end(), nodes.begin(), nodes.end());
    return devices;
}

std::vector<std::string> ListDeviceHolders(const std::string& device) {
    std::error_code error;
    const fs::path target = fs::canonical(device, error);
    if (error) {
        return {};
    }
    std::vector<std::string> holders;
    for (const auto& process : fs::directory_iterator("/proc", error)) {
        const std::string pid = process.path().filename().string();
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::error_code fdError;
        for (const auto& fd : fs::directory_iterator(process.path() / "fd", fdError)) {
            std::error_code linkError;
            if (fs::read_symlink(fd.path(), linkError) != target) {
                continue;
            }
            std::string name;
            std::ifstream(process.path() / "comm") >> name;
            holders.push_back((name.empty() ? "?" : name) + " (process " + pid + ")");
            break;
        }
    }
    return holders;
}

SPortFacts GatherPortFacts(const std::string& portName, const std::string& device, bool fromPortMap,
                           const std::string& devRoot) {
    SPortFacts facts;
    facts.m_portName = portName;
    facts.m_device = device;
    facts.m_fromPortMap = fromPortMap;
    struct stat status {};
    if (!device.empty() && stat(device.c_str(), &status) == 0) {
        if (const group* deviceGroup = getgrgid(status.st_gid)) {
            facts.m_deviceGroup = deviceGroup->gr_name;
        }
    }
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(getgroups(0, nullptr), 0)) + 1);
    const int count = getgroups(static_cast<int>(groups.size()) - 1, groups.data());
    groups.resize(static_cast<std::size_t>(std::max(count, 0)));
    groups.push_back(getegid());
    for (const gid_t id : groups) {
        if (const group* userGroup = getgrgid(id)) {
            facts.m_userGroups.emplace_back(userGroup->gr_name);
        }
    }
    if (!device.empty()) {
        facts.m_holders = ListDeviceHolders(device);
    }
    facts.m_serialDevices = ListSerialDevices(devRoot);
    return facts;
}
