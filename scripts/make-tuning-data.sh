#!/bin/sh
# Plays fast games of the engine against itself and writes their quiet
# positions with the games' results and the searches' scores, the data of
# the evaluation tuner.
#   scripts/make-tuning-data.sh OUT [GAMES] [NODES]
# Runs niced in chunks of 100 games, each with its own seed, so that an
# interrupted run keeps what it made.
set -eu
out=${1:?usage: make-tuning-data.sh OUT [GAMES] [NODES]}
games=${2:-1200}
nodes=${3:-3000}
tuner=${TUNER:-build/bin/tolvane-tuner}
: > "$out"
seed=1
while [ "$games" -gt 0 ]; do
  chunk=$(( games < 100 ? games : 100 ))
  nice -n 10 "$tuner" games "$chunk" "$nodes" "$seed" >> "$out"
  games=$(( games - chunk ))
  seed=$(( seed + 1 ))
done
wc -l "$out"
