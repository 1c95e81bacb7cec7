#!/usr/bin/env bash
# Runs the print tests of the ThreadSanitizer build (make build-threads): a
# race between the print worker and the window's thread that a test
# provokes fails that test. Qt itself is not built with the sanitizer, which
# cannot see the futex under QMutex with which Qt hands data between its own
# threads (the X11 event reader, the accessibility bridge's D-Bus
# connection): the tests run on Qt's offscreen platform, which starts
# neither, and without a session bus. The print service uses neither.
set -euo pipefail
build=${1:-build/threads}
jobs=${2:-2}
root=$(cd "$(dirname "$0")/.." && pwd)
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$root/tests/sanitizers/tsan.supp"
if command -v clang >/dev/null; then
  symbolizer=$(command -v "llvm-symbolizer-$(clang -dumpversion | cut -d. -f1)" || true)
  [ -n "$symbolizer" ] && export TSAN_SYMBOLIZER_PATH=$symbolizer
fi
cd "$build"
echo "Running the print tests of $build under ThreadSanitizer"
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=offscreen \
  DBUS_SESSION_BUS_ADDRESS=disabled: ctest --output-on-failure -j"$jobs" \
  -R '^(print_spooler_test|print_button_test|print_password_from_terminal)$'
