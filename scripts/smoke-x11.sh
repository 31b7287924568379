#!/usr/bin/env bash
# The real window under Xvfb. Without a window manager the window takes the screen itself; under
# openbox it opens maximized. Then: a screenshot, the mouse moves e2-e4, the engine answers, a
# second screenshot, the moved pieces checked by their pixels; moves typed in F2 (capitals and a
# list number) are answered; F3's list of moves; the game saved and loaded back through the file
# dialogs; a loaded game in which the computer's answer mates, announced at once. Screenshots
# stay in build/.
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
for tool in Xvfb openbox xdotool xprop xwininfo import convert compare xdpyinfo; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
done
# The engine program itself answers: the checks below rely on its rules and its mate in one.
[ -x "$build/bin/tolvane.exe" ] || fail "$build/bin/tolvane.exe is not built"

# Xvfb picks a free display itself and writes its number, so parallel runs never share a server;
# it must not reset when the first program ends and openbox is about to connect.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$shots/display" >"$shots/xvfb.log" 2>&1 &
xvfb=$!
program_pid=
window_manager=
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$window_manager" ] && kill "$window_manager" 2>/dev/null || true
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
read -r screen_w screen_h < <(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 \2/p')

# X Y WIDTH HEIGHT of a window on the screen (xdotool's position is off under a reparenting
# window manager).
geometry() {
  xwininfo -id "$1" | sed -n 's/^ *Absolute upper-left X: *\(-*[0-9]*\)/X=\1/p; s/^ *Absolute upper-left Y: *\(-*[0-9]*\)/Y=\1/p;
    s/^ *Width: *\([0-9]*\)/WIDTH=\1/p; s/^ *Height: *\([0-9]*\)/HEIGHT=\1/p'
}
start_program() {
  "$program" >"$shots/program.log" 2>&1 &
  program_pid=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tolvane - chess program$' | head -1) ||
    fail "the window did not appear"
}
# Whether the window covers at least nine tenths of the screen each way.
covers_screen() {
  eval "$(geometry "$window")"
  [ $((WIDTH * 10)) -ge $((screen_w * 9)) ] && [ $((HEIGHT * 10)) -ge $((screen_h * 9)) ]
}
wait_to_cover_screen() {
  for _ in $(seq 50); do covers_screen && return 0; sleep 0.1; done
  return 1
}

# No window manager to maximize it: the window sizes itself to the screen.
start_program
wait_to_cover_screen || fail "without a window manager the window stayed $WIDTH x $HEIGHT"
echo "smoke-x11: without a window manager the window took $WIDTH x $HEIGHT"
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=

openbox --sm-disable >"$shots/openbox.log" 2>&1 &
window_manager=$!
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || fail "openbox did not start (see $shots/openbox.log)"
start_program
wait_to_cover_screen || fail "under openbox the window stayed $WIDTH x $HEIGHT"
sleep 1
covers_screen || fail "under openbox the window shrank to $WIDTH x $HEIGHT"
xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_VERT || fail "openbox did not maximize the window"
echo "smoke-x11: openbox maximized the window to $WIDTH x $HEIGHT"

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
eval "$(geometry "$window")"
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
# How many display squares differ between two screenshots.
changed_squares() {
  local count
  count=$(convert "$shots/$1.png" "$shots/$2.png" -compose difference -composite \
    -crop "${WIDTH}x${board_h}+$X+$top" +repage -colorspace gray -threshold 0 -scale '8x8!' \
    -threshold 2% -format '%[fx:mean*64]' info:)
  printf '%.0f\n' "$count"
}
# Waits for a window of that exact title and prints its id (windows that close while the search
# runs are no error).
window_named() {
  timeout "${2:-10}" xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -1
}

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

# Moves typed in F2 the way a person may type them: in capitals, and as the number of a listed
# move. Each is played and answered: the user's move and the computer's change three squares or
# more.
typed_move() {  # $1: the text typed
  shot typed-before
  xdotool windowfocus --sync "$window"
  xdotool key F2
  local dialog
  dialog=$(window_named moves) || fail "F2 did not open the move dialog"
  xdotool windowfocus --sync "$dialog"
  sleep 0.3
  xdotool type --delay 50 "$1"
  xdotool key Return
  local changed=0
  for _ in $(seq 80); do
    sleep 0.5
    window_named ' impossible move' 0.1 >/dev/null && fail "the typed move $1 was refused"
    shot typed-after
    changed=$(changed_squares typed-before typed-after)
    [ "$changed" -ge 3 ] && break
  done
  [ "$changed" -ge 3 ] || fail "the typed move $1 was not answered (see $shots/typed-after.png)"
  sleep 0.5
  echo "smoke-x11: typed $1, the computer answered"
}
typed_move G1F3
typed_move 1

# F3 lists the possible moves; Escape leaves the list.
xdotool windowfocus --sync "$window"
xdotool key F3
list_window=$(timeout 10 xdotool search --sync --onlyvisible --name '^moves$' | head -1) ||
  fail "F3 did not open the list of possible moves"
xdotool windowfocus --sync "$list_window" key Escape
for _ in $(seq 50); do xdotool search --onlyvisible --name '^moves$' >/dev/null || break; sleep 0.1; done
xdotool search --onlyvisible --name '^moves$' >/dev/null && fail "the list of possible moves stayed open"
echo "smoke-x11: F3 opened the list of possible moves"

# Save the game, start a new one and load the game back: the board is the same again.
game=$PWD/$shots/smoke.chd
rm -f "$game"
through_file_dialog() {  # $1: the File menu's key for the command, $2: the dialog's title, $3: the file
  xdotool windowfocus --sync "$window"
  xdotool key --delay 200 alt+f "$1"
  dialog=$(window_named "$2") || fail "no file dialog \"$2\""
  xdotool windowfocus --sync "$dialog"
  sleep 0.5
  xdotool key ctrl+a
  xdotool type --delay 20 "$3"
  xdotool key Return
  for _ in $(seq 50); do xdotool search --onlyvisible --name "^$2\$" >/dev/null || break; sleep 0.1; done
}
shot saved
through_file_dialog s 'Save As' "$game"
for _ in $(seq 50); do [ -s "$game" ] && break; sleep 0.1; done
[ "$(head -c 6 "$game" 2>/dev/null | od -An -c | tr -d ' ')" = 'e2e4\r\n' ] ||
  fail "the saved game does not begin with e2e4 and CR LF"
[ "$(wc -l <"$game")" = 6 ] || fail "the saved game does not hold six moves"
[ "$(sed -n 3p "$game" | tr -d '\r')" = g1f3 ] || fail "the saved game's third move is not g1f3"
xdotool windowfocus --sync "$window"
xdotool key --delay 200 alt+f n
sleep 1
shot new
awk -v s="$(square_share new 4 6 FF0000)" 'BEGIN { exit !(s > 0.05) }' || fail "New game left e2 empty"
through_file_dialog l 'Open' "$game"
sleep 1
shot loaded
[ "$(changed_squares saved loaded)" = 0 ] || fail "the loaded game differs from the saved one"
echo "smoke-x11: the game was saved to $game and loaded back"

# A loaded game in which the user's move lets the computer mate: the end-of-game box comes with the
# computer's move, before the user does anything more.
mate_game=$PWD/$shots/fools-mate.chd
printf 'f2f3\r\ne7e5\r\n' >"$mate_game"
through_file_dialog l 'Open' "$mate_game"
sleep 1
read -r ex ey <<<"$(centre 6 6)"
xdotool mousemove --sync "$ex" "$ey" click 1
sleep 0.3
read -r ex ey <<<"$(centre 6 4)"
xdotool mousemove --sync "$ex" "$ey" click 1
box=$(window_named 'end of game message' 40) || fail "no end-of-game box after the computer's mate"
sleep 0.5
shot mated
eval "$(geometry "$box" | sed 's/^/BOX_/')"
[ "$BOX_WIDTH" -ge 280 ] || fail "the end-of-game box is only $BOX_WIDTH pixels wide"
# Black's queen stands on h4 (display column 7, row 4; a dark square: blue on black).
awk -v s="$(square_share mated 7 4 0000FF)" 'BEGIN { exit !(s > 0.05) }' || fail "no Black queen on h4"
xdotool windowfocus --sync "$box" key Return
for _ in $(seq 50); do window_named 'end of game message' 0.1 >/dev/null || break; sleep 0.1; done
window_named 'end of game message' 0.1 >/dev/null && fail "the end-of-game box did not close"
echo "smoke-x11: the computer mated and the end-of-game box ($BOX_WIDTH pixels wide) came at once"

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
