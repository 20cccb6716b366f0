#!/usr/bin/env bash
# Registration for the current user only (HKCU\Software\Classes, what an account without
# administrator rights gets): the keys go there and not to the machine, and /UnregServer
# removes them. Windows merges the user's classes into HKEY_CLASSES_ROOT, so clients find the
# class; wine 8 does not merge them, so activation through them is not tried here.
# The machine's registration is restored at the end for the other tests.
# usage: test_per_user_registration.sh SERVER.EXE
set -uo pipefail
server="$1"
wine_run="$(cd "$(dirname "$0")" && pwd)/../../../scripts/windows/wine-run"
user_key='HKCU\Software\Classes\CLSID\{15970D44-8EE7-4477-A793-44289D155C8D}\LocalServer32'
machine_key='HKLM\Software\Classes\CLSID\{15970D44-8EE7-4477-A793-44289D155C8D}'
failures=0
check() {
  local what="$1"; shift
  if "$@" >/dev/null 2>&1; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
not() { ! "$@"; }

check "/UnregServer" "$wine_run" "$server" /UnregServer
check "/RegServer /User" "$wine_run" "$server" /RegServer /User
check "the class is registered for the user" "$wine_run" reg query "$user_key"
check "and not for the machine" not "$wine_run" reg query "$machine_key"
check "/UnregServer removes the user's registration" bash -c \
  "'$wine_run' '$server' /UnregServer && ! '$wine_run' reg query '$user_key'"
check "/RegServer (the machine again)" "$wine_run" "$server" /RegServer
((failures)) && exit 1
echo "all registration checks passed"
