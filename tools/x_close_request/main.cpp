// x-close-request WINDOW: sends the window a WM_DELETE_WINDOW client message, as a window
// manager does when its close button is pressed. SDL 1.2 turns exactly this into SDL_QUIT;
// destroying the window (xdotool windowclose) or killing the client would not be a request.
// Uses $DISPLAY. Exit status 0 when the message was sent, 1 otherwise, with one line saying why.
#include <X11/Xlib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

/// A window id in decimal or 0x hexadecimal, as xdotool and xprop print them.
bool parseWindow(const char* text, Window& window) {
    errno = 0;
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 0);
    window = static_cast<Window>(value);
    return errno == 0 && end != text && *end == '\0' && value != 0;
}

}  // namespace

int main(int argc, char** argv) {
    Window window = 0;
    if (argc != 2 || !parseWindow(argv[1], window)) {
        std::printf("usage: x-close-request WINDOW-ID\n");
        return 1;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::printf("x-close-request: cannot open the display \"%s\"\n", XDisplayName(nullptr));
        return 1;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    if (sent == 0) {
        std::printf("x-close-request: the message to window %s could not be sent\n", argv[1]);
        return 1;
    }
    return 0;
}
