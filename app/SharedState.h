#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>

#include "app/Model.h"
#include "macro/MacroStore.h"
#include "platform/hid/HidCaps.h"
#include "platform/hid/HidHandle.h"
#include "profile/Profile.h"
#include "profile/SharedField.h"
#include "skin/SkinLayout.h"

namespace pelmar {

class HidDevice;

inline constexpr std::size_t kReportBufferSize = 256;
inline constexpr std::size_t kHeldKeySlots = 6;
inline constexpr std::uint8_t kNoButtonsHeld = 0xFF;
// A hot index or button that names no area of a page.
inline constexpr std::int32_t kNoArea = 255;

// Pages of the main window.
enum class Page : std::uint8_t { Main = 0, Advanced = 1, Colour = 2 };

// The program's process-wide working state. One instance exists
// (sharedState); the user-interface, listener and player threads all use it.
// Widgets live on the user-interface side and are not part of this block.
struct SharedState {
    // Device identity, constants of the build.
    static constexpr std::int32_t vendorId = 0x18F8;
    static constexpr std::int32_t productId = 0x1286;
    // The mouse's own number of each button, by button index. Index 3 is
    // button number 5 and index 4 is button number 4.
    static constexpr std::array<std::uint8_t, kButtonCount> buttonNumbers{1, 2, 3, 5, 4, 6};

    const Model* model = &ModelA();

    // Device link, filled by discovery.
    std::uint8_t deviceConnected = 0;
    std::string devicePath;
    HidCaps readCaps;
    HidCaps writeCaps;
    // Published by discovery while the listener already runs; readCaps is
    // stored before readHandle, writeCaps and writeHandle under reportMutex.
    HidHandle readHandle;
    HidHandle writeHandle;
    // The one buffer every feature report is sent from; reportMutex is held
    // while a report is filled and sent, whichever thread sends it.
    std::array<std::uint8_t, kReportBufferSize> reportBuffer{};
    std::mutex reportMutex;
    std::array<std::uint8_t, kReportBufferSize> inputReport{};

    // Input the program injects through the mouse (active-low button bits:
    // bit 0 left, bit 1 right, bit 2 middle).
    std::uint8_t injectedButtons = kNoButtonsHeld;
    std::array<std::uint8_t, kHeldKeySlots> heldKeys{};

    // Trigger handshake between listener and player. Only the listener sets
    // the flags to 1 and only the player (and start-up) clears them; the code
    // is stored before macroPlaying is raised.
    std::atomic<std::int32_t> macroPlaying{0};
    std::atomic<std::uint8_t> macroTrigger{0};
    // Byte 2 of the accepted press (for a DPI button the level the mouse
    // switched to), kept with macroTrigger so a later report cannot change it
    // before the player reads it.
    std::atomic<std::uint8_t> macroTriggerLevel{0};
    std::atomic<std::int32_t> macroStop{0};
    // Lets the idle player wait for the handshake without polling: whoever
    // stores 1 into macroPlaying or macroStop calls WakePlayer() right after.
    std::atomic<std::uint32_t> playerWake{0};
    void WakePlayer() {
        playerWake.fetch_add(1);
        playerWake.notify_all();
    }

    // Settings in memory. profileMutex is held while the buffer is moved to
    // or from the settings file or switched to another profile, and while the
    // player stores a change the mouse made and saves it, so that the change
    // lands in the profile it was made for and the file and the buffer agree.
    Profile profile;
    SharedField<std::int32_t> currentProfileNumber = 0;
    std::mutex profileMutex;
    std::int32_t languageEnglish = 0;

    // The user and built-in macros and the macro selected in the macro list.
    MacroStore macros;

    // Derived when the profile is applied.
    std::array<std::uint8_t, kDpiLevelCount> dpiValueCode{};
    // The player reads reportsDpiLevel and reportsUsbStep, the lighting
    // preview appliedLedStatus.
    SharedArray<std::int32_t, kButtonCount> reportsDpiLevel{};
    SharedArray<std::int32_t, kButtonCount> reportsUsbStep{};
    SharedField<std::uint8_t> appliedLedStatus = 0;

    // Paths; folders carry no trailing separator.
    std::filesystem::path programFolder;
    std::filesystem::path configPath;
    std::filesystem::path skinFolder;
    std::filesystem::path maskPath;
    std::filesystem::path macroFilePath;

    // User-interface state (user-interface thread only; the lighting preview
    // reads currentPage).
    SharedField<Page> currentPage = Page::Main;
    std::uint8_t popupOpen = 0;
    std::int32_t assignTarget = 0;
    std::array<std::int32_t, 2> popupPosition{};
    std::uint8_t popupCloseRequest = 0;
    std::int32_t selectedEventLine = 0;

    // Hover and press state of the pages (user-interface thread): the area
    // under the pointer in each page's table, kNoArea for none, and whether
    // the left button went down on an area.
    std::int32_t mainHot = kNoArea;
    std::int32_t colourHot = kNoArea;
    std::int32_t advancedHot = kNoArea;
    std::uint8_t buttonDown = 0;

    // The colour page's lighting preview, written by its thread and read by
    // the paint: the colour shown (0 to 3), the unlit look, and whether the
    // thread runs.
    std::atomic<std::int32_t> previewColour{0};
    std::atomic<bool> previewDark{false};
    std::atomic<bool> previewRunning{false};

    // Macro recording on the advanced page (user-interface thread): whether
    // a recording runs and how many press and release events it has taken.
    bool recording = false;
    std::int32_t recordedPresses = 0;
    std::int32_t recordedReleases = 0;

    // The layout files of the current language: the three page tables, the
    // function names, the advanced page's control placements and the warning
    // table. Filled by the skin loaders at start-up and on a language switch.
    SkinLayout skin;
};

extern SharedState sharedState;

}  // namespace pelmar
