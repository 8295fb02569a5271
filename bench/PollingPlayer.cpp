#include "bench/PollingPlayer.h"

#include <chrono>

#include "device/FeatureReports.h"
#include "device/InputListener.h"
#include "platform/system/ThreadPriority.h"
#include "profile/FunctionCodes.h"

namespace pelmar::bench {

namespace {

constexpr std::chrono::milliseconds kPollInterval{2};

}  // namespace

PollingPlayer::PollingPlayer(SharedState& state) : state_(state) {
    thread_ = std::thread([this] {
        RaiseCurrentThreadPriority();
        Run();
    });
}

PollingPlayer::~PollingPlayer() {
    stopping_ = true;
    thread_.join();
}

void PollingPlayer::Run() {
    while (!stopping_) {
        if (state_.macroPlaying != 0) {
            const std::uint8_t trigger = state_.macroTrigger;
            for (std::size_t button = 0; button < kButtonCount; ++button) {
                if (trigger == kButtonEventBase + SharedState::buttonNumbers[button] &&
                    state_.profile.buttonFunction[button] == kFirstUserMacroCode) {
                    const MacroEvent event = state_.macros.user.records[0].events[0];
                    SendKeyEvent(state_, event.code, event.action);
                }
            }
            state_.macroStop = 0;
            state_.macroPlaying = 0;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

}  // namespace pelmar::bench
