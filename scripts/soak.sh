#!/usr/bin/env bash
# Long soak (not part of ./test.sh), niced:
#   scripts/soak.sh [CONSOLE_GAMES] [ENGINE_GAMES] [MAX_COMPUTER_MOVES] [CLOCK]
#   (defaults 1000 1000 30 2+0.02; a busy machine needs a longer clock, or moves are lost on time)
# 1. CONSOLE_GAMES games of the window's own dialogue through build/bin/tolvane-console --json with
#    the real engine (scripts/soak_console.py): random legal user moves, every level, computer-first
#    games, take-backs, games saved and loaded back.
# 2. ENGINE_GAMES fast games of build/bin/tolvane.exe against Stockfish, Phalanx and GNU Chess with the
#    match tool of ../shared/tools/match, which referees every move.
# Fails on an illegal move, a crash or a hang; prints the resident memory of the first and last game.
set -euo pipefail
cd "$(dirname "$0")/.."
console_games=${1:-1000}
engine_games=${2:-1000}
max_computer_moves=${3:-30}
clock=${4:-2+0.02}
root=$PWD
work=$(mktemp -d /tmp/tolvane-soak-XXXXXX)
trap 'rm -rf "$work"' EXIT
scripts/build.sh default >/dev/null
failed=0

console_soak() {
  echo "=== $console_games games through tolvane-console"
  nice -n 10 python3 scripts/soak_console.py build/bin/tolvane-console "$console_games" "$max_computer_moves"
}

engine_soak() {
  # The engine games are shared out among Debian's engines, a third each.
  opponents=(
    "name=Stockfish cmd=/usr/games/stockfish proto=uci option.UCI_LimitStrength=true option.UCI_Elo=2000 option.Threads=1 option.Hash=16"
    "name=Phalanx cmd=/usr/games/phalanx proto=cecp"
    "name=GNUChess cmd=/usr/games/gnuchess arg=--uci proto=uci"
  )
  echo "=== $engine_games engine games against ${#opponents[@]} Debian engines"
  cp -r ../shared/tools/match "$work/match"
  (cd "$work/match" && npm ci --silent >/dev/null)
  # The engine's resident memory, sampled while the games run: the first and the last sample.
  sample_memory() {
    while sleep 5; do
      for pid in $(pgrep -f "^$root/build/bin/tolvane.exe" || true); do
        echo "$(date +%s) $(awk '/^VmHWM|^VmRSS/ {printf "%s %s kB ", $1, $2}' "/proc/$pid/status" 2>/dev/null)"
      done
    done
  }
  : >"$work/memory"
  sample_memory >"$work/memory" &
  sampler=$!
  for i in "${!opponents[@]}"; do
    games=$(( engine_games / ${#opponents[@]} + (i < engine_games % ${#opponents[@]} ? 1 : 0) ))
    [ "$games" -gt 0 ] || continue
    # shellcheck disable=SC2086 # the opponent's words are separate match arguments
    (cd "$work/match" && nice -n 10 node match.mjs --quiet --json "$work/games-$i.json" --pgn "$work/games-$i.pgn" \
      --e1 name=Tolvane cmd="$root/build/bin/tolvane.exe" proto=cecp --e2 ${opponents[$i]} \
      --games "$games" --tc "$clock" --shuffle --seed $((i + 1))) || failed=1
  done
  kill "$sampler" 2>/dev/null || true
  echo "engine memory, first sample: $(head -1 "$work/memory")"
  echo "engine memory, last sample:  $(tail -1 "$work/memory")"
  # Any game Tolvane lost by a rules infraction, on time (a hang) or by abandoning it (a crash) fails.
  node -e '
    const games = process.argv.slice(1).flatMap((file) => require(file).games);
    // The side that forfeited is the one that lost (both, when neither scored).
    const losers = (g) => (g.result === "1-0" ? [g.black] : g.result === "0-1" ? [g.white] : [g.white, g.black]);
    const faults = games.filter((g) => ["rules infraction", "time forfeit", "abandoned"].includes(g.termination) &&
                                       losers(g).includes("Tolvane"));
    const counted = {};
    for (const g of games) counted[g.termination] = (counted[g.termination] || 0) + 1;
    console.log(`${games.length} games, endings: ${JSON.stringify(counted)}; faults of Tolvane: ${faults.length}`);
    for (const g of faults) console.log(`  round ${g.round}: ${g.reason} ${g.detail || ""}`);
    process.exit(faults.length ? 1 : 0);
  ' "$work"/games-*.json || failed=1
  return $failed
}

[ "$console_games" -eq 0 ] || console_soak || failed=1
[ "$engine_games" -eq 0 ] || engine_soak || failed=1
exit $failed
