#!/usr/bin/env bash
# Starts the program from a build folder.
set -euo pipefail
build=${1:-build}
program="$build/app/vitayear"
if [ ! -x "$program" ]; then
  echo "The window is not built yet: only the assessment engine exists so far." >&2
  echo "Run 'make test' to run its tests." >&2
  exit 1
fi
exec "$program"
