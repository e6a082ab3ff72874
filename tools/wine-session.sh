# Sourced by the scripts that run the Windows programs: a private virtual
# display and Wine prefix, started in the order that avoids Wine's hangs and
# stopped by process id, never by name.
#
#   wine_session_start [display]   sets DISPLAY, WINEPREFIX and friends
#   wine_session_stop

wine_session_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

wine_session_free_display() {
  local n=${1:-91}
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  echo "$n"
}

wine_session_start() {
  export WINEPREFIX=${WINEPREFIX:-$wine_session_root/build/wine-prefix}
  export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ -z "${1:-}" ]; then
    local display
    display=$(wine_session_free_display 91)
    export DISPLAY=":$display"
    Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    wine_session_xvfb=$!
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$display" ] && break
      sleep 0.1
    done
  else
    export DISPLAY=$1
    wine_session_xvfb=
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    # Without a window manager Wine pauses a program for seconds whenever it
    # hides a window, unless windows are unmanaged.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
  fi
  wineserver -p
  # Start Wine's background services now, outside any test runner whose
  # output pipe they would otherwise keep open.
  wine cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${wine_session_xvfb:-}" ]; then
    kill "$wine_session_xvfb" 2>/dev/null || true
    wait "$wine_session_xvfb" 2>/dev/null || true
  fi
}
