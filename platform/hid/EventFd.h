#pragma once

#include <optional>

#include "platform/hid/FileDescriptor.h"

namespace pelmar {

// A wake-up signal that a poll() can wait on. Signals are counted until
// consumed, so a signal given before the wait still ends it.
class EventFd {
  public:
    [[nodiscard]] static std::optional<EventFd> Create();

    void Signal() const;
    // Clears every pending signal; true when there was one.
    bool Consume() const;
    [[nodiscard]] int fd() const { return fd_.get(); }

  private:
    explicit EventFd(FileDescriptor fd) : fd_(std::move(fd)) {}

    FileDescriptor fd_;
};

}  // namespace pelmar
