#!/usr/bin/env bash
# Fails when a binary the build made carries a run path with an empty entry
# (which the dynamic loader reads as the current directory), or when the
# program itself carries any run path: every library it needs is the system's.
#   check-run-path.sh BUILD_DIR
set -euo pipefail
build=${1:?build folder}
status=0 checked=0
# Other builds kept inside this one (build/sanitize, say) are theirs to check.
prune=()
while IFS= read -r cache; do
  prune+=(-path "$(dirname "$cache")" -prune -o)
done < <(find "$build" -mindepth 2 -name CMakeCache.txt)
while IFS= read -r -d '' file; do
  [ "$(head -c 4 "$file" | od -An -c | tr -d ' ')" = '177ELF' ] || continue
  checked=$((checked + 1))
  paths=$(LC_ALL=C readelf -d "$file" | sed -n 's/.*(\(RPATH\|RUNPATH\)).*\[\(.*\)\]$/\2/p')
  [ -z "$paths" ] && continue
  if [ "$file" = "$build/app/vitayear" ]; then
    echo "run path in the program: $paths" >&2
    status=1
  fi
  while IFS= read -r entry; do
    case ":$entry:" in
      *::*) echo "empty run path entry in $file: [$entry]" >&2; status=1 ;;
    esac
  done <<<"$paths"
done < <(find "$build" "${prune[@]}" -type f -perm -u+x -print0)
[ -x "$build/app/vitayear" ] || { echo "no program in $build" >&2; exit 1; }
echo "$checked binaries checked"
exit "$status"
