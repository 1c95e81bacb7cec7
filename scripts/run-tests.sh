#!/usr/bin/env bash
# Runs a build's tests, or those the CTest arguments select, side by side:
# each test that needs a display, a desktop or a print server starts its own.
# Most of them wait on a daemon rather than work, so more run at once than
# there are cores (TEST_JOBS).
#   run-tests.sh BUILD [CTEST-ARGUMENT...]
set -euo pipefail
build=${1:?build folder}
shift
root=$(cd "$(dirname "$0")/.." && pwd)
# Read only by programs built with the sanitizers.
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$root/tests/sanitizers/tsan.supp"
# The symbolizer of the clang that built the sanitizer builds: suppressions
# match function names, which only it can give.
if command -v clang >/dev/null; then
  symbolizer=$(command -v "llvm-symbolizer-$(clang -dumpversion | cut -d. -f1)" || true)
  [ -n "$symbolizer" ] && export ASAN_SYMBOLIZER_PATH=$symbolizer TSAN_SYMBOLIZER_PATH=$symbolizer
fi
cd "$build"
exec ctest --output-on-failure -j"${TEST_JOBS:-4}" "$@"
