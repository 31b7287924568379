#!/usr/bin/env bash
# The real window under Xvfb: a screenshot, the mouse moves e2-e4, the engine answers, a second
# screenshot, the moved pieces checked by their pixels, F3's list of moves, the game saved and loaded
# back through the file dialogs. Screenshots stay in build/.
#   scripts/smoke-x11.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
program=$build/bin/tolvane-chess
shots=$build/smoke
mkdir -p "$shots"
rm -f "$shots"/*.png

fail() { echo "smoke-x11: $*" >&2; exit 1; }
[ -x "$program" ] || fail "$program is not built"
for tool in Xvfb xdotool import convert xdpyinfo xprop; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
done
if [ ! -x "$build/bin/tolvane.exe" ]; then
  # Without the engine program the scripted stand-in answers e7e5.
  [ -x "$build/bin/stand-in-engine" ] || fail "neither tolvane.exe nor stand-in-engine is built"
  printf 'greet Tolvane stand-in\ngreet ready\nalways go => move e7e5\nalways e2e4 => move e7e5\n' \
    >"$shots/stand-in.script"
  export TOLVANE_ENGINE=$PWD/$build/bin/stand-in-engine
  export STAND_IN_SCRIPT=$PWD/$shots/stand-in.script STAND_IN_RECORD=$PWD/$shots/stand-in.record
  echo "smoke-x11: no tolvane.exe, the stand-in engine answers"
fi

# Xvfb picks a free display itself and writes its number, so parallel runs never share a server.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$shots/display" >"$shots/xvfb.log" 2>&1 &
xvfb=$!
program_pid=
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$shots/display" ] && break; sleep 0.1; done
[ -s "$shots/display" ] || fail "Xvfb did not start (see $shots/xvfb.log)"
export DISPLAY=:$(head -1 "$shots/display")
unset QT_QPA_PLATFORM
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || fail "Xvfb on $DISPLAY does not answer"

"$program" >"$shots/program.log" 2>&1 &
program_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tolvane - chess program$' | head -1) ||
  fail "the window did not appear"
# The window carries the program's icon for the title bar and the task list.
xprop -id "$window" _NET_WM_ICON | grep -q 'Icon (48 x 48)' || fail "the window shows no icon"
# No window manager runs here to maximize it: give it a size of its own.
xdotool windowmove --sync "$window" 0 0
xdotool windowsize --sync "$window" 800 600
sleep 1

shot() { import -window root "$shots/$1.png"; }
# The colour of one screen pixel as RRGGBB.
pixel() {
  convert "$shots/$1.png" -crop "1x1+$2+$3" -depth 8 txt:- | sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tail -1
}
# The share (0..1) of one colour among the pixels of a rectangle.
share() {
  convert "$shots/$1.png" -crop "${4}x${5}+$2+$3" +repage -fill black +opaque "#$6" -fill white \
    -opaque "#$6" -format '%[fx:mean]' info:
}

shot start
eval "$(xdotool getwindowgeometry --shell "$window")"  # X Y WIDTH HEIGHT
# The board begins below the menu: the first pure white pixel down the left edge (a8 is light).
top=
for ((y = Y; y < Y + HEIGHT; y++)); do
  if [ "$(pixel start $((X + 2)) "$y")" = FFFFFF ]; then top=$y; break; fi
done
[ -n "$top" ] || fail "no board found in $shots/start.png"
board_h=$((Y + HEIGHT - top))
square_w=$((WIDTH / 8))
square_h=$((board_h / 8))
centre() { echo "$((X + $1 * WIDTH / 8 + square_w / 2)) $((top + $2 * board_h / 8 + square_h / 2))"; }
# Share of a colour in the inner part of a display square.
square_share() {
  share "$1" $((X + $2 * WIDTH / 8 + square_w / 8)) $((top + $3 * board_h / 8 + square_h / 8)) \
    $((square_w * 3 / 4)) $((square_h * 3 / 4)) "$4"
}
echo "smoke-x11: window $WIDTH x $HEIGHT at $X,$Y, board from y $top"

# The initial position: a White pawn on e2 (light square, red on white), a Black pawn on e7.
awk -v s="$(square_share start 4 6 FF0000)" 'BEGIN { exit !(s > 0.05) }' || fail "no White pawn on e2"
awk -v s="$(square_share start 4 1 0000FF)" 'BEGIN { exit !(s > 0.05) }' || fail "no Black pawn on e7"

read -r ex ey <<<"$(centre 4 6)"
xdotool mousemove --sync "$ex" "$ey" click 1
sleep 0.3
read -r ex ey <<<"$(centre 4 4)"
xdotool mousemove --sync "$ex" "$ey" click 1

# Wait for the engine's answer to show: a Black piece leaves its square in the two top rows.
answered=
for _ in $(seq 120); do
  sleep 0.5
  shot after
  changed=$(compare -metric AE \
    -extract "${WIDTH}x$((board_h / 4))+$X+$top" "$shots/start.png" "$shots/after.png" null: 2>&1 || true)
  if [ "${changed%% *}" != 0 ]; then answered=1; break; fi
done
[ -n "$answered" ] || fail "the engine did not answer (see $shots/after.png)"
sleep 0.5
shot after

# e2 is empty now (all white), e4 holds the White pawn (red on white).
[ "$(square_share after 4 6 FFFFFF)" = 1 ] || fail "e2 is not empty after e2e4"
awk -v s="$(square_share after 4 4 FF0000)" 'BEGIN { exit !(s > 0.05) }' || fail "no White pawn on e4"
# Black's answer put a blue piece on a square of rows 3 to 6 that was empty before.
moved=
for row in 2 3 4 5; do
  for column in 0 1 2 3 4 5 6 7; do
    if awk -v s="$(square_share after "$column" "$row" 0000FF)" 'BEGIN { exit !(s > 0.05) }'; then
      moved="$column,$row"
    fi
  done
done
[ -n "$moved" ] || fail "no Black piece moved forward"
kill -0 "$program_pid" 2>/dev/null || fail "the program has ended"
echo "smoke-x11: e2e4 shown, Black answered onto display square $moved; screenshots in $shots"

# F3 lists the possible moves; Escape leaves the list.
xdotool windowfocus --sync "$window"
xdotool key F3
list_window=$(timeout 10 xdotool search --sync --onlyvisible --name '^moves$' | head -1) ||
  fail "F3 did not open the list of possible moves"
xdotool windowfocus --sync "$list_window" key Escape
for _ in $(seq 50); do xdotool search --onlyvisible --name '^moves$' >/dev/null || break; sleep 0.1; done
xdotool search --onlyvisible --name '^moves$' >/dev/null && fail "the list of possible moves stayed open"
echo "smoke-x11: F3 opened the list of possible moves"

# Save the game, start a new one and load the game back: the pawn returns to e4.
game=$PWD/$shots/smoke.chd
rm -f "$game"
through_file_dialog() {  # $1: the File menu's key for the command, $2: the dialog's title
  xdotool windowfocus --sync "$window"
  xdotool key --delay 200 alt+f "$1"
  dialog=$(timeout 10 xdotool search --sync --onlyvisible --name "^$2\$" | head -1) ||
    fail "no file dialog \"$2\""
  xdotool windowfocus --sync "$dialog"
  sleep 0.5
  xdotool key ctrl+a
  xdotool type --delay 20 "$game"
  xdotool key Return
  for _ in $(seq 50); do xdotool search --onlyvisible --name "^$2\$" >/dev/null || break; sleep 0.1; done
}
through_file_dialog s 'Save As'
for _ in $(seq 50); do [ -s "$game" ] && break; sleep 0.1; done
[ "$(head -c 6 "$game" 2>/dev/null | od -An -c | tr -d ' ')" = 'e2e4\r\n' ] ||
  fail "the saved game does not begin with e2e4 and CR LF"
[ "$(wc -l <"$game")" = 2 ] || fail "the saved game does not hold two moves"
xdotool windowfocus --sync "$window"
xdotool key --delay 200 alt+f n
sleep 1
shot new
awk -v s="$(square_share new 4 6 FF0000)" 'BEGIN { exit !(s > 0.05) }' || fail "New game left e2 empty"
through_file_dialog l 'Open'
sleep 1
shot loaded
[ "$(square_share loaded 4 6 FFFFFF)" = 1 ] || fail "e2 is not empty after the load"
awk -v s="$(square_share loaded 4 4 FF0000)" 'BEGIN { exit !(s > 0.05) }' || fail "the load put no pawn on e4"
echo "smoke-x11: the game was saved to $game and loaded back"

# File, Exit: the program ends and takes its engine with it.
engine_pid=
for stat in /proc/[0-9]*/stat; do
  read -r pid _ _ parent _ <"$stat" 2>/dev/null || continue
  [ "$parent" = "$program_pid" ] && engine_pid=$pid && break
done
[ -n "$engine_pid" ] || fail "no engine process runs beside the program"
xdotool windowfocus --sync "$window"
xdotool key --delay 200 alt+f e
for _ in $(seq 50); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program_pid" 2>/dev/null && fail "File, Exit did not end the program"
wait "$program_pid" || fail "the program ended with status $?"
program_pid=
kill -0 "$engine_pid" 2>/dev/null && fail "the engine $engine_pid outlived the program"
echo "smoke-x11: File, Exit ended the program and its engine"
