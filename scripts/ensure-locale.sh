#!/usr/bin/env bash
# Makes sure a locale exists (the tests run again under a comma-decimal one).
set -euo pipefail
name=${1:-de_DE.UTF-8}
normal=$(printf '%s' "$name" | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')
if locale -a 2>/dev/null | tr 'A-Z' 'a-z' | grep -qx "$normal"; then
  exit 0
fi
lang=${name%%.*}
charset=${name#*.}
echo "Generating the locale $name"
if [ "$(id -u)" -eq 0 ]; then
  localedef -i "$lang" -f "$charset" "$name"
else
  sudo localedef -i "$lang" -f "$charset" "$name"
fi
