// A minimal system tray for the end-to-end tests: it owns the screen's tray
// selection, announces itself, docks every icon that asks, and prints
// "ready" once and then "docked <window>" per icon on standard output.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <array>
#include <cstdio>

namespace {

constexpr long kRequestDock = 0;     // tray opcode: an icon asks to be docked
constexpr long kEmbeddedNotify = 0;  // XEMBED message to the docked icon
constexpr long kXembedVersion = 0;
constexpr int kIconSize = 24;
constexpr int kTrayWidth = 10 * kIconSize;

// Sends a 32-bit client message of type to window.
void SendClientMessage(Display* display, Window window, Atom type, const std::array<long, 5>& data,
                       long eventMask) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    for (std::size_t i = 0; i < data.size(); ++i) {
        event.xclient.data.l[i] = data[i];
    }
    XSendEvent(display, window, False, eventMask, &event);
}

}  // namespace

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "tray host: no display\n");
        return 1;
    }
    const int screen = DefaultScreen(display);
    const Window root = RootWindow(display, screen);
    const Window tray = XCreateSimpleWindow(display, root, 0, 0, kTrayWidth, kIconSize, 0, 0, 0);
    XMapWindow(display, tray);

    char selectionName[32];
    std::snprintf(selectionName, sizeof selectionName, "_NET_SYSTEM_TRAY_S%d", screen);
    const Atom selection = XInternAtom(display, selectionName, False);
    const Atom opcode = XInternAtom(display, "_NET_SYSTEM_TRAY_OPCODE", False);
    XSetSelectionOwner(display, selection, tray, CurrentTime);
    if (XGetSelectionOwner(display, selection) != tray) {
        std::fprintf(stderr, "tray host: another tray owns %s\n", selectionName);
        return 1;
    }

    SendClientMessage(display, root, XInternAtom(display, "MANAGER", False),
                      {CurrentTime, static_cast<long>(selection), static_cast<long>(tray), 0, 0},
                      StructureNotifyMask);
    XFlush(display);
    std::printf("ready\n");
    std::fflush(stdout);

    int docked = 0;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != ClientMessage || event.xclient.message_type != opcode ||
            event.xclient.data.l[1] != kRequestDock) {
            continue;
        }
        const auto icon = static_cast<Window>(event.xclient.data.l[2]);
        XReparentWindow(display, icon, tray, docked * kIconSize, 0);
        XResizeWindow(display, icon, kIconSize, kIconSize);
        SendClientMessage(
            display, icon, XInternAtom(display, "_XEMBED", False),
            {CurrentTime, kEmbeddedNotify, 0, static_cast<long>(tray), kXembedVersion},
            NoEventMask);
        XMapWindow(display, icon);
        XFlush(display);
        ++docked;
        std::printf("docked 0x%lx\n", icon);
        std::fflush(stdout);
    }
}
