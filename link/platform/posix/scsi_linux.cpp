#include "posix/scsi_linux.h"

#include <dirent.h>
#include <fcntl.h>
#include <scsi/sg.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>

#include "scsi_sense.h"

namespace qorlink {
namespace linuxscsi {
namespace {

constexpr char kSysBlock[] = "/sys/block";
constexpr char kDevDir[] = "/dev";
constexpr uint16_t kDriverSense = 0x08;  // sense data was written; judged by its key
constexpr size_t kSenseSpace = 32;
constexpr unsigned kMsPerSecond = 1000;

std::vector<std::string> EntriesOf(const std::string& dir) {
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (const dirent* e = readdir(d)) {
            const std::string name = e->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string FirstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsSdDisk(const std::string& name) {
    return name.size() > 2 && name.compare(0, 2, "sd") == 0 &&
           std::all_of(name.begin() + 2, name.end(),
                       [](char ch) { return ch >= 'a' && ch <= 'z'; });
}

class SgDevice final : public ScsiDevice {
  public:
    explicit SgDevice(int fd) : fd_(fd) {}
    ~SgDevice() override { close(fd_); }
    SgDevice(const SgDevice&) = delete;
    SgDevice& operator=(const SgDevice&) = delete;

    bool command(const uint8_t* cdb, size_t cdbLength, ScsiDirection direction, uint8_t* data,
                 size_t length, uint32_t timeoutSeconds) override {
        if (cdbLength == 0 || cdbLength > 16) return false;
        if (length > 0 && data == nullptr) return false;
        uint8_t cdbCopy[16] = {};
        std::copy(cdb, cdb + cdbLength, cdbCopy);
        uint8_t sense[kSenseSpace] = {};
        sg_io_hdr_t hdr{};
        hdr.interface_id = 'S';
        hdr.cmd_len = static_cast<unsigned char>(cdbLength);
        hdr.cmdp = cdbCopy;
        hdr.mx_sb_len = sizeof sense;
        hdr.sbp = sense;
        hdr.dxfer_len = static_cast<unsigned int>(length);
        hdr.dxferp = length > 0 ? data : nullptr;
        hdr.dxfer_direction = length == 0 || direction == ScsiDirection::None ? SG_DXFER_NONE
                              : direction == ScsiDirection::In                ? SG_DXFER_FROM_DEV
                                                                              : SG_DXFER_TO_DEV;
        // A zero time-out would mean "the driver's default"; every command gets at least 1 s.
        const uint32_t seconds = std::max<uint32_t>(timeoutSeconds, 1);
        hdr.timeout = seconds > UINT32_MAX / kMsPerSecond ? UINT32_MAX : seconds * kMsPerSecond;
        int r;
        do {
            r = ioctl(fd_, SG_IO, &hdr);
        } while (r < 0 && errno == EINTR);
        if (r < 0) return false;
        if (hdr.dxfer_direction == SG_DXFER_FROM_DEV)
            ClearUndelivered(data, length, deliveredLength(length, hdr.resid));
        return commandSucceeded(hdr.status, hdr.host_status, hdr.driver_status, sense,
                                std::min<size_t>(hdr.sb_len_wr, sizeof sense));
    }

  private:
    int fd_;
};

int OpenNode(const std::string& node) {
    if (node.empty()) return -1;
    return open(node.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
}

}  // namespace

size_t deliveredLength(size_t length, int residual) {
    if (residual <= 0) return length;
    const size_t missing = static_cast<size_t>(residual);
    return missing >= length ? 0 : length - missing;
}

std::vector<std::string> removableDisks(const std::string& sysBlock, const std::string& devDir) {
    std::vector<std::string> nodes;
    for (const std::string& name : EntriesOf(sysBlock)) {
        if (!IsSdDisk(name)) continue;
        if (FirstLine(sysBlock + "/" + name + "/removable") != "1") continue;
        nodes.push_back(devDir + "/" + name);
    }
    return nodes;
}

std::string genericNodeOf(const std::string& diskNode, const std::string& sysBlock,
                          const std::string& devDir) {
    const std::string disk = BaseName(diskNode);
    if (!IsSdDisk(disk)) return {};
    for (const std::string& name : EntriesOf(sysBlock + "/" + disk + "/device/scsi_generic")) {
        if (name.compare(0, 2, "sg") == 0) return devDir + "/" + name;
    }
    return {};
}

bool commandSucceeded(uint8_t status, uint16_t hostStatus, uint16_t driverStatus,
                      const uint8_t* sense, size_t senseLength) {
    if (status != 0 || hostStatus != 0) return false;
    if ((driverStatus & ~kDriverSense) != 0) return false;
    if (senseLength == 0) return (driverStatus & kDriverSense) == 0;
    return SenseKey(sense, senseLength) == kSenseKeyNoSense;
}

}  // namespace linuxscsi

std::vector<std::string> listLinuxRemovableScsi() {
    return linuxscsi::removableDisks(linuxscsi::kSysBlock, linuxscsi::kDevDir);
}

std::unique_ptr<ScsiDevice> openLinuxScsi(const std::string& name) {
    // The generic node first (vendor commands pass there), then the node as named.
    int fd = linuxscsi::OpenNode(
        linuxscsi::genericNodeOf(name, linuxscsi::kSysBlock, linuxscsi::kDevDir));
    if (fd < 0) fd = linuxscsi::OpenNode(name);
    if (fd < 0) return nullptr;
    return std::make_unique<linuxscsi::SgDevice>(fd);
}

}  // namespace qorlink
