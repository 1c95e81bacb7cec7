#!/usr/bin/env bash
# The Debian packages as a distribution's builders and testers see them:
#  1. the source and binary packages, built with dpkg-buildpackage and its
#     tests, in OUT/first;
#  2. the binary packages built again from that source package, unpacked in
#     another folder under another name, later, in another time zone, locale
#     (the comma-decimal one make test makes) and umask, without tests: every
#     .deb must be byte-identical to the first;
#  3. lintian on the source and binary packages: no error, no warning;
#  4. the binary package's dependencies and contents;
#  5. its autopkgtest, against the package installed on this machine (removed
#     afterwards unless it was installed before).
#   check-package.sh [OUT]
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$src/build/package-check}
fail() { echo "package check: $*" >&2; exit 1; }

rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)

"$src/scripts/build-package.sh" "$out/first"
dsc=$(ls "$out"/first/vitayear_*.dsc)
deb=$(ls "$out"/first/vitayear_*.deb)

mkdir "$out/second"
dpkg-source -x "$dsc" "$out/second/rebuilt-elsewhere" >/dev/null
(cd "$out/second/rebuilt-elsewhere" && umask 0077 &&
  TZ=Pacific/Kiritimati LC_ALL=de_DE.UTF-8 DEB_BUILD_OPTIONS=nocheck DEB_BUILD_PROFILES=nocheck \
    dpkg-buildpackage -us -uc -jauto -b) >"$out/second.log" 2>&1 || { tail -n 40 "$out/second.log"; fail "the rebuild failed"; }
for first in "$out"/first/*.deb; do
  second=$out/second/$(basename "$first")
  [ -e "$second" ] || fail "the rebuild made no $(basename "$first")"
  if ! cmp -s "$first" "$second"; then
    if command -v diffoscope >/dev/null; then diffoscope "$first" "$second" | head -n 60 || true; fi
    fail "$(basename "$first") differs between the two builds"
  fi
  echo "reproducible: $(basename "$first") $(sha256sum <"$first" | cut -c1-16)"
done

changes=$(ls "$out"/first/vitayear_*.changes)
lintian --allow-root --fail-on error,warning --display-level '>=warning' "$changes" ||
  fail "lintian found errors or warnings"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for need in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 fonts-liberation; do
  grep -q "$need" <<<"$depends" || fail "no dependency on $need"
done
# The print module links libcups.so.2: the package that holds it here, at a
# version, as dpkg-shlibdeps found it.
cups_owner=$(dpkg-query -S '*/libcups.so.2' | sed -n 's/^\([^:]*\)\(:[a-z0-9]*\)\{0,1\}: .*\/libcups\.so\.2$/\1/p' | head -n 1)
grep -qE "(^|, )$cups_owner(:[a-z0-9]+)? \(>= [^)]+\)" <<<"$depends" || fail "no versioned dependency on $cups_owner"
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "does not recommend qt6-wayland"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/bin/vitayear \
            ./usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/vitayear/vitayear-print.so \
            ./usr/share/doc/vitayear/copyright \
            ./usr/share/doc/vitayear/changelog.Debian.gz \
            ./usr/share/man/man1/vitayear.1.gz \
            ./usr/share/applications/org.vitayear.Vitayear.desktop \
            ./usr/share/icons/hicolor/scalable/apps/org.vitayear.Vitayear.svg \
            ./usr/share/metainfo/org.vitayear.Vitayear.metainfo.xml; do
  grep -qx "$file" <<<"$contents" || fail "$file is missing"
done
if grep -qE 'test|bench|fuzz|\.a$|include/' <<<"$contents"; then
  fail "the package carries files the program does not need: $(grep -E 'test|bench|fuzz|\.a$|include/' <<<"$contents")"
fi
unpacked=$out/unpacked
dpkg-deb -x "$deb" "$unpacked"
if LC_ALL=C readelf -d "$unpacked/usr/bin/vitayear" | grep -qE '\((RPATH|RUNPATH)\)'; then
  fail "the packaged program carries a run path"
fi
# libcups and what it loads cost nothing at start-up: the print module links it.
program_needs=$(LC_ALL=C readelf -d "$unpacked/usr/bin/vitayear")
module_needs=$(LC_ALL=C readelf -d "$unpacked"/usr/lib/*/vitayear/vitayear-print.so)
if grep -q 'NEEDED.*libcups' <<<"$program_needs"; then fail "the program itself links libcups"; fi
grep -q 'NEEDED.*libcups\.so\.2' <<<"$module_needs" || fail "the print module does not link libcups"
entry=$unpacked/usr/share/applications/org.vitayear.Vitayear.desktop
metainfo=$unpacked/usr/share/metainfo/org.vitayear.Vitayear.metainfo.xml
desktop-file-validate "$entry"
"$src/scripts/validate-metainfo.sh" "$metainfo" >/dev/null
grep -q '^Exec=vitayear$' "$entry" || fail "the menu entry does not start vitayear"
# A Russian or Ukrainian desktop shows the menu entry and the software
# centre's page in its own language.
for lang in ru uk; do
  grep -q "^Comment\[$lang\]=" "$entry" || fail "the menu entry has no $lang comment"
  grep -q "<summary xml:lang=\"$lang\">" "$metainfo" || fail "the metainfo has no $lang summary"
  grep -q "<p xml:lang=\"$lang\">" "$metainfo" || fail "the metainfo has no $lang description"
done

was_installed=$(dpkg-query -W -f='${Status}' vitayear 2>/dev/null || true)
status=0
autopkgtest --output-dir "$out/autopkgtest" "$dsc" "$deb" -- null || status=$?
if [ "$was_installed" != "install ok installed" ]; then
  dpkg --purge vitayear >/dev/null 2>&1 || true
fi
[ "$status" -eq 0 ] || fail "the autopkgtest failed (exit $status; log in $out/autopkgtest)"
echo "package check: the packages build reproducibly, pass lintian and their autopkgtest"
