// Counts the pictures a window shows: grabs it as fast as the X server gives it until a process
// ends, and prints how many grabs there were and how many differed from the grab before.
// Usage: window_pictures WINDOW_ID PID
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: window_pictures WINDOW_ID PID\n", stderr);
        return 2;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    const pid_t pid = static_cast<pid_t>(std::atol(argv[2]));
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("window_pictures: no X display\n", stderr);
        return 1;
    }
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; }); // the window goes with the game
    long grabs = 0, changes = 0;
    uint64_t last = 0;
    while (kill(pid, 0) == 0) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, window, &attributes)) break;
        XImage* image = XGetImage(display, window, 0, 0, attributes.width, attributes.height,
                                  AllPlanes, ZPixmap);
        if (!image) continue;
        uint64_t hash = 1469598103934665603ull; // FNV-1a over the rows' bytes
        for (int y = 0; y < image->height; ++y)
            for (int x = 0; x < image->width * image->bits_per_pixel / 8; ++x)
                hash =
                    (hash ^ uint8_t(image->data[y * image->bytes_per_line + x])) * 1099511628211ull;
        XDestroyImage(image);
        if (grabs == 0 || hash != last) ++changes;
        last = hash;
        ++grabs;
    }
    XCloseDisplay(display);
    std::printf("grabs %ld pictures %ld\n", grabs, changes);
    return 0;
}
