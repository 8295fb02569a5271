#include "platform/hid/HidrawDevice.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <array>
#include <cerrno>

namespace pelmar {

namespace {

// Longest report the kernel hands over in one read.
constexpr std::size_t kMaxReportSize = 4096;

}  // namespace

HidrawDevice::HidrawDevice(FileDescriptor fd, EventFd wake, InputReportFilter filter)
    : fd_(std::move(fd)), wake_(std::move(wake)), filter_(std::move(filter)) {}

std::shared_ptr<HidrawDevice> HidrawDevice::Open(const std::string& path, HidAccess access,
                                                 InputReportFilter filter) {
    const int flags = (access == HidAccess::Read ? O_RDONLY : O_WRONLY) | O_CLOEXEC;
    FileDescriptor fd(::open(path.c_str(), flags));
    if (!fd.valid()) {
        return nullptr;
    }
    return FromDescriptor(std::move(fd), std::move(filter));
}

std::shared_ptr<HidrawDevice> HidrawDevice::FromDescriptor(FileDescriptor fd,
                                                           InputReportFilter filter) {
    std::optional<EventFd> wake = EventFd::Create();
    if (!wake.has_value() || !fd.valid()) {
        return nullptr;
    }
    return std::make_shared<HidrawDevice>(std::move(fd), std::move(*wake), std::move(filter));
}

bool HidrawDevice::Accepts(std::span<const std::uint8_t> report) const {
    if (!filter_.numberedReports) {
        return true;
    }
    return !report.empty() && std::binary_search(filter_.inputReportIds.begin(),
                                                 filter_.inputReportIds.end(), report[0]);
}

ReadResult HidrawDevice::Read(std::span<std::uint8_t> buffer) {
    std::array<std::uint8_t, kMaxReportSize> report{};
    for (;;) {
        std::array<pollfd, 2> waits{pollfd{fd_.get(), POLLIN, 0}, pollfd{wake_.fd(), POLLIN, 0}};
        if (::poll(waits.data(), waits.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {ReadStatus::Failed, 0};
        }
        if ((waits[1].revents & POLLIN) != 0 && wake_.Consume()) {
            return {ReadStatus::Woken, 0};
        }
        if ((waits[0].revents & POLLIN) == 0) {
            if ((waits[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
                return {ReadStatus::Failed, 0};
            }
            continue;
        }
        const ssize_t got = ::read(fd_.get(), report.data(), report.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return {ReadStatus::Failed, 0};
        }
        const std::span<const std::uint8_t> received(report.data(), static_cast<std::size_t>(got));
        if (!Accepts(received)) {
            continue;
        }
        std::size_t size = 0;
        if (!filter_.numberedReports && !buffer.empty()) {
            buffer[size++] = 0;
        }
        const std::size_t copied = std::min(received.size(), buffer.size() - size);
        std::copy_n(received.begin(), copied, buffer.begin() + static_cast<std::ptrdiff_t>(size));
        return {ReadStatus::Report, size + copied};
    }
}

void HidrawDevice::Wake() {
    wake_.Signal();
}

bool HidrawDevice::SendFeature(std::span<const std::uint8_t> report) {
    std::vector<std::uint8_t> copy(report.begin(), report.end());
    return !copy.empty() && ::ioctl(fd_.get(), HIDIOCSFEATURE(copy.size()), copy.data()) >= 0;
}

}  // namespace pelmar
