#include "platform/hid/VirtualMouse.h"

#include <algorithm>
#include <chrono>

#include "platform/hid/FeatureCommand.h"

namespace pelmar {

namespace {

// Start of the program, for the log's time stamps.
const std::chrono::steady_clock::time_point kProgramStart = std::chrono::steady_clock::now();

long long MillisecondsSinceStart() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 kProgramStart)
        .count();
}

// Device codes of the buttons that report their presses.
enum class DeviceCode : std::uint8_t {
    Program = 0,      // the program performs the function
    DpiCycle = 6,     // next enabled level, wrapping
    ReportRate = 10,  // steps the mouse's report rate
    DpiUp = 11,       // next higher enabled level
    DpiDown = 12,     // next lower enabled level
};

constexpr std::uint8_t kButtonEventBase = 0xF0;
constexpr std::uint8_t kReleaseValue = 0x80;
constexpr std::uint8_t kDpiLevelBase = 0x40;
constexpr std::uint8_t kDpiLevelCodeBase = 8;
constexpr int kDpiLevels = 4;
constexpr std::uint8_t kReportRates = 4;
constexpr std::size_t kMaxQueuedReports = 256;

// Mouse, keyboard, consumer control, vendor input (report 6) and vendor
// feature (report 7) collections.
constexpr auto kReportDescriptor = std::to_array<std::uint8_t>({
    // Mouse: five buttons, padding, X, Y, wheel.
    0x05,
    0x01,
    0x09,
    0x02,
    0xA1,
    0x01,
    0x85,
    0x01,
    0x09,
    0x01,
    0xA1,
    0x00,
    0x05,
    0x09,
    0x19,
    0x01,
    0x29,
    0x05,
    0x15,
    0x00,
    0x25,
    0x01,
    0x95,
    0x05,
    0x75,
    0x01,
    0x81,
    0x02,
    0x95,
    0x01,
    0x75,
    0x03,
    0x81,
    0x01,
    0x05,
    0x01,
    0x09,
    0x30,
    0x09,
    0x31,
    0x09,
    0x38,
    0x15,
    0x81,
    0x25,
    0x7F,
    0x75,
    0x08,
    0x95,
    0x03,
    0x81,
    0x06,
    0xC0,
    0xC0,
    // Keyboard: modifiers, reserved byte, six keys; five LEDs and padding.
    0x05,
    0x01,
    0x09,
    0x06,
    0xA1,
    0x01,
    0x85,
    0x02,
    0x05,
    0x07,
    0x19,
    0xE0,
    0x29,
    0xE7,
    0x15,
    0x00,
    0x25,
    0x01,
    0x75,
    0x01,
    0x95,
    0x08,
    0x81,
    0x02,
    0x95,
    0x01,
    0x75,
    0x08,
    0x81,
    0x01,
    0x95,
    0x05,
    0x75,
    0x01,
    0x05,
    0x08,
    0x19,
    0x01,
    0x29,
    0x05,
    0x91,
    0x02,
    0x95,
    0x01,
    0x75,
    0x03,
    0x91,
    0x01,
    0x95,
    0x06,
    0x75,
    0x08,
    0x15,
    0x00,
    0x26,
    0xFF,
    0x00,
    0x05,
    0x07,
    0x19,
    0x00,
    0x2A,
    0xFF,
    0x00,
    0x81,
    0x00,
    0xC0,
    // Consumer control: one 16-bit usage.
    0x05,
    0x0C,
    0x09,
    0x01,
    0xA1,
    0x01,
    0x85,
    0x03,
    0x15,
    0x00,
    0x26,
    0xFF,
    0x03,
    0x19,
    0x00,
    0x2A,
    0xFF,
    0x03,
    0x75,
    0x10,
    0x95,
    0x01,
    0x81,
    0x00,
    0xC0,
    // Vendor input: seven data bytes.
    0x06,
    0x00,
    0xFF,
    0x09,
    0x01,
    0xA1,
    0x01,
    0x85,
    0x06,
    0x15,
    0x00,
    0x26,
    0xFF,
    0x00,
    0x75,
    0x08,
    0x95,
    0x07,
    0x09,
    0x01,
    0x81,
    0x02,
    0xC0,
    // Vendor feature: seven data bytes.
    0x06,
    0x01,
    0xFF,
    0x09,
    0x01,
    0xA1,
    0x01,
    0x85,
    0x07,
    0x15,
    0x00,
    0x26,
    0xFF,
    0x00,
    0x75,
    0x08,
    0x95,
    0x07,
    0x09,
    0x01,
    0xB1,
    0x02,
    0xC0,
});

std::uint8_t ByteAt(std::span<const std::uint8_t> report, std::size_t index) {
    return index < report.size() ? report[index] : 0;
}

bool Enabled(std::uint8_t mask, int level) {
    return ((mask >> level) & 1u) != 0;
}

