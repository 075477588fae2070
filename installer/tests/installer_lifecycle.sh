#!/usr/bin/env bash
# The installer's whole life in a fresh Wine prefix, with HostSimRegistrar.dll standing in for the
# player's plug-in registrar:
#   1. a silent install registers every plug-in exactly as regsvr32 by hand does, and host_sim finds
#      the DSP and the panel;
#   2. a silent uninstall leaves the registry and the program folders as they were before, apart
#      from the parent keys the plug-ins keep and the panel's saved settings (kept unless asked);
#   3. installing twice and uninstalling once (/REMOVESETTINGS) leaves nothing behind either;
#   4. a plug-in that cannot be registered stops the installer, names the DLL, rolls back;
#   5. while the player runs, neither installer nor uninstaller starts.
#
# installer_lifecycle.sh --bed DIR --display-of BED --setup EXE --bin DIR --stand-in EXE
#                        --makensis "COMMAND WITH DEFINES" --nsi SCRIPT --plugins A.dll,B.dll
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
winebed=$here/../../tools/winebed/winebed
while [ $# -gt 0 ]; do
  case "$1" in
    --bed) bed=$2 ;; --display-of) display_of=$2 ;; --setup) setup=$2 ;; --bin) bin=$2 ;;
    --stand-in) stand_in=$2 ;; --makensis) makensis=$2 ;; --nsi) nsi=$2 ;; --plugins) IFS=',' read -ra plugins <<<"$2" ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
  shift 2
done

"$winebed" start --bed "$bed" --fresh --display-of "$display_of"
bed=$(cd "$bed" && pwd)
stand_in_pid=
finish() {
  [ -n "$stand_in_pid" ] && kill "$stand_in_pid" 2>/dev/null || true
  "$winebed" stop --bed "$bed"
}
trap finish EXIT

prefix=$bed/prefix
work=$bed/work; rm -rf "$work"; mkdir -p "$work"
instdir_w='C:\Program Files\Vardal Acoustics\Tevaro Player SE'
instdir="$prefix/drive_c/Program Files/Vardal Acoustics/Tevaro Player SE"
log="$prefix/drive_c/users/$(id -un)/Temp/TevaroPlayerSE-setup.log"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TevaroPlayerSE'
failures=0

wine_run() { "$winebed" run --bed "$bed" "$@" </dev/null; }
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
pass() { echo "ok   $*"; }

# The parent keys the plug-ins create and, by design, keep when they unregister; and the stand-in
# registrar's own list of plug-ins by type, which stays as the player's would.
keep=(
  'HKEY_LOCAL_MACHINE\Software\Microsoft\MediaPlayer'
  'HKEY_LOCAL_MACHINE\Software\Microsoft\MediaPlayer\UIPlugins'
  'HKEY_LOCAL_MACHINE\Software\Microsoft\MediaPlayer\Objects'
  'HKEY_LOCAL_MACHINE\Software\Microsoft\MediaPlayer\Objects\Effects'
  'HKEY_LOCAL_MACHINE\Software\Tevaro'
  'HKEY_LOCAL_MACHINE\Software\Tevaro\HostSim'
  'HKEY_LOCAL_MACHINE\Software\Tevaro\HostSim\MediaPlugins'
  'HKEY_LOCAL_MACHINE\Software\Tevaro\HostSim\MediaPlugins\{6434BAEA-4954-498D-ABD5-2B07123E1F04}'
)
# Wine's own per-session state (pointer settings of the virtual display), not the product's.
ignore=('HKEY_CURRENT_USER\Software\Wine')
settings_key='HKEY_CURRENT_USER\Software\Vardal Acoustics'

snapshot() {  # NAME: registry (the machine's and the user's software keys) and program folders
  wine_run reg export 'HKLM\Software' "$(winepath_w "$work/$1.hklm.reg")" /y >/dev/null
  wine_run reg export 'HKCU\Software' "$(winepath_w "$work/$1.hkcu.reg")" /y >/dev/null
  (cd "$prefix/drive_c" && find "Program Files" "Program Files (x86)" -printf '%p %s\n' 2>/dev/null | sort) >"$work/$1.files"
}
winepath_w() { WINEPREFIX=$prefix WINEDEBUG=-all winepath -w "$1" 2>/dev/null; }

