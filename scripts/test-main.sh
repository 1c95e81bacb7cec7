#!/usr/bin/env bash
# Runs the main build's test suite.
set -euo pipefail
build=${1:-build}
jobs=${2:-2}
cd "$build"
exec ctest --output-on-failure -j"$jobs"
