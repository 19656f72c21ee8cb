#!/usr/bin/env bash
# The map window's actions on the largest game, timed as a player meets them
# (TREVANOR_TIMING=1): Trevanor's optimised build starts on a virtual display
# with a window manager, the largest game (trevanor-gen --seed 7 --years 3
# --max) loaded at start; the map opens, the zoom steps in to the deepest
# level and out again twice, the names go on and off, the picture scrolls a
# screen by drag and by wheel, a right click opens a fleet's particulars,
# who can reach that fleet is asked for 1 to 9 years and sorted by
# distance, the game writes a new turn that is read through the bar, the
# movement list is sorted by distance, and the route filter's trails are
# drawn the first time.
# Prints the timing log, then the program's resident memory before the map
# opened, at the deepest zoom and after the map was closed.
#
#   bench/window_timing.sh BUILD_DIR SCALE [WIDTHxHEIGHT] [SHOTS_DIR]
#
# BUILD_DIR is an optimised build (scripts/bench.sh makes build-bench);
# SCALE goes to QT_SCALE_FACTOR; the screen is 1920x1080 unless given.
set -euo pipefail
build=$(realpath "$1") scale=$2 screen=${3:-1920x1080} shots=${4:-}
for tool in Xvfb openbox xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/deps.sh installs it)"; exit 77; }
done
work=$(mktemp -d)
pid="" wm="" xvfb=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
[ -n "${KEEP:-}" ] && trap - EXIT

"$build/tools/gen/trevanor-gen" --seed 7 --years 3 --max "$work/game" >/dev/null
mkdir -p "$work/home/.config/Pellam"
cat > "$work/home/.config/Pellam/Trevanor.conf" <<CONF
[General]
Autoload_MAP=dword:00000001
Autoload_map_file=sz:$work/game/MAX.MAP
skip_conf=dword:00000001

[MAX.MAP]
autoload_fleet=dword:00000001
first_report=sz:$work/game/MAX.F1
Own_race=sz:Vorlani
CONF

exec 5< <(Xvfb -displayfd 1 -screen 0 "${screen}x24" -nolisten tcp 2>/dev/null)
xvfb=$!
read -r -t 30 display <&5
export DISPLAY=:$display
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export QT_SCALE_FACTOR=$scale TREVANOR_TIMING=1 LC_ALL=C
${PERF:-} "$build/src/trevanor" > "$work/out.txt" 2> "$work/timing.txt" &
pid=$!

window() {  # waits for a window whose name matches, prints its id
  for _ in $(seq 100); do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [ -n "$w" ] && { echo "$w"; return; }
    sleep 0.2
  done
  echo "no window named $1" >&2; exit 1
}
rss() { awk '/VmRSS/ {print $2 / 1024 " MB"}' "/proc/$pid/status"; }
shot() { [ -z "$shots" ] || { mkdir -p "$shots"; import -window root "$shots/$1.png"; }; }
main=$(window "MAX.MAP")
sleep 2
echo "resident before the map: $(rss)"
xdotool windowactivate --sync "$main" key alt+v; sleep 0.5; xdotool key m
map=$(window "^Map$")
sleep 3
eval "$(xdotool getwindowgeometry --shell "$map")"
cx=$((X + WIDTH / 3)) cy=$((Y + HEIGHT / 2))
xdotool mousemove $cx $cy
for step in 1 2; do
  for _ in 1 2 3 4 5 6; do xdotool key ctrl+plus; sleep 1.2; done
  if [ "$step" = 1 ]; then
    echo "resident at 800%: $(rss)"; shot deepest
    # A fast drag across the deepest level, looked at while it goes on.
    xdotool mousedown 2
    for i in $(seq 40); do xdotool mousemove $((cx + 20 * i)) $((cy + 12 * i)); done
    shot scrolling; xdotool mouseup 2; sleep 1; shot scrolled
    xdotool mousemove $cx $cy
  fi
  for _ in 1 2 3 4 5 6; do xdotool key ctrl+minus; sleep 1.2; done
