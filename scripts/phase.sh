#!/usr/bin/env bash
# One phase of `make test`, timed: its name and seconds go into TABLE, and
# the table is printed when the phase fails, so that a run says where its
# time went either way.
#   phase.sh TABLE NAME COMMAND...   run COMMAND as the phase NAME
#   phase.sh TABLE --print           print the table
set -uo pipefail
table=${1:?table file}
name=${2:?phase name}
shift 2

print() {
  echo
  echo "Phase                                               Seconds"
  awk -F'\t' '{ printf "%-50s %8d  %s\n", $1, $2, $3; total += $2 }
              END { printf "%-50s %8d\n", "all", total }' "$table"
}

if [ "$name" = --print ]; then
  print
  exit 0
fi
echo "=== $name"
start=$(date +%s)
"$@"
status=$?
mkdir -p "$(dirname "$table")"
printf '%s\t%s\t%s\n' "$name" "$(($(date +%s) - start))" "$([ $status -eq 0 ] || echo FAILED)" >>"$table"
[ $status -eq 0 ] || print
exit $status
