/* start_to_paint: starts a program and prints, from outside, how long it took
 * until its window was mapped and until that window showed what it shows once
 * settled: the pixels are read back from the X server every 2 ms after the
 * map, and the first read of the last unchanged run is the moment the user
 * saw the painted window. The start-up benchmark runs it against the program
 * and a bare window program.
 *
 *   start_to_paint NAME SETTLE_MS TIMEOUT_SECONDS -- COMMAND [ARG...]
 *
 * Prints "PID T0_US MAP_MS PAINTED_MS": the started process (left running),
 * the wall clock in microseconds just before it was started (the clock a
 * program's own trace writes), and both times in milliseconds from T0.
 * Exit status 0, 1 when no window named NAME was mapped in time, 2 on bad
 * arguments or no display. Built by bench/startup.sh (-lX11 -lXext). */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <fcntl.h>
#include <poll.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <time.h>
#include <unistd.h>

#include "x_window_tools.h"

static long long wall_us(void) {
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return (long long)t.tv_sec * 1000000 + t.tv_nsec / 1000;
}


/* FNV-1a over the image's rows. */
static uint64_t hash_image(const XImage* im) {
    uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < im->height; ++y) {
        const unsigned char* row = (const unsigned char*)im->data + (size_t)y * im->bytes_per_line;
        for (int x = 0; x < im->width * (im->bits_per_pixel / 8); ++x) h = (h ^ row[x]) * 1099511628211ull;
    }
    return h;
}

int main(int argc, char** argv) {
    if (argc < 6 || strcmp(argv[4], "--") != 0) {
        fprintf(stderr, "usage: start_to_paint NAME SETTLE_MS TIMEOUT_SECONDS -- COMMAND [ARG...]\n");
        return 2;
    }
    const char* name = argv[1];
    const double settle_ms = atof(argv[2]);
    const double timeout_ms = atof(argv[3]) * 1000.0;
    Display* d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "start_to_paint: no X display\n");
        return 2;
    }
    XSetErrorHandler(ignore_errors);
    fcntl(ConnectionNumber(d), F_SETFD, FD_CLOEXEC); /* not the started program's */
    Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, False);

    const long long t0_wall = wall_us();
    const double t0 = mono_ms();
    const pid_t pid = fork();
    if (pid < 0) return 2;
    if (pid == 0) {
        /* The program outlives this tool: it must not hold the caller's output open. */
        FILE* null = fopen("/dev/null", "w");
        if (null) {
            dup2(fileno(null), 1);
            dup2(fileno(null), 2);
        }
        execvp(argv[5], argv + 5);
        _exit(127);
    }

    Window mapped = 0;
    double map_ms = -1;
    while (!mapped) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == MapNotify && named(d, e.xmap.window, name, 2)) {
                map_ms = mono_ms() - t0;
                mapped = e.xmap.window;
                break;
            }
        }
        if (mapped) break;
        const double left = t0 + timeout_ms - mono_ms();
        if (left <= 0) {
            fprintf(stderr, "start_to_paint: no window named \"%s\" mapped within %.0f s\n", name, timeout_ms / 1000);
            printf("%d -1 -1 -1\n", (int)pid);
            return 1;
        }
        struct pollfd p = {ConnectionNumber(d), POLLIN, 0};
        poll(&p, 1, (int)left);
    }

    /* The window's rectangle on the root, read from the root: what is on the
     * screen there is what the user sees. */
    XWindowAttributes a;
    Window child;
    int x = 0, y = 0;
    XGetWindowAttributes(d, mapped, &a);
    XTranslateCoordinates(d, mapped, root, 0, 0, &x, &y, &child);
    const int screen = DefaultScreen(d);
    XShmSegmentInfo shm = {0};
    XImage* im = NULL;
    if (XShmQueryExtension(d)) {
        im = XShmCreateImage(d, DefaultVisual(d, screen), (unsigned)DefaultDepth(d, screen), ZPixmap, NULL, &shm,
                             (unsigned)a.width, (unsigned)a.height);
        if (im) {
            shm.shmid = shmget(IPC_PRIVATE, (size_t)im->bytes_per_line * im->height, IPC_CREAT | 0600);
            shm.shmaddr = im->data = shm.shmid >= 0 ? shmat(shm.shmid, NULL, 0) : (char*)-1;
            shm.readOnly = False;
            if (im->data == (char*)-1 || !XShmAttach(d, &shm)) {
                XDestroyImage(im);
                im = NULL;
            }
            if (shm.shmid >= 0) shmctl(shm.shmid, IPC_RMID, NULL); /* freed once both sides detach */
        }
    }

    enum { kMax = 20000 };
    static double at[kMax];
    static uint64_t seen[kMax];
    int n = 0;
    const double until = t0 + map_ms + settle_ms;
    while (n < kMax) {
        const double now = mono_ms();
        if (now > until) break;
        uint64_t h;
        if (im) {
            XShmGetImage(d, root, im, x, y, AllPlanes);
            h = hash_image(im);
        } else {
            XImage* got = XGetImage(d, root, x, y, (unsigned)a.width, (unsigned)a.height, AllPlanes, ZPixmap);
            if (!got) break;
            h = hash_image(got);
            XDestroyImage(got);
        }
        at[n] = now - t0;
        seen[n++] = h;
        struct timespec pause = {0, 2000000};
        nanosleep(&pause, NULL);
    }
    int first = n - 1;
    while (first > 0 && seen[first - 1] == seen[n - 1]) --first;
    printf("%d %lld %.2f %.2f\n", (int)pid, t0_wall, map_ms, n > 0 ? at[first] : -1.0);
    if (im) {
        XShmDetach(d, &shm);
        shmdt(shm.shmaddr);
    }
    XCloseDisplay(d);
    return 0;
}
