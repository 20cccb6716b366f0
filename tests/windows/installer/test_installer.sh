#!/usr/bin/env bash
# The installer as a user runs it, in a wine prefix of its own that nothing was installed in:
#   1. silent install; the programs, the data and ZODRIX.INI (there was none) are in place and
#      the VBScript client and the command line work with no further step;
#   2. the installed server registers for the current user only (HKCU\Software\Classes, what
#      an account without administrator rights gets) and removes that again. Windows merges
#      the user's classes into HKEY_CLASSES_ROOT; wine 8 does not, so no client tries them;
#   3. silent removal: the uninstaller closes the running window, unregisters the server and
#      leaves no files, no registry keys and no ZODRIX.INI of its own behind;
#   4. an existing ZODRIX.INI is left alone by installing and by removing.
# usage: test_installer.sh SETUP.EXE VBSCRIPT_CLIENT(windows path) PREFIX
# A settled prefix named by $ORBELLE_WINE_TEMPLATE is copied rather than made anew.
set -uo pipefail
setup="$1" client="$2" prefix="$3" template="${ORBELLE_WINE_TEMPLATE:-}"
here="$(cd "$(dirname "$0")" && pwd)"
wine_run="$here/../../../scripts/windows/wine-run"
export WINEPREFIX="$prefix"

failures=0
check() {  # check DESCRIPTION COMMAND...
  local what="$1"; shift
  if "$@" >/dev/null 2>&1; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
finish() {
  timeout 30 wineserver -k 2>/dev/null
  rm -rf "$prefix" "$prefix.lock"
}
trap finish EXIT

rm -rf "$prefix"
if [[ -n "$template" && -e "$template/.orbelle-settled" ]]; then
  cp -a "$template" "$prefix"
else
  "$wine_run" --settle
fi
windows="$prefix/drive_c/windows"
installed="$prefix/drive_c/Program Files/Orbelle Angles"
rm -f "$windows/ZODRIX.INI"

clsid='CLSID\{15970D44-8EE7-4477-A793-44289D155C8D}'
registry_keys=(
  'HKCR\OrbelleAngles.QuilanCls'
  "HKCR\\$clsid"
  'HKCR\Interface\{D8CD9F51-A98A-4857-8465-39401FDA0D28}'
  'HKCR\TypeLib\{0D11CF4D-0812-4936-9D73-09B873954216}'
  'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\OrbelleAngles'
)
registered() { "$wine_run" reg query "$1"; }
not() { ! "$@"; }
remove() {  # the uninstaller copies itself away and returns at once: wait for the prefix
  "$wine_run" "C:\\Program Files\\Orbelle Angles\\Uninstall.exe" /S && timeout 60 wineserver -w
}

echo "# 1. silent install into a fresh prefix"
start=$EPOCHREALTIME
check "OrbelleAngles-setup.exe /S exits 0" "$wine_run" "$setup" /S
echo "# install took $(awk "BEGIN { printf \"%.1f\", $EPOCHREALTIME - $start }") s"
check "server, command line and data installed" test -f "$installed/OrbelleAngles.exe" -a -f "$installed/orbelle-angles.exe" \
  -a -f "$installed/data/ZodrixTC2.Dat" -a -f "$installed/data/JUPITER"
check "ZODRIX.INI names the installed data" grep -q 'Directory=C:\\Program Files\\Orbelle Angles\\data\\' "$windows/ZODRIX.INI"
for key in "${registry_keys[@]}"; do check "registered: $key" registered "$key"; done
check "the VBScript client works" bash -c "'$wine_run' cscript.exe //nologo '$client' | grep -q 'all checks passed'"
check "the installed command line prints the table" bash -c \
  "test \$('$wine_run' 'C:\\Program Files\\Orbelle Angles\\orbelle-angles.exe' table '12/25/2026 10:30' | grep -c '[0-9]\\.[0-9][0-9]') -eq 11"

echo "# 2. registration for the current user only"
server="C:\\Program Files\\Orbelle Angles\\OrbelleAngles.exe"
check "/RegServer /User registers in the user's classes, not the machine's" eval '"$wine_run" "$server" /UnregServer &&
  "$wine_run" "$server" /RegServer /User && registered "HKCU\\Software\\Classes\\$clsid" &&
  ! registered "HKLM\\Software\\Classes\\$clsid"'
check "/UnregServer removes it" eval '"$wine_run" "$server" /UnregServer && ! registered "HKCU\\Software\\Classes\\$clsid"'
check "/RegServer registers the machine again" "$wine_run" "$server" /RegServer

echo "# 3. silent removal"
check "Uninstall.exe /S" remove
check "no files left" not test -e "$installed"
for key in "${registry_keys[@]}"; do check "unregistered: $key" not registered "$key"; done
check "the ZODRIX.INI it wrote is gone" not test -e "$windows/ZODRIX.INI"

echo "# 4. an existing ZODRIX.INI stays as it is"
printf '[EPHEM]\r\nDirectory=D:\\ZODRIX\\\r\n[SETUP]\r\nGMT=3\r\n' >"$windows/ZODRIX.INI"
cp "$windows/ZODRIX.INI" "$prefix/zodrix-before"
check "install again" "$wine_run" "$setup" /S
check "ZODRIX.INI unchanged by the install" cmp "$prefix/zodrix-before" "$windows/ZODRIX.INI"
check "remove again" remove
check "ZODRIX.INI unchanged by the removal" cmp "$prefix/zodrix-before" "$windows/ZODRIX.INI"

if ((failures)); then echo "$failures installer checks failed"; exit 1; fi
echo "all installer checks passed"
