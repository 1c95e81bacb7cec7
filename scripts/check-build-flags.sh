#!/usr/bin/env bash
# Checks where the compiler and linker flags come from: a packager's
# environment (here dpkg-buildflags with hardening=-all) is used as given,
# with nothing of ours added and nothing twice, also where CXXFLAGS already
# carries CPPFLAGS as dh passes them; a build without one gets
# dpkg-buildflags' defaults with full hardening, each flag once; and the
# choice made on the first configure stays on the next one.
#   check-build-flags.sh SOURCE_DIR
set -euo pipefail
src=$(cd "${1:?source folder}" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "build flags: $*" >&2; exit 1; }

# The compile and link commands of the engine's test program.
commands() {
  ninja -C "$1" -t commands tests/engine/engine_tests | grep -E ' -c [^ ]*/engine/conversions\.cpp$| -o tests/engine/engine_tests '
}
configure() {  # folder, then env assignments
  local dir=$1
  shift
  env -u CFLAGS -u CXXFLAGS -u CPPFLAGS -u LDFLAGS "$@" \
    cmake -S "$src" -B "$dir" -G Ninja -DVITAYEAR_UI=OFF -DBUILD_TESTING=ON >/dev/null
}
count() { grep -oF -- "$1" <<<"$2" | wc -l; }
once() {  # flag, commands, what
  local n
  n=$(count "$1" "$2")
  [ "$n" -eq 1 ] || fail "$3: $1 appears $n times in one command: $2"
}

# A packager's flags, hardening switched off.
eval "$(cd "$src" && DEB_BUILD_MAINT_OPTIONS=hardening=-all dpkg-buildflags --export=sh)"
given=("CFLAGS=$CFLAGS" "CXXFLAGS=$CXXFLAGS" "CPPFLAGS=$CPPFLAGS" "LDFLAGS=$LDFLAGS")
configure "$scratch/given" "${given[@]}"
cmds=$(commands "$scratch/given")
compile=$(grep -F ' -c ' <<<"$cmds")
link=$(grep -vF ' -c ' <<<"$cmds")
for flag in $CXXFLAGS $CPPFLAGS; do once "$flag" "$compile" "given flags, compile"; done
for flag in $LDFLAGS; do once "$flag" "$link" "given flags, link"; done
for ours in -fstack-protector-strong -D_FORTIFY_SOURCE -fcf-protection -Wl,-z,now -Wl,-z,relro; do
  [ "$(count "$ours" "$cmds")" -eq 0 ] || fail "given flags, yet $ours was added"
done
# As dh's CMake build passes them: CPPFLAGS folded into CXXFLAGS as well.
configure "$scratch/folded" "${given[@]}" "CXXFLAGS=$CXXFLAGS $CPPFLAGS"
compile=$(commands "$scratch/folded" | grep -F ' -c ')
for flag in $CXXFLAGS $CPPFLAGS; do once "$flag" "$compile" "flags folded as dh folds them, compile"; done
# Configured again from a shell without them: still the packager's choice.
configure "$scratch/given"
[ "$(commands "$scratch/given")" = "$cmds" ] || fail "a second configure changed the given flags"

# No flags given: dpkg-buildflags' defaults with full hardening, each once.
configure "$scratch/default"
cmds=$(commands "$scratch/default")
compile=$(grep -F ' -c ' <<<"$cmds")
link=$(grep -vF ' -c ' <<<"$cmds")
for flag in -fstack-protector-strong -D_FORTIFY_SOURCE=2 -ffile-prefix-map; do once "$flag" "$compile" "defaults, compile"; done
for flag in -Wl,-z,now -Wl,-z,relro; do once "$flag" "$link" "defaults, link"; done
echo "build flags: given ones used as given, defaults hardened, nothing twice"
