#!/usr/bin/env bash
# The installer and the suite's kinds of clients on one of the callers' platforms, as a user
# meets them, in a wine prefix of its own that nothing was installed in and on an X server of
# its own:
#   wow64  64-bit Windows with its 32-bit subsystem: the 64-bit programs are installed; the
#          clients are 64-bit and 32-bit
#   win32  32-bit Windows: the 32-bit programs, 32-bit clients
#  1. silent install: the programs, the data, ZODRIX.INI (there was none), the Start-menu
#     entry, the Apps & features entry, the server's keys in both registry views;
#  2. each client: late bound (IDispatch) and early bound (the vtable), of each bitness, and
#     VBScript through the 32-bit and the 64-bit cscript; the window shows the table (a
#     screenshot per client);
#  3. the Start-menu entry (the program started without a switch) shows the table for now
#     (screenshot);
#  4. (wow64) registration for the current user only, in both views, and its removal;
#  5. silent removal: no files, no keys in either view, no entries; the untouched ZODRIX.INI it
#     wrote is gone; the user's position file stays;
#  6. (wow64) ZODRIX.INI extended by the suite after the install survives the removal
#     unchanged, and an existing one is left alone by installing and removing.
# usage: test_installer.sh wow64|win32 SETUP.EXE CLIENT64.EXE CLIENT32.EXE VBSCRIPT(windows path) PREFIX SCREENSHOTS
# A settled prefix named by $ORBELLE_WINE_TEMPLATE (wow64) or $ORBELLE_WINE32_TEMPLATE (win32)
# is copied rather than made anew.
set -uo pipefail
platform="$1" setup="$2" client64="$3" client32="$4" vbscript="$5" prefix="$6" screenshots="$7"
here="$(cd "$(dirname "$0")" && pwd)"
wine_run="$here/../../../scripts/windows/wine-run"
export WINEPREFIX="$prefix"
if [[ "$platform" == win32 ]]; then
  export WINEARCH=win32
  template="${ORBELLE_WINE32_TEMPLATE:-}"
else
  template="${ORBELLE_WINE_TEMPLATE:-}"
fi
mkdir -p "$screenshots"
rm -f "$screenshots/$platform-"*.png

