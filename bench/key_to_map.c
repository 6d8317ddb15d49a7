/* key_to_map: presses a key combination on the X keyboard with XTest and
 * prints the milliseconds until a window with the given name is mapped.
 * The benchmark of the hotkey path runs it against the program and a
 * minimal program on the same path.
 *
 *   key_to_map NAME [MODIFIER+]KEY [TIMEOUT_SECONDS]     e.g. key_to_map "x" alt+q
 *
 * Exit status 0 with the time on standard output, 1 on a timeout, 2 on bad
 * arguments or no display. Built by bench/hotkey_to_editor.sh (-lX11 -lXtst). */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "x_window_tools.h"

static KeyCode code_of(Display* d, const char* word) {
    const char* sym = word;
    if (strcmp(word, "alt") == 0) sym = "Alt_L";
    else if (strcmp(word, "ctrl") == 0) sym = "Control_L";
    else if (strcmp(word, "shift") == 0) sym = "Shift_L";
    KeySym ks = XStringToKeysym(sym);
    return ks == NoSymbol ? 0 : XKeysymToKeycode(d, ks);
}


int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: key_to_map NAME [MODIFIER+]KEY [TIMEOUT_SECONDS]\n");
        return 2;
    }
    const char* name = argv[1];
    const double timeout_ms = (argc > 3 ? atof(argv[3]) : 10.0) * 1000.0;
    Display* d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "key_to_map: no X display\n");
        return 2;
    }
    int ev, er, major, minor;
    if (!XTestQueryExtension(d, &ev, &er, &major, &minor)) {
        fprintf(stderr, "key_to_map: the display has no XTest\n");
        return 2;
    }
    XSetErrorHandler(ignore_errors);

    char combo[128];
    snprintf(combo, sizeof combo, "%s", argv[2]);
    KeyCode mods[4];
    int nmods = 0;
    char* key = combo;
    for (char* plus; (plus = strchr(key, '+')) && nmods < 4; key = plus + 1) {
        *plus = '\0';
        if (!(mods[nmods++] = code_of(d, key))) {
            fprintf(stderr, "key_to_map: unknown key %s\n", key);
            return 2;
        }
    }
    KeyCode k = code_of(d, key);
    if (!k) {
        fprintf(stderr, "key_to_map: unknown key %s\n", key);
        return 2;
    }

    Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, False);

    for (int i = 0; i < nmods; ++i) XTestFakeKeyEvent(d, mods[i], True, CurrentTime);
    XSync(d, False);
    const double t0 = mono_ms(); /* the hotkey fires on the key's press */
    XTestFakeKeyEvent(d, k, True, CurrentTime);
    XFlush(d);
    int released = 0;

    for (;;) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == MapNotify && named(d, e.xmap.window, name, 2)) {
                const double ms = mono_ms() - t0;
                if (!released) {
                    XTestFakeKeyEvent(d, k, False, CurrentTime);
                    for (int i = nmods - 1; i >= 0; --i) XTestFakeKeyEvent(d, mods[i], False, CurrentTime);
                }
                XSync(d, False);
                printf("%.2f\n", ms);
                return 0;
            }
        }
        const double left = t0 + timeout_ms - mono_ms();
        if (left <= 0) break;
        if (!released && mono_ms() - t0 > 30) {
            /* Released as a person would, a moment after the press. */
            XTestFakeKeyEvent(d, k, False, CurrentTime);
            for (int i = nmods - 1; i >= 0; --i) XTestFakeKeyEvent(d, mods[i], False, CurrentTime);
            XFlush(d);
            released = 1;
        }
        struct pollfd p = {ConnectionNumber(d), POLLIN, 0};
        poll(&p, 1, released ? (int)left : 5);
    }
    if (!released) {
        XTestFakeKeyEvent(d, k, False, CurrentTime);
        for (int i = nmods - 1; i >= 0; --i) XTestFakeKeyEvent(d, mods[i], False, CurrentTime);
    }
    XSync(d, False);
    fprintf(stderr, "key_to_map: no window named \"%s\" mapped within %.0f s\n", name, timeout_ms / 1000.0);
    return 1;
}
