#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pelmar {

// How one read of an input report ended.
enum class ReadStatus : std::uint8_t {
    Report,  // a report was read
    Woken,   // Wake() was called; no report
    Failed,  // the device is gone or the read failed
};

struct ReadResult {
    ReadStatus status = ReadStatus::Failed;
    std::size_t size = 0;  // bytes of the report, its identifier byte included
};

// One opened top-level collection of a HID device.
class HidDevice {
  public:
    virtual ~HidDevice() = default;

    // Blocks until an input report of this collection arrives and copies it
    // into buffer, identifier byte first (0 for a device without report
    // identifiers); a longer report is cut to the buffer.
    virtual ReadResult Read(std::span<std::uint8_t> buffer) = 0;

    // Makes the blocked Read, or the next one when none is blocked, return
    // ReadStatus::Woken. Callable from any thread.
    virtual void Wake() = 0;

    // Sends a feature report; report[0] is its identifier.
    virtual bool SendFeature(std::span<const std::uint8_t> report) = 0;
};

}  // namespace pelmar
