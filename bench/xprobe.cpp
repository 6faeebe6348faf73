// Times a program's windows as the X server sees them. Starts the program and
// watches the root window: a top-level window counts as shown when the window
// manager maps its frame (the MapNotify of a root child that is not
// override-redirect), so menus and tooltips never count.
//
//   xprobe startup [--hold MS] -- PROGRAM [ARGS]
//       ms from process start to its first window mapped, and to that window
//       painted (a pixel near its top left corner no longer black: start the X
//       server with a black root, -br); with --hold, waits that long after the
//       paint and then also prints the peak RSS in KiB.
//   xprobe deal X Y RRGGBB -- PROGRAM [ARGS]
//       also waits for the first window, presses Return in it, and prints
//       three figures: ms to the first map, ms from Return to the next window
//       mapped, ms from Return to the pixel X,Y of that window's client area
//       (Y counted up from its bottom edge) showing colour RRGGBB.
//   xprobe pixel X Y
//       prints the colour of the screen at X,Y as RRGGBB.
//
// The program is ended with SIGTERM afterwards. Needs a window manager.
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <optional>
#include <poll.h>
#include <string>
#include <utility>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int TimeoutMs = 20000;

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) * 1e-6;
}

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "xprobe: %s\n", what);
    std::exit(1);
}

pid_t child = 0;

void endChild()
{
    if (child <= 0)
        return;
    kill(child, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(child, nullptr, WNOHANG) == child) {
            child = 0;
            return;
        }
        usleep(10 * 1000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    child = 0;
}

pid_t start(char** argv)
{
    const pid_t pid = fork();
    if (pid < 0)
        fail("fork failed");
    if (pid == 0) {
        execvp(argv[0], argv);
        std::perror("xprobe: exec");
        _exit(127);
    }
    return pid;
}

// The next frame (or window) the window manager maps on the root after `since`.
Window waitForMap(Display* d, double& when)
{
    const double deadline = nowMs() + TimeoutMs;
    pollfd pfd{ConnectionNumber(d), POLLIN, 0};
    for (;;) {
        while (XPending(d) > 0) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == MapNotify && e.xmap.event == DefaultRootWindow(d) && !e.xmap.override_redirect) {
                when = nowMs();
                return e.xmap.window;
            }
        }
        const int left = static_cast<int>(deadline - nowMs());
        if (left <= 0)
            fail("no window was mapped in time");
        if (child > 0 && waitpid(child, nullptr, WNOHANG) == child) {
            child = 0;
            fail("the program ended before it showed a window");
        }
        poll(&pfd, 1, std::min(left, 50));
    }
}

// The application's own window inside a frame: the one the window manager
// gave WM_STATE.
std::optional<Window> clientOf(Display* d, Window w)
{
    const Atom wmState = XInternAtom(d, "WM_STATE", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, wmState, 0, 0, False, AnyPropertyType, &type, &format, &items, &after, &data)
            == Success
        && data)
        XFree(data);
    if (type != None)
        return w;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &count))
        return std::nullopt;
    std::optional<Window> found;
    for (unsigned i = 0; i < count && !found; ++i)
        found = clientOf(d, children[i]);
    if (children)
        XFree(children);
    return found;
}

// Where the client window inside a frame stands on the screen.
std::pair<int, int> clientOrigin(Display* d, Window frame)
{
    const std::optional<Window> client = clientOf(d, frame);
    if (!client)
        fail("the new window has no client window");
    int rx = 0, ry = 0;
    Window ignored = 0;
    XTranslateCoordinates(d, *client, DefaultRootWindow(d), 0, 0, &rx, &ry, &ignored);
    return {rx, ry};
}

std::optional<Window> activeWindow(Display* d, Atom active)
{
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    std::optional<Window> w;
    if (XGetWindowProperty(d, DefaultRootWindow(d), active, 0, 1, False, XA_WINDOW, &type, &format, &items,
                           &after, &data)
            == Success
        && data) {
        if (items == 1)
            w = *reinterpret_cast<Window*>(data);
        XFree(data);
    }
    return w;
}

