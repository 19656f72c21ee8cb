#!/usr/bin/env bash
# Drives the real program on a virtual X display with real key presses and mouse
# clicks, the way a user goes through a first session with the demo game:
# open the MAP, add the own report, set the own race, answer the autoload
# question, open the map at 200%, zoom to 400% with Ctrl and the wheel, find a
# fleet with Ctrl+F, rest on it until its tool tip shows, save the picture,
# merge an ally's report, look at the fleet statistics and leave through
# File, Exit.
#
#   smoke.sh TREVANOR SAMPLES_DIR OUT_DIR
#
# Screenshots of each step go to OUT_DIR. Fails on a crash, a sanitizer report,
# a window that does not appear, or any window that should not be there (an
# error or warning box, for instance). No window manager runs under Xvfb, so
# the script gives each window the input focus itself. A virtual display that
# does not start skips the test with that reason: it is no fault of the program.
set -euo pipefail

for tool in Xvfb xdpyinfo xdotool xwininfo import; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is missing (scripts/deps.sh installs it)"
        exit 77
    fi
done
source "$(dirname "$(realpath "$0")")/../support/virtual_display.sh"

program=$(realpath "$1")
samples=$(realpath "$2")
out=$3
mkdir -p "$out"
rm -f "$out"/*.png
work=$(mktemp -d)
pid=""
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
    stop_virtual_display
    rm -rf "$work"
}
trap cleanup EXIT
if ! start_virtual_display 1600x1200x24; then
    echo "SKIP: the virtual display did not start"
    exit 77
fi

step=0
shot() {  # name
    step=$((step + 1))
    import -window root "$(printf '%s/%02d-%s.png' "$out" "$step" "$1")"
}
fail() {
    echo "FAIL: $*" >&2
    echo "Visible windows:" >&2
    windows >&2 || true
    import -window root "$out/failure.png" 2>/dev/null || true
    if [ -s "$work/stderr.txt" ]; then
        echo "--- standard error of trevanor ---" >&2
        head -c 20000 "$work/stderr.txt" >&2
    fi
    exit 1
}

# The program's visible top-level windows (menus, list pop-ups and tool tips left
# out), one "id TAB caption" a line.
windows() {
    local w
    for w in $(xdotool search --onlyvisible --class '^trevanor$' 2>/dev/null); do
        xwininfo -id "$w" 2>/dev/null | grep -q 'Override Redirect State: yes' && continue
        printf '%s\t%s\n' "$w" "$(xdotool getwindowname "$w" 2>/dev/null)"
    done
}

# Waits up to 30 s for a visible window with exactly this caption; prints its id.
# A message box (captioned with the application title, like the main window at
# start) that turns up meanwhile ends the test at once.
main=""
wait_window() {
    local caption=$1 deadline=$((SECONDS + 30)) id list
    while ((SECONDS < deadline)); do
        kill -0 "$pid" 2>/dev/null || fail "trevanor ended while waiting for the window \"$caption\""
        list=$(windows)
        if [ "$caption" != "Trevanor" ] &&
            awk -F'\t' -v m="$main" '$2 == "Trevanor" && $1 != m { found = 1 } END { exit !found }' <<<"$list"; then
            fail "a message box appeared while waiting for the window \"$caption\""
        fi
        id=$(awk -F'\t' -v c="$caption" '$2 == c { print $1; exit }' <<<"$list")
        if [ -n "$id" ]; then
            echo "$id"
            return
        fi
        sleep 0.1
    done
    fail "the window \"$caption\" did not appear"
}

wait_gone() {
    local caption=$1 deadline=$((SECONDS + 30))
    while ((SECONDS < deadline)); do
        windows | awk -F'\t' -v c="$caption" '$2 == c { found = 1 } END { exit !found }' || return 0
        sleep 0.1
    done
    fail "the window \"$caption\" did not close"
}

# The visible windows must be exactly these (any order).
expect_windows() {
    local want have
    want=$(printf '%s\n' "$@" | sort)
    have=$(windows | cut -f2 | sort)
    [ "$want" = "$have" ] || fail "expected the windows [$(echo "$want" | paste -sd '|')], found [$(echo "$have" | paste -sd '|')]"
}

focus() {  # window id
    xdotool windowraise "$1"
    xdotool windowfocus --sync "$1"
}

# Opens a menu of the focused window with Alt and its letter, waits for it, then
# presses the item's letter.
menu() {  # window id, menu letter, item key
    local before after deadline=$((SECONDS + 30))
    before=$(xdotool search --onlyvisible --class '^trevanor$' | wc -l)
    focus "$1"
    xdotool key "alt+$2"
    while :; do
        after=$(xdotool search --onlyvisible --class '^trevanor$' | wc -l)
        ((after > before)) && break
        ((SECONDS < deadline)) || fail "the menu alt+$2 did not open"
        sleep 0.1
    done
    xdotool key "$3"
}

# Types a path into the file name field of the open (or save) dialog and takes
# it. Should the field's completion list take the first Enter, a second one
# takes the file.
choose_file() {  # path [caption]
    local caption=${2:-Open} dialog deadline
    dialog=$(wait_window "$caption")
    focus "$dialog"
    xdotool key ctrl+a
    xdotool type --delay 10 "$1"
    sleep 0.3
    xdotool key Return
    deadline=$((SECONDS + 10))
    while windows | cut -f1 | grep -qx "$dialog"; do
        if ((SECONDS >= deadline)); then
            focus "$dialog"
            xdotool key Return
            break
        fi
        sleep 0.1
    done
    wait_gone "$caption"
}

settle() { sleep 0.5; }

# How many of the program's windows without a frame (menus, list pop-ups,
# tool tips) are visible.
framelessWindows() {
    local w n=0
    for w in $(xdotool search --onlyvisible --class '^trevanor$' 2>/dev/null); do
        xwininfo -id "$w" 2>/dev/null | grep -q 'Override Redirect State: yes' && n=$((n + 1))
    done
    echo "$n"
}

# Where the map's selection marker (the yellow arrowhead under the object
# selected) points, looked for within 80 pixels of a point: "x y".
marker_near() {  # x y
    local box
    import -window root "$work/marker.png"
    box=$(convert "$work/marker.png" -crop "161x161+$(($1 - 80))+$(($2 - 80))" +repage \
        -fill black +opaque '#FFFF00' -format '%@' info:)
    [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 1
    echo "$(($1 - 80 + BASH_REMATCH[3] + BASH_REMATCH[1] / 2)) $(($2 - 80 + BASH_REMATCH[4] - 3))"
}

# ---- start with an empty settings folder ------------------------------------
export XDG_CONFIG_HOME=$work/config
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(dirname "$(realpath "$0")")/lsan-suppressions.txt"

cd "$work"
"$program" >"$work/stdout.txt" 2>"$work/stderr.txt" &
pid=$!

main=$(wait_window "Trevanor")
expect_windows "Trevanor"
settle
shot start

# ---- File, Open MAP file -------------------------------------------------------
menu "$main" f o
choose_file "$samples/DEMO.MAP"
main=$(wait_window "DEMO.MAP")
expect_windows "DEMO.MAP"
settle
shot map-file-open

# ---- File, Add Fleet file: the own report, the own race, the autoload question -----
menu "$main" f f
choose_file "$samples/DEMO.F1"
race=$(wait_window "Select Own Race")
expect_windows "DEMO.MAP + DEMO.F1" "Select Own Race"
focus "$race"
settle
shot own-race
# Open the race list with a click, pick Vorlani by typing its name, OK with Enter.
xdotool mousemove --window "$race" 60 41 click 1
settle
xdotool type --delay 20 "Vorlani"
xdotool key Return
settle
focus "$race"
xdotool key Return
wait_gone "Select Own Race"
# The question whether to read this report with the MAP from now on: Yes.
question=$(wait_window "Trevanor")
expect_windows "DEMO.MAP + DEMO.F1" "Trevanor"
focus "$question"
settle
shot autoload-question
xdotool key alt+y
wait_gone "Trevanor"
expect_windows "DEMO.MAP + DEMO.F1"

# ---- View, Map; Zoom, 200% ------------------------------------------------------
menu "$main" v m
map=$(wait_window "Map")
# No window manager maximises it: the program gives it the screen itself.
settle
size=$(xdotool getwindowgeometry "$map" | awk '/Geometry:/ { print $2 }')
[ "$size" = 1600x1200 ] || fail "the map window is $size, not the whole screen"
focus "$map"
menu "$map" z 2
expect_windows "DEMO.MAP + DEMO.F1" "Map"
settle
shot map-200

# ---- Ctrl and the wheel to 400%; Find a fleet; rest on it; save the picture ----------
xdotool mousemove 600 500
for level in 300 400; do
    xdotool keydown ctrl click 4 keyup ctrl
    sleep 1
done
shot map-400
xdotool key ctrl+f
settle
xdotool type --delay 20 "Hauler #21"
xdotool key Return
settle
shot map-found
read -r mx my < <(marker_near 660 600) || fail "Find selected nothing near the middle of the view"
before=$(framelessWindows)
xdotool mousemove "$mx" "$my"
sleep 1.5
(($(framelessWindows) > before)) || fail "no tool tip while resting on the stack found at $mx,$my"
shot map-tooltip
xdotool mousemove 600 500
xdotool key Escape  # closes the Find bar
xdotool key ctrl+s
choose_file "$work/map.png" "Save As"
deadline=$((SECONDS + 30))  # the 4000-pixel picture is drawn and written
until [ "$(identify -format '%wx%h' "$work/map.png" 2>/dev/null)" = 4000x4000 ]; do
    ((SECONDS < deadline)) || fail "the saved picture is not the 400% map"
    sleep 0.5
done
focus "$map"

# ---- an ally's report through "Adding another report" ----------------------------
menu "$main" f f
ally=$(wait_window "Adding another report")
# Placed over the main window, not at the screen's corner over the map's menu.
place=$(xdotool getwindowgeometry "$ally" | awk '/Position:/ { print $2 }')
[ "$place" != 0,0 ] || fail "the ally report window opened at the screen's corner"
focus "$ally"
settle
xdotool type --delay 20 "Quessari"
settle
shot ally-window
xdotool key alt+l
choose_file "$samples/DEMO.F2"
wait_window "DEMO.MAP + DEMO.F1 + DEMO.F2" >/dev/null
expect_windows "DEMO.MAP + DEMO.F1 + DEMO.F2" "Map" "Adding another report"
settle
shot ally-merged
focus "$map"  # the map redraws when it becomes active
settle
shot map-merged

# ---- View, Fleet Statistics --------------------------------------------------------
menu "$main" v s
stats=$(wait_window "Fleet Statistics")
focus "$stats"  # the figures are computed when the window becomes active
expect_windows "DEMO.MAP + DEMO.F1 + DEMO.F2" "Map" "Adding another report" "Fleet Statistics"
settle
shot statistics

# ---- File, Exit ------------------------------------------------------------------
menu "$main" f x
deadline=$((SECONDS + 60))
while kill -0 "$pid" 2>/dev/null; do
    ((SECONDS < deadline)) || fail "trevanor did not end after File, Exit"
    sleep 0.2
done
status=0
wait "$pid" || status=$?
pid=""
if grep -Eq 'Sanitizer|runtime error:' "$work/stderr.txt"; then fail "sanitizer report"; fi
((status == 0)) || fail "trevanor ended with status $status"

# What the answers stored: own race, and the report to read with this MAP.
conf=$XDG_CONFIG_HOME/Pellam/Trevanor.conf
for want in 'Own_race=sz:Vorlani' "first_report=sz:$samples/DEMO.F1" 'autoload_fleet=dword:00000001'; do
    grep -qxF "$want" "$conf" || fail "the settings lack $want:"$'\n'"$(cat "$conf")"
done
echo "Smoke test passed; screenshots in $out"