// The next enabled level after current, stepping by +1 or -1; with wrapping
// it goes round, without it stops at the ends. No other enabled level keeps
// the current one.
std::uint8_t NextLevel(std::uint8_t current, std::uint8_t mask, int step, bool wrap) {
    int level = current;
    for (int i = 1; i < kDpiLevels; ++i) {
        level += step;
        if (wrap) {
            level = (level + kDpiLevels) % kDpiLevels;
        } else if (level < 0 || level >= kDpiLevels) {
            break;
        }
        if (Enabled(mask, level)) {
            return static_cast<std::uint8_t>(level);
        }
    }
    return current;
}

}  // namespace

std::string HexBytes(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const std::uint8_t byte : bytes) {
        if (!text.empty()) {
            text += ' ';
        }
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

void VirtualInputQueue::Push(std::vector<std::uint8_t> report) {
    {
        const std::lock_guard lock(mutex_);
        if (reports_.size() == kMaxQueuedReports) {
            reports_.pop_front();
        }
        reports_.push_back(std::move(report));
    }
    changed_.notify_all();
}

ReadResult VirtualInputQueue::Pop(std::span<std::uint8_t> buffer) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return woken_ || closed_ || !reports_.empty(); });
    if (closed_) {
        return {ReadStatus::Failed, 0};
    }
    if (woken_) {
        woken_ = false;
        return {ReadStatus::Woken, 0};
    }
    const std::vector<std::uint8_t> report = std::move(reports_.front());
    reports_.pop_front();
    const std::size_t size = std::min(report.size(), buffer.size());
    std::copy_n(report.begin(), size, buffer.begin());
    return {ReadStatus::Report, size};
}

void VirtualInputQueue::Wake() {
    {
        const std::lock_guard lock(mutex_);
        woken_ = true;
    }
    changed_.notify_all();
}

void VirtualInputQueue::Close() {
    {
        const std::lock_guard lock(mutex_);
        closed_ = true;
    }
    changed_.notify_all();
}

VirtualMouse::VirtualMouse(const std::filesystem::path& logPath) {
    for (int button = 1; button <= kButtons; ++button) {
        state_.deviceCodes[static_cast<std::size_t>(button)] = static_cast<std::uint8_t>(button);
    }
    state_.dpiValueCodes = {0x06, 0x07, 0x0B, 0x0F};
    state_.dpiEnableMask = 0x0F;
    state_.reportRate = 2;
    if (!logPath.empty()) {
        log_.open(logPath, std::ios::app);
    }
}

std::span<const std::uint8_t> VirtualMouse::ReportDescriptor() {
    return kReportDescriptor;
}

void VirtualMouse::LogLocked(const std::string& event, std::span<const std::uint8_t> bytes) {
    if (!log_.is_open()) {
        return;
    }
    log_ << MillisecondsSinceStart() << ' ' << event;
    if (!bytes.empty()) {
        log_ << ' ' << HexBytes(bytes);
    }
    log_ << '\n' << std::flush;
}

bool VirtualMouse::TakeFeature(std::span<const std::uint8_t> report) {
    const std::lock_guard lock(mutex_);
    if (!state_.plugged) {
        return false;
    }
    LogLocked("set", report);
    if (ByteAt(report, 0) != kFeatureReportId) {
        return true;
    }
    const auto b = [&](std::size_t index) { return ByteAt(report, index); };
    switch (static_cast<FeatureCommand>(b(1))) {
        case FeatureCommand::DpiLevel: {
            const int level = b(2) - kDpiLevelBase;
            if (level >= 0 && level < kDpiLevels) {
                state_.dpiLevel = static_cast<std::uint8_t>(level);
            }
            const int slot = (b(3) & 0x0F) - kDpiLevelCodeBase;
            if (slot >= 0 && slot < kDpiLevels) {
                state_.dpiValueCodes[static_cast<std::size_t>(slot)] =
                    static_cast<std::uint8_t>(b(3) >> 4);
            }
            state_.dpiEnableMask = b(4);
            break;
        }
        case FeatureCommand::ButtonFunction:
            if (b(2) >= 1 && b(2) <= kButtons) {
                state_.deviceCodes[b(2)] = b(3);
            }
            break;
        case FeatureCommand::Wheel:
            state_.wheel = b(2);
            break;
        case FeatureCommand::RapidFire:
            state_.rapidFire = static_cast<std::uint16_t>(b(2) << 8 | b(3));
            break;
        case FeatureCommand::Lighting:
            state_.lighting = b(3);
            break;
        case FeatureCommand::HeldKeys:
            for (std::size_t slot = 0; slot < state_.heldKeys.size(); ++slot) {
                state_.heldKeys[slot] = b(2 + slot);
            }
            break;
        case FeatureCommand::HeldButtons:
            state_.heldButtons = b(3);
            break;
        case FeatureCommand::ConsumerKey:
            state_.consumerUsage = static_cast<std::uint16_t>(b(2) << 8 | b(3));
            break;
        case FeatureCommand::Exit:
            break;
    }
    return true;
}

