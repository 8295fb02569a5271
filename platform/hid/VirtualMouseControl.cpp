#include "platform/hid/VirtualMouseControl.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace pelmar {

namespace {

constexpr int kClickMilliseconds = 50;
// A line longer than this is not a command; it is dropped up to its end.
constexpr std::size_t kMaxLine = 4096;

enum class Verb { Press, Release, Click, Report, Unplug };

struct VerbName {
    std::string_view name;
    Verb verb;
};
constexpr std::array kVerbs{
    VerbName{"press", Verb::Press},   VerbName{"release", Verb::Release},
    VerbName{"click", Verb::Click},   VerbName{"report", Verb::Report},
    VerbName{"unplug", Verb::Unplug},
};

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t start = line.find_first_not_of(" \t\r", at);
        if (start == std::string_view::npos) {
            break;
        }
        const std::size_t end = std::min(line.find_first_of(" \t\r", start), line.size());
        words.push_back(line.substr(start, end - start));
        at = end;
    }
    return words;
}

std::optional<int> Button(std::string_view word) {
    int button = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), button);
    if (error != std::errc() || end != word.data() + word.size() || button < 1 ||
        button > VirtualMouse::kButtons) {
        return std::nullopt;
    }
    return button;
}

std::optional<std::uint8_t> HexByte(std::string_view word) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, 16);
    if (word.empty() || word.size() > 2 || error != std::errc() ||
        end != word.data() + word.size()) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

}  // namespace

std::optional<ControlCommand> ParseControlCommand(std::string_view line) {
    const std::vector<std::string_view> words = Words(line);
    if (words.empty()) {
        return std::nullopt;
    }
    const VerbName* verb = nullptr;
    for (const VerbName& candidate : kVerbs) {
        if (candidate.name == words[0]) {
            verb = &candidate;
        }
    }
    if (verb == nullptr) {
        return std::nullopt;
    }
    switch (verb->verb) {
        case Verb::Press:
        case Verb::Release:
        case Verb::Click: {
            const std::optional<int> button = words.size() == 2 ? Button(words[1]) : std::nullopt;
            if (!button.has_value()) {
                return std::nullopt;
            }
            if (verb->verb == Verb::Press) {
                return PressCommand{*button};
            }
            if (verb->verb == Verb::Release) {
                return ReleaseCommand{*button};
            }
            return ClickCommand{*button};
        }
        case Verb::Report: {
            ReportCommand report;
            for (std::size_t i = 1; i < words.size(); ++i) {
                const std::optional<std::uint8_t> byte = HexByte(words[i]);
                if (!byte.has_value()) {
                    return std::nullopt;
                }
                report.bytes.push_back(*byte);
            }
            if (report.bytes.empty()) {
                return std::nullopt;
            }
            return report;
        }
        case Verb::Unplug:
            if (words.size() != 1) {
                return std::nullopt;
            }
            return UnplugCommand{};
    }
    return std::nullopt;
}

std::unique_ptr<VirtualMouseControl> VirtualMouseControl::Start(std::shared_ptr<VirtualMouse> mouse,
                                                                const std::filesystem::path& path,
                                                                std::string* error) {
    const auto fail = [&](const std::string& what) -> std::unique_ptr<VirtualMouseControl> {
        if (error != nullptr) {
            *error = what + " " + path.string() + ": " + std::strerror(errno);
        }
        return nullptr;
    };
    if (::mkfifo(path.c_str(), 0600) != 0 && errno != EEXIST) {
        return fail("cannot create the control pipe");
    }
    FileDescriptor reader(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!reader.valid()) {
        return fail("cannot open the control pipe");
    }
    FileDescriptor keepOpen(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    std::optional<EventFd> stop = EventFd::Create();
    if (!keepOpen.valid() || !stop.has_value()) {
        return fail("cannot open the control pipe");
    }
    return std::make_unique<VirtualMouseControl>(std::move(mouse), std::move(reader),
                                                 std::move(keepOpen), std::move(*stop));
}

VirtualMouseControl::VirtualMouseControl(std::shared_ptr<VirtualMouse> mouse, FileDescriptor reader,
                                         FileDescriptor keepOpen, EventFd stop)
    : mouse_(std::move(mouse)),
      reader_(std::move(reader)),
      keepOpen_(std::move(keepOpen)),
      stop_(std::move(stop)) {
    thread_ = std::thread([this] { Run(); });
}

VirtualMouseControl::~VirtualMouseControl() {
    stop_.Signal();
    thread_.join();
}

bool VirtualMouseControl::Wait(int milliseconds) {
    pollfd wait{stop_.fd(), POLLIN, 0};
    return ::poll(&wait, 1, milliseconds) == 0;
}

void VirtualMouseControl::Run() {
    std::string pending;
    bool discarding = false;  // inside an overlong line
    std::array<char, 512> chunk{};
    for (;;) {
        std::array<pollfd, 2> waits{pollfd{reader_.get(), POLLIN, 0},
                                    pollfd{stop_.fd(), POLLIN, 0}};
        if (::poll(waits.data(), waits.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if ((waits[1].revents & POLLIN) != 0) {
            return;
        }
        const ssize_t got = ::read(reader_.get(), chunk.data(), chunk.size());
        if (got <= 0) {
            continue;
        }
        pending.append(chunk.data(), static_cast<std::size_t>(got));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
            if (!discarding) {
                Perform(std::string_view(pending).substr(0, end));
            }
            discarding = false;
            pending.erase(0, end + 1);
        }
        if (pending.size() > kMaxLine) {
            pending.clear();
            discarding = true;
        }
    }
}

void VirtualMouseControl::Perform(std::string_view line) {
    const std::optional<ControlCommand> command = ParseControlCommand(line);
    if (!command.has_value()) {
        if (!Words(line).empty()) {
            std::fprintf(stderr, "virtual mouse: unknown command: %.*s\n",
                         static_cast<int>(line.size()), line.data());
        }
        return;
    }
    if (const auto* press = std::get_if<PressCommand>(&*command)) {
        mouse_->Press(press->button);
    } else if (const auto* release = std::get_if<ReleaseCommand>(&*command)) {
        mouse_->Release(release->button);
    } else if (const auto* click = std::get_if<ClickCommand>(&*command)) {
        mouse_->Press(click->button);
        Wait(kClickMilliseconds);
        mouse_->Release(click->button);
    } else if (const auto* report = std::get_if<ReportCommand>(&*command)) {
        mouse_->SendInput(report->bytes);
    } else {
        mouse_->Unplug();
    }
}

}  // namespace pelmar
