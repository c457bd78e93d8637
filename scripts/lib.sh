# Shared by the scripts: where things are, the display and the Wine prefixes.
# Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${LV_BUILD_DIR:-$ROOT/build}
case $BUILD in /*) ;; *) BUILD=$ROOT/$BUILD ;; esac
HOST_BUILD=$BUILD/host
# The shipped program is 32-bit; its 64-bit twin from the same sources runs
# the Windows tests on machines that cannot run 32-bit code.
WIN_BUILD=$BUILD/win32
OUT=$BUILD/out
WIN64_BUILD=$BUILD/win64
OUT64=$BUILD/out64
# The fuzz targets, built with clang (libFuzzer) from the same sources.
FUZZ_BUILD=$BUILD/fuzz

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# lv_width 32|64: the prefix, its untouched copy and the loader of one width.
# Debian's wine picks the 32-bit loader whenever wine32 is installed, so
# 64-bit programs go through the 64-bit loader by name.
lv_width() {
  case $1 in
    32)
      export WINEPREFIX=$BUILD/wine WINEARCH=win32
      unset WINELOADER
      LV_WINE=wine
      ;;
    64)
      export WINEPREFIX=$BUILD/wine64 WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
      LV_WINE=/usr/lib/wine/wine64
      ;;
    *) echo "lv_width: 32 or 64, not $1" >&2; return 1 ;;
  esac
  # Tests that change what the setup owns run in throwaway copies of this
  # one, taken while nothing runs in it.
  PRISTINE_PREFIX=$WINEPREFIX-pristine
}

# The width of an existing prefix, from the architecture its registry names.
lv_prefix_width() {
  if grep -q '^#arch=win64' "$1/system.reg" 2>/dev/null; then echo 64; else echo 32; fi
}

lv_width 32
lv_xvfb_pid=

# True when the kernel runs 32-bit x86 programs itself, not through an emulator.
lv_native_32bit() {
  local entry
  for entry in /proc/sys/fs/binfmt_misc/*; do
    [ -f "$entry" ] || continue
    grep -qx enabled "$entry" 2>/dev/null && grep -q '^interpreter .*qemu-i386' "$entry" 2>/dev/null && return 1
  done
  [ -x /lib/ld-linux.so.2 ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

# Starts our own Xvfb when no display is set; stopped by lv_cleanup. The
# server picks a free display number itself (-displayfd), so scripts starting
# side by side never share one.
lv_ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local chosen i n
  chosen=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$chosen" >/dev/null 2>&1 &
  lv_xvfb_pid=$!
  for i in $(seq 1 100); do
    [ -s "$chosen" ] && break
    sleep 0.1
  done
  n=$(head -n 1 "$chosen")
  rm -f "$chosen"
  if [ -n "$n" ] && kill -0 "$lv_xvfb_pid" 2>/dev/null; then
    export DISPLAY=:$n
    return 0
  fi
  echo "could not start Xvfb" >&2
  return 1
}

# What every prefix is given; raise the version when it changes, so that a
# prefix made before takes it (and a new pristine copy) at its next use.
LV_PREFIX_SETTINGS=3
lv_prefix_settings() {
  # Without a window manager every hidden top-level window stalls ~2 s.
  "$LV_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # A crashing test must fail at once, not wait behind the crash dialog.
  "$LV_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  # Behind its dialog font Wine links the Windows fonts of Japanese, Chinese
  # and Korean text by name; here one font of the machine stands for them all.
  local font
  for font in "MS UI Gothic" "MS Gothic" "SimSun" "PMingLiU" "Gulim"; do
    "$LV_WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
  done
  # A new prefix links the user's desktop, documents and the like to the
  # host's home, which every prefix (and every test running beside another)
  # would then share: folders of the prefix's own instead.
  local link
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$link" ]; then
      rm "$link"
      mkdir "$link"
    fi
  done
  # The server writes the registry out when it stops.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  echo "$LV_PREFIX_SETTINGS" > "$WINEPREFIX/.lv-ready"
}

# Creates the selected width's prefix once and keeps its settings current;
# later calls only start its wineserver.
lv_ensure_prefix() {
  if [ ! -f "$WINEPREFIX/.lv-ready" ]; then
    rm -rf "$WINEPREFIX" "$PRISTINE_PREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    "$LV_WINE" wineboot -i >/dev/null 2>&1
    wineserver -w
    lv_prefix_settings
  elif [ "$(cat "$WINEPREFIX/.lv-ready")" != "$LV_PREFIX_SETTINGS" ]; then
    lv_prefix_settings
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
  wineserver -p >/dev/null 2>&1 || true  # already running is fine
  "$LV_WINE" cmd /c exit >/dev/null 2>&1 </dev/null
}

# Stops the wineservers of both prefixes and our own display.
lv_cleanup() {
  local width
  for width in 32 64; do
    lv_width $width
    if [ -d "$WINEPREFIX" ]; then wineserver -k 2>/dev/null || true; fi
  done
  if [ -n "$lv_xvfb_pid" ]; then kill "$lv_xvfb_pid" 2>/dev/null || true; fi
}
