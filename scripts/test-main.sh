#!/usr/bin/env bash
# Runs a build's whole test suite under a private virtual X server, since the
# window tests need a real display. TEST_LOCALE, when set, is the locale the
# suite runs in (LC_ALL), such as a comma-decimal one.
set -euo pipefail
build=${1:-build}
jobs=${2:-2}

root=$(cd "$(dirname "$0")/.." && pwd)
# Read only by programs built with the sanitizers.
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The symbolizer of the clang that built the sanitizer build: suppressions
# match function names, which only it can give.
if command -v clang >/dev/null; then
  symbolizer=$(command -v "llvm-symbolizer-$(clang -dumpversion | cut -d. -f1)" || true)
  [ -n "$symbolizer" ] && export ASAN_SYMBOLIZER_PATH=$symbolizer
fi

if [ -n "${TEST_LOCALE:-}" ]; then
  export LC_ALL=$TEST_LOCALE LANG=$TEST_LOCALE
  echo "Running the tests of $build in the locale $TEST_LOCALE"
fi

cd "$build"
"$root/scripts/with-display.sh" ctest --output-on-failure -j"$jobs"