compare() {  # WHAT BEFORE AFTER [extra registry_snapshot options]: same registry and folders
  local what=$1 a=$2 b=$3; shift 3
  local opts=()
  for k in "${keep[@]}"; do opts+=(--keep "$k"); done
  for k in "${ignore[@]}"; do opts+=(--ignore "$k"); done
  local out ok=1
  out=$(python3 "$here/registry_snapshot.py" diff "$work/$a.hklm.reg" "$work/$b.hklm.reg" "${opts[@]}" "$@") || ok=0
  out+=$'\n'$(python3 "$here/registry_snapshot.py" diff "$work/$a.hkcu.reg" "$work/$b.hkcu.reg" "${opts[@]}" "$@") || ok=0
  diff -u "$work/$a.files" "$work/$b.files" >"$work/$a-$b.files.diff" || { ok=0; out+=$'\n'$(cat "$work/$a-$b.files.diff"); }
  if [ $ok -eq 1 ]; then pass "$what"; else fail "$what"; echo "$out" | sed 's/^/     /'; fi
}

run_setup() {  # EXE [ARGS]: runs an installer, prints its exit code
  rm -f "$log"
  local rc=0
  wine_run "$@" || rc=$?
  echo $rc
}

uninstall() {  # [ARGS]: the uninstaller, run as a copy with _?= so that the run can be awaited
  cp "$instdir/Uninstall.exe" "$prefix/drive_c/tevaro-uninstall.exe"
  local rc=0
  # cmd passes the line on as typed: _?= must be the last argument and may not be quoted.
  wine_run cmd /c "C:\\tevaro-uninstall.exe /S $* _?=$instdir_w" || rc=$?
  rm -f "$prefix/drive_c/tevaro-uninstall.exe"
  echo $rc
}

# The player stand-in: its registrar, and the player's own per-user value of the DSP (written by a
# first host_sim run, so that the baseline holds it).
"$winebed" regsvr32 --bed "$bed" "$bin/HostSimRegistrar.dll"
wine_run "$bin/host_sim.exe" panel --enable true --settings none >/dev/null 2>&1 || true
snapshot baseline

# 1. Install silently; the player's view of it.
rc=$(run_setup "$setup" /S)
[ "$rc" = 0 ] && pass "silent install exits 0" || fail "silent install exits $rc: $(cat "$log" 2>/dev/null)"
for p in "${plugins[@]}" Uninstall.exe; do
  [ -f "$instdir/$p" ] || fail "$p not installed"
done
entry=$(wine_run reg query "$uninstall_key" | tr -d '\r')
for want in "DisplayName    REG_SZ    Tevaro Player SE" "DisplayVersion    REG_SZ    " "Publisher    REG_SZ    Vardal Acoustics" \
            "UninstallString    REG_SZ    \"$instdir_w\\Uninstall.exe\"" "EstimatedSize    REG_DWORD    0x"; do
  grep -qF "$want" <<<"$entry" || fail "uninstall entry lacks '$want'"
done
size_kb=$(( $(sed -n 's/.*EstimatedSize    REG_DWORD    \(0x[0-9a-f]*\).*/\1/p' <<<"$entry") ))
files_kb=$(( $(du -sk --apparent-size "$instdir" | cut -f1) ))
[ "$size_kb" -ge $((files_kb - 8)) ] && [ "$size_kb" -le $((files_kb + 8)) ] \
  && pass "uninstall entry: EstimatedSize $size_kb KB" || fail "EstimatedSize $size_kb KB, folder holds $files_kb KB"
list=$(wine_run "$bin/host_sim.exe" list | tr -d '\r')
grep -q '^{79021042-5CA7-422B-8AB4-C0D7E3F7B638}  priority 1  audio/PCM  Tevaro Player SE DSP' <<<"$list" \
  && pass "host_sim list finds the DSP" || fail "host_sim list: $list"
effects=$(wine_run "$bin/host_sim.exe" effects | tr -d '\r')
for effect in Glintora Tessaray Throbwave Emberlux CoverDrift; do
  grep -q "^$effect " <<<"$effects" && pass "host_sim effects finds $effect" || fail "host_sim effects: $effects"
done
panel=$(wine_run "$bin/host_sim.exe" panel --enable true --settings none | tr -d '\r')
saved_word=$(sed -n 's/^registry Settings \(0x[0-9A-F]*\)$/\1/p' <<<"$panel")
grep -q '^plugin {058C269C-D673-4575-9708-38270C44DE60} .* capabilities 0x40000004' <<<"$panel" \
  && grep -q '^destroy 0x00000000' <<<"$panel" && [ -n "$saved_word" ] \
  && pass "host_sim panel opens the panel, which saves its settings" || fail "host_sim panel: $panel"
snapshot installed

# 2. Uninstall silently: the settings the panel saved stay, everything else goes.
rc=$(uninstall)
[ "$rc" = 0 ] && pass "silent uninstall exits 0" || fail "silent uninstall exits $rc"
snapshot uninstalled
kept=$(wine_run reg query 'HKCU\Software\Vardal Acoustics\Controller' /v Settings | tr -d '\r' | sed -n 's/.*REG_DWORD *//p')
[ -n "$saved_word" ] && [ $((kept)) -eq $((saved_word)) ] \
  && pass "uninstall keeps the saved settings" || fail "uninstall removed the saved settings"
