#!/bin/bash
# A short game through tolvane-console --json: one JSON line per command, moves accepted or
# refused as the rules say, and the stand-in engine's reply played.
set -u
console=$1
stand_in=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat > "$work/script" <<'SCRIPT'
greet info about:stand-in for the console test
greet stand-in 1.0
greet ready
on e2e4 => info thinking | move c7c5
on go => move b8c6
SCRIPT
: > "$work/record"

output=$(printf '%s\n' 'Be2e4' 'c3' 'll' 'Be2e4' 'Bg1f3' 'lf' 'V' 'Bq' '.x' '.new' 'll' 'Be2e4' 'Be7e5' 'Bg1f3' 'c' 'll' |
  STAND_IN_SCRIPT="$work/script" STAND_IN_RECORD="$work/record" TOLVANE_ENGINE="$stand_in" \
  "$console" --json)

expected='{"message": "", "result": ""}
{"message": "", "result": ""}
{"message": "c7c5", "result": ""}
{"message": "\nError   1 : Ungueltiger Zug !\n", "result": ""}
{"message": "", "result": ""}
{"message": "c5c4", "result": ""}
{"message": "stand-in for the console test\n\nstand-in 1.0", "result": ""}
{"message": "\nError   1 : Ungueltiger Zug !\n", "result": ""}
{"message": "unknown front-end command .x (.new, .quit)", "result": ""}
{"message": "", "result": ""}
{"message": "root", "result": ""}
{"message": "", "result": ""}
{"message": "", "result": ""}
{"message": "", "result": ""}
{"message": "", "result": ""}
{"message": "b8c6", "result": ""}'

status=0
if [ "$output" != "$expected" ]; then
  echo "unexpected output:"; diff <(echo "$expected") <(echo "$output"); status=1
fi
# The engine heard the level and the one move (each move of its own is followed by a ping, whose
# answer shows that nothing more came with it), then a new game (two "0" commands) and the whole
# position.
record_expected='easy
level tolvane 4 1
ping 1
post
e2e4
nopost
ping 1
ping 1
new
ping 2
ping 1
new
ping 3
setboard rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b  KQkq - 0 2
go
ping 4
quit'
if [ "$(cat "$work/record")" != "$record_expected" ]; then
  echo "unexpected engine record:"; diff <(echo "$record_expected") "$work/record"; status=1
fi
exit $status
