// Start-up and idle memory of the program against the empty-window floor.
// Starts each program in turn on the X server named by DISPLAY and watches
// from outside: the time from exec to the window's MapNotify, the time to
// the first complete paint (the first moment the window's pixels equal what
// it finally shows), and VmRSS once it has settled.
//   startup_bench RUNS FLOOR PROGRAM
#include <spawn.h>
#include <sys/wait.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cinttypes>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "stats.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using vitayear::bench::PrintHeader;
using vitayear::bench::PrintRow;
using vitayear::bench::VmRssMiB;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Run {
  double mapMs = -1, paintMs = -1, rssMiB = -1;
};

std::uint64_t Fingerprint(const std::uint8_t* data, int length) {
  std::uint64_t h = 1469598103934665603ULL;
  for (int i = 0; i < length; ++i) h = (h ^ data[i]) * 1099511628211ULL;
  return h;
}

xcb_window_t WaitForMap(xcb_connection_t* x, Clock::time_point deadline) {
  while (Clock::now() < deadline) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
      const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY;
      const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
      const xcb_window_t window = mapped && !map->override_redirect ? map->window : XCB_NONE;
      std::free(event);
      if (window != XCB_NONE) return window;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return XCB_NONE;
}

Run Measure(xcb_connection_t* x, const char* program) {
  Run run;
  const Clock::time_point start = Clock::now();
  pid_t pid = 0;
  char* argv[] = {const_cast<char*>(program), nullptr};
  if (posix_spawn(&pid, program, nullptr, nullptr, argv, environ) != 0) return run;

  const xcb_window_t window = WaitForMap(x, start + std::chrono::seconds(20));
  if (window != XCB_NONE) {
    run.mapMs = Ms(Clock::now() - start);
    xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(x, xcb_get_geometry(x, window), nullptr);
    const int w = geometry ? geometry->width : 0, h = geometry ? geometry->height : 0;
    std::free(geometry);
    // Sample the pixels until they have not changed for half a second.
    std::vector<std::pair<double, std::uint64_t>> samples;
    Clock::time_point lastChange = Clock::now();
    while (Clock::now() - lastChange < std::chrono::milliseconds(500) &&
           Clock::now() - start < std::chrono::seconds(20)) {
      xcb_get_image_reply_t* image = xcb_get_image_reply(
          x, xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, std::uint16_t(w), std::uint16_t(h), ~0U),
          nullptr);
      if (!image) continue;
      const std::uint64_t print = Fingerprint(xcb_get_image_data(image), xcb_get_image_data_length(image));
      std::free(image);
      if (samples.empty() || samples.back().second != print) lastChange = Clock::now();
      samples.emplace_back(Ms(Clock::now() - start), print);
    }
    const std::uint64_t final = samples.empty() ? 0 : samples.back().second;
    for (std::size_t i = samples.size(); i-- > 0 && samples[i].second == final;) run.paintMs = samples[i].first;
    run.rssMiB = VmRssMiB(std::to_string(pid));
  }
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  return run;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s RUNS FLOOR PROGRAM\n", argv[0]);
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  xcb_connection_t* x = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(x)) {
    std::fprintf(stderr, "cannot reach the X server\n");
    return 1;
  }
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
  const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(x);

  std::vector<double> floorMap, floorPaint, floorRss, progMap, progPaint, progRss;
  Measure(x, argv[2]);  // warm the file cache for both before counting
  Measure(x, argv[3]);
  for (int i = 0; i < runs; ++i) {
    for (int which = 0; which < 2; ++which) {  // alternate the two
      const Run r = Measure(x, argv[2 + which]);
      if (r.mapMs < 0 || r.paintMs < 0) {
        std::fprintf(stderr, "run %d of %s did not show a window\n", i, argv[2 + which]);
        return 1;
      }
      (which ? progMap : floorMap).push_back(r.mapMs);
      (which ? progPaint : floorPaint).push_back(r.paintMs);
      (which ? progRss : floorRss).push_back(r.rssMiB);
    }
  }
  PrintHeader("floor");
  PrintRow("start-up to window mapped", floorMap, progMap, "ms", 1);
  PrintRow("start-up to complete paint", floorPaint, progPaint, "ms", 1);
  PrintRow("idle memory (VmRSS)", floorRss, progRss, "MiB", 1);
  xcb_disconnect(x);
  return 0;
}
