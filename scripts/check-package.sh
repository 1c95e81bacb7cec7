#!/usr/bin/env bash
# Builds the Debian package from a build folder, checks its contents and
# dependencies, installs it into a scratch root and starts the installed
# program there.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "package check: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$scratch/out" --config CPackConfig.cmake >/dev/null)
deb=$(ls "$scratch"/out/vitayear_*.deb)
echo "built $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for need in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 fonts-liberation; do
  grep -q "$need" <<<"$depends" || fail "no dependency on $need"
done
# The program opens libcups.so.2 itself: the package that holds it on this
# release (libcups2, or libcups2t64 on Debian 13), at a version.
arch=$(dpkg --print-architecture)
cups_owner=$(dpkg-query -S '*/libcups.so.2' | sed -n "s/^\([^:]*\)\(:$arch\)\?: .*\/libcups\.so\.2$/\1/p" | head -n 1)
[ -n "$cups_owner" ] || fail "no installed package holds libcups.so.2"
grep -qE "(^|, )$cups_owner \(>= [^)]+\)" <<<"$depends" || fail "no versioned dependency on $cups_owner"

# Installed with apt on a Wayland desktop, it runs there natively.
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "does not recommend qt6-wayland"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/bin/vitayear \
            ./usr/share/doc/vitayear/copyright \
            ./usr/share/doc/vitayear/changelog.gz \
            ./usr/share/man/man1/vitayear.1.gz \
            ./usr/share/applications/org.vitayear.Vitayear.desktop \
            ./usr/share/icons/hicolor/scalable/apps/org.vitayear.Vitayear.svg \
            ./usr/share/metainfo/org.vitayear.Vitayear.metainfo.xml; do
  grep -qx "$file" <<<"$contents" || fail "$file is missing"
done
if grep -qE 'test|bench|fuzz|\.a$|include/' <<<"$contents"; then
  fail "the package carries files the program does not need: $(grep -E 'test|bench|fuzz|\.a$|include/' <<<"$contents")"
fi

# Debian's own checks: no error and no warning (hints are allowed).
lintian --allow-root --fail-on error,warning "$deb" || fail "lintian found errors or warnings"

# apt can satisfy every dependency on this Debian machine.
apt-get install --simulate "$deb" >/dev/null || fail "apt cannot install $(basename "$deb")"

root=$scratch/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
# The scratch root holds no libraries; the dependencies were checked above.
dpkg --root="$root" --force-depends --force-not-root --log=/dev/null -i "$deb" >/dev/null 2>&1
dpkg --root="$root" -s vitayear | grep -q '^Status: install ok installed' || fail "dpkg did not install it"

# The installed program searches no run path of its own.
if LC_ALL=C readelf -d "$root/usr/bin/vitayear" | grep -qE '\((RPATH|RUNPATH)\)'; then
  fail "the installed program carries a run path"
fi

desktop-file-validate "$root/usr/share/applications/org.vitayear.Vitayear.desktop"
"$(dirname "$0")/validate-metainfo.sh" "$root/usr/share/metainfo/org.vitayear.Vitayear.metainfo.xml" >/dev/null
grep -q '^Exec=vitayear$' "$root/usr/share/applications/org.vitayear.Vitayear.desktop"
# A Russian or Ukrainian desktop shows the menu entry and the software
# centre's page in its own language.
for lang in ru uk; do
  grep -q "^Comment\[$lang\]=" "$root/usr/share/applications/org.vitayear.Vitayear.desktop" ||
    fail "the menu entry has no $lang comment"
  grep -q "<summary xml:lang=\"$lang\">" "$root/usr/share/metainfo/org.vitayear.Vitayear.metainfo.xml" ||
    fail "the metainfo has no $lang summary"
  grep -q "<p xml:lang=\"$lang\">" "$root/usr/share/metainfo/org.vitayear.Vitayear.metainfo.xml" ||
    fail "the metainfo has no $lang description"
done

# The installed program starts and stays up until it is stopped.
status=0
XDG_RUNTIME_DIR=$scratch QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/vitayear" || status=$?
[ "$status" -eq 124 ] || fail "the installed program exited with $status instead of running"
echo "package installs and starts"