unsigned long pixelAt(Display* d, int x, int y)
{
    XImage* img = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!img)
        return 0;  // off the screen: nothing painted there
    const unsigned long p = XGetPixel(img, 0, 0) & 0xFFFFFF;
    XDestroyImage(img);
    return p;
}

long peakRssKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

void pressReturn(Display* d)
{
    const KeyCode k = XKeysymToKeycode(d, XK_Return);
    XTestFakeKeyEvent(d, k, True, CurrentTime);
    XTestFakeKeyEvent(d, k, False, CurrentTime);
    XFlush(d);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "pixel") == 0) {
        Display* d = XOpenDisplay(nullptr);
        if (!d)
            fail("cannot open the display");
        std::printf("%06lX\n", pixelAt(d, std::atoi(argv[2]), std::atoi(argv[3])));
        return 0;
    }
    int sep = 1;
    while (sep < argc && std::strcmp(argv[sep], "--") != 0)
        ++sep;
    if (argc < 2 || sep >= argc - 1)
        fail("usage: xprobe startup [--hold MS] -- PROGRAM... | deal X Y RRGGBB -- PROGRAM... | pixel X Y");
    const std::string mode = argv[1];

    Display* d = XOpenDisplay(nullptr);
    if (!d)
        fail("cannot open the display");
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    XSync(d, False);
    std::atexit(endChild);

    const double t0 = nowMs();
    child = start(argv + sep + 1);
    double mapped = 0;
    const Window first = waitForMap(d, mapped);

    if (mode == "startup") {
        const auto [cx, cy] = clientOrigin(d, first);
        const double deadline = nowMs() + TimeoutMs;
        while (pixelAt(d, cx + 4, cy + 4) == 0) {
            if (nowMs() > deadline)
                fail("the window was never painted");
            usleep(500);
        }
        const double painted = nowMs();
        long hwm = -1;
        if (sep == 4 && std::strcmp(argv[2], "--hold") == 0) {
            usleep(static_cast<useconds_t>(std::atoi(argv[3])) * 1000);
            hwm = peakRssKiB(child);
        }
        std::printf("%.1f %.1f", mapped - t0, painted - t0);
        if (hwm >= 0)
            std::printf(" %ld", hwm);
        std::printf("\n");
        return 0;
    }
    if (mode != "deal" || sep != 5)
        fail("unknown mode or arguments");

    const int x = std::atoi(argv[2]);
    const int yUp = std::atoi(argv[3]);
    const unsigned long colour = std::strtoul(argv[4], nullptr, 16);

    // Return must go to the dialog: wait until the window manager has made it
    // the active window, then let it settle.
    const std::optional<Window> dialog = clientOf(d, first);
    const Atom activeAtom = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
    const double focusDeadline = nowMs() + TimeoutMs;
    while (activeWindow(d, activeAtom) != dialog) {
        if (nowMs() > focusDeadline)
            fail("the first window never became the active one");
        usleep(5000);
    }
    usleep(200 * 1000);
    XSync(d, False);
    while (XPending(d) > 0) {
        XEvent e;
        XNextEvent(d, &e);
    }
    const double pressed = nowMs();
    pressReturn(d);
    double shown = 0;
    const Window frame = waitForMap(d, shown);
    const auto [rx, ry] = clientOrigin(d, frame);
    XWindowAttributes a{};
    XGetWindowAttributes(d, *clientOf(d, frame), &a);
    const int px = rx + x, py = ry + a.height - yUp;

    const double deadline = nowMs() + TimeoutMs;
    while (pixelAt(d, px, py) != colour) {
        if (nowMs() > deadline)
            fail("the pixel never showed the colour");
        usleep(1000);
    }
    const double dealt = nowMs();
    std::printf("%.1f %.1f %.1f\n", mapped - t0, shown - pressed, dealt - pressed);
    return 0;
}
