/* What the benchmarks' X tools (key_to_map.c, start_to_paint.c) share: a
 * monotonic clock, finding a window by name, and an error handler that lets
 * a window vanish while it is being read. */
#pragma once
#include <X11/Xlib.h>
#include <string.h>
#include <time.h>

static inline double mono_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

/* True when w or one of its descendants (Wine may map an inner window) is
 * named `name`. */
static inline int named(Display* d, Window w, const char* name, int depth) {
    char* got = NULL;
    int match = XFetchName(d, w, &got) && got && strcmp(got, name) == 0;
    if (got) XFree(got);
    if (match || depth == 0) return match;
    Window root, parent, *kids = NULL;
    unsigned int n = 0;
    if (!XQueryTree(d, w, &root, &parent, &kids, &n)) return 0;
    for (unsigned int i = 0; i < n && !match; ++i) match = named(d, kids[i], name, depth - 1);
    if (kids) XFree(kids);
    return match;
}

static inline int ignore_errors(Display* d, XErrorEvent* e) {
    (void)d;
    (void)e;
    return 0; /* a window may be gone before its name is read */
}
