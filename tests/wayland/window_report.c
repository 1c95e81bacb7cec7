/* A weston module of the tests: every tenth of a second it writes, to the
 * file VITAYEAR_DESKTOP_REPORT names, the area the desktop shell leaves for
 * windows and the frame of every window, as the compositor places them:
 *   screen X Y W H
 *   workarea X Y W H
 *   window X Y W H TITLE
 * The shell's background covers the output; its panel is a surface as wide
 * as the output along its top or bottom edge; the work area is the rest. */
#include <libweston/libweston.h>
#include <libweston/version.h>
#if WESTON_VERSION_MAJOR >= 11
#include <libweston/desktop.h>
#else
#include <libweston-desktop/libweston-desktop.h>
#endif
#include <stdio.h>
#include <stdlib.h>

struct window_report {
  struct weston_compositor *compositor;
  struct wl_event_source *timer;
  struct wl_listener destroy;
  const char *path;
};

enum { kInterval = 100 };

static void view_position(struct weston_view *view, double *x, double *y) {
#if WESTON_VERSION_MAJOR >= 13
  struct weston_coord_global pos = weston_view_get_pos_offset_global(view);
  *x = pos.c.x;
  *y = pos.c.y;
#else
  *x = view->geometry.x;
  *y = view->geometry.y;
#endif
}

static int write_report(void *data) {
  struct window_report *report = data;
  struct weston_view *view;
  struct weston_geometry screen = {0, 0, 0, 0};
  /* The background: the largest surface that is not a window. */
  wl_list_for_each(view, &report->compositor->view_list, link) {
    struct weston_surface *surface = view->surface;
    double x, y;
    if (weston_surface_is_desktop_surface(surface)) continue;
    view_position(view, &x, &y);
    if ((long)surface->width * surface->height > (long)screen.width * screen.height)
      screen = (struct weston_geometry){(int)x, (int)y, surface->width, surface->height};
  }
  struct weston_geometry area = screen;
  wl_list_for_each(view, &report->compositor->view_list, link) {
    struct weston_surface *surface = view->surface;
    double x, y;
    if (weston_surface_is_desktop_surface(surface) || surface->width != screen.width ||
        surface->height >= screen.height)
      continue;
    view_position(view, &x, &y);
    if ((int)y == screen.y) {
      area.y = screen.y + surface->height;
      area.height -= surface->height;
    } else if ((int)y + surface->height == screen.y + screen.height) {
      area.height -= surface->height;
    }
  }

  char temporary[4096];
  snprintf(temporary, sizeof temporary, "%s.new", report->path);
  FILE *out = fopen(temporary, "w");
  if (out) {
    fprintf(out, "screen %d %d %d %d\nworkarea %d %d %d %d\n", screen.x, screen.y, screen.width, screen.height, area.x,
            area.y, area.width, area.height);
    wl_list_for_each(view, &report->compositor->view_list, link) {
      double x, y;
      if (!weston_surface_is_desktop_surface(view->surface)) continue;
      struct weston_desktop_surface *window = weston_surface_get_desktop_surface(view->surface);
      struct weston_geometry frame = weston_desktop_surface_get_geometry(window);
      const char *title = weston_desktop_surface_get_title(window);
      const char *app_id = weston_desktop_surface_get_app_id(window);
      view_position(view, &x, &y);
      fprintf(out, "window %d %d %d %d %s\n", (int)x + frame.x, (int)y + frame.y, frame.width, frame.height,
              title ? title : "");
      /* weston has no protocol for a window's icon. */
      fprintf(out, "identity %s -\n", app_id && *app_id ? app_id : "-");
    }
    if (fclose(out) == 0) rename(temporary, report->path);
  }
  wl_event_source_timer_update(report->timer, kInterval);
  return 0;
}

static void release(struct wl_listener *listener, void *data) {
  struct window_report *report = wl_container_of(listener, report, destroy);
  (void)data;
  wl_event_source_remove(report->timer);
  free(report);
}

WL_EXPORT int wet_module_init(struct weston_compositor *compositor, int *argc, char *argv[]) {
  (void)argc;
  (void)argv;
  const char *path = getenv("VITAYEAR_DESKTOP_REPORT");
  if (!path) return 0; /* nothing asked for */
  struct window_report *report = calloc(1, sizeof *report);
  if (!report) return -1;
  report->compositor = compositor;
  report->path = path;
  report->timer = wl_event_loop_add_timer(wl_display_get_event_loop(compositor->wl_display), write_report, report);
  if (!report->timer) {
    free(report);
    return -1;
  }
  wl_event_source_timer_update(report->timer, kInterval);
  report->destroy.notify = release;
  wl_signal_add(&compositor->destroy_signal, &report->destroy);
  return 0;
}
