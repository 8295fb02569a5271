#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "platform/hid/DeviceChange.h"
#include "platform/hid/HidDevice.h"

namespace pelmar {

// The state a virtual mouse keeps from the feature reports it takes.
struct VirtualMouseState {
    std::array<std::uint8_t, 7> deviceCodes{};  // by button number 1 to 6; entry 0 unused
    std::array<std::uint8_t, 4> dpiValueCodes{};
    std::uint8_t dpiEnableMask = 0;
    std::uint8_t dpiLevel = 0;
    std::uint8_t wheel = 0;
    std::uint8_t lighting = 0;  // byte 3 of the lighting report: 0x10 + lighting code
    std::uint16_t rapidFire = 0;
    std::uint8_t reportRate = 0;  // 0 to 3, stepped by the report-rate button
    std::array<std::uint8_t, 6> heldKeys{};
    std::uint8_t heldButtons = 0xFF;
    std::uint16_t consumerUsage = 0;
    bool plugged = true;
};

// Input reports waiting for one reader of the vendor input collection.
class VirtualInputQueue {
  public:
    void Push(std::vector<std::uint8_t> report);
    ReadResult Pop(std::span<std::uint8_t> buffer);
    void Wake();
    void Close();

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<std::uint8_t>> reports_;
    bool woken_ = false;
    bool closed_ = false;
};

// An emulated mouse with the real one's identifiers and collections. It takes
// the program's feature reports, keeps the state they describe, performs its
// own DPI and report-rate switching and sends an input report for each press
// and release of a button the program must know about. Every event can be
// appended to a log. Thread-safe.
class VirtualMouse {
  public:
    static constexpr std::uint16_t kVendorId = 0x18F8;
    static constexpr std::uint16_t kProductId = 0x1286;
    static constexpr std::uint8_t kInputReportId = 6;
    static constexpr std::size_t kReportLength = 8;
    static constexpr int kButtons = 6;

    // With a log path, events are appended to that file, one flushed line each.
    explicit VirtualMouse(const std::filesystem::path& logPath = {});

    static std::span<const std::uint8_t> ReportDescriptor();

    // Takes a feature report; false once unplugged.
    bool TakeFeature(std::span<const std::uint8_t> report);
    // Button numbers 1 to 6; others and anything after unplugging do nothing.
    void Press(int button);
    void Release(int button);
    // Sends an input report as it is.
    void SendInput(std::span<const std::uint8_t> report);
    // From now on reads and writes fail; raises the removal notification for
    // every interface path given to SetInterfacePaths.
    void Unplug();

    [[nodiscard]] VirtualMouseState State() const;
    [[nodiscard]] bool Plugged() const;

    // A queue for one opened collection: closed by the unplug, and given
    // every input report sent from now on when it is the vendor input
    // collection's.
    [[nodiscard]] std::shared_ptr<VirtualInputQueue> OpenQueue(bool receivesReports);

    void SetInterfacePaths(std::vector<std::string> paths);
    // Calls onChange for the unplug; the returned number ends it with Unwatch.
    int Watch(DeviceChangeCallback onChange);
    void Unwatch(int watch);

  private:
    std::vector<std::uint8_t> ButtonReport(int button, std::uint8_t value) const;
    void SendLocked(std::vector<std::uint8_t> report);
    void LogLocked(const std::string& event, std::span<const std::uint8_t> bytes);

    mutable std::mutex mutex_;
    VirtualMouseState state_;
    std::ofstream log_;
    struct Reader {
        std::weak_ptr<VirtualInputQueue> queue;
        bool receivesReports;
    };
    std::vector<Reader> readers_;
    std::vector<std::string> interfacePaths_;
    std::map<int, DeviceChangeCallback> watches_;
    int nextWatch_ = 0;
};

// Formats bytes as two-digit lowercase hex separated by single spaces.
std::string HexBytes(std::span<const std::uint8_t> bytes);

}  // namespace pelmar
