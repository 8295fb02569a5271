#pragma once

#include <mutex>
#include <vector>

#include "platform/system/ProgramLauncher.h"

namespace pelmar::test {

// A launcher that only notes which programs it was asked to start.
class RecordingLauncher final : public ProgramLauncher {
  public:
    void Start(DesktopProgram program) override {
        const std::lock_guard lock(mutex_);
        started_.push_back(program);
    }

    std::vector<DesktopProgram> Started() const {
        const std::lock_guard lock(mutex_);
        return started_;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<DesktopProgram> started_;
};

}  // namespace pelmar::test
