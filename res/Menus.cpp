#include "res/Menus.h"

#include <array>

namespace pelmar {

namespace {

using Item = MenuItemResource;

constexpr std::int32_t Id(MenuCommand command) {
    return static_cast<std::int32_t>(command);
}

// Labels are used exactly as written, trailing spaces included.

constexpr std::array kEnBeforeLeft{Item{"Down ", Id(MenuCommand::InsertBeforeLeftDown), {}},
                                   Item{"Up", Id(MenuCommand::InsertBeforeLeftUp), {}}};
constexpr std::array kEnBeforeRight{Item{"Down", Id(MenuCommand::InsertBeforeRightDown), {}},
                                    Item{"Up", Id(MenuCommand::InsertBeforeRightUp), {}}};
constexpr std::array kEnBeforeMiddle{Item{"Down", Id(MenuCommand::InsertBeforeMiddleDown), {}},
                                     Item{"Up", Id(MenuCommand::InsertBeforeMiddleUp), {}}};
constexpr std::array kEnAfterLeft{Item{"Down ", Id(MenuCommand::InsertAfterLeftDown), {}},
                                  Item{"Up", Id(MenuCommand::InsertAfterLeftUp), {}}};
constexpr std::array kEnAfterRight{Item{"Down", Id(MenuCommand::InsertAfterRightDown), {}},
                                   Item{"Up", Id(MenuCommand::InsertAfterRightUp), {}}};
constexpr std::array kEnAfterMiddle{Item{"Down", Id(MenuCommand::InsertAfterMiddleDown), {}},
                                    Item{"Up", Id(MenuCommand::InsertAfterMiddleUp), {}}};
constexpr std::array kEnBefore{Item{"Left Button", kSubmenuId, kEnBeforeLeft},
                               Item{"Right Button", kSubmenuId, kEnBeforeRight},
                               Item{"Mid Button", kSubmenuId, kEnBeforeMiddle}};
constexpr std::array kEnAfter{Item{"Left Button", kSubmenuId, kEnAfterLeft},
                              Item{"Right Button", kSubmenuId, kEnAfterRight},
                              Item{"Mid Button", kSubmenuId, kEnAfterMiddle}};
constexpr std::array kEnEventMenu{Item{"Add Forward", kSubmenuId, kEnBefore},
                                  Item{"Add Backward", kSubmenuId, kEnAfter},
                                  Item{"Modify Delay", Id(MenuCommand::ModifyDelay), {}},
                                  Item{"Delete", Id(MenuCommand::Delete), {}}};
constexpr std::array kEnEventTop{Item{"MENU_CN", kSubmenuId, kEnEventMenu}};

constexpr std::array kCnBeforeLeft{Item{"向下    ", Id(MenuCommand::ChineseInsertBeforeLeftDown), {}},
                                   Item{"向上", Id(MenuCommand::ChineseInsertBeforeLeftUp), {}}};
constexpr std::array kCnBeforeRight{
    Item{"向下    ", Id(MenuCommand::ChineseInsertBeforeRightDown), {}},
    Item{"向上", Id(MenuCommand::ChineseInsertBeforeRightUp), {}}};
constexpr std::array kCnBeforeMiddle{
    Item{"向下    ", Id(MenuCommand::ChineseInsertBeforeMiddleDown), {}},
    Item{"向上", Id(MenuCommand::ChineseInsertBeforeMiddleUp), {}}};
constexpr std::array kCnAfterLeft{Item{"向下  ", Id(MenuCommand::ChineseInsertAfterLeftDown), {}},
                                  Item{"向上", Id(MenuCommand::ChineseInsertAfterLeftUp), {}}};
constexpr std::array kCnAfterRight{Item{"向下   ", Id(MenuCommand::ChineseInsertAfterRightDown), {}},
                                   Item{"向上", Id(MenuCommand::ChineseInsertAfterRightUp), {}}};
constexpr std::array kCnAfterMiddle{
    Item{"向下   ", Id(MenuCommand::ChineseInsertAfterMiddleDown), {}},
    Item{"向上", Id(MenuCommand::ChineseInsertAfterMiddleUp), {}}};
constexpr std::array kCnBefore{Item{"左键    ", kSubmenuId, kCnBeforeLeft},
                               Item{"右键", kSubmenuId, kCnBeforeRight},
                               Item{"中键", kSubmenuId, kCnBeforeMiddle}};
constexpr std::array kCnAfter{Item{"左键   ", kSubmenuId, kCnAfterLeft},
                              Item{"右键   ", kSubmenuId, kCnAfterRight},
                              Item{"中键   ", kSubmenuId, kCnAfterMiddle}};
constexpr std::array kCnEventMenu{Item{"项前插入    ", kSubmenuId, kCnBefore},
                                  Item{"项后插入", kSubmenuId, kCnAfter},
                                  Item{"修改延迟", Id(MenuCommand::ChineseModifyDelay), {}},
                                  Item{"删除", Id(MenuCommand::ChineseDelete), {}}};
constexpr std::array kCnEventTop{Item{"插入菜单", kSubmenuId, kCnEventMenu}};

constexpr std::array kEnTrayMenu{Item{"Show Window", Id(MenuCommand::ShowWindow), {}},
                                 Item{"Exit Driver", Id(MenuCommand::ExitDriver), {}}};
constexpr std::array kEnTrayTop{Item{"TRAY", kSubmenuId, kEnTrayMenu}};
constexpr std::array kCnTrayMenu{Item{"显示窗口   ", Id(MenuCommand::ChineseShowWindow), {}},
                                 Item{"关闭驱动", Id(MenuCommand::ChineseExitDriver), {}}};
constexpr std::array kCnTrayTop{Item{"托盘", kSubmenuId, kCnTrayMenu}};

}  // namespace

const MenuItemResource& LoadMenuResource(MenuResource resource) {
    switch (resource) {
        case MenuResource::EnglishEventMenu:
            return kEnEventTop[0];
        case MenuResource::ChineseEventMenu:
            return kCnEventTop[0];
        case MenuResource::EnglishTrayMenu:
            return kEnTrayTop[0];
        case MenuResource::ChineseTrayMenu:
            return kCnTrayTop[0];
    }
    return kEnTrayTop[0];
}

}  // namespace pelmar
