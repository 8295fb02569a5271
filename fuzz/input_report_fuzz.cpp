// Feeds a sequence of arbitrary input reports to the listener's handling and
// checks the handshake rules after each: the flags stay 0 or 1, only go from 0
// to 1 (the player, simulated here by a control bit, clears them), and a press
// that raises macroPlaying is a button event whose code and byte 2 were kept.
//
// Input layout: byte 0 picks the model (bit 0) and the trigger mode (bits 1
// and 2: 0, 1, 2 or 255). Then each report is a control byte, whose low four
// bits give its length (at most 15) and whose bit 7 clears the flags first,
// followed by the report's bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "app/SharedState.h"
#include "device/InputListener.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    static constexpr std::array<std::int32_t, 4> kModes{0, 1, 2, 255};
    pelmar::SharedState state;
    state.model = (data[0] & 1) != 0 ? &pelmar::ModelB() : &pelmar::ModelA();
    state.profile.macroMode2 = kModes[(data[0] >> 1) & 3];
    std::size_t at = 1;
    while (at < size) {
        const std::uint8_t control = data[at++];
        if ((control & 0x80) != 0) {
            state.macroPlaying = 0;
            state.macroStop = 0;
        }
        const std::size_t length = std::min<std::size_t>(control & 0x0F, size - at);
        const std::span<const std::uint8_t> report(data + at, length);
        at += length;

        const std::int32_t playing = state.macroPlaying;
        const std::int32_t stop = state.macroStop;
        pelmar::HandleInputReport(state, report);
        const std::int32_t playingAfter = state.macroPlaying;
        const std::int32_t stopAfter = state.macroStop;
        if (playingAfter < playing || stopAfter < stop || playingAfter > 1 || stopAfter > 1) {
            std::abort();
        }
        if (playing == 0 && playingAfter == 1) {
            const bool identified =
                !state.model->inputReportId || report[0] == *state.model->inputReportId;
            const std::uint8_t value = report.size() > 2 ? report[2] : 0;
            if (report.size() < 2 || !identified || report[1] <= pelmar::kButtonEventBase ||
                value == pelmar::kReleaseMarker || state.macroTrigger != report[1] ||
                state.macroTriggerLevel != value) {
                std::abort();
            }
        }
    }
    return 0;
}
