#!/usr/bin/env bash
# check_imports.sh OBJDUMP ALLOWLIST DIR: fails if a .dll or .exe in DIR imports a DLL that is not on
# the allow-list (a MinGW runtime DLL such as libstdc++-6.dll would make the plug-in unloadable).
set -uo pipefail
objdump=$1 allow=$2 dir=$3
mapfile -t allowed < <(grep -v '^#' "$allow" | tr 'A-Z' 'a-z' | sed '/^$/d')
shopt -s nullglob nocaseglob
files=("$dir"/*.dll "$dir"/*.exe)
[ ${#files[@]} -gt 0 ] || { echo "no Windows binaries in $dir"; exit 1; }
bad=0
for f in "${files[@]}"; do
  imports=$("$objdump" -p "$f" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
  [ -n "$imports" ] || { echo "FAIL $(basename "$f"): no import table found"; bad=1; continue; }
  for dll in $imports; do
    ok=0
    for a in "${allowed[@]}"; do [ "$dll" = "$a" ] && ok=1 && break; done
    if [ $ok -eq 0 ]; then echo "FAIL $(basename "$f") imports $dll"; bad=1; fi
  done
  echo "checked $(basename "$f"): $(echo $imports)"
done
exit $bad
