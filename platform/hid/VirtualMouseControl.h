#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <variant>
#include <vector>

#include "platform/hid/EventFd.h"
#include "platform/hid/FileDescriptor.h"
#include "platform/hid/VirtualMouse.h"

namespace pelmar {

// Commands of the virtual mouse's control channel, one per line.
struct PressCommand {
    int button;
};
struct ReleaseCommand {
    int button;
};
struct ClickCommand {  // press, 50 ms, release
    int button;
};
struct ReportCommand {  // an input report sent as it is
    std::vector<std::uint8_t> bytes;
};
struct UnplugCommand {};
using ControlCommand =
    std::variant<PressCommand, ReleaseCommand, ClickCommand, ReportCommand, UnplugCommand>;

// Parses one line ("press 3", "report 06 f3 00"); nothing for a line that is
// not a command. Button numbers must be 1 to 6.
[[nodiscard]] std::optional<ControlCommand> ParseControlCommand(std::string_view line);

// Reads commands from a named pipe for a virtual mouse, on a thread of its
// own, from any number of successive writers, until destroyed. Unknown lines
// are reported on standard error and ignored.
class VirtualMouseControl {
  public:
    // Creates the pipe when absent; nothing when it cannot be made or opened.
    [[nodiscard]] static std::unique_ptr<VirtualMouseControl> Start(
        std::shared_ptr<VirtualMouse> mouse, const std::filesystem::path& path,
        std::string* error = nullptr);
    ~VirtualMouseControl();
    VirtualMouseControl(const VirtualMouseControl&) = delete;
    VirtualMouseControl& operator=(const VirtualMouseControl&) = delete;

    VirtualMouseControl(std::shared_ptr<VirtualMouse> mouse, FileDescriptor reader,
                        FileDescriptor keepOpen, EventFd stop);

  private:
    void Run();
    void Perform(std::string_view line);
    // Waits, or returns false early when the control is being stopped.
    bool Wait(int milliseconds);

    std::shared_ptr<VirtualMouse> mouse_;
    FileDescriptor reader_;
    // Our own writer end, so the pipe never reports end of file between two
    // writers.
    FileDescriptor keepOpen_;
    EventFd stop_;
    std::thread thread_;
};

}  // namespace pelmar
