#!/usr/bin/env bash
# Installs the Debian packages a profile needs, only those still missing.
#   install-deps.sh run    build and start the program
#   install-deps.sh test   everything the whole test suite needs as well
set -euo pipefail

profile=${1:-run}

run_packages=(
  cmake ninja-build g++ make pkg-config
  qt6-base-dev libgl-dev fonts-liberation
  libcups2-dev libgtest-dev libbenchmark-dev libxcb1-dev
)
test_packages=(
  clang libclang-rt-14-dev
  xvfb xauth
  cups cups-bsd cups-client printer-driver-cups-pdf poppler-utils
  locales gcovr procps
  dpkg-dev desktop-file-utils appstream
)

case "$profile" in
  run) wanted=("${run_packages[@]}") ;;
  test) wanted=("${run_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

missing=()
for pkg in "${wanted[@]}"; do
  if [ "$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null)" != "install ok installed" ]; then
    missing+=("$pkg")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null; then
  as_root=(sudo)
else
  echo "These packages are missing and I am not root and have no sudo: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
