# Sourced by the demo scripts, after they set `bin` (the Windows programs)
# and `out` (where screenshots go) and started their Wine session.

ctl() { wine "$bin/standin-ctl.exe" "$@"; }
shot() { sleep 0.5; import -window root "$out/$1.png" && echo "  screenshot $out/$1.png"; }
say() { echo "$(basename "$0"): $*"; }

# The X window of a program's window, by its exact caption.
window_of() {
  local id
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  echo "$(basename "$0"): no window \"$1\"" >&2
  return 1
}

# Clicks (or double-clicks) at a pixel of a window, given in twips as the
# controls are designed (15 twips to the pixel at 96 dots per inch).
click_at() {
  local window=$1 x=$2 y=$3 count=${4:-1}
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + x / 15)) $((Y + y / 15)) click --repeat "$count" --delay 80 1
}

# Drags a window by the point given in twips to a place on the screen.
drag_to() {
  local window=$1 x=$2 y=$3 toX=$4 toY=$5
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + x / 15)) $((Y + y / 15)) mousedown 1
  for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((X + x / 15 + (toX - X) * step / 8)) $((Y + y / 15 + (toY - Y) * step / 8))
    sleep 0.05
  done
  xdotool mouseup 1
}
