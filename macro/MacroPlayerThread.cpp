#include "macro/MacroPlayerThread.h"

#include <algorithm>
#include <atomic>
#include <chrono>

#include "app/Notifier.h"
#include "device/FeatureReports.h"
#include "device/InputListener.h"
#include "platform/system/ThreadPriority.h"
#include "profile/FunctionCodes.h"
#include "profile/ProfileStore.h"

namespace pelmar {

namespace {

constexpr std::uint8_t kLastReportRateStep = 3;  // the report rate steps 0, 1, 2, 3, 0, ...

// How many passes one trigger of a user macro makes.
int UserMacroPasses(const MacroRecord& record, std::int32_t macroMode2) {
    if (macroMode2 != 0) {
        return kLoopModePasses;
    }
    return record.repeatOn == 0 ? 1 : record.repeatCount;
}

}  // namespace

MacroPlayerThread::MacroPlayerThread(SharedState& state, PlayerClock& clock,
                                     ProgramLauncher& launcher)
    : state_(state), clock_(clock), launcher_(launcher) {}

MacroPlayerThread::~MacroPlayerThread() {
    Stop();
}

void MacroPlayerThread::Start() {
    if (thread_.joinable() || stopping_) {
        return;
    }
    thread_ = std::thread([this] {
        RaiseCurrentThreadPriority();
        Run();
    });
}

void MacroPlayerThread::Stop() {
    stopping_ = true;
    clock_.Interrupt();
    state_.WakePlayer();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void MacroPlayerThread::Run() {
    for (;;) {
        // Taken before the flags are looked at, so a wake-up that follows the look ends the
        // wait below at once.
        const std::uint32_t seen = state_.playerWake.load();
        if (stopping_) {
            return;
        }
        if (state_.macroPlaying == 0) {
            // A stop request that arrives while nothing plays is discarded.
            state_.macroStop = 0;
            state_.playerWake.wait(seen);
            continue;
        }
        PerformTrigger();
        // The stop request is cleared first, so one that belongs to a press accepted right
        // after the cycle is never lost.
        state_.macroStop = 0;
        state_.macroPlaying = 0;
    }
}

void MacroPlayerThread::PerformTrigger() {
    const std::uint8_t trigger = state_.macroTrigger;
    for (std::size_t button = 0; button < kButtonCount; ++button) {
        if (trigger != kButtonEventBase + SharedState::buttonNumbers[button]) {
            continue;
        }
        FollowDeviceChanges(button);
        PerformFunction(state_.profile.buttonFunction[button]);
    }
}

void MacroPlayerThread::FollowDeviceChanges(std::size_t button) {
    Profile& profile = state_.profile;
    if (state_.reportsDpiLevel[button] != 0) {
        {
            // The user-interface thread may be switching to another profile.
            const std::lock_guard lock(state_.profileMutex);
            profile.dpiLevel = state_.macroTriggerLevel.load();
            static_cast<void>(
                SaveDpiLevel(profile, state_.configPath, state_.currentProfileNumber));
        }
        notifier.RequestRepaint();
    }
    if (state_.reportsUsbStep[button] != 0) {
        {
            const std::lock_guard lock(state_.profileMutex);
            const std::uint8_t step = profile.usbSpeed;
            profile.usbSpeed =
                step == kLastReportRateStep ? 0 : static_cast<std::uint8_t>(step + 1);
            static_cast<void>(
                SaveUsbSpeed(profile, state_.configPath, state_.currentProfileNumber));
        }
        notifier.RequestRepaint();
    }
}

void MacroPlayerThread::PerformFunction(std::int32_t function) {
    const FunctionInfo info = DescribeFunction(function);
    switch (info.kind) {
        case FunctionKind::MultimediaKey:
            SendConsumerKey(state_, info.consumerUsage);
            break;
        case FunctionKind::BuiltInMacro:
            if (const auto record = TakeMacro(state_.macros.builtIn, info.tableIndex)) {
                PlayMacro(*record, 1);
            }
            break;
        case FunctionKind::UserMacro:
            if (const auto record = TakeMacro(state_.macros.user, info.tableIndex)) {
                PlayMacro(*record, UserMacroPasses(*record, state_.profile.macroMode2));
            }
            break;
        case FunctionKind::Calculator:
            launcher_.Start(DesktopProgram::Calculator);
            break;
        case FunctionKind::Terminal:
            launcher_.Start(DesktopProgram::Terminal);
            break;
        case FunctionKind::None:
        case FunctionKind::MouseFunction:
            break;
    }
}

template <typename Table>
std::optional<MacroRecord> MacroPlayerThread::TakeMacro(const Table& table, int index) const {
    const std::lock_guard lock(state_.macros.mutex);
    if (index < 0 || index >= table.count) {
        return std::nullopt;
    }
    return table.records[static_cast<std::size_t>(index)];
}

void MacroPlayerThread::PlayMacro(const MacroRecord& record, int passes) {
    const std::chrono::milliseconds minimumDelay = state_.model->minimumEventDelay;
    // Each delay starts once its report has gone out, so the mouse always gets at least the
    // stored delay between two reports, however long a report took to send.
    const auto wait = [this](std::chrono::milliseconds delay) {
        clock_.SleepUntil(clock_.Now() + delay);
    };
    for (int pass = 0; pass < passes; ++pass) {
        for (std::size_t k = 0; k < record.eventCount && !stopping_; ++k) {
            SendKeyEvent(state_, record.events[k].code, record.events[k].action);
            wait(std::max(std::chrono::milliseconds(record.delays[k]), minimumDelay));
        }
        ReleaseAllInputs(state_, wait);
        if (state_.macroStop != 0 || stopping_) {
            return;
        }
    }
}

}  // namespace pelmar
