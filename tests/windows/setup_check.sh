#!/usr/bin/env bash
# The Windows program as a player gets it: the Setup program installs it silently into
# a fresh Wine prefix; the installed trevanor.exe starts on a virtual display and shows
# its main window; with the demo game set in the registry to load at start, View, Map
# shows the demo's fleets in their owners' colours; after File, Exit the registry holds
# the settings it wrote with their types; the uninstaller removes what was installed and
# leaves the settings. Each step below says what else it checks.
#
#   setup_check.sh SETUP_EXE WINE64 LINUX_DUMP SAMPLES_DIR OUT_DIR WINDOW_TEXTS_EXE
#
# Screenshots go to OUT_DIR. Exits 77 (skipped) when Wine or the X tools are missing.
set -euo pipefail
setup=$(realpath "$1") wine=$2 dump=$(realpath "$3") samples=$(realpath "$4") out=$5 texts=$(realpath "$6")
mkdir -p "$out"
out=$(realpath "$out")
rm -f "$out"/*.png
for tool in "$wine" Xvfb xdotool xwininfo xprop import convert iconv strings; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (scripts/deps.sh installs it)"; exit 77; }
done

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  "$(dirname "$wine")/wineserver" -k 2>/dev/null || true
  [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null || true
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
# A window manager, as players have one: the focus moves as it moves for them (without
# one, a window shown after a message box was never at risk of losing the focus to it).
command -v openbox >/dev/null && { openbox >/dev/null 2>&1 & wm=$!; } ||
  echo "NOTE: no openbox (scripts/deps.sh installs it): the focus after a message box is not checked"

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
[ -e "$inst/README.md" ] || [ -e "$inst/samples/README.md" ] && fail "Markdown READMEs installed"
grep -q $'^Uninstalling\r$' "$inst/README.txt" || fail "no README.txt with CR LF ends"
# The link starts the program in its own folder (the link's only text ending so).
strings -el "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Trevanor.lnk |
  grep -q 'Programs\\Trevanor$' || fail "no Start-menu entry starting in the program's folder"
reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Trevanor' | grep -q UninstallString ||
  fail "no uninstall entry in the registry"
echo "installed in $inst"

# ---- the demo game to load at start, as a player's settings hold it; a game in a ------
# folder named in Cyrillic stored as an older version stored paths (forward slashes)
user=$(basename "$(dirname "$(dirname "$(dirname "$user_dir")")")")
docs="C:/Games/Игра" rus='C:\\Games\\Игра\\RUS'  # not in Documents: Wine links it to $HOME
mkdir -p "$WINEPREFIX/drive_c/${docs#C:/}"
for f in MAP F1; do cp "$samples/DEMO.$f" "$WINEPREFIX/drive_c/${docs#C:/}/RUS.$f"; done
key='HKEY_CURRENT_USER\Software\Pellam\Trevanor'
demo='C:\\users\\'$user'\\AppData\\Local\\Programs\\Trevanor\\samples\\DEMO'
printf '%s\r\n' 'Windows Registry Editor Version 5.00' "[$key]" '"Autoload_MAP"=dword:00000001' \
  "\"Autoload_map_file\"=\"$demo.MAP\"" "\"rfile1\"=\"$demo.MAP\"" "\"rfile2\"=\"$docs/RUS.MAP\"" "[$key\\DEMO.MAP]" \
  '"autoload_fleet"=dword:00000001' "\"first_report\"=\"$demo.F1\"" '"Own_race"="Vorlani"' "[$key\\RUS.MAP]" \
  '"autoload_fleet"=dword:00000001' "\"first_report\"=\"$docs/RUS.F1\"" '"Own_race"="Vorlani"' |
  { printf '\xff\xfe'; iconv -t UTF-16LE; } > "$work/seed.reg"
"$wine" reg import "$work/seed.reg" 2>/dev/null || fail "the settings could not be imported"
settings() { "$wine" reg export "$key" "$work/out.reg" /y >/dev/null 2>&1; iconv -f UTF-16 "$work/out.reg" | tr -d '\r'; }

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
    [ -z "$pid" ] || kill -0 "$pid" 2>/dev/null || fail "trevanor.exe ended while waiting for \"$1\""
    id=$(windows | awk -F'\t' -v c="$1" '$2 == c { print $1; exit }')
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.2
  done
  windows >&2
  fail "the window \"$1\" did not appear"
}
answer() {  # a window's caption: Enter there
  local id
  id=$(wait_window "$1")
  xdotool windowfocus --sync "$id" 2>/dev/null || true
  xdotool key Return
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
# Fixed in size: no edge to resize it by, no maximise button (Motif functions 0x2, 0x10).
functions=$(xprop -id "$main" _MOTIF_WM_HINTS | awk -F', ' '{ print $2 }')
[ -n "$functions" ] || fail "the main window carries no Motif hints: its frame is Wine's default"
((functions & 0x12)) && fail "the main window can be resized or maximised (Motif functions $functions)"
# The headline, 21 pixels bold, is far darker than regular letters (about 22 % ink).
eval "$(xwininfo -id "$main" | awk '/Absolute upper-left [XY]/ { print substr($3, 1, 1) "=" $NF }')"
ink=$(convert "$out/01-main-window.png" -crop "296x26+$((X + 6))+$((Y + 120))" +repage -threshold 50% -negate -trim \
      -format '%[fx:round(mean * 100)]' info:)
((ink >= 30)) || fail "the headline is not bold (ink $ink %)"
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

# ---- a right click on the demo's home stack (1668, 1418): the repair message, then the ---
# particulars. The map's picture is the black square (807 light years across) in its window.
eval "$(xdotool getwindowgeometry --shell "$map_window")"
read -r side left top < <(convert "$out/02-map.png" -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage -fill white -opaque black \
  -fill black +opaque white -define connected-components:verbose=true -define connected-components:area-threshold=40000 \
  -connected-components 4 null: | awk '/srgb\(255,255,255\)/ { split($2, box, /[x+]/); print box[1], box[3], box[4]; exit }')
xdotool mousemove $((X + left + 668 * side / 807)) $((Y + top + side - 418 * side / 807)) click 3
answer "Trevanor"
wait_window "Fleet Particulars (single fleet)" >/dev/null
sleep 1
import -window root "$out/03-particulars.png"
windows | grep -q $'\tFleet Particulars' || fail "the particulars vanished after the repair message"

# ---- the recent MAP in the Cyrillic folder; Enter on the question answers Yes -------------
menu "$main" f 2
answer "Trevanor"
wait_window "RUS.MAP + RUS.F1" >/dev/null
echo "the game in a folder named in Cyrillic read"

# ---- File, Exit; the settings with their registry types and native paths ------------------
menu "$main" f x
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$pid" 2>/dev/null && fail "trevanor.exe did not end after File, Exit"
pid=""
stored=$(settings)
echo "$stored" | sed 's/^/   /' | head -12
grep -q '^"Autoload_map_file"="C:\\\\' <<<"$stored" || fail "Autoload_map_file is not text"
# Written by the program itself: Yes left the question on (a DWORD); the paths read with
# '/' are written with '\', the Cyrillic letters as they are.
for line in '"Autoload_MAP"=dword:00000001' '"skip_conf"=dword:00000000' "\"rfile1\"=\"$rus.MAP\"" \
            "\"rfile2\"=\"$demo.MAP\"" "\"rfile3\"=\"$rus.MAP\"" "\"first_report\"=\"$rus.F1\""; do
  grep -qxF "$line" <<<"$stored" || fail "the settings lack $line"
done
ls "$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Pellam/Trevanor/history/RUS.MAP/"*/turn.txt >/dev/null ||
  fail "the turn read in the Cyrillic folder was not kept"

