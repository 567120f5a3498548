/* A small X client the peer benchmark uses as its eyes.
 *
 *   paintwatch first-paint TIMEOUT_MS
 *     Watches the root window for the next top-level window to be mapped,
 *     then watches that window's damage until its contents stop being one
 *     flat colour (a server-filled background does not count as painted).
 *     Prints "ready" once it watches, then
 *       "map <ns> <window> <x> <y> <width> <height>" and "paint <ns>",
 *     times on CLOCK_MONOTONIC, the clock Python's time.monotonic_ns() reads.
 *
 *   paintwatch damage-log WINDOW
 *     Prints "ready", then "damage <ns>" for every repaint of WINDOW until
 *     its standard input closes.
 *
 * It only reads the screen; it never touches the programs it watches.
 */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static long long now_ns(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

/* True when the window shows more than one colour. */
static int painted(Display *dpy, Window w)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(dpy, w, &a) || a.map_state != IsViewable)
        return 0;
    XImage *img = XGetImage(dpy, w, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (!img)
        return 0;
    int differs = 0;
    if (img->bits_per_pixel == 32) {
        const unsigned int first = *(const unsigned int *)img->data;
        for (int y = 0; y < img->height && !differs; ++y) {
            const unsigned int *row = (const unsigned int *)(img->data + (long)y * img->bytes_per_line);
            for (int x = 0; x < img->width; ++x)
                if (row[x] != first) {
                    differs = 1;
                    break;
                }
        }
    } else {
        const unsigned long first = XGetPixel(img, 0, 0);
        for (int y = 0; y < img->height && !differs; ++y)
            for (int x = 0; x < img->width; ++x)
                if (XGetPixel(img, x, y) != first) {
                    differs = 1;
                    break;
                }
    }
    XDestroyImage(img);
    return differs;
}

static int ignore_errors(Display *dpy, XErrorEvent *e)
{
    (void)dpy;
    (void)e;
    return 0;
}

static int first_paint(Display *dpy, int damage_event, long timeout_ms)
{
    Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);
    printf("ready\n");
    fflush(stdout);

    const long long deadline = now_ns() + timeout_ms * 1000000LL;
    Window target = None;
    Damage damage = None;
    const int fd = ConnectionNumber(dpy);
    for (;;) {
        while (XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            if (ev.type == MapNotify && target == None && ev.xmap.event == root && !ev.xmap.override_redirect) {
                XWindowAttributes a;
                if (!XGetWindowAttributes(dpy, ev.xmap.window, &a) || a.class != InputOutput || a.width < 32
                    || a.height < 32)
                    continue;
                const long long t = now_ns();
                target = ev.xmap.window;
                printf("map %lld 0x%lx %d %d %d %d\n", t, target, a.x, a.y, a.width, a.height);
                fflush(stdout);
                damage = XDamageCreate(dpy, target, XDamageReportNonEmpty);
                XSync(dpy, False);
                if (painted(dpy, target)) {
                    printf("paint %lld\n", t);
                    return 0;
                }
            } else if (target != None && ev.type == damage_event + XDamageNotify) {
                /* The time the repaint was seen, not the time the check took. */
                const long long t = now_ns();
                XDamageSubtract(dpy, damage, None, None);
                if (painted(dpy, target)) {
                    printf("paint %lld\n", t);
                    return 0;
                }
            }
        }
        const long long left_ms = (deadline - now_ns()) / 1000000LL;
        if (left_ms <= 0) {
            fprintf(stderr, "paintwatch: no painted window within %ld ms\n", timeout_ms);
            return 1;
        }
        struct pollfd p = {fd, POLLIN, 0};
        poll(&p, 1, (int)left_ms);
    }
}

static int damage_log(Display *dpy, int damage_event, Window target)
{
    Damage damage = XDamageCreate(dpy, target, XDamageReportNonEmpty);
    XSync(dpy, False);
    printf("ready\n");
    fflush(stdout);
    const int fd = ConnectionNumber(dpy);
    for (;;) {
        while (XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            if (ev.type == damage_event + XDamageNotify) {
                const long long t = now_ns();
                XDamageSubtract(dpy, damage, None, None);
                printf("damage %lld\n", t);
                fflush(stdout);
            }
        }
        struct pollfd p[2] = {{fd, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        poll(p, 2, -1);
        if (p[1].revents & (POLLIN | POLLHUP)) {
            char buf[64];
            if (read(STDIN_FILENO, buf, sizeof buf) <= 0)
                return 0;
        }
    }
}

int main(int argc, char **argv)
{
    if (argc != 3 || (strcmp(argv[1], "first-paint") != 0 && strcmp(argv[1], "damage-log") != 0)) {
        fprintf(stderr, "usage: paintwatch first-paint TIMEOUT_MS | damage-log WINDOW\n");
        return 2;
    }
    Display *dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "paintwatch: cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(ignore_errors);
    int damage_event, damage_error;
    if (!XDamageQueryExtension(dpy, &damage_event, &damage_error)) {
        fprintf(stderr, "paintwatch: the X server has no DAMAGE extension\n");
        return 1;
    }
    if (strcmp(argv[1], "first-paint") == 0)
        return first_paint(dpy, damage_event, strtol(argv[2], NULL, 10));
    return damage_log(dpy, damage_event, (Window)strtoul(argv[2], NULL, 0));
}
