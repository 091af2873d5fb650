/* A burst of clipboard changes made by an X program, as a fast copying
 * program on the same display makes them: it takes the CLIPBOARD selection
 * COUNT times, PACE ms apart, each time with a fresh server timestamp and a
 * new text ("PREFIX 0000" and up), and serves every request for the
 * selection's contents until none has come for a while after the last
 * change. It says how many changes it made and how many requests it served:
 * on its output, or in DONE_FILE once it is done (a Windows program under
 * Wine cannot wait for a Unix process).
 *
 * Usage: x11_burst COUNT PACE_MS PREFIX [DONE_FILE]
 */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

/* How long requests are still served after the last change, at most, and
 * how long a quiet spell ends that early. */
enum { kLingerMs = 10000, kQuietMs = 1500 };

static Display *display;
static Window window;
static Atom clipboard, targets, timestamp, utf8, text, stamp;
static char current[256];
static Time owned;
static long served;

static long long NowMs(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000 + now.tv_nsec / 1000000;
}

static void Answer(const XSelectionRequestEvent *request) {
    XSelectionEvent reply = {0};
    reply.type = SelectionNotify;
    reply.display = request->display;
    reply.requestor = request->requestor;
    reply.selection = request->selection;
    reply.target = request->target;
    reply.time = request->time;
    /* Old clients name no property: the target then serves as one. */
    Atom property = request->property != None ? request->property : request->target;
    if (request->target == targets) {
        Atom offered[] = {targets, timestamp, utf8, XA_STRING, text};
        XChangeProperty(display, request->requestor, property, XA_ATOM, 32, PropModeReplace,
                        (unsigned char *)offered, sizeof offered / sizeof offered[0]);
    } else if (request->target == timestamp) {
        long value = (long)owned;
        XChangeProperty(display, request->requestor, property, XA_INTEGER, 32, PropModeReplace,
                        (unsigned char *)&value, 1);
    } else if (request->target == utf8 || request->target == XA_STRING || request->target == text) {
        Atom type = request->target == text ? XA_STRING : request->target;
        XChangeProperty(display, request->requestor, property, type, 8, PropModeReplace,
                        (unsigned char *)current, (int)strlen(current));
    } else {
        property = None; /* MULTIPLE and anything else: refused */
    }
    reply.property = property;
    XSendEvent(display, request->requestor, False, NoEventMask, (XEvent *)&reply);
    XFlush(display);
    ++served;
}

/* Serves requests until `until`; returns the time of the last PropertyNotify
 * on the own window seen meanwhile (0 when none), which is how a fresh server
 * timestamp arrives. */
static Time Serve(long long until, int stopAtStamp) {
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == SelectionRequest) {
                Answer(&event.xselectionrequest);
            } else if (event.type == PropertyNotify && event.xproperty.window == window &&
                       event.xproperty.atom == stamp && stopAtStamp) {
                return event.xproperty.time;
            }
        }
        long long left = until - NowMs();
        if (left <= 0) return 0;
        struct pollfd fd = {ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, (int)left);
    }
}

static Time FreshTimestamp(void) {
    XChangeProperty(display, window, stamp, XA_STRING, 8, PropModeAppend, (unsigned char *)"", 0);
    XFlush(display);
    return Serve(NowMs() + 5000, 1);
}

/* Written under another name first, so the reader never sees half of it. */
static void Report(const char *path, int changed, int count) {
    char temporary[4096];
    snprintf(temporary, sizeof temporary, "%s.tmp", path);
    FILE *file = fopen(temporary, "w");
    if (!file) return;
    fprintf(file, "%s %d of %d served %ld\n", changed == count ? "ok" : "failed", changed, count, served);
    if (fclose(file) == 0) rename(temporary, path);
}

int main(int argc, char **argv) {
    if (argc != 4 && argc != 5) {
        fprintf(stderr, "usage: %s COUNT PACE_MS PREFIX [DONE_FILE]\n", argv[0]);
        return 2;
    }
    int count = atoi(argv[1]);
    int pace = atoi(argv[2]);
    const char *prefix = argv[3];
    display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "cannot open the display\n");
        return 1;
    }
    window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(display, window, PropertyChangeMask);
    clipboard = XInternAtom(display, "CLIPBOARD", False);
    targets = XInternAtom(display, "TARGETS", False);
    timestamp = XInternAtom(display, "TIMESTAMP", False);
    utf8 = XInternAtom(display, "UTF8_STRING", False);
    text = XInternAtom(display, "TEXT", False);
    stamp = XInternAtom(display, "QS_BURST_STAMP", False);

    int changed = 0;
    long long start = NowMs();
    for (int i = 0; i < count; ++i) {
        Serve(start + (long long)i * pace, 0);
        Time now = FreshTimestamp();
        if (now == 0) break;
        snprintf(current, sizeof current, "%s %04d", prefix, i);
        owned = now;
        XSetSelectionOwner(display, clipboard, window, now);
        XFlush(display);
        if (XGetSelectionOwner(display, clipboard) == window) ++changed;
    }
    long long last = NowMs();
    long before;
    do {
        before = served;
        Serve(NowMs() + kQuietMs, 0);
    } while (served != before && NowMs() - last < kLingerMs);
    XCloseDisplay(display);
    if (argc == 5) {
        Report(argv[4], changed, count);
    } else {
        printf("changes %d served %ld\n", changed, served);
    }
    return changed == count ? 0 : 1;
}