failures=0
check() {  # check DESCRIPTION COMMAND...
  local what="$1"; shift
  if "$@" >/dev/null 2>&1; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
finish() {
  timeout 30 wineserver -k 2>/dev/null
  [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null
  rm -rf "$prefix" "$prefix.lock"
}
trap finish EXIT

exec 5< <(Xvfb -displayfd 6 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 6>&1 2>/dev/null)
xvfb=$!
read -r -t 20 display <&5
export DISPLAY=":$display"

rm -rf "$prefix"
if [[ -n "$template" && -e "$template/.orbelle-settled" ]]; then
  cp -a "$template" "$prefix"
else
  "$wine_run" --settle
fi
windows="$prefix/drive_c/windows"
installed="$prefix/drive_c/Program Files/Orbelle Angles"
shortcut="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Planets Position.lnk"
rm -f "$windows/ZODRIX.INI"

# The 64-bit reg reads both views of a WoW64 prefix (/reg:32, /reg:64); 32-bit Windows has one.
views=(32 64) reg=(env ORBELLE_WINE_LOADER=/usr/lib/wine/wine64 "$wine_run" reg)
[[ "$platform" == win32 ]] && views=(32) reg=("$wine_run" reg)
clsid='{15970D44-8EE7-4477-A793-44289D155C8D}'
class_keys=("CLSID\\$clsid" 'Interface\{D8CD9F51-A98A-4857-8465-39401FDA0D28}'
            'TypeLib\{0D11CF4D-0812-4936-9D73-09B873954216}' 'OrbelleAngles.QuilanCls')
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\OrbelleAngles'
in_view() { "${reg[@]}" query "$2" "/reg:$1" "${@:3}"; }
registered_everywhere() {  # ROOT: every key of the server in every view
  local view key
  for view in "${views[@]}"; do for key in "${class_keys[@]}"; do in_view "$view" "$1\\$key" || return 1; done; done
}
registered_nowhere() {
  local view key
  for view in "${views[@]}"; do for key in "${class_keys[@]}"; do ! in_view "$view" "$1\\$key" || return 1; done; done
}
# The 64-bit view on 64-bit Windows, the only one on 32-bit Windows.
programs_view="${views[-1]}"
remove() {  # the uninstaller copies itself away and returns at once: wait for the prefix
  "$wine_run" "C:\\Program Files\\Orbelle Angles\\Uninstall.exe" /S && timeout 60 wineserver -w
}
screenshot() {  # NAME: the window as the user sees it
  local window
  window=$(xwininfo -name "Planets Position" | sed -nE 's/.*Window id: (0x[0-9a-f]+).*/\1/p')
  [[ -n "$window" ]] && import -window "$window" "$screenshots/$platform-$1.png"
}
closer="$client64"
[[ "$platform" == win32 ]] && closer="$client32"
client() {  # NAME COMMAND...: a client that leaves the table on the window; its screenshot
  local name="$1" output; shift
  output="$("$@" 2>&1)"
  sed -n "s/^\(ok\|FAILED\): /  \1: $name: /p" <<<"$output"
  if grep -q "all checks passed" <<<"$output" && screenshot "$name" && "$wine_run" "$closer" shown | grep -q "all checks passed"; then
    echo "ok: $name"
  else
    echo "FAILED: $name"; failures=$((failures + 1))
  fi
}

echo "# 1. silent install ($platform)"
start=$EPOCHREALTIME
check "OrbelleAngles-setup.exe /S exits 0" "$wine_run" "$setup" /S
echo "# install took $(awk "BEGIN { printf \"%.1f\", $EPOCHREALTIME - $start }") s"
check "server, command line and data installed" test -f "$installed/OrbelleAngles.exe" -a -f "$installed/orbelle-angles.exe" \
  -a -f "$installed/data/ZodrixTC2.Dat" -a -f "$installed/data/JUPITER"
bits=32
[[ "$platform" == wow64 ]] && bits=64
check "the $bits-bit programs installed" bash -c "file '$installed/OrbelleAngles.exe' '$installed/orbelle-angles.exe' | grep -c \
  '$([[ $bits == 64 ]] && echo x86-64 || echo 'Intel 80386')' | grep -qx 2"
check "ZODRIX.INI names the installed data" grep -q 'Directory=C:\\Program Files\\Orbelle Angles\\data\\' "$windows/ZODRIX.INI"
check "registered per machine in every registry view (${views[*]})" registered_everywhere HKCR
for value in DisplayName Publisher DisplayVersion DisplayIcon EstimatedSize UninstallString QuietUninstallString; do
  check "Apps & features: $value" in_view "$programs_view" "$uninstall_key" /v "$value"
done
check "the Start-menu entry \"Planets Position\"" test -f "$shortcut"

echo "# 2. the clients"
if [[ "$platform" == wow64 ]]; then
  client "64-bit-late-bound" "$wine_run" "$client64" late
  client "64-bit-early-bound" "$wine_run" "$client64" early
fi
client "32-bit-late-bound" "$wine_run" "$client32" late
client "32-bit-early-bound" "$wine_run" "$client32" early
if [[ "$platform" == wow64 ]]; then
  client "32-bit-cscript" "$wine_run" 'C:\windows\syswow64\cscript.exe' //nologo "$vbscript"
  client "64-bit-cscript" env ORBELLE_WINE_LOADER=/usr/lib/wine/wine64 "$wine_run" cscript.exe //nologo "$vbscript"
else
  client "32-bit-cscript" "$wine_run" cscript.exe //nologo "$vbscript"
fi

echo "# 3. the Start-menu entry: the program without a switch"
"$wine_run" start.exe 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Planets Position.lnk'
"$wine_run" "$closer" now >"$prefix/now.log"
sed -n "s/^\(ok\|FAILED\): /  \1: Start menu: /p" "$prefix/now.log"
screenshot start-menu
"$wine_run" "$closer" shown >>"$prefix/now.log"
check "\"Planets Position\" shows the table for now" test "$(grep -c "all checks passed" "$prefix/now.log")" = 2

if [[ "$platform" == wow64 ]]; then
  echo "# 4. registration for the current user only"
  server="C:\\Program Files\\Orbelle Angles\\OrbelleAngles.exe"
  check "/RegServer /User registers in the user's classes in both views, not the machine's" eval '"$wine_run" "$server" /UnregServer &&
    "$wine_run" "$server" /RegServer /User && registered_everywhere "HKCU\\Software\\Classes" && registered_nowhere HKLM\\Software\\Classes'
  check "/UnregServer removes it from both views" eval '"$wine_run" "$server" /UnregServer && registered_nowhere "HKCU\\Software\\Classes"'
  check "/RegServer registers the machine again" "$wine_run" "$server" /RegServer
fi

echo "# 5. silent removal"
check "the position file is there before" test -f "$windows/OrbelleAnglesPos.Ini"
cp "$windows/OrbelleAnglesPos.Ini" "$prefix/position-before"
check "Uninstall.exe /S" remove
check "no files left" test ! -e "$installed"
check "no keys left in any registry view" registered_nowhere HKCR
check "no Apps & features entry" eval '! in_view "$programs_view" "$uninstall_key"'
check "no Start-menu entry" test ! -e "$shortcut"
check "the ZODRIX.INI it wrote, untouched, is gone" test ! -e "$windows/ZODRIX.INI"
check "the user's position file stays as it was" cmp "$prefix/position-before" "$windows/OrbelleAnglesPos.Ini"

if [[ "$platform" == wow64 ]]; then
  echo "# 6. the suite's settings survive"
  check "install again" "$wine_run" "$setup" /S
  printf '[OPTIONS]\r\nVALUE=12345\r\n[SETUP]\r\nGMT=1\r\n' >>"$windows/ZODRIX.INI"
  cp "$windows/ZODRIX.INI" "$prefix/zodrix-extended"
  check "remove again" remove
  check "ZODRIX.INI extended by the suite survives unchanged" cmp "$prefix/zodrix-extended" "$windows/ZODRIX.INI"
  check "install over it" "$wine_run" "$setup" /S
  check "the existing ZODRIX.INI unchanged by the install" cmp "$prefix/zodrix-extended" "$windows/ZODRIX.INI"
  check "and by the removal" remove
  check "ZODRIX.INI still unchanged" cmp "$prefix/zodrix-extended" "$windows/ZODRIX.INI"
fi

if ((failures)); then echo "$failures installer checks failed"; exit 1; fi
echo "all installer checks passed"