# ---- trevanor-dump.exe reads that game, keeps its turn and reads it back ------------------
dump_rus() {
  (cd "$inst" && "$wine" trevanor-dump.exe --own-race Vorlani "${rus//\\\\/\\}.MAP" "${rus//\\\\/\\}.F1" "$@" 2>&1 | tr -d '\r')
}
# kept in the Cyrillic folder too: the history's own paths are Unicode paths
kept='C:\Games\Игра\kept'
said=$(dump_rus --keep-history "$kept" && dump_rus --history "$kept" --trail 'Vorlani Hauler #21') ||
  fail "the dump: $(grep -a $'^error\t' <<<"$said" | head -1)"
[ "$(sed -n '/^## history/,/^## /p' <<<"$said" | grep -cE $'^[^\t]+\t1\t')" = 1 ] || fail "the dump kept no turn"
sed -n '/^## trail/,$p' <<<"$said" | grep -q $'\t1668\t1418$' || fail "the dump followed no trail"
ls "$WINEPREFIX/drive_c/Games/Игра/kept/"*/turn.txt >/dev/null || fail "the dump kept nothing in the Cyrillic folder"
echo "the dump read the game in the Cyrillic folder, kept its turn there and read it back"

# ---- a value of the wrong type: the program says so and ends --------------------------
reg add "$key" /v skip_conf /t REG_SZ /d 0 /f >/dev/null
(cd "$work" && exec "$wine" "$inst/trevanor.exe" >"$work/stdout.txt" 2>"$work/stderr.txt") &
pid=$!
wait_window "Trevanor" >/dev/null
sleep 1
import -window root "$out/04-wrong-type.png"
answer "Trevanor"
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$pid" 2>/dev/null && fail "trevanor.exe went on after the settings could not be read"
pid=""
reg add "$key" /v skip_conf /t REG_DWORD /d 0 /f >/dev/null
echo "a REG_SZ where a DWORD belongs is refused"

# ---- the uninstaller removes the program; its last page says what it kept -------------
version=${setup##*Setup-}
title="Trevanor ${version%.exe} Uninstall "  # NSIS ends it with a blank
("$wine" "$inst/Uninstall.exe" /CurrentUser >/dev/null 2>&1 &)
answer "$title"
for _ in $(seq 60); do
  said=$("$wine" "$texts" "$title" 2>/dev/null | tr -d '\r')
  grep -q '^Completing' <<<"$said" && break
  sleep 0.5
done
import -window root "$out/05-uninstalled.png"
grep -q 'Your settings stay (in the registry under HKEY_CURRENT_USER\\SOFTWARE\\Pellam\\Trevanor)' <<<"$said" &&
  grep -qE "turns Trevanor kept: [0-9.]+ [KM]B in C:.users.$user.AppData.Roaming.Pellam.Trevanor.history" <<<"$said" ||
  fail "the uninstaller's last page does not say what it kept: $said"
answer "$title"
for _ in $(seq 150); do [ -e "$inst" ] || break; sleep 0.2; done
[ -e "$inst" ] && fail "the uninstaller left $(find "$inst" | head -5 | tr '\n' ' ')"
reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Trevanor' | grep -q UninstallString &&
  fail "the uninstall entry is still in the registry"
reg query "$key" | grep -q Autoload_MAP || fail "the uninstaller removed the player's settings"
echo "uninstalled; the settings stay"
echo "PASS"