std::vector<std::uint8_t> VirtualMouse::ButtonReport(int button, std::uint8_t value) const {
    std::vector<std::uint8_t> report(kReportLength, 0);
    report[0] = kInputReportId;
    report[1] = static_cast<std::uint8_t>(kButtonEventBase + button);
    report[2] = value;
    return report;
}

void VirtualMouse::Press(int button) {
    const std::lock_guard lock(mutex_);
    if (!state_.plugged || button < 1 || button > kButtons) {
        return;
    }
    std::uint8_t& level = state_.dpiLevel;
    const std::uint8_t mask = state_.dpiEnableMask;
    switch (static_cast<DeviceCode>(state_.deviceCodes[static_cast<std::size_t>(button)])) {
        case DeviceCode::Program:
            SendLocked(ButtonReport(button, 0));
            break;
        case DeviceCode::DpiCycle:
            level = NextLevel(level, mask, +1, true);
            SendLocked(ButtonReport(button, level));
            break;
        case DeviceCode::DpiUp:
            level = NextLevel(level, mask, +1, false);
            SendLocked(ButtonReport(button, level));
            break;
        case DeviceCode::DpiDown:
            level = NextLevel(level, mask, -1, false);
            SendLocked(ButtonReport(button, level));
            break;
        case DeviceCode::ReportRate:
            state_.reportRate = static_cast<std::uint8_t>((state_.reportRate + 1) % kReportRates);
            SendLocked(ButtonReport(button, 0));
            break;
    }
}

void VirtualMouse::Release(int button) {
    const std::lock_guard lock(mutex_);
    if (!state_.plugged || button < 1 || button > kButtons) {
        return;
    }
    switch (static_cast<DeviceCode>(state_.deviceCodes[static_cast<std::size_t>(button)])) {
        case DeviceCode::Program:
        case DeviceCode::DpiCycle:
        case DeviceCode::DpiUp:
        case DeviceCode::DpiDown:
        case DeviceCode::ReportRate:
            SendLocked(ButtonReport(button, kReleaseValue));
            break;
    }
}

void VirtualMouse::SendInput(std::span<const std::uint8_t> report) {
    const std::lock_guard lock(mutex_);
    if (state_.plugged) {
        SendLocked(std::vector<std::uint8_t>(report.begin(), report.end()));
    }
}

void VirtualMouse::SendLocked(std::vector<std::uint8_t> report) {
    LogLocked("input", report);
    std::erase_if(readers_, [](const Reader& reader) { return reader.queue.expired(); });
    for (const Reader& reader : readers_) {
        const std::shared_ptr<VirtualInputQueue> queue = reader.queue.lock();
        if (queue != nullptr && reader.receivesReports) {
            queue->Push(report);
        }
    }
}

void VirtualMouse::Unplug() {
    std::vector<std::string> paths;
    std::vector<DeviceChangeCallback> watches;
    {
        const std::lock_guard lock(mutex_);
        if (!state_.plugged) {
            return;
        }
        state_.plugged = false;
        LogLocked("unplug", {});
        for (const Reader& reader : readers_) {
            if (const std::shared_ptr<VirtualInputQueue> queue = reader.queue.lock()) {
                queue->Close();
            }
        }
        readers_.clear();
        paths = interfacePaths_;
        for (const auto& [id, watch] : watches_) {
            watches.push_back(watch);
        }
    }
    // Outside the lock: a handler may call back into the mouse.
    for (const DeviceChangeCallback& watch : watches) {
        for (const std::string& path : paths) {
            watch({DeviceChangeEvent::RemoveComplete, DeviceChangeKind::Interface, path});
        }
    }
}

VirtualMouseState VirtualMouse::State() const {
    const std::lock_guard lock(mutex_);
    return state_;
}

bool VirtualMouse::Plugged() const {
    const std::lock_guard lock(mutex_);
    return state_.plugged;
}

std::shared_ptr<VirtualInputQueue> VirtualMouse::OpenQueue(bool receivesReports) {
    auto queue = std::make_shared<VirtualInputQueue>();
    const std::lock_guard lock(mutex_);
    if (state_.plugged) {
        readers_.push_back({queue, receivesReports});
    } else {
        queue->Close();
    }
    return queue;
}

void VirtualMouse::SetInterfacePaths(std::vector<std::string> paths) {
    const std::lock_guard lock(mutex_);
    interfacePaths_ = std::move(paths);
}

int VirtualMouse::Watch(DeviceChangeCallback onChange) {
    const std::lock_guard lock(mutex_);
    watches_.emplace(nextWatch_, std::move(onChange));
    return nextWatch_++;
}

void VirtualMouse::Unwatch(int watch) {
    const std::lock_guard lock(mutex_);
    watches_.erase(watch);
}

}  // namespace pelmar
