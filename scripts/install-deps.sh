#!/usr/bin/env bash
# Installs the Debian packages a profile needs, only those still missing, on
# Debian 12 or 13. Packages whose name carries a version are derived from
# what is installed, so that no name exists on one release only.
#   install-deps.sh run       build and start the program
#   install-deps.sh package   build the Debian packages as well (debian/control's
#                             Build-Depends, as apt-get build-dep reads them)
#   install-deps.sh test      everything the whole test suite needs as well
#   install-deps.sh bench     the benchmarks as well
#   install-deps.sh debian13  what `make test-debian13` needs on the host
set -euo pipefail

profile=${1:-run}

# The program alone: Qt Widgets (whose CMake files need the GL headers),
# libcups's headers, QtKeychain (and libsecret, which it loads to reach the
# desktop's keyring) and the fonts the windows name.
run_packages=(
  cmake ninja-build g++ make
  qt6-base-dev libgl-dev fonts-liberation libcups2-dev qtkeychain-qt6-dev libsecret-1-0
)
# dpkg-buildpackage and dh; the rest is debian/control's Build-Depends.
package_packages=(dpkg-dev debhelper)
test_packages=(
  libgtest-dev pkgconf
  clang clang-format
  xvfb xauth x11-xserver-utils dbus-daemon dbus-bin
  weston qt6-wayland xkb-data openbox tint2 x11-utils util-linux
  kwin-wayland kwin-style-breeze xwayland python3-gi gir1.2-gtk-3.0 gir1.2-gtklayershell-0.1
  orca speech-dispatcher at-spi2-core python3-pyatspi
  cups cups-bsd cups-client printer-driver-cups-pdf poppler-utils cups-ipp-utils avahi-daemon
  samba smbclient libnss-wrapper iproute2 gnome-keyring
  locales gcovr procps
  desktop-file-utils appstream lintian
  autopkgtest xdotool diffoscope-minimal
)
bench_packages=(libbenchmark-dev libxcb1-dev)
debian13_packages=(debootstrap debian-archive-keyring git)

# Qt's SVG plugins, which draw the program's icon: in the library's own
# package up to Qt 6.5, in a package of their own from Debian 13 on.
svg_plugins() {
  local release
  release=$(. /etc/os-release && echo "${VERSION_ID:-0}")
  if [ "${release%%.*}" -ge 13 ] 2>/dev/null; then echo qt6-svg-plugins; else echo libqt6svg6; fi
}
run_packages+=("$(svg_plugins)")

# The packages of a release-specific name, for what is installed by now.
derived() {
  local clang_major weston_lib
  if command -v clang >/dev/null; then
    # The sanitizer and fuzzer runtimes of the installed clang, and the
    # symbolizer that names functions in their reports (and suppressions).
    clang_major=$(clang -dumpversion | cut -d. -f1)
    echo "libclang-rt-${clang_major}-dev"
    echo "llvm-${clang_major}"
  fi
  weston_lib=$(dpkg-query -W -f='${Depends}' weston 2>/dev/null | grep -o 'libweston-[0-9]*-0' | head -n 1 || true)
  # The headers of the installed weston, for the test seat module.
  [ -n "$weston_lib" ] && echo "${weston_lib%-0}-dev"
  # GNOME Shell as a headless desktop, from the release whose shell runs so.
  local release
  release=$(. /etc/os-release && echo "${VERSION_ID:-0}")
  [ "${release%%.*}" -ge 13 ] 2>/dev/null && echo gnome-shell
  return 0
}

case "$profile" in
  run) wanted=("${run_packages[@]}") ;;
  package) wanted=("${run_packages[@]}" "${package_packages[@]}") ;;
  test) wanted=("${run_packages[@]}" "${package_packages[@]}" "${test_packages[@]}") ;;
  bench) wanted=("${run_packages[@]}" "${package_packages[@]}" "${test_packages[@]}" "${bench_packages[@]}") ;;
  debian13) wanted=("${debian13_packages[@]}") ;;
  *) echo "usage: $0 run|package|test|bench|debian13" >&2; exit 2 ;;
esac

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null; then
  as_root=(sudo)
else
  as_root=(false)
fi

updated=no
install_missing() {
  local missing=() pkg
  for pkg in "$@"; do
    if [ "$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null)" != "install ok installed" ]; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "${as_root[*]}" = false ]; then
    echo "These packages are missing and I am not root and have no sudo: ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing missing packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if [ "$updated" = no ]; then
    "${as_root[@]}" apt-get update -qq
    updated=yes
  fi
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

install_missing "${wanted[@]}"
case "$profile" in
  package | test | bench)
    root=$(cd "$(dirname "$0")/.." && pwd)
    if ! (cd "$root" && dpkg-checkbuilddeps >/dev/null 2>&1); then
      echo "Installing the build dependencies of debian/control"
      export DEBIAN_FRONTEND=noninteractive
      [ "$updated" = yes ] || "${as_root[@]}" apt-get update -qq
      updated=yes
      "${as_root[@]}" apt-get build-dep -y -qq --no-install-recommends "$root"
    fi
    ;;
esac
if [ "$profile" = test ] || [ "$profile" = bench ]; then
  mapfile -t second < <(derived)
  install_missing "${second[@]}"
fi
