#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/hid/EventFd.h"
#include "platform/hid/FileDescriptor.h"
#include "platform/hid/HidBackend.h"
#include "platform/hid/HidDevice.h"

namespace pelmar {

// Which of a hidraw node's input reports belong to one collection.
struct InputReportFilter {
    bool numberedReports = false;
    std::vector<std::uint8_t> inputReportIds;  // used when numberedReports
};

// One collection of a hidraw node. The node delivers the input reports of
// every collection; Read passes on only this collection's, and for a device
// without report identifiers puts the 0 identifier byte in front.
class HidrawDevice final : public HidDevice {
  public:
    // Opens the node at path, or gives nullptr when that fails.
    [[nodiscard]] static std::shared_ptr<HidrawDevice> Open(const std::string& path,
                                                            HidAccess access,
                                                            InputReportFilter filter);
    // Uses an open descriptor that delivers one report per read.
    [[nodiscard]] static std::shared_ptr<HidrawDevice> FromDescriptor(FileDescriptor fd,
                                                                      InputReportFilter filter);

    ReadResult Read(std::span<std::uint8_t> buffer) override;
    void Wake() override;
    bool SendFeature(std::span<const std::uint8_t> report) override;

    HidrawDevice(FileDescriptor fd, EventFd wake, InputReportFilter filter);

  private:
    bool Accepts(std::span<const std::uint8_t> report) const;

    FileDescriptor fd_;
    EventFd wake_;
    InputReportFilter filter_;
};

}  // namespace pelmar
