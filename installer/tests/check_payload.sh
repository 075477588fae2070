#!/usr/bin/env bash
# check_payload.sh SETUP.EXE x64|x86 OBJDUMP IMPORT_CHECK_DIR NAME...: unpacks the built installer and
# fails unless it carries exactly the named plug-ins (plus its uninstaller), each a DLL of the
# installer's bitness whose imports pass the import check.
set -euo pipefail
setup=$1 arch=$2 objdump=$3 import_check=$4; shift 4
expected=("$@")
case "$arch" in
  x64) format=pei-x86-64 ;;
  x86) format=pei-i386 ;;
  *) echo "unknown arch $arch"; exit 2 ;;
esac
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
7z x -y -o"$work" "$setup" >"$work/7z.log" || { cat "$work/7z.log"; exit 1; }

# 7-Zip shows NSIS's own files under $PLUGINSDIR; the payload is what lands in $INSTDIR.
mapfile -t found < <(cd "$work" && find . -type f -iname '*.dll' ! -path './$PLUGINSDIR/*' -printf '%f\n' | sort)
mapfile -t want < <(printf '%s\n' "${expected[@]}" | sort)
if [ "${found[*]}" != "${want[*]}" ]; then
  echo "FAIL payload is [${found[*]}], expected [${want[*]}]"; exit 1
fi
mkdir "$work/payload"
bad=0
for name in "${expected[@]}"; do
  file=$(find "$work" -type f -name "$name" ! -path '*/$PLUGINSDIR/*' | head -n1)
  got=$("$objdump" -f "$file" | sed -n 's/.*file format //p')
  [ "$got" = "$format" ] || { echo "FAIL $name is $got, expected $format"; bad=1; }
  cp "$file" "$work/payload/"
  echo "payload $name: $got"
done
"$import_check/check_imports.sh" "$objdump" "$import_check/allowed_dlls.txt" "$work/payload" || bad=1
exit $bad
