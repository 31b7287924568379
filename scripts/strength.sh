#!/usr/bin/env bash
# Measures the engine program against Debian's engines with the match tool of ../shared/tools/match
# (not part of ./test.sh; run it niced on an otherwise idle machine):
#   scripts/strength.sh MATCH [GAMES] [CLOCK] [CONCURRENCY]      (defaults 200 10+0.1 1)
# CLOCK is BASE+INC in seconds, or st=SECONDS for a fixed time per move (the window gives a level
# 1.5 s and no clock, so st=1.5 lets a level think and pause as it does there).
# MATCH is one of
#   stockfish-2400   full strength against Stockfish limited to UCI_Elo 2400
#   gnuchess         full strength against GNU Chess
#   phalanx          full strength against Phalanx
#   threads          two threads against one (give CONCURRENCY 1 on a two-core machine)
#   level3           level 3 against Stockfish limited to UCI_Elo 1700
#   level2           level 2 against Stockfish limited to UCI_Elo 1350, its weakest
#   level1           level 1 against level 2
#   baseline         full strength against an earlier build: BASELINE is the absolute path of its tolvane.exe
#                    (a change such as freshly tuned weights measured against the build before it)
# SEED (default 1) picks the shuffled order of the match tool's openings, so that a second run of
# the same match can play other games.
# A level plays with the window's own start-up lines ("easy" and its "level tolvane X Y") before the
# match's clock, so its depth, node cap and slips apply as in the window.
set -euo pipefail
cd "$(dirname "$0")/.."
match=${1:?usage: scripts/strength.sh MATCH [GAMES] [CLOCK] [CONCURRENCY]}
games=${2:-200}
clock=${3:-10+0.1}
concurrency=${4:-1}
engine=$PWD/build/bin/tolvane.exe
scripts/build.sh default >/dev/null

stockfish() {
  echo "name=Stockfish-$1 cmd=/usr/games/stockfish proto=uci option.UCI_LimitStrength=true option.UCI_Elo=$1" \
       "option.Threads=1 option.Hash=16"
}
level() {
  case $1 in
    1) echo "name=Level-1 cmd=$engine proto=cecp init=easy init=\"level tolvane 0 1\"" ;;
    2) echo "name=Level-2 cmd=$engine proto=cecp init=easy init=\"level tolvane 3 1\"" ;;
    3) echo "name=Level-3 cmd=$engine proto=cecp init=easy init=\"level tolvane 4 1\"" ;;
  esac
}
full="name=Tolvane cmd=$engine proto=cecp"
case $match in
  stockfish-2400) first=$full second=$(stockfish 2400) ;;
  gnuchess) first=$full second="name=GNUChess cmd=/usr/games/gnuchess arg=--uci proto=uci" ;;
  phalanx) first=$full second="name=Phalanx cmd=/usr/games/phalanx proto=cecp" ;;
  threads) first="name=Tolvane-2-threads cmd=$engine proto=cecp init=\"cores 2\"" second=$full ;;
  level3) first=$(level 3) second=$(stockfish 1700) ;;
  level2) first=$(level 2) second=$(stockfish 1350) ;;
  level1) first=$(level 1) second=$(level 2) ;;
  baseline) first=$full second="name=Baseline cmd=${BASELINE:?BASELINE names the earlier tolvane.exe} proto=cecp" ;;
  *) echo "strength: unknown match $match" >&2; exit 2 ;;
esac
work=$(mktemp -d /tmp/tolvane-strength-XXXXXX)
cp -r ../shared/tools/match "$work/match"
(cd "$work/match" && npm ci --silent >/dev/null)
echo "pgn and json in $work"
# The engines' words are separate match arguments, quoted where a start-up line has blanks.
eval "set -- --e1 $first --e2 $second"
cd "$work/match"
case $clock in
  st=*) timing=(--st "${clock#st=}") ;;
  *) timing=(--tc "$clock") ;;
esac
exec nice -n 10 node match.mjs --json "$work/games.json" --pgn "$work/games.pgn" "$@" \
  --games "$games" "${timing[@]}" --concurrency "$concurrency" --shuffle --seed "${SEED:-1}" --init-timeout 60
