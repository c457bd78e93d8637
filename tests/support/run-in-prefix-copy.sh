#!/bin/bash
# Runs a Windows program in a throwaway copy of a Wine prefix, for tests that
# change what the setup owns (its registry keys, its folders). Give it the
# pristine prefix: nothing runs in that one, so the copy is consistent. The
# copy, its wineserver and its screen (an Xvfb of its own) are gone
# afterwards; the program's exit code is returned.
#   run-in-prefix-copy.sh PREFIX PROGRAM [ARGS...]
# LV_PREFIX_DPI=N gives the copy a screen of N pixels per inch;
# LV_PREFIX_UNTHEMED=1 turns its visual style off;
# LV_PREFIX_NO_COMMON_APPDATA=1 points its common application-data folder at
# a folder that does not exist, so the shell reports none;
# LV_PREFIX_SMALL_DRIVE=KB gives it a drive S: of that many kilobytes (a
# tmpfs of its own, so root only), which a test can fill up;
# LV_PREFIX_WINDOWS_LOAD_ORDER=NAME,... gives those libraries Windows' search
# order (a copy in the program's folder before the system's). Wine takes the
# overrides from the environment it starts with, not from a parent program.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"

prefix=$1
shift
lv_width "$(lv_prefix_width "$prefix")"
copy=$(mktemp -d "${TMPDIR:-/tmp}/lvprefix.XXXXXX")
export WINEPREFIX=$copy/wine

# A screen of its own, so that the windows of tests running beside this one
# cannot take the focus from it.
unset DISPLAY
lv_ensure_display

small=$copy/small-drive
cleanup() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  if mountpoint -q "$small"; then umount "$small"; fi
  rm -rf "$copy"
  if [ -n "$lv_xvfb_pid" ]; then kill "$lv_xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

cp -a "$prefix" "$WINEPREFIX"
# Values are written into the copy's registry files before its wineserver
# reads them: NAME=VALUE replaces NAME in the key, which is made if missing.
set_value() {  # FILE KEY NAME VALUE
  local reg=$WINEPREFIX/$1
  if grep -qF "[$2]" "$reg"; then
    KEY="[$2]" NAME="\"$3\"=" LINE="\"$3\"=$4" awk '
      pending && !/^#/ { print ENVIRON["LINE"]; pending = 0 }
      index($0, ENVIRON["KEY"]) == 1 { print; inkey = 1; pending = 1; next }
      /^\[/ { inkey = 0 }
      inkey && index($0, ENVIRON["NAME"]) == 1 { next }
      { print }
      END { if (pending) print ENVIRON["LINE"] }' "$reg" > "$reg.new"
    mv "$reg.new" "$reg"
  else
    printf '\n[%s]\n"%s"=%s\n' "$2" "$3" "$4" >> "$reg"
  fi
}
if [ -n "${LV_PREFIX_DPI:-}" ]; then
  dpi=$(printf 'dword:%08x' "$LV_PREFIX_DPI")
  set_value user.reg 'Control Panel\\Desktop' LogPixels "$dpi"
  set_value user.reg 'Software\\Wine\\Fonts' LogPixels "$dpi"
  set_value system.reg 'System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts' LogPixels "$dpi"
fi
if [ "${LV_PREFIX_UNTHEMED:-}" = 1 ]; then
  set_value user.reg 'Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager' ThemeActive '"0"'
fi
if [ "${LV_PREFIX_NO_COMMON_APPDATA:-}" = 1 ]; then
  for view in '' 'Wow6432Node\\'; do
    explorer='Software\\'$view'Microsoft\\Windows\\CurrentVersion\\Explorer'
    grep -qF "[$explorer"'\\Shell Folders]' "$WINEPREFIX/system.reg" || continue
    set_value system.reg "$explorer"'\\Shell Folders' 'Common AppData' '"C:\\NoCommonAppData"'
    set_value system.reg "$explorer"'\\User Shell Folders' 'Common AppData' 'str(2):"C:\\NoCommonAppData"'
  done
fi
if [ -n "${LV_PREFIX_SMALL_DRIVE:-}" ]; then
  mkdir "$small"
  mount -t tmpfs -o "size=${LV_PREFIX_SMALL_DRIVE}k,mode=1777" lvsmall "$small"
  ln -sfn "$small" "$WINEPREFIX/dosdevices/s:"
fi
if [ -n "${LV_PREFIX_WINDOWS_LOAD_ORDER:-}" ]; then
  export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$LV_PREFIX_WINDOWS_LOAD_ORDER=n,b"
fi
lv_start_wineserver
status=0
"$LV_WINE" "$@" || status=$?
exit $status
