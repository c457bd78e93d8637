# Shared by the scripts: where things are, the display and the Wine prefix.
# Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${LV_BUILD_DIR:-$ROOT/build}
case $BUILD in /*) ;; *) BUILD=$ROOT/$BUILD ;; esac
HOST_BUILD=$BUILD/host
WIN_BUILD=$BUILD/win32
OUT=$BUILD/out

export WINEPREFIX=$BUILD/wine
# An untouched copy of the prefix, taken while nothing runs in it: tests that
# change what the setup owns run in throwaway copies of this one.
PRISTINE_PREFIX=$BUILD/wine-pristine
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

lv_xvfb_pid=

# True when this machine runs 32-bit programs only through the user-mode
# emulator that setup-machine registers where the kernel cannot run them.
lv_emulated_32bit() {
  local entry
  for entry in /proc/sys/fs/binfmt_misc/*; do
    [ -f "$entry" ] || continue
    grep -qx enabled "$entry" 2>/dev/null && grep -q '^interpreter .*qemu-i386' "$entry" 2>/dev/null && return 0
  done
  return 1
}

# Starts our own Xvfb when no display is set; stopped by lv_cleanup.
lv_ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n
  for n in $(seq 90 140); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    lv_xvfb_pid=$!
    local i
    for i in $(seq 1 50); do
      [ -e /tmp/.X11-unix/X$n ] && break
      sleep 0.1
    done
    if kill -0 "$lv_xvfb_pid" 2>/dev/null; then
      export DISPLAY=:$n
      return 0
    fi
  done
  echo "could not start Xvfb" >&2
  return 1
}

# Creates the 32-bit prefix once; later calls only start its wineserver.
lv_ensure_prefix() {
  if [ ! -f "$WINEPREFIX/.lv-ready" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    # Without a window manager every hidden top-level window stalls ~2 s.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.lv-ready"
    rm -rf "$PRISTINE_PREFIX"
  fi
  if [ ! -d "$PRISTINE_PREFIX" ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    cp -a "$WINEPREFIX" "$PRISTINE_PREFIX.tmp"
    mv "$PRISTINE_PREFIX.tmp" "$PRISTINE_PREFIX"
  fi
  lv_start_wineserver
}

# A persistent server, and the system processes the first Wine program starts
# (services, devices), launched here with their output on /dev/null: started
# under a captured test they would inherit its pipe and keep it open forever.
lv_start_wineserver() {
  wineserver -p >/dev/null 2>&1
  wine cmd /c exit >/dev/null 2>&1 </dev/null
}

lv_cleanup() {
  if [ -d "$WINEPREFIX" ]; then wineserver -k 2>/dev/null || true; fi
  if [ -n "$lv_xvfb_pid" ]; then kill "$lv_xvfb_pid" 2>/dev/null || true; fi
}
