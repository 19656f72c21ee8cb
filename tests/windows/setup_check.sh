#!/usr/bin/env bash
# The Windows program as a player gets it: the Setup program installs it silently into
# a fresh Wine prefix; the installed trevanor.exe starts on a virtual display and shows
# its main window; with the demo game set in the registry to load at start, View, Map
# shows the demo's fleets in their owners' colours; after File, Exit the registry holds
# the settings it wrote with their types; the uninstaller removes what was installed and
# leaves the settings.
#
#   setup_check.sh SETUP_EXE WINE64 LINUX_DUMP SAMPLES_DIR OUT_DIR
#
# Screenshots go to OUT_DIR. Exits 77 (skipped) when Wine or the X tools are missing.
set -euo pipefail
setup=$(realpath "$1") wine=$2 dump=$(realpath "$3") samples=$(realpath "$4") out=$5
mkdir -p "$out"
out=$(realpath "$out")
rm -f "$out"/*.png
for tool in "$wine" Xvfb xdotool xwininfo import convert; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (scripts/deps.sh installs it)"; exit 77; }
done

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  "$(dirname "$wine")/wineserver" -k 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  import -window root "$out/failure.png" 2>/dev/null || true
  exit 1
}
# The X server picks a free display itself and names it on a pipe.
exec 5< <(Xvfb -displayfd 1 -screen 0 1600x1200x24 -nolisten tcp 2>"$work/xvfb.txt")
xvfb=$!
read -r -t 30 display <&5 || { echo "FAIL: the virtual display did not start: $(cat "$work/xvfb.txt")" >&2; exit 1; }
export DISPLAY=:$display

reg() { "$wine" reg "$@" 2>/dev/null | tr -d '\r'; }

# ---- a fresh prefix; the silent install for the current user ------------------------
"$wine" wineboot --init >/dev/null 2>&1 || fail "Wine could not make its prefix"
"$wine" "$setup" /S /CurrentUser || fail "the Setup program exited with $?"
user_dir=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Local/Programs 2>/dev/null | head -1)
inst=$user_dir/Trevanor
for f in trevanor.exe trevanor-dump.exe Uninstall.exe Qt6Widgets.dll platforms/qwindows.dll \
         styles/qwindowsvistastyle.dll fonts/tahoma.ttf samples/DEMO.MAP samples/DEMO.F1; do
  [ -f "$inst/$f" ] || fail "the Setup program did not install $f (in $inst)"
done
ls "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Trevanor.lnk >/dev/null 2>&1 ||
  fail "no Start-menu entry"
reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Trevanor' | grep -q UninstallString ||
  fail "no uninstall entry in the registry"
echo "installed in $inst"

# ---- the demo game to load at start, as a player's settings hold it -------------------
map='C:\users\'"$(basename "$(dirname "$(dirname "$(dirname "$user_dir")")")")"'\AppData\Local\Programs\Trevanor\samples\DEMO.MAP'
key='HKCU\Software\Pellam\Trevanor'
reg add "$key" /v Autoload_MAP /t REG_DWORD /d 1 /f >/dev/null
reg add "$key" /v Autoload_map_file /t REG_SZ /d "$map" /f >/dev/null
reg add "$key\\DEMO.MAP" /v autoload_fleet /t REG_DWORD /d 1 /f >/dev/null
reg add "$key\\DEMO.MAP" /v first_report /t REG_SZ /d "${map%.MAP}.F1" /f >/dev/null
reg add "$key\\DEMO.MAP" /v Own_race /t REG_SZ /d Vorlani /f >/dev/null

# Visible windows of the program, "id TAB caption" a line.
windows() {
  local w
  for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    xwininfo -id "$w" 2>/dev/null | grep -q 'Override Redirect State: yes' && continue
    printf '%s\t%s\n' "$w" "$(xdotool getwindowname "$w" 2>/dev/null)"
  done
}
wait_window() {  # caption
  local deadline=$((SECONDS + 60)) id
  while ((SECONDS < deadline)); do
    kill -0 "$pid" 2>/dev/null || fail "trevanor.exe ended while waiting for \"$1\""
    id=$(windows | awk -F'\t' -v c="$1" '$2 == c { print $1; exit }')
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.2
  done
  windows >&2
  fail "the window \"$1\" did not appear"
}
# Without a window manager Wine takes no focus from X: a click on the window
# activates it, then Alt and the menu's letter open the menu.
menu() {  # window, menu letter, item letter
  xdotool windowraise "$1"
  sleep 0.3
  xdotool mousemove --window "$1" 300 2 click 1
  sleep 0.5
  xdotool key "alt+$2"
  sleep 0.7
  xdotool key "$3"
}

# ---- the installed program: main window, then View, Map ---------------------------------
(cd "$work" && exec "$wine" "$inst/trevanor.exe" >"$work/stdout.txt" 2>"$work/stderr.txt") &
pid=$!
main=$(wait_window "DEMO.MAP + DEMO.F1")
sleep 1
import -window root "$out/01-main-window.png"
menu "$main" v m
map_window=$(wait_window "Map")
sleep 2
import -window root "$out/02-map.png"
echo "main window and map shown"

# The three report owners' fleets, each in its colour (the players section of the
# Linux dump: decimal 0x00BBGGRR), are drawn on the map.
while IFS=$'\t' read -r number race _ colour; do
  case "$race" in Vorlani|Quessari|Ozmari) ;; *) continue ;; esac
  hex=$(printf '#%02X%02X%02X' $((colour & 255)) $(((colour >> 8) & 255)) $(((colour >> 16) & 255)))
  count=$(convert "$out/02-map.png" -fill black +opaque "$hex" -fill white -opaque "$hex" \
          -format '%[fx:round(mean*w*h)]' info:)
  echo "   $race ($hex): $count pixels"
  ((count >= 20)) || fail "the map shows no fleets of $race in its colour $hex"
done < <(cd "$samples/.." && "$dump" --own-race Vorlani "samples/DEMO.MAP" "samples/DEMO.F1" \
           | sed -n '/^## players/,/^## /p' | grep -v '^##')

# ---- File, Exit; the settings with their registry types ------------------------------------
menu "$main" f x
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$pid" 2>/dev/null && fail "trevanor.exe did not end after File, Exit"
pid=""
settings=$(reg query "$key" /s)
echo "$settings" | sed 's/^/   /' | head -30
grep -Eq '^\s+Autoload_MAP\s+REG_DWORD\s+0x1$' <<<"$settings" || fail "Autoload_MAP is not the DWORD 1"
grep -Eq '^\s+Autoload_map_file\s+REG_SZ\s+C:\\' <<<"$settings" || fail "Autoload_map_file is not text"
# Written by the program itself: the question at a MAP change as a DWORD, the
# recent files as texts.
grep -Eq '^\s+skip_conf\s+REG_DWORD\s+0x0$' <<<"$settings" || fail "skip_conf was not written as the DWORD 0"
grep -Eq '^\s+rfile1\s+REG_SZ\s+C:\\.*DEMO\.MAP$' <<<"$settings" || fail "rfile1 was not written as the MAP's path"

# ---- a value of the wrong type: the program says so and ends --------------------------
reg add "$key" /v skip_conf /t REG_SZ /d 0 /f >/dev/null
(cd "$work" && exec "$wine" "$inst/trevanor.exe" >"$work/stdout.txt" 2>"$work/stderr.txt") &
pid=$!
box=$(wait_window "Trevanor")
sleep 1
import -window root "$out/03-wrong-type.png"
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key Return
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$pid" 2>/dev/null && fail "trevanor.exe went on after the settings could not be read"
pid=""
reg add "$key" /v skip_conf /t REG_DWORD /d 0 /f >/dev/null
echo "a REG_SZ where a DWORD belongs is refused"

# ---- the uninstaller removes the program and leaves the settings ------------------------
"$wine" "$inst/Uninstall.exe" /S /CurrentUser || true
for _ in $(seq 150); do [ -e "$inst" ] || break; sleep 0.2; done
[ -e "$inst" ] && fail "the uninstaller left $(find "$inst" | head -5 | tr '\n' ' ')"
reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Trevanor' | grep -q UninstallString &&
  fail "the uninstall entry is still in the registry"
reg query "$key" | grep -q Autoload_MAP || fail "the uninstaller removed the player's settings"
echo "uninstalled; the settings stay"
echo "PASS"
