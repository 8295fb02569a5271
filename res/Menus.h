#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace pelmar {

// One item of a menu resource: a command, or a submenu when submenu is not empty.
struct MenuItemResource {
    std::string_view text;
    std::int32_t id;  // command identifier; kSubmenuId for an item that opens a submenu
    std::span<const MenuItemResource> submenu;
};

inline constexpr std::int32_t kSubmenuId = -1;

// Menu resources: event-list context menu 154 (English) and 161 (Chinese),
// tray menu 157 (English) and 162 (Chinese). Each is one top-level popup
// whose submenu is the menu shown.
enum class MenuResource : std::int32_t {
    EnglishEventMenu = 154,
    EnglishTrayMenu = 157,
    ChineseEventMenu = 161,
    ChineseTrayMenu = 162,
};

// The top-level popup of a menu resource.
const MenuItemResource& LoadMenuResource(MenuResource resource);

// Commands of the menus.
enum class MenuCommand : std::int32_t {
    ModifyDelay = 32780,
    Delete = 32781,
    ExitDriver = 32800,
    ShowWindow = 32801,
    InsertBeforeLeftDown = 32802,
    InsertBeforeLeftUp = 32803,
    InsertBeforeRightDown = 32804,
    InsertBeforeRightUp = 32805,
    InsertBeforeMiddleDown = 32806,
    InsertBeforeMiddleUp = 32807,
    InsertAfterLeftDown = 32809,
    InsertAfterLeftUp = 32810,
    InsertAfterRightDown = 32811,
    InsertAfterRightUp = 32812,
    InsertAfterMiddleDown = 32813,
    InsertAfterMiddleUp = 32814,
    ChineseInsertBeforeLeftDown = 32817,
    ChineseInsertBeforeLeftUp = 32818,
    ChineseInsertBeforeRightDown = 32820,
    ChineseInsertBeforeRightUp = 32821,
    ChineseInsertBeforeMiddleDown = 32823,
    ChineseInsertBeforeMiddleUp = 32824,
    ChineseInsertAfterLeftDown = 32829,
    ChineseInsertAfterLeftUp = 32830,
    ChineseInsertAfterRightDown = 32831,
    ChineseInsertAfterRightUp = 32832,
    ChineseInsertAfterMiddleDown = 32833,
    ChineseInsertAfterMiddleUp = 32834,
    ChineseModifyDelay = 32835,
    ChineseDelete = 32836,
    ChineseShowWindow = 32837,
    ChineseExitDriver = 32838,
};

// String resource 101: the About item of the system menu.
inline constexpr std::string_view kAboutItemText = "&About Pelmar...";

}  // namespace pelmar