done
for _ in 1 2; do xdotool key ctrl+plus; sleep 1.2; done
for item in 1 n; do xdotool key alt+n; sleep 0.5; xdotool key "$item"; sleep 1.5; done
# Routes on and off: the status button is the second control after the group's first,
# and keeps the focus.
xdotool key alt+r Tab Tab space; sleep 2
xdotool key space; sleep 2
# A fleet found is centred and marked: a right click on it opens its particulars
# (the find bar stays until then: the picture is centred below it).
xdotool key ctrl+f; sleep 0.5; xdotool type --delay 20 "Zhaskar Hauler #175"; xdotool key Return; sleep 1.5
import -window root "$work/found.png"
# It lies in the middle of the picture: the columns, then the rows, of the window
# that are mostly black (the controls' text is black too, but sparse).
black_span() {  # image, geometry of the part looked at, "WIDTHx1" or "1xHEIGHT"; prints the first and last
  convert "$1" -crop "$2" +repage -fill white +opaque black -negate -scale "$3!" -depth 8 txt:- |
    awk -F'[,: ()]+' -v across="${3%%x*}" 'NR > 1 && $4 > 128 { k = across > 1 ? $1 : $2; if (f == "") f = k; l = k } END { print f, l }'
}
read -r c0 c1 < <(black_span "$work/found.png" "${WIDTH}x${HEIGHT}+$X+$Y" "${WIDTH}x1")
read -r r0 r1 < <(black_span "$work/found.png" "$((c1 - c0 + 1))x${HEIGHT}+$((X + c0))+$Y" "1x${HEIGHT}")
fx=$((X + (c0 + c1) / 2)) fy=$((Y + (r0 + r1) / 2))
# The selection's marker there, a yellow arrowhead, points up at the fleet from 3 pixels below it.
tip=$(convert "$work/found.png" -crop "$((160 * ${scale%.*}))x$((160 * ${scale%.*}))+$((fx - 80 * ${scale%.*}))+$((fy - 80 * ${scale%.*}))" \
  +repage -fill black +opaque yellow -trim -format "%X %Y %w" info: 2>/dev/null || true)
read -r tx ty tw <<<"${tip//+/}"
[ "${tw:-0}" -gt 1 ] && fx=$((fx - 80 * ${scale%.*} + tx + tw / 2)) fy=$((fy - 80 * ${scale%.*} + ty - 3 * ${scale%.*}))
xdotool mousemove $fx $fy click 3; sleep 2
shot particulars
echo "resident with the map open: $(rss)"
xdotool key Escape; sleep 0.5; xdotool windowactivate --sync "$map" key Escape; sleep 0.5
# A heading of a list, found by its place in the window: the list lies under a row of controls.
heading() {  # window id, left of the column in the window's own pixels
  eval "$(xdotool getwindowgeometry --shell "$1" | sed 's/^/H/')"
  xdotool mousemove $((HX + ${2} * ${scale%.*})) $((HY + 31 * ${scale%.*})) click 1; sleep 1.5
}
# Who can reach the fleet found, for one year, then for two to nine, sorted by distance twice.
xdotool windowactivate --sync "$map" key ctrl+r; sleep 2
reach=$(window "^Who can reach")
xdotool key alt+y; for _ in $(seq 8); do xdotool key Up; sleep 1; done
heading "$reach" 360; heading "$reach" 360
shot reach
xdotool windowactivate --sync "$reach" key Escape; sleep 1
# A screen by drag (middle button) and by wheel.
xdotool mousedown 2; for i in $(seq 20); do xdotool mousemove $((cx - 30 * i)) $cy; sleep 0.2; done; xdotool mouseup 2; sleep 1
xdotool mousemove $cx $cy; for _ in $(seq 6); do xdotool click 5; sleep 0.5; done; sleep 1
# The game writes a new turn (last year's report, written anew); the bar reads it.
cp "$work/game/MAX-1.F1" "$work/game/MAX.F1.new" && mv "$work/game/MAX.F1.new" "$work/game/MAX.F1"
sleep 4; shot new-turn
xdotool windowactivate --sync "$map" key alt+d; sleep 4
# What moved since: the movement list sorted by distance, twice.
xdotool windowactivate --sync "$main" key alt+v; sleep 0.5; xdotool key o
movement=$(window "^Movement$")
heading "$movement" 630; heading "$movement" 630
shot movement
xdotool windowactivate --sync "$movement" key Escape; sleep 1
# The trails of every fleet through the kept turns, the first time.
xdotool windowactivate --sync "$map" key alt+m; sleep 0.5; xdotool key u; sleep 4
shot trails
xdotool windowactivate --sync "$map" key alt+m; sleep 0.5; xdotool key c; sleep 2
echo "resident after closing the map: $(rss)"
grep -v "^QStandardPaths" "$work/timing.txt" || true

if [ -n "${KEEP:-}" ]; then echo "pid $pid display $DISPLAY"; sleep "$KEEP"; fi
