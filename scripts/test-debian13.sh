#!/usr/bin/env bash
# Runs `make test` on Debian 13: makes a fresh Debian 13 root with
# debootstrap from the archive apt already uses, clones the committed project
# into it, builds the program there with `make` and the run packages alone,
# builds the source and binary packages with nothing but their Build-Depends,
# then runs the suite and prints its summaries. The root's mounts are removed
# whatever happens; the root itself, in a fresh folder under /var/tmp (or
# VITAYEAR_DEBIAN13_ROOT), stays until the next run for a look at what
# failed: build/debian13-root names it.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
record=$src/build/debian13-root
suite=trixie

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# The Debian archive of this machine's own apt sources.
mirror=$(apt-get indextargets --format '$(REPO_URI) $(LABEL)' 'Identifier: Packages' 'Origin: Debian' |
  awk '$2 == "Debian" { print $1; exit }')
[ -n "$mirror" ] || { echo "test-debian13: apt uses no Debian archive to build the root from" >&2; exit 1; }

mounted() { findmnt -rn -o TARGET | grep -E "^$root(/|$)" | sort -r || true; }
unmount_all() {
  local target
  # Whatever a test left running in the root would keep its mounts busy.
  for pid in $(as_root ls /proc | grep -E '^[0-9]+$'); do
    [ "$(as_root readlink "/proc/$pid/root" 2>/dev/null)" = "$root" ] && as_root kill -KILL "$pid" 2>/dev/null
  done
  for target in $(mounted); do as_root umount "$target" 2>/dev/null || as_root umount -l "$target"; done
  return 0
}
# The previous run's root goes first.
if [ -f "$record" ]; then
  root=$(cat "$record")/root
  unmount_all
  if [ -n "$(mounted)" ]; then
    echo "test-debian13: $root still has mounts; not removing it" >&2
    exit 1
  fi
  as_root rm -rf --one-file-system "$(dirname "$root")"
  rm -f "$record"
fi
if [ -n "${VITAYEAR_DEBIAN13_ROOT:-}" ]; then
  mkdir "$VITAYEAR_DEBIAN13_ROOT"  # fails rather than reuse what is there
  top=$VITAYEAR_DEBIAN13_ROOT
else
  top=$(mktemp -d /var/tmp/vitayear-debian13.XXXXXX)
fi
mkdir -p "$(dirname "$record")"
echo "$top" >"$record"
root=$top/root
log=$top/make-test.log
trap unmount_all EXIT

start=$(date +%s)
echo "Making a Debian 13 root from $mirror in $root"
as_root debootstrap --variant=minbase --include=ca-certificates,git,make,sudo "$suite" "$root" "$mirror" \
  >"$top/debootstrap.log" 2>&1 || { tail -n 20 "$top/debootstrap.log" >&2; exit 1; }
made=$(date +%s)
echo "Root made in $((made - start)) s"

as_root mount -t proc proc "$root/proc"
as_root mount -t sysfs sysfs "$root/sys"
as_root mount --bind /dev "$root/dev"
as_root mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
as_root mount -t tmpfs tmpfs "$root/dev/shm"
as_root mount -t tmpfs tmpfs "$root/run"
as_root cp /etc/resolv.conf "$root/etc/resolv.conf"

as_root git clone --quiet --no-hardlinks "$src" "$root/work/vitayear"
echo "Running make test in the Debian 13 root (commit $(git -C "$src" rev-parse --short HEAD)); log in $log"
status=0
as_root chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  HOME=/root LANG=C.UTF-8 CI="${CI:-}" bash -c '
    set -e
    cd /work/vitayear
    # `make` builds the program with the run packages alone, installing nothing.
    fresh=$(apt-mark showmanual)
    scripts/install-deps.sh run
    before=$(dpkg-query -W | wc -l)
    make
    [ -x build/app/vitayear ] && [ "$(dpkg-query -W | wc -l)" = "$before" ] && ! dpkg -s libgtest-dev >/dev/null 2>&1
    echo "make built the program with the run packages alone"
    # Back to the fresh root, then what the Build-Depends name and nothing
    # else: the source package builds, tests included, as on a buildd.
    apt-mark auto $(comm -13 <(sort <<<"$fresh") <(apt-mark showmanual | sort)) >/dev/null
    apt-get autoremove --purge -y -qq >/dev/null
    DEBIAN_FRONTEND=noninteractive apt-get build-dep -y -qq --no-install-recommends ./ >/dev/null
    scripts/build-package.sh /var/tmp/clean-package-build
    echo "the source package built in a root with its Build-Depends alone"
    make test' >"$log" 2>&1 || status=$?

grep -E '^(make built|the source package built|reproducible:|package check:|=== |[0-9]+% tests passed|The following tests FAILED|[[:space:]]+[0-9]+ - )' "$log" || true
# make test's table of phases and their seconds.
sed -n '/^Phase  /,/^all /p' "$log"
echo "make test in Debian 13: exit $status after $(($(date +%s) - start)) s in all, $(($(date +%s) - made)) s after the root was made"
[ "$status" -eq 0 ] || tail -n 40 "$log"
exit "$status"
