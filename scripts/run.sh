#!/usr/bin/env bash
# Starts the program from a build folder. The program itself explains what to
# do when there is no display.
set -euo pipefail
build=${1:-build}
exec "$build/app/vitayear"
