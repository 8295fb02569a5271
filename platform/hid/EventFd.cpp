#include "platform/hid/EventFd.h"

#include <sys/eventfd.h>

#include <cstdint>

namespace pelmar {

std::optional<EventFd> EventFd::Create() {
    FileDescriptor fd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (!fd.valid()) {
        return std::nullopt;
    }
    return EventFd(std::move(fd));
}

void EventFd::Signal() const {
    const std::uint64_t one = 1;
    static_cast<void>(::write(fd_.get(), &one, sizeof one));
}

bool EventFd::Consume() const {
    std::uint64_t count = 0;
    return ::read(fd_.get(), &count, sizeof count) == static_cast<ssize_t>(sizeof count);
}

}  // namespace pelmar
