/* A weston module that gives the headless compositor one seat with a
 * keyboard and a pointer. The headless backend has no input devices, so
 * without it no window is ever activated and Qt gets no keyboard focus;
 * the window tests need a seat as a real desktop has one. */
#include <libweston/libweston.h>
#include <stdlib.h>

/* Not in the installed headers of every release, but exported by libweston
 * for its backends; the signatures have not changed since weston 8. */
void weston_seat_init(struct weston_seat *seat, struct weston_compositor *ec, const char *seat_name);
int weston_seat_init_keyboard(struct weston_seat *seat, struct xkb_keymap *keymap);
int weston_seat_init_pointer(struct weston_seat *seat);
void weston_seat_release(struct weston_seat *seat);

struct test_seat {
  struct weston_seat seat;
  struct wl_listener destroy;
};

static void release(struct wl_listener *listener, void *data) {
  struct test_seat *ts = wl_container_of(listener, ts, destroy);
  (void)data;
  weston_seat_release(&ts->seat);
  free(ts);
}

WL_EXPORT int wet_module_init(struct weston_compositor *compositor, int *argc, char *argv[]) {
  (void)argc;
  (void)argv;
  struct test_seat *ts = calloc(1, sizeof *ts);
  if (!ts) return -1;
  weston_seat_init(&ts->seat, compositor, "default");
  if (weston_seat_init_keyboard(&ts->seat, NULL) < 0 || weston_seat_init_pointer(&ts->seat) < 0) {
    weston_seat_release(&ts->seat);
    free(ts);
    return -1;
  }
  ts->destroy.notify = release;
  wl_signal_add(&compositor->destroy_signal, &ts->destroy);
  return 0;
}