compare "uninstall leaves the baseline (but the kept settings)" baseline uninstalled --ignore "$settings_key"

# The same plug-ins registered by hand give the very registry the installer gave (but its own
# uninstall entry) and the same folder (but the uninstaller).
mkdir -p "$instdir"
for p in "${plugins[@]}"; do cp "$bin/$p" "$instdir/"; done
for p in "${plugins[@]}"; do wine_run regsvr32 /s "$instdir_w\\$p" || fail "regsvr32 $p by hand"; done
snapshot by_hand
for part in hklm.reg hkcu.reg; do cp "$work/installed.$part" "$work/installed_payload.$part"; done
grep -v '/Uninstall.exe ' "$work/installed.files" >"$work/installed_payload.files"
compare "the installer registers exactly as regsvr32 by hand" by_hand installed_payload \
  --ignore "${uninstall_key/HKLM/HKEY_LOCAL_MACHINE}"
for p in "${plugins[@]}"; do wine_run regsvr32 /s /u "$instdir_w\\$p" || fail "regsvr32 /u $p by hand"; done
rm -rf "$prefix/drive_c/Program Files/Vardal Acoustics"

# 3. Twice installed, once uninstalled, settings removed on request.
for round in 1 2; do
  rc=$(run_setup "$setup" /S); [ "$rc" = 0 ] || fail "install round $round exits $rc"
done
rc=$(uninstall /REMOVESETTINGS)
[ "$rc" = 0 ] || fail "uninstall /REMOVESETTINGS exits $rc"
snapshot twice
compare "install twice, uninstall once with /REMOVESETTINGS leaves the baseline" baseline twice

# 4. A plug-in that cannot be loaded: the installer names it, undoes the ones before it and
# leaves nothing installed. The second plug-in is broken so that the first one has to be rolled
# back.
broken=$work/broken-payload; mkdir -p "$broken"
for p in "${plugins[@]}"; do cp "$bin/$p" "$broken/"; done
broken_name=${plugins[1]}
head -c 1024 "$bin/$broken_name" >"$broken/$broken_name"
# shellcheck disable=SC2086
$makensis -DPAYLOAD_DIR="$broken" -DOUTFILE="$work/broken-setup.exe" "$nsi" >"$work/makensis.log" 2>&1 \
  || { cat "$work/makensis.log"; fail "makensis of the broken installer"; }
rc=$(run_setup "$work/broken-setup.exe" /S)
[ "$rc" = 3 ] && pass "a failing registration exits 3" || fail "a failing registration exits $rc"
grep -q "$broken_name could not be registered" <(iconv -f UTF-16LE -t UTF-8 "$log" 2>/dev/null) \
  && pass "the failure names $broken_name" || fail "the log does not name $broken_name: $(iconv -f UTF-16LE -t UTF-8 "$log" 2>/dev/null)"
snapshot broken
compare "a failed installation leaves the baseline" baseline broken

# 5. The player is running: neither installer nor uninstaller starts.
start_player() {
  rm -f "$work/player-up"
  "$winebed" run --bed "$bed" "$stand_in" "$(winepath_w "$work/player-up")" </dev/null >/dev/null 2>&1 &
  stand_in_pid=$!
  for _ in $(seq 1 200); do [ -f "$work/player-up" ] && return 0; sleep 0.05; done
  fail "the stand-in player did not start"
}
stop_player() { kill "$stand_in_pid" 2>/dev/null || true; wait "$stand_in_pid" 2>/dev/null || true; stand_in_pid=; }
says_player_runs() { grep -q "Windows Media Player is running" <(iconv -f UTF-16LE -t UTF-8 "$log" 2>/dev/null); }

start_player
rc=$(run_setup "$setup" /S)
[ "$rc" = 4 ] && says_player_runs && [ ! -d "$instdir" ] \
  && pass "the installer refuses while the player runs (exit 4)" || fail "with the player running, install exits $rc"
stop_player
rc=$(run_setup "$setup" /S); [ "$rc" = 0 ] || fail "install after the player closed exits $rc"
start_player
rm -f "$log"
rc=$(uninstall)
[ "$rc" = 4 ] && says_player_runs && [ -f "$instdir/${plugins[0]}" ] \
  && pass "the uninstaller refuses while the player runs (exit 4)" || fail "with the player running, uninstall exits $rc"
stop_player
rc=$(uninstall /REMOVESETTINGS); [ "$rc" = 0 ] || fail "uninstall after the player closed exits $rc"
snapshot closed
compare "after the refusals, uninstalling leaves the baseline" baseline closed

echo "$failures failure(s)"
[ $failures -eq 0 ]
