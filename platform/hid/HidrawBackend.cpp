#include "platform/hid/HidrawBackend.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include "platform/hid/ReportDescriptor.h"
#include "platform/hid/UdevWatch.h"

namespace pelmar {

namespace {

constexpr std::string_view kNodePrefix = "hidraw";
constexpr std::string_view kCollectionSeparator = "#col";
constexpr std::string_view kHidIdKey = "HID_ID=";

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

std::optional<std::uint32_t> ParseHex(std::string_view text) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// HID_ID=<bus>:<vendor>:<product>, each in hexadecimal.
std::optional<HidAttributes> ParseUevent(const std::string& uevent) {
    std::istringstream lines(uevent);
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with(kHidIdKey)) {
            continue;
        }
        const std::string_view value = std::string_view(line).substr(kHidIdKey.size());
        const std::size_t first = value.find(':');
        const std::size_t second = value.find(':', first + 1);
        if (first == std::string_view::npos || second == std::string_view::npos) {
            return std::nullopt;
        }
        const auto vendor = ParseHex(value.substr(first + 1, second - first - 1));
        const auto product = ParseHex(value.substr(second + 1));
        if (!vendor || !product) {
            return std::nullopt;
        }
        return HidAttributes{static_cast<std::uint16_t>(*vendor & 0xFFFFu),
                             static_cast<std::uint16_t>(*product & 0xFFFFu)};
    }
    return std::nullopt;
}

std::optional<std::size_t> NodeNumber(std::string_view name) {
    if (!name.starts_with(kNodePrefix)) {
        return std::nullopt;
    }
    std::size_t number = 0;
    const std::string_view digits = name.substr(kNodePrefix.size());
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return number;
}

struct SplitPath {
    std::string nodePath;
    std::size_t collection = 0;
};

std::optional<SplitPath> Split(const std::string& path) {
    const std::size_t separator = path.rfind(kCollectionSeparator);
    if (separator == std::string::npos) {
        return std::nullopt;
    }
    std::size_t number = 0;
    const std::string_view digits =
        std::string_view(path).substr(separator + kCollectionSeparator.size());
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        number == 0) {
        return std::nullopt;
    }
    return SplitPath{path.substr(0, separator), number - 1};
}

// Whether the node exists but the user lacks the permission to read and write it.
bool AccessDenied(const std::string& nodePath) {
    return ::access(nodePath.c_str(), R_OK | W_OK) != 0 && (errno == EACCES || errno == EPERM);
}

}  // namespace

std::string CollectionPath(const std::string& nodePath, std::size_t index) {
    std::string number = std::to_string(index + 1);
    if (number.size() < 2) {
        number.insert(0, "0");
    }
    return nodePath + std::string(kCollectionSeparator) + number;
}

HidrawBackend::HidrawBackend(std::filesystem::path sysfsRoot, std::filesystem::path deviceRoot)
    : sysfsRoot_(std::move(sysfsRoot)), deviceRoot_(std::move(deviceRoot)) {}

std::vector<std::string> HidrawBackend::NodeNames() const {
    std::vector<std::pair<std::size_t, std::string>> nodes;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator(sysfsRoot_ / "class" / "hidraw", error)) {
        const std::string name = entry.path().filename().string();
        if (const auto number = NodeNumber(name)) {
            nodes.emplace_back(*number, name);
        }
    }
    std::sort(nodes.begin(), nodes.end());
    std::vector<std::string> names;
    for (auto& [number, name] : nodes) {
        names.push_back(std::move(name));
    }
    return names;
}

std::vector<HidInterfaceInfo> HidrawBackend::InterfacesOf(const std::string& node) const {
    const std::filesystem::path device = sysfsRoot_ / "class" / "hidraw" / node / "device";
    const std::string nodePath = (deviceRoot_ / node).string();
    std::optional<HidAttributes> attributes;
    if (const auto uevent = ReadWholeFile(device / "uevent")) {
        attributes = ParseUevent(*uevent);
    }
    const bool denied = AccessDenied(nodePath);
    const auto bytes = ReadWholeFile(device / "report_descriptor");
    if (!bytes.has_value()) {
        return {HidInterfaceInfo{CollectionPath(nodePath, 0), attributes, std::nullopt, denied}};
    }
    const ReportDescriptor descriptor = ParseReportDescriptor(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()));
    std::vector<HidInterfaceInfo> interfaces;
    for (std::size_t i = 0; i < descriptor.collections.size(); ++i) {
        interfaces.push_back(
            {CollectionPath(nodePath, i), attributes, descriptor.collections[i].caps, denied});
    }
    return interfaces;
}

HidInterfaceList HidrawBackend::Enumerate() {
    HidInterfaceList list;
    for (const std::string& node : NodeNames()) {
        for (HidInterfaceInfo& info : InterfacesOf(node)) {
            list.emplace_back(std::move(info));
        }
    }
    return list;
}

std::shared_ptr<HidDevice> HidrawBackend::Open(const std::string& path, HidAccess access) {
    const std::optional<SplitPath> split = Split(path);
    if (!split.has_value()) {
        return nullptr;
    }
    const std::string node = std::filesystem::path(split->nodePath).filename().string();
    const auto bytes =
        ReadWholeFile(sysfsRoot_ / "class" / "hidraw" / node / "device" / "report_descriptor");
    if (!bytes.has_value()) {
        return nullptr;
    }
    const ReportDescriptor descriptor = ParseReportDescriptor(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()));
    if (split->collection >= descriptor.collections.size()) {
        return nullptr;
    }
    return HidrawDevice::Open(
        split->nodePath, access,
        {descriptor.numberedReports, descriptor.collections[split->collection].inputReportIds});
}

std::unique_ptr<DeviceWatch> HidrawBackend::WatchDevices(DeviceChangeCallback onChange) {
    HidrawRemovalTracker tracker(
        [this](const std::string& node) {
            std::vector<std::string> paths;
            for (const HidInterfaceInfo& info : InterfacesOf(node)) {
                paths.push_back(info.path);
            }
            return paths;
        },
        std::move(onChange));
    for (const std::string& node : NodeNames()) {
        tracker.Remember(node);
    }
    return StartUdevWatch(std::move(tracker));
}

}  // namespace pelmar
