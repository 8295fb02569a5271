#include "tests/kernel/UhidDevice.h"

#include <fcntl.h>
#include <linux/input.h>
#include <linux/uhid.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <optional>

namespace pelmar::test {

UhidDevice::UhidDevice(FileDescriptor fd, EventFd stop)
    : fd_(std::move(fd)), stop_(std::move(stop)) {
    thread_ = std::thread([this] { Run(); });
}

std::unique_ptr<UhidDevice> UhidDevice::Create(const UhidIdentity& identity, std::string& error) {
    FileDescriptor fd(::open("/dev/uhid", O_RDWR | O_CLOEXEC));
    if (!fd.valid()) {
        error = std::string("cannot open /dev/uhid: ") + std::strerror(errno);
        return nullptr;
    }
    std::optional<EventFd> stop = EventFd::Create();
    if (!stop.has_value()) {
        error = "cannot create an eventfd";
        return nullptr;
    }
    uhid_event event{};
    event.type = UHID_CREATE2;
    uhid_create2_req& create = event.u.create2;
    std::strncpy(reinterpret_cast<char*>(create.name), identity.name.c_str(),
                 sizeof create.name - 1);
    if (identity.reportDescriptor.size() > sizeof create.rd_data) {
        error = "report descriptor too long for uhid";
        return nullptr;
    }
    std::copy(identity.reportDescriptor.begin(), identity.reportDescriptor.end(), create.rd_data);
    create.rd_size = static_cast<std::uint16_t>(identity.reportDescriptor.size());
    create.bus = BUS_USB;
    create.vendor = identity.vendorId;
    create.product = identity.productId;
    if (::write(fd.get(), &event, sizeof event) != static_cast<ssize_t>(sizeof event)) {
        error = std::string("UHID_CREATE2 failed: ") + std::strerror(errno);
        return nullptr;
    }
    return std::make_unique<UhidDevice>(std::move(fd), std::move(*stop));
}

UhidDevice::~UhidDevice() {
    static_cast<void>(Destroy());
    stop_.Signal();
    thread_.join();
}

bool UhidDevice::Write(const void* event, std::size_t size) {
    return ::write(fd_.get(), event, size) == static_cast<ssize_t>(size);
}

bool UhidDevice::SendInput(std::span<const std::uint8_t> report) {
    uhid_event event{};
    event.type = UHID_INPUT2;
    if (report.size() > sizeof event.u.input2.data) {
        return false;
    }
    std::copy(report.begin(), report.end(), event.u.input2.data);
    event.u.input2.size = static_cast<std::uint16_t>(report.size());
    return Write(&event, sizeof event);
}

bool UhidDevice::Destroy() {
    {
        const std::lock_guard lock(mutex_);
        if (destroyed_) {
            return true;
        }
        destroyed_ = true;
    }
    uhid_event event{};
    event.type = UHID_DESTROY;
    return Write(&event, sizeof event);
}

bool UhidDevice::AwaitFeatures(std::size_t count, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return features_.size() >= count; });
}

std::vector<TakenFeature> UhidDevice::Features() const {
    const std::lock_guard lock(mutex_);
    return features_;
}

bool UhidDevice::Opened() const {
    const std::lock_guard lock(mutex_);
    return opens_ > 0;
}

void UhidDevice::Run() {
    for (;;) {
        std::array<pollfd, 2> waits{pollfd{fd_.get(), POLLIN, 0}, pollfd{stop_.fd(), POLLIN, 0}};
        if (::poll(waits.data(), waits.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if ((waits[1].revents & POLLIN) != 0) {
            return;
        }
        uhid_event event{};
        const ssize_t got = ::read(fd_.get(), &event, sizeof event);
        if (got < 0 && (errno == EINTR || errno == EAGAIN)) {
            continue;
        }
        if (got <= 0) {
            return;
        }
        switch (event.type) {
            case UHID_OPEN:
            case UHID_CLOSE: {
                const std::lock_guard lock(mutex_);
                opens_ += event.type == UHID_OPEN ? 1 : -1;
                break;
            }
            case UHID_SET_REPORT: {
                const uhid_set_report_req& request = event.u.set_report;
                if (request.rtype == UHID_FEATURE_REPORT) {
                    const std::size_t size =
                        std::min<std::size_t>(request.size, sizeof request.data);
                    const std::lock_guard lock(mutex_);
                    features_.push_back({request.rnum, std::vector<std::uint8_t>(
                                                           request.data, request.data + size)});
                }
                changed_.notify_all();
                uhid_event reply{};
                reply.type = UHID_SET_REPORT_REPLY;
                reply.u.set_report_reply.id = request.id;
                reply.u.set_report_reply.err = request.rtype == UHID_FEATURE_REPORT ? 0 : EIO;
                static_cast<void>(Write(&reply, sizeof reply));
                break;
            }
            case UHID_GET_REPORT: {
                uhid_event reply{};
                reply.type = UHID_GET_REPORT_REPLY;
                reply.u.get_report_reply.id = event.u.get_report.id;
                reply.u.get_report_reply.err = EIO;
                static_cast<void>(Write(&reply, sizeof reply));
                break;
            }
            default:
                break;
        }
    }
}

}  // namespace pelmar::test
